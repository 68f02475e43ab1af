#!/usr/bin/env python3
"""Prints from the real vantric as a person at the packing desk does, through the print dialog,
onto the CUPS queues tools/cups-setup.sh keeps where a print does not reach paper, on a private X
server, and reads what the window tells.

Builds a sheet of four cartons; prints it onto a queue that rejects jobs and onto a stopped one,
choosing each queue in the print dialog's printer list by typing its name, and reads the
"温馨提示" box each time (its text copied from the box and read from the clipboard, and a
picture of it). Then prints onto a queue whose printer holds the job and fails it once
released: while the printer holds it, the window builds a sheet of another count (its grid
shows the new numbers), and the box of the failed job comes once the printer is released.
Checks that the refused job is in no queue, the stopped queue keeps its job, and the program
ends with status 0. Screenshots and the program's output are kept in the artefact folder.

Exit status 0 passed, 1 failed, 77 skipped (no X server or no CUPS could be
started; under CI, 1).
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time

import person_run as desk_run
from person_run import Failure, log, run, wait_for

FIRST_COUNT, SECOND_COUNT = "4", "8"
REJECTING, STOPPED, HELD_UP = ("VantricOutcomeRejecting", "VantricOutcomeStopped",
                               "VantricOutcomeHeldUp")
ARTEFACTS = tuple(["main-window.png", "main-window-rebuilt.png", "screen-at-failure.png",
                   "vantric.log", "xvfb.log"] +
                  ["%s-%s.png" % (what, q) for what in ("print-dialog", "box")
                   for q in (REJECTING, STOPPED, HELD_UP)])
# What each box says: the window's words around the print service's own.
EXPECTED = {
    REJECTING: ["打印服务拒绝了这次打印，标签没有打印出来：",
                'Destination "%s" is not accepting jobs.' % REJECTING,
                "打印机“%s”的说明：Vantric test queue: refuses every job" % REJECTING],
    STOPPED: ["正在打印机“%s”的队列中等待：打印机已停止或暂停（Vantric test queue: stopped）" % STOPPED,
              "打印机恢复后才会打印这些标签。"],
    HELD_UP: ["打印机“%s”上的打印任务 {job} 没有打印完成" % HELD_UP, "Paper jam in tray 1",
              "请检查打印机后重新打印。"],
}


def jobs(queue, everything=False):
    """The job numbers of a queue: those not finished, or every one CUPS remembers."""
    listed = run(["lpstat"] + (["-W", "all"] if everything else []) + ["-o", queue],
                 check=False).stdout
    return sorted(int(n) for n in re.findall(r"^%s-(\d+)\s" % re.escape(queue), listed, re.M))


def print_onto(desk, screen, main, layout, queue):
    """打印, and in the print dialog, whose printer list has the keyboard as it opens, the
    queue's name typed, as a person picks an entry of a long list; then Enter."""
    desk.click(main, layout.centre(desk_run.PRINT_BUTTON))
    dialog = desk.wait_window(desk_run.PRINT_DIALOG_TITLE, "the print dialog")
    desk.focus(dialog)
    desk.type(queue)
    # The picture shows the queue chosen, for people to look at; the box tells which queue the
    # job went to.
    screen.wait_picture(dialog, "print-dialog-" + queue, (0, 0, 10000, 10000), 0.005, 0.6,
                        "the print dialog to show its printer", desk.alive)
    desk.keys("Return")
    desk.wait_gone(desk_run.PRINT_DIALOG_TITLE, "the print dialog to close")


def read_box(desk, screen, name, timeout=30):
    """The text of the "温馨提示" box the window shows, copied from it as a person copies it (a
    click into the text, Ctrl+A, Ctrl+C) and read back from the clipboard; the box is pictured
    and closed with Enter."""
    box = desk.wait_window(desk_run.REMINDER_TITLE, "the 温馨提示 box", timeout)
    desk.wait_focused(box, "the box to take the keyboard")
    screen.wait_picture(box, name, (0, 0, 10000, 10000), 0.005, 0.5,
                        "the box to show its text", desk.alive)
    # What the clipboard held before, so that the box's text is told from it.
    marker = "vantric-outcome-run-%d" % os.getpid()
    subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=marker, text=True,
                   env=desk.env, timeout=10, check=True)
    # A click into the text (its first line), then all of it selected and copied.
    desk.xdotool("mousemove", "--window", box, 60, 16, "click", "1")
    desk.keys("ctrl+a", "ctrl+c")

    def selected():
        text = run(["xclip", "-o", "-selection", "clipboard"], env=desk.env, check=False).stdout
        return text if text and text != marker else None
    text = wait_for("the box's text on the clipboard", selected, 10, desk.alive)
    desk.keys("Return")
    desk.wait_gone(desk_run.REMINDER_TITLE, "the box to close")
    return text


def check_box(text, queue, job=None):
    for line in EXPECTED[queue]:
        line = line.replace("{job}", str(job))
        if line not in text:
            raise Failure("the box after printing onto %s lacks %r; it says:\n%s" %
                          (queue, line, text))
    log("the box after printing onto %s says: %s" %
        (queue, " / ".join(l for l in text.splitlines() if l and not l.startswith("---"))))


def build_sheet(desk, main, layout, count):
    desk.click(main, layout.centre(desk_run.CARTON_TOTAL_EDIT))
    desk.keys("ctrl+a")
    desk.type(count)
    desk.click(main, layout.centre(desk_run.SINGLE_SHEET_BUTTON))


def differs(a, b, rect):
    """Whether two screenshots of a window differ inside rect."""
    width, _, first = a
    x, y, w, h = rect
    return any(first[(row * width + x) * 3:(row * width + x + w) * 3] !=
               b[2][(row * width + x) * 3:(row * width + x + w) * 3] for row in range(y, y + h))


def outcome_run(vantric, artifacts, work, env):
    screen = desk_run.Screen(env, artifacts)
    drives = os.path.join(work, "drives")
    os.makedirs(os.path.join(drives, "D"))
    env.update({"VANTRIC_DRIVES": drives, "QT_QPA_PLATFORM": "xcb"})
    env.update({"LPDEST": desk_run.QUEUE, "PRINTER": desk_run.QUEUE})
    for queue in (REJECTING, STOPPED, HELD_UP):
        if run(["lpstat", "-v", queue], check=False).returncode != 0:
            raise desk_run.Skip("no CUPS queue %s (tools/cups-setup.sh makes it)" % queue)
    before = {q: jobs(q, everything=True) for q in (REJECTING, STOPPED, HELD_UP)}
    released = []
    started = time.monotonic()
    app, program_log, alive = desk_run.start_program(
        lambda out: subprocess.Popen([vantric], env=env, stdout=out, stderr=subprocess.STDOUT),
        artifacts, "vantric")

    desk = desk_run.Desk(env, alive)
    try:
        with desk_run.running(app, program_log, screen, "vantric", started):
            main = desk.wait_window(desk_run.MAIN_TITLE, "the main window", timeout=60)
            layout = desk_run.Layout(*desk.size(main))
            grid = layout.rect(desk_run.SHEET_GRID)
            desk.wait_focused(main, "the main window to take the keyboard")
            build_sheet(desk, main, layout, FIRST_COUNT)
            screen.wait_picture(main, "main-window", grid, 0.03, 0.5,
                                "the grid to show the sheet", alive)
            first = screen.shot(main, "main-window")

            print_onto(desk, screen, main, layout, REJECTING)
            check_box(read_box(desk, screen, "box-" + REJECTING), REJECTING)
            if jobs(REJECTING, everything=True) != before[REJECTING]:
                raise Failure("%s took a job it refused" % REJECTING)

            print_onto(desk, screen, main, layout, STOPPED)
            text = read_box(desk, screen, "box-" + STOPPED)
            waiting = [j for j in jobs(STOPPED) if j not in before[STOPPED]]
            if len(waiting) != 1:
                raise Failure("%s keeps jobs %s, expected the one just printed" %
                              (STOPPED, waiting))
            check_box(text, STOPPED)
            if "打印任务 %d " % waiting[0] not in text:
                raise Failure("the box does not name job %d" % waiting[0])
            run(["cancel", "%s-%d" % (STOPPED, waiting[0])])

            # The printer holds the job: the window works on meanwhile.
            print_onto(desk, screen, main, layout, HELD_UP)
            held = wait_for("the job in " + HELD_UP, lambda: [
                j for j in jobs(HELD_UP) if j not in before[HELD_UP]], 30, alive)[0]
            build_sheet(desk, main, layout, SECOND_COUNT)
            wait_for("the grid to show the sheet of %s cartons" % SECOND_COUNT,
                     lambda: differs(first, screen.shot(main, "main-window-rebuilt"), grid),
                     15, alive)
            if desk.windows(desk_run.REMINDER_TITLE):
                raise Failure("a box came while the printer still held the job")
            if held not in jobs(HELD_UP):
                raise Failure("job %d left %s before it was released" % (held, HELD_UP))
            log("while %s held job %d the window built the sheet of %s cartons" %
                (HELD_UP, held, SECOND_COUNT))
            release = "/tmp/vantric-backend-release-%d" % held
            open(release, "w").close()
            released.append(release)
            check_box(read_box(desk, screen, "box-" + HELD_UP), HELD_UP, held)

            desk.close(main)
    finally:
        for path in released:
            if os.path.exists(path):
                os.remove(path)
        for queue in (STOPPED, HELD_UP):
            for job in jobs(queue):
                if job not in before[queue]:
                    run(["cancel", "%s-%d" % (queue, job)], check=False)
        # A printer the failure stopped (error policy stop-printer) starts again.
        run(["cupsenable", HELD_UP], check=False)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vantric", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--cups-setup", required=True)
    args = parser.parse_args()
    if shutil.which("xclip") is None:
        log("FAILED: xclip is not installed (./dev test installs it)")
        return 1
    return desk_run.on_desk(args.artifacts, args.cups_setup, ARTEFACTS,
                            lambda work, env: outcome_run(args.vantric, args.artifacts, work, env))


if __name__ == "__main__":
    sys.exit(main())
