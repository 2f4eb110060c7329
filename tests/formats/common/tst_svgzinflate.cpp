#include "formats/deflatebytes.h"
#include "formats/drawingpaths.h"

#include "formats/common/gzipinflate.h"

#include <QBuffer>
#include <QtTest>

#include <zlib.h>

Q_DECLARE_METATYPE(GzipInflater::Ending)

namespace {

void appendLittleEndian(QByteArray &out, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((value >> (8 * i)) & 0xff));
}

// One gzip member; with `size` given, a comment in the header pads the
// member to exactly that many bytes.
QByteArray gzipMember(const QByteArray &data, int size = 0)
{
    const QByteArray body = deflateBytes(data, -15);
    QByteArray member("\x1f\x8b\x08\x10\0\0\0\0\0\x03", 10);
    const int commentLength = size > 0 ? size - 10 - body.size() - 8 - 1 : 0;
    member += QByteArray(qMax(commentLength, 0), 'c');
    member += '\0';
    member += body;
    appendLittleEndian(member, quint32(crc32(0, reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size()))));
    appendLittleEndian(member, quint32(data.size()));
    return member;
}

QByteArray inflateBytes(const QByteArray &compressed, const InflateLimit &limit = InflateLimit())
{
    QBuffer buffer;
    buffer.setData(compressed);
    return inflateGzip(&buffer, limit);
}

// Inflates everything there is and tells how the output ended.
GzipInflater::Ending endingOf(const QByteArray &compressed, QByteArray *inflated = nullptr)
{
    QBuffer buffer;
    buffer.setData(compressed);
    buffer.open(QIODevice::ReadOnly);
    GzipInflater inflater(buffer);
    QByteArray output;
    char piece[4096];
    while (const int size = inflater.inflateInto(piece, sizeof piece))
        output.append(piece, size);
    if (inflated)
        *inflated = output;
    return inflater.ending();
}

InflateLimit limitAbove(qint64 alwaysAllowedBytes)
{
    InflateLimit limit;
    limit.alwaysAllowedBytes = alwaysAllowedBytes;
    return limit;
}

QByteArray sampleText(int size)
{
    QByteArray text;
    for (int i = 0; text.size() < size; ++i)
        text += "<line x1=\"" + QByteArray::number(i) + "\" y2=\"" + QByteArray::number(i * 7 % 113) + "\"/>\n";
    text.truncate(size);
    return text;
}

} // namespace

class TestSvgzInflate : public QObject
{
    Q_OBJECT

private slots:
    void members_data();
    void members();
    void damagedData_data();
    void damagedData();
    void ceilingHoldsWhateverTheRatio();
    void ratioLimit_data();
    void ratioLimit();
    void limitIsReported();
    void opensAClosedDevice();
    void noDevice();
};

void TestSvgzInflate::members_data()
{
    QTest::addColumn<QByteArray>("compressed");
    QTest::addColumn<QByteArray>("inflated");
    const QByteArray first = sampleText(30000);
    const QByteArray second = sampleText(5000).toUpper();
    QTest::newRow("one member") << gzipMember(first) << first;
    QTest::newRow("two members") << gzipMember(first) + gzipMember(second) << first + second;
    // The first member fills the first read exactly, so nothing of the
    // second one is in the stream when the first ends.
    const QByteArray shortFirst = first.left(6000);
    const QByteArray paddedFirst = gzipMember(shortFirst, 4096);
    if (paddedFirst.size() != 4096)
        qFatal("the padded member should fill one read");
    QTest::newRow("second member at a read boundary") << paddedFirst + gzipMember(second) << shortFirst + second;
    QTest::newRow("empty member between") << gzipMember(first) + gzipMember(QByteArray()) + gzipMember(second)
                                          << first + second;
    QTest::newRow("output longer than many read chunks") << gzipMember(QByteArray(1 << 20, 'x'))
                                                         << QByteArray(1 << 20, 'x');
}

void TestSvgzInflate::members()
{
    QFETCH(QByteArray, compressed);
    QFETCH(QByteArray, inflated);
    QCOMPARE(inflateBytes(compressed), inflated);
}

void TestSvgzInflate::damagedData_data()
{
    QTest::addColumn<QByteArray>("compressed");
    QTest::addColumn<QByteArray>("inflatedStart");
    QTest::addColumn<GzipInflater::Ending>("ending");
    const QByteArray text = sampleText(20000);
    const QByteArray member = gzipMember(text);
    QTest::newRow("whole member") << member << text << GzipInflater::Ending::Complete;
    QTest::newRow("truncated member") << member.left(member.size() / 2) << text.left(100)
                                      << GzipInflater::Ending::Truncated;
    QTest::newRow("truncated second member") << member + member.left(member.size() / 2) << text + text.left(100)
                                             << GzipInflater::Ending::Truncated;
    QTest::newRow("garbage after a member") << member + QByteArray("garbage!") << text
                                            << GzipInflater::Ending::Damaged;
    QByteArray corrupt = member;
    corrupt[member.size() / 2] = char(corrupt.at(member.size() / 2) ^ 0xff);
    QTest::newRow("corrupt block") << corrupt << QByteArray() << GzipInflater::Ending::Damaged;
    QByteArray wrongCheck = member;
    wrongCheck[wrongCheck.size() - 5] = char(wrongCheck.at(wrongCheck.size() - 5) ^ 1);
    QTest::newRow("wrong checksum") << wrongCheck << text << GzipInflater::Ending::Damaged;
    QTest::newRow("not gzip") << QByteArray("<svg/>") << QByteArray() << GzipInflater::Ending::Damaged;
}

void TestSvgzInflate::damagedData()
{
    QFETCH(QByteArray, compressed);
    QFETCH(QByteArray, inflatedStart);
    QFETCH(GzipInflater::Ending, ending);
    QByteArray inflated;
    QCOMPARE(endingOf(compressed, &inflated), ending);
    QVERIFY(inflated.startsWith(inflatedStart));
    QCOMPARE(inflateBytes(compressed), inflated);
}

void TestSvgzInflate::ceilingHoldsWhateverTheRatio()
{
    const QByteArray text = sampleText(100000);
    InflateLimit limit = limitAbove(1000);
    limit.ceilingBytes = 150000;
    QCOMPARE(inflateBytes(gzipMember(text) + gzipMember(text), limit), (text + text).left(150000));
}

void TestSvgzInflate::ratioLimit_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<qint64>("alwaysAllowed");
    QTest::addColumn<qint64>("inflatedSize");
    const QByteArray spaces(4 << 20, ' ');
    QTest::newRow("spaces stop just past the allowed size") << spaces << qint64(1 << 16) << qint64(1 << 16);
    QTest::newRow("spaces within the allowed size") << spaces << qint64(4 << 20) << qint64(4 << 20);
    const QByteArray drawing = drawingPaths(4 << 20);
    QTest::newRow("a drawing's paths run to their end") << drawing << qint64(1 << 16) << qint64(drawing.size());
}

// The allowed size grows with the compressed bytes taken, 200 times each.
void TestSvgzInflate::ratioLimit()
{
    QFETCH(QByteArray, data);
    QFETCH(qint64, alwaysAllowed);
    QFETCH(qint64, inflatedSize);
    const QByteArray compressed = gzipMember(data);
    QVERIFY(data.size() > 14 * compressed.size());
    QCOMPARE(inflateBytes(compressed, limitAbove(alwaysAllowed)), data.left(int(inflatedSize)));
}

void TestSvgzInflate::limitIsReported()
{
    const QByteArray spaces(1 << 20, ' ');
    QBuffer bomb;
    bomb.setData(gzipMember(spaces));
    bomb.open(QIODevice::ReadOnly);
    InflateLimit limit = limitAbove(1000);
    limit.ratio = 1;
    GzipInflater inflater(bomb, limit);
    QByteArray piece(1 << 20, '\0');
    QCOMPARE(inflater.inflateInto(piece.data(), piece.size()), 1000);
    QCOMPARE(inflater.ending(), GzipInflater::Ending::NotEnded);
    QCOMPARE(inflater.inflateInto(piece.data(), piece.size()), 0);
    QCOMPARE(inflater.ending(), GzipInflater::Ending::LimitReached);
}

void TestSvgzInflate::opensAClosedDevice()
{
    const QByteArray text = sampleText(1000);
    QByteArray compressed = gzipMember(text);
    QBuffer buffer(&compressed);
    QVERIFY(!buffer.isOpen());
    QCOMPARE(inflateGzip(&buffer), text);
}

void TestSvgzInflate::noDevice()
{
    QVERIFY(inflateGzip(nullptr).isEmpty());
}

QTEST_APPLESS_MAIN(TestSvgzInflate)
#include "tst_svgzinflate.moc"
