#!/usr/bin/env python3
"""The author's kit as authors use it, on the Wine bench (AOF_BENCH_DIR, AOF_BENCH_DISPLAY):

- every SETUP.AFU fragment of docs/authoring.md (each ```ini block) under AFUCHECK: a line
  `<!-- afucheck: ... -->` right before a block says what to expect: the codes AFUCHECK must
  report (A218 ...), all of them and no other, and `part` for a block that shows part of a file,
  which is then laid over the guide's first block (its keys replace that file's keys of the same
  name, the others are added). A block without the line must be clean under AFUCHECK /WX. Each
  block is written as code page 932 with CR LF, beside an empty file for every FileName of
  [Install Macros] and [Install Files];
- tools/run-sample.sh --update on the package pair tests/packages/memo-1.0 and memo-1.1.

Prints PASS or FAIL per check and ends with "N passed, M failed". Checks with the AFUCHECK.EXE
authors ship, the i686 build's (build/win32).
"""
import os
import re
import subprocess
import sys

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BENCH = os.path.join(REPO, "tools", "bench", "bench.sh")
AFUCHECK = os.path.join(REPO, "build", "win32", "AFUCHECK.EXE")
GUIDE = os.path.join(REPO, "docs", "authoring.md")
MAIN_SECTION = "aofude macro setup"


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


def check_fragment(prefix, number, line, expected, body, base):
    codes = [c for c in expected if c != "part"]
    text = lay_over(base, body) if "part" in expected else body
    folder = os.path.join(prefix, "drive_c", "aoftest", "guide", str(number))
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "SETUP.AFU"), "wb") as out:
        out.write("".join(l + "\r\n" for l in text).encode("cp932"))
    for name in source_files(text):
        path = os.path.join(folder, *re.split(r"[\\/]", name))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        open(path, "wb").close()
    options = [] if codes else ["/WX"]
    run = bench("run", AFUCHECK, *options, "C:\\aoftest\\guide\\%d\\SETUP.AFU" % number)
    output = run.stdout.decode("cp932", "replace")
    found = re.findall(r": (?:error|warning) (A\d{3}):", output)
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
    failed = results.count(False)
    print("%d passed, %d failed" % (len(results) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
