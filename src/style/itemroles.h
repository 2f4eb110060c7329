#pragma once

#include <Qt>

// Item data of a file-list row that the conversion writes and the list item
// delegate paints.
enum FileListRole {
    // The fraction of the row's file done, 0 to 1.
    ProgressRole = Qt::UserRole,
    // False once the row's file failed.
    SuccessRole = Qt::UserRole + 1,
    // True once the row's file converted but its reader left parts undrawn.
    NotesRole = Qt::UserRole + 2,
};
