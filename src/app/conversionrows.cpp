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
        item->setData(0, Qt::ToolTipRole, QVariant());
    }
}

void ConversionRows::append(QTreeWidgetItem *item)
{
    m_rows.append(QPersistentModelIndex(m_list->model()->index(m_list->indexOfTopLevelItem(item), 0)));
}

void ConversionRows::markStarted(int row)
{
    write(row, 0.0, true, QString());
}

void ConversionRows::markProgress(int row, double fraction)
{
    write(row, fraction, QVariant());
}

void ConversionRows::markFinished(int row, bool succeeded, const QString &reason)
{
    write(row, 1, succeeded, reason);
}

void ConversionRows::write(int row, const QVariant &progress, const QVariant &success, const QVariant &toolTip)
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
}
