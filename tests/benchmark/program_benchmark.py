#!/usr/bin/python3
"""Figures of the real program against the simulated unit, on a private X
server: the whole update's time at a given answer latency, set against the
answers' own time plus the fixed waits; the program's CPU use on the ready
screen and during the transfer; its peak memory. A timing program, not a test.

    program_benchmark.py --program EXE --image-maker TOOL --reference-tool TOOL [--latency MS ...]
"""

import argparse
import os
import sys
import tempfile
import time

# No compiled copy of the driver left in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

import drive  # noqa: E402

# What the program waits by design: 100 ms before each of the 16 chunks' poll,
# and 1 ms at the top of every pass of the worker (about four passes a chunk).
CHUNKS = 16
FIXED_WAITS_SECONDS = CHUNKS * 0.100 + (CHUNKS * 4 + 2) * 0.001
READY_SAMPLE_SECONDS = 5.0
# The share of the expected transfer time that passes before the first look for the completion screen.
QUIET_SHARE = 0.9


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def peak_memory_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def measure(arguments, latency, expected_seconds):
    work = tempfile.mkdtemp(prefix="vxq-bench-")
    server = drive.XServer(work, window_manager=True)
    try:
        image = drive.make_image(arguments.image_maker, os.path.join(work, "image.bin"), "--version", "1.10",
                                 "--date", "20240615")
        folder = os.path.join(work, "program")
        executable = drive.place_program(arguments.program, folder, image)
        program = drive.Program(server, executable, folder, drive.References(arguments.reference_tool, work),
                                scenario=f"latency={latency}")
        pid = program.process.pid
        texts = program.texts
        program.find_window()
        program.wait_for(drive.language_screen(texts))
        program.press("Return")
        program.wait_for(drive.ready_screen(texts))

        before = cpu_seconds(pid)
        time.sleep(READY_SAMPLE_SECONDS)
        ready_cpu = (cpu_seconds(pid) - before) / READY_SAMPLE_SECONDS

        before, started = cpu_seconds(pid), time.monotonic()
        program.press("Return")
        complete = drive.complete_screen(texts)
        # Screenshots taken all along would slow the program down: look only near the end.
        time.sleep(max(0.0, QUIET_SHARE * expected_seconds - (time.monotonic() - started)))
        while drive.mismatch(complete, texts, program.shot(), program.references) is not None:
            if time.monotonic() - started > 600:
                raise drive.DriveError("the update did not complete")
            time.sleep(0.02)
        transfer_seconds = time.monotonic() - started
        transfer_cpu = (cpu_seconds(pid) - before) / transfer_seconds
        peak = peak_memory_kib(pid)
        program.press("Return")
        program.wait_exit()
        return ready_cpu, transfer_seconds, transfer_cpu, peak
    finally:
        server.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--image-maker", required=True)
    parser.add_argument("--reference-tool", required=True)
    parser.add_argument("--latency", type=int, action="append")
    arguments = parser.parse_args()

    # Every report but the finish report waits for its own answer.
    answered_reports = 30736
    for latency in arguments.latency or [0, 1]:
        expected = answered_reports * latency / 1000.0 + FIXED_WAITS_SECONDS
        ready_cpu, seconds, transfer_cpu, peak = measure(arguments, latency, expected)
        print(f"latency {latency} ms per answer:")
        print(f"  from Start to the completion screen: {seconds:.2f} s "
              f"(answers and fixed waits alone: {expected:.2f} s, {100 * (seconds / expected - 1):+.1f} %)")
        print(f"  CPU on the ready screen: {100 * ready_cpu:.1f} % of one core")
        print(f"  CPU during the transfer: {100 * transfer_cpu:.1f} % of one core")
        print(f"  peak memory: {peak / 1024:.1f} MiB")
    return 0


if __name__ == "__main__":
    sys.exit(main())
