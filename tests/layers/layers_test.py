"""The rooms of src/ include only from themselves and from the rooms below
them, and nothing below the view and the app includes a toolkit or OpenGL
header: the picture of docs/architecture.md, checked on every source file."""

import os
import re
import sys
import unittest

SRC = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src")

# Each room and the rooms it may use.
BELOW = {
    "math": set(),
    "motion": {"math"},
    "figure": {"motion", "math"},
    "export": {"figure", "motion", "math"},
    "compose": {"export", "figure", "motion", "math"},
    "view": {"figure", "motion", "math"},
    "app": {"view", "compose", "export", "figure", "motion", "math"},
}
TOOLKIT_ROOMS = {"view", "app"}

PROJECT_INCLUDE = re.compile(r'^\s*#\s*include\s*"(\w+)/', re.M)
TOOLKIT_INCLUDE = re.compile(r"^\s*#\s*include\s*<(FL|GL)/", re.M)


class Layers(unittest.TestCase):
    def test_every_include_runs_down(self):
        self.assertEqual(set(os.listdir(SRC)) - {"CMakeLists.txt"}, set(BELOW))
        for room, allowed in BELOW.items():
            for name in sorted(os.listdir(os.path.join(SRC, room))):
                with open(os.path.join(SRC, room, name), encoding="utf-8") as f:
                    text = f.read()
                with self.subTest(file=f"{room}/{name}"):
                    used = set(PROJECT_INCLUDE.findall(text)) - {room}
                    self.assertLessEqual(used, allowed, "includes from a room above")
                    if room not in TOOLKIT_ROOMS:
                        self.assertEqual(TOOLKIT_INCLUDE.findall(text), [],
                                         "a toolkit or OpenGL header below the view")


if __name__ == "__main__":
    unittest.main(verbosity=2, argv=sys.argv[:1])
