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
                      for name in ("Word #", "# Words", "# Correct", "Score", "Message", "Virir It")}
        self.listen = self.app.find("push button", "Listen to Word")
        self.check = self.app.find("push button", "CHECK")
        self.next = self.app.find("push button", "Next Word")
        self.assertEqual(self.text("# Words"), str(len(self.words)))
        self.assertEqual(self.text("Message"), "Click T button to take a test.")

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
        word = self.words[number - 1]
        correct = number - 1 if number >= WRONG_WORD else number
        if number == WRONG_WORD:
            self.wait_text("Message", f"Sorry wrong Answer.\nThe correct spelling is {word}.")
        else:
            self.wait_text("Message", "You got it right!")
        self.wait_text("# Correct", str(correct))
        self.wait_text("Score", "%3.2f %%" % (100.0 * correct / len(self.words)))
        self.wait_enabled(self.next)
        self.wait_enabled(self.check, False)

    def expect_word_in_play(self, number):
        self.wait_text("Word #", str(number))
        first = "Ready.\nClick LISTEN to hear word--" if number == 1 else "Ready\nClick LISTEN to hear word."
        wait_for(lambda: "\n".join(lines(self.text("Message"))[:2]) == first, f"the ready text of word {number}")
        self.wait_enabled(self.listen)
        self.assertEqual(self.text("Virir It"), "")

    def expect_listened(self, number):
        self.sound.wait_new_playbacks(number, f"a playback stream for word {number} on the sound server"
                                              " after Listen to Word was pressed")

    def expect_end(self):
        total = len(self.words)
        wait_for(lambda: lines(self.text("Message"))[0] == "End of Test.  Check out your final score.",
                 "the end-of-test message")
        self.assertEqual(self.text("# Correct"), str(total - 1))
        self.assertEqual(self.text("Score"), "%3.2f %%" % (100.0 * (total - 1) / total))
        for button in (self.listen, self.check, self.next):
            self.wait_enabled(button, False)
        self.assertTrue(self.app.running(), "Wordwell ended during the test")

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
        """The whole test with keys only; the review and history scenarios start with it."""
        desktop = self.desktop
        desktop.focus_window(self.window)
        desktop.key("alt+t")
        desktop.key("t")  # Tools, Take Wordwell
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

    def test_review_and_practise_by_keys(self):
        """After the test, Tools, Review the Test shows the missed word letter by
        letter as a screen reader says it; Alt+P practises it on the same form."""
        desktop = self.desktop
        self.take_test_by_keys()
        missed = self.words[WRONG_WORD - 1]
        desktop.key("alt+t")
        desktop.key("r")  # Tools, Review the Test
        review = desktop.wait_window("Review of the Test")
        desktop.focus_window(review)
        ordinals = ["first", "second", "third", "fourth", "fifth", "sixth", "seventh", "eighth", "ninth"]
        self.app.find("list item", f"after the {ordinals[len(missed) - 1]} letter: extra x")
        self.app.find("label", f"Sample.spl: {len(self.words) - 1} of {len(self.words)} right, "
                               f"score {100.0 * (len(self.words) - 1) / len(self.words):3.2f} %")
        desktop.key("alt+p")
        self.wait_text("# Words", "1")
        self.expect_word_in_play(1)
        self.wait_focus(self.listen)
        desktop.key("Return")
        self.sound.wait_new_playbacks(len(self.words) + 1, "a playback stream for the practised word")
        self.wait_focus(self.field["Virir It"])
        desktop.type_text(missed)
        desktop.key("Return")
        self.wait_text("Message", "You got it right!")
        self.wait_text("Score", "100.00 %")
        desktop.key("Return")
        wait_for(lambda: lines(self.text("Message"))[0] == "End of Test.  Check out your final score.",
                 "the end of the practice round")

    def test_history_by_keys(self):
        """After the test, Tools, History shows it in the table and the missed word
        among the most missed, as a screen reader reads them; the chart says the
        score in words; Alt+P practises the missed word on the same form."""
        desktop = self.desktop
        self.take_test_by_keys()
        total = len(self.words)
        missed = self.words[WRONG_WORD - 1]
        desktop.key("alt+t")
        desktop.key("h")  # Tools, History
        history = desktop.wait_window("History")
        desktop.focus_window(history)
        table = self.app.find("table", "Tests")
        self.wait_focus(table)
        cells = [c.name for c in desktop.find_all_in(table, "table cell")]
        self.assertEqual(cells[1:], ["Sample.spl", str(total), str(total - 1),
                                     "%3.2f %%" % (100.0 * (total - 1) / total), "finished", "first try"])
        chart = self.app.find("filler", "Score over time")
        self.assertRegex(chart.description,
                         r"^One finished first try, on \d+ \w+ \d{4}: %d %%\.$" % round(100.0 * (total - 1) / total))
        desktop.key("alt+m")
        words = self.app.find("tree", "Most missed words")
        self.wait_focus(words)
        self.assertIn(missed, [c.name for c in desktop.find_all_in(words, "table cell")])
        desktop.key("alt+p")
        self.wait_text("# Words", "1")
        self.expect_word_in_play(1)


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
