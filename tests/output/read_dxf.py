"""Reads a DXF file with ezdxf (python3-ezdxf) as a CAD program would, audits it, and dumps what
the tests look at, one item a line, tab-separated:
audit ERRORS FIXES | layer NAME | poly LAYER CLOSED LINETYPE X1 Y1 X2 Y2 (bounding box) |
line LAYER X1 Y1 X2 Y2 | circle LAYER X Y R | text LAYER X Y HEIGHT TEXT (the alignment point)."""
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("audit\t%d\t%d" % (len(auditor.errors), len(auditor.fixes)))
for layer in doc.layers:
    print("layer\t%s" % layer.dxf.name)
for e in doc.modelspace():
    kind = e.dxftype()
    layer = e.dxf.layer
    if kind == "POLYLINE":
        pts = [v.dxf.location for v in e.vertices]
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        print("poly\t%s\t%d\t%s\t%r\t%r\t%r\t%r" % (layer, 1 if e.is_closed else 0,
                                                 e.dxf.get("linetype", "BYLAYER"),
                                                 min(xs), min(ys), max(xs), max(ys)))
    elif kind == "LINE":
        print("line\t%s\t%r\t%r\t%r\t%r" % (layer, e.dxf.start[0], e.dxf.start[1], e.dxf.end[0],
                                           e.dxf.end[1]))
    elif kind == "CIRCLE":
        print("circle\t%s\t%r\t%r\t%r" % (layer, e.dxf.center[0], e.dxf.center[1],
                                          e.dxf.radius))
    elif kind == "TEXT":
        aligned = e.dxf.get("halign", 0) != 0 or e.dxf.get("valign", 0) != 0
        at = e.dxf.align_point if aligned else e.dxf.insert
        print("text\t%s\t%r\t%r\t%r\t%s" % (layer, at[0], at[1], e.dxf.height, e.dxf.text))
    else:
        print("other\t%s\t%s" % (kind, layer))
