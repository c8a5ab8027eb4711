"""Drives the real kinemora program on an X server the way a person does.

The program runs on the display in $DISPLAY (tests/run_with_xvfb.sh gives
each test a private Xvfb). Input goes through xdotool (XTEST, like a real
keyboard and mouse), pictures come from ImageMagick's `import`. There is no
window manager, so the main window sits where the program asks: (100, 100).

Waiting is always by polling with a deadline, never by a fixed sleep.
"""

import ctypes
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
from typing import Callable, List, NamedTuple, Optional, TypeVar

T = TypeVar("T")

WINDOW_TITLE = "Kinemora"
CHOOSER_TITLE = "Save File As?"
EXPORT_CHOOSER_TITLE = "Export glTF As?"
MOTIONS = ("rhumba", "clap", "bend", "seizure", "punchR", "punchL", "cheer")

# Generous: under ctest -j the two cores are shared with builds and other
# tests, and Mesa draws in software.
DEFAULT_TIMEOUT = 30.0


class Rect(NamedTuple):
    x: int
    y: int
    w: int
    h: int

    def point(self, fx: float = 0.5, fy: float = 0.5):
        return (self.x + round(fx * (self.w - 1)), self.y + round(fy * (self.h - 1)))

    def moved(self, dx: int, dy: int) -> "Rect":
        return Rect(self.x + dx, self.y + dy, self.w, self.h)


# Widget places inside the main window.
WIDGETS = {
    #  name          x    y    w    h
    "view":      Rect(10,  40, 690, 550),
    "File":      Rect(0,    0,  40,  30),  # the menu bar's titles
    "Edit":      Rect(44,   0,  40,  30),
    "rhumba":    Rect(720,  40,  80,  30),
    "clap":      Rect(720,  80,  80,  30),
    "bend":      Rect(720, 120,  80,  30),
    "seizure":   Rect(720, 160,  80,  30),
    "punchR":    Rect(720, 200,  80,  30),
    "punchL":    Rect(720, 240,  80,  30),
    "cheer":     Rect(720, 280,  80,  30),
    "clear":     Rect(10,  740,  80,  30),
    "add noise": Rect(100, 740, 100,  30),
    "slider":    Rect(90,  600, 610,  40),
    "Play":      Rect(10,  600,  80,  40),
    "strip":     Rect(125, 640, 575,  40),  # under the slider's track
    "queue":     Rect(100, 690, 600,  40),
    "queue label": Rect(0, 690, 100,  40),  # left of the field
    "window":    Rect(0,     0, 900, 800),
}
# The slider's track: the value slider shows its number in the left 35
# pixels.
SLIDER_TRACK = Rect(125, 600, 575, 40)

# The menus' items, top to bottom.
MENUS = {
    "File": ("Open Composition...", "Save File", "Export glTF...", "Export Video...",
             "Save Composition", "Save Composition As...", "Exit"),
    "Edit": ("Undo", "Redo", "Delete Clip", "Move Clip Earlier", "Move Clip Later",
             "Duplicate Clip", "Insert Before", "Replace With", "Toggle Clip Noise"),
}
# The items that open the file chooser: the key that does the same, and the
# chooser's title.
CHOOSERS = {
    "Save File": ("ctrl+s", CHOOSER_TITLE),
    "Export glTF...": ("ctrl+e", EXPORT_CHOOSER_TITLE),
    "Export Video...": (None, "Export Video As?"),  # the menu only
    "Save Composition": ("ctrl+shift+s", "Save Composition As?"),  # asks only when untitled
    "Save Composition As...": ("", "Save Composition As?"),
    "Open Composition...": ("ctrl+o", "Open Composition?"),
}

# The question before unsaved changes are left, and the keys for each
# answer: Return is Save's, Escape Cancel's, Don't Save is left of Save.
QUESTION_TITLE = "Unsaved Changes"
ANSWER_KEYS = {"Save": ("Return",), "Don't Save": ("shift+Tab", "space"), "Cancel": ("Escape",)}

# Places inside FLTK's file chooser window (490 x 380).
CHOOSER_FILENAME = Rect(115, 311, 365, 23)
CHOOSER_CANCEL = Rect(415, 345, 65, 23)

# The words kinemora-compose takes, and the button each one stands for.
ACTION_BUTTONS = dict({m: m for m in MOTIONS}, noise="add noise", clear="clear")


def wait_until(condition: Callable[[], T], what: str,
               timeout: float = DEFAULT_TIMEOUT, interval: float = 0.05) -> T:
    """Polls `condition` until it returns something true; returns that."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def xdotool(*args: str, timeout: float = DEFAULT_TIMEOUT, check: bool = True) -> str:
    done = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                          timeout=timeout)
    if check and done.returncode != 0:
        raise RuntimeError(f"xdotool {' '.join(map(str, args))}: {done.stderr.strip()}")
    return done.stdout


def visible_windows(name: str = "", pid: Optional[int] = None) -> List[int]:
    """Mapped windows whose title matches the regular expression `name`."""
    args = ["search", "--all", "--onlyvisible"]  # --all: every condition, not any
    if pid is not None:
        args += ["--pid", str(pid)]
    out = xdotool(*args, "--name", name, check=False)  # status 1: none found
    return [int(w) for w in out.split()]


def posix_regex_literal(text: str) -> str:
    """`text` as a POSIX extended regular expression (xdotool's) matching
    itself: Python's re.escape also escapes spaces, which POSIX leaves
    undefined."""
    return re.sub(r"([.^$*+?()\[\]{}|\\])", r"\\\1", text)


def window_rect(window: int) -> Rect:
    """A window's place on the screen (xwininfo: xdotool's own figure is
    wrong for child windows)."""
    info = subprocess.run(["xwininfo", "-id", str(window)], capture_output=True, text=True,
                          timeout=DEFAULT_TIMEOUT, check=True).stdout

    def field(label: str) -> int:
        return int(re.search(rf"{label}:\s+(-?\d+)", info).group(1))

    return Rect(field("Absolute upper-left X"), field("Absolute upper-left Y"),
                field("Width"), field("Height"))


def capture(rect: Rect) -> bytes:
    """The screen's pixels inside `rect`, as raw RGB bytes."""
    return subprocess.run(
        ["import", "-window", "root", "-crop", f"{rect.w}x{rect.h}+{rect.x}+{rect.y}",
         "rgb:-"], capture_output=True, timeout=DEFAULT_TIMEOUT, check=True).stdout


def save_png(rect: Rect, path: str) -> None:
    subprocess.run(["import", "-window", "root", "-crop",
                    f"{rect.w}x{rect.h}+{rect.x}+{rect.y}", "+repage", path],
                   timeout=DEFAULT_TIMEOUT, check=True)


def save_ppm(picture: bytes, width: int, height: int, path: str) -> None:
    """Raw RGB as a binary PPM, which any image viewer reads."""
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (width, height) + picture)


# Mesa's software renderer now and then rounds a colour channel of a few
# pixels the other way when it draws the same scene again (seen: 10 floor
# pixels one level apart, on a busy machine). Pictures whose channels all
# lie this close count as the same; any real change of the scene moves
# edges and differs by far more.
CHANNEL_TOLERANCE = 2


def same_picture(a: bytes, b: bytes) -> bool:
    if a == b:
        return True
    if len(a) != len(b):
        return False
    block = 4096  # only blocks that differ are looked at byte by byte
    for start in range(0, len(a), block):
        x, y = a[start:start + block], b[start:start + block]
        if x != y and any(abs(p - q) > CHANNEL_TOLERANCE for p, q in zip(x, y)):
            return False
    return True


def pixels_differing(a: bytes, b: bytes) -> int:
    """How many pixels differ by more than the tolerance."""
    if len(a) != len(b):
        return max(len(a), len(b)) // 3
    return sum(any(abs(p - q) > CHANNEL_TOLERANCE for p, q in zip(a[i:i + 3], b[i:i + 3]))
               for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])


def is_uniform(picture: bytes) -> bool:
    return picture == picture[:3] * (len(picture) // 3)


def move_pointer(x: int, y: int) -> None:
    # No --sync: it waits for the pointer to move, forever when it is
    # already there. The server handles XTEST input in order anyway.
    xdotool("mousemove", x, y)


def send_close_request(window: int) -> None:
    """What a window manager sends when the user clicks a window's close
    box: a WM_PROTOCOLS client message carrying WM_DELETE_WINDOW."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class XEvent(ctypes.Union):
        _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(XEvent)]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    display = x11.XOpenDisplay(None)
    if not display:
        raise RuntimeError("cannot open the X display")
    try:
        event = XEvent()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = 0  # CurrentTime
        if not x11.XSendEvent(display, window, 0, 0, ctypes.byref(event)):
            raise RuntimeError("XSendEvent failed")
        x11.XFlush(display)
    finally:
        x11.XCloseDisplay(display)


class Kinemora:
    """One run of the desktop program, started in `workdir` (the folder its
    file chooser first shows)."""

    def __init__(self, program: str, workdir: str, env: Optional[dict] = None,
                 log_path: Optional[str] = None, args: tuple = ()):
        self.program = program
        self.args = args
        self.workdir = workdir
        self.env = env
        self.log_path = log_path or os.path.join(workdir, "kinemora.log")
        self.process: Optional[subprocess.Popen] = None
        self.window = 0
        self.origin = (0, 0)

    # --- life cycle -------------------------------------------------------

    def start(self) -> "Kinemora":
        with open(self.log_path, "ab") as log:
            self.process = subprocess.Popen([self.program, *self.args], cwd=self.workdir,
                                            env=self.env, stdin=subprocess.DEVNULL, stdout=log,
                                            stderr=subprocess.STDOUT)
        self.window = wait_until(self._main_window, "the main window to show")
        frame = window_rect(self.window)
        self.origin = (frame.x, frame.y)
        self.wait_for_steady_view()
        return self

    def __enter__(self) -> "Kinemora":
        return self.start()

    def __exit__(self, *exc) -> None:
        self.kill()

    def _main_window(self) -> int:
        if self.process.poll() is not None:
            raise AssertionError(f"kinemora ended with status {self.process.returncode} "
                                 f"before showing its window; log: {self.log()}")
        found = visible_windows(f"^{WINDOW_TITLE}$", pid=self.process.pid)
        return found[0] if found else 0

    def running(self) -> bool:
        return self.process is not None and self.process.poll() is None

    def wait(self, condition: Callable[[], T], what: str,
             timeout: float = DEFAULT_TIMEOUT, interval: float = 0.05) -> T:
        """wait_until, giving up at once when the program has ended."""
        def met_or_ended():
            if not self.running():
                raise AssertionError(f"kinemora ended with status {self.process.returncode} "
                                     f"while waiting for {what}")
            return condition()

        return wait_until(met_or_ended, what, timeout, interval)

    def wait_exit(self, timeout: float = DEFAULT_TIMEOUT) -> int:
        return self.process.wait(timeout=timeout)

    def kill(self) -> None:
        if self.running():
            self.process.kill()
            self.process.wait(timeout=DEFAULT_TIMEOUT)

    def log(self) -> str:
        try:
            with open(self.log_path, errors="replace") as f:
                return f.read()[-4000:]
        except OSError:
            return ""

    # --- where things are -------------------------------------------------

    def rect(self, widget: str) -> Rect:
        return WIDGETS[widget].moved(*self.origin)

    def picture(self, widget: str = "view") -> bytes:
        return capture(self.rect(widget))

    def wait_for_steady_view(self, timeout: float = DEFAULT_TIMEOUT,
                             blank_allowed: bool = False) -> bytes:
        """Waits until the view shows a drawn picture that no longer
        changes from one capture to the next; returns it. A view of one
        colour only counts with `blank_allowed` (a camera turned to the
        sky shows black only; a view not yet drawn, too)."""
        last = [b""]

        def steady():
            now = self.picture()
            same = same_picture(now, last[0]) and (blank_allowed or not is_uniform(now))
            last[0] = now
            return now if same else None

        return self.wait(steady, "the view to show a steady picture", timeout)

    def wait_for_new_picture(self, since: bytes, what: str, widget: str = "view",
                             timeout: float = DEFAULT_TIMEOUT) -> bytes:
        """Waits until `widget` shows something other than `since`;
        returns it."""
        def new_picture():
            now = self.picture(widget)
            return None if same_picture(now, since) else now

        return self.wait(new_picture, what, timeout)

    def wait_for_picture(self, expected: bytes, what: str, widget: str = "view",
                         timeout: float = DEFAULT_TIMEOUT) -> None:
        self.wait(lambda: same_picture(self.picture(widget), expected), what, timeout)

    # --- mouse ------------------------------------------------------------

    def click(self, widget: str, fx: float = 0.5, fy: float = 0.5, button: int = 1) -> None:
        move_pointer(*self.rect(widget).point(fx, fy))
        xdotool("click", button)

    def press(self, *actions: str) -> None:
        """Presses buttons by their kinemora-compose words: motion names,
        "noise" and "clear"."""
        for action in actions:
            self.click(ACTION_BUTTONS[action])

    def drag(self, widget: str, start, end, button: int = 1, steps: int = 12) -> None:
        """Drags with `button` held from `start` to `end`, fractions of the
        widget, through `steps` pointer moves."""
        rect = self.rect(widget)
        move_pointer(*rect.point(*start))
        xdotool("mousedown", button)
        for i in range(1, steps + 1):
            t = i / steps
            move_pointer(*rect.point(start[0] + t * (end[0] - start[0]),
                                     start[1] + t * (end[1] - start[1])))
        xdotool("mouseup", button)

    def right_drag(self, start, end, steps: int = 12) -> None:
        self.drag("view", start, end, button=3, steps=steps)

    def drag_slider(self, start: float, end: float, steps: int = 12) -> None:
        """Drags the timeline's knob between two fractions of its track."""
        track = SLIDER_TRACK.moved(*self.origin)
        y = track.point()[1]
        move_pointer(*track.point(start))
        xdotool("mousedown", 1)
        for i in range(1, steps + 1):
            move_pointer(track.point(start + i / steps * (end - start))[0], y)
        xdotool("mouseup", 1)

    def choose_menu_item(self, item: str) -> None:
        """`item` of the menu that holds it, with the mouse."""
        menu = next(name for name, items in MENUS.items() if item in items)
        items_shown = MENUS[menu]
        before = set(visible_windows())
        self.click(menu)

        def item_list():
            rects = []
            for window in (w for w in visible_windows() if w not in before):
                try:
                    rects.append(window_rect(window))
                except subprocess.CalledProcessError:
                    pass  # gone again in the meantime
            # The title's own box and the item list are both new; the list
            # is the taller one and holds one row per item.
            tall = [r for r in rects if r.h >= 20 * len(items_shown)]
            return tall[0] if tall else None

        items = self.wait(item_list, f"the {menu} menu to open")
        row = items_shown.index(item)
        move_pointer(items.x + items.w // 3,
                     items.y + round((row + 0.5) * items.h / len(items_shown)))
        xdotool("click", 1)

    # --- keyboard ---------------------------------------------------------

    def focus(self) -> None:
        xdotool("windowfocus", "--sync", self.window)

    def key(self, *keys: str) -> None:
        """Key presses to the main window, e.g. "w", "ctrl+s"."""
        self.focus()
        xdotool("key", "--delay", 30, *keys)

    # --- the file chooser -------------------------------------------------

    chooser_title = CHOOSER_TITLE  # of the chooser last opened

    def chooser(self) -> int:
        found = visible_windows(f"^{posix_regex_literal(self.chooser_title)}$",
                                pid=self.process.pid)
        return found[0] if found else 0

    def wait_for_chooser(self) -> int:
        return self.wait(self.chooser, f'the "{self.chooser_title}" window')

    def chooser_rect(self) -> Rect:
        """Where the chooser stands once it has settled: FLTK maps it, then
        moves it under the pointer."""
        window = self.wait_for_chooser()
        last = [None]

        def settled():
            now = window_rect(window)
            same = now == last[0]
            last[0] = now
            return now if same else None

        return self.wait(settled, "the file chooser to settle", interval=0.1)

    def wait_chooser_closed(self) -> None:
        self.wait(lambda: not self.chooser(), f'the "{self.chooser_title}" window to close')

    def open_chooser(self, by: str = "menu", item: str = "Save File",
                     answer: Optional[str] = None) -> int:
        """`answer`: to the question about unsaved changes, if it comes."""
        key, self.chooser_title = CHOOSERS[item]
        if by == "menu":
            self.choose_menu_item(item)
        else:
            self.key(key)
        if answer and self.wait(lambda: self.question() or self.chooser(),
                                "the question or the chooser") == self.question():
            self.answer_question(answer)
        return self.wait_for_chooser()

    def type_file_name(self, name: str) -> None:
        """Types `name` after the folder the chooser shows, as a person
        clicks at the end of the file name field and types, then presses
        Enter. The chooser jumps folders as a typed path crosses a "/" and
        completes names as they are typed, so `name` is relative to the
        folder shown and should not be the start of a name already there."""
        chooser = self.chooser_rect()
        move_pointer(*CHOOSER_FILENAME.moved(chooser.x, chooser.y).point(0.97, 0.5))
        xdotool("click", 1)
        xdotool("key", "End")
        xdotool("type", "--delay", 40, name)
        xdotool("key", "Return")

    def cancel_chooser(self, by: str = "button") -> None:
        chooser = self.chooser_rect()
        if by == "button":
            move_pointer(*CHOOSER_CANCEL.moved(chooser.x, chooser.y).point())
            xdotool("click", 1)
        else:
            xdotool("windowfocus", "--sync", self.chooser())
            xdotool("key", "Escape")
        self.wait_chooser_closed()

    def save_as(self, name: str, by: str = "menu", shown_folder: Optional[str] = None,
                item: str = "Save File") -> str:
        """Saves under `name`, typed after the folder the chooser shows:
        the program's own folder unless told otherwise (the chooser opens
        where the last save went). Returns the path once the file is
        there."""
        path = os.path.normpath(os.path.join(shown_folder or self.workdir, name))
        self.open_chooser(by, item)
        self.type_file_name(name)
        self.wait_chooser_closed()
        self.wait(lambda: os.path.exists(path), f"{path} to be written")
        return path

    def open_composition(self, name: str, by: str = "menu",
                         answer: Optional[str] = None) -> None:
        """File > Open Composition of `name`, typed as save_as types it."""
        self.open_chooser(by, "Open Composition...", answer)
        self.type_file_name(name)
        self.wait_chooser_closed()

    def title(self) -> str:
        return xdotool("getwindowname", self.window).strip()
    def export_as(self, name: str, written: str) -> str:
        """File > Export glTF under `name`, typed after the program's own
        folder. Returns the path of `written`, the name the file gets, once
        it is there."""
        path = os.path.join(self.workdir, written)
        self.open_chooser("menu", "Export glTF...")
        self.type_file_name(name)
        self.wait_chooser_closed()
        self.wait(lambda: os.path.exists(path), f"{path} to be written")
        return path

    # --- other windows ----------------------------------------------------

    def windows(self) -> List[int]:
        """Every mapped window of the program, dialogs and menus included."""
        return visible_windows(pid=self.process.pid)

    def wait_for_new_window(self, before: List[int], what: str) -> int:
        def new_window():
            fresh = [w for w in self.windows() if w not in before]
            return fresh[0] if fresh else 0

        return self.wait(new_window, what)

    def dialog(self) -> int:
        """A message box or question on the screen, 0 when none: a window
        with a class (the view has none) other than the main window."""
        out = xdotool("search", "--all", "--onlyvisible", "--pid", self.process.pid,
                      "--class", "FLTK", check=False)
        found = [int(w) for w in out.split() if int(w) != self.window]
        return found[0] if found else 0

    def question(self) -> int:
        found = visible_windows(f"^{QUESTION_TITLE}$", pid=self.process.pid)
        return found[0] if found else 0

    def answer_question(self, answer: str) -> None:
        """Answers the question about unsaved changes: "Save", "Don't Save"
        or "Cancel"."""
        xdotool("windowfocus", "--sync", self.wait(self.question, "the question"))
        xdotool("key", "--delay", 30, *ANSWER_KEYS[answer])

    # --- ending -----------------------------------------------------------

    def close_window(self) -> None:
        send_close_request(self.window)


def compose(actions: str, path: str) -> bytes:
    """The file kinemora-compose ($KINEMORA_COMPOSE) writes for `actions`."""
    subprocess.run([os.environ["KINEMORA_COMPOSE"], "-o", path, *actions.split()],
                   capture_output=True, timeout=DEFAULT_TIMEOUT, check=True)
    with open(path, "rb") as f:
        return f.read()


def first_difference(a: bytes, b: bytes) -> str:
    lines_a, lines_b = a.splitlines(), b.splitlines()
    for number, (x, y) in enumerate(zip(lines_a, lines_b), 1):
        if x != y:
            return f"line {number}: {x[:80]!r} != {y[:80]!r}"
    return f"{len(lines_a)} lines against {len(lines_b)}"


class ProgramTest(unittest.TestCase):
    """A test that runs the program ($KINEMORA) in a fresh folder of its
    own, which is also where its file chooser opens."""

    def setUp(self):
        self.workdir = tempfile.mkdtemp(prefix="kinemora-e2e-")
        self.addCleanup(shutil.rmtree, self.workdir, ignore_errors=True)

    def start_program(self, *args: str) -> Kinemora:
        program = Kinemora(os.environ["KINEMORA"], self.workdir, args=args)
        self.addCleanup(program.kill)
        return program.start()

    def assertSameFile(self, saved_path: str, expected: bytes, what: str) -> None:
        with open(saved_path, "rb") as f:
            saved = f.read()
        if saved != expected:
            self.fail(f"{what}: the saved file differs from kinemora-compose's: "
                      f"{first_difference(saved, expected)}")

    def assertStaysUnchanged(self, program: Kinemora, picture: bytes, what: str,
                             seconds: float = 1.0, captures: int = 5) -> None:
        """The view shows `picture` in each of several captures spread over
        `seconds`. On failure both pictures stay in the current folder."""
        for _ in range(captures):
            time.sleep(seconds / captures)
            now = program.picture()
            if not same_picture(now, picture):
                view = WIDGETS["view"]
                stem = self.id().rsplit(".", 1)[-1]
                save_ppm(picture, view.w, view.h, f"{stem}-expected.ppm")
                save_ppm(now, view.w, view.h, f"{stem}-actual.ppm")
                self.fail(f"{what}: the view changed ({pixels_differing(now, picture)} pixels; "
                          f"see {stem}-expected.ppm and {stem}-actual.ppm)")
