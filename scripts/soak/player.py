"""A random player: on the title it hovers, changes settings, opens the help page and starts a play
or the stored replay; in a play it moves, clicks in and out of the field, turns the wheel, pauses,
loses the focus and leaves by QUIT or plays to the end; watching a replay it presses every key the
replay knows, holding Left too; anywhere it toggles fullscreen, resizes and moves the window.
Every choice comes from the session's seeded generator."""
import os
import time

from xwin import root_window, run

SCREEN_W, SCREEN_H = 1280, 1024
QUIT_BUTTON = (520, 470)
START, REPLAY = (230, 315), (230, 392)
PAUSE_KEYS = ["space", "Escape", "p"]
WATCH_KEYS = ["space", "Right", "Up", "Down", "plus", "KP_Add", "equal", "minus", "KP_Subtract",
              "Prior", "Next", "Home"]


class Player:
    def __init__(self, session):
        self.s = session
        self.rng = session.rng
        self.root = root_window()

    @property
    def win(self):
        return self.s.win

    def done(self):
        return self.s.time_left() <= 0

    def count(self, what, n=1):
        self.s.counts["action " + what] += n

    def wait(self, lo, hi):
        time.sleep(self.rng.uniform(lo, hi))
        self.s.tick()

    def play_until_done(self):
        while not self.done():
            self.title_episode()

    # --- anywhere

    def window_action(self):
        what = self.rng.choice(["F11", "resize", "resize", "move"])
        if what == "F11":
            self.win.key("F11")
            time.sleep(0.5)
            self.win.refresh()
        elif what == "resize":
            self.win.resize(self.rng.randint(320, SCREEN_W), self.rng.randint(240, SCREEN_H))
        else:
            w, h = self.win.size
            self.win.place(self.rng.randint(0, max(0, SCREEN_W - w)), self.rng.randint(0, max(0, SCREEN_H - h)))
        self.count(what)

    def lose_focus(self, then=None):
        """Gives the keyboard focus to the root window for a while, then back."""
        self.win.focus(self.root)
        if then:
            then()
        self.wait(0.2, 1.5)
        self.win.focus()
        self.count("focus loss")

    def at_title(self, tries=3):
        """True once the title screen shows; looks `tries` times a second apart."""
        for _ in range(tries):
            self.win.refresh()
            if self.win.title_shown():
                return True
            self.wait(0.8, 1.0)
        return False

    def back_to_title(self):
        """From a play (paused or not), a replay or the help page: Esc, then QUIT after the count-in."""
        for _ in range(4):
            if self.at_title(1):
                return
            self.win.key("Escape")
            self.wait(1.2, 1.4)
            self.win.click(*QUIT_BUTTON)
            self.wait(0.5, 0.7)
        self.s.counts["title not seen after recovery"] += 1

    # --- the title

    def title_episode(self):
        self.back_to_title()
        for _ in range(self.rng.randint(2, 8)):
            if self.done():
                return
            self.title_action()
            self.wait(0.05, 0.5)
        if os.path.exists(os.path.join(self.s.data, "replay.dat")) and self.rng.random() < 0.5:
            self.win.click(*REPLAY)
            self.count("title REPLAY")
            self.s.counts["replays watched"] += 1
            self.watch_episode()
        else:
            self.win.click(*START)
            self.count("title START")
            # A click the title did not take (a resize under way, say) starts nothing.
            self.wait(1.5, 1.6)
            if self.at_title(1):
                self.s.counts["START clicks that started nothing"] += 1
                return
            self.s.counts["plays started"] += 1
            self.play_episode()

    def title_action(self):
        r = self.rng.random()
        if r < 0.25:
            self.win.move(*self.rng.choice([START, REPLAY, (385, 265), (495, 325), (495, 385), (100, 100)]))
            self.count("move")
        elif r < 0.45:
            self.win.click(360 + 55 * self.rng.randrange(5) + 25, 265)
            self.count("title FRAME SKIP")
        elif r < 0.55:
            self.win.click(470 + 110 * self.rng.randrange(2) + 25, 325)
            self.count("title MUSIC")
        elif r < 0.65:
            self.win.click(470 + 55 * self.rng.randrange(3) + 25, 385)
            self.count("title SOUND")
        elif r < 0.80:
            self.win.key(self.rng.choice(["F1", "h"]))
            self.count("help page")
            self.wait(0.3, 2.0)
            if self.rng.random() < 0.5:
                self.win.key(self.rng.choice(["space", "x", "Return", "F1", "Escape"]))
                self.count("key")
            else:
                self.win.click(self.rng.randrange(640), self.rng.randrange(480), self.rng.choice([1, 3]))
                self.count("click")
        elif r < 0.88:
            self.win.click(self.rng.randrange(640), self.rng.randrange(480), self.rng.choice([4, 5]))
            self.count("wheel")
        else:
            self.window_action()

    # --- a play

    def play_episode(self):
        # About half the plays are left by QUIT, the rest run until their time is up.
        quit_at = time.monotonic() + self.rng.uniform(5, 100) if self.rng.random() < 0.5 else None
        give_up = time.monotonic() + 300
        next_look = time.monotonic() + 4
        while not self.done():
            self.play_action()
            self.wait(0.02, 0.35)
            now = time.monotonic()
            if quit_at and now >= quit_at:
                self.win.click(*QUIT_BUTTON)
                self.count("QUIT")
                return
            if now >= next_look:
                next_look = now + 4
                if self.at_title(1):
                    self.s.counts["plays seen to their end"] += 1  # or left by a stray QUIT-area click
                    return
            if now >= give_up:
                return

    def play_action(self):
        r = self.rng.random()
        rng = self.rng
        if r < 0.30:
            # Mostly in the column, sometimes high up where it scrolls faster, sometimes elsewhere.
            y = rng.choice([rng.randrange(0, 100), rng.randrange(480)])
            self.win.move(rng.choice([rng.randrange(120, 340), rng.randrange(640)]), y)
            self.count("move")
        elif r < 0.34:
            self.win.move_off(rng.randrange(SCREEN_W), rng.randrange(SCREEN_H))
            self.count("move anywhere")
        elif r < 0.58:
            x = rng.choice([rng.randrange(120, 340), rng.randrange(640)])
            mods = rng.choice([(), (), (), ("shift",), ("ctrl",)])
            self.win.click(x, rng.randrange(480), rng.choice([1, 1, 3, 2]), mods)
            self.count("click")
        elif r < 0.72:
            button = rng.choice([4, 5])
            self.win.click(rng.randrange(640), rng.randrange(480), button)
            self.count("wheel " + ("away" if button == 4 else "towards"))
        elif r < 0.82:
            self.win.key(rng.choice(PAUSE_KEYS))
            self.count("pause")
            for _ in range(rng.randint(0, 3)):
                self.win.click(rng.randrange(640), rng.randrange(480), rng.choice([1, 3]))
                self.count("click while paused")
            self.wait(0.2, 2.5)
            self.win.key(rng.choice(PAUSE_KEYS))
            self.count("go on")
        elif r < 0.88:
            self.lose_focus()
            self.win.key(rng.choice(PAUSE_KEYS))
            self.count("go on")
        elif r < 0.93:
            self.win.key(rng.choice(["F1", "h", "Up", "a"]))
            self.count("key")
        else:
            self.window_action()

    # --- watching a replay

    def watch_episode(self):
        end = time.monotonic() + self.rng.uniform(8, 60)
        next_look = time.monotonic() + 4
        while not self.done() and time.monotonic() < end:
            self.watch_action()
            self.wait(0.05, 0.6)
            if time.monotonic() >= next_look:
                next_look = time.monotonic() + 4
                if self.at_title(1):
                    self.s.counts["replays seen to their end"] += 1
                    return
        self.win.key("Escape")
        self.count("Esc")

    def watch_action(self):
        r = self.rng.random()
        if r < 0.60:
            self.win.key(self.rng.choice(WATCH_KEYS))
            self.count("replay key")
        elif r < 0.72:
            self.win.key("Left")
            self.count("Left tapped")
        elif r < 0.85:
            # Held Left plays backwards until let go; a lost focus lets go too.
            self.win.key_down("Left")
            if self.rng.random() < 0.25:
                self.lose_focus(then=lambda: run("xdotool", "keyup", "Left"))
            else:
                self.wait(0.2, 2.5)
                self.win.key_up("Left")
            self.count("Left held")
        elif r < 0.93:
            self.win.click(self.rng.randrange(640), self.rng.randrange(480), self.rng.choice([1, 3, 4, 5]))
            self.count("click")
        else:
            self.window_action()
