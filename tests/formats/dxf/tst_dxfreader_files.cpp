#include "dxftestsupport.h"

#include "drawing/drawing.h"
#include "formats/dxf/reader.h"
#include "formats/formatoptions.h"

#include <QtTest>

#include <cmath>

using namespace dxftest;

// Drawings written by other programs (see tests/data/dxf/README.md). The
// expected counts follow from the entities the files hold; the bounds are
// their exact geometry, within what flattening costs where a curve bounds
// the drawing.
class TestDxfReaderFiles : public QObject
{
    Q_OBJECT

private slots:
    void drawings_data();
    void drawings();
    void exactCoordinates_data();
    void exactCoordinates();
    void notes_data();
    void notes();
    void withOptions_data();
    void withOptions();

private:
    static QString fixture(const char *name)
    {
        return QStringLiteral(TRAVINA_TEST_DATA_DIR "/dxf/") + QLatin1String(name);
    }
};

void TestDxfReaderFiles::drawings_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("objects");
    QTest::addColumn<int>("points");
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<double>("tolerance");

    // 4 lines, 4 quarter arcs of r 4.064 mm (6 points each), 2 circles of
    // 37, 2 points, a 5-vertex polyline; no $INSUNITS: inches.
    QTest::newRow("ezdxf R12 plate in inches")
        << fixture("units/ezdxf_r12_plate_inches.dxf") << 13 << 113 << QRectF(0, 0, 3 * 25.4, 2.9 * 25.4) << 1e-9;
    // The same plate at 120 x 80 mm in metres: arcs of r 6.4 mm get 10
    // points, and a third circle and point.
    QTest::newRow("ezdxf R2000 plate in metres")
        << fixture("units/ezdxf_r2000_plate_metres.dxf") << 14 << 162 << QRectF(0, 0, 120, 80) << 1e-9;
    // Circle r 12.7 mm (4 cubics of 13), line, 140-degree arc of r 20.32 mm
    // (59 points), point.
    QTest::newRow("ezdxf R2000 without $INSUNITS")
        << fixture("units/ezdxf_r2000_no_insunits.dxf") << 4 << 111 << QRectF(0, 0, 2 * 25.4, 1.5 * 25.4) << 1e-9;
    // Block BOSS, base (12, 8): circle, line and closed square at their own
    // coordinates plus the base point; its INSERT adds nothing.
    QTest::newRow("ezdxf R2000 block with a base point")
        << fixture("blocks/ezdxf_r2000_block_base_point_mm.dxf") << 4 << 49 << QRectF(0, 0, 60, 40) << 1e-9;
    // Block circle and line, POLYLINEs read straight and open (4 and 3
    // vertices), a point, a 120-degree arc of r 12.7 mm (34 points).
    QTest::newRow("ezdxf R12 polylines and blocks")
        << fixture("blocks/ezdxf_r12_polylines_blocks_inches.dxf") << 6 << 81 << QRectF(0, 0, 127, 63.5) << 1e-9;
    // Two ellipses, arcs of 6 and 30 points, splines of degree 1 to 3 with
    // 6 control points each at 8 points per control point.
    QTest::newRow("ezdxf R2000 ellipses, arcs and splines in centimetres")
        << fixture("curves/ezdxf_r2000_ellipse_arc_spline_cm.dxf") << 7 << 285
        << QRectF(7.74286636702215, 8, 128 - 7.74286636702215, 78.07139518086274 - 8) << 0.03;
    // The arcs of the bulges end on the painter path's cubic pieces, a
    // little beside the vertices.
    QTest::newRow("ezdxf R2000 polylines with bulges")
        << fixture("curves/ezdxf_r2000_lwpolyline_bulges_mm.dxf") << 4 << 348
        << QRectF(4.548989607055313, -5, 100 - 4.548989607055313, 75.4510103929447 + 5) << 1e-3;
    // $SPLINESEGS 4: splines of 5 and 4 control points, a helix of 37; a
    // spline of fit points only, text and hatch draw nothing.
    QTest::newRow("ezdxf R2000 splines and helix")
        << fixture("splines/ezdxf_r2000_splines_helix_mm.dxf") << 3 << 184 << QRectF(-5, -10, 65, 70) << 0.02;
    // 353 lines of which 9 have no length; Inkscape writes no $INSUNITS.
    QTest::newRow("Inkscape R12 export")
        << fixture("lines/inkscape_r12_lemon.dxf") << 344 << 688
        << QRectF(0, -0.072152 * 25.4, 88.791964 * 25.4, 72.5009 * 25.4 + 0.072152 * 25.4) << 1e-9;
}

void TestDxfReaderFiles::drawings()
{
    QFETCH(QString, file);
    QFETCH(int, objects);
    QFETCH(int, points);
    QFETCH(QRectF, bounds);
    QFETCH(double, tolerance);
    Drawing drawing;
    QVERIFY(readDxf(file, drawing));
    QCOMPARE(drawing.objects().size(), objects);
    QCOMPARE(pointCount(drawing), points);
    const QByteArray mismatch = boundsMismatch(drawing.bounds(), bounds, tolerance);
    QVERIFY2(mismatch.isEmpty(), mismatch.constData());
}

void TestDxfReaderFiles::exactCoordinates_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("object");
    QTest::addColumn<int>("point");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    const QString plate = fixture("units/ezdxf_r12_plate_inches.dxf");
    QTest::newRow("R12 line start") << plate << 0 << 0 << 0.16 * 25.4 << 0.0;
    QTest::newRow("R12 line end") << plate << 0 << 1 << 2.84 * 25.4 << 0.0;
    QTest::newRow("R12 polyline vertex") << plate << 12 << 2 << 1.8 * 25.4 << 2.5 * 25.4;
    QTest::newRow("metres") << fixture("units/ezdxf_r2000_plate_metres.dxf") << 0 << 1 << 0.11359999999999999 * 1000
                            << 0.0;
    QTest::newRow("block line shifted by the base point")
        << fixture("blocks/ezdxf_r2000_block_base_point_mm.dxf") << 1 << 0 << -9.0 + 12 << 0.0 + 8;
    QTest::newRow("block base point in inches")
        << fixture("blocks/ezdxf_r12_polylines_blocks_inches.dxf") << 1 << 0 << -0.5 * 25.4 + 1 * 25.4
        << 0 * 25.4 + 0.5 * 25.4;
    const QString splines = fixture("curves/ezdxf_r2000_ellipse_arc_spline_cm.dxf");
    QTest::newRow("spline starts on its first control point") << splines << 4 << 0 << 8.8 * 10
                                                              << 1.8370739302193342 * 10;
    QTest::newRow("spline ends on its last control point") << splines << 6 << 47 << 12.8 * 10
                                                           << 7.696322787438207 * 10;
    QTest::newRow("helix starts on its first control point")
        << fixture("splines/ezdxf_r2000_splines_helix_mm.dxf") << 2 << 0 << 5.0 << 0.0;
    QTest::newRow("vertex before a bulge") << fixture("curves/ezdxf_r2000_lwpolyline_bulges_mm.dxf") << 2 << 1 << 37.6
                                           << 53.5;
    QTest::newRow("Inkscape line") << fixture("lines/inkscape_r12_lemon.dxf") << 0 << 0 << 23.7267 * 25.4
                                   << 49.7362 * 25.4;
}

void TestDxfReaderFiles::exactCoordinates()
{
    QFETCH(QString, file);
    QFETCH(int, object);
    QFETCH(int, point);
    QFETCH(double, x);
    QFETCH(double, y);
    Drawing drawing;
    QVERIFY(readDxf(file, drawing));
    const DrawingPoint *p = drawing.objects().at(object).points.at(point);
    DXF_COMPARE_EXACTLY(p->x, x);
    DXF_COMPARE_EXACTLY(p->y, y);
}

// The complete drawings have no note: R2000 block BOSS is inserted at
// twice its base point, which is where its entities are drawn.
void TestDxfReaderFiles::notes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("notes");
    QTest::newRow("metres") << fixture("units/ezdxf_r2000_plate_metres.dxf") << QString();
    QTest::newRow("ellipses, arcs and splines") << fixture("curves/ezdxf_r2000_ellipse_arc_spline_cm.dxf") << QString();
    QTest::newRow("bulges") << fixture("curves/ezdxf_r2000_lwpolyline_bulges_mm.dxf") << QString();
    QTest::newRow("block inserted where it is drawn") << fixture("blocks/ezdxf_r2000_block_base_point_mm.dxf")
                                                      << QString();
    const QString inches = QStringLiteral("assumed:unit inch ($INSUNITS missing):1");
    QTest::newRow("no $INSUNITS") << fixture("units/ezdxf_r2000_no_insunits.dxf") << inches;
    QTest::newRow("Inkscape") << fixture("lines/inkscape_r12_lemon.dxf") << inches;
    QTest::newRow("spline of fit points, text and hatch")
        << fixture("splines/ezdxf_r2000_splines_helix_mm.dxf")
        << QStringLiteral("skipped:SPLINE without control points:1; notDrawn:TEXT:1; notDrawn:HATCH:1");
    // FLANGE, base point (1, 0.5), inserted at (3, 3).
    QTest::newRow("R12 polylines and block")
        << fixture("blocks/ezdxf_r12_polylines_blocks_inches.dxf")
        << inches + QStringLiteral("; asLines:POLYLINE:1; skipped:closing segment of a POLYLINE:1; "
                                   "elsewhereDrawn:FLANGE:1");
}

void TestDxfReaderFiles::notes()
{
    QFETCH(QString, file);
    QFETCH(QString, notes);
    Drawing drawing;
    QVERIFY(readDxf(file, drawing));
    QCOMPARE(notesText(drawing.notes()), notes);
}

// The same files drawn as the programs that made them show them.
void TestDxfReaderFiles::withOptions_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("placeBlocks");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("objects");
    QTest::addColumn<int>("points");
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<QString>("notes");

    // FLANGE (circle of r 0.25 in, 37 points, and a line) moves by its
    // insertion point (3, 3) less its base point (1, 0.5) to (2, 2.5), its
    // circle's top to 2.75 in. The closed POLYLINE gains its closing
    // segment and the arc of bulge 0.5 on its 1 in side: r 0.625 in, 39
    // points for its extent of 1 in, so 42 points for the polyline. Then
    // the open polyline (3), the point and the arc (34).
    QTest::newRow("R12 blocks and polylines placed")
        << fixture("blocks/ezdxf_r12_polylines_blocks_inches.dxf") << true << QStringLiteral("inch") << 6
        << 37 + 2 + 42 + 3 + 1 + 34 << QRectF(0, 0, 127, 2.75 * 25.4)
        << QStringLiteral("assumed:unit inch ($INSUNITS missing):1");
    // BOSS is inserted at twice its base point: where it was drawn before.
    QTest::newRow("R2000 block placed where it was drawn")
        << fixture("blocks/ezdxf_r2000_block_base_point_mm.dxf") << true << QStringLiteral("inch") << 4 << 49
        << QRectF(0, 0, 60, 40) << QString();
    // Inkscape writes millimetres and says nothing of them.
    QTest::newRow("Inkscape R12 export in millimetres")
        << fixture("lines/inkscape_r12_lemon.dxf") << false << QStringLiteral("mm") << 344 << 688
        << QRectF(0, -0.072152, 88.791964, 72.5009 + 0.072152)
        << QStringLiteral("assumed:unit millimetre ($INSUNITS missing):1");
}

void TestDxfReaderFiles::withOptions()
{
    QFETCH(QString, file);
    QFETCH(bool, placeBlocks);
    QFETCH(QString, unit);
    QFETCH(int, objects);
    QFETCH(int, points);
    QFETCH(QRectF, bounds);
    QFETCH(QString, notes);
    ConversionOptions options;
    options.dxfPlaceBlocks = placeBlocks;
    options.dxfUnitWhenUnnamed = unit;
    const ScopedConversionOptions scoped(options);
    Drawing drawing;
    QVERIFY(readDxf(file, drawing));
    QCOMPARE(drawing.objects().size(), objects);
    QCOMPARE(pointCount(drawing), points);
    const QByteArray mismatch = boundsMismatch(drawing.bounds(), bounds, 1e-9);
    QVERIFY2(mismatch.isEmpty(), mismatch.constData());
    QCOMPARE(notesText(drawing.notes()), notes);
}

QTEST_GUILESS_MAIN(TestDxfReaderFiles)
#include "tst_dxfreader_files.moc"
