// The modeller's side of the plug-in interface: the records it owns and hands to the plug-in, and
// the calls it makes through the entries the plug-in writes into them.
#pragma once

#include <cstdint>
#include <string>

#include "abi/host_records.h"
#include "host/scene_setup.h"

namespace hudhost {

// The scene's slot of each named camera, in the order of Camera; the free one has none.
constexpr int kNamedCameras = static_cast<int>(Camera::Free);
inline constexpr vantor::HostWord vantor::SceneContext::*kCameraSlots[kNamedCameras] = {
    &vantor::SceneContext::mainPerspectiveCamera,
    &vantor::SceneContext::topCamera,
    &vantor::SceneContext::leftCamera,
    &vantor::SceneContext::rightCamera,
    &vantor::SceneContext::frontCamera,
    &vantor::SceneContext::backCamera,
    &vantor::SceneContext::bottomCamera};

// The name the HUD shows for `camera`, from its own table.
const char* cameraName(Camera camera);

class HostSide {
public:
    explicit HostSide(const SceneSetup& setup);
    HostSide(const HostSide&) = delete;
    HostSide& operator=(const HostSide&) = delete;

    // Hands the record to the plug-in's initializePlugin. False, with a one-line reason, when the
    // plug-in left any of the 25 entries empty: the host never calls an empty entry.
    bool attach(void (*initializePlugin)(vantor::HostRecord*), std::string& error);

    // The function catalogue, through record entries 2, 3 and 4.
    std::int32_t functionCount() const;
    const char* functionName(std::int32_t function) const;
    std::int32_t functionKind(std::int32_t function) const;

    // A user command, through record entry 0.
    void execute(vantor::PluginFunction command) const;

    // A drawing pass, through callback table position 19.
    void draw(std::int32_t flag) const;

    // Shutting down, through record entry 1 with 0, while the GL context is still current.
    void release() const;

    // Changes the scene the plug-in sees from its next drawing call on: the active view's camera,
    // the selection mode and the counts, as the user changes them in the modeller.
    void setScene(const SceneSetup& setup);

private:
    vantor::HostCallbackTable table_{};
    vantor::HostRecord record_{};
    vantor::SceneContext scene_{};
    vantor::HostServices services_{};
    // The cameras are objects of the host; their addresses are the handles the plug-in compares.
    vantor::HostWord cameras_[8]{};
    vantor::ActiveView view_{};
    const vantor::ActiveView* activeView_ = &view_;
    vantor::SelectionList vertices_{};
    vantor::SelectionList edges_{};
    vantor::SelectionList faces_{};
    vantor::HostWord unused32_ = 0;  // the record pointer the plug-in never reads points here
};

}  // namespace hudhost
