#pragma once

#include "elements.h"
#include "visibility.h"

#include <QHash>
#include <QString>
#include <QStringView>
#include <QXmlStreamAttributes>

#include <vector>

// One element kept for the copies that "use" elements make of it, with its
// own attributes: the XML reader's are gone once it reads on.
struct SvgFragment
{
    SvgElementKind kind;
    QString name;                  // local name, for the notes
    bool foreign = false;          // of another namespace, or inside such an element
    ElementVisibility shown;       // its own display and visibility, not inherited
    QXmlStreamAttributes attributes;
    // What a copy of it costs to draw: one, and one more for every 256
    // characters of its attributes, whose numbers each copy reads again.
    qint64 weight = 1;
    int firstChild = -1;
    int nextSibling = -1;
    bool complete = false;         // its end tag has been read
};

// The elements a "use" may refer to: every element with an id, with all it
// holds, and the "use" elements met where they could not be drawn at once.
// A document without ids keeps nothing.
class SvgFragments
{
public:
    // Keeps an element that opens now, inside the innermost one kept and
    // still open, if any; returns its index.
    int open(const QXmlStreamAttributes &attributes, SvgElementKind kind, QStringView name, bool foreign,
             const ElementVisibility &shown);
    // Ends the innermost element kept and still open.
    void close();
    // Whether an element opening now lies inside one kept.
    bool recording() const { return !m_open.empty(); }

    // The first element of the document with this id, or -1.
    int find(QStringView id) const;
    const SvgFragment &at(int index) const { return m_fragments[std::size_t(index)]; }

private:
    std::vector<SvgFragment> m_fragments;
    std::vector<int> m_open;
    std::vector<int> m_lastChild; // per open element
    QHash<QString, int> m_ids;
};

// The text after "#" of an element's href, or of its xlink:href when it
// has none; empty when neither names an element of this document.
QStringView referencedId(const QXmlStreamAttributes &attributes);
