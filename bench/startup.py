#!/usr/bin/env python3
"""Start-up time, peak memory and compute-handler time of every program.

    python3 bench/startup.py [build/bin]

Each program starts on Qt's offscreen platform, runs its first computation,
shows its window and leaves once the window has been painted; the time from
the spawn to that paint and the peak memory are compared with those of a bare
Qt window built the same way and of the same size (bare_window WxH), started
by turns with it in the same run. Each ratio is the median of the ratios of
the runs side by side: a machine whose speed drifts over seconds (a shared
or virtual one) slows both starts of a pair alike. Then every
"Compute"/"Calculate" button with the defaults is pressed many times in
script mode (in a scratch folder, as some write print files), and the time
of one press is printed.
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = 21
PRESSES = 200
TIME_LIMIT, MEMORY_LIMIT, HANDLER_LIMIT_MS = 1.3, 1.3, 5.0


def start_once(path, *args):
    """Seconds from the spawn to the first paint of the window, peak KiB and
    the window's size ("WxH")."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", CALC_EXIT_WHEN_SHOWN="1")
    begin = time.monotonic_ns()
    proc = subprocess.Popen([path, *args], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE)
    err = proc.stderr.read().decode(errors="replace")
    _, status, usage = os.wait4(proc.pid, 0)
    if status != 0:
        raise RuntimeError(f"{path} exited with {status}")
    painted = [l.split() for l in err.splitlines() if l.startswith("painted ")]
    if not painted:
        raise RuntimeError(f"{path} did not say when it was painted")
    return (int(painted[0][1]) - begin) / 1e9, usage.ru_maxrss, painted[0][2]


def start_stats(path, bare):
    """Median times and peaks of the program and of the bare window, started
    by turns, and the medians of the pairwise ratios of time and of peak."""
    size = start_once(path)[2]  # also warms the file cache
    start_once(bare, size)
    ours, theirs = [], []
    for _ in range(RUNS):
        theirs.append(start_once(bare, size))
        ours.append(start_once(path))
    med = lambda runs, i: statistics.median(r[i] for r in runs)
    ratio = lambda i: statistics.median(o[i] / t[i] for o, t in zip(ours, theirs))
    return med(ours, 0), med(ours, 1), med(theirs, 0), ratio(0), ratio(1)


def script_time(path, script):
    begin = time.perf_counter()
    with tempfile.TemporaryDirectory() as scratch:
        subprocess.run([os.path.abspath(path), "--script", "-"], input=script.encode(),
                       stdout=subprocess.DEVNULL, check=True, cwd=scratch)
    return time.perf_counter() - begin


def compute_buttons(path):
    out = subprocess.run([path, "--script", "-"], input=b"dump\n", capture_output=True,
                         check=True).stdout.decode()
    buttons = []
    for line in out.splitlines():
        c = json.loads(line)
        if c.get("kind") == "button" and c["text"] in ("Compute", "Calculate"):
            buttons.append(c["name"])
    return buttons


def handler_ms(path, button):
    base = min(script_time(path, "") for _ in range(3))
    many = min(script_time(path, f"click {button}\n" * PRESSES) for _ in range(3))
    return max(0.0, (many - base) / PRESSES * 1000)


def main():
    bindir = sys.argv[1] if len(sys.argv) > 1 else "build/bin"
    here = os.path.dirname(os.path.abspath(__file__))
    names = []
    with open(os.path.join(here, "..", "programs.txt"), encoding="utf-8") as f:
        for line in f:
            if line[:1].islower():
                names.append(line.split("|")[0])
    names.append("calculators")
    bare = os.path.join(bindir, "bare_window")
    print(f"{'program':<12} {'start ms':>9} {'bare ms':>8} {'x bare':>7} {'peak MiB':>9} {'x bare':>7}"
          "  handlers (ms per press)")
    worst = True
    for name in names:
        path = os.path.join(bindir, name)
        if not os.path.exists(path):
            continue
        t, m, bare_t, t_ratio, m_ratio = start_stats(path, bare)
        handlers = []
        if name != "calculators":
            handlers = [(b, handler_ms(path, b)) for b in compute_buttons(path)]
        ok = (t_ratio <= TIME_LIMIT and m_ratio <= MEMORY_LIMIT and
              all(ms < HANDLER_LIMIT_MS for _, ms in handlers))
        worst = worst and ok
        text = ", ".join(f"{b} {ms:.3f}" for b, ms in handlers)
        print(f"{name:<12} {t * 1000:9.1f} {bare_t * 1000:8.1f} {t_ratio:7.2f} {m / 1024:9.1f} "
              f"{m_ratio:7.2f}  "
              f"{text}{'' if ok else '   <-- over target'}")
    print("every program within its targets" if worst else "some program is over its targets")
    return 0 if worst else 1


if __name__ == "__main__":
    sys.exit(main())
