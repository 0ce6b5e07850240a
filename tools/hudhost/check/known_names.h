// The names the HUD asks its file for, and the nearest of them to a name it never asks for.
#pragma once

#include <string>
#include <vector>

#include "pages/hud_settings.h"

namespace hudhost::check {

// A CONFIG key: its accepted range, its default, and the value the HUD ends up using, as
// reloadConfig left it in the settings. A new key is one more line of kConfigKeys.
struct ConfigKey {
    const char* name;
    int low;  // numbers only
    int high;
    const char* fallback;                        // the default, as the user would write it
    long (*used)(const vantor::HudSettings& s);  // null for a text key
};

extern const std::vector<ConfigKey> kConfigKeys;

// The key named `name` (any letter case, as the reader matches), or null.
const ConfigKey* findConfigKey(const std::string& name);

// The tokens, from the HUD's own token table, in its order.
const std::vector<std::string>& tokenKeys();

// The candidate a user most likely meant by `written`: the same in another letter case, a prefix
// of it, or at most a few letters away. Empty when none is that close.
std::string nearest(const std::string& written, const std::vector<std::string>& candidates);

// " (did you mean X?)" for the nearest candidate, or nothing.
std::string didYouMean(const std::string& written, const std::vector<std::string>& candidates);

}  // namespace hudhost::check
