#include "ui/receiver_list.h"

#include <utility>

#include "core/object.h"
#include "quillon/entrypoints/objects.h"

namespace ql::ui {

void AddReceiver(ReceiverList** list, RuntimeObject* receiver) {
  if (!receiver) return;
  if (!*list) *list = new ReceiverList;
  for (RuntimeObject* r : **list)
    if (r == receiver) return;
  RuntimeLockObject(receiver);
  (*list)->Append(receiver);
}

void RemoveReceiver(ReceiverList** list, RuntimeObject* receiver) {
  if (!*list) return;
  for (size_t i = 0; i < (*list)->Count(); ++i) {
    if ((**list)[i] != receiver) continue;
    (*list)->RemoveAt(i);
    RuntimeUnlockObject(receiver);
    return;
  }
}

void FreeReceivers(ReceiverList** list) {
  ReceiverList* receivers = std::exchange(*list, nullptr);
  if (!receivers) return;
  for (RuntimeObject* r : *receivers) RuntimeUnlockObject(r);
  delete receivers;
}

void NotifyReceivers(const ReceiverList* list, ObjectDefinition& iface) {
  if (!list || list->Empty()) return;
  RuntimeClass* ifaceClass = ClassOf(iface);
  // A receiver may remove itself or others while it is told: walk a copy
  // that holds every one of them.
  Array<RuntimeObject*> receivers;
  for (RuntimeObject* r : *list) {
    RuntimeLockObject(r);
    receivers.Append(r);
  }
  for (RuntimeObject* r : receivers) {
    const RuntimeInterfaceEntry* entry = FindInterfaceEntry(r->cls, ifaceClass);
    if (entry && entry->methodCount >= 1 && entry->methods[0].function)
      reinterpret_cast<void (*)(RuntimeObject*)>(entry->methods[0].function)(r);
  }
  for (RuntimeObject* r : receivers) RuntimeUnlockObject(r);
}

}  // namespace ql::ui
