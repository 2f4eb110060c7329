// libFuzzer target: SVG path data, transform lists, lengths and viewBoxes.

#include "svgfuzzentries.h"

#include <QtGlobal>

#include <cstdint>

namespace {

void discardMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(discardMessages);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzSvgGrammar(reinterpret_cast<const char *>(data), size);
    return 0;
}
