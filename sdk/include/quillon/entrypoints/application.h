// Entry points: the application object, the main event loop, background
// tasks and the file-type list.
#pragma once

#include "quillon/entrypoints/common.h"

// Makes `app` (or, for nil, a new Application) the application object, fires
// its Open event and then OpenDocument per command-line argument, or
// NewDocument.
QL_ENTRY void RuntimeRegisterAppObject(RuntimeObject* app);
// Runs the main event loop until the application quits, then shuts the
// runtime's windows and services down.
QL_ENTRY void RuntimeRun(void);
// The language's Quit: closes every window and unwinds to the event loop
// with an EndException; returns without effect when a window refuses.
QL_ENTRY void ApplicationQuit(void);
// Called inside long computations: fires due periodic tasks and notes the
// Escape key, at most once per tick; pending input and paint are served.
QL_ENTRY void RuntimeBackgroundTask(void);
// True once Escape was down at the last background task (UserCancelled).
QL_ENTRY bool getUserCancelled(void);
// Appends a file type {display name, creator code, type code, extensions};
// any of the four may be nil.
QL_ENTRY void RuntimeRegisterFileType(RuntimeString* name, RuntimeString* creator, RuntimeString* type,
                                      RuntimeString* extensions);

// --- Application properties ---
QL_ENTRY void appMouseCursorSetter(RuntimeObject* app, uint32_t param, RuntimeObject* cursor);
QL_ENTRY RuntimeObject* appResourceForkGetter(RuntimeObject* app, uint32_t param);
QL_ENTRY bool AppBalloonHelpVisibleGetter(RuntimeObject* app, uint32_t param);
QL_ENTRY void AppBalloonHelpVisibleSetter(RuntimeObject* app, uint32_t param, bool visible);
// param 0 to 5: MajorVersion, MinorVersion, BugVersion, StageCode,
// NonReleaseVersion, RegionCode.
QL_ENTRY int32_t AppIntegerVersionStuffGetter(RuntimeObject* app, uint32_t param);
// param 0 to 2: ShortVersion, LongVersion, PackageInfo.
QL_ENTRY RuntimeString* AppStringVersionStuffGetter(RuntimeObject* app, uint32_t param);
QL_ENTRY RuntimeObject* AppDockItemGetter(RuntimeObject* app, uint32_t param);
// The application's `_AddMenuHandler(name, handler)`.
QL_ENTRY void ApplicationAddMenuHandler(RuntimeObject* app, RuntimeString* name, RuntimeObject* handler);
