#include "runs/why_no_hud.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "check/letter_case.h"
#include "check/listed.h"
#include "check/loaded_layout.h"
#include "pages/hud_settings.h"
#include "platform/platform.h"
#include "platform/tools.h"
#include "runs/soak.h"

namespace hudhost {
namespace {

// The layout's folders and file as the system writes paths.
const std::string kFolder = vantor::platform::shownPath(vantor::iniFolder());
const std::string kOwnFile = vantor::platform::shownPath(vantor::kIniPath);
const std::string kGiveWorkDir = "give --workdir the folder that holds " + kFolder;

// Started in a folder beside the layout's, as the download's preview folder is: the hint that
// finds it, or empty.
std::string layoutAbove() {
    const std::string above = std::string("../") + vantor::kIniPath;
    if (!vantor::platform::canOpenForReading(above.c_str())) return {};
    return "the folder above holds " + kOwnFile + ": give --workdir ..";
}

std::string noFile(const Options& options) {
    const std::string wanted = vantor::iniFolder() + "/" + vantor::kIniName;
    const std::string missing =
        "there is no " + kOwnFile + " in " +
        (options.workDir.empty() ? "the working directory" : options.workDir);
    const check::OtherCase cased = check::inOtherLetterCase(wanted);
    if (cased.onDisk.empty()) {
        const std::string above = layoutAbove();
        if (!above.empty()) return missing + "; " + above;
        return missing + "; put the layout there, or " + kGiveWorkDir;
    }
    return missing + ": " + vantor::platform::shownPath(cased.onDisk) +
           " differs in letter case, which Linux file names do not ignore (the Windows host "
           "does); rename it to " +
           vantor::platform::shownPath(cased.written);
}

// What the HUD shows after the commands, the soak's page turns included, by its own rules.
check::Shown shownAfter(const Options& options, const check::LoadedLayout& loaded) {
    std::vector<vantor::PluginFunction> commands = options.commands;
    if (options.mode == Mode::Soak) {
        commands.insert(commands.end(), options.frames / kSoakPageEvery, vantor::kNextPageCommand);
    }
    check::Shown shown = check::Shown::atStart(loaded);
    for (vantor::PluginFunction command : commands) {
        shown = shown.after(command, loaded.store->getPageCount());
    }
    return shown;
}

// Why the HUD stays hidden: START_VISIBLE and the switches.
std::string hiddenBy(const Options& options, const check::LoadedLayout& loaded) {
    const auto switches =
        std::count(options.commands.begin(), options.commands.end(), vantor::kSwitchCommand);
    if (loaded.settings.startVisible != 0) {
        return "the HUD starts shown (START_VISIBLE=1), and " + std::to_string(switches) +
               " --cmd switch hide it; give an even number";
    }
    if (switches == 0)
        return "the HUD starts hidden, and no --cmd switch showed it; add --cmd switch";
    return "the HUD starts hidden, and " + std::to_string(switches) +
           " --cmd switch leave it so; give an odd number";
}

// Why the HUD shows nothing, as it lays out the page it shows; empty when it draws a row.
std::string nothingShown(const Options& options) {
    const check::LoadedLayout loaded = check::loadLayout();
    const check::Shown shown = shownAfter(options, loaded);
    if (!shown.shown) return hiddenBy(options, loaded);
    const auto laid = check::layOutShown(loaded, shown, options.width, options.height);
    if (laid == nullptr || laid->count == 0) {
        return "the HUD reads no page from its file; hudhost --check tells why";
    }
    if (laid->drawnCount() > 0) return {};
    const bool blank = std::none_of(laid->rows, laid->rows + laid->count,
                                    [](const vantor::LaidRow& row) { return row.text[0] != '\0'; });
    if (blank) {
        return "page " + std::to_string(shown.page + 1) +
               " holds only BLANK rows; give it text or show another page";
    }
    return "the rows of page " + std::to_string(shown.page + 1) +
           " all fall below the bottom edge, where the HUD draws none; hudhost --check tells why";
}

// Each count the host reports, and the selection mode in which the HUD shows it.
struct Counted {
    std::uint32_t Options::*count;
    const char* option;
    vantor::SelectionMode mode;
};

constexpr Counted kCounted[] = {{&Options::faces, kFacesOption, vantor::kFaceSelection},
                                {&Options::edges, kEdgesOption, vantor::kEdgeSelection},
                                {&Options::vertices, kVerticesOption, vantor::kVertexSelection}};

std::string cause(const Options& options) {
    if (options.mode == Mode::Picture && options.hudFrames >= 0 &&
        options.frames > options.hudFrames) {
        return "--hud-frames " + std::to_string(options.hudFrames) +
               " leaves the HUD out of frame " + std::to_string(options.frames) +
               ", the one pictured; raise it to " + std::to_string(options.frames) +
               " or leave it out";
    }
    const std::vector<std::int32_t>& flags = options.drawFlags;
    if (std::find(flags.begin(), flags.end(), 0) == flags.end()) {
        return "the HUD draws only in calls with flag 0, and --draw-flag gives none; add "
               "--draw-flag 0";
    }
    if (!vantor::platform::canOpenForReading(vantor::kIniPath)) return noFile(options);
    return nothingShown(options);
}

}  // namespace

std::string countsNotShown(const Options& options) {
    std::string shown;
    std::vector<std::string> hidden;
    std::vector<std::string> modes;
    for (const Counted& counted : kCounted) {
        const std::string option = counted.option;
        if (counted.mode == options.selectionMode) {
            shown = option;
        } else if (options.*counted.count != 0) {
            hidden.push_back(option + " " + std::to_string(options.*counted.count));
            modes.push_back(selectionModeName(counted.mode));
        }
    }
    if (hidden.empty()) return {};
    const char* mode = selectionModeName(options.selectionMode);
    const std::string counts =
        mode != nullptr ? std::string("in ") + mode + " selection mode the HUD shows the " + shown +
                              " count only"
                        : "in selection mode " + std::to_string(options.selectionMode) +
                              " the HUD shows no count";
    return counts + ": " + check::listed(hidden, " and ") +
           (hidden.size() == 1 ? " shows" : " show") + " as 0; add --selection-mode " +
           check::listed(modes, " or ");
}

std::string layoutElsewhere(const Options& options) {
    namespace fs = std::filesystem;
    const std::string own = vantor::iniFolder() + "/" + vantor::kIniName;
    std::error_code ec;
    if (!options.checkPath.empty()) {
        const std::string held = options.checkPath + "/" + own;
        if (!fs::is_directory(options.checkPath, ec) ||
            !vantor::platform::canOpenForReading(held.c_str())) {
            return {};
        }
        // --workdir as the user gives it: from where hudhost was started.
        const std::string folder =
            options.workDir.empty() || fs::path(options.checkPath).is_absolute()
                ? options.checkPath
                : options.workDir + "/" + options.checkPath;
        return vantor::platform::shownPath(folder) + " holds " + kOwnFile + ": give --workdir " +
               vantor::platform::shownPath(folder) + " to check that layout";
    }
    if (vantor::platform::canOpenForReading(vantor::kIniPath) ||
        fs::is_directory(vantor::iniFolder(), ec) ||
        !check::inOtherLetterCase(own).onDisk.empty()) {
        return {};
    }
    if (vantor::platform::canOpenForReading(vantor::kIniName)) {
        return std::string("the working directory holds ") + vantor::kIniName + " itself, not in " +
               kFolder + "; " + kGiveWorkDir;
    }
    const std::string above = layoutAbove();
    if (!above.empty()) return above;
    return "put the layout in " + kFolder + ", or " + kGiveWorkDir;
}

std::string whyNoHud(const Options& options, long frames) {
    Options run = options;
    run.frames = frames;
    const std::string why = cause(run);
    if (why.empty()) return why;
    return (options.mode == Mode::Bench ? "the frames timed with the HUD show none: "
                                        : "the picture shows no HUD: ") +
           why;
}

}  // namespace hudhost
