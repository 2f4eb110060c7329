#pragma once

#include "text.h"

#include "drawing/drawingnotes.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The notes of one reading, counted where the reader meets what they
// record and handed to the drawing once the file is read: a file may hold
// millions of entities of one kind that is not drawn.
class DxfNoteTally
{
public:
    // Notes of kinds named by the file itself, beyond this many, are
    // counted together as "entities of other kinds": a file of a million
    // made-up names must not make a million notes.
    static constexpr int maximumFileNames = 50;

    // A note named by one of the reader's own descriptions or keywords: a
    // constant, found again by its address.
    void add(DrawingNote::Kind kind, const char *name, qint64 count = 1);
    // A note named by an entity kind as the file writes it.
    void addKindOfFile(DrawingNote::Kind kind, const DxfText &name, qint64 count = 1);

    // Adds these notes to `other` and empties this tally.
    void moveInto(DxfNoteTally &other);
    bool isEmpty() const { return m_entries.empty(); }

    void addTo(DrawingNotes &notes) const;

private:
    struct Entry
    {
        DrawingNote::Kind kind;
        const char *constant; // the reader's own name, or null
        QByteArray key;       // the name as the file wrote it
        QString name;
        qint64 count;
    };

    std::vector<Entry> m_entries;
    int m_fileNames = 0;
};
