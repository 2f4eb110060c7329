// libFuzzer target: whole SVG and SVGZ files through the reader.

#include "svgfuzzentries.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>

namespace {

void discardMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

std::unique_ptr<QTemporaryDir> scratchDirectory;
QString scratchPath;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(discardMessages);
    scratchDirectory = std::make_unique<QTemporaryDir>();
    scratchPath = scratchDirectory->filePath(QStringLiteral("input.svg"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzSvgDocument(reinterpret_cast<const char *>(data), size, scratchPath);
    return 0;
}
