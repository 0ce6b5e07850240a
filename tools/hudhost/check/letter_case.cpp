#include "check/letter_case.h"

#include <filesystem>

#include "check/layout_text.h"
#include "platform/slashes.h"

namespace hudhost::check {
namespace {

namespace fs = std::filesystem;

// The entry of `folder` named `name`, else the first in another letter case; empty when none.
// Listing the folder, rather than asking for the name, finds the same on both systems.
std::string entryNamed(const fs::path& folder, const std::string& name) {
    std::string other;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (entry == name) return entry;
        if (other.empty() && upper(entry) == upper(name)) other = entry;
    }
    return other;
}

}  // namespace

OtherCase inOtherLetterCase(const std::string& path) {
    const fs::path given(vantor::platform::withSlashes(path));
    fs::path written = given.root_path();
    fs::path onDisk = written;
    OtherCase found;
    for (const fs::path& part : given.relative_path()) {
        const std::string name = part.string();
        std::string entry = name;
        if (!name.empty() && name != "." && name != "..") {
            entry = entryNamed(onDisk.empty() ? fs::path(".") : onDisk, name);
            if (entry.empty()) return {};
        }
        written /= name;
        onDisk /= entry;
        found.lastName = entry != name;
        if (found.lastName) found = {written.generic_string(), onDisk.generic_string(), true};
    }
    return found;
}

}  // namespace hudhost::check
