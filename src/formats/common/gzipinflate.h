#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <memory>

class QIODevice;

// How far the data of one file may inflate. Real SVGZ files inflate 3 to 15
// times their size, a compressed bomb a thousand times: the output may grow
// past `alwaysAllowedBytes` only while it stays within `ratio` times the
// compressed bytes taken so far, and never past `ceilingBytes`. Judging by
// what was taken so far stops a bomb at the same size however large its
// file, and needs no file size, which a stream does not have.
struct InflateLimit
{
    qint64 alwaysAllowedBytes = qint64(64) << 20;
    qint64 ratio = 200;
    qint64 ceilingBytes = qint64(1) << 30;

    qint64 allowedFor(qint64 compressedBytes) const
    {
        return qMin(ceilingBytes, qMax(alwaysAllowedBytes, ratio * compressedBytes));
    }
};

// Inflates gzip data from a device open for reading, a piece at a time, so
// that the whole output never needs to be held; concatenated gzip members
// are inflated one after another. Corrupt or truncated data, or output that
// would pass the limit, ends the output there, and ending() tells which.
class GzipInflater
{
public:
    enum class Ending {
        NotEnded,
        Complete,     // every member whole, and nothing after the last
        Truncated,    // the data stops inside a member
        Damaged,      // data that is no gzip member, or fails its checks
        LimitReached, // the output would have passed the limit
        Failed,       // zlib could not work (no memory)
    };

    explicit GzipInflater(QIODevice &device, const InflateLimit &limit = InflateLimit());
    ~GzipInflater();
    GzipInflater(const GzipInflater &) = delete;
    GzipInflater &operator=(const GzipInflater &) = delete;

    // Inflates up to `size` bytes into `buffer` and returns how many; 0
    // once the output has ended.
    int inflateInto(char *buffer, int size);
    Ending ending() const;
    // Whether the output ended because it would have passed the limit.
    bool limitReached() const { return ending() == Ending::LimitReached; }

private:
    class State;
    std::unique_ptr<State> m_state;
};

// All of the output at once; the device is opened read-only when it is not
// open yet.
QByteArray inflateGzip(QIODevice *device, const InflateLimit &limit = InflateLimit());
