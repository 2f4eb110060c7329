#pragma once

#include <QTransform>

#include <memory>
#include <vector>

class Drawing;
class DxfBlockLibrary;
class DxfEntityStream;
class DxfNoteTally;
struct DxfReaderState;

// Draws the blocks of the library where INSERTs put them: moved, scaled
// (a negative scale mirrors), turned and repeated in columns and rows, and
// the INSERTs inside a block with it.
//
// A few bytes of file can nest arrays into billions of copies. The work is
// counted in pairs read again plus a few for each copy made, and a file
// that asks for more than `workLimit` fails rather than convert for hours
// or as a part of what it describes.
class DxfBlockPlacer
{
public:
    // The deepest nesting of INSERTs drawn.
    static constexpr int maximumDepth = 16;

    DxfBlockPlacer(const DxfBlockLibrary &library, Drawing &drawing, DxfNoteTally &notes, qint64 workLimit);
    ~DxfBlockPlacer();

    // The INSERT whose groups `state` holds, read by the stream of that state.
    void place(const DxfReaderState &state);

    // Whether the work went past the limit; nothing more is drawn then.
    bool overWorkLimit() const { return m_overWorkLimit; }

private:
    struct Insert;
    bool readInsert(const DxfReaderState &state, Insert &insert);
    void placeCopy(int block, const QTransform &placement, const DxfReaderState &from);
    DxfEntityStream &streamAt(int depth);

    const DxfBlockLibrary &m_library;
    Drawing &m_drawing;
    DxfNoteTally &m_notes;
    const qint64 m_workLimit;
    qint64 m_work = 0;
    bool m_overWorkLimit = false;
    std::vector<std::unique_ptr<DxfEntityStream>> m_streams; // one per depth
    std::vector<int> m_placing; // the blocks being drawn, outermost first
};
