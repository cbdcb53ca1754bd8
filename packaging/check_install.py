#!/usr/bin/env python3
"""Installs a built tree into a scratch prefix and checks what a desktop and a user would meet:

- the executable, and the skin engine in the folder that the executable's run path names;
- the desktop entry and the AppStream metadata, valid, naming the same id, binary and icon;
- the theme icons, PNG files of the size their folder promises.

Usage: check_install.py <build folder> <application id>
"""

import configparser
import os
import re
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

SKIN_ENGINE = ".SkinH_EL.so"


def fail(message):
    raise SystemExit("install check failed: " + message)


def run(argv):
    result = subprocess.run(argv, capture_output=True, text=True)
    if result.returncode != 0:
        fail(f"{' '.join(argv)}:\n{result.stdout}{result.stderr}")
    return result.stdout


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        fail(f"{path} is not a PNG file")
    return struct.unpack(">II", head[16:24])


def check_program(prefix):
    program = os.path.join(prefix, "bin", "vintrale")
    if not os.access(program, os.X_OK):
        fail("bin/vintrale is missing or not executable")
    # Installed in a read-only folder the program cannot write its engine beside itself; then
    # the engine must be where the run path points.
    dynamic = run(["readelf", "-d", program])
    match = re.search(r"\((?:RUNPATH|RPATH)\)\s+Library r\w*path: \[(.*)\]", dynamic)
    if not match:
        fail("bin/vintrale has no run path to its skin engine")
    folders = [p.replace("$ORIGIN", os.path.dirname(program)) for p in match.group(1).split(":")]
    if not any(os.path.isfile(os.path.join(folder, SKIN_ENGINE)) for folder in folders):
        fail(f"{SKIN_ENGINE} is in none of the run path folders {folders}")
    return program


def check_desktop_entry(prefix, app_id):
    path = os.path.join(prefix, "share", "applications", app_id + ".desktop")
    if not os.path.isfile(path):
        fail(f"no desktop entry {path}")
    run(["desktop-file-validate", path])
    entry = configparser.ConfigParser(interpolation=None, strict=True)
    entry.optionxform = str
    entry.read(path, encoding="utf-8")
    section = entry["Desktop Entry"]
    if not os.access(os.path.join(prefix, "bin", section["Exec"].split()[0]), os.X_OK):
        fail(f"Exec={section['Exec']} names no installed program")
    if section["Icon"] != app_id:
        fail(f"Icon={section['Icon']} is not the installed icon name {app_id}")
    if section.get("StartupWMClass", "vintrale") != "vintrale":
        fail("StartupWMClass does not match the program's window class")


def check_metainfo(prefix, app_id):
    path = os.path.join(prefix, "share", "metainfo", app_id + ".metainfo.xml")
    if not os.path.isfile(path):
        fail(f"no AppStream metadata {path}")
    run(["appstreamcli", "validate", "--no-net", path])
    root = ElementTree.parse(path).getroot()
    if root.findtext("id") != app_id:
        fail(f"metadata id {root.findtext('id')!r} is not {app_id}")
    if root.findtext("launchable") != app_id + ".desktop":
        fail("the metadata launches another desktop entry")
    if root.findtext("provides/binary") != "vintrale":
        fail("the metadata provides another binary")


def check_icons(prefix, app_id):
    theme = os.path.join(prefix, "share", "icons", "hicolor")
    found = 0
    for folder in sorted(os.listdir(theme)) if os.path.isdir(theme) else []:
        path = os.path.join(theme, folder, "apps", app_id + ".png")
        if not os.path.isfile(path):
            continue
        found += 1
        width, height = (int(n) for n in folder.split("x"))
        if png_size(path) != (width, height):
            fail(f"{path} is {png_size(path)}, its folder says {folder}")
    if not found:
        fail(f"no {app_id}.png in the hicolor theme")


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    build, app_id = argv[1], argv[2]
    with tempfile.TemporaryDirectory(prefix="vintrale-install-") as prefix:
        run(["cmake", "--install", build, "--prefix", prefix])
        check_program(prefix)
        check_desktop_entry(prefix, app_id)
        check_metainfo(prefix, app_id)
        check_icons(prefix, app_id)
    print("install tree ok")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
