// Entry-field input: keys through the controller's command processor, focus gain and
// loss, mouse, clipboard, the selection messages and the context menu.
#include "classlib/Clipboard.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "grid/gclconst.h"
#include "grid/gcldata.h"
#include "grid/gclef.h"
#include "grid/gclmisc.h"

#include <memory>

namespace {
bool IsModifying(Word Cmd) {
    return Cmd == ccPaste || Cmd == ccBack || (Cmd >= ccCtrlChar && Cmd <= ccDelWord) ||
           Cmd == ccInc || Cmd == ccRestore || Cmd == ccChar;
}
} // namespace

void TGclBaseEntryField::CreateParams(TCreateParams& Params) {
    TGclCustomControlEx::CreateParams(Params);
    if (FMaxLength == 0) FMaxLength = static_cast<int>(FPicture.size());
    if (FBorderStyle != bsSingle) return;
    if (NewStyleControls && GetCtl3D())
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

void TGclBaseEntryField::CreateWnd() {
    TGclCustomControlEx::CreateWnd();
    FSelStart = FSelEnd = 0;
    FDataSize = 0;
    efRemoveBadOptions();
    efAdjustSize();
}

void TGclBaseEntryField::efPerformEdit(TMessage& Msg, Word Cmd) {
    if (!HandleAllocated()) return;
    if (Cmd == ccChar && static_cast<char>(Msg.WParam) == '\0') return;
    if (FOptions.Contains(efoReadOnly) && IsModifying(Cmd)) {
        efConditionalBeep();
        return;
    }
    if (Cmd >= ccUserFirst) {
        if (OnUserCommand.Assigned()) OnUserCommand(this, Cmd);
        Cmd = ccUserDone;
    }
    efEdit(Msg, Cmd);
}

void TGclBaseEntryField::ProcessCommand(Word Cmd, Word CharCode) {
    TMessage msg{WM_CHAR, CharCode, 0, 0};
    efPerformEdit(msg, Cmd);
}

void TGclBaseEntryField::IncDec(bool Wrap, double Delta) {
    if (!HandleAllocated()) return;
    SendMessageA(GetHandle(), WM_SETREDRAW, 0, 0);
    efIncDecValue(Wrap, Delta);
    SendMessageA(GetHandle(), WM_SETREDRAW, 1, 0);
    FSelStart = FSelEnd = 0;
    Invalidate();
}

void TGclBaseEntryField::IncreaseValue(bool Wrap, double Delta) {
    IncDec(Wrap, Delta);
}

void TGclBaseEntryField::DecreaseValue(bool Wrap, double Delta) {
    IncDec(Wrap, -Delta);
}

void TGclBaseEntryField::MoveCaret(int N) {
    if (!FHasFocus) return;
    for (int i = 0; i < (N < 0 ? -N : N); ++i)
        ProcessCommand(N < 0 ? ccLeft : ccRight, 0);
}

void TGclBaseEntryField::MoveCaretToEnd() {
    SetCaretPos(static_cast<int>(FEditString.size()));
}

void TGclBaseEntryField::MoveCaretToStart() {
    FFirstChar = 0;
    SetCaretPos(0);
}

void TGclBaseEntryField::efMoveFocus(TWinControl* Control) {
    GetController()->PostFocusControl(Control);
}

void TGclBaseEntryField::efMoveFocusToNextField() {
    if (TCustomForm* form = GetParentForm()) PostMessageA(form->GetHandle(), WM_NEXTDLGCTL, 0, 0);
}

void TGclBaseEntryField::efMoveFocusToPrevField() {
    if (TCustomForm* form = GetParentForm()) PostMessageA(form->GetHandle(), WM_NEXTDLGCTL, 1, 0);
}

void TGclBaseEntryField::WMKeyDown(TMessage& Msg) {
    TGclCustomControlEx::Dispatch(Msg);
    Word key = static_cast<Word>(Msg.WParam);
    if (key == 0 || key == VK_SHIFT) return;
    Word cmd = GetController()->GetEntryCommands()->Translate(Msg);
    if (cmd == ccUndo) cmd = ccRestore;
    if (cmd == ccNone) return;
    if (cmd == ccIns && (FOptions.Contains(efoForceInsert) || FOptions.Contains(efoForceOvertype)))
        return;
    switch (cmd) {
    case ccCopy: Perform(WM_COPY, 0, 0); break;
    case ccCut: Perform(WM_CUT, 0, 0); break;
    case ccPaste: Perform(WM_PASTE, 0, 0); break;
    default: efPerformEdit(Msg, cmd); break;
    }
}

void TGclBaseEntryField::WMSysKeyDown(TMessage& Msg) {
    Word key = static_cast<Word>(Msg.WParam);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) FCharExpected = true;
    if (key == VK_TAB || key == VK_MENU) {
        TGclCustomControlEx::Dispatch(Msg);
        return;
    }
    Word cmd = GetController()->GetEntryCommands()->TranslateKey(key, TShiftState{ssAlt});
    if (cmd == ccNone || cmd == cmdNoMatch) {
        TGclCustomControlEx::Dispatch(Msg);
        return;
    }
    efPerformEdit(Msg, cmd);
}

void TGclBaseEntryField::WMChar(TMessage& Msg) {
    TGclCustomControlEx::Dispatch(Msg);
    char ch = static_cast<char>(Msg.WParam);
    // Control keys arrive as commands through the key-down.
    if (static_cast<unsigned char>(ch) >= 32 || FCharExpected) efPerformEdit(Msg, ccChar);
    FCharExpected = false;
}

void TGclBaseEntryField::WMSetFocus(TMessage& Msg) {
    TGclController* controller = GetController();
    HWND losing = reinterpret_cast<HWND>(Msg.WParam);
    FHasFocus = true;
    controller->GetEntryCommands()->ResetCommandProcessor();
    if (FInError && losing && IsWindow(losing)) {
        // The field was left in error: end whatever drag or capture the other window
        // had begun, at the pointer's place.
        SendMessageA(losing, WM_CANCELMODE, 0, 0);
        POINT p{};
        GetCursorPos(&p);
        ::ScreenToClient(losing, &p);
        SendMessageA(losing, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        Show();
        if (TCustomForm* form = GetParentForm()) form->SetActiveControl(this);
    }
    if (!FOptions.Contains(efoForceInsert) && !FOptions.Contains(efoForceOvertype))
        FInsert = controller->InsertMode;
    // Coming back after leaving for no sibling, or after a refused exit.
    bool returning = FHeldBack || FLostToNone;
    bool byMouse = FFocusByMouse;
    FHeldBack = FLostToNone = FFocusByMouse = false;
    if (!returning && !controller->ErrorPending) {
        if (!FInError) FModified = false;
        controller->DoOnPreEdit(this, FindControl(losing));
        FSavedEditString = FEditString;
        FHasSaved = true;
    }
    if (!returning) controller->ErrorPending = false;
    TGclCustomControlEx::Dispatch(Msg);
    if (FOptions.Contains(efoForceInsert)) FInsert = true;
    if (FOptions.Contains(efoForceOvertype)) FInsert = false;
    FCarets->SetInsMode(FInsert);
    FCarets->SetLinked(true);
    FCarets->SetVisible(true);
    if (returning || byMouse) {
        SetCaretPos(FCaretPos);
    } else {
        SetCaretPos(FOptions.Contains(efoCaretToEnd) ? static_cast<int>(FEditString.size()) : 0);
        if (controller->EntryOptions.Contains(efoAutoSelect) && !controller->ErrorPending)
            SelectAll();
    }
    Invalidate();
}

void TGclBaseEntryField::WMKillFocus(TMessage& Msg) {
    HWND gaining = reinterpret_cast<HWND>(Msg.WParam);
    TControl* gainingControl = gaining ? FindControl(gaining) : nullptr;
    // Only a window of the same form counts as the next field.
    bool sibling = gainingControl && GetImmediateParentForm(gainingControl) == GetImmediateParentForm(this);
    FLostToNone = !sibling;
    FCarets->SetLinked(false);
    if (GetCapture() == GetHandle()) ReleaseCapture();
    TGclCustomControlEx::Dispatch(Msg);
    TGclController* controller = GetController();
    if (!FOptions.Contains(efoForceInsert) && !FOptions.Contains(efoForceOvertype))
        controller->InsertMode = FInsert;
    FHasFocus = false;
    if (!FInError && sibling) {
        if (FModified) FUninitialized = false;
        if (controller->IsSpecialButton(gaining))
            FLastError = efValidateField();
        else
            efCanClose(true);
    }
    if (sibling) controller->DoOnPostEdit(this, dynamic_cast<TWinControl*>(gainingControl));
    FFirstChar = 0;
    FCaretPos = 0;
    Invalidate();
}

void TGclBaseEntryField::WMLButtonDown(TMessage& Msg) {
    if (!FHasFocus) {
        FSelStart = FSelEnd = 0;
        FFocusByMouse = true;
        if (CanFocus()) SetFocus();
        FFocusByMouse = false;
        return;
    }
    SetCapture(GetHandle());
    efPerformEdit(Msg, ccMouse);
}

void TGclBaseEntryField::WMLButtonDblClk(TMessage& Msg) {
    if (FHasFocus) efPerformEdit(Msg, ccDblClk);
}

void TGclBaseEntryField::WMMouseMove(TMessage& Msg) {
    TGclCustomControlEx::Dispatch(Msg);
    if (GetCapture() == GetHandle() && (GetAsyncKeyState(GetLeftButton()) & 0x8000))
        efPerformEdit(Msg, ccMouseMove);
}

void TGclBaseEntryField::WMRButtonUp(TMessage& Msg) {
    if (GetPopupMenu()) {
        TGclCustomControlEx::Dispatch(Msg);
        return;
    }
    bool readOnly = FOptions.Contains(efoReadOnly);
    bool selection = FSelEnd > FSelStart;
    auto menu = std::make_unique<TPopupMenu>(nullptr);
    auto item = [&](Word Text, bool Enabled, TNotifyEvent Action) {
        auto* it = new TMenuItem(menu.get());
        it->SetCaption(Text ? GetGclStr(Text) : AnsiString("-"));
        it->SetEnabled(Enabled);
        it->OnClick = Action;
        menu->GetItems()->Add(it);
    };
    item(30287, FModified, TNotifyEvent::FromCallable([this](TObject*) { Restore(); }));
    item(0, true, nullptr);
    item(30288, selection && !readOnly, TNotifyEvent::FromCallable([this](TObject*) { Perform(WM_CUT, 0, 0); }));
    item(30289, selection, TNotifyEvent::FromCallable([this](TObject*) { Perform(WM_COPY, 0, 0); }));
    item(30290, !readOnly && IsClipboardFormatAvailable(CF_TEXT),
         TNotifyEvent::FromCallable([this](TObject*) { Perform(WM_PASTE, 0, 0); }));
    item(30291, selection && !readOnly, TNotifyEvent::FromCallable([this](TObject*) { Perform(WM_CLEAR, 0, 0); }));
    item(0, true, nullptr);
    item(30292, GetSelLength() < static_cast<int>(FEditString.size()),
         TNotifyEvent::FromCallable([this](TObject*) { SelectAll(); }));
    POINT p{static_cast<short>(LOWORD(Msg.LParam)), static_cast<short>(HIWORD(Msg.LParam))};
    ::ClientToScreen(GetHandle(), &p);
    menu->Popup(p.x, p.y);
}

void TGclBaseEntryField::WMGetDlgCode(TMessage& Msg) {
    TGclCustomControlEx::Dispatch(Msg);
    if (GetComponentState().Contains(csDesigning))
        Msg.Result = DLGC_STATIC;
    else
        Msg.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TGclBaseEntryField::WMEraseBkgnd(TMessage& Msg) {
    Msg.Result = 1;
}

// ---- Clipboard ---------------------------------------------------------------------------

void TGclBaseEntryField::efCopyPrim() {
    if (FSelEnd <= FSelStart) return;
    AnsiString display = GetDisplayString();
    AnsiString text;
    for (int i = FSelStart; i < FSelEnd && i < static_cast<int>(display.size()); ++i) {
        unsigned char raw = static_cast<unsigned char>(FEditString[i]);
        text += raw >= 1 && raw <= 31 ? FEditString[i] : display[i];
    }
    Clipboard()->SetAsText(text);
}

void TGclBaseEntryField::CopyToClipboard() {
    if (HandleAllocated()) SendMessageA(GetHandle(), WM_COPY, 0, 0);
}

void TGclBaseEntryField::CutToClipboard() {
    if (HandleAllocated()) SendMessageA(GetHandle(), WM_CUT, 0, 0);
}

void TGclBaseEntryField::PasteFromClipboard() {
    if (HandleAllocated()) SendMessageA(GetHandle(), WM_PASTE, 0, 0);
}

void TGclBaseEntryField::ClearSelection() {
    if (HandleAllocated()) SendMessageA(GetHandle(), WM_CLEAR, 0, 0);
}

void TGclBaseEntryField::WMCopy(TMessage& Msg) {
    efCopyPrim();
    efPerformEdit(Msg, ccCopy);
}

void TGclBaseEntryField::WMCut(TMessage& Msg) {
    efCopyPrim();
    efPerformEdit(Msg, ccCut);
}

void TGclBaseEntryField::WMClear(TMessage& Msg) {
    efPerformEdit(Msg, ccCut);
}

void TGclBaseEntryField::WMPaste(TMessage& Msg) {
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(GetHandle())) return;
    HANDLE data = GetClipboardData(CF_TEXT);
    // Text that cannot be locked is no text: nothing is pasted.
    if (const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
        TMessage paste{WM_PASTE, 0, reinterpret_cast<LPARAM>(text), 0};
        efPerformEdit(paste, ccPaste);
        GlobalUnlock(data);
    }
    CloseClipboard();
    Msg.Result = 0;
}

void TGclBaseEntryField::WMSetText(TMessage& Msg) {
    SelectAll();
    TMessage paste{WM_PASTE, 0, Msg.LParam, 0};
    efPerformEdit(paste, ccPaste);
    Msg.Result = 1;
}

// ---- Selection ---------------------------------------------------------------------------

void TGclBaseEntryField::SetSelection(int Start, int End) {
    if (End < Start) return;
    int length = static_cast<int>(FEditString.size());
    Start = Start < 0 ? 0 : Start > length ? length : Start;
    End = End > length ? length : End;
    if (FFieldClass == 2 && End > Start) {
        Start = 0;
        End = length;
    }
    FSelStart = Start;
    FSelEnd = End;
    Invalidate();
}

void TGclBaseEntryField::SetSelStart(int Value) {
    SetSelection(Value, Value);
}

void TGclBaseEntryField::SetSelLength(int Value) {
    SetSelection(FSelStart, FSelStart + Value);
}

AnsiString TGclBaseEntryField::GetSelText() const {
    int start = FSelStart < static_cast<int>(FEditString.size()) ? FSelStart
                                                                : static_cast<int>(FEditString.size());
    return FEditString.substr(start, GetSelLength()).substr(0, 255);
}

void TGclBaseEntryField::SetSelText(const AnsiString& Value) {
    TMessage paste{WM_PASTE, 0, reinterpret_cast<LPARAM>(Value.c_str()), 0};
    efPerformEdit(paste, ccPaste);
}

void TGclBaseEntryField::SelectAll() {
    if (HandleAllocated())
        SendMessageA(GetHandle(), EM_SETSEL, 0, -1);
    else
        SetSelection(0, static_cast<int>(FEditString.size()));
}

void TGclBaseEntryField::EMGetSel(TMessage& Msg) {
    if (Msg.WParam) *reinterpret_cast<DWORD*>(Msg.WParam) = static_cast<DWORD>(FSelStart);
    if (Msg.LParam) *reinterpret_cast<DWORD*>(Msg.LParam) = static_cast<DWORD>(FSelEnd);
    Msg.Result = MAKELRESULT(FSelStart, FSelEnd);
}

void TGclBaseEntryField::EMSetSel(TMessage& Msg) {
    // The system's convention: start in wParam, end in lParam; 0 to -1 selects all and
    // a start of -1 selects nothing.
    int start = static_cast<int>(static_cast<INT_PTR>(Msg.WParam));
    int end = static_cast<int>(static_cast<INT_PTR>(Msg.LParam));
    int length = static_cast<int>(FEditString.size());
    if (start == -1)
        SetSelection(FCaretPos, FCaretPos);
    else if (start == 0 && end == -1)
        SetSelection(0, length);
    else if (end == -1)
        SetSelection(start, length);
    else
        SetSelection(start < end ? start : end, start < end ? end : start);
}

void TGclBaseEntryField::EMGetModify(TMessage& Msg) {
    Msg.Result = FModified;
}

void TGclBaseEntryField::EMSetModify(TMessage& Msg) {
    if (static_cast<INT_PTR>(Msg.WParam) > 0) {
        FModified = true;
        FEverModified = true;
    } else {
        FModified = false;
    }
    Invalidate();
}
