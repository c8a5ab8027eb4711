"""kinemora-compose's videos, made with no display, as FFmpeg's own tools
read them: codec, rate, size and picture count (ffprobe), the GIF's loop,
and one decoded picture against the off-screen drawing of its frame."""

import json
import math
import os
import subprocess
import tempfile
import unittest

COMPOSE = os.environ["KINEMORA_COMPOSE"]
RENDER_FRAME = os.environ["RENDER_FRAME"]
NO_DISPLAY = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
ACTIONS = ["rhumba", "noise", "punchR", "cheer"]
FRAME = 150  # the picture decoded
LOOP_FOR_EVER = b"NETSCAPE2.0\x03\x01\x00\x00"

# target  asked      codec   stored      rate    loop   pixels
FORMATS = [
    ("x.mp4", "321x240", "h264", (322, 240), "30/1", False, "yuv420p"),
    ("-.mp4", "321x240", "h264", (322, 240), "30/1", False, "yuv420p"),  # a pipe
    ("x.gif", "321x240", "gif",  (321, 240), "30/1", True,  "rgb24"),
]


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, check=True, env=NO_DISPLAY,
                          timeout=120, **kwargs).stdout


def decoded(path, pixels):
    """Picture FRAME of the video, raw, in `pixels` (an FFmpeg pixel format)."""
    return run(["ffmpeg", "-v", "error", "-i", path, "-vf", f"select=eq(n\\,{FRAME})",
                "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", pixels, "-"])


def drawn(size, pixels):
    """The off-screen drawing of frame FRAME, in `pixels` as FFmpeg converts
    it from RGB: BT.709 in its limited range, as the MP4 says it is. An MP4
    is compared in its own yuv420p: in RGB, halving the chroma of the far
    checkerboard alone holds any encoder near 30 dB."""
    ppm = run([RENDER_FRAME, "%dx%d" % size, str(FRAME)] + ACTIONS)
    return run(["ffmpeg", "-v", "error", "-i", "-", "-vf",
                "scale=out_color_matrix=bt709:out_range=tv", "-f", "rawvideo", "-pix_fmt",
                pixels, "-"], input=ppm)


def psnr(a, b):
    mse = sum((x - y) ** 2 for x, y in zip(a, b)) / len(a)
    return math.inf if mse == 0 else 10 * math.log10(255 ** 2 / mse)


class VideoFormats(unittest.TestCase):
    def test_each_format_as_ffmpeg_reads_it(self):
        folder = tempfile.mkdtemp(prefix="kinemora-video-")
        bvh = os.path.join(folder, "x.bvh")
        run([COMPOSE, "-q", "-o", bvh] + ACTIONS)
        with open(bvh) as f:
            frames = int(next(line for line in f if line.startswith("Frames:")).split()[1])
        for target, asked, codec, size, rate, loops, pixels in FORMATS:
            with self.subTest(target=target):
                path = os.path.join(folder, target)
                options = ["-o", path] if target[0] != "-" else ["--format", "mp4"]
                written = run([COMPOSE, "-q", "--size", asked] + options + ACTIONS)
                if target[0] == "-":
                    with open(path, "wb") as f:
                        f.write(written)
                probe = json.loads(run(["ffprobe", "-v", "error", "-count_frames", "-of", "json",
                                        "-show_entries", "stream", path]))["streams"][0]
                self.assertEqual((probe["codec_name"], (probe["width"], probe["height"]),
                                  probe["r_frame_rate"], probe["avg_frame_rate"]),
                                 (codec, size, rate, rate))
                self.assertEqual(int(probe["nb_read_frames"]), frames)
                with open(path, "rb") as f:
                    self.assertEqual(LOOP_FOR_EVER in f.read(), loops)
                picture, expected = decoded(path, pixels), drawn(size, pixels)
                if codec == "gif":
                    self.assertEqual(picture, expected)  # the palette holds every colour drawn
                else:  # about 44 dB; a neighbouring frame's drawing reaches 36 already
                    self.assertGreaterEqual(psnr(picture, expected), 40)


if __name__ == "__main__":
    unittest.main(verbosity=2)
