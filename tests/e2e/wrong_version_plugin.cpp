// A plug-in of another interface version: the host must refuse it before initializePlugin.
#include <cstdint>

#include "abi/host_records.h"
#include "platform/export.h"

VANTOR_EXPORT std::int32_t getPluginVersion() { return 3; }

VANTOR_EXPORT void initializePlugin(vantor::HostRecord*) {}
