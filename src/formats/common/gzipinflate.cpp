#include "gzipinflate.h"

#include <QIODevice>

#include <zlib.h>

namespace {

constexpr int chunkBytes = 4096;
// 15 window bits, plus 16 to accept the gzip wrapper only.
constexpr int gzipWindowBits = 31;

const char *zlibMessage(const z_stream &stream)
{
    return stream.msg ? stream.msg : "Unknown error";
}

void warnInflateError(const char *message)
{
    qWarning("Error while inflating gzip file: %s", message);
}

class GzipInflater
{
public:
    GzipInflater(QIODevice &device, qint64 limit)
        : m_device(device)
        , m_limit(qBound<qint64>(0, limit, maximumInflatedBytes))
    {
    }
    ~GzipInflater()
    {
        if (m_initialised)
            inflateEnd(&m_stream);
    }
    GzipInflater(const GzipInflater &) = delete;
    GzipInflater &operator=(const GzipInflater &) = delete;

    QByteArray run();

private:
    bool readInput();
    // Inflates until zlib leaves output space unused; false when it stopped
    // on an error.
    bool inflateAvailableInput();
    bool growOutput();
    bool moreMembersFollow();

    QIODevice &m_device;
    const qint64 m_limit;
    z_stream m_stream = {};
    bool m_initialised = false;
    bool m_failed = false;
    int m_status = Z_OK;
    char m_input[chunkBytes];
    QByteArray m_output;
    int m_filled = 0;
};

QByteArray GzipInflater::run()
{
    if (inflateInit2(&m_stream, gzipWindowBits) != Z_OK) {
        qWarning("Cannot initialize zlib, because: %s", zlibMessage(m_stream));
        return QByteArray();
    }
    m_initialised = true;
    while (m_stream.avail_in > 0 || readInput()) {
        if (!inflateAvailableInput())
            break;
        if (m_status == Z_STREAM_END && !moreMembersFollow())
            break;
    }
    if (!m_failed && m_status != Z_STREAM_END)
        warnInflateError("unexpected end of compressed data");
    m_output.truncate(m_filled);
    return m_output;
}

bool GzipInflater::readInput()
{
    const qint64 read = m_device.read(m_input, chunkBytes);
    if (read <= 0)
        return false;
    m_stream.next_in = reinterpret_cast<Bytef *>(m_input);
    m_stream.avail_in = uInt(read);
    return true;
}

bool GzipInflater::inflateAvailableInput()
{
    do {
        if (!growOutput()) {
            const QByteArray reason = "inflated size limit of " + QByteArray::number(m_limit) + " bytes reached";
            warnInflateError(reason.constData());
            m_failed = true;
            return false;
        }
        m_stream.next_out = reinterpret_cast<Bytef *>(m_output.data() + m_filled);
        m_stream.avail_out = uInt(m_output.size() - m_filled);
        m_status = inflate(&m_stream, Z_NO_FLUSH);
        m_filled = m_output.size() - int(m_stream.avail_out);
        if (m_status == Z_NEED_DICT || m_status == Z_DATA_ERROR || m_status == Z_STREAM_ERROR
            || m_status == Z_MEM_ERROR) {
            warnInflateError(zlibMessage(m_stream));
            m_failed = true;
            return false;
        }
    } while (m_stream.avail_out == 0 && m_status != Z_STREAM_END);
    return true;
}

bool GzipInflater::growOutput()
{
    const qint64 room = m_limit - m_filled;
    if (room <= 0)
        return false;
    m_output.resize(m_filled + int(qMin<qint64>(room, chunkBytes)));
    return true;
}

// Another gzip member may follow the one that ended, in the input already
// read or still on the device.
bool GzipInflater::moreMembersFollow()
{
    if (m_stream.avail_in == 0 && !readInput())
        return false;
    if (inflateReset(&m_stream) != Z_OK)
        return false;
    m_status = Z_OK;
    return true;
}

} // namespace

QByteArray inflateGzip(QIODevice *device, qint64 limit)
{
    if (!device)
        return QByteArray();
    if (!device->isOpen() && !device->open(QIODevice::ReadOnly))
        return QByteArray();
    GzipInflater inflater(*device, limit);
    return inflater.run();
}
