#!/usr/bin/python3
"""Drives the real VXQMRT6UpdateProgram as a user does: on a private X server,
by keyboard and mouse, reading its window title and screenshots.

A screen is recognised by its text: the window must equal, pixel for pixel, the
screen's text drawn by screen-text-reference, everywhere but on the controls
that the screen shows. Used by scripts/run.sh (the whole update, headless) and
by the end-to-end tests (program_test.py).

    drive.py whole-update --program EXE --reference-tool TOOL --image PLAIN_IMAGE --shots FOLDER
"""

import argparse
import ctypes
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

BACKGROUND = (0xEA, 0xEA, 0xEA)
REGION_ZERO_BAR = (0xFA, 0x32, 0xC8)
LATER_REGION_BAR = (0x08, 0x08, 0x08)
RECOVERY_SIZE = (800, 240)
MODEL = "VXQ-MRT6"
UNIT_MEMORY_SIZE = 0x200000
WRITTEN_END = 0x1D0000  # the three regions, when the unit's date differs from the image's

# A channel difference below this is anti-aliasing noise, not a different drawing.
PIXEL_TOLERANCE = 24
POLL_SECONDS = 0.05
# JUCE's menus look at the mouse button on a timer: a click must last long enough to be seen.
CLICK_HOLD_SECONDS = 0.1
# They also ignore a click in the first quarter second after they open; a user looks first.
MENU_LOOK_SECONDS = 0.5
START_TIMEOUT = 20
SCREEN_TIMEOUT = 30
UPDATE_TIMEOUT = 120
EXIT_TIMEOUT = 15

_libc = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1


def _end_with_parent():
    # A helper left behind by a killed test would hold its display or the program's lock.
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGTERM)


class DriveError(AssertionError):
    """The program did not do what a user would see it do."""


# --- pictures -----------------------------------------------------------------

class Picture:
    """An RGB picture: a screenshot of a window or a reference drawing."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    @staticmethod
    def from_ppm(data):
        fields, position = [], 0
        while len(fields) < 4:
            while data[position:position + 1].isspace():
                position += 1
            if data[position:position + 1] == b"#":
                position = data.index(b"\n", position)
                continue
            end = position
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[position:end])
            position = end
        if fields[0] != b"P6" or fields[3] != b"255":
            raise DriveError("not an 8-bit PPM picture")
        width, height = int(fields[1]), int(fields[2])
        rgb = data[position + 1:position + 1 + width * height * 3]
        if len(rgb) != width * height * 3:
            raise DriveError("a picture ended early")
        return Picture(width, height, rgb)

    @staticmethod
    def from_file(path):
        data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
        return Picture.from_ppm(data)

    def save(self, path):
        header = b"P6\n%d %d\n255\n" % (self.width, self.height)
        subprocess.run(["convert", "ppm:-", path], input=header + self.rgb, check=True)

    def pixel(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.rgb[offset:offset + 3])

    def row(self, y, left, right):
        start = (y * self.width + left) * 3
        return self.rgb[start:start + (right - left) * 3]

    def ink(self, area):
        """The share of the area's pixels that are not the window's background."""
        x, y, w, h = clip(area, self.width, self.height)
        background = bytes(BACKGROUND)
        inked = 0
        for row in range(y, y + h):
            pixels = self.row(row, x, x + w)
            inked += sum(1 for i in range(0, len(pixels), 3) if pixels[i:i + 3] != background)
        return inked / max(1, w * h)


def clip(area, width, height):
    x, y, w, h = area
    left, top = max(0, x), max(0, y)
    right, bottom = min(width, x + w), min(height, y + h)
    return left, top, max(0, right - left), max(0, bottom - top)


def differing_pixels(first, second, masks=()):
    """Pixels that differ beyond anti-aliasing, outside the masked rectangles."""
    if (first.width, first.height) != (second.width, second.height):
        raise DriveError("pictures of different sizes compared")
    count = 0
    for y in range(first.height):
        covered = sorted((x, x + w) for x, top, w, h in masks if top <= y < top + h)
        spans, left = [], 0
        for start, end in covered:
            if start > left:
                spans.append((left, start))
            left = max(left, end)
        if left < first.width:
            spans.append((left, first.width))
        for start, end in spans:
            start, end = max(0, start), min(first.width, end)
            a, b = first.row(y, start, end), second.row(y, start, end)
            if a == b:
                continue
            count += sum(1 for i in range(0, len(a), 3)
                         if max(abs(a[i] - b[i]), abs(a[i + 1] - b[i + 1]), abs(a[i + 2] - b[i + 2]))
                         > PIXEL_TOLERANCE)
    return count


# --- what the screens show -----------------------------------------------------

class Texts:
    """One language's texts as the screens show them, filled in."""

    def __init__(self, font, title, **messages):
        self.font, self.title, self.messages = font, title, messages

    def __getattr__(self, name):
        try:
            return self.messages[name]
        except KeyError:
            raise AttributeError(name) from None


def english(unit_version="1.00", image_version="1.10"):
    return Texts(
        font="Verdana",
        title="Updater Program",
        language_title="Language Selections",
        language_prompt="Please select a language.",
        update_intro=f"Updates the version of your {MODEL} firmware.",
        versions=f"Current Version: Ver. {unit_version}\nUpdate Version: Ver. {image_version}",
        updating=f"Updating your {MODEL} firmware.",
        please_wait="Please wait for a few moments until the update process is complete.",
        complete=f"The update of your version of the {MODEL} firmware is now complete.",
        not_connected=f"Your {MODEL} is not connected.",
        file_error="There is an error in the update file.",
        recovery="Failed to update the firmware.\n"
                 "This unit can't work temporarily.\n"
                 "Please try the following procedure to start the firmware update again.\n\n"
                 "1. Click the Close button to close the Update Program.\n\n"
                 "2. Disconnect the USB cable from the unit and reconnect it.\n\n"
                 "3. double-click the VXQMRT6_UpdateProgram.exe to start the firmware update.\n",
    )


def control_areas(width, height):
    return {
        "box": (20, height - 80, width - 40, 20),  # the language box, or the progress bar
        "bar": (20, height - 80, width - 40, 20),
        "right": (width - 120, height - 40, 100, 20),
        "left": (width - 230, height - 40, 100, 20),
        "icon": (20, 15, 64, 64),
    }


class Screen:
    """A screen: its text blocks and the controls it shows.

    A block is (style, x, y, w, h, text) with x, y, w, h functions of the
    window's width and height; y "below" begins at the text laid out so far.
    """

    def __init__(self, name, blocks, controls, size=None):
        self.name, self.blocks, self.controls, self.size = name, blocks, set(controls), size

    def laid_out(self, width, height):
        return [(style, x(width, height), y if y == "below" else y(width, height), w(width, height),
                 0 if y == "below" else h(width, height), text)
                for style, x, y, w, h, text in self.blocks]


def _fixed(value):
    return lambda width, height: value


def heading(text, style="bold"):
    return (style, _fixed(20), _fixed(20), lambda w, h: w - 40, lambda w, h: h - 20, text)


def body(text):
    return ("plain", _fixed(40), "below", lambda w, h: w - 60, None, text)


def beside_icon(text):
    return ("plain", _fixed(105), _fixed(20), lambda w, h: w - 125, lambda w, h: h - 20, text)


def error_id(code):
    return f"\n\nError ID:\t0x{code:04X}"


def language_screen(texts):
    return Screen("language", [heading(texts.language_title + "\n\n"), body(texts.language_prompt)],
                  ["box", "left", "right"])


def ready_screen(texts):
    return Screen("ready", [heading(texts.update_intro), body(texts.versions)], ["left", "right"])


def updating_screen(texts):
    return Screen("updating", [heading(texts.updating + "\n\n"), body(texts.please_wait)], ["bar"])


def complete_screen(texts):
    return Screen("complete", [heading(texts.complete, "plain")], ["right"])


def not_connected_screen(texts):
    return Screen("not-connected", [beside_icon(texts.not_connected + error_id(0xE21))], ["icon", "right"])


def file_error_screen(texts, code):
    return Screen(f"file-error-{code:04X}", [beside_icon(texts.file_error + error_id(code))], ["icon", "right"])


def recovery_screen(texts, processor="For RT1062"):
    text = texts.recovery + "-------------\n" + processor + "\n-------------\n\n"
    return Screen("recovery", [beside_icon(text)], ["icon", "right"], size=RECOVERY_SIZE)


class References:
    """Draws the screens' texts with screen-text-reference, once per screen and size."""

    def __init__(self, tool, folder):
        self.tool, self.folder, self.cache = tool, folder, {}

    def draw(self, font, blocks, width, height):
        key = (font, tuple(blocks), width, height)
        if key not in self.cache:
            path = os.path.join(self.folder, f"reference-{len(self.cache)}.png")
            arguments = [self.tool, path, str(width), str(height), font]
            for block in blocks:
                arguments += [str(field) for field in block]
            subprocess.run(arguments, check=True, timeout=30)
            self.cache[key] = Picture.from_file(path)
        return self.cache[key]

    def screen(self, screen, texts, width, height):
        return self.draw(texts.font, screen.laid_out(width, height), width, height)


def bar_colour(shot):
    x, y, _, _ = control_areas(shot.width, shot.height)["bar"]
    return shot.pixel(x, y)


def bar_filled_width(shot):
    """The width of the progress bar's done part, read along the track's top row."""
    x, y, w, _ = control_areas(shot.width, shot.height)["bar"]
    filled = 0
    for column in range(x + 2, x + w - 2):
        r, g, b = shot.pixel(column, y + 2)
        # The done part is grey; the bar's own colour and its white text are not.
        if max(r, g, b) - min(r, g, b) < 16 and 0x50 <= r <= 0xC0:
            filled += 1
    return filled


def mismatch(screen, texts, shot, references):
    """Why the shot does not show the screen, or None when it does."""
    if screen.size and (shot.width, shot.height) != screen.size:
        return f"the window is {shot.width} x {shot.height}, not {screen.size[0]} x {screen.size[1]}"
    areas = control_areas(shot.width, shot.height)
    for control in screen.controls:
        if shot.ink(areas[control]) < 0.1:
            return f"no {control} control"
    on_bar = bar_colour(shot) in (REGION_ZERO_BAR, LATER_REGION_BAR)
    if "bar" in screen.controls and not on_bar:
        return "the progress bar is not shown"
    if "box" in screen.controls and on_bar:
        return "a progress bar where the language box should be"
    reference = references.screen(screen, texts, shot.width, shot.height)
    different = differing_pixels(shot, reference, [areas[control] for control in screen.controls])
    if different:
        return f"{different} pixels differ from the {screen.name} screen's text and controls"
    return None


def missing_glyphs_of(text):
    """The text as a font without its characters would draw it."""
    return "".join(character if character.isspace() else "\ue000" for character in text)


# --- the X server and the program ------------------------------------------------

class XServer:
    """A private Xvfb, optionally with a window manager (openbox)."""

    def __init__(self, folder, window_manager=False):
        self.folder, self.window_manager, self.processes = folder, False, []
        read_end, write_end = os.pipe()
        with open(os.path.join(folder, "xvfb.log"), "wb") as log:
            self.processes.append(subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log, preexec_fn=_end_with_parent))
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + START_TIMEOUT
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(0, deadline - time.monotonic()))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                os.close(read_end)
                self.close()
                raise DriveError("Xvfb did not start")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()
        if window_manager:
            self._start_window_manager()

    def environment(self):
        environment = dict(os.environ)
        environment["DISPLAY"] = self.display
        environment.pop("XAUTHORITY", None)
        return environment

    def run(self, *arguments, check=True):
        return subprocess.run(list(arguments), env=self.environment(), capture_output=True, text=True,
                              check=check, timeout=30)

    def run_bytes(self, *arguments):
        return subprocess.run(list(arguments), env=self.environment(), capture_output=True, check=True,
                              timeout=30).stdout

    def start(self, arguments, **options):
        process = subprocess.Popen(arguments, env=self.environment(), preexec_fn=_end_with_parent, **options)
        self.processes.append(process)
        return process

    def _start_window_manager(self):
        with open(os.path.join(self.folder, "openbox.log"), "wb") as log:
            self.start(["openbox", "--sm-disable"], stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        wait_until(lambda: "window id" in self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False).stdout,
                   START_TIMEOUT, "openbox did not start")
        self.window_manager = True

    def visible_windows(self, *criteria):
        found = self.run("xdotool", "search", "--onlyvisible", *criteria, check=False).stdout.split()
        return [int(window) for window in found]

    def client_stacking_order(self):
        """The window manager's windows from the bottom to the top."""
        line = self.run("xprop", "-root", "_NET_CLIENT_LIST_STACKING").stdout
        return [int(window.strip(), 16) for window in line.split("#", 1)[1].split(",")] if "#" in line else []

    def focused_window(self):
        return int(self.run("xdotool", "getwindowfocus", "-f").stdout.strip())

    def close(self):
        for process in reversed(self.processes):
            stop(process)
        self.processes = []


def stop(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def wait_until(condition, timeout, failure):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise DriveError(failure)
        time.sleep(POLL_SECONDS)


def place_program(executable, folder, image=None, image_name="vxqmrt6_A__v110.bin"):
    """The program in a folder of its own, beside the given image: it looks for its image there."""
    os.makedirs(folder, exist_ok=True)
    placed = os.path.join(folder, os.path.basename(executable))
    if os.path.exists(placed):
        os.remove(placed)
    try:
        os.link(executable, placed)
    except OSError:
        shutil.copy2(executable, placed)
    if image:
        shutil.copyfile(image, os.path.join(folder, image_name))
    return placed


def make_image(image_maker, path, *options):
    subprocess.run([image_maker, path, *options], check=True, capture_output=True, timeout=60)
    return path


class Program:
    """One run of the program on the X server, against the simulated unit."""

    def __init__(self, server, executable, folder, references, texts=None, scenario=None,
                 locale="en_US.UTF-8", memory_file=None, runtime_folder=None, shots_folder=None):
        self.server, self.references = server, references
        self.texts = texts or english()
        self.folder, self.shots_folder, self.kept = folder, shots_folder or folder, 0
        environment = server.environment()
        for name in ("LC_ALL", "LC_MESSAGES", "LANGUAGE", "VXQMRT6_SIMULATED_UNIT", "VXQMRT6_UNIT_MEMORY_FILE"):
            environment.pop(name, None)
        environment["LANG"] = locale
        if scenario:
            environment["VXQMRT6_SIMULATED_UNIT"] = scenario
        if memory_file:
            environment["VXQMRT6_UNIT_MEMORY_FILE"] = memory_file
        if runtime_folder:
            environment["XDG_RUNTIME_DIR"] = runtime_folder
        self.environment = environment
        self.executable = executable
        self.stderr_path = os.path.join(folder, "program-%d.stderr" % len(server.processes))
        with open(self.stderr_path, "wb") as stderr:
            self.process = subprocess.Popen([executable], env=environment, cwd=folder, stdin=subprocess.DEVNULL,
                                            stdout=subprocess.DEVNULL, stderr=stderr,
                                            preexec_fn=_end_with_parent)
        server.processes.append(self.process)
        self.window = None

    def stderr(self):
        with open(self.stderr_path, encoding="utf-8", errors="replace") as stderr:
            return stderr.read()

    def find_window(self):
        def found():
            if self.process.poll() is not None:
                raise DriveError(f"the program ended with {self.process.returncode} before it showed a window "
                                 f"(another instance running on this machine?): {self.stderr()}")
            windows = self.server.visible_windows("--pid", str(self.process.pid))
            return windows[0] if windows else None
        self.window = wait_until(found, START_TIMEOUT, "the program showed no window")
        return self.window

    def title(self):
        return self.server.run("xdotool", "getwindowname", str(self.window)).stdout.rstrip("\n")

    def shot(self):
        data = self.server.run_bytes("import", "-window", str(self.window), "-depth", "8", "ppm:-")
        return Picture.from_ppm(data)

    def keep(self, shot, name):
        """Saves the screenshot, numbered in the order of the screens passed."""
        self.kept += 1
        shot.save(os.path.join(self.shots_folder, f"{self.kept:02d}-{name}.png"))

    def wait_for(self, screen, timeout=SCREEN_TIMEOUT):
        """Waits until the window shows the screen; keeps and returns its screenshot."""
        deadline = time.monotonic() + timeout
        while True:
            shot = self.shot()
            problem = mismatch(screen, self.texts, shot, self.references)
            if problem is None:
                self.keep(shot, screen.name)
                return shot
            if self.process.poll() is not None or time.monotonic() > deadline:
                path = os.path.join(self.folder, f"not-{screen.name}.png")
                shot.save(path)
                raise DriveError(f"the {screen.name} screen did not show ({problem}); the window: {path}")
            time.sleep(POLL_SECONDS)

    def focus(self):
        action = "windowactivate" if self.server.window_manager else "windowfocus"
        self.server.run("xdotool", action, "--sync", str(self.window))

    def press(self, key):
        """A key pressed and released with the window focused, as on a keyboard."""
        self.focus()
        self.server.run("xdotool", "key", "--clearmodifiers", key)

    def click(self, x, y, window=None):
        """Moves the pointer to the point of the window and clicks, holding the button as a hand does."""
        self.server.run("xdotool", "mousemove", "--sync", "--window", str(window or self.window), str(x), str(y))
        self.server.run("xdotool", "mousedown", "1")
        time.sleep(CLICK_HOLD_SECONDS)
        self.server.run("xdotool", "mouseup", "1")

    def click_control(self, shot, control):
        x, y, w, h = control_areas(shot.width, shot.height)[control]
        self.click(x + w // 2, y + h // 2)

    def choose_language(self, position, offered):
        """Opens the language box with the mouse and clicks the item at the position (from 0)."""
        shot = self.shot()
        self.click_control(shot, "box")
        menu = wait_until(lambda: [w for w in self.server.visible_windows("--pid", str(self.process.pid))
                                   if w != self.window], SCREEN_TIMEOUT, "the language list did not open")[0]
        opened = time.monotonic()
        items = wait_until(lambda: self._menu_items(menu, offered), SCREEN_TIMEOUT,
                           f"the language list does not show {offered} languages")
        top, bottom = items[position]
        time.sleep(max(0.0, opened + MENU_LOOK_SECONDS - time.monotonic()))
        self.click(40, (top + bottom) // 2, menu)
        wait_until(lambda: menu not in self.server.visible_windows("--pid", str(self.process.pid)),
                   SCREEN_TIMEOUT, "the language list did not close")

    def _menu_shot(self, menu):
        return Picture.from_ppm(self.server.run_bytes("import", "-window", str(menu), "-depth", "8", "ppm:-"))

    def _menu_items(self, menu, expected):
        bands = ink_bands(self._menu_shot(menu))
        return bands if len(bands) == expected else None

    def wait_exit(self, timeout=EXIT_TIMEOUT):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise DriveError("the program did not end") from None

    def is_running(self):
        return self.process.poll() is None


def is_dark(pixels, i):
    return pixels[i] + pixels[i + 1] + pixels[i + 2] < 3 * 128


def ink_bands(picture):
    """Horizontal bands of a menu that hold its items: rows with dark pixels, between blank rows."""
    bands, top = [], None
    for y in range(1, picture.height - 1):
        pixels = picture.row(y, 1, picture.width - 1)
        inked = any(is_dark(pixels, i) for i in range(0, len(pixels), 3))
        if inked and top is None:
            top = y
        elif not inked and top is not None:
            bands.append((top, y))
            top = None
    if top is not None:
        bands.append((top, picture.height - 1))
    return bands


def unit_memory_problem(memory_path, plain_image_path):
    """Why the unit's memory does not hold the image, or None when it does."""
    if not os.path.exists(memory_path):
        return "the unit's memory was not written"
    with open(memory_path, "rb") as memory_file, open(plain_image_path, "rb") as image_file:
        memory, image = memory_file.read(), image_file.read()
    if len(memory) != UNIT_MEMORY_SIZE:
        return f"the unit's memory holds {len(memory)} bytes"
    if memory[:WRITTEN_END] != image[:WRITTEN_END]:
        first = next(i for i in range(WRITTEN_END) if memory[i] != image[i])
        return f"the unit's memory differs from the image from 0x{first:06X} on"
    if memory[WRITTEN_END:] != b"\xff" * (UNIT_MEMORY_SIZE - WRITTEN_END):
        return f"the unit's memory was written beyond 0x{WRITTEN_END:06X}"
    return None


def drive_whole_update(program):
    """Language screen, OK, ready screen, Start, the bar moving, completion, OK.

    Returns the progress bar's filled widths in the order seen, with the bar's
    colours, and the program's exit code.
    """
    texts = program.texts
    updating, complete = updating_screen(texts), complete_screen(texts)
    if program.window is None:
        program.find_window()
    program.wait_for(language_screen(texts))
    program.press("Return")
    program.wait_for(ready_screen(texts))
    program.press("Return")
    shot = program.wait_for(updating)

    widths, colours, last_updating = [], set(), shot
    deadline = time.monotonic() + UPDATE_TIMEOUT
    while mismatch(complete, texts, shot, program.references) is not None:
        if mismatch(updating, texts, shot, program.references) is None:
            widths.append(bar_filled_width(shot))
            colours.add(bar_colour(shot))
            last_updating = shot
        elif time.monotonic() > deadline or not program.is_running():
            program.wait_for(complete, 0)
        time.sleep(POLL_SECONDS)
        shot = program.shot()
    program.keep(last_updating, "updating-last")
    program.keep(shot, "complete")
    program.press("Return")
    return widths, colours, program.wait_exit()


def main():
    parser = argparse.ArgumentParser(description="Runs the whole update on a private X server.")
    parser.add_argument("mode", choices=["whole-update"])
    parser.add_argument("--program", required=True)
    parser.add_argument("--reference-tool", required=True)
    parser.add_argument("--image", required=True, help="the plain image that the unit must end up holding")
    parser.add_argument("--shots", required=True, help="the folder for a PNG of every screen")
    arguments = parser.parse_args()

    os.makedirs(arguments.shots, exist_ok=True)
    work = tempfile.mkdtemp(prefix="vxq-drive-")
    server = XServer(work, window_manager=True)
    try:
        memory = os.path.join(work, "unit-memory.bin")
        program = Program(server, arguments.program, work, References(arguments.reference_tool, work),
                          memory_file=memory, shots_folder=arguments.shots)
        widths, _, code = drive_whole_update(program)
        problems = []
        if code != 0:
            problems.append(f"the program ended with exit code {code}")
        if len(set(widths)) < 2:
            problems.append("the progress bar did not move")
        problem = unit_memory_problem(memory, arguments.image)
        if problem:
            problems.append(problem)
        if "the unit saw" in program.stderr():
            problems.append("the unit saw protocol violations:\n" + program.stderr())
    except DriveError as error:
        problems = [str(error)]
    finally:
        server.close()

    print(f"Screens: {arguments.shots}")
    for problem in problems:
        print(f"FAILED: {problem}", file=sys.stderr)
    if not problems:
        print("The whole update ran; the unit's memory equals the image.")
        shutil.rmtree(work, ignore_errors=True)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
