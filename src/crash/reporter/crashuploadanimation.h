#pragma once

#include <QPixmap>
#include <QString>
#include <QTimer>
#include <QWidget>

// The small turning arrow with the upload's progress beside it ("42%").
// Hidden until started.
class CrashUploadAnimation : public QWidget
{
    Q_OBJECT

public:
    explicit CrashUploadAnimation(QWidget *parent = nullptr);

    void start();
    void setText(const QString &text);
    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void turn();

    QString m_text;
    double m_angle = 0;
    QTimer m_timer;
    QPixmap m_image;
};
