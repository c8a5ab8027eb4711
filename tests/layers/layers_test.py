"""The rooms of src/ include only from themselves and from the rooms below
them, and an outside library's headers only where they belong (the toolkit
in the app, OpenGL in the view and above): the picture of
docs/architecture.md, checked on every source file.
The libraries below the view hold no writable static data, so that two
compositions can live side by side: checked on the built libraries."""

import os
import re
import subprocess
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
    "encode": {"export", "figure", "motion", "math"},
    "video": {"encode", "view", "export", "figure", "motion", "math"},
    "cli": {"video", "encode", "view", "compose", "export", "figure", "motion", "math"},
    "app": {"video", "encode", "view", "compose", "export", "figure", "motion", "math"},
}
# The rooms that may include each outside library's headers.
HEADER_ROOMS = {
    "FL/": {"app"},
    "GL/": {"view", "video", "app"},
    "EGL/": {"video"},
    "libav": {"encode"},
    "libsw": {"encode"},
    "gif_lib.h": {"encode"},
}

# Writable static data a library may hold: the record of the temporary file
# that the signal handler of a save must reach.
WRITABLE_ALLOWED = {"export": {"pending"}}
WRITABLE_SECTION = re.compile(r"^\.(data|bss)(?!\.rel\.ro)")

PROJECT_INCLUDE = re.compile(r'^\s*#\s*include\s*"(\w+)/', re.M)
SYSTEM_INCLUDE = re.compile(r"^\s*#\s*include\s*<([^>]+)>", re.M)


def writable_objects(library):
    """The data objects of a static library in writable sections (.data,
    .bss; not .data.rel.ro, which is read-only once relocated)."""
    table = subprocess.run(["objdump", "-t", "-C", library], check=True, capture_output=True,
                           text=True).stdout
    found = set()
    for line in table.splitlines():
        fields = line.split(None, 5)
        if len(fields) == 6 and " O " in line and WRITABLE_SECTION.match(fields[3]):
            name = fields[5]
            # The compiler's pointer to its exception handler, and the
            # markers AddressSanitizer gives each global: not ours.
            if "DW.ref." not in name and not name.startswith(("__odr_asan", "__asan")):
                found.add(name.split("::")[-1])
    return found


class Layers(unittest.TestCase):
    def test_no_writable_static_data_below_the_view(self):
        libraries = os.environ.get("KINEMORA_CORE_LIBRARIES")
        if not libraries:
            self.skipTest("KINEMORA_CORE_LIBRARIES names no built libraries")
        for entry in libraries.split(","):
            room, library = entry.split("=", 1)
            with self.subTest(room=room):
                self.assertLessEqual(writable_objects(library), WRITABLE_ALLOWED.get(room, set()))

    def test_every_include_runs_down(self):
        self.assertEqual(set(os.listdir(SRC)) - {"CMakeLists.txt"}, set(BELOW))
        for room, allowed in BELOW.items():
            for name in sorted(os.listdir(os.path.join(SRC, room))):
                with open(os.path.join(SRC, room, name), encoding="utf-8") as f:
                    text = f.read()
                with self.subTest(file=f"{room}/{name}"):
                    used = set(PROJECT_INCLUDE.findall(text)) - {room}
                    self.assertLessEqual(used, allowed, "includes from a room above")
                    for header in SYSTEM_INCLUDE.findall(text):
                        for start, rooms in HEADER_ROOMS.items():
                            if header.startswith(start):
                                self.assertIn(room, rooms, f"<{header}> outside its rooms")


if __name__ == "__main__":
    unittest.main(verbosity=2, argv=sys.argv[:1])
