#include "previewwriter.h"

#include "conversion/conversionresult.h"
#include "conversion/outputpath.h"
#include "preview/previewimage.h"
#include "preview/toolpath.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

PreviewWriter::PreviewWriter(const QString &pattern, const QSize &size)
    : m_pattern(pattern)
    , m_size(size)
{
}

QString PreviewWriter::pathFor(const QString &input) const
{
    static const QRegularExpression placeholder(QStringLiteral("%[opdfe]"));
    if (!m_pattern.contains(placeholder) && QFileInfo(m_pattern).isDir())
        return m_pattern + QLatin1Char('/') + QFileInfo(input).baseName() + QStringLiteral(".png");
    OutputOptions options;
    options.saveInSourceDirectory = false;
    options.pattern = m_pattern;
    return resolveOutputPath(input, options).path;
}

bool PreviewWriter::operator()(ConversionResult &result, const Drawing &written) const
{
    result.preview = pathFor(result.input);
    const QString absolute = QFileInfo(result.preview).absoluteFilePath();
    if (outputIsInput(result.preview, result.input) || absolute == QFileInfo(result.output).absoluteFilePath()) {
        result.detail = outputIsInput(result.preview, result.input)
            ? QCoreApplication::translate("PreviewWriter", "it would replace the input")
            : QCoreApplication::translate("PreviewWriter", "it would replace the G-code");
        return false;
    }
    OutputOptions plain;
    plain.saveInSourceDirectory = false;
    plain.pattern = m_pattern;
    createOutputDirectory(resolveOutputPath(result.input, plain));
    return writePreviewImage(result.preview, toolpathOf(written), m_size, result.detail);
}
