"""What the tests do to the desktop: keys, clicks, menu choices, clipboard content, all as a user
would through the X server. Mixed into Desktop, which provides _run, env and the queries."""

import subprocess

from waiting import DEFAULT_TIMEOUT, die_with_parent, wait_until


class UserInput:
    def activate(self, win):
        self._run(["xdotool", "windowactivate", "--sync", str(win)])

    def key(self, win, *keys):
        """Presses keys (xdotool names: Escape, Return, Tab, alt+F4, n ...) with win active."""
        self.activate(win)
        self._run(["xdotool", "key", "--clearmodifiers", *keys])

    def press(self, *keys):
        """Presses keys wherever the keyboard goes now (an open menu grabs it)."""
        self._run(["xdotool", "key", *keys])

    def close_window(self, win):
        """Alt+F4 through the window manager: a close request like the caption's close box."""
        self.key(win, "alt+F4")

    def answer_box(self, caption, key, timeout=DEFAULT_TIMEOUT):
        """Waits for the message box with this caption and presses key in it (n, y, Return)."""
        box = self.wait_window(caption, timeout)
        self.key(box, key)
        self.wait_gone(caption, timeout)
        return box

    def move_pointer(self, x, y):
        # Not --sync: it waits for a motion that never comes when the pointer is there already.
        self._run(["xdotool", "mousemove", str(x), str(y)])
        wait_until(lambda: self.pointer_position() == (x, y), f"the pointer at {x},{y}")

    def click_at(self, x, y, button=1, repeat=1):
        """Clicks at a screen point; repeat=2 is a double-click."""
        self.move_pointer(x, y)
        self._run(["xdotool", "click", "--repeat", str(repeat), "--delay", "60", str(button)])

    def drag(self, start, end, steps=8):
        """Presses the left button at start, moves to end in steps and releases (screen points)."""
        self.move_pointer(*start)
        self._run(["xdotool", "mousedown", "1"])
        for i in range(1, steps + 1):
            self.move_pointer(start[0] + (end[0] - start[0]) * i // steps,
                              start[1] + (end[1] - start[1]) * i // steps)
        self._run(["xdotool", "mouseup", "1"])

    def click_child(self, win, x, y, button=1, repeat=1):
        """Clicks at a point given in the window's client coordinates."""
        left, top, _w, _h = self.client_geometry(win)
        self.click_at(left + x, top + y, button, repeat)

    def choose_menu_item(self, index):
        """Picks the item at index (0 first) of the open popup menu with the keyboard."""
        self.press(*(["Down"] * (index + 1)), "Return")

    def click_tray_icon(self, button=1, repeat=1):
        x, y, width, height = self.tray_icon_geometry()
        self.click_at(x + width // 2, y + height // 2, button, repeat)

    def set_clipboard_text(self, text):
        # xclip stays behind as the owner of the selection until someone else takes it.
        process = subprocess.Popen(["xclip", "-i", "-selection", "clipboard"], env=self.env,
                                   stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, preexec_fn=die_with_parent)
        process.communicate(text.encode())
        wait_until(lambda: self.clipboard_text() == text, "xclip to own the clipboard")
