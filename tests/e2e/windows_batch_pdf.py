#!/usr/bin/env python3
"""vantric-batch.exe under Wine writes the PDF the Linux build's vantric-batch writes for the same
sheets and the same settings file: as many pages, the same text on each, and the ink of each page
in the same box within a point.

Exit status 0 passed, 1 failed.
"""

import argparse
import os
import shutil
import sys
import tempfile
import time

import person_run as desk_run
from person_run import Failure, log, run

# name: the sheet's arguments.
SHEETS = {
    "single_12": ["single", "12"],
    "single_999": ["single", "999"],
    "multi_3_2": ["multi", "3", "2"],
    "overweight": ["overweight"],
    # Reprints: four labels of 120 on one page, a multi run's list from place 3, a partly used
    # sheet.
    "single_120_labels": ["single", "120", "--labels", "37,40-42"],
    "multi_labels_from_slot_3": ["multi", "30", "5", "4", "--labels", "2:5,1:28-30,3:",
                                 "--start-slot", "3"],
    "single_12_start_slot_3": ["single", "12", "--start-slot", "3"],
}
TOLERANCE = 1.0  # points
# A desk's settings file, margins other than the built-in ones, in the code page Windows writes.
SETTINGS = ("[打印预览边距]\r\n页眉=50\r\n页脚=60\r\n表头表格间距=20\r\n上边距=35\r\n下边距=20\r\n"
            "左边距=30\r\n右边距=40\r\n").encode("gb18030")


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def write_pdf(command, arguments, pdf, drives, windows):
    """Runs one build's vantric-batch on a drive root of its own; the seconds it took."""
    os.makedirs(os.path.join(drives, "D", "data"))
    with open(os.path.join(drives, "D", "data", "dypz.ini"), "wb") as f:
        f.write(SETTINGS)
    place = windows_path if windows else (lambda p: p)
    env = dict(os.environ, VANTRIC_DRIVES=place(drives))
    started = time.monotonic()
    run(command + arguments + ["--pdf", place(pdf)], timeout=300, env=env)
    return time.monotonic() - started


def differences(linux, windows):
    """What differs between the two PDFs, page by page; empty when nothing does."""
    pages = desk_run.pdf_pages(linux)
    if desk_run.pdf_pages(windows) != pages:
        return ["%d pages, the Linux build's %d" % (desk_run.pdf_pages(windows), pages)]
    found = []
    for page in range(1, pages + 1):
        if desk_run.page_text(windows, page) != desk_run.page_text(linux, page):
            found.append("page %d: other text" % page)
        mine, theirs = desk_run.ink_box(windows, page), desk_run.ink_box(linux, page)
        if (mine is None) != (theirs is None) or mine is not None and max(
                abs(a - b) for a, b in zip(mine, theirs)) > TOLERANCE:
            found.append("page %d: ink in %s, the Linux build's in %s" % (page, mine, theirs))
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--linux-batch", required=True)
    parser.add_argument("--windows-batch", required=True)
    parser.add_argument("--wine-run", required=True, help="tools/windows/wine-run.sh")
    parser.add_argument("--artifacts", required=True)
    args = parser.parse_args()
    if not os.access(args.linux_batch, os.X_OK):
        log("FAILED: no Linux build's vantric-batch at %s (./dev windows builds it)" %
            args.linux_batch)
        return 1
    shutil.rmtree(args.artifacts, ignore_errors=True)
    os.makedirs(args.artifacts)
    failed = []
    with tempfile.TemporaryDirectory(prefix="vantric-same-pdf-") as work:
        for name, arguments in SHEETS.items():
            pdfs = {}
            try:
                seconds = {}
                for build, command in (("linux", [args.linux_batch]),
                                       ("windows", [args.wine_run, args.windows_batch])):
                    pdfs[build] = os.path.join(work, "%s-%s.pdf" % (name, build))
                    seconds[build] = write_pdf(command, arguments, pdfs[build],
                                               os.path.join(work, name + "-" + build),
                                               build == "windows")
                found = differences(pdfs["linux"], pdfs["windows"])
            except (Failure, OSError) as e:
                found = [str(e)]
            if found:
                failed.append(name)
                log("FAILED %s: %s" % (name, "; ".join(found[:10])))
                for pdf in pdfs.values():
                    if os.path.exists(pdf):
                        shutil.copy(pdf, args.artifacts)
            else:
                log("%s: the same PDF of %d page(s) (Linux %.1f s, Windows under Wine %.1f s)" %
                    (name, desk_run.pdf_pages(pdfs["linux"]), seconds["linux"],
                     seconds["windows"]))
    if failed:
        log("the PDFs of %s differ; kept in %s" % (", ".join(failed), args.artifacts))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
