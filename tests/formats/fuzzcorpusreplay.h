#pragma once

// Replaying the corpora of a reader's two fuzz targets in its tests: under
// the sanitizers every input the targets kept is read again, as the target
// that kept it reads it.

#include "fuzz/readerfuzzinput.h"

#include <QtTest>

// The columns "path" and "parser" with a row per input of both corpora.
inline void addFuzzCorpusRows(const char *readerTarget, const char *parserTarget)
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("parser");
    for (const bool parser : {false, true}) {
        const QString target = QLatin1String(parser ? parserTarget : readerTarget);
        const QDir corpus(QStringLiteral(TRAVINA_TEST_DATA_DIR "/../fuzz/") + target + QStringLiteral("/corpus"));
        const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
        if (names.isEmpty())
            qFatal("no corpus in %s", qPrintable(corpus.path()));
        for (const QString &name : names)
            QTest::newRow(qPrintable(target + QLatin1Char('/') + name)) << corpus.filePath(name) << parser;
    }
}

template<typename ReaderOptions, typename ParserOptions>
void replayFuzzInput(const QString &path, bool parser, const char *fileName, ReaderOptions readerOptions,
                     ParserOptions parserOptions, DrawingReader reader)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    const QByteArray input = file.readAll();
    const auto *data = reinterpret_cast<const std::uint8_t *>(input.constData());
    const std::size_t size = std::size_t(input.size());
    if (parser)
        readFuzzInputWithinPointLimit(data, size, fileName, parserOptions, reader);
    else
        readFuzzInput(data, size, fileName, readerOptions, reader);
}
