// The plug-in interface the host drives through its callback entries.
//
// The 25 virtual operations are declared in the host's slot order: operation n is the n-th entry
// of the table of virtual operations. Every operation has a default answer, so a bare PluginBase
// is a complete plug-in that does nothing. There is no virtual destructor on purpose: the one
// plug-in object lives until the process ends and is never destroyed through this class.
#pragma once

#include <cstdint>

namespace vantor {

class PluginBase {
public:
    using Arg = std::int32_t;

    // Catalogue and commands (operations 0 to 4).
    virtual bool execute(Arg function);               // 0: true
    virtual void release(Arg value);                  // 1: nothing
    virtual std::int32_t functionCount();             // 2: 1
    virtual const char* functionName(Arg function);   // 3: "Dummy Plugin"
    virtual std::int32_t functionKind(Arg function);  // 4: 0

    // Host events whose meaning lies with the host (operations 5 to 23).
    virtual bool hostEvent5(Arg, Arg);  // the only default that answers false
    virtual void hostEvent6(Arg);
    virtual void hostEvent7(Arg, Arg);
    virtual bool hostEvent8(Arg, Arg, Arg);
    virtual bool hostEvent9(Arg, Arg, Arg);
    virtual bool hostEvent10(Arg, Arg, Arg);
    virtual bool hostEvent11(Arg, Arg, Arg);
    virtual bool hostEvent12(Arg, Arg, Arg);
    virtual bool hostEvent13(Arg, Arg, Arg);
    virtual bool hostEvent14(Arg, Arg, Arg);
    virtual bool hostEvent15(Arg, Arg);
    virtual bool hostEvent16(Arg, Arg);
    virtual bool hostEvent17(Arg, Arg);
    virtual void hostEvent18(Arg, Arg);
    virtual bool hostEvent19(Arg, Arg);
    virtual bool hostEvent20(Arg);
    virtual bool hostEvent21(Arg);
    virtual bool hostEvent22(Arg);
    virtual bool hostEvent23(Arg);

    // Drawing pass (operation 24); the host calls it while it renders.
    virtual bool draw(Arg flag);  // true

    PluginBase() = default;
    PluginBase(const PluginBase&) = delete;
    PluginBase& operator=(const PluginBase&) = delete;
};

}  // namespace vantor
