#!/usr/bin/env python3
"""Fails when a source file includes a unit of a higher layer.

The layers are listed here, lowest first. A file may include units of its own layer and
of the layers before it. Folders are layers of the program; inside the class library each
unit has a layer of its own line. A class-library unit missing from the list is an error,
so that a new unit is placed on purpose.
"""
import os
import re
import sys

FOLDERS = ["classlib", "bitmap32", "grid", "skin/data", "skin/controls", "skin/form",
           "skin/boxctrls", "app"]

CLASSLIB = """
Platform Types Sets Events UnitInit
Exceptions Messages GdiCounter ScreenSettings
Objects Strings DateTime
Paths Registry ClassRegistry List IniDocument WindowProcErrors DelayLoad
Component Collection Streams HiddenWindow WindowHook ShellOpen ShellNotify
StringList Persistence
Filer IniFiles FormText FormLoader
BmpFormat
Graphics ColorMix Canvas Bitmaps Icons Metafiles JpegImage Picture Printers
Timers ImageLists
ActnList
Controls WinControls
Menus Hints
Forms
Labels Buttons Edits ListBoxes ScrollBars GroupBoxes Panels Images Bevels Splitters
ControlBars
TreeViews ListViews Tabs
HeaderControls RichEdits
StdCtrls ExtCtrls Dialogs Clipboard
"""

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def classlib_levels():
    levels = {}
    for level, line in enumerate(l for l in CLASSLIB.splitlines() if l.strip()):
        for unit in line.split():
            levels[unit] = level
    return levels


def folder_of(path):
    for folder in sorted(FOLDERS, key=len, reverse=True):
        if path.startswith(folder + "/"):
            return folder
    return None


def unit_of(path):
    # The parts of a unit of many classes (Unit_area) share the unit's layer.
    return os.path.splitext(os.path.basename(path))[0].split("_")[0]


def main(root):
    units = classlib_levels()
    errors = []
    for folder in FOLDERS:
        for dirpath, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.relpath(os.path.join(dirpath, name), root)
                own_folder = folder_of(path)
                if own_folder == "classlib" and unit_of(path) not in units:
                    errors.append(f"{path}: the unit has no layer in scripts/check_layers.py")
                    continue
                with open(os.path.join(root, path), encoding="latin-1") as f:
                    for target in INCLUDE.findall(f.read()):
                        target_folder = folder_of(target)
                        if target_folder is None:
                            continue
                        if FOLDERS.index(target_folder) > FOLDERS.index(own_folder):
                            errors.append(f"{path} includes {target}, a higher folder")
                        elif own_folder == target_folder == "classlib":
                            mine, theirs = units.get(unit_of(path)), units.get(unit_of(target))
                            if theirs is not None and mine is not None and theirs > mine:
                                errors.append(f"{path} includes {target}, a higher layer")
    for error in errors:
        print(error, file=sys.stderr)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else
                  os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
