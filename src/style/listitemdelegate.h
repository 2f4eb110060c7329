#pragma once

#include "ostranestyle.h"

#include <QStyledItemDelegate>

// Paints list rows flat, with the row's conversion progress as a green
// (succeeded so far) or red (failed) bar under its icon and text.
// `compact` gives 23-pixel rows with a small indent, `dark` white text and
// a black hover for dark backgrounds.
class OstraneStyle::ListItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    ListItemDelegate(QObject *parent, bool compact, bool dark);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    void paintBackground(QPainter *painter, const QStyleOptionViewItem &option) const;
    QColor textColour(bool selected) const;

    bool m_compact;
    bool m_dark;
};
