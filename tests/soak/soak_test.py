"""A long, rough session with the sanitizer build of the desktop program.

A seeded random sequence of what a person does (motion buttons, "add
noise", "clear", Play on and off, timeline drags, right and left drags and
keys in the view, saves and cancelled saves) goes to kinemora under
AddressSanitizer, LeakSanitizer and UBSan. The program must stay up and
answer, every saved file must hold the frames the timeline shows, no
sanitizer report may come from the project's own code, and the resident
memory must not climb while the stored frames stay bounded.

Environment: KINEMORA (the sanitizer build's program), KINEMORA_SOURCE_DIR
(the project's sources, to tell its frames in stacks), KINEMORA_LSAN_SUPP
(the suppressions for system libraries); KINEMORA_SOAK_SEED and
KINEMORA_SOAK_STEPS_PER_PHASE change the sequence and its length. The
run's files stay in ./soak-run for a look afterwards.
"""

import os
import random
import re
import shutil
import statistics
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import kinemora_driver as kd  # noqa: E402

SEED = int(os.environ.get("KINEMORA_SOAK_SEED", "20240611"))
PHASES = 5
STEPS_PER_PHASE = int(os.environ.get("KINEMORA_SOAK_STEPS_PER_PHASE", "140"))
# Stops early (and says so) rather than run past ctest's timeout on a
# slow machine.
TIME_BUDGET_S = 220

# The memory criterion. Each phase ends with opening an empty composition,
# a fresh start that lets go of the frames and of the undo history (which
# keeps what "clear" empties, to bring it back), and the resident memory is
# read then. Stored frames are kept under FRAME_CAP by a "clear" before the
# next motion. A phase appends some 4,000 to 5,000 frames (about 3 MB of
# tracks), so frames kept after the fresh start would add about 10 MB by the
# last phases; anything else that grows with use shows the same way. The last
# phases may hold at most RSS_SLACK_KB more than the first (which has
# warmed up fonts, the chooser and the GL pipeline). ASan's quarantine of
# freed blocks is held to 1 MB: its filling, which depends on what was
# freed last (frames, or the software renderer's per-picture memory),
# would otherwise move the figure by several MB from one reading to the
# next; with 1 MB readings move by about 1.5 MB. (The unit tests run with
# the full quarantine.)
FRAME_CAP = 6000
FRESH_START = "fresh-start.kinemora"  # an empty composition
RSS_SLACK_KB = 4 * 1024

PUNCHES = ("punchR", "punchL")
# Keys a person might hit in the view. No space (it would press whichever
# button has the focus, behind the timeline model's back) and no Alt or
# Ctrl (menus; saving has its own step).
VIEW_KEYS = ("w", "s", "a", "d", "q", "e", "x", "z", "1", "W", "Left", "Right", "Up", "Down",
             "Home", "End", "Tab", "Escape", "Return", "BackSpace", "F1")

SANITIZER_EXIT_CODE = 23


class TimelineModel:
    """What the timeline must hold after the presses so far."""

    def __init__(self):
        self.frames = 0
        self.last = None

    def press(self, motion: str) -> None:
        repeat = motion == self.last or (motion in PUNCHES and self.last in PUNCHES)
        length = 13 if motion in PUNCHES else 97
        if not repeat:
            self.frames += 13
        self.frames += length
        self.last = motion

    def clear(self) -> None:
        self.frames = 0

    def restart(self) -> None:
        self.clear()
        self.last = None


def resident_kb(pid: int) -> int:
    with open(f"/proc/{pid}/status") as f:
        return int(re.search(r"VmRSS:\s+(\d+) kB", f.read()).group(1))


def frames_in_file(path: str):
    """The frame count a BVH file declares, and the number of frame lines
    it holds."""
    with open(path) as f:
        text = f.read()
    declared = int(re.search(r"^Frames:\s*(\d+)", text, re.M).group(1))
    after = re.split(r"^Frame Time:.*$", text, maxsplit=1, flags=re.M)[1].splitlines()
    return declared, len([line for line in after if line.strip()])


class Session:
    """The random person: one step at a time, each picked by weight."""

    def __init__(self, program: kd.Kinemora, rng: random.Random, test: unittest.TestCase):
        self.program = program
        self.rng = rng
        self.test = test
        self.model = TimelineModel()
        self.saves = 0
        self.counts = {}
        self.steps = [
            # weight, step
            (22, self.motion),
            (4, self.noise),
            (5, self.clear),
            (5, self.play),
            (7, self.slider_drag),
            (8, self.right_drag),
            (2, self.other_drag),
            (3, self.wander),
            (10, self.keys),
            (3, self.save),
            (3, self.cancel),
            (3, self.undo_redo),
        ]

    def step(self) -> None:
        weights = [w for w, _ in self.steps]
        chosen = self.rng.choices([s for _, s in self.steps], weights)[0]
        self.counts[chosen.__name__] = self.counts.get(chosen.__name__, 0) + 1
        chosen()

    def view_point(self, margin: float = 0.0):
        return (self.rng.uniform(-margin, 1 + margin), self.rng.uniform(-margin, 1 + margin))

    # --- the steps ----------------------------------------------------------

    def motion(self) -> None:
        if self.model.frames > FRAME_CAP:
            self.clear()
        motion = self.rng.choice(kd.MOTIONS)
        self.program.press(motion)
        self.model.press(motion)

    def noise(self) -> None:
        self.program.press("noise")

    def clear(self) -> None:
        self.program.press("clear")
        self.model.clear()

    def play(self) -> None:
        self.program.click("Play")

    def slider_drag(self) -> None:
        self.program.drag_slider(self.rng.random(), self.rng.random(),
                                 steps=self.rng.randint(2, 15))

    def right_drag(self) -> None:
        # Now and then past the view's edge, where the trackball meets its rim.
        self.program.right_drag(self.view_point(), self.view_point(margin=0.15),
                                steps=self.rng.randint(2, 15))

    def other_drag(self) -> None:
        self.program.drag("view", self.view_point(), self.view_point(),
                          button=self.rng.choice((1, 2)), steps=self.rng.randint(2, 8))

    def wander(self) -> None:
        view = self.program.rect("view")
        for _ in range(self.rng.randint(2, 8)):
            kd.move_pointer(*view.point(*self.view_point()))

    def keys(self) -> None:
        keys = [self.rng.choice(VIEW_KEYS) for _ in range(self.rng.randint(1, 6))]
        self.program.key(*keys)

    def save(self) -> None:
        self.saves += 1
        by = self.rng.choice(("menu", "key"))
        path = self.program.save_as(f"take-{self.saves:03d}.bvh", by=by)
        declared, lines = frames_in_file(path)
        self.test.assertEqual((declared, lines), (self.model.frames, self.model.frames),
                              f"{path}: frames declared and written against the timeline")

    def undo_redo(self) -> None:
        # Taken back and done again: nothing changes, whatever came last.
        self.program.key("ctrl+z", self.rng.choice(("ctrl+y", "ctrl+shift+z")))

    def cancel(self) -> None:
        self.program.open_chooser(by=self.rng.choice(("menu", "key")))
        self.program.cancel_chooser(by=self.rng.choice(("button", "escape")))


def sanitizer_reports(log_dir: str):
    """The reports in the sanitizer logs, each as its text."""
    reports = []
    for name in sorted(os.listdir(log_dir)):
        if not name.startswith("sanitizer."):
            continue
        with open(os.path.join(log_dir, name), errors="replace") as f:
            # The table of suppressions used closes a leak check.
            text = f.read().split("Suppressions used:")[0].rstrip("-\n")
        # A leak check prints one block per leak; other errors one per log.
        blocks = re.split(r"\n(?=(?:Direct|Indirect) leak of )", text)
        # The header of a leak check carries no stack of its own.
        reports += [b.strip() for b in blocks if "#0 " in b or "runtime error" in b
                    # LeakSanitizer itself failing (stopping the threads it
                    # scans) is the tool's fault, and has no stack.
                    or "encountered a fatal error" in b]
    return reports


def sanitizer_logs(log_dir: str) -> str:
    """The sanitizer logs whole, for a failure that no report explains."""
    names = sorted(n for n in os.listdir(log_dir) if n.startswith("sanitizer."))
    return "\n".join(open(os.path.join(log_dir, n), errors="replace").read()[-4000:]
                     for n in names)


def from_project(report: str, source_dir: str) -> bool:
    return source_dir in report or "kinemora::" in report


class SoakTest(unittest.TestCase):
    def setUp(self):
        self.source_dir = os.path.realpath(os.environ["KINEMORA_SOURCE_DIR"]) + "/src/"
        self.workdir = os.path.abspath("soak-run")
        shutil.rmtree(self.workdir, ignore_errors=True)
        os.makedirs(self.workdir)

    def sanitized_environment(self) -> dict:
        log_prefix = os.path.join(self.workdir, "sanitizer")
        env = dict(os.environ)
        # The fast unwinder stops at system libraries built without frame
        # pointers, but the project's own code keeps them: an allocation it
        # makes shows its frames. (The slow unwinder makes software OpenGL
        # too slow to use.) A small quarantine: see RSS_SLACK_KB.
        env["ASAN_OPTIONS"] = (f"detect_leaks=1:log_path={log_prefix}:quarantine_size_mb=1:"
                               f"exitcode={SANITIZER_EXIT_CODE}")
        env["UBSAN_OPTIONS"] = f"print_stacktrace=1:halt_on_error=1:log_path={log_prefix}"
        env["LSAN_OPTIONS"] = (f"suppressions={os.environ['KINEMORA_LSAN_SUPP']}:"
                               "print_suppressions=1")
        return env

    def test_a_long_rough_session(self):
        program = kd.Kinemora(os.environ["KINEMORA"], self.workdir,
                              env=self.sanitized_environment())
        self.addCleanup(program.kill)
        try:
            program.start()
            rss_after_phase = self.drive(program)
            self.check_it_answers(program)
            # Closed normally, so that LeakSanitizer looks at what is left.
            program.close_window()
            program.answer_question("Don't Save")
            status = program.wait_exit(timeout=180)
        except Exception as failure:
            if program.running():
                raise
            # Ended under the session: the sanitizers will have said why.
            self.fail(f"{failure}\nkinemora ended with status {program.process.returncode}; "
                      f"log: {program.log()}\n" + "\n\n".join(
                          r[:6000] for r in sanitizer_reports(self.workdir)))

        reports = sanitizer_reports(self.workdir)
        own = [r for r in reports if from_project(r, self.source_dir)]
        others = [r for r in reports if not from_project(r, self.source_dir)]
        for report in others:
            print("sanitizer report outside the project's code:\n" + report[:3000])
        self.assertEqual(own, [], "sanitizer reports in the project's code:\n\n" +
                         "\n\n".join(r[:6000] for r in own))
        self.assertIn(status, (0, SANITIZER_EXIT_CODE) if others else (0,),
                      f"exit status; log: {program.log()}\nsanitizer logs:\n" +
                      sanitizer_logs(self.workdir))

        # Memory: with the stored frames bounded and cleared at the end of
        # each phase, the last phases must not hold noticeably more than the
        # first. The lower of the last two: growth stays, a passing peak
        # of one phase does not.
        growth = min(rss_after_phase[-2:]) - rss_after_phase[0]
        self.assertLessEqual(growth, RSS_SLACK_KB,
                             f"resident memory grew by {growth} kB from the first phase to the "
                             f"last ones with no more frames stored: {rss_after_phase}")

    def drive(self, program: kd.Kinemora):
        """The random session, phase by phase; returns the resident memory
        after each phase."""
        pid = program.process.pid
        # The queue text before and after one "rhumba" from empty: what
        # "the program answers" looks like at the end.
        self.empty_queue = program.picture("queue")
        self.session = session = Session(program, random.Random(SEED), self)
        program.press("rhumba")
        session.model.press("rhumba")
        self.one_rhumba = program.wait_for_new_picture(
            self.empty_queue, 'the queue text to show "rhumba"', widget="queue")

        with open(os.path.join(self.workdir, FRESH_START), "w", encoding="utf-8") as f:
            f.write("# kinemora composition 1\n")
        started = time.monotonic()
        rss_after_phase = []
        rss_peak = 0
        steps_done = 0
        for _ in range(PHASES):
            for _ in range(STEPS_PER_PHASE):
                if time.monotonic() - started > TIME_BUDGET_S:
                    break
                self.assertTrue(program.running(), "kinemora ended")
                session.step()
                steps_done += 1
                rss_peak = max(rss_peak, resident_kb(pid))
            rss_after_phase.append(self.settled_rss(program))

        print(f"seed {SEED}: {steps_done} of {PHASES * STEPS_PER_PHASE} steps in "
              f"{time.monotonic() - started:.0f} s, {session.saves} saves; "
              f"steps by kind: {session.counts}")
        print(f"resident memory after each phase (kB): {rss_after_phase}, peak {rss_peak}")
        return rss_after_phase

    def check_it_answers(self, program: kd.Kinemora) -> None:
        """Still up and answering: "clear" empties the queue text, a motion
        button fills it again, and a save holds that motion's frames. The
        window's picture stays in soak-run/after.png."""
        self.assertTrue(program.running(), "kinemora ended")
        self.assertIn(program.window, program.windows())
        program.press("clear")
        self.session.model.clear()
        program.wait_for_picture(self.empty_queue, "clear to empty the queue text",
                                 widget="queue")
        program.press("rhumba")
        self.session.model.press("rhumba")
        program.wait_for_picture(self.one_rhumba, 'the queue text to show "rhumba"',
                                 widget="queue")
        self.session.save()
        kd.save_png(program.rect("window"), os.path.join(self.workdir, "after.png"))

    def settled_rss(self, program: kd.Kinemora) -> int:
        """Resident memory after a fresh start (no frames, no history), once
        the program is idle."""
        program.open_composition(FRESH_START, answer="Don't Save")
        self.session.model.restart()
        # Turned to the sky, the view may show black only.
        program.wait_for_steady_view(blank_allowed=True)
        samples = []
        for _ in range(5):
            samples.append(resident_kb(program.process.pid))
            time.sleep(0.2)
        return int(statistics.median(samples))


if __name__ == "__main__":
    unittest.main(verbosity=2)
