#include "ini_workdir.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace vantor::test {

namespace fs = std::filesystem;

std::string iniWithPage(std::initializer_list<const char*> rows,
                        std::initializer_list<const char*> config) {
    std::string ini = "[SECTION1]\n";
    int n = 1;
    for (const char* row : rows) ini += "ROWDATA" + std::to_string(n++) + "=" + row + "\n";
    ini += "[CONFIG]\n";
    for (const char* line : config) ini += std::string(line) + "\n";
    return ini;
}

IniWorkdir::IniWorkdir(const std::string& ini) {
    // A name no other test process has taken: create_directory fails on one that exists.
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; root_.empty(); ++attempt) {
        if (attempt == 100) throw std::runtime_error("no temporary directory");
        const fs::path candidate =
            fs::temp_directory_path() /
            ("vantor-test-" + std::to_string(stamp) + "-" + std::to_string(attempt));
        if (fs::create_directory(candidate)) root_ = candidate.string();
    }
    fs::create_directories(fs::path(root_) / "Plugins" / "Startup Plugins");
    previous_ = fs::current_path().string();
    rewrite(ini);
    fs::current_path(root_);
}

IniWorkdir::~IniWorkdir() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(root_, ignored);
}

void IniWorkdir::rewrite(const std::string& ini) {
    std::ofstream(fs::path(root_) / "Plugins" / "Startup Plugins" / "VantorHUD.ini",
                  std::ios::binary)
        << ini;
}

}  // namespace vantor::test
