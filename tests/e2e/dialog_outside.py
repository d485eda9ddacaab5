#!/usr/bin/python3
"""The real dialog driven from outside, as a user drives it, and read back after every step.

Each scenario starts the program in a folder of its own with its list files, under the X
server and the D-Bus session that dialog_outside.sh provides. Random steps from a fixed seed
work the dialog with the mouse and the keyboard (XTest, xdotool to type) and through the
accessibility interfaces (AT-SPI, as screen readers and voice control do); after every step
the message boxes, the status line, the enabled and checked states, the spin values, the
combos, the preview on screen and the clipboard are compared with a small model of what the
dialog must do. The model keeps the dialog's own rules (handlers, enabling, spins, paints, which messages
a paint may repeat); what one Create command draws, says and refuses comes from
diduzozoz-cli run with the same settings.

Usage: dialog_outside.py PROGRAM CLI [--seed N] [--steps N] [--scenario NAME] [--verbose]
Each scenario stops at its first disagreement, which is printed; exit 0 when every step of
every scenario agreed, else 1.
"""

import argparse
import ctypes
import os
import random
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

WAIT = 20.0  # seconds; every wait is bounded

CHOOSE_TYPE = "コード種別を選んでください"
CHOOSE_PATTERN = "計算パターンを選択してください"
TYPES = {  # n: (name for the CLI, radio text, status format)
    1: ("nw7", "NW-７", "NW-7が選択されました[%d] CODE:%s"),
    2: ("code39", "CODE39", "CODE39が選択されました[%d] CODE:%s"),
    3: ("jan", "JAN", "JANが選択されました[%d] CODE:%s"),
    4: ("itf", "ITF", "ITFが選択されました[%d] CODE:%s"),
    5: ("code128", "CODE128", "CODE128が選択されました[%d] CODE:%s"),
    6: ("postal", "〒", "〒（郵便番号）が選択されました[%d] CODE:%s"),
}
PATTERNS = {
    1: ["1. モジュラス１０／２ウエイト", "2. モジュラス１０／３ウエイト", "3. モジュラス１１ウエイト",
        "4. モジュラス１６ウエイト", "5. ７チェックDR", "6. 加重モジュラス１１", "7. ルーンズ"],
    2: ["1. モジュラス４３ウエイト"],
    3: ["1. モジュラス１０／３ウエイト"],
    4: ["1.モジュラス１０／３ウエイト"],
    5: ["1.モジュラス１０３ウエイト"],
    6: ["1. 郵便コードモジュラス"],
}
CD_STATUS = "Check Digit の有無：[ %02x ]（１X：有　０X：無）"
PATTERN_STATUS = "「 %s 」の選択：[ %02x ]"
FORM_STATUS = "「 %s 」の選択：[ %d ]"
BELOW_STATUS = "文字列を下に付加：[ %d ]（１：有　０：無）"
ABOVE_STATUS = "文字列を上に付加：[ %d ]（２：有　０：無）"
UNIT_STATUS = "選択：%s PIX ：%d"
SPIN_STATUS = "選択：%d"
UNITS = ["1 ピクセル", "2 ピクセル", "3 ピクセル"]
ABOVE, BELOW = "文字印刷(上)", "文字印刷(下)"
CODE_BOX, REF_BOX = "入力コード番号（又は郵便番号）", "整理番号(〒）"
SPINS = {  # label: (lowest, highest position, start, lowest, highest value taken, refusal)
    "高さ（上下）": (20, 150, 40, 20, 150, "高さは、範囲外です"),
    "余白（左右）": (0, 50, 10, 1, 50, "左右の空白は、範囲外です"),
    "余白（上下）": (0, 50, 20, 20, 50, "上下の空白は、範囲外です"),
}


def cd_box(n):
    return TYPES[n][1] + " CD"


# The drop-down lists: name -> (the code type that enables it or 0, items).
LISTS = {TYPES[n][1] + " 計算パターン": (n, PATTERNS[n]) for n in TYPES}
LISTS.update({
    "NW-７ スタート": (1, list("ABCD")),
    "NW-７ ストップ": (1, list("ABCD")),
    "CODE128 スタート": (5, list("ABC")),
    "線単位": (0, UNITS),
})
# The form lists of JAN and ITF: n -> (list, items, the names diduzozoz-cli --form takes).
FORMS = {
    3: ("JAN 形式", ["JAN-13", "JAN-8（短縮）"], ["jan13", "jan8"]),
    4: ("ITF 形式", ["非インターリーブ", "ITF（インターリーブ）", "ITF-14"],
        ["plain", "interleaved", "itf14"]),
}
LISTS.update({name: (n, items) for n, (name, items, _) in FORMS.items()})
TYPE_CONTROLS = {n: {cd_box(n)} | {name for name, (t, _) in LISTS.items() if t == n}
                 for n in TYPES}

WHITE = "white"  # the preview holds nothing


class Mismatch(Exception):
    pass


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(cond, what, seconds=WAIT):
    end = time.monotonic() + seconds
    while True:
        pump()
        try:
            value = cond()
        except GLib.Error:
            value = None  # an object went away while it was read (a box closing): read again
        if value:
            return value
        if time.monotonic() > end:
            raise Mismatch("gave up waiting for " + what)
        time.sleep(0.02)


def run(args, **kwargs):
    return subprocess.run(args, timeout=30, check=False, **kwargs)


class XTest:
    """The mouse and the keyboard of the X server, in-process: a program started per click
    would cost more than the step it makes."""

    def __init__(self):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XStringToKeysym.restype = ctypes.c_ulong
        self.x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self.x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x11.XGetInputFocus.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_ulong),
                                            ctypes.POINTER(ctypes.c_int)]
        self.x11.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                            ctypes.c_ulong]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError("no X display")

    def click(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.display, -1, x, y, 0)
        self.xtst.XTestFakeButtonEvent(self.display, 1, 1, 0)
        self.xtst.XTestFakeButtonEvent(self.display, 1, 0, 0)
        self.x11.XSync(self.display, 0)

    def key(self, combination):
        """A key with its modifiers, as "shift+Tab" or "ctrl+a"."""
        names = {"shift": "Shift_L", "ctrl": "Control_L"}
        codes = [self.x11.XKeysymToKeycode(
            self.display, self.x11.XStringToKeysym(names.get(k, k).encode()))
            for k in combination.split("+")]
        if not all(codes):
            raise ValueError("no key for " + combination)
        for code in codes:
            self.xtst.XTestFakeKeyEvent(self.display, code, 1, 0)
        for code in reversed(codes):
            self.xtst.XTestFakeKeyEvent(self.display, code, 0, 0)
        self.x11.XSync(self.display, 0)

    def focused_window(self):
        window, revert = ctypes.c_ulong(), ctypes.c_int()
        self.x11.XGetInputFocus(self.display, ctypes.byref(window), ctypes.byref(revert))
        return window.value

    def focus(self, window):
        self.x11.XSetInputFocus(self.display, window, 2, 0)  # RevertToParent, CurrentTime
        self.x11.XSync(self.display, 0)


# --- Images: (width, height, bytes of 8-bit grey) ------------------------------------------------

def read_pgm(data):
    tokens, at = [], 0
    while len(tokens) < 4:
        while data[at:at + 1].isspace():
            at += 1
        if data[at:at + 1] == b"#":
            at = data.index(b"\n", at)
            continue
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        tokens.append(data[at:end])
        at = end
    if tokens[0] != b"P5" or tokens[3] != b"255":
        raise ValueError("not an 8-bit PGM image")
    width, height = int(tokens[1]), int(tokens[2])
    pixels = data[at + 1:at + 1 + width * height]
    return width, height, bytes(0 if p < 128 else 255 for p in pixels)


def grey(png):
    """A PNG image as black (0) and white (255): grey, palette, RGB(A), 1 to 8 bits, no
    interlace, which is what the clipboard and diduzozoz-cli hand out."""
    if not png.startswith(b"\x89PNG\r\n\x1a\n"):
        return None
    at, data, palette = 8, b"", None
    while at + 8 <= len(png):
        length, kind = struct.unpack(">I4s", png[at:at + 8])
        body = png[at + 8:at + 8 + length]
        if kind == b"IHDR":
            w, h, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = [body[i:i + 3] for i in range(0, len(body), 3)]
        elif kind == b"IDAT":
            data += body
        at += 12 + length
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour]
    if interlace or (depth != 8 and channels != 1):
        raise ValueError(f"PNG of colour type {colour}, depth {depth}, interlace {interlace}")
    raw = zlib.decompress(data)
    stride = (w * channels * depth + 7) // 8
    step = max(1, channels * depth // 8)
    previous, out, at = bytearray(stride), bytearray(), 0
    for _ in range(h):
        kind, row = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = row[i - step] if i >= step else 0
            up = previous[i]
            corner = previous[i - step] if i >= step else 0
            if kind == 1:
                row[i] = (row[i] + left) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + up) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                row[i] = (row[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) \
                    & 0xFF
        previous = row
        for x in range(w):
            if depth == 8:
                value = row[x * channels]
            else:
                bit = x * depth
                value = (row[bit // 8] >> (8 - depth - bit % 8)) & ((1 << depth) - 1)
            if colour == 3:
                value = palette[value][0]
            elif depth != 8:
                value = value * 255 // ((1 << depth) - 1)
            out.append(0 if value < 128 else 255)
    return w, h, bytes(out)


def screen_region(x, y, w, h):
    result = run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                  "-colorspace", "Gray", "-depth", "8", "pgm:-"], capture_output=True)
    return read_pgm(result.stdout)


def clipboard_image():
    result = run(["timeout", "5", "xclip", "-selection", "clipboard", "-t", "image/png", "-o"],
                 capture_output=True)
    if result.returncode != 0 or not result.stdout.startswith(b"\x89PNG"):
        return None
    return grey(result.stdout)


def preview_differs(shown, expected):
    """Why the preview's pixels are not the expected picture, or ''. The picture is what was
    exported, which the preview shows at its top left; a caption wider than the bars reaches
    past it in the preview and is not compared there."""
    w, h, pixels = shown
    if expected == WHITE:
        black = pixels.count(0)
        return f"{black} black pixels in a preview that must be white" if black else ""
    ew, eh, drawing = expected
    cols = min(w, ew)
    for y in range(min(h, eh)):
        want = drawing[y * ew:y * ew + cols]
        if pixels[y * w:y * w + cols] != want:
            x = next(i for i in range(cols) if pixels[y * w + i] != want[i])
            return f"the preview differs from the drawing at ({x}, {y})"
    return ""


# --- The model --------------------------------------------------------------------------------

class Oracle:
    """One Create command with the model's settings, run by diduzozoz-cli."""

    def __init__(self, cli, folder):
        self.cli, self.folder, self.cache = cli, folder, {}

    def run(self, m):
        args = [self.cli, "--type", TYPES[m.sym][0] if m.sym else "none", "--code", m.code,
                "--text", ["none", "below", "above"][m.textpos], "--unit", str(m.unit()),
                "--height", str(m.value["高さ（上下）"]), "--margin-x", str(m.value["余白（左右）"]),
                "--margin-y", str(m.value["余白（上下）"])]
        if m.sym:
            word = m.word[m.sym]
            args += ["--pattern", str(word & 0x0F)] + (["--cd"] if word & 0x10 else [])
        if m.sym == 1:
            args += ["--start", m.item("NW-７ スタート"), "--stop", m.item("NW-７ ストップ")]
        if m.sym == 5:
            args += ["--start", m.item("CODE128 スタート")]
        if m.sym == 6:
            args += ["--ref", m.ref]
        if m.sym in FORMS:
            name, _, cli_names = FORMS[m.sym]
            args += ["--form", cli_names[m.index[name]]]
        key = tuple(args)
        if key not in self.cache:
            path = os.path.join(self.folder, f"expected-{len(self.cache)}.png")
            result = run(args + ["-o", path], capture_output=True)
            if result.returncode == 2:
                raise RuntimeError("diduzozoz-cli refused " + repr(args) + ": " +
                                   result.stderr.decode())
            image = None
            if result.returncode == 0:
                with open(path, "rb") as f:
                    image = grey(f.read())
            self.cache[key] = ([line for line in result.stderr.decode().split("\n") if line],
                               result.stdout.decode().rstrip("\n"), image)
        return self.cache[key]


class Model:
    """What the dialog must show. Handlers return the message boxes they show, in order."""

    def __init__(self, oracle, codes, refs):
        self.oracle = oracle
        self.sym = 0
        self.word = {n: 0x01 for n in TYPES}
        self.index = {name: 0 for name in LISTS}
        self.checked = {ABOVE: False, BELOW: False}
        self.textpos = 0
        self.pos = {label: spin[2] for label, spin in SPINS.items()}
        self.value = dict(self.pos)
        self.code = codes[0] if codes else ""
        self.ref = refs[0] if refs else ""
        self.status = ""
        self.shown = set()  # messages shown since the last user action
        self.preview = WHITE
        self.clip = None
        self.ran = False  # a Create command ran since the runner last looked

    def item(self, name):
        return LISTS[name][1][self.index[name]]

    def unit(self):
        return self.index["線単位"] + 1

    def user(self):
        self.shown.clear()

    def select_type(self, n):
        self.user()
        self.sym = n
        self.status = TYPES[n][2] % (n, self.code)
        return []

    def check_digit(self, n):
        if n != self.sym:
            return []  # disabled: a click does nothing
        self.user()
        self.word[n] ^= 0x10
        self.status = CD_STATUS % self.word[n] if self.word[n] & 0x0F else CHOOSE_PATTERN
        return []

    def pick(self, name, i):
        n, items = LISTS[name]
        if n and n != self.sym:
            return []
        self.user()
        self.index[name] = i
        if name.endswith("計算パターン"):
            self.word[n] = (self.word[n] & 0x10) | int(items[i][0])
            self.status = PATTERN_STATUS % (items[i], self.word[n])
        elif name == "線単位":
            self.status = UNIT_STATUS % (items[i], i + 1)
        elif n in FORMS and name == FORMS[n][0]:
            self.status = FORM_STATUS % (items[i], i)
        else:
            self.status = items[i]
        return []

    def text_box(self, name):
        self.user()
        other = BELOW if name == ABOVE else ABOVE
        self.checked[other] = False
        self.checked[name] = not self.checked[name]
        if name == BELOW:
            self.textpos = 1 if self.checked[name] else 0
            self.status = BELOW_STATUS % self.textpos
        else:
            self.textpos = 2 if self.checked[name] else 0
            self.status = ABOVE_STATUS % self.textpos
        return []

    def spin(self, label, delta):
        lowest, highest, _, low, high, refusal = SPINS[label]
        self.user()
        p = self.pos[label]
        v = p + 1 if delta == 1 else p - 1
        if low <= v <= high:
            self.value[label] = v
            self.status = SPIN_STATUS % v
            boxes = self.create("spin")
        else:
            boxes = [refusal]
        p += delta
        self.pos[label] = lowest if p > highest else highest if p < lowest else p
        return boxes

    def edit(self, box, text):
        self.user()
        if box == CODE_BOX:
            self.code = text
        else:
            self.ref = text
        self.status = text
        return []

    def create_button(self):
        self.user()
        return self.create("button")

    def create(self, occasion):
        self.ran = True
        messages, status, image = self.oracle.run(self)
        boxes = []
        for text in messages:
            seen = text in self.shown
            self.shown.add(text)
            if not (seen and occasion == "paint"):
                boxes.append(text)
        if status:
            self.status = status
        self.preview = WHITE
        if image is not None:
            self.preview = self.clip = image
        elif status.endswith("のバーコードは作成できませんでした"):
            self.preview = None  # a drawing that stopped half-way: not compared
        return boxes

    def after(self, boxes, exposed):
        """Closing a message box or a drop-down list uncovers the dialog, and every paint of
        the dialog runs the Create command; a paint does not repeat a message the user saw
        since the last action."""
        boxes = list(boxes)
        again = bool(boxes) or exposed
        while again:
            more = self.create("paint")
            boxes += more
            again = bool(more)
        return boxes


# --- The program, seen from outside ------------------------------------------------------------

ROLES_THAT_TAKE_INPUT = {"push button", "toggle button", "check box", "radio button", "combo box",
                         "text", "password text", "spin button", "slider", "entry", "scroll bar",
                         "menu item", "check menu item", "radio menu item"}


class Dialog:
    def __init__(self, program, folder, codes, refs, x):
        self.x = x
        for name, lines in (("DiDuzozoz.ini", codes), ("ViVederuvida.ini", refs)):
            with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
                f.writelines(line + "\n" for line in lines)
        self.process = subprocess.Popen([program], cwd=folder, stdin=subprocess.DEVNULL)
        try:
            self.app = wait_for(self.find_app, "the program on the accessibility bus")
            self.app.set_cache_mask(Atspi.Cache.NONE)  # read every state afresh
            self.dlg = wait_for(lambda: self.child_named(self.app, "dialog", "DiDuzozoz"),
                                "the dialog in the accessibility tree")
            found = run(["timeout", "30", "xdotool", "search", "--sync", "--all", "--onlyvisible",
                         "--pid", str(self.process.pid), "--name", "DiDuzozoz"],
                        capture_output=True, text=True).stdout.split()
            if not found:
                raise Mismatch("the dialog's window did not appear")
            self.window = int(found[0])
            self.c = {}
            for i in range(self.dlg.childCount):
                child = self.dlg.getChildAtIndex(i)
                self.c[(child.getRoleName(), child.name)] = child
        except BaseException:
            self.close()
            raise

    def find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.process.pid and app.childCount:
                    return app
            except GLib.Error:
                continue
        return None

    @staticmethod
    def child_named(parent, role, prefix):
        for i in range(parent.childCount):
            child = parent.getChildAtIndex(i)
            if child is not None and child.getRoleName() == role and \
                    (child.name or "").startswith(prefix):
                return child
        return None

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(10)

    # --- reading ---

    def combo(self, name):
        return self.c[("combo box", name)]

    def edit_field(self, box):
        combo = self.combo(box)
        for i in range(combo.childCount):
            child = combo.getChildAtIndex(i)
            if child.getRoleName() == "text":
                return child
        raise Mismatch(f"no edit field in {box}")

    def text(self, accessible):
        return accessible.queryText().getText(0, -1)

    def state(self, accessible, state):
        return accessible.getState().contains(state)

    def message_box(self):
        for i in range(self.app.childCount):
            child = self.app.getChildAtIndex(i)
            if child is not None and child.getRoleName() == "alert":
                return child
        return None

    @staticmethod
    def find(parent, role):
        for i in range(parent.childCount):
            child = parent.getChildAtIndex(i)
            if child is None:
                continue
            if child.getRoleName() == role:
                yield child
            yield from Dialog.find(child, role)

    def box_text(self, box):
        return " ".join(label.name for label in self.find(box, "label") if label.name)

    def observe(self):
        box = self.message_box()
        return {
            "message box": self.box_text(box) if box else None,
            "status": self.text(self.c[("text", "状態")]),
            "code": self.text(self.edit_field(CODE_BOX)),
            "reference number": self.text(self.edit_field(REF_BOX)),
            "type": [n for n in TYPES if self.state(self.c[("radio button", TYPES[n][1])],
                                                    pyatspi.STATE_CHECKED)],
            "check digits": {n: self.state(self.c[("check box", cd_box(n))], pyatspi.STATE_CHECKED)
                             for n in TYPES},
            "text boxes": {name: self.state(self.c[("check box", name)], pyatspi.STATE_CHECKED)
                           for name in (ABOVE, BELOW)},
            "enabled": sorted(name for names in TYPE_CONTROLS.values() for name in names
                              if self.state(self.c[("check box", name)] if name.endswith(" CD")
                                            else self.combo(name), pyatspi.STATE_ENABLED)),
            "spins": {label: self.text(self.c[("text", label)]) for label in SPINS},
            "lists": {name: self.combo(name).getChildAtIndex(0).queryTable().getSelectedRows()
                      for name in LISTS},
        }

    @staticmethod
    def expect(m):
        return {
            "message box": None,
            "status": m.status,
            "code": m.code,
            "reference number": m.ref,
            "type": [m.sym] if m.sym else [],
            "check digits": {n: bool(m.word[n] & 0x10) for n in TYPES},
            "text boxes": dict(m.checked),
            "enabled": sorted(TYPE_CONTROLS.get(m.sym, set())),
            "spins": {label: str(p) for label, p in m.pos.items()},
            "lists": {name: [i] for name, i in m.index.items()},
        }

    def preview(self):
        x, y, w, h = self.extents(self.c[("frame", "プレビュー")])
        return screen_region(x + 1, y + 1, w - 2, h - 2)  # inside its one-pixel frame

    # --- acting ---

    @staticmethod
    def extents(accessible):
        e = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return e.x, e.y, e.width, e.height

    def click_at(self, x, y):
        self.x.click(x, y)

    def click(self, accessible, dx=None):
        x, y, w, h = self.extents(accessible)
        self.click_at(x + (w // 2 if dx is None else dx), y + h // 2)

    def focus_window(self):
        if self.x.focused_window() != self.window:
            self.x.focus(self.window)
            wait_for(lambda: self.x.focused_window() == self.window, "the dialog's window focused")

    def key(self, combination):
        self.focus_window()
        self.x.key(combination)

    def type(self, text):
        self.focus_window()
        run(["xdotool", "type", "--delay", "15", "--", text])

    @staticmethod
    def action(accessible, name):
        act = accessible.queryAction()
        names = [act.getName(i) for i in range(act.nActions)]
        if name not in names:
            raise Mismatch(f"{accessible.name!r} offers no action {name!r}, only {names}")
        act.doAction(names.index(name))

    @staticmethod
    def press(button):
        """Presses a button through AT-SPI and waits for the press to be carried out: a button
        pressed so clicks only when it is let go a moment later, and a check that looked before
        then would find the dialog as the press left it only by chance."""
        Dialog.action(button, "Press")
        wait_for(lambda: not button.getState().contains(pyatspi.STATE_PRESSED),
                 f"{button.name!r} to be let go")

    def pick_in_open_list(self, combo, row, dx=6):
        """Opens the list with a click, clicks the item, waits for the list to close. The two
        clicks land apart: the list may open with the current item over the combo, and two
        clicks at one place make a double click."""
        lst = combo.getChildAtIndex(0)
        self.click(combo, dx)
        wait_for(lambda: self.state(lst, pyatspi.STATE_SHOWING), "the drop-down list to open")
        x, _, w, _ = self.extents(lst)  # the items report the column's width, not the list's
        _, y, _, h = self.extents(lst.getChildAtIndex(row))
        self.click_at(x + w // 2, y + h // 2)
        wait_for(lambda: not self.state(lst, pyatspi.STATE_SHOWING), "the drop-down list to close")


# --- Steps ------------------------------------------------------------------------------------

class Scenario:
    def __init__(self, name, codes, refs, weights, texts, accessible=False):
        self.name, self.codes, self.refs, self.weights = name, codes, refs, weights
        self.texts, self.accessible = texts, accessible


SCENARIOS = [
    Scenario("codes and check digits",
             ["12", "A1234B", "abc", "490123456789", "37859", "1234567", "a"], ["12", "345"],
             {"radio": 4, "check digit": 3, "list": 4, "code list": 3, "type": 4, "tab away": 2,
              "text box": 1, "create": 4, "spin": 1},
             ["12", "37859", "A1234B", "abc", "1234567", "ab-12", "0123456789", "12345", "",
              "HELLO 39", "4901234567890", "$1.5/+"]),
    Scenario("postal codes and reference numbers",
             ["1234567", "123456", "12345X7", "7654321"], ["", "12", "12A", "1234"],
             {"radio": 2, "check digit": 2, "code list": 4, "type": 4, "tab away": 2, "create": 5,
              "spin": 1, "text box": 1},
             ["1234567", "7654321", "12", "1234", "12345678901234", "12-34", "0", "123456"]),
    Scenario("spins and geometry", ["12", "1234567"], ["12"],
             {"radio": 2, "spin": 8, "create": 3, "list": 2, "text box": 2, "check digit": 1},
             ["12"]),
    Scenario("assistive technology",
             ["12", "abc", "1234567", "490123456789"], ["12", "345"],
             {"radio": 4, "check digit": 3, "list": 4, "code list": 3, "type": 4, "text box": 2,
              "create": 4, "spin": 2, "tab away": 1},
             ["12", "abc", "A-1", "1234567", "490123456789", "X", ""], accessible=True),
]


class Runner:
    def __init__(self, program, cli, folder, scenario, rng, x):
        self.scenario, self.rng = scenario, rng
        self.oracle = Oracle(cli, folder)
        self.model = Model(self.oracle, scenario.codes, scenario.refs)
        self.d = Dialog(program, folder, scenario.codes, scenario.refs, x)
        self.events = []
        self.steps = 0
        self.verbose = False

    # Compares what the dialog shows with the model, first dismissing the expected boxes.
    def check(self, boxes, what):
        for text in boxes:
            box = wait_for(self.d.message_box, f"the message box {text!r} after {what}")
            shown = wait_for(lambda: self.d.box_text(box), "the message box's text")
            if shown != text:
                raise Mismatch(f"after {what}: message box {shown!r}, expected {text!r}")
            ok = next(b for b in Dialog.find(box, "push button") if b.name == "OK")
            if self.scenario.accessible or self.rng.random() < 0.3:
                Dialog.action(ok, "Press")
            else:
                self.d.click(ok)
            # Gone, or another box in its place, which the next look reports.
            wait_for(lambda: getattr(self.d.message_box(), "path", None) != box.path,
                     "the message box to close")
        expected = Dialog.expect(self.model)
        last = {}
        # Only a Create command draws and exports: the pictures are looked at after one ran.
        pictures, self.model.ran = self.model.ran, False

        def agrees():
            last.clear()
            seen = self.d.observe()
            if seen != expected:
                last.update({k: (seen[k], expected[k]) for k in seen if seen[k] != expected[k]})
                return False
            if not pictures:
                return True
            if self.model.preview is not None:
                why = preview_differs(self.d.preview(), self.model.preview)
                if why:
                    last["preview"] = why
                    return False
            clip = clipboard_image()
            if clip != self.model.clip:
                last["clipboard"] = ("an image" if clip else "nothing",
                                     "another image" if self.model.clip else "nothing")
                return False
            return True

        try:
            wait_for(agrees, "the dialog to agree", seconds=10)
        except Mismatch:
            details = "; ".join(f"{k}: shown {v[0]!r}, expected {v[1]!r}" if isinstance(v, tuple)
                                else f"{k}: {v}" for k, v in last.items())
            raise Mismatch(f"after {what}: {details}") from None

    def step(self):
        s, m, d, rng = self.scenario, self.model, self.d, self.rng
        kind = rng.choices(list(s.weights), weights=list(s.weights.values()))[0]
        at = s.accessible
        exposed = False
        if kind == "radio":
            n = rng.choice(list(TYPES))
            what = f"radio {TYPES[n][1]}"
            radio = d.c[("radio button", TYPES[n][1])]
            d.action(radio, "Toggle") if at else d.click(radio)
            boxes = m.select_type(n)
        elif kind == "check digit":
            n = m.sym if m.sym and rng.random() < 0.85 else rng.choice(list(TYPES))
            what = f"CD box of {TYPES[n][1]}"
            box = d.c[("check box", cd_box(n))]
            d.action(box, "Toggle") if at else d.click(box)
            boxes = m.check_digit(n)
        elif kind == "text box":
            name = rng.choice([ABOVE, BELOW])
            what = f"box {name}"
            d.action(d.c[("check box", name)], "Toggle") if at else d.click(d.c[("check box", name)])
            boxes = m.text_box(name)
        elif kind == "list":
            names = [name for name, (n, _) in LISTS.items() if n in (0, m.sym)]
            name = rng.choice(names)
            items = LISTS[name][1]
            row = rng.randrange(len(items))
            combo = d.combo(name)
            way = rng.choice(["toggle", "select row", "keys"] if at else ["open list", "keys"])
            what = f"{way} {items[row]!r} in {name}"
            if way == "open list":
                d.pick_in_open_list(combo, row)
                exposed = True
                boxes = m.pick(name, row)
            elif way == "keys":
                step = rng.choice([-1, 1])
                what = f"{'Down' if step > 0 else 'Up'} key in {name}"
                d.focus_window()  # the focus goes to a control of the active window
                d.action(combo, "SetFocus")
                wait_for(lambda: d.state(combo, pyatspi.STATE_FOCUSED), f"the focus in {name}")
                d.key("Down" if step > 0 else "Up")
                row = m.index[name] + step
                boxes = m.pick(name, row) if 0 <= row < len(items) else []
            else:
                lst = combo.getChildAtIndex(0)
                if way == "toggle":
                    Dialog.action(lst.getChildAtIndex(row), "Toggle")
                else:
                    lst.queryTable().addRowSelection(row)
                # The current item is chosen already: toggling or selecting it changes nothing.
                boxes = m.pick(name, row) if row != m.index[name] else []
        elif kind == "code list":
            box = rng.choice([CODE_BOX, REF_BOX])
            items = s.codes if box == CODE_BOX else s.refs
            row = rng.randrange(len(items))
            combo = d.combo(box)
            if at:
                what = f"toggle {items[row]!r} in {box}"
                cell = combo.getChildAtIndex(0).getChildAtIndex(row)
                chosen = d.state(cell, pyatspi.STATE_SELECTED)  # Qt's current item: stays
                Dialog.action(cell, "Toggle")
                boxes = [] if chosen else m.edit(box, items[row])
            else:
                what = f"open list, {items[row]!r} in {box}"
                _, _, w, _ = Dialog.extents(combo)
                d.pick_in_open_list(combo, row, dx=w - 8)  # the arrow at the right end
                exposed = True
                boxes = m.edit(box, items[row])
        elif kind == "type":
            box = CODE_BOX if rng.random() < 0.75 or not s.refs else REF_BOX
            pool = s.texts + (s.codes if box == CODE_BOX else s.refs)
            text = rng.choice(pool)
            field = d.edit_field(box)
            old = m.code if box == CODE_BOX else m.ref
            if at:
                edit = field.queryEditableText()
                way = rng.choice(["set", "insert", "delete"])
                if way == "insert" and len(old) + len(text) <= 15:
                    at_offset = rng.randint(0, len(old))
                    edit.insertText(at_offset, text, len(text))
                    text = old[:at_offset] + text + old[at_offset:]
                    what = f"insert into {box}, giving {text!r}"
                elif way == "delete" and old:
                    start = rng.randrange(len(old))
                    end = rng.randint(start + 1, len(old))
                    edit.deleteText(start, end)
                    text = old[:start] + old[end:]
                    what = f"delete from {box}, giving {text!r}"
                else:
                    if text == old:
                        text += "9"
                    edit.setTextContents(text)
                    what = f"set {box} to {text!r}"
                boxes = m.edit(box, text)
            else:
                what = f"type {text!r} into {box}"
                d.click(field)
                d.key("ctrl+a")
                if text:
                    d.type(text)
                else:
                    d.key("BackSpace")
                # Every key is an edit; so is deleting the selection, and typing over it the
                # same text it held.
                boxes = m.edit(box, text) if text or old else []
        elif kind == "tab away":
            box = rng.choice([CODE_BOX, REF_BOX])
            key = rng.choice(["Tab", "shift+Tab"])
            what = f"{key} out of {box}"
            if at:
                d.focus_window()
                Dialog.action(d.combo(box), "SetFocus")
            else:
                d.click(d.edit_field(box))
            wait_for(lambda: d.state(d.combo(box), pyatspi.STATE_FOCUSED), f"the focus in {box}")
            d.key(key)
            wait_for(lambda: not d.state(d.combo(box), pyatspi.STATE_FOCUSED), "the focus to go")
            boxes = []
        elif kind == "spin":
            label = rng.choice(list(SPINS))
            delta = rng.choice([-1, 1])
            arrow = [b for b in Dialog.find(d.c[("filler", label)], "push button")]
            arrow = arrow[0] if delta == 1 else arrow[1]
            what = f"{'up' if delta == 1 else 'down'} arrow of {label} at {m.pos[label]}"
            d.press(arrow) if at else d.click(arrow)
            boxes = m.spin(label, delta)
        else:
            what = "作成"
            d.press(d.c[("push button", "作成")]) if at else \
                d.click(d.c[("push button", "作成")])
            boxes = m.create_button()
        boxes = m.after(boxes, exposed)
        self.steps += 1
        if self.verbose:
            print(f"  {self.steps}: {what}", flush=True)
        self.check(boxes, f"step {self.steps} ({what})")

    # Screen-reader essentials, checked once at the start of the assistive scenario.
    def accessible_basics(self):
        d, m = self.d, self.model
        nameless = []

        def walk(node, path):
            for i in range(node.childCount):
                child = node.getChildAtIndex(i)
                if child is None:
                    continue
                if child.getRoleName() in ROLES_THAT_TAKE_INPUT and not (child.name or "").strip():
                    nameless.append(f"{path}/{child.getRoleName()}[{i}]")
                walk(child, f"{path}/{child.getRoleName()}[{i}]")
        walk(d.dlg, "dialog")
        if nameless:
            raise Mismatch("controls without a name: " + ", ".join(nameless))

        status = d.c[("text", "状態")]
        pyatspi.Registry.registerEventListener(self.events.append, "object:text-changed:insert")
        try:
            # The CODE39 radio toggled through AT-SPI: its handler runs, its CD box is enabled,
            # and the status line announces the change.
            Dialog.action(d.c[("radio button", "CODE39")], "Toggle")
            self.check(m.after(m.select_type(2), False), "CODE39 toggled through AT-SPI")
            if not d.state(d.c[("check box", "CODE39 CD")], pyatspi.STATE_ENABLED):
                raise Mismatch("the CODE39 CD box stayed disabled")
            wait_for(lambda: any(e.source.name == status.name and e.any_data == m.status
                                 for e in self.events),
                     "the status line to announce its new text")
        finally:
            pyatspi.Registry.deregisterEventListener(self.events.append,
                                                     "object:text-changed:insert")
        # Text inserted into the code field through AT-SPI is what 作成 draws.
        field = d.edit_field(CODE_BOX).queryEditableText()
        field.setTextContents("")
        field.insertText(0, "AT-39", 5)
        self.check(m.after(m.edit(CODE_BOX, "") + m.edit(CODE_BOX, "AT-39"), False),
                   "AT-39 written through AT-SPI")
        Dialog.press(d.c[("push button", "作成")])
        self.check(m.after(m.create_button(), False), "作成 pressed through AT-SPI")
        if m.status != "データ[　*AT-39*　]の形で作成しました" or m.clip is None:
            raise Mismatch("作成 did not draw the text written through AT-SPI: " + m.status)
        self.steps += 3


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("program")
    parser.add_argument("cli")
    parser.add_argument("--seed", type=int, default=17)
    parser.add_argument("--steps", type=int, default=40, help="random steps per scenario")
    parser.add_argument("--scenario", help="only the scenario whose name starts so")
    parser.add_argument("--verbose", action="store_true", help="name every step")
    parser.add_argument("--screenshots", help="folder for the screen at a disagreement")
    args = parser.parse_args()

    # Ended from outside (a time limit): through the finally blocks, which end the program.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("ended by SIGTERM"))
    x = XTest()
    failures, total, scenarios = 0, 0, 0
    for number, scenario in enumerate(SCENARIOS):
        if args.scenario and not scenario.name.startswith(args.scenario):
            continue
        scenarios += 1
        rng = random.Random(args.seed * 100 + number)
        with tempfile.TemporaryDirectory(prefix="dialog-outside-") as folder:
            runner = None
            try:
                runner = Runner(os.path.abspath(args.program), os.path.abspath(args.cli),
                                folder, scenario, rng, x)
                runner.verbose = args.verbose
                m = runner.model
                runner.check(m.after([], True), "the first paint")  # shown: one paint at least
                if scenario.accessible:
                    runner.accessible_basics()
                for _ in range(args.steps):
                    runner.step()
                m.ran = True  # the pictures once more at the end
                runner.check([], "the last step")
                print(f"{scenario.name}: {runner.steps} steps agreed")
            except Mismatch as mismatch:
                failures += 1
                print(f"FAIL {scenario.name}: {mismatch}")
                if args.screenshots:  # the screen as it was, before the program ends
                    shot = os.path.join(args.screenshots, f"{number}-{scenario.name}.png")
                    run(["import", "-window", "root", shot])
                    print("the screen:", shot)
            finally:
                if runner:
                    total += runner.steps
                    runner.d.close()
        sys.stdout.flush()
    print(f"{total} steps over {scenarios} scenarios (seed {args.seed}): "
          f"{'every step agreed' if not failures else f'{failures} scenarios disagreed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
