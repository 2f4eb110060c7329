#pragma once

#include <QLabel>

// A label that reacts to a click: it emits clicked() and opens its URL, if
// it has one, with the desktop's URL handler.
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget *parent = nullptr);

    QString url() const { return m_url; }
    void setUrl(const QString &url) { m_url = url; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString m_url;
};
