// PLACEHOLDER until the INI reader lands: answers every read with the fallback.
#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace vantor::platform {

std::uint32_t readProfileString(const char*, const char*, const char* fallback, char* buffer,
                                std::uint32_t size, const char*) {
    std::snprintf(buffer, size, "%s", fallback);
    return static_cast<std::uint32_t>(std::strlen(buffer));
}

bool canOpenForReading(const char*) { return false; }

}  // namespace vantor::platform
