#pragma once

#include <QString>

struct OutputOptions
{
    // Each output next to its input; otherwise `pattern` decides.
    bool saveInSourceDirectory = true;
    // An output file, an existing directory, or a pattern with "%o" (input
    // path as given), "%p" (absolute directory of the input), "%d" (that
    // directory's name), "%f" (input name up to its first dot) and "%e"
    // (everything after that dot).
    QString pattern = QStringLiteral("%p/%f.tap");
};

struct OutputPath
{
    QString path;
    // A plain file path whose missing directories are created before writing.
    bool createsDirectory = false;
};

OutputPath resolveOutputPath(const QString &input, const OutputOptions &options);

// Creates the directories a plain output file path asks for. A directory
// that cannot be created is not reported here: the write into it fails.
void createOutputDirectory(const OutputPath &output);

// Whether writing the output would replace the input file itself.
bool outputIsInput(const QString &output, const QString &input);
