// The application: its window, message loop, main form, minimizing, message boxes and
// the timing of hints.
#include "classlib/Forms.h"

#include "classlib/Exceptions.h"
#include "classlib/Forms_Modal.h"
#include "classlib/HiddenWindow.h"
#include "classlib/Hints.h"
#include "classlib/Paths.h"
#include "classlib/Timers.h"
#include "classlib/WindowProcErrors.h"

#include <algorithm>
#include <utility>

// ---------------------------------------------------------------------------
// TApplication

TApplication::TApplication(TComponent* AOwner)
    : TComponent(AOwner), FIcon(std::make_unique<TIcon>()) {
    FTitle = ChangeFileExt(ExtractFileName(ExeFileName()), "");
    HINSTANCE module = GetModuleHandleA(nullptr);
    if (FindResourceA(module, "MAINICON", MAKEINTRESOURCEA(14))) // RT_GROUP_ICON
        FIcon->LoadFromResourceName(module, "MAINICON");
    FIcon->OnChange = TNotifyEvent(this, &TApplication::IconChanged);
}

TApplication::~TApplication() {
    CancelHint();
    FHintWindow.reset();
    // The forms go while the application is still whole: they ask it about the main form.
    DestroyComponents();
    FMainForm = nullptr;
    if (FHandle) DeallocateHWnd(FHandle);
}

void TApplication::Initialize() {}

void TApplication::SetIcon(TIcon* Value) {
    FIcon->Assign(Value);
}

void TApplication::IconChanged(TObject*) {
    if (!Screen) return;
    for (int i = 0; i < Screen->GetFormCount(); ++i)
        Screen->GetForm(i)->IconChanged(nullptr);
}

void TApplication::SetMainForm(TCustomForm* Form) {
    if (Form == FMainForm) return;
    // One role of the form's link: it may be under the hint as well.
    SetReference(this, FMainForm, Form);
    if (Form) Form->HandleNeeded();
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
    if (Operation == opRemove && AComponent == FHintControl) CancelHint();
}

HWND TApplication::GetHandle() {
    if (!FHandle) FHandle = AllocateHWnd(TWndMethod(this, &TApplication::WndProc));
    return FHandle;
}

void TApplication::HookMainWindow(TWindowHook Hook) {
    FWindowHooks.push_back(Hook);
}

void TApplication::UnhookMainWindow(TWindowHook Hook) {
    auto found = std::find(FWindowHooks.begin(), FWindowHooks.end(), Hook);
    if (found != FWindowHooks.end()) FWindowHooks.erase(found);
}

void TApplication::WndProc(TMessage& Message) {
    TComponentProtector protect(this);
    // A hook may remove itself or others: each still hooked when its turn comes runs.
    const std::vector<TWindowHook> hooks = FWindowHooks;
    for (const TWindowHook& hook : hooks) {
        if (std::find(FWindowHooks.begin(), FWindowHooks.end(), hook) == FWindowHooks.end()) continue;
        if (hook(Message)) return;
        if (IsDestroying()) return;
    }
    DefaultWindowHandler(FHandle, Message);
}

AnsiString TApplication::GetExeName() const {
    return ExeFileName();
}

void TApplication::Run() {
    FTerminated = false;
    if (!FMainForm) return;
    if (FShowMainForm) FMainForm->SetVisible(true);
    do {
        try {
            HandleMessage();
        } catch (...) {
            HandleWindowProcException(this);
        }
    } while (!FTerminated);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) Idle();
}

void TApplication::Idle() {
    bool done = true;
    if (OnIdle) {
        try {
            OnIdle(this, done);
        } catch (...) {
            HandleWindowProcException(this);
        }
    }
    if (done) WaitMessage();
}

bool TApplication::ProcessMessage(MSG& Msg) {
    if (!PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (Msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    switch (Msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        CancelHint();
        break;
    default:
        break;
    }
    bool handled = false;
    try {
        if (OnMessage) OnMessage(Msg, handled);
        if (!handled) handled = IsKeyMsg(Msg);
        if (!handled) handled = IsMDIMsg(Msg);
    } catch (...) {
        HandleWindowProcException(this);
        handled = true;
    }
    if (!handled) {
        TranslateMessage(&Msg);
        DispatchMessageA(&Msg);
    }
    return true;
}

bool TApplication::IsKeyMsg(MSG& Msg) {
    if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
    TWinControl* control = nullptr;
    for (HWND wnd = Msg.hwnd; wnd && !control; wnd = ::GetParent(wnd)) {
        control = FindControl(wnd);
        if (!(GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CHILD)) break;
    }
    if (!control) return false;
    return control->Perform(CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

void TApplication::HandleException(TObject* Sender, const std::exception& E) {
    if (dynamic_cast<const EAbort*>(&E)) return;
    if (OnException)
        OnException(Sender, E);
    else
        ShowException(E);
}

void TApplication::ShowException(const std::exception& E) {
    ShowMessageBox(E.what(), FTitle, MB_OK | MB_ICONSTOP);
}

HWND TApplication::DialogOwner() const {
    for (TCustomForm* form : {Screen ? Screen->GetActiveForm() : nullptr, FMainForm})
        if (form && form->HandleAllocated() && IsWindowVisible(form->GetHandle()))
            return form->GetHandle();
    return GetActiveWindow();
}

int TApplication::ShowMessageBox(const AnsiString& Text, const AnsiString& Caption, UINT Flags) {
    HWND owner = DialogOwner();
    // The box disables its owner itself, and gives it back the activation when it closes.
    forms_detail::TDisabledWindows others(owner);
    // Without an owner the system keeps the program's windows waiting.
    if (!owner) Flags |= MB_TASKMODAL;
    return MessageBoxA(owner, Text.c_str(), Caption.c_str(), Flags);
}

void TApplication::Minimize() {
    if (FMinimized || !Screen) return;
    FMinimized = true;
    FHiddenByMinimize.clear();
    for (int i = 0; i < Screen->GetFormCount(); ++i) {
        TCustomForm* form = Screen->GetForm(i);
        if (form == FMainForm || !form->HandleAllocated()) continue;
        HWND wnd = form->GetHandle();
        // MDI children go with their main form.
        if (!IsWindowVisible(wnd) || (GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CHILD)) continue;
        ShowWindow(wnd, SW_HIDE);
        FHiddenByMinimize.push_back(wnd);
    }
    if (FMainForm && FMainForm->HandleAllocated()) ShowWindow(FMainForm->GetHandle(), SW_MINIMIZE);
}

void TApplication::Restore() {
    if (!FMinimized) return;
    FMinimized = false;
    if (FMainForm && FMainForm->HandleAllocated()) ShowWindow(FMainForm->GetHandle(), SW_RESTORE);
    // Showing a window runs its events, which may minimize the application again.
    const std::vector<HWND> hidden = std::exchange(FHiddenByMinimize, {});
    for (HWND wnd : hidden)
        if (IsWindow(wnd)) ShowWindow(wnd, SW_SHOWNA);
}

// ---------------------------------------------------------------------------
// Hints

namespace {

// How far below the pointer's hot spot a hint starts: clear of the arrow.
constexpr int kHintBelowPointer = 20;

// The hint of Control, or of the nearest of its parents that has one.
AnsiString HintOf(TControl* Control) {
    while (Control && Control->GetHint().empty()) Control = Control->GetParent();
    return Control ? Control->GetHint() : AnsiString();
}

} // namespace

void TApplication::SetShowHint(bool Value) {
    if (Value == FShowHint) return;
    FShowHint = Value;
    if (!Value) {
        CancelHint();
        FHintWindow.reset();
    }
}

void TApplication::SetHint(const AnsiString& Value) {
    if (Value == FHint) return;
    FHint = Value;
    if (OnHint) OnHint(this);
}

void TApplication::HintMouseEnter(TControl* Control) {
    SetHint(HintOf(Control));
    TControl* hintControl = Control;
    while (hintControl && !hintControl->GetShowHint()) hintControl = hintControl->GetParent();
    if (hintControl == FHintControl) return;
    // Moving on from a shown hint, the next one follows sooner.
    const int pause = FHintShowing ? FHintShortPause : FHintPause;
    CancelHint();
    if (!FShowHint || !hintControl || HintOf(hintControl).empty()) return;
    SetReference(this, FHintControl, hintControl);
    if (pause > 0)
        StartHintTimer(pause);
    else
        ActivateHint();
}

void TApplication::CancelHint() {
    HideHint();
    SetReference(this, FHintControl, nullptr);
}

void TApplication::HideHint() {
    if (FHintTimer) FHintTimer->SetEnabled(false);
    if (!FHintShowing) return;
    FHintShowing = false;
    FHintWindow->ReleaseHandle();
}

void TApplication::StartHintTimer(int Interval) {
    if (!FHintTimer) {
        FHintTimer = std::make_unique<TTimer>(nullptr);
        FHintTimer->SetOnTimer(TNotifyEvent(this, &TApplication::HintTimerExpired));
    }
    FHintTimer->SetEnabled(false);
    FHintTimer->SetInterval(static_cast<Cardinal>(Interval));
    FHintTimer->SetEnabled(true);
}

void TApplication::HintTimerExpired(TObject*) {
    if (FHintShowing) {
        // Shown long enough: it stays hidden while the pointer stays on the control.
        HideHint();
    } else if (FHintControl && FHintControl->IsShowing()) {
        ActivateHint();
    } else {
        CancelHint();
    }
}

void TApplication::ActivateHint() {
    if (!FHintWindow || FHintWindow->ClassType() != HintWindowClass) {
        if (!HintWindowClass || !HintWindowClass->Create ||
            !HintWindowClass->InheritsFrom(THintWindow::StaticClass()))
            throw EInvalidOperation("HintWindowClass is not a hint window class");
        FHintWindow.reset(static_cast<THintWindow*>(HintWindowClass->Create(nullptr)));
    }
    AnsiString text = HintOf(FHintControl);
    POINT pointer{};
    GetCursorPos(&pointer);
    THintInfo info;
    info.HintControl = FHintControl;
    info.CursorPos = TPoint(pointer.x, pointer.y);
    info.HintMaxWidth = Screen->GetWidth();
    info.HideTimeout = FHintHidePause;
    TRect rect = FHintWindow->CalcHintRect(info.HintMaxWidth, text, nullptr);
    int top = pointer.y + kHintBelowPointer;
    // Above the pointer where there is no room below it.
    if (top + rect.Bottom - rect.Top > Screen->GetHeight()) top = pointer.y - (rect.Bottom - rect.Top);
    info.HintPos = TPoint(pointer.x, top);
    if (OnShowHint) {
        TComponentProtector protect(this);
        bool canShow = true;
        OnShowHint(text, canShow, info);
        // The handler may have let the control or the window go.
        if (!canShow || !FHintControl || !FHintWindow || IsDestroying()) {
            if (FHintTimer) FHintTimer->SetEnabled(false);
            return;
        }
        rect = FHintWindow->CalcHintRect(info.HintMaxWidth, text, nullptr);
    }
    const int width = rect.Right - rect.Left;
    const int height = rect.Bottom - rect.Top;
    FHintWindow->ActivateHint(TRect(info.HintPos.X, info.HintPos.Y, info.HintPos.X + width, info.HintPos.Y + height),
                              text);
    FHintShowing = true;
    if (info.HideTimeout > 0)
        StartHintTimer(info.HideTimeout);
    else if (FHintTimer)
        FHintTimer->SetEnabled(false);
}
