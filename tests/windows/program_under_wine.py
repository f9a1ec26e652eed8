#!/usr/bin/python3
"""The Windows program under Wine, with the stand-in vxqmrt6hid.dll beside it:
its window appears with its title, and a whole update driven by the keyboard
ends on the completion screen, with exit code 0 and the unit's memory equal to
the image. Screens are told apart by the controls they show, as Wine draws the
text with its own fonts.

    program_under_wine.py --bin FOLDER   (WINEPREFIX names the Wine prefix)

The image is made by the Windows image maker of the same folder. Both run
through the script that runs every program of the Windows build under Wine,
which makes the prefix on first use without Wine's install prompts.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

# No compiled copy of the driver left in the source tree.
sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
RUN_UNDER_WINE = os.path.join(HERE, "..", "..", "scripts", "run-under-wine.sh")

import drive  # noqa: E402

WINDOW_TITLE = "Updater Program"
IMAGE_NAME = "vxqmrt6_A__v110.bin"
SCREEN_TIMEOUT = 60
UPDATE_TIMEOUT = 300
WHITE_BOX, BACKGROUND, PINK_BAR = (0xFF, 0xFF, 0xFF), (0xEA, 0xEA, 0xEA), (0xFA, 0x32, 0xC8)


def under_wine(program, *arguments):
    return [RUN_UNDER_WINE, os.environ["WINEPREFIX"], program, *arguments]


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def near(colour, wanted, tolerance=8):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, wanted))


def darkest_in_column(shot, x, top, bottom):
    return min(sum(shot.pixel(x, y)) for y in range(top, bottom))


def screen_of(shot):
    """language, ready, updating or complete, by the controls the window shows."""
    w, h = shot.width, shot.height
    box_or_bar = shot.pixel(w // 2, h - 70)
    # A visible button has a dark bevel along its lower edge.
    main_button = darkest_in_column(shot, w - 70, h - 24, h - 18) < 3 * 64
    second_button = darkest_in_column(shot, w - 180, h - 24, h - 18) < 3 * 64
    if near(box_or_bar, WHITE_BOX) and main_button and second_button:
        return "language"
    if near(box_or_bar, PINK_BAR) or not (main_button or second_button):
        return "updating"
    if near(box_or_bar, BACKGROUND) and main_button and second_button:
        return "ready"
    if near(box_or_bar, BACKGROUND) and main_button:
        return "complete"
    return "unknown"


class WineProgram:
    def __init__(self, server, folder, memory_file):
        environment = server.environment()
        environment["VXQMRT6_UNIT_MEMORY_FILE"] = windows_path(memory_file)
        environment.pop("VXQMRT6_SIMULATED_UNIT", None)
        self.server = server
        self.process = subprocess.Popen(under_wine(os.path.join(folder, "VXQMRT6UpdateProgram.exe")), cwd=folder,
                                        env=environment, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, preexec_fn=drive._end_with_parent)
        server.processes.append(self.process)
        self.window = drive.wait_until(lambda: self._window(), SCREEN_TIMEOUT, "the program showed no window")

    def _window(self):
        if self.process.poll() is not None:
            raise drive.DriveError(f"the program ended with {self.process.returncode} before it showed a window")
        found = self.server.visible_windows("--name", WINDOW_TITLE)
        return found[0] if found else None

    def shot(self):
        return drive.Picture.from_ppm(self.server.run_bytes("import", "-window", str(self.window), "-depth", "8", "ppm:-"))

    def wait_for(self, screen, timeout=SCREEN_TIMEOUT):
        drive.wait_until(lambda: screen_of(self.shot()) == screen, timeout, f"the {screen} screen did not show")

    def press(self, key):
        self.server.run("xdotool", "windowactivate", "--sync", str(self.window))
        self.server.run("xdotool", "key", "--clearmodifiers", key)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True, help="the folder with VXQMRT6UpdateProgram.exe and vxqmrt6hid.dll")
    arguments = parser.parse_args()

    work = tempfile.mkdtemp(prefix="vxq-wine-")
    folder = os.path.join(work, "program")
    os.makedirs(folder)
    for name in ("VXQMRT6UpdateProgram.exe", "vxqmrt6hid.dll"):
        shutil.copy2(os.path.join(arguments.bin, name), folder)
    image = os.path.join(folder, IMAGE_NAME)
    memory = os.path.join(work, "unit-memory.bin")

    # A Wine server left from another display would break the program's start.
    subprocess.run(["wineserver", "-k"], capture_output=True)
    subprocess.run(under_wine(os.path.join(arguments.bin, "make-firmware-image.exe"), windows_path(image),
                              "--version", "1.10", "--date", "20240615"), check=True, capture_output=True, timeout=120)
    server = drive.XServer(work, window_manager=True)
    try:
        program = WineProgram(server, folder, memory)
        title = server.run("xdotool", "getwindowname", str(program.window)).stdout.rstrip("\n")
        if title != WINDOW_TITLE:
            raise drive.DriveError(f"the window's title is {title!r}")

        program.wait_for("language")
        program.press("Return")
        program.wait_for("ready")
        program.press("Return")
        program.wait_for("updating")
        program.wait_for("complete", UPDATE_TIMEOUT)
        program.press("Return")

        code = program.process.wait(drive.EXIT_TIMEOUT)
        if code != 0:
            raise drive.DriveError(f"the program ended with exit code {code}")
        problem = drive.unit_memory_problem(memory, image)
        if problem:
            raise drive.DriveError(problem)
    except drive.DriveError as error:
        print(f"FAILED: {error} (files in {work})", file=sys.stderr)
        return 1
    finally:
        server.close()
        subprocess.run(["wineserver", "-k"], capture_output=True)

    print("Under Wine the whole update ran; the unit's memory equals the image.")
    shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
