// Fuzzed bytes as a layout file under hudhost --check: whatever the file holds, the check ends,
// within its time, with an exit status of 0, 1 or 2 and a count for each finding it printed.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "check/layout_check.h"

namespace {

// A file in a temporary folder of its own, removed at exit.
struct Scratch {
    std::string folder = (std::filesystem::temp_directory_path() / "vantor-check-XXXXXX").string();
    std::string file;
    std::FILE* sink = std::fopen("/dev/null", "w");
    Scratch() {
        if (mkdtemp(folder.data()) == nullptr || sink == nullptr) abort();
        file = folder + "/VantorHUD.ini";
    }
    ~Scratch() {
        std::fclose(sink);
        std::filesystem::remove_all(folder);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Scratch scratch;
    std::FILE* file = std::fopen(scratch.file.c_str(), "wb");
    if (file == nullptr) abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    const hudhost::check::CheckResult result = hudhost::check::checkLayout(scratch.file);
    hudhost::check::print(result, scratch.sink);
    const int expected = result.errors > 0 ? 2 : result.warnings > 0 ? 1 : 0;
    if (result.exitStatus != expected || result.notes < 0) __builtin_trap();
    return 0;
}
