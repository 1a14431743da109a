#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plants each fault of mutants.txt, one at a time, in a scratch copy of the working tree,
rebuilds the fast tests incrementally and runs them; where they all pass, the widget tests
(offscreen) too. A fault that no test notices survives.
Usage: tests/mutation/run.py [name filter ...]: the faults whose name holds any of them"""
import functools
import os
import subprocess
import sys
import tempfile
import time
from pathlib import Path

TOP = Path(__file__).resolve().parents[2]
print = functools.partial(print, flush=True)  # noqa: A001 - progress shows while it runs
# Each stage is built and run only where the one before it noticed nothing.
STAGES = [["grading_tests", "keys_tests", "settings_tests", "settings_fuzz_replay", "key_file_fuzz_replay"],
          ["sheet_tests", "window_tests"]]
CORPORA = {"settings_fuzz_replay": "corpus", "key_file_fuzz_replay": "key-file-corpus"}
ENVIRONMENT = dict(os.environ, QT_QPA_PLATFORM="offscreen")


def read_mutants(path):
    mutants, current = [], None
    for line in path.read_text(encoding="utf-8").splitlines():
        if line.startswith("== "):
            current = {"name": line[3:], "equivalent": None, "at": None}
            mutants.append(current)
        elif current is None or line.startswith("#") or not line.strip():
            continue
        elif line.startswith("file: "):
            current["file"] = line[6:]
        elif line.startswith("- "):
            current["old"] = line[2:]
        elif line == "+" or line.startswith("+ "):
            current["new"] = line[2:]
        elif line.startswith("at: "):
            current["at"] = int(line[4:])
        elif line.startswith("equivalent: "):
            current["equivalent"] = line[12:]
        else:
            sys.exit(f"mutants.txt: cannot read {line!r}")
    for mutant in mutants:
        if not all(key in mutant for key in ("file", "old", "new")):
            sys.exit(f"mutants.txt: {mutant['name']!r} lacks its file, - or + line")
    return mutants


def run(command, cwd, timeout=None):
    return subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, timeout=timeout, env=ENVIRONMENT)


def build_and_pass(scratch, name=None):
    """Builds and runs stage after stage; false as soon as a test fails."""
    for stage in STAGES:
        built = run(["cmake", "--build", "build", "--target", *stage], scratch)
        if built.returncode != 0:
            sys.exit(f"{name or 'the unchanged tree'!r} does not build:\n{built.stdout[-3000:]}")
        for target in stage:
            binary = next((scratch / "build").rglob(target))
            arguments = [str(TOP / "fuzz" / CORPORA[target])] if target in CORPORA else []
            try:
                # A planted fault may make a test wait for good (a pipe opened for reading, a
                # box that never closes).
                if run([str(binary), *arguments], scratch / "build", timeout=60).returncode != 0:
                    return False
            except subprocess.TimeoutExpired:
                return False
    return True


def main():
    started = time.monotonic()
    wanted = sys.argv[1:] or [""]
    mutants = [m for m in read_mutants(Path(__file__).with_name("mutants.txt"))
               if any(part in m["name"] for part in wanted)]
    with tempfile.TemporaryDirectory(prefix="zensulino-mutation-") as scratch:
        scratch = Path(scratch)
        files = run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"], TOP)
        for name in filter(None, files.stdout.split("\0")):
            source = TOP / name
            if source.is_file():
                (scratch / name).parent.mkdir(parents=True, exist_ok=True)
                (scratch / name).write_bytes(source.read_bytes())
        configure = run(["cmake", "-S", ".", "-B", "build", "-G", "Ninja",
                         "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DZENSULINO_BUILD_TESTS=ON"], scratch)
        if configure.returncode != 0:
            sys.exit(configure.stdout)
        if not build_and_pass(scratch):
            sys.exit("the unchanged tree does not pass its tests")

        killed, survived, equivalent = 0, [], 0
        for mutant in mutants:
            if mutant["equivalent"]:
                equivalent += 1
                print(f"equivalent  {mutant['name']}: {mutant['equivalent']}")
                continue
            path = scratch / mutant["file"]
            original = path.read_text(encoding="utf-8")
            places = original.count(mutant["old"])
            at = mutant["at"] or 1
            if (mutant["at"] is None and places != 1) or at > places:
                sys.exit(f"{mutant['name']!r}: the text to replace stands {places} times in "
                         f"{mutant['file']}; name the one with 'at: N'")
            start = -1
            for _ in range(at):
                start = original.index(mutant["old"], start + 1)
            mutated = original[:start] + mutant["new"] + original[start + len(mutant["old"]):]
            path.write_text(mutated, encoding="utf-8")
            try:
                if build_and_pass(scratch, mutant["name"]):
                    survived.append(mutant["name"])
                    print(f"SURVIVED    {mutant['name']}")
                else:
                    killed += 1
                    print(f"killed      {mutant['name']}")
            finally:
                path.write_text(original, encoding="utf-8")
        print(f"{len(mutants)} planted, {equivalent} equivalent and not run; "
              f"{time.monotonic() - started:.0f} s")
        print(f"{killed} killed, {len(survived)} survived")
        return 1 if survived else 0


if __name__ == "__main__":
    sys.exit(main())
