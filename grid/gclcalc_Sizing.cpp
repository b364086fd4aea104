// Resizing the calculator's tape at design time: a sizing cursor just below the tape,
// a size line while dragging, the new tape height on release.
#include "grid/gclcalc.h"

namespace {
// Room for the sizing cursor below the tape.
constexpr int kSizeZone = 4;
// The tape and the buttons each keep at least this much.
constexpr int kMinPart = 30;
} // namespace

bool TGclCustomCalculator::InTapeSizeZone(int Y) const {
    if (!IsDesigning() || !FOptions.Contains(coShowTape) || !FTapeBox) return false;
    int bottom = FTapeBox->GetTop() + FTapeBox->GetHeight();
    return Y >= bottom && Y < bottom + kSizeZone;
}

void TGclCustomCalculator::DrawSizeLine() {
    HDC dc = GetDC(GetHandle());
    PatBlt(dc, 0, FSizeLine, GetClientWidth(), 2, DSTINVERT);
    ReleaseDC(GetHandle(), dc);
}

bool TGclCustomCalculator::StartTapeSizing(int Y) {
    if (!InTapeSizeZone(Y)) return false;
    FSizing = true;
    SetCapture(GetHandle());
    FSizeLine = Y;
    DrawSizeLine();
    return true;
}

void TGclCustomCalculator::MouseMove(TShiftState Shift, int X, int Y) {
    TGclCustomControl::MouseMove(Shift, X, Y);
    if (FSizing) {
        int top = FTapeBox->GetTop() + kMinPart;
        int bottom = GetClientHeight() - kMinPart;
        int y = Y < top ? top : Y > bottom ? bottom : Y;
        if (y == FSizeLine) return;
        DrawSizeLine();
        FSizeLine = y;
        DrawSizeLine();
    }
    if (FSizing || InTapeSizeZone(Y)) ::SetCursor(LoadCursorA(nullptr, IDC_SIZENS));
}

bool TGclCustomCalculator::EndTapeSizing() {
    if (!FSizing) return false;
    FSizing = false;
    DrawSizeLine();
    if (GetCapture() == GetHandle()) ReleaseCapture();
    SetTapeHeight(FSizeLine - 8);
    return true;
}
