"""The draw run, timed runs and the two commands, on the real program."""

import re

from harness import Desktop, HarnessError, wait_until

CAPTION = "Vintrale"
BRANDING = "Vintrale Harnwick出品-www.harnwick.com"
CLOSE_QUESTION = "提示！"

# Centres of the controls in the window's client area, from the window's declaration.
START_STOP = (332, 38)  # 按钮1
COPY = (332, 84)  # 按钮2
TREND = (332, 128)  # 按钮3
TIMED_MODE = (300, 220)  # 选择框1
SECONDS = (304, 242)  # 编辑框1
COUNT = (348, 183)  # 编辑框2
RESULTS_BOX = (2, 10, 264, 254)  # 超级编辑框1: x, y, width, height

TICKET = re.compile(r"((?:\d\d ){6})\+(\d\d)")


def check_tickets(text, count):
    """Each ticket one line: six distinct ascending reds 01-33, a blank after each, "+", a blue
    01-16."""
    lines = text.splitlines()
    assert len(lines) == count, f"{len(lines)} lines instead of {count}: {text!r}"
    assert text.endswith("\n") and "\r" not in text, f"line breaks are not plain: {text!r}"
    for line in lines:
        match = TICKET.fullmatch(line)
        assert match, f"not a ticket line: {line!r}"
        reds = [int(n) for n in match.group(1).split()]
        blue = int(match.group(2))
        assert reds == sorted(set(reds)), f"reds not distinct and ascending: {line!r}"
        assert 1 <= reds[0] and reds[-1] <= 33 and 1 <= blue <= 16, f"out of range: {line!r}"


def copy_results(desk, win, answer_caption="恭喜！"):
    desk.click_child(win, *COPY)
    desk.answer_box(answer_caption, "Return")
    return desk.clipboard_text()


def set_line_edit(desk, win, centre, text):
    desk.click_child(win, *centre)
    desk.press("ctrl+a", "BackSpace")
    if text:
        desk.press(*text)


def draw_run_churns_then_holds_its_tickets(executable):
    with Desktop(executable) as desk:
        desk.start_program()
        win = desk.wait_window(CAPTION)
        desk.click_child(win, *START_STOP)
        desk.wait_caption(win, BRANDING)
        before = desk.grab(win, *RESULTS_BOX)
        wait_until(lambda: desk.grab(win, *RESULTS_BOX) != before, "the tickets to churn")
        # While the numbers churn there is nothing stable to copy.
        desk.set_clipboard_text("before")
        desk.click_child(win, *COPY)
        desk.answer_box("警告", "Return")
        assert desk.clipboard_text() == "before"

        desk.click_child(win, *START_STOP)
        tickets = copy_results(desk, win)
        check_tickets(tickets, 5)
        assert desk.window_name(win) == BRANDING
        # Stopped, the box keeps the last tickets.
        assert copy_results(desk, win) == tickets


def ticket_count_comes_from_its_box(executable):
    with Desktop(executable) as desk:
        desk.start_program()
        win = desk.wait_window(CAPTION)
        for typed, count in [("1", 1), ("12", 12)]:
            set_line_edit(desk, win, COUNT, typed)
            desk.click_child(win, *START_STOP)
            before = desk.grab(win, *RESULTS_BOX)
            wait_until(lambda: desk.grab(win, *RESULTS_BOX) != before, "a draw")
            desk.click_child(win, *START_STOP)
            check_tickets(copy_results(desk, win), count)


def copy_refuses_an_empty_box(executable):
    with Desktop(executable) as desk:
        desk.start_program()
        win = desk.wait_window(CAPTION)
        desk.set_clipboard_text("before")
        desk.click_child(win, *COPY)
        desk.answer_box("提示", "Return")
        assert desk.clipboard_text() == "before"


def timed_run_ends_by_itself_even_from_the_tray(executable):
    with Desktop(executable) as desk:
        program = desk.start_program()
        win = desk.wait_window(CAPTION)
        desk.click_child(win, *TIMED_MODE)
        set_line_edit(desk, win, SECONDS, "2")
        desk.click_child(win, *START_STOP)
        desk.wait_caption(win, "Vintrale-[00：00：00]")
        desk.key(win, "Escape")
        desk.answer_box(CLOSE_QUESTION, "y")
        wait_until(lambda: not desk.is_mapped(win), "the window to hide in the tray")

        # The end of the run brings the window back and takes the icon away.
        wait_until(lambda: desk.is_mapped(win), "the window back after the timed run")
        wait_until(lambda: not desk.tray_icons(), "the tray icon to go")
        assert desk.window_name(win) == "Vintrale-[00：00：02]"
        check_tickets(copy_results(desk, win), 5)
        assert program.running()


def empty_seconds_stop_the_timed_run_with_an_error(executable):
    with Desktop(executable) as desk:
        desk.start_program()
        win = desk.wait_window(CAPTION)
        desk.click_child(win, *TIMED_MODE)
        desk.click_child(win, *START_STOP)
        desk.answer_box("错误", "Return")
        # Nothing was drawn, and the run is over: copying finds the box empty.
        desk.click_child(win, *COPY)
        desk.answer_box("提示", "Return")
        assert desk.window_name(win) == CAPTION


def trend_button_and_enter_open_the_chart(executable):
    # Enter in the count box or on the label that holds the focus at start goes to 按钮3.
    ways = [("click", lambda desk, win: desk.click_child(win, *TREND)),
            ("Enter at start", lambda desk, win: desk.key(win, "Return")),
            ("Enter in the count box",
             lambda desk, win: (desk.click_child(win, *COUNT), desk.press("Return")))]
    for name, press in ways:
        with Desktop(executable) as desk:
            browser = desk.fake_command("xdg-open")
            desk.start_program()
            win = desk.wait_window(CAPTION)
            press(desk, win)
            calls = wait_until(browser.calls, f"{name}: the browser to be asked")
            assert len(calls) == 1, f"{name}: {calls}"
            url = calls[0][-1]
            if not re.fullmatch(r"http://[\w.-]+/ssqZst!ssqjbzs\.jhtml\?flag=jbzs", url):
                raise HarnessError(f"{name}: opened {url!r}")
