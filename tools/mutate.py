#!/usr/bin/env python3
"""Mutation sample over the core: single edits of operators and constants, each rebuilt and
tested, to see which faults the suite lets through.

  tools/mutate.py list  [--seed N] [--count N]            the sample, one mutant a line
  tools/mutate.py run   BUILD_DIR [--seed N] [--count N] [--only FILE] [--log FILE]
  tools/mutate.py run   BUILD_DIR --replay LOG [--log FILE]     the survivors of an earlier run

`run` edits one source line at a time in this checkout, rebuilds the core test programs in
BUILD_DIR (configured beforehand), runs them until the first failure and puts the line back,
whatever happens. A mutant that does not compile is left out of the rate; one that no test
fails "survives". `--only` reruns the mutants listed in an earlier log's SURVIVED lines by their
number in the same sample; `--replay` reruns them by their text, for code that has moved since.
"""
import argparse
import pathlib
import random
import re
import signal
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
FOLDERS = ["model", "sizing", "plan", "combined", "design", "checks", "drawing", "project"]
TESTS = ["tests_model", "tests_sizing", "tests_plan", "tests_combined", "tests_design",
         "tests_checks", "tests_drawing", "tests_project", "tests_report", "tests_batch",
         "tests_output"]

# (name, pattern, replacement): one occurrence on one line is replaced.
OPERATORS = [
    ("lt->le", r"(?<=[\w\)\]]) < (?=[\w\(])", " <= "),
    ("le->lt", r" <= ", " < "),
    ("gt->ge", r"(?<=[\w\)\]]) > (?=[\w\(])", " >= "),
    ("ge->gt", r" >= ", " > "),
    ("eq->ne", r" == ", " != "),
    ("ne->eq", r" != ", " == "),
    ("and->or", r" && ", " || "),
    ("or->and", r" \|\| ", " && "),
    ("plus->minus", r"(?<=[\w\)\]]) \+ (?=[\w\(])", " - "),
    ("minus->plus", r"(?<=[\w\)\]]) - (?=[\w\(])", " + "),
    ("mul->div", r"(?<=[\w\)\]]) \* (?=[\w\(])", " / "),
    ("const+1", r"(?<![\w.])([2-9]|[1-9]\d+)(?![\w.])", None),
    ("true->false", r"\btrue\b", "false"),
]


def skip(line):
    s = line.strip()
    return (not s or s.startswith("//") or s.startswith("#") or s.startswith("*")
            or "ORMEVAK_ASSERT" in s or "static_assert" in s or s.startswith("throw")
            or '"' in s)


def candidates():
    out = []
    for folder in FOLDERS:
        for path in sorted((ROOT / "src" / folder).glob("*.cpp")):
            rel = str(path.relative_to(ROOT))
            for no, line in enumerate(path.read_text().splitlines(), 1):
                if skip(line):
                    continue
                for name, pattern, repl in OPERATORS:
                    for m in re.finditer(pattern, line):
                        if repl is None:
                            new = line[:m.start()] + str(int(m.group(0)) + 1) + line[m.end():]
                        else:
                            new = line[:m.start()] + repl + line[m.end():]
                        out.append((rel, no, name, line, new))
    return out


def sample(seed, count):
    all_ = candidates()
    rng = random.Random(seed)
    return rng.sample(all_, min(count, len(all_)))


def sh(cmd, cwd, timeout):
    try:
        r = subprocess.run(cmd, cwd=cwd, shell=True, stdout=subprocess.PIPE,
                           stderr=subprocess.STDOUT, timeout=timeout, text=True)
        return r.returncode, r.stdout
    except subprocess.TimeoutExpired:
        return 124, "timeout"


def replayed(log):
    """The SURVIVED mutants of an earlier log, as (number, mutant) with stripped line texts."""
    out = []
    pat = re.compile(r"^SURVIVED (\d+): (\S+):(\d+) (\S+) \| (.*) -> (.*) \(\d+ s\)$")
    for line in open(log):
        m = pat.match(line.rstrip("\n"))
        if m:
            out.append((int(m.group(1)), (m.group(2), int(m.group(3)), m.group(4), m.group(5),
                                          m.group(6))))
    return out


def run_one(build, mutant):
    rel, no, name, old, new = mutant
    path = ROOT / rel
    text = path.read_text()
    lines = text.split("\n")
    # A sample taken before an edit still finds its line by its text, indentation aside.
    if no > len(lines) or lines[no - 1].strip() != old.strip():
        matches = [i for i, l in enumerate(lines, 1) if l.strip() == old.strip()]
        if not matches:
            return "GONE"
        no = min(matches, key=lambda i: abs(i - no))
    indent = lines[no - 1][:len(lines[no - 1]) - len(lines[no - 1].lstrip())]
    lines[no - 1] = indent + new.strip()
    try:
        path.write_text("\n".join(lines))
        rc, out = sh("cmake --build . -j2 --target " + " ".join(TESTS + ["ormevak-batch"]),
                   build, 900)
        if rc != 0:
            return "STILLBORN"
        for t in TESTS:
            exe = pathlib.Path(build) / "tests" / t
            if not exe.exists():
                raise SystemExit("no test program " + str(exe))
            rc, _ = sh("LC_ALL=C QT_QPA_PLATFORM=offscreen '%s' --gtest_fail_fast --gtest_brief=1"
                       % exe, build, 600)
            if rc != 0:
                return "KILLED by " + t
        return "SURVIVED"
    finally:
        path.write_text(text)


def main():
    # A stopped run still puts the edited line back (the finally clause of run_one).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    ap = argparse.ArgumentParser()
    ap.add_argument("verb", choices=["list", "run"])
    ap.add_argument("build", nargs="?")
    ap.add_argument("--seed", type=int, default=2026)
    ap.add_argument("--count", type=int, default=80)
    ap.add_argument("--only")
    ap.add_argument("--log")
    ap.add_argument("--replay")
    a = ap.parse_args()
    if a.build:
        a.build = str(pathlib.Path(a.build).resolve())
    mutants = sample(a.seed, a.count) if not a.replay else []
    if a.replay:
        numbered = replayed(a.replay)
    elif a.only:
        keep = set()
        for line in open(a.only):
            if line.startswith("SURVIVED"):
                keep.add(int(line.split()[1].rstrip(":")))
        mutants = [m for i, m in enumerate(mutants, 1) if i in keep]
        numbered = [(i, m) for i, m in enumerate(sample(a.seed, a.count), 1) if i in keep]
    else:
        numbered = list(enumerate(mutants, 1))
    if a.verb == "list":
        for i, (rel, no, name, old, new) in numbered:
            print("%3d %s:%d %s\n      %s\n   -> %s" % (i, rel, no, name, old.strip(), new.strip()))
        return 0
    log = open(a.log, "a") if a.log else sys.stdout
    tally = {}
    for i, m in numbered:
        t0 = time.time()
        verdict = run_one(a.build, m)
        key = verdict.split()[0]
        tally[key] = tally.get(key, 0) + 1
        rel, no, name, old, new = m
        print("%s %d: %s:%d %s | %s -> %s (%.0f s)" % (verdict, i, rel, no, name, old.strip(),
                                                      new.strip(), time.time() - t0),
              file=log, flush=True)
    killed, survived = tally.get("KILLED", 0), tally.get("SURVIVED", 0)
    rate = 100.0 * killed / max(killed + survived, 1)
    print("TALLY %s; kill rate %d/%d = %.0f %%" % (tally, killed, killed + survived, rate),
          file=log, flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
