#!/usr/bin/env python3
"""One soak run: the real game in a temporary data folder under an X server, driven by random
player input for a number of minutes, restarted whenever a close ends it, its resident memory
sampled every 30 s; then every file it kept is checked. Exit status 1 on any failure.
  driver.py --build DIR --minutes M --seed S [--sanitizer-logs DIR]   (under xvfb-run)"""
import argparse
import collections
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # nothing left in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import check_files, rss_slope  # noqa: E402
from player import Player  # noqa: E402
from xwin import Window, latest_window, message_boxes, run  # noqa: E402

SAMPLE_EVERY = 30
WARMUP = 60


class Failure(Exception):
    pass


class Session:
    """The game process of the moment and everything counted over the run."""

    def __init__(self, args, data, env):
        self.args, self.data, self.env = args, data, env
        self.rng = random.Random(args.seed)
        self.seconds = args.minutes * 60
        self.t0 = time.monotonic()
        self.counts = collections.Counter()
        self.samples = []
        self.next_sample = 0.0
        self.next_box_look = 0.0
        self.proc = None
        self.index = 0
        self.log = os.path.join(os.path.dirname(data), "game-output.txt")
        self.xdelete = os.path.join(args.build, "xdelete")

    def now(self):
        return time.monotonic() - self.t0

    def time_left(self):
        return self.seconds - self.now()

    def start(self):
        with open(self.log, "ab") as log:
            self.proc = subprocess.Popen([os.path.join(self.args.build, "quandel")], cwd=self.data, env=self.env,
                                         stdout=log, stderr=log, start_new_session=True)
        self.index += 1
        self.born = self.now()
        # Each game lives a while before a close ends it: long enough for the memory curve to
        # mean something past its first minute, short enough for a restart or two in any run.
        self.life = self.rng.uniform(max(95, self.seconds / 4), max(110, self.seconds / 2))
        end = time.monotonic() + 20
        wid = None
        while time.monotonic() < end and not wid:
            self.alive()
            time.sleep(0.1)
            wid = latest_window()
        if not wid:
            raise Failure("no game window within 20 s of the start")
        self.win = Window(wid)

    def alive(self):
        rc = self.proc.poll()
        if rc is not None:
            raise Failure(f"the game ended by itself with status {rc}")
        self.reports()

    def reports(self):
        logs = self.args.sanitizer_logs
        if logs and os.listdir(logs):
            text = "".join(open(os.path.join(logs, f), errors="replace").read() for f in sorted(os.listdir(logs)))
            raise Failure("sanitizer report:\n" + text)

    def rss_kb(self):
        try:
            with open(f"/proc/{self.proc.pid}/status") as f:
                for line in f:
                    if line.startswith("VmRSS:"):
                        return int(line.split()[1])
        except OSError:
            pass
        return None

    def sample(self):
        kb = self.rss_kb()
        if kb is not None:
            self.samples.append({"t": self.now(), "proc": self.index, "age": self.now() - self.born, "kb": kb})

    def tick(self):
        """Between two actions: is the game still there, memory, message boxes, a due restart."""
        self.alive()
        if self.now() >= self.next_sample:
            self.sample()
            self.next_sample += SAMPLE_EVERY
        if self.now() >= self.next_box_look:
            self.next_box_look = self.now() + 2
            for box in message_boxes():
                run("xdotool", "key", "--window", box, "Return")
                self.counts["message boxes dismissed"] += 1
        if self.now() - self.born >= self.life and self.time_left() > 5:
            self.sample()  # the game's last figure
            self.close(self.rng.choice(["close", "close", "SIGTERM"]))
            self.counts["restarts"] += 1
            self.start()

    def close(self, how):
        """Ends the game as a window manager's close button or a termination does: it must save
        and exit 0 within 20 s (a sanitized game checks for leaks on the way out)."""
        for box in message_boxes():
            run("xdotool", "key", "--window", box, "Return")
        if how == "close":
            run(self.xdelete, self.win.wid)
        else:
            self.proc.send_signal(signal.SIGTERM)
        try:
            rc = self.proc.wait(timeout=20)
        except subprocess.TimeoutExpired:
            raise Failure(f"the game did not exit within 20 s of a {how}")
        finally:
            self.kill_group()
        self.counts[f"ended by {how}"] += 1
        if rc != 0:
            raise Failure(f"exit status {rc} after a {how}")
        self.reports()

    def kill_group(self):
        # A message box lives in a child process of its own: the whole group goes.
        try:
            os.killpg(self.proc.pid, signal.SIGKILL)
        except OSError:
            pass


def report_rss(s):
    mb = lambda kb: f"{kb / 1024:.1f} MB"  # noqa: E731
    if not s.samples:
        print("  RSS: no samples")
        return
    where = lambda x: f"{mb(x['kb'])} ({x['t']:.0f} s in, game {x['proc']} at {x['age']:.0f} s)"  # noqa: E731
    middle = min(s.samples, key=lambda x: abs(x["t"] - s.seconds / 2))
    print(f"  RSS at start {where(s.samples[0])}, middle {where(middle)}, end {where(s.samples[-1])}")
    slope, used, procs = rss_slope(s.samples, WARMUP)
    if slope is None:
        print(f"  RSS slope after the first minute: not measurable ({used} samples past a game's first minute)")
    else:
        print(f"  RSS slope after the first minute: {slope * 600 / 1024:+.2f} MB per 10 minutes "
              f"(least squares over {used} samples of {procs} game(s))")
    print("  RSS samples (s, game, MB): " + " ".join(f"{x['t']:.0f}/{x['proc']}/{x['kb'] / 1024:.1f}" for x in s.samples))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", required=True)
    ap.add_argument("--minutes", type=int, required=True)
    ap.add_argument("--seed", type=int, required=True)
    ap.add_argument("--sanitizer-logs")
    ap.add_argument("--preload", help="LD_PRELOAD for the game and quandel-replay only")
    args = ap.parse_args()
    args.build = os.path.abspath(args.build)
    work = tempfile.mkdtemp(prefix="quandel-soak-")
    data = os.path.join(work, "data")
    os.mkdir(data)
    for sub in ("img", "snd"):
        os.symlink(os.path.join(args.build, "game", sub), os.path.join(data, sub))
    env = dict(os.environ, SDL_AUDIODRIVER="dummy")
    if args.preload:
        env["LD_PRELOAD"] = args.preload
    s = Session(args, data, env)
    failures = []
    try:
        s.start()
        Player(s).play_until_done()
        if not s.samples or s.now() - s.samples[-1]["t"] > 5:
            s.sample()
        s.close("close")
        failures, notes = check_files(data, os.path.join(args.build, "quandel-replay"), env)
        s.reports()
    except Failure as e:
        failures = [str(e)]
        notes = []
    finally:
        if s.proc and s.proc.poll() is None:
            s.kill_group()
    c = s.counts
    actions = sum(v for k, v in c.items() if k.startswith("action "))
    print(f"  actions {actions}: " + ", ".join(f"{k[7:]} {v}" for k, v in sorted(c.items()) if k.startswith("action ")))
    print("  " + ", ".join(f"{k} {v}" for k, v in sorted(c.items()) if not k.startswith("action ")))
    print(f"  games started {s.index}, restarts {c['restarts']}")
    report_rss(s)
    for n in notes:
        print("  " + n)
    said = open(s.log, errors="replace").read().strip() if os.path.exists(s.log) else ""
    if said:
        print("  the game said:\n    " + said[-2000:].replace("\n", "\n    "))
    if failures:
        for f in failures:
            print("  FAIL: " + f)
        print(f"  the data folder and the game's output are kept in {work}")
        return 1
    shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
