#!/usr/bin/env python3
"""Installs the Windows build from its setup program into a fresh Wine prefix and uses it the way
a person at a Windows packing desk does, on a private X server.

Installs silently (/S) and checks what the list of installed programs and the Start menu show;
prints four labels of 120 with the installed vantric-batch.exe --labels onto the CUPS PDF queue;
starts the installed vantric.exe, which makes the settings file on the desk's drive D (a folder
of the test's own); types a carton total with a slip mended by Home and Delete, builds the sheet,
opens and closes the preview, prints two collated copies through the Windows print dialog onto
the CUPS PDF queue (which Wine offers as a Windows printer) and then the sheet once more straight
through the dialog; sees the dialog's "选中的范围" (selection) greyed, and offered once a label
cell is chosen (Wine's dialog does not hand the choice of a range back, so it is not printed
here); types a top margin into the margin window and saves it; types one that leaves room for
only two of a page's four labels and meets the box that says why 打印 prints nothing; then, with
drive D gone, saves again and reads the box that says the margins were not saved (the file and
folder named as Windows writes them); closes the program.
Checks the printed PDFs (pages, label numbers, the labels in Arial's measures), and reads the
saved settings file with the Windows profile service itself. Uninstalls silently and checks that
nothing of Vantric is left in Program Files, the Start menu or the list of installed programs,
while the desk's settings file stays. Screenshots, the printed PDFs, the settings file and the
program's output are kept in the artefact folder.

Exit status 0 passed, 1 failed, 77 skipped (no X server or no CUPS could be started; under CI,
CI=true, that fails too).
"""

import argparse
import os
import shutil
import subprocess
import sys
import time

import person_run as desk_run
from person_run import Failure, log, run, wait_for

INSTALLED = r"C:\Program Files\Vantric"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantric"
START_MENU_LINK = "ProgramData/Microsoft/Windows/Start Menu/Programs/Vantric.lnk"
# What the installation must hold besides the programs: the licence texts of Vantric, of Qt
# with where its source comes from, of its Chinese translation and of the MinGW runtime.
LICENCES = ("LICENSE.txt", "Qt/LGPL-3.0.txt", "Qt/GPL-3.0.txt", "Qt/SOURCE.txt",
            "Qt/copyright.txt", "Qt/translations-copyright.txt", "MinGW/gcc-runtime.txt",
            "MinGW/mingw-w64.txt")
COPIES = 2
# What the margin window's box says when drive D is gone.
NOT_SAVED = "边距没有保存到设置文件 D:\\data\\dypz.ini："
NO_FOLDER = "无法建立文件夹 D:\\data："
ARTEFACTS = ("main-window.png", "preview.png", "print-dialog-copies.png", "print-dialog.png",
             "margin-window.png", "no-room-box.png", "preview-no-room.png",
             "margins-not-saved.png", "margins-not-saved.txt",
             "screen-at-failure.png", "printed-copies.pdf", "printed.pdf",
             "print-dialog-nothing-chosen.png", "print-dialog-label-6.png", "batch-labels.pdf",
             "dypz.ini", "profile-service.txt", "vantric.log", "xvfb.log")


class Wine:
    """One Wine prefix of the test's own, its programs shown on the test's X server."""

    def __init__(self, prefix, env):
        self.prefix = prefix
        self.env = dict(env, WINEPREFIX=prefix, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        # Nothing of the build may help the installed programs find what they need.
        self.env.pop("WINEPATH", None)
        self.loader = "/usr/lib/wine/wine64"
        if not os.access(self.loader, os.X_OK):
            self.loader = shutil.which("wine64") or shutil.which("wine") or "wine64"

    def run(self, *args, timeout=120, check=True):
        return run([self.loader] + list(args), timeout=timeout, check=check, env=self.env)

    def start(self, args, output):
        return subprocess.Popen([self.loader] + args, env=self.env, stdout=output,
                                stderr=subprocess.STDOUT)

    def settle(self):
        """Waits until every program of the prefix has ended (an uninstaller hands its work to
        a copy of itself and returns at once)."""
        run(["wineserver", "-w"], timeout=120, env=self.env)

    def unix(self, windows_path):
        drive, rest = windows_path.split(":", 1)
        return os.path.join(self.prefix, "dosdevices", drive.lower() + ":",
                            *[p for p in rest.split("\\") if p])

    def registry(self, key):
        """The values of a registry key as `reg query` lists them; None when there is no key."""
        listed = self.run("reg", "query", key, check=False)
        if listed.returncode != 0:
            return None
        values = {}
        for line in listed.stdout.splitlines():
            parts = line.split(None, 2)
            if len(parts) == 3 and parts[1].startswith("REG_"):
                values[parts[0]] = parts[2]
        return values


def install(wine, setup, version):
    wine.run(setup, "/S")
    wine.settle()
    for name in ["vantric.exe", "vantric-batch.exe", "uninstall.exe"] + [
            "licenses\\" + n.replace("/", "\\") for n in LICENCES]:
        if not os.path.isfile(wine.unix(INSTALLED + "\\" + name)):
            raise Failure("the installation has no %s\\%s" % (INSTALLED, name))
    if not os.path.isfile(os.path.join(wine.prefix, "drive_c", START_MENU_LINK)):
        raise Failure("the Start menu has no Vantric entry")
    entry = wine.registry(UNINSTALL_KEY) or {}
    expected = {"DisplayName": "Vantric", "DisplayVersion": version,
                "Publisher": "The Vantric developers",
                "DisplayIcon": INSTALLED + r"\vantric.exe,0",
                "QuietUninstallString": '"%s\\uninstall.exe" /S' % INSTALLED}
    shown = {k: entry.get(k) for k in expected}
    if shown != expected:
        raise Failure("the list of installed programs shows %r, expected %r" % (shown, expected))
    # The size shown is the folder's, in KiB.
    size = sum(os.path.getsize(os.path.join(d, f))
               for d, _, files in os.walk(wine.unix(INSTALLED)) for f in files) // 1024
    if abs(int(entry.get("EstimatedSize", "0"), 0) - size) > size // 10:
        raise Failure("the list of installed programs gives %s KiB, the folder holds %d KiB" %
                      (entry.get("EstimatedSize"), size))
    log("installed silently into %s, listed as Vantric %s" % (INSTALLED, version))


def uninstall(wine, settings):
    kept = open(settings, "rb").read()
    wine.run(INSTALLED + r"\uninstall.exe", "/S")
    wine.settle()
    left = [what for what, there in (
        (INSTALLED, os.path.exists(wine.unix(INSTALLED))),
        ("the Start-menu entry", os.path.exists(os.path.join(wine.prefix, "drive_c",
                                                             START_MENU_LINK))),
        (UNINSTALL_KEY, wine.registry(UNINSTALL_KEY) is not None)) if there]
    if left:
        raise Failure("the uninstaller left %s" % ", ".join(left))
    if not os.path.isfile(settings) or open(settings, "rb").read() != kept:
        raise Failure("the uninstaller touched the desk's settings file")
    log("uninstalled silently: nothing left, the settings file kept")


def choose_collated_copies(copies):
    """In the Windows print dialog: the number of copies, and "逐份打印" (collate) ticked."""
    def choose(desk, dialog):
        desk.keys("alt+c", "ctrl+a")
        desk.type(str(copies))
        desk.keys("alt+o")
    return choose


def box_text(desk, box, artifacts, name):
    """A message box's text as a person takes it down: Ctrl+C in the box copies its title and
    text, which Wine hands to the X clipboard."""
    desk.focus(box)
    desk.keys("ctrl+c")
    copied = wait_for("the box's text on the clipboard", lambda: run(
        ["xclip", "-o", "-selection", "clipboard"], check=False, env=desk.env).stdout, 10,
        desk.alive)
    with open(os.path.join(artifacts, name), "w", encoding="utf-8") as f:
        f.write(copied)
    return copied


# The labels of "全部(A)" (all pages) and "选中的范围(S)" in the Windows print dialog (x, y,
# width, height).
ALL_LABEL, SELECTION_LABEL = (44, 190, 60, 16), (44, 244, 80, 16)


def selection_offered(desk, screen, main, layout, name):
    """Whether 打印's Windows print dialog offers its selection: its label drawn in black (one
    it does not offer is drawn in grey). The dialog is cancelled."""
    desk.click(main, layout.centre(desk_run.PRINT_BUTTON))
    dialog = desk.wait_window(desk_run.PRINT_DIALOG_TITLE, "the print dialog")
    screen.wait_picture(dialog, name, ALL_LABEL, 0.01, 0.5, "the print dialog to show its choices",
                        desk.alive)
    offered = desk_run.dark_share(screen.shot(dialog, name), SELECTION_LABEL) > 0.02
    desk.focus(dialog)
    desk.keys("Escape")
    desk.wait_gone(desk_run.PRINT_DIALOG_TITLE, "the cancelled print dialog to close")
    return offered


def batch_labels_on_queue(wine, spool, artifacts):
    """vantric-batch.exe --labels onto the CUPS queue, as Wine offers it as a Windows printer."""
    title = "vantricwinelabels%d" % os.getpid()
    wine.run(INSTALLED + r"\vantric-batch.exe", "single", "120", "--labels", "37,40-42",
             "--printer", desk_run.QUEUE, "--title", title, timeout=300)
    found = wait_for("the spooled PDF of vantric-batch.exe", lambda: [
        os.path.join(spool, n) for n in os.listdir(spool)
        if n.startswith(title) and desk_run.pdf_pages(os.path.join(spool, n)) > 0], 60)
    kept = os.path.join(artifacts, "batch-labels.pdf")
    shutil.move(found[0], kept)
    placed = desk_run.numbers_at_places(kept)
    if placed != [["37/120", "40/120", "41/120", "42/120"]]:
        raise Failure("vantric-batch.exe --labels 37,40-42 printed %s" % placed)
    log("vantric-batch.exe printed labels 37 and 40 to 42 of 120 on one page of the queue")


def read_with_profile_service(wine, oracle, work, keys, artifacts):
    """Each key of section 打印预览边距 as GetPrivateProfileStringW reads it from D:\\data\\dypz.ini,
    as numbers; a key it finds missing is left out."""
    cases = os.path.join(work, "cases.txt")
    with open(cases, "w", encoding="utf-8") as f:
        f.write("case\tdesk\tdypz.ini\n")
        for key in keys:
            f.write("read\t打印预览边距\t%s\n" % key)
    answers = wine.run(oracle, "Z:" + cases.replace("/", "\\"), r"D:\data",
                       r"C:\profile-reads").stdout
    with open(os.path.join(artifacts, "profile-service.txt"), "w", encoding="utf-8") as f:
        f.write(answers)
    values = {}
    for line in answers.splitlines():
        fields = line.split("\t")
        if fields[0] == "read" and len(fields) == 5 and fields[3] == "=":
            values[fields[2]] = int(fields[4])
    return values


def person_run(args, work, env):
    if shutil.which("xclip") is None:
        raise Failure("missing tool: xclip (./dev windows installs it)")
    if not {"zh_cn.utf8", "zh_cn.utf-8"} & set(run(["locale", "-a"]).stdout.lower().split()):
        raise Failure("no zh_CN.UTF-8 locale for Wine's Chinese code page (./dev windows makes it)")
    screen = desk_run.Screen(env, args.artifacts)
    # A Chinese Windows: its code page (936) for the settings file and the dialogs' language.
    env.update({"LC_ALL": "zh_CN.UTF-8", "LPDEST": desk_run.QUEUE,
                "PRINTER": desk_run.QUEUE})
    wine = Wine(os.path.join(work, "prefix"), env)
    run([args.make_prefix, wine.prefix], timeout=300, env=wine.env)
    # The desk's drive D, empty.
    drive_d = os.path.join(work, "drive-d")
    os.mkdir(drive_d)
    os.symlink(drive_d, os.path.join(wine.prefix, "dosdevices", "d:"))
    settings = os.path.join(drive_d, "data", "dypz.ini")
    install(wine, args.setup, args.version)

    spool = desk_run.cups_pdf_folder()
    # Before the program runs, so with the margins the installation starts from.
    batch_labels_on_queue(wine, spool, args.artifacts)
    before = desk_run.spooled_files(spool)
    started = time.monotonic()
    app, program_log, alive = desk_run.start_program(
        lambda out: wine.start([INSTALLED + r"\vantric.exe"], out), args.artifacts, "vantric.exe")

    desk = desk_run.Desk(env, alive)
    try:
        with desk_run.running(app, program_log, screen, "vantric.exe", started):
            main = desk.wait_window(desk_run.MAIN_TITLE, "the main window", timeout=90)
            layout = desk_run.Layout(*desk.size(main))
            log("main window up after %.1f s" % (time.monotonic() - started))
            desk_run.check_placement(desk, main)
            wait_for("the settings file on drive D", lambda: os.path.isfile(settings), 10, alive)
            with open(settings, encoding="gb18030") as f:
                desk_run.check_settings(f.read(), desk_run.INITIAL_MARGINS)

            # No window manager hands out the keyboard here: the person clicks into the window,
            # which gives it to the count edit, its "0" selected.
            desk.focus(main)
            desk.type(desk_run.TYPED_TOTAL)
            desk.keys("Home", "Delete")
            desk.click(main, layout.centre(desk_run.SINGLE_SHEET_BUTTON))
            screen.wait_picture(main, "main-window", layout.rect(desk_run.SHEET_GRID), 0.03, 0.5,
                                "the grid to show the sheet", alive)

            desk.click(main, layout.centre(desk_run.PREVIEW_BUTTON))
            preview = desk.wait_window(desk_run.PREVIEW_TITLE, "the print preview")
            screen.wait_picture(preview, "preview", (0, 50, 10000, 10000), 0.01, 0.5,
                                "the preview to show the first page", alive)
            desk.focus(preview)
            desk.keys("Escape")
            desk.wait_gone(desk_run.PREVIEW_TITLE, "the preview to close")

            # Copies first: the dialog after them must start again from one copy.
            kept_copies = desk_run.print_sheet(desk, screen, main, layout, spool, before,
                                               "printed-copies.pdf", started,
                                               choose_collated_copies(COPIES))
            kept = desk_run.print_sheet(desk, screen, main, layout, spool, before, "printed.pdf",
                                        started)
            if selection_offered(desk, screen, main, layout, "print-dialog-nothing-chosen"):
                raise Failure("the print dialog offers a selection with no cell chosen")
            desk_run.choose_cells(desk, main, layout, ["Down"] * 7 + ["Right"] * 2)
            if not selection_offered(desk, screen, main, layout, "print-dialog-label-6"):
                raise Failure("the print dialog offers no selection with label 6 chosen")
            log("the print dialog's selection: greyed, then offered for a chosen label")

            # The menu by keyboard: F10 to the menu bar, Enter opens "操作", Up to its last item.
            desk.choose_in_menu(screen, main, "Up", "Return")
            margins = desk.wait_window(desk_run.MARGIN_TITLE, "the margin window")
            desk.focus(margins)
            desk.keys("End", "BackSpace", "BackSpace")
            desk.type(str(desk_run.TOP_MARGIN))
            screen.shot(margins, "margin-window")
            desk.click(margins,
                       desk_run.Layout.at(layout.scale).centre(desk_run.MARGIN_SAVE_BUTTON))
            saved = dict(desk_run.INITIAL_MARGINS, 上边距=desk_run.TOP_MARGIN)
            wait_for("the margin window to save the top margin",
                     lambda: desk_run.settings_hold(settings, saved), 10, alive)
            desk.keys("Escape")
            desk.wait_gone(desk_run.MARGIN_TITLE, "the margin window to close")

            def open_margins():
                desk.choose_in_menu(screen, main, "Up", "Return")
            saved = desk_run.print_refused_for_no_room(desk, screen, main, layout, open_margins,
                                                       settings, saved, alive)
            # Drive D gone (a network drive lost, a disk unplugged): "保存设置" says the margins
            # were not saved, naming the file and its folder as Windows writes them.
            drive_link = os.path.join(wine.prefix, "dosdevices", "d:")
            os.unlink(drive_link)
            desk.choose_in_menu(screen, main, "Up", "Return")
            margins = desk.wait_window(desk_run.MARGIN_TITLE, "the margin window again")
            desk.click(margins,
                       desk_run.Layout.at(layout.scale).centre(desk_run.MARGIN_SAVE_BUTTON))
            box = desk.wait_window(desk_run.REMINDER_TITLE,
                                   "the box that the margins were not saved")
            screen.wait_picture(box, "margins-not-saved", (0, 0, 10000, 10000), 0.005, 0.5,
                                "the box to show its text", alive)
            told = box_text(desk, box, args.artifacts, "margins-not-saved.txt")
            for expected in (NOT_SAVED, NO_FOLDER):
                if expected not in told:
                    raise Failure("the box says %r, not %r" % (told, expected))
            if "D:/" in told or "D://" in told or "\\\\" in told:
                raise Failure("the box writes a path as Windows does not: %r" % told)
            log("drive D gone, the box says: %s" % " | ".join(told.split("\n")[3:5]))
            desk.keys("Return")
            desk.wait_gone(desk_run.REMINDER_TITLE, "the box to close")
            os.symlink(drive_d, drive_link)
            desk.focus(margins)
            desk.keys("Escape")
            desk.wait_gone(desk_run.MARGIN_TITLE, "the margin window to close again")

            desk.close(main)
    finally:
        # Whatever the run left running in its own prefix.
        run(["wineserver", "-k"], check=False, env=wine.env)

    shutil.copy(settings, os.path.join(args.artifacts, "dypz.ini"))
    read = read_with_profile_service(wine, args.oracle, work, saved, args.artifacts)
    if read != saved:
        raise Failure("the Windows profile service reads %r from D:\\data\\dypz.ini, expected %r"
                      % (read, saved))
    log("the Windows profile service reads the saved margins: %s" %
        " ".join("%s=%d" % kv for kv in read.items()))

    pages = desk_run.expected_labels([desk_run.CARTONS])
    whole = list(range(1, len(pages) // 4 + 1))
    desk_run.check_printout(kept_copies, [desk_run.CARTONS], pages=whole * COPIES)
    numbers = desk_run.check_printout(kept, [desk_run.CARTONS])
    log("printed: %d collated copies of %d pages, then %s" %
        (COPIES, len(whole), " ".join(numbers)))
    # A face without Arial's measures would show here as another font (a serif one).
    fonts = run(["pdffonts", kept]).stdout
    if "LiberationSans" not in fonts:
        raise Failure("the labels were not printed in Arial's stand-in:\n" + fonts)

    uninstall(wine, settings)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--setup", required=True, help="Vantric-<version>-setup.exe")
    parser.add_argument("--version", required=True)
    parser.add_argument("--oracle", required=True,
                        help="the profile-service program of tools/profile-oracle")
    parser.add_argument("--make-prefix", required=True, help="tools/windows/make-prefix.sh")
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--cups-setup", required=True)
    args = parser.parse_args()
    return desk_run.on_desk(args.artifacts, args.cups_setup, ARTEFACTS,
                            lambda work, env: person_run(args, work, env))


if __name__ == "__main__":
    sys.exit(main())
