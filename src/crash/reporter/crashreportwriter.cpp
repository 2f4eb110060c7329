#include "crashreportwriter.h"

#include "crashreportxml.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

constexpr qint64 secondsPerDay = 86400;

class ReportLines
{
public:
    // "\t<Name>value</Name>\r\n", indented by depth tabs.
    void element(int depth, const char *name, const QString &value)
    {
        const QString tag = QLatin1String(name);
        raw(depth, QLatin1Char('<') + tag + QLatin1Char('>') + xmlEscaped(value) + QStringLiteral("</") + tag
                       + QLatin1Char('>'));
    }
    void raw(int depth, const QString &line) { text += QString(depth, QLatin1Char('\t')) + line + QStringLiteral("\r\n"); }

    QString text;
};

QString isoUtc(const QDateTime &time)
{
    return time.toUTC().toString(Qt::ISODate);
}

QString numberWithHex(const QByteArray &written)
{
    return QStringLiteral("%1 (0x%2)").arg(QString::fromLatin1(written), QString::number(written.toLongLong(), 16));
}

void appendProgramLines(ReportLines &lines, const CrashReportFacts &facts)
{
    lines.element(1, "AppName", facts.applicationName);
    lines.element(1, "AppVersion", facts.applicationVersion);
    lines.element(1, "AppImageName", facts.applicationImage);
    lines.element(1, "CrashGUID", QFileInfo(facts.dumpPath).fileName().section(QLatin1Char('.'), 0, 0).toUpper());
    lines.element(1, "OperatingSystem", facts.operatingSystem);
    lines.element(1, "OSArchitecture", facts.architecture);
    lines.element(1, "AppPlatform", facts.platform);
    lines.element(1, "SystemTimeUTC", isoUtc(facts.now));
}

void appendProcessLines(ReportLines &lines, const CrashDetailsText &details, const QDateTime &now)
{
    const qint64 startTime = details.piece(1).toLongLong();
    lines.element(1, "AppStartTimeUTC", isoUtc(QDateTime::fromSecsSinceEpoch(startTime, Qt::UTC)));
    lines.element(1, "AppRunningTime", runningTimeText(now.toSecsSinceEpoch() - startTime));
    lines.element(1, "ProcessId", numberWithHex(details.piece(2)));
    lines.element(1, "ThreadId", numberWithHex(details.piece(3)));
    lines.raw(1, QStringLiteral("<MemoryInfo>"));
    lines.element(2, "MemoryLoad", details.text(4) + QLatin1Char('%'));
    lines.element(2, "TotalVirtual", details.text(5));
    lines.element(2, "AvailableVirtual", details.text(6));
    lines.raw(1, QStringLiteral("</MemoryInfo>"));
}

void appendExceptionLines(ReportLines &lines, const CrashDetailsText &details)
{
    const QString codeText = details.text(10);
    const int separator = codeText.indexOf(QLatin1String(": "));
    lines.raw(1, QStringLiteral("<Exception>"));
    lines.element(2, "Address", details.text(7));
    lines.element(2, "Code", details.text(8));
    lines.element(2, "Flags", details.text(9));
    lines.element(2, "CodeString", separator < 0 ? codeText : codeText.left(separator));
    lines.element(2, "Description", separator < 0 ? QString() : codeText.mid(separator + 2).section(QLatin1String(": "), 0, 0));
    lines.raw(1, QStringLiteral("</Exception>"));
}

void appendAssertionLines(ReportLines &lines, const CrashDetailsText &details)
{
    lines.raw(1, QStringLiteral("<Assertion>"));
    lines.element(2, "Expression", details.text(11));
    lines.element(2, "Function", details.text(12));
    lines.element(2, "File", details.text(13));
    lines.element(2, "Line", details.text(14));
    lines.element(2, "Type", details.text(15));
    lines.raw(1, QStringLiteral("</Assertion>"));
}

void appendLogLines(ReportLines &lines, const QString &log)
{
    QString indented = log;
    indented.replace(QRegularExpression(QStringLiteral("\r?\n")), QStringLiteral("\r\n\t\t"));
    lines.raw(1, QStringLiteral("<ApplicationLog><![CDATA["));
    lines.raw(2, cdataContent(indented));
    lines.raw(1, QStringLiteral("]]></ApplicationLog>"));
}

// Only names that XML takes as element names; an item is ours, but the
// attachments come from a file.
bool isElementName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.-]*$"));
    return pattern.match(name).hasMatch() && !name.startsWith(QLatin1String("xml"), Qt::CaseInsensitive);
}

void appendCustomFields(ReportLines &lines, const CrashReportItems &items)
{
    ReportLines fields;
    for (auto item = items.cbegin(); item != items.cend(); ++item) {
        if (item->kind == CrashReportItem::CustomField && item->included && isElementName(item.key()))
            fields.raw(2, QStringLiteral("<%1>%2</%1>").arg(item.key(), xmlEscaped(QString::fromUtf8(item->value))));
    }
    if (fields.text.isEmpty())
        return;
    lines.raw(1, QStringLiteral("<CustomFields>"));
    lines.text += fields.text;
    lines.raw(1, QStringLiteral("</CustomFields>"));
}

} // namespace

QString crashReportText(const CrashReportFacts &facts, const CrashDetailsText *details, const CrashReportItems &items)
{
    ReportLines lines;
    lines.raw(0, QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>"));
    lines.raw(0, QStringLiteral("<CrashReport>"));
    appendProgramLines(lines, facts);
    if (details) {
        appendProcessLines(lines, *details, facts.now);
        appendExceptionLines(lines, *details);
        if (details->hasAssertion())
            appendAssertionLines(lines, *details);
        if (!details->log.isEmpty())
            appendLogLines(lines, details->log);
    }
    appendCustomFields(lines, items);
    lines.raw(0, QStringLiteral("</CrashReport>"));
    return lines.text;
}

QString runningTimeText(qint64 seconds)
{
    const qint64 days = seconds >= 0 ? seconds / secondsPerDay : -((-seconds + secondsPerDay - 1) / secondsPerDay);
    const QTime timeOfDay = QTime(0, 0).addSecs(static_cast<int>(seconds - days * secondsPerDay));
    return QStringLiteral("%1 days %2").arg(days).arg(timeOfDay.toString(QStringLiteral("hh:mm:ss")));
}
