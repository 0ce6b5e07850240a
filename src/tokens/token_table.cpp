#include "tokens/token_table.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/platform.h"
#include "tokens/clock_format.h"
#include "tokens/replace_token.h"

namespace vantor {
namespace {

constexpr std::uint32_t kRateSpanMs = 1000;

// The active camera handle through the active-view indirection, or false when a link is null.
bool activeCamera(const SceneContext* scene, HostWord& handle) {
    if (scene == nullptr || scene->activeViewSlot == nullptr) return false;
    const ActiveView* view = *scene->activeViewSlot;
    if (view == nullptr) return false;
    handle = view->camera;
    return true;
}

const char* cameraName(const SceneContext& scene, HostWord handle) {
    for (const CameraName& camera : kCameraNames) {
        if (scene.*camera.handle == handle) return camera.name;
    }
    return kOtherCameraName;
}

// The selection mode from the host's services, or -1 when it cannot be asked.
std::int32_t selectionMode(const HostServices* services) {
    if (services == nullptr || services->selectionMode == nullptr) return -1;
    return services->selectionMode();
}

void formatCount(char (&value)[kTextSize], std::int64_t& number, bool wanted,
                 const SelectionList* list) {
    if (wanted && list != nullptr) {
        number = static_cast<std::int32_t>(list->count);
        std::snprintf(value, sizeof value, "%d", static_cast<std::int32_t>(list->count));
    } else {
        number = 0;
        std::memcpy(value, "0", 2);
    }
}

}  // namespace

void FrameRate::restart(std::uint32_t tick) {
    spanStart = tick;
    frames = 0;
    perSecond = 0;
}

void FrameRate::countFrame(std::uint32_t tick) {
    ++frames;
    const std::uint32_t span = tick - spanStart;  // unsigned: survives the wrap
    if (span < kRateSpanMs) return;
    // 64 bits: after a long pause of the host the span is long and the product large.
    perSecond = static_cast<std::uint32_t>((std::uint64_t{frames} * 1000u + span / 2) / span);
    spanStart = tick;
    frames = 0;
}

void updateTokenValues(TokenTable& table, HostWord& cachedCamera, const TokenInputs& inputs) {
    auto& values = table.values;

    HostWord handle = 0;
    if (activeCamera(inputs.scene, handle) && handle != cachedCamera) {
        const char* name = cameraName(*inputs.scene, handle);
        std::snprintf(values[kCameraNameToken], kTextSize, "%s", name);
        cachedCamera = handle;
    }

    std::tm t;  // read only when the conversion fills it
    if (platform::toLocalTime(inputs.now, t)) {
        formatClock(inputs.dateFormat, t, inputs.names, values[kCurDateToken]);
        formatClock(inputs.timeFormat, t, inputs.names, values[kCurTimeToken]);
    }

    const std::uint32_t elapsedMs =
        inputs.nowTick - inputs.startTick;  // unsigned: survives the wrap
    const std::uint32_t seconds = elapsedMs / 1000u;
    table.numbers[kElapsedToken] = seconds;
    std::snprintf(values[kElapsedToken], kTextSize, "%02d:%02d:%02d",
                  static_cast<std::int32_t>(seconds / 3600u),
                  static_cast<std::int32_t>(seconds / 60u % 60u),
                  static_cast<std::int32_t>(seconds % 60u));

    // The host is asked once per count, and only the list of the current mode is read.
    const SceneContext* scene = inputs.scene;
    formatCount(values[kSelFacesToken], table.numbers[kSelFacesToken],
                selectionMode(inputs.services) == kFaceSelection,
                scene ? scene->selectedFaces : nullptr);
    formatCount(values[kSelEdgesToken], table.numbers[kSelEdgesToken],
                selectionMode(inputs.services) == kEdgeSelection,
                scene ? scene->selectedEdges : nullptr);
    formatCount(values[kSelVerticesToken], table.numbers[kSelVerticesToken],
                selectionMode(inputs.services) == kVertexSelection,
                scene ? scene->selectedVertices : nullptr);

    std::snprintf(values[kFpsToken], kTextSize, "%u",
                  static_cast<unsigned>(inputs.framesPerSecond));
    table.numbers[kFpsToken] = inputs.framesPerSecond;
}

int firstNumberToken(const char* text) {
    int first = -1;
    const char* firstAt = nullptr;
    for (int j = 0; j < kTokenCount; ++j) {
        if (!kNumberTokens[j]) continue;
        const char* at = std::strstr(text, kTokenKeys[j]);
        if (at != nullptr && (firstAt == nullptr || at < firstAt)) {
            first = j;
            firstAt = at;
        }
    }
    return first;
}

void applyTokens(const TextRow& row, const TokenTable& table, char* line, ValueSpans* values) {
    if (values != nullptr) values->count = 0;
    if (row.tokenHits == 0) return;  // no token in this row when it was first drawn

    std::int32_t total = 0;
    for (int j = 0; j < kTokenCount; ++j) {
        // A line without the key comes out of the pass as it went in (it is shorter than the
        // limit), apart from the zero padding behind its terminator, which nothing reads; so the
        // pass is skipped.
        if (std::strstr(line, kTokenKeys[j]) == nullptr) continue;
        total += values != nullptr
                     ? replaceToken(line, line, kTokenKeys[j], table.values[j], kLineSize, *values)
                     : replaceToken(line, line, kTokenKeys[j], table.values[j], kLineSize);
    }
    row.tokenHits = total;
}

}  // namespace vantor
