#include "commandline.h"

#include <QFile>

namespace {

bool parseInteger(const QString &option, const QString &value, qint32 &result, QString &error)
{
    bool ok = false;
    result = value.toInt(&ok);
    if (!ok)
        error = QStringLiteral("%1 needs a whole number, not '%2'").arg(option, value);
    return ok;
}

QString unescapeTemplate(const QString &argument)
{
    QString text;
    text.reserve(argument.size());
    for (int i = 0; i < argument.size(); ++i) {
        const QChar c = argument.at(i);
        if (c == QLatin1Char('\\') && i + 1 < argument.size()) {
            const QChar next = argument.at(i + 1);
            if (next == QLatin1Char('n')) {
                text += QLatin1Char('\n');
                ++i;
                continue;
            }
            if (next == QLatin1Char('\\')) {
                text += QLatin1Char('\\');
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

} // namespace

bool templateText(const QString &argument, QString &text, QString &error)
{
    if (!argument.startsWith(QLatin1Char('@'))) {
        text = unescapeTemplate(argument);
        return true;
    }
    const QString path = argument.mid(1);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("cannot read template file '%1'").arg(path);
        return false;
    }
    text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return true;
}

bool parseCommandLine(const QStringList &arguments, ConvertRequest &request, QString &error)
{
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            request.inputs.append(argument);
            continue;
        }

        QString name = argument;
        QString value;
        bool hasValue = false;
        const int equals = argument.indexOf(QLatin1Char('='));
        if (argument.startsWith(QLatin1String("--")) && equals > 0) {
            name = argument.left(equals);
            value = argument.mid(equals + 1);
            hasValue = true;
        }
        auto takeValue = [&]() {
            if (hasValue)
                return true;
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("%1 needs a value").arg(name);
                return false;
            }
            value = arguments.at(++i);
            return true;
        };
        auto takeTemplate = [&](std::optional<QString> &target) {
            QString text;
            if (!takeValue() || !templateText(value, text, error))
                return false;
            target = text;
            return true;
        };
        auto noValue = [&]() {
            if (hasValue)
                error = QStringLiteral("%1 takes no value").arg(name);
            return !hasValue;
        };

        if (name == QLatin1String("--")) {
            optionsEnded = true;
        } else if (name == QLatin1String("-h") || name == QLatin1String("--help")) {
            request.action = ConvertRequest::ShowHelp;
            return true;
        } else if (name == QLatin1String("--version")) {
            request.action = ConvertRequest::ShowVersion;
            return true;
        } else if (name == QLatin1String("-o") || name == QLatin1String("--output")) {
            if (!takeValue())
                return false;
            request.outputPattern = value;
        } else if (name == QLatin1String("--init")) {
            if (!takeTemplate(request.initTemplate))
                return false;
        } else if (name == QLatin1String("--middle")) {
            if (!takeTemplate(request.middleTemplate))
                return false;
        } else if (name == QLatin1String("--finish")) {
            if (!takeTemplate(request.finishTemplate))
                return false;
        } else if (name == QLatin1String("--hpgl-units")) {
            qint32 units;
            if (!takeValue() || !parseInteger(name, value, units, error))
                return false;
            request.hpglUnits = units;
        } else if (name == QLatin1String("--spline-segments")) {
            qint32 segments;
            if (!takeValue() || !parseInteger(name, value, segments, error))
                return false;
            request.dxfSplineSegments = segments;
        } else if (name == QLatin1String("--weld") || name == QLatin1String("--no-weld")) {
            if (!noValue())
                return false;
            request.hpglAutoWeld = name == QLatin1String("--weld");
        } else if (name == QLatin1String("--spline-segments-from-file")
                   || name == QLatin1String("--no-spline-segments-from-file")) {
            if (!noValue())
                return false;
            request.dxfSplineSegmentsFromFile = name == QLatin1String("--spline-segments-from-file");
        } else if (name == QLatin1String("-q") || name == QLatin1String("--quiet")) {
            if (!noValue())
                return false;
            request.quiet = true;
        } else {
            error = QStringLiteral("unknown option '%1'").arg(name);
            return false;
        }
    }
    if (request.inputs.isEmpty()) {
        error = QStringLiteral("no input files");
        return false;
    }
    return true;
}

QString usageText()
{
    return QStringLiteral(
        "Usage: travina-convert [-o|--output PATTERN] [--init TEXT] [--middle TEXT] [--finish TEXT]\n"
        "                       [--hpgl-units N] [--weld|--no-weld] [--spline-segments N]\n"
        "                       [--spline-segments-from-file|--no-spline-segments-from-file]\n"
        "                       [-q|--quiet] FILE...\n");
}

QString helpText()
{
    return usageText()
        + QStringLiteral(
            "\n"
            "Converts HPGL (.plt), DXF (.dxf), SVG (.svg, .svgz) and G-code (.tap) drawings\n"
            "into G-code. Options not given are taken from Travina's settings.\n"
            "\n"
            "  -o, --output PATTERN   output file, existing directory, or pattern with\n"
            "                         %o (input path), %p (input directory), %d (its name),\n"
            "                         %f (input name up to the first dot), %e (the rest);\n"
            "                         by default each output goes next to its input\n"
            "  --init TEXT            G-code before the first object\n"
            "  --middle TEXT          G-code before every further object\n"
            "  --finish TEXT          G-code at the end\n"
            "                         {NextPoint} in a template stands for the first point\n"
            "                         of the next object; \\n is a line break, \\\\ a\n"
            "                         backslash; @FILE reads the text from FILE\n"
            "  --hpgl-units N         HPGL plotter units per inch\n"
            "  --weld, --no-weld      join HPGL strokes that continue one another\n"
            "  --spline-segments N    DXF spline points per control point\n"
            "  --spline-segments-from-file, --no-spline-segments-from-file\n"
            "                         take the DXF spline resolution from the file\n"
            "  -q, --quiet            report failures only\n"
            "  -h, --help             show this help\n"
            "  --version              show the version\n"
            "\n"
            "Prints 'OK <input> -> <output>' or 'FAILED <input>: <reason>' per file.\n"
            "Exit status: 0 when every file converted, 1 when any failed, 2 for a usage error.\n");
}
