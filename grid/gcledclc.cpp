#include "grid/gcledclc.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Persistence.h"
#include "classlib/Strings.h"
#include "grid/gclmisc.h"

#include <charconv>
#include <cmath>

AnsiString ShortestDecimal(double Value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, Value, std::chars_format::fixed);
    if (result.ec != std::errc()) result = std::to_chars(buffer, buffer + sizeof buffer, Value);
    AnsiString text(buffer, result.ptr);
    for (char& c : text)
        if (c == '.') c = CalcDecimalSeparator();
    return text;
}

void LoadCalculatorGlyph(TBitmap* Glyph) {
    if (HBITMAP handle = LoadBaseBitmap("ORBTNCLC")) Glyph->SetHandle(handle);
}

TGclCustomNumberEdit::TGclCustomNumberEdit(TComponent* AOwner)
    : TGclEdPopup(AOwner), FCalculator(new TGclCalculator(this, true)) {
    FCalculator->SetVisible(false);
    FCalculator->SetOptions({coShowItemCount});
    FCalculator->OnButtonPressed =
        TGclCalcButtonPressedEvent(this, &TGclCustomNumberEdit::CalcButtonPressed);
    FCalculator->OnKeyPress = TKeyPressEvent(this, &TGclCustomNumberEdit::CalcKeyPress);
    FCalculator->OnKeyDown = TKeyEvent(this, &TGclCustomNumberEdit::CalcKeyDown);
    FCalculator->OnMouseDown = TMouseEvent(this, &TGclCustomNumberEdit::CalcMouseDown);
    FCalculator->OnExit = TNotifyEvent(this, &TGclCustomNumberEdit::CalcExit);
    TBitmap glyph;
    LoadCalculatorGlyph(&glyph);
    SetButtonGlyph(&glyph);
}

double TGclCustomNumberEdit::GetAsFloat() {
    AnsiString digits;
    char sep = CalcDecimalSeparator();
    for (char c : GetText()) {
        if (c == '+' || c == '-' || (c >= '0' && c <= '9')) digits += c;
        else if (c == sep) digits += '.';
    }
    return StrToFloat(digits);
}

void TGclCustomNumberEdit::SetAsFloat(double Value) {
    SetText(ShortestDecimal(Value));
}

long long TGclCustomNumberEdit::GetAsInteger() {
    return std::llrint(GetAsFloat()); // halves to even in the default rounding mode
}

void TGclCustomNumberEdit::SetAsInteger(long long Value) {
    SetText(std::to_string(Value));
}

void TGclCustomNumberEdit::SetPopupWidth(int Value) {
    FCalculator->SetBounds(FCalculator->GetLeft(), FCalculator->GetTop(), Value,
                           FCalculator->GetHeight());
}

void TGclCustomNumberEdit::SetPopupHeight(int Value) {
    FCalculator->SetBounds(FCalculator->GetLeft(), FCalculator->GetTop(), FCalculator->GetWidth(),
                           Value);
}

void TGclCustomNumberEdit::SetReadOnly(bool Value) {
    TGclEdPopup::SetReadOnly(Value);
    GetButton()->SetEnabled(!Value);
}

void TGclCustomNumberEdit::KeyPress(char& Key) {
    TGclEdPopup::KeyPress(Key);
    if (Key == 0 || Key == 3 || Key == 22 || Key == 24) return; // clipboard keys pass
    char sep = CalcDecimalSeparator();
    static const AnsiString accepted = "\b\x1b*+-./0123456789";
    if (accepted.find(Key) == AnsiString::npos && Key != sep) {
        GclBeep();
        Key = 0;
        return;
    }
    AnsiString text = GetText();
    if (Key == sep && text.find(sep) != AnsiString::npos &&
        GetSelLength() != static_cast<int>(text.size())) {
        GclBeep();
        Key = 0;
        return;
    }
    if (AllowIncDec && (Key == '+' || Key == '-')) {
        if (text.empty()) SetText("0");
        int start = GetSelStart(), length = GetSelLength();
        SetAsFloat(GetAsFloat() + (Key == '+' ? 1 : -1));
        SetSelStart(start);
        SetSelLength(length);
        Key = 0;
        return;
    }
    if (Key == '*' || Key == '+' || Key == '/') {
        char typed = Key;
        Key = 0;
        PopupOpen();
        if (FCalculator->GetVisible())
            SendMessageA(FCalculator->GetHandle(), WM_CHAR, static_cast<WPARAM>(typed), 0);
    }
}

void TGclCustomNumberEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_DOWN && Shift.Contains(ssAlt)) {
        PopupOpen();
        Key = 0;
        return;
    }
    TGclEdPopup::KeyDown(Key, Shift);
}

void TGclCustomNumberEdit::DoExit() {
    if (!GetPopupActive()) TGclEdPopup::DoExit();
}

void TGclCustomNumberEdit::PlaceCalculator() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (HMONITOR monitor = MonitorFromWindow(GetHandle(), MONITOR_DEFAULTTONEAREST)) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoA(monitor, &info)) work = info.rcWork;
    }
    const int cw = FCalculator->GetWidth(), ch = FCalculator->GetHeight();
    TPoint p = PopupAnchor == paRight ? TPoint(GetWidth() - cw - 1, GetHeight() - 2)
                                      : TPoint(-3, GetHeight() - 4);
    p = ClientToScreen(p);
    if (!GetCtl3D()) {
        p.X += 3;
        p.Y += 3;
    }
    if (p.Y + ch >= work.bottom) p.Y -= ch + GetHeight();
    if (p.X + cw >= work.right) p.X = work.right - cw - 1;
    if (p.X <= work.left) p.X = work.left + 1;
    FCalculator->SetBounds(p.X, p.Y, cw, ch);
}

void TGclCustomNumberEdit::PopupOpen() {
    if (FCalculator->GetVisible() || !HandleAllocated()) return;
    TGclEdPopup::PopupOpen();
    if (TWinControl* form = GetImmediateParentForm(this)) FCalculator->SetParent(form);
    FCalculator->SetCtl3D(false);
    FCalculator->GetHandle();
    PlaceCalculator();
    FSavedCursor = GetCursor();
    SetCursor(crArrow);
    FCalculator->PressButton(cbClear);
    FCalculator->SetVisible(true);
    SetWindowPos(FCalculator->GetHandle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    double value = GetText().empty() ? 0 : GetAsFloat();
    FCalculator->SetOperand(value);
    FCalculator->SetDisplay(value);
    FCalculator->SetDisplayStr(ShortestDecimal(value));
    FCalculator->SetFocus();
    FCalculator->SetMouseCapture(true);
}

void TGclCustomNumberEdit::PopupClose(TObject*) {
    if (!FCalculator->GetVisible() || FClosing) return;
    FClosing = true;
    TGclEdPopup::PopupClose(this);
    if (FCalculator->GetMouseCapture()) FCalculator->SetMouseCapture(false);
    if (CanFocus()) SetFocus();
    FCalculator->SetVisible(false);
    SetCursor(FSavedCursor);
    FClosing = false;
}

void TGclCustomNumberEdit::CaretToEnd() {
    SetSelStart(static_cast<int>(GetText().size()));
    SetSelLength(0);
}

void TGclCustomNumberEdit::CalcButtonPressed(TObject*, TGclCalculatorButton Button) {
    if (Button != cbEqual || !FCalculator->GetVisible()) return;
    SetText(ShortestDecimal(static_cast<double>(FCalculator->GetDisplay())));
    SetModified(true);
    PopupClose(this);
    CaretToEnd();
}

void TGclCustomNumberEdit::CalcKeyPress(TObject*, char& Key) {
    if (Key != VK_ESCAPE) return;
    Key = 0;
    PopupClose(this);
}

void TGclCustomNumberEdit::CalcKeyDown(TObject*, Word& Key, TShiftState Shift) {
    bool ctrlOrAlt = Shift.Contains(ssCtrl) || Shift.Contains(ssAlt);
    if (Key == VK_TAB && !ctrlOrAlt) {
        Key = 0;
        PopupClose(this);
        PostMessageA(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    } else if (Key == VK_UP && Shift.Contains(ssAlt)) {
        Key = 0;
        PopupClose(this);
        CaretToEnd();
    }
}

void TGclCustomNumberEdit::CalcMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    if (X >= 0 && Y >= 0 && X < FCalculator->GetClientWidth() && Y < FCalculator->GetClientHeight())
        return;
    TPoint screen = FCalculator->ClientToScreen(TPoint(X, Y));
    PopupClose(this);
    POINT local{screen.X, screen.Y};
    ::ScreenToClient(GetHandle(), &local);
    if (local.x >= 0 && local.y >= 0 && local.x < GetWidth() && local.y < GetHeight()) {
        SetFocus();
        SendMessageA(GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(local.x, local.y));
        SendMessageA(GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(local.x, local.y));
        SetSelLength(0);
    }
}

void TGclCustomNumberEdit::CalcExit(TObject*) {
    PopupClose(this);
}

void TGclCustomNumberEdit::Published(TPropertyList& P) {
    P.Add("AllowIncDec", &TGclCustomNumberEdit::GetAllowIncDec,
          &TGclCustomNumberEdit::SetAllowIncDec, false);
    P.Add("PopupAnchor", &TGclCustomNumberEdit::GetPopupAnchor,
          &TGclCustomNumberEdit::SetPopupAnchor, paLeft);
    P.Add("PopupColors", &TGclCustomNumberEdit::GetPopupColors);
    P.Add("PopupDecimals", &TGclCustomNumberEdit::GetPopupDecimals,
          &TGclCustomNumberEdit::SetPopupDecimals, 2);
    P.Add("PopupFont", &TGclCustomNumberEdit::GetPopupFont);
    P.Add("PopupHeight", &TGclCustomNumberEdit::GetPopupHeight,
          &TGclCustomNumberEdit::SetPopupHeight, 140);
    P.Add("PopupWidth", &TGclCustomNumberEdit::GetPopupWidth,
          &TGclCustomNumberEdit::SetPopupWidth, 200);
}

REGISTER_CLASS(TGclNumberEdit);

namespace {
void StartNumberEdits() {
    RegisterEnum<TGclPopupAnchor>({"paLeft", "paRight"});
}
} // namespace

DEFINE_UNIT(gcledclc, uoGridModules, StartNumberEdits, nullptr);
