// The library's two exported entry points and the single plug-in instance behind them.
#pragma once

#include <cstdint>

#include "abi/host_records.h"
#include "abi/plugin_base.h"
#include "platform/export.h"

// The plug-in interface version this library speaks: 4. May be called at any time.
VANTOR_EXPORT std::int32_t getPluginVersion();

// Builds the one HUD plug-in object, keeps the host's pointers, publishes the object as the single
// instance and writes the 25 forwarding functions into the host's entries. A null record, or an
// object that cannot be allocated, leaves everything as it was.
VANTOR_EXPORT void initializePlugin(vantor::HostRecord* record);

namespace vantor {

// The single instance the forwarding entries call; null before initializePlugin.
PluginBase* pluginInstance();

// Publishes `plugin` as the single instance, then fills the record's five entries and its
// callback table's twenty. initializePlugin uses it after building the HUD; tests use it to put a
// probe plug-in behind a host record. `record` must not be null.
void attachPlugin(PluginBase* plugin, HostRecord* record);

}  // namespace vantor
