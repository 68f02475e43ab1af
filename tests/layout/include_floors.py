#!/usr/bin/env python3
"""Fails when a source file includes a header of a floor above its own.

The floors, lowest first: base, platform, grid, ui, app, batch. Model folders (grid/model,
app/model) stand on the floor of their parent. Tests, benchmarks, fuzz targets and tools may
include anything.
"""
import os
import re
import sys

FLOORS = ["base", "platform", "grid", "ui", "app", "batch"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]+"', re.M)


def main(root):
    wrong = []
    for floor, folder in enumerate(FLOORS):
        for dirpath, _, files in os.walk(os.path.join(root, folder)):
            for name in files:
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(dirpath, name)
                with open(path, encoding="utf-8") as f:
                    text = f.read()
                for target in INCLUDE.findall(text):
                    if target in FLOORS and FLOORS.index(target) > floor:
                        wrong.append("%s includes a header of %s/" % (os.path.relpath(path, root), target))
    for line in wrong:
        print(line)
    print("%d upward includes" % len(wrong))
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")))
