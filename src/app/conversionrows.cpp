#include "conversionrows.h"

#include "style/itemroles.h"

#include <QTreeWidget>

ConversionRows::ConversionRows(QTreeWidget *list)
    : m_list(list)
{
}

void ConversionRows::reset()
{
    m_rows.clear();
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = m_list->topLevelItem(row);
        item->setData(0, ProgressRole, QVariant());
        item->setData(0, SuccessRole, QVariant());
        item->setData(0, NotesRole, QVariant());
        item->setData(0, Qt::ToolTipRole, QVariant());
    }
}

void ConversionRows::append(QTreeWidgetItem *item)
{
    m_rows.append(QPersistentModelIndex(m_list->model()->index(m_list->indexOfTopLevelItem(item), 0)));
}

void ConversionRows::markStarted(int row)
{
    write(row, 0.0, true, QString(), false);
}

void ConversionRows::markProgress(int row, double fraction)
{
    write(row, fraction, QVariant());
}

void ConversionRows::markFinished(int row, bool succeeded, const QString &reason, const QStringList &notes)
{
    QStringList tip;
    if (!reason.isEmpty())
        tip.append(reason);
    tip += notes;
    write(row, 1, succeeded, tip.join(QLatin1Char('\n')), !notes.isEmpty());
}

void ConversionRows::write(int row, const QVariant &progress, const QVariant &success, const QVariant &toolTip,
                           const QVariant &notes)
{
    if (row < 0 || row >= m_rows.size() || !m_rows.at(row).isValid())
        return;
    QAbstractItemModel *model = m_list->model();
    const QModelIndex index = m_rows.at(row);
    model->setData(index, progress, ProgressRole);
    if (success.isValid())
        model->setData(index, success, SuccessRole);
    if (toolTip.isValid())
        model->setData(index, toolTip, Qt::ToolTipRole);
    if (notes.isValid())
        model->setData(index, notes, NotesRole);
}
