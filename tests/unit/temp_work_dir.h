// A fresh temporary directory that is the working directory for the life of one test, as the
// host's working directory is for the plug-in; the INI path resolves against it.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace vantor::test {

constexpr const char* kIniFile = "Plugins/Startup Plugins/VantorHUD.ini";

class TempWorkDir {
public:
    TempWorkDir() {
        char previous[PATH_MAX];
        if (getcwd(previous, sizeof previous) != nullptr) previous_ = previous;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::string pattern = (base / "vantor-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) {
            ADD_FAILURE() << "no temporary working directory";
            return;
        }
        path_ = pattern;
        std::filesystem::create_directories("Plugins/Startup Plugins");
    }
    ~TempWorkDir() {
        if (!previous_.empty() && chdir(previous_.c_str()) != 0) ADD_FAILURE() << "chdir back";
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

private:
    std::string previous_;
    std::string path_;
};

// Writes `content` (any bytes) to `path`, replacing the file in place if it exists.
inline void writeFile(const std::string& path, const std::string& content) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    ASSERT_EQ(std::fwrite(content.data(), 1, content.size(), file), content.size());
    ASSERT_EQ(std::fclose(file), 0);
}

inline void writeIni(const std::string& content) { writeFile(kIniFile, content); }

}  // namespace vantor::test
