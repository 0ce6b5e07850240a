// The names the HUD asks its file for, and the nearest of them to a name it never asks for.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "pages/hud_settings.h"

namespace hudhost::check {

// The CONFIG key named `name` (any letter case, as the reader matches), or null.
const vantor::ConfigKey* findConfigKey(const std::string& name);

// The tokens, from the HUD's own token table, in its order.
const std::vector<std::string>& tokenKeys();

// Letters apart, without regard to letter case, a swap of two neighbouring letters counting as
// one: a short name with two letters swapped is still close.
std::size_t distance(const std::string& a, const std::string& b);

// The candidate a user most likely meant by `written`: the same in another letter case, a prefix
// of it, or at most a few letters away. Empty when none is that close.
std::string nearest(const std::string& written, const std::vector<std::string>& candidates);

// " (did you mean X?)" for the nearest candidate, or nothing.
std::string didYouMean(const std::string& written, const std::vector<std::string>& candidates);

}  // namespace hudhost::check
