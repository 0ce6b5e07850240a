// Linux side of the platform seam: clocks, time zone and the current GL context.
#include <EGL/egl.h>
#include <GL/glx.h>

#include <ctime>

#include "platform/platform.h"

namespace vantor::platform {

std::uint32_t tickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);  // wraps like the Windows tick counter
}

std::int64_t calendarTime() { return static_cast<std::int64_t>(std::time(nullptr)); }

void refreshTimeZone() { tzset(); }

bool toLocalTime(std::int64_t seconds, std::tm& out) {
    const auto t = static_cast<std::time_t>(seconds);
    return localtime_r(&t, &out) != nullptr;
}

DeviceContext currentDeviceContext() {
    // The HUD only needs a non-null handle while some GL context is current, whichever binding
    // made it so: EGL offscreen, or GLX in a window.
    if (EGLContext egl = eglGetCurrentContext(); egl != EGL_NO_CONTEXT) return egl;
    return glXGetCurrentContext();
}

}  // namespace vantor::platform
