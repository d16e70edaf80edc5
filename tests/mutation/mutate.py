#!/usr/bin/env python3
"""tools/mutate [--jobs N] [--dry-run] [name...]: the suite's own mutation check.

Copies the tree into a scratch folder, builds it once, then plants each fault of
tests/mutation/faults.txt (or only those named) one at a time: applies its edit,
rebuilds, runs the normal build's tests (not the valgrind, screen-reader or
package tests, which see nothing the others do not and take minutes, nor the
tools_ tests, which check that the documented commands run and build trees of
their own) until one fails, and restores the file. A fault is caught when a
test fails; it survives when every test passes. Prints one line per fault and
the score, and writes the table to build-mutate/report.txt. With --dry-run it
builds nothing: it checks that each fault still applies to the tree (its file
is there and holds its lines exactly once), so a catalogue that no longer fits
the code is seen at once.

The catalogue holds one entry per fault:

    ## <name> <shown|hidden> <what the fault does>
    file: <path from the root>
    - <the exact lines it replaces>
    + <the lines put in their place>

"shown" marks a fault a program can show on its window, its exit status or its
output; "hidden" one that changes nothing a program can show (a fault in a
path no program takes). The edit must match the file exactly once.
"""

import argparse
import os
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRATCH = os.path.join(ROOT, "build-mutate")
SOURCE = os.path.join(SCRATCH, "src")
BUILD = os.path.join(SCRATCH, "build")
EXCLUDE_TESTS = "valgrind_|screen_reader_|packaging_deb|packaging_lintian|tools_"


class Fault:
    def __init__(self, name, shown, what):
        self.name, self.shown, self.what = name, shown, what
        self.file, self.old, self.new = None, [], []


def read_catalogue(path):
    faults = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if line.startswith("## "):
                words = line[3:].split(" ", 2)
                if len(words) < 3 or words[1] not in ("shown", "hidden"):
                    sys.exit(f"faults.txt:{number}: '## <name> <shown|hidden> <what>' expected")
                faults.append(Fault(words[0], words[1] == "shown", words[2]))
            elif not faults or not line.strip() or line.startswith("#"):
                continue
            elif line.startswith("file: "):
                faults[-1].file = line[6:].strip()
            elif line.startswith("- ") or line == "-":
                faults[-1].old.append(line[2:])
            elif line.startswith("+ ") or line == "+":
                faults[-1].new.append(line[2:])
            else:
                sys.exit(f"faults.txt:{number}: cannot read '{line}'")
    names = [f.name for f in faults]
    duplicates = {n for n in names if names.count(n) > 1}
    if duplicates:
        sys.exit(f"faults.txt: names used twice: {' '.join(sorted(duplicates))}")
    for fault in faults:
        if not fault.file or not fault.old:
            sys.exit(f"faults.txt: {fault.name} has no file or no lines to replace")
    return faults


def run(command, log=None, timeout=None):
    with open(log or os.devnull, "w") as out:
        return subprocess.run(command, stdout=out, stderr=subprocess.STDOUT, timeout=timeout).returncode


def sync_copy():
    """Brings the copy up to the tree: a file is written only where its text
    differs, so it is newer than what was built from it, and the build sees it
    (a file restored after the last fault of an earlier run included)."""
    wanted = set()
    for folder, dirs, files in os.walk(ROOT):
        dirs[:] = [d for d in dirs if d != ".git" and not d.startswith("build")]
        for name in files:
            relative = os.path.relpath(os.path.join(folder, name), ROOT)
            wanted.add(relative)
            source, copy = os.path.join(ROOT, relative), os.path.join(SOURCE, relative)
            with open(source, "rb") as f:
                text = f.read()
            if os.path.exists(copy):
                with open(copy, "rb") as f:
                    if f.read() == text:
                        continue
            os.makedirs(os.path.dirname(copy), exist_ok=True)
            with open(copy, "wb") as f:
                f.write(text)
            shutil.copymode(source, copy)
    for folder, _, files in os.walk(SOURCE):
        for name in files:
            path = os.path.join(folder, name)
            if os.path.relpath(path, SOURCE) not in wanted:
                os.remove(path)


def prepare(jobs):
    """A copy of the tree, configured and built once; later builds are incremental."""
    os.makedirs(SCRATCH, exist_ok=True)
    sync_copy()
    env_launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"] if shutil.which("ccache") else []
    if run(["cmake", "-S", SOURCE, "-B", BUILD, "-DCMAKE_BUILD_TYPE=RelWithDebInfo"] + env_launcher,
           os.path.join(SCRATCH, "configure.log")) != 0:
        sys.exit(f"mutate: configuring failed, see {SCRATCH}/configure.log")
    if run(["cmake", "--build", BUILD, f"-j{jobs}"], os.path.join(SCRATCH, "build.log")) != 0:
        sys.exit(f"mutate: the unchanged tree does not build, see {SCRATCH}/build.log")
    if tests_fail(jobs, os.path.join(SCRATCH, "baseline.log")):
        sys.exit(f"mutate: the unchanged tree fails its tests, see {SCRATCH}/baseline.log")


def tests_fail(jobs, log, first=False):
    """Whether a test fails; with `first`, stops at the first that does, which
    gives the same verdict sooner and names only the tests that had failed by then."""
    return run(["ctest", "--test-dir", BUILD, "-E", EXCLUDE_TESTS, f"-j{jobs}", "--timeout", "180",
                "--output-on-failure"] + (["--stop-on-failure"] if first else []), log) != 0


def failed_tests(log):
    with open(log, encoding="utf-8", errors="replace") as f:
        lines = f.read().splitlines()
    try:
        start = lines.index("The following tests FAILED:")
    except ValueError:
        return []
    return [l.split(" - ")[1].split(" (")[0] for l in lines[start + 1:] if " - " in l]


def edit(fault, tree):
    """The fault's file in tree, its text, and the lines it replaces and puts
    in their place; or None and why it does not apply."""
    path = os.path.join(tree, fault.file)
    if not os.path.exists(path):
        return None, f"there is no {fault.file}"
    with open(path, encoding="utf-8") as f:
        original = f.read()
    old, new = "\n".join(fault.old) + "\n", "\n".join(fault.new) + ("\n" if fault.new else "")
    if original.count(old) != 1:
        return None, f"found {original.count(old)} times in {fault.file}"
    if old == new:
        return None, f"its edit changes nothing in {fault.file}"
    return (path, original, old, new), ""


def plant(fault, jobs):
    """Applies one fault, rebuilds and tests; returns (verdict, detail)."""
    found, why = edit(fault, SOURCE)
    if not found:
        return "does not apply", why
    path, original, old, new = found
    log = os.path.join(SCRATCH, f"{fault.name}.log")
    try:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original.replace(old, new))
        if run(["cmake", "--build", BUILD, f"-j{jobs}"], log) != 0:
            return "does not build", f"see {log}"
        if tests_fail(jobs, log, first=True):
            return "caught", ", ".join(failed_tests(log))
        return "survived", ""
    finally:
        # The next build compiles the restored file again with the next fault.
        with open(path, "w", encoding="utf-8") as f:
            f.write(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("names", nargs="*", help="only these faults")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--list", action="store_true", help="list the catalogue and stop")
    parser.add_argument("--catalogue", default=os.path.join(ROOT, "tests", "mutation", "faults.txt"),
                        help="another catalogue than tests/mutation/faults.txt")
    parser.add_argument("--dry-run", action="store_true",
                        help="check that every fault applies to the tree, without building")
    args = parser.parse_args()

    faults = read_catalogue(args.catalogue)
    if args.list:
        for fault in faults:
            print(f"{fault.name:32} {'shown' if fault.shown else 'hidden':6} {fault.what}")
        return 0
    unknown = set(args.names) - {f.name for f in faults}
    if unknown:
        sys.exit(f"mutate: no fault is named {' '.join(sorted(unknown))}")
    chosen = [f for f in faults if not args.names or f.name in args.names]
    if args.dry_run:
        stale = [(f, why) for f in chosen for found, why in [edit(f, ROOT)] if not found]
        for fault, why in stale:
            print(f"does not apply  {fault.name}: {why}")
        print(f"mutate: {len(chosen) - len(stale)}/{len(chosen)} faults apply to the tree")
        return 1 if stale else 0

    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
    started = time.time()
    print(f"mutate: building the unchanged tree in {SCRATCH}", flush=True)
    prepare(args.jobs)
    rows = []
    for number, fault in enumerate(chosen, 1):
        verdict, detail = plant(fault, args.jobs)
        rows.append((fault, verdict, detail))
        print(f"[{number}/{len(chosen)}] {verdict:14} {fault.name}: {fault.what}"
              + (f" ({detail})" if detail else ""), flush=True)

    judged = [(f, v) for f, v, _ in rows if v in ("caught", "survived")]
    def score(selection):
        caught = sum(1 for _, v in selection if v == "caught")
        return f"{caught}/{len(selection)}" + (f" = {100.0 * caught / len(selection):.1f} %" if selection else "")
    summary = [
        f"all faults:       {score(judged)}",
        f"shown faults:     {score([(f, v) for f, v in judged if f.shown])}",
        f"hidden faults:    {score([(f, v) for f, v in judged if not f.shown])}",
        f"not judged:       {len(rows) - len(judged)} (do not apply or do not build)",
        f"time:             {time.time() - started:.0f} s",
    ]
    with open(os.path.join(SCRATCH, "report.txt"), "w", encoding="utf-8") as f:
        for fault, verdict, detail in rows:
            f.write(f"{verdict:14} {'shown' if fault.shown else 'hidden':6} {fault.name}: {fault.what}"
                    + (f" ({detail})" if detail else "") + "\n")
        f.write("\n" + "\n".join(summary) + "\n")
    print("\n" + "\n".join(summary))
    return 0


if __name__ == "__main__":
    sys.exit(main())
