"""Ridwell driven by the keyboard alone under Xvfb, over a real installation made
by Setup's own procedure: leaving the dialog removes nothing, whichever way."""

import hashlib
import os
import subprocess
import sys
import unittest
from pathlib import Path

from realdesktop import RealDesktopTestCase, wait_for

BUILD = os.environ["WW_BUILD_DIR"]
BOX = "Remove all files including recorded words?"


def tree_of(folder):
    """Every entry below `folder` with a digest of its bytes (of the link itself for a link)."""
    def digest(path):
        if os.path.islink(path):
            return "-> " + os.readlink(path)
        return hashlib.sha256(Path(path).read_bytes()).hexdigest() if os.path.isfile(path) else "folder"
    return {os.path.relpath(os.path.join(where, name), folder): digest(os.path.join(where, name))
            for where, folders, files in os.walk(folder) for name in folders + files}


class RidwellCase(RealDesktopTestCase):
    """Ridwell started from a real installation, its dialog focused."""

    def setUp(self):
        super().setUp()
        self.install_folder = os.path.join(self.desktop.env["XDG_DATA_HOME"], "Program Files/Tolvane/Wordwell")
        subprocess.run([os.path.join(BUILD, "realinput", "ww-realinput-install"), self.install_folder],
                       cwd=os.path.join(BUILD, "dist"), env=self.desktop.env, check=True)
        with open(os.path.join(self.install_folder, "Words", "friend.wav"), "wb") as f:
            f.write(b"a recorded word")
        self.before = tree_of(self.desktop.home)
        # Started as the menu entry starts it: the installed copy.
        self.app = self.desktop.start([os.path.join(self.install_folder, "Ridwell")], "Ridwell")
        self.box = self.app.find("check box", BOX)
        self.cancel = self.app.find("push button", "Cancel")
        self.desktop.focus_window(self.desktop.wait_window("Uninstall"))

    def tick_box(self):
        # Tab order: Uninstall (the first focus), Cancel, the box.
        uninstall = self.app.find("push button", "Uninstall")
        for control in (uninstall, self.cancel, self.box):
            if control is not uninstall:
                self.desktop.key("Tab")
            wait_for(lambda: self.desktop.has_state(control, "focused"), f'the focus on "{control.name}"')
        self.desktop.key("space")
        wait_for(lambda: self.desktop.has_state(self.box, "checked"), "the box to be ticked")

    def answer(self):
        """"closed" once Ridwell has ended, its message box's text while it shows one."""
        return "closed" if not self.app.running() else self.app.message()

    def leave_with(self, *keys):
        self.desktop.key(*keys)
        outcome = wait_for(self.answer, "Ridwell to close or answer")
        self.assertEqual(tree_of(self.desktop.home), self.before,
                         f"Ridwell changed the home folder; it said: {outcome}")
        self.assertEqual(outcome, "closed", "Ridwell answered with a message box")
        self.assertEqual(self.app.wait_exit(), 0)

    def leave_by_enter_on_cancel(self):
        self.desktop.key("shift+Tab")
        wait_for(lambda: self.desktop.has_state(self.cancel, "focused"), "the focus on Cancel")
        self.leave_with("Return")


class RidwellTest(RidwellCase):
    def setUp(self):
        super().setUp()
        self.tick_box()

    def test_shift_f10_about(self):
        # The context menu opens with its one command chosen: Enter takes it.
        self.desktop.key("shift+F10")
        self.desktop.key("Return")
        self.app.find("label", "Uninstall Version 1.0")
        self.desktop.focus_window(self.desktop.wait_window("About Uninstall"))
        self.desktop.key("Return")
        wait_for(lambda: self.desktop.find_in(self.app.application(), "label", "Uninstall Version 1.0") is None,
                 "the About box to close")
        self.desktop.focus_window(self.desktop.wait_window("Uninstall"))
        self.leave_with("Escape")


if __name__ == "__main__":
    unittest.main(argv=sys.argv, verbosity=2)
