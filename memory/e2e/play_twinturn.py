#!/usr/bin/env python3
"""Plays a Twinturn sample game to its end on a running X display, as a child would: turn a card,
remember its picture, and turn the one that matches when it has been seen.

    play_twinturn.py BIN-FOLDER GAME-INI SCREENSHOT   (DISPLAY must name an X server, 1024x768)

The board positions are read from the game's global file with the program's own layout rule
(1024 x 768 layout, counter column 148 pixels wide, player row 80 pixels high)."""
import hashlib, os, re, subprocess, sys, time

bin_dir, game_ini, shot = sys.argv[1:4]
data_dir = None
for line in open(game_ini, encoding="latin-1"):
    m = re.match(r"\s*data\s*=\s*%apppath%(.*)", line, re.I)
    if m:
        data_dir = os.path.join(bin_dir, m.group(1).strip().replace("\\", "/"))
cfg = {}
for line in open(os.path.join(data_dir, "global.ini"), encoding="latin-1"):
    if "=" in line and not line.startswith(";"):
        k, v = line.split("=", 1)
        cfg[k.strip().lower()] = v.strip()
across, down = int(cfg["cardsx"]), int(cfg["cardsy"])
w, h = int(cfg["cardwidth"]), int(cfg["cardheight"])
board_left, board_top, board_w, board_h = 148, 16, 1024 - 148 - 16, 768 - 16 - 56 - 8 - 16
gap_x = (board_w - w * across) // (across + 3) - 1
gap_y = (board_h - h * down) // (down + 3) - 1
cards = [(board_left + gap_x + j * (w + 2 * gap_x), board_top + gap_y + i * (h + 2 * gap_y))
         for i in range(down) for j in range(across)]

env = dict(os.environ)
proc = subprocess.Popen([os.path.join(bin_dir, "twinturn"), game_ini], env=env)
time.sleep(3)

def screen():
    ppm = subprocess.run(["import", "-window", "root", "ppm:-"], capture_output=True, check=True).stdout
    header = ppm.split(b"\n", 3)
    width, height = map(int, header[1].split())
    return width, header[3]

def face(index):
    # A coarse look at the picture: the same picture at another place may differ by a pixel.
    width, pixels = screen()
    x, y = cards[index]
    marks = []
    for gy in range(1, 8):
        for gx in range(1, 8):
            px, py = x + gx * w // 8, y + gy * h // 8
            o = (py * width + px) * 3
            marks.append(tuple(c // 48 for c in pixels[o:o + 3]))
    return hashlib.md5(repr(marks).encode()).hexdigest()

def click(index, wait):
    x, y = cards[index]
    subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1"], check=True)
    time.sleep(wait)

back = face(0)
seen, taken = {}, set()
turns = 0
def pick_unknown(exclude):
    for i in range(len(cards)):
        if i not in seen and i not in taken and i != exclude:
            return i
    return None

while len(taken) < len(cards) and turns < 4 * len(cards) and proc.poll() is None:
    turns += 1
    pair = next(((a, b) for a in seen for b in seen
                 if a < b and a not in taken and b not in taken and seen[a] == seen[b]), None)
    if pair:
        click(pair[0], 1.2)
        click(pair[1], 3.5)
        taken.update(pair)
        continue
    a = pick_unknown(None)
    if a is None:
        # Every card looked at and no two alike: look again, as a child would.
        seen = {k: v for k, v in seen.items() if k in taken}
        continue
    click(a, 1.2)
    seen[a] = face(a)
    match = next((q for q in seen if q != a and q not in taken and seen[q] == seen[a]), None)
    b = match if match is not None else pick_unknown(a)
    if b is None:
        seen = {k: v for k, v in seen.items() if k in taken}
        continue
    x, y = cards[b]
    subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1"], check=True)
    time.sleep(0.5)
    seen[b] = face(b)
    time.sleep(3.0)
    if seen[a] == seen[b]:
        taken.update((a, b))

time.sleep(1.5)
subprocess.run(["import", "-window", "root", shot], check=True)
print(f"turns: {turns}, cards taken: {len(taken)} of {len(cards)}")
still_running = proc.poll() is None
if still_running:
    proc.terminate()
sys.exit(0 if len(taken) == len(cards) and still_running else 1)
