#!/usr/bin/env python3
"""Writes the sheets and descriptions of the hero's effect objects and of the
stage opening, under game/art/fx-hero/ and game/data/objects/:

  Effects\\Recoil, BusterRecoil, ChargeRecoil   muzzle flashes (indexed, row 2)
  Effects\\ChargeRecoil2                        the big flash of a full charge (row 16)
  Effects\\DashSmoke, DashThruster              dust and the boots' jet of a dash (rgba)
  Effects\\SlideSpark, SlideSmoke               a wall kick's sparks, a slide's dust (rgba)
  Effects\\Streak                               the opening's light streaks (rgba)
  Effects\\Ready                                the ready sign (indexed, rows 17..30)
  Player\\Rook Teleport                         the beam that turns into the hero (row 0)

Indexed flashes are drawn with light columns only, since rows 2, 16 and
17..30 colour a column by its brightness. Every effect is drawn facing
right, as the engine stores sprites; the muzzles face left in their sheets,
because the hero's firing code mirrors them against the hero. Frame sizes
follow where the engine puts each object (see the notes at each sheet).

Usage: python3 tools/art/fx_hero.py [GAME_DIR]
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from spritekit import Grid, write_sprite  # noqa: E402

GAME = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "..", "game")
ART = os.path.join(GAME, "art", "fx-hero")
OBJECTS = os.path.join(GAME, "data", "objects")

NOTE = "Written by tools/art/fx_hero.py; edit here or there."

# Light columns of row 0, darker to brighter (docs/art-sources.md).
FLASH_LEGEND = [
    ("r", "2", "blue: the dimmest tone used"),
    ("d", "6", "skin dark"),
    ("m", "3", "blue light"),
    ("l", "5", "teal light"),
    ("y", "7", "skin light"),
    ("g", "14", "glow"),
    ("w", "8", "white: the hottest"),
]
FLASH_TONES = "rdmlygw"


def tone_of(v, tones=FLASH_TONES):
    """A brightness 0..1 to a legend character ('.' when dark)."""
    if v <= 0.0:
        return "."
    return tones[min(len(tones) - 1, int(v * len(tones)))]


def paint_max(g, x, y, c, tones):
    old = g.get(x, y)
    if old == "." or tones.index(c) > tones.index(old):
        g.set(x, y, c)


def burst(w, h, cx, cy, radius, up, forward, back=0.0, ring=0.0, rays=0, turn=0.0, heat=1.0):
    """A muzzle flash: a hot disc (or a ring) with spikes up, down, forward
    (to the left) and back, and optional diagonal rays."""
    g = Grid(w, h)
    for y in range(h):
        for x in range(w):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            d = math.hypot(dx, dy)
            if ring > 0:
                v = 1.0 - abs(d - ring) / max(1.0, radius * 0.45)
            else:
                v = 1.0 - d / radius if radius > 0 else 0.0
            if abs(dx) < 1.0 and up > 0 and (ring == 0 or abs(dy) > ring):
                v = max(v, 1.0 - abs(dy) / up)
            if abs(dy) < 1.0 and dx < 0 and forward > 0:
                v = max(v, 1.0 - -dx / forward)
            if abs(dy) < 1.0 and dx >= 0 and back > 0:
                v = max(v, 0.7 - dx / back)
            if rays and d > 0.5:
                a = math.atan2(dy, dx) * rays / 2.0 + turn
                spoke = abs(math.sin(a))
                if spoke < 0.18:
                    v = max(v, (1.0 - d / (radius * 2.2)) * (1.0 - spoke * 4))
            paint_max(g, x, y, tone_of(v * heat), FLASH_TONES)
    return g


def anim(path, header, records):
    """Writes a description: header (w, h, left, top, right, bottom) and
    records of (name, count, delays, loop)."""
    lines = ["%d %d %d %d %d %d" % header]
    for name, count, delays, loop in records:
        d = str(delays) if isinstance(delays, int) else "[" + " ".join(map(str, delays)) + "]"
        lines.append("%s %d %s %d" % (name, count, d, loop))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")


def sheet(file, comment, name, mode, frame, columns, legend, cells):
    write_sprite(os.path.join(ART, file), comment + "\n" + NOTE, name, mode, frame, columns,
                 legend, cells)


# ---------------------------------------------------------------- muzzles
#
# The firing code parents a muzzle to the hero at x 51 (level 1), 55
# (level 2), 33 and 28 (level 3) facing right, and 7, 3, 1 and 6 facing
# left, centred on the cannon's height (y 40). Mirrored about the hero's
# centre those agree only for a frame 6 pixels wide (level 1 and 2) or 30
# (level 3), so those are the widths; the cannon's mouth is then at x 5,
# 9 (past the frame: level 2's flash sits ahead of the cannon), 11 and 6
# of the frames, counted from the left of the stored image.

def muzzles():
    recoil = [
        ("Stand 0: the pop", burst(6, 16, 4.5, 8, 3.6, 7.5, 5.0, heat=1.1)),
        ("Stand 1", burst(6, 16, 4.5, 8, 2.6, 5.5, 4.0)),
        ("Stand 2: a ring", burst(6, 16, 4.0, 8, 2.5, 3.0, 0.0, ring=2.6, heat=0.8)),
        ("Stand 3: fading", burst(6, 16, 4.0, 8, 1.6, 2.0, 0.0, heat=0.5)),
    ]
    sheet("Recoil.sprite", "Level 1 muzzle flash (row 2), 6 x 16: a small pop at the cannon.",
          "Effects\\Recoil", "indexed", (6, 16), 4, FLASH_LEGEND, recoil)
    anim(os.path.join(OBJECTS, "Effects", "Recoil.anim"), (6, 16, 0, 0, 6, 16),
         [("Stand", 4, [1, 2, 2, 2], 0)])

    buster = [
        ("Stand 0: the blast", burst(6, 24, 2.5, 12, 3.6, 11.0, 4.0, back=3.0, heat=1.1)),
        ("Stand 1", burst(6, 24, 2.5, 12, 3.2, 9.0, 3.0, ring=2.0)),
        ("Stand 2: the ring opens", burst(6, 24, 3.0, 12, 3.0, 6.0, 0.0, ring=3.5, heat=0.9)),
        ("Stand 3", burst(6, 24, 3.0, 12, 2.2, 4.0, 0.0, ring=4.5, heat=0.6)),
        ("Stand 4: fading", burst(6, 24, 3.0, 12, 1.5, 2.5, 0.0, heat=0.45)),
    ]
    sheet("BusterRecoil.sprite",
          "Level 2 muzzle flash (row 2), 6 x 24: a tall blast ring just ahead of the cannon.",
          "Effects\\BusterRecoil", "indexed", (6, 24), 5, FLASH_LEGEND, buster)
    anim(os.path.join(OBJECTS, "Effects", "BusterRecoil.anim"), (6, 24, 0, 0, 6, 24),
         [("Stand", 5, [1, 2, 2, 2, 2], 0)])

    charge = [
        ("Stand 0: the discharge", burst(30, 24, 6.5, 12, 6.0, 11.0, 7.0, back=22.0, rays=6, heat=1.15)),
        ("Stand 1", burst(30, 24, 6.5, 12, 5.5, 10.0, 6.5, back=18.0, rays=6, turn=0.5)),
        ("Stand 2", burst(30, 24, 6.5, 12, 5.0, 8.0, 5.0, back=12.0, ring=5.0, rays=6, turn=1.0)),
        ("Stand 3", burst(30, 24, 6.0, 12, 4.0, 6.0, 3.0, ring=7.0, heat=0.8)),
        ("Stand 4: fading", burst(30, 24, 6.0, 12, 3.0, 4.0, 0.0, ring=9.0, heat=0.55)),
    ]
    sheet("ChargeRecoil.sprite",
          "Level 3 muzzle flash (row 2), 30 x 24: the discharge at the mouth, rays back\n"
          "along the cannon.",
          "Effects\\ChargeRecoil", "indexed", (30, 24), 5, FLASH_LEGEND, charge)
    anim(os.path.join(OBJECTS, "Effects", "ChargeRecoil.anim"), (30, 24, 0, 0, 30, 24),
         [("Stand", 5, [1, 2, 2, 2, 2], 0)])

    big = [
        ("Stand 0: the flare", burst(30, 40, 11.5, 20, 13.0, 19.0, 11.0, rays=8, heat=1.1)),
        ("Stand 1", burst(30, 40, 11.5, 20, 12.0, 17.0, 10.0, rays=8, turn=0.4)),
        ("Stand 2", burst(30, 40, 11.5, 20, 10.0, 14.0, 8.0, ring=8.0, rays=8, turn=0.8)),
        ("Stand 3: the ring spreads", burst(30, 40, 11.5, 20, 8.0, 9.0, 0.0, ring=11.0, heat=0.85)),
        ("Stand 4", burst(30, 40, 11.5, 20, 6.0, 6.0, 0.0, ring=13.5, heat=0.6)),
        ("Stand 5: fading", burst(30, 40, 11.5, 20, 4.0, 3.0, 0.0, ring=15.0, heat=0.4)),
    ]
    sheet("ChargeRecoil2.sprite",
          "The big flash of a full charge (row 16, cyan to white), 30 x 40, behind the\n"
          "level 3 muzzle: a flare round the cannon's mouth that opens into a ring.",
          "Effects\\ChargeRecoil2", "indexed", (30, 40), 6, FLASH_LEGEND, big)
    anim(os.path.join(OBJECTS, "Effects", "ChargeRecoil2.anim"), (30, 40, 0, 0, 30, 40),
         [("Stand", 6, [1, 2, 2, 2, 2, 2], 0)])


# ---------------------------------------------------------------- true-colour helpers

def rgba_legend(entries):
    return [(c, value, comment) for c, value, comment in entries]


class Canvas:
    """A cell painted with shades of a ramp: each pixel keeps the strongest."""

    def __init__(self, w, h, ramp):
        self.g = Grid(w, h)
        self.ramp = ramp  # legend characters, faint to strong

    def put(self, x, y, v):
        x, y = int(math.floor(x)), int(math.floor(y))
        if v <= 0.0:
            return
        c = self.ramp[min(len(self.ramp) - 1, int(v * len(self.ramp)))]
        old = self.g.get(x, y)
        if old == "." or self.ramp.index(c) > self.ramp.index(old):
            self.g.set(x, y, c)

    def blob(self, cx, cy, r, strength, squash=1.0):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                d = math.hypot((x + 0.5 - cx), (y + 0.5 - cy) / squash)
                if d <= r:
                    edge = d / r
                    self.put(x, y, strength * (1.0 - 0.55 * edge * edge))


def noise_at(x, y, seed):
    """Fixed per-pixel grain, the same on every run."""
    n = (x * 374761393 + y * 668265263 + seed * 2246822519) & 0xFFFFFFFF
    n = ((n ^ (n >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((n ^ (n >> 16)) & 0xFFFF) / 65535.0


DUST = [
    ("1", "#8a8f9e50", "dust, faint"),
    ("2", "#a3a8b678", "dust"),
    ("3", "#c0c4cea0", "dust, thick"),
    ("4", "#dcdfe6c8", "dust, bright"),
    ("5", "#f4f5f8e6", "dust, lit"),
]


# ---------------------------------------------------------------- dash

# A dash makes its smoke at the hero's corner + (-30, 0) and its thruster
# at the same offset, neither mirrored: a 124-wide frame puts the hero's
# centre (x 32 of his frame) on the frame's centre (x 62) whichever way he
# faces. The back boot of the dash pose is at x 24..34, y 52..58 of the
# hero's frame, so at x 54..64 here.

def dash():
    smoke = []
    for f in range(6):
        c = Canvas(124, 64, "12345")
        age = f / 5.0
        for i, (ox, oy, r0) in enumerate([(0, 0, 3.5), (-7, -2, 3.0), (-13, 1, 2.5), (4, -3, 2.2)]):
            grow = 1.0 + 1.6 * age
            cx = 57 + ox * (1.0 + 1.2 * age) - 6 * age
            cy = 58 + oy - 4 * age * (1 + 0.3 * i)
            strength = (1.0 - 0.85 * age) ** 0.8 * (0.95 - 0.1 * i)
            c.blob(cx, cy, r0 * grow, strength, squash=0.8)
        smoke.append(("Puff %d" % f, c.g))
    sheet("DashSmoke.sprite",
          "Dust kicked up where a dash starts (rgba), 124 x 64 centred on the hero:\n"
          "a puff behind the back boot that spreads, rises and thins out.",
          "Effects\\DashSmoke", "rgba", (124, 64), 6, DUST, smoke)
    anim(os.path.join(OBJECTS, "Effects", "DashSmoke.anim"), (124, 64, 0, 0, 124, 64),
         [("Stand", 6, 2, 0)])

    jet_legend = [
        ("1", "#2050ff40", "jet, faint blue"),
        ("2", "#3c86ff80", "jet, blue"),
        ("3", "#62c4ffb0", "jet, light blue"),
        ("4", "#a8f0ffd8", "jet, cyan"),
        ("5", "#ffffffff", "jet, white core"),
    ]
    frames = []
    # Ignition, six flickering burn frames, and the flame dying down.
    lengths = [8, 16, 26, 23, 27, 22, 26, 24, 18, 10]
    for f, length in enumerate(lengths):
        c = Canvas(124, 64, "12345")
        strength = 1.0 if 1 <= f <= 7 else 0.75 if f == 0 else 0.6 - 0.2 * (f - 8)
        for x in range(int(54 - length), 56):
            t = (54 - x) / float(length)  # 0 at the boot, 1 at the tip
            if t < 0:
                t = 0.0
            half = 1.2 + 2.6 * math.sin(math.pi * min(1.0, t * 1.4 + 0.1)) * (1.0 - 0.5 * t)
            for y in range(48, 64):
                d = abs(y + 0.5 - 55.0) / half
                if d > 1.0:
                    continue
                grain = 0.85 + 0.3 * noise_at(x, y, f)
                c.put(x, y, strength * (1.0 - t) ** 0.7 * (1.0 - d * d) * grain)
        frames.append(("Jet %d" % f, c.g))
    sheet("DashThruster.sprite",
          "The boots' thruster flame during a dash (rgba), 124 x 64 centred on the hero:\n"
          "a blue-white jet from the back boot, flickering, then dying down.",
          "Effects\\DashThruster", "rgba", (124, 64), 5, jet_legend, frames)
    anim(os.path.join(OBJECTS, "Effects", "DashThruster.anim"), (124, 64, 0, 0, 124, 64),
         [("Stand", len(lengths), [2, 2, 2, 2, 2, 2, 2, 2, 2, 2], 0)])


# ---------------------------------------------------------------- wall slide and kick

# Both are 64 x 64 at the hero's corner. Drawn facing right, the wall is on
# the right at the hero's hit-box edge, x 40: the kick's sparks and the
# slide's dust start there.

def wall():
    spark_legend = [
        ("1", "#ff8020a0", "spark, orange"),
        ("2", "#ffc040d0", "spark, amber"),
        ("3", "#fff080f0", "spark, yellow"),
        ("4", "#ffffffff", "spark, white"),
    ]
    rays = [(-160, 12), (-140, 9), (-200, 10), (170, 8), (-110, 6), (150, 11), (-180, 13), (120, 7)]
    frames = []
    for f in range(5):
        c = Canvas(64, 64, "1234")
        if f < 2:
            c.blob(40.5, 50.5, 3.5 - f, 1.0)
        for i, (angle, reach) in enumerate(rays):
            a = math.radians(angle)
            head = reach * (0.35 + 0.3 * f)
            tail = max(0.0, head - 4.0)
            steps = int((head - tail) * 2) + 1
            for s in range(steps):
                r = tail + (head - tail) * s / max(1, steps - 1)
                x = 40.5 + r * math.cos(a)
                y = 50.5 + r * math.sin(a) + 0.08 * f * f * 4
                c.put(x, y, (1.0 - 0.2 * f) * (0.5 + 0.5 * s / max(1, steps - 1)))
        frames.append(("Sparks %d" % f, c.g))
    sheet("SlideSpark.sprite",
          "Sparks of a wall kick (rgba), 64 x 64 on the hero: a flash where the boots\n"
          "leave the wall (x 40 here) and sparks flying away from it.",
          "Effects\\SlideSpark", "rgba", (64, 64), 5, spark_legend, frames)
    anim(os.path.join(OBJECTS, "Effects", "SlideSpark.anim"), (64, 64, 0, 0, 64, 64),
         [("Stand", 5, [1, 2, 2, 2, 2], 0)])

    frames = []
    for f in range(8):
        c = Canvas(64, 64, "12345")
        age = f / 7.0
        for i, (y0, r0) in enumerate([(57, 2.6), (53, 2.2), (31, 2.0), (49, 1.8)]):
            # Each puff starts a little later, drifts off the wall and up.
            local = max(0.0, age * 1.3 - 0.12 * i)
            if local <= 0.0 or local >= 1.0:
                continue
            cx = 39.0 - 5.0 * local
            cy = y0 - 9.0 * local
            c.blob(cx, cy, r0 * (1.0 + 1.3 * local), (1.0 - local) ** 0.7 * 0.9, squash=1.2)
        frames.append(("Dust %d" % f, c.g))
    sheet("SlideSmoke.sprite",
          "Dust of a wall slide (rgba), 64 x 64 on the hero: puffs where the boots and\n"
          "the hand rub the wall (x 40 here), drifting up and off it.",
          "Effects\\SlideSmoke", "rgba", (64, 64), 8, DUST, frames)
    anim(os.path.join(OBJECTS, "Effects", "SlideSmoke.anim"), (64, 64, 0, 0, 64, 64),
         [("Stand", 8, 2, 0)])


# ---------------------------------------------------------------- the stage opening

# Streaks fly across the view in the middle band of the screen. They are
# made 176 pixels left of the view or 320 right of it: frames 176 wide are
# out of sight when made. A streak flying left is not mirrored, so every
# line is the same at both ends.

def streaks():
    legend = [
        ("1", "#2040ff30", "glow, faint"),
        ("2", "#3878ff70", "glow"),
        ("3", "#70b8ffa8", "glow, light"),
        ("4", "#c0f0ffe0", "core, cyan"),
        ("5", "#ffffffff", "core, white"),
    ]
    cells = []
    for name, length, thickness in (("Screen", 176, 2.6), ("Small", 40, 1.2),
                                    ("Medium", 84, 1.5), ("Large", 136, 1.9)):
        for f in range(2):
            c = Canvas(176, 16, "12345")
            x0 = 88 - length / 2.0
            for x in range(int(x0), int(x0 + length)):
                t = (x + 0.5 - x0) / length  # 0..1 along the line
                taper = min(1.0, min(t, 1.0 - t) / 0.22)
                shimmer = 0.9 + 0.1 * math.sin(x * 0.9 + f * 2.1)
                for y in range(16):
                    d = abs(y + 0.5 - 8.0) / (thickness * (0.4 + 0.6 * taper))
                    if d < 2.2:
                        c.put(x, y, taper * shimmer * math.exp(-d * d * 0.9))
            cells.append(("%s %d" % (name, f), c.g))
    sheet("Streak.sprite",
          "The light streaks of the stage opening (rgba), 176 x 16: \"Screen\" the long\n"
          "band that crosses first, then \"Small\", \"Medium\" and \"Large\" lines.",
          "Effects\\Streak", "rgba", (176, 16), 2, legend, cells)
    anim(os.path.join(OBJECTS, "Effects", "Streak.anim"), (176, 16, 0, 0, 176, 16),
         [("Screen", 2, 2, 0), ("Small", 2, 2, 0), ("Medium", 2, 2, 0), ("Large", 2, 2, 0)])


LETTERS = {
    "R": ["XXXXXXX.", "XX....XX", "XX....XX", "XXXXXXX.", "XX..XX..", "XX...XX.", "XX....XX"],
    "E": ["XXXXXXXX", "XX......", "XX......", "XXXXXXX.", "XX......", "XX......", "XXXXXXXX"],
    "A": ["..XXXX..", ".XX..XX.", "XX....XX", "XX....XX", "XXXXXXXX", "XX....XX", "XX....XX"],
    "D": ["XXXXXX..", "XX...XX.", "XX....XX", "XX....XX", "XX....XX", "XX...XX.", "XXXXXX.."],
    "Y": ["XX....XX", "XX....XX", ".XX..XX.", "..XXXX..", "...XX...", "...XX...", "...XX..."],
}


def ready():
    # Made at the view's centre - (96, 15): 192 x 30 centres it. Rows 17..30
    # colour columns by brightness, so the face is a ramp of light columns,
    # brightest at the top, over a dark outline.
    legend = [
        ("o", "0", "outline"),
        ("B", "1", "edge, darkest of the face"),
        ("b", "2", "face, low"),
        ("d", "6", "face"),
        ("m", "3", "face"),
        ("l", "5", "face, high"),
        ("y", "7", "face, light"),
        ("g", "14", "face, lighter"),
        ("w", "8", "face, top highlight"),
    ]
    face = "wgyylmmddbbB"  # top to bottom over the 28 rows of a letter, stretched
    g = Grid(192, 30)
    scale = 4
    x = 3
    for ch in "READY":
        rows = LETTERS[ch]
        mask = set()
        for ry, row in enumerate(rows):
            for rx, c in enumerate(row):
                if c == "X":
                    for yy in range(scale):
                        for xx in range(scale):
                            mask.add((x + 1 + rx * scale + xx, 1 + ry * scale + yy))
        # Cut the outer corners of each stroke's ends for a rounder block letter.
        for (px, py) in sorted(mask):
            y = py - 1
            tone = face[min(len(face) - 1, y * len(face) // (7 * scale))]
            # A lit top edge and a shaded bottom edge on every stroke.
            if (px, py - 1) not in mask:
                tone = "w"
            elif (px, py + 1) not in mask:
                tone = "B"
            g.set(px, py, tone)
        for (px, py) in mask:
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    if (px + dx, py + dy) not in mask:
                        g.set(px + dx, py + dy, "o")
        x += 8 * scale + 2 + 4
    sheet("Ready.sprite",
          "The ready sign (indexed), 192 x 30: READY in block letters. The opening\n"
          "draws it twice, the back in row 30 and the front swept through rows 17..29.",
          "Effects\\Ready", "indexed", (192, 30), 1, legend, [("Stand", g)])
    anim(os.path.join(OBJECTS, "Effects", "Ready.anim"), (192, 30, 0, 0, 192, 30),
         [("Stand", 1, 0, 0)])


# ---------------------------------------------------------------- the beam

def read_rook_stand():
    """The hero's "Stand" frame 0 as (legend char -> column, rows)."""
    path = os.path.join(GAME, "art", "Player", "Rook.sprite")
    legend, rows, cell = {}, [], None
    with open(path) as src:
        lines = [l.rstrip("\n") for l in src]
    in_legend = False
    for line in lines:
        text = line.strip()
        if text.startswith("legend"):
            in_legend = True
            continue
        if text.startswith("cell"):
            in_legend = False
            cell = text.split()[1]
            continue
        if in_legend and text and not text.startswith("#"):
            parts = text.split()
            legend[parts[0]] = int(parts[1])
            continue
        if cell == "0" and text and not text.startswith("#"):
            rows.append(text)
    return legend, rows[:64]


def teleport():
    # Row 0 columns: 0 outline, 1-3 blues, 8 white, 14 glow.
    legend = [
        ("o", "0", "outline"),
        ("B", "1", "blue dark"),
        ("b", "2", "blue"),
        ("c", "3", "blue light"),
        ("T", "4", "teal dark"),
        ("t", "5", "teal light"),
        ("S", "6", "skin dark"),
        ("s", "7", "skin light"),
        ("w", "8", "white"),
        ("G", "12", "grey dark"),
        ("g", "13", "grey light"),
        ("e", "14", "glow"),
        ("y", "15", "yellow"),
    ]
    by_column = {int(v): c for c, v, _ in legend}
    rook_legend, rook_rows = read_rook_stand()
    hero = Grid(64, 64)
    for y, row in enumerate(rook_rows):
        for x, ch in enumerate(row):
            if ch != ".":
                hero.set(x, y, by_column[rook_legend[ch]])

    def beam(top, bottom, half, flicker):
        g = Grid(64, 64)
        for y in range(max(0, top), min(64, bottom)):
            wobble = 0.5 * math.sin(y * 0.7 + flicker * 2.0)
            for x in range(64):
                d = abs(x + 0.5 - 32.0) / (half + wobble)
                if d < 0.35:
                    g.set(x, y, "w")
                elif d < 0.65:
                    g.set(x, y, "e")
                elif d < 0.9:
                    g.set(x, y, "c")
                elif d < 1.1:
                    g.set(x, y, "b")
        return g

    def glow_hero(keep, bands=0, shift=0):
        """The hero's shape in light: tones kept where `keep` says, the rest glow."""
        g = Grid(64, 64)
        for y in range(64):
            if bands and ((y + shift) // 2) % bands:
                continue
            for x in range(64):
                c = hero.get(x, y)
                if c == ".":
                    continue
                if keep == "all":
                    g.set(x, y, c)
                elif keep == "outline":
                    g.set(x, y, c if c == "o" else ("w" if (x + y) % 3 else "e"))
                else:
                    g.set(x, y, "e" if c == "o" else "w")
        return g

    def ring(g, cy, r, c):
        for a in range(48):
            t = 2 * math.pi * a / 48
            g.set(int(32 + r * math.cos(t)), int(cy + 0.35 * r * math.sin(t)), c)
        return g

    stand = [("Stand 0: the beam", beam(-4, 61, 3.2, 0)), ("Stand 1", beam(-4, 61, 2.8, 1))]
    appear = []
    g = beam(34, 61, 4.5, 2)
    appear.append(("Appear 0: the beam lands, squashed", ring(g, 59, 9, "c")))
    g = beam(44, 61, 6.0, 3)
    appear.append(("Appear 1: a flash at the feet", ring(ring(g, 59, 13, "e"), 59, 8, "w")))
    g = glow_hero("light", bands=2)
    appear.append(("Appear 2: the body forms in bands", ring(g, 59, 15, "c")))
    appear.append(("Appear 3", glow_hero("light", bands=2, shift=2)))
    appear.append(("Appear 4: all light", glow_hero("light")))
    appear.append(("Appear 5: the outline comes", glow_hero("outline")))
    appear.append(("Appear 6: the hero", glow_hero("all")))
    sheet("Rook Teleport.sprite",
          "The hero's teleport (indexed, row 0), 64 x 64 like the hero and aligned with\n"
          "him: \"Stand\" the beam while it falls and as it lands, \"Appear\" the beam\n"
          "turning into the hero, ending on his own \"Stand\" frame (copied from\n"
          "Player/Rook.sprite when this is written).",
          "Player\\Rook Teleport", "indexed", (64, 64), 3, legend, stand + appear)
    anim(os.path.join(OBJECTS, "Player", "Rook Teleport.anim"), (64, 64, 24, 22, 40, 60),
         [("Stand", 2, 2, 0), ("Appear", 7, [3, 3, 2, 2, 3, 3, 3], 6)])


if __name__ == "__main__":
    os.makedirs(ART, exist_ok=True)
    muzzles()
    dash()
    wall()
    streaks()
    ready()
    teleport()
