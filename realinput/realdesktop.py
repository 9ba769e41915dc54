"""A private desktop for driving the built programs as a person does.

RealDesktop starts, in a temporary folder that goes away with it: an Xvfb
display, a D-Bus session bus (which starts the accessibility bus on demand),
a PulseAudio server with a null sink and source, and a home with its own XDG
folders. Programs started on it use the xcb platform with their accessibility
bridge on, so a test finds controls and reads their texts the way a screen
reader does (AT-SPI), and presses keys and clicks the pointer through the X
server (xdotool): never events sent from inside the program, never
accessibility actions.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import warnings

DEFAULT_TIMEOUT = 30.0

# The programs run on the X display (whatever ./test sets for the Qt Test
# suites) and serve the accessibility bus although no screen reader asked.
PROGRAM_ENV = {"QT_QPA_PLATFORM": "xcb", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}


_opened = False


class Failure(AssertionError):
    pass


def wait_for(condition, what, timeout=DEFAULT_TIMEOUT, interval=0.05):
    """Polls `condition` until it returns something true, which is returned.
    `what` names what is awaited, or is a function that says it when the time is up."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what() if callable(what) else what}")
        time.sleep(interval)


def _wait_or_kill(process, timeout, kill):
    try:
        process.wait(timeout)
    except subprocess.TimeoutExpired:
        kill()
        process.wait()


class Program:
    """A program started on the desktop, with its accessible application."""

    def __init__(self, desktop, process, name):
        self.desktop = desktop
        self.process = process
        self.name = name

    def running(self):
        return self.process.poll() is None

    def application(self):
        return wait_for(lambda: self.alive() and self.desktop.accessible_application(self.process.pid),
                        f"{self.name} on the accessibility bus")

    def find(self, role, name, timeout=DEFAULT_TIMEOUT):
        """The showing control of `role` (e.g. "push button") named `name`."""
        return wait_for(lambda: self.alive() and self.desktop.find_in(self.application(), role, name),
                        f'{self.name}\'s {role} "{name}"', timeout)

    def message(self):
        """The text of the message box the program shows (its labels), or None."""
        try:
            ok = self.desktop.find_in(self.application(), "push button", "OK")
            labels = ok and self.desktop.find_all_in(self.desktop.window_of(ok), "label")
            return ok and " ".join(label.name for label in labels)
        except Exception:
            return None

    def alive(self):
        """True while the program runs; a failure naming its exit status once it has ended."""
        if not self.running():
            raise Failure(f"{self.name} ended with status {self.process.returncode}")
        return True

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        wait_for(lambda: not self.running(), f"{self.name} to end", timeout)
        return self.process.returncode

    def stop(self):
        if self.running():
            self.process.terminate()
            _wait_or_kill(self.process, 10, self.process.kill)


class RealDesktop:
    def __init__(self, width=1024, height=768):
        self.size = (width, height)
        self.root = tempfile.mkdtemp(prefix="wordwell-realinput.")
        self.home = os.path.join(self.root, "home")
        self.env = dict(os.environ)
        folders = {"HOME": self.home, "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
                   "XDG_DATA_HOME": os.path.join(self.home, ".local/share"),
                   "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
                   "XDG_RUNTIME_DIR": os.path.join(self.root, "runtime")}
        self.env.update(folders)
        for folder in folders.values():
            os.makedirs(folder, mode=0o700, exist_ok=True)
        # Nothing of the session this runs in may be reached: its display, buses or sound.
        for key in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "PULSE_SERVER",
                    "PULSE_RUNTIME_PATH", "PULSE_COOKIE", "SESSION_MANAGER", "XAUTHORITY"):
            self.env.pop(key, None)
        self._services = []
        self._programs = []
        self._atspi = None

    # The whole desktop

    def open(self):
        global _opened
        # The accessibility library keeps the first bus it joined, so a second
        # desktop in one process would read the first one's programs.
        if _opened:
            raise Failure("one RealDesktop per process: run each scenario on its own (CTest does)")
        _opened = True
        try:
            self._start_display()
            self._start_bus()
            self._start_sound()
        except BaseException:
            self.close()
            raise
        # This process reads the accessibility tree, so it joins the same session.
        os.environ.update({k: self.env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR",
                                                    "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME")})
        return self

    __enter__ = open

    def __exit__(self, *exc):
        self.close()

    def close(self):
        for program in reversed(self._programs):
            program.stop()
        # Each service leads a process group of its own, which takes along what
        # it started (the accessibility bus and its registry).
        for process in reversed(self._services):
            try:
                os.killpg(process.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            _wait_or_kill(process, 5, lambda: os.killpg(process.pid, signal.SIGKILL))
        shutil.rmtree(self.root, ignore_errors=True)

    def _service(self, argv, **kwargs):
        process = subprocess.Popen(argv, env=self.env, start_new_session=True, **kwargs)
        self._services.append(process)
        return process

    def _start_display(self):
        read_end, write_end = os.pipe()
        self._service(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % self.size,
                       "-nolisten", "tcp", "-noreset"],
                      pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number

    def _start_bus(self):
        # Started with DISPLAY set, so the accessibility bus it starts on demand
        # serves this display.
        with open(os.path.join(self.root, "dbus.log"), "w") as log:
            bus = self._service(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                stdout=subprocess.PIPE, stderr=log, text=True)
        address = bus.stdout.readline().strip()
        if not address:
            raise Failure("the D-Bus session bus did not start")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

    def _start_sound(self):
        log = os.path.join(self.root, "pulseaudio.log")
        self._service(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
                       "--log-target=file:" + log,
                       "--load=module-native-protocol-unix",
                       "--load=module-null-sink sink_name=realinput_sink",
                       "--load=module-null-source source_name=realinput_source max_latency_msec=20",
                       "--load=module-always-sink"],
                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: self.pactl("info", check=False).returncode == 0, "the sound server (" + log + ")")
        self.pactl("set-default-sink", "realinput_sink")
        self.pactl("set-default-source", "realinput_source")

    def pactl(self, *args, check=True):
        return subprocess.run(["pactl", *args], env=self.env, check=check, capture_output=True, text=True)

    def sound_events(self):
        """Watches the sound server from now on (see SoundEvents)."""
        return SoundEvents(self)

    # Programs

    def start(self, argv, name, cwd=None, env=None):
        program_env = dict(self.env)
        program_env.update(PROGRAM_ENV)
        program_env.update(env or {})
        process = subprocess.Popen(argv, env=program_env, cwd=cwd or self.home)
        program = Program(self, process, name)
        self._programs.append(program)
        return program

    # Accessibility

    def atspi(self):
        if self._atspi is None:
            # Imported after open(): it joins the bus the environment names.
            with warnings.catch_warnings():
                warnings.simplefilter("ignore", ImportWarning)
                import pyatspi
            self._atspi = pyatspi
        return self._atspi

    def accessible_application(self, pid):
        pyatspi = self.atspi()
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                continue
        return None

    def _showing_of(self, node, role, name=None):
        """Every showing control of `role` (and `name`, if given) under `node`;
        a control that goes away while it is read is passed over."""
        try:
            count = node.childCount
        except Exception:
            return
        for i in range(count):
            try:
                child = node.getChildAtIndex(i)
                match = (child.getRoleName() == role and (name is None or child.name == name)
                         and child.getState().contains(self.atspi().STATE_SHOWING))
            except Exception:
                continue
            if match:
                yield child
            yield from self._showing_of(child, role, name)

    def find_in(self, root, role, name):
        return next(self._showing_of(root, role, name), None)

    def find_all_in(self, root, role):
        return list(self._showing_of(root, role))

    def window_of(self, node):
        """The top window a control lies in."""
        while node.parent is not None and node.parent.getRoleName() != "application":
            node = node.parent
        return node

    def text_of(self, node):
        """The text a screen reader reads from a text control."""
        text = node.queryText()
        return text.getText(0, text.characterCount)

    def has_state(self, node, state_name):
        return node.getState().contains(getattr(self.atspi(), "STATE_" + state_name.upper()))

    def centre_of(self, node):
        extents = node.queryComponent().getExtents(self.atspi().DESKTOP_COORDS)
        if extents.width <= 0 or extents.height <= 0:
            raise Failure(f'"{node.name}" has no area on the screen')
        return extents.x + extents.width // 2, extents.y + extents.height // 2

    # Real input, through the X server

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, check=True, capture_output=True, text=True).stdout

    def click(self, node):
        """Moves the pointer to the middle of the control and presses the left button there."""
        x, y = self.centre_of(node)
        self.xdotool("mousemove", "--sync", str(x), str(y))
        self.xdotool("click", "1")

    def type_text(self, text):
        self.xdotool("type", "--delay", "30", text)

    def key(self, *keys):
        for key in keys:
            self.xdotool("key", "--delay", "30", key)

    def wait_window(self, title):
        """The X window shown with the title `title`, once it is there."""
        return wait_for(lambda: self._window_named(title), f'a window titled "{title}"')

    def wait_window_gone(self, title, what=None):
        """Waits until no window titled `title` is shown."""
        wait_for(lambda: self._window_named(title) is None, what or f'the window "{title}" to close')

    def focus_window(self, window):
        """Gives the keyboard to a top window, as a window manager would when it opens."""
        self.xdotool("windowfocus", "--sync", window)

    def caption_of(self, window):
        """The caption a window manager shows for a window: its UTF-8 name, which
        may differ from the Latin-1 name the window also carries."""
        result = subprocess.run(["xdotool", "getwindowname", window], env=self.env, capture_output=True, text=True)
        return result.stdout.rstrip("\n") if result.returncode == 0 else None

    def _window_named(self, title):
        pattern = "^" + "".join("\\" + c if c in ".^$*+?()[]{}|\\" else c for c in title)
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern],
                                env=self.env, capture_output=True, text=True)
        ids = [window for window in result.stdout.split() if self.caption_of(window) == title]
        return ids[0] if ids else None


class SoundEvents:
    """The sound server's events from the moment it was made (`pactl subscribe`)."""

    def __init__(self, desktop):
        self._lines = []
        self._lock = threading.Lock()
        self._process = desktop._service(["pactl", "subscribe"], stdout=subprocess.PIPE, text=True)
        threading.Thread(target=self._read, daemon=True).start()
        # pactl prints nothing until an event comes, so make sure it listens first.
        wait_for(lambda: desktop.pactl("list", "short", "clients").stdout.count("pactl") >= 2,
                 "pactl subscribe to connect")

    def _read(self):
        for line in self._process.stdout:
            with self._lock:
                self._lines.append(line.strip())

    def lines(self):
        with self._lock:
            return list(self._lines)

    def new_playbacks(self):
        return sum("'new' on sink-input" in line for line in self.lines())

    def wait_new_playbacks(self, count, what, timeout=DEFAULT_TIMEOUT):
        """Waits until `count` playback streams have appeared on the sound server."""
        wait_for(lambda: self.new_playbacks() >= count, what, timeout)


class RealDesktopTestCase(unittest.TestCase):
    """A test with a desktop of its own. Its last screen is kept as
    <build>/realinput/<test>.png, for whoever reads a failure."""

    def setUp(self):
        self.desktop = RealDesktop()
        self.addCleanup(self.desktop.close)
        self.desktop.open()
        self.addCleanup(self._keep_last_screen)

    def copy_sample_list(self):
        """The sample list and its clips, copied so that nothing the program does
        reaches the source tree, with the words path naming the copy; the copy's folder."""
        words_path = os.path.join(self.desktop.root, "samples")
        samples = os.environ["WW_SAMPLES_DIR"]
        shutil.copytree(os.path.join(samples, "words"), os.path.join(words_path, "words"))
        shutil.copy(os.path.join(samples, "Sample.spl"), words_path)
        subprocess.run([os.path.join(os.environ["WW_BUILD_DIR"], "samples", "ww-sample-settings"), words_path],
                       env=self.desktop.env, check=True)
        return words_path

    def _keep_last_screen(self):
        build = os.environ.get("WW_BUILD_DIR")
        if build:
            picture = os.path.join(build, "realinput", self.id().split(".")[-1] + ".png")
            subprocess.run([os.path.join(build, "samples", "ww-screenshot"), "0", picture],
                           env=dict(self.desktop.env, **PROGRAM_ENV), capture_output=True)


def main(argv):
    """realdesktop.py COMMAND...: runs a command on a private desktop (to look
    at a program by hand, or to try a scenario step by step), then closes it."""
    if not argv:
        print("usage: realdesktop.py COMMAND [ARGUMENT...]", file=sys.stderr)
        return 2
    with RealDesktop() as desktop:
        print(f"DISPLAY={desktop.env['DISPLAY']} HOME={desktop.home}", file=sys.stderr)
        env = dict(desktop.env, **PROGRAM_ENV)
        return subprocess.run(argv, env=env).returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
