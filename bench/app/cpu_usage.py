#!/usr/bin/env python3
"""CPU used by the real kinemora program, measured from outside.

Starts the program on the display in $DISPLAY, leaves it alone for a while
and reads its user + system time from /proc/PID/stat before and after:
first idle (nothing pressed, the pointer away from the window), then while
playing (one "rhumba" pressed, Play on), then idle again with Play off.
The figures are shares of one core. Run it under a private X server:

  tests/run_with_xvfb.sh python3 bench/app/cpu_usage.py build/src/app/kinemora
"""

import argparse
import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "..", "tests", "e2e"))
import kinemora_driver as kd  # noqa: E402

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid: int) -> float:
    """User + system time of the whole process (every thread)."""
    with open(f"/proc/{pid}/stat") as f:
        # The command name may hold spaces; the fields after it do not.
        fields = f.read().rsplit(")", 1)[1].split()
    utime, stime = int(fields[11]), int(fields[12])
    return (utime + stime) / CLOCK_TICKS


def share_of_a_core(pid: int, seconds: float) -> float:
    cpu_before, wall_before = cpu_seconds(pid), time.monotonic()
    time.sleep(seconds)
    cpu_after, wall_after = cpu_seconds(pid), time.monotonic()
    return 100.0 * (cpu_after - cpu_before) / (wall_after - wall_before)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("kinemora", help="the desktop program to measure")
    parser.add_argument("--seconds", type=float, default=5.0,
                        help="length of each measurement (default 5)")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory(prefix="kinemora-cpu-") as workdir:
        program = kd.Kinemora(os.path.abspath(args.kinemora), workdir)
        try:
            program.start()
            pid = program.process.pid
            kd.move_pointer(1200, 1000)  # off the window: no pointer events
            time.sleep(1.0)  # let start-up work settle

            idle = share_of_a_core(pid, args.seconds)

            program.press("rhumba")
            program.click("Play")
            kd.move_pointer(1200, 1000)
            time.sleep(1.0)
            playing = share_of_a_core(pid, args.seconds)

            program.click("Play")
            kd.move_pointer(1200, 1000)
            time.sleep(1.0)
            idle_after = share_of_a_core(pid, args.seconds)

            program.close_window()
            status = program.wait_exit()
        finally:
            program.kill()

    print(f"CPU of one core over {args.seconds:g} s each (clock tick {1000 / CLOCK_TICKS:g} ms):")
    print(f"  idle at start:        {idle:6.2f} %   (target under 2 %)")
    print(f"  playing (rhumba):     {playing:6.2f} %")
    print(f"  idle after Play off:  {idle_after:6.2f} %")
    print(f"exit status after closing the window: {status}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
