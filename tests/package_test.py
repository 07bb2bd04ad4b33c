#!/usr/bin/env python3
"""Checks the packages that the package, package-arm64, package-armhf and
mingw32-package workflows made, the release's files beside them in
build/dist, and the Debian source package, which it builds.
Run as root: it installs the .deb files with dpkg and removes them again."""

import hashlib
import json
import os
import re
import subprocess
import sys
import tempfile

import yaml

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
with open(os.path.join(ROOT, "CMakeLists.txt")) as f:
    VERSION = re.search(r"project\(score-rank VERSION (\S+)", f.read())[1]
ZIP = os.path.join(ROOT, "build", "mingw32-package")
WINDOWS = f"score-rank-{VERSION}-win32.zip"
DIST = os.path.join(ROOT, "build", "dist")
TARBALL = f"score-rank-{VERSION}.tar.gz"
DOC = "./usr/share/doc/"
COMPLETION = "./usr/share/bash-completion/completions/score-rank"

# Debian architecture, its multiarch folder, ELF machine, and what runs its
# programs here.
ARCHES = [
    ("amd64", "x86_64-linux-gnu", "Advanced Micro Devices X86-64", []),
    ("arm64", "aarch64-linux-gnu", "AArch64",
     ["qemu-aarch64-static", "-L", "/usr/aarch64-linux-gnu"]),
    ("armhf", "arm-linux-gnueabihf", "ARM",
     ["qemu-arm-static", "-L", "/usr/arm-linux-gnueabihf"]),
]


def folder(arch):
    return os.path.join(ROOT, "build", "package" + ("" if arch == "amd64" else "-" + arch))


def debs(arch):
    return [os.path.join(folder(arch), f"{p}_{VERSION}_{arch}.deb")
            for p in ("score-rank", "score-rank-dev")]


def packages(arch, multiarch):
    """Package, control fields it must have, the files it must hold."""
    lib = f"./usr/lib/{multiarch}/"
    config = lib + "cmake/score-rank/score-rank-config"
    program, dev = debs(arch)
    return [
        (program, {"Architecture": arch, "Section": "utils", "Depends": "libc6 (>= "},
         ["./usr/bin/score-rank", "./usr/share/man/man1/score-rank.1.gz", COMPLETION]
         + [DOC + "score-rank/" + f for f in ("README.md", "copyright",
                                              "changelog.gz")]),
        (dev, {"Architecture": arch, "Section": "libdevel"},
         ["./usr/include/score-rank/data_sort.h", lib + "libscore-rank-data-sort.a",
          lib + "pkgconfig/score-rank.pc", config + ".cmake",
          config + "-release.cmake", config + "-version.cmake",
          DOC + "score-rank-dev/copyright", DOC + "score-rank-dev/changelog.gz"]),
    ]


PACKAGES = [p for arch, multiarch, _, _ in ARCHES for p in packages(arch, multiarch)]
PACKAGES += [(os.path.join(ZIP, WINDOWS), {}, ["LICENSE.txt", "README.txt",
                                                "score-rank.exe", "score-rank.txt"])]
DEB = folder("amd64")


def out(*command, **kw):
    return subprocess.run(command, capture_output=True, check=True,
                          **kw).stdout.decode()


def contents(path, fields, files):
    if path.endswith(".zip"):
        listing, got = out("unzip", "-Z1", path).split(), {}
    else:
        listing = [l.split()[-1] for l in out("dpkg-deb", "-c", path).splitlines()
                   if not l.startswith("d")]
        got = dict(re.findall(r"^(\S+): (.*)$", out("dpkg-deb", "-f", path), re.M))
    wrong = [f"{k}: {got.get(k)!r}" for k, v in fields.items()
             if not got.get(k, "").startswith(v)]
    return wrong + ([] if sorted(listing) == sorted(files) else [f"holds {listing}"])


def linters():
    lintian = subprocess.run(["lintian", "-I"] + [p for a, *_ in ARCHES for p in debs(a)],
                             capture_output=True)
    mandoc = subprocess.run(["mandoc", "-T", "lint", os.path.join(DEB, "score-rank.1")],
                            capture_output=True)
    return [l for l in lintian.stdout.decode().splitlines()
            if l[:2] in ("E:", "W:") or "hardening-" in l] + \
        (mandoc.stdout + mandoc.stderr).decode().splitlines()


def consumer(prefix):
    """Builds tests/consumer against the sorts installed in prefix, with CMake
    and with a plain g++ command given pkg-config's flags, and with this
    source tree as a subproject, whose link options must not reach it, and
    runs all three."""
    source = os.path.join(ROOT, "tests", "consumer")
    env = dict(os.environ, PKG_CONFIG_PATH=f"{prefix}/lib/{ARCHES[0][1]}/pkgconfig")
    flags = out("pkg-config", "--cflags", "--libs", "score-rank", env=env).split()
    with tempfile.TemporaryDirectory() as build:
        sub = os.path.join(build, "sub")
        out("cmake", "-S", source, "-B", build, f"-DCMAKE_PREFIX_PATH={prefix}")
        out("cmake", "--build", build)
        out("g++", os.path.join(source, "main.cpp"), *flags, "-o", build + "/plain")
        out("cmake", "-S", source, "-B", sub, f"-DSCORE_RANK_SOURCE_DIR={ROOT}")
        out("cmake", "--build", sub)
        got = [out(os.path.join(build, p)) for p in ("consumer", "plain", "sub/consumer")]
        # Taken in as a subproject, score-rank leaves the parent's tests on.
        tests = out("ctest", "--test-dir", sub)
        # The subproject's own link options stay with its program.
        with open(os.path.join(sub, "CMakeFiles", "consumer.dir", "link.txt")) as f:
            link = f.read()
    want = "5 4 3 1 1 / 7 5 5 / 12 11 13\n"
    return [f"{p} consumer: {g!r}" for p, g in
            zip(("CMake", "pkg-config", "add_subdirectory"), got) if g != want] + \
        [f"add_subdirectory consumer links with {o}" for o in
         ("--as-needed", "relro", "-static", "-fsanitize") if o in link] + \
        ([] if "0 tests failed out of 1\n" in tests else
         [f"add_subdirectory consumer's own tests: {tests[-300:]!r}"])


def install_tree():
    with tempfile.TemporaryDirectory() as prefix:
        out("cmake", "--install", DEB, "--prefix", prefix)
        named = subprocess.run(["grep", "-rlF", ROOT, prefix], capture_output=True)
        completion = os.path.join(prefix, COMPLETION[len("./usr/"):])
        return named.stdout.decode().split() + consumer(prefix) + (
            [] if os.path.isfile(completion) else [f"no {completion}"])


def dpkg():
    out("dpkg", "-i", *debs("amd64"))
    try:
        ran = out("/usr/bin/score-rank", input=b"60 95 78 -1")
        page = out("man", "-w", "score-rank")
        unlicensed = []
        for p in ("score-rank", "score-rank-dev"):
            with open(f"/usr/share/doc/{p}/copyright") as f:
                unlicensed += [] if "License: MIT\n" in f.read() else [p]
        return ([] if ran == "input score:Total students are 3\n95 78 60 " else
                [f"score-rank: {ran!r}"]) + \
            ([] if page == "/usr/share/man/man1/score-rank.1.gz\n" else
             [f"man -w: {page!r}"]) + consumer("/usr") + unlicensed
    finally:
        out("dpkg", "-r", "score-rank", "score-rank-dev")


def e2e(*command, env=None):
    """The end-to-end cases on a command; what failed, if any did.  Passed
    means a closing line of some cases passed and none failed, with status
    0: a script that crashed, or ran nothing, fails."""
    windows = list(command[:1]) if command[0] == "--windows" else []
    ran = subprocess.run([sys.executable, os.path.join(ROOT, "tests", "排序_test.py"),
                          *windows, "--version", VERSION, *command[len(windows):]],
                         env=env, capture_output=True)
    lines = ran.stdout.decode(errors="replace").splitlines()
    closing = re.fullmatch(r"([1-9]\d*) passed, 0 failed", lines[-1] if lines else "")
    if ran.returncode == 0 and closing:
        return []
    return [l for l in lines if l.startswith(("FAIL", "     "))] or [
        f"status {ran.returncode} with no failing case: "
        + ran.stderr.decode(errors="replace")[-2000:]]


def e2e_check_fails():
    """The end-to-end check itself: a program that does not exist fails it."""
    return [] if e2e("/nonexistent/score-rank") else [
        "the end-to-end check passed a program that does not exist"]


def packaged_program(arch, machine, emulator):
    """The packaged program: a stripped program for its architecture that
    passes the end-to-end cases, run under qemu-user where it is foreign."""
    with tempfile.TemporaryDirectory() as root:
        out("dpkg-deb", "-x", debs(arch)[0], root)
        program = os.path.join(root, "usr", "bin", "score-rank")
        header = out("readelf", "-h", program)
        wrong = [] if re.search(rf"Machine:\s+{machine}\n", header) else [header]
        wrong += [".symtab"] if ".symtab" in out("readelf", "-S", program) else []
        return wrong + e2e(*emulator, program)


def unzipped(folder):
    """Unpacks the zip into folder; returns the program's path there."""
    out("unzip", "-q", os.path.join(ZIP, WINDOWS), "-d", folder)
    return os.path.join(folder, "score-rank.exe")


def windows_file():
    """The zipped program: imports, no debug sections, version resource, and
    the application manifest as resource 1 of type 24 (RT_MANIFEST); the
    README, the license and the manual as Windows text: CR LF, ASCII, no
    line over 79 columns."""
    with tempfile.TemporaryDirectory() as folder:
        exe = unzipped(folder)
        wrong = []
        for name, start in (("README.txt", b"score-rank - rank"),
                            ("LICENSE.txt", b"MIT License\r\n"),
                            ("score-rank.txt", b"SCORE-RANK(1) ")):
            with open(os.path.join(folder, name), "rb") as f:
                text = f.read()
            if not text.startswith(start) or not text.isascii() or \
                    re.search(rb"[^\r\n -~]", text) or \
                    text.count(b"\n") != text.count(b"\r\n") or \
                    max(map(len, text.split(b"\r\n"))) > 79:
                wrong.append(f"{name} is not Windows text: {text[:100]!r}")
        out("cmake", "-DOBJDUMP=i686-w64-mingw32-objdump", "-DMACHINE=i386",
            f"-DPROGRAM={exe}", "-P", os.path.join(ROOT, "tests", "imports.cmake"))
        wrong += re.findall(r"\.debug\S*", out("i686-w64-mingw32-objdump", "-h", exe))
        resources = out("i686-w64-mingw32-objdump", "-p", exe)
        if not re.search(r"Entry: ID: 0x000018, .*\n.*\n.*Entry: ID: 0x000001,",
                         resources):
            wrong.append("no manifest resource")
        with open(exe, "rb") as f, \
                open(os.path.join(ROOT, "src", "score-rank.exe.manifest"), "rb") as m:
            data = f.read()
            wrong += [] if m.read() in data else ["manifest differs from its source"]
        strings = data.decode("utf-16-le", "replace")
        return wrong + [k for k in ("FileDescription\0+Rank the scores",
                                    "ProductName\0+score-rank",
                                    "FileVersion\0+" + VERSION,
                                    "ProductVersion\0+" + VERSION,
                                    "OriginalFilename\0+score-rank.exe")
                        if not re.search(k, strings)]


def windows_runs():
    """The end-to-end cases on the zipped program, under a Wine server kept
    alive across them; skipped where 32-bit x86 programs cannot run, or
    Wine's 32-bit loader (wine32) is missing."""
    probe = subprocess.run(["wine", "--version"], capture_output=True)
    if probe.returncode == 126 or re.search(
            rb"Exec format error|wine32 is missing", probe.stderr):
        raise Skip("Wine cannot run 32-bit x86 programs here (its 32-bit loader "
                   "fails or is missing), and the mingw64 workflow proves the "
                   "Windows behaviour")
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
            return e2e("--windows", "wine", exe, env=env)
        finally:
            subprocess.run(["wineserver", "-k"], env=env, capture_output=True)


def reproducible():
    """The package workflows, in two fresh clones, give the same bytes, and
    so the same release files and tarball."""
    env = dict(os.environ, SOURCE_DATE_EPOCH=out("git", "-C", ROOT, "log", "-1",
                                                 "--format=%ct").strip())
    with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
        for clone in (a + "/x", b + "/score-rank"):
            out("git", "clone", "-q", ROOT, clone)
            for preset, arch in (("package", ""), ("package-cross", "arm64"),
                                 ("package-cross", "armhf"),
                                 ("mingw32-package", "")):
                out("cmake", "--workflow", "--preset", preset, cwd=clone,
                    env=dict(env, DEB_HOST_ARCH=arch))
        made = [os.path.relpath(p, ROOT) for p, _, _ in PACKAGES]
        made += [os.path.join("build", "dist", f) for f in
                 ["SHA256SUMS", "score-rank.json"] + [m for m, _, _ in MANIFESTS]]
        return [p for p in made if subprocess.run(["cmp", os.path.join(
            a, "x", p), os.path.join(b, "score-rank", p)]).returncode]


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def release_files():
    """SHA256SUMS in build/dist lists the release's packages and source
    tarball, which holds the tree without debian/, and verifies."""
    want = sorted([os.path.basename(p) for p, _, _ in PACKAGES] + [TARBALL])
    with open(os.path.join(DIST, "SHA256SUMS")) as f:
        listed = sorted(l.split("  ", 1)[1] for l in f.read().splitlines())
    check = subprocess.run(["sha256sum", "--strict", "-c", "SHA256SUMS"], cwd=DIST,
                           capture_output=True)
    top = {n.split("/")[1] for n in out("tar", "-tzf", os.path.join(DIST, TARBALL)).split()
           if n.count("/") > 1 or not n.endswith("/")}
    return ([] if listed == want else [f"SHA256SUMS lists {listed}"]) + \
        ([] if check.returncode == 0 else [check.stdout.decode() + check.stderr.decode()]) + \
        ([] if "CMakeLists.txt" in top and "debian" not in top else [f"tarball holds {top}"])


# Each manifest, the fields its format requires beyond those whose values
# are given, and the values of this release that fields must have; every
# manifest must also name the package, the version and ManifestVersion.
WINGET = "winget/score-rank.score-rank"
MANIFESTS = [
    (WINGET + ".yaml", [], {"ManifestType": "version", "DefaultLocale": "en-US"}),
    (WINGET + ".locale.en-US.yaml", ["Publisher", "PackageName", "ShortDescription"],
     {"ManifestType": "defaultLocale", "PackageLocale": "en-US", "License": "MIT"}),
    (WINGET + ".installer.yaml", ["Installers"],
     {"ManifestType": "installer", "InstallerType": "zip",
      "NestedInstallerType": "portable",
      "NestedInstallerFiles": [{"RelativeFilePath": "score-rank.exe",
                                "PortableCommandAlias": "score-rank"}]}),
]


def manifests():
    """The winget manifests (YAML) and the Scoop manifest (JSON) of this
    release: well-formed, with the fields their formats require, and the
    hash of the zip beside them."""
    zip_hash = sha256(os.path.join(DIST, WINDOWS))
    wrong = []
    for name, required, values in MANIFESTS:
        with open(os.path.join(DIST, name)) as f:
            m = yaml.safe_load(f)
        values = dict(values, PackageIdentifier="score-rank.score-rank",
                      PackageVersion=VERSION, ManifestVersion="1.12.0")
        wrong += [f"{name} lacks {k}" for k in required if k not in m]
        wrong += [f"{name}: {k} is {m.get(k)!r}" for k, v in values.items() if m.get(k) != v]
        for i in m.get("Installers", []):
            if (i.get("Architecture"), i.get("InstallerSha256"), i.get("InstallerUrl", "")[-len(WINDOWS) - 1:]) != \
                    ("x86", zip_hash.upper(), "/" + WINDOWS):
                wrong.append(f"{name}: installer {i}")
    with open(os.path.join(DIST, "score-rank.json")) as f:
        scoop = json.load(f)
    x86 = scoop.get("architecture", {}).get("32bit", {})
    update = scoop.get("autoupdate", {}).get("architecture", {}).get("32bit", {})
    wrong += [f"score-rank.json lacks {k}" for k in ("version", "description", "homepage",
                                                       "license", "bin", "checkver", "autoupdate")
              if k not in scoop]
    if (scoop.get("version"), scoop.get("bin"), x86.get("hash"), x86.get("url", "").endswith(
            "/" + WINDOWS), update.get("hash", {}).get("url")) != \
            (VERSION, "score-rank.exe", zip_hash, True, "$baseurl/SHA256SUMS"):
        wrong.append(f"score-rank.json: {scoop}")
    return wrong


# Words typed after score-rank, and what bash then offers for the last one,
# in a folder that holds the files a and b.
COMPLETIONS = [
    (["--"], "-- --column --help --version"),
    (["--v"], "--version"),
    (["--column", ""], ""),
    (["--column", "2", ""], "a b"),
    ([""], "a b"),
    (["--", ""], "a b"),
    (["--", "-"], ""),
    (["a", ""], ""),
    (["-", ""], ""),
]


def completion():
    """The packaged bash completion, driven through its function as bash
    calls it."""
    with tempfile.TemporaryDirectory() as root, tempfile.TemporaryDirectory() as files:
        out("dpkg-deb", "-x", debs("amd64")[0], root)
        for f in "ab":
            open(os.path.join(files, f), "w").close()
        script = f". {root}/{COMPLETION} && complete -p score-rank && cd {files}\n"
        for words, _ in COMPLETIONS:
            script += (f"COMP_WORDS=(score-rank {' '.join(repr(w) for w in words)}); "
                       f"COMP_CWORD={len(words)}; _score_rank; echo \"${{COMPREPLY[*]}}\"\n")
        got = out("bash", "-c", script).splitlines()
    wrong = [] if got[:1] == ["complete -o filenames -F _score_rank score-rank"] else [got[:1]]
    return wrong + [f"score-rank {' '.join(w)}: {g!r}, want {want!r}"
                    for (w, want), g in zip(COMPLETIONS, got[1:])
                    if sorted(g.split()) != want.split()]


def source_package():
    """The Debian source package, made as a maintainer makes it: the release's
    tarball as the orig tarball, debian/ from the commit beside it, built
    with dpkg-buildpackage -us -uc.  lintian finds no error or warning, blhc
    nothing in the build log; the packages have the CPack packages' names,
    so that either replaces the other, and pass the autopkgtest, installed
    here and run with the null runner."""
    with tempfile.TemporaryDirectory() as work:
        tree = os.path.join(work, f"score-rank-{VERSION}")
        orig = os.path.join(work, f"score-rank_{VERSION}.orig.tar.gz")
        out("cp", os.path.join(DIST, TARBALL), orig)
        out("tar", "-C", work, "-xzf", orig)
        subprocess.run(f"git -C {ROOT} archive HEAD debian | tar -C {tree} -x",
                       shell=True, check=True)
        with open(os.path.join(work, "build.log"), "w") as log:
            subprocess.run(["dpkg-buildpackage", "-us", "-uc"], cwd=tree, check=True,
                           stdout=log, stderr=subprocess.STDOUT)
        changes = [os.path.join(work, f) for f in os.listdir(work) if f.endswith(".changes")]
        made = out("dcmd", "--deb", *changes).split()
        lintian = subprocess.run(["lintian", "-I", "--pedantic", *changes],
                                 capture_output=True).stdout.decode().splitlines()
        blhc = subprocess.run(["blhc", "--all", "--debian", os.path.join(work, "build.log")],
                              capture_output=True)
        names = sorted(out("dpkg-deb", "-f", d, "Package", "Multi-Arch").replace("\n", " ")
                       for d in made if "dbgsym" not in d)
        wrong = [l for l in lintian if l[:2] in ("E:", "W:")]
        revision = out("dpkg-parsechangelog", "-l", os.path.join(ROOT, "debian", "changelog"),
                       "-S", "Version").strip()
        wrong += [] if re.fullmatch(re.escape(VERSION) + r"-\d+", revision) else [
            f"debian/changelog names {revision}, not {VERSION}-N"]
        wrong += [] if blhc.returncode == 0 else [blhc.stdout.decode()[:2000]]
        wrong += [] if names == ["Package: score-rank Multi-Arch: foreign ",
                                 "Package: score-rank-dev Multi-Arch: same "] else [names]
        out("apt-get", "install", "-y", "-qq", *[d for d in made if "dbgsym" not in d])
        try:
            test = subprocess.run(["autopkgtest", "-B", tree, "--", "null"],
                                  capture_output=True)
            if test.returncode:
                wrong.append(test.stdout.decode()[-2000:])
        finally:
            out("dpkg", "-r", "score-rank", "score-rank-dev")
        return wrong


class Skip(Exception):
    """A check that cannot run on this machine, and why."""


def main():
    checks = [(f"{os.path.basename(c[0])} holds what it must", lambda c=c: contents(*c))
              for c in PACKAGES]
    checks += [("lintian and mandoc -T lint", linters),
               ("the end-to-end check fails where nothing runs", e2e_check_fails)]
    checks += [(f"packaged {arch} program: stripped, {machine}, end-to-end cases",
                lambda a=(arch, machine, emulator): packaged_program(*a))
               for arch, _, machine, emulator in ARCHES]
    checks += [("cmake --install tree: completion, CMake and pkg-config consumers",
                install_tree),
               ("dpkg -i, run, man -w, consumers, dpkg -r", dpkg),
               ("zipped program: imports, no debug sections, version, manifest",
                windows_file),
               ("zipped program under Wine", windows_runs),
               ("packages are reproducible", reproducible),
               ("SHA256SUMS verifies the release's files", release_files),
               ("winget and Scoop manifests of this release", manifests),
               ("bash completion", completion),
               ("Debian source package: dpkg-buildpackage, lintian, blhc, autopkgtest",
                source_package)]
    counts = {"ok": 0, "FAIL": 0, "skip": 0}
    for name, check in checks:
        try:
            wrong = check()
            verdict = "FAIL" if wrong else "ok"
        except Skip as e:
            wrong, verdict = [str(e)], "skip"
        except subprocess.CalledProcessError as e:
            said = (e.stderr or e.stdout or b"").decode(errors="replace")
            wrong = [f"{e.cmd} failed with status {e.returncode}: {said[-2000:]}"]
            verdict = "FAIL"
        except Exception as e:  # a check's own fault is a failure too
            wrong, verdict = [f"{type(e).__name__}: {e}"], "FAIL"
        counts[verdict] += 1
        print(f"{verdict:5}{name}" + "".join("\n     " + w for w in wrong))
    print(f"{counts['ok']} passed, {counts['FAIL']} failed"
          + (f", {counts['skip']} skipped" if counts["skip"] else ""))
    return 1 if counts["FAIL"] else 0


if __name__ == "__main__":
    sys.exit(main())
