#!/usr/bin/env python3
"""Prints from the Windows build's vantric.exe under Wine, as a person at a Windows packing desk
does, through the Windows print dialog onto the printer Wine makes of a CUPS queue that rejects
jobs, on a private X server, and reads the "温馨提示" box the window shows: its text copied with
Ctrl+C (Windows message boxes copy their text so) and read from the clipboard, and a picture of
it. Wine's spooler tells a refused job only as a document that could not be finished (EndDoc
fails with "invalid handle", in Wine's words); it reports every printer ready and lists no jobs,
so a stopped queue or a failing printer goes untold under Wine (tests/grid/gui's Wine test pins
that down).

Exit status 0 passed, 1 failed, 77 skipped (no X server or no CUPS could be
started; under CI, 1).
"""

import argparse
import os
import re
import subprocess
import sys
import time

import person_run as desk_run
from outcome_run import REJECTING, jobs
from person_run import Failure, log, run, wait_for

ARTEFACTS = ("main-window.png", "print-dialog.png", "box.png", "screen-at-failure.png",
             "vantric.log", "xvfb.log")
# The window's words, then the system's own: Windows' text for ERROR_INVALID_HANDLE in the
# Chinese code page, as Wine gives it.
EXPECTED = ("打印机无法完成这次打印，标签可能没有全部打印出来：", "无效的句柄")


def windows_outcome_run(args, work, env):
    if run(["lpstat", "-v", REJECTING], check=False).returncode != 0:
        raise desk_run.Skip("no CUPS queue %s (tools/cups-setup.sh makes it)" % REJECTING)
    screen = desk_run.Screen(env, args.artifacts)
    # A Chinese Windows whose default printer is the rejecting queue.
    env.update({"LC_ALL": "zh_CN.UTF-8", "LPDEST": REJECTING, "PRINTER": REJECTING,
                "VANTRIC_WINE_NO_DISPLAY": "1"})
    # A prefix of the run's own: its Wine server shows windows on this run's X server only.
    env["VANTRIC_WINEPREFIX"] = os.path.join(work, "prefix")
    before = jobs(REJECTING, everything=True)
    started = time.monotonic()
    app, program_log, alive = desk_run.start_program(
        lambda out: subprocess.Popen([args.wine_run, args.vantric], env=env, stdout=out,
                                     stderr=subprocess.STDOUT),
        args.artifacts, "vantric.exe")

    desk = desk_run.Desk(env, alive)
    with desk_run.running(app, program_log, screen, "vantric.exe", started):
        main = desk.wait_window(desk_run.MAIN_TITLE, "the main window", timeout=90)
        layout = desk_run.Layout(*desk.size(main))
        desk.focus(main)
        desk.type("4")
        desk.click(main, layout.centre(desk_run.SINGLE_SHEET_BUTTON))
        screen.wait_picture(main, "main-window", layout.rect(desk_run.SHEET_GRID), 0.03, 0.5,
                            "the grid to show the sheet", alive)

        desk.click(main, layout.centre(desk_run.PRINT_BUTTON))
        dialog = desk.wait_window(desk_run.PRINT_DIALOG_TITLE, "the Windows print dialog")
        desk.focus(dialog)
        screen.wait_picture(dialog, "print-dialog", (0, 0, 10000, 10000), 0.005, 0.6,
                            "the print dialog to show its printer", alive)
        desk.keys("Return")

        box = desk.wait_window(desk_run.REMINDER_TITLE, "the 温馨提示 box", 60)
        desk.focus(box)
        screen.wait_picture(box, "box", (0, 0, 10000, 10000), 0.005, 0.5,
                            "the box to show its text", alive)
        marker = "vantric-outcome-run-%d" % os.getpid()
        subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=marker, text=True,
                       env=env, timeout=10, check=True)
        desk.keys("ctrl+c")

        def copied():
            text = run(["xclip", "-o", "-selection", "clipboard"], env=env, check=False).stdout
            return text if text and text != marker else None
        text = wait_for("the box's text on the clipboard", copied, 15, alive)
        desk.keys("Return")
        desk.wait_gone(desk_run.REMINDER_TITLE, "the box to close")
        desk.close(main)

    missing = [line for line in EXPECTED if line not in text]
    if missing:
        raise Failure("the box lacks %r; it says:\n%s" % (missing, text))
    if jobs(REJECTING, everything=True) != before:
        raise Failure("%s took a job it refused" % REJECTING)
    log("the box after printing onto %s says: %s" % (REJECTING, " / ".join(
        l.strip() for l in text.splitlines() if l.strip() and not re.match(r"^-+$", l.strip()))))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vantric", required=True, help="the build's vantric.exe")
    parser.add_argument("--wine-run", required=True, help="tools/windows/wine-run.sh")
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--cups-setup", required=True)
    args = parser.parse_args()
    return desk_run.on_desk(args.artifacts, args.cups_setup, ARTEFACTS,
                            lambda work, env: windows_outcome_run(args, work, env))


if __name__ == "__main__":
    sys.exit(main())
