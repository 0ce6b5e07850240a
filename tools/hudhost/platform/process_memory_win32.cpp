#include <windows.h>
// psapi.h needs windows.h first.
#include <psapi.h>

#include "process_memory.h"

namespace hudhost {

std::uint64_t residentBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return counters.WorkingSetSize;
}

}  // namespace hudhost
