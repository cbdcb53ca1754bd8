"""What the tests read from the X server: windows by caption, geometry, the tray, the clipboard.
Mixed into Desktop, which provides _run, _xdotool and env."""

import re
import subprocess

from waiting import DEFAULT_TIMEOUT, HarnessError, wait_until


def name_pattern(caption):
    return "^" + re.escape(caption) + "$"


class WindowQueries:
    def find_windows(self, caption, visible_only=True):
        args = ["search"] + (["--onlyvisible"] if visible_only else []) + [
            "--name", name_pattern(caption)]
        return [int(w) for w in self._xdotool(*args)]

    def wait_window(self, caption, timeout=DEFAULT_TIMEOUT):
        """The id of the mapped top-level window with exactly this caption."""
        found = wait_until(lambda: self.find_windows(caption),
                           f"a mapped window captioned {caption!r}", timeout)
        return found[0]

    def wait_gone(self, caption, timeout=DEFAULT_TIMEOUT):
        wait_until(lambda: not self.find_windows(caption),
                   f"no mapped window captioned {caption!r}", timeout)

    def window_name(self, win):
        return self._run(["xdotool", "getwindowname", str(win)], check=False).rstrip("\n")

    def wait_caption(self, win, caption, timeout=DEFAULT_TIMEOUT):
        wait_until(lambda: self.window_name(win) == caption,
                   f"caption {caption!r} (now {self.window_name(win)!r})", timeout)

    def _xwininfo(self, win):
        text = self._run(["xwininfo", "-id", str(win)], check=False)
        fields = {}
        for line in text.splitlines():
            key, sep, value = line.strip().partition(":")
            if sep:
                fields[key] = value.strip()
        return fields

    def is_mapped(self, win):
        return self._xwininfo(win).get("Map State") == "IsViewable"

    def client_geometry(self, win):
        """x, y, width, height of the window's client area on the screen."""
        info = self._xwininfo(win)
        return tuple(int(info[k]) for k in
                     ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def frame_extents(self, win):
        """left, right, top, bottom of the window manager's frame around the client."""
        text = wait_until(
            lambda: "=" in (t := self._run(["xprop", "-id", str(win), "_NET_FRAME_EXTENTS"],
                                           check=False)) and t,
            "the window manager's frame extents")
        return tuple(int(v) for v in text.split("=", 1)[1].split(","))

    def outer_geometry(self, win):
        """x, y, width, height of the window with its frame, as the user sees it."""
        x, y, width, height = self.client_geometry(win)
        left, right, top, bottom = self.frame_extents(win)
        return x - left, y - top, width + left + right, height + top + bottom

    def size_hints(self, win):
        """The sizes the program asks the window manager to keep: {"minimum": (w, h), ...}."""
        text = self._run(["xprop", "-id", str(win), "WM_NORMAL_HINTS"], check=False)
        return {m.group(1): (int(m.group(2)), int(m.group(3))) for m in
                re.finditer(r"specified (\w+) size: (\d+) by (\d+)", text)}

    def motif_hints(self, win):
        """flags, functions, decorations of _MOTIF_WM_HINTS: what the program asks the window
        manager to offer. Window managers may offer more (openbox keeps its iconify button)."""
        text = self._run(["xprop", "-id", str(win), "_MOTIF_WM_HINTS"], check=False)
        if "=" not in text:
            return None
        values = [int(v, 0) for v in text.split("=", 1)[1].split(",")]
        return tuple(values[:3])

    def allowed_actions(self, win):
        """The window manager's _NET_WM_ALLOWED_ACTIONS for the window."""
        text = self._run(["xprop", "-id", str(win), "_NET_WM_ALLOWED_ACTIONS"], check=False)
        return re.findall(r"_NET_WM_ACTION_\w+", text)

    def tray_icons(self):
        """Ids of the windows embedded in trayer's panel, one per tray icon."""
        panels = self._xdotool("search", "--class", "trayer")
        icons = []
        for panel in panels:
            tree = self._run(["xwininfo", "-children", "-id", panel], check=False)
            for line in tree.splitlines():
                match = re.match(r"\s+(0x[0-9a-f]+) (.*?):.*\s(\d+)x(\d+)\+", line)
                if match and int(match.group(3)) > 1 and int(match.group(4)) > 1:
                    icons.extend(self._embedded_clients(int(match.group(1), 16)))
        return sorted(set(icons))

    def _embedded_clients(self, socket):
        # trayer wraps each XEmbed client in a socket window of its own; the client is the child.
        tree = self._run(["xwininfo", "-children", "-id", str(socket)], check=False)
        return [int(m.group(1), 16) for m in re.finditer(r"^\s+(0x[0-9a-f]+) ", tree, re.M)]

    def wait_popup_menu(self, program, timeout=DEFAULT_TIMEOUT):
        """The id of the program's open popup menu (an override-redirect window of its class
        that is not a tray icon)."""
        def popups():
            icons = set(self.tray_icons())
            return [int(w) for w in self._xdotool("search", "--onlyvisible", "--class",
                                                  "^" + re.escape(program.name) + "$")
                    if int(w) not in icons
                    and self._xwininfo(int(w)).get("Override Redirect State") == "yes"]
        return wait_until(popups, f"a popup menu of {program.name}", timeout)[0]

    def tray_icon_geometry(self, timeout=DEFAULT_TIMEOUT):
        """x, y, width, height on the screen of the one icon in the notification area."""
        icons = wait_until(lambda: [w for w in self.tray_icons() if self.is_mapped(w)],
                           "an icon in the notification area", timeout)
        if len(icons) != 1:
            raise HarnessError(f"expected one tray icon, found {len(icons)}")
        return self.client_geometry(icons[0])

    def pointer_position(self):
        fields = dict(line.split("=", 1) for line in
                      self._run(["xdotool", "getmouselocation", "--shell"]).split())
        return int(fields["X"]), int(fields["Y"])

    def clipboard_text(self):
        return self._run(["xclip", "-o", "-selection", "clipboard"], check=False)

    def grab(self, win, x, y, width, height):
        """The raw RGB pixels of a part of the window, in client coordinates: compare two grabs to
        see whether something on screen changed."""
        result = subprocess.run(
            ["import", "-window", str(win), "-crop", f"{width}x{height}+{x}+{y}", "+repage",
             "-depth", "8", "rgb:-"], env=self.env, capture_output=True, timeout=DEFAULT_TIMEOUT)
        if result.returncode != 0 or len(result.stdout) != width * height * 3:
            raise HarnessError(f"could not grab {width}x{height}+{x}+{y} of {win}: "
                               f"{result.stderr.decode(errors='replace')}")
        return result.stdout
