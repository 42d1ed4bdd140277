# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

"""The mutation check's runner: see scripts/mutants.sh for its usage.

Mutants are drawn by seed from the sites that sites.py finds under src/. Each is
written into a scratch copy of the tree and built there (one build folder, kept
between runs, so only what the mutant touches is rebuilt); then the unit test
programs that link the mutated file run, two at a time, until one fails. Which
programs link a file is asked of the build itself: ninja is asked, in a dry run,
what it would relink once the file changes. A mutant no unit test kills is then
run against the end-to-end scenarios (CTest label e2e). One that survives both
must be on the equivalents list, with the reason no behaviour can change, or the
run fails.
"""

import argparse
import datetime
import difflib
import json
import os
import random
import re
import secrets
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
try:
    import sites as sitesmod  # noqa: E402
except ImportError as error:  # libclang's bindings: Debian's python3-clang
    raise SystemExit(f"mutants: {error}; install python3-clang (scripts/install-deps.sh) "
                     "and run this with /usr/bin/python3")

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
EQUIVALENTS = os.path.join(ROOT, "scripts", "mutants-equivalent.txt")
PRECOMPILED = os.path.join(os.path.dirname(os.path.abspath(__file__)), "precompiled.cmake")
FIXED = os.path.join(ROOT, "scripts", "mutants-fixed.txt")
# What the scratch copy needs to configure, build and test.
COPIED = ["CMakeLists.txt", "src", "tests", "resources", "tools", "packaging", "docs"]
# Optimised a little: the level generator's tests take 50 s unoptimised and 3 s
# like this, while a translation unit compiles as fast (its headers dominate).
# Out-of-range indexing stops the program, as in the sanitizer build.
CXX_FLAGS = "-O1 -D_GLIBCXX_ASSERTIONS"


# The end-to-end scenarios mostly wait on their X servers: five at a time take half
# as long as two, on two cores.
E2E_JOBS = 5


def now():
    return time.monotonic()


def load_average():
    try:
        return " ".join(open("/proc/loadavg").read().split()[:3])
    except OSError:
        return "unknown"


class Scratch:
    """The scratch copy of the tree and its build folder."""

    def __init__(self, folder, jobs, log):
        self.folder = folder
        self.tree = os.path.join(folder, "tree")
        self.build = os.path.join(folder, "build")
        self.jobs = jobs
        self.log = log

    def sync(self):
        """Copies what differs from the working tree, and removes what it no longer has."""
        wanted = set()
        for top in COPIED:
            source = os.path.join(ROOT, top)
            if os.path.isfile(source):
                wanted.add(top)
                continue
            for folder, _, names in os.walk(source):
                for name in names:
                    wanted.add(os.path.relpath(os.path.join(folder, name), ROOT))
        for relative in sorted(wanted):
            source, target = os.path.join(ROOT, relative), os.path.join(self.tree, relative)
            if not os.path.exists(target) or not same_file(source, target):
                os.makedirs(os.path.dirname(target), exist_ok=True)
                shutil.copy2(source, target)
                os.utime(target)  # newer than what the build made from the old copy
        for top in COPIED:
            for folder, _, names in os.walk(os.path.join(self.tree, top)):
                for name in names:
                    path = os.path.join(folder, name)
                    if os.path.relpath(path, self.tree) not in wanted:
                        os.remove(path)

    def configure(self):
        """Configures the scratch build, again when the headers to precompile change."""
        lists = {"VORKADE_MUTANTS_CORE_HEADERS": system_includes(self.tree, ["src/core"]),
                 "VORKADE_MUTANTS_GUI_HEADERS": system_includes(self.tree, ["src/core", "src/gui"])}
        settings = [f"-D{name}={';'.join(value)}" for name, value in lists.items()]
        command = ["cmake", "-S", self.tree, "-B", self.build, "-DCMAKE_BUILD_TYPE=Mutants",
                   f"-DCMAKE_CXX_FLAGS={CXX_FLAGS}", "-DVORKADE_BENCHMARKS=OFF",
                   "-DCMAKE_EXPORT_COMPILE_COMMANDS=ON",
                   f"-DCMAKE_PROJECT_TOP_LEVEL_INCLUDES={PRECOMPILED}"] + settings
        if shutil.which("ld.lld"):  # links the test programs several times faster
            command.append("-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld")
        stamp = os.path.join(self.build, "mutants-configure.txt")
        if os.path.exists(os.path.join(self.build, "build.ninja")):
            if os.path.exists(stamp) and open(stamp).read() == "\n".join(command):
                return
        else:
            command[1:1] = ["-G", "Ninja"]
        subprocess.run(command, check=True, stdout=self.log, stderr=subprocess.STDOUT)
        with open(stamp, "w") as f:
            f.write("\n".join(c for c in command if c not in ("-G", "Ninja")))

    def ninja(self, targets, dry=False):
        command = ["nice", "-n", "10", "ninja", "-C", self.build, f"-j{self.jobs}"]
        if dry:
            command.append("-n")
        result = subprocess.run(command + list(targets), stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, text=True)
        return result.returncode == 0, result.stdout

    def tests(self):
        """CTest's tests: name, command, folder, environment, labels."""
        out = subprocess.run(["ctest", "--test-dir", self.build, "--show-only=json-v1"],
                             check=True, stdout=subprocess.PIPE, text=True).stdout
        found = []
        for t in json.loads(out)["tests"]:
            props = {p["name"]: p["value"] for p in t.get("properties", [])}
            environment = dict(os.environ)
            for pair in props.get("ENVIRONMENT", []):
                name, _, value = pair.partition("=")
                environment[name] = value
            found.append({"name": t["name"], "command": t.get("command", []),
                          "cwd": props.get("WORKING_DIRECTORY", self.build),
                          "env": environment, "labels": props.get("LABELS", [])})
        return found


def system_includes(tree, folders):
    """The <...> headers that the sources in folders include."""
    found = set()
    for folder in folders:
        for name in sorted(os.listdir(os.path.join(tree, folder))):
            if name.endswith((".cpp", ".h")):
                with open(os.path.join(tree, folder, name), encoding="utf-8") as f:
                    found.update(re.findall(r"^\s*#\s*include\s*(<[^>]+>)", f.read(), re.M))
    return sorted(found)


def same_file(a, b):
    if os.path.getsize(a) != os.path.getsize(b):
        return False
    with open(a, "rb") as x, open(b, "rb") as y:
        return x.read() == y.read()


class TestRunner:
    """Runs test programs a few at a time and stops them all at the first failure."""

    def __init__(self, jobs, logs):
        self.jobs = jobs
        self.logs = logs
        self.baseline = {}  # test name: seconds, unmutated

    def timeout(self, test):
        return 10 + 5 * self.baseline.get(test["name"], 10)

    def session(self, log_name, jobs=None):
        return TestSession(self, os.path.join(self.logs, log_name), jobs or self.jobs)

    def run(self, tests, log_name, jobs=None):
        """(None, None) when all pass; else (failing test's name, 'failed' or 'timeout')."""
        with self.session(log_name, jobs) as tests_running:
            tests_running.add(tests)
            return tests_running.wait()

    def measure(self, tests, log_name):
        """Runs the unmutated tests one by one, keeping each one's time."""
        for test in tests:
            began = now()
            failing, _ = self.run([test], log_name)
            if failing:
                return failing
            self.baseline[test["name"]] = now() - began
        return None


class TestSession:
    """Tests added while the next program builds; the first failure ends them all."""

    def __init__(self, runner, log_path, jobs):
        self.runner = runner
        self.log = open(log_path, "a")
        self.jobs = jobs
        self.queue = []
        self.running = []
        self.result = (None, None)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        for process, _, _ in self.running:
            stop(process)
        self.log.close()

    def add(self, tests):
        self.queue += tests
        return self.poll()

    def poll(self):
        """Starts what it can, and returns the first failure so far, or (None, None)."""
        for entry in list(self.running):
            process, test, began = entry
            code = process.poll()
            if code is None and now() - began > self.runner.timeout(test):
                stop(process)
                self.result = (test["name"], "timeout")
            elif code is not None:
                self.running.remove(entry)
                if code != 0:
                    self.result = (test["name"], "failed")
            if self.result[0] is not None:
                return self.result
        while self.queue and len(self.running) < self.jobs:
            test = self.queue.pop(0)
            self.log.write(f"\n===== {test['name']}\n")
            self.log.flush()
            process = subprocess.Popen(
                ["nice", "-n", "10"] + test["command"], cwd=test["cwd"], env=test["env"],
                stdout=self.log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                start_new_session=True)
            self.running.append((process, test, now()))
        return self.result

    def wait(self):
        while (self.queue or self.running) and self.result[0] is None:
            time.sleep(0.02)
            self.poll()
        return self.result


def stop(process):
    try:
        os.killpg(process.pid, 9)
    except ProcessLookupError:
        pass
    process.wait()


# ----- the equivalents list and the fixed list

def read_blocks(path):
    """The entries of a list file: blocks of '@', '^', '-', '+', '*', '=' lines."""
    blocks, block = [], None
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            mark, text = line[0], line[2:] if len(line) > 1 else ""
            if mark == "@":
                block = {"line": number, "@": text, "-": [], "+": [], "^": "", "*": "", "=": ""}
                blocks.append(block)
            elif block is None or mark not in "^-+*=" or (len(line) > 1 and line[1] != " "):
                raise SystemExit(f"{path}:{number}: unreadable line: {line}")
            elif mark in "-+":
                block[mark].append(text)
            else:
                block[mark] = (block[mark] + " " + text).strip()
    return blocks


def read_equivalents(path):
    """Key: reason, for every mutant on the list."""
    found = {}
    if not os.path.exists(path):
        return found
    for b in read_blocks(path):
        file, _, function = b["@"].partition(" : ")
        if function == "(file scope)":
            function = ""
        if len(b["-"]) != 1 or not b["*"] or not b["="]:
            raise SystemExit(f"{path}:{b['line']}: an entry needs one '-', one '*' and a '=' reason")
        found[(file.strip(), function.strip(), b["-"][0].strip(), b["*"])] = b["="]
    return found


def fixed_sites(tree):
    """The hand-written faults of scripts/mutants-fixed.txt, as sites."""
    found, stale = [], []
    for b in read_blocks(FIXED):
        file, _, description = b["@"].partition(" : ")
        file = file.strip()
        with open(os.path.join(tree, file), "rb") as f:
            data = f.read()
        old = "\n".join(b["-"]).encode()
        new = "\n".join(b["+"])
        lo, hi = 0, len(data)
        anchor = b["^"].encode()
        if anchor:
            if data.count(anchor) != 1:
                stale.append(f"{file}: {description}")
                continue
            lo = data.index(anchor)
            closing = data.find(b"\n}", lo)  # the function's closing brace
            hi = len(data) if closing < 0 else closing
        if data.count(old, lo, hi) != 1:
            stale.append(f"{file}: {description}")
            continue
        start = data.index(old, lo, hi)
        line = data.count(b"\n", 0, start) + 1
        line_text = data.split(b"\n")[line - 1].decode().strip()
        found.append(sitesmod.Site(file, start, start + len(old), new, "fixed", description.strip(),
                                   line, line_text, b["^"].strip() or "(anywhere)"))
    sitesmod.number_occurrences(found)
    return found, stale


# ----- one mutant

class Mutant:
    def __init__(self, number, site):
        self.number = number
        self.site = site
        self.status = None  # killed, survived, equivalent, stillborn
        self.by = ""
        self.how = ""  # failed or timeout
        self.reason = ""
        self.times = {}
        self.diff = ""


def diff_of(site, data):
    before = data.decode("utf-8").splitlines(keepends=True)
    after = sitesmod.apply(data, site).decode("utf-8").splitlines(keepends=True)
    lines = difflib.unified_diff(before, after, f"a/{site.file}", f"b/{site.file}", n=1)
    return "".join(line if line.endswith("\n") else line + "\n" for line in lines)


class Run:
    def __init__(self, args):
        self.args = args
        self.folder = os.path.abspath(args.dir)
        os.makedirs(self.folder, exist_ok=True)
        self.log = open(os.path.join(self.folder, "runner.log"), "a")
        self.scratch = Scratch(self.folder, args.jobs, self.log)
        self.logs = None
        self.runner = None
        self.unit_tests = []
        self.e2e_tests = []
        self.e2e_ready = None
        self.affected = {}  # file: (objects, programs)
        self.programs = []  # the unit test programs
        self.inputs = {}  # program or library: the objects it links
        self.kept = None  # the file whose objects are kept, and its time
        self.last_killer = {}  # file: program

    def say(self, text):
        print(text, flush=True)

    def prepare(self):
        self.scratch.sync()
        self.scratch.configure()
        began = now()
        ok, out = self.scratch.ninja(["all"])
        if not ok:
            sys.stdout.write(out[-3000:])
            raise SystemExit("mutants: the unmutated tree does not build")
        self.say(f"Scratch build up to date in {now() - began:.0f} s.")
        tests = self.scratch.tests()
        build = os.path.realpath(self.scratch.build)

        def built_here(t):
            return t["command"] and os.path.realpath(t["command"][0]).startswith(build + os.sep)

        self.unit_tests = [t for t in tests if "unit" in t["labels"] and built_here(t)]
        self.e2e_tests = [t for t in tests if "e2e" in t["labels"]]

    def sites(self):
        cache = os.path.join(self.folder, "sites.json")
        commands = os.path.join(self.scratch.build, "compile_commands.json")
        return sitesmod.cached_sites(self.scratch.tree, commands, cache)

    def program_of(self, test):
        return os.path.relpath(os.path.realpath(test["command"][0]), os.path.realpath(self.scratch.build))

    def find_affected(self, files):
        """For each file: the objects a change rebuilds, and the unit test programs it relinks."""
        programs = self.programs = sorted({self.program_of(t) for t in self.unit_tests})
        _, out = self.scratch.ninja(["-t", "targets", "all"])
        linked = re.findall(r"^(\S+): CXX_(?:STATIC_LIBRARY|EXECUTABLE)_LINKER_", out, re.M)
        for output in linked + ["Vorkade2"]:
            _, out = self.scratch.ninja(["-t", "inputs", output])
            self.inputs[output] = {line for line in out.splitlines() if line.endswith(".o")}
        for file in files:
            path = os.path.join(self.scratch.tree, file)
            st = os.stat(path)
            os.utime(path)
            try:
                _, out = self.scratch.ninja(programs + ["Vorkade2"], dry=True)
            finally:
                os.utime(path, ns=(st.st_atime_ns, st.st_mtime_ns))
            objects = re.findall(r"Building CXX object (\S+)", out)
            linked = set(re.findall(r"Linking CXX executable (\S+)", out))
            self.affected[file] = (objects, [p for p in programs if p in linked])

    def programs_for(self, file):
        """The unit test programs that link the file, each with its tests, in the order to
        try them: the one that last killed a mutant here, then the least to compile, then
        the quickest."""
        objects, programs = self.affected[file]
        chosen = []
        for program in programs:
            tests = [t for t in self.unit_tests if self.program_of(t) == program]
            work = len(self.inputs[program] & set(objects))
            seconds = sum(self.runner.baseline.get(t["name"], 0) for t in tests)
            chosen.append((program != self.last_killer.get(file), work, seconds, program, tests))
        chosen.sort(key=lambda c: c[:4])
        return [(c[3], c[4]) for c in chosen]

    def build(self, mutant, targets, step):
        began = now()
        ok, out = self.scratch.ninja(targets)
        mutant.times[step] = mutant.times.get(step, 0) + now() - began
        if not ok:
            with open(os.path.join(self.logs, f"{mutant.number:04d}.log"), "a") as f:
                f.write(out)
        return ok

    def baseline(self):
        began = now()
        failing = self.runner.measure(sorted(self.unit_tests, key=lambda t: t["name"]), "baseline.log")
        if failing:
            raise SystemExit(f"mutants: {failing} fails without any mutant; see {self.logs}/baseline.log")
        self.say(f"Unmutated unit tests pass ({len(self.unit_tests)} of them, {now() - began:.0f} s).")

    def e2e_baseline(self):
        if self.e2e_ready is None:
            ok, out = self.scratch.ninja(["Vorkade2"])
            failing = None if ok else "the game's build"
            if ok:
                failing = self.runner.measure(self.e2e_tests, "baseline-e2e.log")
            if failing:
                raise SystemExit(f"mutants: {failing} fails without any mutant; see {self.logs}/baseline-e2e.log")
            self.e2e_ready = True

    def try_mutant(self, mutant, pristine):
        """Builds one test program at a time, each only as far as it needs, and starts
        its tests while the next one builds: the first failure ends the mutant."""
        site = mutant.site
        with open(os.path.join(self.scratch.tree, site.file), "wb") as f:
            f.write(sitesmod.apply(pristine, site))
        began = now()
        objects = self.affected[site.file][0]
        by, how = None, None
        compiled = set()
        with self.runner.session(f"{mutant.number:04d}.log") as tests:
            for program, program_tests in self.programs_for(site.file):
                needed = [o for o in objects if o in self.inputs[program] and o not in compiled]
                if needed:
                    compiled.update(needed)
                    if not self.build(mutant, needed, "compile"):
                        mutant.status = "stillborn"
                        return
                if not self.build(mutant, [program], "link"):
                    mutant.status = "stillborn"
                    return
                by, how = tests.add(program_tests)
                if by:
                    break
            if not by:
                by, how = tests.wait()
        if not self.affected[site.file][1]:  # no unit test links it: the game alone
            if not self.build(mutant, objects, "compile"):
                mutant.status = "stillborn"
                return
        mutant.times["unit"] = now() - began - mutant.times.get("compile", 0) - mutant.times.get("link", 0)
        if by is None and not self.args.no_e2e:
            if self.e2e_ready is None:
                # The scenarios' own run is on the game as it is, not on this mutant.
                mutated = os.path.join(self.scratch.tree, site.file)
                with open(mutated, "wb") as f:
                    f.write(pristine)
                self.e2e_baseline()
                with open(mutated, "wb") as f:
                    f.write(sitesmod.apply(pristine, site))
            if not self.build(mutant, ["Vorkade2"], "link"):
                mutant.status = "stillborn"
                return
            began = now()
            quickest = sorted(self.e2e_tests, key=lambda t: self.runner.baseline[t["name"]])
            by, how = self.runner.run(quickest, f"{mutant.number:04d}.log", E2E_JOBS)
            mutant.times["e2e"] = now() - began
        if by is not None:
            mutant.status, mutant.by, mutant.how = "killed", by, how
            self.last_killer[site.file] = next(
                (self.program_of(t) for t in self.unit_tests if t["name"] == by), None)
        else:
            mutant.status = "survived"

    def keep(self, file):
        """Copies of the objects built from the file as it is, taken before its mutants."""
        self.kept = (file, os.stat(os.path.join(self.scratch.tree, file)))
        for obj in self.affected[file][0]:
            copy = os.path.join(self.folder, "pristine", obj)
            os.makedirs(os.path.dirname(copy), exist_ok=True)
            shutil.copy2(os.path.join(self.scratch.build, obj), copy)

    def restore(self, file, pristine):
        """The file as it was, with its time, and the objects built from it as they were:
        ninja takes them for up to date, so nothing compiles again. Should anything
        still want compiling, it is built here, so the next file's mutants see no trace."""
        path = os.path.join(self.scratch.tree, file)
        with open(path, "wb") as f:
            f.write(pristine)
        kept_file, st = self.kept
        assert kept_file == file
        os.utime(path, ns=(st.st_atime_ns, st.st_mtime_ns))
        began = now()
        objects = self.affected[file][0]
        for obj in objects:
            # With the time the last build gave it, which ninja's log of header
            # dependencies holds: a copy with any other time would be built again.
            built, copy = os.path.join(self.scratch.build, obj), os.path.join(self.folder, "pristine", obj)
            last = os.stat(built if os.path.exists(built) else copy).st_mtime_ns
            shutil.copyfile(copy, built)
            os.utime(built, ns=(last, last))
        # What links those objects is linked again when next asked for.
        for output, inputs in self.inputs.items():
            target = os.path.join(self.scratch.build, output)
            if inputs & set(objects) and os.path.exists(target):
                os.remove(target)
        _, out = self.scratch.ninja(self.programs + ["Vorkade2"], dry=True)
        stale = re.findall(r"Building CXX object (\S+)", out)
        if stale:
            self.log.write(f"after restoring {file}, rebuilt: {' '.join(stale)}\n")
            self.scratch.ninja(stale)
        return now() - began

    def main(self):
        args = self.args
        started = now()
        wall = datetime.datetime.now().strftime("%Y-%m-%d %H:%M")
        load_start = load_average()
        seed = args.seed if args.seed is not None else secrets.randbelow(2**31)
        label = "fixed" if args.fixed else str(seed)
        if not (args.fixed or args.count or args.list):
            self.say(f"Seed {seed}")
        self.prepare()
        all_sites = self.sites()
        if args.file:
            unknown = set(args.file) - {s.file for s in all_sites}
            if unknown:
                raise SystemExit(f"mutants: no site in {', '.join(sorted(unknown))}")
            all_sites = [s for s in all_sites if s.file in args.file]
        if args.count or args.list:
            (sitesmod.print_counts if args.count else sitesmod.print_list)(all_sites)
            return 0
        stale = []
        if args.fixed:
            drawn, stale = fixed_sites(self.scratch.tree)
            for entry in stale:
                self.say(f"mutants-fixed.txt: no longer matches the code exactly once: {entry}")
        elif args.all:
            drawn = list(all_sites)
        else:
            drawn = random.Random(seed).sample(all_sites, min(args.sample, len(all_sites)))
        # File by file, so that each file is rebuilt clean only once.
        drawn.sort(key=lambda s: (s.file, s.start, s.end, s.replacement))
        self.logs = os.path.join(self.folder, "logs", label)
        shutil.rmtree(self.logs, ignore_errors=True)
        os.makedirs(self.logs)
        self.runner = TestRunner(args.jobs, self.logs)
        self.baseline()
        equivalents = read_equivalents(EQUIVALENTS)
        self.find_affected(sorted({s.file for s in drawn}))
        where = "in the files asked for" if args.file else "in src/"
        self.say(f"{len(all_sites)} sites {where}; {len(drawn)} mutants to try.")

        mutants = [Mutant(i + 1, s) for i, s in enumerate(drawn)]
        restoring = 0.0
        current, pristine = None, None
        try:
            for m in mutants:
                if m.site.file != current:
                    if current is not None:
                        restoring += self.restore(current, pristine)
                    current = m.site.file
                    with open(os.path.join(self.scratch.tree, current), "rb") as f:
                        pristine = f.read()
                    self.keep(current)
                m.diff = diff_of(m.site, pristine)
                self.try_mutant(m, pristine)
                reason = equivalents.get(m.site.key())
                if m.status == "survived" and reason:
                    m.status, m.reason = "equivalent", reason
                elif m.status == "killed" and reason:
                    m.status, m.reason = "killed-equivalent", reason
                t = m.times
                self.say(f"{m.number:4d}/{len(mutants)} {m.status.upper():<10} "
                         f"{sum(t.values()):5.1f}s  {m.site.file}:{m.site.line}  {m.site.mutant()}"
                         + (f"  [{m.by}{', timeout' if m.how == 'timeout' else ''}]" if m.by else ""))
        finally:
            if current is not None:
                restoring += self.restore(current, pristine)
        report = Report(self, mutants, all_sites, seed, label, wall, started, load_start,
                        restoring, stale, equivalents)
        path = os.path.join(self.folder, f"report-{label}.md")
        with open(path, "w") as f:
            f.write(report.text())
        self.say(report.summary())
        self.say(f"Report: {path}")
        bad = [m for m in mutants if m.status in ("survived", "killed-equivalent")]
        return 1 if bad or stale else 0


# ----- the report

STATUSES = ["killed", "survived", "equivalent", "stillborn"]


def percent(killed, scored):
    return f"{100 * killed / scored:.1f} %" if scored else "n/a"


class Report:
    def __init__(self, run, mutants, all_sites, seed, label, wall, started, load_start,
                 restoring, stale, equivalents):
        self.run = run
        self.mutants = mutants
        self.all_sites = all_sites
        self.seed = seed
        self.label = label
        self.wall = wall
        self.elapsed = now() - started
        self.load = (load_start, load_average())
        self.restoring = restoring
        self.stale = stale
        fixed, _ = fixed_sites(run.scratch.tree)
        known = {s.key() for s in all_sites} | {s.key() for s in fixed}
        self.unmatched = [key for key in equivalents if key not in known]

    def count(self, mutants, status):
        if status == "killed":
            return sum(m.status in ("killed", "killed-equivalent") for m in mutants)
        return sum(m.status == status for m in mutants)

    def score(self, mutants):
        killed, survived = self.count(mutants, "killed"), self.count(mutants, "survived")
        return killed, killed + survived

    def summary(self):
        k, scored = self.score(self.mutants)
        return (f"Killed {k} of {scored} non-equivalent mutants ({percent(k, scored)}); "
                f"{self.count(self.mutants, 'equivalent')} equivalent, "
                f"{self.count(self.mutants, 'survived')} survived, "
                f"{self.count(self.mutants, 'stillborn')} not compiling; "
                f"{self.elapsed / 60:.1f} min.")

    def table(self, title, key, names, totals):
        rows = [f"| {title} | sites | drawn | killed | survived | equivalent | not compiling | score |",
                "|---|---:|---:|---:|---:|---:|---:|---:|"]
        for name in names:
            chosen = [m for m in self.mutants if key(m.site) == name]
            if not chosen and (self.run.args.fixed or not self.run.args.all and key is not by_operator):
                continue  # a sample's table shows the files it drew from
            k, scored = self.score(chosen)
            rows.append(f"| {name} | {totals.get(name, 0)} | {len(chosen)} | {k} | "
                        f"{self.count(chosen, 'survived')} | {self.count(chosen, 'equivalent')} | "
                        f"{self.count(chosen, 'stillborn')} | {percent(k, scored)} |")
        return "\n".join(rows)

    def times(self):
        built = [m for m in self.mutants if m.status != "stillborn"]
        rows = ["| step | mutants | mean | total |", "|---|---:|---:|---:|"]
        for step, text in (("compile", "compile the mutated file (and what includes it)"),
                           ("link", "archive and link the test programs"),
                           ("unit", "run the unit tests that link the file"),
                           ("e2e", "end-to-end scenarios, for unit-test survivors")):
            values = [m.times[step] for m in (self.mutants if step == "compile" else built)
                      if step in m.times]
            if values:
                rows.append(f"| {text} | {len(values)} | {sum(values) / len(values):.1f} s | "
                            f"{sum(values) / 60:.1f} min |")
        rows.append(f"| rebuild each file as it was, after its mutants | | | {self.restoring / 60:.1f} min |")
        per = self.elapsed / len(self.mutants) if self.mutants else 0
        rows.append(f"| whole run (with the set-up and the unmutated tests) | {len(self.mutants)} | "
                    f"{per:.1f} s | {self.elapsed / 60:.1f} min |")
        return "\n".join(rows)

    def text(self):
        args = self.run.args
        head = git(["rev-parse", "--short", "HEAD"])
        dirty = " with uncommitted changes" if git(["status", "--porcelain", "--", *COPIED]) else ""
        if args.fixed:
            drawn = f"the {len(self.mutants)} hand-written faults of scripts/mutants-fixed.txt"
        elif args.all:
            drawn = f"all {len(self.mutants)} sites"
        else:
            drawn = f"{len(self.mutants)} sites drawn with seed {self.seed}"
        timeouts = sum(m.how == "timeout" for m in self.mutants)
        out = [f"# Mutation check: {'fixed list' if args.fixed else 'seed ' + str(self.seed)}", "",
               f"- Tree: commit {head}{dirty}; {len(self.all_sites)} sites under src/; {drawn}.",
               f"- Started {self.wall}, took {self.elapsed / 60:.1f} min on {os.cpu_count()} cores; "
               f"load average {self.load[0]} at the start, {self.load[1]} at the end "
               "(the machine may be shared).",
               f"- Scratch build `{CXX_FLAGS}`; {args.jobs} test programs at a time, stopped at the "
               "first failure. Each test program may run 10 s plus five times its unmutated time: "
               f"a mutant that outlasts that (an endless loop) counts as killed ({timeouts} did).",
               "", "## Score", "", self.summary(), ""]
        if any(m.status == "killed-equivalent" for m in self.mutants):
            out += ["**Marked equivalent, yet killed** (fix the list):", ""]
            out += [f"- {m.site.file}:{m.site.line} {m.site.mutant()} [{m.by}]"
                    for m in self.mutants if m.status == "killed-equivalent"]
            out.append("")
        if self.stale:
            out += ["**No longer matching the code exactly once** (fix the fixed list):", ""]
            out += [f"- {s}" for s in self.stale]
            out.append("")
        if self.unmatched:
            out += ["Entries of the equivalents list that match no site of the code as it is "
                    "(the code changed under them: mend or remove them):", ""]
            out += [f"- {file}, {function or '(file scope)'}: `{line}`: {mutant}"
                    for file, function, line, mutant in self.unmatched]
            out.append("")
        file_totals, op_totals = {}, {}
        for s in self.all_sites:
            file_totals[s.file] = file_totals.get(s.file, 0) + 1
            op_totals[s.operator] = op_totals.get(s.operator, 0) + 1
        if args.fixed:
            file_totals, op_totals = {}, {}
        files = sorted({s.file for s in self.all_sites} | {m.site.file for m in self.mutants})
        operators = ["fixed"] if args.fixed else list(sitesmod.OPERATORS)
        out += ["## By file", "", self.table("file", lambda s: s.file, files, file_totals), "",
                "## By operator", "", self.table("operator", by_operator, operators, op_totals),
                "", "## Survivors", ""]
        survivors = [m for m in self.mutants if m.status == "survived"]
        if not survivors:
            out += ["None.", ""]
        for m in survivors:
            out += [f"### {m.number}. {m.site.file}:{m.site.line}", "",
                    "Not on the equivalents list. Its key, for the list:", "", "```",
                    m.site.key_block(), "= (why no behaviour can change)", "```", "", "```diff",
                    m.diff.rstrip("\n"), "```", ""]
        out += ["## Equivalent (on the list)", ""]
        equivalent = [m for m in self.mutants if m.status == "equivalent"]
        out += [f"- {m.number}. {m.site.file}:{m.site.line} {m.site.mutant()}: {m.reason}"
                for m in equivalent] or ["None."]
        out += ["", "## Not compiling", ""]
        out += [f"- {m.number}. {m.site.file}:{m.site.line} {m.site.mutant()}"
                for m in self.mutants if m.status == "stillborn"] or ["None."]
        out += ["", "## Killed", "", "| # | where | mutant | killed by | time |", "|---:|---|---|---|---:|"]
        for m in self.mutants:
            if m.status in ("killed", "killed-equivalent"):
                by = m.by + (" (timeout)" if m.how == "timeout" else "")
                mutant = m.site.mutant().replace("|", "\\|")
                out.append(f"| {m.number} | {m.site.file}:{m.site.line} | {mutant} | {by} | "
                           f"{sum(m.times.values()):.1f} s |")
        out += ["", "## Time per mutant", "", self.times(), ""]
        return "\n".join(out)


def by_operator(site):
    return site.operator


def git(arguments):
    result = subprocess.run(["git", "-C", ROOT] + arguments, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, text=True)
    return result.stdout.strip()


def main():
    parser = argparse.ArgumentParser(
        prog="scripts/mutants.sh",
        description="Mutants drawn by seed from rule-made sites under src/, each built in a "
                    "scratch copy and run against the tests that link its file.")
    what = parser.add_mutually_exclusive_group()
    what.add_argument("--sample", type=int, default=150, metavar="N",
                      help="how many sites to draw (default 150)")
    what.add_argument("--all", action="store_true", help="every site")
    what.add_argument("--fixed", action="store_true",
                      help="the hand-written faults of scripts/mutants-fixed.txt instead")
    what.add_argument("--count", action="store_true",
                      help="only count the sites, by file and by operator")
    what.add_argument("--list", action="store_true", help="only list the sites, with their keys")
    parser.add_argument("--seed", type=int, help="the draw's seed (default: a new one, printed first)")
    parser.add_argument("--file", action="append", metavar="PATH",
                        help="only the sites of this file (src/...); may be given again")
    parser.add_argument("--dir", default=os.path.join(ROOT, "build-mutants"),
                        help="scratch folder, kept between runs (default build-mutants/)")
    parser.add_argument("--jobs", type=int, default=2, help="build jobs and test programs at a time")
    parser.add_argument("--no-e2e", action="store_true",
                        help="leave the end-to-end scenarios out (a unit-test survivor stays one)")
    args = parser.parse_args()
    if args.sample < 1:
        parser.error("--sample takes a positive number")
    return Run(args).main()


if __name__ == "__main__":
    sys.exit(main())
