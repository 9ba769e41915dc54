"""A learner who cannot see the screen: the built programs used by keys alone
while Orca reads them, and what Orca spoke checked in its own log."""

import os
import sys
import time
import unittest

from realdesktop import RealDesktopTestCase, wait_for
from ridwell_test import BOX, RidwellCase
from screenreader import ScreenReader
from setup_test import SetupCase

BUILD = os.environ["WW_BUILD_DIR"]


class OrcaTestCase(RealDesktopTestCase):
    def setUp(self):
        super().setUp()
        self.reader = ScreenReader(self.desktop)
        self.addCleanup(self.reader.stop)

    def menu(self, menu_letter, item_letter, first_item):
        """Opens a menu by its Alt key and chooses an item by its letter, holding
        Alt as a person does. With a screen reader, Qt passes each key on only
        once the reader has seen it, so Alt is let go only once the menu is open:
        its release could otherwise overtake the opening and close the menu."""
        desktop, reader = self.desktop, self.reader
        items = reader.spoken().count(first_item)
        desktop.xdotool("keydown", "alt")
        time.sleep(0.5)
        desktop.xdotool("key", menu_letter)
        wait_for(lambda: reader.spoken().count(first_item) > items, f'Orca to read "{first_item}"')
        desktop.xdotool("keyup", "alt")
        desktop.key(item_letter)

    def wait_focus(self, node):
        wait_for(lambda: self.desktop.has_state(node, "focused"), f'the focus on "{node.name}"')

    def tab_to(self, node):
        for _ in range(12):
            if self.desktop.has_state(node, "focused"):
                return
            self.desktop.key("Tab")
            time.sleep(0.3)
        self.wait_focus(node)

    def expect_announced_once_in_order(self, lines):
        announced = self.reader.announced()
        for line in lines:
            self.assertEqual(announced.count(line), 1, f'"{line}" announced once (announced: {announced})')
        self.assertEqual([line for line in announced if line in lines], lines)


class WordwellOrcaTest(OrcaTestCase):
    def test_a_test_taken_by_ear(self):
        """A two-word test by keys, one right and one wrong, then its review."""
        desktop, reader = self.desktop, self.reader
        words = os.path.join(self.copy_sample_list(), "Two.spl")
        with open(words, "wb") as f:
            f.write(b"\x02\x00\x07because\x06friend")
        app = desktop.start([os.path.join(BUILD, "dist", "Wordwell"), words], "Wordwell")
        desktop.focus_window(desktop.wait_window("Two.spl - Wordwell Practice"))
        listen = app.find("push button", "Listen to Word")
        answer = app.find("text", "Virir It")
        next_word = app.find("push button", "Next Word")
        tools = "(Add To)/(Create) --  Spelling List."

        self.menu("t", "t", tools)
        ready = ["Word 1 of 2. Ready. Click LISTEN to hear word-- Then type your answer in spell it.",
                 "Word 2 of 2. Ready Click LISTEN to hear word. Then type your answer in spell it."]
        marks = ["You got it right!", "Sorry wrong Answer. The correct spelling is friend."]
        for number, typed in enumerate(["because", "frend"]):
            reader.wait_said(ready[number])
            self.wait_focus(listen)
            desktop.key("Return")
            self.wait_focus(answer)
            desktop.type_text(typed)
            desktop.key("Return")
            self.wait_focus(next_word)
            reader.wait_said(marks[number])
            desktop.key("Return")
        end = ("End of Test.  Check out your final score. Click T to redo test. Select new to create new list. "
               "Score 50.00 %.")
        reader.wait_said(end)
        self.expect_announced_once_in_order([ready[0], marks[0], ready[1], marks[1], end])

        self.menu("t", "r", tools)
        desktop.focus_window(desktop.wait_window("Review of the Test"))
        reader.wait_said_containing("Two.spl: 1 of 2 right, score 50.00 %")
        reader.wait_said("friend: third letter: i is missing.")
        desktop.key("Up")
        reader.wait_said("because: every letter is right.")
        # Read alone, not after the window's title and labels once more.
        spoken = reader.spoken()
        before = spoken[spoken.index("notification because: every letter is right.") - 1]
        self.assertFalse(before.startswith("Review of the Test dialog"), before)
        desktop.key("Escape")
        desktop.wait_window_gone("Review of the Test")
        desktop.focus_window(desktop.wait_window("Two.spl - Wordwell Practice"))

        # Taken again and stopped.
        said = reader.announced().count(ready[0])
        self.menu("t", "t", tools)
        wait_for(lambda: reader.announced().count(ready[0]) > said, "the test to start again")
        self.menu("t", "s", "Stop Taking Current Test.")  # the only item on during a test
        reader.wait_said("Try Again.  Click T button. Open or create a new list. Modify current list.")

        # A one-word list made by ear: a new list, the word typed, recorded,
        # played back, added, and the list saved under a new name.
        desktop.key("ctrl+n")
        desktop.wait_window("Untitled - Wordwell Practice")
        self.menu("t", "a", tools)
        word = app.find("text", "Record Word")
        self.wait_focus(word)
        desktop.type_text("cat")
        wait_for(lambda: desktop.text_of(word) == "cat", "the word typed")
        desktop.key("alt+r")
        time.sleep(1)
        desktop.key("alt+t")
        reader.wait_said_containing("Recorded ")
        desktop.key("alt+p")
        desktop.key("alt+s")
        reader.wait_said("cat added to the list, with its recording.")
        finished = app.find("push button", "Finished / OK/Save Current List")
        self.tab_to(finished)
        desktop.key("space")
        desktop.wait_window_gone("Spelling List")
        # No window manager gives the keyboard back when a dialog closes.
        desktop.focus_window(desktop.wait_window("Untitled - Wordwell Practice"))
        frame = app.find("frame", "Untitled - Wordwell Practice")
        wait_for(lambda: desktop.has_state(frame, "active"), "the main window to have the keyboard")
        desktop.key("ctrl+s")
        save_as = desktop.wait_window("Save As")
        desktop.focus_window(save_as)
        name = app.find("text", "File name:")
        self.wait_focus(name)
        desktop.type_text("Cat")
        wait_for(lambda: desktop.text_of(name) == "Cat", "the name typed")
        desktop.key("Return")
        desktop.wait_window_gone("Save As", "the save dialog to close on Enter")
        reader.wait_said("Saved Cat.spl.")
        desktop.wait_window("Cat.spl - Wordwell Practice")


class SetupOrcaTest(SetupCase, OrcaTestCase):
    def test_each_page_read_as_it_opens(self):
        """The five pages walked by keys, as a person installs: each page's text is
        spoken when it opens; Enter on the last installs."""
        reader = self.reader
        group = os.path.join(self.desktop.env["XDG_DATA_HOME"], "applications/Tolvane/Wordwell")
        # Orca ends a line that ends in a letter with a full stop.
        pages = ["Wordwell Practice Install Program.",
                 "Please Read the following license agreement.  Use the scroll bars to read the rest of the agreement.",
                 "Install Folder.",
                 "Group.",
                 f"Click the Finish button when your ready to install with ... Check data: {self.install_folder} {group}."]
        reader.wait_said(pages[0])
        self.accept_license()
        reader.wait_said(pages[1])
        for page in pages[2:]:
            self.desktop.key("Return")
            reader.wait_said(page)
        self.expect_announced_once_in_order(pages)
        self.install_and_open_a_list()


class RidwellOrcaTest(RidwellCase, OrcaTestCase):
    def test_question_and_box_read(self):
        """The question and its box's state are spoken as the dialog opens, while
        Uninstall has the focus; Enter on Cancel then leaves, removing nothing."""
        self.reader.wait_said(BOX + " check box not checked.")
        self.tick_box()
        # The state alone, or with the box when its focus and Space reach Orca together.
        wait_for(lambda: {"checked", BOX + " check box checked."} & set(self.reader.spoken()),
                 lambda: f"Orca to say the box is checked (its last lines: {self.reader.spoken()[-4:]})")
        self.leave_by_enter_on_cancel()


if __name__ == "__main__":
    unittest.main(argv=sys.argv, verbosity=2)
