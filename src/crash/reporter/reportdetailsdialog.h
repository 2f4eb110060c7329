#pragma once

#include "crashreportitems.h"

#include <QDialog>

class QTextEdit;
class QTreeWidget;

// The report's items with their values and sizes, a check box each for
// whether it is sent, and below them what the selected one holds.
class ReportDetailsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ReportDetailsDialog(const CrashReportItems &items, QWidget *parent = nullptr);

    // Sets every item's included flag from its check box.
    void applyChoices(CrashReportItems &items) const;

private:
    void addItems(const CrashReportItems &items);
    void showSelectedItem();

    QTreeWidget *m_list = nullptr;
    QTextEdit *m_view = nullptr;
    CrashReportItems m_items;
};
