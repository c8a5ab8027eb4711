"""kinemora-compose against hostile targets and faults: each case says how
the run must end, what it must say, and that an existing file is left as it
was with no temporary file beside it."""

import errno
import os
import pty
import resource
import shutil
import signal
import socket
import subprocess
import tempfile
import time
import unittest
from typing import Callable, NamedTuple, Optional

COMPOSE = os.environ["KINEMORA_COMPOSE"]
EARLIER = b"an earlier file, kept byte for byte\n"
# Long enough that its save runs for a good part of a second.
LONG_SESSION = ["rhumba", "clap"] * 3000


class Run(NamedTuple):
    status: int  # negative: killed by that signal
    stderr: str
    stdout: bytes


def compose(args, cwd, stdout=subprocess.PIPE, program=COMPOSE, **options) -> Run:
    done = subprocess.run([program, *args], cwd=cwd, stdout=stdout, stderr=subprocess.PIPE,
                          timeout=120, **options)
    return Run(done.returncode, done.stderr.decode(errors="replace"), done.stdout)


def into_full_device(args, d) -> Run:
    with open("/dev/full", "wb") as full:
        return compose(args, d, stdout=full)


def limited(kind, amount):
    return lambda: resource.setrlimit(kind, (amount, amount))


def space_to_start() -> int:
    """The least address space kinemora-compose starts in, to 64 KiB: its
    libraries (FFmpeg's, OpenGL's) take far more than composing does."""
    low, high = 1 << 20, 1 << 32
    while high - low > 1 << 16:
        middle = (low + high) // 2
        started = subprocess.run([COMPOSE, "--version"], capture_output=True,
                                 preexec_fn=limited(resource.RLIMIT_AS, middle)).returncode == 0
        low, high = (low, middle) if started else (middle, high)
    return high


def as_ordinary_user(args, d) -> Run:
    """Root may write anywhere: as root, run a copy of the program as user
    nobody, from a folder that user can reach (the build tree may sit in a
    home folder closed to others)."""
    if os.geteuid() != 0:
        return compose(args, d)
    with tempfile.TemporaryDirectory() as bin_dir:
        os.chmod(bin_dir, 0o755)
        program = shutil.copy(COMPOSE, bin_dir)

        def become_nobody():
            os.setgid(65534)
            os.setuid(65534)
        return compose(args, d, program=program, preexec_fn=become_nobody)


def on_terminal(args, d) -> Run:
    ours, theirs = pty.openpty()
    with open(ours, "rb") as _, open(theirs, "wb") as terminal:
        return compose(args, d, stdout=terminal)


def save_interrupted_by(sig):
    def case(d):
        process = subprocess.Popen([COMPOSE, "-o", "out.bvh", *LONG_SESSION], cwd=d,
                                   stderr=subprocess.PIPE,
                                   preexec_fn=limited(resource.RLIMIT_CORE, 0))
        deadline = time.monotonic() + 60
        while not any(n.startswith(".kinemora") for n in os.listdir(d)):
            if process.poll() is not None or time.monotonic() > deadline:
                process.kill()
                raise AssertionError("the save never started")
            time.sleep(0.005)
        process.send_signal(sig)
        _, err = process.communicate(timeout=60)
        return Run(process.returncode, err.decode(), b"")
    return case


def through_socket(d):
    ours, theirs = socket.socketpair()
    with ours, theirs:
        process = subprocess.Popen([COMPOSE, "-o", f"/dev/fd/{theirs.fileno()}", "clap"],
                                   pass_fds=[theirs.fileno()], stderr=subprocess.PIPE)
        theirs.close()
        received = b"".join(iter(lambda: ours.recv(65536), b""))
        _, err = process.communicate(timeout=60)
    return Run(process.returncode, err.decode(), received)


def link_chain(d, length):
    for i in range(length):
        os.symlink(f"link{i + 1}", os.path.join(d, f"link{i}"))


def deep_directory(d, total):
    """A directory whose path is `total` characters long."""
    path = d
    while len(path) < total:
        path += "/" + "d" * min(200, total - len(path) - 1)
        os.mkdir(path)
    return path


class Case(NamedTuple):
    name: str
    run: Callable[[str], Run]
    status: int
    says: str = ""          # in standard error
    bvh_out: bool = False   # standard output (or the socket) holds the file
    setup: Optional[Callable[[str], None]] = None
    entries: Optional[set] = None  # the directory afterwards; default: as before


CASES = [
    Case("standard output that is a pipe, by name",
         lambda d: compose(["-o", "/dev/stdout", "clap"], d), 0, bvh_out=True),
    Case("a descriptor that is a socket, by name", through_socket, 0, bvh_out=True),
    Case("a loop of links", lambda d: compose(["-o", "la", "clap"], d), 1,
         os.strerror(errno.ELOOP),
         setup=lambda d: (os.symlink("lb", f"{d}/la"), os.symlink("la", f"{d}/lb"))),
    Case("a chain of links longer than the system follows",
         lambda d: compose(["-o", "link0", "clap"], d), 1, os.strerror(errno.ELOOP),
         setup=lambda d: link_chain(d, 45)),
    Case("SIGTERM during a long save", save_interrupted_by(signal.SIGTERM), -signal.SIGTERM),
    Case("SIGHUP during a long save", save_interrupted_by(signal.SIGHUP), -signal.SIGHUP),
    Case("SIGINT during a long save", save_interrupted_by(signal.SIGINT), -signal.SIGINT),
    Case("SIGQUIT during a long save", save_interrupted_by(signal.SIGQUIT), -signal.SIGQUIT),
    Case("a real-time signal during a long save", save_interrupted_by(signal.SIGRTMIN + 3),
         -(signal.SIGRTMIN + 3)),
    Case("a file-size limit",
         lambda d: compose(["-o", "out.bvh", "rhumba", "cheer"], d,
                           preexec_fn=limited(resource.RLIMIT_FSIZE, 40 * 1024)),
         1, os.strerror(errno.EFBIG)),
    # Composing streams in a few MB whatever the length: memory runs out only
    # when there is hardly more than enough to start.
    Case("memory running out",
         lambda d: compose(["-o", "out.bvh", *LONG_SESSION], d,
                           preexec_fn=limited(resource.RLIMIT_AS, space_to_start() + (3 << 19))),
         1, "out of memory"),
    Case("help into a full device",
         lambda d: into_full_device(["--help"], d), 1,
         os.strerror(errno.ENOSPC)),
    Case("version into a full device",
         lambda d: into_full_device(["--version"], d), 1,
         os.strerror(errno.ENOSPC)),
    Case("-- ends the options", lambda d: compose(["-o", "new.bvh", "--", "clap"], d), 0,
         entries={"out.bvh", "new.bvh"}),
    Case("an option word after --", lambda d: compose(["--", "-o", "x"], d), 2,
         "unknown action '-o'"),
    Case("an unknown format", lambda d: compose(["-o", "out.bvh", "--format", "fbx", "clap"], d),
         2, "unknown format 'fbx'; valid formats: bvh glb gltf"),
    Case("--format with no format", lambda d: compose(["clap", "--format"], d), 2,
         "option --format needs one of: bvh glb gltf"),
    Case("a file-size limit on a .glb",
         lambda d: compose(["-o", "out.glb", "rhumba", "cheer"], d,
                           preexec_fn=limited(resource.RLIMIT_FSIZE, 40 * 1024)),
         1, os.strerror(errno.EFBIG)),
    Case("a target at the system's path length limit",
         lambda d: compose(["-o", deep_directory(d, 4090) + "/a", "clap"], d), 0,
         entries={"out.bvh", "d" * 200}),
    Case("an existing file in a folder that takes no new files",
         lambda d: as_ordinary_user(["-o", "out.bvh", "clap"], d),
         1, "cannot create a temporary file",
         setup=lambda d: (os.chmod(f"{d}/out.bvh", 0o666), os.chmod(d, 0o555))),
    Case("control characters in an unknown action",
         lambda d: compose(["clap", "\x1b[2Jcheer\n"], d), 2,
         "unknown action '\\x1b[2Jcheer\\x0a'"),
    Case("an empty file name", lambda d: compose(["-o", "", "clap"], d), 2,
         "the file name after -o is empty"),
    Case("an animation over a composition",
         lambda d: compose(["-o", "take.Kinemora", "clap"], d), 2,
         "'take.Kinemora' is a composition (.kinemora), and the animation would replace it"),
    Case("the animation and the composition to one file, through a link",
         lambda d: compose(["-o", "lb", "--save-composition", "out.bvh", "clap"], d), 2,
         "cannot be written to the same file", setup=lambda d: os.symlink("out.bvh", f"{d}/lb")),
    Case("both to standard output, by two names",
         lambda d: compose(["--save-composition", "-", "-o", "/dev/fd/1", "clap"], d), 2,
         "cannot both go to standard output"),
    Case("binary glTF to a terminal", lambda d: on_terminal(["--format", "GLB", "clap"], d), 2,
         "binary glTF is not written to a terminal"),
    Case("a composition named without an extension, after the animation",
         lambda d: compose(["-o", "new.bvh", "--save-composition", "take", "clap"], d), 0,
         entries={"out.bvh", "new.bvh", "take.kinemora"}),
    Case("no composition when the animation fails",
         lambda d: compose(["-o", "no/x.bvh", "--save-composition", "take", "clap"], d), 1,
         "cannot save 'no/x.bvh'"),
    Case("a long unknown format", lambda d: compose(["--format", "x" * 500], d), 2,
         "unknown format '" + "x" * 29 + "..." + "x" * 28 + "'"),
    Case("an empty composition", lambda d: compose(["-c", "/dev/null"], d), 2,
         "'/dev/null' is empty, not a composition"),
    Case("a long file name with an escape in it, in a save failure",
         lambda d: compose(["-o", "no/\x1b" + "n" * 300 + ".bvh", "clap"], d), 1,
         "cannot save 'no/\\x1b" + "n" * 22 + "..." + "n" * 24 + ".bvh': "),
]


class HostileTargets(unittest.TestCase):
    def test_cases(self):
        clap = compose(["clap"], "/").stdout
        for case in CASES:
            with self.subTest(case.name), tempfile.TemporaryDirectory() as d:
                os.chmod(d, 0o755)
                target = os.path.join(d, "out.bvh")
                with open(target, "wb") as f:
                    f.write(EARLIER)
                if case.setup:
                    case.setup(d)
                before = set(os.listdir(d))

                run = case.run(d)
                os.chmod(d, 0o755)

                self.assertEqual(run.status, case.status, run.stderr)
                self.assertIn(case.says, run.stderr)
                self.assertNotRegex(run.stderr, "[\x00-\x08\x0b-\x1f]")
                if case.bvh_out:
                    self.assertEqual(run.stdout, clap)
                self.assertEqual(set(os.listdir(d)), case.entries or before)
                with open(target, "rb") as f:
                    self.assertEqual(f.read(), EARLIER, "the existing file changed")
                for name in ("la", "lb", "link0"):
                    if name in before:
                        self.assertTrue(os.path.islink(os.path.join(d, name)))


if __name__ == "__main__":
    unittest.main(verbosity=2)
