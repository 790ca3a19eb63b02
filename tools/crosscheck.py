#!/usr/bin/env python3
"""Independent reference model of the batch tool: input phase, sizing, groups, plan actions, Design.

Written from the system's own rules (reader markers and cursor steps, corner-pressure sizing,
size groups, wheel resize, combined footings, column offsets, footing details, isolated footing
design, schedule texts), in plain Python with 32-bit floats emulated where the model keeps Single
values. It shares no code with the C++ core, so that a disagreement between the two points at a
fault in one of them (or at a place where the rules leave a choice).

  crosscheck.py ref FILE --sbc 200 --depth 1.5 [--actions A]      # the model's JSON
  crosscheck.py compare FILE --sbc 200 --depth 1.5 [--actions A]  # model versus ormevak-batch
  crosscheck.py sweep [--quick] [--summary] [--extra N]            # generated and crafted files
  crosscheck.py actions [--files N] [--seed S] [--summary]         # generated action scripts
  crosscheck.py selftest                                           # the rules' worked examples

Floats are compared as 32-bit values, texts exactly. Exit status of compare, sweep and actions:
0 when every compared field agrees, 1 otherwise.
"""
import argparse
import json
import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
from decimal import Decimal, ROUND_HALF_EVEN

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(HERE)
BATCH = os.environ.get("ORMEVAK_BATCH") or os.path.join(REPO, "build", "src", "ormevak-batch")
GEN = os.path.join(REPO, "tools", "gen_analysis.py")


# --------------------------------------------------------------------------------------------
# Numbers: Single emulation, rounding, number text
# --------------------------------------------------------------------------------------------

def f32(x):
    """The nearest 32-bit float, as a Python float."""
    return struct.unpack("f", struct.pack("f", x))[0]


def vround(x, n):
    """Round(x, n): n decimals, ties to even, computed in double."""
    p = 10.0 ** n
    return round(x * p) / p


def cint(x):
    """Real to integer, ties to even."""
    return int(round(x))


def cint16(x):
    v = cint(x)
    if v < -32768 or v > 32767:
        raise OverflowError("16-bit overflow: %r" % x)
    return v


def int_floor(x):
    return math.floor(x)


def _plain(dec):
    s = format(dec, "f")
    if "." in s:
        s = s.rstrip("0").rstrip(".")
    if s in ("-0", ""):
        s = "0"
    return s


def fmt_single(v):
    """Shortest plain decimal of a Single, at most 7 significant digits."""
    v = f32(v)
    if v == 0:
        return "0"
    if math.isnan(v) or math.isinf(v):
        return repr(v)
    d = Decimal(v)
    best = None
    for p in range(1, 8):
        q = d.quantize(Decimal(1).scaleb(d.adjusted() - p + 1), rounding=ROUND_HALF_EVEN)
        if f32(float(q)) == v:
            best = q
            break
    if best is None:
        best = d.quantize(Decimal(1).scaleb(d.adjusted() - 6), rounding=ROUND_HALF_EVEN)
    return _plain(best)


def fmt_int(v):
    return str(int(v))


# --------------------------------------------------------------------------------------------
# Text helpers of the reader
# --------------------------------------------------------------------------------------------

def read_number(s):
    """The number at the start of s; blanks (space, tab) skipped anywhere; 0 when none."""
    chars = [c for c in s]
    i, n = 0, len(chars)

    def skip(i):
        while i < n and chars[i] in " \t":
            i += 1
        return i

    out = ""
    i = skip(i)
    if i < n and chars[i] in "+-":
        out += chars[i]
        i += 1
    digits = 0
    while True:
        i = skip(i)
        if i < n and chars[i].isdigit() and chars[i] in "0123456789":
            out += chars[i]
            digits += 1
            i += 1
        else:
            break
    if i < n and chars[i] == ".":
        out += "."
        i += 1
        while True:
            i = skip(i)
            if i < n and chars[i] in "0123456789":
                out += chars[i]
                digits += 1
                i += 1
            else:
                break
    if digits == 0:
        return 0.0
    i = skip(i)
    if i < n and chars[i] in "EeDd":
        j = skip(i + 1)
        exp = "e"
        if j < n and chars[j] in "+-":
            exp += chars[j]
            j += 1
        ed = 0
        while True:
            j = skip(j)
            if j < n and chars[j] in "0123456789":
                exp += chars[j]
                ed += 1
                j += 1
            else:
                break
        if ed:
            out += exp
    mant = out
    if mant in ("+", "-", ".", "+.", "-."):
        return 0.0
    try:
        return float(mant.replace("+.", "+0.").replace("-.", "-0."))
    except ValueError:
        return float(re.sub(r"e.*$", "", mant) or 0)


def is_num_char(c):
    return 45 <= ord(c) <= 57


def skip_to_number(line, pos):
    """1-based: from pos, the first number character; stops at the line length."""
    n = len(line)
    p = pos
    while p < n and not is_num_char(line[p - 1]):
        p += 1
    return p


def skip_number(line, pos):
    n = len(line)
    p = pos
    while p < n and is_num_char(line[p - 1]):
        p += 1
    return p


def rest(line, pos):
    return line[pos - 1:] if pos >= 1 else line


def echo_skip(line):
    c = 1
    c = skip_to_number(line, c)
    c = skip_number(line, c)
    c = skip_to_number(line, c)
    return c


def value_after(line, marker):
    i = line.find(marker)
    if i < 0:
        # marker absent: the ten characters from position len(marker) (as a text search
        # that returned nothing would give); only reached by malformed blocks
        start = len(marker) - 1
        return read_number(line[max(start, 0):max(start, 0) + 10])
    start = i + len(marker)
    return read_number(line[start:start + 10])


# --------------------------------------------------------------------------------------------
# The model
# --------------------------------------------------------------------------------------------

class InputEnd(Exception):
    def __init__(self, message):
        super().__init__(message or "")
        self.message = message


class UsageError(Exception):
    pass


class Lines:
    def __init__(self, lines):
        self.lines = lines
        self.i = 0
        self.cur = ""

    def read(self):
        if self.i >= len(self.lines):
            return False
        self.cur = self.lines[self.i]
        self.i += 1
        return True


SHEAR_TABLE = [
    [0, 15, 20, 25, 30, 35, 40],
    [0.15, 0.28, 0.28, 0.29, 0.29, 0.29, 0.30],
    [0.25, 0.35, 0.36, 0.36, 0.37, 0.37, 0.38],
    [0.50, 0.46, 0.48, 0.49, 0.50, 0.50, 0.51],
    [0.75, 0.54, 0.56, 0.57, 0.59, 0.59, 0.60],
    [1.00, 0.60, 0.62, 0.64, 0.66, 0.67, 0.68],
    [1.25, 0.64, 0.67, 0.70, 0.71, 0.73, 0.74],
    [1.50, 0.68, 0.72, 0.74, 0.76, 0.78, 0.79],
    [1.75, 0.71, 0.75, 0.78, 0.80, 0.82, 0.84],
    [2.00, 0.71, 0.79, 0.82, 0.84, 0.86, 0.88],
    [2.25, 0.71, 0.81, 0.85, 0.88, 0.90, 0.92],
    [2.50, 0.71, 0.82, 0.88, 0.91, 0.93, 0.95],
    [2.75, 0.71, 0.82, 0.90, 0.94, 0.96, 0.98],
    [3.00, 0.71, 0.82, 0.92, 0.96, 0.99, 1.01],
]


def split_lines(data):
    """Lines end with LF or CR LF; a lone CR is part of its line."""
    text = data.decode("latin-1")
    parts = re.split(r"\r?\n", text)
    if parts and parts[-1] == "":
        parts.pop()
    return parts


def is_numeric_text(t):
    return re.fullmatch(r"\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*", t) is not None


class Model:
    def __init__(self, path):
        self.path = path
        self.messages = []
        self.unit_echo = 0
        self.unit = 0
        self.joints = [[0, 0, 0, 0]]
        self.joint_count = 0
        self.members = [[0, 0, 0]]
        self.member_count = 0
        self.beta = []
        self.columns = [None]
        self.beams = [None]
        self.sr = {}
        self.n_supports = 0
        self.captions = {}
        self.fck = 0
        self.fy = 0
        self.one_kn = set()

    # ---- reaction table access
    def sr_get(self, s, c, k):
        row = self.sr.get(s)
        if row is None:
            return 0.0
        return row[c][k]

    def dfy(self, s, c):
        # FORCE-Y as sizing and design take it: a case reported as pulling counts as 1 kN,
        # while the table keeps the value read
        if (s, c) in self.one_kn:
            return f32(1.0)
        return self.sr_get(s, c, 2)

    def sr_set(self, s, c, k, v):
        if s not in self.sr:
            self.sr[s] = [[0.0] * 5 for _ in range(36)]
        self.sr[s][c][k] = f32(v)

    def inform(self, text):
        self.messages.append(text)

    # ---- reader
    def read(self):
        with open(self.path, "rb") as fh:
            all_lines = split_lines(fh.read())

        src = Lines(all_lines)
        # length unit
        while True:
            if not src.read():
                raise InputEnd(None)
            if "UNIT" in src.cur:
                break
        p = src.cur.find("UNIT")
        four = src.cur[p + 5:p + 9]
        if four == "METE":
            self.unit = 1000
        elif four == "MMS ":
            self.unit = 1
        else:
            raise InputEnd(" Units Should be Meter or mm ")
        self.unit_echo = self.unit

        # joints
        while True:
            if not src.read():
                raise InputEnd(None)
            if "JOINT COORDINATES" in src.cur:
                break
        self.joint_count = 1
        self.joints = [[0, 0, 0, 0], [0, 0, 0, 0]]
        comp = 0
        ended_by_line = False
        while src.read():
            line = src.cur
            if read_number(line) == 0:
                continue
            cur = echo_skip(line)
            if cur == len(line):
                ended_by_line = True
                break
            line = line.replace(" ", "*").replace("\t", "*")
            end = len(line)
            if "E-" in line:
                pieces = ["0.0" if "E-" in pc else pc for pc in line.split("*")]
                line = "".join(pc + "*" for pc in pieces)
                end = len(line) - 1
            while cur < end:
                cur = skip_to_number(line, cur)
                if comp > 3:
                    self.joint_count += 1
                    self.joints.append([0, 0, 0, 0])
                    comp = 0
                v = read_number(rest(line, cur))
                if comp == 0:
                    self.joints[self.joint_count][0] = cint(v)
                else:
                    self.joints[self.joint_count][comp] = cint(v * self.unit)
                comp += 1
                cur = skip_number(line, cur)

        # members
        if not ended_by_line:
            raise InputEnd(None)
        if "MEMBER INCIDENCES" not in src.cur:
            while True:
                if not src.read():
                    raise InputEnd(None)
                if "MEMBER INCIDENCES" in src.cur:
                    break
        self.member_count = 1
        self.members = [[0, 0, 0], [0, 0, 0]]
        comp = 0
        eof = True
        while src.read():
            line = src.cur
            if read_number(line) == 0:
                continue
            cur = echo_skip(line)
            if cur == len(line):
                eof = False
                break
            line = line.replace(" ", "*").replace("\t", "*")
            end = len(line)
            while cur < end:
                cur = skip_to_number(line, cur)
                if comp > 2:
                    self.member_count += 1
                    self.members.append([0, 0, 0])
                    comp = 0
                v = read_number(rest(line, cur))
                self.members[self.member_count][comp] = cint(v)
                comp += 1
                cur = skip_number(line, cur)

        # BETA 90 members
        col_line_ready = False
        if not eof:
            done = False
            while not done:
                kw = 0
                while True:
                    if not src.read():
                        done = True
                        break
                    if "BETA 90 MEMB" in src.cur:
                        kw = 2
                        break
                    if "C O L U M N   N O." in src.cur:
                        kw = 3
                        break
                if done:
                    break
                if kw == 3:
                    col_line_ready = True
                    break
                line = src.cur.replace("BETA 90 MEMB", "")
                while True:
                    if read_number(line) == 0:
                        if not src.read():
                            done = True
                            break
                        line = src.cur
                        continue
                    cur = echo_skip(line)
                    if cur > 10 or cur == len(line):
                        break
                    line = line.replace(" ", "*").replace("\t", "*")
                    rng = line.find("*TO") + 1
                    while cur < len(line):
                        if rng > 0:
                            rng = line.find("*TO", rng - 1) + 1
                        cur = skip_to_number(line, cur)
                        if cur == len(line):
                            break
                        self.beta.append(cint(read_number(rest(line, cur))))
                        cur = skip_number(line, cur)
                        if cur == rng:
                            cur = skip_to_number(line, cur)
                            last = cint(read_number(rest(line, cur)))
                            while True:
                                self.beta.append(self.beta[-1] + 1)
                                if self.beta[-1] >= last:
                                    break
                            cur = skip_number(line, cur)
                            rng = cur
                    if not src.read():
                        done = True
                        break
                    line = src.cur

        # column design blocks
        cm = "C O L U M N   N O."
        found = col_line_ready
        while True:
            while not found:
                if not src.read():
                    break
                found = cm in src.cur
            if not found:
                break
            member = cint(value_after(src.cur, cm))
            while True:
                if not src.read():
                    raise RuntimeError("column block without LENGTH: at end of file")
                if "LENGTH:" in src.cur:
                    break
            ln = src.cur
            self.columns.append([member, cint(value_after(ln, "LENGTH:")),
                                 cint(value_after(ln, "CROSS SECTION:")),
                                 cint(value_after(ln, "X"))])
            found = False

        # beam design blocks (second opening)
        src = Lines(all_lines)
        bm = "B E A M  N O."
        while True:
            found = False
            while not found:
                if not src.read():
                    break
                found = bm in src.cur
            if not found:
                break
            member = f32(value_after(src.cur, bm))
            if member == 0:
                self.inform(src.cur)
            while True:
                if not src.read():
                    raise RuntimeError("beam block without LENGTH: at end of file")
                if "LENGTH:" in src.cur:
                    break
            ln = src.cur
            self.beams.append([member, f32(value_after(ln, "LENGTH:")),
                               f32(value_after(ln, "SIZE:")), f32(value_after(ln, "X"))])

        # support reactions (third opening)
        src = Lines(all_lines)
        s = 0
        c = 0
        found = False
        while src.read():
            if "SUPPORT REACTIONS -UNIT KN   METE" in src.cur:
                found = True
                break
        if found:
            while src.read():
                line = src.cur
                if "END OF LATEST ANALYSIS RESULT" in line:
                    break
                if read_number(line) == 0:
                    continue
                c += 1
                k = 0
                toggle = False
                line = line.replace(" ", "*").replace("\t", "*")
                cur = 1
                while cur < len(line):
                    cur = skip_to_number(line, cur)
                    v = f32(read_number(rest(line, cur)))
                    if cur <= 7:
                        s += 1
                        k = 0
                        c = 0
                        self.sr_set(s, 0, 0, v)
                    else:
                        toggle = not toggle
                        if toggle:
                            k += 1
                            self.sr_set(s, c, k, v)
                    cur = skip_number(line, cur)
        self.n_supports = s
        self.sr_set(0, 0, 0, float(s))
        if s == 0:
            raise InputEnd(" NO SUPPORT REACTIONS  (or) Units differ ")
        self.captions["supports"] = "SUPPORT REACTIONS :   " + fmt_int(s)
        self.captions["loadCases"] = "LOAD CASES :   " + fmt_int(c + 1)

        # grades (fourth opening)
        src = Lines(all_lines)
        found = False
        while src.read():
            if "START CONCRETE DESIGN" in src.cur:
                found = True
                break
        if not found:
            raise InputEnd("NO START CONCRETE DESIGN")
        fck = 0
        fy = 0
        while not (fck >= 1 and fy >= 1):
            if not src.read():
                break
            ln = src.cur
            if "UNIT MMS NEWTON" in ln:
                self.unit = 1
            elif "UNIT METER KN" in ln:
                self.unit = 1000
            elif "FYMAIN" in ln:
                fy = cint(read_number(ln[ln.find("FYMAIN") + 6:]))
            elif "FC" in ln:
                fck = cint(read_number(ln[ln.find("FC") + 2:]))
        try:
            self.fck = cint16(fck / self.unit)
            self.fy = cint16(fy / self.unit)
        except OverflowError:
            # a grade beyond a 16-bit Integer: a run-time fault of the input phase
            raise InputEnd(None)
        self.captions["grades"] = ("Fck " + fmt_int(self.fck) + "     Fe " + fmt_int(self.fy)
                                   + " N/mm2")

        # member direction
        for m in range(1, self.member_count + 1):
            a = self.find_joint(self.members[m][1])
            b = self.find_joint(self.members[m][2])
            if b[1] < a[1] or b[2] < a[2] or b[3] < a[3]:
                self.members[m][1], self.members[m][2] = self.members[m][2], self.members[m][1]

        # BETA 90 column sections
        times = {}
        for bmem in self.beta:
            times[bmem] = times.get(bmem, 0) + 1
        for row in self.columns[1:]:
            if times.get(row[0], 0) % 2 == 1:  # listed twice: exchanged twice
                row[2], row[3] = row[3], row[2]

        self.build_node_grid()

    def find_joint(self, number):
        """First row of the joint table with this number; the all-zero row when none."""
        if getattr(self, "_joint_index", None) is None:
            self._joint_index = {}
            for j in range(1, self.joint_count + 1):
                self._joint_index.setdefault(self.joints[j][0], self.joints[j])
        return self._joint_index.get(number, [0, 0, 0, 0])

    # ---- grids
    def build_node_grid(self):
        lx, ly, lz = [], [], []
        for j in range(1, self.joint_count + 1):
            for lst, v in ((lx, self.joints[j][1]), (ly, self.joints[j][2]),
                           (lz, self.joints[j][3])):
                fv = f32(v)
                if fv not in lst:
                    lst.append(fv)
        lx.sort()
        ly.sort()
        lz.sort()
        self.levels = (lx, ly, lz)
        ix = {v: i + 1 for i, v in enumerate(lx)}
        iy = {v: i + 1 for i, v in enumerate(ly)}
        iz = {v: i + 1 for i, v in enumerate(lz)}
        self.node = {}
        for j in range(1, self.joint_count + 1):
            jr = self.joints[j]
            self.node[(ix[f32(jr[1])], iy[f32(jr[2])], iz[f32(jr[3])])] = jr[0]

    def find_member(self, lower, upper):
        # first row with this start and end joint (a keyed lookup of the linear scan)
        if getattr(self, "_member_index", None) is None:
            self._member_index = {}
            for m in range(1, self.member_count + 1):
                self._member_index.setdefault((self.members[m][1], self.members[m][2]),
                                              self.members[m][0])
        return self._member_index.get((lower, upper), 0)

    def column_row_of(self, member):
        if getattr(self, "_column_index", None) is None:
            self._column_index = {}
            for c in range(1, len(self.columns)):
                self._column_index.setdefault(self.columns[c][0], c)
        return self._column_index.get(member, 0)

    def build_member_grids(self):
        lx, ly, lz = self.levels
        nx, ny, nz = len(lx), len(ly), len(lz)
        self.colgrid = {}
        by_pos = {}
        for (xi, yi, zi), t in self.node.items():
            by_pos.setdefault((xi, zi), {})[yi] = t
        for (xi, zi), col in by_pos.items():
            for yi in range(2, ny + 1):
                t = col.get(yi, 0)
                if t <= 0:
                    continue
                y2 = yi - 1
                while y2 > 1 and col.get(y2, 0) == 0:
                    y2 -= 1
                a = col.get(y2, 0)
                if a > 0:
                    m = self.find_member(a, t)
                    if m != 0:
                        self.colgrid[(xi, yi, zi)] = self.column_row_of(m)

    def link_support_columns(self):
        lx, ly, lz = self.levels
        nx, ny, nz = len(lx), len(ly), len(lz)
        self.col_index = [0] * (self.n_supports + 1)
        first_support = {}
        for s in range(self.n_supports, 0, -1):
            first_support[self.sr_get(s, 0, 0)] = s
        for xi in range(1, nx + 1):
            for zi in range(1, nz + 1):
                g = self.node.get((xi, 1, zi), 0)
                s = first_support.get(g)
                if s is not None:
                    val = 0
                    for yi in range(2, ny + 1):
                        val = self.colgrid.get((xi, yi, zi), 0)
                        if val != 0:
                            break
                    self.col_index[s] = val

    # ---- startup dialog
    def soil(self, sbc_text, depth_text):
        if not is_numeric_text(depth_text):
            return False
        d = f32(float(depth_text))
        if not (0 <= d <= 6):
            return False
        self.earth = f32(d * 20)
        if not is_numeric_text(sbc_text):
            return False
        try:
            s = cint16(float(sbc_text))
        except OverflowError:
            return False
        if not (50 <= s <= 1000):
            return False
        self.allow = [f32(s)] + [f32(1.25 * s)] * 35
        return True

    # ---- footings
    def load_foot(self):
        n = self.n_supports
        self.find_joint(0)
        self.foot = [None]
        for j in range(1, n + 1):
            fr = dict(jointNo=0, state=0, groupIndex=0, markNo=0, x=0, z=0, nodeX=0, nodeZ=0,
                      offX=0, offZ=0, lenL=0.0, widB=0.0, reqSide=0.0,
                      colIndex=self.col_index[j])
            num = self.sr_get(j, 0, 0)
            if num == int(num) and int(num) in self._joint_index:
                jr = self._joint_index[int(num)]
                fr["x"] = fr["nodeX"] = jr[1]
                fr["z"] = fr["nodeZ"] = jr[3]
                fr["jointNo"] = jr[0]
            self.foot.append(fr)

    def square_side(self, j, c, P):
        M = abs(self.sr_get(j, c, 3)) + abs(self.sr_get(j, c, 4))
        qa = self.allow[c]
        B = math.sqrt(P / 3 / qa) + 0.1
        for _ in range(20):
            f = qa * B * B * B - P * B - 6 * M
            B = B - f / (3 * qa * B * B - P)
        return B  # an intermediate: held in double until stored as reqSide

    def size_footings(self):
        n = cint(self.sr_get(0, 0, 0))
        self.load_case_count = 0
        for j in range(1, n + 1):
            maxb = 0.0
            c = 0
            last = 0
            while True:
                fy = self.dfy(j, c)
                if fy > 0:
                    P = f32(1.1 * fy)
                else:
                    self.inform("Check JOINT : " + fmt_single(self.sr_get(j, 0, 0))
                                + "    LOAD : " + fmt_single(self.sr_get(j, c, 1))
                                + "    FORCE-Y = " + fmt_single(fy))
                    self.one_kn.add((j, c))
                    P = f32(1.0)
                B = self.square_side(j, c, P)
                maxb = max(maxb, B)
                last = c
                if self.sr_get(j, c + 1, 1) == 0:
                    break
                if c == 34:
                    last = 35
                    break
                c += 1
            self.load_case_count = last
            for cc in range(0, self.load_case_count + 1):
                if 1.1 * self.dfy(j, cc) == 0:
                    self.inform(" Fy = 0 @ : " + fmt_single(self.sr_get(j, 0, 0)) + " Case : "
                                + fmt_int(cc))
                    break
            self.foot[j]["reqSide"] = f32(vround(maxb + 0.00049, 3))
            self.foot[j]["jointNo"] = cint(self.sr_get(j, 0, 0))

    def build_grid(self):
        gx, gz = [], []
        for fr in self.foot[1:]:
            if fr["x"] not in gx:
                gx.append(fr["x"])
            if fr["z"] not in gz:
                gz.append(fr["z"])
        self.grid_x = sorted(gx)
        self.grid_z = sorted(gz)

    @staticmethod
    def pedestal_for_size(s):
        s = f32(s)
        for bound, ped in ((1.4, 0.40), (1.7, 0.45), (1.9, 0.53), (2.3, 0.60), (2.8, 0.75),
                           (3.1, 0.90)):
            if s <= f32(bound):
                return f32(ped)
        return f32(1.20)

    def form_groups(self):
        self.groups = []
        for fr in self.foot[1:]:
            s = f32(vround(fr["reqSide"] + 0.049999, 1))
            if not any(g["size"] == s for g in self.groups):
                self.groups.append(dict(baseSize=s, size=s, depth=0.0,
                                        pedestal=self.pedestal_for_size(s), barDia=10,
                                        nosCount=0, footingNos=[], groupNo=0, enabled=True,
                                        captions={}))
        self.groups.sort(key=lambda g: g["size"])
        self.groups.insert(0, None)

    def assign_groups(self):
        for g in self.groups[1:]:
            g["nosCount"] = 0
            g["footingNos"] = []
        r = 0
        for j in range(1, len(self.foot)):
            fr = self.foot[j]
            if fr["state"] == 0:
                fr["groupIndex"] = 0
                for i in range(1, len(self.groups)):
                    g = self.groups[i]
                    if g["enabled"] and g["size"] >= fr["reqSide"]:
                        g["nosCount"] += 1
                        g["footingNos"].append(j)
                        fr["lenL"] = fr["widB"] = g["size"]
                        fr["groupIndex"] = i
                        break
                if fr["groupIndex"] == 0:
                    self.inform(fmt_int(fr["jointNo"]) + " Missed   Size = "
                                + fmt_int(cint(fr["reqSide"])) + " M")
            elif fr["state"] == -1:
                r += 1
                fr["markNo"] = r
        k = 0
        for g in self.groups[1:]:
            cap = {"side": fmt_single(g["size"])}
            if g["nosCount"] == 0:
                cap["check"] = ""
                cap["count"] = ""
                g["groupNo"] = 0
            else:
                k += 1
                cap["count"] = fmt_int(g["nosCount"])
                cap["check"] = "F" + fmt_int(k)
                g["groupNo"] = k
            g["captions"] = cap
        for fr in self.foot[1:]:
            if fr["state"] == 0:
                fr["markNo"] = self.groups[fr["groupIndex"]]["groupNo"] if fr["groupIndex"] else 0

    # ---- design
    def grade_column(self):
        # the lower tabulated grade; "M40 and above" for any higher; none below M15
        col = 7
        for k in range(1, 7):
            if f32(SHEAR_TABLE[0][k]) <= self.fck:
                col = k
        return col

    def shear_strength(self, pt, k):
        T = lambda j, kk: f32(SHEAR_TABLE[j][kk]) if kk < 7 else 0.0
        if pt < f32(0.15):
            pt = f32(0.15)
        for j in range(1, 14):
            if pt < T(j, 0):
                a = f32(T(j, k) - T(j - 1, k))
                b = f32(T(j, 0) - T(j - 1, 0))
                q = f32(a / b)
                dd = f32(pt - T(j - 1, 0))
                pr = f32(q * dd)
                return f32(T(j - 1, k) + pr), pt
        return T(13, k), pt

    def design(self):
        """The Design command: every ticked, non-empty group becomes one schedule row."""
        gcol = self.grade_column()
        self.gcol = gcol
        fck, fy = self.fck, self.fy
        self.row_count = 0
        if 0 < fck < 15 and fy > 0:
            self.inform("Concrete grade M" + fmt_int(fck) + " is below M15: nothing designed")
            return
        n = 0
        for gi in range(1, len(self.groups)):
            g = self.groups[gi]
            if not (g["nosCount"] >= 1 and g["enabled"]):
                continue
            if not any(fr["groupIndex"] == gi and fr["state"] == 0 for fr in self.foot[1:]):
                continue  # every footing of the group went into combined footings or was disabled
            n += 1
            self.row_count = n
            L = g["size"]
            a = g["pedestal"]
            # rows keep what an earlier Design left in them until overwritten
            row = self.drows.setdefault(n, dict(row=n, size=0.0, nosCount=0, footingNos=[],
                                                depth=0.0, pedestal=0.0, barDia=0,
                                                netPressure=0.0, govFooting=0, govCase=0,
                                                texts=dict(HEADINGS)))
            row["texts"] = dict(HEADINGS)
            row.update(size=L, nosCount=g["nosCount"], footingNos=list(g["footingNos"]),
                       pedestal=a)
            qmax = 0.0
            for f in range(1, self.n_supports + 1):
                fr = self.foot[f]
                if fr["groupIndex"] != gi or fr["state"] != 0:
                    continue
                for k in range(0, self.load_case_count + 1):
                    FY = self.dfy(f, k)
                    MX = self.sr_get(f, k, 3)
                    MZ = self.sr_get(f, k, 4)
                    p = f32((abs(MX) + abs(MZ)) * 6 / L / L / L + FY / L / L)
                    if qmax < p:
                        qmax = p
                        row["govFooting"], row["govCase"] = f, k
            q = f32(vround(qmax + 0.49, 0))
            row["netPressure"] = q
            if not (L > a) or not (L > 0.12):
                self.inform(side_message(n, L, a))
                row["depth"] = 0.0
                row["barDia"] = g["barDia"]
                row["texts"] = {"LabF1": "F" + fmt_int(n), "LabNos": fmt_int(g["nosCount"]),
                                "LabSize": fmt_single(L), "TxtPeda": fmt_single(a)}
                continue
            c = f32(vround((L - a) / 2, 2))
            Mu = f32(vround(c * (q * 1.5 * L * c) / 2, 2))
            d0 = f32(vround(math.sqrt(Mu / 0.138 / fck / L / 1000), 2))
            m = f32(vround((d0 * 1000 + 60) / 50 + 0.49, 0))
            d = f32(vround((m * 50 - 60) / 1000, 2))
            if d < 0.19:
                d = f32(0.19)
            while True:
                MuBd2 = f32(vround(Mu / L / d / d / 1000, 2))
                R = f32(1 - MuBd2 * 4.6 / fck)
                if R < 0:
                    R = 0.0
                pt = f32(vround((1 - math.sqrt(R)) / fy * fck * 50, 2))
                if pt < 0.2:
                    pt = f32(0.2)
                V1 = f32(vround((c - d) * (q * 1.5) * L, 0))
                if not V1 > 0:
                    V1 = 0.0  # the section at d lies beyond the edge: no shear
                tv1 = f32(vround(V1 / L / d * 1000 / 1000000, 2))
                tc1, pt = self.shear_strength(pt, gcol)
                if tc1 < tv1:
                    d = f32(d + 0.025)
                    continue
                V2 = f32(vround((L * L - (a + d) ** 2) * (q * 1.5) + 0.49, 0))
                if not V2 > 0:
                    V2 = 0.0
                tv2 = f32(vround(V2 * 1000 / (4 * (a + d) * d) / 1000000, 2))
                tc2 = f32(vround(math.sqrt(fck) / 4, 2))
                if tc2 < tv2:
                    d = f32(d + 0.025)
                    continue
                break
            Ast = f32(vround(pt * L * d * 10000, 0))
            D = f32(vround(d + 0.06, 3))
            row["depth"] = D
            dia = g["barDia"]
            row["barDia"] = dia
            nb = int_floor(Ast / dia / dia * 28 / 22 + 0.49)
            texts = {"LabF1": "F" + fmt_int(n), "LabNos": fmt_int(g["nosCount"]),
                     "LabSize": fmt_single(L), "TxtDepth": fmt_single(D),
                     "TxtPeda": fmt_single(a), "LabNetP": fmt_single(q),
                     "LabCant": fmt_single(c), "LabMu": fmt_single(Mu),
                     "LabMuBdd": fmt_single(MuBd2), "LabPt": fmt_single(pt),
                     "LabAst": fmt_single(Ast), "LabGdia": fmt_int(dia),
                     "LabRods": fmt_int(nb), "LabSpace": spacing_text(L, nb),
                     "LabSF1": fmt_single(V1), "LabSS1": fmt_single(tv1),
                     "LabPS1": fmt_single(tc1), "LabSF2": fmt_single(V2),
                     "LabSS2": fmt_single(tv2), "LabPS2": fmt_single(tc2)}
            if texts["LabSpace"] is None:
                del texts["LabSpace"]
            row["texts"] = texts

    def design_command(self):
        try:
            self.design()
        except (ZeroDivisionError, ValueError, OverflowError) as e:
            # an arithmetic fault ends the Design event; rows finished so far stay
            self.inform("<run-time error in Design: %s>" % e)

    def redesign_row(self, n):
        """A schedule row designed again after an edit of its depth, pedestal or diameter."""
        row = self.drows[n]
        B = row["size"]
        a = row["pedestal"]
        q = row["netPressure"]
        fck, fy = self.fck, self.fy
        t = row["texts"]
        if not (B > a) or not (B > 0.12):
            self.inform(side_message(n, B, a))
            return False
        c = f32(vround((B - a) / 2, 2))
        Mu = f32(vround(c * (1.5 * q * B * c) / 2, 2))
        dreq = f32(vround(math.sqrt(Mu / 0.138 / fck / B / 1000), 2))
        st = f32(vround((dreq * 1000 + 60) / 50 + 0.49, 0))
        d = f32(vround((st * 50 - 60) / 1000, 2))
        if d < 0.19:
            d = f32(0.19)
        if f32(row["depth"] - 0.06) < d:
            row["depth"] = f32(d + 0.06)
        d = f32(row["depth"] - 0.06)
        while True:
            MuBd2 = f32(vround(Mu / B / d / d / 1000, 2))
            tt = f32(1 - 4.6 * MuBd2 / fck)
            if tt < 0:
                tt = 0.0
            pt = f32(vround((1 - math.sqrt(tt)) / fy * fck * 50, 2))
            if pt < 0.2:
                pt = f32(0.2)
            V1 = f32(vround((c - d) * (1.5 * q) * B, 0))
            if not V1 > 0:
                V1 = 0.0
            tv = f32(vround(V1 / B / d * 1000 / 1e6, 2))
            tc, pt = self.shear_strength(pt, self.gcol)
            if tc < tv:
                d = f32(d + 0.025)
                continue
            A = a + d
            Vp = f32(vround((B * B - A * A) * (1.5 * q) + 0.49, 0))
            if not Vp > 0:
                Vp = 0.0
            tp = f32(vround(Vp * 1000 / (d * 4 * (a + d)) / 1e6, 2))
            tpa = f32(vround(math.sqrt(fck) / 4, 2))
            if tpa < tp:
                d = f32(d + 0.025)
                continue
            break
        Ast = f32(vround(pt * B * d * 10000, 0))
        row["depth"] = f32(vround(d + 0.06, 3))
        dia = row["barDia"]
        N = cint16(int_floor(Ast / dia / dia * 28 / 22 + 0.49))
        sp = spacing_text(B, N)
        if sp is None:
            t.pop("LabSpace", None)
        else:
            t["LabSpace"] = sp
        t.update({"LabF1": "F" + fmt_int(n), "TxtDepth": fmt_single(row["depth"]),
                  "TxtPeda": fmt_single(a), "LabCant": fmt_single(c), "LabMu": fmt_single(Mu),
                  "LabMuBdd": fmt_single(MuBd2), "LabPt": fmt_single(pt),
                  "LabAst": fmt_single(Ast), "LabGdia": fmt_int(dia), "LabRods": fmt_int(N),
                  "LabSF1": fmt_single(V1), "LabSS1": fmt_single(tv), "LabPS1": fmt_single(tc),
                  "LabSF2": fmt_single(Vp), "LabSS2": fmt_single(tp),
                  "LabPS2": fmt_single(tpa)})
        if "LabNetP" not in t:
            t["LabNetP"] = fmt_single(q)
        return True

    # ---- plan interaction
    def rect_side_for_case(self, sup, c, L, P):
        qa = self.allow[c]
        Mx = abs(self.sr_get(sup, c, 3))
        Mz = abs(self.sr_get(sup, c, 4))
        E = self.earth
        a = qa * L
        b = -P - 6 * Mz / L
        k = -6 * Mx
        B1 = (-b + math.sqrt(b * b - 4 * a * k)) / (2 * a)
        if B1 > 0:
            run = B1
        else:
            run = 0.0
            self.inform(fmt_single(B1) + "  Tempy")
        a = E * L
        b = P - 6 * Mz / L
        if a == 0:
            # no overburden (depth 0): the quadratic loses its second-order term; the
            # remaining linear condition b.B + k = 0 gives the side (the product's choice)
            B2 = -k / b if b > 0 else 0.0
            return max(run, B2)
        B2 = (-b + math.sqrt(b * b - 4 * a * k)) / (2 * a)
        return max(run, B2)

    def rect_side(self, sup, L):
        best = 0.0
        for c in range(0, self.load_case_count + 1):
            P = f32(1.1 * self.dfy(sup, c))
            if P == 0:
                P = f32(1.0)
            B = self.rect_side_for_case(sup, c, L, P)
            best = max(best, B)
        return vround(best, 2)

    def press(self, i, button="left", mode=True):
        """A press on footing i's label; mode=False is the batch's `select`, which acts as
        the press outside disable mode whatever the mode is."""
        self.current = i
        fr = self.foot[i]
        if self.disable_mode and mode:
            fr["state"] = 0 if fr["state"] != 0 else -100
            self.assign_groups()
            if button == "right":
                self.details.append({"footing": i, "window": ""})
            return
        if button == "right":
            self.details_for(i)
            return
        self.captions["sizeLabel"] = (fmt_single(vround(fr["lenL"], 2)) + " X "
                                      + fmt_single(vround(fr["widB"], 2)))

    def wheel(self, i, step):
        self.press(i, "left", mode=False)
        fr = self.foot[i]
        if fr["state"] < 1:
            # L and B are intermediates (double) until stored as lenL and widB
            L = vround(fr["lenL"] + (0.05 if step > 0 else -0.05), 2)
            fr["state"] = -1
            B = self.rect_side(i, L)
            fr["lenL"], fr["widB"] = f32(L), f32(B)
            self.assign_groups()
            self.captions["sizeLabel"] = (fmt_single(L) + " X " + fmt_single(B) + " = "
                                          + fmt_single(vround(L * B, 2)))
        else:
            self.size_combined(fr["state"], step)

    def shift_delete(self, i):
        self.press(i, "left", mode=False)
        fr = self.foot[i]
        if fr["state"] == -1:
            fr["state"] = 0
            fr["lenL"] = fr["widB"] = fr["reqSide"]
        elif fr["state"] > 0:
            k = fr["state"]
            self.inform(fmt_int(k) + " Is Deleting")
            rec = self.comb[k]
            for mi in rec["members"][:rec["memberCount"]]:
                m = self.foot[mi]
                m["state"] = 0
                m["lenL"] = m["widB"] = m["reqSide"]
            for kk in range(k + 1, self.comb_count + 1):
                self.comb[kk - 1] = self.comb[kk]
                r = self.comb[kk - 1]
                for mi in r["members"][:r["memberCount"]]:
                    self.foot[mi]["state"] = kk - 1
            self.comb_count -= 1
        if fr["state"] == 0:
            self.assign_groups()  # a plain footing again belongs in a group at once

    def nudge_group(self, gi):
        g = self.groups[gi]
        g["size"] = f32(g["size"] - 0.05)
        if g["size"] < g["baseSize"] - 0.05:
            g["size"] = f32(g["baseSize"] + 0.05)
        self.assign_groups()

    def list_group(self, gi):
        g = self.groups[gi]
        lst = ""
        for c in range(1, len(self.foot)):
            fr = self.foot[c]
            if fr["groupIndex"] == gi and fr["state"] == 0:
                lst += fmt_int(fr["jointNo"]) + "   "
        self.inform("F" + fmt_int(g["groupNo"]) + "    " + fmt_single(g["size"]) + " X "
                    + fmt_single(g["size"]) + " M" + "\r\r" + lst)

    def new_combined_record(self):
        return dict(memberCount=0, members=[0] * 10, xMin=0.0, zMin=0.0, xMax=0.0, zMax=0.0,
                    length=0.0, width=0.0, cant1=0.0, cant2=0.0, orientation=0,
                    halfSkew=0.0, span=0.0)

    def combine(self, x1, z1, x2, z2, answer):
        xlo, xhi = min(x1, x2), max(x1, x2)
        zlo, zhi = min(z1, z2), max(z1, z2)
        self.comb_count += 1
        k = self.comb_count
        rec = self.comb.setdefault(k, self.new_combined_record())
        n = 0
        for i in range(1, len(self.foot)):
            fr = self.foot[i]
            if xlo < fr["x"] < xhi and zlo < fr["z"] < zhi:
                n += 1
                if n <= 10:
                    rec["members"][n - 1] = i
        ok = False
        if n == 2:
            m1, m2 = rec["members"][0], rec["members"][1]
            dx = self.foot[m2]["x"] - self.foot[m1]["x"]
            dz = self.foot[m2]["z"] - self.foot[m1]["z"]
            ok = True
            if abs(dx) <= 600 and dz > 1000:
                rec["orientation"] = 0
                rec["span"] = f32(dz)
                skew = dx
                rec["halfSkew"] = f32(dx / 2)
            elif abs(dz) <= 600 and dx > 1000:
                rec["orientation"] = 1
                rec["span"] = f32(dx)
                skew = dz
                rec["halfSkew"] = f32(dz / 2)
            else:
                self.inform(" Deviation Exceeds : ( > 600 mm)")
                ok = False
            if ok and abs(skew) > 10:
                text = " Skew : " + fmt_int(skew) + " mm "
                if answer == "cancel":
                    self.inform(text + " [Cancel]")
                    ok = False
                else:
                    self.inform(text + " [OK]")
        if ok:
            rec["memberCount"] = 2
            self.foot[rec["members"][0]]["state"] = k
            self.foot[rec["members"][1]]["state"] = k
            self.size_combined(k, 0)
        else:
            self.comb_count = k - 1

    def size_combined(self, k, step):
        rec = self.comb[k]
        m1, m2 = rec["members"][0], rec["members"][1]
        f1, f2 = self.foot[m1], self.foot[m2]
        s = f32((f2["z"] - f1["z"]) / 1000)
        # a pair accepted along X keeps that orientation even when its Z offset of 500 to
        # 600 mm would round to a whole metre (the sound reading, and the product's choice)
        along_x = vround(s, 0) < 0.5 or rec["orientation"] == 1
        if along_x:
            s0 = f32((f2["x"] - f1["x"]) / 1000)
            ml, mt = 4, 3
        else:
            s0 = s
            ml, mt = 3, 4
        Lp = rec["length"]
        if Lp == 0:
            Lp = f32(vround(s0 + 1.0, 1))
        if step == -1:
            Lp = f32(Lp - 0.1)
        elif step == 1:
            Lp = f32(Lp + 0.1)
        sr = self.sr_get
        dfy = self.dfy
        P = f32(dfy(m1, 0) + dfy(m2, 0))
        xbar = f32(dfy(m2, 0) / P * s0)
        cant1 = f32(Lp / 2 - xbar)
        if cant1 < 0.5:
            cant1 = f32(0.5)
        cant2 = f32(Lp - cant1 - s0)
        if cant2 < 0.5:
            cant2 = f32(0.5)
        L = f32(vround(cant1 + s0 + cant2, 1))
        B = f32(0.6)
        while True:
            B = f32(B + 0.05)
            # moments add with their signs; the size of each sum bears on the soil
            q = f32(1.1 * P / (L * B) + 6 * abs(sr(m1, 0, ml) + sr(m2, 0, ml)) / (B * L * L)
                    + 6 * abs(sr(m1, 0, mt) + sr(m2, 0, mt)) / (B * B * L))
            if q <= self.allow[0]:
                break
        for u in range(1, self.load_case_count + 1):
            P = f32(dfy(m1, u) + dfy(m2, u))
            xbar = f32(dfy(m2, u) / P * s0)
            e = f32((L / 2 - cant1) - xbar)
            Me = f32(abs(e * P) + abs(sr(m1, u, ml) + sr(m2, u, ml)))

            def qf():
                return f32(1.1 * P / (L * B) + 6 * Me / (B * L * L)
                           + 6 * abs(sr(m1, u, mt) + sr(m2, u, mt)) / (B * B * L))
            q = qf()
            while q > self.allow[1]:
                B = f32(B + 0.05)
                q = qf()
        B = f32(vround(B, 2))
        L = f32(vround(L, 2))
        rec.update(length=L, width=B, cant1=cant1, cant2=cant2)
        for f in (f1, f2):
            f["lenL"], f["widB"] = B, L
        hs = rec["halfSkew"]
        if not along_x:
            rec["xMin"] = f32(f1["x"] - 500 * B + hs)
            rec["xMax"] = f32(f1["x"] + 500 * B + hs)
            rec["zMin"] = f32(f1["z"] - 1000 * cant1)
            rec["zMax"] = f32(f2["z"] + 1000 * cant2)
        else:
            rec["xMin"] = f32(f1["x"] - 1000 * cant1)
            rec["xMax"] = f32(f2["x"] + 1000 * cant2)
            rec["zMin"] = f32(f1["z"] - 500 * B + hs)
            rec["zMax"] = f32(f1["z"] + 500 * B + hs)
        rl, rb = vround(L, 2), vround(B, 2)  # inner roundings stay double
        self.captions["sizeLabel"] = (fmt_single(rl) + " X " + fmt_single(rb) + " = "
                                      + fmt_single(vround(rb * rl, 2)))

    # ---- footing details
    def offset_key(self, i, key):
        self.current = i
        fr = self.foot[i]
        c = fr["colIndex"]
        if c == 0 or self.columns[c][3] == 0:
            return
        if key == "home":
            fr["offX"] = fr["offZ"] = 0
        elif key == "left":
            if fr["offX"] > -1:
                fr["offX"] -= 1
        elif key == "right":
            if fr["offX"] < 1:
                fr["offX"] += 1
        elif key == "up":
            if fr["offZ"] >= 0:
                fr["offZ"] -= 1
        elif key == "down":
            if fr["offZ"] <= 0:
                fr["offZ"] += 1
        fr["x"] = cint(fr["nodeX"] + fr["offX"] * (self.columns[c][3] / 2 - 115))
        fr["z"] = cint(fr["nodeZ"] + fr["offZ"] * (self.columns[c][2] / 2 - 115))

    def load_layout(self):
        base, ext = os.path.splitext(self.path)
        if ext.upper() != ".ANL":
            return
        lp = base + ".SCR"
        if not os.path.exists(lp):
            return
        with open(lp, "rb") as fh:
            lines = split_lines(fh.read())
        n = len(self.foot) - 1
        if not lines:
            return
        pieces = lines[0].split(" ")
        if len(pieces) - 1 != n:
            return
        for i in range(1, n + 1):
            self.foot[i]["offX"] = cint(read_number(pieces[i]) - 2)
        if len(lines) > 1:
            pieces = lines[1].split(" ")
            for i in range(1, min(len(pieces) - 1, n) + 1):
                self.foot[i]["offZ"] = cint(read_number(pieces[i]) - 5)
        # the restored offsets move the centres, as the column node window would
        for fr in self.foot[1:]:
            c = fr["colIndex"]
            if c == 0 or self.columns[c][3] == 0:
                continue
            fr["x"] = cint(fr["nodeX"] + fr["offX"] * (self.columns[c][3] / 2 - 115))
            fr["z"] = cint(fr["nodeZ"] + fr["offZ"] * (self.columns[c][2] / 2 - 115))

    def detail_pressure(self, f):
        fr = self.foot[f]
        A = f32(fr["lenL"] * fr["widB"])
        best = 0.0
        for c in range(1, self.load_case_count + 1):
            p = f32(self.dfy(f, c) / A + 6 * abs(self.sr_get(f, c, 3)) / A / fr["widB"]
                    + 6 * abs(self.sr_get(f, c, 4)) / A / fr["lenL"])
            if p > best:
                best = p
        return best

    def detail_depth(self, f):
        fr = self.foot[f]
        q = self.detail_pressure(f)
        a = 0.6
        fck, fy = self.fck, self.fy
        out = []
        for s in (fr["widB"], fr["lenL"]):
            c = f32((s - a) / 2)
            Mu = f32(c * (q * 1.5 * s * c) / 2)
            d = f32(math.sqrt(Mu / 0.138 / fck / s / 1000))
            if d < 0.19:
                d = f32(0.19)
            while True:
                mb = f32(Mu / s / d / d / 1000)
                R = f32(1 - mb * 4.6 / fck)
                if R < 0:
                    R = 0.0
                pt = f32((1 - math.sqrt(R)) / fy * fck * 50)
                if pt < 0.2:
                    pt = f32(0.2)
                V1 = f32((c - d) * (1.5 * q) * s)
                tv = f32(V1 / s / d * 1000 / 1e6)
                tc, pt = self.shear_strength(pt, self.grade_column())
                if tc >= tv:
                    V2 = f32((s * s - (a + d) ** 2) * (1.5 * q))
                    tp = f32(V2 * 1000 / (d * 4 * (a + d)) / 1e6)
                    if math.sqrt(fck) / 4 >= tp:
                        break
                d = f32(d + 0.025)
            out.append(d)
        return f32(vround(max(out), 2))

    def details_for(self, i):
        fr = self.foot[i]
        if fr["state"] >= 1:
            rec = self.comb[fr["state"]]
            m1, m2 = rec["members"][0], rec["members"][1]
            self.details.append({"footing": i, "window": "Disply2", "texts": {
                "LabCf1f2": fmt_int(self.foot[m1]["jointNo"]) + " X "
                + fmt_int(self.foot[m2]["jointNo"]),
                "LabCfSize": fmt_single(rec["length"]) + " X " + fmt_single(rec["width"]),
                "LabCnt1": "Cant1 " + fmt_single(rec["cant1"]),
                "LabCnt2": "Cant2 " + fmt_single(rec["cant2"]),
                "LabDisf_f": "F1-F2 " + fmt_single(rec["span"]) + "  ( "
                + fmt_single(rec["halfSkew"]) + " )"}})
            return
        entry = {"footing": i, "window": "Disply"}
        if f32(fr["lenL"] * fr["widB"]) != 0:
            if self.detail_rows is None:
                self.detail_rows = self.load_case_count + 1
            col = self.columns[fr["colIndex"]] if fr["colIndex"] else [0, 0, 0, 0]
            entry["texts"] = {
                "LabN0": "F " + fmt_int(fr["jointNo"]),
                "LabSize": fmt_single(fr["lenL"]) + " X " + fmt_single(fr["widB"]) + " X "
                + fmt_single(self.detail_depth(i)),
                "LabOffcet": fmt_int(fr["offX"]) + " X " + fmt_int(fr["offZ"]),
                "LabColSize": "ColSize " + fmt_int(col[3]) + " X " + fmt_int(col[2]),
                "LabXY": "off " + fmt_int(fr["nodeX"]) + " - " + fmt_int(fr["x"]) + " X "
                + fmt_int(fr["nodeZ"]) + " - " + fmt_int(fr["z"])}
            rows = []
            A = f32(fr["lenL"] * fr["widB"])
            min_res, min_low = 1000.0, 1000.0
            bold, bold_min = 0, 0
            for c in range(0, self.load_case_count + 1):
                FY, MX, MZ = self.sr_get(i, c, 2), self.sr_get(i, c, 3), self.sr_get(i, c, 4)
                PA = f32(vround(1.1 * FY / A, 2))
                MZt = f32(6 * abs(MZ) / A / fr["lenL"] + 6 * abs(MX) / A / fr["widB"])
                rows.append({"LabCase": fmt_single(self.sr_get(i, c, 1)),
                             "LabPbyA": fmt_single(FY), "LabMbyZ": fmt_single(MX),
                             "LabMbyZ2": fmt_single(MZ),
                             "LabStress": fmt_single(vround(PA + MZt, 2)),
                             "LabStress_": fmt_single(vround(PA - MZt, 2)),
                             "LabAllowble": fmt_single(self.allow[c])})
                res = f32(self.allow[c] - PA - MZt)
                if res < min_res:
                    min_res, bold = res, c + 1
                low = f32(PA - MZt)
                if low < min_low:
                    min_low, bold_min = low, c + 1
            entry["rows"] = rows[:self.detail_rows]
            entry["boldStress"] = bold
            entry["boldStressMin"] = bold_min
            entry["borderStress"] = min_res < 1000
            entry["borderStressMin"] = min_low < 1000
            entry["filled"] = True
        else:
            entry["filled"] = False
        self.details.append(entry)

    # ---- actions
    def action(self, line):
        w = line.split()
        cmd = w[0]
        if cmd == "toggle-group":
            if int(w[1]) == self.locked_group:
                return  # the disabled check box of the largest group takes no click
            g = self.groups[int(w[1])]
            g["enabled"] = not g["enabled"]
            self.assign_groups()
        elif cmd == "nudge-group":
            self.nudge_group(int(w[1]))
        elif cmd == "list-group":
            self.list_group(int(w[1]))
        elif cmd == "select":
            self.press(int(w[1]), "left", mode=False)
        elif cmd == "wheel":
            self.wheel(int(w[1]), -1 if w[2].startswith("-") else 1)
        elif cmd == "shift-delete":
            self.shift_delete(int(w[1]))
        elif cmd == "disable-mode":
            self.disable_mode = not self.disable_mode
        elif cmd == "press":
            self.press(int(w[1]), "left")
        elif cmd == "details":
            self.press(int(w[1]), "right")
        elif cmd == "combine":
            ans = w[5] if len(w) > 5 else "ok"
            self.combine(f32(float(w[1])), f32(float(w[2])), f32(float(w[3])),
                         f32(float(w[4])), ans)
        elif cmd == "offset":
            self.offset_key(int(w[1]), w[2])
        elif cmd == "offsets-reset":
            for fr in self.foot[1:]:
                fr["offX"] = fr["offZ"] = 0
                fr["x"], fr["z"] = fr["nodeX"], fr["nodeZ"]
        elif cmd == "refresh":
            self.size_footings()
        elif cmd == "design":
            self.design_command()
        elif cmd in ("depth", "pedestal", "dia") and not 1 <= int(w[1]) <= self.row_count:
            raise UsageError("there is no schedule row " + w[1])
        elif cmd == "depth":
            n = int(w[1])
            txt = line.split(None, 2)[2] if len(w) > 2 else ""
            row = self.drows[n]
            before = row["depth"]
            if is_numeric_text(txt):
                row["depth"] = f32(float(txt))
                if self.redesign_row(n):
                    return
                row["depth"] = before
            # a row without a design keeps its depth box empty
            if "LabCant" in row["texts"]:
                row["texts"]["TxtDepth"] = fmt_single(row["depth"])
            else:
                row["texts"].pop("TxtDepth", None)
        elif cmd == "pedestal":
            n = int(w[1])
            txt = line.split(None, 2)[2] if len(w) > 2 else ""
            row = self.drows[n]
            if is_numeric_text(txt) and row["size"] > f32(float(txt)):
                row["pedestal"] = f32(float(txt))
                row["depth"] = 0.0
                self.redesign_row(n)
            else:
                row["texts"]["TxtPeda"] = fmt_single(row["pedestal"])
        elif cmd == "dia":
            n = int(w[1])
            row = self.drows[n]
            before = row["barDia"]
            row["barDia"] = {10: 12, 12: 16, 16: 20, 20: 10}.get(row["barDia"], row["barDia"])
            if not self.redesign_row(n):
                row["barDia"] = before
        else:
            raise ValueError("unknown action " + line)

    # ---- whole run
    def run(self, sbc, depth, actions=()):
        self.read()
        self.build_member_grids()
        self.link_support_columns()
        if not self.soil(sbc, depth):
            return "usage"
        self.captions["main"] = ("Fck  " + fmt_int(self.fck) + " Fy  " + fmt_int(self.fy)
                                 + "   SBC  " + fmt_single(self.allow[0])
                                 + " Earth Pressure : " + fmt_single(self.earth))
        self.captions["sizeLabel"] = ""
        self.load_foot()
        self.size_footings()
        self.build_grid()
        self.form_groups()
        self.assign_groups()
        self.load_layout()
        # the largest group's check box is disabled: it can never be unticked
        self.locked_group = len(self.groups) - 1
        self.disable_mode = False
        self.current = 0
        self.comb = {}
        self.comb_count = 0
        self.drows = {}
        self.row_count = 0
        self.gcol = self.grade_column()
        self.details = []
        self.detail_rows = None
        designed = False
        for line in actions:
            if line.split()[0] == "design":
                designed = True
        for line in actions:
            try:
                self.action(line)
            except UsageError:
                return "usage-action"
            except (ZeroDivisionError, ValueError, OverflowError) as e:
                # an arithmetic fault ends the event; the model keeps what it had reached
                self.inform("<run-time error in '%s': %s>" % (line, e))
        if not designed:
            self.design_command()
        return "ok"

    def to_json(self):
        lx, ly, lz = self.levels
        out = {
            "unitFactor": self.unit_echo,
            "jointCount": self.joint_count,
            "memberCount": self.member_count,
            "betaMembers": list(self.beta),
            "columns": [list(r) for r in self.columns[1:]],
            "beams": [list(r) for r in self.beams[1:]],
            "supportCount": self.n_supports,
            "concreteGrade": self.fck,
            "steelGrade": self.fy,
            "captions": dict(self.captions),
            "earthPressure": self.earth,
            "allowableBearing": list(self.allow),
            "loadCaseCount": self.load_case_count,
            "levels": {"x": lx, "y": ly, "z": lz},
            "gridX": self.grid_x,
            "gridZ": self.grid_z,
            "footings": [dict(index=i, **self.foot[i]) for i in range(1, len(self.foot))],
            "groups": [dict(index=i, **{k: v for k, v in self.groups[i].items()
                                        if k != "depth"})
                       for i in range(1, len(self.groups))],
            "combined": [dict(index=k, **{kk: (vv[:self.comb[k]["memberCount"]]
                                                 if kk == "members" else vv)
                                           for kk, vv in self.comb[k].items()})
                         for k in range(1, self.comb_count + 1)],
            "designRows": [self.drows[n] for n in range(1, self.row_count + 1)],
            "details": self.details,
            "messages": list(self.messages),
        }
        return out


HEADINGS = {"LabF1": "GRP", "LabNos": "NO's", "LabSize": "Size", "TxtDepth": "Depth",
            "TxtPeda": "Peda", "LabNetP": "NetP", "LabCant": "CantL", "LabMu": "Mu",
            "LabMuBdd": "Mu/Bdd", "LabPt": "Pt", "LabAst": "Ast", "LabGdia": "Dia",
            "LabSpace": "Space", "LabRods": "Rods", "LabSF1": "1-SF", "LabSS1": "1-SS",
            "LabPS1": "1-PS", "LabSF2": "2-SF", "LabSS2": "2-SS", "LabPS2": "2-PS"}


def side_message(n, L, a):
    if not (L > a):
        return ("Schedule row F" + fmt_int(n) + ": the footing side " + fmt_single(L)
                + " m is not larger than the pedestal " + fmt_single(a) + " m: not designed")
    return ("Schedule row F" + fmt_int(n) + ": the footing side " + fmt_single(L)
            + " m leaves no room for bars within the covers: not designed")


def spacing_text(L, nb):
    """Bar spacing text; None where the count leaves it undefined (one bar)."""
    if nb - 1 == 0:
        return None
    return fmt_int(cint((L - 0.12) / (nb - 1) * 1000))


def read_actions(path):
    if not path:
        return []
    out = []
    with open(path) as fh:
        for ln in fh:
            ln = ln.strip("\r\n")
            if not ln.strip() or ln.lstrip().startswith("#"):
                continue
            out.append(ln.strip())
    return out


def reference(path, sbc, depth, actions=None):
    """(status, json-or-None, stderr-messages) of the model for one run."""
    m = Model(path)
    try:
        st = m.run(sbc, depth, read_actions(actions))
    except (ZeroDivisionError, ValueError, OverflowError, IndexError, KeyError) as e:
        return 99, None, ["<reference model fault: %r>" % e]
    except InputEnd as e:
        msgs = list(m.messages)
        if e.message is not None:
            msgs.append(e.message)
        return 1, None, msgs
    if st == "usage":
        return 2, None, list(m.messages)
    if st == "usage-action":
        return 2, None, list(m.messages)
    return 0, m.to_json(), list(m.messages)


# --------------------------------------------------------------------------------------------
# Comparison with the batch tool
# --------------------------------------------------------------------------------------------

def run_batch(path, sbc, depth, actions=None):
    cmd = [BATCH, path, "--sbc", sbc, "--depth", depth, "--json", "-"]
    if actions:
        cmd += ["--actions", actions]
    p = subprocess.run(cmd, capture_output=True, text=True, encoding="latin-1")
    js = None
    if p.returncode == 0:
        js = json.loads(p.stdout)
    msgs = [ln[len("message: "):] for ln in p.stderr.split("\n") if ln.startswith("message: ")]
    return p.returncode, js, msgs, p.stderr


def compare_values(ours, mine, path, diffs):
    """ours: batch JSON value; mine: reference value. Floats compared as Single."""
    if isinstance(mine, dict):
        if not isinstance(ours, dict):
            diffs.append((path, ours, mine))
            return
        for k, v in mine.items():
            if k not in ours:
                diffs.append((path + "." + k, "<missing>", v))
                continue
            compare_values(ours[k], v, path + "." + k, diffs)
        return
    if isinstance(mine, list):
        if not isinstance(ours, list) or len(ours) != len(mine):
            diffs.append((path + "[len]", len(ours) if isinstance(ours, list) else ours,
                          len(mine)))
            if isinstance(ours, list):
                for i in range(min(len(ours), len(mine))):
                    compare_values(ours[i], mine[i], "%s[%d]" % (path, i), diffs)
            return
        for i, (a, b) in enumerate(zip(ours, mine)):
            compare_values(a, b, "%s[%d]" % (path, i), diffs)
        return
    if isinstance(mine, bool) or isinstance(mine, str):
        if ours != mine:
            diffs.append((path, ours, mine))
        return
    if isinstance(mine, (int, float)):
        if not isinstance(ours, (int, float)) or isinstance(ours, bool):
            diffs.append((path, ours, mine))
            return
        if isinstance(mine, float) or isinstance(ours, float):
            try:
                if f32(float(ours)) != f32(float(mine)):
                    diffs.append((path, ours, mine))
            except OverflowError:
                if float(ours) != float(mine):
                    diffs.append((path, ours, mine))
        elif ours != mine:
            diffs.append((path, ours, mine))
        return
    if ours != mine:
        diffs.append((path, ours, mine))


def compare_one(path, sbc, depth, label=None, actions=None):
    label = label or "%s --sbc %s --depth %s%s" % (path, sbc, depth,
                                                   " --actions " + actions if actions else "")
    diffs = []
    rs, rjs, rmsgs = reference(path, sbc, depth, actions)
    bs, bjs, bmsgs, berr = run_batch(path, sbc, depth, actions)
    if rs != bs:
        diffs.append(("exitStatus", bs, rs))
    if rs == 0 and bs == 0:
        compare_values(bjs, rjs, "", diffs)
    elif rs == 1 and bs == 1:
        # the input phase ended: the message (if any) is on standard error
        got = [ln for ln in berr.split("\n") if ln.strip()]
        for m in rmsgs:
            if not any(m in g for g in got):
                diffs.append(("stderr", berr.strip(), m))
    return label, diffs


SUMMARY = {}


def note_summary(label, diffs):
    for p, a, b in diffs:
        key = re.sub(r"\[\d+\]", "[]", p)
        ent = SUMMARY.setdefault(key, [0, label, a, b])
        ent[0] += 1


def print_summary():
    if not SUMMARY:
        return
    print("differing fields (count, first run, batch value, reference value):")
    for key, (cnt, label, a, b) in sorted(SUMMARY.items(), key=lambda kv: -kv[1][0]):
        print("  %-40s %5d  %s  batch=%r reference=%r" % (key, cnt, label, a, b))


def fmt_diff(label, diffs, limit=25):
    out = ["== " + label]
    for p, a, b in diffs[:limit]:
        out.append("   %s: batch=%r  reference=%r" % (p, a, b))
    if len(diffs) > limit:
        out.append("   ... %d more" % (len(diffs) - limit))
    return "\n".join(out)


# --------------------------------------------------------------------------------------------
# Files for the sweep
# --------------------------------------------------------------------------------------------

def gen(tmp, name, args):
    path = os.path.join(tmp, name + ".ANL")
    with open(path, "w") as fh:
        subprocess.run([sys.executable, GEN] + args, stdout=fh, check=True)
    return path


CRAFT_HEAD = """
 ****************************************************
 *   FRAME ANALYSIS - TEXT OUTPUT                   *
 ****************************************************

   1. STAAD SPACE CRAFTED
   2. UNIT {unit}
   3. JOINT COORDINATES
{joints}
{members}
{beta}
  20. SUPPORTS
  21. PERFORM ANALYSIS

  SUPPORT REACTIONS -UNIT KN   METE      STRUCTURE TYPE = SPACE
  -----------------

  JOINT  LOAD   FORCE-X   FORCE-Y   FORCE-Z     MOM-X     MOM-Y     MOM Z

{reactions}

 ************** END OF LATEST ANALYSIS RESULT **************

  29. START CONCRETE DESIGN
{design}
{blocks}
  36. END CONCRETE DESIGN
  37. FINISH
"""

JOINTS_M = """   4. 1 0 0 0; 2 4.5 0 0; 3 0 0 5; 4 4.5 0 5; 5 0 3 0; 6 4.5 3 0
   5. 7 0 3 5; 8 4.5 3 5"""
MEMBERS_M = """   6. MEMBER INCIDENCES
   7. 1 5 1; 2 2 6; 3 3 7; 4 4 8; 5 5 6; 6 7 8; 7 5 7; 8 6 8
   8. DEFINE MATERIAL START"""

COLBLOCK = """
                  C O L U M N   N O.  {m:4d}  D E S I G N   R E S U L T S

          LENGTH:  3000.0 mm  CROSS SECTION:  {a}.0 mm X  {b}.0 mm  COVER: 40.0 mm
"""
BEAMBLOCK = """
                  B E A M  N O.  {m:4d}   D E S I G N   R E S U L T S

          LENGTH:  4500.0 mm       SIZE:  230.0 mm X  {b} mm   COVER: 25.0 mm
"""


def reaction_lines(rows):
    """rows: list of (joint, [(case, fx, fy, fz, mx, my, mz), ...])"""
    out = []
    for jn, cases in rows:
        for i, cs in enumerate(cases):
            nums = "".join("%10.2f" % v for v in cs[1:])
            if i == 0:
                out.append("%7d %4d%s" % (jn, cs[0], nums))
            else:
                out.append("%7s %4d%s" % ("", cs[0], nums))
        out.append("")
    return "\n".join(out)


def std_reactions(fys=(500, 320, 410, 275), cases=3, scale=1.0):
    rows = []
    for i, fy in enumerate(fys):
        cs = []
        for c in range(cases):
            cs.append((c + 1, 1.5 * (c - 1), fy * scale * (1 - 0.2 * c), -2.0 + c,
                       3.25 * (i + 1) * (c % 2 * 2 - 1), 0.1, -4.5 + i * c))
        rows.append((i + 1, cs))
    return rows


def craft(tmp, name, unit="METER KN", joints=JOINTS_M, members=MEMBERS_M,
          beta="  10. BETA 90 MEMB 1 TO 3 4", reactions=None, design=None, blocks=None,
          raw_reactions=None, crlf=False):
    if design is None:
        design = "  30. UNIT MMS NEWTON\n  31. FYMAIN 415 ALL\n  32. FC 25 ALL"
    if blocks is None:
        blocks = "".join(COLBLOCK.format(m=m, a=300, b=450) for m in (1, 2, 3, 4))
        blocks += "".join(BEAMBLOCK.format(m=m, b="450.0") for m in (5, 6, 7, 8))
    if raw_reactions is None:
        raw_reactions = reaction_lines(reactions or std_reactions())
    text = CRAFT_HEAD.format(unit=unit, joints=joints, members=members, beta=beta,
                             reactions=raw_reactions, design=design, blocks=blocks)
    path = os.path.join(tmp, name + ".ANL")
    with open(path, "wb") as fh:
        data = text.lstrip("\n").encode("latin-1")
        if crlf:
            data = data.replace(b"\n", b"\r\n")
        fh.write(data)
    return path


def crafted_files(tmp):
    files = []
    add = lambda n, **kw: files.append((n, craft(tmp, n, **kw)))
    add("c_base")
    add("c_e_minus", joints="""   4. 1 0 0 0; 2 4.5 0 0; 3 1.25E-03 0 5; 4 4.5 0 5; 5 0 3 0; 6 4.5 3 0
   5. 7 0 3 5; 8 4.5 3 5.""")
    add("c_e_minus_joint", joints="""   4. 1 0 0 0; 2 4.5 0 0; 3 0 0 5; 4 4.5 0 5; 5 0 3 0; 6 4.5 3 0
   5. 7 0 3 5; 8 4.5 3 5; 9 2.5E-04 7.5E-01 2""")
    add("c_beta_ranges", beta="  10. BETA 90 MEMB 1 TO 2 3 4 TO 4 7")
    add("c_beta_two_blanks", beta="  10. BETA 90 MEMB 1  TO 3 4 ")
    add("c_beta_single_digit", beta="  10. BETA 90 MEMB 3")
    add("c_beta_cont", beta="  10. BETA 90 MEMB 1 2 -\n  11. 3 TO 4 -\n  12. 9")
    add("c_beta_second", beta="  10. BETA 90 MEMB 1 TO 2 \n  11. BETA 90 MEMB 3 4 ")
    add("c_beta_twice", beta="  10. BETA 90 MEMB 1 1 2 \n  11. CONSTANTS\n  12. BETA 90 MEMB 4 ")
    add("c_beta_down", beta="  10. BETA 90 MEMB 4 TO 2 1 ")
    # reactions: a further case whose first number starts at column 8
    rx = reaction_lines(std_reactions()).split("\n")
    rx.insert(3, "       4     0.50    150.00      0.20      1.00      0.00      2.00")
    add("c_react_col8", raw_reactions="\n".join(rx))
    # FORCE-Y not positive
    add("c_fy_neg", reactions=[(1, [(1, 0, 300, 0, 5, 0, 5), (2, 0, -20, 0, 1, 0, 1)]),
                               (2, [(1, 0, 0.0, 0, 0, 0, 0), (2, 0, 250, 0, 2, 0, 3)]),
                               (3, [(1, 0, 200, 0, 0, 0, 0), (2, 0, 210, 0, 0, 0, 0)]),
                               (4, [(1, 0, 220, 0, 0, 0, 0), (2, 0, 230, 0, 0, 0, 0)])])
    add("c_fy_negzero", raw_reactions="""      1    1      0.00     -0.00      0.00      0.00      0.00      0.00
           2      0.00    120.00      0.00      1.00      0.00      1.00

      2    1      0.00    300.00      0.00      0.00      0.00      0.00
           2      0.00    310.00      0.00      0.00      0.00      0.00
""")
    add("c_fc_kn", design="  31. FYMAIN 415000 ALL\n  32. FC 25000 ALL")
    add("c_fc_kn_small", design="  31. FYMAIN 415 ALL\n  32. FC 20 ALL")
    add("c_fc_missing", design="  30. UNIT MMS NEWTON\n  31. FYMAIN 415 ALL")
    add("c_fc_first", design="  30. UNIT MMS NEWTON\n  31. FC 30 ALL\n  32. FYMAIN 500 ALL")
    add("c_fc_grade22", design="  30. UNIT MMS NEWTON\n  31. FYMAIN 415 ALL\n  32. FC 22 ALL")
    add("c_fc_grade15", design="  30. UNIT MMS NEWTON\n  31. FYMAIN 250 ALL\n  32. FC 15 ALL")
    add("c_fc_grade40", design="  30. UNIT MMS NEWTON\n  31. FYMAIN 500 ALL\n  32. FC 40 ALL")
    add("c_mms", unit="MMS NEWTON", joints="""   4. 1 0 0 0; 2 4500 0 0; 3 0 0 5000; 4 4500 0 5000; 5 0 3000 0
   5. 6 4500 3000 0; 7 0 3000 5000; 8 4500 3000 5000""")
    add("c_unit_bad", unit="FEET KIP")
    add("c_no_design", design="", blocks="")
    add("c_no_react", raw_reactions="")
    add("c_beam_zero", blocks=COLBLOCK.format(m=1, a=300, b=450)
        + BEAMBLOCK.format(m=0, b="450.0") + BEAMBLOCK.format(m=5, b="451.5"))
    add("c_crlf", crlf=True)
    add("c_light", reactions=std_reactions(fys=(8, 5, 12, 3), cases=2))
    add("c_heavy", reactions=std_reactions(fys=(2500, 1800, 3100, 900), cases=4))
    add("c_col_dup", blocks="".join(COLBLOCK.format(m=m, a=300 + 10 * m, b=450)
                                    for m in (1, 1, 2, 3, 4)))
    add("c_trailing_blank", joints="""   4. 1 0 0 0; 2 4.5 0 0; 3 0 0 5; 4 4.5 0 5; 5 0 3 0; 6 4.5 3 0 
   5. 7 0 3 5; 8 4.5 3 5""")
    add("c_react_exp", raw_reactions="""      1    1      0.00    300.00      0.00   1.5E-03      0.00      2.00
           2      0.00    310.00      0.00      0.00      0.00      0.00

      2    1      0.00    280.00      0.00      4.00      0.00      0.00
           2      0.00    250.00      0.00      0.00      0.00      3.00
""")
    add("c_members_down", members="""   6. MEMBER INCIDENCES
   7. 1 5 1; 2 6 2; 3 7 3; 4 8 4; 5 6 5; 6 8 7; 7 7 5; 8 8 6
   8. DEFINE MATERIAL START""")
    add("c_tie_half", reactions=[(1, [(1, 0, 400, 0, 0, 0, 0)]), (2, [(1, 0, 400, 0, 0, 0, 0)]),
                                 (3, [(1, 0, 100, 0, 0, 0, 0)]), (4, [(1, 0, 900, 0, 0, 0, 0)])])
    # two trailing blanks on a joint line: the blank before the line end reads as a value
    add("c_joint_trail2", joints="""   4. 1 0 0 0; 2 4.5 0 0; 3 0 0 5; 4 4.5 0 5; 5 0 3 0; 6 4.5 3 0  
   5. 7 0 3 5; 8 4.5 3 5""")
    # irregular frame: joints out of order, negative Z, reversed members, a column that
    # bridges a missing level, a support above the lowest level, an unknown support joint,
    # a support listed twice, section and grade values on a half
    add("c_geom", joints="""   4. 12 5 6 -4; 1 0 0 0; 2 5 0 0; 3 0 0 -4; 4 5 0 -4; 5 0 3 0
   5. 6 5 3 0; 7 0 3 -4; 9 0 6 0; 10 5 6 0; 11 0 6 -4
   6. 13 2.5 1.5 -2""",
        members="""   7. MEMBER INCIDENCES
   8. 1 1 5; 2 6 2; 3 3 7; 4 12 4; 5 5 9; 6 10 6; 7 7 11; 8 6 5; 9 9 10
   9. 10 12 10; 11 11 12; 12 13 6
  10. DEFINE MATERIAL START""",
        beta="  11. BETA 90 MEMB 2 TO 4 ",
        design="  30. UNIT MMS NEWTON\n  31. FYMAIN 415.5 ALL\n  32. FC 27.5 ALL",
        blocks="".join(COLBLOCK.format(m=m, a=a, b=b) for m, a, b in
                       ((1, 300, 450), (2, "300.5", "450.5"), (3, "301.5", "451.5"),
                        (4, 350, 600), (5, 300, 450), (6, 300, 450), (7, 300, 450)))
        .replace("{a}.0", ""),
        reactions=[(1, [(1, 0, 410, 0, 3, 0, 4), (2, 0, 380, 0, 12, 0, -7)]),
                   (2, [(1, 0, 520, 0, -3, 0, 4), (2, 0, 300, 0, 1, 0, 2)]),
                   (3, [(1, 0, 610, 0, 0, 0, 0), (2, 0, 640, 0, 30, 0, -30)]),
                   (4, [(1, 0, 220, 0, 3, 0, 4), (2, 0, 230, 0, 0, 0, 0)]),
                   (13, [(1, 0, 150, 0, 1, 0, 1), (2, 0, 160, 0, 2, 0, 2)]),
                   (99, [(1, 0, 180, 0, 1, 0, 1), (2, 0, 190, 0, 2, 0, 2)]),
                   (2, [(1, 0, 900, 0, 1, 0, 1), (2, 0, 950, 0, 2, 0, 2)])])
    add("c_fy_missing", design="  30. UNIT MMS NEWTON\n  31. FC 25 ALL")
    add("c_fc_tie", design="  30. UNIT MMS NEWTON\n  31. FYMAIN 500 ALL\n  32. FC 22.5 ALL")
    # very light supports: group sides below the pedestal and one or no bar
    add("c_tiny", reactions=[(1, [(1, 0, 2, 0, 0, 0, 0)]), (2, [(1, 0, 20, 0, 0, 0, 0)]),
                             (3, [(1, 0, 40, 0, 0.5, 0, 0)]), (4, [(1, 0, 0.5, 0, 0, 0, 0)])])
    # 36 load cases: slot 35 is not sized; a zero FORCE-Y there is reported only
    rows36 = []
    for i, fy in enumerate((500, 420, 380, 300)):
        cs = [(c + 1, 0, fy + c, 0, 1 + c % 3, 0, 2 - c % 2) for c in range(36)]
        if i == 1:
            cs[35] = (36, 0, 0.0, 0, 1, 0, 1)
        if i == 2:
            cs[35] = (36, 0, -50.0, 0, 1, 0, 1)
        rows36.append((i + 1, cs))
    add("c_36cases", reactions=rows36)
    add("c_uneven_cases", reactions=[(1, [(1, 0, 300, 0, 1, 0, 1), (2, 0, 350, 0, 2, 0, 2)]),
                                     (2, [(1, 0, 310, 0, 1, 0, 1), (2, 0, 320, 0, 9, 0, 9),
                                          (3, 0, 600, 0, 4, 0, 4), (4, 0, 700, 0, 1, 0, 1)]),
                                     (3, [(1, 0, 200, 0, 1, 0, 1)]),
                                     (4, [(1, 0, 250, 0, 1, 0, 1), (2, 0, 900, 0, 1, 0, 1),
                                          (3, 0, 260, 0, 1, 0, 1)])])
    add("c_case_zero", reactions=[(1, [(1, 0, 300, 0, 1, 0, 1), (2, 0, 350, 0, 2, 0, 2)]),
                                  (2, [(1, 0, 310, 0, 1, 0, 1), (0, 0, 800, 0, 9, 0, 9),
                                       (3, 0, 600, 0, 4, 0, 4)])])
    # exponents in the joint list: only "E-" pieces become 0.0; "E+" and "D-" split a value
    add("c_e_glued", joints="""   4. 1 0 0 0; 2 4.5 0 0; 3 0 0 2.5E-04;4 4.5 0 5; 5 0 3 0; 6 4.5 3 0
   5. 7 0 3 5; 8 4.5 3 5""")
    add("c_e_plus", joints="""   4. 1 0 0 0; 2 4.5E+00 0 0; 3 0 0 5; 4 4.5 0 5; 5 0 3 0; 6 4.5 3 0
   5. 7 0 3 5; 8 4.5 3 5; 9 1 1 1; 10 2 2 2; 11 3 3 3""")
    add("c_d_exp", joints="""   4. 1 0 0 0; 2 4.5 0 0; 3 0 0 5; 4 4.5 0 5; 5 0 3 0; 6 4.5 3 0
   5. 7 0 3 5; 8 4.5 3 5; 9 1.5D-03 3 5; 10 4.5 3 5; 11 1 1 1""")
    add("c_beta_end_range", beta="  10. BETA 90 MEMB 1 TO 3")
    add("c_beta_far", beta="  10. CONSTANTS BETA 90 MEMB 1 2 ")
    add("c_beta_blank_cont", beta="  10. BETA 90 MEMB 1 -\n\n   PAGE HEAD\n  11. 2 3 ")
    add("c_unit_mms_eol", unit="MMS")
    add("c_unit_kn_meter", unit="KN METER")
    add("c_two_tables", raw_reactions=reaction_lines(std_reactions()) + """
  SUPPORT REACTIONS -UNIT KN   METE      STRUCTURE TYPE = SPACE
""" + reaction_lines(std_reactions(fys=(100, 200, 300, 400), cases=2)))
    add("c_fc_same_line", design="  30. UNIT MMS NEWTON\n  31. FYMAIN 415 FC 25\n  32. FC 30")
    add("c_fc_digits", design="  30. UNIT MMS NEWTON\n  31. FYMAIN 415 ALL\n  32. FC 2 5 ALL")
    # strong steel demand: high grades, mild steel, heavy loads
    for fck, fy in ((40, 250), (35, 250), (30, 250), (25, 250), (20, 250), (15, 415)):
        add("c_pt_%d_%d" % (fck, fy),
            design="  30. UNIT MMS NEWTON\n  31. FYMAIN %d ALL\n  32. FC %d ALL" % (fy, fck),
            reactions=std_reactions(fys=(3500, 2200, 5100, 1400), cases=3))
    # columns off one line: skewed pairs along Z and X, a deviation, a 500-600 mm offset
    pts = [(1, 0, 0), (2, 0.3, 3), (3, 0.305, 6), (4, 5, 0), (5, 8, 0.55), (6, 12, -0.02),
           (7, 5, 0.9), (8, 16, 0.5)]
    jl = []
    for j, x, z in pts:
        jl.append("%d %g 0 %g" % (j, x, z))
        jl.append("%d %g 3 %g" % (j + 10, x, z))
    add("c_skew", joints="   4. " + "; ".join(jl[:8]) + "\n   5. " + "; ".join(jl[8:]),
        members="   6. MEMBER INCIDENCES\n   7. "
        + "; ".join("%d %d %d" % (j, j, j + 10) for j, _, _ in pts)
        + "\n   8. DEFINE MATERIAL START", beta="   9. CONSTANTS",
        blocks="".join(COLBLOCK.format(m=j, a=300, b=450) for j, _, _ in pts),
        reactions=[(j, [(1, 0, 300 + 40 * i, 0, 5 - i, 0, 3 * i - 7),
                        (2, 0, 200 + 25 * i, 0, -10 + 2 * i, 0, 4),
                        (3, 0, 350, 0, 1, 0, -12 + i)]) for i, (j, _, _) in enumerate(pts)])
    # byte-level variants of the base file: tabs, a lone CR inside a line, lower-case
    # exponent, reactions in other units
    with open(dict(files)["c_base"], "rb") as fh:
        base = fh.read()
    for name, old, new in (
            ("c_tab_joint", b"   4. 1 0 0 0; 2 4.5 0 0;", b"   4. 1\t0 0 0; 2 4.5 0 0;"),
            ("c_tab_react", b"      1    1", b"      1\t   1"),
            ("c_lone_cr", b"   4. 1 0 0 0; 2 4.5 0 0;", b"   4. 1 0 0 0;\r 2 4.5 0 0;"),
            ("c_lower_e", b"3 0 0 5;", b"3 1.5e-03 0 5;"),
            ("c_react_mms", b"SUPPORT REACTIONS -UNIT KN   METE",
             b"SUPPORT REACTIONS -UNIT KN   MMS ")):
        path = os.path.join(tmp, name + ".ANL")
        with open(path, "wb") as fh:
            fh.write(base.replace(old, new, 1))
        files.append((name, path))
    path = craft(tmp, "c_title_unit")
    with open(path, "rb") as fh:
        data = fh.read().replace(b"STAAD SPACE CRAFTED", b"STAAD SPACE COMMUNITY HALL")
    with open(path, "wb") as fh:
        fh.write(data)
    files.append(("c_title_unit", path))
    return files


SOILS = [("200", "1.5"), ("100", "0"), ("150", "1"), ("250", "2.5"), ("300", "3"),
         ("500", "0.5"), ("120.5", "1.5"), ("121.5", "2"), ("1000", "6"), ("50", "0.1"),
         ("350", "1.25"), ("400", "4.0"), ("175", "1.1"), ("225", "0.75"), ("200", "0.15"),
         ("200", "0.35"), ("230", "2.45"), ("49.5", "1"), ("1000.5", "6.0000001"),
         (" 200 ", "-0"), ("2e2", "1.5"), ("200.0", "1.50")]


def sweep(args):
    tmp = tempfile.mkdtemp(prefix="crosscheck-")
    files = []
    for p in sorted(os.listdir(os.path.join(REPO, "examples"))):
        if p.upper().endswith(".ANL"):
            dst = os.path.join(tmp, p)
            shutil.copy(os.path.join(REPO, "examples", p), dst)
            files.append((p, dst))
    sample = "/work/shared/samples/sample-frame.ANL"
    if os.path.exists(sample):
        dst = os.path.join(tmp, "sample-frame.ANL")
        shutil.copy(sample, dst)
        files.append(("sample-frame.ANL", dst))
    variants = [
        ["--nx", "2", "--nz", "2", "--storeys", "1", "--cases", "2", "--seed", "1"],
        ["--nx", "5", "--nz", "4", "--storeys", "3", "--cases", "8", "--seed", "2"],
        ["--nx", "3", "--nz", "3", "--storeys", "2", "--cases", "1", "--seed", "3"],
        ["--nx", "6", "--nz", "2", "--storeys", "4", "--cases", "12", "--seed", "4", "--mms"],
        ["--nx", "4", "--nz", "5", "--storeys", "2", "--cases", "35", "--seed", "5"],
        ["--nx", "3", "--nz", "2", "--storeys", "2", "--cases", "36", "--seed", "6"],
        ["--nx", "4", "--nz", "3", "--storeys", "3", "--cases", "6", "--seed", "7", "--fc",
         "25", "--fy", "500"],
        ["--nx", "4", "--nz", "3", "--storeys", "3", "--cases", "6", "--seed", "8", "--fc",
         "30"],
        ["--nx", "4", "--nz", "3", "--storeys", "3", "--cases", "6", "--seed", "9", "--fc",
         "15", "--fy", "250"],
        ["--nx", "4", "--nz", "3", "--storeys", "3", "--cases", "6", "--seed", "10", "--fc",
         "35"],
        ["--nx", "4", "--nz", "3", "--storeys", "3", "--cases", "6", "--seed", "11", "--fc",
         "40"],
        ["--nx", "4", "--nz", "3", "--storeys", "3", "--cases", "6", "--seed", "12", "--fc",
         "22"],
        ["--nx", "3", "--nz", "4", "--storeys", "2", "--cases", "4", "--seed", "13",
         "--bay-x", "3.75", "--bay-z", "6.125"],
        ["--nx", "3", "--nz", "3", "--storeys", "2", "--cases", "4", "--seed", "14",
         "--no-design-blocks"],
        ["--nx", "8", "--nz", "6", "--storeys", "5", "--cases", "10", "--seed", "15"],
        ["--nx", "2", "--nz", "3", "--storeys", "6", "--cases", "3", "--seed", "16", "--mms",
         "--bay-x", "5.5", "--bay-z", "3.3"],
        ["--nx", "5", "--nz", "5", "--storeys", "1", "--cases", "9", "--seed", "17"],
        ["--nx", "7", "--nz", "3", "--storeys", "3", "--cases", "5", "--seed", "18",
         "--fc", "20000", "--fy", "415000"],
    ]
    if not args.quick:
        for s in range(19, 19 + args.extra):
            variants.append(["--nx", str(2 + s % 6), "--nz", str(2 + (s * 7) % 5), "--storeys",
                             str(1 + s % 4), "--cases", str(1 + (s * 5) % 20), "--seed",
                             str(s)] + (["--mms"] if s % 3 == 0 else []))
    for i, v in enumerate(variants):
        files.append(("gen%02d[%s]" % (i, " ".join(v)), gen(tmp, "gen%02d" % i, v)))
    files += crafted_files(tmp)

    total = 0
    bad = 0
    soils = SOILS if not args.quick else SOILS[:4]
    for name, path in files:
        for k, (sbc, depth) in enumerate(soils):
            if args.quick and k > 1 and not name.startswith("gen"):
                continue
            total += 1
            label = "%s --sbc %s --depth %s" % (name, sbc, depth)
            label, diffs = compare_one(path, sbc, depth, label)
            if diffs:
                bad += 1
                note_summary(label, diffs)
                if not args.summary:
                    print(fmt_diff(label, diffs), flush=True)
    # soil texts the dialog refuses must be usage errors
    base = files[0][1]
    for sbc, depth in (("49", "1"), ("1001", "1"), ("200", "6.1"), ("200", "-1"),
                       ("49.4", "1"), ("1001.5", "1"), ("200", "6.000001"), ("200", "1,5"),
                       ("Select", "1.5"), ("200", "Select"), ("40000", "1")):
        total += 1
        label, diffs = compare_one(base, sbc, depth)
        if diffs:
            bad += 1
            note_summary(label, diffs)
            print(fmt_diff(label, diffs), flush=True)
    print_summary()
    print("compared %d runs, %d with differences (files in %s)" % (total, bad, tmp))
    if not args.keep:
        shutil.rmtree(tmp, ignore_errors=True)
    return 1 if bad else 0


def action_scripts(path, sbc, depth, rnd):
    """A few action scripts that fit the footings of one analysis file."""
    st, js, _ = reference(path, sbc, depth)
    if st != 0:
        return []
    foot = js["footings"]
    n = len(foot)
    ng = len(js["groups"])
    scripts = []
    # resizing, groups, schedule edits
    a = []
    for _ in range(min(6, n)):
        f = rnd.randint(1, n)
        for _ in range(rnd.randint(1, 4)):
            a.append("wheel %d %s" % (f, rnd.choice(["+1", "-1"])))
    for g in range(1, ng + 1):
        for _ in range(rnd.randint(0, 3)):
            a.append("nudge-group %d" % g)
    a.append("list-group %d" % rnd.randint(1, ng))
    if ng > 1:
        a.append("toggle-group 1")
        a.append("toggle-group %d" % ng)
    a.append("select %d" % rnd.randint(1, n))
    f = rnd.randint(1, n)
    a += ["wheel %d +1" % f, "shift-delete %d" % f, "refresh"]
    a.append("details %d" % rnd.randint(1, n))
    a.append("design")
    a += ["depth 1 0.1", "depth 1 0.9", "depth 1 abc", "pedestal 1 0.5", "dia 1", "dia 1",
          "pedestal 1 9", "depth 1 0.4567", "dia 1", "dia 1", "dia 1"]
    if ng > 1:
        a += ["toggle-group 1", "design", "dia 2", "pedestal 2 0.35"]
    a.append("list-group %d" % ng)
    scripts.append(a)
    # combined footings along Z and X
    byz = {}
    byx = {}
    for fr in foot:
        byz.setdefault(fr["x"], []).append(fr)
        byx.setdefault(fr["z"], []).append(fr)
    b = []
    for line, key, other in ((byz, "z", "x"), (byx, "x", "z")):
        for coord, frs in sorted(line.items())[:2]:
            frs = sorted(frs, key=lambda r: r["index"])
            if len(frs) >= 2:
                f1, f2 = frs[0], frs[1]
                lo = min(f1[key], f2[key]) - 10
                hi = max(f1[key], f2[key]) + 10
                if key == "z":
                    b.append("combine %d %d %d %d" % (coord - 10, lo, coord + 10, hi))
                else:
                    b.append("combine %d %d %d %d" % (lo, coord - 10, hi, coord + 10))
                b.append("details %d" % f1["index"])
                for _ in range(rnd.randint(1, 3)):
                    b.append("wheel %d %s" % (f2["index"], rnd.choice(["+1", "-1"])))
    if b and b[0].startswith("combine"):
        # disabling a member of a combined footing makes it an ordinary footing again
        b += ["refresh", "disable-mode", "press %d" % foot[0]["index"], "disable-mode",
              "details %d" % foot[0]["index"]]
    b.append("combine -1000000 -1000000 1000000 1000000")
    if b and b[0].startswith("combine"):
        b.append("shift-delete %d" % foot[0]["index"])
    b.append("details %d" % n)
    b.append("design")
    scripts.append(b)
    # column offsets, then a combine and a wheel on moved centres
    o = []
    for _ in range(min(8, n)):
        o.append("offset %d %s" % (rnd.randint(1, n),
                                   rnd.choice(["home", "left", "right", "up", "down"])))
    o += ["combine -1000000 -1000000 1000000 1000000", "details %d" % rnd.randint(1, n)]
    if len(scripts) > 1 and scripts[1] and scripts[1][0].startswith("combine"):
        o.append(scripts[1][0])
    o += ["offsets-reset", "offset 1 right", "offset 1 down", "design"]
    scripts.append(o)
    # disabling
    c = ["disable-mode"]
    for _ in range(min(5, n)):
        c.append("press %d" % rnd.randint(1, n))
    c += ["details %d" % rnd.randint(1, n), "select 1", "wheel %d +1" % n,
          "shift-delete %d" % n, "disable-mode", "select 1", "details 1", "wheel %d -1" % n,
          "disable-mode", "press %d" % n, "disable-mode"]
    scripts.append(c)
    return scripts


def sweep_actions(args):
    import random
    tmp = tempfile.mkdtemp(prefix="crosscheck-act-")
    rnd = random.Random(args.seed)
    files = []
    for p in sorted(os.listdir(os.path.join(REPO, "examples"))):
        if p.upper().endswith(".ANL"):
            dst = os.path.join(tmp, p)
            shutil.copy(os.path.join(REPO, "examples", p), dst)
            files.append(dst)
    sample = "/work/shared/samples/sample-frame.ANL"
    if os.path.exists(sample):
        dst = os.path.join(tmp, "sample-frame.ANL")
        shutil.copy(sample, dst)
        files.append(dst)
    for i in range(args.files):
        v = ["--nx", str(rnd.randint(2, 6)), "--nz", str(rnd.randint(2, 5)), "--storeys",
             str(rnd.randint(1, 4)), "--cases", str(rnd.randint(1, 12)), "--seed",
             str(100 + i), "--bay-x", rnd.choice(["1.5", "3", "4.2", "5.5"]),
             "--bay-z", rnd.choice(["1.2", "3", "5", "6.25"])]
        if rnd.random() < 0.3:
            v.append("--mms")
        files.append(gen(tmp, "agen%02d" % i, v))
    files += [p for n, p in crafted_files(tmp)
              if n not in ("c_fc_kn_small", "c_fc_missing", "c_no_design",
                           "c_fy_missing")]
    total = bad = 0
    for path in files:
        for sbc, depth in rnd.sample(SOILS, 3):
            for k, script in enumerate(action_scripts(path, sbc, depth, rnd)):
                apath = "%s.%s.%s.%d.actions" % (path, sbc, depth, k)
                with open(apath, "w") as fh:
                    fh.write("\n".join(script) + "\n")
                total += 1
                label, diffs = compare_one(path, sbc, depth, actions=apath)
                if diffs:
                    bad += 1
                    note_summary(label, diffs)
                    if not args.summary:
                        print(fmt_diff(label, diffs), flush=True)
    print_summary()
    print("compared %d action runs, %d with differences (files in %s)" % (total, bad, tmp))
    if not args.keep:
        shutil.rmtree(tmp, ignore_errors=True)
    return 1 if bad else 0


def selftest():
    """The worked examples of the system's rules, run through this model."""
    fails = []

    def check(name, got, want):
        if got != want:
            fails.append("%s: got %r, want %r" % (name, got, want))

    m = Model("-")
    m.sr = {}
    m.allow = [f32(200.0)] + [f32(250.0)] * 35
    m.earth = f32(30.0)
    m.sr_set(1, 0, 3, 0.0)
    m.sr_set(1, 0, 4, 0.0)
    check("square side, no moment", fmt_single(vround(m.square_side(1, 0, f32(550.0))
                                                      + 0.00049, 3)), "1.659")
    m.sr_set(1, 0, 3, 30.0)
    m.sr_set(1, 0, 4, 20.0)
    check("square side, 50 kNm", fmt_single(vround(m.square_side(1, 0, f32(550.0))
                                                   + 0.00049, 3)), "1.884")
    check("rectSideForCase", round(m.rect_side_for_case(1, 0, 1.75, f32(550.0)), 4), 2.0217)
    m.sr_set(1, 0, 2, 500.0)
    m.load_case_count = 0
    check("rectSide", fmt_single(m.rect_side(1, 1.75)), "2.02")
    m.fck = 25
    check("shear 2.80/M25", fmt_single(m.shear_strength(f32(2.8), 3)[0]), "0.904")
    check("shear 0.20/M20", fmt_single(m.shear_strength(f32(0.2), 2)[0]), "0.32")
    check("shear 0.10 raised", m.shear_strength(f32(0.1), 2), (f32(0.28), f32(0.15)))
    check("shear 3.5/M30", fmt_single(m.shear_strength(f32(3.5), 4)[0]), "0.96")
    for sz, ped in ((1.4, "0.4"), (1.7, "0.45"), (1.8, "0.53"), (2.3, "0.6"), (2.8, "0.75"),
                    (3.1, "0.9"), (3.2, "1.2")):
        check("pedestal %g" % sz, fmt_single(Model.pedestal_for_size(f32(sz))), ped)
    # the design worked example: one group 1.2 m, pedestal 0.3, qmax 100
    m.fck, m.fy = 20, 415
    m.n_supports = 1
    m.load_case_count = 0
    m.sr = {}
    m.sr_set(1, 0, 2, 144.0)  # 144 / 1.2 / 1.2 = 100
    m.foot = [None, dict(groupIndex=1, state=0)]
    m.groups = [None, dict(size=f32(1.2), pedestal=f32(0.3), barDia=10, nosCount=1,
                           footingNos=[1], enabled=True)]
    m.drows = {}
    m.design()
    t = m.drows[1]["texts"]
    want = {"LabNetP": "100", "LabCant": "0.45", "LabMu": "18.22", "LabMuBdd": "0.42",
            "LabPt": "0.2", "LabSF1": "47", "LabSS1": "0.21", "LabPS1": "0.32", "LabSF2": "180",
            "LabSS2": "0.48", "LabPS2": "1.12", "LabAst": "456", "TxtDepth": "0.25",
            "LabRods": "6", "LabSpace": "216"}
    for k, v in want.items():
        check("design " + k, t[k], v)
    for v, txt in ((0.1, "0.1"), (1.7, "1.7"), (3.0000001192092896, "3"), (-92.44, "-92.44"),
                   (12345.67, "12345.67"), (0.00001, "0.00001"), (-0.0, "0"), (1e7, "10000000"),
                   (0.9855907, "0.9855907")):
        check("text %r" % v, fmt_single(v), txt)
    for txt, want_v in (("1 2", 12.0), ("  -3.5E2x", -350.0), ("1.5D-3", 0.0015), ("-", 0.0),
                        ("*5", 0.0), (".5", 0.5), ("12.3.4", 12.3), ("7E", 7.0)):
        check("readNumber %r" % txt, read_number(txt), want_v)
    for f in fails:
        print("FAIL " + f)
    print("selftest: %d failures" % len(fails))
    return 1 if fails else 0


def main():
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = ap.add_subparsers(dest="cmd", required=True)
    for name in ("ref", "compare"):
        sp = sub.add_parser(name)
        sp.add_argument("file")
        sp.add_argument("--sbc", required=True)
        sp.add_argument("--depth", required=True)
        sp.add_argument("--actions")
    sw = sub.add_parser("sweep")
    sw.add_argument("--quick", action="store_true")
    sw.add_argument("--keep", action="store_true", help="keep the generated files")
    sw.add_argument("--summary", action="store_true", help="one line per differing field")
    sw.add_argument("--extra", type=int, default=20, help="further random generator runs")
    sub.add_parser("selftest")
    sa = sub.add_parser("actions")
    sa.add_argument("--files", type=int, default=12)
    sa.add_argument("--seed", type=int, default=7)
    sa.add_argument("--keep", action="store_true")
    sa.add_argument("--summary", action="store_true", help="one line per differing field")
    args = ap.parse_args()
    if args.cmd == "ref":
        st, js, msgs = reference(args.file, args.sbc, args.depth, args.actions)
        if js is None:
            for m in msgs:
                print("message: " + m, file=sys.stderr)
            return st
        json.dump(js, sys.stdout)
        print()
        return 0
    if args.cmd == "compare":
        label, diffs = compare_one(args.file, args.sbc, args.depth, actions=args.actions)
        if diffs:
            print(fmt_diff(label, diffs, limit=1000))
            return 1
        print("== %s: no differences" % label)
        return 0
    if args.cmd == "actions":
        return sweep_actions(args)
    if args.cmd == "selftest":
        return selftest()
    return sweep(args)


if __name__ == "__main__":
    sys.exit(main())
