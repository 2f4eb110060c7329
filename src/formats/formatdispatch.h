#pragma once

#include <QString>

class Drawing;

// (path, drawing to fill) -> whether the file gave a usable drawing.
using DrawingReader = bool (*)(const QString &path, Drawing &drawing);

// The file-type filter of the open-files dialog, in the current language.
// Empty until retranslateFormats() first runs.
extern QString inputFileFilter;
void retranslateFormats();

// The reader for a file name, chosen by its extension alone; null when no
// format has that extension.
DrawingReader readerForPath(const QString &path);

// Reads the file with the reader its extension names; false for an unknown
// extension, without touching the file or the drawing.
bool readDrawing(const QString &path, Drawing &drawing);

// Writes the drawing as G-code, the one output format.
bool writeDrawing(const QString &path, const Drawing &drawing);
