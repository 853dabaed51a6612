// The runtime's exported entry points, as compiled images call them. The
// runtime includes these headers too, so both sides agree on every signature.
// Only names declared here may be imported by an image.
#pragma once

#include "quillon/entrypoints/strings.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/exceptions.h"
#include "quillon/entrypoints/startup.h"
#include "quillon/entrypoints/files.h"
#include "quillon/entrypoints/resources.h"
#include "quillon/entrypoints/application.h"
#include "quillon/entrypoints/windows.h"
#include "quillon/entrypoints/controls.h"
#include "quillon/entrypoints/graphics.h"
#include "quillon/entrypoints/menus.h"
