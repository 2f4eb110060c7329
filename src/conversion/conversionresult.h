#pragma once

#include "drawing/drawingfigures.h"
#include "drawing/drawingnotes.h"

#include <QMetaType>
#include <QString>

struct ConversionResult
{
    enum Status {
        Converted,
        InputMissing,
        InputIsDirectory,
        InputUnreadable,
        UnsupportedType,
        OutputIsInput,
        OutputTakenInRun, // an earlier input of the run writes the same file
        ReadFailed,
        InflateLimitReached,
        CoordinateOutOfRange,
        WriteFailed,
        PreviewFailed, // the output was written, its picture was not
    };

    Status status = ReadFailed;
    QString input;
    QString output; // empty until the input was read
    QString preview; // the picture of the output, where one is drawn
    QString detail; // what went wrong beyond the status, such as running out of memory
    QVector<DrawingNote> notes; // what the reader did not draw, also of a file that failed later
    DrawingFigures figures;     // of the drawing written; zero unless converted
    // How curves were written, when either option asked for more than the
    // fixed point counts.
    bool curvesToTolerance = false;
    bool arcsAsG2G3 = false;
    double curveTolerance = 0;

    bool succeeded() const { return status == Converted; }
    // Whether the output file was written, even if the file failed later.
    bool outputWritten() const { return status == Converted || status == PreviewFailed; }
};

Q_DECLARE_METATYPE(ConversionResult)

// Why a file failed, in the current language: "file not found", "cannot
// write output <path>" and the like; empty for a converted file.
QString failureReason(const ConversionResult &result);
