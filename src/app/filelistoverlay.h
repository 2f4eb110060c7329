#pragma once

#include <QObject>

class QLabel;
class QPushButton;
class QTreeWidget;

// The two helpers laid over the file list: the import button in its middle
// while the list is empty, and the translucent drop label over the whole
// list while files are dragged over the window.
class FileListOverlay : public QObject
{
    Q_OBJECT

public:
    explicit FileListOverlay(QTreeWidget *list);

    QPushButton *importButton() const { return m_importButton; }
    QLabel *dropLabel() const { return m_dropLabel; }

    // Places both within the list's current size.
    void layout();
    void retranslate();

    void showDragging();
    void endDragging();
    // Shows the import button exactly when the list is empty.
    void refreshImportButton();

private:
    QTreeWidget *m_list;
    QPushButton *m_importButton;
    QLabel *m_dropLabel;
};
