#pragma once

#include <QDialog>
#include <QSettings>

#include <memory>

namespace Ui {
class SettingsClass;
}

// The format options dialog: HPGL units and weld, DXF spline resolution,
// and how many files a conversion takes at once.
// OK stores them and makes them the process-wide values; Cancel, Escape
// and closing the window store nothing.
class Settings : public QDialog
{
    Q_OBJECT

public:
    explicit Settings(QWidget *parent = nullptr);
    ~Settings() override;

private slots:
    void on_formatList_itemSelectionChanged();
    void on_formatDXFSplineSegmentsFromFile_stateChanged(int state);
    void onAccepted();
    void onRejected();

private:
    void addDxfUnits();
    void loadControls();

    QSettings m_settings;
    std::unique_ptr<Ui::SettingsClass> ui;
};
