// The user guide lists the name of each kind of finding the layout checker has, a line each, in
// the checker's order: the names that --ignore takes and that end the findings.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "check/findings.h"

namespace {

TEST(FindingNames, TheGuideListsEachName) {
    std::ifstream guide(VANTOR_TEST_DATA "/../../docs/CONFIGURATION.md");
    ASSERT_TRUE(guide.is_open());
    const std::regex item("- `([a-z0-9-]+)`: .+");
    std::vector<std::string> listed;
    for (std::string line; std::getline(guide, line);) {
        std::smatch m;
        if (std::regex_match(line, m, item)) listed.push_back(m[1]);
    }
    EXPECT_EQ(listed, hudhost::check::kindNames());
}

}  // namespace
