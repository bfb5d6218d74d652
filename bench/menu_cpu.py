#!/usr/bin/env python3
"""How much of a core the idle program uses: in the menu, at the information picture,
at the closing picture and in a game with no key held.

usage: bench/menu_cpu.py [BUILD_DIR] [SECONDS]
"""

import os
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))

from harness import XDisplay, running, wait_until  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def measure(game, seconds):
    pid = game.process.pid
    start_cpu, start = cpu_seconds(pid), time.time()
    time.sleep(seconds)
    return 100.0 * (cpu_seconds(pid) - start_cpu) / (time.time() - start)


def main():
    build = Path(sys.argv[1] if len(sys.argv) > 1 else "build").resolve()
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    results = {}
    with XDisplay() as display:
        with running(build, display) as game:
            game.start()
            game.wait_window()
            game.move_mouse(600, 465)
            menu = game.picture("pohja.pcx")
            wait_until(lambda: game.screenshot().differing_fraction(menu, y=40, h=440) < 0.01,
                       5.0)
            results["menu"] = measure(game, seconds)
            game.click(320, 190)
            time.sleep(1.0)
            results["game, no key held"] = measure(game, seconds)
            game.press("Escape")
            time.sleep(1.0)
            game.click(320, 290)
            time.sleep(0.5)
            results["information picture"] = measure(game, seconds)
            game.press("Escape")
            time.sleep(0.5)
            game.click(320, 390)
            time.sleep(0.5)
            results["closing picture"] = measure(game, seconds)
            game.press("Escape")
            game.wait_exit(5)
    for place, percent in results.items():
        print(f"{place:22s} {percent:5.1f} % of a core over {seconds:.0f} s")


if __name__ == "__main__":
    main()
