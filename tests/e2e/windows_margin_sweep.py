#!/usr/bin/env python3
"""vantric-batch.exe under Wine keeps every printed page a whole page of the label sheet: with the
top margin of the settings file swept, 打印缩放 on and off, each print of 12 cartons is either
three pages of four whole labels in order, or refused with exit status 1, the reason saying how
many of a page's four labels fit, and no file written; and each comes out as the Linux build's
vantric-batch prints it.

By default the margins are those on both sides of each point where the outcome changes (the
Linux build's sweep finds them at 80, 240, 1530 and 1610 tenths of a millimetre) and the ends of
the range, twelve margins in about ten seconds: both builds' runs take some 0.7 s a margin with
one X server for all of them, so the whole sweep (--full: 0 to 3000 in steps of 10, 602 margins)
takes some seven minutes.

Exit status 0 passed, 1 failed, 77 skipped (no X server could be started).
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import person_run as desk_run
from person_run import Failure, log

CARTONS = 12
# (top margin, fitted to the page): the outcome changes between the two of each pair.
EDGES = [(0, True), (70, True), (80, True), (1520, True), (1530, True), (3000, True),
         (20, False), (230, False), (240, False), (1600, False), (1610, False), (3000, False)]
REFUSAL = re.compile(r"^vantric-batch: printing failed: the print margins leave no room for the "
                     r"table: only ([0-3]) of the 4 labels a page must hold fit whole$", re.M)


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def settings_with_top(top):
    return ("[打印预览边距]\r\n页眉=60\r\n页脚=60\r\n表头表格间距=20\r\n上边距=%d\r\n下边距=20\r\n"
            "左边距=40\r\n右边距=40\r\n" % top).encode("gb18030")


def outcome(command, drives, top, fit, windows, env):
    """What one build's vantric-batch makes of the sheet at this margin: ("refused", labels that
    fit) or ("printed", the label numbers of each page)."""
    os.makedirs(os.path.join(drives, "D", "data"), exist_ok=True)
    with open(os.path.join(drives, "D", "data", "dypz.ini"), "wb") as f:
        f.write(settings_with_top(top))
    pdf = os.path.join(drives, "labels.pdf")
    if os.path.exists(pdf):
        os.remove(pdf)
    place = windows_path if windows else (lambda p: p)
    arguments = ["single", str(CARTONS), "--pdf", place(pdf)] + ([] if fit else ["--no-fit"])
    # Files, not pipes: services Wine starts on the way would hold a pipe open after the exit.
    with tempfile.TemporaryFile() as err:
        status = subprocess.run(command + arguments, stdout=subprocess.DEVNULL, stderr=err,
                                timeout=300, env=dict(env, VANTRIC_DRIVES=place(drives))
                                ).returncode
        err.seek(0)
        said = err.read().decode("utf-8", "replace")
    if status != 0:
        refused = REFUSAL.search(said)
        if status != 1 or refused is None:
            raise Failure("exit status %d: %s" % (status, said.strip()[-300:]))
        if os.path.exists(pdf):
            raise Failure("refused, yet %s was written" % pdf)
        return ("refused", int(refused.group(1)))
    pages = []
    for page in range(1, desk_run.pdf_pages(pdf) + 1):
        text = desk_run.page_text(pdf, page)
        if text.count("Carton No. :") != 4 or text.count("Made in China") != 4:
            raise Failure("page %d does not hold four whole labels:\n%s" % (page, text))
        pages.append(re.findall(r"\b\d+/\d+\b", text))
    expected = [["%d/%d" % (k, CARTONS) for k in range(4 * p + 1, 4 * p + 5)]
                for p in range(CARTONS // 4)]
    if pages != expected:
        raise Failure("pages hold %s" % pages)
    return ("printed", pages)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--linux-batch", required=True)
    parser.add_argument("--windows-batch", required=True)
    parser.add_argument("--wine-run", required=True, help="tools/windows/wine-run.sh")
    parser.add_argument("--full", action="store_true", help="0 to 3000 in steps of 10")
    args = parser.parse_args()
    if not os.access(args.linux_batch, os.X_OK):
        log("FAILED: no Linux build's vantric-batch at %s (./dev windows builds it)" %
            args.linux_batch)
        return 1
    cases = ([(top, fit) for fit in (True, False) for top in range(0, 3001, 10)] if args.full
             else EDGES)
    failed = []
    seen = {"printed": 0, "refused": 0}
    with tempfile.TemporaryDirectory(prefix="vantric-sweep-") as work:
        try:
            # One X server for every run (Wine draws through it), rather than one each.
            xvfb, display = desk_run.start_xvfb(os.path.join(work, "xvfb.log"))
        except desk_run.Skip as e:
            log("SKIPPED: %s" % e)
            return desk_run.SKIPPED
        env = dict(os.environ, DISPLAY=display)
        env.pop("QT_QPA_PLATFORM", None)
        started = time.monotonic()
        try:
            for top, fit in cases:
                name = "top %d, %s" % (top, "fit" if fit else "no fit")
                try:
                    windows = outcome([args.wine_run, args.windows_batch],
                                      os.path.join(work, "windows"), top, fit, True, env)
                    linux = outcome([args.linux_batch], os.path.join(work, "linux"), top, fit,
                                    False, env)
                    if windows != linux:
                        raise Failure("the Windows build %s, the Linux build %s" %
                                      (windows, linux))
                    seen[windows[0]] += 1
                except (Failure, OSError, subprocess.TimeoutExpired) as e:
                    failed.append(name)
                    log("FAILED %s: %s" % (name, e))
        finally:
            desk_run.stop_xvfb(xvfb)
        seconds = time.monotonic() - started
    log("%d margins in %.0f s (%.1f s each): %d printed whole label pages, %d refused" %
        (len(cases), seconds, seconds / len(cases), seen["printed"], seen["refused"]))
    if failed:
        return 1
    if not seen["printed"] or not seen["refused"]:
        log("FAILED: the sweep never met both outcomes")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
