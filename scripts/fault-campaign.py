#!/usr/bin/env python3
"""Puts deliberate faults into a private copy of the sources, one at a time, and runs the native
unit tests against each: a fault that no test notices is a gap in the tests.

    scripts/fault-campaign.py [--faults FILE] [--only ID[,ID...]] [--at COMMIT] [--list]

The faults come from scripts/faults.txt (or FILE). Each one is a block:

    == ID: what goes wrong, in one line
    file: path/from/the/root.cpp
    - text to find (one or more lines, each after "- ")
    + its replacement (zero or more lines, each after "+ ")

A block may hold several such pairs, each applied in turn. The text to find must occur exactly
once in the file; its lines are matched whatever their indentation, and the replacement's lines
after the first take the indentation of the line where the match starts. Lines starting with
"#" are comments.

The copy lives in out/faults/src with one build directory, out/faults/build, so each fault costs
an incremental build; the working tree is never touched. The campaign first checks that the
tests pass without any fault (on the working tree, or on the sources of COMMIT), then prints one
line per fault (caught, by which test, or missed), and a summary. Results also go to
out/faults/results.txt.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import textwrap
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WORK = os.path.join(ROOT, "out", "faults")
SOURCE = os.path.join(WORK, "src")
BUILD = os.path.join(WORK, "build")
TEST_BINARY = os.path.join(BUILD, "bin", "cirvane_tests")
BUILD_TIMEOUT = 1800
TEST_TIMEOUT = 900


class Fault:
    def __init__(self, ident, description):
        self.ident = ident
        self.description = description
        self.path = None
        self.hunks = []  # [(lines to find, replacement lines)]


def read_faults(path):
    faults = []
    current = None
    with open(path, encoding="utf-8") as listing:
        for number, line in enumerate(listing, 1):
            line = line.rstrip("\n")
            heading = re.match(r"^== ([A-Za-z0-9_.-]+): (.+)$", line)
            if heading:
                current = Fault(heading.group(1), heading.group(2))
                faults.append(current)
            elif line.startswith("file: ") and current:
                current.path = line[len("file: "):]
            elif line.startswith("- ") or line == "-":
                if not current.hunks or current.hunks[-1][1]:
                    current.hunks.append(([], []))
                current.hunks[-1][0].append(line[2:])
            elif (line.startswith("+ ") or line == "+") and current.hunks:
                current.hunks[-1][1].append(line[2:])
            elif line.strip() and not line.startswith("#"):
                sys.exit(f"{path}:{number}: not a fault line: {line}")
    for fault in faults:
        if not fault.path or not fault.hunks:
            sys.exit(f"{path}: fault {fault.ident} needs a file and a text to find")
    idents = [fault.ident for fault in faults]
    if len(set(idents)) != len(idents):
        sys.exit(f"{path}: two faults share an ID")
    return faults


def source_files(tree):
    listed = subprocess.run(
        ["git", "ls-files", "--cached", "--others", "--exclude-standard", "-z"],
        cwd=tree, check=True, capture_output=True).stdout.decode().split("\0")
    return [name for name in listed if name and os.path.isfile(os.path.join(tree, name))]


def checkout(commit):
    """A directory holding the sources of `commit`."""
    tree = os.path.join(WORK, "commit")
    shutil.rmtree(tree, ignore_errors=True)
    os.makedirs(tree)
    archive = subprocess.run(["git", "archive", commit], cwd=ROOT, check=True,
                             capture_output=True).stdout
    subprocess.run(["tar", "-x", "-C", tree], input=archive, check=True)
    subprocess.run(["git", "init", "-q"], cwd=tree, check=True)
    subprocess.run(["git", "add", "-A"], cwd=tree, check=True)
    return tree


def mirror_sources(tree):
    """Copies the sources in `tree` into SOURCE, rewriting only files whose bytes differ, so
    that the build after it stays incremental. A rewritten file gets the time of now, never the
    origin's: a build of a fault in it may be newer than the origin, and must be redone."""
    wanted = set(source_files(tree))
    for name in wanted:
        origin = os.path.join(tree, name)
        copy = os.path.join(SOURCE, name)
        with open(origin, "rb") as handle:
            content = handle.read()
        if os.path.exists(copy):
            with open(copy, "rb") as handle:
                if handle.read() == content:
                    continue
        os.makedirs(os.path.dirname(copy), exist_ok=True)
        shutil.copyfile(origin, copy)
    for directory, _, files in os.walk(SOURCE):
        for name in files:
            relative = os.path.relpath(os.path.join(directory, name), SOURCE)
            if relative not in wanted:
                os.remove(os.path.join(directory, name))


def run(command, timeout, **options):
    try:
        result = subprocess.run(command, capture_output=True, timeout=timeout, **options)
        return result.returncode, result.stdout.decode(errors="replace") + \
            result.stderr.decode(errors="replace")
    except subprocess.TimeoutExpired:
        return None, ""


def build():
    if not os.path.exists(os.path.join(BUILD, "build.ninja")):
        # Light optimisation and no debug information: each fault's build is mostly the link.
        code, output = run(["cmake", "-S", SOURCE, "-B", BUILD, "-G", "Ninja",
                            "-DCMAKE_BUILD_TYPE=None", "-DCMAKE_C_FLAGS=-O1",
                            "-DCMAKE_CXX_FLAGS=-O1"], BUILD_TIMEOUT)
        if code != 0:
            sys.exit("cannot configure the campaign's build:\n" + output)
    return run(["cmake", "--build", BUILD, "--target", "cirvane_tests"], BUILD_TIMEOUT)


def run_tests():
    """('passed' | 'failed' | 'hung', name of the first failing test)."""
    code, output = run([TEST_BINARY, "--gtest_fail_fast", "--gtest_brief=1"], TEST_TIMEOUT,
                       cwd=BUILD)
    if code is None:
        return "hung", ""
    if code == 0:
        return "passed", ""
    failed = re.search(r"^\[  FAILED  \] ([\w/.]+)", output, re.MULTILINE)
    if failed:
        return "failed", failed.group(1)
    died = output.strip().splitlines()[-1:] or ["exit status %d" % code]
    return "failed", "crashed: " + died[0][:80]


def with_fault(fault, text):
    """`text` with the fault put in; None when a text to find is not there exactly once."""
    for find, replacement in fault.hunks:
        pattern = r"\n[ \t]*".join(re.escape(line.strip()) for line in find)
        matches = list(re.finditer(pattern, text))
        if len(matches) != 1:
            return None
        start, end = matches[0].span()
        line_start = text.rfind("\n", 0, start) + 1
        indent = re.match(r"[ \t]*", text[line_start:]).group(0)
        lines = textwrap.dedent("\n".join(replacement)).split("\n") if replacement else []
        text = text[:start] + ("\n" + indent).join(lines) + text[end:]
    return text


def read_text(root, fault):
    path = os.path.join(root, fault.path)
    if not os.path.exists(path):
        return None
    with open(path, encoding="utf-8") as handle:
        return handle.read()


def apply(fault):
    """The file's original text, after putting the fault in; None when it does not apply."""
    original = read_text(SOURCE, fault)
    faulty = with_fault(fault, original) if original is not None else None
    if faulty is None:
        return None
    with open(os.path.join(SOURCE, fault.path), "w", encoding="utf-8") as handle:
        handle.write(faulty)
    return original


def restore(fault, original):
    with open(os.path.join(SOURCE, fault.path), "w", encoding="utf-8") as handle:
        handle.write(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--faults", default=os.path.join(ROOT, "scripts", "faults.txt"))
    parser.add_argument("--only", default="", help="comma-separated fault IDs")
    parser.add_argument("--at", default="",
                        help="test the sources of this commit instead of the working tree")
    parser.add_argument("--list", action="store_true",
                        help="list the faults, check that each applies, and stop")
    options = parser.parse_args()

    faults = read_faults(options.faults)
    if options.only:
        chosen = set(options.only.split(","))
        unknown = chosen - {fault.ident for fault in faults}
        if unknown:
            sys.exit("no such fault: " + ", ".join(sorted(unknown)))
        faults = [fault for fault in faults if fault.ident in chosen]
    if options.list:
        missing = 0
        for fault in faults:
            original = read_text(ROOT, fault)
            applies = original is not None and with_fault(fault, original) is not None
            missing += not applies
            print(("" if applies else "NOT APPLICABLE ") +
                  f"{fault.ident}: {fault.description} ({fault.path})")
        return 1 if missing else 0

    os.nice(19)
    os.makedirs(SOURCE, exist_ok=True)
    mirror_sources(checkout(options.at) if options.at else ROOT)
    code, output = build()
    if code != 0:
        sys.exit("the sources do not build without a fault:\n" + output[-3000:])
    outcome, test = run_tests()
    if outcome != "passed":
        sys.exit(f"the tests do not pass without a fault ({outcome} {test})")

    results = []
    started = time.time()
    for number, fault in enumerate(faults, 1):
        original = apply(fault)
        if original is None:
            verdict, detail = "NOT APPLIED", "the text to find is not there exactly once"
        else:
            try:
                code, output = build()
                if code != 0:
                    verdict, detail = "NO BUILD", "the faulty code does not compile"
                else:
                    outcome, test = run_tests()
                    verdict = "missed" if outcome == "passed" else "caught"
                    detail = test if outcome == "failed" else outcome
            finally:
                restore(fault, original)
        line = f"{verdict:11} {fault.ident}: {fault.description}" + \
            (f"  [{detail}]" if detail else "")
        print(f"[{number}/{len(faults)}] {line}", flush=True)
        results.append((verdict, line))

    counted = [verdict for verdict, _ in results if verdict in ("caught", "missed")]
    caught = counted.count("caught")
    share = 100.0 * caught / len(counted) if counted else 0.0
    summary = [f"faults: {len(results)}, applied and built: {len(counted)}, caught: {caught} "
               f"({share:.1f}%), in {time.time() - started:.0f} s"]
    summary += ["  " + line for verdict, line in results if verdict != "caught"]
    print("\n".join(summary))
    with open(os.path.join(WORK, "results.txt"), "w", encoding="utf-8") as handle:
        handle.write("\n".join(line for _, line in results) + "\n" + "\n".join(summary) + "\n")
    build()  # leaves the copy's build matching its sources
    return 0 if caught == len(counted) and len(counted) == len(results) else 1


if __name__ == "__main__":
    sys.exit(main())
