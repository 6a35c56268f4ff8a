#!/usr/bin/env python3
"""The author's kit as authors use it, on the Wine bench (AOF_BENCH_DIR, AOF_BENCH_DISPLAY):

- every SETUP.AFU fragment of docs/authoring.md (each ```ini block) under AFUCHECK: a line
  `<!-- afucheck: ... -->` right before a block says what to expect: the codes AFUCHECK must
  report (A218 ...), all of them and no other, and `part` for a block that shows part of a file,
  which is then laid over the guide's first block (its keys replace that file's keys of the same
  name, the others are added). A block without the line must be clean under AFUCHECK /WX. Each
  block is written as code page 932 with CR LF, beside an empty file for every FileName of
  [Install Macros] and [Install Files];
- tools/run-sample.sh --update on the package pair tests/packages/memo-1.0 and memo-1.1;
- the packages of tests/kit/one-way.table, one way round: each is checked by AFUCHECK /PLAN
  (which must give the row's diagnostics) and installed by SETUP.EXE on a fresh stand-in editor
  (in the 32-bit registry view), every dialog affirmed through the robot. A package AFUCHECK
  passes without an error must install as its plan says (files, menu entries, record) and
  uninstall through its installed-apps entry (or its program copy) as a clean uninstall ends:
  the files under C:\aoftest as before but for the program copy and its folders, the planned
  files gone, no menu entry, no record, no apps entry. On a package that SETUP.EXE stops on (no
  version recorded), AFUCHECK must have given an error; a row whose error SETUP.EXE does not
  stop on must say why AFUCHECK is stricter.

Prints PASS or FAIL per check and ends with "N passed, M failed". Checks with the SETUP.EXE and
AFUCHECK.EXE authors ship, the i686 build's (build/win32).
"""
import os
import re
import shutil
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPO, "tests", "scenarios"))
import run as runner  # noqa: E402  the scenario runner: its bench, robot runs and snapshots

BENCH = os.path.join(REPO, "tools", "bench", "bench.sh")
SHIPPED = os.path.join(REPO, "build", "win32")
AFUCHECK = os.path.join(SHIPPED, "AFUCHECK.EXE")
GUIDE = os.path.join(REPO, "docs", "authoring.md")
TABLE = os.path.join(REPO, "tests", "kit", "one-way.table")
MAIN_SECTION = "aofude macro setup"
PACKAGE = "C:\\aoftest\\pkg"
FRESH_EDITOR = [("editor", "%TEST%\\Aofude /macropath %TEST%\\Aofude\\Macro"),
                ("mkdir", "%TEST%\\Aofude\\Macro")]
RECORDS = "HKCU\\Software\\Brenlo"
APPS = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"


def read_fragments():
    """(line number, expectation, text) of every ```ini block of the guide."""
    fragments = []
    lines = open(GUIDE, encoding="utf-8").read().split("\n")
    for i, line in enumerate(lines):
        if line.strip() != "```ini":
            continue
        indent = len(line) - len(line.lstrip())
        marker = re.match(r"\s*<!-- afucheck: (.*) -->$", lines[i - 1])
        body = []
        for text in lines[i + 1:]:
            if text.strip() == "```":
                break
            body.append(text[indent:])
        fragments.append((i + 1, marker.group(1).split() if marker else [], body))
    return fragments


def key_of(line):
    text = line.strip()
    return text.split("=", 1)[0].strip().lower() if "=" in text and not text.startswith(";") else None


def sections_of(body):
    """[[section name, [lines]]]; lines before any section belong to the main section."""
    sections = [["Aofude Macro Setup", []]]
    for line in body:
        text = line.strip()
        if not text.startswith("["):
            sections[-1][1].append(line)
        elif text[1:-1].lower() == MAIN_SECTION and len(sections) == 1 and \
                not any(key_of(l) for l in sections[0][1]):
            sections[0][1].append(line)
        else:
            sections.append([text[1:-1], [line]])
    return sections


def lay_over(base, part):
    """The base file with the part's keys put in: the same keys replaced, the others added."""
    merged = sections_of(base)
    for name, lines in sections_of(part):
        target = next((s for s in merged if s[0].lower() == name.lower()), None)
        if target is None:
            merged.append([name, lines])
            continue
        for line in lines:
            if line.strip().startswith("[") or not line.strip():
                continue
            same = [i for i, old in enumerate(target[1]) if key_of(line) and key_of(old) == key_of(line)]
            if same:
                target[1][same[0]] = line
            else:
                target[1].append(line)
    main = merged[0][1]
    if not any(l.strip().startswith("[") for l in main):
        main.insert(0, "[Aofude Macro Setup]")
    return [l for _, lines in merged for l in lines]


def source_files(body):
    names, section = [], ""
    for line in body:
        text = line.strip()
        if text.startswith("["):
            section = text[1:-1].lower()
        elif section in ("install macros", "install files") and re.match(r"(?i)filename\d+=", text):
            names.append(text.split("=", 1)[1].strip())
    return names


def bench(*arguments):
    return subprocess.run([BENCH, *arguments], stdout=subprocess.PIPE, stderr=subprocess.PIPE)


def write_package(folder, text):
    """The setup-info file as code page 932 with CR LF, and an empty file for every FileName."""
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "SETUP.AFU"), "wb") as out:
        out.write("".join(l + "\r\n" for l in text).encode("cp932"))
    for name in source_files(text):
        path = os.path.join(folder, *re.split(r"[\\/]", name))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        open(path, "wb").close()


def diagnostic_codes(output):
    return re.findall(r": (?:error|warning) (A\d{3}):", output)


def check_fragment(prefix, number, line, expected, body, base):
    codes = [c for c in expected if c != "part"]
    text = lay_over(base, body) if "part" in expected else body
    write_package(os.path.join(prefix, "drive_c", "aoftest", "guide", str(number)), text)
    options = [] if codes else ["/WX"]
    run = bench("run", AFUCHECK, *options, "C:\\aoftest\\guide\\%d\\SETUP.AFU" % number)
    output = run.stdout.decode("cp932", "replace")
    found = diagnostic_codes(output)
    if sorted(found) == sorted(codes) and (codes or run.returncode == 0):
        print("PASS docs/authoring.md:%d gives %s" % (line, " ".join(codes) or "nothing under /WX"))
        return True
    print("FAIL docs/authoring.md:%d: expected %s, AFUCHECK said:" % (line, " ".join(codes) or "nothing"))
    print(output.replace("\r\n", "\n").rstrip())
    return False


def check_update_pair():
    run = subprocess.run(["bash", os.path.join(REPO, "tools", "run-sample.sh"), "--update",
                          os.path.join(REPO, "tests", "packages", "memo-1.0"),
                          os.path.join(REPO, "tests", "packages", "memo-1.1")],
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, env=dict(os.environ, CI="true"))
    if run.returncode == 0:
        print("PASS run-sample.sh --update tests/packages/memo-1.0 memo-1.1")
        return True
    print("FAIL run-sample.sh --update tests/packages/memo-1.0 memo-1.1:")
    print("\n".join(run.stdout.decode("utf-8", "replace").splitlines()[-40:]))
    return False


def read_table():
    """The rows of the one-way table: label, codes, folder, stricter (the reason) and lines."""
    rows = []
    for line in open(TABLE, encoding="utf-8").read().split("\n"):
        if line.startswith("  "):
            rows[-1]["lines"].append(line[2:])
        elif line.strip() and not line.startswith("#"):
            head, _, stricter = line.partition(" stricter: ")
            head, _, folder = head.partition(" from ")
            label, *codes = head.split()
            rows.append({"label": label, "codes": [c for c in codes if c != "-"],
                         "folder": folder, "stricter": stricter, "lines": []})
    return rows


def lay_package(unix, row, base):
    """The row's package and the shipped SETUP.EXE in the folder unix."""
    if row["folder"] == "sample":  # kept in UTF-8 here, shipped as code page 932
        subprocess.run(["bash", os.path.join(REPO, "tools", "copy-sample.sh"), unix], check=True)
    elif row["folder"]:
        shutil.copytree(os.path.join(REPO, row["folder"]), unix, dirs_exist_ok=True)
    else:
        write_package(unix, lay_over(base, row["lines"]))
    shutil.copyfile(os.path.join(SHIPPED, "SETUP.EXE"), os.path.join(unix, "SETUP.EXE"))


def holds_value(tree, name):
    """Whether a key of the dump tree (or below it) holds a value of this name."""
    return tree is not None and (runner.find_value(tree, name) is not None or
                                 any(holds_value(key, name) for key in tree["subkeys"]))


class OneWay:
    """One row of the one-way table on a freshly reset bench."""

    def __init__(self, bench, config, row):
        self.row = row
        self.scenario = runner.Scenario("one-way-%s.scn" % row["label"], bench, config)
        self.scenario.timeout = 20
        os.makedirs(self.scenario.log_dir, exist_ok=True)
        self.problems = []

    def fail(self, text):
        self.problems.append(text)

    def plan_lines(self, label):
        """The texts of the plan's lines "LABEL: TEXT" (indented or not)."""
        return [l.strip()[len(label) + 2:] for l in self.output.split("\n")
                if l.strip().startswith(label + ": ")]

    def is_recorded(self):
        """A version recorded and no run left marked: the install or update ran to its end."""
        tree = self.scenario.dump_keys([RECORDS])[RECORDS][1]
        return holds_value(tree, "MacroVersion") and not holds_value(tree, "RunInProgress")

    def apps_entries(self):
        tree = self.scenario.dump_keys([APPS])[APPS][1]
        return [key for key in (tree["subkeys"] if tree else [])
                if key["name"].split("\\")[-1].startswith("AofMacroSetup.")]

    def menu(self):
        """The stand-in editor's menu: {slot number: label} and the stored group names."""
        rc, out, err = self.scenario.bench.wine([self.scenario.bench.program("editor"),
                                                 "/dump-menu"], 30)
        lines = [l.split("\t") for l in out.replace("\r", "").split("\n")]
        return ({int(l[1]): l[2] for l in lines if l[0] == "slot"},
                [l[3] for l in lines if l[0] == "group" and len(l) > 3 and l[3]])

    def run_setup(self, name, program, command_line=False):
        """SETUP.EXE with every dialog affirmed; the last dialog's text (for a failure)."""
        rc, transcript = self.scenario.robot(name, program, [], True, command_line)
        text = open(transcript, encoding="utf-8", errors="replace").read() \
            if os.path.exists(transcript) else ""
        dialogs = [d for d in runner.parse_transcript(text)[0] if d.kind != "progress"]
        last = dialogs[-1].texts if dialogs else {}
        said = (last.get("65535") or last.get("1001") or "no dialog").replace("\n", " ")
        return said + ("" if rc == 0 else " (robot: exit code %s, %s)" % (rc, transcript))

    def run(self, base):
        s = self.scenario
        s.bench.reset()
        for word, rest in FRESH_EDITOR:
            s.setup(runner.Line(0, word, rest, None))
        lay_package(s.bench.unix(PACKAGE), self.row, base)
        rc, self.output, _ = s.bench.spawn([AFUCHECK, "/PLAN", PACKAGE + "\\SETUP.AFU"],
                                           30).result("cp932")
        found = diagnostic_codes(self.output)
        if sorted(found) != sorted(self.row["codes"]):
            self.fail("AFUCHECK gave %s, not %s:\n%s" % (" ".join(found) or "nothing",
                      " ".join(self.row["codes"]) or "nothing", self.output.rstrip()))
        before = s.converge_state() if rc != 2 else None
        said = self.run_setup("install", PACKAGE + "\\SETUP.EXE")
        installed = self.is_recorded()
        if rc == 2:
            if installed and not self.row["stricter"]:
                self.fail("SETUP.EXE installed a package AFUCHECK finds errors in; if AFUCHECK "
                          "is stricter on purpose, the row must say why (stricter:)")
            elif not installed and self.row["stricter"]:
                self.fail("SETUP.EXE stopped (%s): the row is not stricter than SETUP.EXE" % said)
        elif not installed:
            self.fail("SETUP.EXE stopped on a package AFUCHECK passes: %s" % said)
        else:
            self.check_install()
            self.uninstall()
            self.check_clean(before)
        return self.problems

    def check_install(self):
        """The files, menu entries and apps entry that the plan names are there."""
        for path in self.plan_lines("先"):
            if not os.path.isfile(self.scenario.bench.unix(path)):
                self.fail("the install did not copy %s" % path)
        slots = self.menu()[0]
        for entry in self.plan_lines("ﾒﾆｭｰ"):
            number, title = re.match(r"ﾏｸﾛ(\d+)「(.*)」$", entry).groups()
            if not slots.get(int(number), "\0").endswith(title):
                self.fail("the menu shows %s in slot %s, not the plan's 「%s」" %
                          (slots.get(int(number), "nothing"), number, title))

    def uninstall(self):
        """Through the installed-apps entry, whose command is the quoted program copy; without an
        InternalName there is none, and the program copy is started."""
        folder, copies = re.match(r"(.*) \(.* と (.*)\)$",
                                  self.plan_lines("アンインストール情報")[0]).groups()
        # Without a final "\" the copies' names are joined to the folder's last name.
        self.program_copy = folder.rpartition("\\")[0] + "\\" + copies
        entries = self.apps_entries()
        command = runner.find_value(entries[0], "UninstallString")["data"] if entries else None
        if command is not None and command != '"%s"' % self.program_copy:
            self.fail("the installed-apps entry runs %s, not the program copy" % command)
        said = self.run_setup("uninstall", command or self.program_copy, command is not None)
        if self.is_recorded():
            self.fail("the uninstall did not end: %s" % said)

    def check_clean(self, before):
        """As a clean uninstall ends: only the program copy and the folders holding it are new
        under C:\\aoftest, the planned files are gone (outside it too), no menu entry, no stored
        group name, no record, no apps entry."""
        after = self.scenario.converge_state()
        kept = self.program_copy.lower().replace("\\", "/")
        changed = [p for p in set(before) | set(after) if p.startswith("C:/")
                   and before.get(p) != after.get(p)
                   and not (p not in before and kept.startswith(p.lower()))]
        outside = [p for p in self.plan_lines("先") if not p.lower().startswith("c:\\aoftest\\")]
        for path in sorted(changed) + [p for p in outside
                                        if os.path.exists(self.scenario.bench.unix(p))]:
            self.fail("the uninstall left %s" % path)
        slots, names = self.menu()
        if slots or names:
            self.fail("the menu still holds %s %s" % (slots or "", names or ""))
        tree = self.scenario.dump_keys([RECORDS])[RECORDS][1]
        if holds_value(tree, "MacroVersion") or holds_value(tree, "RunInProgress"):
            self.fail("the package record is left")
        if self.apps_entries():
            self.fail("the installed-apps entry is left")


def check_one_way():
    """Every row of the one-way table; its results and the time it took."""
    config = runner.Config("win32", "32")
    scenario_bench = runner.Bench(config.logs)
    scenario_bench.start()
    started = time.monotonic()
    rows = read_table()
    results = []
    for row in rows:
        try:
            problems = OneWay(scenario_bench, config, row).run(rows[0]["lines"])
        except Exception as e:  # a fault of the bench or of this check: the row fails
            problems = ["error: %s: %s" % (type(e).__name__, e)]
        errors = any(code < "A200" for code in row["codes"])
        what = "AFUCHECK %s, SETUP.EXE %s" % (
            " ".join(row["codes"]) or "clean", "installs and uninstalls" if not errors else
            "stops" if not row["stricter"] else "installs (stricter: %s)" % row["stricter"])
        print("%s one-way %s: %s" % ("FAIL" if problems else "PASS", row["label"], what))
        for problem in problems:
            print("    " + problem.replace("\n", "\n    "))
        results.append(not problems)
    scenario_bench.lock_file.close()
    print("(the one-way table of %d packages took %.0f s)" %
          (len(rows), time.monotonic() - started))
    return results


def main():
    env = bench("env").stdout.decode()
    prefix = re.search(r"^export WINEPREFIX=(.*)$", env, re.M).group(1)
    if bench("start").returncode != 0 or bench("reset").returncode != 0:
        print("FAIL the Wine bench did not start\n0 passed, 1 failed")
        return 1
    fragments = read_fragments()
    results = [check_fragment(prefix, n, line, expected, body, fragments[0][2])
               for n, (line, expected, body) in enumerate(fragments, 1)]
    results.append(check_update_pair())
    results.extend(check_one_way())
    failed = results.count(False)
    print("%d passed, %d failed" % (len(results) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
