// A plug-in of the right version whose initializePlugin fills none of the host's entries: the host
// must not call them.
#include <cstdint>

#include "abi/host_records.h"
#include "platform/export.h"

VANTOR_EXPORT std::int32_t getPluginVersion() { return 4; }

VANTOR_EXPORT void initializePlugin(vantor::HostRecord*) {}
