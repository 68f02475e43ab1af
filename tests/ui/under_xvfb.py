#!/usr/bin/env python3
"""Runs a test program on a private X server (Xvfb with the xcb platform), so that windows get
real focus and xdotool sends real key and mouse events. Exit 77 (skipped) when Xvfb or xdotool
is missing or the server does not start."""
import os
import select
import shutil
import subprocess
import sys
import time


def start_xvfb():
    reader, writer = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(writer), "-screen", "0", "1280x800x24", "-dpi", "96",
         "-nolisten", "tcp", "-noreset"],
        pass_fds=(writer,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(writer)
    number = b""
    deadline = time.monotonic() + 30
    while not number.endswith(b"\n") and time.monotonic() < deadline:
        ready, _, _ = select.select([reader], [], [], 0.5)
        if ready:
            piece = os.read(reader, 16)
            if not piece:
                break
            number += piece
    os.close(reader)
    if not number.strip().isdigit():
        xvfb.kill()
        xvfb.wait()
        return None, None
    return xvfb, ":" + number.strip().decode()


def main(command):
    for tool in ("Xvfb", "xdotool"):
        if shutil.which(tool) is None:
            print("%s is not installed (./dev test installs it)" % tool)
            return 77
    xvfb, display = start_xvfb()
    if xvfb is None:
        print("Xvfb did not start")
        return 77
    try:
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
        return subprocess.call(command, env=env)
    finally:
        xvfb.terminate()
        try:
            xvfb.wait(timeout=10)
        except subprocess.TimeoutExpired:
            xvfb.kill()
            xvfb.wait()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
