// The user's side of the preview, free of any window system: what the keys change in the host and
// its scene, and what they ask of the window.
#pragma once

#include <string>

#include "check/loaded_layout.h"
#include "host/host_side.h"
#include "host/say.h"
#include "host/scene_setup.h"
#include "preview/preview_keys.h"

namespace hudhost {

class PreviewControls {
public:
    PreviewControls(HostSide& host, const SceneSetup& scene);

    // What the window has to do after a key.
    enum class Outcome { Nothing, ShowState, Close };

    // Carries out `binding`, reporting each change on stderr.
    Outcome apply(const KeyBinding& binding);

    // The window title: the camera, the selection, the page shown and the counts of the last
    // layout check.
    std::string stateText() const;

    // Follows `command`, sent to the HUD, by the HUD's own paging rules, so that the title and
    // the log can say what the HUD shows; after Reload INI, from the file as it now reads.
    void commanded(vantor::PluginFunction command);

    // Which page the HUD shows of how many, or that it is hidden, or that the page it is on is
    // past the last, with the key that turns to one that exists.
    std::string pageText() const;

    // When a check prints its findings: a reload always, a new window size only when they
    // differ from the last printed, so that a drag-resize does not flood the terminal.
    enum class Print { EachTime, OnChange };

    // Checks the layout file as hudhost --check does, in a viewport `width` x `height`, the
    // window's; its findings on stderr, its counts in the title.
    void checkLayout(int width, int height, Print print);

    Camera camera() const { return setup_.camera; }

    // Whether F12 asked for the frame to be saved since the last call.
    bool takeSaveRequest();

private:
    // Changes the current mode's count by `by`, within 0 and the largest count; false when it
    // stays.
    bool step(int by);

    HostSide& host_;
    SceneSetup setup_;

    check::LoadedLayout layout_;  // as the HUD last read it
    check::Shown shown_;          // as the HUD is after the commands it was sent
    std::string layoutCounts_;
    std::string printedFindings_;
    bool saveRequested_ = false;
};

}  // namespace hudhost
