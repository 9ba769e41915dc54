"""Setup started from the built distribution folder under Xvfb and driven by
the keyboard alone: Enter walks the wizard and installs. orca_test.py takes
the walk with a screen reader listening."""

import os
import shutil
import signal

from realdesktop import RealDesktopTestCase, wait_for

BUILD = os.environ["WW_BUILD_DIR"]


class SetupCase(RealDesktopTestCase):
    """Setup started from the distribution folder, its first page shown and Next focused."""

    def setUp(self):
        super().setUp()
        self.install_folder = os.path.join(self.desktop.env["XDG_DATA_HOME"], "Tolvane/Wordwell")
        # Setup copies from the folder it is started in, as from its medium.
        self.app = self.desktop.start([os.path.join(BUILD, "dist", "Setup")], "Setup", cwd=os.path.join(BUILD, "dist"))
        self.next = self.app.find("push button", "Next")
        window = wait_for(lambda: self.desktop.xdotool("search", "--onlyvisible", "--pid",
                                                        str(self.app.process.pid)).split(), "the wizard's window")
        # The wizard's caption is a single blank; nothing may be added to it.
        self.assertEqual(self.desktop.caption_of(window[0]), " ")
        self.desktop.focus_window(window[0])
        wait_for(lambda: self.desktop.has_state(self.next, "focused"), "the focus on Next")

    def accept_license(self):
        """Enter to the license page, Tab to "I Accept" and Space."""
        self.desktop.key("Return")
        accept = self.app.find("check box", "I Accept")
        # Tab order from Next: Cancel, the agreement, the box. Each Tab waits for
        # its focus: with a screen reader running, keys reach Setup late.
        for control in (self.app.find("push button", "Cancel"), self.app.find("text", "License agreement"), accept):
            self.desktop.key("Tab")
            wait_for(lambda: self.desktop.has_state(control, "focused"), f'the focus on "{control.name}"')
        self.desktop.key("space")
        wait_for(lambda: self.desktop.has_state(accept, "checked"), "the agreement to be accepted by the keyboard")

    def install_and_open_a_list(self):
        """Enter installs from the summary page; then a list opened as a file
        manager opens it (GLib's default program for the type) starts the
        installed Wordwell on it. What was installed is the install suite's."""
        desktop = self.desktop
        desktop.key("Return")
        self.assertEqual(wait_for(self.app.message, "Setup's message"), "The installation was successful.")
        desktop.key("Return")
        self.assertEqual(self.app.wait_exit(), 0)
        lists = os.path.join(desktop.home, "Lists")
        os.makedirs(lists)
        shutil.copy(os.path.join(os.environ["WW_SAMPLES_DIR"], "Sample.spl"), lists)
        opener = desktop.start(["gio", "open", os.path.join(lists, "Sample.spl")], "gio open")
        self.assertEqual(opener.wait_exit(), 0)
        window = desktop.wait_window("Sample.spl - Wordwell Practice")
        pid = int(desktop.xdotool("getwindowpid", window))
        self.addCleanup(self.end, pid)
        self.assertEqual(os.path.realpath(f"/proc/{pid}/exe"),
                         os.path.realpath(os.path.join(self.install_folder, "Wordwell")))

    @staticmethod
    def end(pid):
        try:
            os.kill(pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
