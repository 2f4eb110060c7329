#include "fuzz/svgfuzzentries.h"

#include <QtTest>

// Replays every input the fuzzers keep, so that a fault they once found
// stays found in every build, with or without libFuzzer.
class TestSvgFuzzCorpus : public QObject
{
    Q_OBJECT

private slots:
    // The inputs are hostile by design; the warnings they cause are noise.
    void initTestCase() { m_previousHandler = qInstallMessageHandler(discardMessage); }
    void cleanupTestCase() { qInstallMessageHandler(m_previousHandler); }
    void grammar_data() { addCorpus(QStringLiteral("fuzz_svg_grammar")); }
    void grammar();
    void document_data() { addCorpus(QStringLiteral("fuzz_svg_document")); }
    void document();

private:
    static void discardMessage(QtMsgType, const QMessageLogContext &, const QString &) {}

    static void addCorpus(const QString &target)
    {
        QTest::addColumn<QString>("path");
        const QDir corpus(QStringLiteral(TRAVINA_TEST_DATA_DIR "/../fuzz/") + target + QStringLiteral("/corpus"));
        const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
        if (names.isEmpty())
            qFatal("no corpus in %s", qPrintable(corpus.path()));
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << corpus.filePath(name);
    }

    static QByteArray contentOf(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        return file.readAll();
    }

    QTemporaryDir m_scratch;
    QtMessageHandler m_previousHandler = nullptr;
};

void TestSvgFuzzCorpus::grammar()
{
    QFETCH(QString, path);
    const QByteArray input = contentOf(path);
    fuzzSvgGrammar(input.constData(), std::size_t(input.size()));
}

void TestSvgFuzzCorpus::document()
{
    QFETCH(QString, path);
    const QByteArray input = contentOf(path);
    fuzzSvgDocument(input.constData(), std::size_t(input.size()), m_scratch.filePath(QStringLiteral("input.svg")));
}

QTEST_GUILESS_MAIN(TestSvgFuzzCorpus)
#include "tst_svgfuzzcorpus.moc"
