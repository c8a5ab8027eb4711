"""Play on the real program: the picture moves while the light is on,
stands still once it is off, and "clear" brings back the rest pose."""

import unittest

import kinemora_driver as kd


class Playback(kd.ProgramTest):
    def setUp(self):
        super().setUp()
        self.program = self.start_program()
        # Nothing stored yet: the figure stands in its rest pose.
        self.rest_pose = self.program.wait_for_steady_view()

    def test_play_keeps_the_picture_moving_until_it_is_switched_off(self):
        self.program.press("rhumba", "clap")
        self.program.click("Play")
        picture = self.rest_pose
        for step in range(6):
            picture = self.program.wait_for_new_picture(
                picture, f"playback to move on (step {step})", timeout=10)

        self.program.click("Play")
        still = self.program.wait_for_steady_view()
        self.assertStaysUnchanged(self.program, still, "after Play was switched off")

    def test_clear_during_playback_shows_the_rest_pose(self):
        self.program.press("cheer")
        self.program.click("Play")
        self.program.wait_for_new_picture(self.rest_pose, "playback to move the figure",
                                          timeout=10)
        self.program.press("clear")
        self.program.wait_for_picture(self.rest_pose, "the rest pose after clear", timeout=10)
        # Play is still on, showing frame 0 of nothing: the rest pose.
        self.assertStaysUnchanged(self.program, self.rest_pose, "playing after clear")


if __name__ == "__main__":
    unittest.main(verbosity=2)
