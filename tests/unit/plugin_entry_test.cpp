// The host bridge through the built plug-in's real exports, and the entry mapping with a probe.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <type_traits>

#include "fake_host.h"
#include "plugin_seam.h"

namespace vantor {
namespace {

// The built plug-in as the host loads it. Never closed: like the host, the process keeps the
// plug-in and its one object until it ends.
class Exports : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(handle, nullptr) << dlerror(); }
    template <class F>
    F symbol(const char* name) {
        return reinterpret_cast<F>(dlsym(handle, name));
    }
    void* handle = dlopen(VANTOR_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
};

using test::FakeHost;

TEST_F(Exports, VersionIsFourBeforeAndAfterInitialize) {
    auto version = symbol<std::int32_t (*)()>("getPluginVersion");
    auto initialize = symbol<void (*)(HostRecord*)>("initializePlugin");
    ASSERT_NE(version, nullptr);
    ASSERT_NE(initialize, nullptr);

    EXPECT_EQ(version(), 4);
    FakeHost host;
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

TEST_F(Exports, NothingElseIsVisible) {
    for (const char* hidden : {"_ZN6vantor12attachPluginEPNS_10PluginBaseEPNS_10HostRecordE",
                               "_ZN6vantor14pluginInstanceEv"}) {
        EXPECT_EQ(dlsym(handle, hidden), nullptr) << hidden;
    }
}

TEST_F(Exports, NullRecordIsIgnored) {
    auto initialize = symbol<void (*)(HostRecord*)>("initializePlugin");
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
    void release(Arg a) override { note(1, a); }
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

// Calls `entry` through its real signature, R (*)(A...) with N arguments, passing 41, -42 and 43
// as far as it takes them; its answer as 0 or 1, or -1 for an operation that answers nothing.
template <class R, int N>
int callAs(HostEntry entry) {
    using F = std::conditional_t<N == 1, R (*)(A),
                                 std::conditional_t<N == 2, R (*)(A, A), R (*)(A, A, A)>>;
    const F function = entryAs<F>(entry);
    auto call = [function] {
        if constexpr (N == 1) {
            return function(41);
        } else if constexpr (N == 2) {
            return function(41, -42);
        } else {
            return function(41, -42, 43);
        }
    };
    if constexpr (std::is_void_v<R>) {
        call();
        return -1;
    } else {
        return call() ? 1 : 0;
    }
}

TEST(CallbackTable, EachEntryReachesItsOperationWithItsArguments) {
    FakeHost host;
    const struct {
        const HostEntry* entry;
        int op, arguments;
        int (*call)(HostEntry);
    } cases[] = {
        {&host.record.release, 1, 1, callAs<void, 1>},
        {&host.table.entries[0], 5, 2, callAs<bool, 2>},
        {&host.table.entries[1], 6, 1, callAs<void, 1>},
        {&host.table.entries[2], 7, 2, callAs<void, 2>},
        {&host.table.entries[3], 8, 3, callAs<bool, 3>},
        {&host.table.entries[4], 9, 3, callAs<bool, 3>},
        {&host.table.entries[5], 10, 3, callAs<bool, 3>},
        {&host.table.entries[6], 11, 3, callAs<bool, 3>},
        {&host.table.entries[7], 12, 3, callAs<bool, 3>},
        {&host.table.entries[8], 13, 3, callAs<bool, 3>},
        {&host.table.entries[9], 14, 3, callAs<bool, 3>},
        {&host.table.entries[10], 15, 2, callAs<bool, 2>},
        {&host.table.entries[11], 17, 2, callAs<bool, 2>},  // the host's table crosses 16, 17
        {&host.table.entries[12], 16, 2, callAs<bool, 2>},
        {&host.table.entries[13], 18, 2, callAs<void, 2>},
        {&host.table.entries[14], 19, 2, callAs<bool, 2>},
        {&host.table.entries[15], 20, 1, callAs<bool, 1>},
        {&host.table.entries[16], 21, 1, callAs<bool, 1>},
        {&host.table.entries[17], 22, 1, callAs<bool, 1>},
        {&host.table.entries[18], 23, 1, callAs<bool, 1>},
        {&host.table.entries[19], 24, 1, callAs<bool, 1>},
    };
    Probe probe;
    attachPlugin(&probe, &host.record);
    ASSERT_EQ(pluginInstance(), &probe);

    for (const auto& c : cases) {
        SCOPED_TRACE(c.op);
        probe.last = -1;
        std::fill(std::begin(probe.args), std::end(probe.args), 0);
        const int answer = c.call(*c.entry);
        EXPECT_EQ(probe.last, c.op);
        // The probe answers true for even operations; the answer must come back unchanged.
        if (answer >= 0) {
            EXPECT_EQ(answer == 1, c.op % 2 == 0);
        }
        const A expected[] = {41, -42, 43};
        for (int i = 0; i < 3; ++i) EXPECT_EQ(probe.args[i], i < c.arguments ? expected[i] : 0);
    }
}

TEST(PluginBaseDefaults, BarePluginAnswersWithDefaults) {
    PluginBase base;
    FakeHost host;
    attachPlugin(&base, &host.record);

    EXPECT_EQ(entryAs<FunctionCountEntry>(host.record.functionCount)(), 1);
    EXPECT_STREQ(entryAs<FunctionNameEntry>(host.record.functionName)(0), "Dummy Plugin");
    EXPECT_STREQ(entryAs<FunctionNameEntry>(host.record.functionName)(-3), "Dummy Plugin");
    EXPECT_EQ(entryAs<FunctionKindEntry>(host.record.functionKind)(9), 0);
    EXPECT_TRUE(entryAs<ExecuteEntry>(host.record.execute)(kSwitchCommand));

    // Operation 5 is the only default that answers false; the probe shows the void ones reached.
    const HostEntry* t = host.table.entries;
    EXPECT_EQ((callAs<bool, 2>(t[0])), 0);
    for (int position : {3, 4, 5, 6, 7, 8, 9}) EXPECT_EQ((callAs<bool, 3>(t[position])), 1);
    for (int position : {10, 11, 12, 14}) EXPECT_EQ((callAs<bool, 2>(t[position])), 1);
    for (int position : {15, 16, 17, 18, 19}) EXPECT_EQ((callAs<bool, 1>(t[position])), 1);
}

}  // namespace
}  // namespace vantor
