#!/usr/bin/env python3
"""A scripted UCI session with the engine program: identification and options, a fixed-depth search
that must equal zelmar-engine search, answers during an infinite search, bad input answered with
info strings, and quit. Exits 0 when every step holds."""
import subprocess
import sys
import threading
import queue

engine, tool = sys.argv[1], sys.argv[2]
p = subprocess.Popen([engine], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)
lines = queue.Queue()
threading.Thread(target=lambda: [lines.put(l.rstrip("\n")) for l in p.stdout], daemon=True).start()
HANG = 120  # seconds; only a hang runs out


def send(text):
    print(">", text)
    p.stdin.write(text + "\n")
    p.stdin.flush()


def expect(prefix):
    while True:
        line = lines.get(timeout=HANG)
        print("<", line)
        if line.startswith(prefix):
            return line


fen = "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3"
send("uci")
expect("id name Zelmar Chess")
assert "var zelmar" in expect("option name UCI_Variant")
expect("uciok")
for variant, flag in (("chess", []), ("zelmar", ["--zelmar"])):
    send(f"setoption name UCI_Variant value {variant}")
    send(f"position fen {fen}")
    send("go depth 4")
    info = expect("info depth 4 ")
    best = expect("bestmove").split()[1]
    want = subprocess.run([tool, "search", *flag, "--depth", "4", fen], capture_output=True, text=True,
                          check=True).stdout.split()
    nodes = info.split(" nodes ")[1].split()[0]
    assert best == want[1] and nodes == want[5], (variant, best, nodes, want)
send("go infinite")
send("isready")
expect("readyok")
send("stop")
expect("bestmove")
send("position startpos moves e2e5")
assert expect("info string").startswith("info string position refused")
send("setoption name Threads value 4")
assert "unknown option" in expect("info string")
send("quit")
assert p.wait(timeout=HANG) == 0
print("UCI session sound")
