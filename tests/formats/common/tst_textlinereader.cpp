#include "formats/common/textlinereader.h"

#include <QtTest>

namespace {

// Every line the reader gives, and the bytes it says it consumed.
QStringList linesOf(QFile &file, qint64 *consumed = nullptr)
{
    TextLineReader lines(file);
    QStringList result;
    while (lines.next())
        result.append(lines.text());
    if (consumed)
        *consumed = lines.position();
    return result;
}

} // namespace

class TestTextLineReader : public QObject
{
    Q_OBJECT

private slots:
    void linesOfAFile_data();
    void linesOfAFile();
    void longLinesInPieces_data();
    void longLinesInPieces();
    void fileLongerThanWhenOpened();

private:
    QString write(const QByteArray &content);

    QTemporaryDir m_dir;
};

QString TestTextLineReader::write(const QByteArray &content)
{
    const QString path = m_dir.filePath(QStringLiteral("lines.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// Small files are read into a buffer of their own size, large ones chunk by
// chunk; the lines are the same either way.
void TestTextLineReader::linesOfAFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("one line without its line feed") << QByteArray("PD1,2") << QStringList{QStringLiteral("PD1,2")};
    QTest::newRow("carriage returns and an empty line")
        << QByteArray("IN;\r\n\r\nPU0,0;\r\n\r")
        << QStringList{QStringLiteral("IN;"), QString(), QStringLiteral("PU0,0;")};
    QTest::newRow("UTF-8 with its byte order mark")
        << QByteArray("\xef\xbb\xbf" "a\nb\n") << QStringList{QStringLiteral("a"), QStringLiteral("b")};

    // Past a chunk, with a line across every chunk boundary.
    QStringList many;
    QByteArray large;
    for (int i = 0; large.size() < (3 << 20); ++i) {
        const QByteArray line = "LINE " + QByteArray::number(i * 7919);
        many.append(QString::fromLatin1(line));
        large += line + '\n';
    }
    QTest::newRow("three megabytes") << large << many;

    // Decoded a chunk at a time, with characters across the chunk
    // boundaries, a pair of surrogates among them.
    const QString text = QStringLiteral("\u017c\u00f3\u0142w \U0001F600 PD1,2;\n");
    QString longText;
    QStringList longLines;
    while (longText.size() < (3 << 20)) {
        longText += text;
        longLines.append(text.chopped(1));
    }
    const auto utf16 = [](const QString &s) {
        return QByteArray("\xff\xfe") + QByteArray(reinterpret_cast<const char *>(s.utf16()), s.size() * 2);
    };
    QTest::newRow("UTF-16 with its byte order mark")
        << utf16(QStringLiteral("a\r\n\u00e9\n")) << QStringList{QStringLiteral("a"), QStringLiteral("\u00e9")};
    QTest::newRow("UTF-16, six megabytes") << utf16(longText) << longLines;
    const QVector<uint> ucs4 = QStringLiteral("b\nc").toUcs4();
    QTest::newRow("UTF-32 with its byte order mark")
        << QByteArray("\xff\xfe\0\0", 4) + QByteArray(reinterpret_cast<const char *>(ucs4.constData()), ucs4.size() * 4)
        << QStringList{QStringLiteral("b"), QStringLiteral("c")};
}

void TestTextLineReader::linesOfAFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, expected);
    QFile file(write(content));
    QVERIFY(file.open(QIODevice::ReadOnly));
    qint64 consumed = -1;
    QCOMPARE(linesOf(file, &consumed), expected);
    QCOMPARE(consumed, qint64(content.size()));
}

// Lines of statements that also end at a separator: a long line comes in
// pieces of at most a chunk that end after a separator, a short one whole.
void TestTextLineReader::longLinesInPieces_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("pieces");
    QByteArray oneLine;
    while (oneLine.size() < (3 << 20))
        oneLine += "PU1234,5678;PD1,2,3,4;";
    QTest::newRow("short lines") << QByteArray("IN;PU0,0;\r\nPD1,1;\n\nPU") << 4;
    QTest::newRow("three megabytes on one line") << oneLine << -1;
    QTest::newRow("a long line between short ones") << "IN;\n" + oneLine + "PU9\nSP0;" << -1;
    QTest::newRow("a last piece of carriage returns") << oneLine + "\r\r" << -1;
}

void TestTextLineReader::longLinesInPieces()
{
    QFETCH(QByteArray, content);
    QFETCH(int, pieces);
    QFile file(write(content));
    QVERIFY(file.open(QIODevice::ReadOnly));
    TextLineReader lines(file);
    lines.splitLongLinesAfter(';');
    QByteArray joined;
    int count = 0;
    while (lines.next()) {
        const QByteArray piece(lines.begin(), int(lines.end() - lines.begin()));
        QVERIFY(piece.size() <= (1 << 20));
        QVERIFY(!piece.contains('\n'));
        joined += piece;
        ++count;
    }
    QVERIFY(!lines.pieceTooLong());
    QCOMPARE(lines.position(), qint64(content.size()));
    QByteArray expected = content;
    QCOMPARE(joined, expected.replace('\r', QByteArray()).replace('\n', QByteArray()));
    if (pieces >= 0)
        QCOMPARE(count, pieces);
    else
        QVERIFY(count > 3);
}

// A file that grows while it is read: the buffer sized to it when it was
// opened makes room for the rest.
void TestTextLineReader::fileLongerThanWhenOpened()
{
    const QString path = write("first\n");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    TextLineReader lines(file);
    QFile appended(path);
    QVERIFY(appended.open(QIODevice::Append));
    const QByteArray more = QByteArray("second\n") + QByteArray(5000, 'x') + "\nlast";
    QCOMPARE(appended.write(more), qint64(more.size()));
    appended.close();

    QStringList read;
    while (lines.next())
        read.append(lines.text());
    QCOMPARE(read, (QStringList{QStringLiteral("first"), QStringLiteral("second"), QString(5000, QLatin1Char('x')),
                                QStringLiteral("last")}));
}

QTEST_GUILESS_MAIN(TestTextLineReader)
#include "tst_textlinereader.moc"
