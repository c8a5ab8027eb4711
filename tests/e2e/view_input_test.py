"""Mouse and keys in the 3D view, judged on the pixels it shows."""

import unittest

import kinemora_driver as kd


class ViewInput(kd.ProgramTest):
    def setUp(self):
        super().setUp()
        self.program = self.start_program()
        self.start_picture = self.program.wait_for_steady_view()

    def wait_for_change(self, since: bytes, what: str) -> bytes:
        self.program.wait_for_steady_view()
        return self.program.wait_for_new_picture(since, what)

    def test_a_right_drag_turns_the_view(self):
        self.program.right_drag((0.5, 0.5), (0.7, 0.45))
        self.wait_for_change(self.start_picture, "the view to turn")

    def test_w_moves_the_eye_and_s_brings_it_back(self):
        self.program.key("w")
        moved = self.wait_for_change(self.start_picture, '"w" to move the eye')
        self.program.key("s")
        back = self.wait_for_change(moved, '"s" to move the eye back')
        self.assertTrue(kd.same_picture(back, self.start_picture),
                        f"{kd.pixels_differing(back, self.start_picture)} pixels differ")

    def test_q_and_a_left_drag_change_nothing(self):
        # "w", then the inputs that must do nothing, then "s": keys and
        # clicks are handled in order, so the picture after "s" shows
        # whatever they did, and it must be the start picture again.
        self.program.key("w")
        moved = self.wait_for_change(self.start_picture, '"w" to move the eye')
        self.program.key("q")
        self.program.drag("view", (0.5, 0.5), (0.7, 0.45), button=1)
        self.program.key("s")
        after = self.wait_for_change(moved, '"s" to move the eye back')
        self.assertTrue(kd.same_picture(after, self.start_picture),
                        f'"q" or a left drag changed the view: '
                        f'{kd.pixels_differing(after, self.start_picture)} pixels differ')

    def test_q_alone_leaves_the_picture_as_it_was(self):
        self.program.key("q")
        self.assertStaysUnchanged(self.program, self.start_picture, '"q"')


if __name__ == "__main__":
    unittest.main(verbosity=2)
