#include "gzipinflate.h"

#include <QIODevice>

#include <zlib.h>

namespace {

constexpr int chunkBytes = 4096;
// 15 window bits, plus 16 to accept the gzip wrapper only.
constexpr int gzipWindowBits = 31;

bool isInflateError(int status)
{
    return status == Z_NEED_DICT || status == Z_DATA_ERROR || status == Z_STREAM_ERROR || status == Z_MEM_ERROR;
}

} // namespace

class GzipInflater::State
{
public:
    State(QIODevice &device, const InflateLimit &limit)
        : m_device(device)
        , m_limit(limit)
    {
        if (inflateInit2(&m_stream, gzipWindowBits) != Z_OK) {
            m_ending = Ending::Failed;
            return;
        }
        m_initialised = true;
    }
    ~State()
    {
        if (m_initialised)
            inflateEnd(&m_stream);
    }

    int inflateInto(char *buffer, int size);
    Ending ending() const { return m_ending; }

private:
    // One call of zlib into `buffer`, counting what it took and gave.
    int inflateStep(char *buffer, int size);
    bool readInput();
    bool startNextMember();
    void end(Ending ending) { m_ending = ending; }

    QIODevice &m_device;
    const InflateLimit m_limit;
    z_stream m_stream = {};
    bool m_initialised = false;
    int m_status = Z_OK;
    // zlib may hold output back when the last call filled the buffer, even
    // with all input taken.
    bool m_outputPending = false;
    Ending m_ending = Ending::NotEnded;
    qint64 m_taken = 0;
    qint64 m_inflated = 0;
    char m_input[chunkBytes];
};

int GzipInflater::State::inflateInto(char *buffer, int size)
{
    while (m_ending == Ending::NotEnded && size > 0) {
        if (m_status == Z_STREAM_END && !startNextMember()) {
            end(Ending::Complete);
            break;
        }
        if (m_stream.avail_in == 0 && !m_outputPending && !readInput()) {
            end(Ending::Truncated);
            break;
        }
        // At the limit there is still room for one byte: only a stream that
        // goes on fills it, and one that ends right there is whole.
        const qint64 room = qMax<qint64>(m_limit.allowedFor(m_taken) - m_inflated, 1);
        const int produced = inflateStep(buffer, int(qMin<qint64>(room, size)));
        const qint64 allowed = m_limit.allowedFor(m_taken);
        if (m_inflated > allowed) {
            end(Ending::LimitReached);
            return 0;
        }
        if (isInflateError(m_status)) {
            end(m_status == Z_MEM_ERROR ? Ending::Failed : Ending::Damaged);
            return produced;
        }
        if (produced > 0)
            return produced;
    }
    return 0;
}

int GzipInflater::State::inflateStep(char *buffer, int size)
{
    m_stream.next_out = reinterpret_cast<Bytef *>(buffer);
    m_stream.avail_out = uInt(size);
    const uInt inputBefore = m_stream.avail_in;
    m_status = inflate(&m_stream, Z_NO_FLUSH);
    m_taken += inputBefore - m_stream.avail_in;
    const int produced = size - int(m_stream.avail_out);
    m_inflated += produced;
    m_outputPending = m_stream.avail_out == 0;
    return produced;
}

bool GzipInflater::State::readInput()
{
    const qint64 read = m_device.read(m_input, chunkBytes);
    if (read <= 0)
        return false;
    m_stream.next_in = reinterpret_cast<Bytef *>(m_input);
    m_stream.avail_in = uInt(read);
    return true;
}

// Another gzip member may follow the one that ended, in the input already
// read or still on the device.
bool GzipInflater::State::startNextMember()
{
    if (m_stream.avail_in == 0 && !readInput())
        return false;
    if (inflateReset(&m_stream) != Z_OK)
        return false;
    m_status = Z_OK;
    return true;
}

GzipInflater::GzipInflater(QIODevice &device, const InflateLimit &limit)
    : m_state(new State(device, limit))
{
}

GzipInflater::~GzipInflater() = default;

int GzipInflater::inflateInto(char *buffer, int size)
{
    return m_state->inflateInto(buffer, size);
}

GzipInflater::Ending GzipInflater::ending() const
{
    return m_state->ending();
}

QByteArray inflateGzip(QIODevice *device, const InflateLimit &limit)
{
    if (!device)
        return QByteArray();
    if (!device->isOpen() && !device->open(QIODevice::ReadOnly))
        return QByteArray();
    GzipInflater inflater(*device, limit);
    QByteArray output;
    constexpr int pieceBytes = 1 << 16;
    for (;;) {
        const int filled = output.size();
        output.resize(filled + pieceBytes);
        const int produced = inflater.inflateInto(output.data() + filled, pieceBytes);
        output.truncate(filled + produced);
        if (produced == 0)
            return output;
    }
}
