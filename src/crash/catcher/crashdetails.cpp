#include "crashdetails.h"

#include "crashsignals.h"
#include "crash/signalsafe/signalsafefile.h"
#include "crash/signalsafe/signalsafetext.h"

namespace {

SignalSafeFile detailsFile;

void writeLine(SignalSafeText &line)
{
    line.append("\n");
    detailsFile.write(line.text(), line.size());
    line.clear();
}

} // namespace

bool writeCrashDetails(const char *path, const CrashDetails &details)
{
    if (!detailsFile.create(path))
        return false;
    FixedText<128> line;
    writeLine(line.appendDecimal(details.stateSize));
    detailsFile.write(details.stateBytes, details.stateSize);
    writeLine(line.appendDecimal(details.activeWindow));
    writeLine(line.appendDecimal(details.startTime));
    writeLine(line.appendSignedDecimal(details.processId));
    writeLine(line.appendSignedDecimal(details.threadId));
    writeLine(line.appendDecimal(details.memory.load));
    writeLine(line.appendDecimal(details.memory.totalVirtual));
    writeLine(line.appendDecimal(details.memory.availableVirtual));
    writeLine(line.append("0x").appendHex(details.exceptionAddress, 16, true));
    writeLine(line.append("0x").appendHex(static_cast<std::uint32_t>(details.signal)));
    writeLine(line.append("0x").appendHex(static_cast<std::uint32_t>(details.code)));
    writeLine(line.append(crashSignalText(details.signal)));
    return detailsFile.close();
}
