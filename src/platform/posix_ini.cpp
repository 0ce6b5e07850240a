// FIRST CUT, replaced by the full reader on the ini branch: plain section/key lookup.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>

#include "platform/platform.h"

namespace vantor::platform {
namespace {

std::string unixPath(const char* path) {
    std::string p(path ? path : "");
    for (char& c : p) {
        if (c == '\\') c = '/';
    }
    return p;
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

}  // namespace

std::uint32_t readProfileString(const char* section, const char* key, const char* fallback,
                                char* buffer, std::uint32_t size, const char* path) {
    std::string result = fallback ? fallback : "";
    if (std::FILE* f = std::fopen(unixPath(path).c_str(), "r")) {
        char line[4096];
        bool inSection = false;
        while (std::fgets(line, sizeof line, f)) {
            std::string l = trim(line);
            if (!l.empty() && l.back() == '\n') l.pop_back();
            l = trim(l);
            if (l.empty() || l[0] == ';') continue;
            if (l[0] == '[') {
                inSection = strcasecmp(l.substr(1, l.find(']') - 1).c_str(), section) == 0;
                continue;
            }
            const auto eq = l.find('=');
            if (!inSection || eq == std::string::npos) continue;
            if (strcasecmp(trim(l.substr(0, eq)).c_str(), key) == 0) {
                result = trim(l.substr(eq + 1));
                break;
            }
        }
        std::fclose(f);
    }
    if (size == 0) return 0;
    const std::size_t n = std::min<std::size_t>(result.size(), size - 1);
    std::memcpy(buffer, result.data(), n);
    buffer[n] = '\0';
    return static_cast<std::uint32_t>(n);
}

bool canOpenForReading(const char* path) {
    const int fd = open(unixPath(path).c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st {};
    const bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    close(fd);
    return regular;
}

}  // namespace vantor::platform
