"""Drives the real Vintrale executable on a private virtual desktop.

Every test gets its own desktop: an Xvfb server on a display number that Xvfb picks itself, then
openbox (the window frame and Alt+F4), then trayer (the notification area), in that order, since
trayer started before the window manager stays unmapped. Tests run side by side without meeting.

    with Desktop(exe) as desk:              # exe: the built program; screen=(w, h) optional
        prog = desk.start_program()         # a fresh copy under a unique name in a temp folder
        win = desk.wait_window("Vintrale")  # window id, once it is mapped (exact caption)
        desk.close_window(win)              # Alt+F4, as the user presses it
        desk.answer_box("提示！", "n")       # presses N in the message box with that caption
        assert prog.wait_exit() == 0

Functions of Desktop (all waits poll until the condition holds or fail with a clear message):
  start_program(name=None, folder=None, extra_env=None)
                                         copy the executable as folder/name and start it; the same
                                         name again reuses the copy (second-instance tests)
  fake_command(name)                     put an executable `name` first on the program's PATH that
                                         records its arguments; returns a Recording (.calls())
  wait_window(caption) / wait_gone(caption) / find_windows(caption, visible_only)
  window_name(win), wait_caption(win, caption), is_mapped(win)
  client_geometry(win), frame_extents(win), outer_geometry(win), size_hints(win),
  allowed_actions(win), motif_hints(win)
  activate(win), key(win, *keys), close_window(win)
  answer_box(caption, key)
  click_at(x, y, button=1, repeat=1), click_child(win, x, y, ...) (client coordinates)
  move_pointer(x, y), drag(start, end)   screen points; drag holds the left button
  tray_icons(), tray_icon_geometry()     windows embedded in trayer; geometry of the only one
  click_tray_icon(button=1, repeat=1)    click the middle of the only tray icon
  wait_popup_menu(program), choose_menu_item(index)   the open popup menu, picked by keyboard
  clipboard_text(), set_clipboard_text(text), pointer_position()
  grab(win, x, y, width, height)         raw pixels of a part of the window, to compare
Program: .pid, .path, .name, .wait_exit(timeout) -> exit status, .running(), .output()
Module waiting: wait_until(condition, what, timeout), HarnessError.

The program's message boxes are ordinary top-level windows, found by caption like the main window.
"""

import os
import shutil
import subprocess
import tempfile

from waiting import DEFAULT_TIMEOUT, HarnessError, die_with_parent, wait_until  # noqa: F401
from x11_input import UserInput
from x11_queries import WindowQueries

TRAYER_ARGS = ["--edge", "top", "--align", "right", "--widthtype", "request", "--height", "32",
               "--SetDockType", "true", "--SetPartialStrut", "true", "--expand", "true"]


class Program:
    def __init__(self, process, path, log_path):
        self.process = process
        self.pid = process.pid
        self.path = path
        self.name = os.path.basename(path)  # also the X class of its windows
        self._log_path = log_path

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        """The exit status once the process has ended (255 for the program's -1)."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError(f"{os.path.basename(self.path)} still runs after {timeout:.0f} s")

    def output(self):
        with open(self._log_path, encoding="utf-8", errors="replace") as log:
            return log.read()

    def stop(self):
        if self.running():
            self.process.terminate()
            try:
                self.process.wait(3)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class Recording:
    """What a fake command was called with: one list of arguments per call."""

    def __init__(self, path):
        self.path = path

    def calls(self):
        if not os.path.exists(self.path):
            return []
        with open(self.path, encoding="utf-8") as record:
            return [line.rstrip("\n").split("\x1f") for line in record if line.strip()]


class Desktop(WindowQueries, UserInput):
    def __init__(self, executable, screen=(1024, 768)):
        self.executable = os.path.abspath(executable)
        self.screen = screen
        self.display = None
        self.programs = []
        self._helpers = []
        self._copies = 0
        self.folder = tempfile.mkdtemp(prefix="vintrale-e2e-")
        self._fake_bin = os.path.join(self.folder, "bin")
        self.env = self._base_env()

    # --- lifetime -------------------------------------------------------------------------

    def __enter__(self):
        try:
            self._start_xvfb()
            self._start_helper(["openbox"], "openbox")
            wait_until(self._window_manager_ready, "openbox to manage the screen")
            self._start_tray()
        except BaseException:
            self._stop_all()
            raise
        return self

    def __exit__(self, kind, value, trace):
        if kind is not None:
            self._report_failure()
        self._stop_all()
        return False

    def _base_env(self):
        env = dict(os.environ)
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER", "XAUTHORITY",
                     "DESKTOP_SESSION", "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE"):
            env.pop(name, None)
        config = os.path.join(self.folder, "config")
        os.makedirs(config)
        env.update({
            "QT_QPA_PLATFORM": "xcb",
            # No session bus: Qt then uses the XEmbed tray of trayer, and nothing spawns a bus.
            "DBUS_SESSION_BUS_ADDRESS": "disabled:",
            "NO_AT_BRIDGE": "1",
            "QT_ACCESSIBILITY": "0",
            "XDG_CONFIG_HOME": config,
            "LANG": "C.UTF-8",
        })
        env.pop("LC_ALL", None)
        return env

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        width, height = self.screen
        log = open(os.path.join(self.folder, "xvfb.log"), "wb")
        process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            stdin=subprocess.DEVNULL, stdout=log, stderr=log, pass_fds=(write_end,),
            preexec_fn=die_with_parent)
        log.close()
        os.close(write_end)
        self._helpers.append(("Xvfb", process))
        with os.fdopen(read_end, "rb") as reader:
            number = reader.readline().strip()
        if not number:
            raise HarnessError("Xvfb did not report a display: " + self._log("xvfb.log"))
        self.display = ":" + number.decode()
        self.env["DISPLAY"] = self.display

    def _start_helper(self, argv, label):
        log = open(os.path.join(self.folder, label + ".log"), "wb")
        process = subprocess.Popen(argv, env=self.env, stdin=subprocess.DEVNULL, stdout=log,
                                   stderr=log, preexec_fn=die_with_parent)
        log.close()
        self._helpers.append((label, process))

    def _start_tray(self, attempts=3):
        # Now and then, right after openbox has come up, trayer's panel is never mapped: its map
        # request is lost. A fresh trayer then comes up, so give it a few chances.
        for attempt in range(1, attempts + 1):
            self._start_helper(["trayer"] + TRAYER_ARGS, "trayer")
            try:
                wait_until(self._tray_ready, "trayer to map its panel", timeout=8)
                return
            except HarnessError:
                if attempt == attempts:
                    raise
                _label, trayer = self._helpers.pop()
                trayer.kill()
                trayer.wait()

    def _tray_ready(self):
        trayer = self._helpers[-1][1]
        if trayer.poll() is not None:
            raise HarnessError(f"trayer ended with {trayer.returncode}: {self._log('trayer.log')}")
        return self._xdotool("search", "--onlyvisible", "--class", "trayer")

    def _window_manager_ready(self):
        result = self._run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False)
        return "window id" in result

    def _stop_all(self):
        for program in self.programs:
            program.stop()
        for _label, process in reversed(self._helpers):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(3)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self._helpers.clear()
        shutil.rmtree(self.folder, ignore_errors=True)

    def _log(self, name):
        try:
            with open(os.path.join(self.folder, name), encoding="utf-8", errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def _report_failure(self):
        print("---- e2e failure: state of the desktop", self.display)
        try:
            print(self._run(["xwininfo", "-root", "-tree"], check=False))
        except Exception as error:  # the report must never hide the original failure
            print("no window tree:", error)
        for program in self.programs:
            print(f"---- output of {os.path.basename(program.path)}"
                  f" (running: {program.running()})")
            print(program.output())
        target = os.environ.get("VINTRALE_E2E_FAILURE_DIR")
        if target and self.display:
            os.makedirs(target, exist_ok=True)
            path = os.path.join(target, f"failure-{os.getpid()}.png")
            self._run(["import", "-window", "root", path], check=False)
            print("screenshot of the desktop:", path)

    # --- processes ------------------------------------------------------------------------

    def _run(self, argv, check=True, timeout=DEFAULT_TIMEOUT, input_text=None):
        result = subprocess.run(argv, env=self.env, capture_output=True, text=True,
                                timeout=timeout, input=input_text,
                                stdin=None if input_text is not None else subprocess.DEVNULL)
        if check and result.returncode != 0:
            raise HarnessError(f"{' '.join(argv)} failed ({result.returncode}): {result.stderr}")
        return result.stdout

    def _xdotool(self, *args):
        # xdotool search exits 1 when nothing matches; that is an answer, not an error.
        return self._run(["xdotool", *args], check=False).split()

    def start_program(self, name=None, folder=None, extra_env=None):
        """Starts a copy of the executable. Each call without a name makes a new unique name, so
        the single-instance guard never sees two tests as one program."""
        if name is None:
            self._copies += 1
            name = f"vintrale-e2e-{os.getpid()}-{self._copies}"
        directory = os.path.join(self.folder, folder or "app")
        os.makedirs(directory, exist_ok=True)
        path = os.path.join(directory, name)
        if not os.path.exists(path):
            shutil.copy2(self.executable, path)
        env = dict(self.env)
        if os.path.isdir(self._fake_bin):
            env["PATH"] = self._fake_bin + os.pathsep + env.get("PATH", "")
        env.update(extra_env or {})
        log_path = os.path.join(self.folder, f"{name}-{len(self.programs)}.log")
        with open(log_path, "wb") as log:
            process = subprocess.Popen([path], env=env, cwd=self.folder, stdin=subprocess.DEVNULL,
                                       stdout=log, stderr=subprocess.STDOUT,
                                       preexec_fn=die_with_parent)
        program = Program(process, path, log_path)
        self.programs.append(program)
        return program

    def fake_command(self, name):
        """An executable `name` first on the PATH of programs started after this call; it records
        its arguments and succeeds."""
        os.makedirs(self._fake_bin, exist_ok=True)
        record = os.path.join(self.folder, name + ".calls")
        script = os.path.join(self._fake_bin, name)
        with open(script, "w", encoding="utf-8") as f:
            f.write("#!/bin/sh\n"
                    f"(IFS=\"$(printf '\\037')\"; echo \"$*\") >> '{record}'\n")
        os.chmod(script, 0o755)
        return Recording(record)
