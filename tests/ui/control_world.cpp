#include "control_world.h"

#include <array>
#include <map>
#include <utility>

#include "core/compiled_code.h"
#include "core/entrypoint_table.h"
#include "core/object_definition.h"
#include "core/string.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/windows.h"
#include "ui/control_object.h"

namespace ql::test {
namespace {

constexpr int32_t kMaxSlots = 40;

std::map<std::string, KindDesign>& Designs() {
  static auto& designs = *new std::map<std::string, KindDesign>;
  return designs;
}
std::map<std::string, KindWindow>& Windows() {
  static auto& windows = *new std::map<std::string, KindWindow>;
  return windows;
}
std::map<std::string, RuntimeClass*>& Classes() {
  static auto& classes = *new std::map<std::string, RuntimeClass*>;
  return classes;
}
std::map<std::pair<std::string, std::string>, EventAction>& Actions() {
  static auto& actions = *new std::map<std::pair<std::string, std::string>, EventAction>;
  return actions;
}
RuntimeObject* g_painting = nullptr;

std::string ClassName(const RuntimeObject* o) { return Utf8(o->cls->name); }
RuntimeString* S(const std::string& text) { return Make(text).release(); }

std::string EventName(const RuntimeObject* o, int32_t slot);

bool Fire(RuntimeObject* o, int32_t slot, const std::string& suffix = "") {
  const std::string event = EventName(o, slot);
  UiTrace().push_back(ClassName(o) + " " + event + suffix);
  auto it = Actions().find({ClassName(o), event});
  return it != Actions().end() && it->second(o);
}

// One handler per slot: it names the event from the class's table. Extra
// arguments of an event are ignored (the C calling convention allows it).
template <int32_t N>
bool OnSlot(RuntimeObject* o) {
  return Fire(o, N);
}
template <int32_t... N>
std::array<void*, sizeof...(N)> MakeHandlers(std::integer_sequence<int32_t, N...>) {
  return {EntryAddress(&OnSlot<N>)...};
}
const std::array<void*, kMaxSlots> kHandlers = MakeHandlers(std::make_integer_sequence<int32_t, kMaxSlots>());

template <int32_t N>
bool OnKey(RuntimeObject* o, RuntimeString* key) {
  return Fire(o, N, " " + std::to_string(key ? static_cast<uint8_t>(StringText(key)[0]) : 0));
}
template <int32_t N>
void OnPaint(RuntimeObject* o, RuntimeObject* g) {
  g_painting = g;
  Fire(o, N);
  g_painting = nullptr;
}
template <int32_t... N>
std::array<void*, sizeof...(N)> MakeKeyHandlers(std::integer_sequence<int32_t, N...>) {
  return {EntryAddress(&OnKey<N>)...};
}
template <int32_t... N>
std::array<void*, sizeof...(N)> MakePaintHandlers(std::integer_sequence<int32_t, N...>) {
  return {EntryAddress(&OnPaint<N>)...};
}
const std::array<void*, kMaxSlots> kKeyHandlers = MakeKeyHandlers(std::make_integer_sequence<int32_t, kMaxSlots>());
const std::array<void*, kMaxSlots> kPaintHandlers =
    MakePaintHandlers(std::make_integer_sequence<int32_t, kMaxSlots>());

}  // namespace

// Event names live in the intrinsic definitions' declarations (a class's
// event table names only the events it implements).
int32_t EventSlotOf(const RuntimeClass* cls, const std::string& name) {
  for (const RuntimeClass* c = cls; c; c = c->super) {
    const std::string className = Utf8(c->name);
    ObjectDefinition* d = FindRegisteredDefinition(className.data(), className.size());
    if (!d) d = FindPluginDefinition(className.data(), className.size());
    for (; d; d = d->super)
      for (const EventDeclarationRecord& e : d->eventDeclarations)
        if (NamesEqual(StringText(e.name), name.c_str())) return e.slot;
  }
  return -1;
}

namespace {

const RuntimePropertyEntry* FindProperty(RuntimeClass* cls, const std::string& name, int32_t* index) {
  for (int32_t i = cls->propertyCount; i-- > 0;) {  // the most derived of equal names
    const std::string sig = Utf8(cls->properties[i].signature);
    if (NamesEqual(sig.substr(0, sig.find('%')).c_str(), name.c_str())) {
      if (index) *index = i;
      return &cls->properties[i];
    }
  }
  return nullptr;
}

class Values {
 public:
  void Add(RuntimeClass* cls, const std::string& name, const DesignValue& v) {
    const int32_t index = PropertyIndex(cls, name);
    EXPECT_GE(index, 0) << ClassName(cls) << "." << name;
    if (index < 0) return;
    bytes_ += char(index >> 8);
    bytes_ += char(index & 0xFF);
    if (const bool* b = std::get_if<bool>(&v)) {
      bytes_ += char(*b ? 1 : 0);
    } else if (const int32_t* i = std::get_if<int32_t>(&v)) {
      for (int shift = 24; shift >= 0; shift -= 8) bytes_ += char(uint32_t(*i) >> shift);
    } else if (const std::string* s = std::get_if<std::string>(&v)) {
      for (int shift = 24; shift >= 0; shift -= 8) bytes_ += char(uint32_t(s->size()) >> shift);
      bytes_ += *s;
    } else if (const Rgb* c = std::get_if<Rgb>(&v)) {
      for (int shift = 16; shift >= 0; shift -= 8) bytes_ += char(c->value >> shift);
    }
  }
  String Blob() const { return NewStringFromBytes(bytes_.data(), int32_t(bytes_.size()), QL_ENCODING_UNDEFINED); }

 private:
  static std::string ClassName(RuntimeClass* cls) { return Utf8(cls->name); }
  std::string bytes_;
};

bool Has(const PropertyValues& values, const char* name) {
  for (const auto& v : values)
    if (NamesEqual(v.first.c_str(), name)) return true;
  return false;
}

void ControlLayout(RuntimeObject* c) {
  const KindDesign& d = Designs()[ClassName(c)];
  Values v;
  v.Add(c->cls, "Name", d.className);
  if (d.tabPage) v.Add(c->cls, "TabPanelIndex", d.tabPage);
  if (!Has(d.values, "Visible")) v.Add(c->cls, "Visible", true);
  v.Add(c->cls, "Left", int32_t{d.bounds.left});
  v.Add(c->cls, "Top", int32_t{d.bounds.top});
  v.Add(c->cls, "Width", int32_t{d.bounds.right - d.bounds.left});
  v.Add(c->cls, "Height", int32_t{d.bounds.bottom - d.bounds.top});
  if (!d.initialParent.empty()) v.Add(c->cls, "InitialParent", d.initialParent);
  for (const auto& [name, value] : d.values) v.Add(c->cls, name, value);
  if (!Has(d.values, "Enabled")) v.Add(c->cls, "Enabled", true);
  String blob = v.Blob();
  RuntimeMassPropertySetter(c, blob.get());
}
void ControlSetWindow(RuntimeObject*, RuntimeObject*) {}
int32_t ControlIndex(RuntimeObject* c) { return ui::AsControl(c)->index; }

RuntimeClass* ControlClassOf(const KindDesign& d) {
  Designs()[d.className] = d;
  RuntimeClass*& cls = Classes()[d.kind + "/" + d.className];  // a name may come back on another kind
  if (cls) return cls;
  String superName = Make(d.kind);
  RuntimeClass* super = RuntimeLookupClass(superName.get());
  EXPECT_NE(super, nullptr) << d.kind;
  if (!super) return nullptr;
  cls = NewTestClass(super, super->methodCount, super->interfaceCount + 1, super->eventCount,
                     super->staticMethodCount, super->propertyCount);
  cls->name = S(d.className);
  cls->instanceSize = super->instanceSize;
  for (const std::string& event : d.events) {
    const int32_t slot = EventSlotOf(cls, event);
    EXPECT_GE(slot, 0) << d.kind << "." << event;
    if (slot < 0 || slot >= kMaxSlots) continue;
    void* handler = event == "KeyDown" ? kKeyHandlers[slot] : event == "Paint" ? kPaintHandlers[slot] : kHandlers[slot];
    cls->events[slot].handler = handler;
  }
  GivePaneChildInterface(cls, d.className,
                         {EntryAddress(ControlLayout), EntryAddress(ControlSetWindow), EntryAddress(ControlIndex)});
  return cls;
}

void WindowLayout(RuntimeObject* w) {
  const KindWindow& d = Windows()[ClassName(w)];
  Values v;
  v.Add(w->cls, "Frame", int32_t{0});
  v.Add(w->cls, "Placement", int32_t{1});
  v.Add(w->cls, "Left", int32_t{d.bounds.left});
  v.Add(w->cls, "Top", int32_t{d.bounds.top});
  v.Add(w->cls, "Width", int32_t{d.bounds.right - d.bounds.left});
  v.Add(w->cls, "Height", int32_t{d.bounds.bottom - d.bounds.top});
  v.Add(w->cls, "Title", d.title);
  v.Add(w->cls, "Visible", true);
  String blob = v.Blob();
  RuntimeMassPropertySetter(w, blob.get());
}

void WindowCreateControls(RuntimeObject* w) {
  for (const KindDesign& d : Windows()[ClassName(w)].controls) {
    RuntimeObject* c = WindowAllocateObject(w, ControlClassOf(d));
    if (!c) continue;
    ui::AsControl(c)->index = -1;
    RectControlDefaultConstructor(c);
    WindowAddControl(w, c);
    RuntimeUnlockObject(c);
  }
}

RuntimeClass* WindowClassOf(const KindWindow& d) {
  Windows()[d.className] = d;
  for (const KindDesign& c : d.controls) ControlClassOf(c);
  RuntimeClass*& cls = Classes()[d.className];
  if (cls) return cls;
  String superName = Make("Window");
  RuntimeClass* super = RuntimeLookupClass(superName.get());
  cls = NewTestClass(super, super->methodCount, super->interfaceCount, super->eventCount, super->staticMethodCount,
                     super->propertyCount);
  cls->name = S(d.className);
  cls->instanceSize = super->instanceSize;
  cls->events[0].handler = EntryAddress(WindowLayout);
  cls->events[1].handler = EntryAddress(WindowCreateControls);
  return cls;
}

std::string EventName(const RuntimeObject* o, int32_t slot) {
  for (const RuntimeClass* c = o->cls; c; c = c->super) {
    const std::string className = Utf8(c->name);
    ObjectDefinition* d = FindRegisteredDefinition(className.data(), className.size());
    if (!d) d = FindPluginDefinition(className.data(), className.size());
    for (; d; d = d->super)
      for (const EventDeclarationRecord& e : d->eventDeclarations)
        if (e.slot == slot) return Utf8(e.name);
  }
  return "?";
}

}  // namespace

RuntimeObject* OpenKindWindow(const KindWindow& design) {
  RuntimeObject* w = RuntimeNewObject(WindowClassOf(design));
  WindowDefaultConstructor(w);
  return w;
}

RuntimeObject* Kind(RuntimeObject* window, const std::string& className) {
  String key = Make(className);
  return RuntimeControlFetch(window, key.get());
}

void OnEvent(const std::string& className, const std::string& event, EventAction action) {
  Actions()[{className, event}] = std::move(action);
}
void ClearEventActions() { Actions().clear(); }
RuntimeObject* PaintingGraphics() { return g_painting; }

int32_t PropertyIndex(RuntimeClass* cls, const std::string& name) {
  int32_t index = -1;
  FindProperty(cls, name, &index);
  return index;
}

void SetProperty(RuntimeObject* o, const std::string& name, DesignValue value) {
  const RuntimePropertyEntry* p = FindProperty(o->cls, name, nullptr);
  ASSERT_NE(p, nullptr) << name;
  ASSERT_NE(p->setter, nullptr) << name;
  if (const bool* b = std::get_if<bool>(&value)) {
    reinterpret_cast<void (*)(RuntimeObject*, uint32_t, bool)>(
        reinterpret_cast<uintptr_t>(p->setter) == 1 ? EntryAddress(boolSetter) : p->setter)(o, p->param, *b);
  } else if (const int32_t* i = std::get_if<int32_t>(&value)) {
    reinterpret_cast<void (*)(RuntimeObject*, uint32_t, int32_t)>(
        reinterpret_cast<uintptr_t>(p->setter) == 1 ? EntryAddress(intSetter) : p->setter)(o, p->param, *i);
  } else if (const Rgb* c = std::get_if<Rgb>(&value)) {
    reinterpret_cast<void (*)(RuntimeObject*, uint32_t, int32_t)>(
        reinterpret_cast<uintptr_t>(p->setter) == 1 ? EntryAddress(intSetter) : p->setter)(o, p->param,
                                                                                            int32_t(c->value));
  } else {
    String s = Make(std::get<std::string>(value));
    reinterpret_cast<void (*)(RuntimeObject*, uint32_t, RuntimeString*)>(
        reinterpret_cast<uintptr_t>(p->setter) == 1 ? EntryAddress(stringSetter) : p->setter)(o, p->param, s.get());
  }
}

bool GetBool(RuntimeObject* o, const std::string& name) {
  const RuntimePropertyEntry* p = FindProperty(o->cls, name, nullptr);
  EXPECT_TRUE(p && p->getter) << name;
  if (!p || !p->getter) return false;
  void* f = reinterpret_cast<uintptr_t>(p->getter) == 1 ? EntryAddress(boolGetter) : p->getter;
  return reinterpret_cast<bool (*)(RuntimeObject*, uint32_t)>(f)(o, p->param);
}

int32_t GetInt(RuntimeObject* o, const std::string& name) {
  const RuntimePropertyEntry* p = FindProperty(o->cls, name, nullptr);
  EXPECT_TRUE(p && p->getter) << name;
  if (!p || !p->getter) return 0;
  void* f = reinterpret_cast<uintptr_t>(p->getter) == 1 ? EntryAddress(intGetter) : p->getter;
  return reinterpret_cast<int32_t (*)(RuntimeObject*, uint32_t)>(f)(o, p->param);
}

std::string GetString(RuntimeObject* o, const std::string& name) {
  const RuntimePropertyEntry* p = FindProperty(o->cls, name, nullptr);
  EXPECT_TRUE(p && p->getter) << name;
  if (!p || !p->getter) return "";
  void* f = reinterpret_cast<uintptr_t>(p->getter) == 1 ? EntryAddress(stringGetter) : p->getter;
  String s = String::Adopt(reinterpret_cast<RuntimeString* (*)(RuntimeObject*, uint32_t)>(f)(o, p->param));
  return Utf8(s.get());
}

std::string Utf8(RuntimeString* s) {
  String u = ConvertToUTF8(s);
  return std::string(u.text(), static_cast<size_t>(u.length()));
}

String Make(const std::string& utf8) {
  return NewStringFromBytes(utf8.data(), static_cast<int32_t>(utf8.size()), QL_ENCODING_UTF8);
}

}  // namespace ql::test
