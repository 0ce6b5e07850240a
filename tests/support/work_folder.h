// The host's working folder as a test needs it: a fresh temporary folder holding the plug-in's
// folder and, when asked, the HUD's INI file.
#pragma once

#include <string>
#include <vector>

namespace vantor {
class PageStore;
}

namespace vantor::test {

// The INI file's path relative to the working folder, as the plug-in resolves it.
constexpr const char* kIniFile = "Plugins/Startup Plugins/VantorHUD.ini";

// An INI text with one page of `rows` (SECTION1) followed by the `config` lines in CONFIG.
std::string iniWithPage(const std::vector<std::string>& rows,
                        const std::vector<std::string>& config = {});

// Writes `content` (any bytes) to `path`, replacing a file that is there; throws when it cannot.
void writeFile(const std::string& path, const std::string& content);

// Made with "Plugins/Startup Plugins" and, for the second constructor, the INI file in it; the
// process works in the folder while the object lives, unless made to stay outside (a test that
// hands the folder to another program by its path). Removed afterwards. Throws when the folder
// cannot be made.
class WorkFolder {
public:
    enum Mode { kWorkInside, kStayOutside };

    explicit WorkFolder(Mode mode = kWorkInside);
    explicit WorkFolder(const std::string& ini, Mode mode = kWorkInside);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string iniPath() const { return path_ + "/" + kIniFile; }
    void writeIni(const std::string& ini) const { writeFile(iniPath(), ini); }

    // Work in the folder, or go back to where the process worked before.
    void enter();
    void leave();

private:
    std::string path_;
    std::string previous_;  // empty while outside
};

// Loads the pages of the INI file in the working folder into `store`, as a reload does, and
// selects the first; false when there is none.
bool loadFirstPage(PageStore& store);

}  // namespace vantor::test
