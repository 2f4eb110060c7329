#include "commandline.h"

#include "previewwriter.h"

#include "preview/previewimage.h"
#include "formats/dxf/unitchoice.h"
#include "settings/settingsstore.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <array>
#include <iterator>
#include <variant>

namespace {

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

// How an option's use lands in the request.
struct Text { std::optional<QString> ConvertRequest::*field; };
struct TemplateText { std::optional<QString> ConvertRequest::*field; };
struct WholeNumber { std::optional<qint32> ConvertRequest::*field; };
// A time from 0 up to maxSeconds, fractions allowed.
struct Seconds { std::optional<double> ConvertRequest::*field; };
// A tolerance from minCurveTolerance up to maxCurveTolerance.
struct Millimetres { std::optional<double> ConvertRequest::*field; };
// --NAME sets it, --no-NAME clears it.
struct OnOff { std::optional<bool> ConvertRequest::*field; };
struct Switch { bool ConvertRequest::*field; };
// One of the names of DXF units.
struct DxfUnit { std::optional<QString> ConvertRequest::*field; };
// Answered instead of converting, and left out of the usage line.
struct Answer { ConvertRequest::Action action; };
// WIDTHxHEIGHT in pixels.
struct PixelSize { std::optional<QSize> ConvertRequest::*field; };
using Landing =
    std::variant<Text, TemplateText, WholeNumber, Seconds, OnOff, Switch, Answer, PixelSize, Millimetres, DxfUnit>;

struct OptionRow
{
    const char *shortName; // "" for none
    const char *longName;
    const char *valueName; // "" for an option that takes no value
    Landing landing;
    const char *description; // a line break starts a line under the first
};

constexpr OptionRow optionTable[] = {
    {"o", "output", "PATTERN", Text{&ConvertRequest::outputPattern},
     "output file, existing directory, or pattern with\n"
     "%o (input path), %p (input directory), %d (its name),\n"
     "%f (input name up to the first dot), %e (the rest);\n"
     "- writes the G-code of one input to standard output;\n"
     "by default each output goes next to its input"},
    {"", "init", "TEXT", TemplateText{&ConvertRequest::initTemplate}, "G-code before the first object"},
    {"", "middle", "TEXT", TemplateText{&ConvertRequest::middleTemplate}, "G-code before every further object"},
    {"", "finish", "TEXT", TemplateText{&ConvertRequest::finishTemplate},
     "G-code at the end\n"
     "{NextPoint} in a template stands for the first point\n"
     "of the next object; \\n is a line break, \\\\ a\n"
     "backslash; @FILE reads the text from FILE"},
    {"", "hpgl-units", "N", WholeNumber{&ConvertRequest::hpglUnits}, "HPGL plotter units per inch"},
    {"", "weld", "", OnOff{&ConvertRequest::hpglAutoWeld}, "join HPGL strokes that continue one another"},
    {"", "hpgl-full", "", OnOff{&ConvertRequest::hpglFullInstructionSet},
     "draw HPGL scaling, rotation, relative moves, circles,\n"
     "arcs, rectangles and polygons as a plotter does"},
    {"", "spline-segments", "N", WholeNumber{&ConvertRequest::dxfSplineSegments}, "DXF spline points per control point"},
    {"", "spline-segments-from-file", "", OnOff{&ConvertRequest::dxfSplineSegmentsFromFile},
     "take the DXF spline resolution from the file"},
    {"", "dxf-blocks", "", OnOff{&ConvertRequest::dxfPlaceBlocks},
     "draw DXF blocks where the drawing inserts them, and\n"
     "old-style polylines with their arcs and closing segment"},
    {"", "dxf-unit", "UNIT", DxfUnit{&ConvertRequest::dxfUnitWhenUnnamed},
     "unit of a DXF drawing without $INSUNITS or with 0:\n"
     "inch (default), mm, cm, m, ft, unitless (as mm)"},
    {"", "svg-as-browser", "", OnOff{&ConvertRequest::svgAsBrowserShows},
     "draw SVG as a browser shows it: <use> copies drawn,\n"
     "hidden and defined-only shapes left out"},
    {"", "order", "", OnOff{&ConvertRequest::orderObjects},
     "order the objects to shorten the travel between them"},
    {"", "order-budget", "SECONDS", Seconds{&ConvertRequest::orderBudgetSeconds},
     "time spent shortening the order of one file\n"
     "(0 to 600; default 1)"},
    {"", "join", "", OnOff{&ConvertRequest::joinTouching},
     "cut an object that starts where the one before\n"
     "ends without lifting the tool"},
    {"", "curves", "", OnOff{&ConvertRequest::curvesToTolerance},
     "flatten arcs and curves to the tolerance instead of\n"
     "at fixed point counts"},
    {"", "tolerance", "MM", Millimetres{&ConvertRequest::curveTolerance},
     "how far the cut may stray from a curve or an arc\n"
     "(0.000001 to 10; default 0.01)"},
    {"", "arcs", "", OnOff{&ConvertRequest::arcsAsG2G3},
     "write vertices that lie on a circle as G2/G3 arcs"},
    {"j", "jobs", "N", WholeNumber{&ConvertRequest::parallelFiles},
     "convert N files at once (1 to 64; default: as set in\n"
     "Travina, or one per processor core)"},
    {"", "report", "FILE", Text{&ConvertRequest::reportPath},
     "write a JSON report of the run to FILE: per input its\n"
     "output, status, notes, bounds and lengths in mm"},
    {"q", "quiet", "", Switch{&ConvertRequest::quiet}, "report failures only, without notes"},
    {"", "preview", "PATTERN", Text{&ConvertRequest::previewPattern},
     "also write a PNG picture of each converted toolpath:\n"
     "a file, an existing directory, or a pattern with the\n"
     "placeholders of --output"},
    {"", "preview-size", "WxH", PixelSize{&ConvertRequest::previewSize},
     "the picture's size in pixels (default 1200x900)"},
    {"h", "help", "", Answer{ConvertRequest::ShowHelp}, "show this help"},
    {"", "version", "", Answer{ConvertRequest::ShowVersion}, "show the version"},
};
constexpr std::size_t optionCount = std::size(optionTable);

constexpr bool takesValue(const Landing &landing)
{
    return std::holds_alternative<Text>(landing) || std::holds_alternative<TemplateText>(landing)
        || std::holds_alternative<WholeNumber>(landing) || std::holds_alternative<Seconds>(landing)
        || std::holds_alternative<PixelSize>(landing) || std::holds_alternative<Millimetres>(landing)
        || std::holds_alternative<DxfUnit>(landing);
}

constexpr bool everyValueIsNamed()
{
    for (const OptionRow &row : optionTable) {
        if (takesValue(row.landing) != (row.valueName[0] != '\0'))
            return false;
    }
    return true;
}
// A value-taking option without a value name would be parsed as a switch.
static_assert(everyValueIsNamed(), "an option takes a value exactly when its row names the value");

// The synopsis has always been this wide; the README quotes it.
constexpr int usageWidth = 90;
constexpr int descriptionColumn = 25;

struct OptionUse
{
    QString option; // as the messages name it
    QString value;
    bool negated = false;
};

// By the row rather than by length, so that a one-letter long name keeps two dashes.
QString dashed(const OptionRow &row, const QString &name)
{
    return (name == QLatin1String(row.shortName) ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString negationOf(const OptionRow &row)
{
    return QStringLiteral("no-") + QLatin1String(row.longName);
}

QStringList namesOf(const OptionRow &row)
{
    QStringList names;
    if (row.shortName[0] != '\0')
        names << QLatin1String(row.shortName);
    names << QLatin1String(row.longName);
    if (std::holds_alternative<OnOff>(row.landing))
        names << negationOf(row);
    return names;
}

// The parser only reports names it was given, so there always is one.
std::size_t rowNamed(const QString &name)
{
    const auto named = [&name](const OptionRow &row) { return namesOf(row).contains(name); };
    return std::find_if(std::begin(optionTable), std::end(optionTable), named) - std::begin(optionTable);
}

bool land(const Text &target, const OptionUse &use, ConvertRequest &request, QString &)
{
    request.*target.field = use.value;
    return true;
}

bool land(const TemplateText &target, const OptionUse &use, ConvertRequest &request, QString &error)
{
    QString text;
    if (!templateText(use.value, text, error))
        return false;
    request.*target.field = text;
    return true;
}

bool land(const WholeNumber &target, const OptionUse &use, ConvertRequest &request, QString &error)
{
    bool ok = false;
    const qint32 number = use.value.toInt(&ok);
    if (!ok) {
        error = QStringLiteral("%1 needs a whole number, not '%2'").arg(use.option, use.value);
        return false;
    }
    request.*target.field = number;
    return true;
}

bool land(const Seconds &target, const OptionUse &use, ConvertRequest &request, QString &error)
{
    bool ok = false;
    const double seconds = use.value.toDouble(&ok);
    // Written so that a NaN fails too.
    if (!ok || !(seconds >= 0 && seconds <= maxOrderBudgetSeconds)) {
        error = QStringLiteral("%1 needs a number of seconds from 0 to %2, not '%3'")
                    .arg(use.option)
                    .arg(maxOrderBudgetSeconds)
                    .arg(use.value);
        return false;
    }
    request.*target.field = seconds;
    return true;
}

bool land(const PixelSize &target, const OptionUse &use, ConvertRequest &request, QString &error)
{
    static const QRegularExpression size(QStringLiteral("^([0-9]{1,5})x([0-9]{1,5})$"));
    const QRegularExpressionMatch match = size.match(use.value);
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (!match.hasMatch() || width < 1 || height < 1 || width > largestPreviewSide || height > largestPreviewSide) {
        error = QStringLiteral("%1 needs WIDTHxHEIGHT in pixels, each from 1 to %2, not '%3'")
                    .arg(use.option)
                    .arg(largestPreviewSide)
                    .arg(use.value);
        return false;
    }
    request.*target.field = QSize(width, height);
    return true;
}

bool land(const Millimetres &target, const OptionUse &use, ConvertRequest &request, QString &error)
{
    bool ok = false;
    const double millimetres = use.value.toDouble(&ok);
    // Written so that a NaN fails too.
    if (!ok || !(millimetres >= minCurveTolerance && millimetres <= maxCurveTolerance)) {
        error = QStringLiteral("%1 needs a length in mm from %2 to %3, not '%4'")
                    .arg(use.option, QString::number(minCurveTolerance, 'f', 6), QString::number(maxCurveTolerance),
                         use.value);
        return false;
    }
    request.*target.field = millimetres;
    return true;
}

bool land(const DxfUnit &target, const OptionUse &use, ConvertRequest &request, QString &error)
{
    if (!dxfUnitNames().contains(use.value)) {
        error = QStringLiteral("%1 needs one of %2, not '%3'")
                    .arg(use.option, dxfUnitNames().join(QLatin1String(", ")), use.value);
        return false;
    }
    request.*target.field = use.value;
    return true;
}

bool land(const OnOff &target, const OptionUse &use, ConvertRequest &request, QString &)
{
    request.*target.field = !use.negated;
    return true;
}

bool land(const Switch &target, const OptionUse &, ConvertRequest &request, QString &)
{
    request.*target.field = true;
    return true;
}

bool land(const Answer &target, const OptionUse &, ConvertRequest &request, QString &)
{
    request.action = target.action;
    return true;
}

void addOptions(QCommandLineParser &parser)
{
    // A word after a single dash is one option rather than letters run
    // together, so that a mistyped "-output x" cannot become "-o utput x".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionRow &row : optionTable) {
        parser.addOption(QCommandLineOption(namesOf(row), QString::fromUtf8(row.description),
                                            QLatin1String(row.valueName)));
    }
}

// Help and the version are answered whatever else the command line holds.
bool takeQuestion(const QCommandLineParser &parser, ConvertRequest &request)
{
    for (const QString &name : parser.optionNames()) {
        if (const auto *answer = std::get_if<Answer>(&optionTable[rowNamed(name)].landing)) {
            request.action = answer->action;
            return true;
        }
    }
    return false;
}

// Every use in the order given, so that a later one overrides an earlier one
// and a bad value is reported even when a later one replaces it.
bool takeOptions(const QCommandLineParser &parser, ConvertRequest &request, QString &error)
{
    std::array<int, optionCount> valuesTaken{};
    for (const QString &name : parser.optionNames()) {
        const std::size_t index = rowNamed(name);
        const OptionRow &row = optionTable[index];
        OptionUse use{dashed(row, name), QString(), name == negationOf(row)};
        if (takesValue(row.landing))
            use.value = parser.values(name).at(valuesTaken[index]++);
        const auto landUse = [&](const auto &target) { return land(target, use, request, error); };
        if (!std::visit(landUse, row.landing))
            return false;
    }
    return true;
}

// QCommandLineParser names an unknown option without its dashes.
QString asTyped(const QString &unknownName, const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        const QString name = argument.section(QLatin1Char('='), 0, 0);
        const int dashes = name.startsWith(QLatin1String("--")) ? 2 : 1;
        if (name.startsWith(QLatin1Char('-')) && name.mid(dashes) == unknownName)
            return name;
    }
    return QStringLiteral("--") + unknownName;
}

// The option that QCommandLineParser's (possibly translated) message names,
// when the message is the one meant.
std::optional<QString> optionInMessage(const QString &message, const char *qtMessage)
{
    const QStringList around = QCoreApplication::translate("QCommandLineParser", qtMessage).split(QLatin1String("%1"));
    if (around.size() != 2 || !message.startsWith(around.first()) || !message.endsWith(around.last())
        || message.size() < around.first().size() + around.last().size())
        return std::nullopt;
    return message.mid(around.first().size(), message.size() - around.first().size() - around.last().size());
}

// An unknown option is named before a mistaken value: the parser keeps no
// order between the two, and a missing value can only be the last argument.
QString parseError(const QCommandLineParser &parser, const QStringList &arguments)
{
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("unknown option '%1'").arg(asTyped(parser.unknownOptionNames().first(), arguments));
    const QString message = parser.errorText();
    if (const auto option = optionInMessage(message, "Missing value after '%1'."))
        return QStringLiteral("%1 needs a value").arg(*option);
    if (const auto option = optionInMessage(message, "Unexpected value after '%1'."))
        return QStringLiteral("%1 takes no value").arg(*option);
    return message;
}

QString spelled(const OptionRow &row, const QString &separator)
{
    QStringList names;
    for (const QString &name : namesOf(row))
        names << dashed(row, name);
    QString text = names.join(separator);
    if (takesValue(row.landing))
        text += QLatin1Char(' ') + QLatin1String(row.valueName);
    return text;
}

// Fills lines up to width, the first led by lead and the others indented as deep.
QString wrapped(const QStringList &words, const QString &lead, int width)
{
    QString text;
    QString line = lead;
    for (const QString &word : words) {
        const bool lineHasWords = line.size() > lead.size();
        if (lineHasWords && line.size() + 1 + word.size() > width) {
            text += line + QLatin1Char('\n');
            line = QString(lead.size(), QLatin1Char(' '));
        } else if (lineHasWords) {
            line += QLatin1Char(' ');
        }
        line += word;
    }
    return text + line + QLatin1Char('\n');
}

QString optionHelp(const OptionRow &row)
{
    const QString names = QStringLiteral("  ") + spelled(row, QStringLiteral(", "));
    const QString indent(descriptionColumn, QLatin1Char(' '));
    const bool descriptionFits = names.size() + 2 <= descriptionColumn;
    const QString lead = descriptionFits ? names.leftJustified(descriptionColumn) : names + QLatin1Char('\n') + indent;
    return lead + QString::fromUtf8(row.description).replace(QLatin1Char('\n'), QLatin1Char('\n') + indent)
        + QLatin1Char('\n');
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
    QCommandLineParser parser;
    addOptions(parser);
    // parse() takes its first argument for the program's name.
    const bool parsed = parser.parse(QStringList(QStringLiteral("travina-convert")) + arguments);
    if (takeQuestion(parser, request))
        return true;
    if (!parsed) {
        error = parseError(parser, arguments);
        return false;
    }
    if (!takeOptions(parser, request, error))
        return false;
    request.inputs = parser.positionalArguments();
    if (request.inputs.isEmpty()) {
        error = QStringLiteral("no input files");
        return false;
    }
    if (request.writesToStandardOutput() && request.inputs.size() > 1) {
        error = QStringLiteral("-o - takes exactly one input file");
        return false;
    }
    if (request.previewPattern && request.inputs.size() > 1) {
        const PreviewWriter previews(*request.previewPattern, QSize());
        QSet<QString> paths;
        for (const QString &input : request.inputs) {
            const QString path = QFileInfo(previews.pathFor(input)).absoluteFilePath();
            if (paths.contains(path)) {
                error = QStringLiteral("--preview would write %1 for two inputs").arg(previews.pathFor(input));
                return false;
            }
            paths.insert(path);
        }
    }
    if (request.parallelFiles && (*request.parallelFiles < 1 || *request.parallelFiles > maxParallelFiles)) {
        error = QStringLiteral("-j needs a number from 1 to %1, not %2").arg(maxParallelFiles).arg(*request.parallelFiles);
        return false;
    }
    return true;
}

QString usageText()
{
    QStringList words;
    for (const OptionRow &row : optionTable) {
        if (!std::holds_alternative<Answer>(row.landing))
            words << QLatin1Char('[') + spelled(row, QStringLiteral("|")) + QLatin1Char(']');
    }
    words << QStringLiteral("FILE...");
    return wrapped(words, QStringLiteral("Usage: travina-convert "), usageWidth);
}

QString helpText()
{
    QString options;
    for (const OptionRow &row : optionTable)
        options += optionHelp(row);
    return usageText()
        + QStringLiteral("\n"
                         "Converts HPGL (.plt), DXF (.dxf), SVG (.svg, .svgz) and G-code (.tap) drawings\n"
                         "into G-code. Options not given are taken from Travina's settings.\n"
                         "\n")
        + options
        + QStringLiteral("\n"
                         "Prints 'OK <input> -> <output>' or 'FAILED <input>: <reason>' per file, in the\n"
                         "order of the inputs, each followed by indented notes of what was not drawn.\n"
                         "Exit status: 0 when every file converted, 1 when any failed, 2 for a usage error.\n");
}
