#!/usr/bin/python3
# Writes the ezdxf fixtures of this folder. Run with Debian's python3-ezdxf
# (0.18.1): /usr/bin/python3 make_ezdxf_fixtures.py
import ezdxf
from ezdxf.math import Vec3


def splines_helix_mm(path):
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    doc.header["$SPLINESEGS"] = 4
    msp = doc.modelspace()
    msp.add_open_spline([(0, 0), (10, 20), (30, 20), (40, 0), (60, -10)], degree=3)
    msp.add_open_spline([(0, 40), (20, 60), (40, 40), (60, 60)], degree=2)
    msp.add_spline(fit_points=[(0, 80), (20, 90), (40, 80)])  # fit points only: not drawn
    msp.add_helix(radius=5, pitch=2, turns=3)
    msp.add_text("not drawn", dxfattribs={"insert": (0, -20), "height": 5})
    hatch = msp.add_hatch()
    hatch.paths.add_polyline_path([(70, 70), (90, 70), (90, 90)], is_closed=True)
    doc.saveas(path)


def polylines_blocks_inches(path):
    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    flange = doc.blocks.new("FLANGE", base_point=(1, 0.5))
    flange.add_circle((0, 0), radius=0.25)
    flange.add_line((-0.5, 0), (0.5, 0))
    msp.add_blockref("FLANGE", (3, 3))
    # Bulges and the closed flag of a POLYLINE are not read: straight, open.
    poly = msp.add_polyline2d([(0, 0), (2, 0), (2, 1), (0, 1)], format="xy", close=True)
    poly.vertices[1].dxf.bulge = 0.5
    msp.add_polyline2d([(3, 0), (4, 0.5), (5, 0)])
    msp.add_point((2.5, 2.5))
    msp.add_arc((4, 2), radius=0.5, start_angle=30, end_angle=150)
    doc.saveas(path)


splines_helix_mm("splines/ezdxf_r2000_splines_helix_mm.dxf")
polylines_blocks_inches("blocks/ezdxf_r12_polylines_blocks_inches.dxf")
