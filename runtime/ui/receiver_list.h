// The receiver lists of the data-binding interfaces (action, data and
// list-selection notification receivers): objects told of a change by the
// first method of the interface they implement.
#pragma once

#include "core/array.h"
#include "core/object_definition.h"
#include "quillon/abi.h"

namespace ql::ui {

// One reference to each receiver; a control's field holds nil until the first.
using ReceiverList = Array<RuntimeObject*>;

// A receiver is added once; nil is ignored.
void AddReceiver(ReceiverList** list, RuntimeObject* receiver);
void RemoveReceiver(ReceiverList** list, RuntimeObject* receiver);
// Releases every receiver and the list (a control's destroy hook).
void FreeReceivers(ReceiverList** list);
// Calls the first method of `iface` on every receiver whose class
// implements it, in the order they were added.
void NotifyReceivers(const ReceiverList* list, ObjectDefinition& iface);

}  // namespace ql::ui
