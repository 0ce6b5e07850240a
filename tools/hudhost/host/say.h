// hudhost's lines for its user, on stderr, each led by the program's name as command-line tools
// write theirs.
#pragma once

#include <string>

namespace hudhost {

// "hudhost: LINE" on stderr; nothing for an empty line.
void say(const std::string& line);

}  // namespace hudhost
