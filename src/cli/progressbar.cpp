#include "progressbar.h"

#include "printabletext.h"

#include "platform/terminal.h"

#include <QFileInfo>

#include <algorithm>

ProgressBar::ProgressBar(std::FILE *stream, int totalFiles)
    : m_stream(stream)
    , m_totalFiles(totalFiles)
    , m_columns(terminalColumns(stream))
{
}

void ProgressBar::show(int file, double fraction, const QString &name)
{
    const double overall = std::clamp((file + std::clamp(fraction, 0.0, 1.0)) / std::max(m_totalFiles, 1), 0.0, 1.0);
    const int barWidth = std::clamp(m_columns / 3, 10, 40);
    const int filled = int(overall * barWidth);
    const QString counter = QStringLiteral("%1/%2 ").arg(file + 1).arg(m_totalFiles);
    QString line = QStringLiteral("[%1%2] %3% ")
                       .arg(QString(filled, QLatin1Char('#')), QString(barWidth - filled, QLatin1Char('.')))
                       .arg(int(overall * 100), 3)
                   + counter;
    const int room = m_columns - 1 - line.size();
    if (room > 3)
        line += printable(QFileInfo(name).fileName()).left(room);
    if (m_visible && line == m_shown)
        return;
    m_shown = line;
    std::fprintf(m_stream, "\r\033[K%s", line.toLocal8Bit().constData());
    std::fflush(m_stream);
    m_visible = true;
}

void ProgressBar::clear()
{
    if (!m_visible)
        return;
    std::fputs("\r\033[K", m_stream);
    std::fflush(m_stream);
    m_visible = false;
}
