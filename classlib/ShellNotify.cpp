#include "classlib/ShellNotify.h"

#include "classlib/DelayLoad.h"

#include <utility>

namespace {

TShellNotifyIcon& CurrentShellNotifyIcon() {
    static TShellNotifyIcon function;
    return function;
}

} // namespace

TShellNotifyIcon SetShellNotifyIcon(TShellNotifyIcon Function) {
    TShellNotifyIcon previous = std::move(CurrentShellNotifyIcon());
    CurrentShellNotifyIcon() = std::move(Function);
    return previous;
}

bool ShellNotifyIcon(DWORD Message, NOTIFYICONDATAA* Data) {
    const TShellNotifyIcon& custom = CurrentShellNotifyIcon();
    if (custom) return custom(Message, Data) != FALSE;
    return DelayLoaded<decltype(Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA")(Message, Data) != FALSE;
}
