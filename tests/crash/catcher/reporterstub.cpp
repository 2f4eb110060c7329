// Stands in for the crash reporter: records how it was started, and
// whether the dump and its details file were complete by then, in
// "<dump>.command".

#include <fstream>
#include <string>

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    const std::string dump = argv[2];
    std::ofstream record(dump + ".command", std::ios::binary);
    for (int i = 0; i < argc; ++i)
        record << argv[i] << '\n';
    const bool dumpReady = std::ifstream(dump, std::ios::binary).peek() != EOF;
    const bool detailsReady = std::ifstream(dump + ".details", std::ios::binary).peek() != EOF;
    record << (dumpReady && detailsReady ? "files ready" : "files missing") << '\n';
    return 0;
}
