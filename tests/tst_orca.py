#!/usr/bin/env python3
"""What the Orca screen reader speaks while a user walks the wizard with the keyboard alone.

Runs the real program and the real Orca on a private X server, session bus and accessibility
bus, with a private home folder. Orca speaks to no synthesizer; its debug log holds every
utterance ("SPEECH OUTPUT"), which is read back as the walk goes on.

    tests/tst_orca.py PROGRAM

Fails, with the reason, when Orca or the desktop pieces it needs cannot start: a missing screen
reader is a missing feature for its users, not a test to skip.
"""

import os
import re
import runpy
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# A human pace: Orca answers each key before the next one comes.
KEY_GAP = 0.08
# Orca speaks within a second or two; a loaded machine gets far more.
SPEECH_TIMEOUT = 20.0

CUSTOMIZATIONS = """\
import orca.debug
import orca.settings
# No synthesizer: what would be spoken is only written to the debug log.
orca.settings.speechServerFactory = None
orca.settings.speechFactoryModules = []
# The test reads the log while Orca writes it.
if orca.debug.debugFile:
    orca.debug.debugFile.reconfigure(line_buffering=True)
"""

# Starts Orca as /usr/bin/orca does, but on this private desktop only: it neither looks for nor
# hides from other users' or other tests' Orca processes (it keeps its interpreter's process name).
LAUNCHER = """\
import runpy, sys
script = runpy.run_path(sys.argv[1], run_name="orca_launcher")
main = script["main"]
main.__globals__["otherOrcas"] = lambda: []
main.__globals__["setProcessName"] = lambda name: True
sys.argv = ["orca"] + sys.argv[2:]
sys.exit(main())
"""

UTTERANCE = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)?\s?\[?\{", re.DOTALL)


class Failure(Exception):
    pass


def fail(message):
    raise Failure(message)


def need(tool):
    path = shutil.which(tool)
    if not path:
        fail(f"'{tool}' is not installed (scripts/install-deps --tests installs it)")
    return path


class Desktop:
    """Xvfb, a session bus with the accessibility bus, and Orca, all private to the test."""

    def __init__(self, folder):
        self.folder = folder
        self.processes = []
        self.env = dict(os.environ)
        home = os.path.join(folder, "home")
        self.env.update(
            HOME=home,
            XDG_CONFIG_HOME=os.path.join(home, ".config"),
            XDG_DATA_HOME=os.path.join(home, ".local", "share"),
            XDG_CACHE_HOME=os.path.join(home, ".cache"),
            XDG_RUNTIME_DIR=os.path.join(folder, "runtime"),
            LC_ALL="C.UTF-8",
        )
        for variable in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS"):
            self.env.pop(variable, None)
        os.makedirs(os.path.join(self.env["XDG_DATA_HOME"], "orca"))
        os.makedirs(self.env["XDG_CONFIG_HOME"])
        os.makedirs(self.env["XDG_RUNTIME_DIR"], mode=0o700)
        with open(os.path.join(self.env["XDG_DATA_HOME"], "orca", "orca-customizations.py"), "w") as file:
            file.write(CUSTOMIZATIONS)
        self.log = os.path.join(folder, "orca-debug.log")
        self.program_output = os.path.join(folder, "program.log")

    def start(self, what, command, **options):
        output = open(os.path.join(self.folder, what + ".log"), "w")
        process = subprocess.Popen(command, env=self.env, stdout=output, stderr=subprocess.STDOUT,
                                   start_new_session=True, **options)
        self.processes.append((what, process))
        return process

    def start_x_server(self):
        xvfb = need("Xvfb")
        read_end, write_end = os.pipe()
        # Xvfb picks a free display and writes its number.
        self.start("xvfb", [xvfb, "-displayfd", str(write_end), "-screen", "0", "1920x1080x24", "-nolisten", "tcp"],
                   pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            fail("the X server (Xvfb) did not start")
        self.env["DISPLAY"] = ":" + number

    def start_buses(self):
        need("dbus-daemon")
        bus = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"],
                             env=self.env, capture_output=True, text=True, timeout=20)
        lines = bus.stdout.split()
        if bus.returncode != 0 or len(lines) < 2:
            fail("the session bus did not start: " + bus.stderr.strip())
        self.env["DBUS_SESSION_BUS_ADDRESS"] = lines[0]
        self.bus_pid = int(lines[1])
        launcher = "/usr/libexec/at-spi-bus-launcher"
        if not os.path.exists(launcher):
            fail("the accessibility bus launcher is not installed (at-spi2-core)")
        self.start("at-spi-bus", [launcher, "--launch-immediately"])
        for _ in range(100):
            owner = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/",
                                    "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
                                   env=self.env, capture_output=True, text=True)
            if "boolean true" in owner.stdout:
                return
            time.sleep(0.1)
        fail("the accessibility bus did not start")

    def start_orca(self):
        orca = need("orca")
        # Orca's own interpreter, which has its modules.
        with open(orca) as script:
            interpreter = script.readline()[2:].split()
        self.start("orca", interpreter + ["-c", LAUNCHER, orca, "--debug-file=" + self.log])
        deadline = time.time() + 60
        while time.time() < deadline:
            if "SPEECH OUTPUT: 'Screen reader on.'" in self.read_log():
                return
            if self.processes[-1][1].poll() is not None:
                break
            time.sleep(0.2)
        with open(os.path.join(self.folder, "orca.log")) as file:
            output = file.read().strip()
        fail("Orca did not start on the private desktop (outside the program): " + (output or "no output")[-2000:])

    def start_program(self, program):
        env = dict(self.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        output = open(self.program_output, "w")
        process = subprocess.Popen([program], env=env, stdout=output, stderr=subprocess.STDOUT,
                                   start_new_session=True)
        self.processes.append(("program", process))
        return process

    def read_log(self):
        try:
            with open(self.log, errors="replace") as file:
                return file.read()
        except FileNotFoundError:
            return ""

    def stop(self):
        for _, process in reversed(self.processes):
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGTERM)
        for _, process in reversed(self.processes):
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
        if getattr(self, "bus_pid", None):
            try:
                os.kill(self.bus_pid, signal.SIGTERM)
            except ProcessLookupError:
                pass


class Listener:
    """What Orca has spoken, in order; each expectation is met by speech after the last one met."""

    def __init__(self, desktop, program):
        self.desktop = desktop
        self.program = program
        self.heard = 0

    def utterances(self):
        spoken = UTTERANCE.findall(self.desktop.read_log())
        # Orca writes a multi-line utterance with its later lines indented.
        return [" ".join(text.split()) for text in spoken]

    def expect_window(self, place, instructions, where):
        """The window's place and its instructions, spoken together on arriving at it."""
        spoken = self.expect(place, "arriving at " + where)
        if instructions not in spoken:
            fail(f"arriving at {where}: its instructions {instructions!r} were not spoken; Orca said {spoken!r}")

    def expect(self, words, where):
        deadline = time.time() + SPEECH_TIMEOUT
        while True:
            spoken = self.utterances()
            for index in range(self.heard, len(spoken)):
                if words in spoken[index]:
                    self.heard = index + 1
                    return spoken[index]
            if self.program.poll() is not None:
                fail(f"{where}: the program ended (exit status {self.program.returncode})")
            if time.time() > deadline:
                recent = "\n  ".join(spoken[self.heard:][-25:]) or "(nothing)"
                fail(f"{where}: Orca never said {words!r}; it said since then:\n  {recent}")
            time.sleep(0.2)


def keys(desktop, *names):
    for name in names:
        subprocess.run(["xdotool", "key", "--delay", "0", name], env=desktop.env, check=True)
        time.sleep(KEY_GAP)


def type_text(desktop, text):
    subprocess.run(["xdotool", "type", "--delay", str(int(KEY_GAP * 1000)), text], env=desktop.env, check=True)
    time.sleep(KEY_GAP)


def walk(desktop, listen):
    """The wizard from the main menu to the generator's analysis, by the keyboard alone."""
    # The main menu follows the splash; the arrow has the focus.
    listen.expect_window("Main menu", "Start by making a gateway page using your web site's information.",
                         "the main menu")
    listen.expect("Click Here To Get Started! push button", "the main menu's first focus")
    keys(desktop, "Tab", "Tab", "Tab")
    listen.expect("Make A Gateway Page check box", "tabbing to the first menu line")
    keys(desktop, "space", "Return")

    listen.expect_window("Step 1 of 7", "Which search engine are we going to get you ranked in today? Start by "
                         "selecting a target from the menu below.", "step 1")
    listen.expect("Select A Target: editable combo box", "step 1's first focus")
    keys(desktop, "Down")
    listen.expect("Alta Vista", "picking the first engine")
    keys(desktop, "Tab")
    # The whole pre-filled address, its last character included.
    listen.expect("http:// selected", "the address box's value")
    type_text(desktop, "http://example.com")
    keys(desktop, "Return")

    listen.expect_window("Step 2 of 7", "Fill in the phrases you would like to be listed under, then click the "
                         "arrow button to continue", "step 2")
    listen.expect("Targeted Phrase: text", "step 2's first focus")
    type_text(desktop, "blue widgets")
    for phrase in ("red", "green", "small"):
        keys(desktop, "Tab")
        type_text(desktop, phrase)
    keys(desktop, "Return")

    listen.expect_window("Step 3 of 7", "Type a description of your site, then click the exclamation point below.",
                         "step 3")
    listen.expect("Page Title: text", "step 3's first focus")
    listen.expect("blue widgets - blue widgets", "the pre-filled title, whole")
    keys(desktop, "Tab")
    listen.expect("Meta-Tag Description: text", "tabbing into the description")
    # The caret waits after the pre-fill: the words follow it.
    type_text(desktop, "fast blue widgets")
    # The navigation row: Back, the cross, then the exclamation point.
    keys(desktop, "Tab", "Tab", "Tab")
    listen.expect("Click Here To Analize Your Meta-Tag Description! push button", "tabbing to the analysis")
    keys(desktop, "space")
    listen.expect("notification", "the description analysis")
    # "blue widgets - fast blue widgets": six words. Typed in front of the pre-fill they would
    # make five ("fast blue widgetsblue widgets - ").
    step2 = listen.expect("Meta-Tag Description Statistics: Your total word count is 6. You used your Targeted Phrase "
                          "2 times.", "the description analysis' statistics")
    if "For Alta Vista: You should use about 15 words. Use your Targeted Phrase 2 times in the Meta-Tag " \
       "Description." not in step2:
        fail("the description analysis: the advice was not spoken with the statistics: " + step2)
    keys(desktop, "Tab", "Return")

    listen.expect_window("Step 4 of 7", "Be sure to include an accurate description of your site.", "step 4")
    listen.expect("Page Body: text", "step 4's first focus")
    type_text(desktop, "blue widgets for every home")
    keys(desktop, "Tab", "Tab", "Tab", "space")
    step3 = listen.expect("Page Body Statistics:", "the body analysis")
    if "For Alta Vista:" not in step3:
        fail("the body analysis: the advice was not spoken with the statistics: " + step3)
    keys(desktop, "Tab", "Return")

    listen.expect_window("Step 5 of 7", "Using a Hit Counter will allow you to keep track", "step 5")
    keys(desktop, "Tab")
    listen.expect("blue widgets - Click Here!", "the pre-filled link text, whole")
    keys(desktop, "Return")

    listen.expect_window("Step 6 of 7", "The default settings are what we suggest for Alta Vista.", "step 6")
    keys(desktop, "Return")

    listen.expect_window("Step 7 of 7", "Click the exclamation point and analize your HTML code to be sure your page "
                         "is ready to be submitted to Alta Vista.", "the generator")
    keys(desktop, "Tab")
    listen.expect("If you have everything exactly how you want it", "tabbing to the generator's report")
    # The second report text, Back, the cross, then the exclamation point.
    keys(desktop, "Tab", "Tab", "Tab", "Tab")
    listen.expect("Click Here For More Options! push button", "tabbing to the generator's options")
    keys(desktop, "space")
    listen.expect("What would you like to do with your new gateway page?", "the options window")
    keys(desktop, "space", "Return")
    generator = listen.expect("Page Statistics: Your total word count is", "the page analysis")
    if "Your Keyword Frequency should be:" not in generator:
        fail("the page analysis: the advice was not spoken with the statistics: " + generator)

    # Each result was spoken once, not again by some later event.
    time.sleep(2)
    spoken = listen.utterances()
    for heading in ("Meta-Tag Description Statistics:", "Page Body Statistics:", "Page Statistics:"):
        times = sum(1 for text in spoken if heading in text)
        if times != 1:
            fail(f"the analysis results under {heading!r} were spoken {times} times, not once")


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    program = os.path.abspath(sys.argv[1])
    folder = tempfile.mkdtemp(prefix="rankwright-orca-")
    desktop = Desktop(folder)
    try:
        need("xdotool")
        desktop.start_x_server()
        desktop.start_buses()
        desktop.start_orca()
        listen = Listener(desktop, desktop.start_program(program))
        walk(desktop, listen)
    except Failure as failure:
        print("FAIL:", failure, file=sys.stderr)
        print("Orca's debug log and the program's output are kept in", folder, file=sys.stderr)
        return 1
    finally:
        desktop.stop()
    with open(desktop.program_output) as file:
        errors = file.read().count("keyEventError")
    print(f"PASS: Orca spoke every window, value and analysis result; "
          f"the program reported {errors} key-event errors from the accessibility bus")
    shutil.rmtree(folder, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
