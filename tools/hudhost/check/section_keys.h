// The keys of one section as the HUD finds them: the first of each name is the one it reads, a
// later one is never seen, and a misspelt one is told the name it was meant for unless that name
// is set already, where taking the advice would only repeat it.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "check/findings.h"
#include "check/layout_text.h"

namespace hudhost::check {

// The first entry of each name, by its name in capitals (firstEntries).
using FirstEntries = std::unordered_map<std::string, const Entry*>;

// Adds the finding for `entry` when an earlier key of its name hides it; whether it did.
bool repeatsKey(const Entry& entry, const FirstEntries& first, Findings& findings);

// " (did you mean X?)" for the candidate nearest `written`, or, when X is set on a line of the
// section already, what to do instead; nothing when no candidate is that close.
std::string meantKey(const std::string& written, const std::vector<std::string>& candidates,
                     const FirstEntries& first);

}  // namespace hudhost::check
