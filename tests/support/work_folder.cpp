#include "work_folder.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "pages/hud_settings.h"

namespace vantor::test {

namespace fs = std::filesystem;

std::string iniWithPage(const std::vector<std::string>& rows,
                        const std::vector<std::string>& config) {
    std::string ini = "[SECTION1]\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ini += "ROWDATA" + std::to_string(i + 1) + "=" + rows[i] + "\n";
    }
    ini += "[CONFIG]\n";
    for (const std::string& line : config) ini += line + "\n";
    return ini;
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

WorkFolder::WorkFolder(Mode mode) {
    // A name no other test process has taken: create_directory fails on one that exists.
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; path_.empty(); ++attempt) {
        if (attempt == 100) throw std::runtime_error("no temporary folder");
        const fs::path candidate =
            fs::temp_directory_path() /
            ("vantor-test-" + std::to_string(stamp) + "-" + std::to_string(attempt));
        if (fs::create_directory(candidate)) path_ = candidate.generic_string();
    }
    fs::create_directories(fs::path(iniPath()).parent_path());
    if (mode == kWorkInside) enter();
}

WorkFolder::WorkFolder(const std::string& ini, Mode mode) : WorkFolder(mode) { writeIni(ini); }

WorkFolder::~WorkFolder() {
    leave();
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void WorkFolder::enter() {
    if (!previous_.empty()) return;
    previous_ = fs::current_path().string();
    fs::current_path(path_);
}

void WorkFolder::leave() {
    if (previous_.empty()) return;
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    previous_.clear();
}

bool loadFirstPage(PageStore& store) {
    HudSettings settings{};
    reloadConfig(store, settings);
    return store.selectPage(0) == 1;
}

}  // namespace vantor::test
