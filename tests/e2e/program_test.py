#!/usr/bin/python3
"""End-to-end tests: the real program, each run on its own X server against the
simulated unit that the environment chooses, driven by keyboard and mouse and
read from its window title and screenshots.

CTest runs each test on its own: program_test.py CLASS.TEST. It names the
program, the image maker and the reference drawer in VXQ_PROGRAM,
VXQ_IMAGE_MAKER and VXQ_REFERENCE_TOOL, and the folder for each test's
screenshots in VXQ_E2E_WORK. `program_test.py --list` lists the tests.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

# No compiled copy of the driver left in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import drive  # noqa: E402

# The languages in the order the box lists them when all twelve locales are installed.
OFFERED_LANGUAGES = 12
RUSSIAN_POSITION, JAPANESE_POSITION = 6, 11
# Long enough for a close request to reach the program and be acted on.
SETTLE_SECONDS = 2
PLUG_DELAY_SECONDS = 1
ARRIVAL_MARGIN_SECONDS = 3
# Each busy answer to the poll costs the program a 100 ms wait: about 15 s for the 16 chunks.
SLOW_CHUNK_BUSY_POLLS = 8


def russian():
    return drive.Texts(
        font="Verdana",
        title="Программа обновления",
        language_title="Выбор языка",
        language_prompt="Выберите язык.",
        update_intro="Обновляет версию микропрограммы вашего VXQ-MRT6.",
        versions="Настоящая версия: Версия 1.00\nОбновленная версия: Версия 1.10",
    )


def japanese():
    return drive.Texts(
        font="MS PGothic",
        title="更新プログラム",
        language_title="言語の選択",
        language_prompt="言語を選択してください。",
        update_intro="VXQ-MRT6のファームウェアのバージョンを更新します。",
        versions="現在のバージョン: Ver1.00\n更新バージョン: Ver1.10",
    )


class ProgramTest(unittest.TestCase):
    """A private X server with a window manager, a folder with the program and its image,
    and a way to start it. Without a window manager the language box's menu and the
    keyboard focus fight over the X input focus, as they never do on a desktop."""

    def setUp(self):
        self.work = os.path.join(os.environ["VXQ_E2E_WORK"], self.id().split(".", 1)[1])
        shutil.rmtree(self.work, ignore_errors=True)
        os.makedirs(self.work)
        # The user's runtime folder, where a later start finds the running one; short,
        # as a socket's path must be.
        self.runtime = tempfile.mkdtemp(prefix="vxq-e2e-")
        self.addCleanup(shutil.rmtree, self.runtime, True)
        self.server = drive.XServer(self.work, window_manager=True)
        self.addCleanup(self.server.close)
        self.references = drive.References(os.environ["VXQ_REFERENCE_TOOL"], self.work)
        self.folder = os.path.join(self.work, "program")
        self.executable = drive.place_program(os.environ["VXQ_PROGRAM"], self.folder)
        self.memory = os.path.join(self.work, "unit-memory.bin")
        self.starts = 0

    def make_image(self, name="vxqmrt6_A__v110.bin", *options):
        return drive.make_image(os.environ["VXQ_IMAGE_MAKER"], os.path.join(self.folder, name), *options)

    def start(self, scenario=None, texts=None):
        self.starts += 1
        shots = os.path.join(self.work, f"screens-{self.starts}")
        os.makedirs(shots)
        return drive.Program(self.server, self.executable, self.work, self.references, texts=texts,
                             scenario=scenario, memory_file=self.memory, runtime_folder=self.runtime,
                             shots_folder=shots)

    def open(self, scenario=None):
        """Starts the program and waits for its language screen."""
        program = self.start(scenario)
        program.find_window()
        program.wait_for(drive.language_screen(program.texts))
        return program

    def assert_quits(self, program):
        self.assertEqual(program.wait_exit(), 0)
        self.assertNotIn("the unit saw", program.stderr())

    def assert_unit_holds(self, plain_image):
        self.assertIsNone(drive.unit_memory_problem(self.memory, plain_image))

    def assert_real_glyphs(self, shot, texts, block_text, style):
        """The block shows drawn characters: neither blank nor the boxes of missing glyphs."""
        heading = drive.heading(block_text, style)
        blocks = drive.Screen("heading", [heading], []).laid_out(shot.width, shot.height)
        first_line = [(0, 0, shot.width, 20), (0, 36, shot.width, shot.height - 36)]
        missing = self.references.draw(texts.font, [blocks[0][:5] + (drive.missing_glyphs_of(block_text),)],
                                       shot.width, shot.height)
        blank = self.references.draw(texts.font, [], shot.width, shot.height)
        self.assertGreater(drive.differing_pixels(shot, blank, first_line), 50)
        self.assertGreater(drive.differing_pixels(shot, missing, first_line), 50)


class WholeUpdateTest(ProgramTest):
    def test_update_runs_from_the_language_screen_to_completion_and_the_unit_holds_the_image(self):
        image = self.make_image("vxqmrt6_A__v110.bin", "--version", "1.10")
        program = self.open()  # the default unit: variant A, older, answering in 1 ms
        self.assertEqual(program.title(), "Updater Program")

        widths, colours, code = drive.drive_whole_update(program)

        self.assertEqual(code, 0)
        self.assertGreater(len(set(widths)), 1, "the progress bar did not move")
        self.assertEqual(widths, sorted(widths), "the progress bar went back")
        self.assertEqual(colours, {drive.REGION_ZERO_BAR})
        self.assertNotIn("the unit saw", program.stderr())
        self.assert_unit_holds(image)

    def test_scrambled_image_updates_a_variant_b_unit(self):
        options = ["--version", "1.20", "--date", "20240315", "--seed", "7"]
        self.make_image("vxqmrt6_B__v120.bin", *options, "--scrambled")
        plain = drive.make_image(os.environ["VXQ_IMAGE_MAKER"], os.path.join(self.work, "plain.bin"), *options)
        program = self.start("variant=B,latency=0", drive.english(image_version="1.20"))
        program.find_window()

        _, _, code = drive.drive_whole_update(program)

        self.assertEqual(code, 0)
        self.assertNotIn("the unit saw", program.stderr())
        self.assert_unit_holds(plain)


class ErrorScreenTest(ProgramTest):
    def test_ok_without_a_unit_shows_not_connected_with_its_error_id_and_close_quits(self):
        self.make_image()
        program = self.open("plug=never")
        program.press("Return")
        shot = program.wait_for(drive.not_connected_screen(program.texts))
        program.click_control(shot, "right")
        self.assert_quits(program)

    def test_bad_or_missing_image_shows_the_file_error_with_its_error_id(self):
        cases = [("bad-crc", 0xE05), ("wrong-size", 0xE03), (None, 0xE01)]
        for fault, code in cases:
            with self.subTest(fault=fault):
                for name in os.listdir(self.folder):
                    if name.endswith(".bin"):
                        os.remove(os.path.join(self.folder, name))
                if fault:
                    self.make_image("vxqmrt6_A__v110.bin", "--fault", fault)
                program = self.open("latency=0")
                program.press("Return")
                program.wait_for(drive.file_error_screen(program.texts, code))
                program.press("Return")  # Close holds the focus
                self.assert_quits(program)

    def test_unit_unplugged_during_the_transfer_shows_the_recovery_screen_in_a_grown_window(self):
        self.make_image()
        # At 1 ms an answer, the 3000th report comes some 3 s into the transfer.
        program = self.open("unplug-after=3000")
        program.press("Return")
        program.wait_for(drive.ready_screen(program.texts))
        program.press("Return")
        program.wait_for(drive.updating_screen(program.texts))
        shot = program.wait_for(drive.recovery_screen(program.texts))
        geometry = self.server.run("xdotool", "getwindowgeometry", str(program.window)).stdout
        self.assertIn("Geometry: 800x240", geometry)
        program.click_control(shot, "right")
        self.assert_quits(program)


class ArrivalTest(ProgramTest):
    def test_unit_plugged_in_after_the_start_is_found_and_updated(self):
        image = self.make_image()
        program = self.open(f"plug=after:{PLUG_DELAY_SECONDS},latency=0")
        time.sleep(ARRIVAL_MARGIN_SECONDS)  # the user plugs the unit in, then presses OK

        _, _, code = drive.drive_whole_update(program)

        self.assertEqual(code, 0)
        self.assert_unit_holds(image)


class LanguageTest(ProgramTest):
    def check_language(self, position, texts):
        self.make_image()
        program = self.open("latency=0")
        program.choose_language(position, OFFERED_LANGUAGES)
        program.texts = texts

        shot = program.wait_for(drive.language_screen(texts))
        self.assertEqual(program.title(), texts.title)
        self.assert_real_glyphs(shot, texts, texts.language_title + "\n\n", "bold")
        program.press("Return")
        shot = program.wait_for(drive.ready_screen(texts))
        self.assert_real_glyphs(shot, texts, texts.update_intro, "bold")
        program.click_control(shot, "left")  # Close
        self.assert_quits(program)

    def test_japanese_chosen_in_the_box_shows_the_screens_in_japanese(self):
        self.check_language(JAPANESE_POSITION, japanese())

    def test_russian_chosen_in_the_box_shows_the_screens_in_russian(self):
        self.check_language(RUSSIAN_POSITION, russian())


class LeavingTest(ProgramTest):
    def test_cancel_on_the_language_screen_quits(self):
        self.make_image()
        program = self.open()
        shot = program.shot()
        program.click_control(shot, "left")
        self.assert_quits(program)


class CloseRequestTest(ProgramTest):
    def test_close_requests_of_the_window_manager_leave_the_window_open(self):
        self.make_image()
        # The window manager closes a window that accepts it: the request is real.
        other = self.server.start(["xmessage", "-name", "other", "another window"], stderr=subprocess.DEVNULL)
        other_window = drive.wait_until(lambda: self.server.visible_windows("--classname", "other"),
                                        drive.START_TIMEOUT, "xmessage showed no window")[0]
        self.server.run("wmctrl", "-i", "-c", hex(other_window))
        other.wait(drive.EXIT_TIMEOUT)

        program = self.open()
        self.server.run("wmctrl", "-i", "-c", hex(program.window))
        program.press("alt+F4")
        time.sleep(SETTLE_SECONDS)

        self.assertTrue(program.is_running())
        self.assertIn(program.window, self.server.visible_windows("--pid", str(program.process.pid)))
        shot = program.wait_for(drive.language_screen(program.texts), 0)
        program.click_control(shot, "left")  # Cancel
        self.assert_quits(program)


class SecondStartTest(ProgramTest):
    def test_second_start_opens_no_window_and_brings_the_first_to_the_front(self):
        image = self.make_image()
        # A unit slow to finish each chunk keeps the updating screen up for a while. That screen
        # claims no keyboard focus, so another window can hold it meanwhile.
        first = self.open(f"latency=0,busy={SLOW_CHUNK_BUSY_POLLS}")
        first.press("Return")
        first.wait_for(drive.ready_screen(first.texts))
        first.press("Return")
        first.wait_for(drive.updating_screen(first.texts))
        x, y = self._position(first.window)
        # Another always-on-top window over the first one, active.
        self.server.start(["xmessage", "-name", "cover", "-xrm", "*input: true",
                           "-geometry", f"600x300+{x - 50}+{y - 50}", "covering"], stderr=subprocess.DEVNULL)
        cover = drive.wait_until(lambda: self.server.visible_windows("--classname", "cover"),
                                 drive.START_TIMEOUT, "xmessage showed no window")[0]
        self.server.run("wmctrl", "-i", "-r", hex(cover), "-b", "add,above")
        self.server.run("xdotool", "windowactivate", "--sync", str(cover))
        drive.wait_until(lambda: self._above(cover, first.window) and self.server.focused_window() == cover,
                         drive.SCREEN_TIMEOUT, "the other window did not come over the program's")

        second = self.start()
        self.assertEqual(second.wait_exit(), 0)

        self.assertEqual(self.server.visible_windows("--class", "VXQMRT6UpdateProgram"), [first.window])
        drive.wait_until(lambda: self._above(first.window, cover), drive.SCREEN_TIMEOUT,
                         "the first window did not come to the front")
        drive.wait_until(lambda: self.server.focused_window() == first.window, drive.SCREEN_TIMEOUT,
                         "the first window did not take the keyboard focus")
        # Not the completion screen's doing: that one takes the focus of itself.
        first.wait_for(drive.updating_screen(first.texts), 0)
        first.wait_for(drive.complete_screen(first.texts), drive.UPDATE_TIMEOUT)
        first.press("Return")  # OK
        self.assert_quits(first)
        self.assert_unit_holds(image)

    def _position(self, window):
        values = dict(line.split("=", 1) for line in self.server.run(
            "xdotool", "getwindowgeometry", "--shell", str(window)).stdout.split())
        return int(values["X"]), int(values["Y"])

    def _above(self, window, other):
        order = self.server.client_stacking_order()
        return order.index(window) > order.index(other)


class NoDisplayTest(unittest.TestCase):
    def test_without_a_display_the_program_says_so_in_one_line_and_fails(self):
        work = os.path.join(os.environ["VXQ_E2E_WORK"], "NoDisplayTest")
        shutil.rmtree(work, ignore_errors=True)
        folder = os.path.join(work, "program")
        executable = drive.place_program(os.environ["VXQ_PROGRAM"], folder)
        unused = next(n for n in range(900, 1000) if not os.path.exists(f"/tmp/.X11-unix/X{n}"))
        for display in (None, f":{unused}"):
            with self.subTest(display=display):
                environment = dict(os.environ)
                environment.pop("DISPLAY", None)
                if display:
                    environment["DISPLAY"] = display
                result = subprocess.run([executable], env=environment, capture_output=True, text=True, timeout=30)
                self.assertNotEqual(result.returncode, 0)
                lines = result.stderr.strip().splitlines()
                self.assertEqual(len(lines), 1, result.stderr)
                self.assertIn("display", lines[0])


def list_tests():
    def tests_of(suite):
        for item in suite:
            if isinstance(item, unittest.TestSuite):
                yield from tests_of(item)
            else:
                yield item
    for test in tests_of(unittest.TestLoader().loadTestsFromModule(sys.modules[__name__])):
        print(test.id().split(".", 1)[1])


if __name__ == "__main__":
    if sys.argv[1:] == ["--list"]:
        list_tests()
    else:
        unittest.main(verbosity=2)
