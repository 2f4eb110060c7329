#include "reader.h"

#include "formats/common/asciitext.h"
#include "formats/common/textlinereader.h"
#include "formats/formatoptions.h"
#include "instructions.h"
#include "plotter.h"

#include "drawing/drawing.h"

#include <QCoreApplication>
#include <QFile>

namespace {

const char *const instructionTooLong = QT_TRANSLATE_NOOP("DrawingNotes", "instruction too long to read");

} // namespace

bool readHpgl(const QString &path, Drawing &drawing)
{
    const ConversionOptions options = activeConversionOptions();
    // No positive scale, no usable coordinates: every one would be infinite.
    if (options.hpglUnits <= 0)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;

    const HpglPlotter::Settings settings{options.hpglUnits / 25.4, options.hpglAutoWeld, double(file.size()),
                                         options.curvesToTolerance ? options.curveTolerance : 0.0};
    HpglPlotter plotter(drawing, settings);
    HpglInstructionPlayer player(plotter, options.hpglFullInstructionSet, settings.unitsPerMillimetre);
    TextLineReader lines(file);
    // A plot is often one line; its instructions end at ";" as well.
    lines.splitLongLinesAfter(';');
    while (lines.next()) {
        plotter.setBytesRead(lines.position());
        if (lines.isAscii()) {
            player.playLine(lines.begin(), lines.end());
        } else {
            const QByteArray standIn = asciiStandIn(lines.text());
            player.playLine(standIn.constBegin(), standIn.constEnd());
        }
    }
    player.addNotesTo(drawing.notes());
    const bool drawn = plotter.finish();
    // The rest of the plot cannot be told from what was read, so what was
    // drawn is not the plot.
    if (lines.pieceTooLong()) {
        drawing.notes().add(DrawingNote::Skipped, QLatin1String(instructionTooLong));
        return false;
    }
    return drawn;
}
