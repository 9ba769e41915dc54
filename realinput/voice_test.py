"""Make Missing Clips in the built Wordwell, from the keyboard under Xvfb: the
sample list with three clips taken away gets them back, spoken by the computer
voice, while the clips that were there stay byte for byte."""

import os
import sys
import unittest

from realdesktop import RealDesktopTestCase, wait_for
from wordwell_test import read_list

BUILD = os.environ["WW_BUILD_DIR"]
TITLE = "Sample.spl - Wordwell Practice"
TAKEN = 3  # the first words lose their clips


def wave_format(path):
    """(rate, channels, bits) of a PCM wave file written with a 44-byte header."""
    with open(path, "rb") as f:
        header = f.read(44)
    return (int.from_bytes(header[24:28], "little"), int.from_bytes(header[22:24], "little"),
            int.from_bytes(header[34:36], "little"))


class VoiceTest(RealDesktopTestCase):
    def setUp(self):
        super().setUp()
        words_path = self.copy_sample_list()
        self.clips = os.path.join(words_path, "words")
        self.words = read_list(os.path.join(words_path, "Sample.spl"))
        for word in self.words[:TAKEN]:
            os.remove(os.path.join(self.clips, word + ".wav"))
        self.kept = {word: open(os.path.join(self.clips, word + ".wav"), "rb").read() for word in self.words[TAKEN:]}
        self.app = self.desktop.start([os.path.join(BUILD, "dist", "Wordwell"), os.path.join(words_path, "Sample.spl")],
                                      "Wordwell")
        self.window = self.desktop.wait_window(TITLE)

    def summary(self):
        try:
            ok = self.desktop.find_in(self.app.application(), "push button", "OK")
            return ok and " ".join(label.name for label in self.desktop.find_all_in(self.desktop.window_of(ok), "label"))
        except Exception:
            return None

    def test_make_missing_clips_by_keyboard(self):
        desktop = self.desktop
        desktop.focus_window(self.window)
        desktop.key("alt+t")
        desktop.key("m")  # Tools, Make Missing Clips
        text = wait_for(lambda: (self.summary() or "").find("were made") >= 0 and self.summary(),
                        "the summary of Make Missing Clips")
        self.assertIn(f"{TAKEN} clips were made.", text)
        desktop.key("Return")
        wait_for(lambda: self.summary() is None, "the summary to close")
        for word in self.words[:TAKEN]:
            path = os.path.join(self.clips, word + ".wav")
            self.assertTrue(os.path.isfile(path), f"no clip was made for {word}")
            self.assertEqual(wave_format(path), (22050, 1, 16))
            self.assertGreater(os.path.getsize(path), 44 + 2 * 22050 // 5)
        for word, data in self.kept.items():
            self.assertEqual(open(os.path.join(self.clips, word + ".wav"), "rb").read(), data, word)
        self.assertTrue(self.app.running(), "Wordwell ended")


if __name__ == "__main__":
    unittest.main(argv=sys.argv, verbosity=2)
