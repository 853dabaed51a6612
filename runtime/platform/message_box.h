// The runtime's own fatal messages (a link failure, a plug-in that cannot be
// installed) in a modal box with one OK button. Tests observe them instead
// of opening a box.
#pragma once

namespace ql::platform {

enum class MessageIcon {
  Information,  // MB_ICONINFORMATION, task-modal, an empty caption
  Error,        // MB_ICONERROR, no caption (the system's "Error")
};

// Shows `text` and returns once the user has dismissed it. POSIX: the text
// goes to standard error.
void ShowMessageBox(const char* text, MessageIcon icon = MessageIcon::Information);

// The window layer's message box for the Information messages: owned by
// the front window, titled with its text, the text split at its first line
// end (MsgBox's box). Installed when the window layer initialises; until
// then the plain box.
using MessagePresenter = void (*)(const char* text);
MessagePresenter SetMessagePresenter(MessagePresenter presenter);

// Replaces the box, for tests; returns the previous observer (nullptr: the
// real box).
using MessageBoxObserver = void (*)(const char* text);
MessageBoxObserver SetMessageBoxObserver(MessageBoxObserver observer);

// The system's box itself, once per platform; ShowMessageBox calls it when no
// observer is installed.
void ShowNativeMessageBox(const char* text, MessageIcon icon);

}  // namespace ql::platform
