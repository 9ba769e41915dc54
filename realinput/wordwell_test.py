"""A whole spelling test in the built Wordwell, taken with real input under Xvfb:
once with the pointer only, once with the keyboard only (before the review and
the history). Every word but one
is spelled right; the wrong one must be marked wrong and spelled out."""

import os
import struct
import sys
import unittest

from realdesktop import RealDesktopTestCase, wait_for

BUILD = os.environ["WW_BUILD_DIR"]
WRONG_WORD = 3  # 1-based: this word is answered with a spelling mistake
TITLE = "Sample.spl - Wordwell Practice"


def read_list(path):
    """The words of a spelling list file: a 16-bit count, then each word after its length byte."""
    with open(path, "rb") as f:
        data = f.read()
    (count,) = struct.unpack_from("<H", data)
    words, at = [], 2
    for _ in range(count):
        length = data[at]
        words.append(data[at + 1:at + 1 + length].decode("utf-8"))
        at += 1 + length
    return words


def lines(text):
    return text.replace("\r\n", "\n").split("\n")


class WordwellTest(RealDesktopTestCase):
    """What the testing form shows after each step is its own suite's; here, that
    real clicks and keys reach the controls and the focus goes where the next
    step needs it."""

    def setUp(self):
        super().setUp()
        words_path = self.copy_sample_list()
        self.list_file = os.path.join(words_path, "Sample.spl")
        self.words = read_list(self.list_file)
        self.assertGreaterEqual(len(self.words), WRONG_WORD)
        self.sound = self.desktop.sound_events()
        self.app = self.desktop.start([os.path.join(BUILD, "dist", "Wordwell"), self.list_file], "Wordwell")
        self.window = self.desktop.wait_window(TITLE)
        self.field = {name: self.app.find("text", name)
                      for name in ("Word #", "# Words", "# Correct", "Message", "Virir It")}
        self.listen = self.app.find("push button", "Listen to Word")
        self.check = self.app.find("push button", "CHECK")
        self.next = self.app.find("push button", "Next Word")

    def text(self, name):
        return self.desktop.text_of(self.field[name])

    def wait_text(self, name, expected):
        wait_for(lambda: self.text(name) == expected,
                 lambda: f'"{name}" to read "{expected}" (it reads "{self.text(name)}")')

    def wait_focus(self, node):
        wait_for(lambda: self.desktop.has_state(node, "focused"), f'the focus on "{node.name}"')

    def wait_enabled(self, node, enabled=True):
        wait_for(lambda: self.desktop.has_state(node, "enabled") == enabled,
                 f'"{node.name}" to be {"enabled" if enabled else "disabled"}')

    def answer_for(self, number):
        word = self.words[number - 1]
        return word + "x" if number == WRONG_WORD else word

    def expect_checked(self, number):
        """The typed answer was judged: the wrong one is not counted."""
        self.wait_text("# Correct", str(number - 1 if number >= WRONG_WORD else number))
        self.wait_enabled(self.next)
        self.wait_enabled(self.check, False)

    def expect_word_in_play(self, number):
        self.wait_text("Word #", str(number))
        self.wait_enabled(self.listen)

    def expect_listened(self, count):
        self.sound.wait_new_playbacks(count, f"playback stream {count} on the sound server after Listen to Word")

    def expect_end(self):
        wait_for(lambda: lines(self.text("Message"))[0] == "End of Test.  Check out your final score.",
                 "the end-of-test message")
        for button in (self.listen, self.check, self.next):
            self.wait_enabled(button, False)

    def test_pointer_only(self):
        desktop = self.desktop
        desktop.click(self.app.find("push button", "Take Wordwell"))
        for number in range(1, len(self.words) + 1):
            self.expect_word_in_play(number)
            desktop.click(self.listen)
            self.expect_listened(number)
            desktop.click(self.field["Virir It"])
            self.wait_focus(self.field["Virir It"])
            desktop.type_text(self.answer_for(number))
            self.wait_text("Virir It", self.answer_for(number))
            desktop.click(self.check)
            self.expect_checked(number)
            desktop.click(self.next)
        self.expect_end()

    def take_test_by_keys(self):
        """The whole test with keys only."""
        desktop = self.desktop
        desktop.focus_window(self.window)
        desktop.key("alt+t", "t")  # Tools, Take Wordwell
        for number in range(1, len(self.words) + 1):
            self.expect_word_in_play(number)
            self.wait_focus(self.listen)
            desktop.key("Return")
            self.expect_listened(number)
            self.wait_focus(self.field["Virir It"])
            desktop.type_text(self.answer_for(number))
            self.wait_text("Virir It", self.answer_for(number))
            desktop.key("Return")
            self.expect_checked(number)
            self.wait_focus(self.next)
            desktop.key("Return")
        self.expect_end()

    def test_review_history_and_practise_by_keys(self):
        """The missed word's difference is read letter by letter, as a screen reader
        says it; the history's table, chart and most missed words are read as text."""
        desktop = self.desktop
        self.take_test_by_keys()
        total, missed = len(self.words), self.words[WRONG_WORD - 1]
        score = 100.0 * (total - 1) / total
        desktop.key("alt+t", "r")  # Tools, Review the Test
        desktop.focus_window(desktop.wait_window("Review of the Test"))
        ordinals = ["first", "second", "third", "fourth", "fifth", "sixth", "seventh", "eighth", "ninth"]
        self.app.find("list item", f"after the {ordinals[len(missed) - 1]} letter: extra x")
        self.app.find("label", f"Sample.spl: {total - 1} of {total} right, score {score:3.2f} %")
        desktop.key("Escape")
        desktop.wait_window_gone("Review of the Test")
        desktop.focus_window(self.window)
        desktop.key("alt+t", "h")  # Tools, History
        desktop.focus_window(desktop.wait_window("History"))
        table = self.app.find("table", "Tests")
        self.wait_focus(table)
        cells = [c.name for c in desktop.find_all_in(table, "table cell")]
        self.assertEqual(cells[1:], ["Sample.spl", str(total), str(total - 1), "%3.2f %%" % score,
                                     "finished", "first try"])
        chart = self.app.find("filler", "Score over time")
        self.assertRegex(chart.description, r"^One finished first try, on \d+ \w+ \d{4}: %d %%\.$" % round(score))
        desktop.key("alt+m")
        words = self.app.find("tree", "Most missed words")
        self.wait_focus(words)
        self.assertIn(missed, [c.name for c in desktop.find_all_in(words, "table cell")])
        # Alt+P: the round of the missed word on the main form, the keyboard back on Listen there.
        desktop.key("alt+p")
        self.wait_text("# Words", "1")
        self.expect_word_in_play(1)
        self.wait_focus(self.listen)
        desktop.key("Return")
        self.expect_listened(total + 1)


class LockKeysTest(RealDesktopTestCase):
    def indicator(self, name):
        return self.app.find("label", name)

    def wait_lock(self, name, on):
        state = "on" if on else "off"
        wait_for(lambda: self.indicator(name).description == state, f'"{name}" to be shown {state}')

    def test_indicators_follow_the_keyboard(self):
        """Caps Lock already on when Wordwell starts is shown on; keys pressed
        in the window, and a key pressed while another window has the
        keyboard, are shown as the keyboard has them."""
        desktop = self.desktop
        desktop.key("Caps_Lock")
        self.app = desktop.start([os.path.join(BUILD, "dist", "Wordwell")], "Wordwell")
        window = desktop.wait_window("Untitled - Wordwell Practice")
        desktop.focus_window(window)
        self.wait_lock("Caps Lock", True)
        self.wait_lock("Num Lock", False)
        desktop.key("Num_Lock")
        self.wait_lock("Num Lock", True)
        desktop.key("Caps_Lock")
        self.wait_lock("Caps Lock", False)
        other = desktop.start(["xmessage", "elsewhere"], "xmessage")
        elsewhere = desktop.wait_window("xmessage")
        desktop.focus_window(elsewhere)
        frame = self.app.find("frame", "Untitled - Wordwell Practice")
        wait_for(lambda: not desktop.has_state(frame, "active"), "Wordwell to lose the keyboard")
        desktop.key("Num_Lock")
        other.stop()
        desktop.focus_window(window)
        self.wait_lock("Num Lock", False)


if __name__ == "__main__":
    unittest.main(argv=sys.argv, verbosity=2)
