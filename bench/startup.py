#!/usr/bin/env python3
"""Start-up time, peak memory and compute-handler time of every program.

    python3 bench/startup.py [build/bin]

Each program starts on Qt's offscreen platform, opens its window, runs its
first computation and leaves; its wall time and peak memory are compared with
those of a bare Qt window built the same way (bare_window), in the same run.
Then every "Compute"/"Calculate" button with the defaults is pressed many
times in script mode, and the time of one press is printed.
"""
import json
import os
import statistics
import subprocess
import sys
import time

RUNS = 7
PRESSES = 200
TIME_LIMIT, MEMORY_LIMIT, HANDLER_LIMIT_MS = 1.3, 1.3, 5.0


def start_once(path):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", CALC_EXIT_WHEN_SHOWN="1")
    begin = time.perf_counter()
    proc = subprocess.Popen([path], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - begin
    if status != 0:
        raise RuntimeError(f"{path} exited with {status}")
    return elapsed, usage.ru_maxrss  # seconds, KiB


def start_stats(path):
    start_once(path)  # warm the file cache
    runs = [start_once(path) for _ in range(RUNS)]
    return statistics.median(r[0] for r in runs), statistics.median(r[1] for r in runs)


def script_time(path, script):
    begin = time.perf_counter()
    subprocess.run([path, "--script", "-"], input=script.encode(), stdout=subprocess.DEVNULL,
                   check=True)
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
    with open(os.path.join(here, "..", "launcher", "programs.txt"), encoding="utf-8") as f:
        for line in f:
            if line[:1].isalpha():
                names.append(line.split("|")[0])
    names.append("calculators")
    bare_t, bare_m = start_stats(os.path.join(bindir, "bare_window"))
    print(f"bare window: {bare_t * 1000:.1f} ms, {bare_m / 1024:.1f} MiB")
    print(f"{'program':<12} {'start ms':>9} {'x bare':>7} {'peak MiB':>9} {'x bare':>7}  handlers (ms per press)")
    worst = True
    for name in names:
        path = os.path.join(bindir, name)
        if not os.path.exists(path):
            continue
        t, m = start_stats(path)
        handlers = []
        if name != "calculators":
            handlers = [(b, handler_ms(path, b)) for b in compute_buttons(path)]
        ok = (t / bare_t <= TIME_LIMIT and m / bare_m <= MEMORY_LIMIT and
              all(ms < HANDLER_LIMIT_MS for _, ms in handlers))
        worst = worst and ok
        text = ", ".join(f"{b} {ms:.3f}" for b, ms in handlers)
        print(f"{name:<12} {t * 1000:9.1f} {t / bare_t:7.2f} {m / 1024:9.1f} {m / bare_m:7.2f}  "
              f"{text}{'' if ok else '   <-- over target'}")
    print("every program within its targets" if worst else "some program is over its targets")
    return 0 if worst else 1


if __name__ == "__main__":
    sys.exit(main())
