#!/usr/bin/env python3
"""What a player feels of kurashi's speed, measured from outside the built game.

  tools/perfcheck.py [--binary build/kurashi] [--mode a|b|c|d] [--turns N] [--quick]

- traffic: a walk on the first floor of the mine, played in a pseudo-terminal
  (TERM=xterm-256color, 80x25, a fixed --seed, a folder of its own), counting the bytes
  the terminal backend writes for every step, beside the bytes of the same screens sent
  whole: the same keys again with KURASHI_REPAINT=1, which makes every refresh clear the
  terminal and send every cell and colour change; also the writes and the processor time
  of a step, and the bytes of a move of the aiming cursor after the walk;
- screens: the same walk, the cursor and the menus of the field's actions, in tmux, once
  as the game sends them and once sent whole; every screen must look the same (skipped
  without tmux);
- idle: the CPU time the game uses while it waits for a key, in the terminal backend and
  in the plain backend on a pipe that stays open;
- start-up: the time from launch to the title on the terminal, the map check included.

The walk is planned first through the plain backend (the same seed and keys give the same
game in every backend): every step goes to a free cell beside the player, away from the
creatures, so the walking turns really walk. A step up or down lets the terminal scroll
the field; a step sideways the terminal cannot scroll, only move row by row, so more of
the field window is sent again. Exits with 1 when a limit below is broken, 77 when this
system cannot run the check.
"""

import argparse
import fcntl
import os
import platform
import pty
import re
import select
import shutil
import signal
import statistics
import struct
import subprocess
import sys
import tempfile
import termios
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
NAME = b"taro"
TITLE = "ようこそ".encode()
# The calls a game sleeps in while it waits for a key: read (of standard input), and
# ppoll and poll, by their numbers on this machine.
WAITCALLS = {"x86_64": {"read": 0, "poll": 7, "ppoll": 271},
             "aarch64": {"read": 63, "ppoll": 73}}.get(platform.machine())
TICK = os.sysconf("SC_CLK_TCK")

# Limits, as shares of a full repaint, of the average walking turn. A step up or down is
# mostly scrolled by the terminal; a step sideways moves every cell of the field window
# and can be no cheaper than the new column plus a move of each row.
UPDOWN_LIMIT = 0.25
SIDEWAYS_LIMIT = 0.5
IDLE_CPU_LIMIT = 0.02  # seconds over the whole wait

# The field window: 14 rows of 20 cells, two columns each, the player at cell 10 of row 7.
ROWS, CELLS, PX, PY = 14, 20, 10, 7
FREE = "._,!?_<>"  # floor, items and stairs: a step there moves the player
# arrow key -> (dx, dy), what xterm sends in keypad mode, the plain backend's letter and
# tmux's name of the key
STEPS = {"up": (0, -1, b"\x1bOA", b"H", "Up"), "down": (0, 1, b"\x1bOB", b"P", "Down"),
         "left": (-1, 0, b"\x1bOD", b"K", "Left"), "right": (1, 0, b"\x1bOC", b"M", "Right")}
ESCAPE = {"Escape": b"\x1b"}
# After the walk: a look round with the cursor, then the menus of the field's actions left
# with Escape, and a shot: (tmux's name of the key, what the terminal sends, whether it
# moves the cursor).
AFTERWALK = ([("*", b"*", False)] +
             [(STEPS[d][4], STEPS[d][2], True) for d in ("right", "right", "up", "up", "left", "down")] +
             [(k, ESCAPE.get(k, k.encode()), False) for key in "tmT" for k in (key, "Escape")] +
             [("f", b"f", False), ("Right", b"\x1bOC", True), ("Enter", b"\r", False)])


class Process:
    """Watching a running game from /proc: whether it waits for a key, its CPU time."""

    def __init__(self, pid):
        self.pid = pid

    def _proc(self, name):
        with open(f"/proc/{self.pid}/{name}") as f:
            return f.read()

    def switches(self):
        """How often it has gone to sleep."""
        for line in self._proc("status").splitlines():
            if line.startswith("voluntary_ctxt_switches"):
                return int(line.split()[1])
        return 0

    def reading(self):
        """True while it sleeps waiting for input with no end set: in a read of its
        standard input, or in a poll without a timeout (not one that waits a moment for
        the rest of an escape sequence)."""
        try:
            words = self._proc("syscall").split()
        except OSError:
            return False
        if len(words) < 4:
            return False
        call, first, third = int(words[0]), int(words[1], 16), int(words[3], 16)
        if call == WAITCALLS["read"]:
            return first == 0
        if call == WAITCALLS.get("ppoll"):
            return third == 0  # no timeout
        if call == WAITCALLS.get("poll"):
            return third in (0xFFFFFFFF, 0xFFFFFFFFFFFFFFFF)  # -1
        return False

    def writes(self):
        """How many writes it has made."""
        for line in self._proc("io").splitlines():
            if line.startswith("syscw"):
                return int(line.split()[1])
        return 0

    def cputime(self):
        """Seconds it has spent on a processor, to the nanosecond."""
        return int(self._proc("schedstat").split()[0]) / 1e9

    def cputicks(self):
        fields = self._proc("stat").rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])  # utime + stime

    def waitkey(self, since, timeout=10.0):
        """Until it has slept since `since` and sits waiting for a key; False if it ended."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            try:
                if self.switches() > since and self.reading():
                    return True
            except OSError:
                return False
            time.sleep(0.001)
        return False


class Game(Process):
    """One run of the game, on a pseudo-terminal or on pipes; keys in, output out."""

    def __init__(self, binary, folder, seed=1, plain=False, env=None):
        args = [binary, "--seed", str(seed), "--dir", folder] + (["--plain"] if plain else [])
        environ = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "LANG": "C.UTF-8",
                   "TERM": "xterm-256color", "HOME": folder}
        environ.update(env or {})
        self.started = time.perf_counter()
        if plain:
            self.proc = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                         stderr=subprocess.DEVNULL, env=environ)
            pid, self.infd, self.outfd = self.proc.pid, self.proc.stdin.fileno(), self.proc.stdout.fileno()
        else:
            self.proc = None
            pid, fd = pty.fork()
            if pid == 0:  # the child: an 80x25 terminal, then the game
                fcntl.ioctl(0, termios.TIOCSWINSZ, struct.pack("HHHH", 25, 80, 0, 0))
                os.execve(binary, args, environ)
            self.infd = self.outfd = fd
        super().__init__(pid)
        os.set_blocking(self.outfd, False)

    def output(self, wait):
        """What the game has written, until nothing more comes for `wait` seconds."""
        out = b""
        while select.select([self.outfd], [], [], wait)[0]:
            try:
                chunk = os.read(self.outfd, 65536)
            except OSError:
                break
            if not chunk:
                break
            out += chunk
        return out

    def settle(self, since):
        """The output until the game waits for the next key."""
        out = b""
        while not self.waitkey(since, 0.002):
            out += self.output(0)
            if self.ended():
                return out + self.output(0.01)
        return out + self.output(0.003)  # what is still on its way through the terminal

    def ended(self):
        if self.proc:
            return self.proc.poll() is not None
        try:
            return os.waitpid(self.pid, os.WNOHANG)[0] != 0
        except ChildProcessError:
            return True

    def send(self, keys):
        since = self.switches() if not self.ended() else 0
        os.write(self.infd, keys)
        return self.settle(since)

    def close(self):
        """Ends the game: SIGTERM, and SIGKILL if it does not go within two seconds."""
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.kill(self.pid, sig)
            except ProcessLookupError:
                break
            end = time.monotonic() + 2
            while time.monotonic() < end and not self.ended():
                time.sleep(0.01)
            if self.ended():
                break
        if self.proc:
            self.proc.wait()
        for fd in {self.infd, self.outfd}:
            try:
                os.close(fd)
            except OSError:
                pass


class TmuxGame(Process):
    """The game in a tmux window of 80x25 on a server of its own (its socket in the game's
    folder); keys by tmux's names."""

    def __init__(self, binary, folder, seed, env=None):
        self.socket = os.path.join(folder, "tmux")
        words = " ".join(f"{k}={v}" for k, v in (env or {}).items())
        command = (f"env TERM=xterm-256color LANG=C.UTF-8 {words} {binary} --seed {seed} "
                   f"--dir {folder}")
        self.tmux("new-session", "-d", "-s", "game", "-x", "80", "-y", "25", command)
        super().__init__(int(self.tmux("display", "-p", "-t", "game", "#{pane_pid}")))

    def tmux(self, *args):
        run = subprocess.run(["tmux", "-S", self.socket, "-f", "/dev/null", *args],
                             capture_output=True, text=True, check=False)
        return run.stdout.strip()

    def send(self, key):
        """Sends the key and waits until the game has taken all of it (tmux may hand over
        a word in pieces) and tmux has taken in what the game wrote."""
        since = self.switches()
        self.tmux("send-keys", "-t", "game", key)
        while self.waitkey(since):
            since = self.switches()
            time.sleep(0.01)
            if self.switches() == since:
                break

    def screen(self):
        """The cells on show, once they hold still: rows of (character, colour, background)."""
        shown, end = None, time.monotonic() + 2
        while time.monotonic() < end:
            now = cells(self.tmux("capture-pane", "-e", "-p", "-t", "game"))
            if now == shown:
                break
            shown = now
            time.sleep(0.01)
        return shown

    def close(self):
        self.tmux("kill-server")


def cells(captured):
    """tmux's capture with its colour controls, as rows of (character, colour, background).
    A blank shows no colour of its own, and blanks at the end of a row are nothing to see."""
    rows, fg, bg = [], "", ""
    for line in captured.split("\n"):
        row = []
        for token in re.findall(r"\x1b\[[0-9;]*m|.", line):
            if not token.startswith("\x1b"):
                row.append((token, fg if token != " " else "", bg))
                continue
            codes = [int(c or 0) for c in token[2:-1].split(";")]
            while codes:
                c = codes.pop(0)
                if c in (38, 48) and codes[:1] == [5]:
                    value = f"x{codes[1]}"
                    codes = codes[2:]
                    fg, bg = (value, bg) if c == 38 else (fg, value)
                elif c == 0:
                    fg = bg = ""
                elif c == 39 or 30 <= c <= 37 or 90 <= c <= 97:
                    fg = "" if c == 39 else str(c)
                elif c == 49 or 40 <= c <= 47 or 100 <= c <= 107:
                    bg = "" if c == 49 else str(c)
        while row and row[-1][0] == " ":
            row.pop()
        rows.append(row)
    return rows


def gamefolder():
    folder = tempfile.TemporaryDirectory(prefix="kurashi-perf-")
    os.symlink(os.path.join(ROOT, "map"), os.path.join(folder.name, "map"))
    return folder


def tofield(game, mode, enter):
    """From the title to the first floor of the mine: a new game of the given mode."""
    game.settle(-1)
    for keys in (b"a", NAME + enter, mode, b"c"):
        game.send(keys)
    return game.send(b"a")


def window(screen):
    """The field window of the last plain screen: 14 rows of cell glyphs, or None."""
    page = screen.split(b"\f")[-1].decode(errors="replace").split("\n")
    if len(page) < ROWS:
        return None
    return [row[:2 * CELLS:2] for row in page[:ROWS]]


def danger(grid, x, y):
    """Creatures within two cells of (x, y) on the window."""
    return sum(grid[j][i].isalpha() for j in range(max(0, y - 2), min(ROWS, y + 3))
               for i in range(max(0, x - 2), min(CELLS, x + 3)))


def turnsback(step, heading):
    return STEPS[step][:2] == (-STEPS[heading][0], -STEPS[heading][1])


def planwalk(binary, mode, seed, turns):
    """Arrow keys of a walk, found by playing the plain backend: (direction, walked), where
    walked is False for a step into a creature (a fight) when no free cell is beside. The
    walk keeps away from creatures as it can, goes on rather than back, four steps across
    and four up or down in turn; it ends early when the player dies."""
    with gamefolder() as folder:
        game = Game(binary, folder, seed, plain=True)
        try:
            screen, walk, heading = tofield(game, mode, b"\n"), [], "right"
            for _ in range(turns):
                grid = window(screen)
                if grid is None:
                    break  # the player is dead
                beside = {d: grid[PY + s[1]][PX + s[0]] for d, s in STEPS.items()}
                across = len(walk) // 4 % 2 == 0
                free = sorted((danger(grid, PX + STEPS[d][0], PY + STEPS[d][1]), turnsback(d, heading),
                               (STEPS[d][0] != 0) != across, d != heading, d)
                              for d, glyph in beside.items() if glyph in FREE)
                foes = [d for d, glyph in beside.items() if glyph.isalpha()]
                if not free and not foes:
                    break
                heading = free[0][-1] if free else foes[0]
                walk.append((heading, bool(free)))
                screen = game.send(STEPS[heading][3])
            return walk
        finally:
            game.close()


def longwalk(binary, mode, turns):
    """The first seed whose walk lasts the turns asked for (else the longest), and its walk."""
    best = (0, [])
    for seed in range(1, 21):
        walk = planwalk(binary, mode, seed, turns)
        if len(walk) == turns:
            return seed, walk
        best = max(best, (seed, walk), key=lambda b: len(b[1]))
    return best


def traffic(binary, mode, seed, walk, env=None):
    """Bytes the terminal backend writes for the first field screen, for each step and for
    each move of the cursor after the walk; the writes and the processor time (seconds)
    the steps took."""
    with gamefolder() as folder:
        game = Game(binary, folder, seed, env=env)
        try:
            first = tofield(game, mode, b"\r")
            writes, cpu = game.writes(), game.cputime()
            sent = [len(game.send(STEPS[step][2])) for step, _ in walk]
            writes, cpu = game.writes() - writes, game.cputime() - cpu
            cursor = []
            for _, keys, moves in AFTERWALK:
                if game.ended():
                    break
                out = game.send(keys)
                if moves:
                    cursor.append(len(out))
            return len(first), sent, (writes, cpu), cursor
        finally:
            game.close()


def screens(binary, mode, seed, walk, env=None):
    """Every screen of the walk as tmux shows it."""
    with gamefolder() as folder:
        game = TmuxGame(binary, folder, seed, env)
        try:
            game.waitkey(-1)
            shown = []
            for key in ("a", NAME.decode(), "Enter", mode.decode(), "c", "a"):
                game.send(key)
                shown.append(game.screen())
            for key in [STEPS[step][4] for step, _ in walk] + [k for k, _, _ in AFTERWALK]:
                game.send(key)
                shown.append(game.screen())
            return shown
        finally:
            game.close()


def idle(binary, plain, seconds):
    """CPU seconds and wake-ups of the game while it waits that long at the first floor's
    key prompt, and whether it still sleeps waiting for input at the end."""
    with gamefolder() as folder:
        game = Game(binary, folder, plain=plain)
        try:
            tofield(game, b"b", b"\n" if plain else b"\r")
            before, switches = game.cputicks(), game.switches()
            time.sleep(seconds)
            return (game.cputicks() - before) / TICK, game.switches() - switches, game.reading()
        finally:
            game.close()


def startup(binary, runs):
    """Milliseconds from launch to the title on the terminal, and of processor time spent
    on the way, one pair per run."""
    times, cpu = [], []
    with gamefolder() as folder:
        for _ in range(runs):
            game = Game(binary, folder)
            out, end = b"", time.monotonic() + 10
            while TITLE not in out and time.monotonic() < end:
                if select.select([game.outfd], [], [], 0.1)[0]:
                    out += os.read(game.outfd, 65536)
            times.append((time.perf_counter() - game.started) * 1000)
            game.waitkey(-1)
            cpu.append(game.cputime() * 1000)
            game.close()
    return times, cpu


def share(pairs):
    """Average bytes sent, sent whole, and their ratio."""
    sent, whole = sum(p[0] for p in pairs), sum(p[1] for p in pairs)
    return sent / len(pairs), whole / len(pairs), sent / whole


def checktraffic(o, mode):
    seed, walk = longwalk(o.binary, mode, o.turns)
    first, sent, (writes, cpu), cursor = traffic(o.binary, mode, seed, walk)
    firstwhole, whole, _, cursorwhole = traffic(o.binary, mode, seed, walk, {"KURASHI_REPAINT": "1"})
    print(f"traffic: xterm-256color 80x25, mode {o.mode}, seed {seed}, {len(walk)} steps")
    print(f"  first field screen  {first} bytes, sent whole {firstwhole}")
    steps = max(1, len(walk))
    print(f"  writes              {writes / steps:.1f} per step (each may be a packet of its own)")
    print(f"  processor time      {cpu / steps * 1e6:.0f} µs per step, the turn and its screen")
    ok = len(walk) >= o.turns // 2
    for name, dirs, limit in (("up or down", ("up", "down"), UPDOWN_LIMIT),
                              ("sideways", ("left", "right"), SIDEWAYS_LIMIT)):
        pairs = [(s, w) for (d, walked), s, w in zip(walk, sent, whole) if walked and d in dirs]
        if not pairs:
            continue
        mean, meanwhole, ratio = share(pairs)
        most = max(s / w for s, w in pairs)
        print(f"  step {name:<11} {mean:4.0f} bytes, sent whole {meanwhole:4.0f}: {ratio:.2f} of a"
              f" repaint ({most:.2f} at worst, {len(pairs)} steps; limit {limit:.2f})")
        ok = ok and ratio <= limit
    steps = [(s, w) for (_, walked), s, w in zip(walk, sent, whole) if walked]
    if steps:
        mean, meanwhole, ratio = share(steps)
        print(f"  every step          {mean:4.0f} bytes, sent whole {meanwhole:4.0f}: {ratio:.2f} of a repaint")
    if cursor and len(cursor) == len(cursorwhole):
        mean, meanwhole, ratio = share(list(zip(cursor, cursorwhole)))
        print(f"  cursor step         {mean:4.0f} bytes, sent whole {meanwhole:4.0f}: {ratio:.2f} of a repaint")
    if not ok:
        print("  FAIL: walking sends too much")
    return ok, seed, walk, sent


def checkscreens(o, mode, seed, walk):
    if not shutil.which("tmux"):
        print("screens: no tmux, not checked")
        return True, None
    wrong = None
    for _ in range(2):  # a second look, lest tmux was slow to take in a screen
        sent = screens(o.binary, mode, seed, walk)
        whole = screens(o.binary, mode, seed, walk, {"KURASHI_REPAINT": "1"})
        unlike = {i for i, (a, b) in enumerate(zip(sent, whole)) if a != b}
        if len(sent) != len(whole):
            unlike.add(min(len(sent), len(whole)))
        wrong = unlike if wrong is None else wrong & unlike
        if not wrong:
            break
    print(f"screens: {len(sent)} screens in tmux, {len(wrong)} unlike the same screens sent whole")
    if wrong:
        print(f"  FAIL: the terminal shows something else at screens {sorted(wrong)[:10]}")
        return False, sent
    return True, sent


def naiverepaint(screen):
    """Bytes of a screen drawn the plain way: cleared, then every cell of the field window
    with a colour switch of its own, and the other text with a switch where its colour
    changes."""
    total = len(b"\x1b[H\x1b[2J")
    for y, row in enumerate(screen):
        colour = None
        for x, (glyph, fg, bg) in enumerate(row):
            cellstart = y < ROWS and x < 2 * CELLS and x % 2 == 0
            # a blank shows only its background, so it needs no switch of its own
            if cellstart or (glyph != " " and (fg, bg) != colour):
                total += len(f"\x1b[{fg or 39}m\x1b[{bg or 49}m")
                colour = (fg, bg)
            total += len(glyph.encode())
        total += 2  # the line end
    return total


def checknaive(walk, sent, shown):
    """Walking turns against the screen repainted cell by cell, each with its colour."""
    first = 6  # the screens of the title, the name, the mode and the way to the field
    pairs = {"up or down": [], "sideways": []}
    for i, ((d, walked), s) in enumerate(zip(walk, sent)):
        if walked and first + i < len(shown) and shown[first + i]:
            name = "sideways" if d in ("left", "right") else "up or down"
            pairs[name].append((s, naiverepaint(shown[first + i])))
    for name, p in pairs.items():
        if p:
            mean, meanwhole, ratio = share(p)
            print(f"  against a repaint cell by cell, step {name:<11} {mean:4.0f} of {meanwhole:4.0f}"
                  f" bytes: {ratio:.2f}")


def checkidle(o):
    ok = True
    for plain in (False, True):
        cpu, wakeups, waiting = idle(o.binary, plain, o.wait)
        name = "plain on a pipe" if plain else "terminal"
        print(f"idle: {o.wait:g} s waiting for a key, {name}: {cpu:.2f} s CPU, {wakeups} wake-ups,"
              f" {'asleep waiting for input' if waiting else 'NOT waiting for input'}")
        if cpu > IDLE_CPU_LIMIT or wakeups > 2 or not waiting:
            ok = False
            print("  FAIL: the game must sleep while it waits")
    return ok


def checkstartup(o):
    times, cpu = startup(o.binary, 5 if o.quick else 20)
    print(f"start-up to the title: {statistics.median(times):.1f} ms median,"
          f" {min(times):.1f} to {max(times):.1f} ms over {len(times)} launches"
          f" ({statistics.median(cpu):.1f} ms of it on a processor)")
    return True


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--binary", default=os.path.join(ROOT, "build", "kurashi"))
    parser.add_argument("--mode", default="b", help="difficulty key at the new game (a..d, default b)")
    parser.add_argument("--turns", type=int, default=60, help="steps of the walk")
    parser.add_argument("--wait", type=float, default=5.0, help="seconds of waiting for the idle check")
    parser.add_argument("--quick", action="store_true", help="a short run for the test suite")
    o = parser.parse_args()
    if o.quick:
        o.turns, o.wait = 30, 1.0
    if WAITCALLS is None or not os.path.exists("/proc/self/syscall"):
        print("perfcheck: cannot tell when the game waits on this system; skipped")
        return 77
    try:
        for fd in os.openpty():
            os.close(fd)
    except OSError:
        print("perfcheck: no pseudo-terminal; skipped")
        return 77
    mode = o.mode.encode()
    ok, seed, walk, sent = checktraffic(o, mode)
    same, shown = checkscreens(o, mode, seed, walk)
    if shown:
        checknaive(walk, sent, shown)
    ok = same and ok
    ok = checkidle(o) and ok
    ok = checkstartup(o) and ok
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
