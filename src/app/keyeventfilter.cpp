#include "keyeventfilter.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>

bool KeyEventFilter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (filterKeyPress(watched, static_cast<QKeyEvent *>(event)))
            return true;
        break;
    case QEvent::DragEnter: {
        auto *drag = static_cast<QDragEnterEvent *>(event);
        if (drag->mimeData()->hasUrls()) {
            drag->acceptProposedAction();
            emit dragEnter();
        }
        break;
    }
    case QEvent::DragLeave:
        emit dragLeave();
        break;
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        emit FilesDropped(drop->mimeData()->urls());
        drop->acceptProposedAction();
        emit dragDrop();
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool KeyEventFilter::filterKeyPress(QObject *watched, QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit AcceptCommand();
        return false;
    case Qt::Key_Escape:
        emit RejectCommand();
        break;
    case Qt::Key_Delete:
        emit DeleteCommand();
        break;
    case Qt::Key_C:
        if (!(event->modifiers() & Qt::ControlModifier))
            return false;
        emit CopyCommand();
        break;
    default:
        return false;
    }
    emit KeyPressed(watched, event);
    return true;
}
