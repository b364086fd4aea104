// The MDI parts of forms and of the application's message loop.
#include "classlib/Forms.h"

#include "classlib/Exceptions.h"
#include "classlib/List.h"
#include "classlib/Menus.h"
#include "classlib/Strings.h"

#include <algorithm>

namespace {

// Commands of the client's own window menu start here, clear of the program's.
constexpr UINT kFirstMDIChildId = 0xFF00;

} // namespace

void TCustomForm::CreateMDIClient() {
    CLIENTCREATESTRUCT client{nullptr, kFirstMDIChildId};
    // The children keep the styles their forms ask for.
    FClientHandle =
        CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL |
                            WS_VSCROLL | MDIS_ALLCHILDSTYLES,
                        0, 0, 0, 0, GetHandle(), nullptr, GetModuleHandleA(nullptr), &client);
    if (!FClientHandle)
        throw EOutOfResources(
            Format("Cannot create the MDI client window of form '%s'", GetName()));
    Realign();
}

HWND TCustomForm::MDIParentClient() {
    TCustomForm* main = Application ? Application->GetMainForm() : nullptr;
    return main && main->FFormStyle == fsMDIForm ? main->FClientHandle : nullptr;
}

void TCustomForm::AlignControls(TControl* AControl, TRect& Rect) {
    TWinControl::AlignControls(AControl, Rect);
    // The client window takes what the aligned controls leave.
    if (FClientHandle)
        SetWindowPos(FClientHandle, nullptr, Rect.Left, Rect.Top, std::max(Rect.Width(), 0),
                     std::max(Rect.Height(), 0), SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TCustomForm::DefaultWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    HWND wnd = GetHandle();
    if (GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_MDICHILD)
        return DefMDIChildProcA(wnd, Msg, WParam, LParam);
    // The frame's own procedure would size the client window over the aligned controls.
    if (FClientHandle && Msg != WM_SIZE)
        return DefFrameProcA(wnd, FClientHandle, Msg, WParam, LParam);
    return TWinControl::DefaultWindowProc(Msg, WParam, LParam);
}

void TCustomForm::DestroyWindowHandle() {
    if (HandleAllocated()) {
        HWND wnd = GetHandle();
        HWND client = ::GetParent(wnd);
        // An MDI child leaves through its client window, which keeps account of its children.
        if (client && (GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
            SetControlState(GetControlState().Include(csDestroyingHandle));
            SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(wnd), 0);
            SetControlState(GetControlState().Exclude(csDestroyingHandle));
        }
    }
    // What the client window left, if anything.
    if (HandleAllocated()) TWinControl::DestroyWindowHandle();
}

std::vector<TCustomForm*> TCustomForm::GetMDIChildList() const {
    std::vector<TCustomForm*> children;
    if (!FClientHandle) return children;
    for (HWND wnd = ::GetWindow(FClientHandle, GW_CHILD); wnd;
         wnd = ::GetWindow(wnd, GW_HWNDNEXT)) {
        auto* form = dynamic_cast<TCustomForm*>(FindControl(wnd));
        if (form && form->FFormStyle == fsMDIChild && !form->IsDestroying())
            children.push_back(form);
    }
    return children;
}

int TCustomForm::GetMDIChildCount() const {
    return static_cast<int>(GetMDIChildList().size());
}

TCustomForm* TCustomForm::GetMDIChildren(int Index) const {
    const std::vector<TCustomForm*> children = GetMDIChildList();
    if (Index < 0 || Index >= static_cast<int>(children.size())) ListIndexError(Index);
    return children[static_cast<std::size_t>(Index)];
}

TCustomForm* TCustomForm::GetActiveMDIChild() const {
    if (!FClientHandle) return nullptr;
    auto wnd = reinterpret_cast<HWND>(SendMessageA(FClientHandle, WM_MDIGETACTIVE, 0, 0));
    auto* form = dynamic_cast<TCustomForm*>(FindControl(wnd));
    return form && !form->IsDestroying() ? form : nullptr;
}

void TCustomForm::SetWindowMenu(TMenuItem* Value) {
    if (Value == FWindowMenu) return;
    SetReference(this, FWindowMenu, Value);
}

void TCustomForm::Tile() {
    if (FClientHandle) SendMessageA(FClientHandle, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void TCustomForm::Cascade() {
    if (FClientHandle) SendMessageA(FClientHandle, WM_MDICASCADE, 0, 0);
}

void TCustomForm::ArrangeIcons() {
    if (FClientHandle) SendMessageA(FClientHandle, WM_MDIICONARRANGE, 0, 0);
}

void TCustomForm::ActivateMDIChild() {
    if (!HandleAllocated() || !IsWindowVisible(GetHandle())) return;
    if (HWND client = ::GetParent(GetHandle()))
        SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(GetHandle()), 0);
}

void TCustomForm::PassMDIActivation() {
    HWND client = HandleAllocated() ? ::GetParent(GetHandle()) : nullptr;
    if (!client ||
        reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) != GetHandle())
        return;
    for (HWND wnd = ::GetWindow(client, GW_CHILD); wnd; wnd = ::GetWindow(wnd, GW_HWNDNEXT))
        if (wnd != GetHandle() && IsWindowVisible(wnd) &&
            (GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
            SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(wnd), 0);
            return;
        }
}

void TCustomForm::WMMDIActivate(TMessage& Message) {
    TComponentProtector protect(this);
    const bool active = reinterpret_cast<HWND>(Message.LParam) == GetHandle();
    DefaultHandler(Message);
    if (IsDestroying()) return;
    if (active) {
        FActive = true;
        // The focus comes along only while the program is the one the user works in.
        if (Application && Application->GetMainForm() && Application->GetMainForm()->GetActive())
            SetWindowFocus();
        if (IsDestroying()) return;
        Activate();
    } else if (reinterpret_cast<HWND>(Message.WParam) == GetHandle()) {
        FActive = false;
        Deactivate();
    }
}

bool TApplication::IsMDIMsg(MSG& Msg) {
    if (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN) return false;
    if (!FMainForm || FMainForm->GetFormStyle() != fsMDIForm || !FMainForm->GetClientHandle())
        return false;
    if (!FMainForm->GetActiveMDIChild()) return false;
    return TranslateMDISysAccel(FMainForm->GetClientHandle(), &Msg) != FALSE;
}
