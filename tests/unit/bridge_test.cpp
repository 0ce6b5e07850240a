// The host bridge through the built plug-in's real exports, and the entry mapping with a probe.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>

#include "abi/host_records.h"
#include "host/plugin_entry.h"

namespace vantor {
namespace {

// Never closed: like the host, the process keeps the plug-in and its one object until it ends.
struct LoadedPlugin {
    void* handle = dlopen(VANTOR_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
    template <class F>
    F symbol(const char* name) {
        return reinterpret_cast<F>(dlsym(handle, name));
    }
};

struct HostSide {
    HostCallbackTable table{};
    HostRecord record{};
    HostSide() { record.table = &table; }
};

TEST(Exports, VersionIsFourBeforeAndAfterInitialize) {
    LoadedPlugin plugin;
    ASSERT_NE(plugin.handle, nullptr) << dlerror();
    auto version = plugin.symbol<std::int32_t (*)()>("getPluginVersion");
    auto initialize = plugin.symbol<void (*)(HostRecord*)>("initializePlugin");
    ASSERT_NE(version, nullptr);
    ASSERT_NE(initialize, nullptr);

    EXPECT_EQ(version(), 4);
    HostSide host;  // third pointer and scene left null: neither is touched at start-up
    initialize(&host.record);
    EXPECT_EQ(version(), 4);

    EXPECT_EQ(entryAs<FunctionCountEntry>(host.record.functionCount)(), 5);
    EXPECT_STREQ(entryAs<FunctionNameEntry>(host.record.functionName)(1), "Vantor HUD Switch");
    EXPECT_EQ(entryAs<FunctionKindEntry>(host.record.functionKind)(0), 2);
    EXPECT_TRUE(entryAs<ExecuteEntry>(host.record.execute)(7));
    for (HostEntry entry : host.table.entries) EXPECT_NE(entry, nullptr);
    // No GL context is current, so draw returns at once.
    EXPECT_TRUE(entryAs<DrawEntry>(host.table.entries[kDrawPosition])(0));
}

TEST(Exports, NothingElseIsVisible) {
    LoadedPlugin plugin;
    ASSERT_NE(plugin.handle, nullptr) << dlerror();
    for (const char* hidden : {"_ZN6vantor12attachPluginEPNS_10PluginBaseEPNS_10HostRecordE",
                               "_ZN6vantor14pluginInstanceEv"}) {
        EXPECT_EQ(dlsym(plugin.handle, hidden), nullptr) << hidden;
    }
}

TEST(Exports, NullRecordIsIgnored) {
    LoadedPlugin plugin;
    ASSERT_NE(plugin.handle, nullptr) << dlerror();
    auto initialize = plugin.symbol<void (*)(HostRecord*)>("initializePlugin");
    initialize(nullptr);
    HostRecord noTable{};
    initialize(&noTable);
    EXPECT_EQ(noTable.execute, nullptr);
}

// Answers differently on every event, so that each entry shows which operation it reached.
class Probe : public PluginBase {
public:
    int last = -1;
    Arg args[3] = {};
    bool note(int op, Arg a = 0, Arg b = 0, Arg c = 0) {
        last = op;
        args[0] = a, args[1] = b, args[2] = c;
        return op % 2 == 0;
    }
    bool hostEvent5(Arg a, Arg b) override { return note(5, a, b); }
    void hostEvent6(Arg a) override { note(6, a); }
    void hostEvent7(Arg a, Arg b) override { note(7, a, b); }
    bool hostEvent8(Arg a, Arg b, Arg c) override { return note(8, a, b, c); }
    bool hostEvent9(Arg a, Arg b, Arg c) override { return note(9, a, b, c); }
    bool hostEvent10(Arg a, Arg b, Arg c) override { return note(10, a, b, c); }
    bool hostEvent11(Arg a, Arg b, Arg c) override { return note(11, a, b, c); }
    bool hostEvent12(Arg a, Arg b, Arg c) override { return note(12, a, b, c); }
    bool hostEvent13(Arg a, Arg b, Arg c) override { return note(13, a, b, c); }
    bool hostEvent14(Arg a, Arg b, Arg c) override { return note(14, a, b, c); }
    bool hostEvent15(Arg a, Arg b) override { return note(15, a, b); }
    bool hostEvent16(Arg a, Arg b) override { return note(16, a, b); }
    bool hostEvent17(Arg a, Arg b) override { return note(17, a, b); }
    void hostEvent18(Arg a, Arg b) override { note(18, a, b); }
    bool hostEvent19(Arg a, Arg b) override { return note(19, a, b); }
    bool hostEvent20(Arg a) override { return note(20, a); }
    bool hostEvent21(Arg a) override { return note(21, a); }
    bool hostEvent22(Arg a) override { return note(22, a); }
    bool hostEvent23(Arg a) override { return note(23, a); }
    bool draw(Arg a) override { return note(24, a); }
};

using A = PluginBase::Arg;
using Call1 = bool (*)(A);
using Call2 = bool (*)(A, A);
using Call3 = bool (*)(A, A, A);

TEST(CallbackTable, EachPositionReachesItsOperationWithItsArguments) {
    struct Case {
        int position, op, arguments;
    };
    const Case cases[] = {{0, 5, 2},   {1, 6, 1},   {2, 7, 2},   {3, 8, 3},   {4, 9, 3},
                          {5, 10, 3},  {6, 11, 3},  {7, 12, 3},  {8, 13, 3},  {9, 14, 3},
                          {10, 15, 2}, {11, 17, 2}, {12, 16, 2}, {13, 18, 2}, {14, 19, 2},
                          {15, 20, 1}, {16, 21, 1}, {17, 22, 1}, {18, 23, 1}, {19, 24, 1}};
    Probe probe;
    HostSide host;
    attachPlugin(&probe, &host.record);
    ASSERT_EQ(pluginInstance(), &probe);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        probe.last = -1;
        HostEntry entry = host.table.entries[c.position];
        switch (c.arguments) {
            case 1:
                entryAs<Call1>(entry)(41);
                break;
            case 2:
                entryAs<Call2>(entry)(41, -42);
                break;
            case 3:
                entryAs<Call3>(entry)(41, -42, 43);
                break;
        }
        EXPECT_EQ(probe.last, c.op);
        EXPECT_EQ(probe.args[0], 41);
        if (c.arguments > 1) {
            EXPECT_EQ(probe.args[1], -42);
        }
        if (c.arguments > 2) {
            EXPECT_EQ(probe.args[2], 43);
        }
    }
    // The crossing answers differently: 17 is odd (false), 16 even (true).
    EXPECT_FALSE(entryAs<Call2>(host.table.entries[11])(0, 0));
    EXPECT_TRUE(entryAs<Call2>(host.table.entries[12])(0, 0));
}

TEST(PluginBaseDefaults, BarePluginAnswersWithDefaults) {
    PluginBase base;
    HostSide host;
    attachPlugin(&base, &host.record);

    EXPECT_EQ(entryAs<FunctionCountEntry>(host.record.functionCount)(), 1);
    EXPECT_STREQ(entryAs<FunctionNameEntry>(host.record.functionName)(0), "Dummy Plugin");
    EXPECT_STREQ(entryAs<FunctionNameEntry>(host.record.functionName)(-3), "Dummy Plugin");
    EXPECT_EQ(entryAs<FunctionKindEntry>(host.record.functionKind)(9), 0);
    EXPECT_TRUE(entryAs<ExecuteEntry>(host.record.execute)(1));

    // Operation 5 is the only default that answers false.
    const HostEntry* t = host.table.entries;
    EXPECT_FALSE(entryAs<Call2>(t[0])(1, 2));
    for (int position : {3, 4, 5, 6, 7, 8, 9}) EXPECT_TRUE(entryAs<Call3>(t[position])(1, 2, 3));
    for (int position : {10, 11, 12, 14}) EXPECT_TRUE(entryAs<Call2>(t[position])(1, 2));
    for (int position : {15, 16, 17, 18, 19}) EXPECT_TRUE(entryAs<Call1>(t[position])(1));
    entryAs<ReleaseEntry>(host.record.release)(0);
    entryAs<void (*)(A)>(t[1])(1);
    entryAs<void (*)(A, A)>(t[2])(1, 2);
    entryAs<void (*)(A, A)>(t[13])(1, 2);
}

}  // namespace
}  // namespace vantor
