#!/usr/bin/env python3
"""Takes the README's screenshots from the real program: the menu and a game in progress.

usage: tests/e2e/screenshots.py [BUILD_DIR] [OUT_DIR]
"""

import sys
import time
from pathlib import Path

from harness import XDisplay, best_score_bytes, running, wait_until


def main():
    build = Path(sys.argv[1] if len(sys.argv) > 1 else "build").resolve()
    out = Path(sys.argv[2] if len(sys.argv) > 2 else "docs")
    out.mkdir(parents=True, exist_ok=True)
    with XDisplay() as display:
        with running(build, display) as game:
            game.write_best_score_file(best_score_bytes(420))
            game.start()
            game.wait_window()
            menu = game.picture("pohja.pcx")
            game.move_mouse(330, 205)
            wait_until(lambda: game.screenshot().differing_fraction(menu, y=40, h=400) < 0.02, 5)
            game.move_mouse(331, 205)
            time.sleep(0.3)
            game.screenshot().save_png(out / "screenshot-menu.png")
            game.click(330, 205)
            game.move_mouse(630, 470)
            # wander to and fro until a few items are on their way down
            for key, hold in (("Left", 0.8), ("Right", 1.4), ("Left", 0.6), ("Right", 0.5)):
                game.key_down(key)
                time.sleep(hold)
                game.key_up(key)
            time.sleep(4.0)
            game.screenshot().save_png(out / "screenshot-game.png")
            game.request_close()
            game.wait_exit(5)
    print(f"screenshots in {out}")


if __name__ == "__main__":
    main()
