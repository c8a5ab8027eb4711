#!/usr/bin/env python3
"""Takes the README's picture of the program: the whole 900 x 800 window
after "rhumba" and "cheer", the timeline dragged into the motion and a small turn of
the view. Run it under a private X server:

  tests/run_with_xvfb.sh python3 tests/e2e/take_screenshot.py \\
      build/src/app/kinemora docs/screenshot.png
"""

import argparse
import os
import sys
import tempfile

import kinemora_driver as kd

# Where the timeline's knob is dropped, as a fraction of its track, and the
# turn of the view: from the view's centre a little to the left and up.
TIMELINE_AT = 0.76
TURN_FROM, TURN_TO = (0.5, 0.5), (0.44, 0.47)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("kinemora", help="the desktop program")
    parser.add_argument("png", help="where to write the picture")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory(prefix="kinemora-shot-") as workdir:
        with kd.Kinemora(os.path.abspath(args.kinemora), workdir) as program:
            program.press("rhumba", "cheer")
            program.drag_slider(0.02, TIMELINE_AT)
            program.right_drag(TURN_FROM, TURN_TO, steps=6)
            kd.move_pointer(1200, 1000)  # out of the picture's way
            program.wait_for_steady_view()
            kd.save_png(program.rect("window"), os.path.abspath(args.png))
    print(f"wrote {args.png}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
