"""The main window under a real window manager: dragging its background, coming back in place."""

from harness import Desktop, wait_until

CAPTION = "Vintrale"
CLOSE_QUESTION = "提示！"
OFFSET = (60, -45)

# Points in the client area, from the window's declaration, and whether a drag there moves.
DRAG_POINTS = [
    ("background between the results and the buttons", (273, 150), True),
    ("group box beside the buttons", (283, 100), True),
    ("label 标签1", (312, 182), True),
    ("transparent label 透明标签1", (346, 243), False),
    ("button 按钮2", (332, 84), False),
]


def dragging_moves_the_window_only_from_its_background(executable):
    for name, point, moves in DRAG_POINTS:
        with Desktop(executable) as desk:
            desk.start_program()
            win = desk.wait_window(CAPTION)
            x, y, width, height = desk.outer_geometry(win)
            left, top, _w, _h = desk.client_geometry(win)
            start = (left + point[0], top + point[1])
            desk.drag(start, (start[0] + OFFSET[0], start[1] + OFFSET[1]))
            expected = (x + OFFSET[0], y + OFFSET[1], width, height) if moves else (
                x, y, width, height)
            wait_until(lambda: desk.outer_geometry(win) == expected,
                       f"{name}: window at {expected} (now {desk.outer_geometry(win)})")
            if not moves:
                # A drag that moves the window would have done so by now: the button was
                # released, and the window manager has answered the pointer.
                assert desk.outer_geometry(win) == (x, y, width, height), name


def window_comes_back_where_it_was_left(executable):
    with Desktop(executable) as desk:
        desk.start_program()
        win = desk.wait_window(CAPTION)
        left, top, _w, _h = desk.client_geometry(win)
        start = (left + 273, top + 150)
        desk.drag(start, (start[0] + OFFSET[0], start[1] + OFFSET[1]))
        moved = wait_until(
            lambda: (g := desk.outer_geometry(win))[:2] != (left - 1, top - 20) and g,
            "the window to move")
        desk.key(win, "Escape")
        desk.answer_box(CLOSE_QUESTION, "y")
        wait_until(lambda: not desk.is_mapped(win), "the window to hide")
        desk.click_tray_icon(repeat=2)
        wait_until(lambda: desk.is_mapped(win), "the window to come back")
        wait_until(lambda: desk.outer_geometry(win) == moved,
                   f"the window back at {moved} (now {desk.outer_geometry(win)})")
