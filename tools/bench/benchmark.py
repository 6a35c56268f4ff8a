#!/usr/bin/env python3
"""The benchmark behind tools/benchmark.sh: SETUP.EXE against baselines under the Wine bench.

    python3 tools/bench/benchmark.py [--quick]

Measures, interleaved (a baseline run beside each SETUP.EXE run, in alternating order):
  start-up   program start to its first dialog: SETUP.EXE vs bench-bare.exe (MessageBoxA)
  install    confirmation answered to completion dialog, 1, 11 and 20 files, each into a fresh
             folder: SETUP.EXE vs bench-copy.exe (CopyFileA of the same files between two
             message boxes); the cost per file is the median over the rounds of each round's
             slope from 1 to 20 files
  update     confirmation answered to completion dialog, the 20 files of the install updated
             by a newer version ("overwrite all" answered once in each section; the time the
             questions stood open left out): SETUP.EXE vs bench-copy.exe /replace (CopyFileA
             over the same files)
  uninstall  the "really delete?" question answered to the final report, 1,000, 5,000 and
             10,000 files listed in [UnInstall Files]: SETUP.EXE vs bench-delete.exe
             (DeleteFileA of the same files between two message boxes)
and reports the i686 SETUP.EXE's size by section and resource. The full run has 30 rounds of
start-up and install, then 3 of uninstall.

Times come from the UI robot's own stamps (robot.exe --times --poll 1): when it first saw a
dialog and when it posted an answer, in milliseconds since it started the program, so the
start of Wine and of the robot are outside every measure. Baselines are shown and answered
the same way, so the robot's polling costs both sides alike.

Wine's profile functions read an INI file anew on every call while it is younger than about
2 s. The bench lays its setup-info files down one day old, and a person reads the questions
before answering: the uninstall's "really delete?" is answered after a pause of 2.5 s (the
"person" figures). The "fast" figures answer at once, within milliseconds of the rewrite of
the uninstall-info copy (full run only; at 10,000 files).

--quick runs every measure once and answers the uninstall at once (CI: proves the benchmark
works; no time is judged).
"""

import os
import shlex
import shutil
import statistics
import struct
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
BENCH_SH = os.path.join(HERE, 'bench.sh')
# SETUP.EXE and its baselines are the shipped i686 build's; the robot, the state tool and the
# stand-in editor the x86_64 test tools.
WIN32 = os.path.join(REPO, 'build', 'win32')
WIN64 = os.path.join(REPO, 'build', 'win64')
WIN32_SETUP = os.path.join(WIN32, 'SETUP.EXE')

TEST = 'C:\\aoftest'
EDITOR = TEST + '\\Aofude'
MACRO = EDITOR + '\\Macro'
DAY_OLD = time.time() - 86400
PERSON_PAUSE_MS = 2500
INSTALL_SIZES = (1, 11, 20)
UPDATE_SIZE = 20  # the largest install, updated
UNINSTALL_SIZES = (1000, 5000, 10000)


class BenchError(Exception):
    pass


def build_path(build, *parts):
    path = os.path.join(build, *parts)
    if not os.path.isfile(path):
        raise BenchError(f'{path} is missing: build the {os.path.basename(build)} preset first')
    return path


def unix_to_win(path):
    return 'Z:' + os.path.abspath(path).replace('/', '\\')


class Bench:
    def __init__(self):
        self.env = dict(os.environ)
        text = subprocess.run(['bash', BENCH_SH, 'env'], capture_output=True, text=True,
                              check=True).stdout
        for line in text.splitlines():
            if line.startswith('export '):
                name, _, value = line[len('export '):].partition('=')
                self.env[name] = shlex.split(value)[0] if value else ''
            elif line.startswith('unset '):
                for name in line.split()[1:]:
                    self.env.pop(name, None)
        self.c_drive = os.path.join(self.env['WINEPREFIX'], 'drive_c')
        self.robot = build_path(WIN64, 'tools', 'robot', 'robot.exe')

    def shell(self, *args, timeout=300, accept=(0,)):
        done = subprocess.run(['bash', BENCH_SH, *args], env=self.env, capture_output=True,
                              text=True, timeout=timeout)
        if done.returncode not in accept:
            raise BenchError(f'bench.sh {" ".join(args)} failed:\n{done.stdout}{done.stderr}')
        return done.stdout

    def unix(self, win_path):
        assert win_path[:3].upper() == 'C:\\'
        return os.path.join(self.c_drive, *win_path[3:].split('\\'))

    def run(self, *args, accept=(0,)):
        self.shell('run', *args, timeout=120, accept=accept)

    def write(self, win_path, data, old=False):
        path = self.unix(win_path)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'wb') as f:
            f.write(data)
        if old:
            os.utime(path, (DAY_OLD, DAY_OLD))

    def remove(self, win_path):
        try:
            os.remove(self.unix(win_path))
        except FileNotFoundError:
            pass

    def drive(self, program, args, answers, name):
        """Runs program under the robot with the answers; returns the dialogs as
        (seen ms, answered ms or None) in order, the progress dialog left out."""
        work = TEST + '\\bench'
        self.write(f'{work}\\{name}.answers', ('\n'.join(answers) + '\n').encode())
        transcript = f'{work}\\{name}.txt'
        self.remove(transcript)
        try:
            self.run(self.robot, '--times', '--poll', '1', '--timeout', '100', '--answers',
                     f'{work}\\{name}.answers', '--transcript', transcript, '--', program,
                     *args)
        except BenchError as error:
            log = self.unix(transcript)
            text = open(log, encoding='utf-8').read() if os.path.exists(log) else ''
            raise BenchError(f'{error}\n{text}')
        dialogs = []
        for block in open(self.unix(transcript), encoding='utf-8').read().split('\ndialog ')[1:]:
            lines = block.splitlines()
            if lines[0].endswith(': progress'):
                continue
            stamps = dict(l.split(': ', 1) for l in lines if l.startswith('time'))
            ms = lambda key: float(stamps[key].split()[0]) if key in stamps else None
            dialogs.append((ms('time'), ms('time answered')))
        return dialogs


def setup_info(name, sections, users=None, version=1):
    lines = ['[Aofude Macro Setup]', 'SetupVersion=32', f'SetupName=ﾍﾞﾝﾁ {name}',
             f'InternalName={name}', f'MacroVersion={version}']
    if users is not None:
        lines.append(f'InstalledUsers={users}')
    for section, entries in sections:
        lines.append(f'[{section}]')
        lines += [f'FileName{n}={entry}' for n, entry in enumerate(entries, 1)]
    return ('\r\n'.join(lines) + '\r\n').encode('cp932')


class Measures:
    def __init__(self, bench, quick):
        self.bench = bench
        self.quick = quick
        self.times = {}  # (measure, program, size) -> [ms]
        self.setup = build_path(WIN32, 'SETUP.EXE')
        self.state = build_path(WIN64, 'tools', 'state', 'state.exe')
        self.editor = build_path(WIN64, 'tools', 'editor_standin', 'aofude.exe')
        self.bare = build_path(WIN32, 'tools', 'bench', 'bench-bare.exe')
        self.copy = build_path(WIN32, 'tools', 'bench', 'bench-copy.exe')
        self.delete = build_path(WIN32, 'tools', 'bench', 'bench-delete.exe')

    def add(self, key, ms):
        self.times.setdefault(key, []).append(ms)

    def prepare(self):
        b = self.bench
        b.shell('start')
        b.shell('reset')
        b.run(self.editor, '/install', EDITOR, '/macropath', MACRO)
        os.makedirs(b.unix(MACRO), exist_ok=True)
        for size in INSTALL_SIZES:
            self.lay_install_package(size)
        self.lay_install_package(UPDATE_SIZE, version=2)

    # -- start-up

    def startup(self, order):
        for program in order:
            if program == 'setup':
                # Another package's uninstall-info copy in the same folder stops the run.
                self.bench.remove(f'{MACRO}\\SETUP.AFU')
                d = self.bench.drive(f'{TEST}\\inst1\\SETUP.EXE', [], ['Cancel', 'OK'],
                                   'startup')
            else:
                d = self.bench.drive(self.bare, [], ['OK'], 'bare')
            self.add(('start-up', program, 0), d[0][0])

    # -- install

    @staticmethod
    def install_names(size):
        macros = min(size, 10) if size != 11 else 1
        return ([f'm{n}.mac' for n in range(1, macros + 1)],
                [f'f{n}.txt' for n in range(1, size - macros + 1)])

    @staticmethod
    def package_folder(size, version=1):
        return f'{TEST}\\inst{size}' if version == 1 else f'{TEST}\\upd{size}'

    def lay_install_package(self, size, version=1):
        b = self.bench
        pkg = self.package_folder(size, version)
        macros, files = self.install_names(size)
        for name in macros + files:
            b.write(f'{pkg}\\{name}', b'// bench %d\r\n' % version * 100, old=True)
        b.write(f'{pkg}\\SETUP.AFU', setup_info(f'BenchInstall{size}',
                                                [('Install Macros', macros),
                                                 ('Install Files', files)], version=version),
                old=True)
        with open(self.setup, 'rb') as f:
            b.write(f'{pkg}\\SETUP.EXE', f.read())

    def clear_install(self, program):
        # Both programs copy into a fresh folder: a folder that once held the uninstall's
        # 10,000 files keeps its size on the host and slows every look-up of a missing name.
        b = self.bench
        for folder in (MACRO, f'{TEST}\\copy'):
            shutil.rmtree(b.unix(folder), ignore_errors=True)
            os.makedirs(b.unix(folder))
        if program != 'setup':
            return
        b.run(self.state, 'delete-key', 'HKCU\\Software\\Brenlo', accept=(0, 1))  # 1: none
        b.run(self.editor, '/install', EDITOR, '/macropath', MACRO)

    def install(self, size, order):
        pkg = f'{TEST}\\inst{size}'
        for program in order:
            self.clear_install(program)
            if program == 'setup':
                d = self.bench.drive(f'{pkg}\\SETUP.EXE', [], ['OK', 'OK'], f'install{size}')
            else:
                macros, files = self.install_names(size)
                d = self.bench.drive(self.copy, [pkg, f'{TEST}\\copy', *macros, *files],
                                     ['OK', 'OK'], f'copy{size}')
            self.add(('install', program, size), d[1][0] - d[0][1])
            if size == UPDATE_SIZE:
                self.update(program)

    # -- update: the install just made, updated by the newer version

    def update(self, program):
        pkg = self.package_folder(UPDATE_SIZE, 2)
        if program == 'setup':
            d = self.bench.drive(f'{pkg}\\SETUP.EXE', [], ['OK', 'All', 'All', 'OK'],
                                 f'update{UPDATE_SIZE}')
            asked = sum(answered - seen for seen, answered in d[1:3])
            self.add(('update', program, UPDATE_SIZE), d[3][0] - d[0][1] - asked)
        else:
            macros, files = self.install_names(UPDATE_SIZE)
            d = self.bench.drive(self.copy, ['/replace', pkg, f'{TEST}\\copy', *macros, *files],
                                 ['OK', 'OK'], f'replace{UPDATE_SIZE}')
            self.add(('update', program, UPDATE_SIZE), d[1][0] - d[0][1])

    # -- uninstall

    def lay_uninstall(self, size):
        b = self.bench
        for n in range(1, size + 1):
            b.write(f'{MACRO}\\u{n}.txt', b'bench\r\n')

    def uninstall(self, size, order, pause):
        b = self.bench
        name = 'BenchUninstall'
        listed = [f'u{n}.txt' for n in range(1, size + 1)]
        sections = [('Install Macros', ['m1.mac']), ('UnInstall Files', listed)]
        for program in order:
            self.lay_uninstall(size)
            if program == 'setup':
                b.write(f'{TEST}\\uninst\\SETUP.AFU', setup_info(name, sections), old=True)
                b.write(f'{MACRO}\\SETUP.AFU', setup_info(name, sections, users=1), old=True)
                with open(self.setup, 'rb') as f:
                    b.write(f'{TEST}\\uninst\\SETUP.EXE', f.read())
                b.run(self.state, 'set-dword', f'HKCU\\Software\\Brenlo\\AofMacroSetup\\{name}',
                      'MacroVersion', '1')
                really = [f'!pause {PERSON_PAUSE_MS}', 'Yes'] if pause else ['Yes']
                d = b.drive(f'{TEST}\\uninst\\SETUP.EXE', [],
                            ['OK', 'Yes', 'OK', *really, 'OK'], f'uninstall{size}')
                start, end = d[3][1], d[4][0]
                if os.path.exists(b.unix(f'{MACRO}\\u{size}.txt')):
                    raise BenchError(f'SETUP.EXE left the listed file u{size}.txt')
            else:
                d = b.drive(self.delete, [f'{MACRO}\\u%u.txt', str(size)], ['OK', 'OK'],
                            f'delete{size}')
                start, end = d[0][1], d[1][0]
            self.add(('uninstall' if pause else 'uninstall fast', program, size), end - start)

    def run(self):
        # An install takes a tenth of a second: more rounds steady its cost per file. The
        # uninstall rounds come last: laying and deleting 10,000 files keeps the host's disk
        # busy for a while and slowed the copies of the installs that followed.
        reps = 1 if self.quick else 30
        uninstall_reps = 1 if self.quick else 3
        for rep in range(reps):
            order = self.order(rep)
            self.startup(order)
            for size in INSTALL_SIZES:
                self.install(size, order)
            print(f'install round {rep + 1} of {reps} done', flush=True)
        for rep in range(uninstall_reps):
            order = self.order(rep)
            for size in UNINSTALL_SIZES:
                self.uninstall(size, order, pause=not self.quick)
            if not self.quick:
                self.uninstall(UNINSTALL_SIZES[-1], order, pause=False)
            print(f'uninstall round {rep + 1} of {uninstall_reps} done', flush=True)

    @staticmethod
    def order(rep):
        return ('setup', 'base') if rep % 2 == 0 else ('base', 'setup')


# ---------------------------------------------------------------- size

def pe_sections(data):
    pe = struct.unpack_from('<I', data, 0x3C)[0]
    count = struct.unpack_from('<H', data, pe + 6)[0]
    optional = struct.unpack_from('<H', data, pe + 20)[0]
    table = pe + 24 + optional
    sections = []
    for i in range(count):
        name, vsize, vaddr, rsize, rptr = struct.unpack_from('<8sIIII', data, table + 40 * i)
        sections.append((name.rstrip(b'\0').decode(), vsize, vaddr, rsize, rptr))
    return sections


RESOURCE_TYPES = {1: 'cursor', 2: 'bitmap', 3: 'icon', 4: 'menu', 5: 'dialog', 6: 'string',
                  14: 'group icon', 16: 'version', 24: 'manifest'}


def pe_resources(data):
    """(type, id, size) of every resource in .rsrc."""
    rsrc = next((s for s in pe_sections(data) if s[0] == '.rsrc'), None)
    if rsrc is None:
        return []
    _, _, vaddr, _, rptr = rsrc
    out = []

    def walk(offset, path):
        named, ids = struct.unpack_from('<HH', data, rptr + offset + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from('<II', data, rptr + offset + 16 + 8 * i)
            here = path + [name & 0x7FFFFFFF]
            if target & 0x80000000:
                walk(target & 0x7FFFFFFF, here)
            else:
                size = struct.unpack_from('<II', data, rptr + target)[1]
                out.append((RESOURCE_TYPES.get(here[0], str(here[0])), here[1], size))

    walk(0, [])
    return out


def size_report():
    if not os.path.isfile(WIN32_SETUP):
        return ['size: build/win32/SETUP.EXE is missing (build the win32 preset)']
    data = open(WIN32_SETUP, 'rb').read()
    lines = [f'size: i686 SETUP.EXE {len(data)} bytes ({len(data) / 1024:.1f} KiB of 64 KiB)']
    for name, vsize, _, rsize, _ in pe_sections(data):
        lines.append(f'  section {name:<8} {rsize:6d} bytes in the file ({vsize} used)')
    for kind, ident, size in pe_resources(data):
        lines.append(f'  resource {kind} {ident}: {size} bytes')
    return lines


# ---------------------------------------------------------------- report

def stats(values):
    return min(values), statistics.median(values), max(values)


def report(times):
    print('\nmeasure               size  program   n      min   median      max  (ms)')
    for (measure, program, size), values in sorted(times.items()):
        lo, med, hi = stats(values)
        print(f'{measure:<20} {size:5d}  {program:<7} {len(values):2d} '
              f'{lo:8.1f} {med:8.1f} {hi:8.1f}')

    def med(measure, program, size):
        return statistics.median(times[(measure, program, size)])

    def ratio(a, b):
        return f'{a / b:.2f}' if b > 0 else 'n/a'

    rows = [('start-up / bare MessageBoxA', ratio(med('start-up', 'setup', 0),
                                                  med('start-up', 'base', 0)))]
    for size in INSTALL_SIZES:
        rows.append((f'install {size} files / CopyFileA',
                     ratio(med('install', 'setup', size), med('install', 'base', size))))
    first, last = INSTALL_SIZES[0], INSTALL_SIZES[-1]
    # The cost per file is the slope from the smallest to the largest install, taken in each
    # round (its runs lie close together in time, so that a busy spell disturbs them alike) and
    # then the median of the rounds' slopes: the difference of two medians, or of two minimums,
    # swings with the jitter of single runs, which is larger than the whole slope.
    def round_slope(program):
        return statistics.median((big - small) / (last - first)
                                 for small, big in zip(times[('install', program, first)],
                                                       times[('install', program, last)]))

    per = {p: round_slope(p) for p in ('setup', 'base')}
    rows.append((f'install per file ({per["setup"]:.2f} vs {per["base"]:.2f} ms)',
                 ratio(per['setup'], per['base'])))
    rows.append((f'update {UPDATE_SIZE} files / CopyFileA over them',
                 ratio(med('update', 'setup', UPDATE_SIZE), med('update', 'base', UPDATE_SIZE))))
    for measure in ('uninstall', 'uninstall fast'):
        for size in UNINSTALL_SIZES:
            if (measure, 'setup', size) in times:
                rows.append((f'{measure} {size} files / DeleteFileA',
                             ratio(med(measure, 'setup', size), med(measure, 'base', size))))
    big, half = UNINSTALL_SIZES[-1], UNINSTALL_SIZES[-2]
    grown = 'uninstall' if ('uninstall', 'setup', half) in times else 'uninstall fast'
    rows.append((f'{grown} growth t({big})/t({half}), SETUP.EXE',
                 ratio(med(grown, 'setup', big), med(grown, 'setup', half))))
    rows.append((f'{grown} growth t({big})/t({half}), DeleteFileA',
                 ratio(med(grown, 'base', big), med(grown, 'base', half))))
    print('\nresult (ratio of medians)')
    for name, value in rows:
        print(f'  {name:<48} {value}')


def main():
    quick = '--quick' in sys.argv[1:]
    if any(a != '--quick' for a in sys.argv[1:]):
        print('usage: benchmark.sh [--quick]', file=sys.stderr)
        return 2
    started = time.monotonic()
    try:
        bench = Bench()
        measures = Measures(bench, quick)
        measures.prepare()
        measures.run()
    except (BenchError, subprocess.SubprocessError) as error:
        print(f'benchmark: {error}', file=sys.stderr)
        return 1
    report(measures.times)
    print()
    print('\n'.join(size_report()))
    print(f'\nbenchmark: {"quick" if quick else "full"} run in {time.monotonic() - started:.0f} s')
    return 0


if __name__ == '__main__':
    sys.exit(main())
