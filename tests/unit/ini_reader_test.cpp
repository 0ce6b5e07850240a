// The Linux INI reader: the corpus answers taken from the real Windows call and the places its
// grammar gives them, the Windows rules on which wine departs (so they cannot be in that
// baseline), bad files at the INI path, and reads that must see the file as it is now.
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "ini_baseline.h"
#include "pages/hud_settings.h"
#include "platform/platform.h"
#include "work_folder.h"

namespace vantor {
namespace {

using platform::canOpenForReading;
using platform::readProfileString;

std::string readValue(const char* path, const char* section, const char* key,
                      std::uint32_t size = kTextSize) {
    std::vector<char> buffer = test::guardedBuffer(size);
    const std::uint32_t length = readProfileString(section, key, "dflt", buffer.data(), size, path);
    EXPECT_LT(length, size);
    EXPECT_EQ(buffer[size], test::kGuard);
    return std::string(buffer.data(), length);
}

TEST(IniCorpus, OurReaderGivesTheAnswersOfTheRealCall) {
    std::string error;
    const auto queries = test::loadBaseline(VANTOR_TEST_DATA "/ini/expected.txt", error);
    ASSERT_FALSE(queries.empty()) << error;
    for (const test::IniQuery& q : queries) {
        std::vector<char> buffer = test::guardedBuffer(q.size);
        const std::string path = VANTOR_TEST_DATA "/ini/" + q.file;
        const std::uint32_t length =
            readProfileString(q.section.c_str(), q.key.c_str(), q.fallback.c_str(), buffer.data(),
                              q.size, path.c_str());
        EXPECT_EQ(test::checkAnswer(q, length, buffer), "")
            << "expected.txt:" << q.line << " " << test::formatAnswer(q, length, buffer.data());
    }
}

TEST(IniCorpus, TheGrammarPlacesWhatItReads) {
    for (const test::IniPlacement& place : test::kCorpusPlaces) {
        EXPECT_EQ(test::checkPlace(VANTOR_TEST_DATA "/ini", place), "")
            << place.file << " "
            << (place.key       ? place.key
                : place.section ? place.section
                                : "");
    }
}

// Where wine's reader departs from Windows. We follow Windows.
struct WindowsRule {
    const char* rule;
    const char* content;
    const char* section;
    const char* key;
    std::uint32_t size;
    const char* expected;
};

const WindowsRule kWineDeparts[] = {
    {"a ';' line is no key, even asked for by name", "[S]\n;KEY=v\n", "S", ";KEY", 260, "dflt"},
    {"a section name ends at the first ']'", "[a]b]\nK=v\n", "a", "K", 260, "v"},
    {"text after the first ']' is no part of the name", "[a]b]\nK=v\n", "a]b", "K", 260, "dflt"},
    {"a '[' line without ']' names a section", "[S]\nK=first\n[T\nK=second\n", "T", "K", 260,
     "second"},
    {"a '[' line without ']' ends the section before", "[S]\n[T\nJ=in T\n", "S", "J", 260, "dflt"},
    {"a UTF-8 byte-order mark spoils the first line", "\xEF\xBB\xBF[S]\nK=v\n", "S", "K", 260,
     "dflt"},
    {"a byte-order mark spoils only its own line", "\xEF\xBB\xBF\n[S]\nK=v\n", "S", "K", 260, "v"},
    {"an empty section name is reached by the empty name", "[]\nK=v\n", "", "K", 260, "v"},
    {"keys before the first section stay out of reach", "ORPHAN=o\n[S]\n", "", "ORPHAN", 260,
     "dflt"},
    {"a line without '=' hides no later key", "[S]\nK\nK=v\n", "S", "K", 260, "v"},
    {"quotes go before the value is cut", "[S]\nQ=\"abcdef\"\n", "S", "Q", 7, "abcdef"},
};

TEST(IniRules, WindowsAnswersWhereWineDeparts) {
    test::WorkFolder dir;
    int n = 0;
    for (const WindowsRule& c : kWineDeparts) {
        const std::string file = "case" + std::to_string(n++) + ".ini";
        test::writeFile(file, c.content);
        EXPECT_EQ(readValue(file.c_str(), c.section, c.key, c.size), c.expected) << c.rule;
    }
}

// Junk bytes with no '[' in them, so that they can hold no section.
std::string junk(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
        if (c == '[') c = ']';
    }
    return bytes;
}

void expectDefaultsAndNoPages() {
    PageStore store;
    HudSettings settings{};
    reloadConfig(store, settings);
    EXPECT_EQ(store.getPageCount(), 0);
    EXPECT_EQ(settings.posX, 450.0f);
    EXPECT_EQ(settings.fontSize, 18);
    EXPECT_STREQ(settings.fontFace, "Arial");
    EXPECT_EQ(readValue(kIniPath, "CONFIG", "FONT_FACE"), "dflt");
}

// Lets a root test process meet file permissions the way a user does.
struct AsUnprivilegedUser {
    const bool root = geteuid() == 0;
    AsUnprivilegedUser() {
        if (root) setfsuid(65534);
    }
    ~AsUnprivilegedUser() {
        if (root) setfsuid(0);
    }
};

struct BadFile {
    const char* what;
    void (*make)();
    bool opens;  // an existence test would pass
};

const BadFile kBadFiles[] = {
    {"binary junk", [] { test::writeFile(test::kIniFile, junk(64 * 1024)); }, true},
    {"a directory", [] { std::filesystem::create_directory(test::kIniFile); }, false},
    {"a fifo", [] { ASSERT_EQ(mkfifo(test::kIniFile, 0644), 0); }, false},
    {"a device", [] { ASSERT_EQ(symlink("/dev/zero", test::kIniFile), 0); }, false},
    {"a dangling link", [] { ASSERT_EQ(symlink("nowhere.ini", test::kIniFile), 0); }, false},
    {"a link to itself", [] { ASSERT_EQ(symlink("VantorHUD.ini", test::kIniFile), 0); }, false},
    {"a file over 16 MiB",
     [] {
         test::writeFile(test::kIniFile,
                         "[CONFIG]\nFONT_FACE=Big\nX=" + std::string(17 << 20, 'x') + "\n");
     },
     true},
};

TEST(IniBadFiles, GiveDefaultsAndNoPages) {
    for (const BadFile& bad : kBadFiles) {
        SCOPED_TRACE(bad.what);
        test::WorkFolder dir;
        bad.make();
        EXPECT_EQ(canOpenForReading(kIniPath), bad.opens);
        expectDefaultsAndNoPages();
    }
}

TEST(IniBadFiles, AnUnreadableFileGivesDefaultsAndNoPages) {
    test::WorkFolder dir;
    ASSERT_EQ(chmod(".", 0755), 0);
    test::writeFile(test::kIniFile, "[SECTION1]\nROWDATA1=secret\n[CONFIG]\nFONT_FACE=Secret\n");
    ASSERT_EQ(chmod(test::kIniFile, 0), 0);
    AsUnprivilegedUser user;
    EXPECT_FALSE(canOpenForReading(kIniPath));
    expectDefaultsAndNoPages();
}

TEST(IniBadFiles, JunkAndHugeRowsLeaveTheLayoutAroundThemReadable) {
    const struct {
        std::string ini;
        std::vector<std::string> rows;  // of the one page
        std::int32_t fontSize;
    } cases[] = {
        {junk(4096) + "\n[SECTION1]\nROWDATA1=ok\n" + junk(4096), {"ok"}, 18},
        {"[SECTION1]\nROWDATA1=" + std::string(10 << 20, 'x') +
             "\nROWDATA2=after the long row\n[CONFIG]\nFONT_SIZE=20\n",
         {std::string(259, 'x'), "after the long row"},
         20},
    };
    for (const auto& c : cases) {
        const test::WorkFolder dir(c.ini);
        PageStore store;
        HudSettings settings{};
        reloadConfig(store, settings);
        ASSERT_EQ(store.getPageCount(), 1);
        store.selectPage(0);
        std::vector<std::string> rows;
        for (int r = 0; store.selectRow(r) == 1; ++r) rows.push_back(store.getRowText());
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(settings.fontSize, c.fontSize);
    }
}

// Each read sees the file as it is at that moment, however soon after the last read it changed.
struct Change {
    const char* what;
    void (*apply)();
    const char* expected;
};

const Change kChanges[] = {
    {"rewritten in place, same size", [] { test::writeFile(test::kIniFile, "[S]\nK=new\n"); },
     "new"},
    {"grown", [] { test::writeFile(test::kIniFile, "[S]\nK=newer\n"); }, "newer"},
    {"replaced by rename",
     [] {
         test::writeFile("other.ini", "[S]\nK=new\n");
         ASSERT_EQ(std::rename("other.ini", test::kIniFile), 0);
     },
     "new"},
    {"deleted", [] { ASSERT_EQ(std::remove(test::kIniFile), 0); }, "dflt"},
    {"replaced by a directory",
     [] {
         ASSERT_EQ(std::remove(test::kIniFile), 0);
         std::filesystem::create_directory(test::kIniFile);
     },
     "dflt"},
};

TEST(IniFreshness, EveryReadSeesTheFileAsItIsNow) {
    for (const bool aged : {false, true}) {
        for (const Change& change : kChanges) {
            SCOPED_TRACE(std::string(change.what) + (aged ? ", file read when old" : ""));
            test::WorkFolder dir;
            test::writeFile(test::kIniFile, "[S]\nK=old\n");
            // An old file is the one whose parse is kept between reads.
            if (aged) std::this_thread::sleep_for(std::chrono::milliseconds(150));
            EXPECT_EQ(readValue(kIniPath, "S", "K"), "old");
            EXPECT_EQ(readValue(kIniPath, "S", "K"), "old");
            change.apply();
            EXPECT_EQ(readValue(kIniPath, "S", "K"), change.expected);
        }
    }
}

}  // namespace
}  // namespace vantor
