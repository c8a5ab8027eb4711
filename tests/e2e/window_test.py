"""The window's keys and the ways the program ends."""

import os
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
        program.key("ctrl+z", "ctrl+q")  # nothing in effect: nothing unsaved, no question
        self.assertEqual(program.wait_exit(), 0)

    def test_undo_redo_and_the_view_keys_with_the_queue_field_clicked(self):
        program = self.start_program()
        program.press("rhumba", "clap")
        program.click("queue")
        queue, view = program.picture("queue"), program.wait_for_steady_view()
        program.key("ctrl+z")
        undone = program.wait_for_new_picture(queue, "Ctrl+Z to undo the clap", widget="queue")
        program.key("ctrl+shift+z")
        program.wait_for_new_picture(undone, "Ctrl+Shift+Z to redo it", widget="queue")
        program.key("d")
        program.wait_for_new_picture(view, '"d" to move the eye')

    def test_escape_in_the_main_window_does_not_close_it(self):
        program = self.start_program()
        program.key("Escape")
        # Keys are handled in order: once Ctrl+S has opened the dialog,
        # Escape has been dealt with.
        program.key("ctrl+s")
        program.wait_for_chooser()
        self.assertTrue(program.running())
        self.assertIn(program.window, program.windows())


class WhatTheWindowShows(kd.ProgramTest):
    def test_a_press_redraws_the_timeline_for_its_new_length(self):
        program = self.start_program()
        empty = program.picture("slider")  # a range of nothing: the knob in the middle
        program.press("rhumba")
        program.wait_for_new_picture(empty, "the knob at frame 0 of 109", widget="slider")

    def test_the_motion_queue_label_is_inside_the_window(self):
        program = self.start_program()
        label = program.picture("queue label")
        width = program.rect("queue label").w
        background = label[:3]
        left_edge = [label[3 * (row * width + x):][:3] for row in range(len(label) // 3 // width)
                     for x in (0, 1)]
        self.assertFalse(kd.is_uniform(label), "no label")
        self.assertEqual(set(left_edge), {background}, "the label runs off the left edge")

    def test_a_long_name_and_word_opened_at_start_are_told_in_a_box_that_fits(self):
        path = os.path.join(self.workdir, "n" * 200 + ".kinemora")
        with open(path, "w", encoding="utf-8") as f:
            f.write("# kinemora composition 1\nrhumba " + "w" * 300_000 + "\n")
        program = self.start_program(path)
        box = program.wait(program.dialog, "the message about the unknown word")
        screen_width = int(kd.xdotool("getdisplaygeometry").split()[0])
        self.assertLess(kd.window_rect(box).w, screen_width)
        kd.xdotool("windowfocus", "--sync", box)
        kd.xdotool("key", "Return")
        program.wait(lambda: not program.dialog(), "the message to close")
        self.assertEqual(program.title(), "Kinemora")  # nothing opened


class Ending(kd.ProgramTest):
    def test_closing_the_window_ends_the_program_with_status_0(self):
        program = self.start_program()
        program.close_window()
        self.assertEqual(program.wait_exit(), 0)

    def test_unsaved_changes_are_asked_about_first(self):
        program = self.start_program()
        program.press("clap")
        program.wait(lambda: program.title() == "*Untitled - Kinemora", "a changed title")
        program.key("ctrl+q")
        program.answer_question("Cancel")
        program.wait(lambda: not program.question(), "the question to go")
        program.close_window()
        program.answer_question("Don't Save")
        self.assertEqual(program.wait_exit(), 0)

    def test_file_exit_during_playback_saves_the_composition_when_told(self):
        program = self.start_program()
        program.press("cheer")
        program.click("Play")
        program.choose_menu_item("Exit")
        program.answer_question("Save")
        program.chooser_title = "Save Composition As?"  # it has no file yet
        program.type_file_name("quit.kinemora")
        self.assertEqual(program.wait_exit(), 0)
        with open(os.path.join(self.workdir, "quit.kinemora"), encoding="utf-8") as f:
            self.assertEqual(f.read(), "# kinemora composition 1\ncheer\n")


if __name__ == "__main__":
    unittest.main(verbosity=2)
