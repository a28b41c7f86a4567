# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

"""Plays a 2 by 2 game by keys under the Orca screen reader and checks what Orca speaks and what
a braille display of 40 cells shows.

orca_game.py GAME, on an X display with a D-Bus session and an accessibility bus of its own
(on_display.sh xcb --accessibility): starts a window manager and Orca with settings of its own,
then the game. The moves are chosen as a blind player chooses them, from what Orca said. Orca's
debug log holds every utterance it makes; speech itself is kept from starting, so the test makes
no sound and gives the same answer whatever voices and sound servers the machine has.

Orca refuses to start beside another Orca of the same user, and told to replace it, kills it. So
the test runs in a process namespace of its own (on_display.sh makes it), where Orca sees only the
test's processes; where there is none and another Orca runs, the test is skipped. Every process
it starts carries a mark in its environment, by which those still running at the end are found
and stopped, wherever they were re-parented, and fail the test.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

GAME = sys.argv[1]
WORK = tempfile.mkdtemp(prefix="tandrel-orca.")
LOG = os.path.join(WORK, "orca.log")
MARK = f"TANDREL_ORCA_TEST={WORK}".encode()
# The whole game, well within CTest's time-out, so that the test can clean up after itself.
DEADLINE = time.monotonic() + 200
# Orca 43 logs "SPEECH OUTPUT: 'text'", Orca 48 'SPEECH OUTPUT: "text"' or "SPEECHANDVERBOSITY…";
# each line it sends to a braille display as "BRAILLE LINE:  'text'", followed by the part the
# display shows, "VISIBLE:  'text', cursor=N", which starts where the display shows the line from.
SPOKEN = re.compile(r"SPEECH OUTPUT: (['\"])(.*?)\1")
BRAILLED = re.compile(r"BRAILLE LINE:\s+(['\"])(.*)\1\s*\n.*VISIBLE:\s+(['\"])(.*)\3, cursor", re.M)
CELLS = 40  # what a braille display of 40 cells shows of each line, from where Orca shows it
COLOUR = r"([A-Za-z][a-z]*(?: [a-z]+)*)"  # a colour in words, the first capitalised at the start
looked = {SPOKEN: 0, BRAILLED: 0}  # how many lines of each were already looked at
colours = set()  # the words of the colours revealed
heard = []
brailled = []
OUT = open(os.path.join(WORK, "programs.log"), "w")


def start(*command, **options):
    return subprocess.Popen(command, stdout=OUT, stderr=subprocess.STDOUT, **options)


def logged(kind):
    """What Orca spoke; or what a 40-cell display would show of each braille line."""
    try:
        with open(LOG, encoding="utf-8", errors="replace") as log:
            found = kind.finditer(log.read())
            if kind is SPOKEN:
                return [m.group(2) for m in found]
            return [m.group(2)[max(0, m.group(2).find(m.group(4))):][:CELLS] for m in found]
    except FileNotFoundError:
        return []


def await_line(kind, pattern, what, seconds):
    """Waits until Orca logs a line of the kind matching pattern after those looked at; its
    match."""
    deadline = min(time.monotonic() + seconds, DEADLINE)
    done = heard if kind is SPOKEN else brailled
    while time.monotonic() < deadline:
        lines = logged(kind)
        for i in range(looked[kind], len(lines)):
            match = re.search(pattern, lines[i])
            if match:
                done.extend(lines[looked[kind]:i + 1])
                looked[kind] = i + 1
                return match
        time.sleep(0.2)
    fail(f"Orca did not {'speak' if kind is SPOKEN else 'braille'} {what} (/{pattern}/)")


def hear(pattern, what, seconds=15):
    return await_line(SPOKEN, pattern, what, seconds)


def feel(pattern, what, seconds=15):
    """The pattern at the start of what a 40-cell braille display shows."""
    return await_line(BRAILLED, "^" + pattern, what, seconds)


def fail(message):
    print("FAIL:", message)
    print("Orca spoke, after what was heard last:", *logged(SPOKEN)[looked[SPOKEN]:], sep="\n  ")
    print("Orca brailled, after what was read last:", *logged(BRAILLED)[looked[BRAILLED]:],
          sep="\n  ")
    print("Orca's whole log is kept in", LOG)
    sys.exit(1)


def key(name, pause=0.0):
    subprocess.run(["xdotool", "key", name], check=True)
    time.sleep(pause)


def reveal(row, column):
    """Space on the card that should have the focus; the words of its colour, and what Orca
    said of the pair first, if anything. The braille display must show both in its 40 cells."""
    key("space")
    news = rf"(Pair found! |No pair\. )?{COLOUR}, row {row}, column {column}\."
    said = hear(news, f"the colour at {row},{column}")
    words = said.group(2).lower()
    colours.add(words)
    feel(re.escape(said.group(0)), f"the colour at {row},{column}")
    print(f"row {row}, column {column}: {words}")
    return words, (said.group(1) or "").strip()


def second(row, column, first):
    """The second card of a turn; whether Orca said it is a pair, checked against the words."""
    words, verdict = reveal(row, column)
    if (verdict == "Pair found!") != (words == first):
        fail(f"'{first}' and '{words}' but Orca said '{verdict}'")
    return words == first


def proceed(turn, left):
    key("space")
    counter = rf"Turn: {turn}\. Pairs left: {left}\."
    news = counter + r" Click to reveal a card\." if left else "Finished! " + counter
    hear(news, f"turn {turn} and {left} pairs left")
    feel(counter if left else news, f"turn {turn} and {left} pairs left")


def review(row, column, words):
    """Orca's flat review of the line above the focus reaches the card revealed there."""
    key("KP_Home")
    shown = rf"Card, row {row}, column {column}, showing {re.escape(words)}"
    hear(shown, f"the card at {row},{column} in flat review")
    feel(shown, f"the card at {row},{column} in flat review")


def status_bar(what):
    """Orca's "read status bar" (Insert+KP_Enter twice); what it says there, spoken and brailled."""
    key("Insert+KP_Enter", 0.1)
    key("Insert+KP_Enter")
    said = hear(r"(.*Turn: \d+\. Pairs left: \d+\.) status ?bar", what).group(1)
    feel(re.escape(said[:CELLS]), what)
    return said


def move(arrow, row, column):
    key(arrow)
    hear(rf"Card, row {row}, column {column}", f"the card at {row},{column} taking the focus")


def play():
    hear(r"Tandrel", "the window's title")
    hear(r"Play!", "the focus on Play!")
    key("space")
    hear(r"New game\. Turn: 1\. Pairs left: 2\. Click to reveal a card\.", "the new game")
    feel(r"New game\. Turn: 1\. Pairs left: 2\.", "the new game")
    played = len(heard)
    a, _ = reveal(1, 1)
    review(1, 1, a)
    # The news of the last card revealed, read again from the status bar.
    if not status_bar("the status bar").startswith(f"{a.capitalize()}, row 1, column 1. "):
        fail("the status bar did not tell the last card revealed first")
    if second(2, 1, a):
        proceed(1, 1)
        c, _ = reveal(2, 2)
        if not second(1, 2, c):
            fail("the last two cards were not a pair")
        last = len(heard)
        proceed(1, 0)
    else:
        proceed(2, 2)
        move("Right", 2, 2)
        c, _ = reveal(2, 2)
        if second(2, 1, c):
            proceed(2, 1)
            d, _ = reveal(1, 1)
            second(1, 2, d) or fail("the last two cards were not a pair")
            last = len(heard)
            proceed(2, 0)
        else:
            proceed(3, 2)
            move("Right", 2, 2)
            move("Up", 1, 2)
            d, _ = reveal(1, 2)
            move("Down", 2, 1)
            second(2, 1, d) or fail("the cards were no pair")
            proceed(3, 1)
            e, _ = reveal(1, 1)
            second(2, 2, e) or fail("the last two cards were not a pair")
            last = len(heard)
            proceed(3, 0)
    wandered = [line for line in heard[played:last] if re.match(r"(Play!|Quit)\b", line)]
    if wandered:
        fail(f"the focus reached Play! or Quit during the game: {wandered}")
    # The game over, the focus is on Play!, where a Space deals again.
    if not any(re.search(r"\bPlay!", line) for line in heard[last:]):
        hear(r"\bPlay!", "the focus on Play! once the game is over")
    if any(line.strip(" .").lower() in colours for line in heard[played:]):
        fail("a colour was spoken on its own, as a tooltip would be")

    key("Insert+KP_Enter", 2)
    hear(r"Qt Example - Tandrel", "the title, asked for")
    if not re.match(r"Finished! Turn: \d+\. Pairs left: 0\.$", status_bar("the status bar")):
        fail("the status bar did not tell the end of the game alone")
    key("space")
    hear(r"New game\. Turn: 1\. Pairs left: 2\.", "a new game from Play!")


# Orca writes its debug log through a buffer of its own; this makes it write each line at once.
FLUSHING_LOG = """
import builtins, os
def _open(file, mode="r", buffering=-1, *args, _open=builtins.open, **kwargs):
    if file == os.environ.get("TANDREL_ORCA_LOG") and "w" in mode:
        buffering = 1
    return _open(file, mode, buffering, *args, **kwargs)
builtins.open = _open
"""


def strays():
    """The processes started by this test that still run, the test itself aside."""
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/environ", "rb") as environ:
                if int(pid) != os.getpid() and MARK in environ.read().split(b"\0"):
                    with open(f"/proc/{pid}/comm") as name:
                        found.append(f"{pid} {name.read().strip()}")
        except OSError:
            pass
    return found


def stop(children):
    """Ends the test's processes; fails if any had to be hunted down."""
    for child in reversed(children):
        child.terminate()
    for child in children:
        try:
            child.wait(5)
        except subprocess.TimeoutExpired:
            child.kill()
            child.wait()
    # What the buses started for the test (the accessibility registry) is asked to go too; what
    # does not go within seconds is killed, and reported.
    for process in strays():
        os.kill(int(process.split()[0]), signal.SIGTERM)
    grace = time.monotonic() + 5
    while (left := strays()) and time.monotonic() < grace:
        time.sleep(0.2)
    for process in left:
        os.kill(int(process.split()[0]), signal.SIGKILL)
    return left


def others():
    """Orca processes of this user that this test can see; none in a namespace of its own."""
    found = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], capture_output=True,
                           text=True, check=False)
    return found.stdout.split()


def main():
    if os.environ.get("TANDREL_OWN_PROCESSES") != "1" and others():
        print("SKIP: another Orca of this user runs here (process " + ", ".join(others())
              + "), and the test has no process namespace of its own to run apart from it")
        shutil.rmtree(WORK)
        sys.exit(77)
    home = os.path.join(WORK, "home")
    os.makedirs(home)
    with open(os.path.join(WORK, "sitecustomize.py"), "w") as hook:
        hook.write(FLUSHING_LOG)
    # Orca speaks through speech-dispatcher, which it would start as a daemon of its own that
    # opens the sound device. Pointed at an address where nothing listens, with a start command
    # that refuses, Orca goes on without speech and still logs each utterance.
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_DATA_HOME=os.path.join(home, ".local/share"), GTK_USE_PORTAL="0",
               PYTHONPATH=WORK, TANDREL_ORCA_LOG=LOG, TANDREL_ORCA_TEST=WORK,
               SPEECHD_ADDRESS="unix_socket:" + os.path.join(WORK, "speechd.sock"),
               SPEECHD_CMD=shutil.which("false") or "/bin/false")
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("FAIL: stopped from outside"))
    children = []
    passed = False
    try:
        children.append(start("openbox", env=env))
        children.append(start("orca", "-u", os.path.join(WORK, "orca"), f"--debug-file={LOG}",
                              env=env))
        hear(r"Screen reader on", "that it is on", 30)
        children.append(start(GAME, "2", env=dict(env, QT_ACCESSIBILITY="1")))
        play()
        print("Orca spoke, the whole game and both commands as expected:", *heard, sep="\n  ")
        print("and brailled:", *brailled, sep="\n  ")
        passed = True
    finally:
        left = stop(children)
        if left:
            print("FAIL: the test's processes still ran at its end:", *left, sep="\n  ")
            sys.exit(1)
    if passed:
        shutil.rmtree(WORK)


if __name__ == "__main__":
    main()
