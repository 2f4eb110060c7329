#include "blocks.h"

#include "readerstate.h"

#include <QtGlobal>

namespace {

const char unreadableBasePoint[] = QT_TRANSLATE_NOOP("DrawingNotes", "block with an unreadable base point");

bool numberIsOrAbsent(const DxfGroupTable &groups, int code, double expected)
{
    return groups.number(code, expected) == expected;
}

// Scale (41 to 43), rotation (50), columns and rows (70, 71) and an
// extrusion other than up (210 to 230) all put the block's entities
// elsewhere than a plain move would, and so may a number of the INSERT
// that cannot be read.
bool movesOnly(const DxfGroupTable &groups)
{
    const bool plain = numberIsOrAbsent(groups, 41, 1) && numberIsOrAbsent(groups, 42, 1)
        && numberIsOrAbsent(groups, 43, 1) && numberIsOrAbsent(groups, 50, 0) && groups.integer(70, 1) <= 1
        && groups.integer(71, 1) <= 1 && numberIsOrAbsent(groups, 210, 0) && numberIsOrAbsent(groups, 220, 0)
        && numberIsOrAbsent(groups, 230, 1);
    return plain && !groups.heldUnreadableNumber();
}

} // namespace

void beginBlock(DxfReaderState &state)
{
    const DxfGroupTable &groups = state.groups;
    state.blockOffset = DxfOffset{groups.number(10) * state.unitFactor, groups.number(20) * state.unitFactor,
                                  groups.number(30) * state.unitFactor};
    state.skippingBlock = groups.heldUnreadableNumber();
    if (state.skippingBlock)
        state.notes.add(DrawingNote::Skipped, unreadableBasePoint);
    state.blocks.begin(groups.value(2), QPointF(state.blockOffset.x, state.blockOffset.y), state.unitFactor);
}

void endBlock(DxfReaderState &state)
{
    state.blockOffset = DxfOffset{};
    state.skippingBlock = false;
    state.blocks.end();
}

void noteInsert(DxfReaderState &state)
{
    const QPointF at = state.position(10);
    // Read last, so that an insertion point that cannot be read counts too.
    const bool moveOnly = movesOnly(state.groups);
    state.blocks.insert(state.groups.value(2), at, state.unitFactor, moveOnly);
}
