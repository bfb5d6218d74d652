#!/usr/bin/env python3
"""End-to-end tests: the real program under Xvfb, driven by xdotool, seen in screenshots.

usage: e2e.py BUILD_DIR [--shots DIR] [-k NAME]
"""

import argparse
import sys
import time
import traceback
from pathlib import Path

from harness import XDisplay, best_score_bytes, checksum, running, wait_until

START = (320, 190)
RESET = (320, 290)
EXIT = (320, 390)
PARKED = (600, 465)  # on no button, away from everything compared

# the best-score line: 8x8 font at (18, 19)
LINE = (18, 19, 30 * 8, 8)

TESTS = []
SHOTS = None


def test(function):
    TESTS.append(function)
    return function


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def save(picture, name):
    if SHOTS:
        picture.save_png(SHOTS / f"{name}.png")


def inked_cells(picture):
    """How many 8-pixel character cells of the best-score line hold yellow ink."""
    x, y, w, h = LINE
    mask = picture.yellow_mask(x, y, w, h)
    cells = 0
    for cell in range(w // 8):
        if any(mask[row * w + cell * 8 + col] for row in range(h) for col in range(8)):
            cells += 1
    return cells


def line_cells(score):
    text = "parhaat pisteet = %d" % score
    return len(text) - text.count(" ")


def matches(shot, picture, limit=0.01, **region):
    return shot.differing_fraction(picture, **region) <= limit


def menu_matches(shot, menu):
    # everything below the best-score line, left of the parked pointer
    return matches(shot, menu, x=0, y=40, w=580, h=440)


def wait_for_screen(game, accept, timeout):
    """The first screenshot that accept likes, or None when none came in time."""
    def attempt():
        shot = game.screenshot()
        return shot if accept(shot) else None
    return wait_until(attempt, timeout)


def wait_for_menu(game, timeout=5.0):
    menu = game.picture("pohja.pcx")
    shot = wait_for_screen(game, lambda s: menu_matches(s, menu), timeout)
    check(shot is not None, "the menu picture did not show")
    return shot


def start_at_menu(game, best=None):
    if best is not None:
        game.write_best_score_file(best)
    game.start()
    game.wait_window()
    game.move_mouse(*PARKED)
    wait_for_menu(game)
    # the pointer may have been placed before the program listened: place it again
    game.move_mouse(PARKED[0] - 1, PARKED[1])
    game.move_mouse(*PARKED)
    time.sleep(0.1)
    return game.screenshot()


def wait_exit_code(game, timeout=8.0):
    code = game.wait_exit(timeout)
    check(code is not None, "the program did not end")
    return code


def scene_side_bar_matches(game, shot):
    bar = game.picture("sivupalkki2.pcx")
    left = 640 - bar.width
    # the bar above the HUD lines, compared with the bar picture itself
    differing = 0
    total = 0
    for y in range(0, 260, 4):
        for x in range(0, bar.width, 4):
            p, q = shot.pixel(left + x, y), bar.pixel(x, y)
            total += 1
            if max(abs(p[i] - q[i]) for i in range(3)) > 8:
                differing += 1
    return differing / total < 0.02


def man_column(game, shot):
    """The middle column of what differs from the static scene along the man's row."""
    background = game.picture("paksa.pcx")
    man = game.picture("ukko.pcx")
    bar = game.picture("sivupalkki2.pcx")
    columns = [c for c in shot.columns_differing(background, 388 + man.height // 3,
                                                 man.height // 3)
               if c < 640 - bar.width + 4]
    check(columns, "no man seen on his row")
    return columns[len(columns) // 2]


@test
def starts_and_fades_in_to_the_menu(display):
    with running(BUILD, display) as game:
        game.start()
        game.wait_window()
        game.move_mouse(*PARKED)
        menu = game.picture("pohja.pcx")
        first = None
        lit_at = None
        shots = []
        while time.time() - game.started_at < 3.0:
            shot = game.screenshot()
            shots.append((time.time() - game.started_at, shot))
            brightness = shot.mean_brightness()
            if first is None:
                first = brightness
            if lit_at is None and brightness > 8:
                lit_at = time.time() - game.started_at
            if menu_matches(shot, menu):
                break
        check(lit_at is not None and lit_at <= 2.0,
              f"no picture within 2 s (first lit at {lit_at})")
        final = shots[-1][1]
        check(menu_matches(final, menu), "the fade did not end on the menu picture")
        menu_brightness = menu.mean_brightness()
        check(first < 0.3 * menu_brightness,
              f"the fade did not start dark ({first:.1f} against {menu_brightness:.1f})")
        save(shots[0][1], "fade-first")
        save(final, "menu")
        print(f"  first picture lit {lit_at:.2f} s after start, {len(shots)} screenshots")


@test
def best_score_line_shows_the_file(display):
    cases = [
        ("no file", None, 0),
        ("valid 1234", best_score_bytes(1234), 1234),
        ("tampered", best_score_bytes(1235, check=checksum(1234)), 0),
        ("valid -20", best_score_bytes(-20), -20),
    ]
    masks = {}
    for name, content, expected in cases:
        with running(BUILD, display) as game:
            shot = start_at_menu(game, content)
            shot = game.screenshot()
            save(shot, f"best-{name.replace(' ', '-')}")
            cells = inked_cells(shot)
            check(cells == line_cells(expected),
                  f"{name}: {cells} inked cells, expected the line for {expected}")
            masks.setdefault(expected, []).append(shot.yellow_mask(*LINE))
            game.request_close()
            check(wait_exit_code(game) == 0, f"{name}: exit code not 0")
    check(masks[0][0] == masks[0][1], "a tampered file does not read as 0")
    check(masks[1234][0] != masks[0][0], "the line does not change with the score")


@test
def pointer_is_drawn_on_the_menu(display):
    with running(BUILD, display) as game:
        start_at_menu(game)
        pointer = game.picture("kursori.pcx")
        menu = game.picture("pohja.pcx")
        x, y = 300, 90
        game.move_mouse(x, y)
        time.sleep(0.3)
        shot = game.screenshot()
        save(shot, "pointer")
        same = 0
        opaque = 0
        for py in range(pointer.height):
            for px in range(pointer.width):
                colour = pointer.pixel(px, py)
                if colour == (255, 0, 255):
                    continue
                opaque += 1
                seen = shot.pixel(x + px, y + py)
                if max(abs(seen[i] - colour[i]) for i in range(3)) <= 8:
                    same += 1
        check(opaque > 0 and same / opaque > 0.95,
              f"the pointer is not drawn at the mouse ({same} of {opaque} pixels)")
        check(shot.differing_fraction(menu, x=x, y=y, w=pointer.width, h=pointer.height) > 0.1,
              "nothing of the pointer differs from the menu")
        game.request_close()
        check(wait_exit_code(game) == 0, "exit code not 0")


@test
def start_button_plays_a_game_and_esc_returns(display):
    with running(BUILD, display) as game:
        start_at_menu(game, best_score_bytes(1234))
        sound_before = game.sound.size()
        game.click(*START)
        shot = wait_for_screen(game, lambda s: scene_side_bar_matches(game, s), 5.0)
        check(shot is not None, "the game scene did not show")
        game.move_mouse(*PARKED)
        time.sleep(0.3)
        start_x = man_column(game, game.screenshot())
        game.key_down("Right")
        time.sleep(1.0)
        game.key_up("Right")
        right = game.screenshot()
        right_x = man_column(game, right)
        save(right, "game")
        game.key_down("Left")
        time.sleep(1.5)
        game.key_up("Left")
        left_x = man_column(game, game.screenshot())
        print(f"  man's middle column: {start_x} at start, {right_x} after Right, "
              f"{left_x} after Left")
        check(right_x > start_x + 60, "holding Right did not move the man right")
        check(left_x < right_x - 100, "holding Left did not move the man left")

        at_game_end = game.sound.size()
        game.press("Escape")
        wait_for_menu(game)
        check(game.best_score_file() == best_score_bytes(1234),
              "a low game score changed the best score")
        if game.sound.available():
            check(game.sound.rms_since(sound_before) > 0.01, "no sound in the menu and game")
            time.sleep(2.0)
            rms = game.sound.rms_since(at_game_end + 48000 * 4 // 2)
            print(f"  sound after the game: rms {rms:.3f}")
            check(rms > 0.01, "the menu song does not play after the game")
        game.request_close()
        check(wait_exit_code(game) == 0, "exit code not 0")


@test
def reset_button_writes_ten_and_shows_the_information(display):
    with running(BUILD, display) as game:
        start_at_menu(game, best_score_bytes(1234))
        check(inked_cells(game.screenshot()) == line_cells(1234), "the line does not show 1234")
        game.click(*RESET, button=3)  # any mouse button works: the right one here
        info = game.picture("info.pcx")
        shot = wait_for_screen(game, lambda s: matches(s, info), 3.0)
        check(shot is not None, "the information picture did not show")
        save(shot, "info")
        expected = bytes.fromhex("31 30 0D 0A 2D 36 30 38 38 34 39 37 35 39")
        check(game.best_score_file() == expected,
              f"lista.dat holds {game.best_score_file()!r} after the reset")
        time.sleep(0.3)
        check(matches(game.screenshot(), info), "the information picture did not stay")
        game.press("Escape")
        wait_for_menu(game)
        time.sleep(0.2)
        check(inked_cells(game.screenshot()) == line_cells(10), "the line does not show 10")
        game.request_close()
        check(wait_exit_code(game) == 0, "exit code not 0")


@test
def exit_button_shows_goodbye_and_esc_ends(display):
    with running(BUILD, display) as game:
        start_at_menu(game, best_score_bytes(77))
        game.click(*EXIT, button=2)  # and the middle one here
        closing = game.picture("loppu.pcx")
        shot = wait_for_screen(game, lambda s: matches(s, closing), 3.0)
        check(shot is not None, "the closing picture did not show")
        save(shot, "closing")
        time.sleep(0.3)
        check(game.process.poll() is None, "the program ended before Esc")
        game.press("Escape")
        check(wait_exit_code(game) == 0, "exit code not 0 after the closing picture")
        check(game.best_score_file() == best_score_bytes(77), "the best score changed")


@test
def close_request_ends_cleanly_everywhere(display):
    places = {
        "menu": lambda game: None,
        "game": lambda game: (game.click(*START), time.sleep(1.5)),
        "information": lambda game: (game.click(*RESET), time.sleep(0.5)),
        "closing": lambda game: (game.click(*EXIT), time.sleep(0.5)),
    }
    for place, go in places.items():
        with running(BUILD, display) as game:
            start_at_menu(game, best_score_bytes(555))
            go(game)
            game.request_close()
            code = wait_exit_code(game)
            check(code == 0, f"close at the {place}: exit code {code}")
            expected = best_score_bytes(10) if place == "information" else best_score_bytes(555)
            check(game.best_score_file() == expected, f"close at the {place}: best score lost")
            check("Shutting down" not in game.stderr_text(), f"close at the {place}: not orderly")


@test
def missing_pictures_are_named_and_fail(display):
    for missing, needs_game in (("grafiikka/info.pcx", False), ("grafiikka/ukko.pcx", True)):
        with running(BUILD, display, missing=[missing]) as game:
            game.start()
            if needs_game:
                game.wait_window()
                game.move_mouse(*PARKED)
                wait_for_menu(game)
                game.click(*START)
            box = game.find_window(name="^xmessage$", timeout=6.0)
            check(box is not None, f"{missing}: no message shown")
            name = missing.split("/")[1]
            check(name in game.stderr_text(), f"{missing}: stderr does not name the file")
            game.xdotool("key", "--window", str(box), "Return", check=False)
            code = game.wait_exit(5.0)
            if code is None:  # the box did not take the key: close it like a player would
                game.xdotool("windowkill", str(box), check=False)
                code = wait_exit_code(game)
            check(code != 0, f"{missing}: exit code 0 after a failure")
            print(f"  {missing}: exit code {code}, stderr: {game.stderr_text().strip()}")


@test
def menu_song_is_heard(display):
    with running(BUILD, display) as game:
        if not game.sound.available():
            print("  skipped: no capture configuration")
            return
        start_at_menu(game)
        time.sleep(3.0)
        size = game.sound.size()
        seconds = size / (48000 * 4)
        rms = game.sound.rms_since(0)
        print(f"  {seconds:.1f} s of sound captured, rms {rms:.3f}")
        check(rms > 0.01, "the menu song is not heard")
        game.request_close()
        check(wait_exit_code(game) == 0, "exit code not 0")


def main():
    global BUILD, SHOTS
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--shots")
    parser.add_argument("-k", dest="only")
    args = parser.parse_args()
    BUILD = Path(args.build).resolve()
    if args.shots:
        SHOTS = Path(args.shots)
        SHOTS.mkdir(parents=True, exist_ok=True)
    failures = 0
    began = time.time()
    with XDisplay() as display:
        for function in TESTS:
            if args.only and args.only not in function.__name__:
                continue
            started = time.time()
            try:
                function(display)
                print(f"PASS {function.__name__} ({time.time() - started:.1f} s)")
            except Exception:
                failures += 1
                print(f"FAIL {function.__name__} ({time.time() - started:.1f} s)")
                traceback.print_exc()
            sys.stdout.flush()
    print(f"{len(TESTS) if not args.only else ''} end-to-end tests, {failures} failed, "
          f"{time.time() - began:.0f} s")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
