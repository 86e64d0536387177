#!/usr/bin/env python3
"""Tests of check_catalogue.py's judgement of catalogue messages, one small catalogue a case."""

import os
import sys
import unittest
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_catalogue  # noqa: E402


def catalogue_of(source, translation, kind=None):
    kind_attribute = ' type="%s"' % kind if kind else ""
    text = ('<TS version="2.1" language="en" sourcelanguage="ru"><context><name>c</name>'
            '<message><source>%s</source><translation%s>%s</translation></message>'
            '</context></TS>' % (source, kind_attribute, translation))
    return ElementTree.ElementTree(ElementTree.fromstring(text))


class CheckCatalogueTest(unittest.TestCase):
    def test_judges_each_message(self):
        cases = [
            # source, translation, type, the finding's end (None: no finding)
            ("Выход", "Exit", None, None),
            ("Выход", "", "unfinished", "not translated"),
            ("Выход", "Exit", "unfinished", "not translated"),
            ("Выход", "Exit", "vanished", "no longer in the code"),
            ("Выход", "Exit", "obsolete", "no longer in the code"),
            ("Выход", "Выход", None, "Cyrillic letters"),
            ("Файл %1: %2", "File %1", None, "other %N places"),
            ("Файл %1: %2", "%2 of file %1", None, None),
            ("('Начало ',I2.2,'г,',I3)", "('Start ',I2.2,',',I3)", None, None),
            ("('Начало ',I2.2,'г,',I3)", "('Start ',I4,',',I3)", None, "edit descriptors"),
            ("('Сделайте')", "('Don''t')", None, None),
        ]
        for source, translation, kind, expected in cases:
            with self.subTest(source=source, translation=translation, kind=kind):
                findings = check_catalogue.findings_of(catalogue_of(source, translation, kind))
                if expected is None:
                    self.assertEqual(findings, [])
                else:
                    self.assertEqual(len(findings), 1)
                    self.assertIn(expected, findings[0])


if __name__ == "__main__":
    unittest.main()
