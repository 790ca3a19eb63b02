#!/usr/bin/env python3
"""Writes an analysis output file (.ANL) of a regular RC frame in the analysis program's text
layout: title block, echo-numbered input, joints and members several to a line, BETA 90
commands, paged support reaction table, concrete design commands and design blocks.

Deterministic: the same arguments give the same file.

  gen_analysis.py --nx 5 --nz 4 --storeys 3 --cases 8 > frame.ANL
  gen_analysis.py --capacity > big.ANL      # 1000 supports x 36 cases, 12000 joints
"""
import argparse
import random
import sys


class Echo:
    """Numbers input lines as the analysis program echoes them and breaks pages."""

    def __init__(self, out, title, lines_per_page=58):
        self.out, self.title, self.n, self.page, self.rows = out, title, 0, 1, 0
        self.lines_per_page = lines_per_page

    def raw(self, text=""):
        self.out.append(text)
        self.rows += 1
        if self.rows >= self.lines_per_page:
            self.page += 1
            self.rows = 0
            self.out.append("")
            self.out.append("   %-55s -- PAGE NO. %4d" % (self.title, self.page))
            self.out.append("")

    def cmd(self, text):
        self.n += 1
        self.raw("%4d. %s" % (self.n, text))


def pack(items, width=72):
    """Entries joined by '; ' into lines no wider than width."""
    lines, cur = [], ""
    for it in items:
        cand = it if not cur else cur + "; " + it
        if len(cand) > width and cur:
            lines.append(cur)
            cur = it
        else:
            cur = cand
    if cur:
        lines.append(cur)
    return lines


def fmt_len(v):
    s = ("%.3f" % v).rstrip("0").rstrip(".")
    return s if s else "0"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--nx", type=int, default=5, help="column lines along X")
    ap.add_argument("--nz", type=int, default=4, help="column lines along Z")
    ap.add_argument("--storeys", type=int, default=3)
    ap.add_argument("--cases", type=int, default=8)
    ap.add_argument("--bay-x", type=float, default=4.2, help="bay along X, m")
    ap.add_argument("--bay-z", type=float, default=5.0, help="bay along Z, m")
    ap.add_argument("--storey-height", type=float, default=3.3)
    ap.add_argument("--mms", action="store_true", help="input in millimetres (UNIT MMS NEWTON)")
    ap.add_argument("--fc", default="20")
    ap.add_argument("--fy", default="415")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--max-members", type=int, default=15000)
    ap.add_argument("--no-design-blocks", action="store_true")
    ap.add_argument("--capacity", action="store_true",
                    help="40 x 25 supports, 12 levels, 36 cases, members up to 15000")
    ap.add_argument("--title", default="GENERATED FRAME")
    a = ap.parse_args()
    if a.capacity:
        a.nx, a.nz, a.storeys, a.cases = 40, 25, 11, 36
    rnd = random.Random(a.seed)
    scale = 1000.0 if a.mms else 1.0
    out = []
    e = Echo(out, a.title)
    for t in ["", " " + "*" * 52, " *" + " " * 50 + "*",
              " *   FRAME ANALYSIS - TEXT OUTPUT" + " " * 19 + "*",
              " *   Generated for testing" + " " * 26 + "*", " *" + " " * 50 + "*",
              " " + "*" * 52, ""]:
        e.raw(t)
    e.cmd("STAAD SPACE " + a.title)
    e.raw(" INPUT FILE: GENERATED.STD")
    e.cmd("START JOB INFORMATION")
    e.cmd("END JOB INFORMATION")
    e.cmd("INPUT WIDTH 79")
    e.cmd("UNIT MMS NEWTON" if a.mms else "UNIT METER KN")
    e.cmd("JOINT COORDINATES")
    levels = a.storeys + 1
    joints = {}
    items = []
    j = 0
    for y in range(levels):
        for iz in range(a.nz):
            for ix in range(a.nx):
                j += 1
                joints[(ix, y, iz)] = j
                items.append("%d %s %s %s" % (j, fmt_len(ix * a.bay_x * scale),
                                              fmt_len(y * a.storey_height * scale),
                                              fmt_len(iz * a.bay_z * scale)))
    for line in pack(items):
        e.cmd(line)
    e.cmd("MEMBER INCIDENCES")
    members = []
    columns = []
    beams = []
    m = 0
    for y in range(1, levels):
        for iz in range(a.nz):
            for ix in range(a.nx):
                if m >= a.max_members:
                    break
                m += 1
                members.append((m, joints[(ix, y - 1, iz)], joints[(ix, y, iz)]))
                columns.append(m)
    for y in range(1, levels):
        for iz in range(a.nz):
            for ix in range(a.nx - 1):
                if m >= a.max_members:
                    break
                m += 1
                # Every other beam is written from its far end, as users often do.
                ends = (joints[(ix, y, iz)], joints[(ix + 1, y, iz)])
                if (ix + iz) % 3 == 2:
                    ends = ends[::-1]
                members.append((m, ends[0], ends[1]))
                beams.append((m, a.bay_x))
        for ix in range(a.nx):
            for iz in range(a.nz - 1):
                if m >= a.max_members:
                    break
                m += 1
                members.append((m, joints[(ix, y, iz)], joints[(ix, y, iz + 1)]))
                beams.append((m, a.bay_z))
    for line in pack(["%d %d %d" % mm for mm in members]):
        e.cmd(line)
    e.cmd("DEFINE MATERIAL START")
    e.cmd("ISOTROPIC CONCRETE")
    e.cmd("E 2.17185E+007")
    e.cmd("END DEFINE MATERIAL")
    e.cmd("MEMBER PROPERTY INDIAN")
    e.cmd("1 TO %d PRIS YD 0.45 ZD 0.3" % len(columns))
    e.cmd("CONSTANTS")
    ground = min(len(columns), a.nx * a.nz)
    beta = [1, 2, 3] if ground >= 4 else [1]
    if ground >= 4:
        e.cmd("BETA 90 MEMB 1 TO 3 %d" % ground)
    else:
        e.cmd("BETA 90 MEMB 1")
    e.cmd("MATERIAL CONCRETE ALL")
    e.cmd("SUPPORTS")
    e.cmd("1 TO %d FIXED" % (a.nx * a.nz))
    for c in range(1, a.cases + 1):
        e.cmd("LOAD %d LOADTYPE None TITLE LOAD CASE %d" % (c, c))
        e.cmd("SELFWEIGHT Y -1")
    e.cmd("PERFORM ANALYSIS")
    e.raw("")
    e.raw("    NUMBER OF JOINTS %11d  NUMBER OF MEMBERS %10d" % (j, m))
    e.raw("    NUMBER OF SUPPORTS %9d" % (a.nx * a.nz))
    e.raw("")
    e.cmd("LOAD LIST ALL")
    e.cmd("PRINT SUPPORT REACTION")
    head = ["", "  SUPPORT REACTIONS -UNIT KN   METE      STRUCTURE TYPE = SPACE",
            "  -----------------", "",
            "  JOINT  LOAD   FORCE-X   FORCE-Y   FORCE-Z     MOM-X     MOM-Y     MOM Z", ""]
    for t in head:
        e.raw(t)
    rows_on_page = 0
    support = 0
    for iz in range(a.nz):
        for ix in range(a.nx):
            support += 1
            jn = joints[(ix, 0, iz)]
            base = 150 + 350 * rnd.random() + (200 if 0 < ix < a.nx - 1 else 0) + \
                (150 if 0 < iz < a.nz - 1 else 0)
            for c in range(1, a.cases + 1):
                kind = c % 4
                fy = base * (1.0 if kind == 1 else 0.4 if kind == 2 else 1.5 if kind == 0 else 0.8)
                fy *= 0.85 + 0.3 * rnd.random()
                mx = (rnd.random() - 0.5) * (8 if kind != 3 else 70)
                mz = (rnd.random() - 0.5) * (8 if kind != 0 else 70)
                fx = (rnd.random() - 0.5) * 40
                fz = (rnd.random() - 0.5) * 40
                my = (rnd.random() - 0.5) * 0.8
                vals = "%10.2f%10.2f%10.2f%10.2f%10.2f%10.2f" % (fx, fy, fz, mx, my, mz)
                if c == 1:
                    e.raw("%7d %4d%s" % (jn, c, vals))
                else:
                    e.raw("%7s %4d%s" % ("", c, vals))
                rows_on_page += 1
                if rows_on_page >= 48:
                    rows_on_page = 0
                    for t in head:
                        e.raw(t)
            e.raw("")
    e.raw("")
    e.raw(" ************** END OF LATEST ANALYSIS RESULT **************")
    e.raw("")
    e.cmd("START CONCRETE DESIGN")
    e.raw(" CONCRETE DESIGN")
    e.cmd("CODE INDIAN")
    if not a.mms:
        e.cmd("UNIT MMS NEWTON")
    e.cmd("FYMAIN %s ALL" % a.fy)
    e.cmd("FC %s ALL" % a.fc)
    e.cmd("DESIGN BEAM ALL")
    e.cmd("DESIGN COLUMN ALL")
    if not a.no_design_blocks:
        for (bm, length) in beams:
            e.raw("")
            e.raw(" " + "=" * 76)
            e.raw("")
            e.raw("                  B E A M  N O. %5d   D E S I G N   R E S U L T S" % bm)
            e.raw("")
            e.raw("          M20                    Fe415 (Main)               Fe415 (Sec.)")
            e.raw("")
            e.raw("          LENGTH: %7.1f mm       SIZE:  230.0 mm X  450.0 mm   COVER: 25.0 mm"
                  % (length * 1000))
            e.raw("")
            e.raw("          BOTTOM STEEL AT MID SPAN   :  3 BARS OF 16 MM DIA")
        for cm in columns:
            d3, d4 = (300.0, 450.0) if cm % 5 else (300.0, 500.0)
            e.raw("")
            e.raw(" " + "=" * 76)
            e.raw("")
            e.raw("                  C O L U M N   N O. %5d  D E S I G N   R E S U L T S" % cm)
            e.raw("")
            e.raw("          M20                    Fe415 (Main)               Fe415 (Sec.)")
            e.raw("")
            e.raw("          LENGTH: %7.1f mm  CROSS SECTION: %6.1f mm X %6.1f mm  COVER: 40.0 mm"
                  % (a.storey_height * 1000, d3, d4))
            e.raw("")
            e.raw("          MAIN BARS            :  6 BARS OF 16 MM DIA")
    e.raw("")
    e.cmd("END CONCRETE DESIGN")
    e.cmd("FINISH")
    e.raw("")
    e.raw(" *********** END OF THE RUN ***********")
    sys.stdout.write("\r\n".join(out) + "\r\n")


if __name__ == "__main__":
    main()
