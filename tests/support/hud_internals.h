// What tests read of the HUD's own state, which no host sees: through the one friend HudPlugin
// names, so that its header holds only what the host and the subsystems use.
#pragma once

#include <cstdint>

#include "hud/hud_plugin.h"

namespace vantor::test {

class HudInspector {
public:
    explicit HudInspector(const HudPlugin& hud) : hud_(hud) {}

    std::int32_t currentPage() const { return hud_.currentPage_; }
    unsigned int fontListBase() const { return hud_.fontListBase_; }
    bool rebuildNeeded() const { return hud_.rebuildNeeded_; }
    const PageStore& store() const { return hud_.store_; }
    const HudSettings& settings() const { return hud_.settings_; }
    const TokenTable& tokens() const { return hud_.tokens_; }
    const FrameRate& frameRate() const { return hud_.frameRate_; }
    const CharacterLists& characterLists() const { return hud_.characterLists_; }

private:
    const HudPlugin& hud_;
};

inline HudInspector inspect(const HudPlugin& hud) { return HudInspector(hud); }

}  // namespace vantor::test
