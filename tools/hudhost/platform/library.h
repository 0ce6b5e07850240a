// Shared libraries, as each system loads them: open one, find a symbol in it.
#pragma once

#include <string>

namespace hudhost {

using Library = void*;
using Symbol = void (*)();

// Loads the library at `path`; it stays loaded until the process ends, as in the host. Null, with
// the system's one-line reason (naming the file) in `error`, when it cannot be loaded.
Library openLibrary(const std::string& path, std::string& error);

// The address of the exported function `name`, or null when the library has none.
Symbol findSymbol(Library library, const char* name);

// The path of the library named `stem` beside this program: stem.dll or stem.so.
std::string libraryBesideProgram(const char* stem);

}  // namespace hudhost
