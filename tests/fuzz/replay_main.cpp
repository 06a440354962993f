// Replays inputs through a fuzz harness without the fuzzer: every file named, and every
// file of every folder named (in name order), once each. The first one named is the corpus
// and must give at least one input: a renamed or emptied corpus would otherwise pass with
// nothing replayed. A later one that is missing is skipped, so a target without regressions
// needs no empty folder. A broken property aborts, failing the run.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "harness.h"

int main(int argc, char** argv) {
    LLVMFuzzerInitialize(&argc, &argv);
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path named(argv[i]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(named)) {
            for (const auto& entry : std::filesystem::directory_iterator(named))
                if (entry.is_regular_file()) files.push_back(entry.path());
            std::sort(files.begin(), files.end());
        } else if (std::filesystem::exists(named)) {
            files.push_back(named);
        }
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            std::fprintf(stderr, "replaying %s\n", file.c_str());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
        if (i == 1 && files.empty()) {
            std::fprintf(stderr, "no inputs in %s\n", argv[i]);
            return 1;
        }
    }
    std::fprintf(stderr, "%d inputs replayed\n", replayed);
    return argc > 1 ? 0 : 1;
}
