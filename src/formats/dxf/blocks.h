#pragma once

struct DxfReaderState;

// BLOCK: its entities are drawn where they stand, shifted by its base
// point. A block whose base point cannot be read draws nothing: its
// entities would land wherever the missing number put them.
void beginBlock(DxfReaderState &state);
void endBlock(DxfReaderState &state);

// INSERT draws nothing; it is noted by the block it inserts.
void noteInsert(DxfReaderState &state);
