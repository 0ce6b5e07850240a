#include "host/host_side.h"

#include "tokens/token_table.h"

namespace hudhost {
namespace {

// HostServices entry 29 is called with no receiver, so the mode it answers lives here.
std::int32_t g_selectionMode = vantor::kFaceSelection;

std::int32_t selectionModeEntry() { return g_selectionMode; }

vantor::HostWord handleOf(const vantor::HostWord& camera) {
    return reinterpret_cast<vantor::HostWord>(&camera);
}

}  // namespace

const char* cameraName(Camera camera) {
    if (camera == Camera::Free) return vantor::kOtherCameraName;
    for (const vantor::CameraName& named : vantor::kCameraNames) {
        if (named.handle == kCameraSlots[static_cast<int>(camera)]) return named.name;
    }
    return vantor::kOtherCameraName;
}

HostSide::HostSide(const SceneSetup& setup) {
    for (int camera = 0; camera < kNamedCameras; ++camera) {
        scene_.*kCameraSlots[camera] = handleOf(cameras_[camera]);
    }
    scene_.activeViewSlot = &activeView_;
    scene_.selectedVertices = &vertices_;
    scene_.selectedEdges = &edges_;
    scene_.selectedFaces = &faces_;
    services_.selectionMode = &selectionModeEntry;
    setScene(setup);

    record_.table = &table_;
    record_.scene = &scene_;
    record_.services = &services_;
    record_.unused32 = &unused32_;
}

void HostSide::setScene(const SceneSetup& setup) {
    using vantor::HostWord;
    view_.camera = handleOf(cameras_[static_cast<int>(setup.camera)]);
    vertices_.count = HostWord{setup.vertices};
    edges_.count = HostWord{setup.edges};
    faces_.count = HostWord{setup.faces};
    g_selectionMode = setup.selectionMode;
}

bool HostSide::attach(void (*initializePlugin)(vantor::HostRecord*), std::string& error) {
    initializePlugin(&record_);
    const vantor::HostEntry recordEntries[] = {record_.execute, record_.release,
                                               record_.functionCount, record_.functionName,
                                               record_.functionKind};
    for (vantor::HostEntry entry : recordEntries) {
        if (entry == nullptr) {
            error = "the plug-in did not fill the host record's entries";
            return false;
        }
    }
    for (vantor::HostEntry entry : table_.entries) {
        if (entry == nullptr) {
            error = "the plug-in did not fill the host's callback table";
            return false;
        }
    }
    return true;
}

std::int32_t HostSide::functionCount() const {
    return vantor::entryAs<vantor::FunctionCountEntry>(record_.functionCount)();
}

const char* HostSide::functionName(std::int32_t function) const {
    const char* name = vantor::entryAs<vantor::FunctionNameEntry>(record_.functionName)(function);
    return name != nullptr ? name : "";
}

std::int32_t HostSide::functionKind(std::int32_t function) const {
    return vantor::entryAs<vantor::FunctionKindEntry>(record_.functionKind)(function);
}

void HostSide::execute(vantor::PluginFunction command) const {
    vantor::entryAs<vantor::ExecuteEntry>(record_.execute)(static_cast<std::int32_t>(command));
}

void HostSide::draw(std::int32_t flag) const {
    vantor::entryAs<vantor::DrawEntry>(table_.entries[vantor::kDrawPosition])(flag);
}

void HostSide::release() const { vantor::entryAs<vantor::ReleaseEntry>(record_.release)(0); }

}  // namespace hudhost
