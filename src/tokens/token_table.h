// The live tokens, their values computed each frame, and their application to a row.
#pragma once

#include <cstdint>

#include "abi/host_records.h"
#include "pages/hud_settings.h"
#include "pages/row_page.h"
#include "tokens/value_spans.h"

namespace vantor {

constexpr int kLineSize = 1024;  // the line being drawn

// The tokens by index, in the order they are applied to a row; *FPS* is last, so that it is
// applied after the seven.
enum Token : int {
    kCameraNameToken,
    kCurDateToken,
    kCurTimeToken,
    kElapsedToken,
    kSelFacesToken,
    kSelEdgesToken,
    kSelVerticesToken,
    kFpsToken,
    kTokenCount
};

// Each token's key, as a row holds it.
inline constexpr const char* kTokenKeys[kTokenCount] = {
    "*CAMERA_NAME*", "*CUR_DATE*",  "*CUR_TIME*",     "*ELAPSED*",
    "*SEL_FACES*",   "*SEL_EDGES*", "*SEL_VERTICES*", "*FPS*"};

// The name *CAMERA_NAME* gives each of the scene's seven cameras, in the order their handles are
// compared: the host may reuse one camera for several views, and the first equal handle names it.
struct CameraName {
    HostWord SceneContext::*handle;
    const char* name;
};
inline constexpr CameraName kCameraNames[] = {
    {&SceneContext::bottomCamera, "Bottom"},
    {&SceneContext::mainPerspectiveCamera, "Main Perspective"},
    {&SceneContext::topCamera, "Top"},
    {&SceneContext::backCamera, "Back"},
    {&SceneContext::frontCamera, "Front"},
    {&SceneContext::leftCamera, "Left"},
    {&SceneContext::rightCamera, "Right"}};
// The name of a camera whose handle is none of theirs.
inline constexpr const char* kOtherCameraName = "Free Ortho";

// The tokens whose values are numbers, which a row's threshold colours can follow: the counts,
// the rate, and the elapsed time in seconds.
inline constexpr bool kNumberTokens[kTokenCount] = {false, false, false, true,
                                                    true,  true,  true,  true};

// The tokens' current values, by Token; empty until the first update. A number token's value as
// a number too.
struct TokenTable {
    char values[kTokenCount][kTextSize] = {};
    std::int64_t numbers[kTokenCount] = {};
};

// The number token that comes first in `text`, a row as written; -1 when it holds none.
int firstNumberToken(const char* text);

// The rate of the host's drawing calls with flag 0, counted over spans of about a second.
struct FrameRate {
    std::uint32_t spanStart = 0;  // tick at which the current span began
    std::uint32_t frames = 0;     // calls counted since then
    std::uint32_t perSecond = 0;  // the last whole span's rate, rounded; 0 until one has ended

    // Starts afresh at `tick`, the GL resource build: the rate reads 0 for the next second.
    void restart(std::uint32_t tick);
    // Counts one call at `tick`; a span of a second or more ends with it and gives the rate.
    void countFrame(std::uint32_t tick);
};

// The inputs of one update. The clock readings are passed in, so that tests can give exact ones.
struct TokenInputs {
    const SceneContext* scene;
    const HostServices* services;
    std::uint32_t startTick;  // tick of the last GL resource build
    std::uint32_t nowTick;
    std::int64_t now;  // calendar seconds
    std::uint32_t framesPerSecond = 0;
    const char* dateFormat = configKey("DATE_FORMAT").fallbackText;  // clock_format.h
    const char* timeFormat = configKey("TIME_FORMAT").fallbackText;
    const platform::ClockNames* names = nullptr;  // needed when a format spells out a name
};

// Recomputes the values. The camera name is recomputed only when the active camera differs
// from `cachedCamera`, which is then updated. Null host data leaves the camera value as it was and
// reads as a count of "0"; a time that cannot be converted leaves date and time as they were.
void updateTokenValues(TokenTable& table, HostWord& cachedCamera, const TokenInputs& inputs);

// Applies the tokens in table order to `line` (kLineSize bytes, holding a copy of `row`'s text),
// unless the row's tokenHits says it holds none, and keeps the total number of replacements as the
// row's tokenHits. With `values`, where the values lie in the line (value_spans.h).
void applyTokens(const TextRow& row, const TokenTable& table, char* line,
                 ValueSpans* values = nullptr);

}  // namespace vantor
