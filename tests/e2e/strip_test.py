"""The clip strip on the real program: clips selected by a click or by the
keys and edited, judged on the composition then saved."""

import unittest

import kinemora_driver as kd


class EditingOnTheStrip(kd.ProgramTest):
    def assertSavedWords(self, program, words: str) -> None:
        path = program.save_as("edited.kinemora", item="Save Composition As...")
        with open(path, encoding="utf-8") as f:
            self.assertEqual(f.read(), f"# kinemora composition 1\n{words}\n")

    def test_a_clicked_clip_is_deleted(self):
        program = self.start_program()
        program.press("rhumba", "clap", "bend")
        program.click("strip", 0.5)  # three clips of 110 frames: clap in the middle
        program.key("Delete")
        self.assertSavedWords(program, "rhumba bend")

    def test_the_keys_with_the_strip_focused(self):
        program = self.start_program()
        program.press("rhumba", "clap", "bend")
        program.click("queue")
        # Shift+Tab: the strip, before the queue. Select bend, then clap;
        # delete it, undo, step to bend, delete it; move rhumba later.
        program.key("shift+Tab", "End", "Left", "Delete", "ctrl+z", "Right", "Delete",
                    "Home", "alt+Right")
        self.assertSavedWords(program, "clap rhumba")


if __name__ == "__main__":
    unittest.main(verbosity=2)
