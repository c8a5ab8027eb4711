"""File > Save File on the real program: what it writes, cancelling, and a
save that cannot be written; and what File > Export glTF writes."""

import os
import unittest

import kinemora_driver as kd


class SaveWritesWhatComposeWrites(kd.ProgramTest):
    """The saved file is byte for byte what kinemora-compose writes after
    the same presses in a freshly started program."""

    # Transitions, repeats, the punch family, noise on and off, clear
    # keeping the last motion, seizure's random shape, nothing at all.
    SEQUENCES = (
        "rhumba clap",
        "punchR punchL noise cheer",
        "rhumba clear rhumba",
        "seizure noise bend noise clap",
        "",
    )

    def test_each_sequence_in_a_fresh_program(self):
        for number, actions in enumerate(self.SEQUENCES):
            with self.subTest(actions=actions):
                program = self.start_program()
                program.press(*actions.split())
                saved = program.save_as(f"saved-{number}.bvh")
                expected = kd.compose(actions, os.path.join(self.workdir, f"ref-{number}.bvh"))
                self.assertSameFile(saved, expected, repr(actions))
                program.close_window()
                if actions:
                    program.answer_question("Don't Save")
                self.assertEqual(program.wait_exit(), 0)

    def test_a_later_save_holds_every_press_since_start(self):
        program = self.start_program()
        program.press("bend", "punchL")
        first = program.save_as("first.bvh", by="menu")
        program.press("noise", "punchL", "cheer")
        second = program.save_as("second.bvh", by="key")
        self.assertSameFile(first, kd.compose("bend punchL", self.ref("a")), "first save")
        self.assertSameFile(second, kd.compose("bend punchL noise punchL cheer", self.ref("b")),
                            "second save")

    def test_an_export_is_the_glb_compose_writes(self):
        program = self.start_program()
        program.press("clap", "noise", "punchR")
        exported = program.export_as("exported", written="exported.glb")  # ".glb" added
        self.assertSameFile(exported, kd.compose("clap noise punchR",
                                                 os.path.join(self.workdir, "ref.glb")), "export")

    def ref(self, name):
        return os.path.join(self.workdir, f"ref-{name}.bvh")


class UndoAndCompositions(kd.ProgramTest):
    def test_undo_and_redo_by_menu_and_keys(self):
        program = self.start_program()
        program.press("rhumba", "clap")
        program.choose_menu_item("Undo")
        program.key("ctrl+y", "ctrl+z", "ctrl+shift+z", "ctrl+z")
        program.press("cheer")
        saved = program.save_as("undone.bvh")
        self.assertSameFile(saved, kd.compose("rhumba cheer", self.ref("undone")),
                            "clap undone, redone, undone, redone, undone")

    def test_a_saved_composition_opens_to_the_same_animation(self):
        program = self.start_program()
        program.press("punchR", "noise", "bend", "seizure")
        program.key("ctrl+z")
        path = program.save_as("round.kinemora", by="key", item="Save Composition")
        with open(path, encoding="utf-8") as f:
            self.assertEqual(f.read(), "# kinemora composition 1\npunchR noise bend\n")
        self.assertEqual(program.title(), "round.kinemora - Kinemora")
        program.press("clap")
        program.wait(lambda: program.title() == "*round.kinemora - Kinemora", "a changed title")
        program.key("ctrl+shift+s")  # to its own file, without asking
        program.wait(lambda: program.title() == "round.kinemora - Kinemora", "the saved title")
        with open(path, encoding="utf-8") as f:
            self.assertEqual(f.read(), "# kinemora composition 1\npunchR noise bend clap\n")
        program.key("ctrl+z")

        program.open_composition("round.kinemora", by="menu", answer="Don't Save")
        program.wait(lambda: program.title() == "round.kinemora - Kinemora", "the file's title")
        saved = program.save_as("reopened.bvh")
        self.assertSameFile(saved, kd.compose(f"-c {path}", self.ref("reopened")),
                            "the reopened composition against kinemora-compose -c")

    def ref(self, name):
        return os.path.join(self.workdir, f"ref-{name}.bvh")


class CancelledSave(kd.ProgramTest):
    def test_cancel_writes_nothing_and_the_program_goes_on(self):
        program = self.start_program()
        program.press("clap")
        before = sorted(os.listdir(self.workdir))
        program.open_chooser(by="menu")
        program.cancel_chooser(by="button")
        program.open_chooser(by="key")
        program.cancel_chooser(by="escape")
        self.assertEqual(sorted(os.listdir(self.workdir)), before)
        program.press("clap")
        saved = program.save_as("after-cancel.bvh")
        self.assertSameFile(saved, kd.compose("clap clap", self.ref()), "save after cancels")

    def ref(self):
        return os.path.join(self.workdir, "ref.bvh")


class FailedSave(kd.ProgramTest):
    def test_an_animation_is_never_saved_under_a_composition_name(self):
        program = self.start_program()
        program.press("rhumba")
        program.open_chooser(by="key")
        program.type_file_name("anim.kinemora")
        program.wait_chooser_closed()
        kd.xdotool("windowfocus", "--sync", program.wait(program.dialog, "the refusal"))
        kd.xdotool("key", "Return")
        program.cancel_chooser()  # it asks again
        self.assertFalse(os.path.exists(os.path.join(self.workdir, "anim.kinemora")))

    def test_a_path_in_a_missing_folder_shows_an_alert_and_the_program_stays_up(self):
        program = self.start_program()
        program.press("rhumba")
        program.open_chooser()
        before = program.windows()
        program.type_file_name("missing/out.bvh")
        program.wait_chooser_closed()

        alert = program.wait_for_new_window(before, "an alert about the failed save")
        self.assertTrue(program.running())
        self.assertFalse(os.path.exists(os.path.join(self.workdir, "missing")))

        # Dismissed with Enter, the alert goes and the program answers.
        kd.xdotool("windowfocus", "--sync", alert)
        kd.xdotool("key", "Return")
        program.wait(lambda: alert not in program.windows(), "the alert to close")
        # The chooser now opens in the missing folder.
        program.press("cheer")
        saved = program.save_as("../after-failure.bvh",
                                shown_folder=os.path.join(self.workdir, "missing"))
        self.assertSameFile(saved, kd.compose("rhumba cheer", os.path.join(self.workdir, "ref.bvh")),
                            "save after a failed one")


if __name__ == "__main__":
    unittest.main(verbosity=2)
