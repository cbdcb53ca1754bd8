"""Hiding to the notification area and coming back, through trayer as the tray host."""

from harness import Desktop, HarnessError, wait_until

CAPTION = "Vintrale"
CLOSE_QUESTION = "提示！"
SHOW_WINDOW, EXIT_PROGRAM = 0, 1  # the tray menu's items, top first


def hide_to_tray(desk, win, keys=("Escape",)):
    desk.key(win, *keys)
    desk.answer_box(CLOSE_QUESTION, "y")
    wait_until(lambda: not desk.is_mapped(win), "the window to leave the screen")
    desk.tray_icon_geometry()  # waits for the icon


def wait_shown_without_icon(desk, win):
    wait_until(lambda: desk.is_mapped(win), "the window to come back")
    wait_until(lambda: not desk.tray_icons(), "the tray icon to go")


def double_click_brings_window_back(executable):
    # Both ways of asking to close lead to the same question and the same hiding.
    for keys in [("Escape",), ("alt+F4",)]:
        with Desktop(executable) as desk:
            program = desk.start_program()
            win = desk.wait_window(CAPTION)
            place = desk.outer_geometry(win)
            hide_to_tray(desk, win, keys)
            assert program.running(), f"{keys}: Yes must keep the program running"

            desk.click_tray_icon(repeat=2)
            wait_shown_without_icon(desk, win)
            # Compared once the window manager has framed it again.
            wait_until(lambda: desk.outer_geometry(win) == place,
                       f"the window back at {place} (now {desk.outer_geometry(win)})")
            assert program.running()


def single_click_on_icon_does_nothing(executable):
    with Desktop(executable) as desk:
        desk.start_program()
        win = desk.wait_window(CAPTION)
        hide_to_tray(desk, win)
        desk.click_tray_icon()
        # A double-click a moment later must still be read as the only toggle.
        desk.click_tray_icon(repeat=2)
        wait_shown_without_icon(desk, win)


def tray_menu_items(executable):
    for item in (SHOW_WINDOW, EXIT_PROGRAM):
        with Desktop(executable) as desk:
            program = desk.start_program()
            win = desk.wait_window(CAPTION)
            hide_to_tray(desk, win)
            desk.click_tray_icon(button=3)
            desk.wait_popup_menu(program)
            desk.choose_menu_item(item)
            if item == SHOW_WINDOW:
                wait_shown_without_icon(desk, win)
                assert program.running()
                continue
            status = program.wait_exit()
            assert status == 0, f"exit status {status} after the menu's exit"
            if desk.find_windows(CLOSE_QUESTION):
                raise HarnessError("the exit from the tray menu asked a question")


def dismissing_tray_menu_changes_nothing(executable):
    with Desktop(executable) as desk:
        program = desk.start_program()
        win = desk.wait_window(CAPTION)
        hide_to_tray(desk, win)
        desk.click_tray_icon(button=3)
        menu = desk.wait_popup_menu(program)
        desk.press("Escape")
        wait_until(lambda: not desk.is_mapped(menu), "the menu to close")
        assert program.running() and not desk.is_mapped(win)
        assert len(desk.tray_icons()) == 1
