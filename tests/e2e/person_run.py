#!/usr/bin/env python3
"""Uses the real vantric binary the way a person at the packing desk does, on a private X server.

Straight after start, without a click, types a carton total with a slip mended by Home and
Delete, builds the single-ticket sheet, opens and closes the print preview and prints through
the print dialog onto the CUPS PDF queue, then reprints its page 3 twice, chosen in the dialog's
range and copies, and torn labels through the dialog's selection: label 6 chosen with a click and
the arrow keys, then labels 4 and 6 of two pages with Shift. Then types a top margin into the margin window as it
opens and saves it, meets the refusal box of an empty ticket list, adds a ticket through the add
dialog (again mending with Home and Delete), builds and prints the multi-ticket sheet, and
then types a top margin that leaves room for only two of a page's four labels and meets the box
that says why 打印 prints nothing, and closes the main window. Checks the exit status, the spooled PDFs (pages and label numbers), the
settings file, where the main window sits and that every window carries the program's icon.
Screenshots, the printed PDFs, the settings file and the program's output are kept in the
artefact folder.

Exit status 0 passed, 1 failed, 77 skipped (no X server or no CUPS could be started; under CI,
CI=true, that fails too).
"""

import argparse
import contextlib
import ctypes
import os
import pwd
import re
import select
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

SKIPPED = 77
QUEUE = "VantricPDF"
CARTONS = 12
# Typed into the count edit at start: a slip of the first key, mended with Home and Delete.
TYPED_TOTAL = "1" + str(CARTONS)
# Typed into the add dialog, mended the same way: the ticket meant has 2 cartons.
TYPED_TICKET, TICKET = "12", 2
# The page of the single-ticket sheet reprinted, twice, through the dialog's range and copies.
REPRINTED_PAGE = 3
# What label 6's caption is retyped to before it is reprinted.
RETYPED_CAPTION = "Carton 6 again"
TOP_MARGIN = 35
# A top margin that leaves an A4 page room for the upper two of its four labels only.
NO_ROOM_TOP_MARGIN = 300
MAIN_TITLE = r"^Vantric1\.0\.1 "
PREVIEW_TITLE = r"^打印预览$"
PRINT_DIALOG_TITLE = r"^(Print|打印)$"
MARGIN_TITLE = r"^打印预览边距设置$"
REMINDER_TITLE = r"^温馨提示$"
ADD_TITLE = r"^提示$"
DESIGN_WIDTH, DESIGN_HEIGHT = 1031, 484
# Design rectangles (x, y, width, height) of the controls the test uses.
CARTON_TOTAL_EDIT = (829, 62, 72, 32)
SINGLE_SHEET_BUTTON = (930, 62, 88, 32)
PREVIEW_BUTTON = (741, 446, 112, 32)
PRINT_BUTTON = (898, 446, 112, 32)
SHEET_GRID = (5, 6, 720, 472)
MULTI_MODE_RADIO = (946, 22, 72, 24)
ADD_TICKET_BUTTON = (745, 270, 64, 32)
MULTI_SHEET_BUTTON = (922, 270, 88, 32)
# In the margin window (no menu bar).
MARGIN_SAVE_BUTTON = (164, 214, 96, 32)
SCREEN_WIDTH, SCREEN_HEIGHT = 1280, 800
# What a run leaves in the artefact folder; the previous run's are removed first.
ARTEFACTS = ("main-window-at-start.png", "main-window.png", "preview.png", "print-dialog.png",
             "print-dialog-page-3.png", "print-dialog-multi.png", "printed-page-3.pdf",
             "print-dialog-label-6.png", "printed-label-6.pdf", "main-window-labels-4-6.png",
             "print-dialog-labels-4-6.png", "printed-labels-4-6.pdf",
             "margin-window.png", "reminder-box.png", "add-dialog.png", "main-window-multi.png",
             "no-room-box.png", "preview-no-room.png",
             "screen-at-failure.png", "printed.pdf", "printed-multi.pdf", "dypz.ini",
             "vantric.log", "xvfb.log")
INITIAL_MARGINS = {"页眉": 60, "页脚": 60, "表头表格间距": 20, "上边距": 20, "下边距": 20,
                   "左边距": 40, "右边距": 40}


class Skip(Exception):
    pass


def skipped(reason):
    """The exit status of a run that cannot be made here: skipped (77), saying why; under CI
    (CI=true) failed, so that a green CI run means the run was made."""
    if os.environ.get("CI", "").lower() == "true":
        log("FAILED: %s (CI=true: this run may not be skipped)" % reason)
        return 1
    log("SKIPPED: %s" % reason)
    return SKIPPED


class Failure(Exception):
    pass


def log(message):
    print("person-run: " + message, flush=True)


def run(args, timeout=30, check=True, env=None):
    # Programs under Wine speak the Windows code page: what is not UTF-8 is only shown.
    done = subprocess.run(args, capture_output=True, text=True, errors="replace",
                          timeout=timeout, env=env)
    if check and done.returncode != 0:
        raise Failure("%s failed (%d): %s" % (" ".join(args), done.returncode,
                                               done.stderr.strip()))
    return done


def wait_for(what, probe, timeout, alive=None):
    """Polls probe until it returns something true; alive() is asked in between so that a dead
    program fails the wait at once instead of at the timeout."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if alive is not None:
            alive()
        if time.monotonic() > deadline:
            raise Failure("timed out after %g s waiting for %s" % (timeout, what))
        time.sleep(0.1)


# --- screenshots -------------------------------------------------------------------------------

def read_xwd(path):
    """(width, height, RGB bytes) of an xwd dump of a TrueColor window with 8-bit channels."""
    data = open(path, "rb").read()
    # The header is in the writer's byte order; the file version (7) tells which that is.
    endian = ">" if struct.unpack(">I", data[4:8])[0] == 7 else "<"
    h = struct.unpack(endian + "25I", data[:100])
    header_size, pixmap_format, width, height = h[0], h[2], h[4], h[5]
    byte_order, bits_per_pixel, bytes_per_line, ncolors = h[7], h[11], h[12], h[19]
    masks = h[14:17]
    step = bits_per_pixel // 8
    shifts = [(m & -m).bit_length() - 1 for m in masks]
    if pixmap_format != 2 or step not in (3, 4) or any(
            m >> s != 0xFF or s % 8 for m, s in zip(masks, shifts)):
        raise Failure("%s: unexpected xwd layout (format %d, %d bits per pixel)" %
                      (path, pixmap_format, bits_per_pixel))
    # Where each channel's byte sits inside a pixel.
    places = [s // 8 if byte_order == 0 else step - 1 - s // 8 for s in shifts]
    offset = header_size + ncolors * 12
    rgb = bytearray(width * height * 3)
    for y in range(height):
        line = data[offset + y * bytes_per_line:offset + y * bytes_per_line + width * step]
        row = y * width * 3
        for channel, place in enumerate(places):
            rgb[row + channel:row + width * 3:3] = line[place::step]
    return width, height, bytes(rgb)


def write_png(path, width, height, rgb):
    def chunk(tag, body):
        return (struct.pack(">I", len(body)) + tag + body +
                struct.pack(">I", zlib.crc32(tag + body)))
    stride = width * 3
    raw = b"".join(b"\0" + rgb[y * stride:(y + 1) * stride] for y in range(height))
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 6)))
        out.write(chunk(b"IEND", b""))


DARK = bytes(1 if value < 80 else 0 for value in range(256))


def dark_share(image, rect):
    """Share of near-black pixels (green channel below 80) inside rect of the image."""
    width, height, rgb = image
    x, y, w, h = rect
    w, h = min(w, width - x), min(h, height - y)
    dark = 0
    for row in range(y, y + h):
        start = (row * width + x) * 3 + 1
        dark += rgb[start:start + w * 3:3].translate(DARK).count(1)
    return dark / float(max(1, w * h))


class Screen:
    def __init__(self, env, folder):
        self.env = env
        self.folder = folder

    def shot(self, window, name):
        """Dumps a window (or the whole screen for None) to NAME.png; returns the image."""
        dump = os.path.join(self.folder, name + ".xwd")
        target = ["-root"] if window is None else ["-id", str(window)]
        run(["xwd", "-silent"] + target + ["-out", dump], env=self.env)
        image = read_xwd(dump)
        write_png(os.path.join(self.folder, name + ".png"), *image)
        os.remove(dump)
        return image

    def wait_picture(self, window, name, rect, low, high, what, alive):
        """Screenshots the window until the dark share of rect lies between low and high: a
        window not painted yet is black in the dump, so both bounds matter. The share seen."""
        seen = []

        def probe():
            seen.append(dark_share(self.shot(window, name), rect))
            return low < seen[-1] < high

        try:
            wait_for(what, probe, 15, alive)
        except Failure as e:
            raise Failure("%s (%.3f of it dark, see %s.png)" % (e, seen[-1], name))
        return seen[-1]


# --- the X server and the pointer/keyboard --------------------------------------------------------

def start_xvfb(log_path):
    """Starts Xvfb on a display it picks itself; (process, ":N")."""
    reader, writer = os.pipe()
    with open(log_path, "w") as xlog:
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(writer), "-screen", "0",
             "%dx%dx24" % (SCREEN_WIDTH, SCREEN_HEIGHT), "-dpi", "96",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(writer,), stdout=xlog, stderr=subprocess.STDOUT)
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
        raise Skip("Xvfb did not start: " + open(log_path).read().strip()[-400:])
    return xvfb, ":" + number.strip().decode()


def stop_xvfb(xvfb):
    xvfb.terminate()
    try:
        xvfb.wait(timeout=10)
    except subprocess.TimeoutExpired:
        xvfb.kill()
        xvfb.wait()


class Desk:
    """The display and what a person does on it."""

    def __init__(self, env, alive):
        self.env = env
        self.alive = alive

    def xdotool(self, *args, check=True):
        return run(["xdotool"] + [str(a) for a in args], env=self.env, check=check)

    def windows(self, title):
        found = self.xdotool("search", "--onlyvisible", "--name", title, check=False)
        return [int(w) for w in found.stdout.split()]

    def wait_window(self, title, what, timeout=30):
        return wait_for(what, lambda: self.windows(title), timeout, self.alive)[0]

    def wait_gone(self, title, what, timeout=30):
        wait_for(what, lambda: not self.windows(title), timeout, self.alive)

    def size(self, window):
        shell = self.xdotool("getwindowgeometry", "--shell", window).stdout
        values = dict(line.split("=", 1) for line in shell.split() if "=" in line)
        return int(values["WIDTH"]), int(values["HEIGHT"])

    def click(self, window, point):
        self.xdotool("mousemove", "--window", window, point[0], point[1], "click", "1")

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window)

    def keys(self, *names):
        self.xdotool("key", "--clearmodifiers", *names)

    def type(self, text):
        self.xdotool("type", "--delay", "20", text)

    def position(self, window):
        shell = self.xdotool("getwindowgeometry", "--shell", window).stdout
        values = dict(line.split("=", 1) for line in shell.split() if "=" in line)
        return int(values["X"]), int(values["Y"])

    def choose_in_menu(self, screen, window, *keys):
        """F10 puts the window's menu bar in charge of the keyboard, Enter opens its first menu,
        KEYS choose in the popup. Each key waits for what the one before shows on the screen:
        under load a key that comes before the program has acted on the last one is lost."""
        bar = (0, 0, 10000, 16)  # the menu bar's titles, whatever the scale

        def strip():
            image = screen.shot(window, "menu-bar")
            width, height, rgb = image
            return rgb[:width * 3 * min(height, bar[3])]

        self.focus(window)
        steady = []
        wait_for("the menu bar to be painted", lambda: steady.append(strip()) or
                 (len(steady) > 1 and steady[-1] == steady[-2]), 15, self.alive)
        self.keys("F10")
        wait_for("the menu bar to show its first title chosen",
                 lambda: strip() != steady[-1], 15, self.alive)
        before = set(self.windows(""))
        self.keys("Return")
        wait_for("the menu to open", lambda: set(self.windows("")) - before, 15, self.alive)
        self.keys(*keys)

    def focused(self):
        return int(self.xdotool("getwindowfocus", "-f", check=False).stdout.strip() or 0)

    def wait_focused(self, window, what):
        """Waits until the X input focus is on the window, as a window manager or the program
        itself puts it there; nothing is clicked."""
        wait_for(what, lambda: self.focused() == window, 15, self.alive)

    def icon_sizes(self, window):
        """The sizes of the icons in the window's _NET_WM_ICON, what title bars and task
        switchers show."""
        x11 = _xlib()
        display = x11.XOpenDisplay(self.env["DISPLAY"].encode())
        if not display:
            raise Failure("cannot open display " + self.env["DISPLAY"])
        try:
            atom = x11.XInternAtom(display, b"_NET_WM_ICON", 0)
            kind, fmt = ctypes.c_ulong(), ctypes.c_int()
            count, after = ctypes.c_ulong(), ctypes.c_ulong()
            data = ctypes.POINTER(ctypes.c_ulong)()
            if x11.XGetWindowProperty(display, window, atom, 0, 1 << 22, 0, 0, ctypes.byref(kind),
                                      ctypes.byref(fmt), ctypes.byref(count),
                                      ctypes.byref(after), ctypes.byref(data)) != 0:
                return []
            values = [data[i] for i in range(count.value)]  # 32-bit items arrive as longs
            if data:
                x11.XFree(data)
        finally:
            x11.XCloseDisplay(display)
        sizes, i = [], 0
        while i + 2 <= len(values):
            w, h = values[i], values[i + 1]
            sizes.append((w, h))
            i += 2 + w * h
        return sizes

    def close(self, window):
        """What the close button of a window manager does: WM_DELETE_WINDOW to the window."""
        x11 = _xlib()

        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                        ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                        ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

        class Event(ctypes.Union):  # XEvent: any event, padded to 24 longs
            _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

        display = x11.XOpenDisplay(self.env["DISPLAY"].encode())
        if not display:
            raise Failure("cannot open display " + self.env["DISPLAY"])
        try:
            event = Event()
            event.xclient.type = 33  # ClientMessage
            event.xclient.window = window
            event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
            event.xclient.format = 32
            event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
            event.xclient.data[1] = 0  # CurrentTime
            if not x11.XSendEvent(display, window, 0, 0, ctypes.byref(event)):
                raise Failure("could not send WM_DELETE_WINDOW")
            x11.XFlush(display)
        finally:
            x11.XCloseDisplay(display)


def _xlib():
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.c_void_p]
    x11.XGetWindowProperty.argtypes = [
        ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
        ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
        ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
        ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong))]
    x11.XFree.argtypes = [ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return x11


class Layout:
    """Design units to window pixels: the controls scale with the window's client area, which
    sits below the menu bar."""

    def __init__(self, width, height):
        self.scale = width / float(DESIGN_WIDTH)
        self.top = height - self.scaled(DESIGN_HEIGHT)
        if not 0.5 < self.scale < 4 or not 0 <= self.top < 100:
            raise Failure("main window is %dx%d, not a scaled %dx%d client area below a menu bar"
                          % (width, height, DESIGN_WIDTH, DESIGN_HEIGHT))

    @classmethod
    def at(cls, scale):
        """The layout of a window without a menu bar at that scale."""
        layout = cls.__new__(cls)
        layout.scale, layout.top = scale, 0
        return layout

    def scaled(self, v):
        return int(v * self.scale + 0.5)

    def rect(self, design):
        x, y, w, h = (self.scaled(v) for v in design)
        return x, y + self.top, w, h

    def centre(self, design):
        x, y, w, h = self.rect(design)
        return x + w // 2, y + h // 2


# --- CUPS and the spooled file -------------------------------------------------------------------

def queue_ready():
    try:
        scheduler = run(["lpstat", "-r"], timeout=10, check=False).stdout
        queue = run(["lpstat", "-v", QUEUE], timeout=10, check=False)
    except (OSError, subprocess.TimeoutExpired):
        return False
    return "is running" in scheduler and queue.returncode == 0


def ensure_queue(cups_setup):
    if shutil.which("lpstat") is None or shutil.which("cupsd") is None:
        raise Skip("CUPS is not installed (./dev test installs cups and cups-pdf)")
    if queue_ready():
        return
    log("no CUPS queue %s yet: running %s" % (QUEUE, cups_setup))
    setup = run(["bash", cups_setup], timeout=120, check=False)
    if not queue_ready():
        raise Skip("CUPS could not be started with a queue %s: %s" %
                   (QUEUE, (setup.stdout + setup.stderr).strip()))


def cups_pdf_folder():
    out = "${HOME}/PDF"
    try:
        for line in open("/etc/cups/cups-pdf.conf", encoding="utf-8", errors="replace"):
            m = re.match(r"\s*Out\s+(\S+)", line)
            if m:
                out = m.group(1)
    except OSError:
        pass
    # cups-pdf writes into the home folder the account database gives the job's owner.
    return out.replace("${HOME}", pwd.getpwuid(os.getuid()).pw_dir)


def spooled_files(folder):
    """cups-pdf names a job's file after its title, which is the main window's caption."""
    try:
        names = os.listdir(folder)
    except OSError:
        return set()
    return {os.path.join(folder, n) for n in names
            if n.startswith("Vantric1.0.1") and re.search(r"-job_\d+\.pdf$", n)}


def claim_spooled(candidates):
    """Takes one finished file out of the candidates by renaming it, so that a run of this test
    from another build at the same time (whose job has the same title and content) cannot take
    the same one. The claimed path, or None."""
    for path in sorted(candidates):
        if pdf_pages(path) > 0:
            claimed = "%s.claimed-%d" % (path, os.getpid())
            try:
                os.rename(path, claimed)
            except FileNotFoundError:
                continue
            return claimed
    return None


def pdf_pages(path):
    info = run(["pdfinfo", path], check=False)
    m = re.search(r"^Pages:\s+(\d+)", info.stdout, re.M)
    return int(m.group(1)) if info.returncode == 0 and m else 0


def page_text(path, page):
    return run(["pdftotext", "-layout", "-f", str(page), "-l", str(page), path, "-"]).stdout


INK = bytes(1 if value < 128 else 0 for value in range(256))


def ink_box(path, page, dpi=144):
    """The bounding box (left, top, right, bottom) of the ink on one page of a PDF, the pixels
    darker than mid-grey as pdftoppm rasterises them at DPI, in points from the page's top-left
    corner; None for a page without ink."""
    pgm = subprocess.run(["pdftoppm", "-gray", "-r", str(dpi), "-f", str(page), "-l", str(page),
                          path], capture_output=True, timeout=120, check=True).stdout
    # "P5 WIDTH HEIGHT 255", then one byte a pixel: the pixels are the file's last bytes.
    width, height = (int(v) for v in pgm.split(maxsplit=3)[1:3])
    pixels = pgm[len(pgm) - width * height:]
    left, right, rows = width, -1, []
    for y in range(height):
        row = pixels[y * width:(y + 1) * width].translate(INK)
        first = row.find(1)
        if first >= 0:
            left, right = min(left, first), max(right, row.rfind(1))
            rows.append(y)
    if not rows:
        return None
    point = 72.0 / dpi
    return left * point, rows[0] * point, (right + 1) * point, (rows[-1] + 1) * point


WORD = re.compile(r'<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" '
                  r'yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>')


def numbers_at_places(path):
    """The label number at each of the four places of every page (top left, top right, bottom
    left, bottom right; "" for an empty place), told apart by the halves of the paper: the
    gutter runs down its middle, the gap between upper and lower labels across it."""
    pages, size = [], None
    for m in WORD.finditer(run(["pdftotext", "-bbox", path, "-"]).stdout):
        if m.group(1):
            size = float(m.group(1)), float(m.group(2))
            pages.append([""] * 4)
        elif "/" in m.group(7):
            x0, y0, x1, y1 = (float(v) for v in m.group(3, 4, 5, 6))
            lower, right = (y0 + y1) / 2 > size[1] / 2, (x0 + x1) / 2 > size[0] / 2
            pages[-1][2 * lower + right] = m.group(7)
    return pages


# --- checks --------------------------------------------------------------------------------------

def check_settings(text, expected):
    """The file the program writes: the seven margins and nothing else."""
    lines = [line.strip() for line in text.splitlines() if line.strip()]
    if not lines or lines[0] != "[打印预览边距]":
        raise Failure("settings file does not start with [打印预览边距]:\n" + text)
    values = {}
    for line in lines[1:]:
        key, sep, value = line.partition("=")
        if not sep or not re.fullmatch(r"-?\d+", value):
            raise Failure("settings line is not key=number: %r" % line)
        values[key] = int(value)
    if values != expected:
        raise Failure("settings margins %r, expected %r" % (values, expected))


def expected_labels(tickets):
    """The numbers of a sheet of these tickets in print order: k/N for each ticket, then the
    fillers that complete the last page of four, numbered as one more ticket."""
    numbers = ["%d/%d" % (k, n) for n in tickets for k in range(1, n + 1)]
    fillers = -len(numbers) % 4
    return numbers + ["%d/%d" % (k, fillers) for k in range(1, fillers + 1)]


def check_printout(path, tickets, pages=None):
    """The printout of the sheet of these tickets: PAGES are the sheet's pages in the order they
    were printed, every page once when None. The label numbers read, in order."""
    expected = expected_labels(tickets)
    if pages is None:
        pages = list(range(1, len(expected) // 4 + 1))
    printed = pdf_pages(path)
    if printed != len(pages):
        raise Failure("%s has %d pages, expected %d (the sheet's pages %s) for tickets %s" %
                      (path, printed, len(pages), pages, tickets))
    numbers = []
    for sheet, page in enumerate(pages, 1):
        text = page_text(path, sheet)
        on_page = re.findall(r"\b\d+/\d+\b", text)
        if on_page != expected[4 * page - 4:4 * page]:
            raise Failure("printed page %d shows %s, expected page %d's %s" %
                          (sheet, on_page, page, expected[4 * page - 4:4 * page]))
        for fixed in ("Carton No. :", "Made in China"):
            if text.count(fixed) != 4:
                raise Failure("printed page %d has %r %d times, expected 4" %
                              (sheet, fixed, text.count(fixed)))
        numbers += on_page
    return numbers


# --- the run -------------------------------------------------------------------------------------

def start_program(start, artifacts, name):
    """Starts the program NAME with START(log file), its output going to vantric.log; returns
    it, the log, and alive(), which fails the run as soon as the program has ended."""
    program_log = open(os.path.join(artifacts, "vantric.log"), "w")
    app = start(program_log)

    def alive():
        if app.poll() is not None:
            raise Failure("%s ended early with status %d (see vantric.log)" %
                          (name, app.returncode))

    return app, program_log, alive


@contextlib.contextmanager
def running(app, program_log, screen, name, started):
    """The steps in the with-block end by closing the program's main window: APP (called NAME)
    must then end with status 0. On a failure a picture of the screen is kept; whatever still
    runs at the end is killed."""
    try:
        yield
        try:
            status = app.wait(timeout=30)
        except subprocess.TimeoutExpired:
            raise Failure("%s still runs 30 s after its main window was closed" % name)
        if status != 0:
            raise Failure("%s exited with status %d (see vantric.log)" % (name, status))
        log("%s exited with status 0 after %.1f s" % (name, time.monotonic() - started))
    except (Failure, subprocess.SubprocessError, OSError):
        if app.poll() is None:
            try:
                screen.shot(None, "screen-at-failure")
            except Exception as e:  # the failure itself matters more than its picture
                log("no screenshot of the failure: %s" % e)
        raise
    finally:
        if app.poll() is None:
            app.kill()
            app.wait()
        program_log.close()


def person_run(vantric, artifacts, work, env):
    screen = Screen(env, artifacts)
    drives = os.path.join(work, "drives")
    os.makedirs(os.path.join(drives, "D"))
    settings = os.path.join(drives, "D", "data", "dypz.ini")
    env.update({"VANTRIC_DRIVES": drives, "QT_QPA_PLATFORM": "xcb"})
    # The default printer as the desk's user has chosen it, without touching the system's.
    env.update({"LPDEST": QUEUE, "PRINTER": QUEUE})

    spool = cups_pdf_folder()
    before = spooled_files(spool)
    started = time.monotonic()
    app, program_log, alive = start_program(
        lambda out: subprocess.Popen([vantric], env=env, stdout=out, stderr=subprocess.STDOUT),
        artifacts, "vantric")

    desk = Desk(env, alive)
    with running(app, program_log, screen, "vantric", started):
        main = desk.wait_window(MAIN_TITLE, "the main window", timeout=60)
        layout = Layout(*desk.size(main))
        log("main window %d up after %.1f s (scale %.2f, menu bar %d px)" %
            (main, time.monotonic() - started, layout.scale, layout.top))
        check_placement(desk, main)
        check_icon(desk, main, "the main window")
        # The margins are loaded (and the file made) while the window is created.
        wait_for("the settings file " + settings, lambda: os.path.isfile(settings), 10, alive)
        # The program writes a new settings file as Chinese Windows writes one: GB18030.
        with open(settings, encoding="gb18030") as f:
            settings_at_start = f.read()
        check_settings(settings_at_start, INITIAL_MARGINS)
        grid = layout.rect(SHEET_GRID)

        # Straight after start: no click, the keyboard goes to the count edit, whose "0" the
        # first key replaces. A slip ("1" too many) is mended with Home and Delete.
        desk.wait_focused(main, "the main window to take the keyboard")
        screen.wait_picture(main, "main-window-at-start", grid, -1, 0.01,
                            "the main window to show its empty grid", alive)
        desk.type(TYPED_TOTAL)
        desk.keys("Home", "Delete")
        desk.click(main, layout.centre(SINGLE_SHEET_BUTTON))

        desk.click(main, layout.centre(PREVIEW_BUTTON))
        preview = desk.wait_window(PREVIEW_TITLE, "the print preview")
        # Below the button row: black label text and lines on white paper.
        screen.wait_picture(preview, "preview", (0, 50, 10000, 10000), 0.01, 0.5,
                            "the preview to show the first page", alive)
        desk.focus(preview)
        desk.keys("Escape")
        desk.wait_gone(PREVIEW_TITLE, "the preview to close")
        log("preview opened and closed")

        kept = print_sheet(desk, screen, main, layout, spool, before, "printed.pdf", started)
        # The first two labels fill the grid's view: big black numbers and thick lines.
        screen.wait_picture(main, "main-window", grid, 0.03, 0.5,
                            "the grid to show the sheet", alive)
        # A jammed sheet printed again: its page only, twice, chosen in the dialog.
        kept_page = print_sheet(desk, screen, main, layout, spool, before, "printed-page-3.pdf",
                                started, choose_pages(REPRINTED_PAGE, REPRINTED_PAGE, copies=2))
        reprints = reprint_torn_labels(desk, screen, main, layout, spool, before, started,
                                       choose_selection)

        # The margin window opens with the keyboard in its first box, the top margin.
        desk.click(main, (20, layout.top // 2))  # "操作"
        time.sleep(0.5)
        desk.keys("Up", "Return")  # its last item, "打印预览边距"
        margins = desk.wait_window(MARGIN_TITLE, "the margin window")
        check_icon(desk, margins, "the margin window")
        desk.wait_focused(margins, "the margin window to take the keyboard")
        desk.keys("End", "BackSpace", "BackSpace")
        desk.type(str(TOP_MARGIN))
        screen.shot(margins, "margin-window")
        desk.click(margins, Layout.at(layout.scale).centre(MARGIN_SAVE_BUTTON))
        saved = dict(INITIAL_MARGINS, 上边距=TOP_MARGIN)
        wait_for("the margin window to save the top margin %d" % TOP_MARGIN,
                 lambda: settings_hold(settings, saved), 10, alive)
        desk.keys("Escape")
        desk.wait_gone(MARGIN_TITLE, "the margin window to close")
        log("top margin %d typed into the margin window as it opened, and saved" % TOP_MARGIN)

        # Multi-ticket mode: the empty list is refused in a box that reads Chinese ("确定").
        desk.click(main, layout.centre(MULTI_MODE_RADIO))
        desk.click(main, layout.centre(MULTI_SHEET_BUTTON))
        reminder = desk.wait_window(REMINDER_TITLE, "the empty-list reminder")
        check_icon(desk, reminder, "the message box")
        desk.wait_focused(reminder, "the message box to take the keyboard")
        screen.wait_picture(reminder, "reminder-box", (0, 0, 10000, 10000), 0.005, 0.5,
                            "the message box to show its text", alive)
        desk.keys("Return")
        desk.wait_gone(REMINDER_TITLE, "the message box to close")

        # The add dialog: "12", Home, Delete, Enter adds the ticket of 2 the operator meant.
        desk.click(main, layout.centre(ADD_TICKET_BUTTON))
        adding = desk.wait_window(ADD_TITLE, "the add dialog")
        check_icon(desk, adding, "the add dialog")
        desk.wait_focused(adding, "the add dialog to take the keyboard")
        desk.type(TYPED_TICKET)
        desk.keys("Home", "Delete")
        screen.shot(adding, "add-dialog")
        desk.keys("Return")
        desk.wait_gone(ADD_TITLE, "the add dialog to close")
        desk.click(main, layout.centre(MULTI_SHEET_BUTTON))
        screen.wait_picture(main, "main-window-multi", grid, 0.03, 0.5,
                            "the grid to show the multi-ticket sheet", alive)
        # Straight through the dialog again: one copy of every page, whatever was chosen before.
        kept_multi = print_sheet(desk, screen, main, layout, spool, before, "printed-multi.pdf",
                                 started)

        def open_margins():
            desk.click(main, (20, layout.top // 2))  # "操作"
            time.sleep(0.5)
            desk.keys("Up", "Return")
        saved = print_refused_for_no_room(desk, screen, main, layout, open_margins, settings,
                                          saved, alive)
        desk.close(main)

    shutil.copy(settings, os.path.join(artifacts, "dypz.ini"))
    with open(settings, encoding="gb18030") as f:
        check_settings(f.read(), saved)

    numbers = check_printout(kept, [CARTONS])
    log("spooled PDF: %d pages, labels %s" % (len(numbers) // 4, " ".join(numbers)))
    numbers = check_printout(kept_page, [CARTONS], pages=[REPRINTED_PAGE] * 2)
    log("spooled reprint of page %d, 2 copies: %d pages, labels %s" %
        (REPRINTED_PAGE, len(numbers) // 4, " ".join(numbers)))
    check_reprints(*reprints)
    numbers = check_printout(kept_multi, [TICKET])
    log("spooled multi-ticket PDF: %d page, labels %s" % (len(numbers) // 4, " ".join(numbers)))


def choose_pages(first, last, copies):
    """What a person does in the print dialog to print pages FIRST to LAST COPIES times."""
    def choose(desk, dialog):
        closed = desk.size(dialog)
        desk.keys("alt+o")  # "选项(O) >>"
        wait_for("the print dialog to open its options",
                 lambda: desk.size(dialog)[1] > closed[1], 10, desk.alive)
        # From the options button Tab goes to the printer's properties, the "份数" tab and
        # "打印全部"; Down chooses "页数从", whose two boxes follow; then the page set, the copies.
        desk.keys("Tab", "Tab", "Tab", "Down", "Tab", "ctrl+a")
        desk.type(str(first))
        desk.keys("Tab", "ctrl+a")
        desk.type(str(last))
        desk.keys("Tab", "Tab", "ctrl+a")
        desk.type(str(copies))
    return choose


def choose_selection(desk, dialog):
    """The print dialog's own "选择": its options opened, Tab to "打印全部", Down past "页数从"
    and "页数" (where the choice is not offered, Down comes round to "打印全部" again)."""
    closed = desk.size(dialog)
    desk.keys("alt+o")
    wait_for("the print dialog to open its options",
             lambda: desk.size(dialog)[1] > closed[1], 10, desk.alive)
    desk.keys("Tab", "Tab", "Tab", "Down", "Down", "Down")


def reprint_torn_labels(desk, screen, main, layout, spool, before, started, choose):
    """Label 6 of the sheet of 12 (the caption of page 2's top right, retyped first) printed
    through the dialog's selection (CHOOSE), then labels 4 and 6 of two pages (from label 4's
    number, Shift and Down twice). The two spooled PDFs."""
    choose_cells(desk, main, layout, ["Down"] * 7 + ["Right"] * 2)
    desk.type(RETYPED_CAPTION)
    desk.keys("Return")
    alone = print_sheet(desk, screen, main, layout, spool, before, "printed-label-6.pdf",
                        started, choose)
    choose_cells(desk, main, layout, ["Down"] * 5 + ["Right"] * 2 + ["shift+Down"] * 2)
    screen.shot(main, "main-window-labels-4-6")
    both = print_sheet(desk, screen, main, layout, spool, before, "printed-labels-4-6.pdf",
                       started, choose)
    return alone, both


def check_reprints(alone, both):
    """Label 6 alone as retyped, then labels 4 and 6 on one page, each from the first place."""
    for path, labels in ((alone, ["6/12", "", "", ""]), (both, ["4/12", "6/12", "", ""])):
        text = page_text(path, 1)
        if numbers_at_places(path) != [labels] or RETYPED_CAPTION not in text or \
                text.count("Carton No. :") != len([n for n in labels if n]) - 1:
            raise Failure("%s holds %s at the places of its pages and reads %r, expected %s with "
                          "label 6 as retyped" % (path, numbers_at_places(path), text, [labels]))
    log("torn labels reprinted through the dialog's selection: 6 alone, then 4 and 6 on one page")


def choose_cells(desk, main, layout, keys):
    """A click into the grid, Ctrl+Home to its first cell, then KEYS. The window is given the
    keyboard first, as a window manager gives it back when a dialog closes (the window hands it
    on to the control that had it), so that the click then takes it to the grid."""
    desk.focus(main)
    x, y, _, _ = layout.rect(SHEET_GRID)
    desk.click(main, (x + 40, y + 30))
    desk.keys("ctrl+Home", *keys)


def print_sheet(desk, screen, main, layout, spool, before, name, started, choose=None):
    """Prints the grid's sheet through the print dialog; the spooled PDF kept as NAME. CHOOSE,
    when given, is what the person does in the dialog (desk, dialog) before pressing Enter."""
    desk.click(main, layout.centre(PRINT_BUTTON))
    dialog = desk.wait_window(PRINT_DIALOG_TITLE, "the print dialog")
    desk.focus(dialog)
    if choose:
        choose(desk, dialog)
    time.sleep(0.5)  # mapped is not yet painted; the picture is for people to look at
    screen.shot(dialog, os.path.splitext(name)[0].replace("printed", "print-dialog"))
    desk.keys("Return")
    desk.wait_gone(PRINT_DIALOG_TITLE, "the print dialog and the progress to close")
    printed = wait_for("the spooled PDF in " + spool,
                       lambda: claim_spooled(spooled_files(spool) - before), 60, desk.alive)
    log("printed %s after %.1f s" % (os.path.basename(printed), time.monotonic() - started))
    kept = os.path.join(screen.folder, name)
    shutil.move(printed, kept)
    return kept


def print_refused_for_no_room(desk, screen, main, layout, open_margins, settings, saved, alive):
    """Types NO_ROOM_TOP_MARGIN into the margin window that OPEN_MARGINS opens, saves it, and
    presses 打印: after the print dialog, a "温馨提示" box says why nothing is printed (its text
    is in no-room-box.png); the preview says the same (preview-no-room.png). That no document is
    made is the print job's tests' to see: other programs of the suite print under the same
    title onto the same queue meanwhile. The margins the settings file then holds."""
    open_margins()
    margins = desk.wait_window(MARGIN_TITLE, "the margin window")
    desk.focus(margins)
    desk.keys("End", "BackSpace", "BackSpace", "BackSpace")
    desk.type(str(NO_ROOM_TOP_MARGIN))
    desk.click(margins, Layout.at(layout.scale).centre(MARGIN_SAVE_BUTTON))
    saved = dict(saved, 上边距=NO_ROOM_TOP_MARGIN)
    wait_for("the margin window to save the top margin %d" % NO_ROOM_TOP_MARGIN,
             lambda: settings_hold(settings, saved), 10, alive)
    desk.keys("Escape")
    desk.wait_gone(MARGIN_TITLE, "the margin window to close")

    desk.click(main, layout.centre(PRINT_BUTTON))
    dialog = desk.wait_window(PRINT_DIALOG_TITLE, "the print dialog")
    desk.focus(dialog)
    desk.keys("Return")
    desk.wait_gone(PRINT_DIALOG_TITLE, "the print dialog to close")
    box = desk.wait_window(REMINDER_TITLE, "the box that says why nothing is printed")
    desk.focus(box)
    screen.wait_picture(box, "no-room-box", (0, 0, 10000, 10000), 0.005, 0.5,
                        "the box to show its text", alive)
    desk.keys("Return")
    desk.wait_gone(REMINDER_TITLE, "the box to close")
    # The preview shows the same words where the page would be.
    desk.click(main, layout.centre(PREVIEW_BUTTON))
    preview = desk.wait_window(PREVIEW_TITLE, "the print preview")
    screen.wait_picture(preview, "preview-no-room", (0, 50, 10000, 10000), 0.001, 0.5,
                        "the preview to say why it shows no page", alive)
    desk.focus(preview)
    desk.keys("Escape")
    desk.wait_gone(PREVIEW_TITLE, "the preview to close")
    log("top margin %d: 打印 printed nothing and said why, as the preview does" %
        NO_ROOM_TOP_MARGIN)
    return saved


def settings_hold(path, margins):
    try:
        with open(path, encoding="gb18030") as f:
            check_settings(f.read(), margins)
        return True
    except (Failure, OSError):
        return False


def check_placement(desk, window):
    """Without a window manager the window's position is its client area's, menu bar included:
    centred on the screen."""
    (x, y), (w, h) = desk.position(window), desk.size(window)
    centred = ((SCREEN_WIDTH - w) // 2, (SCREEN_HEIGHT - h) // 2)
    if (x, y) != centred:
        raise Failure("main window %dx%d at %s, not centred at %s" % (w, h, (x, y), centred))


def check_icon(desk, window, what):
    sizes = desk.icon_sizes(window)
    if (48, 48) not in sizes:
        raise Failure("%s carries no 48x48 program icon (icons: %s)" % (what, sizes))


def on_desk(artifacts, cups_setup, leftovers, body):
    """Runs body(work, env) on a private X server with the CUPS PDF queue ready: WORK a folder
    of its own, ENV the environment for the programs it starts. LEFTOVERS are the names a former
    run left in the artefact folder. The exit status: 0 passed, 1 failed, 77 skipped (see
    skipped)."""
    try:
        if shutil.which("Xvfb") is None:
            raise Skip("Xvfb is not installed (./dev test installs xvfb)")
        missing = [t for t in ("xdotool", "xwd", "pdfinfo", "pdftotext", "pdffonts")
                   if shutil.which(t) is None]
        if missing:
            raise Failure("missing tools: %s (./dev test installs them)" % " ".join(missing))
        ensure_queue(cups_setup)
        os.makedirs(artifacts, exist_ok=True)
        for old in leftovers:
            if os.path.exists(os.path.join(artifacts, old)):
                os.remove(os.path.join(artifacts, old))
        with tempfile.TemporaryDirectory(prefix="vantric-e2e-") as work:
            runtime = os.path.join(work, "runtime")
            os.mkdir(runtime, 0o700)
            env = {k: v for k, v in os.environ.items()
                   if not k.startswith("QT_") and k not in ("DISPLAY", "XAUTHORITY")}
            env.update({"LC_ALL": "C.UTF-8", "XDG_RUNTIME_DIR": runtime})
            xvfb, display = start_xvfb(os.path.join(artifacts, "xvfb.log"))
            env["DISPLAY"] = display
            try:
                body(work, env)
            finally:
                stop_xvfb(xvfb)
    except Skip as e:
        return skipped(e)
    except (Failure, subprocess.SubprocessError, OSError) as e:
        log("FAILED: %s" % e)
        log("artefacts in %s" % artifacts)
        return 1
    log("passed; screenshots in %s" % artifacts)
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vantric", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--cups-setup", required=True)
    args = parser.parse_args()
    return on_desk(args.artifacts, args.cups_setup, ARTEFACTS,
                   lambda work, env: person_run(args.vantric, args.artifacts, work, env))


if __name__ == "__main__":
    sys.exit(main())
