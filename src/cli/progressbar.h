#pragma once

#include <QString>

#include <cstdio>

// A one-line progress bar redrawn in place on a terminal.
class ProgressBar
{
public:
    explicit ProgressBar(std::FILE *stream, int totalFiles);

    void show(int file, double fraction, const QString &name);
    // Removes the bar so that other output starts on a clean line.
    void clear();
    void setTotalFiles(int totalFiles) { m_totalFiles = totalFiles; }

private:
    std::FILE *m_stream;
    int m_totalFiles;
    int m_columns;
    bool m_visible = false;
    QString m_shown;
};
