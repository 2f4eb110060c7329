#include "drawingnotes.h"

#include <QCoreApplication>

#include <limits>

namespace {

void grow(DrawingNote &note, qint64 count)
{
    note.count = count > std::numeric_limits<qint64>::max() - note.count ? std::numeric_limits<qint64>::max()
                                                                         : note.count + count;
}

QString kindLabel(DrawingNote::Kind kind)
{
    switch (kind) {
    case DrawingNote::NotDrawn:
        return QCoreApplication::translate("DrawingNotes", "not drawn");
    case DrawingNote::Hidden:
        return QCoreApplication::translate("DrawingNotes", "hidden, not drawn");
    case DrawingNote::ElsewhereDrawn:
        return QCoreApplication::translate("DrawingNotes", "drawn elsewhere than the file places it");
    case DrawingNote::AsLines:
        return QCoreApplication::translate("DrawingNotes", "drawn as straight lines");
    case DrawingNote::Skipped:
        return QCoreApplication::translate("DrawingNotes", "skipped");
    case DrawingNote::Assumed:
        return QCoreApplication::translate("DrawingNotes", "assumed");
    case DrawingNote::DrawnHidden:
        return QCoreApplication::translate("DrawingNotes", "drawn although hidden in the file");
    }
    return QString();
}

// Keywords of a format stand as they are; descriptions are translated.
QString noteName(const DrawingNote &note)
{
    return QCoreApplication::translate("DrawingNotes", note.name.toUtf8().constData());
}

QString describe(const DrawingNote &note)
{
    QString text;
    switch (note.kind) {
    case DrawingNote::NotDrawn:
    case DrawingNote::AsLines:
    case DrawingNote::ElsewhereDrawn:
        text = QString::number(note.count) + QLatin1Char(' ') + noteName(note);
        break;
    case DrawingNote::Hidden:
    case DrawingNote::Skipped:
    case DrawingNote::DrawnHidden:
        text = QStringLiteral("%1 (%2)").arg(noteName(note)).arg(note.count);
        break;
    case DrawingNote::Assumed:
        text = noteName(note);
        break;
    }
    if (!note.option.isEmpty())
        text += QCoreApplication::translate("DrawingNotes", " [option: %1]")
                        .arg(QCoreApplication::translate("DrawingNotes", note.option.toUtf8().constData()));
    return text;
}

} // namespace

DrawingNote *DrawingNotes::find(DrawingNote::Kind kind, QLatin1String name)
{
    for (DrawingNote &note : m_notes)
        if (note.kind == kind && note.name == name)
            return &note;
    return nullptr;
}

DrawingNote *DrawingNotes::find(DrawingNote::Kind kind, const QString &name)
{
    for (DrawingNote &note : m_notes)
        if (note.kind == kind && note.name == name)
            return &note;
    return nullptr;
}

void DrawingNotes::add(DrawingNote::Kind kind, QLatin1String name, qint64 count)
{
    if (DrawingNote *note = find(kind, name))
        grow(*note, count);
    else
        m_notes.append(DrawingNote{kind, QString(name), count, QString()});
}

void DrawingNotes::add(DrawingNote::Kind kind, const QString &name, qint64 count)
{
    if (DrawingNote *note = find(kind, name))
        grow(*note, count);
    else
        m_notes.append(DrawingNote{kind, name, count, QString()});
}

void DrawingNotes::setOption(DrawingNote::Kind kind, const QString &name, const QString &option)
{
    if (DrawingNote *note = find(kind, name))
        note->option = option;
}

QLatin1String noteKindKey(DrawingNote::Kind kind)
{
    switch (kind) {
    case DrawingNote::NotDrawn:
        return QLatin1String("notDrawn");
    case DrawingNote::Hidden:
        return QLatin1String("hidden");
    case DrawingNote::ElsewhereDrawn:
        return QLatin1String("elsewhereDrawn");
    case DrawingNote::AsLines:
        return QLatin1String("asLines");
    case DrawingNote::Skipped:
        return QLatin1String("skipped");
    case DrawingNote::Assumed:
        return QLatin1String("assumed");
    case DrawingNote::DrawnHidden:
        return QLatin1String("drawnHidden");
    }
    return QLatin1String();
}

QStringList noteLines(const QVector<DrawingNote> &notes)
{
    QVector<DrawingNote::Kind> kinds;
    QVector<QStringList> parts;
    for (const DrawingNote &note : notes) {
        int at = kinds.indexOf(note.kind);
        if (at < 0) {
            at = kinds.size();
            kinds.append(note.kind);
            parts.append(QStringList());
        }
        parts[at].append(describe(note));
    }
    QStringList lines;
    for (int i = 0; i < kinds.size(); ++i)
        lines.append(kindLabel(kinds.at(i)) + QLatin1String(": ") + parts.at(i).join(QLatin1String(", ")));
    return lines;
}
