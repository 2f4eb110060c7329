#include "reader.h"

#include "formats/common/asciitext.h"
#include "formats/common/textlinereader.h"
#include "formats/formatoptions.h"
#include "instructions.h"
#include "plotter.h"

#include "drawing/drawing.h"

#include <QFile>

bool readHpgl(const QString &path, Drawing &drawing)
{
    const ConversionOptions options = activeConversionOptions();
    // No positive scale, no usable coordinates: every one would be infinite.
    if (options.hpglUnits <= 0)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;

    const HpglPlotter::Settings settings{options.hpglUnits / 25.4, options.hpglAutoWeld, double(file.size())};
    HpglPlotter plotter(drawing, settings);
    HpglInstructionPlayer player(plotter);
    TextLineReader lines(file);
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
    return plotter.finish();
}
