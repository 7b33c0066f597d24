"""Building blocks for the shipped levels: a Level record written in the game's
level-file format, asteroid walls and fields with fixed seeds, and checks
that catch cramped starts, maps that do not fit the window and long texts."""
import math
import random

WINDOW_W, WINDOW_H = 1280.0, 720.0
SHIP_RADIUS = 32.5

UNLIMITED_FUEL, NO_TURNING, NO_STRANDING, HALF_SPEED = 1, 2, 4, 8


def heading(rotation):
    """The unit vector of a ship's nose at `rotation` degrees: 0 is +y and the
    angle grows clockwise."""
    r = math.radians(rotation)
    return math.sin(r), math.cos(r)


class Level:
    def __init__(self, name, flags=0, par=0.0, fuel=100.0, rotation=0.0):
        self.name = name
        self.flags = flags
        self.par = par
        self.fuel = fuel
        self.rotation = rotation
        self.objects = []  # (kind, x, y, rotation, width, height)
        self.goal = None
        self.texts = []    # (x, y, size, text)

    # --- objects -----------------------------------------------------------
    def rock(self, x, y, size, spin=0.0):
        self.objects.append(("A", float(x), float(y), float(spin), float(size), float(size)))

    def cell(self, x, y, size=60):
        self.objects.append(("F", float(x), float(y), 0.0, float(size), float(size)))

    def portal(self, x, y, size=130):
        self.goal = ("E", float(x), float(y), 0.0, float(size), float(size))

    def text(self, x, y, text, size=22):
        self.texts.append((float(x), float(y), float(size), text))

    def wall(self, x0, y0, x1, y1, size, seed, gaps=(), jitter=0.15):
        """Rocks from (x0, y0) to (x1, y1), about one rock per `size` units,
        leaving out rocks whose centre is within `half-width` of a gap point
        (gaps are (x, y, half_width))."""
        rng = random.Random(seed)
        length = math.hypot(x1 - x0, y1 - y0)
        count = max(1, int(round(length / (size * 0.9))))
        for i in range(count + 1):
            t = i / count
            x = x0 + (x1 - x0) * t
            y = y0 + (y1 - y0) * t
            s = size * rng.uniform(1.0 - jitter, 1.0 + jitter)
            if any(math.hypot(x - gx, y - gy) < hw + s / 2 for gx, gy, hw in gaps):
                continue
            self.rock(round(x), round(y), round(s), rng.choice((0, 45, 90, 135, 180, 270)))

    def field(self, count, x0, y0, x1, y1, sizes, seed, keep_clear=(), spacing=40):
        """Scatters rocks in a box, away from each other by `spacing` and away
        from the keep-clear circles (x, y, radius)."""
        rng = random.Random(seed)
        placed = 0
        tries = 0
        while placed < count and tries < 5000:
            tries += 1
            s = rng.uniform(*sizes)
            x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
            if any(math.hypot(x - cx, y - cy) < r + s / 2 for cx, cy, r in keep_clear):
                continue
            if any(o[0] == "A" and math.hypot(x - o[1], y - o[2]) < (o[4] + s) / 2 + spacing
                   for o in self.objects):
                continue
            self.rock(round(x), round(y), round(s), rng.choice((0, 60, 120, 180, 240, 300)))
            placed += 1

    # --- checks ------------------------------------------------------------
    def bounds(self):
        minx, miny, maxx, maxy = -SHIP_RADIUS, -SHIP_RADIUS, SHIP_RADIUS, SHIP_RADIUS
        boxes = [(o[1], o[2], o[4], o[5]) for o in self.objects]
        if self.goal:
            boxes.append((self.goal[1], self.goal[2], self.goal[4], self.goal[5]))
        boxes += [(x, y, len(t) * s * 0.5, s) for x, y, s, t in self.texts]
        for x, y, w, h in boxes:
            minx, maxx = min(minx, x - w / 2), max(maxx, x + w / 2)
            miny, maxy = min(miny, y - h / 2), max(maxy, y + h / 2)
        return minx, miny, maxx, maxy

    def map_zoom(self):
        minx, miny, maxx, maxy = self.bounds()
        ex, ey = maxx - minx, maxy - miny
        fit = WINDOW_W / ex if ex > ey else WINDOW_H / ey
        return min(fit - 0.1, 1.0)

    def problems(self):
        out = []
        minx, miny, maxx, maxy = self.bounds()
        zoom = self.map_zoom()
        if (maxx - minx) * zoom > WINDOW_W or (maxy - miny) * zoom > WINDOW_H:
            out.append("map view cuts the level: %.0f x %.0f at zoom %.3f"
                       % (maxx - minx, maxy - miny, zoom))
        for o in self.objects + ([self.goal] if self.goal else []):
            gap = math.hypot(o[1], o[2]) - SHIP_RADIUS - o[4] / 2
            if gap < 150:
                out.append("%s at (%g, %g) only %.0f units from the ship" % (o[0], o[1], o[2], gap))
        for x, y, s, t in self.texts:
            if len(t) > 50 or not 20 <= s <= 26:
                out.append("text %r: %d characters at size %g" % (t, len(t), s))
        if len(self.objects) + 1 > 100:
            out.append("%d object lines" % (len(self.objects) + 1))
        if len(self.texts) > 20:
            out.append("%d texts" % len(self.texts))
        return out

    # --- file --------------------------------------------------------------
    def write(self, path):
        with open(path, "w", newline="\n") as f:
            f.write("/%u\n" % self.flags)
            f.write(".%f\n" % self.par)
            f.write("%%%f\n" % self.fuel)
            f.write("^%f\n" % self.rotation)
            for o in self.objects:
                f.write("%s,%f,%f,%f,%f,%f\n" % o)
            if self.goal:
                f.write("%s,%f,%f,%f,%f,%f\n" % self.goal)
            for x, y, s, t in self.texts:
                f.write("T,%f,%f,%f,%f,%f,%s\n" % (x, y, 0.0, len(t) * s * 0.5, s, t))
