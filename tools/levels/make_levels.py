#!/usr/bin/env python3
"""Writes the campaign's 19 level files into Assets/levels/.

    python3 tools/levels/make_levels.py [--check]

The committed .vexl files are what the game plays; this script is how they
were made (fixed seeds, so it writes the same files every time). Par times
sit in PAR below; each is set from the proof replay in tests/replays/.
--check only prints each level's size, map zoom and any layout problems.

The bank shots of the no-turning levels are aimed by flying the level in the
game itself, with `vexal-level run` (built in build/, or named by the
VEXAL_LEVEL environment variable). The shipped level_2, level_7 and level_11
were aimed with double-precision arithmetic instead of the game's floats:
written again, their aimed rocks and portal move by up to about 3 units, and
their replays in tests/replays/ must be proven again before they ship.
"""
import json
import math
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from levelkit import Level, heading, UNLIMITED_FUEL, NO_TURNING, NO_STRANDING, HALF_SPEED  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT = os.path.join(ROOT, "Assets", "levels")
TOOL = os.environ.get("VEXAL_LEVEL", os.path.join(ROOT, "build", "vexal-level"))
THRUST_KEY = 32  # Space, in the replays' control scheme 2
PHASE_FLYING = 1

PAR = {
    "tutorial_0": 4, "tutorial_1": 7, "tutorial_2": 9, "tutorial_3": 8, "tutorial_4": 23,
    "tutorial_5": 14,
    "level_1": 7.5, "level_2": 7, "level_3": 16, "level_4": 17.5, "level_5": 21, "level_6": 23,
    "level_7": 14, "level_8": 36, "level_9": 22, "level_10": 44, "level_11": 13, "level_12": 51,
    "level_13": 29,
}


def on_heading(rotation, distance, side=0.0):
    """A point `distance` ahead of the start along the heading, `side` units to
    the left of it (negative: to the right)."""
    hx, hy = heading(rotation)
    return hx * distance - hy * side, hy * distance + hx * side


def flown_path(level, thrust_frames, frames=900):
    """The ship's position after each flying frame of the level as it stands
    (written as its file would be), with thrust held for the first
    `thrust_frames` frames: the game's own flight, through `vexal-level run`."""
    if not os.access(TOOL, os.X_OK):
        sys.exit("make_levels: %s not found: build vexal-level or set VEXAL_LEVEL" % TOOL)
    with tempfile.TemporaryDirectory() as folder:
        level_path = os.path.join(folder, level.name + ".vexl")
        replay_path = os.path.join(folder, level.name + ".replay")
        level.write(level_path)
        with open(replay_path, "w") as f:
            f.write("# vexal replay 1\nscheme 2\n0 down %d\n%d up %d\n"
                    % (THRUST_KEY, thrust_frames, THRUST_KEY))
        env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")
        run = subprocess.run([TOOL, "run", level_path, "--replay", replay_path,
                              "--frames", str(frames), "--trace"],
                             env=env, capture_output=True, text=True, check=True)
    # One line per frame, then the end state again.
    states = [json.loads(line) for line in run.stdout.splitlines()[:-1]]
    return [tuple(s["position"]) for s in states
            if s["phase"] == PHASE_FLYING and not s["stranded"]]


def after_bounces(level, thrust_frames, distance):
    """Where the ship is `distance` units of travel after its last bounce,
    flying the level (without a goal) with thrust on the given frames."""
    goal, level.goal = level.goal, None
    path = flown_path(level, thrust_frames)
    level.goal = goal
    # The last bounce is the last sharp change of direction on the path.
    last = 0
    for i in range(2, len(path)):
        ax, ay = path[i - 1][0] - path[i - 2][0], path[i - 1][1] - path[i - 2][1]
        bx, by = path[i][0] - path[i - 1][0], path[i][1] - path[i - 1][1]
        if ax * bx + ay * by < 0.9 * math.hypot(ax, ay) * math.hypot(bx, by):
            last = i
    travelled = 0.0
    for i in range(last + 1, len(path)):
        travelled += math.hypot(path[i][0] - path[i - 1][0], path[i][1] - path[i - 1][1])
        if travelled >= distance:
            return path[i]
    return path[-1]


def last_bounce(level, thrust_frames):
    """Position and heading (degrees) of the ship just after its last bounce."""
    path = flown_path(level, thrust_frames)
    found = None
    for i in range(2, len(path)):
        ax, ay = path[i - 1][0] - path[i - 2][0], path[i - 1][1] - path[i - 2][1]
        bx, by = path[i][0] - path[i - 1][0], path[i][1] - path[i - 1][1]
        if ax * bx + ay * by < 0.9 * math.hypot(ax, ay) * math.hypot(bx, by):
            found = (path[i][0], path[i][1], math.degrees(math.atan2(bx, by)))
    return found


# ---------------------------------------------------------------- tutorials --

def tutorial_0():
    """T1: Movement. Thrust only, endless fuel, the portal straight ahead."""
    L = Level("tutorial_0", flags=UNLIMITED_FUEL | NO_TURNING)
    L.portal(0, 1500, 130)
    for y, size in ((350, 110), (900, 90), (1450, 130)):
        L.rock(-520, y, size, 45)
        L.rock(540, y + 180, size + 20, 135)
    L.text(0, -110, "Hold $THRUST_KEY$ to fire your engine", 24)
    L.text(0, -150, "Fly straight up into the portal", 22)
    L.text(0, 700, "Let go: with no drag you keep drifting", 22)
    L.text(0, 1630, "Touch the portal to finish", 22)
    return L


def tutorial_1():
    """T2: Fuel. A limited tank and a long way: push, then coast."""
    L = Level("tutorial_1", flags=NO_TURNING, fuel=35, rotation=90)
    L.portal(2800, 0, 130)
    for x in (500, 1250, 2000):
        L.rock(x, 330, 110, 90)
        L.rock(x + 300, -340, 90, 0)
    L.text(0, -110, "Thrust burns fuel: watch your gauge", 24)
    L.text(0, -150, "Tap $THRUST_KEY$, then let go and coast", 22)
    L.text(1100, -110, "Coasting is free: your speed stays with you", 22)
    L.text(2800, -130, "Fuel left at the portal adds to your score", 22)
    return L


def tutorial_2():
    """T3: Bouncing. The portal is behind the ship; a big rock throws it back."""
    L = Level("tutorial_2", flags=NO_TURNING | NO_STRANDING, fuel=40)
    L.rock(0, 520, 230, 30)
    L.rock(-420, 760, 120, 200)
    L.rock(430, 720, 140, 100)
    L.portal(0, -900, 130)
    L.text(0, -1030, "The portal is behind you", 22)
    L.text(0, -110, "Asteroids bounce you back at half speed", 24)
    L.text(0, -150, "Fly into the big rock above you", 22)
    L.text(0, 690, "Each hit costs 5 fuel", 22)
    L.text(0, 725, "Later, a hit on an empty tank ends the level", 20)
    return L


def tutorial_3():
    """T4: Steering. Rocks block the straight way; turn, thrust, go around."""
    L = Level("tutorial_3", flags=UNLIMITED_FUEL)
    for x, y, s in ((-260, 700, 150), (-90, 760, 190), (90, 700, 170), (250, 770, 150),
                    (-420, 760, 120)):
        L.rock(x, y, s, (x * 7) % 360)
    L.rock(-650, 300, 110, 20)
    L.rock(-700, 1200, 140, 80)
    L.rock(-250, 1300, 100, 140)
    L.portal(0, 1500, 130)
    L.text(0, -110, "$TLEFT_KEY$ and $TRIGHT_KEY$ turn your ship", 24)
    L.text(0, -150, "Turn, then thrust to change course", 22)
    L.text(0, 460, "Steer around the rocks", 22)
    L.text(600, 1060, "Thrust against your drift to slow down", 20)
    return L


def tutorial_4():
    """T5: Map. Wider than the screen: hold M to find the gaps."""
    L = Level("tutorial_4", flags=NO_STRANDING)
    L.wall(1300, -1200, 1300, 1200, 150, seed=41, gaps=[(1300, -650, 170)])
    L.wall(2700, -1200, 2700, 1200, 150, seed=42, gaps=[(2700, 750, 170)])
    L.portal(3900, 300, 130)
    L.rock(3500, -500, 160, 10)
    L.rock(600, 700, 120, 50)
    L.rock(2000, 1000, 140, 210)
    L.text(0, -110, "This level is bigger than the screen", 24)
    L.text(0, -150, "Hold M to see the whole map", 24)
    L.text(1300, -950, "Hold M again to find the next gap", 22)
    L.text(3900, 170, "Well found!", 22)
    return L


def tutorial_5():
    """T6: Fuel Cells. Start almost dry; the cells fill the tank on the way."""
    L = Level("tutorial_5", flags=NO_STRANDING, fuel=20)
    L.cell(0, 550)
    L.cell(900, 1150)
    L.cell(1900, 1500)
    L.wall(-300, 1500, 500, 1500, 130, seed=51)
    L.rock(-700, 700, 140, 30)
    L.rock(1300, 500, 160, 70)
    L.portal(2600, 900, 130)
    L.text(0, -110, "Your tank is almost empty", 24)
    L.text(0, -150, "Green fuel cells add 50 fuel: grab them", 22)
    L.text(900, 1300, "Plan a route through the cells", 22)
    return L


# ------------------------------------------------------------ normal levels --

def level_1():
    """Open Field: a loose field of rocks with wide gaps."""
    L = Level("level_1", fuel=100)
    L.portal(700, 2100, 130)
    L.field(16, -800, 300, 1400, 1850, (70, 170), seed=101,
            keep_clear=[(0, 0, 420), (700, 2100, 300)], spacing=170)
    L.text(0, -110, "Open Field", 26)
    return L


def level_2():
    """Bank Shot: no turning; one bounce is the only way to the portal."""
    L = Level("level_2", flags=NO_TURNING, fuel=40, rotation=45)
    x, y = on_heading(45, 720, 94)
    L.rock(x, y, 200, 0)
    gx, gy = after_bounces(L, 40, 900)
    L.portal(gx, gy, 140)
    for px, py, s in ((1100, 900, 120), (-300, 600, 110), (250, 1150, 140), (1500, 300, 130),
                      (300, -700, 120)):
        L.rock(px, py, s, 60)
    L.text(0, -110, "Bank Shot: no turning here", 24)
    L.text(0, -150, "One push, and let the rock steer you", 22)
    return L


def level_3():
    """The Gaps: two rock walls, each with one narrow gap."""
    L = Level("level_3", fuel=100)
    L.wall(-1000, 750, 1000, 750, 140, seed=31, gaps=[(-450, 750, 120)])
    L.wall(-1000, 1600, 1000, 1600, 140, seed=32, gaps=[(550, 1600, 120)])
    L.field(6, -900, 900, 900, 1450, (60, 100), seed=33,
            keep_clear=[(-450, 900, 220), (-450, 1100, 220), (550, 1250, 220), (550, 1450, 220)],
            spacing=200)
    L.portal(0, 2400, 130)
    L.text(0, -110, "The Gaps", 26)
    return L


def level_4():
    """Long Coast: a thin tank and a long way round a big cluster."""
    L = Level("level_4", fuel=30, rotation=90)
    L.field(22, 1300, -600, 2900, 350, (110, 200), seed=41, spacing=10)
    L.wall(1000, 1300, 3400, 1300, 160, seed=42)
    L.portal(4300, 100, 130)
    L.text(0, -110, "Long Coast", 26)
    L.text(0, -150, "Fuel is short: push once, then coast", 22)
    return L


def level_5():
    """Refuel Run: a serpentine with a fuel cell in every bend."""
    L = Level("level_5", fuel=10)
    L.cell(0, 600)
    L.cell(850, 1350)
    L.cell(-350, 2250)
    L.wall(-1100, 1000, 450, 1000, 140, seed=51)
    L.wall(-50, 1850, 1300, 1850, 140, seed=52)
    L.rock(1200, 400, 150, 30)
    L.rock(-900, 1500, 170, 80)
    L.portal(500, 2800, 130)
    L.text(0, -110, "Refuel Run", 26)
    return L


def corridor(L, points, half_width, size, seed):
    """Rock walls on both sides of a path through `points`."""
    for i in range(len(points) - 1):
        (x0, y0), (x1, y1) = points[i], points[i + 1]
        length = math.hypot(x1 - x0, y1 - y0)
        nx, ny = -(y1 - y0) / length, (x1 - x0) / length
        off = half_width + size / 2
        for side in (1, -1):
            L.wall(x0 + side * off * nx, y0 + side * off * ny,
                   x1 + side * off * nx, y1 + side * off * ny, size, seed=seed + i * 2 + side,
                   jitter=0.1)

    def lane_distance(x, y):
        best = 1e9
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
            best = min(best, math.hypot(x - ax - t * dx, y - ay - t * dy))
        return best

    # Where the lane bends, one leg's wall would cross the other leg: drop those rocks.
    L.objects = [o for o in L.objects if lane_distance(o[1], o[2]) > half_width + o[4] / 2 - 5]


def level_6():
    """Slow Lane: half speed through a winding rock lane."""
    L = Level("level_6", flags=HALF_SPEED, fuel=100)
    pts = [(0, 250), (0, 900), (900, 900), (900, 1800), (200, 1800)]
    corridor(L, pts, 150, 110, seed=61)
    L.objects = [o for o in L.objects if math.hypot(o[1], o[2]) > 260]
    L.portal(-100, 1800, 130)
    L.text(0, -110, "Slow Lane: half speed, no rush", 24)
    return L


def level_7():
    """Two Cushions: no turning; two bounces to the portal."""
    L = Level("level_7", flags=NO_TURNING, fuel=40, rotation=-30)
    x, y = on_heading(-30, 650, -60)
    L.rock(x, y, 200, 0)
    L.rock(-431, -131, 220, 90)
    gx, gy = after_bounces(L, 40, 750)
    L.portal(gx, gy, 140)
    for px, py, s in ((400, 300, 130), (250, 1000, 110), (-1300, -300, 140), (-700, 1450, 120)):
        L.rock(px, py, s, 30)
    L.text(0, -110, "Two Cushions", 26)
    L.text(0, -150, "A gentle push: the rocks do the rest", 22)
    return L


def level_8():
    """Star Chart: a wide level of rock belts; hold M to read the way."""
    L = Level("level_8", fuel=70)
    L.wall(1200, -1400, 1200, 1400, 160, seed=81, gaps=[(1200, 1000, 160)])
    L.wall(2600, -1400, 2600, 1400, 160, seed=82, gaps=[(2600, -1000, 160)])
    L.wall(4000, -1400, 4000, 1400, 160, seed=83, gaps=[(4000, 200, 160)])
    L.cell(1900, 1100)
    L.cell(3300, -1150)
    L.field(10, 1450, -1200, 3800, 1200, (60, 110), seed=84,
            keep_clear=[(1900, 1100, 250), (3300, -1150, 250), (1200, 1000, 250),
                        (2600, -1000, 250), (4000, 200, 250)], spacing=250)
    L.portal(4900, -300, 130)
    L.text(0, -110, "Star Chart", 26)
    L.text(0, -150, "Hold M to read the chart", 22)
    return L


def level_9():
    """Minefield: a dense field with one winding lane and a cell on it."""
    L = Level("level_9", fuel=45)
    lane = [(0, 0), (300, 500), (-200, 1000), (200, 1500), (-100, 2000), (300, 2500)]
    clear = [(0, 0, 380), (300, 2650, 280)]
    for (x0, y0), (x1, y1) in zip(lane, lane[1:]):
        for t in range(0, 11):
            clear.append((x0 + (x1 - x0) * t / 10, y0 + (y1 - y0) * t / 10, 115))
    L.cell(-200, 1000)
    L.field(60, -1000, 250, 1100, 2400, (60, 130), seed=91, keep_clear=clear, spacing=45)
    L.portal(300, 2650, 130)
    L.text(0, -110, "Minefield", 26)
    return L


def level_10():
    """Crawl: half speed, a short tank and cells inside rock pockets."""
    L = Level("level_10", flags=HALF_SPEED, fuel=30)
    L.cell(700, 300)
    L.cell(900, 1300)
    L.cell(-200, 1700)
    for cx, cy, opening in ((700, 300, 180), (900, 1300, 270), (-200, 1700, 90)):
        for a in range(0, 360, 40):
            if abs((a - opening + 180) % 360 - 180) < 50:
                continue
            r = math.radians(a)
            L.rock(round(cx + 170 * math.cos(r)), round(cy + 170 * math.sin(r)), 95, a)
    L.wall(-700, 900, 500, 900, 130, seed=101)
    L.portal(-900, 2300, 130)
    L.text(0, -110, "Crawl: half speed, little fuel", 24)
    return L


def level_11():
    """Pinball: no turning, three cushions, and 5 fuel per hit."""
    L = Level("level_11", flags=NO_TURNING, fuel=35, rotation=110)
    x, y = on_heading(110, 603.5, -54.1)
    L.rock(x, y, 200, 0)
    for distance, side, spin in ((602.1, -13.3, 120), (587.1, -58.2, 240)):
        bx, by, angle = last_bounce(L, 40)
        hx, hy = heading(angle)
        L.rock(bx + hx * distance - hy * side, by + hy * distance + hx * side, 200, spin)
    gx, gy = after_bounces(L, 40, 700)
    L.portal(gx, gy, 140)
    L.text(0, -110, "Pinball", 26)
    L.text(0, -150, "Three cushions; every hit costs 5 fuel", 22)
    return L


def level_12():
    """Deep Space: a long haul of belts, a thin tank and cells to find."""
    L = Level("level_12", fuel=45)
    L.wall(1300, -1600, 1300, 1600, 170, seed=121, gaps=[(1300, -1100, 170)])
    L.wall(2800, -1600, 2800, 1600, 170, seed=122, gaps=[(2800, 1150, 170)])
    L.wall(4300, -1600, 4300, 1600, 170, seed=123, gaps=[(4300, -300, 170)])
    L.cell(700, 900)
    L.cell(2050, -1300)
    L.cell(3550, 1300)
    L.field(10, 1500, -1400, 4100, 1400, (60, 120), seed=124,
            keep_clear=[(2050, -1300, 260), (3550, 1300, 260), (1300, -1100, 260),
                        (2800, 1150, 260), (4300, -300, 260)], spacing=260)
    L.portal(5300, 400, 130)
    L.text(0, -110, "Deep Space", 26)
    L.text(0, -150, "Three belts, three cells: plan on the map", 22)
    return L


def level_13():
    """Vexal: the portal in a ring of rocks that opens away from you."""
    L = Level("level_13", fuel=40)
    gx, gy = 600, 2700
    for a in range(0, 360, 22):
        if abs((a - 90 + 180) % 360 - 180) < 25:
            continue  # the opening faces up, away from the start
        r = math.radians(a)
        L.rock(round(gx + 330 * math.cos(r)), round(gy + 330 * math.sin(r)), 120, a)
    L.portal(gx, gy, 120)
    L.cell(-700, 1400)
    L.cell(1500, 2600)
    clear = [(0, 0, 380), (-700, 1400, 250), (1500, 2600, 250), (gx, gy, 600),
             (gx, gy + 500, 300)]
    for t in range(11):
        clear.append((0 + (-700) * t / 10, 300 + 1100 * t / 10, 120))
        clear.append((-700 + 2200 * t / 10, 1400 + 1200 * t / 10, 120))
    L.field(45, -1100, 300, 1700, 2200, (60, 140), seed=131, keep_clear=clear, spacing=60)
    L.text(0, -110, "Vexal", 26)
    L.text(0, -150, "The way in is on the far side", 22)
    return L


LEVELS = [tutorial_0, tutorial_1, tutorial_2, tutorial_3, tutorial_4, tutorial_5,
          level_1, level_2, level_3, level_4, level_5, level_6, level_7, level_8,
          level_9, level_10, level_11, level_12, level_13]


def main():
    check = "--check" in sys.argv
    os.makedirs(OUT, exist_ok=True)
    for make in LEVELS:
        level = make()
        level.par = PAR[level.name]
        minx, miny, maxx, maxy = level.bounds()
        print("%-11s %5.0f x %5.0f  map zoom %.3f  %2d objects %2d texts"
              % (level.name, maxx - minx, maxy - miny, level.map_zoom(), len(level.objects),
                 len(level.texts)))
        for problem in level.problems():
            print("    " + problem)
        if not check:
            level.write(os.path.join(OUT, level.name + ".vexl"))


if __name__ == "__main__":
    main()
