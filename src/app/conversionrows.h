#pragma once

#include <QList>
#include <QPersistentModelIndex>
#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

// The file-list rows of the running conversion, by the job's row numbers.
// Rows are held by persistent indexes, so a row that left the list is
// skipped rather than mistaken for the one that moved into its place.
class ConversionRows
{
public:
    explicit ConversionRows(QTreeWidget *list);

    // Forgets the previous run and clears the bars of every row.
    void reset();
    void append(QTreeWidgetItem *item);

    void markStarted(int row);
    void markProgress(int row, double fraction);
    // A failed row tells why in its tool tip; a converted row with notes
    // lists them there and takes the look of a warning.
    void markFinished(int row, bool succeeded, const QString &reason = QString(),
                      const QStringList &notes = QStringList());

private:
    void write(int row, const QVariant &progress, const QVariant &success, const QVariant &toolTip = QVariant(),
               const QVariant &notes = QVariant());

    QTreeWidget *m_list;
    QList<QPersistentModelIndex> m_rows;
};
