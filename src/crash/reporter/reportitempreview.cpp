#include "reportitempreview.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>

namespace {

constexpr qint64 previewLimit = 512000;
constexpr int bytesPerLine = 16;

const char *const sizeUnits[] = {
    QT_TRANSLATE_NOOP("CrashReporter", "B"),  QT_TRANSLATE_NOOP("CrashReporter", "KB"),
    QT_TRANSLATE_NOOP("CrashReporter", "MB"), QT_TRANSLATE_NOOP("CrashReporter", "GB"),
    QT_TRANSLATE_NOOP("CrashReporter", "TB"), QT_TRANSLATE_NOOP("CrashReporter", "PB"),
    QT_TRANSLATE_NOOP("CrashReporter", "EB"), QT_TRANSLATE_NOOP("CrashReporter", "ZB"),
    QT_TRANSLATE_NOOP("CrashReporter", "YB")};

QByteArray readPreviewBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(previewLimit) : QByteArray();
}

QString escapedForMarkup(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('&'), QLatin1String("&amp;"))
        .replace(QLatin1Char('"'), QLatin1String("&quot;"))
        .replace(QLatin1Char('\''), QLatin1String("&#039;"))
        .replace(QLatin1Char('<'), QLatin1String("&lt;"))
        .replace(QLatin1Char('>'), QLatin1String("&gt;"));
    return out;
}

struct Colouring
{
    const char *pattern;
    const char *replacement;
};

// Tags and their names, declarations, attributes and bracketed sections,
// applied in this order.
const Colouring xmlColourings[] = {
    {"&lt;([/]*)(.*?)([\\s]*)&gt;", "<font color=\"#00F\">&lt;\\1\\2\\3&gt;</font>"},
    {"&lt;([\\?])(.*?)([\\?])&gt;", "<font color=\"#800000\">&lt;\\1\\2\\3&gt;</font>"},
    {"&lt;([^\\s\\?/=])(.*?)([\\[\\s/]|&gt;)", "&lt;<font color=\"#00F\">\\1\\2</font>\\3"},
    {"&lt;([/])([^\\s]*?)([\\s\\]]*?)&gt;", "&lt;\\1<font color=\"#00F\">\\2</font>\\3&gt;"},
    {"([^\\s]*)\\=(&quot;|')(.*?)(&quot;|')",
     "<font color=\"#F00\">\\1</font><font color=\"#000\">=</font><font color=\"#8000FF\">\\2\\3\\4</font>"},
    {"&lt;(.*?)(\\[)(.*?)(\\])&gt;", "&lt;\\1<font color=\"#F00\">\\2\\3\\4</font>&gt;"},
};

QString printableByte(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x20 && value < 0x7f ? QString(QLatin1Char(byte)) : QStringLiteral(".");
}

QString hexLine(const QByteArray &bytes, int offset)
{
    QString hex;
    QString characters;
    for (int i = 0; i < bytesPerLine; ++i) {
        const bool present = offset + i < bytes.size();
        hex += i == bytesPerLine / 2 ? QStringLiteral("  ") : QStringLiteral(" ");
        hex += present ? QStringLiteral("%1").arg(static_cast<unsigned char>(bytes.at(offset + i)), 2, 16, QLatin1Char('0'))
                       : QStringLiteral("  ");
        if (present)
            characters += printableByte(bytes.at(offset + i));
    }
    return QStringLiteral("%1 %2  |%3|\n").arg(offset, 8, 16, QLatin1Char('0')).arg(hex, characters);
}

} // namespace

QString colouredXml(const QString &xml)
{
    QString text = escapedForMarkup(xml);
    for (const Colouring &colouring : xmlColourings)
        text.replace(QRegularExpression(QLatin1String(colouring.pattern)), QLatin1String(colouring.replacement));
    text.replace(QLatin1Char('\t'), QLatin1String("    "));
    return QStringLiteral("<pre style=\"margin: 5px; padding: 15px; font-size: 10px;\">") + text + QStringLiteral("</pre>");
}

QString hexView(const QByteArray &bytes)
{
    QString view;
    for (int offset = 0; offset < bytes.size(); offset += bytesPerLine)
        view += hexLine(bytes, offset);
    return view;
}

ReportItemPreview previewOfFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    static const QStringList imageSuffixes{QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("gif"),
                                           QStringLiteral("jpeg"), QStringLiteral("svg")};
    if (imageSuffixes.contains(suffix))
        return {QStringLiteral("<img src=\"%1\" />").arg(path.toHtmlEscaped()), true};
    const QByteArray bytes = readPreviewBytes(path);
    if (suffix == QLatin1String("xml"))
        return {colouredXml(QString::fromUtf8(bytes)), true};
    if (suffix == QLatin1String("txt") || suffix == QLatin1String("ini"))
        return {QStringLiteral("<pre style=\"margin: 5px; padding: 15px;\">") + QString::fromUtf8(bytes).toHtmlEscaped()
                    + QStringLiteral("</pre>"),
                true};
    return {hexView(bytes), false};
}

QString readableFileSize(qint64 size, const QLocale &locale)
{
    constexpr int lastUnit = int(sizeof sizeUnits / sizeof *sizeUnits) - 1;
    const int unit = size > 0 ? qBound(0, int(std::floor(std::log(double(size)) / std::log(1024.0))), lastUnit) : 0;
    const double value = double(size) / std::pow(1024.0, unit);
    return locale.toString(value, 'f', 2) + QLatin1Char(' ') + QCoreApplication::translate("CrashReporter", sizeUnits[unit]);
}
