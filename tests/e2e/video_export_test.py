"""File > Export Video on the real program: cancelled halfway, it leaves
neither the file nor its temporary file, and the window goes on."""

import os
import unittest

import kinemora_driver as kd


class CancelledVideoExport(kd.ProgramTest):
    def test_cancel_leaves_no_file(self):
        long = os.path.join(self.workdir, "long.kinemora")  # minutes of pictures
        with open(long, "w") as f:
            f.write("# kinemora composition 1\n" + "rhumba clap cheer\n" * 60)
        program = self.start_program(long)
        before = set(os.listdir(self.workdir))
        program.open_chooser("menu", "Export Video...")
        program.type_file_name("cancelled")
        program.wait_chooser_closed()
        dialog = program.wait(program.dialog, "the progress dialog")
        program.wait(lambda: set(os.listdir(self.workdir)) - before, "the temporary file")
        kd.xdotool("windowfocus", "--sync", dialog)
        kd.xdotool("key", "Escape")
        program.wait(lambda: not program.dialog(), "the progress dialog to close")
        self.assertEqual(set(os.listdir(self.workdir)), before)
        queue = program.picture("queue")
        program.press("clap")  # the window still answers
        program.wait_for_new_picture(queue, "the motion queue after a press", widget="queue")


if __name__ == "__main__":
    unittest.main(verbosity=2)
