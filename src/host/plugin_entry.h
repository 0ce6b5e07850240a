// The library's two exported entry points: all a host reaches of it.
#pragma once

#include <cstdint>

#include "abi/host_records.h"
#include "platform/export.h"

// The plug-in interface version this library speaks: 4. May be called at any time.
VANTOR_EXPORT std::int32_t getPluginVersion();

// Builds the one HUD plug-in object, keeps the host's pointers, publishes the object as the single
// instance and writes the 25 forwarding functions into the host's entries. A null record, or an
// object that cannot be allocated, leaves everything as it was.
VANTOR_EXPORT void initializePlugin(vantor::HostRecord* record);
