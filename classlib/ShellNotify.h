// The task bar's notification area: icons a program puts there with the shell.
#pragma once

#include "classlib/Types.h"

#include "classlib/Platform.h"

#include <shellapi.h>

#include <functional>

// The shell call: the system's Shell_NotifyIconA unless a test put another in its place.
using TShellNotifyIcon = std::function<BOOL(DWORD Message, NOTIFYICONDATAA* Data)>;
// Sets the shell call and returns the previous one; an empty Function restores the system's.
TShellNotifyIcon SetShellNotifyIcon(TShellNotifyIcon Function);

// Adds (NIM_ADD), changes (NIM_MODIFY) or removes (NIM_DELETE) an icon; false when the
// shell refuses.
bool ShellNotifyIcon(DWORD Message, NOTIFYICONDATAA* Data);
