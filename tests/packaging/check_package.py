#!/usr/bin/env python3
"""Builds the kinemora Debian package from a build tree and checks it as a
user's machine would see it: the control fields, the file list, an unpacked
copy that runs and writes what the build tree writes, the desktop entry, the
changelog, and lintian (findings of severity error fail).

Everything happens in a temporary directory; nothing is installed system-wide.
"""
import argparse
import gzip
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

PACKAGE = "kinemora"

# What every package holds besides the programs, relative to its root.
DATA_FILES = [
    "usr/share/applications/kinemora.desktop",
    "usr/share/mime/packages/kinemora-composition.xml",
    "usr/share/icons/hicolor/scalable/apps/kinemora.svg",
    "usr/share/man/man1/kinemora.1.gz",
    "usr/share/man/man1/kinemora-compose.1.gz",
    "usr/share/doc/kinemora/copyright",
    "usr/share/doc/kinemora/changelog.gz",
]
# Run by kinemora-compose for videos, from this place.
VIDEO_PROGRAM = "usr/libexec/kinemora/kinemora-compose-video"

# Libraries the programs link, by the Debian package that must appear in
# Depends for each program (kinemora-compose's with those of the video
# program it runs).
LIBRARY_PACKAGES = {
    "kinemora-compose": ["libc6", "libstdc++6", "libavcodec59", "libavformat59", "libswscale6",
                         "libgif7", "libegl1", "libgl1-mesa-dri"],
    "kinemora": ["libc6", "libstdc++6", "libfltk1.3", "libfltk-gl1.3", "libglu1-mesa"],
}

# Presses that cover transitions, a punch after a punch, noise on and off
# and "seizure"'s random shape.
COMPOSITION = ["rhumba", "clap", "noise", "punchR", "punchL", "noise",
               "seizure", "cheer"]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message)
    return condition


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, check=False, **kwargs)


def text(completed):
    return (completed.stdout + completed.stderr).decode("utf-8", "replace")


def build_package(build_dir, out_dir):
    config = os.path.join(build_dir, "CPackConfig.cmake")
    done = run(["cpack", "-G", "DEB", "--config", config, "-B", out_dir],
               cwd=build_dir)
    if not check(done.returncode == 0, "cpack failed:\n" + text(done)):
        return None
    debs = [name for name in os.listdir(out_dir) if name.endswith(".deb")]
    check(len(debs) == 1, "cpack made one .deb, found %s" % debs)
    return os.path.join(out_dir, debs[0]) if debs else None


def dependency_names(depends):
    """Package names in a Depends field, without versions or alternatives."""
    names = set()
    for clause in depends.split(","):
        for alternative in clause.split("|"):
            name = alternative.strip().split(" ")[0].split(":")[0]
            if name:
                names.add(name)
    return names


def check_control(deb, version, arch, programs):
    info = run(["dpkg-deb", "--info", deb])
    check(info.returncode == 0, "dpkg-deb --info failed:\n" + text(info))

    fields = {}
    for field in ["Package", "Version", "Architecture", "Maintainer",
                  "Section", "Depends", "Description"]:
        value = run(["dpkg-deb", "--field", deb, field]).stdout.decode().strip()
        fields[field] = value
    check(fields["Package"] == PACKAGE, "Package is %r" % fields["Package"])
    check(fields["Version"] == version, "Version is %r, the project's is %r"
          % (fields["Version"], version))
    check(fields["Architecture"] == arch, "Architecture is %r, dpkg's is %r"
          % (fields["Architecture"], arch))
    check(re.fullmatch(r".+ <[^@ ]+@[^@ ]+>", fields["Maintainer"]),
          "Maintainer is not 'name <address>': %r" % fields["Maintainer"])
    check(fields["Section"] == "graphics", "Section is %r" % fields["Section"])

    description = fields["Description"].split("\n")
    check(len(description) > 1 and description[0].strip(),
          "Description needs a synopsis and a long description")

    depends = dependency_names(fields["Depends"])
    check(depends, "Depends is empty: dpkg-shlibdeps did not run")
    for program in programs:
        for library in LIBRARY_PACKAGES[program]:
            check(library in depends, "Depends lacks %s (needed by %s): %s"
                  % (library, program, fields["Depends"]))


def check_contents(deb, programs):
    listing = run(["dpkg-deb", "--contents", deb])
    check(listing.returncode == 0, "dpkg-deb --contents failed")
    entries = {}
    for line in listing.stdout.decode().splitlines():
        mode, owner = line.split()[0:2]
        path = line.split()[5].lstrip("./").rstrip("/")
        if path:
            entries[path] = (mode, owner)

    for path in ["usr/bin/" + program for program in programs]:
        if check(path in entries, "the package lacks " + path):
            check(entries[path] == ("-rwxr-xr-x", "root/root"),
                  "%s is %s %s" % ((path,) + entries[path]))
    if "kinemora-compose" in programs and check(VIDEO_PROGRAM in entries,
                                                "the package lacks " + VIDEO_PROGRAM):
        check(entries[VIDEO_PROGRAM] == ("-rwxr-xr-x", "root/root"),
              "%s is %s %s" % ((VIDEO_PROGRAM,) + entries[VIDEO_PROGRAM]))
    for path in DATA_FILES:
        if check(path in entries, "the package lacks " + path):
            check(entries[path] == ("-rw-r--r--", "root/root"),
                  "%s is %s %s" % ((path,) + entries[path]))
    outside = [path for path in entries if not path.startswith("usr")]
    check(not outside, "files outside /usr: %s" % outside)
    unexpected = [path for path in entries
                  if path.startswith("usr/bin/")
                  and path[len("usr/bin/"):] not in programs]
    check(not unexpected, "unexpected programs: %s" % unexpected)


def check_unpacked_compose(root, compose, version, scratch):
    installed = os.path.join(root, "usr/bin/kinemora-compose")
    if not check(os.access(installed, os.X_OK), "no unpacked kinemora-compose"):
        return
    built = run([compose] + COMPOSITION)
    unpacked = run([installed] + COMPOSITION, cwd=scratch)
    check(built.returncode == 0 and unpacked.returncode == 0,
          "kinemora-compose failed:\n" + text(built) + text(unpacked))
    check(unpacked.stdout.startswith(b"HIERARCHY\n"),
          "the unpacked kinemora-compose wrote no BVH file")
    check(unpacked.stdout == built.stdout,
          "the unpacked kinemora-compose writes other bytes than the build tree's")

    # The file written with -o must match standard output too.
    target = os.path.join(scratch, "composed.bvh")
    written = run([installed, "-o", target] + COMPOSITION)
    check(written.returncode == 0, "kinemora-compose -o failed:\n" + text(written))
    if os.path.exists(target):
        with open(target, "rb") as f:
            check(f.read() == built.stdout, "-o wrote other bytes than stdout")

    # A video goes through the video program where the package put it.
    filmed = run([installed, "--format", "gif", "clap"], cwd=scratch)
    check(filmed.returncode == 0 and filmed.stdout.startswith(b"GIF89a"),
          "the unpacked kinemora-compose filmed no GIF:\n" + text(filmed)[-2000:])

    shown = run([installed, "--version"])
    check(shown.returncode == 0 and
          shown.stdout.decode() == "kinemora-compose %s\n" % version,
          "--version printed %r" % shown.stdout)


def desktop_entry(path):
    entry = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if "=" in line and not line.startswith("#"):
                key, value = line.rstrip("\n").split("=", 1)
                entry[key] = value
    return entry


def check_desktop_entry(root, programs):
    path = os.path.join(root, "usr/share/applications/kinemora.desktop")
    if not check(os.path.exists(path), "no desktop entry"):
        return
    validated = run(["desktop-file-validate", path])
    check(validated.returncode == 0 and not text(validated).strip(),
          "desktop-file-validate:\n" + text(validated))

    entry = desktop_entry(path)
    check(entry.get("Name") == "Kinemora", "Name is %r" % entry.get("Name"))
    check(entry.get("Exec") == "kinemora %f", "Exec is %r" % entry.get("Exec"))
    check(entry.get("Terminal") == "false", "Terminal is not false")
    check("Graphics" in entry.get("Categories", "").split(";"),
          "Categories lack Graphics: %r" % entry.get("Categories"))
    if "kinemora" in programs:
        check(os.path.exists(os.path.join(root, "usr/bin", entry.get("Exec", "").split(" ")[0])),
              "Exec names no installed program")
    mime = ElementTree.parse(os.path.join(root, DATA_FILES[1])).getroot()[0]
    check(entry.get("MimeType") == mime.get("type") + ";", "MimeType is not the package's type")

    # Icon= names a file of the hicolor theme, which must be a real SVG.
    icon = os.path.join(root, "usr/share/icons/hicolor/scalable/apps",
                        entry.get("Icon", "") + ".svg")
    if check(os.path.exists(icon), "Icon names no installed icon"):
        svg = ElementTree.parse(icon).getroot()
        check(svg.tag == "{http://www.w3.org/2000/svg}svg", "the icon is not SVG")
        check(svg.get("viewBox"), "the icon has no viewBox, so it cannot scale")


def check_documents(root, version):
    changelog = os.path.join(root, "usr/share/doc/kinemora/changelog.gz")
    if os.path.exists(changelog):
        with gzip.open(changelog) as f:
            parsed = run(["dpkg-parsechangelog", "-l-", "-SVersion"], input=f.read())
        check(parsed.stdout.decode().strip() == version,
              "the changelog's latest entry is %r, not the project's %r"
              % (text(parsed).strip(), version))
    for page in ["kinemora", "kinemora-compose"]:
        path = os.path.join(root, "usr/share/man/man1", page + ".1.gz")
        if os.path.exists(path):
            with gzip.open(path) as f:
                source = f.read().decode()
            check(source.startswith(".TH %s 1 " % page.upper()),
                  page + ".1 does not start with its .TH line")
            check(version in source.split("\n", 1)[0],
                  page + ".1 does not carry version " + version)


def check_lintian(deb):
    command = ["lintian", "--display-info", deb]
    if os.geteuid() == 0:
        command.insert(1, "--allow-root")  # CI runs as root
    findings = run(command)
    print("lintian findings:\n" + text(findings))
    errors = [line for line in text(findings).splitlines() if line.startswith("E: ")]
    check(not errors, "lintian errors:\n" + "\n".join(errors))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--compose", required=True, help="the build tree's kinemora-compose")
    parser.add_argument("--programs", nargs="+", required=True)
    args = parser.parse_args()

    arch = run(["dpkg", "--print-architecture"]).stdout.decode().strip()
    scratch = tempfile.mkdtemp(prefix="kinemora-package-")
    try:
        deb = build_package(args.build_dir, os.path.join(scratch, "out"))
        if deb is None:
            return 1
        expected = "%s_%s_%s.deb" % (PACKAGE, args.version, arch)
        check(os.path.basename(deb) == expected,
              "the package is %s, not %s" % (os.path.basename(deb), expected))

        check_control(deb, args.version, arch, args.programs)
        check_contents(deb, args.programs)

        root = os.path.join(scratch, "root")
        unpacked = run(["dpkg", "-x", deb, root])
        if check(unpacked.returncode == 0, "dpkg -x failed:\n" + text(unpacked)):
            check_unpacked_compose(root, args.compose, args.version, scratch)
            check_desktop_entry(root, args.programs)
            check_documents(root, args.version)
        check_lintian(deb)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)

    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    print("the package passed every check")
    return 0


if __name__ == "__main__":
    sys.exit(main())
