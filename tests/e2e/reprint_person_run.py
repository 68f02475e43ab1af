#!/usr/bin/env python3
"""Reprints torn labels through the real vantric as a person at the packing desk does, on a
private X server.

Builds the sheet of 12 cartons, opens the print dialog with no cell chosen (its picture shows
the choice of a selection left out) and cancels it; chooses the caption of label 6 (a click in the
grid, Ctrl+Home, the arrow keys), prints with the dialog's "选择" onto the CUPS PDF queue; then
chooses the number of label 4 on page 1 and, with Shift and the arrow keys, reaches label 6 on
page 2, and prints the selection again. Checks that the first printout holds label 6 alone and
the second one page with labels 4 and 6, each at its place on the page (pdftotext -bbox).
Screenshots, the printed PDFs and the program's output are kept in the artefact folder.

Exit status 0 passed, 1 failed, 77 skipped (no X server or no CUPS could be started).
"""

import argparse
import os
import re
import subprocess
import sys
import time

import person_run as desk_run
from person_run import Failure, log, run, wait_for

CARTONS = 12
ARTEFACTS = ("main-window.png", "print-dialog-nothing-chosen.png", "main-window-label-6.png",
             "reprint-dialog-label-6.png", "reprinted-label-6.pdf", "main-window-labels-4-6.png",
             "reprint-dialog-labels-4-6.png", "reprinted-labels-4-6.pdf", "screen-at-failure.png",
             "vantric.log", "xvfb.log")
WORD = re.compile(r'<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" '
                  r'yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>')


def numbers_at_places(pdf):
    """The label number at each of the four places of every page (top left, top right, bottom
    left, bottom right; "" for an empty place), the places told apart by the halves of the
    paper: the gutter runs down its middle, the gap between upper and lower labels across it."""
    xhtml = run(["pdftotext", "-bbox", pdf, "-"]).stdout
    pages, size = [], None
    for m in WORD.finditer(xhtml):
        if m.group(1):
            size = float(m.group(1)), float(m.group(2))
            pages.append([""] * 4)
            continue
        x0, y0, x1, y1 = (float(v) for v in m.group(3, 4, 5, 6))
        if "/" in m.group(7):
            place = (0 if (y0 + y1) / 2 < size[1] / 2 else 2) + (0 if (x0 + x1) / 2 < size[0] / 2
                                                                  else 1)
            pages[-1][place] = m.group(7)
    return pages


def choose_selection(desk, dialog):
    """The dialog's own choice of a selection: its options opened, Tab to "打印全部", then Down
    past "页数从" and "页数" to "选择" (where the choice is left out, Down comes round to
    "打印全部" again, and the whole sheet prints)."""
    closed = desk.size(dialog)
    desk.keys("alt+o")
    wait_for("the print dialog to open its options",
             lambda: desk.size(dialog)[1] > closed[1], 10, desk.alive)
    desk.keys("Tab", "Tab", "Tab", "Down", "Down", "Down")


def choose_cell(desk, main, layout, keys):
    """A click into the grid, Ctrl+Home to its first cell, then the keys given. Without a
    window manager nobody hands the window the keyboard back when a dialog closes: it is given
    it first, as a window manager would (it passes it on to the control that had it), so that
    the click then takes it to the grid."""
    desk.focus(main)
    x, y, _, _ = layout.rect(desk_run.SHEET_GRID)
    desk.click(main, (x + 40, y + 30))
    desk.keys("ctrl+Home", *keys)


def check_reprint(pdf, expected):
    printed = numbers_at_places(pdf)
    if printed != expected:
        raise Failure("%s holds %s at the places of its pages, expected %s" %
                      (pdf, printed, expected))
    captions = desk_run.page_text(pdf, 1).count("Carton No. :")
    labels = sum(1 for n in expected[0] if n)
    if captions != labels:
        raise Failure("%s shows %d captions for %d labels" % (pdf, captions, labels))


def reprint_run(vantric, artifacts, work, env):
    screen = desk_run.Screen(env, artifacts)
    drives = os.path.join(work, "drives")
    os.makedirs(os.path.join(drives, "D"))
    env.update({"VANTRIC_DRIVES": drives, "QT_QPA_PLATFORM": "xcb",
                "LPDEST": desk_run.QUEUE, "PRINTER": desk_run.QUEUE})
    spool = desk_run.cups_pdf_folder()
    before = desk_run.spooled_files(spool)
    started = time.monotonic()
    program_log = open(os.path.join(artifacts, "vantric.log"), "w")
    app = subprocess.Popen([vantric], env=env, stdout=program_log, stderr=subprocess.STDOUT)

    def alive():
        if app.poll() is not None:
            raise Failure("vantric ended early with status %d (see vantric.log)" % app.returncode)

    desk = desk_run.Desk(env, alive)
    with desk_run.running(app, program_log, screen, "vantric", started):
        main = desk.wait_window(desk_run.MAIN_TITLE, "the main window", timeout=60)
        layout = desk_run.Layout(*desk.size(main))
        grid = layout.rect(desk_run.SHEET_GRID)
        desk.wait_focused(main, "the main window to take the keyboard")
        desk.type(str(CARTONS))
        desk.click(main, layout.centre(desk_run.SINGLE_SHEET_BUTTON))
        screen.wait_picture(main, "main-window", grid, 0.03, 0.5,
                            "the grid to show the sheet", alive)

        # Nothing chosen yet: the dialog has no selection to offer.
        desk.click(main, layout.centre(desk_run.PRINT_BUTTON))
        dialog = desk.wait_window(desk_run.PRINT_DIALOG_TITLE, "the print dialog")
        desk.focus(dialog)
        closed = desk.size(dialog)
        desk.keys("alt+o")
        wait_for("the print dialog to open its options",
                 lambda: desk.size(dialog)[1] > closed[1], 10, alive)
        screen.wait_picture(dialog, "print-dialog-nothing-chosen", (0, 0, 10000, 10000), 0.005,
                            0.5, "the print dialog to show its options", alive)
        desk.keys("Escape")
        desk.wait_gone(desk_run.PRINT_DIALOG_TITLE, "the cancelled print dialog to close")

        # Label 6 came out torn: its caption (row 7, the right column) chosen, then printed.
        choose_cell(desk, main, layout, ["Down"] * 7 + ["Right"] * 2)
        screen.shot(main, "main-window-label-6")
        alone = desk_run.print_sheet(desk, screen, main, layout, spool, before,
                                     "reprinted-label-6.pdf", started, choose_selection)
        # Labels 4 (page 1) and 6 (page 2): from the number of label 4, Shift and Down twice.
        choose_cell(desk, main, layout, ["Down"] * 5 + ["Right"] * 2 + ["shift+Down"] * 2)
        screen.shot(main, "main-window-labels-4-6")
        both = desk_run.print_sheet(desk, screen, main, layout, spool, before,
                                    "reprinted-labels-4-6.pdf", started, choose_selection)
        desk.close(main)

    check_reprint(alone, [["6/12", "", "", ""]])
    log("label 6 reprinted alone, at the first place of one page")
    check_reprint(both, [["4/12", "6/12", "", ""]])
    log("labels 4 and 6 of pages 1 and 2 reprinted together on one page")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vantric", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--cups-setup", required=True)
    args = parser.parse_args()
    return desk_run.on_desk(args.artifacts, args.cups_setup, ARTEFACTS,
                            lambda work, env: reprint_run(args.vantric, args.artifacts, work, env))


if __name__ == "__main__":
    sys.exit(main())
