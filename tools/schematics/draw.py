#!/usr/bin/env python3
"""Draws the twelve stage schematics of the result report.

Each picture is built in code from a few primitives (resistor, capacitor, op-amp, ground, wire,
junction dot, terminal, label). Before a picture is written, its wiring is traced and compared
with the stage's netlist (the same nodes the Spice export writes), and labels are checked for
overlaps, so a drawing cannot silently lose a connection.

Regenerate after changing this script (from the repository root; needs python3 and rsvg-convert,
Debian package librsvg2-bin):

    python3 tools/schematics/draw.py

This writes assets/schematics/<picture>.svg and .png. Commit both; the build embeds the PNG
files into the core library (cmake/embed_schematics.cmake), so building does not need this
script. The order of the pictures is the order of vx::SchematicPicture and of VX_SCHEMATICS in
CMakeLists.txt.
"""

import os
import subprocess
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
ASSET_DIR = os.path.join(ROOT, "assets", "schematics")

WIDTH, HEIGHT = 640, 320
FONT = "DejaVu Sans, Arial, sans-serif"
FONT_SIZE = 15
RES_LEN, RES_WID = 40, 14  # IEC resistor body
CAP_GAP, CAP_PLATE = 8, 26
OPAMP_LEN, OPAMP_HALF = 80, 40
INPUT_OFFSET = 20  # the op-amp inputs sit this far above and below its axis


class DrawingError(Exception):
    pass


class Sheet:
    """One picture: SVG elements plus what the wiring check needs."""

    def __init__(self, name):
        self.name = name
        self.under = []  # wires and leads, drawn below everything else
        self.svg = []
        self.segments = []  # wires as ((x1, y1), (x2, y2)), axis-parallel
        self.pins = []  # (part, pin, point)
        self.dots = set()
        self.labels = []  # (text, x0, y0, x1, y1) approximate boxes
        self.obstacles = []  # boxes of bodies and leads, labels must keep clear

    # primitives ---------------------------------------------------------------------------

    def wire(self, *points):
        for a, b in zip(points, points[1:]):
            if a[0] != b[0] and a[1] != b[1]:
                raise DrawingError(f"{self.name}: wire {a}-{b} is not axis-parallel")
            self.segments.append((a, b))
            self._line(a, b)

    def dot(self, p):
        self.dots.add(p)
        self.svg.append(f'<circle cx="{p[0]}" cy="{p[1]}" r="3.5" fill="black"/>')

    def resistor(self, part, a, b, label=None, side=None):
        c, axis = self._two_pole(part, a, b, RES_LEN)
        w, h = (RES_LEN, RES_WID) if axis == "h" else (RES_WID, RES_LEN)
        x0, y0 = c[0] - w / 2, c[1] - h / 2
        self.svg.append(f'<rect x="{x0}" y="{y0}" width="{w}" height="{h}" fill="white" '
                        f'stroke="black" stroke-width="2"/>')
        self.obstacles.append((x0, y0, x0 + w, y0 + h))
        self._part_label(label or part, c, w, h, axis, side)

    def capacitor(self, part, a, b, label=None, side=None):
        c, axis = self._two_pole(part, a, b, CAP_GAP)
        g, p = CAP_GAP / 2, CAP_PLATE / 2
        if axis == "h":
            plates = [((c[0] - g, c[1] - p), (c[0] - g, c[1] + p)),
                      ((c[0] + g, c[1] - p), (c[0] + g, c[1] + p))]
            w, h = CAP_GAP, CAP_PLATE
        else:
            plates = [((c[0] - p, c[1] - g), (c[0] + p, c[1] - g)),
                      ((c[0] - p, c[1] + g), (c[0] + p, c[1] + g))]
            w, h = CAP_PLATE, CAP_GAP
        for s, e in plates:
            self._line(s, e, width=3, on_top=True)
        self.obstacles.append((c[0] - w / 2, c[1] - h / 2, c[0] + w / 2, c[1] + h / 2))
        self._part_label(label or part, c, w + 4, h + 4, axis, side)

    def opamp(self, x, y, plus_on_top):
        """Triangle with its inputs on the left edge at x and its output tip at the right."""
        top, bottom, tip = (x, y - OPAMP_HALF), (x, y + OPAMP_HALF), (x + OPAMP_LEN, y)
        self.svg.append(f'<polygon points="{top[0]},{top[1]} {bottom[0]},{bottom[1]} '
                        f'{tip[0]},{tip[1]}" fill="white" stroke="black" stroke-width="2"/>')
        self.obstacles.append((x, y - OPAMP_HALF, x + OPAMP_LEN, y + OPAMP_HALF))
        upper, lower = (x, y - INPUT_OFFSET), (x, y + INPUT_OFFSET)
        plus, minus = (upper, lower) if plus_on_top else (lower, upper)
        # Signs drawn as strokes so they do not depend on the font.
        self._line((x + 7, plus[1]), (x + 17, plus[1]), on_top=True)
        self._line((x + 12, plus[1] - 5), (x + 12, plus[1] + 5), on_top=True)
        self._line((x + 7, minus[1]), (x + 17, minus[1]), on_top=True)
        self.pins += [("OP", "+", plus), ("OP", "-", minus), ("OP", "out", tip)]
        return plus, minus, tip

    def ground(self, p):
        x, y = p
        self._line(p, (x, y + 12))
        for i, half in enumerate((12, 8, 4)):
            self._line((x - half, y + 12 + 4 * i), (x + half, y + 12 + 4 * i), on_top=True)
        self.obstacles.append((x - 12, y, x + 12, y + 22))
        self.pins.append(("GND", str(len(self.pins)), p))

    def terminal(self, p, text, on_left):
        self.pins.append((text, "t", p))
        self.svg.append(f'<circle cx="{p[0]}" cy="{p[1]}" r="4.5" fill="white" stroke="black" '
                        f'stroke-width="2"/>')
        self.obstacles.append((p[0] - 5, p[1] - 5, p[0] + 5, p[1] + 5))
        if on_left:
            self.label(text, p[0] - 10, p[1] + 5, "end")
        else:
            self.label(text, p[0] + 10, p[1] + 5, "start")

    def label(self, text, x, baseline, anchor="middle"):
        width = 0.62 * FONT_SIZE * len(text)
        x0 = {"start": x, "middle": x - width / 2, "end": x - width}[anchor]
        self.labels.append((text, x0, baseline - 0.75 * FONT_SIZE, x0 + width, baseline))
        self.svg.append(f'<text x="{x}" y="{baseline}" text-anchor="{anchor}">{text}</text>')

    # helpers ------------------------------------------------------------------------------

    def _line(self, a, b, width=2, on_top=False):
        layer = self.svg if on_top else self.under
        layer.append(f'<line x1="{a[0]}" y1="{a[1]}" x2="{b[0]}" y2="{b[1]}" '
                     f'stroke="black" stroke-width="{width}" stroke-linecap="square"/>')

    def _two_pole(self, part, a, b, body):
        if a[0] != b[0] and a[1] != b[1]:
            raise DrawingError(f"{self.name}: {part} is not axis-parallel")
        axis = "h" if a[1] == b[1] else "v"
        length = abs(b[0] - a[0]) + abs(b[1] - a[1])
        if length < body + 12:
            raise DrawingError(f"{self.name}: {part} has no room for its leads")
        c = ((a[0] + b[0]) / 2, (a[1] + b[1]) / 2)
        ux, uy = (b[0] - a[0]) / length, (b[1] - a[1]) / length
        s = (c[0] - ux * body / 2, c[1] - uy * body / 2)
        e = (c[0] + ux * body / 2, c[1] + uy * body / 2)
        for p, q in ((a, s), (e, b)):
            self._line(p, q)
            self.obstacles.append((min(p[0], q[0]), min(p[1], q[1]), max(p[0], q[0]),
                                   max(p[1], q[1])))
        self.pins += [(part, "1", a), (part, "2", b)]
        return c, axis

    def _part_label(self, text, c, w, h, axis, side):
        side = side or ("above" if axis == "h" else "right")
        x, y = c
        if side == "above":
            self.label(text, x, y - h / 2 - 6)
        elif side == "below":
            self.label(text, x, y + h / 2 + 6 + 0.75 * FONT_SIZE)
        elif side == "right":
            self.label(text, x + w / 2 + 7, y + 0.37 * FONT_SIZE, "start")
        else:
            self.label(text, x - w / 2 - 7, y + 0.37 * FONT_SIZE, "end")

    def document(self):
        head = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}" '
                f'viewBox="0 0 {WIDTH} {HEIGHT}" font-family="{FONT}" font-size="{FONT_SIZE}">\n'
                f'<rect width="{WIDTH}" height="{HEIGHT}" fill="white"/>\n')
        # Wires first, so the white bodies of parts hide the wire behind them.
        return head + "\n".join(self.under + self.svg) + "\n</svg>\n"


# wiring and layout check ------------------------------------------------------------------


def on_interior(p, seg):
    (x1, y1), (x2, y2) = seg
    if x1 == x2 == p[0]:
        return min(y1, y2) < p[1] < max(y1, y2)
    if y1 == y2 == p[1]:
        return min(x1, x2) < p[0] < max(x1, x2)
    return False


def check(sheet, expected):
    """Traces the wires and compares the nets with `expected` {part: {pin: node}}."""
    name = sheet.name
    parent = {}

    def find(p):
        parent.setdefault(p, p)
        while parent[p] != p:
            parent[p] = parent[parent[p]]
            p = parent[p]
        return p

    def union(a, b):
        parent[find(a)] = find(b)

    ends = {}
    for a, b in sheet.segments:
        union(a, b)
        for p in (a, b):
            ends[p] = ends.get(p, 0) + 1
    for _, _, p in sheet.pins:
        find(p)
        ends[p] = ends.get(p, 0) + 1
    for p in list(ends):
        for seg in sheet.segments:
            if on_interior(p, seg):
                if p not in sheet.dots:
                    raise DrawingError(f"{name}: {p} touches a wire without a junction dot")
                union(p, seg[0])
                ends[p] += 2
    for p, n in ends.items():
        if n == 1:
            raise DrawingError(f"{name}: open end at {p}")
        if n >= 3 and p not in sheet.dots:
            raise DrawingError(f"{name}: junction at {p} needs a dot")
        if n == 2 and p in sheet.dots:
            raise DrawingError(f"{name}: dot at {p} joins only two ends")
    for i, s in enumerate(sheet.segments):
        for t in sheet.segments[i + 1:]:
            if crossing(s, t):
                raise DrawingError(f"{name}: wires {s} and {t} cross")

    node_of = {}
    seen = {}
    for part, pin, p in sheet.pins:
        node = "0" if part == "GND" else expected.get(part, {}).get(pin)
        if node is None:
            raise DrawingError(f"{name}: {part} pin {pin} is not in the netlist")
        root = find(p)
        # Ground symbols join implicitly; every other node must be one drawn net.
        if node != "0" and node_of.setdefault(node, root) != root:
            raise DrawingError(f"{name}: node {node} is split")
        if seen.setdefault(root, node) != node:
            raise DrawingError(f"{name}: nodes {node} and {seen[root]} are shorted")
    drawn = {(part, pin) for part, pin, _ in sheet.pins}
    for part, pins in expected.items():
        for pin in pins:
            if (part, pin) not in drawn:
                raise DrawingError(f"{name}: {part} pin {pin} is missing")

    boxes = sheet.labels
    for i, a in enumerate(boxes):
        if a[1] < 2 or a[2] < 2 or a[3] > WIDTH - 2 or a[4] > HEIGHT - 2:
            raise DrawingError(f"{name}: label {a[0]} leaves the picture")
        for b in boxes[i + 1:]:
            if overlap(a[1:], b[1:], 2):
                raise DrawingError(f"{name}: labels {a[0]} and {b[0]} overlap")
        for box in sheet.obstacles:
            if overlap(a[1:], box, 2):
                raise DrawingError(f"{name}: label {a[0]} covers a part")
        for s, e in sheet.segments:
            wire_box = (min(s[0], e[0]), min(s[1], e[1]), max(s[0], e[0]), max(s[1], e[1]))
            if overlap(a[1:], wire_box, 3):
                raise DrawingError(f"{name}: label {a[0]} covers a wire")


def crossing(s, t):
    (a, b), (c, d) = s, t
    if (a[0] == b[0]) == (c[0] == d[0]):
        return False
    if a[0] != b[0]:
        (a, b), (c, d) = (c, d), (a, b)
    x, y = a[0], c[1]
    return (min(a[1], b[1]) < y < max(a[1], b[1])) and (min(c[0], d[0]) < x < max(c[0], d[0]))


def overlap(a, b, margin):
    return not (a[2] + margin <= b[0] or b[2] + margin <= a[0] or
                a[3] + margin <= b[1] or b[3] + margin <= a[1])


# circuits ---------------------------------------------------------------------------------


def two_pole(sheet, kind, part, a, b, side=None, label=None):
    draw = sheet.resistor if kind == "R" else sheet.capacitor
    draw(part, a, b, label=label, side=side)


def amplifier_feedback(sheet, minus, o, gain_parts):
    """Follower wire, or the divider (upper part output to minus, lower part minus to ground)."""
    x_turn, y_low = minus[0] - 22, 240
    corner = (o[0], y_low)
    if gain_parts is None:
        sheet.wire(minus, (x_turn, minus[1]), (x_turn, y_low), corner, o)
        return
    upper, lower = gain_parts
    m = (minus[0] + 45, y_low)
    sheet.wire(minus, (x_turn, minus[1]), (x_turn, y_low), m)
    sheet.dot(m)
    sheet.resistor(upper, m, corner)
    sheet.wire(corner, o)
    sheet.resistor(lower, m, (m[0], y_low + 54), side="left")
    sheet.ground((m[0], y_low + 54))


def output(sheet, tip, o):
    sheet.wire(tip, o, (600, o[1]))
    sheet.terminal((600, o[1]), "Ua", on_left=False)


def sallen_key(name, series1, series2, shunt, feedback, gain_parts):
    """Second-order Sallen-Key stage: two series parts, shunt at the + input, feedback."""
    s = Sheet(name)
    y = 130
    ue, a, b = (40, y), (180, y), (300, y)
    plus, minus, tip = s.opamp(370, y + INPUT_OFFSET, plus_on_top=True)
    o = (510, tip[1])
    s.terminal(ue, "Ue", on_left=True)
    two_pole(s, *series1, ue, a, side="below")
    two_pole(s, *series2, a, b, side="below")
    two_pole(s, *shunt, b, (b[0], 210), side="left")
    s.ground((b[0], 210))
    s.wire(b, plus)
    s.wire(a, (a[0], 50))
    two_pole(s, *feedback, (a[0], 50), (o[0], 50))
    s.wire((o[0], 50), o)
    output(s, tip, o)
    amplifier_feedback(s, minus, o, gain_parts)
    for p in (a, b, o):
        s.dot(p)
    return s


def sallen_key_x(name, series, shunts, feedback, gain_parts):
    """Third-order stage: RC section, then a Sallen-Key section, one op-amp."""
    s = Sheet(name)
    y = 130
    ue, a, b, p = (40, y), (140, y), (240, y), (340, y)
    plus, minus, tip = s.opamp(400, y + INPUT_OFFSET, plus_on_top=True)
    o = (530, tip[1])
    s.terminal(ue, "Ue", on_left=True)
    for part, start, end in zip(series, (ue, a, b), (a, b, p)):
        two_pole(s, *part, start, end, side="below")
    for part, node in zip(shunts, (a, p)):
        two_pole(s, *part, node, (node[0], 210), side="left")
        s.ground((node[0], 210))
    s.wire(p, plus)
    s.wire(b, (b[0], 50))
    two_pole(s, *feedback, (b[0], 50), (o[0], 50))
    s.wire((o[0], 50), o)
    output(s, tip, o)
    amplifier_feedback(s, minus, o, gain_parts)
    for q in (a, b, p, o):
        s.dot(q)
    return s


def multiple_feedback(name, series, shunt, inner, inner_feedback, outer_feedback):
    """Inverting stage: series part into node A, A to ground, A to the - input, two feedbacks."""
    s = Sheet(name)
    y = 150
    ue, a, n = (40, y), (180, y), (320, y)
    plus, minus, tip = s.opamp(390, y + INPUT_OFFSET, plus_on_top=False)
    o = (530, tip[1])
    s.terminal(ue, "Ue", on_left=True)
    two_pole(s, *series, ue, a, side="below")
    two_pole(s, *shunt, a, (a[0], 240), side="left")
    s.ground((a[0], 240))
    two_pole(s, *inner, a, n, side="below")
    s.wire(n, minus)
    s.wire(plus, (plus[0] - 20, plus[1]), (plus[0] - 20, plus[1] + 22))
    s.ground((plus[0] - 20, plus[1] + 22))
    s.wire(n, (n[0], 95))
    two_pole(s, *inner_feedback, (n[0], 95), (o[0], 95))
    s.wire(a, (a[0], 40))
    two_pole(s, *outer_feedback, (a[0], 40), (o[0], 40))
    s.wire((o[0], 40), (o[0], 95), o)
    output(s, tip, o)
    for q in (a, n, o, (o[0], 95)):
        s.dot(q)
    return s


def twin_t(name):
    """Notch: twin-T into the + input, R2 and the divider driven by the output."""
    s = Sheet(name)
    y_top, y_bottom, y = 80, 210, 145
    ue, j, b = (40, y), (80, y), (320, y)
    yn, xn = (200, y_top), (200, y_bottom)
    plus, minus, tip = s.opamp(390, y + INPUT_OFFSET, plus_on_top=True)
    o = (530, tip[1])
    s.terminal(ue, "Ue", on_left=True)
    s.wire(ue, j)
    s.wire((j[0], y_top), j, (j[0], y_bottom))
    s.capacitor("C1a", (j[0], y_top), yn, label="C1", side="below")
    s.capacitor("C1b", yn, (b[0], y_top), label="C1", side="below")
    s.resistor("R1a", (j[0], y_bottom), xn, label="R1")
    s.resistor("R1b", xn, (b[0], y_bottom), label="R1")
    s.wire((b[0], y_top), b, (b[0], y_bottom))
    s.capacitor("C2", xn, (xn[0], 270), side="right")
    s.ground((xn[0], 270))
    s.wire(yn, (yn[0], 35))
    s.resistor("R2", (yn[0], 35), (400, 35))
    s.wire((400, 35), (o[0], 35), o)
    s.wire(b, plus)
    output(s, tip, o)
    amplifier_feedback(s, minus, o, ("R3", "R4"))
    for q in (j, b, yn, xn, o):
        s.dot(q)
    return s


# netlists (nodes as the Spice export numbers them: in, a = b-1, b, p = b+2, m, out) ----------


def two_poles(*rows):
    return {part: {"1": n1, "2": n2} for part, n1, n2 in rows}


def with_amplifier(parts, plus, gain_parts):
    net = dict(parts)
    net["Ue"] = {"t": "in"}
    net["Ua"] = {"t": "out"}
    if gain_parts is None:
        net["OP"] = {"+": plus, "-": "out", "out": "out"}
    else:
        net["OP"] = {"+": plus, "-": "m", "out": "out"}
        net.update(two_poles((gain_parts[0], "m", "out"), (gain_parts[1], "m", "0")))
    return net


def sk_netlist(lowpass, gain_parts):
    if lowpass:
        parts = two_poles(("R1", "in", "a"), ("R2", "a", "b"), ("C1", "b", "0"), ("C2", "a", "out"))
    else:
        parts = two_poles(("R1", "b", "0"), ("R2", "a", "out"), ("C1", "in", "a"), ("C2", "a", "b"))
    return with_amplifier(parts, "b", gain_parts)


def skx_netlist(lowpass, gain_parts):
    if lowpass:
        parts = two_poles(("R1", "in", "a"), ("R2", "a", "b"), ("R3", "b", "p"),
                          ("C1", "a", "0"), ("C2", "p", "0"), ("C3", "b", "out"))
    else:
        parts = two_poles(("C1", "in", "a"), ("C2", "a", "b"), ("C3", "b", "p"),
                          ("R1", "a", "0"), ("R3", "p", "0"), ("R2", "b", "out"))
    return with_amplifier(parts, "p", gain_parts)


def mfb_netlist(rows):
    net = two_poles(*rows)
    net.update({"Ue": {"t": "in"}, "Ua": {"t": "out"}, "OP": {"+": "0", "-": "b", "out": "out"}})
    return net


SK_GAIN, SKX_GAIN = ("R3", "R4"), ("R4", "R5")


def pictures():
    """(file name, enumerator, sheet, netlist) in the order of the enum."""
    return [
        ("lp_sk", "LP_SK",
         sallen_key("lp_sk", ("R", "R1"), ("R", "R2"), ("C", "C1"), ("C", "C2"), None),
         sk_netlist(True, None)),
        ("lp_sk_amp", "LP_SK_AMP",
         sallen_key("lp_sk_amp", ("R", "R1"), ("R", "R2"), ("C", "C1"), ("C", "C2"), SK_GAIN),
         sk_netlist(True, SK_GAIN)),
        ("lp_skx", "LP_SKX",
         sallen_key_x("lp_skx", (("R", "R1"), ("R", "R2"), ("R", "R3")), (("C", "C1"), ("C", "C2")),
                      ("C", "C3"), None),
         skx_netlist(True, None)),
        ("lp_skx_amp", "LP_SKX_AMP",
         sallen_key_x("lp_skx_amp", (("R", "R1"), ("R", "R2"), ("R", "R3")),
                      (("C", "C1"), ("C", "C2")), ("C", "C3"), SKX_GAIN),
         skx_netlist(True, SKX_GAIN)),
        ("lp_mfb", "LP_MFB",
         multiple_feedback("lp_mfb", ("R", "R1"), ("C", "C2"), ("R", "R3"),
                           ("C", "C1"), ("R", "R2")),
         mfb_netlist([("R1", "in", "a"), ("R2", "a", "out"), ("R3", "a", "b"), ("C1", "b", "out"),
                      ("C2", "a", "0")])),
        ("hp_sk", "HP_SK",
         sallen_key("hp_sk", ("C", "C1"), ("C", "C2"), ("R", "R1"), ("R", "R2"), None),
         sk_netlist(False, None)),
        ("hp_sk_amp", "HP_SK_AMP",
         sallen_key("hp_sk_amp", ("C", "C1"), ("C", "C2"), ("R", "R1"), ("R", "R2"), SK_GAIN),
         sk_netlist(False, SK_GAIN)),
        ("hp_skx", "HP_SKX",
         sallen_key_x("hp_skx", (("C", "C1"), ("C", "C2"), ("C", "C3")), (("R", "R1"), ("R", "R3")),
                      ("R", "R2"), None),
         skx_netlist(False, None)),
        ("hp_skx_amp", "HP_SKX_AMP",
         sallen_key_x("hp_skx_amp", (("C", "C1"), ("C", "C2"), ("C", "C3")),
                      (("R", "R1"), ("R", "R3")), ("R", "R2"), SKX_GAIN),
         skx_netlist(False, SKX_GAIN)),
        ("hp_mfb", "HP_MFB",
         multiple_feedback("hp_mfb", ("C", "C1"), ("R", "R2"), ("C", "C3"),
                           ("R", "R1"), ("C", "C2")),
         mfb_netlist([("C1", "in", "a"), ("C2", "a", "out"), ("C3", "a", "b"), ("R1", "b", "out"),
                      ("R2", "a", "0")])),
        ("bp_mfb", "BP_MFB",
         multiple_feedback("bp_mfb", ("R", "R1"), ("R", "R2"), ("C", "C1"),
                           ("R", "R3"), ("C", "C2")),
         mfb_netlist([("R1", "in", "a"), ("R2", "a", "0"), ("R3", "b", "out"), ("C1", "a", "b"),
                      ("C2", "a", "out")])),
        ("br_tt", "BR_TT",
         twin_t("br_tt"),
         with_amplifier(two_poles(("R1a", "in", "x"), ("R1b", "x", "b"), ("C2", "x", "0"),
                                  ("C1a", "in", "y"), ("C1b", "y", "b"), ("R2", "y", "out")),
                        "b", ("R3", "R4"))),
    ]


# output -----------------------------------------------------------------------------------


def main():
    os.makedirs(ASSET_DIR, exist_ok=True)
    written = 0
    for file_name, _, sheet, netlist in pictures():
        check(sheet, netlist)
        svg_path = os.path.join(ASSET_DIR, file_name + ".svg")
        png_path = os.path.join(ASSET_DIR, file_name + ".png")
        with open(svg_path, "w", encoding="utf-8") as f:
            f.write(sheet.document())
        subprocess.run(["rsvg-convert", "--background-color=white", "-o", png_path, svg_path],
                       check=True)
        written += 1
    print(f"wrote {written} pictures to {os.path.relpath(ASSET_DIR, ROOT)}")


if __name__ == "__main__":
    try:
        main()
    except DrawingError as error:
        sys.exit(f"draw.py: {error}")
