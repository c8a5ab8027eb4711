#!/usr/bin/env python3
"""Takes the README's pictures of the program: the whole 900 x 800 window
after ten motions, one clip selected on the strip, the timeline dragged into
the motion and a small turn of the view; with --strip-1000, the timeline and
the strip of a 1,000-clip composition with a range selected. Run it under a
private X server:

  tests/run_with_xvfb.sh python3 tests/e2e/take_screenshot.py \\
      build/src/app/kinemora docs/screenshot.png [--strip-1000 docs/strip-1000.png]
"""

import argparse
import os
import sys
import tempfile

import kinemora_driver as kd

ACTIONS = "rhumba clap noise bend punchR punchL noise cheer seizure rhumba noise clap bend"
SELECTED_AT = 0.64  # on the strip: the second rhumba
# Where the timeline's knob is dropped, as a fraction of its track, and the
# turn of the view: from the view's centre a little to the left and up.
TIMELINE_AT = 0.26
TURN_FROM, TURN_TO = (0.5, 0.5), (0.44, 0.47)


def window_picture(program: kd.Kinemora, png: str) -> None:
    program.press(*ACTIONS.split())
    program.click("strip", SELECTED_AT)
    program.drag_slider(0.02, TIMELINE_AT)
    program.right_drag(TURN_FROM, TURN_TO, steps=6)
    kd.move_pointer(1200, 1000)  # out of the picture's way
    program.wait_for_steady_view()
    kd.save_png(program.rect("window"), png)


def strip_picture(program: kd.Kinemora, png: str) -> None:
    program.click("strip", 0.40)
    kd.xdotool("keydown", "shift")
    program.click("strip", 0.46)
    kd.xdotool("keyup", "shift")
    program.drag_slider(0.02, 0.7)
    kd.move_pointer(1200, 1000)
    program.wait_for_steady_view()
    slider, strip = program.rect("slider"), program.rect("strip")
    kd.save_png(kd.Rect(slider.x, slider.y, slider.w, strip.y + strip.h - slider.y), png)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("kinemora", help="the desktop program")
    parser.add_argument("png", help="where to write the picture of the window")
    parser.add_argument("--strip-1000", help="where to write the picture of 1,000 clips")
    args = parser.parse_args()
    kinemora = os.path.abspath(args.kinemora)

    with tempfile.TemporaryDirectory(prefix="kinemora-shot-") as workdir:
        with kd.Kinemora(kinemora, workdir) as program:
            window_picture(program, os.path.abspath(args.png))
        if args.strip_1000:
            # The seven motions in turn, noise on every other clip.
            words = " ".join(f"{kd.MOTIONS[i % 7]} noise" for i in range(1000))
            composition = os.path.join(workdir, "long.kinemora")
            with open(composition, "w", encoding="utf-8") as f:
                f.write(f"# kinemora composition 1\n{words}\n")
            with kd.Kinemora(kinemora, workdir, args=(composition,)) as program:
                strip_picture(program, os.path.abspath(args.strip_1000))
    print(f"wrote {args.png}" + (f" and {args.strip_1000}" if args.strip_1000 else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
