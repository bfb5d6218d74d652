"""Runs the real program under its own Xvfb display, drives it and looks at it.

Only the standard library: screenshots come from xwd through ImageMagick as PPM,
input from xdotool, the close request from a WM_DELETE_WINDOW client message sent
through libX11 with ctypes, and the sound from an ALSA configuration that writes the
program's output to a file.
"""

import array
import contextlib
import ctypes
import ctypes.util
import os
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
ALSA_CAPTURE_CONF = HERE.parent / "music" / "alsa-capture.conf"


class Picture:
    """An RGB picture: width, height and rows of bytes."""

    def __init__(self, width, height, data):
        self.width = width
        self.height = height
        self.data = data

    @staticmethod
    def from_ppm(raw):
        # P6: magic, width, height, maximum, each after whitespace or # comments
        fields = []
        i = 0
        while len(fields) < 4:
            while raw[i:i + 1].isspace():
                i += 1
            if raw[i:i + 1] == b"#":
                i = raw.index(b"\n", i) + 1
                continue
            start = i
            while not raw[i:i + 1].isspace():
                i += 1
            fields.append(raw[start:i])
        if fields[0] != b"P6":
            raise ValueError("not a PPM picture")
        width, height, maximum = int(fields[1]), int(fields[2]), int(fields[3])
        if maximum != 255:
            raise ValueError("PPM with more than 8 bits a channel")
        data = raw[i + 1:i + 1 + width * height * 3]
        return Picture(width, height, data)

    @staticmethod
    def load(path):
        raw = subprocess.run(["convert", str(path), "-depth", "8", "ppm:-"],
                             check=True, capture_output=True).stdout
        return Picture.from_ppm(raw)

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def region(self, x, y, w, h):
        rows = []
        for row in range(y, y + h):
            start = (row * self.width + x) * 3
            rows.append(self.data[start:start + w * 3])
        return b"".join(rows)

    def mean_brightness(self, x=0, y=0, w=None, h=None):
        w = self.width if w is None else w
        h = self.height if h is None else h
        data = self.region(x, y, w, h)
        return sum(data) / max(1, len(data))

    def differing_fraction(self, other, x=0, y=0, w=None, h=None, tolerance=8):
        """How much of a region differs from the same region of another picture."""
        w = self.width if w is None else w
        h = self.height if h is None else h
        a = self.region(x, y, w, h)
        b = other.region(x, y, w, h)
        differing = 0
        for i in range(0, len(a), 3):
            if (abs(a[i] - b[i]) > tolerance or abs(a[i + 1] - b[i + 1]) > tolerance
                    or abs(a[i + 2] - b[i + 2]) > tolerance):
                differing += 1
        return differing / max(1, len(a) // 3)

    def columns_differing(self, other, y, h, tolerance=8):
        """The columns in a band of rows where this picture differs from another."""
        columns = []
        for x in range(self.width):
            for row in range(y, y + h):
                p, q = self.pixel(x, row), other.pixel(x, row)
                if max(abs(p[0] - q[0]), abs(p[1] - q[1]), abs(p[2] - q[2])) > tolerance:
                    columns.append(x)
                    break
        return columns

    def yellow_mask(self, x, y, w, h):
        """Which pixels of a region are the text yellow, as bytes of 0 and 1."""
        mask = bytearray()
        for row in range(y, y + h):
            for col in range(x, x + w):
                r, g, b = self.pixel(col, row)
                mask.append(1 if r > 240 and g > 240 and b < 30 else 0)
        return bytes(mask)

    def save_png(self, path):
        header = b"P6 %d %d 255\n" % (self.width, self.height)
        subprocess.run(["convert", "ppm:-", str(path)], input=header + self.data, check=True)


class XDisplay:
    """A private Xvfb display, always stopped again."""

    def __init__(self):
        self.number = None
        self.process = None

    def __enter__(self):
        # the server picks a free display itself and says which on a pipe
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            # -noreset: by default the server resets when its last client leaves, and drops
            # the connections that arrive meanwhile, such as the next program's
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "640x480x24", "-nolisten",
             "tcp", "-noreset"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as announced:
            number = announced.readline().strip()
        if not number:
            self.__exit__(None, None, None)
            raise RuntimeError("Xvfb did not start")
        self.number = int(number)
        self.name = f":{number}"
        deadline = time.time() + 10
        while time.time() < deadline:
            if subprocess.run(["xdpyinfo", "-display", self.name],
                              capture_output=True).returncode == 0:
                return self
            time.sleep(0.05)
        self.__exit__(None, None, None)
        raise RuntimeError("Xvfb did not answer")

    def __exit__(self, *exc):
        if self.process:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
        return False


class X11:
    """The little of libX11 needed to ask a window to close like a window manager does."""

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class Event(ctypes.Union):
        pass

    Event._fields_ = [("client", ClientMessage), ("pad", ctypes.c_long * 24)]

    def __init__(self, display_name):
        self.lib = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.lib.XOpenDisplay.restype = ctypes.c_void_p
        self.lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.lib.XInternAtom.restype = ctypes.c_ulong
        self.lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        self.lib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                        ctypes.c_long, ctypes.c_void_p]
        self.lib.XFlush.argtypes = [ctypes.c_void_p]
        self.lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        # Xlib's default error handler ends the process; a window that went away is no reason
        handler_type = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
        self.error_handler = handler_type(lambda display, event: 0)
        self.lib.XSetErrorHandler.argtypes = [handler_type]
        self.lib.XSetErrorHandler.restype = ctypes.c_void_p
        self.lib.XSetErrorHandler(self.error_handler)
        self.display = self.lib.XOpenDisplay(display_name.encode())
        if not self.display:
            raise RuntimeError("cannot open the X display")

    def request_close(self, window):
        protocols = self.lib.XInternAtom(self.display, b"WM_PROTOCOLS", False)
        delete = self.lib.XInternAtom(self.display, b"WM_DELETE_WINDOW", False)
        event = X11.Event()
        event.client.type = 33  # ClientMessage
        event.client.window = window
        event.client.message_type = protocols
        event.client.format = 32
        event.client.data[0] = delete
        event.client.data[1] = 0  # CurrentTime
        self.lib.XSendEvent(self.display, window, False, 0, ctypes.byref(event))
        self.lib.XFlush(self.display)

    def close(self):
        self.lib.XCloseDisplay(self.display)


class Sound:
    """Catches the program's sound in a file, in real time, with no sound card."""

    def __init__(self, folder):
        self.path = Path(folder) / "sound.raw"
        self.path.touch()

    def environment(self):
        if not ALSA_CAPTURE_CONF.exists():
            return {}
        return {"ALSA_CONFIG_PATH": str(ALSA_CAPTURE_CONF), "KIUAS_SOUND_FILE": str(self.path)}

    def available(self):
        return ALSA_CAPTURE_CONF.exists()

    def size(self):
        return self.path.stat().st_size

    def rms_since(self, offset):
        """RMS of the 16-bit samples written after an offset in bytes, 0..1."""
        with open(self.path, "rb") as f:
            f.seek(offset - offset % 4)
            samples = array.array("h", f.read())
        if not samples:
            return 0.0
        return (sum(s * s for s in samples) / len(samples)) ** 0.5 / 32768.0


class Kiuas:
    """The real program, run from a folder of its own that holds its data."""

    def __init__(self, build, display, missing=()):
        self.build = Path(build).resolve()
        self.display = display
        self.folder = Path(tempfile.mkdtemp(prefix="kiuas-e2e-"))
        shutil.copy2(self.build / "kiuas", self.folder / "kiuas")
        shutil.copytree(self.build / "grafiikka", self.folder / "grafiikka")
        shutil.copytree(self.build / "musat", self.folder / "musat")
        for name in missing:
            (self.folder / name).unlink()
        self.sound = Sound(self.folder)
        self.process = None
        self.window = None
        self.x11 = None
        self.stderr = None

    # --- life
    def start(self):
        env = dict(os.environ, DISPLAY=self.display.name)
        env.update(self.sound.environment())
        self.stderr = open(self.folder / "stderr.txt", "wb")
        self.process = subprocess.Popen([str(self.folder / "kiuas")], cwd=self.folder,
                                        env=env, stdout=subprocess.DEVNULL, stderr=self.stderr)
        self.started_at = time.time()
        return self

    def find_window(self, name="^Kiuas$", timeout=5.0):
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = self.xdotool("search", "--name", name, check=False)
            if found.strip():
                return int(found.split()[0])
            if self.process.poll() is not None:
                return None
            time.sleep(0.02)
        return None

    def wait_window(self, timeout=5.0):
        self.window = self.find_window(timeout=timeout)
        if self.window is None:
            raise AssertionError(f"the program's window did not appear (exit code "
                                 f"{self.process.poll()}, stderr: {self.stderr_text()!r})")
        return self.window

    def wait_exit(self, timeout=10.0):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait()
        if self.x11:
            self.x11.close()
        if self.stderr:
            self.stderr.close()

    def stderr_text(self):
        self.stderr.flush()
        return (self.folder / "stderr.txt").read_text(errors="replace")

    def cleanup(self):
        shutil.rmtree(self.folder, ignore_errors=True)

    # --- input
    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], capture_output=True, text=True,
                                env=dict(os.environ, DISPLAY=self.display.name))
        if check and result.returncode != 0:
            raise RuntimeError(f"xdotool {' '.join(args)}: {result.stderr.strip()}")
        return result.stdout

    def move_mouse(self, x, y):
        # the display is exactly the game's 640x480, so screen and game coordinates agree
        self.xdotool("mousemove", str(x), str(y))

    def click(self, x, y, button=1, hold=0.15):
        self.move_mouse(x, y)
        time.sleep(0.1)
        self.xdotool("mousedown", str(button))
        time.sleep(hold)
        self.xdotool("mouseup", str(button))

    def key_down(self, name):
        self.xdotool("keydown", name)

    def key_up(self, name):
        self.xdotool("keyup", name)

    def press(self, name, hold=0.15):
        self.key_down(name)
        time.sleep(hold)
        self.key_up(name)

    def request_close(self):
        if self.x11 is None:
            self.x11 = X11(self.display.name)
        # the window is made anew when the display mode is set: ask the one there now
        self.window = self.find_window() or self.window
        self.x11.request_close(self.window)

    # --- output
    def screenshot(self):
        xwd = subprocess.run(["xwd", "-silent", "-display", self.display.name, "-root"],
                             capture_output=True, check=True).stdout
        ppm = subprocess.run(["convert", "xwd:-", "-depth", "8", "ppm:-"], input=xwd,
                             capture_output=True, check=True).stdout
        return Picture.from_ppm(ppm)

    def picture(self, name):
        return Picture.load(self.folder / "grafiikka" / name)

    def write_best_score_file(self, content):
        (self.folder / "lista.dat").write_bytes(content)

    def best_score_file(self):
        path = self.folder / "lista.dat"
        return path.read_bytes() if path.exists() else None


def checksum(score):
    """The best-score file's checksum, in wrapping 32-bit arithmetic."""
    m = 0xFFFFFFFF
    x = score & m
    a = (x * 8576938) & m
    a ^= 9582468
    a = (a + 9199191) & m
    a ^= x
    a = (a * 1478821731) & m
    result = (x * 78324579 - a + 2095187226) & m
    return result - (1 << 32) if result & 0x80000000 else result


def best_score_bytes(score, check=None):
    return b"%d\r\n%d" % (score, checksum(score) if check is None else check)


def wait_until(predicate, timeout, step=0.05):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(step)
    return predicate()


@contextlib.contextmanager
def running(build, display, **kwargs):
    game = Kiuas(build, display, **kwargs)
    try:
        yield game
    finally:
        game.stop()
        if os.environ.get("KIUAS_E2E_KEEP"):
            print(f"  kept {game.folder}")
        else:
            game.cleanup()
