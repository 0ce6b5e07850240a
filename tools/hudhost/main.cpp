// hudhost: a stand-in for the modeller that loads the HUD plug-in exactly as the host does.
#include <cstdio>
#include <string>

#include "plugin_loader.h"

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : hudhost::defaultPluginPath();
    hudhost::PluginExports exports;
    std::string error;
    if (!hudhost::loadPlugin(path, exports, error)) {
        std::fprintf(stderr, "hudhost: %s\n", error.c_str());
        return 1;
    }
    const int version = exports.getPluginVersion();
    std::printf("plug-in version %d\n", version);
    if (version != 4) {
        std::fprintf(stderr, "hudhost: plug-in interface version %d, expected 4\n", version);
        return 1;
    }

    vantor::HostCallbackTable table{};
    vantor::HostRecord record{};
    record.table = &table;
    exports.initializePlugin(&record);

    const int count = vantor::entryAs<vantor::FunctionCountEntry>(record.functionCount)();
    for (int n = 0; n < count; ++n) {
        std::printf("function %d: kind %d, \"%s\"\n", n,
                    vantor::entryAs<vantor::FunctionKindEntry>(record.functionKind)(n),
                    vantor::entryAs<vantor::FunctionNameEntry>(record.functionName)(n));
    }
    return 0;
}
