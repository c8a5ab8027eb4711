"""The window's keys and the ways the program ends."""

import unittest

import kinemora_driver as kd


class MenuShortcuts(kd.ProgramTest):
    def test_ctrl_s_opens_the_save_dialog(self):
        program = self.start_program()
        program.key("ctrl+s")
        program.wait_for_chooser()
        program.cancel_chooser(by="escape")
        self.assertTrue(program.running())

    def test_ctrl_q_ends_the_program_with_status_0(self):
        program = self.start_program()
        program.press("rhumba")
        program.key("ctrl+q")
        self.assertEqual(program.wait_exit(), 0)

    def test_escape_in_the_main_window_does_not_close_it(self):
        program = self.start_program()
        program.key("Escape")
        # Keys are handled in order: once Ctrl+S has opened the dialog,
        # Escape has been dealt with.
        program.key("ctrl+s")
        program.wait_for_chooser()
        self.assertTrue(program.running())
        self.assertIn(program.window, program.windows())


class Ending(kd.ProgramTest):
    def test_closing_the_window_ends_the_program_with_status_0(self):
        program = self.start_program()
        program.press("clap")
        program.close_window()
        self.assertEqual(program.wait_exit(), 0)

    def test_file_exit_during_playback_ends_the_program_with_status_0(self):
        program = self.start_program()
        program.press("cheer")
        program.click("Play")
        program.choose_menu_item("Exit")
        self.assertEqual(program.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
