// Linux side of the INI read: the GetPrivateProfileStringA contract over our own parser, and the
// existence test, both with the Windows folder separator mapped. A UTF-16 file is read as Windows
// reads one, in the code page.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <string>
#include <utility>

#include "platform/ini_parse.h"
#include "platform/platform.h"
#include "platform/slashes.h"

namespace vantor::platform {
namespace {

constexpr off_t kMaxFileBytes = static_cast<off_t>(kMaxIniBytes);

// Copies `path` with every '\' turned into '/'; false when it does not fit.
bool toPosixPath(const char* path, char (&out)[PATH_MAX]) {
    std::size_t i = 0;
    for (; path[i] != '\0'; ++i) {
        if (i + 1 >= sizeof out) return false;
        out[i] = toSlash(path[i]);
    }
    out[i] = '\0';
    return i > 0;
}

// Opens only a regular file, never blocking: a fifo at the path would stall open() and read().
int openRegularFile(const char* path, struct stat& info) {
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

// Reads to the end, whatever size the file gave (some report 0); false on an error or past the
// limit.
bool readAll(int fd, off_t sizeHint, std::string& text) {
    text.clear();
    text.resize(static_cast<std::size_t>(sizeHint) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == text.size()) {
            if (text.size() > static_cast<std::size_t>(kMaxFileBytes)) return false;
            text.resize(text.size() * 2);
        }
        const ssize_t got = read(fd, &text[used], text.size() - used);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        used += static_cast<std::size_t>(got);
    }
    text.resize(used);
    return used <= static_cast<std::size_t>(kMaxFileBytes);
}

struct FileKey {
    dev_t device;
    ino_t inode;
    off_t size;
    timespec modified;
    timespec changed;
};

FileKey keyOf(const struct stat& info) {
    return {info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool sameKey(const FileKey& a, const FileKey& b) {
    return a.device == b.device && a.inode == b.inode && a.size == b.size &&
           sameTime(a.modified, b.modified) && sameTime(a.changed, b.changed);
}

// File systems whose stat answers come from the local kernel with fine timestamps. On a network
// file system stat may answer from an attribute cache and miss another machine's edit.
bool isLocalFileSystem(int fd) {
    struct statfs fs {};
    if (fstatfs(fd, &fs) != 0) return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
        case 0xEF53:      // ext2, ext3, ext4
        case 0x01021994:  // tmpfs
        case 0x58465342:  // xfs
        case 0x9123683E:  // btrfs
        case 0x794C7630:  // overlayfs
        case 0xF2F52010:  // f2fs
        case 0x2FC12FC1:  // zfs
            return true;
        default:
            return false;
    }
}

// Whether a later stat that shows the same key proves the file unchanged since `readStart`.
// Every write sets the change time (which no user can set) from the kernel's clock, which before
// Linux 6.13 moves in ticks of up to 10 ms, and stores it at the file system's granularity (a
// whole second on some). A rewrite of the same size within that tick of our read would leave
// every stat field as it was, so a file changed that recently is parsed again on every read until
// it is older.
bool keyProvesContent(const struct stat& info, const timespec& readStart) {
    const bool wholeSeconds = info.st_ctim.tv_nsec == 0 && info.st_mtim.tv_nsec == 0;
    const long long marginNs = wholeSeconds ? 3'000'000'000LL : 100'000'000LL;
    const long long changedNs = info.st_ctim.tv_sec * 1'000'000'000LL + info.st_ctim.tv_nsec;
    const long long startNs = readStart.tv_sec * 1'000'000'000LL + readStart.tv_nsec;
    return changedNs < startNs - marginNs;
}

// The last file parsed. The reload makes 152 reads of one file in a row, and parsing the file for
// each costs several times our budget; one stat per read shows whether it is still the same file
// with the same contents (device, inode, size, both times to the nanosecond), and anything else
// parses it again. Nothing is held open between calls. Used from the host's thread only.
struct ParsedFile {
    bool trusted = false;  // the index may serve reads that find the same key; see keyProvesContent
    FileKey key{};
    IniIndex index;
};

ParsedFile& lastParsed() {
    static ParsedFile parsed;
    return parsed;
}

const IniIndex* currentIndex(const char* path) {
    struct stat info {};
    if (stat(path, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxFileBytes) {
        return nullptr;
    }
    ParsedFile& parsed = lastParsed();
    if (parsed.trusted && sameKey(parsed.key, keyOf(info))) return &parsed.index;

    parsed.trusted = false;
    timespec readStart{};
    clock_gettime(CLOCK_REALTIME, &readStart);
    const int fd = openRegularFile(path, info);
    if (fd < 0) return nullptr;
    std::string text;
    const bool read = info.st_size <= kMaxFileBytes && readAll(fd, info.st_size, text);
    const bool local = read && isLocalFileSystem(fd);
    close(fd);
    if (!read) return nullptr;

    parsed.index.parseFile(std::move(text), profileForms());
    parsed.key = keyOf(info);
    parsed.trusted = local && keyProvesContent(info, readStart);
    return &parsed.index;
}

}  // namespace

// The Linux reader's own: the grammar's lines, a UTF-8 mark as part of line 1, and its size limit.
IniForms profileForms() { return {}; }

std::uint32_t readProfileString(const char* section, const char* key, const char* fallback,
                                char* buffer, std::uint32_t size, const char* path) {
    char posixPath[PATH_MAX];
    const bool named = section != nullptr && key != nullptr && path != nullptr;
    const IniIndex* index = buffer != nullptr && named && toPosixPath(path, posixPath)
                                ? currentIndex(posixPath)
                                : nullptr;
    return answerProfileRead(index, section, key, fallback, buffer, size);
}

std::uint32_t readProfileKeyNames(const char* section, char* buffer, std::uint32_t size,
                                  const char* path) {
    if (buffer == nullptr || size < 2) return 0;
    char posixPath[PATH_MAX];
    std::uint32_t used = 0;
    const IniIndex* index = section != nullptr && path != nullptr && toPosixPath(path, posixPath)
                                ? currentIndex(posixPath)
                                : nullptr;
    const std::optional<IniSection> found = index ? index->findSection(section) : std::nullopt;
    for (std::size_t k = 0; found && k < found->keyCount; ++k) {
        const std::string_view name = index->key(found->firstKey + k).name;
        if (used + name.size() + 2 > size) {  // cut, as Windows cuts it
            buffer[size - 2] = '\0';
            buffer[size - 1] = '\0';
            return size - 2;
        }
        std::memcpy(buffer + used, name.data(), name.size());
        used += static_cast<std::uint32_t>(name.size());
        buffer[used++] = '\0';
    }
    buffer[used] = '\0';
    return used;
}

bool canOpenForReading(const char* path) {
    char posixPath[PATH_MAX];
    if (path == nullptr || !toPosixPath(path, posixPath)) return false;
    struct stat info {};
    const int fd = openRegularFile(posixPath, info);
    if (fd < 0) return false;
    close(fd);
    return true;
}

std::optional<FileStamp> fileStamp(const char* path) {
    char posixPath[PATH_MAX];
    struct stat info {};
    if (path == nullptr || !toPosixPath(path, posixPath) || stat(posixPath, &info) != 0) {
        return std::nullopt;
    }
    return FileStamp{info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec,
                     static_cast<std::uint64_t>(info.st_size)};
}

}  // namespace vantor::platform
