#include "skin/form/skTrayIcon.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Forms.h"
#include "classlib/HiddenWindow.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <cstring>

namespace {

void RegisterTrayClasses() {
    RegisterClass(TskTrayIcon::StaticClass());
}

// The tool tip's room: 128 characters with the closing zero.
constexpr std::size_t kTipLength = 127;

TShiftState KeyShift() {
    TShiftState shift;
    if (GetAsyncKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
    if (GetAsyncKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
    if (GetAsyncKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return shift;
}

} // namespace

DEFINE_UNIT(skTrayIcon, uoSkin + 25, RegisterTrayClasses, nullptr);

// The hook on the owner form's window procedure. It outlives the tray icon when another
// component has hooked the form after it: it then only passes the messages on.
struct TskTrayIcon::TFormLink {
    TskTrayIcon* Tray = nullptr;
    TWndMethod Saved;
    // The form hooked; a component being freed has already left its owner.
    TWinControl* Control = nullptr;
};

UINT TskTrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

TskTrayIcon::TskTrayIcon(TComponent* AOwner) : TComponent(AOwner), FIcon(std::make_unique<TIcon>()) {
    TaskbarCreatedMessage();
    FCycleTimer = MakeTimer(this, 0, TNotifyEvent(this, &TskTrayIcon::TimerCycle));
    FClickTimer = MakeTimer(this, GetDoubleClickTime(), TNotifyEvent(this, &TskTrayIcon::TimerClick));
    FHandle = AllocateHWnd(TWndMethod(this, &TskTrayIcon::HandleIconMessage));
    FIconData.cbSize = sizeof(FIconData);
    FIconData.hWnd = FHandle;
    FIconData.uID = 1;
    FIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    FIconData.uCallbackMessage = CallbackMessage;
    if (IsDesigning()) return;
    if (FIcon->GetEmpty() && LoadDefaultIcon() && Application) FIcon->Assign(Application->GetIcon());
    HookWindows();
}

TskTrayIcon::~TskTrayIcon() {
    SetIconVisible(false);
    SetDesignPreview(false);
    if (!IsDesigning()) UnhookWindows();
    if (FHandle) DeallocateHWnd(FHandle);
    FHandle = nullptr;
}

void TskTrayIcon::Published(TPropertyList& P) {
    P.Add("DesignPreview", &TskTrayIcon::GetDesignPreview, &TskTrayIcon::SetDesignPreview, false);
    P.Add("IconList", &TskTrayIcon::GetIconList, &TskTrayIcon::SetIconList);
    P.Add("CycleIcons", &TskTrayIcon::GetCycleIcons, &TskTrayIcon::SetCycleIcons, false);
    P.Add("AnimateTimerInterval", &TskTrayIcon::GetAnimateTimerInterval, &TskTrayIcon::SetAnimateTimerInterval,
          Cardinal{0});
    P.Add("Enabled", &TskTrayIcon::GetEnabled, &TskTrayIcon::SetEnabled, true);
    P.Add("Hint", &TskTrayIcon::GetHint, &TskTrayIcon::SetHint);
    P.Add("ShowHint", &TskTrayIcon::GetShowHint, &TskTrayIcon::SetShowHint, true);
    P.Add("Icon", &TskTrayIcon::GetIcon, &TskTrayIcon::SetIcon);
    P.Add("IconVisible", &TskTrayIcon::GetIconVisible, &TskTrayIcon::SetIconVisible, false);
    P.Add("IconIndex", &TskTrayIcon::GetIconIndex, &TskTrayIcon::SetIconIndex, 0);
    P.Add("PopupMenu", &TskTrayIcon::GetPopupMenu, &TskTrayIcon::SetPopupMenu);
    P.Add("PopupByLeftButton", &TskTrayIcon::GetPopupByLeftButton, &TskTrayIcon::SetPopupByLeftButton, false);
    P.Add("MinimizedOnStart", &TskTrayIcon::GetMinimizedOnStart, &TskTrayIcon::SetMinimizedOnStart, false);
    P.Add("MinimizeToTray", &TskTrayIcon::GetMinimizeToTray, &TskTrayIcon::SetMinimizeToTray, false);
    P.Add("OnClick", &TskTrayIcon::OnClick);
    P.Add("OnDblClick", &TskTrayIcon::OnDblClick);
    P.Add("OnMouseDown", &TskTrayIcon::OnMouseDown);
    P.Add("OnMouseUp", &TskTrayIcon::OnMouseUp);
    P.Add("OnMouseMove", &TskTrayIcon::OnMouseMove);
    P.Add("OnCycle", &TskTrayIcon::OnCycle);
}

TWinControl* TskTrayIcon::OwnerControl() {
    return dynamic_cast<TWinControl*>(GetOwner());
}

void TskTrayIcon::Loaded() {
    TComponent::Loaded();
    if (OwnerControl() && FMinimizedOnStart && !IsDesigning() && Application) Application->SetShowMainForm(false);
    ModifyIcon();
    SetIconVisible(FIconVisible);
}

void TskTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FIconList) FIconList = nullptr;
    if (AComponent == FPopupMenu) FPopupMenu = nullptr;
}

// ---------------------------------------------------------------------------
// Properties

void TskTrayIcon::SetDesignPreview(bool Value) {
    FDesignPreview = Value;
    PreviewChanging = true;
    SetIconVisible(Value);
    PreviewChanging = false;
}

void TskTrayIcon::SetIconList(TCustomImageList* Value) {
    SetReference(this, FIconList, Value);
    SetIconIndex(0);
}

void TskTrayIcon::SetCycleIcons(bool Value) {
    FCycleIcons = Value;
    if (Value) SetIconIndex(0);
    FCycleTimer->SetEnabled(Value);
}

void TskTrayIcon::SetAnimateTimerInterval(Cardinal Value) {
    FCycleTimer->SetInterval(Value);
}

void TskTrayIcon::SetHint(const AnsiString& Value) {
    FHint = Value;
    ModifyIcon();
}

void TskTrayIcon::SetShowHint(bool Value) {
    FShowHint = Value;
    ModifyIcon();
}

void TskTrayIcon::SetIcon(TIcon* Value) {
    FIcon->Assign(Value);
    ModifyIcon();
}

void TskTrayIcon::SetIconVisible(bool Value) {
    // A form being read shows the icon once it is whole (Loaded).
    if (IsLoading()) {
        FIconVisible = Value;
        return;
    }
    if (Value)
        ShowIcon();
    else
        HideIcon();
}

void TskTrayIcon::SetIconIndex(int Value) {
    int index = Value;
    if (FIconList) index = std::min(index, FIconList->GetCount() - 1);
    else index = 0;
    index = std::max(index, 0);
    FIconIndex = index;
    if (FIconList) FIconList->GetIcon(index, FIcon.get());
    ModifyIcon();
}

void TskTrayIcon::SetPopupMenu(TskSkinPopupMenu* Value) {
    SetReference(this, FPopupMenu, Value);
}

// ---------------------------------------------------------------------------
// Shell calls

bool TskTrayIcon::LoadDefaultIcon() {
    return true;
}

bool TskTrayIcon::InitIcon() {
    if (IsDesigning() && !FDesignPreview && !PreviewChanging) return false;
    FIconData.hIcon = FIcon->GetHandle();
    std::memset(FIconData.szTip, 0, sizeof(FIconData.szTip));
    if (!FHint.empty() && FShowHint)
        std::memcpy(FIconData.szTip, FHint.c_str(), std::min(FHint.size(), kTipLength));
    return true;
}

bool TskTrayIcon::Notify(DWORD Message) {
    return InitIcon() && ShellNotifyIcon(Message, &FIconData);
}

bool TskTrayIcon::ShowIcon() {
    if (!PreviewChanging) FIconVisible = true;
    return Notify(NIM_ADD);
}

bool TskTrayIcon::HideIcon() {
    if (!PreviewChanging) FIconVisible = false;
    return Notify(NIM_DELETE);
}

bool TskTrayIcon::ModifyIcon() {
    return Notify(NIM_MODIFY);
}

bool TskTrayIcon::BitmapToIcon(TBitmap* Bitmap, TIcon* Icon, TColor MaskColor) {
    TImageList list(nullptr);
    list.SetSize(16, 16);
    list.AddMasked(Bitmap, MaskColor);
    list.GetIcon(0, Icon);
    return true;
}

// ---------------------------------------------------------------------------
// Messages of the hidden window

void TskTrayIcon::HandleIconMessage(TMessage& Message) {
    TComponentProtector protect(this);
    switch (Message.Msg) {
    case CallbackMessage:
        if (FEnabled) HandleMouse(static_cast<UINT>(Message.LParam));
        Message.Result = 0;
        return;
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_USERCHANGED:
    case WM_NCDESTROY:
        Message.Result = 1;
        return;
    default:
        DefaultWindowHandler(FHandle, Message);
        return;
    }
}

void TskTrayIcon::HandleMouse(UINT MouseMessage) {
    POINT p{};
    GetCursorPos(&p);
    TShiftState shift = KeyShift();
    switch (MouseMessage) {
    case WM_MOUSEMOVE:
        MouseMove(shift, p.x, p.y);
        break;
    case WM_LBUTTONDOWN:
        FClickTimer->SetEnabled(true);
        shift.Include(ssLeft);
        MouseDown(mbLeft, shift, p.x, p.y);
        if (IsDestroying()) return;
        LeftDown = true;
        if (FPopupByLeftButton) PopupAtCursor();
        break;
    case WM_RBUTTONDOWN:
        shift.Include(ssRight);
        MouseDown(mbRight, shift, p.x, p.y);
        if (!IsDestroying()) PopupAtCursor();
        break;
    case WM_MBUTTONDOWN:
        shift.Include(ssMiddle);
        MouseDown(mbMiddle, shift, p.x, p.y);
        break;
    case WM_LBUTTONUP:
        if (LeftDown) {
            ClickPending = true;
            // A press held past the double-click time is a click at once.
            if (!FClickTimer->GetEnabled()) {
                LeftDown = false;
                ClickPending = false;
                Click();
                if (IsDestroying()) return;
            }
        }
        LeftDown = false;
        shift.Include(ssLeft);
        MouseUp(mbLeft, shift, p.x, p.y);
        break;
    case WM_RBUTTONUP:
        shift.Include(ssRight);
        MouseUp(mbRight, shift, p.x, p.y);
        break;
    case WM_MBUTTONUP:
        shift.Include(ssMiddle);
        MouseUp(mbMiddle, shift, p.x, p.y);
        break;
    case WM_LBUTTONDBLCLK:
        ClickPending = false;
        DblClicked = true;
        DblClick();
        if (!IsDestroying()) ClickDefaultItem();
        break;
    default:
        break;
    }
}

void TskTrayIcon::ClickDefaultItem() {
    if (!FPopupMenu || !FPopupMenu->GetAutoPopup() || FPopupByLeftButton) return;
    TMenuItem* items = FPopupMenu->GetItems();
    for (int i = 0; i < items->GetCount(); ++i)
        if (items->GetItem(i)->GetDefault()) {
            items->GetItem(i)->Click();
            return;
        }
}

void TskTrayIcon::TimerClick(TObject*) {
    FClickTimer->SetEnabled(false);
    if (!DblClicked && ClickPending) {
        ClickPending = false;
        Click();
    }
    DblClicked = false;
}

void TskTrayIcon::TimerCycle(TObject*) {
    if (!FIconList) return;
    FIconList->GetIcon(FIconIndex, FIcon.get());
    CycleIcon();
    if (IsDestroying()) return;
    ModifyIcon();
    SetIconIndex(FIconIndex >= FIconList->GetCount() - 1 ? 0 : FIconIndex + 1);
}

void TskTrayIcon::Click() {
    if (OnClick) OnClick(this);
}

void TskTrayIcon::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TskTrayIcon::CycleIcon() {
    if (!OnCycle) return;
    const int next = !FIconList || FIconIndex >= FIconList->GetCount() - 1 ? 0 : FIconIndex + 1;
    OnCycle(this, next);
}

void TskTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TskTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TskTrayIcon::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TskTrayIcon::PopupAtCursor() {
    POINT p{};
    if (!FPopupMenu || !FPopupMenu->GetAutoPopup() || !GetCursorPos(&p)) return;
    TComponentProtector protect(this);
    Application->ProcessMessages();
    if (IsDestroying() || !FPopupMenu) return;
    SetForegroundWindow(FHandle);
    TWinControl* owner = OwnerControl();
    if (owner && owner->HandleAllocated()) SetForegroundWindow(owner->GetHandle());
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(p.x, p.y);
    if (IsDestroying()) return;
    if (owner && owner->HandleAllocated()) PostMessageA(owner->GetHandle(), WM_NULL, 0, 0);
}

// ---------------------------------------------------------------------------
// The program's forms

void TskTrayIcon::DoMinimizeToTray() {
    HideMainForm();
    if (!IsDestroying()) SetIconVisible(true);
}

void TskTrayIcon::HideMainForm() {
    TCustomForm* main = Application ? Application->GetMainForm() : nullptr;
    if (!main) return;
    // The application's own minimizing hides the other forms and keeps them for Restore;
    // then the main form goes too. The application's window is never shown.
    if (main->HandleAllocated() && IsWindowVisible(main->GetHandle())) Application->Minimize();
    main->SetVisible(false);
}

void TskTrayIcon::ShowMainForm() {
    TCustomForm* main = Application ? Application->GetMainForm() : nullptr;
    if (!OwnerControl() || !main) return;
    main->SetVisible(true);
    Application->Restore();
    if (main->GetWindowState() == wsMinimized) main->SetWindowState(wsNormal);
}

// ---------------------------------------------------------------------------
// Watching the application's window and the owner form

void TskTrayIcon::HookWindows() {
    if (Application) {
        Application->HookMainWindow(TWindowHook(this, &TskTrayIcon::AppWindowHook));
        FAppHooked = true;
    }
    TWinControl* owner = OwnerControl();
    if (!owner) return;
    FFormLink = std::make_shared<TFormLink>();
    FFormLink->Tray = this;
    FFormLink->Saved = owner->WindowProc;
    FFormLink->Control = owner;
    std::shared_ptr<TFormLink> link = FFormLink;
    FFormHook = TWndMethod::FromCallable([link](TMessage& Message) {
        if (link->Tray)
            link->Tray->FormWindowProc(Message);
        else if (link->Saved)
            link->Saved(Message);
    });
    owner->WindowProc = FFormHook;
}

void TskTrayIcon::UnhookWindows() {
    if (FAppHooked && Application) Application->UnhookMainWindow(TWindowHook(this, &TskTrayIcon::AppWindowHook));
    FAppHooked = false;
    if (!FFormLink) return;
    TWinControl* owner = FFormLink->Control;
    // Hooked over by another since, the link stays in that one's chain and passes on.
    if (!owner->IsDestroying() && owner->WindowProc == FFormHook) owner->WindowProc = FFormLink->Saved;
    FFormLink->Tray = nullptr;
    FFormLink.reset();
}

bool TskTrayIcon::AppWindowHook(TMessage& Message) {
    TComponentProtector protect(this);
    if (Message.Msg == WM_SIZE && Message.WParam == SIZE_MINIMIZED && FMinimizeToTray)
        DoMinimizeToTray();
    else if (Message.Msg == TaskbarCreatedMessage() && FIconVisible)
        ShowIcon();
    return false;
}

void TskTrayIcon::FormWindowProc(TMessage& Message) {
    TComponentProtector protect(this);
    std::shared_ptr<TFormLink> link = FFormLink;
    // Shown by the program, the form brings the program back: the forms minimizing hid,
    // not the application's window.
    const bool shownByCall = Message.Msg == WM_SHOWWINDOW && Message.WParam == 1 && Message.LParam == 0;
    if (shownByCall && Application) Application->Restore();
    if (link->Saved) link->Saved(Message);
    if (shownByCall && !IsDestroying()) {
        TWinControl* owner = OwnerControl();
        if (owner && owner->HandleAllocated()) SetForegroundWindow(owner->GetHandle());
    }
}
