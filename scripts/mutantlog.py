#!/usr/bin/env python3
"""Reads the log of a `MUTANTS_ALL=1 scripts/mutants.sh` run and says which tests catch which fault.

    scripts/mutantlog.py [log] [--tests] [--sole] [--json FILE] [--bin DIR]

    log      the run's log (default build-mutants/mutants.log)
    --bin    the test programs of the run (default: bin beside the log), to name a crashed one
    (none)   one line per fault: its number, the failing tests (or "MISSED"), then the fault
    --tests  one line per test: how many faults it catches, and how many of them no other test
             catches (a test of program P that crashed counts as "P:crashed": the test that
             crashed is not named by the log)
    --sole   only the faults that exactly one test catches, with that test
    --json   also writes {fault label: [tests]} to FILE, to compare two runs

A program's run starts with gtest's "Running main()" line; a run without gtest's closing
"[==========]" line crashed or timed out. The programs run in the order mutants.sh gives them:
the one for the fault's folder first, then the others by name.
"""
import collections
import json
import os
import re
import sys

FAILED = re.compile(r"^\[  FAILED  \] (\S+\.\S+)")


def program_order(bin_dir, mutated):
    if not os.path.isdir(bin_dir):
        return []
    names = sorted(n for n in os.listdir(bin_dir) if n.startswith("test_"))
    folder = os.path.dirname(mutated)
    for prefix in ("src/", "tools/"):
        if folder.startswith(prefix):
            folder = folder[len(prefix):]
    first = "test_" + folder.replace("/", "_")
    return ([first] if first in names else []) + [n for n in names if n != first]


def parse(path, bin_dir):
    """[(label, set of failing tests)] in the order of the run."""
    faults, label, block = [], None, []

    def close():
        if label is None:
            return
        runs, current = [], None
        for line in block:
            if line.startswith("Running main() from"):
                current = {"failed": set(), "finished": False}
                runs.append(current)
            elif current is not None:
                m = FAILED.match(line)
                if m:
                    current["failed"].add(m.group(1))
                elif line.startswith("[==========]"):
                    current["finished"] = True
        order = program_order(bin_dir, label.split(":", 1)[0])
        caught = set()
        for i, run in enumerate(runs):
            caught |= run["failed"]
            if not run["finished"]:
                caught.add((order[i] if i < len(order) else "program %d" % i) + ":crashed")
        faults.append((label, caught))

    with open(path, errors="replace") as log:
        for line in log:
            line = line.rstrip("\n")
            if line.startswith("=== "):
                close()
                label, block = line[4:], []
            else:
                block.append(line)
    close()
    return faults


def main(argv):
    args = [a for a in argv if not a.startswith("--")]
    option = {}
    for name in ("--json", "--bin"):
        if name in argv:
            option[name] = argv[argv.index(name) + 1]
            args.remove(option[name])
    path = args[0] if args else "build-mutants/mutants.log"
    bin_dir = option.get("--bin", os.path.join(os.path.dirname(os.path.abspath(path)), "bin"))
    faults = parse(path, bin_dir)
    json_out = option.get("--json")
    if json_out:
        with open(json_out, "w") as out:
            json.dump({label: sorted(tests) for label, tests in faults}, out, indent=1)
    if "--tests" in argv:
        count, sole = collections.Counter(), collections.Counter()
        for _, tests in faults:
            for t in tests:
                count[t] += 1
                if len(tests) == 1:
                    sole[t] += 1
        for t in sorted(count):
            print("%3d caught %3d alone  %s" % (count[t], sole[t], t))
        return
    for n, (label, tests) in enumerate(faults, 1):
        if "--sole" in argv and len(tests) != 1:
            continue
        shown = " ".join(sorted(tests)) if tests else "MISSED"
        print("[%d] %s\n      %s" % (n, label, shown))


if __name__ == "__main__":
    main(sys.argv[1:])
