#include "classlib/Messages.h"

#include <cctype>

namespace {

bool KeyDown(int VirtualKey) {
    return GetKeyState(VirtualKey) < 0;
}

} // namespace

TShiftState KeysToShiftState(WPARAM Keys) {
    TShiftState shift;
    if (Keys & MK_SHIFT) shift << ssShift;
    if (Keys & MK_CONTROL) shift << ssCtrl;
    if (Keys & MK_LBUTTON) shift << ssLeft;
    if (Keys & MK_RBUTTON) shift << ssRight;
    if (Keys & MK_MBUTTON) shift << ssMiddle;
    if (KeyDown(VK_MENU)) shift << ssAlt;
    return shift;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
    TShiftState shift;
    if (KeyDown(VK_SHIFT)) shift << ssShift;
    if (KeyDown(VK_CONTROL)) shift << ssCtrl;
    if (KeyData & 0x20000000) shift << ssAlt;
    return shift;
}

bool IsAccel(Word Key, const AnsiString& Caption) {
    if (Key > 0xFF) return false;
    for (std::size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&') continue;
        if (Caption[i + 1] == '&') {
            ++i;
            continue;
        }
        auto upper = [](int c) { return std::toupper(static_cast<unsigned char>(c)); };
        return upper(Caption[i + 1]) == upper(Key);
    }
    return false;
}

void TWMMouse::SetPos(const TPoint& P) {
    Message.LParam = MAKELPARAM(static_cast<WORD>(P.X), static_cast<WORD>(P.Y));
}
