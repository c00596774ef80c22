#!/usr/bin/env python3
"""Lists the include cycles of the project's C++ sources.

Every quoted #include is resolved to a file of the tree by its name (the build puts each
source folder on the include path, so names are unique). A cycle between files is listed
file by file; a cycle between folders (a file of folder A includes one of B, and a file of
B, directly or through other folders, one of A) is listed folder by folder. Exits with
status 1 when there is a cycle of either kind.

usage: include-cycles.py [ROOT ...]   (default: Lib src tools)
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc")


def sources(roots):
    for root in roots:
        for directory, _, names in os.walk(root):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.normpath(os.path.join(directory, name))


def include_graph(files):
    by_name = {}
    for path in files:
        by_name.setdefault(os.path.basename(path), []).append(path)
    graph = {}
    for path in files:
        with open(path, encoding="utf-8", errors="replace") as source:
            included = INCLUDE.findall(source.read())
        targets = set()
        for name in included:
            beside = os.path.normpath(os.path.join(os.path.dirname(path), name))
            if os.path.exists(beside):
                targets.add(beside)
            elif os.path.basename(name) in by_name:
                targets.update(by_name[os.path.basename(name)])
        graph[path] = sorted(targets - {path})
    return graph


def strongly_connected(graph):
    """Tarjan's algorithm, iterative; returns the components with more than one node."""
    index, low, on_stack, stack, found = {}, {}, set(), [], []
    counter = 0
    for start in graph:
        if start in index:
            continue
        work = [(start, iter(graph.get(start, ())))]
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
                    work.append((successor, iter(graph.get(successor, ()))))
                    advanced = True
                    break
                if successor in on_stack:
                    low[node] = min(low[node], index[successor])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                if len(component) > 1:
                    found.append(sorted(component))
    return found


def folder_graph(graph):
    folders = {}
    for path, targets in graph.items():
        edges = folders.setdefault(os.path.dirname(path), set())
        edges.update(os.path.dirname(t) for t in targets if os.path.dirname(t) != os.path.dirname(path))
    return {folder: sorted(edges) for folder, edges in folders.items()}


def main():
    roots = sys.argv[1:] or ["Lib", "src", "tools"]
    graph = include_graph(list(sources(roots)))
    cycles = 0
    for kind, components in (("files", strongly_connected(graph)),
                             ("folders", strongly_connected(folder_graph(graph)))):
        for component in components:
            cycles += 1
            print(f"include cycle between {kind}:")
            for member in component:
                print(f"    {member}")
    if cycles == 0:
        print(f"no include cycles among {len(graph)} files")
    return 1 if cycles else 0


if __name__ == "__main__":
    sys.exit(main())
