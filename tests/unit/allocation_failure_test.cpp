// initializePlugin when the plug-in object cannot be allocated: no exception reaches the host and
// its entries stay as they were.
#include <gtest/gtest.h>

#include <new>

#include "abi/host_records.h"
#include "host/plugin_entry.h"
#include "plugin_seam.h"

namespace {
bool g_refuseNothrowNew = false;
}  // namespace

// The plug-in allocates its one object with the nothrow form; this binary can make it fail.
// Otherwise the ordinary operator new serves, so that what the standard library allocates this
// way (stable_sort's buffer) meets the operator delete that pairs with it under ASan.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (g_refuseNothrowNew) return nullptr;
    try {
        return ::operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

namespace vantor {
namespace {

void hostEntry() {}

TEST(InitializePlugin, AnObjectThatCannotBeAllocatedLeavesTheHostsEntries) {
    HostCallbackTable table{};
    for (HostEntry& entry : table.entries) entry = &hostEntry;
    HostRecord record{};
    record.table = &table;
    record.execute = &hostEntry;
    PluginBase* before = pluginInstance();

    g_refuseNothrowNew = true;
    initializePlugin(&record);
    g_refuseNothrowNew = false;

    EXPECT_EQ(pluginInstance(), before);
    EXPECT_EQ(record.execute, &hostEntry);
    EXPECT_EQ(record.functionCount, nullptr);
    for (HostEntry entry : table.entries) EXPECT_EQ(entry, &hostEntry);
}

}  // namespace
}  // namespace vantor
