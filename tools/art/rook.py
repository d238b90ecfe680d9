#!/usr/bin/env python3
"""Draws the hero, Rook, and writes game/art/Player/Rook.sprite and
game/art/Player/Rook Fire.sprite.

Every frame is composed from body parts (head, torso, limbs, boots, cannon)
placed by a pose: a handful of joint positions. Parts are filled and shaded
one at a time, back to front, and each gets its own one-pixel outline, which
keeps overlapping limbs readable. The firing sheet uses the same poses with
the cannon arm raised forward at the height the muzzle objects expect.

Frames are 64 x 64, facing right, body centred on x 32, feet on y 60.
Usage: python3 tools/art/rook.py [GAME_DIR]
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from spritekit import Grid, write_sprite  # noqa: E402

LEGEND = [
    ("o", "0", "outline"),
    ("B", "1", "armour dark"),
    ("b", "2", "armour"),
    ("c", "3", "armour light"),
    ("T", "4", "trim dark"),
    ("t", "5", "trim light"),
    ("S", "6", "skin dark"),
    ("s", "7", "skin light"),
    ("w", "8", "white"),
    ("G", "12", "suit dark"),
    ("g", "13", "suit light"),
    ("e", "14", "glow"),
    ("y", "15", "yellow"),
]

# Material: tones from shadow to shine.
ARMOUR = ("B", "b", "c", "w")
ARMOUR_FAR = ("o", "B", "b", "c")
TRIM = ("G", "g", "w", "w")
TRIM_FAR = ("o", "G", "g", "g")
SUIT = ("T", "T", "t", "w")
SUIT_FAR = ("o", "T", "T", "t")
SKIN = ("S", "S", "s", "s")

# Light comes from above and a little in front.
LIGHT = (0.6, -0.8)


def tone(material, nx, ny, edge=1.0):
    """Shade by the surface normal (nx, ny); edge (0..1) is how far out from the axis."""
    i = nx * LIGHT[0] + ny * LIGHT[1]
    if i < -0.25 and edge > 0.4:
        return material[0]
    if i > 0.45 and edge > 0.4:
        return material[3] if i > 0.9 and edge > 0.75 else material[2]
    return material[1]


class Part:
    """One body part being drawn: its own pixels, outlined when placed."""

    def __init__(self):
        self.px = {}

    def put(self, x, y, c):
        self.px[(x, y)] = c

    def disc(self, cx, cy, r, material):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                dx, dy = x + 0.5 - cx, y + 0.5 - cy
                d = math.hypot(dx, dy)
                if d <= r:
                    n = d / r if r else 0
                    self.put(x, y, tone(material, dx / (d + 1e-6), dy / (d + 1e-6), n))

    def capsule(self, a, b, r, material):
        ax, ay = a
        bx, by = b
        vx, vy = bx - ax, by - ay
        length2 = vx * vx + vy * vy or 1e-6
        for y in range(int(min(ay, by) - r) - 1, int(max(ay, by) + r) + 2):
            for x in range(int(min(ax, bx) - r) - 1, int(max(ax, bx) + r) + 2):
                px, py = x + 0.5, y + 0.5
                t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / length2))
                qx, qy = ax + t * vx, ay + t * vy
                dx, dy = px - qx, py - qy
                d = math.hypot(dx, dy)
                if d <= r:
                    self.put(x, y, tone(material, dx / (d + 1e-6), dy / (d + 1e-6), d / r))

    def rows(self, rows, ox, oy, mapping=None):
        for y, row in enumerate(rows):
            for x, c in enumerate(row):
                if c != ".":
                    self.put(ox + x, oy + y, mapping.get(c, c) if mapping else c)

    def erase(self, x, y):
        self.px.pop((x, y), None)


def place(canvas, part, separate=False):
    """Paints a part over what is drawn. A separate part also gets a line
    where it lies over earlier parts; the figure's outer outline comes last."""
    if separate:
        for (x, y) in part.px:
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                q = (x + dx, y + dy)
                if q not in part.px and canvas.get(q[0], q[1]) not in ".o":
                    canvas.set(q[0], q[1], "o")
    for (x, y), c in part.px.items():
        canvas.set(x, y, c)


def outline(canvas):
    edge = []
    for y in range(canvas.h):
        for x in range(canvas.w):
            if canvas.get(x, y) != ".":
                continue
            if any(canvas.get(x + dx, y + dy) not in "." for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                edge.append((x, y))
    for x, y in edge:
        canvas.set(x, y, "o")


def mirror_rows(rows):
    return [row[::-1] for row in rows]


# ---- Hand-drawn parts (facing right) ---------------------------------------

HEAD = [
    "....BBbbb....",
    "..Bbbbbcccb..",
    ".Bbbbbbccwwb.",
    ".Bbbbbbbcccbb",
    "Bbbbbbbbbbeeb",
    "BbbbbbBcccccb",
    "BbTTTbBSsssS.",
    "BTtttTBsswoS.",
    "BTtetTBsswoS.",
    "BTtttTBssssS.",
    "BbTTTbBSsssS.",
    ".BbbbbBBSSS..",
    "..BBBBB......",
]
HEAD_ANCHOR = (6, 12)  # the neck, where the head sits on the torso

# Eyes shut (blink) and squeezed (hurt): rows 7 and 8 of the face.
BLINK = {(9, 7): "s", (10, 7): "s", (9, 8): "o", (10, 8): "o"}
WINCE = {(9, 7): "o", (10, 7): "s", (9, 8): "s", (10, 8): "o", (8, 10): "o", (9, 10): "o"}

TORSO = [
    "...TTTTTTT...",
    "..BbbbcccbbB.",
    ".BbbbccwcccbB",
    "BbbbbcceecbbB",
    "BbbbbbceebbbB",
    ".BbbbbbbbbbB.",
    "..TTTttyyTT..",
    "..GGGgggGGG..",
    "..GGggggGGG..",
]
TORSO_NECK = (6, 0)            # under the head
TORSO_HIP_FAR = (4.5, 8.5)     # where the legs start
TORSO_HIP_NEAR = (8.5, 8.5)
TORSO_SHOULDER_FAR = (2.0, 2.5)
TORSO_SHOULDER_NEAR = (10.5, 2.5)


def add(p, q):
    return (p[0] + q[0], p[1] + q[1])


def lerp(p, q, t):
    return (p[0] + (q[0] - p[0]) * t, p[1] + (q[1] - p[1]) * t)


def recolour(part, rows, from_material, to_material):
    """Gives the part's pixels on the given rows the other material's tones."""
    for (x, y), c in list(part.px.items()):
        if y in rows and c in from_material:
            part.put(x, y, to_material[from_material.index(c)])


def leg(canvas, hip, knee, ankle, foot_angle, far):
    armour = ARMOUR_FAR if far else ARMOUR
    suit = SUIT_FAR if far else SUIT
    trim = TRIM_FAR if far else TRIM
    thigh = Part()
    thigh.capsule(hip, knee, 2.5, suit)
    place(canvas, thigh, separate=not far)
    boot = Part()
    a = math.radians(foot_angle)
    d = (math.cos(a), math.sin(a))
    heel = (ankle[0] - 1.0 * d[0], ankle[1] - 1.0 * d[1] + 1.0)
    toe = (ankle[0] + 4.2 * d[0], ankle[1] + 4.2 * d[1] + 1.0)
    boot.capsule(heel, toe, 2.5, armour)
    shin = Part()
    top = lerp(knee, ankle, 0.1)
    shin.capsule(top, ankle, 3.0, armour)
    cuff = int(round(top[1] - 0.5))
    recolour(shin, {cuff - 1, cuff}, armour, trim)
    boot.px.update(shin.px)
    # The sole: the lowest pixel of every foot column.
    lowest = {}
    for (x, y) in boot.px:
        if y > lowest.get(x, -1):
            lowest[x] = y
    for x, y in lowest.items():
        if y > ankle[1] + 1.5:
            boot.put(x, y, armour[0])
    place(canvas, boot, separate=not far)


def arm(canvas, shoulder, elbow, hand, far, kind="fist"):
    armour = ARMOUR_FAR if far else ARMOUR
    suit = SUIT_FAR if far else SUIT
    trim = TRIM_FAR if far else TRIM
    upper = Part()
    upper.capsule(shoulder, elbow, 1.9, suit)
    place(canvas, upper, separate=not far)
    fore = Part()
    if kind == "cannon":
        # The arm becomes the cannon: a barrel from the elbow to the muzzle.
        fore.capsule(elbow, hand, 3.0, armour)
        vx, vy = hand[0] - elbow[0], hand[1] - elbow[1]
        n = math.hypot(vx, vy) or 1.0
        ux, uy = vx / n, vy / n
        ring = (hand[0] - 2.6 * ux, hand[1] - 2.6 * uy)
        fore.capsule(ring, (hand[0] - 1.2 * ux, hand[1] - 1.2 * uy), 3.3, trim)
        tip = (round(hand[0] + 1.6 * ux - 0.5), round(hand[1] + 1.6 * uy - 0.5))
        fore.put(tip[0], tip[1], "e")
        fore.put(tip[0] - round(ux), tip[1] - round(uy), "e")
        fore.put(tip[0] + round(uy), tip[1] - round(ux), "o")
        fore.put(tip[0] - round(uy), tip[1] + round(ux), "o")
    else:
        fore.capsule(elbow, hand, 2.7, armour)
        w = lerp(elbow, hand, 0.75)
        recolour(fore, {int(w[1]), int(w[1]) - 1} if abs(hand[1] - elbow[1]) > abs(hand[0] - elbow[0])
                 else set(range(64)), armour, armour)
        if kind == "fist":
            fore.disc(hand[0] + 0.2, hand[1] + 0.8, 2.0, trim)
    place(canvas, fore, separate=not far)
    pad = Part()
    pad.disc(shoulder[0], shoulder[1] - 0.2, 3.0, armour)
    place(canvas, pad, separate=not far)


def head(canvas, x, y, face=None):
    part = Part()
    part.rows(HEAD, x, y)
    for (fx, fy), c in (face or {}).items():
        part.put(x + fx, y + fy, c)
    place(canvas, part, separate=True)


def torso(canvas, x, y):
    part = Part()
    part.rows(TORSO, x, y)
    place(canvas, part)


def ik(root, target, l1, l2, bend):
    """The middle joint of a two-bone limb from root to target. For a limb
    hanging down, bend +1 puts the joint behind (towards -x), -1 in front."""
    dx, dy = target[0] - root[0], target[1] - root[1]
    d = math.hypot(dx, dy)
    if d < 1e-6:
        return (root[0] + l1, root[1])
    d2 = min(d, l1 + l2 - 1e-3)
    a = (l1 * l1 - l2 * l2 + d2 * d2) / (2 * d2)
    h = math.sqrt(max(0.0, l1 * l1 - a * a))
    ux, uy = dx / d, dy / d
    mx, my = root[0] + a * ux, root[1] + a * uy
    return (mx - bend * h * uy, my + bend * h * ux)


THIGH, SHIN = 6.2, 5.6
UPPER_ARM, FOREARM = 4.2, 4.6
BARREL = 11.0


def compose(p, fire=False):
    """p: a pose. Returns the 64 x 64 cell.

    torso: top-left of the torso; head: offset of the head; face: eye pixels;
    far_leg / near_leg: (ankle x, ankle y, foot angle in degrees, toe down > 0);
    far_arm / near_arm: (hand x, hand y[, elbow bend, hand kind]);
    fire: (muzzle x, muzzle y) of the raised cannon in the firing sheet.
    """
    g = Grid(64, 64)
    tx, ty = p["torso"]
    sfar = add((tx, ty), TORSO_SHOULDER_FAR)
    snear = add((tx, ty), TORSO_SHOULDER_NEAR)
    hfar = add((tx, ty), TORSO_HIP_FAR)
    hnear = add((tx, ty), TORSO_HIP_NEAR)

    def arm_of(shoulder, limb, far):
        hand = (limb[0], limb[1])
        bend = limb[2] if len(limb) > 2 else 1
        kind = limb[3] if len(limb) > 3 else "fist"
        elbow = ik(shoulder, hand, UPPER_ARM, FOREARM, bend)
        arm(g, shoulder, elbow, hand, far, kind)

    def leg_of(hip, limb, far):
        ankle = (limb[0], limb[1])
        knee = ik(hip, ankle, THIGH, SHIN, -1 if len(limb) < 4 else limb[3])
        leg(g, hip, knee, ankle, limb[2], far)

    arm_of(sfar, p["far_arm"], True)
    leg_of(hfar, p["far_leg"], True)
    torso(g, tx, ty)
    leg_of(hnear, p["near_leg"], False)
    hx, hy = p.get("head", (0, 0))
    head(g, tx + TORSO_NECK[0] - HEAD_ANCHOR[0] + hx, ty + TORSO_NECK[1] - HEAD_ANCHOR[1] + hy,
         p.get("face"))
    if fire:
        tip = p.get("fire", (48.5, 40.5))
        elbow = (tip[0] - BARREL, tip[1])
        arm(g, snear, elbow, tip, False, "cannon")
    else:
        arm_of(snear, p["near_arm"], False)
    outline(g)
    return g


def pose(base=None, **changes):
    out = dict(base or {})
    out.update(changes)
    return out


GROUND = 54.5  # ankle height with the sole on y 59

STAND = dict(
    torso=(26, 35),
    far_arm=(27.5, 46.0, 1),
    near_arm=(38.0, 46.0, 1),
    far_leg=(29.5, GROUND, 0),
    near_leg=(35.0, GROUND, 0),
    fire=(48.5, 40.5),
)


def moved(p, dx, dy):
    """The pose with torso, hands and the raised cannon moved (legs stay)."""
    out = dict(p)
    out["torso"] = (p["torso"][0] + dx, p["torso"][1] + dy)
    for key in ("far_arm", "near_arm"):
        a = p[key]
        out[key] = (a[0] + dx, a[1] + dy) + tuple(a[2:])
    out["fire"] = (p["fire"][0] + dx, p["fire"][1] + dy)
    return out


def walk_frame(k, frames=10, stride=5.5, lift=3.5):
    """One frame of the walk cycle: legs swing opposite each other, arms
    opposite the legs, the body is lowest when the legs are spread."""
    phase = 2 * math.pi * k / frames

    def foot(ph, cx):
        x = cx + stride * math.cos(ph)
        up = max(0.0, -math.sin(ph)) * lift
        # Toes point down just after leaving the ground, up before landing.
        angle = 28 * max(0.0, -math.sin(ph)) * (1 if math.cos(ph) < 0 else -0.4)
        return (x, GROUND - up, angle)

    near = foot(phase, 33.5)
    far = foot(phase + math.pi, 31.0)
    bob = round(abs(math.cos(phase)) * 1.0)
    p = moved(STAND, 1, bob)
    swing = 2.5 * math.cos(phase)
    p["near_arm"] = (38.0 + 1 - swing, 46.0 + bob - abs(swing) * 0.2, 1)
    p["far_arm"] = (27.5 + 1 + swing, 46.0 + bob - abs(swing) * 0.2, 1)
    p["near_leg"] = near
    p["far_leg"] = far
    return p


def animations():
    """(name, delays, loop frame, [poses]) in sheet order."""
    anims = []
    breath = moved(STAND, 0, 1)
    anims.append(("Stand", [90, 5, 30], 0, [STAND, pose(STAND, face=BLINK), breath]))

    anims.append(("BeginWalk", [4, 4], 0, [
        pose(moved(STAND, 1, 0), near_leg=(36.0, GROUND - 1.5, -8), near_arm=(38.0, 45.5, 1)),
        pose(moved(STAND, 1, 1), near_leg=(38.0, GROUND - 1.0, -10), far_leg=(29.0, GROUND, 12),
             near_arm=(37.0, 46.0, 1), far_arm=(29.5, 46.0, 1)),
    ]))

    anims.append(("Walk", [2] * 10, 0, [walk_frame(k) for k in range(10)]))

    rise = pose(STAND, far_arm=(26.0, 40.0, 1), near_arm=(39.5, 41.0, 1))
    anims.append(("Jump", [2, 3, 0], 2, [
        pose(moved(STAND, 0, -1), far_leg=(30.0, GROUND + 1.5, 40), near_leg=(34.5, GROUND + 1.0, 35),
             far_arm=(27.0, 44.0, 1), near_arm=(39.0, 44.0, 1)),
        pose(rise, far_leg=(29.0, GROUND + 0.5, 30), near_leg=(38.0, GROUND - 4.0, 20)),
        pose(rise, far_leg=(30.0, GROUND - 1.0, 35), near_leg=(38.5, GROUND - 5.5, 15),
             far_arm=(25.5, 39.0, 1), near_arm=(40.0, 40.0, 1)),
    ]))

    anims.append(("Fall", [4, 0], 1, [
        pose(rise, far_leg=(30.5, GROUND, 25), near_leg=(37.5, GROUND - 2.5, 20)),
        pose(STAND, far_leg=(29.0, GROUND + 1.0, 30), near_leg=(36.5, GROUND - 1.0, 22),
             far_arm=(25.5, 41.0, 1), near_arm=(40.0, 42.0, 1)),
    ]))

    anims.append(("Land", [2, 3], 0, [
        pose(moved(STAND, 0, 3), far_leg=(29.0, GROUND, 0), near_leg=(36.0, GROUND, 0), head=(0, 0)),
        pose(moved(STAND, 0, 1), far_leg=(29.5, GROUND, 0), near_leg=(35.5, GROUND, 0)),
    ]))

    def dash(dx, dy, near, far, tip, arms):
        p = pose(moved(STAND, dx, dy), near_leg=near, far_leg=far)
        p["fire"] = tip
        p["near_arm"], p["far_arm"] = arms
        return p

    anims.append(("Dash", [3, 2, 4, 0], 3, [
        dash(3, 1, (37.0, GROUND, 0), (29.0, GROUND, 10), (57.5, 40.5),
             ((40.5, 46.0, 1), (27.5, 45.0, 1))),
        dash(5, 3, (40.0, GROUND, 0), (27.0, GROUND, 20), (59.5, 40.5),
             ((41.0, 48.0, 1), (28.0, 46.0, 1))),
        dash(8, 7, (47.0, GROUND, -5), (29.0, GROUND + 1.0, 40), (60.0, 50.5),
             ((45.0, 51.0, 1), (30.5, 50.0, 1))),
        dash(9, 9, (48.0, GROUND, -5), (29.0, GROUND + 1.5, 50), (60.5, 54.5),
             ((46.0, 53.0, 1), (31.0, 52.5, 1))),
    ]))

    anims.append(("DashEnd", [3, 3, 4], 0, [
        dash(6, 5, (43.0, GROUND, 0), (28.0, GROUND, 25), (56.5, 46.5),
             ((42.0, 50.0, 1), (26.0, 46.0, 1))),
        dash(3, 3, (38.0, GROUND, 0), (28.0, GROUND, 10), (52.5, 43.5),
             ((40.5, 48.0, 1), (27.0, 46.0, 1))),
        dash(1, 1, (36.0, GROUND, 0), (29.5, GROUND, 0), (50.0, 41.5),
             ((39.0, 47.0, 1), (27.5, 46.0, 1))),
    ]))

    # The wall is on the right in the first frame (turning into it) and behind,
    # on the left, from then on (the hero faces away from it).
    grab = pose(moved(STAND, 2, 0), near_arm=(41.0, 38.0, 1), far_arm=(37.0, 40.0, 1),
                near_leg=(38.0, GROUND - 3.0, -10), far_leg=(33.0, GROUND + 0.5, 20))
    stick = pose(moved(STAND, 0, 0), far_arm=(24.5, 36.0, -1), near_arm=(38.5, 44.0, 1),
                 far_leg=(26.0, GROUND - 1.0, -30, -1), near_leg=(36.0, GROUND - 4.5, 25))
    slide_a = pose(moved(STAND, 0, 1), far_arm=(24.5, 35.0, -1), near_arm=(38.5, 45.0, 1),
                   far_leg=(25.5, GROUND, -35, -1), near_leg=(35.5, GROUND - 5.0, 25))
    slide_b = pose(moved(STAND, 0, 2), far_arm=(24.5, 36.0, -1), near_arm=(38.5, 46.0, 1),
                   far_leg=(25.5, GROUND + 0.5, -35, -1), near_leg=(35.5, GROUND - 4.0, 25))
    anims.append(("Slide", [2, 2, 3, 4, 4], 3, [
        grab, pose(stick, torso=(25, 35), head=(-1, 0)), stick, slide_a, slide_b]))

    kick = pose(moved(STAND, -1, 0), near_leg=(40.0, GROUND - 3.0, -35), far_leg=(28.5, GROUND - 5.0, 30),
                far_arm=(25.0, 39.0, 1), near_arm=(36.0, 39.0, 1))
    tuck = pose(moved(STAND, -1, 0), near_leg=(36.0, GROUND - 5.0, 15), far_leg=(29.0, GROUND - 4.0, 30),
                far_arm=(25.5, 41.0, 1), near_arm=(38.0, 42.0, 1))
    anims.append(("SlideJump", [4, 0], 1, [kick, tuck]))

    hurt = pose(moved(STAND, -2, 1), head=(-1, 1), face=WINCE, far_arm=(22.5, 40.0, 1), near_arm=(35.0, 39.0, 1),
                far_leg=(28.0, GROUND, 0), near_leg=(35.5, GROUND - 2.0, 20))
    hurt2 = pose(moved(STAND, -1, 2), head=(-1, 1), face=WINCE, far_arm=(24.0, 42.0, 1), near_arm=(37.0, 41.0, 1),
                 far_leg=(28.0, GROUND, 0), near_leg=(35.0, GROUND, 0))
    anims.append(("Hurt", [4, 4, 4], 1, [hurt, hurt2, pose(hurt, face=WINCE)]))

    anims.append(("BeginFire", [2, 2], 0, [
        pose(STAND, near_arm=(41.0, 43.0, 1)),
        pose(STAND, near_arm=(43.5, 41.0, 1)),
    ]))
    anims.append(("FireStand", [34], 0, [pose(STAND, near_arm=(41.5, 44.0, 1))]))
    anims.append(("FireRecoil", [3, 6, 25], 0, [
        pose(moved(STAND, -2, 0), fire=(46.5, 38.5), near_arm=(42.0, 40.0, 1),
             far_leg=(27.0, GROUND, 0), near_leg=(35.0, GROUND, 0), face=BLINK),
        pose(moved(STAND, -1, 0), fire=(47.5, 39.5), near_arm=(42.0, 42.0, 1),
             far_leg=(28.0, GROUND, 0), near_leg=(35.0, GROUND, 0)),
        pose(STAND, near_arm=(41.5, 44.0, 1)),
    ]))
    return anims


def crop(g, x0, y0, w, h):
    out = Grid(w, h)
    for y in range(h):
        for x in range(w):
            out.set(x, y, g.get(x0 + x, y0 + y))
    return out


COLUMNS = 8


def write_sheets(game):
    anims = animations()
    poses = [(name, i, p) for name, _, _, ps in anims for i, p in enumerate(ps)]
    for sheet, fire, file_name, note in (
            ("Player\\Rook", False, "Rook.sprite", "The hero, Rook."),
            ("Player\\Rook Fire", True, "Rook Fire.sprite",
             "The hero firing: the same cells as Player\\Rook, the cannon raised forward\n"
             "to y 40 (the muzzle objects appear just in front of it).")):
        cells = [("%s %d" % (name, i), compose(p, fire)) for name, i, p in poses]
        write_sprite(os.path.join(game, "art", "Player", file_name),
                     note + "\nFrames are 64 x 64, facing right, the body centred on x 32, feet on y 60.\n"
                     "Cells follow the record order of data/objects/Player/Rook.anim.\n"
                     "Written by tools/art/rook.py; edit here or there.",
                     sheet, "indexed", (64, 64), COLUMNS, LEGEND, cells)
    lines = ["64 64 24 22 40 60"]
    for name, delays, loop, ps in anims:
        d = delays[0] if len(set(delays)) == 1 and len(delays) > 1 else "[" + " ".join(map(str, delays)) + "]"
        if len(delays) == 1:
            d = str(delays[0])
        lines.append("%s %d %s %d" % (name, len(ps), d, loop))
    # The firing set only lends its texture, but it is a set of its own and
    # is described like the normal one.
    for name in ("Rook.anim", "Rook Fire.anim"):
        with open(os.path.join(game, "data", "objects", "Player", name), "w") as out:
            out.write("\n".join(lines) + "\n")


if __name__ == "__main__" and not (len(sys.argv) > 1 and sys.argv[1] == "--try"):
    game_dir = sys.argv[1] if len(sys.argv) > 1 else "game"
    os.makedirs(os.path.join(game_dir, "art", "Player"), exist_ok=True)
    os.makedirs(os.path.join(game_dir, "data", "objects", "Player"), exist_ok=True)
    write_sheets(game_dir)

if __name__ == "__main__" and len(sys.argv) > 1 and sys.argv[1] == "--try":
    # A close look at some animations: python3 tools/art/rook.py --try Walk Dash
    wanted = sys.argv[2:]
    cells = []
    for name, _, _, ps in animations():
        if name in wanted:
            cells += [(name, crop(compose(p), 10, 14, 50, 48)) for p in ps]
            cells += [(name, crop(compose(p, True), 10, 14, 50, 48)) for p in ps]
    write_sprite("/tmp/try.sprite", "try", "Try", "indexed", (50, 48), 10, LEGEND, cells)
