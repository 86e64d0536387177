#!/usr/bin/env python3
"""Tests of check_includes.py on small source trees written into a temporary folder."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_includes  # noqa: E402


def write_tree(root, files):
    for path, includes in files.items():
        os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
        with open(os.path.join(root, path), "w", encoding="utf-8") as source:
            source.write("// test file\n")
            for included in includes:
                source.write(f'#include "{included}"\n')


def findings_of(files):
    with tempfile.TemporaryDirectory() as root:
        write_tree(root, files)
        includes = {path: check_includes.read_includes(root, path)
                    for path in check_includes.source_files(root)}
        saved = check_includes.KNOWN_CYCLES
        check_includes.KNOWN_CYCLES = []
        try:
            return (check_includes.layer_findings(includes) +
                    check_includes.floor_findings(includes) +
                    check_includes.cycle_findings(includes))
        finally:
            check_includes.KNOWN_CYCLES = saved


class CheckIncludesTest(unittest.TestCase):
    def test_header_and_source_are_one_node_of_a_cycle(self):
        findings = findings_of({
            "framework/a.h": [],
            "framework/a.cpp": ["framework/a.h", "framework/b.h"],
            "framework/b.h": ["framework/a.h"],
        })
        self.assertEqual(len(findings), 1)
        self.assertIn("framework/a, framework/b", findings[0])

    def test_a_longer_cycle_names_every_member(self):
        findings = findings_of({
            "runtime/a.h": ["runtime/b.h"],
            "runtime/b.h": [],
            "runtime/b.cpp": ["runtime/c.h"],
            "runtime/c.h": [],
            "runtime/c.cpp": ["runtime/a.h"],
        })
        self.assertEqual(len(findings), 1)
        self.assertIn("runtime/a, runtime/b, runtime/c", findings[0])

    def test_includes_that_point_down_pass(self):
        self.assertEqual(findings_of({
            "app/main.cpp": ["dialogs/d.h", "scripted/s.h", "calendar/c.h"],
            "dialogs/d.h": ["framework/f.h"],
            "scripted/s.h": ["framework/f.h"],
            "framework/f.h": ["runtime/r.h"],
            "calendar/c.h": ["runtime/r.h"],
            "runtime/r.h": ["platform/p.h"],
            "platform/p.h": [],
        }), [])

    def test_includes_that_point_up_fail(self):
        cases = [
            ("platform/p.cpp", "runtime/r.h"),
            ("runtime/r.cpp", "framework/f.h"),
            ("framework/f.cpp", "dialogs/d.h"),
            ("framework/f.cpp", "scripted/s.h"),
            ("framework/f.cpp", "calendar/c.h"),
            ("dialogs/d.cpp", "app/a.h"),
            ("scripted/s.cpp", "app/a.h"),
            ("calendar/c.cpp", "framework/f.h"),
        ]
        for including, included in cases:
            with self.subTest(including=including, included=included):
                findings = findings_of({including: [included], included: []})
                self.assertEqual(len(findings), 1)
                self.assertIn(f"{including}:2:", findings[0])

    def test_rooms_of_the_framework_include_their_own_floor_and_the_floors_below(self):
        cases = [
            ("framework/windows/w.cpp", "framework/surface/s.h"),
            ("framework/graphics/g.cpp", "framework/windows/w.h"),
            ("framework/text/t.cpp", "framework/graphics/g.h"),
            ("framework/text/t.cpp", "framework/terminal/o.h"),
            ("framework/terminal/o.cpp", "framework/text/t.h"),
            ("framework/program/p.cpp", "framework/surface/s.h"),
            ("framework/surface/s.cpp", "framework/forward.h"),
            ("framework/forward.h", "framework/program/p.h"),
        ]
        for including, included in cases:
            with self.subTest(including=including, included=included):
                self.assertEqual(findings_of({including: [included], included: []}), [])

    def test_rooms_of_the_framework_that_reach_a_floor_above_fail(self):
        cases = [
            ("framework/surface/s.cpp", "framework/windows/w.h"),
            ("framework/windows/w.cpp", "framework/graphics/g.h"),
            ("framework/windows/w.cpp", "framework/text/t.h"),
            ("framework/windows/w.cpp", "framework/program/p.h"),
            ("framework/graphics/g.cpp", "framework/terminal/o.h"),
            ("framework/terminal/o.cpp", "framework/program/p.h"),
        ]
        for including, included in cases:
            with self.subTest(including=including, included=included):
                findings = findings_of({including: [included], included: []})
                self.assertEqual(len(findings), 1)
                self.assertIn(f"{including}:2:", findings[0])
                self.assertIn("a floor above it", findings[0])

    def test_a_room_on_no_floor_fails(self):
        findings = findings_of({"framework/attic/a.h": ["framework/surface/s.h"],
                                "framework/surface/s.h": []})
        self.assertEqual(len(findings), 1)
        self.assertIn("framework/attic/ is on none of the floors", findings[0])

    def test_tests_and_benchmarks_may_include_any_layer(self):
        self.assertEqual(findings_of({
            "tests/app/t.cpp": ["app/a.h", "platform/p.h"],
            "bench/b.cpp": ["app/a.h"],
            "app/a.h": [],
            "platform/p.h": [],
        }), [])

    def test_includes_beside_the_file_and_system_headers_resolve(self):
        findings = findings_of({
            "tests/x/fixture.h": ["helper.h"],
            "tests/x/helper.h": ["fixture.h", "vector"],
        })
        self.assertEqual(len(findings), 1)
        self.assertIn("tests/x/fixture, tests/x/helper", findings[0])


if __name__ == "__main__":
    unittest.main()
