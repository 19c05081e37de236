#!/usr/bin/env python3
"""Prints the include graph of the folders of src/ and fails on a cycle.

Every folder of src/ is a layer declared by a vx_layer line of CMakeLists.txt (see
cmake/layers.cmake) with the layers it uses. A folder that includes another must use it,
directly or through a layer it uses; the build enforces that too, this script says it in one
list. Exit status 1 on a cycle, an undeclared folder or an include the declarations do not
allow.
"""

import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SRC = ROOT / "src"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/', re.MULTILINE)
LAYER = re.compile(r"^\s*vx_layer\((\w+)([^)]*)\)", re.MULTILINE)


def include_graph():
    """Folder -> {included folder: number of includes}."""
    graph = {}
    for folder in sorted(p for p in SRC.iterdir() if p.is_dir()):
        edges = graph.setdefault(folder.name, {})
        for source in folder.rglob("*"):
            if source.suffix not in (".h", ".cpp"):
                continue
            for used in INCLUDE.findall(source.read_text(encoding="utf-8")):
                if used != folder.name:
                    edges[used] = edges.get(used, 0) + 1
    return graph


def declared_layers():
    """Layer -> the layers its vx_layer line names after USES."""
    text = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    layers = {}
    for name, rest in LAYER.findall(text):
        words = rest.split()
        uses = []
        if "USES" in words:
            for word in words[words.index("USES") + 1:]:
                if word.isupper():
                    break
                uses.append(word)
        layers[name] = uses
    return layers


def find_cycle(graph):
    """One cycle of the graph as a list of folders, or None."""
    state = {}
    path = []

    def visit(node):
        state[node] = "open"
        path.append(node)
        for nxt in sorted(graph.get(node, {})):
            if state.get(nxt) == "open":
                return path[path.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt)
                if found:
                    return found
        path.pop()
        state[node] = "done"
        return None

    for node in sorted(graph):
        if node not in state:
            found = visit(node)
            if found:
                return found
    return None


def reachable(layers, start):
    seen = set()
    stack = list(layers.get(start, []))
    while stack:
        layer = stack.pop()
        if layer not in seen:
            seen.add(layer)
            stack.extend(layers.get(layer, []))
    return seen


def main():
    graph = include_graph()
    layers = declared_layers()
    for folder, edges in graph.items():
        listed = " ".join(f"{used}({count})" for used, count in sorted(edges.items()))
        print(f"{folder} -> {listed}" if listed else f"{folder}")
    faults = []
    cycle = find_cycle(graph)
    if cycle:
        faults.append("cycle: " + " -> ".join(cycle))
    for folder, edges in graph.items():
        if folder not in layers:
            faults.append(f"{folder}: no vx_layer line declares it")
            continue
        allowed = reachable(layers, folder)
        for used in sorted(edges):
            if used not in allowed:
                faults.append(f"{folder} includes {used}, which it does not use")
    for fault in faults:
        print("include-graph: " + fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
