#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

class QKeyEvent;

// Turns key presses and drag-and-drop events of the objects it watches
// into signals. Delete, Escape and Ctrl+C are consumed; everything else
// still reaches the watched object.
class KeyEventFilter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    void KeyPressed(QObject *obj, QKeyEvent *ev);
    void FilesDropped(QList<QUrl> urls);
    void CopyCommand();
    void DeleteCommand();
    void AcceptCommand();
    void RejectCommand();
    void dragEnter();
    void dragLeave();
    void dragDrop();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool filterKeyPress(QObject *watched, QKeyEvent *event);
};
