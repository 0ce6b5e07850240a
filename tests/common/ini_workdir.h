// The HUD's INI file in a temporary working directory, as the host's working directory holds it.
#pragma once

#include <initializer_list>
#include <string>

namespace vantor::test {

// An INI text with one page of `rows` (page 1) followed by `config` lines in CONFIG.
std::string iniWithPage(std::initializer_list<const char*> rows,
                        std::initializer_list<const char*> config = {});

// A temporary directory holding "Plugins/Startup Plugins/VantorHUD.ini"; the process works in it
// while the object lives and goes back to where it was afterwards.
class IniWorkdir {
public:
    explicit IniWorkdir(const std::string& ini);
    ~IniWorkdir();
    IniWorkdir(const IniWorkdir&) = delete;
    IniWorkdir& operator=(const IniWorkdir&) = delete;

    void rewrite(const std::string& ini);

private:
    std::string root_;
    std::string previous_;
};

}  // namespace vantor::test
