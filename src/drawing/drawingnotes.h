#pragma once

#include <QLatin1String>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVector>

// Something a reader met in a file and did not draw, or drew otherwise
// than the program that made the file would. A converted file with notes
// is still converted, but its user must hear that the cut may lack parts.
struct DrawingNote
{
    enum Kind {
        NotDrawn,     // an entity, element or instruction of a kind not drawn, by its own name
        Hidden,       // shapes the file keeps but does not show (in defs, display:none)
        ElsewhereDrawn, // drawn, but not where the file places it (a block at its own place)
        AsLines,      // drawn as straight lines although the file means curves (G2, G3)
        Skipped,      // a damaged or incomplete piece passed over
        Assumed,      // a value the file lacks, and the one taken instead
        DrawnHidden,  // drawn although the file keeps it out of sight (in defs, display:none)
    };

    Kind kind = NotDrawn;
    QString name;   // a keyword of the format ("TEXT", "SC") or a short description
    qint64 count = 0;
    QString option; // the option that would draw it, where one exists

    bool operator==(const DrawingNote &other) const
    {
        return kind == other.kind && name == other.name && count == other.count && option == other.option;
    }
};

// The notes of one file, each (kind, name) once with its count, in the
// order first met.
class DrawingNotes
{
public:
    void add(DrawingNote::Kind kind, const QString &name, qint64 count = 1);
    void add(DrawingNote::Kind kind, QLatin1String name, qint64 count = 1);
    // Names the option that would draw what notes of this name record.
    void setOption(DrawingNote::Kind kind, const QString &name, const QString &option);

    bool isEmpty() const { return m_notes.isEmpty(); }
    const QVector<DrawingNote> &list() const { return m_notes; }
    void clear() { m_notes.clear(); }

private:
    DrawingNote *find(DrawingNote::Kind kind, QLatin1String name);
    DrawingNote *find(DrawingNote::Kind kind, const QString &name);

    QVector<DrawingNote> m_notes;
};

Q_DECLARE_METATYPE(DrawingNote)

// The kind as the JSON report names it: "notDrawn", "hidden", ...
QLatin1String noteKindKey(DrawingNote::Kind kind);

// One line per kind in the current language, in the order the kinds were
// first met: "not drawn: 14 TEXT, 3 INSERT", "assumed: unit inch".
QStringList noteLines(const QVector<DrawingNote> &notes);
