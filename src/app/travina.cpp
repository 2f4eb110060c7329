#include "travina.h"
#include "ui_travina.h"

#include "fileicon.h"
#include "filelistoverlay.h"
#include "keyeventfilter.h"
#include "language.h"
#include "maker/makerservices.h"
#include "previewwindow.h"
#include "promotionpanel.h"
#include "settings.h"
#include "settings/settingsstore.h"

#include "conversion/conversionjob.h"
#include "formats/formatdispatch.h"
#include "formats/formatoptions.h"
#include "about.h"
#include "style/listitemdelegate.h"
#include "update/updatemode.h"

#include <QCloseEvent>
#include <QDir>
#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QToolTip>

Travina::Travina(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TravinaClass>())
    , m_keyEventFilter(new KeyEventFilter(this))
    , m_job(std::make_unique<ConversionJob>())
{
    ui->setupUi(this);
    m_overlay = new FileListOverlay(ui->filesWidget);
    QFontDatabase::addApplicationFont(QStringLiteral(":/Travina/Resources/TitilliumMaps29L-999wt.otf"));
    connect(ui->actionExit, &QAction::triggered, qApp, &QCoreApplication::quit);
    connect(ui->actionSave, &QAction::triggered, this, &Travina::on_convertBtn_pressed);
    connectFileList();

    ui->filesWidget->setItemDelegate(new OstraneStyle::ListItemDelegate(ui->filesWidget, true, true));
    ui->filesWidget->viewport()->setAttribute(Qt::WA_Hover);
    m_rows = std::make_unique<ConversionRows>(ui->filesWidget);
    connectConversion();

    loadOptions();
    scheduleUpdateCheck();
    ui->logo->setUrl(QLatin1String(MakerServices::webSite));
    addPromotedProducts(ui->adWidget);

    connect(m_overlay->importButton(), &QPushButton::pressed, this, &Travina::on_action_Open_triggered);

    addLanguageAction(QStringLiteral(":/Travina/Resources/us.png"), QLocale::English);
    addLanguageAction(QStringLiteral(":/Travina/Resources/pl.png"), QLocale::Polish);
    // A language without translations brings no language-change event, so
    // the texts made in code are set here as well.
    retranslate();
}

Travina::~Travina() = default;

void Travina::connectFileList()
{
    connect(ui->filesWidget, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) { openPreview(item); });
    connect(m_keyEventFilter, &KeyEventFilter::FilesDropped, this, &Travina::processDroppedFiles);
    connect(m_keyEventFilter, &KeyEventFilter::DeleteCommand, this, &Travina::removeFile);
    connect(m_keyEventFilter, &KeyEventFilter::dragEnter, this, &Travina::handleDragEnter);
    connect(m_keyEventFilter, &KeyEventFilter::dragLeave, this, &Travina::handleDragLeave);
    connect(m_keyEventFilter, &KeyEventFilter::dragDrop, this, &Travina::handleDragLeave);
    setAcceptDrops(true);
    installEventFilter(m_keyEventFilter);
    ui->filesWidget->installEventFilter(m_keyEventFilter);
}

void Travina::connectConversion()
{
    ConversionRows *rows = m_rows.get();
    connect(m_job.get(), &ConversionJob::rowStarted, this, [rows](int row) { rows->markStarted(row); });
    connect(m_job.get(), &ConversionJob::rowProgress, this,
            [rows](int row, double fraction) { rows->markProgress(row, fraction); });
    connect(m_job.get(), &ConversionJob::rowFinished, this, &Travina::rowFinished);
    connect(m_job.get(), &ConversionJob::finished, this, &Travina::conversionFinished);
    // Output options changed during a run apply to the rows not reached yet.
    connect(ui->outputPath, &QLineEdit::textChanged, this, [this] { m_job->setOutputOptions(outputOptions()); });
}

void Travina::loadOptions()
{
    QSettings settings;
    restoreGeometry(loadWindowGeometry(settings));
    loadProcessOptions(settings);
    ui->initGCodes->setPlainText(::initTemplate);
    ui->middleGCodes->setPlainText(::middleTemplate);
    ui->endingGCodes->setPlainText(::finishTemplate);
    const OutputOptions output = loadOutputOptions(settings);
    ui->outputPath->setText(output.pattern);
    (output.saveInSourceDirectory ? ui->saveInSourceDirectory : ui->saveInManualDirectory)->setChecked(true);
}

void Travina::saveOptions()
{
    QSettings settings;
    WindowState state;
    state.geometry = saveGeometry();
    state.output = outputOptions();
    state.initTemplate = ui->initGCodes->toPlainText();
    state.middleTemplate = ui->middleGCodes->toPlainText();
    state.finishTemplate = ui->endingGCodes->toPlainText();
    saveWindowState(settings, state);
}

OutputOptions Travina::outputOptions() const
{
    OutputOptions output;
    output.saveInSourceDirectory = ui->saveInSourceDirectory->isChecked();
    output.pattern = ui->outputPath->text();
    return output;
}

void Travina::addLanguageAction(const QString &iconPath, QLocale::Language language)
{
    const QLocale locale(language);
    QString name = locale.nativeLanguageName();
    if (!name.isEmpty())
        name[0] = name.at(0).toUpper();
    QAction *action = ui->menuLanguage->addAction(QIcon(iconPath), name);
    action->setCheckable(true);
    action->setData(locale);
    action->setChecked(QLocale() == locale);
    connect(action, &QAction::triggered, this, [this, language] { changeLanguage(language); });
}

void Travina::changeLanguage(QLocale::Language language)
{
    const QLocale locale(language);
    applyLanguage(locale);
    retranslate();
    QSettings settings;
    saveLanguageName(settings, locale.name());
    for (QAction *action : ui->menuLanguage->actions())
        action->setChecked(action->data().toLocale() == locale);
}

void Travina::retranslate()
{
    m_overlay->retranslate();
    ui->retranslateUi(this);
    // The hint's "&&" means a plain "&", but a label without a buddy shows
    // mnemonics as they are written.
    ui->label_7->setText(ui->label_7->text().replace(QLatin1String("&&"), QLatin1String("&")));
    retranslateFormats();
}

void Travina::addFile(const QString &path)
{
    const QString nativePath = QDir::toNativeSeparators(path);
    if (nativePath.isEmpty() || !QFileInfo::exists(nativePath))
        return;
    m_overlay->importButton()->hide();
    auto *item = new QTreeWidgetItem(QStringList(nativePath));
    item->setIcon(0, fileIcon(nativePath));
    ui->filesWidget->addTopLevelItem(item);
    if (m_job->appendInput(nativePath))
        m_rows->append(item);
}

void Travina::processDroppedFiles(const QList<QUrl> &urls)
{
    for (const QUrl &url : urls)
        addFile(url.toLocalFile());
}

void Travina::on_action_Open_triggered()
{
    QSettings settings;
    const QStringList files =
        QFileDialog::getOpenFileNames(this, tr("Import files"), loadLastOpenDir(settings), inputFileFilter);
    if (files.isEmpty())
        return;
    saveLastOpenDir(settings, QFileInfo(files.first()).absolutePath());
    for (const QString &file : files)
        addFile(file);
}

void Travina::on_filesWidget_customContextMenuRequested(const QPoint &pos)
{
    // The row under the pointer, wherever along the row it is.
    QTreeWidgetItem *item = ui->filesWidget->itemAt(0, pos.y());
    if (!item)
        return;
    QMenu menu(ui->filesWidget);
    QAction *remove = menu.addAction(QIcon(QStringLiteral(":/Travina/Resources/remove.png")), tr("Remove"));
    QAction *preview = menu.addAction(tr("Preview"));
    preview->setEnabled(canPreview(item));
    QAction *chosen = menu.exec(ui->filesWidget->viewport()->mapToGlobal(pos));
    if (chosen == remove)
        deleteRow(item);
    else if (chosen == preview)
        openPreview(item);
}

bool Travina::canPreview(const QTreeWidgetItem *item) const
{
    const QFileInfo input(item->text(0));
    return input.isFile() && input.isReadable() && readerForPath(input.filePath());
}

PreviewWindow *Travina::openPreview(const QTreeWidgetItem *item)
{
    if (!canPreview(item))
        return nullptr;
    // The templates take no part in the picture; the reader and shaping
    // options as they stand now do.
    auto *window = new PreviewWindow(item->text(0), ConversionOptions::fromProcessValues(), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(1000, 700);
    window->show();
    return window;
}

void Travina::removeFile()
{
    // Blocked while converting: the running job's rows must stay.
    if (ui->filesWidget->signalsBlocked())
        return;
    const QList<QTreeWidgetItem *> selected = ui->filesWidget->selectedItems();
    if (!selected.isEmpty())
        deleteRow(selected.first());
}

void Travina::deleteRow(QTreeWidgetItem *item)
{
    delete item;
    m_overlay->refreshImportButton();
}

void Travina::handleDragEnter()
{
    m_overlay->showDragging();
}

void Travina::handleDragLeave()
{
    m_overlay->endDragging();
}

void Travina::on_formatOptions_pressed()
{
    Settings dialog;
    dialog.exec();
}

void Travina::on_convertBtn_pressed()
{
    startConversion(false);
}

void Travina::on_actionAbout_Travina_triggered()
{
    About dialog(this);
    dialog.exec();
}

void Travina::on_saveInSourceDirectory_toggled(bool)
{
    m_job->setOutputOptions(outputOptions());
}

void Travina::on_outputPathTooltip_clicked()
{
    QToolTip::showText(ui->outputPathTooltip->mapToGlobal(QPoint(0, 0)), ui->outputPathTooltip->toolTip(),
                       ui->outputPathTooltip);
}

void Travina::startConversion(bool quitWhenFinished)
{
    if (m_job->isRunning())
        return;
    m_quitWhenFinished = quitWhenFinished;
    ::initTemplate = ui->initGCodes->toPlainText();
    ::middleTemplate = ui->middleGCodes->toPlainText();
    ::finishTemplate = ui->endingGCodes->toPlainText();
    setConverting(true);

    m_rows->reset();
    QStringList inputs;
    for (int row = 0; row < ui->filesWidget->topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = ui->filesWidget->topLevelItem(row);
        inputs.append(item->text(0));
        m_rows->append(item);
    }
    QSettings settings;
    m_job->setParallelFiles(loadParallelFiles(settings));
    m_job->start(inputs, ConversionOptions::fromProcessValues(), outputOptions());
}

void Travina::rowFinished(int row, const ConversionResult &result)
{
    const QString reason = failureReason(result);
    const QStringList notes = noteLines(result.notes);
    m_rows->markFinished(row, result.succeeded(), reason, notes);
    if (!result.succeeded())
        qWarning().noquote() << "Conversion failed:" << result.input << reason;
    for (const QString &note : notes)
        qWarning().noquote() << "Not all drawn:" << result.input << note;
}

void Travina::conversionFinished()
{
    setConverting(false);
    if (m_quitWhenFinished)
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void Travina::setConverting(bool converting)
{
    ui->convertBtn->setEnabled(!converting);
    ui->actionSave->setEnabled(!converting);
    // Keeps the context menu and the Delete key away from the rows the job
    // works on. The model's signals stay live so that progress and files
    // added meanwhile show at once.
    ui->filesWidget->blockSignals(converting);
}

void Travina::closeEvent(QCloseEvent *event)
{
    m_job->stop();
    m_job->waitForFinished();
    saveOptions();
    event->accept();
    QCoreApplication::quit();
}

void Travina::showEvent(QShowEvent *event)
{
    m_overlay->layout();
    QMainWindow::showEvent(event);
}

void Travina::resizeEvent(QResizeEvent *event)
{
    m_overlay->layout();
    QMainWindow::resizeEvent(event);
}

void Travina::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}
