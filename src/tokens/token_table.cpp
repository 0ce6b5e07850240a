#include "tokens/token_table.h"

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace vantor {
namespace {

constexpr const char* kKeys[kTokenCount] = {"*CAMERA_NAME*",  "*CUR_DATE*",  "*CUR_TIME*",
                                            "*ELAPSED*",      "*SEL_FACES*", "*SEL_EDGES*",
                                            "*SEL_VERTICES*", "*FPS*"};
enum Token { kCamera, kDate, kTime, kElapsed, kFaces, kEdges, kVertices, kFps };
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
    // The host may reuse one camera for several views; the first equal handle names it.
    const struct {
        HostWord handle;
        const char* name;
    } named[] = {{scene.bottomCamera, "Bottom"}, {scene.mainPerspectiveCamera, "Main Perspective"},
                 {scene.topCamera, "Top"},       {scene.backCamera, "Back"},
                 {scene.frontCamera, "Front"},   {scene.leftCamera, "Left"},
                 {scene.rightCamera, "Right"}};
    for (const auto& camera : named) {
        if (camera.handle == handle) return camera.name;
    }
    return "Free Ortho";
}

// The selection mode from the host's services, or -1 when it cannot be asked.
std::int32_t selectionMode(const HostServices* services) {
    if (services == nullptr || services->selectionMode == nullptr) return -1;
    return services->selectionMode();
}

void formatCount(char (&value)[kTextSize], bool wanted, const SelectionList* list) {
    if (wanted && list != nullptr) {
        std::snprintf(value, sizeof value, "%d", static_cast<std::int32_t>(list->count));
    } else {
        std::memcpy(value, "0", 2);
    }
}

}  // namespace

TokenTable::TokenTable() {
    page.count = kTokenCount;
    for (int i = 0; i < kTokenCount; ++i) {
        std::memcpy(page.rows[i].text, kKeys[i], std::strlen(kKeys[i]) + 1);
    }
}

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

void updateTokenValues(TokenTable& table, HostWord& cachedCamera, const TokenInputs& inputs,
                       TokenClock& clock) {
    TextRow* rows = table.page.rows;

    HostWord handle = 0;
    if (activeCamera(inputs.scene, handle) && handle != cachedCamera) {
        const char* name = cameraName(*inputs.scene, handle);
        std::snprintf(rows[kCamera].value, kTextSize, "%s", name);
        cachedCamera = handle;
    }

    clock.calendarTime = inputs.now;
    if (platform::toLocalTime(inputs.now, clock.localTime)) {
        const std::tm& t = clock.localTime;
        std::snprintf(rows[kDate].value, kTextSize, "%04d-%02d-%02d", t.tm_year + 1900,
                      t.tm_mon + 1, t.tm_mday);
        std::snprintf(rows[kTime].value, kTextSize, "%02d:%02d:%02d", t.tm_hour, t.tm_min,
                      t.tm_sec);
    }

    clock.elapsedMs = inputs.nowTick - inputs.startTick;  // unsigned: survives the wrap
    const std::uint32_t seconds = clock.elapsedMs / 1000u;
    clock.elapsedHours = static_cast<std::int32_t>(seconds / 3600u);
    clock.elapsedMinutes = static_cast<std::int32_t>(seconds / 60u % 60u);
    clock.elapsedSeconds = static_cast<std::int32_t>(seconds % 60u);
    std::snprintf(rows[kElapsed].value, kTextSize, "%02d:%02d:%02d", clock.elapsedHours,
                  clock.elapsedMinutes, clock.elapsedSeconds);

    // The host is asked once per count, and only the list of the current mode is read.
    const SceneContext* scene = inputs.scene;
    formatCount(rows[kFaces].value, selectionMode(inputs.services) == 0,
                scene ? scene->selectedFaces : nullptr);
    formatCount(rows[kEdges].value, selectionMode(inputs.services) == 1,
                scene ? scene->selectedEdges : nullptr);
    formatCount(rows[kVertices].value, selectionMode(inputs.services) == 2,
                scene ? scene->selectedVertices : nullptr);

    std::snprintf(rows[kFps].value, kTextSize, "%u", static_cast<unsigned>(inputs.framesPerSecond));
}

void applyTokens(PageStore& store, const TokenTable& table, char* line) {
    if (store.getTokenHits() == 0) return;  // no token in this row when it was first drawn

    std::int32_t total = 0;
    for (int j = 0; j < table.page.count; ++j) {
        const TextRow& token = table.page.rows[j];
        // A line without the key comes out of the pass as it went in (it is shorter than the
        // limit), apart from the zero padding behind its terminator, which nothing reads; so the
        // pass is skipped.
        if (std::strstr(line, token.text) == nullptr) continue;
        total += store.replaceToken(line, line, token.text, token.value, kLineSize);
    }
    store.setTokenHits(total);
}

}  // namespace vantor
