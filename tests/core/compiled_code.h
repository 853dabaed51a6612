// Tests play compiled code: protected calls through the runtime's handler
// frames, and the slot discipline of a compiled function.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/object.h"
#include "core/string.h"
#include "quillon/entrypoints/exceptions.h"
#include "quillon/entrypoints/objects.h"

namespace ql::test {

// Classes live until the process ends; keeping the test's blocks reachable
// tells the leak checker so.
inline void* KeepForProcess(void* block) {
  static std::vector<void*>& kept = *new std::vector<void*>;
  kept.push_back(block);
  return block;
}

inline RuntimeClass* NewTestClass(RuntimeClass* super, int32_t methods, int32_t interfaces, int32_t events,
                                  int32_t staticMethods, int32_t properties) {
  RuntimeClass* cls = RuntimeNewClass(super, methods, interfaces, events, staticMethods, properties);
  KeepForProcess(cls);
  return cls;
}

inline RuntimeMethodEntry* NewTestVtable(int32_t count) {
  return static_cast<RuntimeMethodEntry*>(KeepForProcess(RuntimeNewVtable(count)));
}

// What compiled code gives a control class: the `_PaneChild` interface, in
// the entry after its superclass's interfaces.
struct PaneChildMethods {
  void* layout;     // _Layout
  void* setWindow;  // _SetWindow
  void* index;      // _Index
};
inline void GivePaneChildInterface(RuntimeClass* cls, const std::string& className, const PaneChildMethods& m) {
  const auto text = [](const std::string& t) { return NewStringFromCText(t.c_str()).release(); };
  RuntimeInterfaceEntry& paneChild = cls->Interfaces()[cls->super->interfaceCount];
  const String ifaceName = NewStringFromCText("_PaneChild");
  paneChild.iface = RuntimeLookupClass(ifaceName.get());
  paneChild.methodCount = 3;
  paneChild.methods = NewTestVtable(3);
  paneChild.methods[0] = {m.layout, text("_Layout%%o<" + className + ">")};
  paneChild.methods[1] = {m.setWindow, text("_SetWindow%%o<" + className + ">o<Window>")};
  paneChild.methods[2] = {m.index, text("_Index%i%o<" + className + ">")};
}

// One protected call site: true when an exception was delivered to it.
template <class F>
bool ProtectedCall(RuntimeObject** slot, F&& call) {
  RuntimeHandlerFrame frame;
  RuntimePushHandlerFrame(&frame, slot);
  std::forward<F>(call)();
  return RuntimePopHandlerFrame(&frame);
}

// Takes whatever reaches it while it is the innermost frame; its slot's
// reference is released at the end of the scope.
class CatchScope {
 public:
  CatchScope() { RuntimePushHandlerFrame(&frame_, &slot_); }
  ~CatchScope() {
    if (open_) RuntimePopHandlerFrame(&frame_);
    RuntimeUnlockObject(slot_);
  }
  CatchScope(const CatchScope&) = delete;
  CatchScope& operator=(const CatchScope&) = delete;

  // Pops the frame; true when something was raised into it.
  bool Close() {
    open_ = false;
    return RuntimePopHandlerFrame(&frame_);
  }
  RuntimeObject* caught() const { return slot_; }
  const char* CaughtClassName() const;

 private:
  RuntimeHandlerFrame frame_{};
  RuntimeObject* slot_ = nullptr;
  bool open_ = true;
};

inline const char* CatchScope::CaughtClassName() const {
  return slot_ && slot_->cls && slot_->cls->name ? slot_->cls->name->text + 1 : "";
}

}  // namespace ql::test
