#!/usr/bin/env python3
"""Checks the #include lines of the source tree: no include cycle between files, no layer
reaching up, and inside a layer built in floors no room reaching a floor above its own.

A header and its source file (a.h and a.cpp) are one node; a.cpp including b.h and b.cpp
including a.h is a cycle all the same. Quoted includes are read as paths from the project root,
or from the including file's folder when no such root path exists; system includes are ignored.

Usage: check_includes.py [PROJECT_ROOT]. Prints every finding and exits with 1 when there is
any, 0 otherwise.
"""

import os
import re
import sys

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc")
SKIPPED_FOLDERS = {".git", "build", "build-asan", "build-tsan"}

# The layers of the program, and the folders each may include. A lower layer that must reach up
# calls through an interface the upper layer registers, so it never includes the upper layer.
ALLOWED = {
    "platform": {"platform"},
    "runtime": {"runtime", "platform"},
    "calendar": {"calendar", "runtime", "platform"},
    "framework": {"framework", "runtime", "platform"},
    "scripted": {"scripted", "framework", "runtime", "platform"},
    "dialogs": {"dialogs", "framework", "runtime", "platform"},
    "app": {"app", "dialogs", "scripted", "framework", "calendar", "runtime", "platform"},
}

# The layers whose rooms (their sub-folders) are stacked as floors, listed from the bottom: a room
# may include its own floor and the floors below it, and the rooms of one floor each other. A file
# directly in the layer's folder belongs to no room and is not checked against the floors; a file
# in a room that is on no floor is a finding, so that a new room is given its floor.
FLOORS = {
    "framework": [{"surface"}, {"windows"}, {"graphics"}, {"text", "terminal"}, {"program"}],
}

# Cycles that are known, each exactly as it stands: a cycle that is not listed
# here, or one that grows or shrinks, is a finding, and a listed cycle that no longer exists is
# reported so that it is taken off the list.
KNOWN_CYCLES = []

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def source_files(root):
    for folder, subfolders, files in os.walk(root):
        subfolders[:] = sorted(
            name for name in subfolders
            if name not in SKIPPED_FOLDERS and not name.startswith(".") and
            not os.path.isfile(os.path.join(folder, name, "CMakeCache.txt")))
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                yield os.path.relpath(os.path.join(folder, name), root)


def node_of(path):
    """The node of a file: its path without the suffix, so that a.h and a.cpp are one."""
    return os.path.splitext(path)[0]


def resolve(root, including, included):
    """The project path of an included file, or None when it is not in the project."""
    if os.path.isfile(os.path.join(root, included)):
        return os.path.normpath(included)
    beside = os.path.normpath(os.path.join(os.path.dirname(including), included))
    if os.path.isfile(os.path.join(root, beside)):
        return beside
    return None


def read_includes(root, path):
    """The (line number, included project path) pairs of one file."""
    found = []
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
        for number, line in enumerate(source, start=1):
            match = INCLUDE.match(line)
            if match:
                target = resolve(root, path, match.group(1))
                if target:
                    found.append((number, target))
    return found


def layer_of(path):
    top = path.split(os.sep, 1)[0]
    return top if top in ALLOWED else None


def layer_findings(includes):
    findings = []
    for path, lines in includes.items():
        layer = layer_of(path)
        if layer is None:
            continue
        for number, target in lines:
            target_layer = layer_of(target)
            if target_layer is not None and target_layer not in ALLOWED[layer]:
                findings.append(f"{path}:{number}: {layer}/ includes {target} of {target_layer}/, "
                                f"a layer it may not reach")
    return findings


def room_of(path):
    """The (layer, room) of a file in a room of a layer built in floors, else None."""
    parts = path.split(os.sep)
    if len(parts) < 3 or parts[0] not in FLOORS:
        return None
    return parts[0], parts[1]


def floor_of(layer, room):
    for number, rooms in enumerate(FLOORS[layer]):
        if room in rooms:
            return number
    return None


def floor_findings(includes):
    findings = []
    for path, lines in sorted(includes.items()):
        place = room_of(path)
        if place is None:
            continue
        layer, room = place
        floor = floor_of(layer, room)
        if floor is None:
            findings.append(f"{path}: {layer}/{room}/ is on none of the floors of {layer}/")
            continue
        for number, target in lines:
            target_place = room_of(target)
            if target_place is None or target_place[0] != layer:
                continue
            target_floor = floor_of(*target_place)
            if target_floor is not None and target_floor > floor:
                findings.append(f"{path}:{number}: {layer}/{room}/ includes {target} of "
                                f"{layer}/{target_place[1]}/, a floor above it")
    return findings


def strongly_connected(graph):
    """The strongly connected components of a graph {node: set of nodes} (Tarjan, iterative)."""
    index = {}
    low = {}
    on_stack = set()
    stack = []
    components = []
    counter = 0
    for start in sorted(graph):
        if start in index:
            continue
        work = [(start, iter(sorted(graph[start])))]
        index[start] = low[start] = counter
        counter += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, successors = work[-1]
            advanced = False
            for successor in successors:
                if successor not in index:
                    index[successor] = low[successor] = counter
                    counter += 1
                    stack.append(successor)
                    on_stack.add(successor)
                    work.append((successor, iter(sorted(graph.get(successor, ())))))
                    advanced = True
                    break
                if successor in on_stack:
                    low[node] = min(low[node], index[successor])
            if advanced:
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                components.append(sorted(component))
    return components


def cycle_findings(includes):
    graph = {}
    witness = {}
    for path, lines in includes.items():
        source = node_of(path)
        graph.setdefault(source, set())
        for number, target in lines:
            target_node = node_of(target)
            if target_node == source:
                continue
            graph[source].add(target_node)
            graph.setdefault(target_node, set())
            witness.setdefault((source, target_node), f"{path}:{number}")
    findings = []
    known = [set(cycle) for cycle in KNOWN_CYCLES]
    for component in strongly_connected(graph):
        if len(component) < 2:
            continue
        members = set(component)
        if members in known:
            known.remove(members)
            continue
        edges = sorted(f"  {witness[(a, b)]}: {a} -> {b}"
                       for a in component for b in graph[a] if b in members)
        findings.append("include cycle between " + ", ".join(component) + ":\n" +
                        "\n".join(edges))
    for cycle in known:
        findings.append("known include cycle no longer exists, take it off KNOWN_CYCLES: " +
                        ", ".join(sorted(cycle)))
    return findings


def main(argv):
    root = os.path.abspath(argv[1] if len(argv) > 1 else
                           os.path.join(os.path.dirname(__file__), os.pardir))
    includes = {path: read_includes(root, path) for path in source_files(root)}
    if not includes:
        print(f"check_includes: no source files under {root}", file=sys.stderr)
        return 1
    findings = layer_findings(includes) + floor_findings(includes) + cycle_findings(includes)
    for finding in findings:
        print(finding)
    if findings:
        print(f"check_includes: {len(findings)} finding(s) in {len(includes)} files")
        return 1
    cycles = (f"no include cycle beyond the {len(KNOWN_CYCLES)} known ones" if KNOWN_CYCLES
              else "no include cycle")
    print(f"check_includes: {len(includes)} files, {cycles}, no layer or floor reaching up")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
