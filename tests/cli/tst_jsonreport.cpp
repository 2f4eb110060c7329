#include "testsupport.h"

#include <QtTest>

namespace {

// Checks a value against the part of JSON Schema the README's schema uses:
// type, enum, required, properties, additionalProperties, items, minimum.
// Returns where the value breaks the schema, or an empty string.
QString violation(const QJsonValue &value, const QJsonObject &schema, const QString &where)
{
    if (schema.contains(QLatin1String("type"))) {
        const QJsonValue type = schema.value(QLatin1String("type"));
        const QJsonArray types = type.isArray() ? type.toArray() : QJsonArray{type};
        const auto matches = [&value](const QString &name) {
            if (name == QLatin1String("integer"))
                return value.isDouble() && value.toDouble() == std::trunc(value.toDouble());
            return (name == QLatin1String("string") && value.isString())
                || (name == QLatin1String("number") && value.isDouble())
                || (name == QLatin1String("boolean") && value.isBool())
                || (name == QLatin1String("object") && value.isObject())
                || (name == QLatin1String("array") && value.isArray())
                || (name == QLatin1String("null") && value.isNull());
        };
        if (std::none_of(types.begin(), types.end(), [&](const QJsonValue &t) { return matches(t.toString()); }))
            return where + QStringLiteral(": wrong type");
    }
    if (schema.contains(QLatin1String("enum")) && !schema.value(QLatin1String("enum")).toArray().contains(value))
        return where + QStringLiteral(": not one of the enumerated values");
    if (schema.contains(QLatin1String("minimum")) && value.toDouble() < schema.value(QLatin1String("minimum")).toDouble())
        return where + QStringLiteral(": below the minimum");
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        const QJsonObject properties = schema.value(QLatin1String("properties")).toObject();
        for (const QJsonValue &key : schema.value(QLatin1String("required")).toArray())
            if (!object.contains(key.toString()))
                return where + QStringLiteral(": lacks ") + key.toString();
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (!properties.contains(it.key())) {
                if (schema.value(QLatin1String("additionalProperties")) == QJsonValue(false))
                    return where + QStringLiteral(": unexpected ") + it.key();
                continue;
            }
            const QString inner = violation(it.value(), properties.value(it.key()).toObject(), where + QLatin1Char('.') + it.key());
            if (!inner.isEmpty())
                return inner;
        }
    }
    if (value.isArray() && schema.contains(QLatin1String("items"))) {
        const QJsonArray array = value.toArray();
        for (int i = 0; i < array.size(); ++i) {
            const QString inner = violation(array.at(i), schema.value(QLatin1String("items")).toObject(),
                                            where + QStringLiteral("[%1]").arg(i));
            if (!inner.isEmpty())
                return inner;
        }
    }
    return QString();
}

// The first JSON block after the README's "JSON report" heading.
QJsonObject schemaFromReadme()
{
    const QString readme = QString::fromUtf8(fileContents(QStringLiteral(TRAVINA_README_PATH)));
    const int section = readme.indexOf(QLatin1String("### JSON report"));
    const int start = readme.indexOf(QLatin1String("```json\n"), section);
    const int end = readme.indexOf(QLatin1String("```\n"), start + 8);
    if (section < 0 || start < 0 || end < 0)
        return QJsonObject();
    return QJsonDocument::fromJson(readme.mid(start + 8, end - start - 8).toUtf8()).object();
}

} // namespace

class TestJsonReport : public QObject
{
    Q_OBJECT

private slots:
    void reportFollowsTheReadmeSchema();
    void unwritableReportFailsTheRun();
    void curveOptionsInForceAreReported_data();
    void curveOptionsInForceAreReported();

private:
    int convert(const QStringList &arguments, QByteArray *out = nullptr);
    QTemporaryDir m_dir;
};

int TestJsonReport::convert(const QStringList &arguments, QByteArray *out)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_dir.path());
    process.start(QStringLiteral(TRAVINA_CONVERT_PATH), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    if (out)
        *out = process.readAllStandardOutput() + process.readAllStandardError();
    return process.exitCode();
}

void TestJsonReport::reportFollowsTheReadmeSchema()
{
    const QJsonObject schema = schemaFromReadme();
    QVERIFY2(schema.contains(QLatin1String("properties")), "the README's schema could not be read");

    // Two lines in millimetres: 5 mm of travel from the origin to (3, 4),
    // 5 mm cut to (6, 8), 5 mm of travel to (9, 12) and 8 mm cut to (9, 20).
    writeTestFile(m_dir.filePath(QStringLiteral("lines.dxf")),
                  "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n"
                  "0\nSECTION\n2\nENTITIES\n"
                  "0\nLINE\n8\n0\n10\n3\n20\n4\n11\n6\n21\n8\n"
                  "0\nLINE\n8\n0\n10\n9\n20\n12\n11\n9\n21\n20\n"
                  "0\nTEXT\n8\n0\n10\n1\n20\n1\n1\nLABEL\n"
                  "0\nENDSEC\n0\nEOF\n");
    QByteArray printed;
    QCOMPARE(convert({QStringLiteral("--report"), QStringLiteral("run.json"), QStringLiteral("-o"), QStringLiteral("%f.nc"),
                      QStringLiteral("lines.dxf"), QStringLiteral("missing.plt")},
                     &printed),
             1);
    QCOMPARE(printed, QByteArray("OK lines.dxf -> lines.nc\n"
                                 "  not drawn: 1 TEXT\n"
                                 "FAILED missing.plt: file not found\n"));

    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(fileContents(m_dir.filePath(QStringLiteral("run.json"))), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QString broken = violation(document.object(), schema, QStringLiteral("report"));
    QVERIFY2(broken.isEmpty(), qPrintable(broken));

    const QJsonArray files = document.object().value(QLatin1String("files")).toArray();
    QCOMPARE(files.size(), 2);
    const QJsonObject lines = files.at(0).toObject();
    QCOMPARE(lines.value(QLatin1String("output")).toString(), QStringLiteral("lines.nc"));
    QCOMPARE(lines.value(QLatin1String("status")).toString(), QStringLiteral("converted"));
    QCOMPARE(lines.value(QLatin1String("notes")).toArray(),
             (QJsonArray{QJsonObject{{QStringLiteral("kind"), QStringLiteral("notDrawn")},
                                     {QStringLiteral("name"), QStringLiteral("TEXT")},
                                     {QStringLiteral("count"), 1}}}));
    QCOMPARE(lines.value(QLatin1String("bounds")).toObject(),
             (QJsonObject{{QStringLiteral("minX"), 3}, {QStringLiteral("minY"), 4},
                          {QStringLiteral("maxX"), 9}, {QStringLiteral("maxY"), 20}}));
    QCOMPARE(lines.value(QLatin1String("objects")).toInt(), 2);
    QCOMPARE(lines.value(QLatin1String("vertices")).toInt(), 4);
    QCOMPARE(lines.value(QLatin1String("cutLength")).toDouble(), 13.0);
    QCOMPARE(lines.value(QLatin1String("travelLength")).toDouble(), 10.0);

    const QJsonObject missing = files.at(1).toObject();
    QCOMPARE(missing.value(QLatin1String("status")).toString(), QStringLiteral("inputMissing"));
    QCOMPARE(missing.value(QLatin1String("reason")).toString(), QStringLiteral("file not found"));
    QVERIFY(missing.value(QLatin1String("output")).isNull());
    QVERIFY(missing.value(QLatin1String("bounds")).isNull());

    // -q keeps the report whole but prints no notes.
    QCOMPARE(convert({QStringLiteral("-q"), QStringLiteral("-o"), QStringLiteral("%f.nc"), QStringLiteral("lines.dxf")},
                     &printed),
             0);
    QCOMPARE(printed, QByteArray());
}

void TestJsonReport::curveOptionsInForceAreReported_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QJsonValue>("curves");
    QTest::newRow("neither") << QStringList{QStringLiteral("--no-curves"), QStringLiteral("--no-arcs")}
                             << QJsonValue(QJsonValue::Undefined);
    QTest::newRow("curves") << QStringList{QStringLiteral("--curves"), QStringLiteral("--no-arcs")}
                            << QJsonValue(QJsonObject{{QStringLiteral("toTolerance"), true},
                                                      {QStringLiteral("arcs"), false},
                                                      {QStringLiteral("tolerance"), 0.01}});
    QTest::newRow("arcs, coarser") << QStringList{QStringLiteral("--no-curves"), QStringLiteral("--arcs"),
                                                  QStringLiteral("--tolerance"), QStringLiteral("0.5")}
                                   << QJsonValue(QJsonObject{{QStringLiteral("toTolerance"), false},
                                                             {QStringLiteral("arcs"), true},
                                                             {QStringLiteral("tolerance"), 0.5}});
}

void TestJsonReport::curveOptionsInForceAreReported()
{
    QFETCH(QStringList, options);
    QFETCH(QJsonValue, curves);
    writeTestFile(m_dir.filePath(QStringLiteral("circle.dxf")),
                  "0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n8\n0\n10\n5\n20\n5\n40\n3\n0\nENDSEC\n0\nEOF\n");
    QByteArray printed;
    QCOMPARE(convert(options + QStringList{QStringLiteral("-q"), QStringLiteral("--report"), QStringLiteral("run.json"),
                                           QStringLiteral("circle.dxf")},
                     &printed),
             0);
    const QJsonObject report = QJsonDocument::fromJson(fileContents(m_dir.filePath(QStringLiteral("run.json")))).object();
    const QString broken = violation(report, schemaFromReadme(), QStringLiteral("report"));
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
    QCOMPARE(report.value(QLatin1String("files")).toArray().at(0).toObject().value(QLatin1String("curves")), curves);
}

void TestJsonReport::unwritableReportFailsTheRun()
{
    writeTestFile(m_dir.filePath(QStringLiteral("a.tap")), "X1 Y1\n");
    QByteArray printed;
    QCOMPARE(convert({QStringLiteral("--report"), QStringLiteral("no/such/dir/run.json"), QStringLiteral("-o"),
                      QStringLiteral("%f.nc"), QStringLiteral("a.tap")},
                     &printed),
             1);
    QCOMPARE(printed, QByteArray("OK a.tap -> a.nc\ntravina-convert: cannot write report no/such/dir/run.json\n"));
}

QTEST_GUILESS_MAIN(TestJsonReport)
#include "tst_jsonreport.moc"
