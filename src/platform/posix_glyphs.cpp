// PLACEHOLDER until the FreeType glyph builder lands: leaves the lists empty.
#include "platform/platform.h"

namespace vantor::platform {

void buildGlyphLists(DeviceContext, const char*, int, unsigned int) {}

}  // namespace vantor::platform
