#include "settings.h"
#include "ui_settings.h"

#include "settings/settingsstore.h"

#include "style/listitemdelegate.h"

#include <QPushButton>

#include <algorithm>

Settings::Settings(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::SettingsClass>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window);
    setAttribute(Qt::WA_QuitOnClose, false);

    ui->formatList->setItemDelegate(new OstraneStyle::ListItemDelegate(ui->formatList, false, false));
    ui->formatList->viewport()->setAttribute(Qt::WA_Hover);
    ui->formatList->setCurrentItem(ui->formatList->itemAt(0, 0));

    // The style's one-pixel button margin leaves OK and Cancel cramped.
    for (QAbstractButton *button : ui->buttonBox->buttons())
        button->setMinimumSize(80, 24);

    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &Settings::onAccepted);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &Settings::onRejected);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui->orderObjects, &QCheckBox::toggled, ui->orderBudget, &QWidget::setEnabled);
    addDxfUnits();
    loadControls();
}

Settings::~Settings() = default;

// Each choice keeps the name the settings store and travina-convert use.
void Settings::addDxfUnits()
{
    QComboBox *units = ui->formatDXFUnitWhenUnnamed;
    units->addItem(tr("inch"), QStringLiteral("inch"));
    units->addItem(tr("millimetre"), QStringLiteral("mm"));
    units->addItem(tr("centimetre"), QStringLiteral("cm"));
    units->addItem(tr("metre"), QStringLiteral("m"));
    units->addItem(tr("foot"), QStringLiteral("ft"));
    units->addItem(tr("unitless (millimetre)"), QStringLiteral("unitless"));
}

void Settings::loadControls()
{
    // Values outside a spin box's range show clamped; they are stored so
    // only when OK is pressed.
    const FormatOptions options = loadFormatOptions(m_settings);
    ui->formatHPGLUnits->setValue(options.hpglUnits);
    ui->formatHPGLAutoWeld->setChecked(options.hpglAutoWeld);
    ui->formatHPGLFullInstructionSet->setChecked(options.hpglFullInstructionSet);
    ui->formatDXFSplineSegments->setValue(options.dxfSplineSegments);
    ui->formatDXFSplineSegmentsFromFile->setChecked(options.dxfSplineSegmentsFromFile);
    ui->formatDXFSplineSegments->setEnabled(!ui->formatDXFSplineSegmentsFromFile->isChecked());
    ui->formatSVGAsBrowserShows->setChecked(options.svgAsBrowserShows);
    ui->formatDXFPlaceBlocks->setChecked(options.dxfPlaceBlocks);
    ui->formatDXFUnitWhenUnnamed->setCurrentIndex(
        std::max(0, ui->formatDXFUnitWhenUnnamed->findData(options.dxfUnitWhenUnnamed)));
    ui->parallelFiles->setMaximum(maxParallelFiles);
    ui->parallelFiles->setValue(loadParallelFiles(m_settings));
    const ShapingOptions shaping = loadShapingOptions(m_settings);
    ui->orderObjects->setChecked(shaping.orderObjects);
    ui->orderBudget->setMaximum(maxOrderBudgetSeconds);
    ui->orderBudget->setValue(shaping.orderBudgetSeconds);
    ui->orderBudget->setEnabled(shaping.orderObjects);
    ui->joinTouching->setChecked(shaping.joinTouching);
    const CurveOptions curves = loadCurveOptions(m_settings);
    ui->curvesToTolerance->setChecked(curves.curvesToTolerance);
    ui->curveTolerance->setValue(curves.curveTolerance);
    ui->arcsAsG2G3->setChecked(curves.arcsAsG2G3);
}

void Settings::on_formatList_itemSelectionChanged()
{
    const QList<QListWidgetItem *> selected = ui->formatList->selectedItems();
    if (!selected.isEmpty())
        ui->formatStackedWIdget->setCurrentIndex(ui->formatList->row(selected.first()));
}

void Settings::on_formatDXFSplineSegmentsFromFile_stateChanged(int state)
{
    ui->formatDXFSplineSegments->setEnabled(state == Qt::Unchecked);
}

void Settings::onAccepted()
{
    FormatOptions options;
    options.hpglUnits = ui->formatHPGLUnits->value();
    options.hpglAutoWeld = ui->formatHPGLAutoWeld->isChecked();
    options.hpglFullInstructionSet = ui->formatHPGLFullInstructionSet->isChecked();
    options.dxfSplineSegments = ui->formatDXFSplineSegments->value();
    options.dxfSplineSegmentsFromFile = ui->formatDXFSplineSegmentsFromFile->isChecked();
    options.svgAsBrowserShows = ui->formatSVGAsBrowserShows->isChecked();
    options.dxfPlaceBlocks = ui->formatDXFPlaceBlocks->isChecked();
    options.dxfUnitWhenUnnamed = ui->formatDXFUnitWhenUnnamed->currentData().toString();
    storeFormatOptions(m_settings, options);
    storeParallelFiles(m_settings, ui->parallelFiles->value());
    ShapingOptions shaping;
    shaping.orderObjects = ui->orderObjects->isChecked();
    shaping.orderBudgetSeconds = ui->orderBudget->value();
    shaping.joinTouching = ui->joinTouching->isChecked();
    storeShapingOptions(m_settings, shaping);
    CurveOptions curves;
    curves.curvesToTolerance = ui->curvesToTolerance->isChecked();
    curves.curveTolerance = ui->curveTolerance->value();
    curves.arcsAsG2G3 = ui->arcsAsG2G3->isChecked();
    storeCurveOptions(m_settings, curves);
}

void Settings::onRejected()
{
}
