// The real VantorHUD.dll loaded with LoadLibrary, as the host loads it.
#include <windows.h>

#include <gtest/gtest.h>

#include "fake_host.h"

namespace vantor {
namespace {

TEST(WindowsDll, ExportsAnswerThroughARealHostRecord) {
    HMODULE dll = LoadLibraryA("VantorHUD.dll");
    ASSERT_NE(dll, nullptr) << GetLastError();
    auto version = reinterpret_cast<std::int32_t (*)()>(
        reinterpret_cast<void (*)()>(GetProcAddress(dll, "getPluginVersion")));
    auto initialize = reinterpret_cast<void (*)(HostRecord*)>(
        reinterpret_cast<void (*)()>(GetProcAddress(dll, "initializePlugin")));
    ASSERT_NE(version, nullptr);
    ASSERT_NE(initialize, nullptr);
    EXPECT_EQ(version(), 4);

    test::FakeHost host;
    HostRecord& record = host.record;
    initialize(&record);
    EXPECT_EQ(version(), 4);

    EXPECT_EQ(entryAs<FunctionCountEntry>(record.functionCount)(), 5);
    EXPECT_STREQ(entryAs<FunctionNameEntry>(record.functionName)(1), "Vantor HUD Switch");
    EXPECT_STREQ(entryAs<FunctionNameEntry>(record.functionName)(-1), "NaFn");
    EXPECT_EQ(entryAs<FunctionKindEntry>(record.functionKind)(4), 0);
    EXPECT_TRUE(entryAs<ExecuteEntry>(record.execute)(kSwitchCommand));
    for (HostEntry entry : host.table.entries) EXPECT_NE(entry, nullptr);
    // No GL context is current: draw returns at once.
    EXPECT_TRUE(entryAs<DrawEntry>(host.table.entries[kDrawPosition])(0));
}

}  // namespace
}  // namespace vantor
