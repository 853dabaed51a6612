#include "startup/plugin_classes.h"

#include <string.h>

#include <array>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/entrypoint_registry.h"
#include "core/intrinsic_classes.h"
#include "core/object.h"
#include "core/object_definition.h"
#include "core/string.h"
#include "startup/bytes.h"

namespace ql {
namespace {

// Limits that no real class reaches; a description beyond them is refused
// instead of making the runtime allocate whatever a damaged table claims.
constexpr size_t kMaximumNameLength = 255;
constexpr uint32_t kMaximumMembers = 1024;
constexpr uint32_t kMaximumParameters = 64;
constexpr uint32_t kMaximumFieldBytes = 1u << 20;

enum class State { Pending, Completing, Complete };

// One registered class. Records live for the process: the definition, its
// description and every table point into them.
struct PluginClassRecord {
  State state = State::Pending;
  std::deque<std::string> texts;  // a deque never moves its elements
  const char* name = nullptr;
  const char* superName = nullptr;
  uint32_t fieldBytes = 0;
  uint32_t* fieldOffset = nullptr;
  std::vector<PropertyEntry> properties;
  std::vector<bool> paramInFields;
  std::vector<std::vector<ParameterEntry>> parameters;  // one list per method
  std::vector<MethodEntry> methods;
  std::vector<EventDeclarationEntry> events;
  bool isControl = false;
  QuillonPluginControl control{};
  RuntimeObjectHook pluginInitHook = nullptr;  // the plug-in's own, run after the default size
  std::vector<EventImplementation> eventHandlers;
  std::vector<Link> links;  // the link names to register
  ClassDescription description{.name = nullptr};
  std::unique_ptr<ObjectDefinition> definition;

  const char* Keep(const char* text) {
    if (!text) return nullptr;
    texts.emplace_back(text);
    return texts.back().c_str();
  }
};

std::vector<PluginClassRecord*>& Records() {
  static std::vector<PluginClassRecord*>& records = *new std::vector<PluginClassRecord*>;
  return records;
}

// A name with every byte folded as name comparison folds it, so that equal
// names are equal keys.
std::string FoldedName(const char* name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(FoldNameByte(static_cast<uint8_t>(c)));
  return folded;
}

// The records by folded name: a plug-in's members name classes as types, so
// lookups outnumber records many times over.
std::unordered_map<std::string, PluginClassRecord*>& RecordIndex() {
  static auto& index = *new std::unordered_map<std::string, PluginClassRecord*>;
  return index;
}

PluginClassRecord* FindRecord(const char* name) {
  if (!name) return nullptr;
  const auto found = RecordIndex().find(FoldedName(name));
  return found == RecordIndex().end() ? nullptr : found->second;
}

void AddRecord(std::unique_ptr<PluginClassRecord> record) {
  RecordIndex().emplace(FoldedName(record->name), record.get());
  Records().push_back(record.release());
}

// --- Checking a description ---

bool HasLengthAtMost(const char* text, size_t limit) { return text && strnlen(text, limit + 1) <= limit; }

bool IsIdentifier(const char* text) {
  if (!HasLengthAtMost(text, kMaximumNameLength) || !*text) return false;
  for (const char* c = text; *c; ++c) {
    const bool ok =
        (*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9') || *c == '_' || *c == '$';
    if (!ok) return false;
  }
  return true;
}

struct ScalarName {
  const char* name;
  const TypeReference* type;
};
const ScalarName kScalars[] = {{"String", types::String}, {"Integer", types::Integer}, {"Boolean", types::Boolean},
                               {"Single", types::Single}, {"Double", types::Double},   {"Color", types::Color}};

// A scalar type, an intrinsic class, a plug-in class, or the class itself.
const TypeReference* ResolveType(const char* type, const PluginClassRecord& self) {
  if (!IsIdentifier(type)) return nullptr;
  for (const ScalarName& s : kScalars)
    if (NamesEqual(s.name, type)) return s.type;
  if (ObjectDefinition* d = FindRegisteredDefinition(type, strlen(type))) return TypeOf(*d);
  if (PluginClassRecord* r = FindRecord(type)) return TypeOf(*r->definition);
  if (NamesEqual(type, self.name)) return TypeOf(*self.definition);
  return nullptr;
}

// A link name is taken when it names nothing yet, or this very function;
// `*kept` is the record's copy (nil when there is no link name).
bool AddLink(PluginClassRecord& r, const char* link, void* function, const char** kept) {
  *kept = nullptr;
  if (!link) return true;
  if (!IsIdentifier(link) || !function || function == reinterpret_cast<void*>(1)) return false;
  if (void* existing = LookupEntryPoint(link); existing && existing != function) return false;
  for (const Link& l : r.links)
    if (NamesEqual(l.name, link) && l.function != function) return false;
  *kept = r.Keep(link);
  r.links.push_back(Link{function, *kept});
  return true;
}

bool TakeProperties(const QuillonPluginClass& d, PluginClassRecord& r) {
  if (d.propertyCount > kMaximumMembers || (d.propertyCount && !d.properties)) return false;
  r.properties.reserve(d.propertyCount);
  for (uint32_t i = 0; i < d.propertyCount; ++i) {
    const QuillonPluginProperty& p = d.properties[i];
    const TypeReference* type = ResolveType(p.type, r);
    const bool inFields = (p.flags & QUILLON_PARAM_IN_FIELDS) != 0;
    if (!IsIdentifier(p.name) || !type || (inFields && p.param >= d.fieldBytes)) return false;
    const char* getterLink;
    const char* setterLink;
    if (!AddLink(r, p.getterLink, p.getter, &getterLink) || !AddLink(r, p.setterLink, p.setter, &setterLink))
      return false;
    r.properties.push_back(
        Property(r.Keep(p.name), type, Link{p.getter, getterLink}, Link{p.setter, setterLink}, p.param));
    r.paramInFields.push_back(inFields);
  }
  return true;
}

bool TakeParameters(const QuillonPluginMethod& m, PluginClassRecord& r, std::vector<ParameterEntry>& out) {
  if (m.parameterCount > kMaximumParameters || (m.parameterCount && !m.parameters)) return false;
  out.reserve(m.parameterCount);
  for (uint32_t i = 0; i < m.parameterCount; ++i) {
    const QuillonPluginParameter& p = m.parameters[i];
    const TypeReference* type = ResolveType(p.type, r);
    if (!IsIdentifier(p.name) || !type) return false;
    out.push_back(Parameter(r.Keep(p.name), type, p.byReference ? PassBy::Reference : PassBy::Value));
  }
  return true;
}

bool TakeMethods(const QuillonPluginClass& d, PluginClassRecord& r) {
  if (d.methodCount > kMaximumMembers || (d.methodCount && !d.methods)) return false;
  r.parameters.resize(d.methodCount);  // sized once: the entries point into the lists
  r.methods.reserve(d.methodCount);
  for (uint32_t i = 0; i < d.methodCount; ++i) {
    const QuillonPluginMethod& m = d.methods[i];
    const TypeReference* result = nullptr;
    if (m.resultType && !(result = ResolveType(m.resultType, r))) return false;
    if (!IsIdentifier(m.name) || !m.function || !TakeParameters(m, r, r.parameters[i])) return false;
    const char* link;
    if (!AddLink(r, m.link, m.function, &link)) return false;
    const Table<ParameterEntry> parameters(r.parameters[i].data(), static_cast<uint32_t>(r.parameters[i].size()));
    r.methods.push_back(Method(r.Keep(m.name), Link{m.function, link}, result, parameters));
  }
  return true;
}

bool TakeEvents(const QuillonPluginClass& d, PluginClassRecord& r) {
  if (d.eventCount > kMaximumMembers || (d.eventCount && !d.events)) return false;
  r.events.reserve(d.eventCount);
  for (uint32_t i = 0; i < d.eventCount; ++i) {
    const QuillonPluginEvent& e = d.events[i];
    if (!IsIdentifier(e.name) || (e.parameters && !HasLengthAtMost(e.parameters, 4096))) return false;
    if (e.resultType && !ResolveType(e.resultType, r)) return false;
    r.events.push_back(Event(r.Keep(e.name), r.Keep(e.parameters ? e.parameters : ""), r.Keep(e.resultType)));
  }
  return true;
}

bool TakeIdentity(const QuillonPluginClass& d, PluginClassRecord& r) {
  if (d.version != QUILLON_PLUGIN_VERSION || !IsIdentifier(d.name) || d.fieldBytes > kMaximumFieldBytes) return false;
  if (d.superName && !HasLengthAtMost(d.superName, kMaximumNameLength)) return false;
  // A name that a class already has would never be found.
  RegisterIntrinsicClasses();
  if (FindRegisteredDefinition(d.name, strlen(d.name)) || FindRecord(d.name)) return false;
  r.name = r.Keep(d.name);
  r.superName = d.superName && *d.superName ? r.Keep(d.superName) : nullptr;
  r.fieldBytes = d.fieldBytes;
  r.fieldOffset = d.fieldOffset;
  if (d.control) {
    r.isControl = true;
    r.control = *d.control;
  }
  return true;
}

// --- Control classes ---

PluginControlHooks g_controlHooks;

// A class's init hook has only the object to go by, so each control class
// gets an init hook of its own: one of a fixed set, each bound to a record.
constexpr size_t kControlInitSlots = 64;
PluginClassRecord* g_controlInitRecords[kControlInitSlots];
size_t g_controlInitCount = 0;

template <size_t N>
void InitControlOfSlot(RuntimeObject* o) {
  PluginClassRecord* r = g_controlInitRecords[N];
  if (g_controlHooks.giveDefaultSize) g_controlHooks.giveDefaultSize(o);
  if (r && r->pluginInitHook) r->pluginInitHook(o);
}

template <size_t... N>
constexpr std::array<RuntimeObjectHook, sizeof...(N)> MakeInitSlots(std::index_sequence<N...>) {
  return {&InitControlOfSlot<N>...};
}
constexpr std::array<RuntimeObjectHook, kControlInitSlots> kControlInits =
    MakeInitSlots(std::make_index_sequence<kControlInitSlots>());

void CreatePluginControlPane(RuntimeObject* o) {
  if (g_controlHooks.createPane) g_controlHooks.createPane(o);
}

// A control superclass: one under Control, whose definition declares CreatePane.
bool DeclaresCreatePane(const RuntimeClass* cls) {
  RuntimeClass* control = ClassOf(intrinsic::Control);
  if (!cls || !control || !ClassDescendsFrom(cls, control)) return false;
  for (const EventDeclarationRecord& e : intrinsic::Control.eventDeclarations)
    if (NamesEqual(StringText(e.name), "CreatePane")) return true;
  return false;
}

// Under a control superclass (one that has CreatePane), the class builds
// its pane through the framework and sizes new objects; the plug-in's own
// init hook still runs after that.
void MakeControlClass(PluginClassRecord& r, RuntimeClass* superClass) {
  if (!r.isControl || !DeclaresCreatePane(superClass)) return;
  r.eventHandlers.push_back(Handles("CreatePane", CreatePluginControlPane));
  r.description.eventHandlers =
      Table<EventImplementation>(r.eventHandlers.data(), static_cast<uint32_t>(r.eventHandlers.size()));
  if (g_controlInitCount == kControlInitSlots) return;  // beyond every real plug-in: no default size
  g_controlInitRecords[g_controlInitCount] = &r;
  r.pluginInitHook = r.description.initHook;
  r.description.initHook = kControlInits[g_controlInitCount++];
}

// --- Completing ---

void Complete(PluginClassRecord& r);

// What a record's superclass name leads to.
struct Superclass {
  ObjectDefinition* definition = nullptr;  // null: the class is a root class
  bool unavailable = false;                // known, but not built yet: memory ran out
};

Superclass SuperclassOf(const PluginClassRecord& r) {
  if (!r.superName) return {};
  if (ObjectDefinition* d = FindRegisteredDefinition(r.superName, strlen(r.superName))) return {d};
  PluginClassRecord* super = FindRecord(r.superName);
  if (!super) return {};
  Complete(*super);  // does nothing while it is completing: a cycle
  if (super->state == State::Pending) return {nullptr, true};
  return {super->state == State::Complete ? super->definition.get() : nullptr};
}

void Complete(PluginClassRecord& r) {
  if (r.state != State::Pending) return;
  r.state = State::Completing;
  // A superclass that memory ran out for leaves the class pending, so no
  // lookup finds it: made a root class instead, its fields would overlap the
  // superclass's. A later pass would complete it.
  const Superclass super = SuperclassOf(r);
  RuntimeClass* superClass = super.definition ? ClassOf(*super.definition) : nullptr;
  if (super.unavailable || (super.definition && !superClass)) {
    r.state = State::Pending;
    return;
  }
  const uint32_t fields =
      static_cast<uint32_t>(AlignUp(superClass ? InstanceBytes(superClass) : kObjectHeaderSize, alignof(void*)));
  for (size_t i = 0; i < r.properties.size(); ++i)
    if (r.paramInFields[i]) r.properties[i].param += fields;
  if (r.fieldOffset) *r.fieldOffset = fields;
  r.description.super = super.definition;
  r.description.instanceSize = fields + r.fieldBytes;
  MakeControlClass(r, superClass);
  RegisterPluginDefinition(*r.definition);
  r.state = State::Complete;
}

}  // namespace

void CompletePluginClasses() {
  // Completing may complete a later record first (its superclass); the list does not grow meanwhile.
  for (PluginClassRecord* r : Records()) Complete(*r);
}

void SetPluginControlHooks(const PluginControlHooks& hooks) { g_controlHooks = hooks; }

const QuillonPluginControl* PluginControlOf(const RuntimeClass* cls) {
  for (const RuntimeClass* c = cls; c; c = c->super)
    for (const PluginClassRecord* r : Records())
      if (r->isControl && r->state == State::Complete && r->definition->runtimeClass == c) return &r->control;
  return nullptr;
}

}  // namespace ql

extern "C" int32_t RuntimeRegisterPluginClass(const QuillonPluginClass* description) {
  using namespace ql;
  if (!description) return 0;
  auto record = std::make_unique<PluginClassRecord>();
  PluginClassRecord& r = *record;
  if (!TakeIdentity(*description, r)) return 0;
  // Made now, so that members of this and later classes can name it as their type.
  r.description.name = r.name;
  r.definition = std::make_unique<ObjectDefinition>(r.description);
  if (!TakeProperties(*description, r) || !TakeMethods(*description, r) || !TakeEvents(*description, r)) return 0;
  r.description.properties = Table<PropertyEntry>(r.properties.data(), static_cast<uint32_t>(r.properties.size()));
  r.description.methods = Table<MethodEntry>(r.methods.data(), static_cast<uint32_t>(r.methods.size()));
  r.description.events = Table<EventDeclarationEntry>(r.events.data(), static_cast<uint32_t>(r.events.size()));
  r.description.initHook = description->initHook;
  r.description.destroyHook = description->destroyHook;
  for (const Link& l : r.links) RegisterEntryPoint(l.name, l.function);
  AddRecord(std::move(record));
  return 1;
}
