// What tests reach behind the library's two exports, defined beside them in
// src/host/plugin_entry.cpp: the single instance, and the forwarding entries for any plug-in.
#pragma once

#include "abi/host_records.h"
#include "abi/plugin_base.h"

namespace vantor {

// The single instance the forwarding entries call; null before initializePlugin.
PluginBase* pluginInstance();

// Publishes `plugin` as the single instance, then fills the record's five entries and its
// callback table's twenty, as initializePlugin does with the HUD: a probe plug-in behind a host
// record. `record` must not be null.
void attachPlugin(PluginBase* plugin, HostRecord* record);

}  // namespace vantor
