#!/usr/bin/env python3
"""Scenario runner: runs tests/scenarios/*.scn under Wine with the UI robot.

    python3 tests/scenarios/run.py [-v] [--build win32|win64] [--view 32|64] [--with-editor]
                                   [NAME ...]

NAME is a scenario's file name with or without ".scn" (default: every scenario). Each scenario
runs on a freshly reset bench (tools/bench/bench.sh reset); the runner prints PASS or FAIL per
scenario with what differed, and ends with the line "N passed, M failed". The exit code is 0
only when no scenario failed. The format of a scenario file is described in README.md.

--build: the build under test (default win32, the shipped i686 build), which the programs a
scenario copies with "program" come from (SETUP.EXE, AFUCHECK.EXE, test programs); the tools
(robot, state tool, stand-in editor) are always the x86_64 ones. --view: the registry view the
stand-in editor's installer registers in (default 32, a 32-bit installer). --with-editor: only
the scenarios that install the editor (an "editor" directive).

Environment: AOF_BUILD_DIR (the tools' build, default build/win64; bench.sh uses it too),
AOF_BENCH_DIR (see bench.sh), AOF_SCENARIO_LOGS (transcripts and answer files, default
<build under test>/scenario-logs/view<N>).
"""

import argparse
import fcntl
import hashlib
import json
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
BENCH = os.path.join(REPO, 'tools', 'bench', 'bench.sh')
BUILD = os.path.abspath(os.environ.get('AOF_BUILD_DIR', os.path.join(REPO, 'build', 'win64')))
BUILDS = {'win32': 'i686', 'win64': 'x86_64'}
EDITOR_KEYS = {
    '64': 'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Aofude',
    '32': 'HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Aofude',
}

TEST_DIR = 'C:\\aoftest'
DEFAULT_PACKAGE = 'C:\\aoftest\\pkg'
DEFAULT_TIMEOUT = 8.0
# What a console run with "unchanged" must leave as it was, beside the files.
SNAPSHOT_KEYS = ['HKCU\\Software\\Aofudeo', 'HKCU\\Software\\Brenlo', EDITOR_KEYS['64'],
                 EDITOR_KEYS['32'], 'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall']

BUILD_PROGRAMS = {
    'robot': os.path.join('tools', 'robot', 'robot.exe'),
    'state': os.path.join('tools', 'state', 'state.exe'),
    'editor': os.path.join('tools', 'editor_standin', 'aofude.exe'),
}


class ScenarioError(Exception):
    """A mistake in a scenario file or a failure of the bench (not of the program under test)."""


class ScenarioSkipped(Exception):
    """The machine cannot give what the scenario needs; it is reported as skipped, never passed."""


class Config:
    """One cell of the test matrix: the build under test and the editor's registry view."""

    def __init__(self, build, view):
        self.tested = os.path.abspath(build if os.sep in build else os.path.join(REPO, 'build', build))
        self.view = view
        self.editor_key = EDITOR_KEYS[view]
        self.logs = os.path.abspath(os.environ.get(
            'AOF_SCENARIO_LOGS', os.path.join(self.tested, 'scenario-logs', 'view' + view)))
        self.label = (f'{BUILDS.get(os.path.basename(self.tested), self.tested)} build, editor in '
                      f'the {view}-bit registry view')

    def built(self, source):
        """A built program a scenario copies: tools from the tools' build, the rest from the
        build under test."""
        return os.path.join(BUILD if source.startswith('tools/') else self.tested, source)


# ---------------------------------------------------------------- texts

def unescape(text):
    r"""\n gives a line feed, \\ one backslash; any other backslash stays as it is."""
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c == '\\' and i + 1 < len(text) and text[i + 1] in 'n\\':
            out.append('\n' if text[i + 1] == 'n' else '\\')
            i += 2
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def show(text):
    """A text as the transcript writes it: \n for a line feed, \\ for a backslash before n
    or another backslash (the robot's own rule)."""
    out = []
    for i, c in enumerate(text):
        nxt = text[i + 1] if i + 1 < len(text) else ''
        if c == '\n':
            out.append('\\n')
        elif c == '\\' and nxt and nxt in 'n\\\n':
            out.append('\\\\')
        else:
            out.append(c)
    return ''.join(out)


def first_difference(expected, actual):
    n = 0
    while n < len(expected) and n < len(actual) and expected[n] == actual[n]:
        n += 1
    return n


def text_diff(label, expected, actual):
    n = first_difference(expected, actual)
    return [f'{label}',
            f'    expected: {show(expected)}',
            f'    actual:   {show(actual)}',
            f'    first difference at character {n + 1}: expected '
            f'{show(expected[n:n + 8]) or "(end)"!r}, actual {show(actual[n:n + 8]) or "(end)"!r}']


# ---------------------------------------------------------------- paths

def win_to_unix(prefix, path):
    """C:\\... to the prefix's drive_c; Z:\\... to /. Existing components are matched without
    regard to case, as Wine does."""
    m = re.match(r'^([A-Za-z]):\\?(.*)$', path)
    if not m:
        raise ScenarioError(f'not an absolute Windows path: {path}')
    drive, rest = m.group(1).upper(), m.group(2)
    if drive == 'C':
        base = os.path.join(prefix, 'drive_c')
    elif drive == 'Z':
        base = '/'
    else:  # a drive a scenario mapped (small-drive)
        base = os.path.join(prefix, 'dosdevices', drive.lower() + ':')
        if not os.path.isdir(base):
            raise ScenarioError(f'drive {drive}: is not mapped: {path}')
    current = base
    for part in [p for p in rest.split('\\') if p]:
        candidate = os.path.join(current, part)
        if not os.path.exists(candidate) and os.path.isdir(current):
            for name in os.listdir(current):
                if name.lower() == part.lower():
                    candidate = os.path.join(current, name)
                    break
        current = candidate
    return current


def unix_to_win(path):
    return 'Z:' + os.path.abspath(path).replace('/', '\\')


# ---------------------------------------------------------------- bench

class Bench:
    def __init__(self, logs):
        self.env = None
        self.prefix = None
        self.lock_file = None
        self.logs = logs
        os.makedirs(logs, exist_ok=True)

    def _shell(self, args, log_name, timeout):
        log = os.path.join(self.logs, log_name)
        with open(log, 'wb') as out:
            try:
                rc = subprocess.run([BENCH] + args, stdin=subprocess.DEVNULL, stdout=out,
                                    stderr=subprocess.STDOUT, timeout=timeout).returncode
            except subprocess.TimeoutExpired:
                rc = None
        with open(log, encoding='utf-8', errors='replace') as f:
            text = f.read()
        return rc, text

    def lock(self, bench_dir, seconds=600):
        """One scenario run at a time on a bench: a second runner waits (bounded) for the first."""
        os.makedirs(bench_dir, exist_ok=True)
        self.lock_file = open(os.path.join(bench_dir, 'scenarios.lock'), 'w')
        deadline = time.monotonic() + seconds
        told = False
        while True:
            try:
                fcntl.flock(self.lock_file, fcntl.LOCK_EX | fcntl.LOCK_NB)
                return
            except BlockingIOError:
                if time.monotonic() >= deadline:
                    raise ScenarioError(f'another scenario run still held {bench_dir}/scenarios.lock '
                                        f'after {seconds} s')
                if not told:
                    print(f'waiting for another scenario run on the bench {bench_dir} ...')
                    sys.stdout.flush()
                    told = True
                time.sleep(0.2)

    def start(self):
        rc, text = self._shell(['env'], 'bench-env.log', 30)
        if rc != 0:
            raise ScenarioError(f'bench.sh env failed ({rc}):\n{text}')
        env = dict(os.environ)
        for line in text.splitlines():
            if line.startswith('export '):
                name, _, value = line[len('export '):].partition('=')
                env[name] = shlex.split(value)[0] if value else ''
            elif line.startswith('unset '):
                for name in line.split()[1:]:
                    env.pop(name, None)
        self.env = env
        self.prefix = env['WINEPREFIX']
        self.lock(env['AOF_BENCH_DIR'])
        rc, text = self._shell(['start'], 'bench-start.log', 300)
        if rc != 0:
            raise ScenarioError(f'bench.sh start failed ({rc}):\n{text}')

    def reset(self):
        rc, text = self._shell(['reset'], 'bench-reset.log', 120)
        if rc != 0:
            raise ScenarioError(f'bench.sh reset failed ({rc}):\n{text}')

    def spawn(self, args, timeout):
        """Starts `bench.sh run ARGS` (the bench's settings, output in files: Wine's background
        processes inherit pipes). The result: Running.result()."""
        return Running(self.env, args, timeout)

    def wine(self, args, timeout):
        """Runs a Windows program: (exit code or None on timeout, stdout text, stderr text)."""
        return self.spawn(args, timeout).result()

    def program(self, key):
        path = os.path.join(BUILD, BUILD_PROGRAMS[key])
        if not os.path.isfile(path):
            raise ScenarioError(f'{path} is missing: build the win64 preset first (the tools)')
        return path

    def unix(self, path):
        return win_to_unix(self.prefix, path)


# ---------------------------------------------------------------- scenario files

def tokens(text, count):
    """Splits off count-1 words (a word in "..." may hold blanks) and returns them with the
    rest of the line, verbatim, as the last item ('' when absent)."""
    words = []
    rest = text
    for _ in range(count - 1):
        rest = rest.lstrip(' ')
        if rest.startswith('"'):
            end = rest.find('"', 1)
            if end < 0:
                raise ScenarioError(f'unclosed quotation mark in: {text}')
            words.append(rest[1:end])
            rest = rest[end + 1:]
        else:
            m = re.match(r'(\S*)(.*)$', rest, re.S)
            words.append(m.group(1))
            rest = m.group(2)
    if rest.startswith(' '):
        rest = rest[1:]
    return words + [rest]


class Line:
    def __init__(self, number, word, rest, block):
        self.number = number
        self.word = word
        self.rest = rest
        self.block = block  # indented lines that follow, indentation removed, or None

    def where(self):
        return f'line {self.number}'


def read_lines(path):
    """Directive lines, each with its block: the lines below it that start with two blanks (or
    a tab), without those. Blank lines inside a block are kept, those at its end dropped.
    Lines starting with '#' outside blocks are comments."""
    with open(path, encoding='utf-8') as f:
        raw = [r.rstrip('\r') for r in f.read().split('\n')]

    def indented(text):
        return text.startswith('  ') or text.startswith('\t')

    lines = []
    i = 0
    while i < len(raw):
        text = raw[i]
        i += 1
        if not text.strip() or text.startswith('#'):
            continue
        if text[0] in ' \t':
            raise ScenarioError(f'line {i}: indented line without a directive above it')
        word, _, rest = text.partition(' ')
        line = Line(i, word, rest, None)
        block = []
        while i < len(raw) and (indented(raw[i]) or (not raw[i].strip() and any(
                indented(r) for r in raw[i + 1:i + 2]))):
            b = raw[i]
            block.append(b[1:] if b.startswith('\t') else b[2:])
            i += 1
        if block:
            line.block = block
        lines.append(line)
    return lines


class Dialog:
    def __init__(self, kind, line):
        self.kind = kind
        self.line = line
        self.checks = []  # (field, id or None, expected text)
        self.actions = []
        self.answer = None


class Run:
    def __init__(self, line, program, argument):
        self.line = line
        self.program = program
        self.argument = argument
        self.cwd = None
        self.dialogs = []
        self.exit_code = None
        self.expect_failure = None  # (kind, text that the failure line must contain)
        self.timeout = None
        self.step_timeout = None
        self.progress_counters = None
        self.console = False  # a console program, run without the robot
        self.output_lines = []  # lines its output must hold, in this order
        self.unchanged = False  # it must change no file and no registry value
        self.registered = None  # (KEY, NAME): run the command line that REG_SZ value holds


# ---------------------------------------------------------------- transcripts

class Seen:
    def __init__(self, number, kind):
        self.number = number
        self.kind = kind
        self.caption = None
        self.icon = None
        self.texts = {}
        self.buttons = {}
        self.progress = {}
        self.updates = []
        self.bytes = {}  # ('caption', None) or ('text', id): code page 932 bytes as hex
        self.answer = None
        self.lines = []


def parse_transcript(text):
    dialogs = []
    failure = None
    exit_code = None
    current = None
    for line in text.split('\n'):
        m = re.match(r'^dialog (\d+): (\S+)$', line)
        if m:
            current = Seen(int(m.group(1)), m.group(2))
            dialogs.append(current)
            continue
        if not line:
            current = None
            continue
        if line.startswith('FAILURE '):
            kind, _, message = line[len('FAILURE '):].partition(': ')
            failure = (kind, message)
            continue
        if line.startswith('exit code: '):
            exit_code = line[len('exit code: '):]
            continue
        if current is None:
            continue
        current.lines.append(line)
        field, _, value = line.partition(': ')
        parts = field.split(' ')
        if parts[0] == 'bytes':
            current.bytes[(parts[1], parts[2] if len(parts) > 2 else None)] = value
        elif field == 'caption':
            current.caption = unescape(value)
        elif field == 'icon':
            current.icon = value
        elif field == 'answer':
            current.answer = value
        elif len(parts) == 2 and parts[0] in ('text', 'button', 'progress', 'update'):
            target = {'text': current.texts, 'button': current.buttons,
                      'progress': current.progress}.get(parts[0])
            if target is not None:
                target.setdefault(parts[1], unescape(value))
            else:
                current.updates.append((parts[1], unescape(value)))
    return dialogs, failure, exit_code


# ---------------------------------------------------------------- one scenario

class Scenario:
    def __init__(self, path, bench, config, verbose=False):
        self.path = path
        self.name = os.path.splitext(os.path.basename(path))[0]
        self.bench = bench
        self.config = config
        self.verbose = verbose
        self.title = self.name
        self.package = DEFAULT_PACKAGE
        self.timeout = DEFAULT_TIMEOUT
        self.step_timeout = None
        self.problems = []
        self.notes = []
        self.log_dir = os.path.join(config.logs, self.name)
        self.drives = []  # (dosdevices link, mount point) of small-drive, undone at the end

    # -- helpers

    def expand(self, text):
        editor = os.path.join(BUILD, BUILD_PROGRAMS['editor'])
        state = os.path.join(BUILD, BUILD_PROGRAMS['state'])
        return (text.replace('%PKG%', self.package).replace('%TEST%', TEST_DIR)
                .replace('%EDITOR%', unix_to_win(editor)).replace('%STATE%', unix_to_win(state))
                .replace('%EDITORKEY%', self.config.editor_key))

    def win_path(self, path):
        """A scenario path: absolute (C:\\…) or relative to the package folder."""
        path = self.expand(path)
        if re.match(r'^[A-Za-z]:\\', path):
            return path
        return self.package + '\\' + path

    def fail(self, text):
        self.problems.append(text)

    def state(self, line, args, allowed=(0,)):
        rc, out, err = self.bench.wine([self.bench.program('state')] + args, 30)
        if rc not in allowed:
            raise ScenarioError(f'{line.where()}: state.exe {" ".join(args)} failed ({rc}): '
                                f'{err.strip() or out.strip()}')
        return rc, out

    def write(self, path, data):
        unix = self.bench.unix(self.win_path(path))
        os.makedirs(os.path.dirname(unix), exist_ok=True)
        if os.path.exists(unix):
            os.chmod(unix, 0o644)
        with open(unix, 'wb') as f:
            f.write(data)

    def block_text(self, line, crlf=False):
        if line.block is None:
            return ''
        text = '\n'.join(self.expand(b) for b in line.block) + '\n'
        return text.replace('\n', '\r\n') if crlf else text

    # -- the steps of a scenario

    def run(self):
        try:
            self.run_lines()
        finally:
            for link, mount in self.drives:
                os.remove(link)
                subprocess.run(['umount', mount], stderr=subprocess.DEVNULL)
                os.rmdir(mount)

    def map_small_drive(self, line):
        """A Wine drive on a tmpfs of the given size (a full disk); skipped where no tmpfs can be
        mounted (no root, no mount rights in a container)."""
        letter, size = tokens(line.rest, 2)
        letter = letter.rstrip(':').lower()
        link = os.path.join(self.bench.prefix, 'dosdevices', letter + ':')
        mount = os.path.join(self.bench.env['AOF_BENCH_DIR'], 'drive-' + letter)
        if os.path.lexists(link):
            raise ScenarioError(f'{line.where()}: drive {letter}: is mapped already')
        os.makedirs(mount, exist_ok=True)
        done = subprocess.run(['mount', '-t', 'tmpfs', '-o', f'size={size.strip()},mode=0777',
                               'tmpfs', mount], capture_output=True, text=True)
        if done.returncode != 0:
            os.rmdir(mount)
            raise ScenarioSkipped(f'no tmpfs can be mounted here for drive {letter}: '
                                  f'({done.stderr.strip() or done.returncode})')
        os.symlink(mount, link)
        self.drives.append((link, mount))

    def run_lines(self):
        os.makedirs(self.log_dir, exist_ok=True)
        lines = read_lines(self.path)
        self.bench.reset()
        pending_run = None
        checks = []
        setups = []  # the set-up lines so far, for cut-table to lay the same state again
        run_number = 0

        def flush():
            nonlocal pending_run, run_number
            if checks:
                self.check_after(checks)
                checks.clear()
            if pending_run is not None:
                run_number += 1
                ok = self.execute(pending_run, run_number)
                pending_run = None
                return ok
            return True

        for line in lines:
            word = line.word
            if word == 'dialog':
                if pending_run is None or pending_run.console:
                    raise ScenarioError(f'{line.where()}: "dialog" without a "run" above it')
                pending_run.dialogs.append(self.dialog(line))
                continue
            if word in CHECKS:
                if pending_run is not None and not flush():
                    return
                checks.append(line)
                continue
            if not flush():
                return
            if word in ('run', 'console', 'run-registered'):
                pending_run = self.run_line(line)
                continue
            if word == 'cut-table':
                self.cut_table(line, setups)
                continue
            self.setup(line)
            setups.append(line)
        flush()

    def dialog(self, line):
        d = Dialog(line.rest.strip(), line)
        for n, text in enumerate(line.block or []):
            field, _, rest = text.partition(' ')
            where = f'line {line.number + n + 1}'
            if field in ('text', 'button', 'progress'):
                ident, value = tokens(rest, 2)
                d.checks.append((field, ident, unescape(self.expand(value))))
            elif field in ('caption', 'icon'):
                d.checks.append((field, None, unescape(self.expand(rest))))
            elif field == 'action':
                d.actions.append(self.expand(rest.strip()))
            elif field == 'answer':
                d.answer = rest.strip()
            else:
                raise ScenarioError(f'{where}: unknown dialog line "{field}" (caption, icon, '
                                    f'text, button, progress, action, answer)')
        return d

    def run_line(self, line):
        program, argument = tokens(line.rest, 2)
        run = Run(line, program, argument)
        run.console = line.word == 'console'
        if line.word == 'run-registered':
            run.registered = (program, argument)
        for n, text in enumerate(line.block or []):
            word, _, rest = text.partition(' ')
            if word == 'exit':
                run.exit_code = rest.strip()
            elif word == 'expect-failure':
                kind, must = tokens(rest, 2)
                run.expect_failure = (kind, self.expand(must))
            elif word == 'cwd':
                run.cwd = self.win_path(rest.strip())
            elif word == 'timeout':
                run.timeout = float(rest)
            elif word == 'step-timeout':
                run.step_timeout = float(rest)
            elif word == 'progress-counters':
                run.progress_counters = [unescape(t.strip()) for t in rest.split('|')]
            elif word == 'line' and run.console:
                run.output_lines.append(unescape(self.expand(rest)))
            elif word == 'unchanged' and run.console:
                run.unchanged = True
            else:
                raise ScenarioError(f'line {line.number + n + 1}: unknown run option "{word}" '
                                    f'(exit, expect-failure, cwd, timeout, step-timeout, '
                                    f'progress-counters)')
        return run

    def setup(self, line):
        word, rest = line.word, line.rest
        if word.startswith('reg-'):
            rest = self.expand(rest)
        if word == 'title':
            self.title = rest.strip()
        elif word == 'package':
            self.package = self.expand(rest.strip())
        elif word == 'timeout':
            self.timeout = float(rest)
        elif word == 'step-timeout':
            self.step_timeout = float(rest)
        elif word == 'setup-info':
            text = self.block_text(line, crlf=True)
            try:
                data = text.encode('cp932')
            except UnicodeEncodeError as e:
                raise ScenarioError(f'{line.where()}: setup-info text has a character without a '
                                    f'code page 932 form: {e}')
            self.write(rest.strip(), data)
        elif word == 'file':
            self.write(rest.strip(), self.block_text(line).encode('utf-8'))
        elif word == 'file-cp932':
            self.write(rest.strip(), self.block_text(line, crlf=True).encode('cp932'))
        elif word == 'file-bytes':
            path, hextext = tokens(rest, 2)
            self.write(path, bytes.fromhex(hextext.replace(',', ' ')))
        elif word == 'file-sized':
            path, size = tokens(rest, 2)
            self.write(path, b'x' * int(size))
        elif word == 'small-drive':
            self.map_small_drive(line)
        elif word == 'mkdir':
            os.makedirs(self.bench.unix(self.win_path(rest.strip())), exist_ok=True)
        elif word == 'await-file':
            self.await_file(line)
        elif word == 'readonly':
            unix = self.bench.unix(self.win_path(rest.strip()))
            if not os.path.isfile(unix):
                raise ScenarioError(f'{line.where()}: readonly: no file {rest.strip()}')
            os.chmod(unix, 0o444)
        elif word == 'program':
            target, _, source = rest.rpartition(' from ') if ' from ' in rest else (rest, '', '')
            target = target.strip().strip('"')
            source = source.strip() or 'SETUP.EXE'
            built = self.config.built(source)
            if not os.path.isfile(built):
                raise ScenarioError(f'{line.where()}: {built} is missing: build its preset')
            unix = self.bench.unix(self.win_path(target))
            os.makedirs(os.path.dirname(unix), exist_ok=True)
            shutil.copyfile(built, unix)
        elif word == 'editor':
            folder, options = tokens(rest, 2)
            args = (['/install', self.win_path(folder)] + self.expand(options).split() +
                    ['/view', self.config.view])
            rc, out, err = self.bench.wine([self.bench.program('editor')] + args, 30)
            if rc != 0:
                raise ScenarioError(f'{line.where()}: aofude.exe {" ".join(args)} failed ({rc}): '
                                    f'{err.strip()}')
        elif word == 'reg-sz':
            key, name, text = tokens(rest, 3)
            self.state(line, ['set-sz', key, name, unescape(text)])
        elif word == 'reg-sz-bytes':
            key, name, text = tokens(rest, 3)
            self.state(line, ['set-sz-bytes', key, name, text])
        elif word == 'reg-dword':
            key, name, text = tokens(rest, 3)
            self.state(line, ['set-dword', key, name, text.strip()])
        elif word == 'reg-binary':
            key, name, text = tokens(rest, 3)
            self.state(line, ['set-binary', key, name, text.strip()])
        elif word == 'reg-delete-key':
            self.state(line, ['delete-key', rest.strip()], allowed=(0, 1))
        elif word == 'reg-delete-value':
            key, name = tokens(rest, 2)
            self.state(line, ['delete-value', key, name], allowed=(0, 1))
        elif word == 'reg-readonly':
            self.state(line, ['make-readonly', rest.strip()])
        else:
            raise ScenarioError(f'{line.where()}: unknown directive "{word}"')

    def await_file(self, line):
        """Waits, bounded, until a file that a program started by the run writes is there and
        not empty (a batch file opened through the shell may still be running)."""
        words = line.rest.split()
        path = self.win_path(words[0])
        seconds = float(words[1]) if len(words) > 1 else 10.0
        unix = self.bench.unix(path)
        deadline = time.monotonic() + seconds
        while not (os.path.isfile(unix) and os.path.getsize(unix) > 0):
            if time.monotonic() >= deadline:
                raise ScenarioError(f'{line.where()}: await-file {path}: no such file, or still '
                                    f'empty, after {seconds:g} s')
            time.sleep(0.05)

    # -- running the program under the robot

    def execute(self, run, number):
        if run.console:
            return self.execute_console(run, number)
        if run.registered:
            program, argument = self.registered_command(run), ''
            if program is None:
                return False
            start = ['--command-line', program]
        else:
            program, argument = self.win_path(run.program), self.expand(run.argument)
            if not os.path.isfile(self.bench.unix(program)):
                raise ScenarioError(f'{run.line.where()}: no program {program} (copy it with '
                                    f'"program")')
            start = ['--', program] + ([argument] if argument else [])
        for d in run.dialogs:
            if d.kind not in ('message-box', 'message-ok', 'message-okcancel', 'overwrite',
                              'dialog'):
                raise ScenarioError(f'{d.line.where()}: unknown dialog kind "{d.kind}"')
            if d.answer is None:
                raise ScenarioError(f'{d.line.where()}: dialog without "answer"')
        answers = os.path.join(self.log_dir, f'run{number}.answers')
        transcript = os.path.join(self.log_dir, f'run{number}.transcript')
        with open(answers, 'w', encoding='utf-8') as f:
            for d in run.dialogs:
                for a in d.actions:
                    f.write('!' + a + '\n')
                f.write(d.answer + '\n')
        if os.path.exists(transcript):
            os.remove(transcript)
        timeout = run.timeout or self.timeout
        step = run.step_timeout or self.step_timeout or timeout
        args = [self.bench.program('robot'), '--answers', unix_to_win(answers),
                '--transcript', unix_to_win(transcript), '--timeout', str(timeout),
                '--step-timeout', str(step), '--hex']
        if run.cwd:
            args += ['--cwd', run.cwd]
        args += start
        rc, out, err = self.bench.wine(args, timeout + 20)
        label = f'run {number} ({program}{" " + argument if argument else ""})'
        if not os.path.exists(transcript):
            self.fail(f'{label}: the robot wrote no transcript (exit code {rc})\n'
                      f'    {err.strip()}')
            return False
        with open(transcript, encoding='utf-8', errors='replace') as f:
            text = f.read()
        if self.verbose:
            self.notes.append(f'{label} transcript:\n' + text)
        return self.compare(run, label, text, transcript)

    # -- cut-table: every run ended at each dialog, then run again, against an undisturbed run

    def robot(self, name, program, answers, affirm_rest, command_line=False):
        """Runs program under the robot with these answers (and "Affirm" for every dialog beyond
        them when affirm_rest); with command_line, program is the whole command line, as written
        (an app's UninstallString). (robot exit code, transcript path)."""
        answers_path = os.path.join(self.log_dir, name + '.answers')
        transcript = os.path.join(self.log_dir, name + '.transcript')
        with open(answers_path, 'w', encoding='utf-8') as f:
            f.write(''.join(a + '\n' for a in answers))
        if os.path.exists(transcript):
            os.remove(transcript)
        args = [self.bench.program('robot'), '--answers', unix_to_win(answers_path),
                '--transcript', unix_to_win(transcript), '--timeout', str(self.timeout)]
        args += ['--affirm-rest'] if affirm_rest else []
        args += ['--command-line', program] if command_line else ['--', self.win_path(program)]
        rc, out, err = self.bench.wine(args, self.timeout + 20)
        return rc, transcript

    def converge_state(self):
        """What a run leaves, file times and InstallDate aside: every file under C:\aoftest
        with its content, every value of the keys a setup program touches."""
        dumps, files = self.snapshot()
        drive = os.path.join(self.bench.prefix, 'drive_c')
        state = {'C:' + path[len(drive):]: value if value == 'folder' else (value[0], value[2])
                 for path, value in files.items() if path.startswith(drive + '/aoftest')}
        for key, (rc, tree) in dumps.items():
            state[key] = dump_text(tree, skip=('InstallDate',)) if tree is not None else None
        return state

    def cut_table(self, line, setups):
        """A table of runs (a package's life: install, update, uninstall), each row
        "LABEL PROGRAM AGAIN DIALOGS…": PROGRAM's run, undisturbed, with its affirmative answer to
        every dialog; for each dialog number listed, the run ended (TerminateProcess) while that
        dialog is shown, then AGAIN run as the user would run it again, affirming everything.
        The state then must be the undisturbed run's. Every case starts from the set-up lines
        above, with the rows before it run undisturbed."""
        rows = []
        for n, text in enumerate(line.block or []):
            label, program, again, cuts = tokens(self.expand(text), 4)
            rows.append((label, program, again, [int(c) for c in cuts.split()]))

        def lay(before):
            self.bench.reset()
            for setup in setups:
                self.setup(setup)
            for row in rows[:before]:
                if self.robot(row[0] + '-before', row[1], [], True)[0] != 0:
                    raise ScenarioError(f'{line.where()}: {row[0]} did not run through')

        undisturbed = []
        for i, row in enumerate(rows):
            lay(i)
            rc, transcript = self.robot(row[0], row[1], [], True)
            if rc != 0:
                self.fail(f'{row[0]}: the undisturbed run failed; transcript: {transcript}')
                return
            undisturbed.append(self.converge_state())
        for i, (label, program, again, cuts) in enumerate(rows):
            for cut in cuts:
                lay(i)
                name = f'{label}-cut{cut}'
                rc, transcript = self.robot(name, program, ['Affirm'] * (cut - 1) + ['Terminate'],
                                            False)
                if rc != 0:
                    self.fail(f'{name}: not ended at dialog {cut}; transcript: {transcript}')
                    continue
                rc, transcript = self.robot(name + '-again', again, [], True)
                state = self.converge_state()
                expected = undisturbed[i]
                differ = sorted(k for k in set(state) | set(expected)
                                if state.get(k) != expected.get(k))
                if rc != 0 or differ:
                    self.fail(f'{label} ended at dialog {cut}, then {again} run again: ' +
                              (f'robot failed ({transcript})' if rc != 0 else
                               'differs in ' + ', '.join(differ[:5])))

    def registered_command(self, run):
        """The command line a REG_SZ value holds (an app's UninstallString), as written."""
        key, name = run.registered
        rc, tree = self.dump_keys([key])[key]
        value = find_value(tree, name) if tree is not None else None
        if value is None or value['type'] != 'REG_SZ':
            self.fail(f'{run.line.where()}: no REG_SZ value "{name}" in {key} to run')
            return None
        return value['data']

    # -- running a console program (no dialogs): its output and what it left unchanged

    def snapshot(self):
        """The registry keys a setup program touches and every file under C:\\aoftest and the
        users' folders: name, size, time and content."""
        dumps = self.dump_keys(SNAPSHOT_KEYS)
        files = {}
        for top in ('aoftest', 'users'):
            for folder, _, names in os.walk(os.path.join(self.bench.prefix, 'drive_c', top)):
                files[folder] = 'folder'
                for name in names:
                    path = os.path.join(folder, name)
                    info = os.lstat(path)
                    with open(path, 'rb') as f:
                        digest = hashlib.sha1(f.read()).hexdigest()
                    files[path] = (info.st_size, info.st_mtime_ns, digest)
        return dumps, files

    def execute_console(self, run, number):
        program = self.win_path(run.program)
        if not os.path.isfile(self.bench.unix(program)):
            raise ScenarioError(f'{run.line.where()}: no program {program} (copy it with '
                                f'"program")')
        argument = self.expand(run.argument)
        label = f'console {number} ({program}{" " + argument if argument else ""})'
        before = self.snapshot() if run.unchanged else None
        rc, out, err = self.bench.spawn([program] + argument.split(),
                                        run.timeout or self.timeout).result('cp932')
        output = os.path.join(self.log_dir, f'console{number}.txt')
        with open(output, 'w', encoding='utf-8') as f:
            f.write(out)
        problems = []
        if run.exit_code is not None and str(rc) != run.exit_code:
            problems.append(f'exit code: expected {run.exit_code}, got {rc}')
        lines = [l.rstrip('\r') for l in out.split('\n')]
        position = 0
        for want in run.output_lines:
            while position < len(lines) and lines[position] != want:
                position += 1
            if position == len(lines):
                problems.append(f'no line "{show(want)}" (in this order) in the output')
                break
        if before is not None:
            after = self.snapshot()
            if after[0] != before[0]:
                problems.append('registry values changed')
            changed = sorted(p for p in set(before[1]) | set(after[1])
                             if before[1].get(p) != after[1].get(p))
            problems.extend(f'changed: {p}' for p in changed[:10])
        if problems:
            self.fail(f'{label}:\n' + '\n'.join('    ' + p for p in problems) +
                      f'\n    output: {output}\n    (the rest of the scenario was skipped)')
            return False
        return True

    def compare(self, run, label, text, transcript):
        seen, failure, exit_code = parse_transcript(text)
        answered = [d for d in seen if d.kind not in ('progress', 'window')]
        problems = []
        for i, expected in enumerate(run.dialogs):
            if i >= len(answered):
                if not (run.expect_failure and failure):
                    problems.append(f'dialog {i + 1} ({expected.kind}, {expected.line.where()}) '
                                    f'never appeared')
                break
            actual = answered[i]
            where = f'dialog {i + 1} ({expected.line.where()})'
            if actual.kind != expected.kind:
                problems.append(f'{where}: expected a {expected.kind}, got a {actual.kind}')
            for field, ident, want in expected.checks:
                if field == 'caption':
                    got = actual.caption
                elif field == 'icon':
                    got = actual.icon
                else:
                    table = {'text': actual.texts, 'button': actual.buttons,
                             'progress': actual.progress}[field]
                    got = table.get(ident)
                if got is None:
                    problems.append(f'{where}: {field}{" " + ident if ident else ""} expected '
                                    f'"{show(want)}", but the dialog has none')
                elif got != want:
                    problems.extend(f'{where}: ' + l if n == 0 else l for n, l in enumerate(
                        text_diff(f'{field}{" " + ident if ident else ""}', want, got)))
                elif (field, ident) in actual.bytes:
                    # Equal texts; the bytes must be equal too (code page 932, byte for byte).
                    want_hex = want.encode('cp932').hex()
                    if actual.bytes[(field, ident)] != want_hex:
                        problems.append(f'{where}: {field}{" " + ident if ident else ""}: the '
                                        f'text is right but its bytes differ: expected '
                                        f'{want_hex}, got {actual.bytes[(field, ident)]}')
        if len(answered) > len(run.dialogs) and not failure:
            extra = answered[len(run.dialogs)]
            problems.append(f'dialog {len(run.dialogs) + 1} ({extra.kind}) appeared beyond the '
                            f'expected ones')
        if run.progress_counters is not None:
            allowed = run.progress_counters
            position = 0
            for d in seen:
                if d.kind != 'progress':
                    continue
                counters = [d.texts.get('1003')] + [t for i, t in d.updates if i == '1003']
                for c in counters:
                    if c is None:
                        continue
                    while position < len(allowed) and allowed[position] != c:
                        position += 1
                    if position == len(allowed):
                        problems.append(f'progress counter "{show(c)}" is not one of, or not in '
                                        f'the order of: {" | ".join(allowed)}')
                        break
        if run.expect_failure:
            kind, must = run.expect_failure
            if failure is None:
                problems.append(f'expected the robot to fail with "{kind}", but it did not')
            elif failure[0] != kind or (must and must not in failure[1]):
                problems.append(f'expected the robot to fail with "{kind}"'
                                f'{" containing " + repr(must) if must else ""}, but got: '
                                f'FAILURE {failure[0]}: {failure[1]}')
        else:
            if failure:
                problems.append(f'robot: FAILURE {failure[0]}: {failure[1]}')
            if exit_code is None:
                problems.append('the transcript has no exit code')
            elif run.exit_code is not None and exit_code != run.exit_code:
                problems.append(f'exit code: expected {run.exit_code}, got {exit_code}')
        if problems:
            self.fail(f'{label}:\n' + '\n'.join('    ' + p for p in problems) +
                      f'\n    transcript: {transcript}\n    (the rest of the scenario was skipped)')
            # A run whose expected failure happened lets the scenario go on; any other
            # difference ends it.
            return False
        return True

    # -- checks after a run

    def check_after(self, lines):
        # Registry keys may be written with %EDITORKEY%, the editor's key in the view under test.
        lines = [Line(l.number, l.word, self.expand(l.rest), l.block) if l.word.startswith('reg-')
                 else l for l in lines]
        keys = []
        for line in lines:
            if line.word.startswith('reg-'):
                key = tokens(line.rest, 2)[0] if line.word != 'reg-dump' else line.rest.strip()
                if key not in keys:
                    keys.append(key)
        dumps = self.dump_keys(keys)
        for line in lines:
            CHECKS[line.word](self, line, dumps)

    def dump_keys(self, keys):
        """state dump KEY --json for each key, side by side: {key: (exit code, json, text)}."""
        running = [(key, self.bench.spawn([self.bench.program('state'), 'dump', key, '--json'], 30))
                   for key in keys]
        results = {}
        for key, r in running:
            rc, out, err = r.result()
            if rc == 0:
                results[key] = (rc, json.loads(out))
            elif rc == 1:
                results[key] = (rc, None)
            else:
                raise ScenarioError(f'state.exe dump {key} failed ({rc}): {err.strip()}')
        return results


class Running:
    """A Windows program started with `bench.sh run`, whose result is collected later."""

    def __init__(self, env, args, timeout):
        self.args = args
        self.timeout = timeout
        self.out = tempfile.TemporaryFile()
        self.err = tempfile.TemporaryFile()
        env = dict(env, AOF_BENCH_TIMEOUT=str(int(timeout) + 1))
        self.proc = subprocess.Popen([BENCH, 'run'] + args, stdin=subprocess.DEVNULL,
                                     stdout=self.out, stderr=self.err, env=env,
                                     start_new_session=True)

    def result(self, encoding='utf-8'):
        try:
            rc = self.proc.wait(timeout=self.timeout + 15)
        except subprocess.TimeoutExpired:
            os.killpg(self.proc.pid, 9)
            self.proc.wait()
            rc = None
        if rc == 124:  # bench.sh run killed it after AOF_BENCH_TIMEOUT
            rc = None
        texts = []
        for f in (self.out, self.err):
            f.seek(0)
            texts.append(f.read().decode(encoding, 'replace'))
            f.close()
        return rc, texts[0], texts[1]


# ---------------------------------------------------------------- after-run checks

def find_value(tree, name):
    for v in tree['values']:
        if v['name'].lower() == name.lower():
            return v
    return None


def describe_value(v):
    if v is None:
        return 'no value'
    if v['type'] == 'REG_DWORD' and isinstance(v['data'], int):
        return f'REG_DWORD {v["data"]}'
    if v['type'] in ('REG_SZ', 'REG_EXPAND_SZ'):
        return f'{v["type"]} "{show(v["data"])}" (cp932 {v.get("cp932", "")})'
    return f'{v["type"]} {v["data"]}'


def check_reg_value(s, line, dumps):
    key, name, rest = tokens(line.rest, 3)
    kind, want = tokens(rest, 2)
    rc, tree = dumps[key]
    where = f'{line.where()} reg-value {key} "{name}"'
    if tree is None:
        s.fail(f'{where}: the key does not exist')
        return
    v = find_value(tree, name)
    if v is None:
        s.fail(f'{where}: the value does not exist')
        return
    ok = True
    if kind == 'sz':
        want_text = unescape(s.expand(want))
        ok = v['type'] == 'REG_SZ' and v['data'] == want_text
        if not ok and v['type'] == 'REG_SZ':
            s.fail('\n'.join([f'{where}:'] + text_diff('  REG_SZ text', want_text, v['data'])))
            return
        want_show = f'REG_SZ "{show(want_text)}"'
    elif kind == 'sz-pattern':
        ok = v['type'] == 'REG_SZ' and re.fullmatch(want, v['data']) is not None
        want_show = f'REG_SZ matching {want}'
    elif kind == 'sz-bytes':
        want_hex = want.replace(' ', '').lower()
        ok = v['type'] == 'REG_SZ' and v.get('cp932', '') == want_hex
        want_show = f'REG_SZ with the bytes {want_hex}'
    elif kind == 'dword':
        ok = v['type'] == 'REG_DWORD' and v['data'] == int(want.strip(), 0)
        want_show = f'REG_DWORD {int(want.strip(), 0)}'
    elif kind == 'binary':
        want_hex = re.sub(r'[\s,]', '', want).lower()
        ok = v['type'] == 'REG_BINARY' and v['data'] == want_hex
        want_show = f'REG_BINARY {want_hex}'
    else:
        raise ScenarioError(f'{line.where()}: reg-value type must be sz, sz-pattern, sz-bytes, '
                            f'dword or binary, not "{kind}"')
    if not ok:
        s.fail(f'{where}: expected {want_show}, found {describe_value(v)}')


def check_reg_missing_value(s, line, dumps):
    key, name = tokens(line.rest, 2)
    rc, tree = dumps[key]
    if tree is not None and find_value(tree, name) is not None:
        s.fail(f'{line.where()} reg-missing-value {key} "{name}": the value exists: '
               f'{describe_value(find_value(tree, name))}')


def check_reg_missing_key(s, line, dumps):
    key = tokens(line.rest, 2)[0]
    rc, tree = dumps[key]
    if tree is not None:
        s.fail(f'{line.where()} reg-missing-key {key}: the key exists')


def check_reg_key(s, line, dumps):
    key = tokens(line.rest, 2)[0]
    rc, tree = dumps[key]
    if tree is None:
        s.fail(f'{line.where()} reg-key {key}: the key does not exist')


def dump_text(tree, skip=()):
    """The text form of state.exe's dump, rebuilt from its JSON form (values named in skip
    left out)."""
    out = [f'[{tree["key"]}]']
    for v in tree['values']:
        if v['name'] in skip:
            continue
        line = f'"{v["name"]}" {v["type"]}'
        if v['type'] in ('REG_SZ', 'REG_EXPAND_SZ'):
            line += f' "{show(v["data"])}"'
        elif v['type'] == 'REG_DWORD' and isinstance(v['data'], int):
            line += f' {v["data"]}'
        else:
            line += f' ({v["size"]} bytes) {v["data"]}'
        out.append(line)
    for child in tree['subkeys']:
        out.extend(dump_text(child, skip))
    return out


def check_reg_dump(s, line, dumps):
    key = line.rest.strip()
    rc, tree = dumps[key]
    want = [s.expand(b) for b in (line.block or [])]
    got = dump_text(tree) if tree is not None else ['(no such key)']
    if want != got:
        import difflib
        diff = difflib.unified_diff(want, got, 'expected', 'actual', lineterm='', n=2)
        s.fail(f'{line.where()} reg-dump {key} differs:\n' +
               '\n'.join('    ' + d for d in diff))


def check_file_exists(s, line, dumps):
    path = s.win_path(line.rest.strip())
    if not os.path.isfile(s.bench.unix(path)):
        s.fail(f'{line.where()} file-exists {path}: no such file')


def check_file_missing(s, line, dumps):
    path = s.win_path(line.rest.strip())
    if os.path.exists(s.bench.unix(path)):
        s.fail(f'{line.where()} file-missing {path}: it exists')


def check_dir_exists(s, line, dumps):
    path = s.win_path(line.rest.strip())
    if not os.path.isdir(s.bench.unix(path)):
        s.fail(f'{line.where()} dir-exists {path}: no such folder')


def check_dir_files(s, line, dumps):
    path = s.win_path(line.rest.strip())
    unix = s.bench.unix(path)
    got = sorted(os.listdir(unix), key=str.lower) if os.path.isdir(unix) else ['(no such folder)']
    want = sorted((s.expand(b) for b in (line.block or [])), key=str.lower)
    if [g.lower() for g in got] != [w.lower() for w in want]:
        s.fail(f'{line.where()} dir-files {path}: expected {want}, found {got}')


def read_checked(s, line, path):
    unix = s.bench.unix(path)
    if not os.path.isfile(unix):
        s.fail(f'{line.where()} {line.word} {path}: no such file')
        return None
    with open(unix, 'rb') as f:
        return f.read()


def check_file_content(s, line, dumps):
    path = s.win_path(line.rest.strip())
    data = read_checked(s, line, path)
    if data is None:
        return
    cp932 = line.word == 'file-content-cp932'
    want = s.block_text(line, crlf=cp932)
    got = data.decode('cp932' if cp932 else 'utf-8', 'replace')
    if got != want:
        s.fail('\n'.join([f'{line.where()} {line.word} {path}:'] +
                         text_diff('  content', want, got)))


def check_file_bytes(s, line, dumps):
    path, hextext = tokens(line.rest, 2)
    path = s.win_path(path)
    data = read_checked(s, line, path)
    if data is not None and data != bytes.fromhex(hextext.replace(',', ' ')):
        s.fail(f'{line.where()} file-bytes {path}: expected {hextext.strip()}, found '
               f'{data.hex(" ")}')


def check_file_readonly(s, line, dumps):
    path = s.win_path(line.rest.strip())
    unix = s.bench.unix(path)
    if not os.path.isfile(unix):
        s.fail(f'{line.where()} file-readonly {path}: no such file')
    elif os.stat(unix).st_mode & 0o222:
        s.fail(f'{line.where()} file-readonly {path}: the file is writable')


CHECKS = {
    'reg-value': check_reg_value,
    'reg-missing-value': check_reg_missing_value,
    'reg-missing-key': check_reg_missing_key,
    'reg-key': check_reg_key,
    'reg-dump': check_reg_dump,
    'file-exists': check_file_exists,
    'file-missing': check_file_missing,
    'dir-exists': check_dir_exists,
    'dir-files': check_dir_files,
    'file-content': check_file_content,
    'file-content-cp932': check_file_content,
    'file-bytes': check_file_bytes,
    'file-readonly': check_file_readonly,
}


# ---------------------------------------------------------------- main

def installs_editor(path):
    """True for a scenario that installs the stand-in editor (an "editor" directive)."""
    with open(path, encoding='utf-8') as f:
        return any(line.startswith('editor ') for line in f)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('-v', '--verbose', action='store_true')
    parser.add_argument('--build', default='win32')
    parser.add_argument('--view', choices=sorted(EDITOR_KEYS), default='32')
    parser.add_argument('--with-editor', action='store_true')
    parser.add_argument('names', nargs='*')
    args = parser.parse_args(argv)
    config = Config(args.build, args.view)
    available = sorted(f for f in os.listdir(HERE) if f.endswith('.scn'))
    chosen = []
    for n in args.names or available:
        base = os.path.basename(n)
        base = base if base.endswith('.scn') else base + '.scn'
        if base not in available:
            print(f'no scenario {base} in {HERE}')
            print(f'0 passed, {len(args.names)} failed')
            return 1
        chosen.append(base)
    if args.with_editor:
        chosen = [c for c in chosen if installs_editor(os.path.join(HERE, c))]
    print(f'scenarios: {config.label} ({config.tested})')
    if not chosen:
        print('no scenario to run: a selection that runs nothing counts as failed')
        print('0 passed, 1 failed')
        return 1
    bench = Bench(config.logs)
    try:
        bench.start()
    except ScenarioError as e:
        print(f'the Wine bench did not start: {e}')
        print(f'0 passed, {len(chosen)} failed')
        return 1
    passed = failed = skipped = 0
    for base in chosen:
        scenario = Scenario(os.path.join(HERE, base), bench, config, args.verbose)
        started = time.monotonic()
        try:
            scenario.run()
        except ScenarioSkipped as e:
            skipped += 1
            print(f'SKIP {scenario.name}: {scenario.title}: {e}')
            continue
        except ScenarioError as e:
            scenario.fail(f'error: {e}')
        except (OSError, ValueError, KeyError, UnicodeError) as e:
            scenario.fail(f'error: {type(e).__name__}: {e}')
        seconds = time.monotonic() - started
        if scenario.problems:
            failed += 1
            print(f'FAIL {scenario.name}: {scenario.title} ({seconds:.1f} s)')
            for p in scenario.problems:
                print('  ' + p.replace('\n', '\n  '))
        else:
            passed += 1
            print(f'PASS {scenario.name}: {scenario.title} ({seconds:.1f} s)')
        for n in scenario.notes:
            print('  ' + n.replace('\n', '\n  '))
        sys.stdout.flush()
    print(f'{passed} passed, {failed} failed' + (f', {skipped} skipped' if skipped else ''))
    return 0 if failed == 0 else 1


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
