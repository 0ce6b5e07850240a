#include "host/plugin_entry.h"

#include <new>

#include "hud/hud_plugin.h"

namespace vantor {
namespace {

PluginBase* g_instance = nullptr;

// A plain function that forwards its arguments to operation `Op` of the single instance.
template <auto Op>
struct Forward;

template <class R, class... A, R (PluginBase::*Op)(A...)>
struct Forward<Op> {
    static R call(A... args) { return (g_instance->*Op)(args...); }
};

template <auto Op>
HostEntry forwardTo() {
    return reinterpret_cast<HostEntry>(&Forward<Op>::call);
}

}  // namespace

// The instance and the entries for any plug-in, which the host never asks for: declared for tests
// alone, in their support kit (plugin_seam.h).
PluginBase* pluginInstance() { return g_instance; }

void attachPlugin(PluginBase* plugin, HostRecord* record) {
    g_instance = plugin;  // published before any entry can reach it

    record->execute = forwardTo<&PluginBase::execute>();
    record->release = forwardTo<&PluginBase::release>();
    record->functionCount = forwardTo<&PluginBase::functionCount>();
    record->functionName = forwardTo<&PluginBase::functionName>();
    record->functionKind = forwardTo<&PluginBase::functionKind>();

    HostEntry* table = record->table->entries;
    table[0] = forwardTo<&PluginBase::hostEvent5>();
    table[1] = forwardTo<&PluginBase::hostEvent6>();
    table[2] = forwardTo<&PluginBase::hostEvent7>();
    table[3] = forwardTo<&PluginBase::hostEvent8>();
    table[4] = forwardTo<&PluginBase::hostEvent9>();
    table[5] = forwardTo<&PluginBase::hostEvent10>();
    table[6] = forwardTo<&PluginBase::hostEvent11>();
    table[7] = forwardTo<&PluginBase::hostEvent12>();
    table[8] = forwardTo<&PluginBase::hostEvent13>();
    table[9] = forwardTo<&PluginBase::hostEvent14>();
    table[10] = forwardTo<&PluginBase::hostEvent15>();
    table[11] = forwardTo<&PluginBase::hostEvent17>();  // the host's table crosses 16 and 17
    table[12] = forwardTo<&PluginBase::hostEvent16>();
    table[13] = forwardTo<&PluginBase::hostEvent18>();
    table[14] = forwardTo<&PluginBase::hostEvent19>();
    table[15] = forwardTo<&PluginBase::hostEvent20>();
    table[16] = forwardTo<&PluginBase::hostEvent21>();
    table[17] = forwardTo<&PluginBase::hostEvent22>();
    table[18] = forwardTo<&PluginBase::hostEvent23>();
    table[kDrawPosition] = forwardTo<&PluginBase::draw>();
}

}  // namespace vantor

std::int32_t getPluginVersion() { return vantor::kPluginVersion; }

void initializePlugin(vantor::HostRecord* record) {
    if (record == nullptr || record->table == nullptr) return;

    // No exception may cross into the host; on failure its entries stay as they were.
    auto* hud = new (std::nothrow) vantor::HudPlugin();
    if (hud == nullptr) return;

    hud->attachHost(record->scene, record->services);
    vantor::attachPlugin(hud, record);
}
