#!/usr/bin/env python3
# Mutation check of the portable core: plants small faults (a deleted or swapped statement, a negated
# condition, a flipped comparison, a changed text or code) one at a time, rebuilds the host unit tests and
# runs them. A mutant the tests pass has "survived": some behaviour of the core is not pinned down by a test.
#
#   python3 scripts/mutate.py [--count 60] [--seed 1] [--kind statements|constants|all] [--list] [--by-test]
#
# --by-test also names, for every unit test, the mutants it kills and how many of them no other test kills: a
# test without such a kill catches nothing the others miss, within the sample (take --count 100000 for all).
#
# Statement operators work on the core's .cpp files; constants also on its headers, where most of the
# program's texts, DDE names, key codes and timings live. src/platform/sim, src/platform/win32 and
# src/app are not core. Sources are always restored (also on Ctrl-C), and build/host is rebuilt from
# them at the end.
import argparse
import json
import os
import random
import re
import shlex
import signal
import subprocess
import sys
import time
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the tree we promise to leave as we found it
from mutation_sites import CONSTANT_OPERATORS, STATEMENT_OPERATORS, find_mutants  # noqa: E402

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "host"
UNIT_TESTS = BUILD / "tests" / "unit_tests"
BACKUPS = BUILD / "mutate-backups"
NOT_CORE = ("src/platform/sim/", "src/platform/win32/", "src/app/")
KINDS = {"statements": STATEMENT_OPERATORS, "constants": CONSTANT_OPERATORS,
         "all": STATEMENT_OPERATORS + CONSTANT_OPERATORS}


class CheckFailed(Exception):
    """The check itself went wrong; its results would mean nothing."""


def core_sources():
    files = sorted(p.relative_to(ROOT) for p in (ROOT / "src").rglob("*") if p.suffix in (".cpp", ".h"))
    return [f for f in files if not f.as_posix().startswith(NOT_CORE)]


def run(command, cwd=ROOT, timeout=None):
    """Runs a command in a process group of its own. However this ends (timeout, Ctrl-C), the whole group
    is gone afterwards: a compiler left running could write a mutant's object after its source is restored."""
    with subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          errors="replace", start_new_session=True) as process:
        try:
            output, _ = process.communicate(timeout=timeout)
            return subprocess.CompletedProcess(command, process.returncode, output)
        finally:
            if process.poll() is None or process_group_alive(process.pid):
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()


def process_group_alive(group):
    try:
        os.killpg(group, 0)
        return True
    except (ProcessLookupError, PermissionError):
        return False


def tree_state():
    return run(["git", "status", "--porcelain", "--untracked-files=all"]).stdout + run(["git", "diff"]).stdout


def build():
    return run(["cmake", "--build", "--preset", "host", "--target", "unit_tests"])


def tests_pass(timeout):
    """True when the unit tests pass; a run that hangs or crashes fails."""
    return failing_tests(timeout) == set()


def failing_tests(timeout):
    """The names of the unit tests that fail, empty when all pass. A hang or crash cannot be pinned on one
    test with certainty: it counts as "<hang>", or as the test that was running when the run crashed."""
    try:
        result = run([str(UNIT_TESTS)], cwd=UNIT_TESTS.parent, timeout=timeout)
    except subprocess.TimeoutExpired:
        return {"<hang>"}
    if result.returncode == 0:
        return set()
    failed = set(re.findall(r"^\[  FAILED  \] (\w+\.\w+)", result.stdout, re.M))
    if not failed:
        running = re.findall(r"^\[ RUN      \] (\w+\.\w+)", result.stdout, re.M)
        failed = {running[-1] if running else "<crash>"}
    return failed


def unit_test_names():
    listing = run([str(UNIT_TESTS), "--gtest_list_tests"], cwd=UNIT_TESTS.parent).stdout
    names, suite = [], ""
    for line in listing.splitlines():
        if line and not line.startswith(" "):
            suite = line.split()[0]
        elif line.strip():
            names.append(suite + line.split()[0])
    return names


def print_by_test(kills):
    """Per test: mutants killed and how many only it kills; hangs are left out, their killer unknown."""
    print("by test: kills, of which only this test's")
    for name in unit_test_names():
        mine = [failed for failed in kills if name in failed]
        alone = sum(1 for failed in mine if failed == {name})
        print(f"{len(mine):5} {alone:5}  {name}{'  (nothing the others miss)' if alone == 0 else ''}")


def object_files():
    """Source path -> object file, so a restored source is recompiled however coarse the file times are."""
    entries = json.loads((BUILD / "compile_commands.json").read_text())
    objects = {}
    for entry in entries:
        words = shlex.split(entry["command"])
        if "-o" in words:
            objects[Path(entry["file"]).resolve()] = Path(entry["directory"]) / words[words.index("-o") + 1]
    return objects


class Sources:
    """Applies one mutant at a time and always puts the original back, keeping a copy on disk meanwhile."""

    def __init__(self):
        self.objects = object_files()
        leftovers = list(BACKUPS.glob("*")) if BACKUPS.exists() else []
        if leftovers:
            raise CheckFailed(f"an interrupted run left originals in {BACKUPS}: compare them with the sources, "
                              "put back what differs, then delete them")

    def forget_object(self, path):
        self.objects.get((ROOT / path).resolve(), Path("/nonexistent")).unlink(missing_ok=True)

    def mutate_and(self, mutant, action):
        path = ROOT / mutant.path
        original = path.read_bytes()
        backup = BACKUPS / mutant.path.as_posix().replace("/", "__")
        BACKUPS.mkdir(parents=True, exist_ok=True)
        backup.write_bytes(original)
        try:
            lines = original.decode("utf-8").split("\n")
            for index, text in mutant.replacement.items():
                lines[index] = text
            path.write_bytes("\n".join(lines).encode("utf-8"))
            self.forget_object(mutant.path)
            return action()
        finally:
            path.write_bytes(original)
            self.forget_object(mutant.path)
            if path.read_bytes() != original:
                raise CheckFailed(f"could not restore {mutant.path}; the original is in {backup}")
            backup.unlink()


def try_mutant(sources, mutant, timeout, kills):
    def build_and_test():
        if build().returncode != 0:
            return "NOT COMPILED"
        failed = failing_tests(timeout)
        if failed:
            kills.append(failed)
        return "KILLED" if failed else "SURVIVED"
    return sources.mutate_and(mutant, build_and_test)


def choose_mutants(kind, count, seed):
    candidates = [m for path in core_sources() for m in find_mutants(ROOT, path, KINDS[kind])]
    chosen = random.Random(seed).sample(candidates, min(count, len(candidates)))
    return sorted(chosen, key=lambda m: (m.path, m.line, m.operator, m.after)), len(candidates)


def describe(mutant):
    return f"{mutant.path}:{mutant.line}  {mutant.operator}  {mutant.before} -> {mutant.after}"


def check(args):
    mutants, candidates = choose_mutants(args.kind, args.count, args.seed)
    print(f"{len(mutants)} of {candidates} possible mutants ({args.kind}, seed {args.seed})", flush=True)
    if args.list:
        for mutant in mutants:
            print(describe(mutant))
        return
    before = tree_state()
    if not (BUILD / "CMakeCache.txt").exists() and run(["cmake", "--preset", "host"]).returncode != 0:
        raise CheckFailed("cmake --preset host failed")
    sources = Sources()  # refuses to start over the leftovers of an interrupted run
    if build().returncode != 0 or not tests_pass(args.timeout):
        raise CheckFailed("the unmodified core does not build or its unit tests fail; fix that first")
    results, kills, started = [], [], time.monotonic()
    try:
        for mutant in mutants:
            results.append(try_mutant(sources, mutant, args.timeout, kills))
            print(f"{results[-1]:<12}  {describe(mutant)}", flush=True)
        elapsed = time.monotonic() - started
    finally:
        if tree_state() != before:
            changed = run(["git", "status", "--short"]).stdout
            raise CheckFailed(f"the working tree differs from before the run:\n{changed}")
        print("rebuilding build/host from the unmodified sources", flush=True)
        if build().returncode != 0 or not tests_pass(args.timeout):
            raise CheckFailed("build/host does not build or pass from the restored sources")
    compiled = [r for r in results if r != "NOT COMPILED"]
    print(f"killed {compiled.count('KILLED')} of {len(compiled)}")
    print(f"not compiled: {len(results) - len(compiled)}")
    print(f"time: {elapsed:.0f} s for {len(results)} mutants, {elapsed / len(results):.1f} s per mutant")
    if args.by_test:
        print_by_test(kills)


def main():
    parser = argparse.ArgumentParser(description="Mutation check of Tarvello's portable core.")
    parser.add_argument("--count", type=int, default=60, help="mutants to try (default 60)")
    parser.add_argument("--seed", type=int, default=1, help="seed of the sample (default 1)")
    parser.add_argument("--kind", choices=KINDS, default="all", help="statements (operators 1-4), constants, all")
    parser.add_argument("--list", action="store_true", help="print the chosen mutants without running them")
    parser.add_argument("--by-test", action="store_true", help="per unit test: the kills no other test makes")
    parser.add_argument("--timeout", type=float, default=60, help="seconds before a test run counts as killed")
    args = parser.parse_args()
    if args.count < 1:
        parser.error("--count must be at least 1")

    def interrupted(signum, frame):
        raise KeyboardInterrupt
    signal.signal(signal.SIGTERM, interrupted)
    signal.signal(signal.SIGHUP, interrupted)
    try:
        check(args)
    except (CheckFailed, OSError) as failure:
        print(f"mutate.py: {failure}", file=sys.stderr)
        return 2
    except KeyboardInterrupt:
        print("mutate.py: interrupted; the sources are restored", file=sys.stderr)
        return 130
    return 0


if __name__ == "__main__":
    sys.exit(main())
