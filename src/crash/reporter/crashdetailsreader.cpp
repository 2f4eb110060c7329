#include "crashdetailsreader.h"

#include <QDataStream>

namespace {

// The attachment table and the log, as the crash handler serialised them.
void readState(const QByteArray &state, CrashDetailsText &details)
{
    QDataStream stream(state);
    quint32 count = 0;
    stream >> count;
    // A damaged count runs the stream dry long before it is reached.
    for (quint32 i = 0; i < count && stream.status() == QDataStream::Ok; ++i) {
        QString key;
        bool included = false;
        CrashReportItem item;
        stream >> key >> included >> item.value;
        item.included = included;
        if (stream.status() == QDataStream::Ok)
            details.attachments.insert(key, item);
    }
    QString log;
    stream >> log;
    if (stream.status() == QDataStream::Ok)
        details.log = log;
}

} // namespace

CrashDetailsText parseCrashDetails(const QByteArray &file)
{
    CrashDetailsText details;
    const int lineEnd = file.indexOf('\n');
    bool isNumber = false;
    const qint64 stateSize = file.left(qMax(lineEnd, 0)).toLongLong(&isNumber);
    if (lineEnd < 0 || !isNumber || stateSize < 0 || stateSize > file.size() - lineEnd - 1)
        return details;
    const int stateStart = lineEnd + 1;
    readState(file.mid(stateStart, static_cast<int>(stateSize)), details);
    details.pieces = file.mid(stateStart + static_cast<int>(stateSize)).split('\n');
    return details;
}
