// The dialog list: the native windows of procedures 2, 3, 4, 5 and 10,
// newest first. Owned windows and message boxes take their owner from it,
// and while one of them is visible other runtime windows refuse activation
// by mouse.
#pragma once

#include "ui/native.h"

namespace ql::ui {

void EnterDialog(native::Handle window);
void RemoveDialog(native::Handle window);
bool DialogListEmpty();
// The first visible window of the list, or nil.
native::Handle FirstVisibleDialog();

}  // namespace ql::ui
