#include "reportdetailsdialog.h"

#include "reportitempreview.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { NameColumn, ValueColumn, SizeColumn };

QWidget *topArea(QWidget *parent, QTreeWidget *list, QTextEdit *view)
{
    auto *top = new QWidget(parent);
    top->setObjectName(QStringLiteral("topWidget"));
    top->setStyleSheet(QStringLiteral("#topWidget { background: white; }"));
    auto *caption = new QLabel(QCoreApplication::translate(
                                   "CrashReporter", "The crash report is made of these items. Only the checked ones "
                                                    "are sent; select one to see what it holds."),
                               top);
    caption->setWordWrap(true);
    auto *layout = new QVBoxLayout(top);
    layout->addWidget(caption);
    layout->addWidget(list, 2);
    layout->addWidget(view, 3);
    return top;
}

QString itemValueText(const CrashReportItem &item)
{
    return item.isFile() ? QDir::toNativeSeparators(item.filePath()) : QString::fromUtf8(item.value);
}

} // namespace

ReportDetailsDialog::ReportDetailsDialog(const CrashReportItems &items, QWidget *parent)
    : QDialog(parent)
    , m_list(new QTreeWidget(this))
    , m_view(new QTextEdit(this))
    , m_items(items)
{
    setWindowTitle(QCoreApplication::translate("CrashReporter", "Report details"));
    resize(700, 500);
    m_list->setHeaderLabels({QCoreApplication::translate("CrashReporter", "Name"),
                             QCoreApplication::translate("CrashReporter", "Value"),
                             QCoreApplication::translate("CrashReporter", "Size")});
    m_list->setRootIsDecorated(false);
    // The file's name is what tells the paths apart.
    m_list->setTextElideMode(Qt::ElideMiddle);
    m_view->setReadOnly(true);
    QFont typewriter(QStringLiteral("Courier New"));
    typewriter.setStyleHint(QFont::TypeWriter);
    m_view->setFont(typewriter);
    m_view->setLineWrapMode(QTextEdit::NoWrap);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // The style's one-pixel button margin leaves OK and Cancel cramped.
    for (QAbstractButton *button : buttons->buttons())
        button->setMinimumSize(80, 24);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 9);
    layout->addWidget(topArea(this, m_list, m_view));
    auto *buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(9, 0, 9, 0);
    buttonRow->addWidget(buttons);
    layout->addLayout(buttonRow);

    addItems(items);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &ReportDetailsDialog::showSelectedItem);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
}

void ReportDetailsDialog::addItems(const CrashReportItems &items)
{
    QStringList names = items.keys();
    names.sort();
    for (const QString &name : names) {
        const CrashReportItem &item = items[name];
        auto *row = new QTreeWidgetItem(m_list, {name, itemValueText(item)});
        if (item.isFile())
            row->setText(SizeColumn, readableFileSize(QFileInfo(item.filePath()).size()));
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(NameColumn, item.included ? Qt::Checked : Qt::Unchecked);
    }
    m_list->resizeColumnToContents(NameColumn);
    m_list->header()->setSectionResizeMode(ValueColumn, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(SizeColumn, QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(false);
}

void ReportDetailsDialog::showSelectedItem()
{
    const QTreeWidgetItem *row = m_list->currentItem();
    const CrashReportItem item = row ? m_items.value(row->text(NameColumn)) : CrashReportItem();
    const ReportItemPreview preview =
        item.isFile() ? previewOfFile(item.filePath()) : ReportItemPreview{QString::fromUtf8(item.value), false};
    // Plain text would take on the colours of the rich text shown before.
    m_view->setCurrentCharFormat(QTextCharFormat());
    if (preview.richText)
        m_view->setHtml(preview.text);
    else
        m_view->setPlainText(preview.text);
    m_view->moveCursor(QTextCursor::Start);
}

void ReportDetailsDialog::applyChoices(CrashReportItems &items) const
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = m_list->topLevelItem(i);
        auto item = items.find(row->text(NameColumn));
        if (item != items.end())
            item->included = row->checkState(NameColumn) == Qt::Checked;
    }
}
