// Names on disk that differ from a path only in letter case. The Linux build finds a file by its
// exact name; the Windows build, like the modeller, finds it in any letter case.
#pragma once

#include <string>

namespace hudhost::check {

// A path as written and as the folders on disk spell it, each up to the last of its names that
// differs only in letter case: "Plugins/Startup Plugins" and "plugins/startup plugins".
struct OtherCase {
    std::string written;
    std::string onDisk;     // empty when no name differs so, or one is there in no letter case
    bool lastName = false;  // the differing names run to the path's last name (a file's own)
};

// `path` ('/' or '\' between its names; relative to the working directory, or absolute) looked up
// name by name in the folders on disk; names match exactly first, else in any letter case.
OtherCase inOtherLetterCase(const std::string& path);

}  // namespace hudhost::check
