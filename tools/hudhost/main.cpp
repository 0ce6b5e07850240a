// hudhost: a stand-in for the modeller. It loads the HUD plug-in exactly as the host does, renders
// the host's viewport offscreen with the HUD over it, and writes the picture; or shows it live in a
// window (--window). The command line picks a row of the mode table, which runs.
#include <filesystem>
#include <string>

#include "host/plugin_loader.h"
#include "options.h"
#include "platform/platform.h"
#include "platform/tools.h"
#include "runs/runs.h"

namespace {

// A path as seen from the directory hudhost was started in, so that --workdir does not move it.
std::string fromStartDirectory(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.string();
}

// The HUD finds its INI file relative to the working directory, as in the modeller's folder.
bool enterWorkDir(const std::string& workDir, std::string& error) {
    if (workDir.empty()) return true;
    std::error_code ec;
    std::filesystem::current_path(workDir, ec);
    if (ec) error = "cannot work in " + workDir + ": " + ec.message();
    return !ec;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace hudhost;
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) return fail(kBadOptions, error);
    // Paths as given, before --workdir moves the working directory.
    options.pluginPath =
        options.pluginPath.empty() ? defaultPluginPath() : fromStartDirectory(options.pluginPath);
    if (!options.outPath.empty()) options.outPath = fromStartDirectory(options.outPath);
    // Before anything is read, and before the plug-in is loaded, which reads in it too.
    if (options.codePage != 0 && !vantor::platform::useCodePage(options.codePage)) {
        return fail(kBadOptions, "--code-page " + std::to_string(options.codePage) +
                                     ": this system cannot read as that code page; it reads as " +
                                     std::to_string(vantor::platform::codePageNumber()));
    }
    const ModeRun& mode = modeRun(options.mode);
    if (!enterWorkDir(options.workDir, error)) return fail(mode.cannotStart, error);
    return mode.run(options);
}
