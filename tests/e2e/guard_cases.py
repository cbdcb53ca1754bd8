"""One instance at a time, and the skin engine's file beside the executable, on the real program."""

import os
import re
import shutil
import subprocess

from harness import Desktop, HarnessError, wait_until

CAPTION = "Vintrale"
REFUSAL = "不支持多开！"
CLOSE_QUESTION = "提示！"
ERROR = "错误"
ENGINE = ".SkinH_EL.so"


def windows_of(desk, program):
    """Captions of the program's mapped top-level windows."""
    found = desk._xdotool("search", "--onlyvisible", "--pid", str(program.pid))
    return sorted(desk.window_name(int(win)) for win in found)


def main_window_of(desk, program):
    """The program's own main window once it is on screen (other programs may show theirs)."""
    def found():
        for win in desk._xdotool("search", "--onlyvisible", "--pid", str(program.pid)):
            if desk.window_name(int(win)) == CAPTION:
                return int(win)
        return None
    return wait_until(found, f"the main window of {program.name}")


def end_normally(desk, program):
    win = main_window_of(desk, program)
    desk.key(win, "Escape")
    desk.answer_box(CLOSE_QUESTION, "n")
    status = program.wait_exit()
    assert status == 0, f"{program.name} ended with {status}"


def expect_refused(desk, second, first):
    box = desk.wait_window(REFUSAL)
    # The box stands alone: no window of the refused instance was shown before it.
    assert windows_of(desk, second) == [REFUSAL], windows_of(desk, second)
    desk.key(box, "Return")
    desk.wait_gone(REFUSAL)
    status = second.wait_exit()
    assert status == 0, f"a refused instance ended with {status}"
    assert first.running(), "the first instance must go on"


def second_start_of_the_same_executable_is_refused(executable):
    with Desktop(executable) as desk:
        first = desk.start_program()
        main_window_of(desk, first)
        second = desk.start_program(name=first.name)  # the very same file
        expect_refused(desk, second, first)
        # The first one still answers: its close question comes, and it ends in order.
        end_normally(desk, first)


def same_name_in_another_folder_is_refused_yet_writes_the_engine(executable):
    with Desktop(executable) as desk:
        first = desk.start_program(folder="one")
        main_window_of(desk, first)
        second = desk.start_program(name=first.name, folder="two")
        expect_refused(desk, second, first)
        # The skin comes before the guard, so even a refused start puts the engine in place.
        written = os.path.join(os.path.dirname(second.path), ENGINE)
        assert os.path.isfile(written), os.listdir(os.path.dirname(second.path))
        end_normally(desk, first)


def copy_under_another_name_runs_beside(executable):
    with Desktop(executable) as desk:
        first = desk.start_program()
        main_window_of(desk, first)
        second = desk.start_program()  # another name in the same folder
        main_window_of(desk, second)
        assert not desk.find_windows(REFUSAL, visible_only=False)
        end_normally(desk, second)
        end_normally(desk, first)


def first_start_writes_the_engine_and_later_starts_leave_it(executable):
    built = os.path.join(os.path.dirname(executable), ENGINE)
    with Desktop(executable) as desk:
        first = desk.start_program(folder="fresh")
        folder = os.path.dirname(first.path)
        engine = os.path.join(folder, ENGINE)
        main_window_of(desk, first)
        with open(engine, "rb") as written, open(built, "rb") as original:
            assert written.read() == original.read(), "the engine is not the carried one"
        assert os.stat(engine).st_mode & 0o7777 == 0o644, oct(os.stat(engine).st_mode)
        assert sorted(os.listdir(folder)) == sorted([first.name, ENGINE]), os.listdir(folder)
        end_normally(desk, first)

        # An hour older, so that a rewrite could not hide within the clock's resolution.
        status = os.stat(engine)
        os.utime(engine, ns=(status.st_atime_ns, status.st_mtime_ns - 3600 * 10**9))
        before = os.stat(engine)
        again = desk.start_program(name=first.name, folder="fresh")
        main_window_of(desk, again)
        after = os.stat(engine)
        assert (after.st_ino, after.st_mtime_ns) == (before.st_ino, before.st_mtime_ns), \
            "a later start replaced or rewrote the engine"
        end_normally(desk, again)


def run_path_of(executable):
    dynamic = subprocess.run(["readelf", "-d", executable], capture_output=True, text=True,
                             check=True).stdout
    match = re.search(r"\((?:RUNPATH|RPATH)\)\s+Library r\w*path: \[(.*)\]", dynamic)
    return match.group(1).split(":") if match else []


def searchable_engines(executable, program_folder):
    """Where loading the engine by its bare name would find it for a program in that folder."""
    folders = [p.replace("$ORIGIN", program_folder) for p in run_path_of(executable)]
    folders += [p for p in os.environ.get("LD_LIBRARY_PATH", "").split(":") if p]
    folders += ["/lib/x86_64-linux-gnu", "/usr/lib/x86_64-linux-gnu", "/lib", "/usr/lib",
                "/lib64", "/usr/lib64"]
    return [os.path.join(f, ENGINE) for f in folders if os.path.exists(os.path.join(f, ENGINE))]


def damaged_engine_ends_with_the_error_and_status_255(executable):
    with open(os.path.join(os.path.dirname(executable), ENGINE), "rb") as built:
        engine = built.read()
    def write(content):
        def make(path):
            with open(path, "wb") as file:
                file.write(content)
        return make

    cases = {"cut": write(engine[:4096]), "text": write(b"not a library\n"), "folder": os.mkdir}
    with Desktop(executable) as desk:
        for label, make in cases.items():
            folder = os.path.join(desk.folder, label)
            os.makedirs(folder)
            entry = os.path.join(folder, ENGINE)
            make(entry)
            found = searchable_engines(executable, folder)
            if found:
                raise HarnessError(f"an engine the search finds spoils this case: {found}")
            kind = os.path.isdir(entry), os.path.getsize(entry)

            program = desk.start_program(folder=label)
            box = desk.wait_window(ERROR)
            assert windows_of(desk, program) == [ERROR], f"{label}: {windows_of(desk, program)}"
            desk.key(box, "Return")
            status = program.wait_exit()
            assert status == 255, f"{label}: ended with {status}"
            assert (os.path.isdir(entry), os.path.getsize(entry)) == kind, f"{label}: replaced"


def installed_program_finds_the_engine_in_its_library_folder(executable):
    # bin/ holds a folder of the engine's name, so nothing can be written there (as a read-only
    # folder would), and loading from bin/ fails: the engine must come from the run path.
    with Desktop(executable) as desk:
        bin_folder = os.path.join(desk.folder, "prefix", "bin")
        os.makedirs(os.path.join(bin_folder, ENGINE))
        run_path = [p for p in run_path_of(executable) if "$ORIGIN" in p]
        assert run_path, f"no run path relative to the executable: {run_path_of(executable)}"
        library_folder = os.path.normpath(run_path[0].replace("$ORIGIN", bin_folder))
        os.makedirs(library_folder, exist_ok=True)
        shutil.copy2(os.path.join(os.path.dirname(executable), ENGINE), library_folder)

        program = desk.start_program(folder=os.path.join("prefix", "bin"))
        main_window_of(desk, program)
        assert not desk.find_windows(ERROR, visible_only=False)
        assert os.path.isdir(os.path.join(bin_folder, ENGINE))
        end_normally(desk, program)
