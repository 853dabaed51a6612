// Everything a compiled image includes: the binary records, the runtime's
// entry points, static strings, reference handles, protected calls and the
// entry function.
//
//   #include "quillon/image.h"
//
//   QL_IMAGE_ENTRY() {
//     RuntimeInit();
//     ...
//   }
//
// Images are freestanding (docs/image-builder.md lists the rules): no C or
// C++ library, no static constructors or destructors, no exceptions or RTTI,
// no pointers in writable globals.
#pragma once

#include "quillon/abi.h"
#include "quillon/entrypoints.h"
#include "quillon/handles.h"
#include "quillon/protected_call.h"
#include "quillon/static_string.h"

// The image's entry function: called once, without arguments, by the runtime
// after linking; its return ends the application. The manifest's `entry`
// line names it when it is not QuillonMain.
#define QL_IMAGE_ENTRY() extern "C" void QuillonMain(void)
