#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

#include <vector>

// Which namespace prefixes of the open elements stand for SVG's namespace.
// The XML reader runs without namespace processing, so that a prefix a
// file forgot to declare does not end the document; such a prefix names no
// SVG element.
class PrefixScopes
{
public:
    // A declaration on the element being opened; undone by leave().
    void declare(QStringView prefix, bool svg);
    // Undoes the last `count` declarations.
    void leave(int count)
    {
        if (count > 0)
            undo(count);
    }
    bool isSvg(QStringView prefix) const;

private:
    void undo(int count);

    struct Declaration
    {
        QString prefix;
        bool svg;
        int shadowed; // the declaration of the same prefix it hides, or -1
    };

    std::vector<Declaration> m_declarations;
    QHash<QString, int> m_latest;
};
