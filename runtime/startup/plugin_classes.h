// Plug-in classes: the descriptions plug-in libraries hand to
// "RuntimeRegisterPluginClass" (quillon/plugin.h), kept until the
// installation pass completes them into plug-in class definitions, each
// superclass before its subclasses, and what control classes ask of the
// control framework.
#pragma once

#include <stdint.h>

#include "quillon/abi.h"
#include "quillon/plugin.h"

// The registration entry point plug-ins find by its link name.
extern "C" int32_t RuntimeRegisterPluginClass(const QuillonPluginClass* description);

namespace ql {

// Turns every class registered since the last call into a definition that
// class lookup finds: the superclass first (an intrinsic class, or a plug-in
// class completed first), a superclass that cannot be found (or a cycle)
// giving a root class; fills the classes' field offsets.
void CompletePluginClasses();

// What the control framework does for plug-in control classes, installed
// by the window layer when it initialises: a new object of a control class
// gets the record's default size (the most derived record's), and the
// class's CreatePane builds the pane that calls the record's paint hook.
struct PluginControlHooks {
  RuntimeObjectHook giveDefaultSize = nullptr;
  RuntimeObjectHook createPane = nullptr;
};
void SetPluginControlHooks(const PluginControlHooks& hooks);

// The control record of the class or of its nearest ancestor that a plug-in
// registered as a control class; nil when there is none. The control
// framework asks it for the default size and calls its paint hook.
const QuillonPluginControl* PluginControlOf(const RuntimeClass* cls);

}  // namespace ql
