// The keyboard focus among a control's children, the tab order, and the keys.
#include "classlib/WinControls.h"

#include <algorithm>

namespace {

// The form a control sits on, as a windowed control; null when none.
TWinControl* FormWindow(const TControl* Control) {
    return dynamic_cast<TWinControl*>(Control->GetFormHost());
}

// The form that sees Control's keys before it does, or null.
TWinControl* KeyPreviewer(TWinControl* Control) {
    TFormHost* host = Control->GetFormHost();
    TWinControl* form = dynamic_cast<TWinControl*>(host);
    return form && form != Control && host->GetKeyPreview() ? form : nullptr;
}

} // namespace

// ---- Focus ---------------------------------------------------------------------------

void TWinControl::SetTabStop(bool Value) {
    if (Value == FTabStop) return;
    FTabStop = Value;
    if (FHandle) {
        LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE);
        style = Value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrA(FHandle, GWL_STYLE, style);
    }
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

int TWinControl::GetTabOrder() const {
    if (!FParent) return -1;
    const auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
    // Read from a form resource: the parent sorts its list once, when loaded.
    if (GetComponentState().Contains(csLoading)) {
        FTabOrderWanted = Value;
        return;
    }
    if (!FParent) return;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    int count = static_cast<int>(list.size());
    int index = Value < 0 || Value > count ? count : Value;
    list.insert(list.begin() + index, this);
}

void TWinControl::SortTabList() {
    std::vector<std::pair<int, TWinControl*>> keyed;
    for (std::size_t i = 0; i < FTabList.size(); ++i) {
        TWinControl* c = FTabList[i];
        keyed.emplace_back(c->FTabOrderWanted >= 0 ? c->FTabOrderWanted : static_cast<int>(i), c);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        FTabList[i] = keyed[i].second;
        // In place now: the loaded siblings that come next need no sort of their own.
        FTabList[i]->FTabOrderWanted = -1;
    }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
    for (TWinControl* c : FTabList) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

bool TWinControl::CanFocus() {
    if (GetComponentState().Contains(csDestroying)) return false;
    const TControl* c = this;
    for (; c; c = c->GetParent())
        if (!c->GetVisible() || !c->GetEnabled()) return false;
    return true;
}

bool TWinControl::HasWindowsInside() const {
    return FDefWndProc || std::any_of(FControls.begin(), FControls.end(),
                                      [](const TControl* c) { return c->IsWindowed(); });
}

void TWinControl::SetFocus() {
    TFormHost* form = GetFormHost();
    if (form && FormWindow(this) != this) {
        form->FocusControl(this);
        return;
    }
    ::SetFocus(GetHandle());
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward,
                                          bool CheckTabStop, bool CheckParent) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int count = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), CurControl);
    int start =
        found == list.end() ? (GoForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
    int i = start;
    for (int step = 0; step < count; ++step) {
        i = GoForward ? (i + 1) % count : (i - 1 + count) % count;
        TWinControl* c = list[static_cast<std::size_t>(i)];
        if (c == CurControl) break;
        if (c->CanFocus() && (!CheckTabStop || c->FTabStop) && (!CheckParent || c->FParent == this))
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
    if (next) next->SetFocus();
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&) {
    DoEnter();
}

void TWinControl::CMExit(TMessage&) {
    DoExit();
}

void TWinControl::CMFocusChanged(TMessage& Message) {
    for (std::size_t i = 0; i < FControls.size(); ++i) {
        TMessage copy = Message;
        FControls[i]->WindowProc(copy);
    }
}

// ---- Keyboard --------------------------------------------------------------------------

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

bool TWinControl::DoKeyDown(TWMKey& Message) {
    TComponentProtector protect(this);
    TWinControl* form = KeyPreviewer(this);
    if (form && form->DoKeyDown(Message))
        return true;
    if (IsDestroying()) return true;
    if (GetControlStyle().Contains(csNoStdEvents)) return false;
    Word key = Message.CharCode();
    KeyDown(key, KeyDataToShiftState(Message.KeyData()));
    if (IsDestroying() || key == 0) return true;
    Message.SetCharCode(key);
    return false;
}

bool TWinControl::DoKeyPress(TWMKey& Message) {
    TComponentProtector protect(this);
    TWinControl* form = KeyPreviewer(this);
    if (form && form->DoKeyPress(Message))
        return true;
    if (IsDestroying()) return true;
    if (GetControlStyle().Contains(csNoStdEvents)) return false;
    char key = static_cast<char>(Message.CharCode());
    KeyPress(key);
    if (IsDestroying() || key == 0) return true;
    Message.SetCharCode(static_cast<Byte>(key));
    return false;
}

bool TWinControl::DoKeyUp(TWMKey& Message) {
    TComponentProtector protect(this);
    TWinControl* form = KeyPreviewer(this);
    if (form && form->DoKeyUp(Message))
        return true;
    if (IsDestroying()) return true;
    if (GetControlStyle().Contains(csNoStdEvents)) return false;
    Word key = Message.CharCode();
    KeyUp(key, KeyDataToShiftState(Message.KeyData()));
    if (IsDestroying() || key == 0) return true;
    Message.SetCharCode(key);
    return false;
}

void TWinControl::CNKeyDown(TWMKey& Message) {
    TComponentProtector protect(this);
    Message.Result = 1;
    TFormHost* host = GetFormHost();
    if (host && host->IsShortCut(Message)) return;
    TWinControl* form = FormWindow(this);
    if (IsDestroying()) return;
    Word key = Message.CharCode();
    DWORD mask = 0;
    switch (key) {
    case VK_TAB:
        mask = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
        mask = DLGC_WANTALLKEYS;
        break;
    default:
        break;
    }
    if (mask != 0 && Message.Msg() == CN_KEYDOWN &&
        Perform(CM_WANTSPECIALKEY, key, Message.KeyData()) == 0) {
        MSG msg{FHandle, WM_KEYDOWN, key, Message.KeyData(), 0, {0, 0}};
        LRESULT code = Perform(WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&msg));
        if (IsDestroying()) return;
        if ((code & mask) == 0 && form && form->Perform(CM_DIALOGKEY, key, Message.KeyData()) != 0)
            return;
        if (IsDestroying()) return;
    }
    Message.Result = 0;
}

void TWinControl::CNChar(TWMKey& Message) {
    Message.Result = 1;
    MSG msg{FHandle, WM_CHAR, Message.CharCode(), Message.KeyData(), 0, {0, 0}};
    LRESULT code = Perform(WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&msg));
    TWinControl* form = FormWindow(this);
    if ((code & DLGC_WANTCHARS) == 0 && form &&
        form->Perform(CM_DIALOGCHAR, Message.CharCode(), Message.KeyData()) != 0)
        return;
    Message.Result = 0;
}

void TWinControl::CNSysChar(TWMKey& Message) {
    TWinControl* form = FormWindow(this);
    Message.Result =
        form && form->Perform(CM_DIALOGCHAR, Message.CharCode(), Message.KeyData()) != 0;
}

void TWinControl::CMDialogKey(TWMKey& Message) {
    Broadcast(Message.Message);
}

void TWinControl::CMDialogChar(TWMKey& Message) {
    Broadcast(Message.Message);
}
