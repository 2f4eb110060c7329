#pragma once

#include "conversionrows.h"

#include <QLocale>
#include <QMainWindow>
#include <QUrl>

#include <memory>

namespace Ui {
class TravinaClass;
}
class ConversionJob;
class FileListOverlay;
class KeyEventFilter;
class PreviewWindow;
class QTreeWidgetItem;
struct ConversionResult;
struct OutputOptions;

// The main window: the list of files to convert, the three G-code
// templates, where the output goes, and the convert button.
class Travina : public QMainWindow
{
    Q_OBJECT

public:
    explicit Travina(QWidget *parent = nullptr);
    ~Travina() override;

    // Lists an existing file or directory; anything else is skipped.
    void addFile(const QString &path);
    // Converts the listed files in the background; with quitWhenFinished
    // the application quits once they are done.
    void startConversion(bool quitWhenFinished);
    void addLanguageAction(const QString &iconPath, QLocale::Language language);
    // A window with the row's toolpath, for a row whose input can be read;
    // it closes itself and goes when closed.
    PreviewWindow *openPreview(const QTreeWidgetItem *item);

public slots:
    void handleDragEnter();
    void handleDragLeave();
    void removeFile();
    void processDroppedFiles(const QList<QUrl> &urls);
    void conversionFinished();

private slots:
    void on_filesWidget_customContextMenuRequested(const QPoint &pos);
    void on_action_Open_triggered();
    void on_formatOptions_pressed();
    void on_convertBtn_pressed();
    void on_actionAbout_Travina_triggered();
    void on_saveInSourceDirectory_toggled(bool checked);
    void on_outputPathTooltip_clicked();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void connectFileList();
    void connectConversion();
    void loadOptions();
    void saveOptions();
    void retranslate();
    void changeLanguage(QLocale::Language language);
    void setConverting(bool converting);
    void deleteRow(QTreeWidgetItem *item);
    bool canPreview(const QTreeWidgetItem *item) const;
    OutputOptions outputOptions() const;
    void rowFinished(int row, const ConversionResult &result);

    std::unique_ptr<Ui::TravinaClass> ui;
    KeyEventFilter *m_keyEventFilter;
    FileListOverlay *m_overlay = nullptr;
    std::unique_ptr<ConversionRows> m_rows;
    bool m_quitWhenFinished = false;
    // Declared last so that it goes first: its destructor waits for the
    // worker while everything it reports to still exists.
    std::unique_ptr<ConversionJob> m_job;
};
