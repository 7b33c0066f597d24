"""A small model of the ship's flight, for designing shots in levels where the
ship cannot turn. It follows the game's frame order (thrust, move, speed
limit, collisions, goal) at 60 frames per second; the game itself is the
judge, so every level is still proven with `vexal-level run`.
"""
import math

DT = 1.0 / 60.0
SHIP_RADIUS = 32.5


def heading(rotation):
    r = math.radians(rotation)
    return math.sin(r), math.cos(r)


def fly(level, thrust_frames, frames=1200, trace=False):
    """thrust_frames: a set of flying-frame numbers (1-based) with thrust held.
    Returns a dict with the outcome (and the path when trace is true)."""
    x = y = 0.0
    vx = vy = 0.0
    fuel = level.fuel
    limit = 5.0 if level.flags & 8 else 10.0
    hx, hy = heading(level.rotation)
    unlimited = level.flags & 1
    active = [o for o in level.objects if o[0] in "AF"]
    taken = set()
    path = []
    hits = 0
    for frame in range(1, frames + 1):
        if frame in thrust_frames and (unlimited or fuel > 0):
            vx += hx * 10.0 * DT
            vy += hy * 10.0 * DT
            if not unlimited:
                fuel = max(0.0, fuel - 20.0 * DT)
        x += vx
        y += vy
        speed = math.hypot(vx, vy)
        if speed > limit:
            vx, vy = vx / speed * limit, vy / speed * limit
        for i, o in enumerate(active):
            kind, ox, oy, size = o[0], o[1], o[2], o[4]
            if i in taken:
                continue
            reach = SHIP_RADIUS + size / 2
            dx, dy = ox - x, oy - y
            if dx * dx + dy * dy > reach * reach:
                continue
            if kind == "F":
                taken.add(i)
                if not unlimited:
                    fuel = min(fuel + 50.0, 100.0)
                continue
            d = math.hypot(dx, dy)
            nx, ny = dx / d, dy / d
            x, y = ox - nx * (reach + 0.01), oy - ny * (reach + 0.01)
            along = 2.0 * (vx * nx + vy * ny)
            vx, vy = (vx - along * nx) * 0.5, (vy - along * ny) * 0.5
            x += vx
            y += vy
            hits += 1
            if not unlimited:
                fuel = max(0.0, fuel - 5.0)
            if fuel <= 0 and not level.flags & 4:
                return dict(result="stranded", frame=frame, x=x, y=y, fuel=fuel, hits=hits, path=path)
        if trace:
            path.append((x, y))
        g = level.goal
        if g:
            reach = SHIP_RADIUS + g[4] / 2
            if (g[1] - x) ** 2 + (g[2] - y) ** 2 <= reach * reach:
                return dict(result="goal", frame=frame, time=frame * DT, x=x, y=y, fuel=fuel,
                            hits=hits, path=path)
    return dict(result="none", frame=frames, x=x, y=y, fuel=fuel, hits=hits, path=path)
