#include "outputpath.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString nextToInput(const QFileInfo &input, const QString &directory)
{
    return directory + QLatin1Char('/') + input.baseName() + QStringLiteral(".tap");
}

} // namespace

OutputPath resolveOutputPath(const QString &input, const OutputOptions &options)
{
    const QFileInfo info(input);
    if (options.saveInSourceDirectory)
        return {nextToInput(info, info.absoluteDir().absolutePath()), false};

    QString out = options.pattern;
    static const QRegularExpression placeholder(QStringLiteral("%[opdfe]"));
    if (!out.contains(placeholder)) {
        if (QFileInfo(out).isDir())
            return {nextToInput(info, out), false};
        return {out, true};
    }

    // One after the other, so text that one placeholder brings in is open
    // to the later ones.
    const QDir directory = info.absoluteDir();
    out.replace(QStringLiteral("%o"), input);
    out.replace(QStringLiteral("%p"), directory.absolutePath());
    out.replace(QStringLiteral("%d"), directory.dirName());
    out.replace(QStringLiteral("%f"), info.baseName());
    out.replace(QStringLiteral("%e"), info.completeSuffix());
    return {out, false};
}

void createOutputDirectory(const OutputPath &output)
{
    if (output.createsDirectory && !output.path.isEmpty())
        QDir().mkpath(QFileInfo(output.path).absolutePath());
}

bool outputIsInput(const QString &output, const QString &input)
{
    const QString existingOutput = QFileInfo(output).canonicalFilePath();
    return !existingOutput.isEmpty() && existingOutput == QFileInfo(input).canonicalFilePath();
}
