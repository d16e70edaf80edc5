#!/usr/bin/env python3
"""tools/include-graph [--check] [--platform DIR] [manifest]: the include graph of platform/.

Reads the platform's libraries from the file the configure step writes,
build/platform_layers.txt (one line per library: "name|libraries it uses|its
files"), and each file's #include lines. Prints the graph in Graphviz's dot
language, one box per library from the bottom up; an arrow that runs to a
library this one does not use (a layer above, or beside it) is drawn red.
    tools/include-graph | dot -Tsvg > platform.svg

With --check it prints only the faults, and exits 1 when there is any: an
include of a library not used (directly or through those it uses), an include
cycle (also between units, a header with its source of the same name), a
platform header included bare ("surface.h" where "controls/surface.h" says
which layer it comes from), or a file under platform/ that no library lists.
"""

import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PLATFORM = os.path.join(ROOT, "platform")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)


def read_manifest(path):
    libraries = []  # (name, uses, files), bottom first
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.strip():
                name, uses, files = line.rstrip("\n").split("|")
                libraries.append((name, [u for u in uses.split(",") if u], [p for p in files.split(",") if p]))
    return libraries


def reach(libraries):
    """Each library with every library it may include from: itself and those it uses, transitively."""
    uses = {name: used for name, used, _ in libraries}
    reached = {}
    for name, _, _ in libraries:
        seen, todo = {name}, [name]
        while todo:
            for used in uses.get(todo.pop(), []):
                if used not in seen:
                    seen.add(used)
                    todo.append(used)
        reached[name] = seen
    return reached


def resolve(including, name, owner, folders):
    """The platform file an include names and whether it names it by its layer:
    "forms/look.h" from platform/, "controls/surface.h" from platform/src/.
    None for a file from outside (Qt, the standard library)."""
    for candidate in (name, os.path.join("src", name)):
        if os.path.normpath(candidate) in owner:
            return os.path.normpath(candidate), True
    # Found only beside the including file, or in some layer's folder: bare.
    candidates = [os.path.join(os.path.dirname(including), name)]
    candidates += [os.path.join(folder, name) for folder in folders]
    for candidate in candidates:
        candidate = os.path.normpath(candidate)
        if candidate in owner:
            return candidate, False
    return None, False


def cycles(edges):
    """The include cycles, each as a list of files, found by depth-first search."""
    found, state, stack = [], {}, []

    def visit(node):
        state[node] = "open"
        stack.append(node)
        for target in sorted(edges.get(node, ())):
            if state.get(target) == "open":
                found.append(stack[stack.index(target):] + [target])
            elif target not in state:
                visit(target)
        stack.pop()
        state[node] = "done"

    for node in sorted(edges):
        if node not in state:
            visit(node)
    return found


def main():
    global PLATFORM
    args = [a for a in sys.argv[1:] if a != "--check"]
    check = "--check" in sys.argv[1:]
    if "--platform" in args:  # another copy of the tree, for the check's own test
        at = args.index("--platform")
        PLATFORM = os.path.abspath(args[at + 1])
        del args[at:at + 2]
    manifest = args[0] if args else os.path.join(ROOT, "build", "platform_layers.txt")
    libraries = read_manifest(manifest)
    owner = {os.path.normpath(path): name for name, _, files in libraries for path in files}
    folders = sorted({os.path.dirname(path) for path in owner if path.startswith("src/")})
    reached = reach(libraries)

    faults, edges = [], {}
    for path in sorted(owner):
        with open(os.path.join(PLATFORM, path), encoding="utf-8") as f:
            for included in INCLUDE.findall(f.read()):
                target, by_layer = resolve(path, included, owner, folders)
                if target is None or target == path:
                    continue
                if not by_layer:
                    faults.append(f'platform/{path} includes "{included}" bare: write "{target.removeprefix("src/")}"')
                edges.setdefault(path, set()).add(target)
                if owner[target] not in reached[owner[path]]:
                    faults.append(f"platform/{path} ({owner[path]}) includes platform/{target} "
                                  f"({owner[target]}), which {owner[path]} does not use")
    for cycle in cycles(edges):
        faults.append("include cycle: " + " -> ".join(f"platform/{p}" for p in cycle))
    # A header and its source are one unit (forms/run.h with src/run/run.cpp):
    # two units that include each other through them are a circle too.
    unit = lambda path: os.path.splitext(os.path.basename(path))[0]
    units = {}
    for path, targets in edges.items():
        units.setdefault(unit(path), set()).update(unit(t) for t in targets if unit(t) != unit(path))
    for cycle in cycles(units):
        faults.append("circle of header-and-source units: " + " -> ".join(cycle))
    for folder, _, files in os.walk(PLATFORM):
        for file in files:
            path = os.path.relpath(os.path.join(folder, file), PLATFORM)
            if file.endswith((".h", ".cpp")) and path not in owner:
                faults.append(f"platform/{path} belongs to no library of platform/CMakeLists.txt")

    if check:
        for fault in faults:
            print(fault)
        files = len(owner)
        arrows = sum(len(t) for t in edges.values())
        print(f"{len(libraries)} libraries, {files} files, {arrows} include arrows, {len(faults)} faults")
        return 1 if faults else 0

    print("digraph platform {\n  rankdir=BT;\n  node [shape=box, fontsize=10];")
    for i, (name, _, files) in enumerate(libraries):
        print(f'  subgraph cluster_{i} {{\n    label="{name}";')
        for path in files:
            print(f'    "{path}";')
        print("  }")
    for path, targets in sorted(edges.items()):
        for target in sorted(targets):
            up = owner[target] not in reached[owner[path]]
            print(f'  "{path}" -> "{target}"' + (" [color=red];" if up else ";"))
    print("}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
