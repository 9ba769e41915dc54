"""Orca, Debian's screen reader, on a RealDesktop: what it spoke, read from its
own debug log. Speech goes nowhere (no speech server is started), but Orca
logs every line it would speak before it hands it to one."""

import builtins
import os
import re
import runpy
import sys

from realdesktop import wait_for

SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)' ?\{'established'")


class ScreenReader:
    def __init__(self, desktop):
        self.desktop = desktop
        self.log = os.path.join(desktop.root, "orca.log")
        prefs = os.path.join(desktop.root, "orca")
        os.makedirs(prefs)
        # A speech server would be started on demand: the command that would
        # start it fails, so Orca runs without one.
        env = {"SPEECHD_CMD": "/bin/false",
               "SPEECHD_ADDRESS": "unix_socket:" + os.path.join(desktop.root, "speechd.sock")}
        self.program = desktop.start([sys.executable, os.path.abspath(__file__), "--user-prefs", prefs,
                                      "--debug-file", self.log], "Orca", env=env)
        wait_for(lambda: self.program.alive() and "ORCA: Startup complete" in self._text(), "Orca to start", 60)

    def _text(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def spoken(self):
        """Every line Orca has spoken so far, in order."""
        return [m.group(1) for m in SPOKEN.finditer(self._text())]

    def announced(self):
        """The lines the programs announced (as notifications), in order."""
        return [line[len("notification "):] for line in self.spoken() if line.startswith("notification ")]

    def wait_said(self, line, what=None):
        """Waits until `line` has been spoken, as a line of its own or a notification."""
        wait_for(lambda: line in self.spoken() or line in self.announced(),
                 lambda: f'Orca to say "{line}"{" " + what if what else ""} (its last lines: {self.spoken()[-6:]})')

    def wait_said_containing(self, text):
        wait_for(lambda: any(text in line for line in self.spoken()),
                 lambda: f'Orca to say something with "{text}" (its last lines: {self.spoken()[-6:]})')

    def stop(self):
        self.program.stop()


def _run_orca():
    """Runs Orca with its debug log written line by line (it writes in blocks
    otherwise), so that a scenario reads what was spoken as it is spoken."""
    log = sys.argv[sys.argv.index("--debug-file") + 1]
    plain_open = builtins.open

    def open_log_by_lines(file, mode="r", buffering=-1, *args, **kwargs):
        return plain_open(file, mode, 1 if file == log else buffering, *args, **kwargs)

    builtins.open = open_log_by_lines
    sys.argv[0] = "/usr/bin/orca"
    launcher = runpy.run_path("/usr/bin/orca", run_name="orca_launcher")
    # Orca refuses to start beside another Orca of the same user, though this
    # one has a desktop and buses of its own: another scenario's or the
    # developer's own is no reason to refuse.
    launcher["main"].__globals__["otherOrcas"] = lambda: []
    sys.exit(launcher["main"]())


if __name__ == "__main__":
    _run_orca()
