#!/usr/bin/env python3
"""Time of a 100-point sweep of one input of every program, from the defaults.

    python3 bench/sweep.py [build/bin]

Each program runs in script mode (in a scratch folder): the load step alone,
then the load step and one `sweep` of 100 points over half to twice the
input's default value; the difference is the sweep (best of three). The
points run on copies of the window spread over the processor's cores. For
the programs whose handler takes long, the time of one point is set against
one press of the same button with the same inputs (the points typed and
pressed one after another in one window), divided by the cores used.
"""
import json
import os
import subprocess
import sys
import tempfile
import time

POINTS = 100
RUNS = 3
SWEEP_LIMIT_MS = 100.0
# program: (input, button, outputs); the slow ones are judged per point.
SWEEPS = {
    "isentropic": ("txtm1", "cmdscompute", "lblt1 lblp1 lbla1"),
    "planejump": ("txtm1", "cmdscompute", "lblt1 lblp1 lbla1"),
    "fanno": ("txtm1", "cmdscompute", "lblt1 lblp1 lblx1"),
    "rayleigh": ("txtm1", "cmdscompute", "lblt1 lblp1 lblx1"),
    "isodrag": ("txtm1", "cmdscompute", "lblt1 lblp1 lblx1"),
    "isoheat": ("txtm1", "cmdscompute", "lblt1 lblp1 lblx1"),
    "atmosphere": ("txtAltitude", "cmdScompute", "lblTemp lblPressure"),
    "shock": ("txtm1", "cmdCalculate", "txte2 txte3 txte4"),
    "nozzle": ("txtm8", "cmdCalculate", "txtmd8 txtaao txtppto"),
    "flowmarch": ("txttt6", "cmdCalculate", "txtm6 txtt6 txtpt6"),
    "thrustdeck": ("txtpic", "cmdCalculate", "txtff txttsfc"),
    "shaftdeck": ("txtpic", "cmdCalculate", "txtpow txtsfc"),
    "kerosene": ("txtpa", "cmdCalculate", "txts"),
    "bladerow": ("txtom", "cmdCalculate", "txtpp21 txtwsh"),
    "stagemap": ("txtinc", "cmdCalculate", "txteta txtphi"),
    "thrustfit": ("txtmach", "cmdCalculate", "txttsfc TxtNEN"),
    "shaftfit": ("txtT0", "cmdCalculate", "txtpower txtsfc"),
    "ringflow": ("txtrotn", "Cmdcalculate", "Txtjconv"),
}
SLOW = {"thrustfit", "shaftfit", "ringflow"}


def script_time(path, script):
    begin = time.perf_counter()
    with tempfile.TemporaryDirectory() as scratch:
        subprocess.run([os.path.abspath(path), "--script", "-"], input=script.encode(),
                       stdout=subprocess.DEVNULL, check=True, cwd=scratch)
    return time.perf_counter() - begin


def best(path, script):
    return min(script_time(path, script) for _ in range(RUNS))


def default_text(path, box):
    out = subprocess.run([path, "--script", "-"], input=f"show {box}\n".encode(),
                         capture_output=True, check=True).stdout.decode()
    return json.loads(out)["text"]


def point_texts(path, line):
    out = subprocess.run([path, "--script", "-"], input=line.encode(), capture_output=True,
                         check=True).stdout.decode()
    return [json.loads(l)["text"] for l in out.splitlines() if l.startswith('{"sweep"')]


def number(text):
    return float(text.replace(",", ""))


def main():
    bindir = sys.argv[1] if len(sys.argv) > 1 else "build/bin"
    cores = os.cpu_count() or 1
    print(f"{POINTS}-point sweeps from the defaults, {cores} cores")
    print(f"{'program':<12}{'input':<13}{'range':>22}{'sweep ms':>10}{'ms/point':>10}"
          f"{'press ms':>10}  target")
    failed = []
    for program, (box, button, outputs) in SWEEPS.items():
        path = os.path.join(bindir, program)
        if not os.path.exists(path):
            continue
        value = number(default_text(path, box)) or 1.0
        lo, hi = sorted((value / 2, value * 2))
        line = f"sweep {box} {lo!r} {hi!r} {POINTS} {button} {outputs}\n"
        base = best(path, "")
        sweep_ms = max(0.0, best(path, line) - base) * 1000
        per_point = sweep_ms / POINTS
        press = ""
        if program in SLOW:
            presses = "".join(f"type {box} {t}\nclick {button}\n" for t in point_texts(path, line))
            press_ms = max(0.0, best(path, presses) - base) * 1000 / POINTS
            ok = per_point <= press_ms / cores
            press = f"{press_ms:10.2f}"
            target = f"point <= press/{cores}"
        else:
            ok = sweep_ms < SWEEP_LIMIT_MS
            press = f"{'':>10}"
            target = f"< {SWEEP_LIMIT_MS:.0f} ms"
        if not ok:
            failed.append(program)
        print(f"{program:<12}{box:<13}{f'{lo:g} .. {hi:g}':>22}{sweep_ms:10.1f}{per_point:10.3f}"
              f"{press}  {target}{'' if ok else '  MISSED'}")
    if failed:
        print("missed:", " ".join(failed))


if __name__ == "__main__":
    main()
