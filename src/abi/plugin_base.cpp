#include "abi/plugin_base.h"

namespace vantor {

bool PluginBase::execute(Arg) { return true; }
void PluginBase::release(Arg) {}
std::int32_t PluginBase::functionCount() { return 1; }
const char* PluginBase::functionName(Arg) { return "Dummy Plugin"; }
std::int32_t PluginBase::functionKind(Arg) { return 0; }

bool PluginBase::hostEvent5(Arg, Arg) { return false; }
void PluginBase::hostEvent6(Arg) {}
void PluginBase::hostEvent7(Arg, Arg) {}
bool PluginBase::hostEvent8(Arg, Arg, Arg) { return true; }
bool PluginBase::hostEvent9(Arg, Arg, Arg) { return true; }
bool PluginBase::hostEvent10(Arg, Arg, Arg) { return true; }
bool PluginBase::hostEvent11(Arg, Arg, Arg) { return true; }
bool PluginBase::hostEvent12(Arg, Arg, Arg) { return true; }
bool PluginBase::hostEvent13(Arg, Arg, Arg) { return true; }
bool PluginBase::hostEvent14(Arg, Arg, Arg) { return true; }
bool PluginBase::hostEvent15(Arg, Arg) { return true; }
bool PluginBase::hostEvent16(Arg, Arg) { return true; }
bool PluginBase::hostEvent17(Arg, Arg) { return true; }
void PluginBase::hostEvent18(Arg, Arg) {}
bool PluginBase::hostEvent19(Arg, Arg) { return true; }
bool PluginBase::hostEvent20(Arg) { return true; }
bool PluginBase::hostEvent21(Arg) { return true; }
bool PluginBase::hostEvent22(Arg) { return true; }
bool PluginBase::hostEvent23(Arg) { return true; }

bool PluginBase::draw(Arg) { return true; }

}  // namespace vantor
