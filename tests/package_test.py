#!/usr/bin/env python3
"""Checks the packages that the package and mingw32-package workflows made.

usage: tests/package_test.py      (as root, from anywhere, after both workflows)

It installs the .deb files with dpkg and removes them again, so it belongs on
a build machine, not on one whose score-rank installation matters.  Each check
prints ok or FAIL with what differs; the last line counts them.
"""

import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TESTS = os.path.join(ROOT, "tests")
DEB = os.path.join(ROOT, "build", "package")
ZIP = os.path.join(ROOT, "build", "mingw32-package")
PROGRAM = "score-rank_1.0.0_amd64.deb"
DEV = "score-rank-dev_1.0.0_amd64.deb"
WINDOWS = "score-rank-1.0.0-win32.zip"
EXAMPLE = b"input score:Total students are 3\n95 78 60 "
SORTED = "5 4 3 1 1 / 7 5 5 / 12 11 13\n"
DOC = "./usr/share/doc/"
CONFIG = "./usr/lib/x86_64-linux-gnu/cmake/score-rank/score-rank-config"

# Package, control fields it must have, the files it must hold (and no more).
PACKAGES = [
    (PROGRAM, {"Section": "utils", "Depends": "libc6 (>= "},
     ["./usr/bin/score-rank", "./usr/share/man/man1/score-rank.1.gz",
      DOC + "score-rank/README.md", DOC + "score-rank/copyright",
      DOC + "score-rank/changelog.gz"]),
    (DEV, {"Section": "libdevel"},
     ["./usr/include/score-rank/data_sort.h",
      "./usr/lib/x86_64-linux-gnu/libscore-rank-data-sort.a",
      CONFIG + ".cmake", CONFIG + "-release.cmake", CONFIG + "-version.cmake",
      DOC + "score-rank-dev/copyright", DOC + "score-rank-dev/changelog.gz"]),
    (WINDOWS, {}, ["README.md", "score-rank.exe"]),
]


def run(*command, **kw):
    return subprocess.run(command, capture_output=True, check=True, **kw)


def text(*command, **kw):
    return run(*command, **kw).stdout.decode()


def contents(package):
    """The files a package holds, and its control fields."""
    if package.endswith(".zip"):
        listing = text("unzip", "-Z1", os.path.join(ZIP, package)).split()
        return listing, {}
    path = os.path.join(DEB, package)
    listing = [line.split()[-1] for line in
               text("dpkg-deb", "-c", path).splitlines()
               if not line.startswith("d")]
    fields = dict(re.findall(r"^(\S+): (.*)$", text("dpkg-deb", "-f", path),
                             re.M))
    return listing, fields


def check_contents(package, fields, files):
    listing, got = contents(package)
    wrong = [] if sorted(listing) == sorted(files) else [
        f"holds {sorted(listing)}, want {sorted(files)}"]
    wrong += [f"{k}: {got.get(k)!r}, want {v!r}..." for k, v in fields.items()
              if not got.get(k, "").startswith(v)]
    return wrong


def check_lintian():
    got = subprocess.run(["lintian", "-I", os.path.join(DEB, PROGRAM),
                          os.path.join(DEB, DEV)], capture_output=True)
    return [line for line in got.stdout.decode().splitlines()
            if line[:2] in ("E:", "W:") or "hardening-" in line]


def check_manual():
    got = subprocess.run(["mandoc", "-T", "lint", "-W", "warning",
                          os.path.join(DEB, "score-rank.1")],
                         capture_output=True)
    return (got.stdout + got.stderr).decode().splitlines()


def check_consumer(prefix):
    """Builds the consumer project against the sorts installed in prefix."""
    with tempfile.TemporaryDirectory() as build:
        run("cmake", "-S", os.path.join(TESTS, "consumer"), "-B", build,
            f"-DCMAKE_PREFIX_PATH={prefix}")
        run("cmake", "--build", build)
        got = text(os.path.join(build, "consumer"))
    return [] if got == SORTED else [f"consumer wrote {got!r}, want {SORTED!r}"]


def check_install_tree():
    """cmake --install puts a tree that refers to neither source nor build."""
    with tempfile.TemporaryDirectory() as prefix:
        run("cmake", "--install", DEB, "--prefix", prefix)
        got = subprocess.run(["grep", "-rlF", "-e", ROOT, prefix],
                             capture_output=True).stdout.decode().split()
        return [f"{f} names {ROOT}" for f in got] + check_consumer(prefix)


def check_dpkg():
    """Installs both .deb files, uses them as a user would, removes them."""
    run("dpkg", "-i", os.path.join(DEB, PROGRAM), os.path.join(DEB, DEV))
    try:
        wrong = []
        got = run("/usr/bin/score-rank", input=b"60 95 78 -1").stdout
        if got != EXAMPLE:
            wrong.append(f"/usr/bin/score-rank wrote {got!r}")
        page = text("man", "-w", "score-rank").strip()
        if page != "/usr/share/man/man1/score-rank.1.gz":
            wrong.append(f"man -w score-rank: {page!r}")
        return wrong + check_consumer("/usr")
    finally:
        run("dpkg", "-r", "score-rank", "score-rank-dev")


def check_windows():
    """The zipped program: stripped, versioned, and the end-to-end cases."""
    with tempfile.TemporaryDirectory() as folder:
        run("unzip", "-q", os.path.join(ZIP, WINDOWS), "-d", folder)
        exe = os.path.join(folder, "score-rank.exe")
        run("cmake", "-DOBJDUMP=i686-w64-mingw32-objdump", f"-DPROGRAM={exe}",
            "-P", os.path.join(TESTS, "imports.cmake"))
        wrong = [f"section {s}" for s in re.findall(
            r"\s(\.debug\S*)", text("i686-w64-mingw32-objdump", "-h", exe))]
        with open(exe, "rb") as f:
            strings = f.read().decode("utf-16-le", "replace")
        for key, value in [("FileDescription", "Ranks the scores"),
                           ("ProductName", "score-rank"),
                           ("FileVersion", "1.0.0"),
                           ("ProductVersion", "1.0.0"),
                           ("OriginalFilename", "score-rank.exe")]:
            if not re.search(key + "\0+" + value, strings):
                wrong.append(f"no version resource {key}: {value}")
        env = dict(os.environ, WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=",
                   WINEPREFIX=os.path.join(ZIP, "wine"))
        # A Wine server kept alive across the cases starts each run fast.
        os.makedirs(env["WINEPREFIX"], exist_ok=True)
        subprocess.run(["sh", "-c", "wineserver -p && wineboot"], env=env,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True)
        try:
            e2e = subprocess.run([sys.executable,
                                  os.path.join(TESTS, "排序_test.py"),
                                  "--windows", "wine", exe],
                                 env=env, capture_output=True)
        finally:
            subprocess.run(["wineserver", "-k"], env=env)
        if e2e.returncode != 0:
            wrong += [line for line in e2e.stdout.decode().splitlines()
                      if not line.startswith("ok")]
        return wrong


def check_reproducible():
    """Two clean clones in different folders make byte-identical packages."""
    env = dict(os.environ, SOURCE_DATE_EPOCH=text(
        "git", "-C", ROOT, "log", "-1", "--format=%ct").strip())
    with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
        for clone in (a, b):
            run("git", "clone", "-q", ROOT, clone + "/score-rank")
            for preset in ("package", "mingw32-package"):
                run("cmake", "--workflow", "--preset", preset,
                    cwd=clone + "/score-rank", env=env)
        wrong = []
        for folder, package in [("package", PROGRAM), ("package", DEV),
                                ("mingw32-package", WINDOWS)]:
            pa, pb = (f"{c}/score-rank/build/{folder}/{package}"
                      for c in (a, b))
            if subprocess.run(["cmp", pa, pb]).returncode != 0:
                wrong.append(f"{package} differs between clones")
        return wrong


def main():
    checks = [(f"{p} holds what it must", lambda p=p, f=f, l=l:
               check_contents(p, f, l)) for p, f, l in PACKAGES]
    checks += [("lintian reports no error, warning or hardening tag",
                check_lintian),
               ("mandoc -T lint -W warning is silent", check_manual),
               ("install tree serves a consumer project", check_install_tree),
               ("installed with dpkg, then removed", check_dpkg),
               ("zipped program under Wine", check_windows),
               ("packages are reproducible", check_reproducible)]
    failed = 0
    for name, check in checks:
        try:
            wrong = check()
        except subprocess.CalledProcessError as e:
            wrong = [f"{' '.join(map(str, e.cmd))} failed: "
                     f"{(e.stderr or b'').decode()[-2000:]}"]
        print(("FAIL " if wrong else "ok   ") + name)
        for w in wrong:
            print("     " + w)
        failed += bool(wrong)
    print(f"{len(checks) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
