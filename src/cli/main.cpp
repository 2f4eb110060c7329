#include "batchconverter.h"
#include "commandline.h"

#include "formats/formatoptions.h"
#include "preview/previewimage.h"
#include "platform/standardoutput.h"
#include "settings/settingsstore.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSettings>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

template<typename T>
void overrideWith(T &value, const std::optional<T> &given)
{
    if (given)
        value = *given;
}

ConversionOptions optionsFor(const ConvertRequest &request)
{
    // The stored settings first, so that what the user set in the window
    // applies; the command line overrides them for this run only.
    QSettings settings;
    loadProcessOptions(settings);
    ConversionOptions options = ConversionOptions::fromProcessValues();
    overrideWith(options.initTemplate, request.initTemplate);
    overrideWith(options.middleTemplate, request.middleTemplate);
    overrideWith(options.finishTemplate, request.finishTemplate);
    overrideWith(options.hpglUnits, request.hpglUnits);
    overrideWith(options.hpglAutoWeld, request.hpglAutoWeld);
    overrideWith(options.hpglFullInstructionSet, request.hpglFullInstructionSet);
    overrideWith(options.dxfSplineSegments, request.dxfSplineSegments);
    overrideWith(options.dxfSplineSegmentsFromFile, request.dxfSplineSegmentsFromFile);
    overrideWith(options.orderObjects, request.orderObjects);
    overrideWith(options.orderBudgetSeconds, request.orderBudgetSeconds);
    overrideWith(options.joinTouching, request.joinTouching);
    overrideWith(options.svgAsBrowserShows, request.svgAsBrowserShows);
    overrideWith(options.curvesToTolerance, request.curvesToTolerance);
    overrideWith(options.curveTolerance, request.curveTolerance);
    overrideWith(options.arcsAsG2G3, request.arcsAsG2G3);
    overrideWith(options.dxfPlaceBlocks, request.dxfPlaceBlocks);
    overrideWith(options.dxfUnitWhenUnnamed, request.dxfUnitWhenUnnamed);
    return options;
}

OutputOptions outputFor(const ConvertRequest &request)
{
    if (request.outputPattern) {
        OutputOptions output;
        output.saveInSourceDirectory = false;
        output.pattern = request.writesToStandardOutput() ? QString::fromLatin1(standardOutputPath())
                                                          : *request.outputPattern;
        return output;
    }
    QSettings settings;
    return loadOutputOptions(settings);
}

// Pictures need the font and paint machinery of a graphical application,
// though nothing is shown: the offscreen platform serves with or without a
// display. Looked for before the command line is parsed, since the
// application has to exist first; a stray match costs only the platform.
bool asksForPreviews(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument = QByteArray(argv[i]);
        if (argument.startsWith("--preview") || argument.startsWith("-preview"))
            return true;
    }
    return false;
}

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    if (!asksForPreviews(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // What the platform says while starting (no session runtime directory
    // and the like) concerns a desktop session, not this run's results.
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(previous);
    return application;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv);
    QCoreApplication &app = *application;
    QCoreApplication::setOrganizationName(QStringLiteral("Ostrane"));
    QCoreApplication::setApplicationName(QStringLiteral("Travina"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.63"));

    ConvertRequest request;
    QString error;
    if (!parseCommandLine(app.arguments().mid(1), request, error)) {
        std::fprintf(stderr, "travina-convert: %s\n%s", qPrintable(error), qPrintable(usageText()));
        return 2;
    }
    if (request.action == ConvertRequest::ShowHelp) {
        std::fputs(qPrintable(helpText()), stdout);
        return 0;
    }
    if (request.action == ConvertRequest::ShowVersion) {
        std::printf("travina-convert %s\n", qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }

    BatchConverter converter(request.inputs, optionsFor(request), outputFor(request), request.quiet,
                             request.writesToStandardOutput() ? stderr : stdout);
    if (request.reportPath)
        converter.setReportPath(*request.reportPath);
    QSettings settings;
    converter.setParallelFiles(request.parallelFiles.value_or(loadParallelFiles(settings)));
    if (request.previewPattern)
        converter.setPreviews(*request.previewPattern,
                              request.previewSize.value_or(QSize(defaultPreviewWidth, defaultPreviewHeight)));
    QTimer::singleShot(0, &converter, &BatchConverter::start);
    return app.exec();
}
