#!/usr/bin/env python3
"""Checks the packages that the package and mingw32-package workflows made.
Run as root: it installs the .deb files with dpkg and removes them again."""

import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEB, ZIP = (os.path.join(ROOT, "build", d) for d in ("package", "mingw32-package"))
PROGRAM, DEV = "score-rank_1.0.0_amd64.deb", "score-rank-dev_1.0.0_amd64.deb"
WINDOWS = "score-rank-1.0.0-win32.zip"
DOC, LIB = "./usr/share/doc/", "./usr/lib/x86_64-linux-gnu/"
CONFIG = LIB + "cmake/score-rank/score-rank-config"

# Folder, package, control fields it must have, the files it must hold.
PACKAGES = [
    (DEB, PROGRAM, {"Section": "utils", "Depends": "libc6 (>= "},
     ["./usr/bin/score-rank", "./usr/share/man/man1/score-rank.1.gz"]
     + [DOC + "score-rank/" + f for f in ("README.md", "copyright",
                                          "changelog.gz")]),
    (DEB, DEV, {"Section": "libdevel"},
     ["./usr/include/score-rank/data_sort.h", LIB + "libscore-rank-data-sort.a",
      CONFIG + ".cmake", CONFIG + "-release.cmake", CONFIG + "-version.cmake",
      DOC + "score-rank-dev/copyright", DOC + "score-rank-dev/changelog.gz"]),
    (ZIP, WINDOWS, {}, ["README.md", "score-rank.exe"]),
]


def out(*command, **kw):
    return subprocess.run(command, capture_output=True, check=True,
                          **kw).stdout.decode()


def contents(folder, package, fields, files):
    path = os.path.join(folder, package)
    if package.endswith(".zip"):
        listing, got = out("unzip", "-Z1", path).split(), {}
    else:
        listing = [l.split()[-1] for l in out("dpkg-deb", "-c", path).splitlines()
                   if not l.startswith("d")]
        got = dict(re.findall(r"^(\S+): (.*)$", out("dpkg-deb", "-f", path), re.M))
    wrong = [f"{k}: {got.get(k)!r}" for k, v in fields.items()
             if not got.get(k, "").startswith(v)]
    return wrong + ([] if sorted(listing) == sorted(files) else [f"holds {listing}"])


def linters():
    lintian = subprocess.run(["lintian", "-I", os.path.join(DEB, PROGRAM),
                              os.path.join(DEB, DEV)], capture_output=True)
    mandoc = subprocess.run(["mandoc", "-T", "lint", "-W", "warning",
                             os.path.join(DEB, "score-rank.1")], capture_output=True)
    return [l for l in lintian.stdout.decode().splitlines()
            if l[:2] in ("E:", "W:") or "hardening-" in l] + \
        (mandoc.stdout + mandoc.stderr).decode().splitlines()


def consumer(prefix):
    """Builds and runs tests/consumer against the sorts installed in prefix."""
    with tempfile.TemporaryDirectory() as build:
        out("cmake", "-S", os.path.join(ROOT, "tests", "consumer"), "-B", build,
            f"-DCMAKE_PREFIX_PATH={prefix}")
        out("cmake", "--build", build)
        got = out(os.path.join(build, "consumer"))
    return [] if got == "5 4 3 1 1 / 7 5 5 / 12 11 13\n" else [f"consumer: {got!r}"]


def install_tree():
    with tempfile.TemporaryDirectory() as prefix:
        out("cmake", "--install", DEB, "--prefix", prefix)
        named = subprocess.run(["grep", "-rlF", ROOT, prefix], capture_output=True)
        return named.stdout.decode().split() + consumer(prefix)


def dpkg():
    out("dpkg", "-i", os.path.join(DEB, PROGRAM), os.path.join(DEB, DEV))
    try:
        ran = out("/usr/bin/score-rank", input=b"60 95 78 -1")
        page = out("man", "-w", "score-rank")
        return ([] if ran == "input score:Total students are 3\n95 78 60 " else
                [f"score-rank: {ran!r}"]) + \
            ([] if page == "/usr/share/man/man1/score-rank.1.gz\n" else
             [f"man -w: {page!r}"]) + consumer("/usr")
    finally:
        out("dpkg", "-r", "score-rank", "score-rank-dev")


def unzipped(folder):
    """Unpacks the zip into folder; returns the program's path there."""
    out("unzip", "-q", os.path.join(ZIP, WINDOWS), "-d", folder)
    return os.path.join(folder, "score-rank.exe")


def windows_file():
    """The zipped program: imports, no debug sections, version resource."""
    with tempfile.TemporaryDirectory() as folder:
        exe = unzipped(folder)
        out("cmake", "-DOBJDUMP=i686-w64-mingw32-objdump", "-DMACHINE=i386",
            f"-DPROGRAM={exe}", "-P", os.path.join(ROOT, "tests", "imports.cmake"))
        wrong = re.findall(r"\.debug\S*", out("i686-w64-mingw32-objdump", "-h", exe))
        with open(exe, "rb") as f:
            strings = f.read().decode("utf-16-le", "replace")
        return wrong + [k for k in ("FileDescription\0+Ranks the scores",
                                    "ProductName\0+score-rank", "FileVersion\0+1.0.0",
                                    "ProductVersion\0+1.0.0",
                                    "OriginalFilename\0+score-rank.exe")
                        if not re.search(k, strings)]


def windows_runs():
    """The end-to-end cases on the zipped program, under a Wine server kept
    alive across them; skipped where 32-bit x86 programs cannot run."""
    probe = subprocess.run(["wine", "--version"], capture_output=True)
    if probe.returncode == 126 or b"Exec format error" in probe.stderr:
        raise Skip("this machine cannot run 32-bit x86 programs, and the mingw64 "
                   "workflow proves the Windows behaviour")
    env = dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               WINEPREFIX=os.path.join(ZIP, "wine"))
    os.makedirs(env["WINEPREFIX"], exist_ok=True)
    with tempfile.TemporaryDirectory() as folder, tempfile.TemporaryFile() as log:
        exe = unzipped(folder)
        try:
            # The server and Wine's services outlive the command: they must
            # not hold a pipe open, so what they say goes to a file.
            started = subprocess.run("wineserver -p && wineboot", shell=True,
                                     env=env, stdin=subprocess.DEVNULL,
                                     stdout=log, stderr=log)
            if started.returncode:
                log.seek(0)
                return [f"starting Wine failed: {log.read().decode(errors='replace')}"]
            e2e = subprocess.run([sys.executable, os.path.join(
                ROOT, "tests", "排序_test.py"), "--windows", "wine", exe],
                env=env, capture_output=True)
        finally:
            subprocess.run(["wineserver", "-k"], env=env, capture_output=True)
    return [l for l in e2e.stdout.decode().splitlines() if e2e.returncode
            and not l.startswith("ok")]


def reproducible():
    """Both workflows, in two fresh clones, give the same bytes."""
    env = dict(os.environ, SOURCE_DATE_EPOCH=out("git", "-C", ROOT, "log", "-1",
                                                 "--format=%ct").strip())
    with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
        for clone in (a + "/x", b + "/score-rank"):
            out("git", "clone", "-q", ROOT, clone)
            for preset in ("package", "mingw32-package"):
                out("cmake", "--workflow", "--preset", preset, cwd=clone, env=env)
        made = [os.path.join("build", os.path.basename(f), p) for f, p, _, _ in PACKAGES]
        return [p for p in made if subprocess.run(["cmp", os.path.join(
            a, "x", p), os.path.join(b, "score-rank", p)]).returncode]


class Skip(Exception):
    """A check that cannot run on this machine, and why."""


def main():
    checks = [(f"{p} holds what it must", lambda c=c: contents(*c))
              for c in PACKAGES for p in [c[1]]]
    checks += [("lintian and mandoc -T lint", linters),
               ("cmake --install tree serves a consumer project", install_tree),
               ("dpkg -i, run, man -w, consumer project, dpkg -r", dpkg),
               ("zipped program: imports, no debug sections, version", windows_file),
               ("zipped program under Wine", windows_runs),
               ("packages are reproducible", reproducible)]
    counts = {"ok": 0, "FAIL": 0, "skip": 0}
    for name, check in checks:
        verdict = None
        try:
            wrong = check()
        except Skip as e:
            wrong, verdict = [str(e)], "skip"
        except subprocess.CalledProcessError as e:
            said = (e.stderr or e.stdout or b"").decode(errors="replace")
            wrong = [f"{e.cmd} failed with status {e.returncode}: {said[-2000:]}"]
        except Exception as e:  # a check's own fault is a failure too
            wrong = [f"{type(e).__name__}: {e}"]
        verdict = verdict or ("FAIL" if wrong else "ok")
        counts[verdict] += 1
        print(f"{verdict:5}{name}" + "".join("\n     " + w for w in wrong))
    print(f"{counts['ok']} passed, {counts['FAIL']} failed"
          + (f", {counts['skip']} skipped" if counts["skip"] else ""))
    return 1 if counts["FAIL"] else 0


if __name__ == "__main__":
    sys.exit(main())
