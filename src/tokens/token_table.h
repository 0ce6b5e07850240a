// The seven live tokens, their values computed each frame, and their application to a row.
#pragma once

#include <cstdint>
#include <ctime>

#include "abi/host_records.h"
#include "pages/page_store.h"
#include "pages/row_page.h"

namespace vantor {

constexpr int kTokenCount = 7;
constexpr int kLineSize = 1024;  // the line being drawn

// Row i holds token i's key in `text` and its current value in `value`:
// "*CAMERA_NAME*", "*CUR_DATE*", "*CUR_TIME*", "*ELAPSED*", "*SEL_FACES*", "*SEL_EDGES*",
// "*SEL_VERTICES*". Values start empty.
struct TokenTable {
    TokenTable();
    RowPage page;
};

// What one update read from the clocks; kept for inspection, read by nothing else.
struct TokenClock {
    std::int64_t calendarTime = 0;  // seconds since the epoch
    std::tm localTime{};
    std::uint32_t elapsedMs = 0;
    std::int32_t elapsedHours = 0;
    std::int32_t elapsedMinutes = 0;
    std::int32_t elapsedSeconds = 0;
};

// The inputs of one update. The clock readings are passed in, so that tests can give exact ones.
struct TokenInputs {
    const SceneContext* scene;
    const HostServices* services;
    std::uint32_t startTick;  // tick of the last GL resource build
    std::uint32_t nowTick;
    std::int64_t now;  // calendar seconds
};

// Recomputes the seven values. The camera name is recomputed only when the active camera differs
// from `cachedCamera`, which is then updated. Null host data leaves the camera value as it was and
// reads as a count of "0"; a time that cannot be converted leaves date and time as they were.
void updateTokenValues(TokenTable& table, HostWord& cachedCamera, const TokenInputs& inputs,
                       TokenClock& clock);

// Applies the seven tokens in table order to `line` (kLineSize bytes, holding a copy of the
// store's current row), unless the row's tokenHits says it holds none, and stores the total
// number of replacements as the row's tokenHits.
void applyTokens(PageStore& store, const TokenTable& table, char* line);

}  // namespace vantor
