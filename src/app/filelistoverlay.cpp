#include "filelistoverlay.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

constexpr int dropLabelInset = 6;

QString listStyle(const char *border)
{
    return QStringLiteral("#filesWidget {background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0, y2:1, "
                          "stop:0 #131313, stop:1 #363637);border: %1 #a8a8a8;}")
        .arg(QLatin1String(border));
}

} // namespace

FileListOverlay::FileListOverlay(QTreeWidget *list)
    : QObject(list)
    , m_list(list)
    , m_importButton(new QPushButton(list))
    , m_dropLabel(new QLabel(list))
{
    m_importButton->setStyleSheet(QStringLiteral(
        "QPushButton { padding-left: 38px; text-align: left; color: #dedede; "
        "background: url(:/Travina/Resources/openbtn.png); border: none; text-decoration: underline; } "
        "QPushButton:hover { color: white; }"));
    m_importButton->setFixedHeight(45);
    m_importButton->setMinimumWidth(110);
    m_importButton->setCursor(Qt::PointingHandCursor);

    m_dropLabel->setAlignment(Qt::AlignCenter);
    m_dropLabel->setStyleSheet(QStringLiteral(
        "font-size: 16px; font-weight: bold; color: #efefef; background: rgba(255, 255, 255, 35);"));
    m_dropLabel->hide();
    retranslate();
}

void FileListOverlay::layout()
{
    m_dropLabel->move(dropLabelInset, dropLabelInset);
    m_dropLabel->setFixedSize(m_list->width() - 2 * dropLabelInset, m_list->height() - 2 * dropLabelInset);
    m_importButton->move((m_list->width() - m_importButton->width()) / 2,
                         (m_list->height() - m_importButton->height()) / 2);
}

void FileListOverlay::retranslate()
{
    m_importButton->setText(QCoreApplication::translate("Travina", "Open files"));
    m_importButton->adjustSize();
    m_dropLabel->setText(QCoreApplication::translate("Travina", "Drop files here"));
    layout();
}

void FileListOverlay::showDragging()
{
    m_dropLabel->show();
    m_importButton->hide();
    m_list->setStyleSheet(listStyle("2px dashed"));
}

void FileListOverlay::endDragging()
{
    m_dropLabel->hide();
    refreshImportButton();
    m_list->setStyleSheet(listStyle("1px solid"));
}

void FileListOverlay::refreshImportButton()
{
    m_importButton->setVisible(m_list->topLevelItemCount() == 0);
}
