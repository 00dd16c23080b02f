"""What a soak run is judged by: the slope of the game's resident memory, and the files it kept."""
import os
import re
import subprocess

# YYYY-MM-DD_HH-MM-SS_SSSSSS.qreplay, a second play in the same second with -2, -3, ...
ARCHIVE_NAME = re.compile(r"^\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d_(\d{6})(-\d+)?\.qreplay$")
MAX_STORED_SCORE = 999999


def rss_slope(samples, warmup):
    """Least-squares slope of RSS over time, in kB per second, each process with an intercept of
    its own (a restarted game starts low again), using only samples taken at least `warmup`
    seconds into their process. Returns (slope or None, samples used, processes used)."""
    groups = {}
    for s in samples:
        if s["age"] >= warmup:
            groups.setdefault(s["proc"], []).append(s)
    sxy = sxx = 0.0
    used = procs = 0
    for g in groups.values():
        if len(g) < 2:
            continue
        mt = sum(s["t"] for s in g) / len(g)
        mr = sum(s["kb"] for s in g) / len(g)
        sxy += sum((s["t"] - mt) * (s["kb"] - mr) for s in g)
        sxx += sum((s["t"] - mt) ** 2 for s in g)
        used += len(g)
        procs += 1
    return (sxy / sxx if sxx > 0 else None), used, procs


def decode_digits(text, n):
    """A number of the scrambled score file: n digits, each stored twice in two codes; 0 when damaged."""
    if len(text) < 2 * n:
        return 0
    value = 0
    for i in range(n):
        a, b = text[i], text[n + i]
        if not (40 <= a <= 89 and 40 <= b <= 89) or (a - 40) % 10 != (b - 40) // 5:
            return 0
        value = value * 10 + (a - 40) % 10
    return value


def replay_score(tool, path, env):
    """The score quandel-replay reaches in a replay file, or an error text."""
    try:
        p = subprocess.run([tool, path], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, env=env, timeout=600)
    except subprocess.TimeoutExpired:
        return None, "quandel-replay did not finish within 10 minutes"
    out = p.stdout.decode(errors="replace").strip()
    m = re.fullmatch(r"score=(-?\d+) stage=\d+ frames=\d+", out)
    if p.returncode != 0 or not m:
        return None, f"quandel-replay exit {p.returncode}: {out[-300:]}"
    return int(m.group(1)), None


def check_files(data, tool, env):
    """Checks every file the game kept in `data`; returns (failures, notes)."""
    failures, notes = [], []
    folder = os.path.join(data, "replays")
    names = sorted(os.listdir(folder)) if os.path.isdir(folder) else []
    scores = []
    for name in names:
        m = ARCHIVE_NAME.match(name)
        if not m:
            failures.append(f"replays/{name}: not a kept replay's name (a save's leftover?)")
            continue
        score, error = replay_score(tool, os.path.join(folder, name), env)
        if error:
            failures.append(f"replays/{name}: {error}")
        elif min(score, MAX_STORED_SCORE) != int(m.group(1)):
            failures.append(f"replays/{name}: replays to score {score}, not the {int(m.group(1))} in its name")
        else:
            scores.append(score)
    notes.append(f"{len(scores)} of {len(names)} kept replays replay to the score in their name")

    dat = os.path.join(data, "replay.dat")
    dat_score = None
    if os.path.exists(dat):
        dat_score, error = replay_score(tool, dat, env)
        if error:
            failures.append(f"replay.dat: {error}")
        else:
            notes.append(f"replay.dat replays to score {dat_score}")
    elif names:
        failures.append("replay.dat: missing although plays were kept in replays/")

    hsc = os.path.join(data, "scr.hsc")
    if not os.path.exists(hsc):
        failures.append("scr.hsc: missing")
        return failures, notes
    raw = open(hsc, "rb").read()
    if len(raw) != 56:
        failures.append(f"scr.hsc: {len(raw)} bytes, not 56")
        return failures, notes
    settings = [decode_digits(raw[2 * i:2 * i + 2], 1) for i in range(4)]
    best = [decode_digits(raw[8 + 16 * i:20 + 16 * i], 6) for i in range(3)]
    limits = {"auto frame skip": 1, "frame skip": 4, "music off": 1, "sound level": 2}
    for (field, top), value in zip(limits.items(), settings):
        if value > top:
            failures.append(f"scr.hsc: {field} {value} out of range")
    if 0 in best:
        failures.append(f"scr.hsc: a damaged score in the table {best}")
    elif best != sorted(best, reverse=True):
        failures.append(f"scr.hsc: the table {best} is not in order")
    elif scores and best[0] < min(max(scores), MAX_STORED_SCORE):
        failures.append(f"scr.hsc: best score {best[0]} below the kept play of {max(scores)}")
    elif dat_score is not None and best[0] < min(dat_score, MAX_STORED_SCORE):
        failures.append(f"scr.hsc: best score {best[0]} below replay.dat's {dat_score}")
    else:
        notes.append(f"scr.hsc loads: best scores {best}, settings {settings}")
    return failures, notes
