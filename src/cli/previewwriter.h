#pragma once

#include <QSize>
#include <QString>

class Drawing;
struct ConversionResult;

// Writes the picture of each converted toolpath for --preview: to a file,
// an existing directory (the input's name with .png) or a pattern with the
// placeholders of --output. Called on the conversion's worker threads.
class PreviewWriter
{
public:
    PreviewWriter(const QString &pattern, const QSize &size);

    QString pathFor(const QString &input) const;

    // False, with the reason in the result's detail, when the picture was
    // not written, among others where it would replace the input or the
    // G-code.
    bool operator()(ConversionResult &result, const Drawing &written) const;

private:
    QString m_pattern;
    QSize m_size;
};
