// Hidden windows whose messages go to a method of an object: the message targets of
// timers and other non-visual components.
//
// They are ordinary top-level windows that are never shown (not message-only windows),
// so they also receive the system's broadcasts, such as WM_WININICHANGE. Messages the
// method leaves alone should get DefWindowProc's answer: the method calls
// DefaultWindowHandler(Wnd, Message) for them, or sets Result itself.
#pragma once

#include "classlib/Messages.h"

#include "classlib/Platform.h"

// A new hidden window whose every message goes to Method. Raises EOutOfResources
// when the system refuses the window.
HWND AllocateHWnd(TWndMethod Method);
// Destroys a window made by AllocateHWnd; safe from inside one of its own messages.
void DeallocateHWnd(HWND Wnd);
// DefWindowProc's answer to Message, stored in Message.Result.
void DefaultWindowHandler(HWND Wnd, TMessage& Message);
