// The platform facilities only the stand-in host and its layout checker use, kept out of the
// plug-in: how paths are shown to users, and which code page text is read in.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vantor::platform {

// `path` (folders separated by '\' or '/') as this system writes paths to its users: with '\'
// between folders on Windows, '/' elsewhere.
std::string shownPath(std::string path);

// The characters of Windows code page `number`, for telling which code page a file was saved in:
// false when this system has no table of it.
bool readCodePageOf(unsigned int number, CodePageCharacters& table);

// The number of the system code page: GetACP on Windows; on Linux 1252, or useCodePage's.
unsigned int codePageNumber();

// Reads, from here on, as a Windows whose system code page is `number` would: readCodePage,
// toCodePage and the profile reads. On Linux any of the Windows code pages the C library's iconv
// knows (the CP125x pages, 932, 936, 949, 950), for this process and the plug-ins it loads after;
// Windows reads in its own code page and takes only its number. False, and nothing changed, for
// any other.
bool useCodePage(unsigned int number);

}  // namespace vantor::platform
