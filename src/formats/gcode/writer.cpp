#include "writer.h"

#include "output.h"

bool writeGCode(const QString &path, const Drawing &drawing)
{
    GCodeOutput output(path, activeConversionOptions());
    return output.open() && writeRemainingObjects(output, drawing, nullptr);
}
