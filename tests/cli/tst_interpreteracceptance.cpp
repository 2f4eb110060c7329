#include "testsupport.h"

#include <QtTest>

// LinuxCNC's stand-alone interpreter reads what travina-convert writes of
// every example, as a machine would before cutting it. It is unpacked by
// scripts/install-deps.sh; without it the test skips.
class TestInterpreterAcceptance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void examplesAreAccepted_data();
    void examplesAreAccepted();

private:
    QString interpreterPath() const { return QStringLiteral(TRAVINA_RS274_ROOT "/usr/bin/rs274"); }

    QTemporaryDir m_dir;
};

void TestInterpreterAcceptance::initTestCase()
{
    if (!QFileInfo(interpreterPath()).isExecutable())
        QSKIP("rs274 is not unpacked into tools/rs274 (scripts/install-deps.sh does that)");
    // Without a tool table the interpreter gives up before the first line.
    writeTestFile(m_dir.filePath(QStringLiteral("tool.tbl")), "T1 P1 D3 Z0 ;\n");
}

void TestInterpreterAcceptance::examplesAreAccepted_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("complaint");

    const QStringList noOption{QStringLiteral("--no-order"), QStringLiteral("--no-join"), QStringLiteral("--no-curves"),
                               QStringLiteral("--no-arcs")};
    const QStringList everyOption{QStringLiteral("--order"), QStringLiteral("--join"), QStringLiteral("--curves"),
                                  QStringLiteral("--arcs")};
    // The interpreter stops at the first line it refuses and quotes it. The
    // default end template ends no program, which it says only once every
    // line before was taken.
    const QByteArray noEnd("File ended with no percent sign or program end\nX0 Y0");
    QTest::newRow("default templates, no option") << noOption << noEnd;
    QTest::newRow("default templates, every option") << everyOption << noEnd;
    const QStringList endingProgram{QStringLiteral("--finish"), QStringLiteral("X0 Y0\\nM2")};
    QTest::newRow("no option") << noOption + endingProgram << QByteArray();
    QTest::newRow("every option") << everyOption + endingProgram << QByteArray();
    QTest::newRow("arcs from the fixed point counts, coarse")
        << QStringList{QStringLiteral("--arcs"), QStringLiteral("--tolerance"), QStringLiteral("0.2")} + endingProgram
        << QByteArray();
    QTest::newRow("every option, fine")
        << everyOption + QStringList{QStringLiteral("--tolerance"), QStringLiteral("0.0005")} + endingProgram
        << QByteArray();
}

void TestInterpreterAcceptance::examplesAreAccepted()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, complaint);
    const QString outputs = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-')));
    QVERIFY(QDir().mkpath(outputs));
    QStringList inputs;
    for (const QFileInfo &example : QDir(QStringLiteral(TRAVINA_EXAMPLES_DIR)).entryInfoList(QDir::Files))
        inputs << example.filePath();
    QVERIFY(!inputs.isEmpty());

    QProcess convert;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    convert.setProcessEnvironment(environment);
    convert.start(QStringLiteral(TRAVINA_CONVERT_PATH),
                  options + QStringList{QStringLiteral("-q"), QStringLiteral("-o"), outputs + QStringLiteral("/%f.ngc")}
                      + inputs);
    QVERIFY(convert.waitForFinished(120000));
    QCOMPARE(convert.exitCode(), 0);

    environment.insert(QStringLiteral("LD_LIBRARY_PATH"),
                       QStringLiteral(TRAVINA_RS274_ROOT "/usr/lib:" TRAVINA_RS274_ROOT "/usr/lib/x86_64-linux-gnu"));
    const QFileInfoList programs = QDir(outputs).entryInfoList(QDir::Files);
    QCOMPARE(programs.size(), inputs.size());
    for (const QFileInfo &program : programs) {
        QProcess interpreter;
        interpreter.setProcessEnvironment(environment);
        interpreter.setWorkingDirectory(m_dir.path());
        interpreter.start(interpreterPath(), {QStringLiteral("-t"), QStringLiteral("tool.tbl"), QStringLiteral("-g"),
                                              program.filePath()});
        QVERIFY(interpreter.waitForFinished(60000));
        // It says "executing" and nothing more unless a line is refused.
        const QByteArray said = interpreter.readAllStandardError().trimmed();
        const QByteArray expected = complaint.isEmpty() ? QByteArray("executing") : "executing\n" + complaint;
        QVERIFY2(said == expected, qPrintable(program.fileName() + QLatin1String(": ") + QString::fromUtf8(said)));
        QCOMPARE(interpreter.exitCode(), complaint.isEmpty() ? 0 : 1);
        if (complaint.isEmpty())
            QVERIFY(interpreter.readAllStandardOutput().contains("PROGRAM_END()"));
    }
}

QTEST_GUILESS_MAIN(TestInterpreterAcceptance)
#include "tst_interpreteracceptance.moc"
