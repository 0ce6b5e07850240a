// What a hudhost run is asked to do, as its command line said it: the one record every run reads.
// The host and the views below take only their parts of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "abi/host_records.h"
#include "check/contrast.h"
#include "check/findings.h"
#include "host/scene_setup.h"

namespace hudhost {

// What a run does, for the code that asks which run it is in. The command line names one mode at
// most; without one, it is Picture. Each has one row in the mode table (options.cpp): its option,
// its --help lines and the function that runs it.
enum class Mode {
    Picture,  // the viewport offscreen with the HUD, the last frame written as a PNG
    Scene,    // the same picture with no plug-in ever loaded
    List,     // the plug-in's function catalogue
    Soak,     // a long run checked for leaks and GL errors
    Bench,    // frame rates with each text effect and without the HUD
    Window,   // the live preview
    Check,    // the layout file checked, with no plug-in loaded
    Help,     // the usage text
    Version,  // the version the packages carry
};

struct Options {
    Mode mode = Mode::Picture;
    std::string pluginPath;  // empty: the plug-in file beside this program
    std::string workDir;     // empty: the directory hudhost was started in
    std::vector<vantor::PluginFunction> commands;
    Camera camera = Camera::MainPerspective;
    std::int32_t selectionMode = vantor::kFaceSelection;  // or any number the host might report
    std::uint32_t faces = 0;
    std::uint32_t edges = 0;
    std::uint32_t vertices = 0;
    // The viewport's background: a mid grey on which the HUD's default text colour (64, 64, 64)
    // stands out at better than 3:1, and light text still reads.
    Rgb background = {check::kViewportBackground.red, check::kViewportBackground.green,
                      check::kViewportBackground.blue};
    int width = 640;
    int height = 480;
    long frames = 1;
    long hudFrames = -1;                     // call the HUD only in the first this many; -1: all
    std::vector<std::int32_t> drawFlags{0};  // one drawing call per flag, in order, each frame
    std::string outPath;    // the picture; empty: none, which only --bench is left with
    bool glState = false;   // report which GL state the HUD's drawing calls left changed
    std::string checkPath;  // empty: the HUD's own file
    std::vector<check::FindingKind> ignored;  // --check: the kinds of finding left out
    check::ReportFormat reportFormat = check::ReportFormat::Text;  // --check's
    std::uint32_t codePage = 0;  // the Windows code page to read in; 0: the system's own
};

// The name tables: each name the command line gives a value, and what --help adds after it.

struct Named {
    const char* name;
    int value;
    const char* note = nullptr;
};

inline constexpr Named kCameras[] = {
    {"main-perspective", static_cast<int>(Camera::MainPerspective)},
    {"top", static_cast<int>(Camera::Top)},
    {"left", static_cast<int>(Camera::Left)},
    {"right", static_cast<int>(Camera::Right)},
    {"front", static_cast<int>(Camera::Front)},
    {"back", static_cast<int>(Camera::Back)},
    {"bottom", static_cast<int>(Camera::Bottom)},
    {"free", static_cast<int>(Camera::Free), "one the HUD has no name for"},
};

inline constexpr Named kCommands[] = {
    {"switch", vantor::kSwitchCommand},
    {"next", vantor::kNextPageCommand},
    {"prev", vantor::kPrevPageCommand},
    {"reload", vantor::kReloadIniCommand},
};

inline constexpr Named kReportFormats[] = {
    {"text", static_cast<int>(check::ReportFormat::Text)},
    {"json", static_cast<int>(check::ReportFormat::Json), "one document, for editors and scripts"},
};

inline constexpr Named kSelectionModes[] = {
    {"face", vantor::kFaceSelection},
    {"edge", vantor::kEdgeSelection},
    {"vertex", vantor::kVertexSelection},
};

// The options that give the host's selected counts.
inline constexpr const char* kFacesOption = "--faces";
inline constexpr const char* kEdgesOption = "--edges";
inline constexpr const char* kVerticesOption = "--vertices";

// The scene the host starts with.
SceneSetup sceneOf(const Options& options);

// The names the command line gives a selection mode ("edge"), null for a number of the host's own.
const char* selectionModeName(std::int32_t mode);

}  // namespace hudhost
