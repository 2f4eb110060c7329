#include "crash/reporter/crashreportxml.h"

#include <QtTest>

class TestCrashReportXml : public QObject
{
    Q_OBJECT

private slots:
    void escaped_data();
    void escaped();
    void cdata_data();
    void cdata();
    void reportStaysWellFormed_data();
    void reportStaysWellFormed();
};

void TestCrashReportXml::escaped_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "Travina" << "Travina";
    QTest::newRow("markup") << "<a href=\"x\">&'</a>" << "&lt;a href=&quot;x&quot;&gt;&amp;&apos;&lt;/a&gt;";
    QTest::newRow("entity stays text") << "&amp;" << "&amp;amp;";
    QTest::newRow("control characters") << QStringLiteral("a\x01" "b\x1f" "c\td\n") << QStringLiteral("a\uFFFDb\uFFFDc\td\n");
    QTest::newRow("pair of surrogates kept") << QStringLiteral("\U0001F600") << QStringLiteral("\U0001F600");
    QTest::newRow("lone surrogate") << QString(QChar(0xd800)) + QLatin1Char('x') << QStringLiteral("\uFFFDx");
    QTest::newRow("noncharacter") << QString(QChar(0xfffe)) << QStringLiteral("\uFFFD");
}

void TestCrashReportXml::escaped()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QCOMPARE(xmlEscaped(value), expected);
}

void TestCrashReportXml::cdata_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("markup stays as it is") << "<b>&amp;</b>" << "<b>&amp;</b>";
    QTest::newRow("terminator split") << "a]]>b" << "a]]]]><![CDATA[>b";
    QTest::newRow("terminator after brackets") << "]]]>" << "]]]]]><![CDATA[>";
    QTest::newRow("two terminators") << "]]>]]>" << "]]]]><![CDATA[>]]]]><![CDATA[>";
    QTest::newRow("brackets without terminator") << "]] >]]" << "]] >]]";
    QTest::newRow("control character") << QStringLiteral("a\x07" "b") << QStringLiteral("a\uFFFDb");
}

void TestCrashReportXml::cdata()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(cdataContent(text), expected);
}

void TestCrashReportXml::reportStaysWellFormed_data()
{
    QTest::addColumn<QString>("log");
    QTest::newRow("end of section in the log") << "[t] qDebug: ]]></ApplicationLog><Injected/><![CDATA[";
    QTest::newRow("markup and quotes") << "<Exception code=\"1\" a='2'>&nbsp;</Exception>";
    QTest::newRow("binary junk") << QString::fromLatin1(QByteArray("\x00\x01\x1b[31m\x7f\xff", 8));
    QTest::newRow("broken surrogates") << QString(QChar(0xdc00)) + QString(QChar(0xd800));
}

// The values as the report writes them: escaped in elements, inside CDATA
// for the log. The parsed text is the value, bar the replaced characters.
void TestCrashReportXml::reportStaysWellFormed()
{
    QFETCH(QString, log);
    const QString report = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<CrashReport>\r\n\t<Comment>")
        + xmlEscaped(log) + QStringLiteral("</Comment>\r\n\t<ApplicationLog><![CDATA[") + cdataContent(log)
        + QStringLiteral("]]></ApplicationLog>\r\n</CrashReport>\r\n");
    QXmlStreamReader reader(report.toUtf8());
    QStringList texts;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() != QLatin1String("CrashReport"))
            texts << reader.readElementText();
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0], texts[1]);
    QCOMPARE(texts[0].size(), log.size());
}

QTEST_GUILESS_MAIN(TestCrashReportXml)
#include "tst_crashreportxml.moc"
