"""The game's window under Xvfb, seen from outside: finding it, where its 640 x 480 picture sits,
the pointer and keys through xdotool, a look at a pixel, message boxes, the keyboard focus."""
import math
import re
import subprocess

GAME_W, GAME_H = 640, 480


def run(*args, timeout=10):
    """Runs a command quietly; its output, or None when it failed or hung."""
    try:
        p = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None
    return p.stdout if p.returncode == 0 else None


def latest_window():
    """The newest window named Quandel: SDL may replace its first one while it sets up drawing."""
    out = run("xdotool", "search", "--name", "^Quandel$")
    ids = out.split() if out else []
    return ids[-1].decode() if ids else None


def root_window():
    out = run("xwininfo", "-root") or b""
    m = re.search(rb"Window id: (0x[0-9a-f]+)", out)
    return m.group(1).decode() if m else None


def message_boxes():
    """SDL's message boxes: xdotool cannot find them by name (their name is UTF8_STRING)."""
    out = run("xwininfo", "-root", "-tree") or b""
    return [line.split()[0].decode() for line in out.splitlines() if b'"Quandel message"' in line]


def view_rect(w, h):
    """Where the game puts its picture in a w x h window: centred, aspect kept, a whole scale when
    one fits and gives at least 80 % of the largest size, else the largest size that fits."""
    if w <= 0 or h <= 0:
        return 0, 0, 0, 0
    fit = min(w / GAME_W, h / GAME_H)
    whole = math.floor(fit)
    if whole >= 1 and whole >= 0.8 * fit:
        vw, vh = GAME_W * whole, GAME_H * whole
    else:
        vw = min(max(round(GAME_W * fit), 1), w)
        vh = min(max(round(GAME_H * fit), 1), h)
    return (w - vw) // 2, (h - vh) // 2, vw, vh


class Window:
    """One game window; positions are given in game pixels and placed through the current view."""

    def __init__(self, wid):
        self.wid = wid
        self.size = (GAME_W, GAME_H)
        self.refresh()

    def refresh(self):
        out = run("xdotool", "getwindowgeometry", self.wid) or b""
        m = re.search(rb"Geometry: (\d+)x(\d+)", out)
        if m:
            self.size = (int(m.group(1)), int(m.group(2)))

    def to_window(self, gx, gy):
        vx, vy, vw, vh = view_rect(*self.size)
        return vx + int((gx + 0.5) * vw / GAME_W), vy + int((gy + 0.5) * vh / GAME_H)

    def xdo(self, *args):
        return run("xdotool", *args) is not None

    def move(self, gx, gy):
        wx, wy = self.to_window(gx, gy)
        return self.xdo("mousemove", "--window", self.wid, str(wx), str(wy))

    def move_off(self, sx, sy):
        """The pointer to a place on the screen, in or out of the window."""
        return self.xdo("mousemove", str(sx), str(sy))

    def click(self, gx, gy, button=1, modifiers=()):
        wx, wy = self.to_window(gx, gy)
        args = ["mousemove", "--window", self.wid, str(wx), str(wy)]
        for m in modifiers:
            args += ["keydown", m]
        args += ["click", str(button)]
        for m in modifiers:
            args += ["keyup", m]
        return self.xdo(*args)

    def key(self, *names):
        return self.xdo("key", "--window", self.wid, *names)

    def key_down(self, name):
        return self.xdo("keydown", "--window", self.wid, name)

    def key_up(self, name):
        return self.xdo("keyup", "--window", self.wid, name)

    def resize(self, w, h):
        ok = self.xdo("windowsize", "--sync", self.wid, str(w), str(h))
        self.refresh()
        return ok

    def place(self, x, y):
        return self.xdo("windowmove", "--sync", self.wid, str(x), str(y))

    def focus(self, wid=None):
        return self.xdo("windowfocus", "--sync", wid or self.wid)

    def title_shown(self):
        """The title screen is up when one frame-skip entry is underlined in grey 220."""
        w, h = self.size
        raw = run("import", "-window", self.wid, "-depth", "8", "rgb:-", timeout=5)
        if not raw or len(raw) != w * h * 3:
            return False
        # Every window row showing game rows 272 to 275: a picture drawn smaller skips rows.
        for v in range(5):
            wx, top = self.to_window(360 + 55 * v + 25, 272)
            bottom = self.to_window(0, 275)[1]
            for wy in range(max(top, 0), min(bottom + 1, h)):
                i = (wy * w + wx) * 3
                if 0 <= wx < w and raw[i:i + 3] == b"\xdc\xdc\xdc":
                    return True
        return False
