// Protected calls: a handler frame is registered with the runtime for the
// duration of one call. A runtime function that raises returns its failure
// value as usual; Protected then reports that an exception was delivered,
// and the caller runs its handler code:
//
//   quillon::Object error;
//   if (quillon::Protected(error, [&] { total = ReadTotal(file); })) {
//     ... handle `error` ...
//   }
//
// Wrap one call each: the code after a raising call inside the lambda still
// runs (the mechanism redirects, it does not unwind).
#pragma once

#include "quillon/handles.h"

namespace quillon {

// True when an exception was delivered; it is then held by `exception`
// (one reference), whatever the variable held before being released.
template <class Call>
bool Protected(Object& exception, Call&& call) {
  exception = nullptr;
  RuntimeHandlerFrame frame;
  RuntimePushHandlerFrame(&frame, exception.slot());
  call();
  return RuntimePopHandlerFrame(&frame);
}

// The same without keeping the exception.
template <class Call>
bool Protected(Call&& call) {
  RuntimeHandlerFrame frame;
  RuntimePushHandlerFrame(&frame, nullptr);
  call();
  return RuntimePopHandlerFrame(&frame);
}

}  // namespace quillon
