#include "check/section_keys.h"

#include "check/known_names.h"

namespace hudhost::check {

bool repeatsKey(const Entry& entry, const FirstEntries& first, Findings& findings) {
    const Entry* firstOfName = first.at(upper(entry.name));
    if (firstOfName == &entry) return false;
    findings.add(FindingKind::RepeatedKey, Severity::Warning, entry.line, entry.column,
                 entry.name + " repeats the key at line " + std::to_string(firstOfName->line) +
                     ": the HUD reads only the first; remove one of them");
    return true;
}

std::string meantKey(const std::string& written, const std::vector<std::string>& candidates,
                     const FirstEntries& first) {
    const std::string best = nearest(written, candidates);
    if (best.empty()) return {};
    const auto set = first.find(upper(best));
    if (set == first.end()) return " (did you mean " + best + "?)";
    // Renaming this line would give the HUD the same key twice, and it reads only the first.
    const std::string line = std::to_string(set->second->line);
    return " (" + best + " is set on line " + line + "; remove this line, or move its value to " +
           "line " + line + ")";
}

}  // namespace hudhost::check
