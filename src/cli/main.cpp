#include "batchconverter.h"
#include "commandline.h"

#include "formats/formatoptions.h"
#include "platform/standardoutput.h"
#include "settings/settingsstore.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTimer>

#include <cstdio>

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
    overrideWith(options.dxfSplineSegments, request.dxfSplineSegments);
    overrideWith(options.dxfSplineSegmentsFromFile, request.dxfSplineSegmentsFromFile);
    overrideWith(options.orderObjects, request.orderObjects);
    overrideWith(options.orderBudgetSeconds, request.orderBudgetSeconds);
    overrideWith(options.joinTouching, request.joinTouching);
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
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
    QTimer::singleShot(0, &converter, &BatchConverter::start);
    return app.exec();
}
