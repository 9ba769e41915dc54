"""The list editor's choice of microphone in the built Wordwell, from the
keyboard under Xvfb: with a second microphone on the sound server, the play
bar's box is reached by Tab, the second one chosen with the arrow key and read
back through the accessibility bus, and Record takes the sound from it."""

import os
import sys
import unittest

from realdesktop import RealDesktopTestCase, wait_for

BUILD = os.environ["WW_BUILD_DIR"]
TITLE = "Sample.spl - Wordwell Practice"


class RecordingTest(RealDesktopTestCase):
    def setUp(self):
        super().setUp()
        self.desktop.pactl("load-module", "module-sine-source", "source_name=tone_mic", "rate=22050",
                           "source_properties=device.description=Tone")
        words_path = self.copy_sample_list()
        self.app = self.desktop.start([os.path.join(BUILD, "dist", "Wordwell"), os.path.join(words_path, "Sample.spl")],
                                      "Wordwell")
        self.window = self.desktop.wait_window(TITLE)

    def source_index(self, name):
        for line in self.desktop.pactl("list", "short", "sources").stdout.splitlines():
            fields = line.split("\t")
            if fields[1] == name:
                return fields[0]
        self.fail(f"the sound server has no source {name}")

    def recording_sources(self):
        """The sources the recording streams are on."""
        return [line.split("\t")[1] for line in self.desktop.pactl("list", "short", "source-outputs").stdout.splitlines()]

    def labels_of(self, node):
        labelled_by = self.desktop.atspi().RELATION_LABELLED_BY
        return [relation.getTarget(i).name for relation in node.getRelationSet()
                if relation.getRelationType() == labelled_by for i in range(relation.getNTargets())]

    def test_microphone_chosen_by_keyboard(self):
        desktop = self.desktop
        desktop.focus_window(self.window)
        desktop.key("alt+t")
        desktop.key("a")  # Tools, (Add To)/(Create) Spelling List
        box = self.app.find("combo box", "Default (Null Input)")
        for _ in range(20):
            if desktop.has_state(box, "focused"):
                break
            desktop.key("Tab")
        self.assertTrue(desktop.has_state(box, "focused"), "Tab never reached the choice of microphone")
        # A box's name is its current item; what it is for comes from its label.
        self.assertEqual(self.labels_of(box), ["Microphone"])
        desktop.key("Down")
        wait_for(lambda: box.name == "Tone", lambda: f'the box to read "Tone" (it reads "{box.name}")')
        desktop.key("alt+r")  # Record
        tone = self.source_index("tone_mic")
        wait_for(lambda: tone in self.recording_sources(), "a recording stream on the chosen microphone")
        desktop.key("alt+t")  # Stop Rec.
        wait_for(lambda: not self.recording_sources(), "the recording to stop")
        self.assertTrue(self.app.running(), "Wordwell ended")


if __name__ == "__main__":
    unittest.main(argv=sys.argv, verbosity=2)
