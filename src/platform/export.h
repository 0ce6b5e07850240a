// Marks the library's two entry points for export; everything else stays hidden.
#pragma once

#ifdef _WIN32
#define VANTOR_EXPORT extern "C" __declspec(dllexport)
#else
#define VANTOR_EXPORT extern "C" __attribute__((visibility("default")))
#endif
