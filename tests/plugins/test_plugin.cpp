// The tests' plug-in library: an ordinary DLL that registers three classes
// through the plug-in interface, the way a control plug-in would.
//
//   PluginTestLine  (super PluginTestBase): a control, 64 by 4, that paints
//                   nothing; registered first, before its superclass
//   PluginTestBase  (super RectControl): Count (Integer, 7 in a new object,
//                   through the standard accessors) and LookupOk (Boolean:
//                   the lookup callback behaved)
//   PluginTestOrphan (super NoSuchClass): laid out without a superclass
#include <stdint.h>

#include "quillon/plugin.h"

namespace {

uint32_t g_baseFields = 0;  // filled by the runtime
uint32_t g_lineFields = 0;
bool g_lookupOk = false;

struct BaseFields {
  int32_t count;
};

BaseFields* FieldsOf(RuntimeObject* o) {
  return reinterpret_cast<BaseFields*>(reinterpret_cast<char*>(o) + g_baseFields);
}

void InitialiseBase(RuntimeObject* o) { FieldsOf(o)->count = 7; }

bool LookupOkGetter(RuntimeObject*, uint32_t) { return g_lookupOk; }

void PaintNothing(RuntimeObject*, void*, const QuillonRect*) {}

}  // namespace

extern "C" __declspec(dllexport) void QUILPluginMain(QuillonLookupEntryPoint lookup) {
  void* registerByName = lookup("RuntimeRegisterPluginClass");
  // Link names compare without regard to case; unknown names give null.
  g_lookupOk = registerByName && lookup("runtimeREGISTERpluginclass") == registerByName &&
               lookup("NoSuchEntryPoint") == nullptr && lookup("intGetter") != nullptr;
  auto registerClass = reinterpret_cast<QuillonRegisterPluginClass>(registerByName);
  if (!registerClass) return;

  static const QuillonPluginControl kLineControl = {64, 4, PaintNothing};
  QuillonPluginClass line = {};
  line.version = QUILLON_PLUGIN_VERSION;
  line.name = "PluginTestLine";
  line.superName = "PluginTestBase";
  line.fieldBytes = 4;
  line.fieldOffset = &g_lineFields;
  line.control = &kLineControl;
  registerClass(&line);

  const QuillonPluginProperty properties[] = {
      {"Count", "Integer", lookup("intGetter"), lookup("intSetter"), nullptr, nullptr, 0, QUILLON_PARAM_IN_FIELDS},
      {"LookupOk", "Boolean", reinterpret_cast<void*>(LookupOkGetter), nullptr, nullptr, nullptr, 0, 0},
  };
  QuillonPluginClass base = {};
  base.version = QUILLON_PLUGIN_VERSION;
  base.name = "PluginTestBase";
  base.superName = "RectControl";
  base.fieldBytes = sizeof(BaseFields);
  base.fieldOffset = &g_baseFields;
  base.initHook = InitialiseBase;
  base.properties = properties;
  base.propertyCount = 2;
  registerClass(&base);

  QuillonPluginClass orphan = {};
  orphan.version = QUILLON_PLUGIN_VERSION;
  orphan.name = "PluginTestOrphan";
  orphan.superName = "NoSuchClass";
  registerClass(&orphan);
}
