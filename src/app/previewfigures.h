#pragma once

#include <QWidget>

class QFormLayout;
class QLabel;
struct DrawingFigures;

// The figures of a toolpath beside its picture: size, extremes, objects,
// vertices, cut and travel lengths (to the micrometre, as the G-code is
// written), and the notes of what was not drawn.
class PreviewFigures : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewFigures(QWidget *parent = nullptr);

    void setFigures(const DrawingFigures &figures, const QStringList &notes);
    // Says why there are no figures, such as a file that could not be read.
    void setMessage(const QString &message);

protected:
    void changeEvent(QEvent *event) override;

private:
    QLabel *addRow(const char *name);
    void retranslate();

    QFormLayout *m_form;
    QLabel *m_size;
    QLabel *m_minimum;
    QLabel *m_maximum;
    QLabel *m_objects;
    QLabel *m_vertices;
    QLabel *m_cutLength;
    QLabel *m_travelLength;
    QLabel *m_notes;
};
