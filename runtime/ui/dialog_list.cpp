#include "ui/dialog_list.h"

#include "core/array.h"

namespace ql::ui {
namespace {

// Oldest first: the newest is the last element.
Array<native::Handle>& Dialogs() {
  static Array<native::Handle>& list = *new Array<native::Handle>;
  return list;
}

}  // namespace

void EnterDialog(native::Handle window) {
  RemoveDialog(window);
  Dialogs().Append(window);
}

void RemoveDialog(native::Handle window) {
  Array<native::Handle>& list = Dialogs();
  for (size_t i = 0; i < list.Count(); ++i)
    if (list[i] == window) {
      list.RemoveAt(i);
      return;
    }
}

bool DialogListEmpty() { return Dialogs().Empty(); }

native::Handle FirstVisibleDialog() {
  Array<native::Handle>& list = Dialogs();
  for (size_t i = list.Count(); i-- > 0;)
    if (native::IsShown(list[i])) return list[i];
  return nullptr;
}

}  // namespace ql::ui
