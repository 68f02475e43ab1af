#!/usr/bin/env python3
"""Runs a test program on a private X server (Xvfb with the xcb platform), so that windows get
real focus and xdotool sends real key and mouse events. Exit 77 (skipped) when Xvfb or xdotool
is missing or the server does not start; under CI (CI=true) that fails instead."""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import person_run  # noqa: E402  (the end-to-end run's X server start)


def main(command):
    for tool in ("Xvfb", "xdotool"):
        if shutil.which(tool) is None:
            return person_run.skipped("%s is not installed (./dev test installs it)" % tool)
    with tempfile.TemporaryDirectory() as folder:
        try:
            xvfb, display = person_run.start_xvfb(os.path.join(folder, "xvfb.log"))
        except person_run.Skip as e:
            return person_run.skipped(e)
        try:
            env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
            return subprocess.call(command, env=env)
        finally:
            person_run.stop_xvfb(xvfb)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
