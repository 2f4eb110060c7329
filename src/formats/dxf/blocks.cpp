#include "blocks.h"

#include "readerstate.h"

#include <QtGlobal>

namespace {

bool numberIsOrAbsent(const DxfGroupTable &groups, int code, double expected)
{
    return groups.number(code, expected) == expected;
}

// Scale (41 to 43), rotation (50), columns and rows (70, 71) and an
// extrusion other than up (210 to 230) all put the block's entities
// elsewhere than a plain move would.
bool movesOnly(const DxfGroupTable &groups)
{
    return numberIsOrAbsent(groups, 41, 1) && numberIsOrAbsent(groups, 42, 1) && numberIsOrAbsent(groups, 43, 1)
        && numberIsOrAbsent(groups, 50, 0) && groups.integer(70, 1) <= 1 && groups.integer(71, 1) <= 1
        && numberIsOrAbsent(groups, 210, 0) && numberIsOrAbsent(groups, 220, 0) && numberIsOrAbsent(groups, 230, 1);
}

} // namespace

void beginBlock(DxfReaderState &state)
{
    const DxfGroupTable &groups = state.groups;
    state.blockOffset = DxfOffset{groups.number(10) * state.unitFactor, groups.number(20) * state.unitFactor,
                                  groups.number(30) * state.unitFactor};
    state.blocks.begin(groups.value(2), QPointF(state.blockOffset.x, state.blockOffset.y), state.unitFactor);
}

void endBlock(DxfReaderState &state)
{
    state.blockOffset = DxfOffset{};
    state.blocks.end();
}

void noteInsert(DxfReaderState &state)
{
    state.blocks.insert(state.groups.value(2), state.position(10), state.unitFactor, movesOnly(state.groups));
}
