#include "guitestsupport.h"

#include "app/settings.h"

#include <QtTest>
#include <QtWidgets>

namespace {

QPushButton *button(Settings &dialog, QDialogButtonBox::StandardButton which)
{
    return child<QDialogButtonBox>(dialog, "buttonBox")->button(which);
}

QVariant stored(const char *key)
{
    return QSettings().value(QLatin1String(key));
}

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void firstUseShowsBuiltInValues();
    void formatListChoosesPage_data();
    void formatListChoosesPage();
    void asInFileDisablesSegments();
    void okStoresAndApplies();
    void curveOptionsStoreAndApply();
    void cancelStoresNothing_data();
    void cancelStoresNothing();
    void storedValueIsClampedToRange();

private:
    GuiTestEnvironment m_environment;
};

void TestSettingsDialog::init()
{
    m_environment.reset();
}

void TestSettingsDialog::firstUseShowsBuiltInValues()
{
    Settings dialog;
    QCOMPARE(dialog.size(), QSize(573, 493));
    QCOMPARE(child<QListWidget>(dialog, "formatList")->currentRow(), 0);
    QCOMPARE(child<QStackedWidget>(dialog, "formatStackedWIdget")->currentIndex(), 0);
    QCOMPARE(child<QSpinBox>(dialog, "formatHPGLUnits")->value(), 1016);
    QVERIFY(child<QCheckBox>(dialog, "formatHPGLAutoWeld")->isChecked());
    QVERIFY(!child<QCheckBox>(dialog, "formatHPGLFullInstructionSet")->isChecked());
    QCOMPARE(child<QSpinBox>(dialog, "formatDXFSplineSegments")->value(), 8);
    QVERIFY(child<QCheckBox>(dialog, "formatDXFSplineSegmentsFromFile")->isChecked());
    QVERIFY(!child<QSpinBox>(dialog, "formatDXFSplineSegments")->isEnabled());
    QVERIFY(!child<QCheckBox>(dialog, "formatDXFPlaceBlocks")->isChecked());
    QCOMPARE(child<QComboBox>(dialog, "formatDXFUnitWhenUnnamed")->currentData().toString(), QStringLiteral("inch"));
    QVERIFY(!dialog.testAttribute(Qt::WA_QuitOnClose));
}

void TestSettingsDialog::formatListChoosesPage_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("page");
    QTest::newRow("HPGL") << 0 << QStringLiteral("page_4");
    QTest::newRow("DXF") << 1 << QStringLiteral("page_6");
    QTest::newRow("SVG") << 2 << QStringLiteral("svgPage");
    QTest::newRow("Output") << 3 << QStringLiteral("outputPage");
}

void TestSettingsDialog::formatListChoosesPage()
{
    QFETCH(int, row);
    QFETCH(QString, page);
    Settings dialog;
    dialog.show();
    auto *list = child<QListWidget>(dialog, "formatList");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    QCOMPARE(child<QStackedWidget>(dialog, "formatStackedWIdget")->currentWidget()->objectName(), page);
}

void TestSettingsDialog::asInFileDisablesSegments()
{
    Settings dialog;
    auto *fromFile = child<QCheckBox>(dialog, "formatDXFSplineSegmentsFromFile");
    auto *segments = child<QSpinBox>(dialog, "formatDXFSplineSegments");
    fromFile->setChecked(false);
    QVERIFY(segments->isEnabled());
    fromFile->setChecked(true);
    QVERIFY(!segments->isEnabled());
}

void TestSettingsDialog::okStoresAndApplies()
{
    Settings dialog;
    dialog.show();
    child<QSpinBox>(dialog, "formatHPGLUnits")->setValue(40);
    child<QCheckBox>(dialog, "formatHPGLAutoWeld")->setChecked(false);
    child<QCheckBox>(dialog, "formatHPGLFullInstructionSet")->setChecked(true);
    child<QCheckBox>(dialog, "formatDXFSplineSegmentsFromFile")->setChecked(false);
    child<QSpinBox>(dialog, "formatDXFSplineSegments")->setValue(12);
    QCOMPARE(child<QSpinBox>(dialog, "parallelFiles")->value(), qBound(1, QThread::idealThreadCount(), 64));
    child<QSpinBox>(dialog, "parallelFiles")->setValue(3);
    QVERIFY(!child<QDoubleSpinBox>(dialog, "orderBudget")->isEnabled());
    child<QCheckBox>(dialog, "orderObjects")->setChecked(true);
    QVERIFY(child<QDoubleSpinBox>(dialog, "orderBudget")->isEnabled());
    child<QDoubleSpinBox>(dialog, "orderBudget")->setValue(2.5);
    child<QCheckBox>(dialog, "joinTouching")->setChecked(true);
    child<QCheckBox>(dialog, "formatSVGAsBrowserShows")->setChecked(true);
    child<QCheckBox>(dialog, "formatDXFPlaceBlocks")->setChecked(true);
    auto *units = child<QComboBox>(dialog, "formatDXFUnitWhenUnnamed");
    units->setCurrentIndex(units->findData(QStringLiteral("cm")));
    QTest::mouseClick(button(dialog, QDialogButtonBox::Ok), Qt::LeftButton);

    QVERIFY(!dialog.isVisible());
    QCOMPARE(::hpglUnits, 40);
    QCOMPARE(::hpglAutoWeld, false);
    QCOMPARE(::dxfSplineSegments, 12);
    QCOMPARE(::dxfSplineSegmentsFromFile, false);
    QCOMPARE(stored("Format/HPGL/Units").toInt(), 40);
    QCOMPARE(stored("Format/HPGL/AutoWeld").toBool(), false);
    QCOMPARE(stored("Format/HPGL/FullInstructionSet").toBool(), true);
    QCOMPARE(::hpglFullInstructionSet, true);
    QCOMPARE(stored("Format/DXF/SplineSegments").toInt(), 12);
    QCOMPARE(stored("Format/DXF/SplineSegmentsFromFile").toBool(), false);
    QCOMPARE(stored("Output/ParallelFiles").toInt(), 3);
    QCOMPARE(stored("Output/OrderObjects").toBool(), true);
    QCOMPARE(stored("Output/OrderTimeBudget").toDouble(), 2.5);
    QCOMPARE(stored("Output/JoinTouching").toBool(), true);
    QCOMPARE(::orderObjects, true);
    QCOMPARE(::joinTouching, true);
    QCOMPARE(stored("Format/SVG/AsBrowserShows").toBool(), true);
    QCOMPARE(::svgAsBrowserShows, true);
    QCOMPARE(stored("Format/DXF/PlaceBlocks").toBool(), true);
    QCOMPARE(stored("Format/DXF/UnitWhenUnnamed").toString(), QStringLiteral("cm"));
    QCOMPARE(::dxfPlaceBlocks, true);
    QCOMPARE(::dxfUnitWhenUnnamed, QStringLiteral("cm"));
    // The curve options are stored too, as they were shown.
    QCOMPARE(m_environment.storedKeys().size(), 15);
    ::svgAsBrowserShows = ConversionOptions().svgAsBrowserShows;
    ::dxfPlaceBlocks = ConversionOptions().dxfPlaceBlocks;
    ::dxfUnitWhenUnnamed = ConversionOptions().dxfUnitWhenUnnamed;
    ::orderObjects = ConversionOptions().orderObjects;
    ::orderBudgetSeconds = ConversionOptions().orderBudgetSeconds;
    ::joinTouching = ConversionOptions().joinTouching;
}

void TestSettingsDialog::curveOptionsStoreAndApply()
{
    Settings dialog;
    dialog.show();
    QCOMPARE(child<QCheckBox>(dialog, "curvesToTolerance")->isChecked(), false);
    QCOMPARE(child<QDoubleSpinBox>(dialog, "curveTolerance")->value(), 0.01);
    QCOMPARE(child<QCheckBox>(dialog, "arcsAsG2G3")->isChecked(), false);
    child<QCheckBox>(dialog, "curvesToTolerance")->setChecked(true);
    child<QDoubleSpinBox>(dialog, "curveTolerance")->setValue(0.05);
    child<QCheckBox>(dialog, "arcsAsG2G3")->setChecked(true);
    QTest::mouseClick(button(dialog, QDialogButtonBox::Ok), Qt::LeftButton);

    QCOMPARE(stored("Output/CurvesToTolerance").toBool(), true);
    QCOMPARE(stored("Output/CurveTolerance").toDouble(), 0.05);
    QCOMPARE(stored("Output/ArcsAsG2G3").toBool(), true);
    QCOMPARE(::curvesToTolerance, true);
    QCOMPARE(::curveTolerance, 0.05);
    QCOMPARE(::arcsAsG2G3, true);
    ::curvesToTolerance = ConversionOptions().curvesToTolerance;
    ::curveTolerance = ConversionOptions().curveTolerance;
    ::arcsAsG2G3 = ConversionOptions().arcsAsG2G3;
}

void TestSettingsDialog::cancelStoresNothing_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Cancel button") << false;
    QTest::newRow("Escape key") << true;
}

void TestSettingsDialog::cancelStoresNothing()
{
    QFETCH(bool, byEscape);
    Settings dialog;
    dialog.show();
    child<QSpinBox>(dialog, "formatHPGLUnits")->setValue(40);
    if (byEscape)
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else
        QTest::mouseClick(button(dialog, QDialogButtonBox::Cancel), Qt::LeftButton);

    QVERIFY(!dialog.isVisible());
    QCOMPARE(::hpglUnits, 1016);
    QVERIFY(m_environment.storedKeys().isEmpty());
    Settings reopened;
    QCOMPARE(child<QSpinBox>(reopened, "formatHPGLUnits")->value(), 1016);
}

void TestSettingsDialog::storedValueIsClampedToRange()
{
    QSettings().setValue(QStringLiteral("Format/DXF/SplineSegments"), 5000);
    Settings dialog;
    dialog.show();
    QCOMPARE(child<QSpinBox>(dialog, "formatDXFSplineSegments")->value(), 1000);
    QCOMPARE(::dxfSplineSegments, 8);
    QTest::mouseClick(button(dialog, QDialogButtonBox::Ok), Qt::LeftButton);
    QCOMPARE(stored("Format/DXF/SplineSegments").toInt(), 1000);
    QCOMPARE(::dxfSplineSegments, 1000);
}

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
