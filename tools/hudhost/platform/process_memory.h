// How much of this process's memory is resident, for the soak run.
#pragma once

#include <cstdint>

namespace hudhost {

// Resident bytes of this process now; 0 when the platform cannot tell.
std::uint64_t residentBytes();

}  // namespace hudhost
