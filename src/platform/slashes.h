// Paths written with Windows' folder separator, a backslash, as the host's own are. '/' separates
// folders on both systems, so each backslash becomes '/' wherever such a path meets a file
// function of this side or is shown to a user.
#pragma once

#include <string>

namespace vantor::platform {

constexpr char toSlash(char c) { return c == '\\' ? '/' : c; }

inline std::string withSlashes(std::string path) {
    for (char& c : path) c = toSlash(c);
    return path;
}

}  // namespace vantor::platform
