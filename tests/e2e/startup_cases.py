"""Start-up and shutdown of the real program on a desktop with a window manager."""

from harness import Desktop, HarnessError

CAPTION = "Vintrale"
OUTER_SIZE = (384, 303)
CLOSE_QUESTION = "提示！"


def expected_place(screen):
    # Centred on the whole screen, rounded toward zero, frame included.
    return ((screen[0] - OUTER_SIZE[0]) // 2, (screen[1] - OUTER_SIZE[1]) // 2)


def window_centred_at_its_outer_size(executable):
    # Odd and even leftovers on both axes: 1024x768 leaves 465 rows, 1280x1024 leaves 721.
    for screen in [(1024, 768), (1280, 1024), (800, 600)]:
        with Desktop(executable, screen=screen) as desk:
            desk.start_program()
            win = desk.wait_window(CAPTION)
            x, y, width, height = desk.outer_geometry(win)
            assert (width, height) == OUTER_SIZE, f"{screen}: outer size {width}x{height}"
            assert (x, y) == expected_place(screen), f"{screen}: placed at {x},{y}"


def window_cannot_be_resized(executable):
    with Desktop(executable) as desk:
        desk.start_program()
        win = desk.wait_window(CAPTION)
        _x, _y, width, height = desk.client_geometry(win)
        hints = desk.size_hints(win)
        assert hints.get("minimum") == hints.get("maximum") == (width, height), hints
        actions = desk.allowed_actions(win)
        for forbidden in ("_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                          "_NET_WM_ACTION_MAXIMIZE_VERT"):
            assert forbidden not in actions, f"{forbidden} offered: {actions}"
        assert "_NET_WM_ACTION_CLOSE" in actions and "_NET_WM_ACTION_MOVE" in actions, actions


# _MOTIF_WM_HINTS bits.
FUNCTIONS_FLAG, DECORATIONS_FLAG = 0x1, 0x2
FUNC_ALL, FUNC_MOVE, FUNC_MINIMIZE, FUNC_MAXIMIZE, FUNC_CLOSE = 0x1, 0x4, 0x8, 0x10, 0x20
DECOR_ALL, DECOR_TITLE, DECOR_MENU, DECOR_MINIMIZE, DECOR_MAXIMIZE = 0x1, 0x8, 0x10, 0x20, 0x40


def caption_bar_asks_for_menu_and_close_only(executable):
    with Desktop(executable) as desk:
        desk.start_program()
        win = desk.wait_window(CAPTION)
        hints = desk.motif_hints(win)
        assert hints is not None, "no _MOTIF_WM_HINTS: the window manager decides the buttons"
        flags, functions, decorations = hints
        assert flags & FUNCTIONS_FLAG and flags & DECORATIONS_FLAG, hints
        # "All" would grant minimise and maximise too.
        offered = f"functions {functions:#x}, decorations {decorations:#x}"
        assert not functions & (FUNC_ALL | FUNC_MINIMIZE | FUNC_MAXIMIZE), offered
        assert functions & FUNC_MOVE and functions & FUNC_CLOSE, offered
        assert not decorations & (DECOR_ALL | DECOR_MINIMIZE | DECOR_MAXIMIZE), offered
        assert decorations & DECOR_TITLE and decorations & DECOR_MENU, offered


def close_and_expect_exit(desk, program, win, keys):
    desk.key(win, *keys)
    # No to "minimise to the tray?" lets the close go ahead.
    desk.answer_box(CLOSE_QUESTION, "n")
    status = program.wait_exit()
    assert status == 0, f"exit status {status} after {keys}"


def closing_ends_with_status_zero(executable):
    for keys in [("alt+F4",), ("Escape",)]:
        with Desktop(executable) as desk:
            program = desk.start_program()
            win = desk.wait_window(CAPTION)
            close_and_expect_exit(desk, program, win, keys)
            if desk.find_windows(CAPTION, visible_only=False):
                raise HarnessError(f"window left behind after {keys}")
