#!/usr/bin/env python3
"""Holds every source file to its layer.

The engine (the sources of ZQ_ENGINE_SOURCES in cmake/Sources.cmake, their
headers, and every other header of the engine's folders that is not a GUI
header) includes no Qt header, nothing from app/, and no GUI header of another
folder (the tile rack widget, the artwork). core/ includes nothing from the
folders above it. The GUI sources are whatever ZQ_GUI_SOURCES and
ZQ_QT_SETTINGS_SOURCES list, with their headers.

Exits 1 and names each offending include; prints a summary otherwise.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ENGINE_FOLDERS = ("core", "tools", "wordsets", "quiz", "print", "study")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def cmake_list(text, name):
    match = re.search(r"set\(" + name + r"\s(.*?)\)", text, re.S)
    if not match:
        sys.exit(f"check-layers: no {name} in cmake/Sources.cmake")
    files = []
    for line in match.group(1).splitlines():
        line = line.split("#", 1)[0].strip()
        if line:
            files.append(line)
    return files


def with_headers(sources):
    out = set()
    for s in sources:
        out.add(s)
        out.add(os.path.splitext(s)[0] + ".h")
    return out


def is_qt_header(path):
    base = os.path.basename(path)
    return base.startswith("Q") or base.startswith("qt") or path.startswith("Qt")


def problems_of(path, gui):
    found = []
    layer = path.split("/", 1)[0]
    with open(os.path.join(ROOT, path), encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            kind, target = m.groups()
            where = f"{path}:{number}: includes {target}"
            if kind == "<" and is_qt_header(target):
                found.append(where + " (a Qt header in the engine)")
            elif kind == '"':
                top = target.split("/", 1)[0]
                if top == "app":
                    found.append(where + " (the engine may not include app/)")
                elif target in gui:
                    found.append(where + " (a Qt file of the GUI layer)")
                elif layer == "core" and "/" in target and top != "core":
                    found.append(where + " (core/ includes nothing above it)")
    return found


def main():
    with open(os.path.join(ROOT, "cmake", "Sources.cmake"), encoding="utf-8") as f:
        text = f.read()
    engine = with_headers(cmake_list(text, "ZQ_ENGINE_SOURCES"))
    gui = with_headers(cmake_list(text, "ZQ_GUI_SOURCES") + cmake_list(text, "ZQ_QT_SETTINGS_SOURCES"))
    missing = sorted(p for p in engine | gui if p.endswith(".cpp") and not os.path.exists(os.path.join(ROOT, p)))
    both = sorted(engine & gui)
    # Every file of the engine's folders that is not a GUI file is engine.
    for folder in ENGINE_FOLDERS:
        top = os.path.join(ROOT, folder)
        if not os.path.isdir(top):
            continue
        for name in sorted(os.listdir(top)):
            path = f"{folder}/{name}"
            if name.endswith((".h", ".cpp", ".inc")) and path not in gui:
                engine.add(path)
    engine = sorted(p for p in engine if os.path.exists(os.path.join(ROOT, p)))
    problems = [f"{p}: listed but missing" for p in missing]
    problems += [f"{p}: listed in both layers" for p in both]
    for path in engine:
        problems += problems_of(path, gui)
    for p in problems:
        print(p)
    if problems:
        print(f"check-layers: {len(problems)} problem(s)")
        return 1
    print(f"check-layers: {len(engine)} engine files include no Qt, app/ or GUI file; "
          f"core/ includes only core/")
    return 0


if __name__ == "__main__":
    sys.exit(main())
