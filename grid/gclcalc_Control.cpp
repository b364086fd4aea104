// The calculator as a control: layout of its buttons, painting, mouse, keyboard,
// window text and clipboard.
#include "classlib/ClassRegistry.h"
#include "classlib/Clipboard.h"
#include "classlib/Persistence.h"
#include "grid/gclcalc.h"
#include "grid/gcldata.h"
#include "grid/gclmisc.h"

namespace {
// Width and height of Text in Font on the screen.
TSize TextSize(TFont* Font, const char* Text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font->GetHandle());
    SIZE size{};
    GetTextExtentPoint32A(dc, Text, lstrlenA(Text), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {size.cx, size.cy};
}

// The text whose height is a tape line's.
constexpr const char* kTapeSample = " 0123456789";
} // namespace

TGclCustomCalculator::TGclCustomCalculator(TComponent* AOwner)
    : TGclCustomControl(AOwner), FEngine(new TGclBasicCalculatorEngine), FTape(new TGclCalcTape),
      FColors(new TGclCalcColors) {
    FColors->OnChange = TNotifyEvent(this, &TGclCustomCalculator::ColorsChanged);
    FTape->GetFont()->OnChange = TNotifyEvent(this, &TGclCustomCalculator::TapeFontChanged);
    SetBounds(GetLeft(), GetTop(), 200, 140);
    SetTabStop(true);
    SetColor(clBtnFace);
    GetFont()->SetName("MS Sans Serif");
    GetFont()->SetSize(8);
    FPanel = new TPanel(this);
    FPanel->SetParent(this);
    FPanel->GetFont()->SetName("Courier New");
    FPanel->GetFont()->SetSize(10);
    FPanel->SetBevelOuter(bvLowered);
    FPanel->SetBevelWidth(2);
    FPanel->SetColor(clWindow);
    FPanel->SetAlignment(taRightJustify);
    FPanel->SetCaption("0 ");
    ColorsChanged(FColors);
    static const char* const fixed[] = {
        "", "", "", "", "", "+", "-", "*", "/", "0", "1", "2", "3", "4", "5", "6",
        "7", "8", "9", ".", "=", "1/x", "+/-", "%", "", "", "", "", "", "", ""};
    for (int b = cbNone; b <= cbSubTotal; ++b)
        FButtons[b].Caption = fixed[b];
    FButtons[cbBack].Caption = GetGclStr(30293);
    FButtons[cbMemClear].Caption = GetGclStr(30294);
    FButtons[cbMemRecall].Caption = GetGclStr(30295);
    FButtons[cbMemStore].Caption = GetGclStr(30296);
    FButtons[cbMemAdd].Caption = GetGclStr(30297);
    FButtons[cbMemSub].Caption = GetGclStr(30298);
    FButtons[cbTape].Caption = GetGclStr(30299);
    FButtons[cbClearEntry].Caption = GetGclStr(30300);
    FButtons[cbClear].Caption = GetGclStr(30301);
    FButtons[cbSqrt].Caption = GetGclStr(30302);
}

TGclCustomCalculator::TGclCustomCalculator(TComponent* AOwner, bool AsPopup)
    : TGclCustomCalculator(AOwner) {
    FPopup = AsPopup;
}

void TGclCustomCalculator::CreateParams(TCreateParams& Params) {
    TGclCustomControl::CreateParams(Params);
    if (FPopup) {
        Params.Style = (Params.Style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP | WS_BORDER;
        Params.WindowClass.style |= CS_SAVEBITS;
    }
    if (FBorderStyle != bsSingle) return;
    if (!NewStyleControls) {
        Params.Style |= WS_BORDER;
        return;
    }
    Params.ExStyle |= WS_EX_CLIENTEDGE;
    if (!FPopup && GetCtl3D()) Params.Style &= ~static_cast<DWORD>(WS_BORDER);
}

void TGclCustomCalculator::SetBorderStyle(TBorderStyle Value) {
    if ((Value != bsNone && Value != bsSingle) || Value == FBorderStyle) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

TGclCustomCalculator::~TGclCustomCalculator() {
    delete FColors;
    delete FEngine;
    delete FTape;
}

void TGclCustomCalculator::CreateWnd() {
    TGclCustomControl::CreateWnd();
    FButtons[cbDecimal].Caption = AnsiString(1, CalcDecimalSeparator());
    CalculateLook();
    ClearAll();
}

void TGclCustomCalculator::ColorsChanged(TObject*) {
    FPanel->SetColor(FColors->GetColor(TGclCalcColors::ciDisplay));
    FPanel->GetFont()->SetColor(FColors->GetColor(TGclCalcColors::ciDisplayTextColor));
    if (FTapeBox) FTapeBox->SetColor(FColors->GetColor(TGclCalcColors::ciDisplay));
    Invalidate();
}

void TGclCustomCalculator::TapeFontChanged(TObject*) {
    if (HandleAllocated()) CalculateLook();
    if (FTapeBox) FTapeBox->Invalidate();
}

void TGclCustomCalculator::Resize() {
    TGclCustomControl::Resize();
    if (HandleAllocated()) CalculateLook();
}

void TGclCustomCalculator::SetMemory(long double Value) {
    if (Value == FEngine->Memory) return;
    FEngine->Memory = Value;
    if (HandleAllocated()) {
        CalculateLook();
        Invalidate();
    }
}

void TGclCustomCalculator::SetDecimals(int Value) {
    FEngine->Decimals = Value;
    if (HandleAllocated()) {
        CalculateLook();
        Invalidate();
    }
}

void TGclCustomCalculator::SetTapeHeight(int Value) {
    if (Value < 0 || Value == FTapeHeight) return;
    FTapeHeight = Value;
    if (HandleAllocated()) {
        CalculateLook();
        Invalidate();
    }
}

void TGclCustomCalculator::SetOptions(TGclCalculatorOptions Value) {
    FOptions = Value;
    FEngine->ShowSeparatePercent = Value.Contains(coShowSeparatePercent);
    if (HandleAllocated()) {
        CalculateLook();
        Invalidate();
    }
}

AnsiString TGclCustomCalculator::GetDisplayText() const {
    return FPanel->GetCaption();
}

void TGclCustomCalculator::ShowDisplay(const AnsiString& Text) {
    int pad = FDisplayChars - static_cast<int>(Text.size()) - 2;
    FPanel->SetCaption(AnsiString(pad > 0 ? pad : 0, ' ') + Text + "  ");
}

int TGclCustomCalculator::DisplayHeight() {
    return GetEditHeight(FPanel->GetFont(), GetCtl3D());
}

void TGclCustomCalculator::CalculateLook() {
    RECT client;
    ::GetClientRect(GetHandle(), &client);
    int cw = client.right, ch = client.bottom;
    for (int b = cbTape; b <= cbMemSub; ++b)
        FButtons[b].Visible = true;
    int dh = DisplayHeight();
    int m = cw > 200 ? 6 : 4;
    int g = cw > 200 ? 4 : 2;
    bool memory = FOptions.Contains(coShowMemoryButtons);
    int bw, s = 0;
    if (!memory) {
        bw = (cw - 2 * m - 4 * g) / 5;
        int q = (cw - 2 * m - 4 * g) / 6;
        m += q >= 4 ? 2 : q >= 2 ? 1 : 0;
    } else {
        bw = (cw - 3 * m - 4 * g) / 6;
        s = cw - 2 * m - 6 * bw - 4 * g;
    }
    int displayWidth = memory ? 6 * bw + s + 4 * g : 5 * bw + 4 * g;
    bool tape = FOptions.Contains(coShowTape);
    int tapeHeight = tape ? FTapeHeight : 0;
    int displayTop = tape ? tapeHeight + 2 * m : m;
    if (tape && !FTapeBox) {
        FTapeBox = new TListBox(this);
        FTapeBox->SetTabStop(false);
        FTapeBox->SetStyle(lbOwnerDrawFixed);
        FTapeBox->SetColor(FColors->GetColor(TGclCalcColors::ciDisplay));
        FTapeBox->OnDrawItem = TDrawItemEvent(this, &TGclCustomCalculator::TapeDrawItem);
        FTapeBox->OnDblClick = TNotifyEvent(this, &TGclCustomCalculator::TapeDblClick);
        FTapeBox->OnClick = TNotifyEvent(this, &TGclCustomCalculator::TapeClick);
        FTapeBox->SetParent(this);
    }
    if (FTapeBox) {
        FTapeBox->GetFont()->Assign(FTape->GetFont());
        FTapeBox->SetItemHeight(TextSize(FTape->GetFont(), kTapeSample).cy);
        FTapeBox->SetVisible(tape);
        if (tape) FTapeBox->SetBounds(m, m, memory ? 6 * bw + s + 4 * g : 5 * bw + 4 * g, tapeHeight);
    }
    FPanel->SetBounds(m, displayTop, displayWidth, dh);
    int areaTop = 2 * m + dh + (tape ? tapeHeight + m : 0);
    int bh = (ch - areaTop - m - 4 * g) / 5;
    int top = ch - m - 5 * bh - 4 * g;
    int left = memory ? m + bw + s : m;
    auto place = [&](TGclCalculatorButton b, int x, int row, int width) {
        int y = top + row * (bh + g);
        FButtons[b].Position = TRect(x, y, x + width, y + bh);
    };
    auto cell = [&](TGclCalculatorButton b, int col, int row) {
        place(b, left + col * (bw + g), row, bw);
    };
    static const TGclCalculatorButton grid[4][5] = {
        {cb7, cb8, cb9, cbDiv, cbSqrt},
        {cb4, cb5, cb6, cbMul, cbPercent},
        {cb1, cb2, cb3, cbSub, cbInvert},
        {cb0, cbChangeSign, cbDecimal, cbAdd, cbEqual}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c)
            cell(grid[r][c], c, r + 1);
    static const TGclCalculatorButton memoryColumn[5] = {cbMemClear, cbMemRecall, cbMemStore,
                                                         cbMemAdd, cbMemSub};
    for (int r = 0; r < 5; ++r) {
        place(memoryColumn[r], m, r, bw);
        FButtons[memoryColumn[r]].Visible = memory;
    }
    // The edit buttons share the top row evenly.
    bool clearTape = FOptions.Contains(coShowClearTapeButton);
    FButtons[cbTape].Visible = clearTape;
    int count = clearTape ? 4 : 3;
    int span = clearTape ? 5 * bw + 3 * g : 4 * bw + 3 * g;
    int start = clearTape ? left : left + bw + g;
    int each = (span - 2 * g) / count;
    int rest = (span - 2 * g) % count;
    static const TGclCalculatorButton edits[4] = {cbTape, cbBack, cbClearEntry, cbClear};
    for (int i = 0, x = start; i < 4; ++i) {
        if (!clearTape && i == 0) continue;
        int width = each + (rest > 0 ? 1 : 0);
        if (rest > 0) --rest;
        place(edits[i], x, 0, width);
        x += width + g;
    }
    int charWidth = TextSize(FPanel->GetFont(), "0").cx;
    if (charWidth > 0) FDisplayChars = displayWidth / charWidth;
    int tapeCharWidth = TextSize(FTape->GetFont(), "0").cx;
    if (tapeCharWidth > 0) {
        // The tape's text stands left of its scroll bar.
        int tapeWidth = tape ? displayWidth - GetSystemMetrics(SM_CXVSCROLL) - 4 : displayWidth;
        FTape->SetWidthChars((tapeWidth - tapeCharWidth / 2) / tapeCharWidth);
    }
    ShowDisplay(FDisplayStr);
    RefreshDisplays();
}

void TGclCustomCalculator::RefreshDisplays() {
    FTape->Realign();
    RefreshTape();
}

int TGclCustomCalculator::GetDisplayedItemCount() {
    int height = FTapeBox ? FTapeBox->GetClientHeight() : FTapeHeight;
    int line = TextSize(FTape->GetFont(), kTapeSample).cy;
    int count = line > 0 ? height / line : 0;
    return count < 3 ? 3 : count;
}

void TGclCustomCalculator::TapeDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    TCanvas* canvas = FTapeBox->GetCanvas();
    canvas->GetFont()->Assign(FTape->GetFont());
    if (State.Contains(odSelected)) canvas->GetFont()->SetColor(clHighlightText);
    canvas->FillRect(Rect);
    if (Index >= 0 && Index < FTapeBox->GetItems()->GetCount())
        canvas->TextOut(Rect.Left + 2, Rect.Top, FTapeBox->GetItems()->Get(Index));
}

void TGclCustomCalculator::RefreshTape() {
    if (!FTapeBox || !FTapeBox->GetVisible()) return;
    TStrings* items = FTapeBox->GetItems();
    items->BeginUpdate();
    items->Clear();
    for (const AnsiString& line : FTape->Lines())
        items->Add(line);
    items->EndUpdate();
    if (FTapeBox->HandleAllocated())
        SendMessageA(FTapeBox->GetHandle(), LB_SETTOPINDEX, FTape->Lines().size() - 1, 0);
}

void TGclCustomCalculator::TapeDblClick(TObject*) {
    TakeTapeLine(FTapeBox->GetItemIndex());
}

void TGclCustomCalculator::TapeClick(TObject*) {
    if (CanFocus()) SetFocus();
}

void TGclCustomCalculator::Paint() {
    TCanvas* canvas = GetCanvas();
    canvas->GetFont()->Assign(GetFont());
    canvas->GetBrush()->SetColor(clBtnFace);
    RECT client;
    ::GetClientRect(GetHandle(), &client);
    canvas->FillRect(TRect(client.left, client.top, client.right, client.bottom));
    HDC dc = canvas->GetHandle();
    SetBkMode(dc, TRANSPARENT);
    for (int b = cbTape; b <= cbMemSub; ++b) {
        const TButtonInfo& info = FButtons[b];
        if (!info.Visible) continue;
        RECT r{info.Position.Left, info.Position.Top, info.Position.Right, info.Position.Bottom};
        DrawFrameControl(dc, &r, DFC_BUTTON,
                         DFCS_BUTTONPUSH | (b == FPressed ? DFCS_PUSHED : 0));
        using C = TGclCalcColors;
        int group;
        if (b <= cbClear) group = C::ciEditButtons;
        else if (b <= cbDiv || b == cbEqual) group = C::ciOperatorButtons;
        else if (b <= cbDecimal) group = C::ciNumberButtons;
        else if (b <= cbSqrt) group = C::ciFunctionButtons;
        else if ((b == cbMemClear || b == cbMemRecall) && FEngine->Memory == 0)
            group = C::ciDisabledMemoryButtons;
        else group = C::ciMemoryButtons;
        TColor color = FColors->GetColor(group);
        SetTextColor(dc, ColorToRGB(color));
        DrawTextA(dc, info.Caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (b == cbEqual && GetFocus() == GetHandle()) {
            InflateRect(&r, -3, -3);
            DrawFocusRect(dc, &r);
        }
    }
}

void TGclCustomCalculator::RepaintButton(TGclCalculatorButton Button) {
    if (!HandleAllocated() || Button <= cbNone || Button > cbSubTotal) return;
    const TRect& p = FButtons[Button].Position;
    RECT r{p.Left, p.Top, p.Right, p.Bottom};
    InvalidateRect(GetHandle(), &r, FALSE);
    UpdateWindow(GetHandle());
}

TGclCalculatorButton TGclCustomCalculator::ButtonAt(int X, int Y) const {
    for (int b = cbTape; b <= cbMemSub; ++b) {
        const TButtonInfo& info = FButtons[b];
        if (!info.Visible) continue;
        const TRect& p = info.Position;
        if (X >= p.Left && X < p.Right && Y >= p.Top && Y < p.Bottom) {
            auto button = static_cast<TGclCalculatorButton>(b);
            // With nothing in memory there is nothing to clear or recall.
            if ((button == cbMemClear || button == cbMemRecall) && FEngine->Memory == 0)
                return cbNone;
            return button;
        }
    }
    return cbNone;
}

void TGclCustomCalculator::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGclCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || StartTapeSizing(Y)) return;
    if (CanFocus()) SetFocus();
    FMouseButton = ButtonAt(X, Y);
    if (FMouseButton == cbNone) return;
    FPressed = FMouseButton;
    RepaintButton(FPressed);
}

void TGclCustomCalculator::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGclCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || EndTapeSizing() || FMouseButton == cbNone) return;
    TGclCalculatorButton down = FMouseButton;
    FMouseButton = cbNone;
    // A press counts only when released over the button it started on.
    if (ButtonAt(X, Y) == down) PressButton(down);
    TGclCalculatorButton shown = FPressed;
    FPressed = cbNone;
    RepaintButton(shown);
}

void TGclCustomCalculator::WMCancelMode(TMessage& Msg) {
    TGclCustomControl::Dispatch(Msg);
    if (FSizing) {
        FSizing = false;
        DrawSizeLine();
    }
    TGclCalculatorButton shown = FPressed;
    FMouseButton = FPressed = cbNone;
    RepaintButton(shown);
}

void TGclCustomCalculator::WMFocusChanged(TMessage& Msg) {
    TGclCustomControl::Dispatch(Msg);
    if (Msg.Msg == WM_KILLFOCUS && FPressed != cbNone) {
        TGclCalculatorButton shown = FPressed;
        FMouseButton = FPressed = cbNone;
        RepaintButton(shown);
    }
    RepaintButton(cbEqual);
}

void TGclCustomCalculator::WMGetDlgCode(TMessage& Msg) {
    // A popup hands Tab to the edit that opened it.
    Msg.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | (FPopup ? DLGC_WANTTAB : 0);
}

void TGclCustomCalculator::KeyDown(Word& Key, TShiftState Shift) {
    TGclCustomControl::KeyDown(Key, Shift);
    bool plain = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    if (Key == VK_DELETE && plain) PressButton(cbClearEntry);
    else if (Key == VK_F9 && plain) PressButton(cbChangeSign);
    else if (Key == VK_RETURN) PressButton(cbEqual);
    else if (Key == 'M' && Shift.Contains(ssCtrl)) PressButton(cbMemStore);
}

void TGclCustomCalculator::KeyPress(char& Key) {
    TGclCustomControl::KeyPress(Key);
    switch (Key) {
    case 3: CopyToClipboard(); break;
    case 22: PasteFromClipboard(); break;
    default: TypeChar(Key); break;
    }
}

void TGclCustomCalculator::TypeChar(char Key) {
    TGclCalculatorButton b = cbNone;
    switch (Key) {
    case 8: b = cbBack; break;
    case 12: b = cbMemClear; break;
    case 16: b = cbMemAdd; break;
    case 18: b = cbMemRecall; break;
    case 19: b = cbMemSub; break;
    case 20: b = cbTape; break;
    case 27: b = cbClear; break;
    case '%': b = cbPercent; break;
    case '*': b = cbMul; break;
    case '+': b = cbAdd; break;
    case '-': b = cbSub; break;
    case '.': b = cbDecimal; break;
    case '/': b = cbDiv; break;
    case '=': b = cbEqual; break;
    case '@': b = cbSqrt; break;
    case 'r': b = cbInvert; break;
    default:
        if (Key >= '0' && Key <= '9') b = static_cast<TGclCalculatorButton>(cb0 + (Key - '0'));
        else if (Key == CalcDecimalSeparator()) b = cbDecimal;
        break;
    }
    if (b != cbNone) PressButton(b);
}

void TGclCustomCalculator::CopyToClipboard() {
    Clipboard()->SetAsText(GetDisplayText());
}

void TGclCustomCalculator::PasteFromClipboard() {
    AnsiString text = Clipboard()->GetAsText();
    if (text.empty()) return;
    ClearAll();
    static const AnsiString accepted = "%*+-./0123456789=";
    for (char c : text)
        if (accepted.find(c) != AnsiString::npos || c == CalcDecimalSeparator()) TypeChar(c);
}

void TGclCustomCalculator::WMGetText(TMessage& Msg) {
    AnsiString text = GetDisplayText();
    auto size = static_cast<std::size_t>(Msg.WParam);
    char* buffer = reinterpret_cast<char*>(Msg.LParam);
    if (size == 0 || !buffer) {
        Msg.Result = 0;
        return;
    }
    std::size_t n = std::min(size - 1, text.size());
    memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    Msg.Result = static_cast<LRESULT>(n);
}

void TGclCustomCalculator::WMGetTextLength(TMessage& Msg) {
    Msg.Result = static_cast<LRESULT>(GetDisplayText().size());
}

void TGclCustomCalculator::WMSetText(TMessage& Msg) {
    ClearAll();
    if (const char* text = reinterpret_cast<const char*>(Msg.LParam))
        for (; *text; ++text)
            TypeChar(*text);
    Msg.Result = 1;
}

void TGclCustomCalculator::Published(TPropertyList& P) {
    using T = TGclCustomCalculator;
    P.Add("Align", &TControl::GetAlign, &TControl::SetAlign, alNone);
    P.Add("BorderStyle", &T::GetBorderStyle, &T::SetBorderStyle, bsNone);
    // Setting the 3-D look or the font clears the matching Parent flag, so each flag
    // comes after its value.
    P.Add("Ctl3D", &TControl::GetCtl3D, &TControl::SetCtl3D, true);
    P.Add("ParentCtl3D", &TControl::GetParentCtl3D, &TControl::SetParentCtl3D);
    P.Add("Font", &TControl::GetFont);
    P.Add("ParentFont", &TControl::GetParentFont, &TControl::SetParentFont);
    P.Add("TapeFont", &T::GetTapeFont, &T::SetTapeFont);
    P.Add("Cursor", &TControl::GetCursor, &TControl::SetCursor, crDefault)
        .Idents(CursorToIdent, IdentToCursor);
    P.Add("Enabled", &TControl::GetEnabled, &TControl::SetEnabled, true);
    P.Add("PopupMenu", &TControl::GetPopupMenu, &TControl::SetPopupMenu);
    P.Add("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint, false);
    P.Add("ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint);
    P.Add("TabOrder", &TWinControl::GetTabOrder, &TWinControl::SetTabOrder);
    P.Add("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop);
    P.Add("Visible", &TControl::GetVisible, &TControl::SetVisible, true);
    PublishMouseEvents(P);
    P.Add("OnKeyDown", &TWinControl::OnKeyDown);
    P.Add("OnKeyPress", &TWinControl::OnKeyPress);
    P.Add("OnKeyUp", &TWinControl::OnKeyUp);
    P.Add("OnEnter", &TWinControl::OnEnter);
    P.Add("OnExit", &TWinControl::OnExit);
    P.Add("Decimals", &TGclCustomCalculator::GetDecimals, &TGclCustomCalculator::SetDecimals, 2);
    P.Add("Options", &TGclCustomCalculator::GetOptions, &TGclCustomCalculator::SetOptions,
          TGclCalculatorOptions{coShowItemCount, coShowMemoryButtons});
    P.Add("Colors", &TGclCustomCalculator::GetColors);
    P.Add("MaxPaperCount", &TGclCustomCalculator::GetMaxPaperCount,
          &TGclCustomCalculator::SetMaxPaperCount, 9999);
    P.Add("TapeHeight", &TGclCustomCalculator::GetTapeHeight, &TGclCustomCalculator::SetTapeHeight);
    P.Add("TapeSeparatorChar", &TGclCustomCalculator::GetTapeSeparatorChar,
          &TGclCustomCalculator::SetTapeSeparatorChar, '_');
    P.Add("OnButtonPressed", &TGclCustomCalculator::OnButtonPressed);
}

REGISTER_CLASS(TGclCalculator);

namespace {
void StartCalculator() {
    RegisterEnum<TGclCalculatorOption>({"coShowItemCount", "coShowMemoryButtons",
                                        "coShowClearTapeButton", "coShowTape",
                                        "coShowSeparatePercent"});
    RegisterEnum<TGclCalcColorScheme>(
        {"cscalcCustom", "cscalcWindows", "cscalcDark", "cscalcOcean", "cscalcPlain"});
}
} // namespace

DEFINE_UNIT(gclcalc, uoGridModules, StartCalculator, nullptr);
