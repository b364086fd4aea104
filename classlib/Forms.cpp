#include "classlib/Forms.h"

#include "classlib/Bitmaps.h"
#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/Forms_Modal.h"
#include "classlib/Hints.h"
#include "classlib/Menus.h"
#include "classlib/Paths.h"
#include "classlib/Persistence.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <utility>

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

void RegisterFormTypes() {
    RegisterEnum<TBorderIcon>({"biSystemMenu", "biMinimize", "biMaximize"});
    RegisterEnum<TPosition>({"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                             "poScreenCenter", "poDesktopCenter", "poMainFormCenter",
                             "poOwnerFormCenter"});
    RegisterEnum<TWindowState>({"wsNormal", "wsMinimized", "wsMaximized"});
    RegisterEnum<TFormStyle>({"fsNormal", "fsStayOnTop", "fsMDIChild", "fsMDIForm"});
    RegisterEnum<TCloseAction>({"caNone", "caHide", "caFree", "caMinimize"});
}

std::vector<void (*)()>& ExitProcs() {
    static std::vector<void (*)()> procs;
    return procs;
}

} // namespace

void AddExitProc(void (*Proc)()) {
    ExitProcs().push_back(Proc);
}

namespace {

void ReportToApplication(TObject* Sender, const std::exception& E) {
    if (Application) Application->HandleException(Sender, E);
}

void InitForms() {
    RegisterFormTypes();
    Screen = new TScreen(nullptr);
    ScreenCursors = Screen;
    Application = new TApplication(nullptr);
    HintHost = Application;
    SetWindowProcErrorHandler(ReportToApplication);
}

void DoneForms() {
    SetWindowProcErrorHandler(nullptr);
    HintHost = nullptr;
    delete Application;
    Application = nullptr;
    ScreenCursors = nullptr;
    delete Screen;
    Screen = nullptr;
    std::vector<void (*)()> procs;
    procs.swap(ExitProcs());
    for (auto proc = procs.rbegin(); proc != procs.rend(); ++proc)
        (*proc)();
}

} // namespace

DEFINE_UNIT(Forms, uoClassLib + 50, InitForms, DoneForms);

namespace {

class TBoundsKeeper {
public:
    TBoundsKeeper(TWinControl* Control, bool Keep) : FControl(Control) { FControl->KeepBounds(Keep); }
    ~TBoundsKeeper() { FControl->KeepBounds(false); }
    TBoundsKeeper(const TBoundsKeeper&) = delete;
    TBoundsKeeper& operator=(const TBoundsKeeper&) = delete;

private:
    TWinControl* FControl;
};

} // namespace

namespace forms_detail {

void BuildFromResource(TComponent* Root) {
    ReadComponentRes(Root->ClassName(), Root);
    if (auto* form = dynamic_cast<TCustomForm*>(Root)) {
        TComponentProtector protect(form);
        form->DoCreate();
        if (!form->IsDestroying() && form->GetVisible()) form->Perform(CM_VISIBLECHANGED, 1, 0);
    } else if (auto* module = dynamic_cast<TDataModule*>(Root)) {
        module->DoCreate();
    }
}

} // namespace forms_detail

TCustomForm* TControl::GetParentForm() const {
    return dynamic_cast<TCustomForm*>(GetFormHost());
}

// ---------------------------------------------------------------------------
// TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner)
    : TWinControl(AOwner), FIcon(std::make_unique<TIcon>()),
      FCanvas(std::make_unique<TControlCanvas>(this)) {
    SetVisible(false);
    SetControlStyle(
        {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    FIcon->OnChange = TNotifyEvent(this, &TCustomForm::IconChanged);
    if (Screen) {
        Screen->AddForm(this);
        // Its opRemove reaches the screen while the form is still whole (OnDestroy).
        Screen->FreeNotification(this);
    }
}

TCustomForm::~TCustomForm() {
    // An MDI child's window leaves through its client window, which a destructor further
    // down would no longer know to do.
    if (FFormStyle == fsMDIChild) DestroyHandle();
    DetachMenu();
    if (Screen) Screen->RemoveForm(this);
    FCanvas->FreeHandle();
}

void TCustomForm::Unlink() {
    DetachMenu();
    if (Screen) Screen->RemoveForm(this);
    TWinControl::Unlink();
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
    if (FDestroyFired) return;
    FDestroyFired = true;
    if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FActiveControl) FActiveControl = nullptr;
    if (AComponent == FFocusedControl) FFocusedControl = nullptr;
    if (AComponent == FMenu) {
        DetachMenu();
        FMenu = nullptr;
    }
    if (AComponent == FWindowMenu) FWindowMenu = nullptr;
}

// ---- Window ----------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (!GetEnabled()) Params.Style |= WS_DISABLED;
    Params.ExStyle = 0;
    Params.WndParent = nullptr;
    if (Application) {
        TCustomForm* main = Application->GetMainForm();
        if (main && main != this && main->HandleAllocated()) Params.WndParent = main->GetHandle();
    }
    switch (FBorderStyle) {
    case bsNone:
        Params.Style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        Params.Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        Params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION;
        Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin)
        Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
    if (FFormStyle == fsMDIChild) {
        // A child window of the main form's client window, framed as its border style says.
        Params.Style = (Params.Style & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD;
        Params.ExStyle = (Params.ExStyle & ~static_cast<DWORD>(WS_EX_TOPMOST)) | WS_EX_MDICHILD;
        Params.WndParent = MDIParentClient();
    }
    if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
        Params.Style |= WS_SYSMENU;
        bool boxes = FBorderStyle == bsSingle || FBorderStyle == bsSizeable;
        if (boxes && FBorderIcons.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
        if (boxes && FBorderIcons.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
    }
    if (!(Params.Style & WS_POPUP)) {
        if (FPosition == poDefault || FPosition == poDefaultPosOnly)
            Params.X = Params.Y = CW_USEDEFAULT;
        if (FPosition == poDefault || FPosition == poDefaultSizeOnly)
            Params.Width = Params.Height = CW_USEDEFAULT;
    }
    Params.WindowClass.style = CS_DBLCLKS;
    // The program's icon given by the class costs the system nothing more when a window is
    // made, where setting it on each new window costs a few milliseconds.
    if (Application) Params.WindowClass.hIcon = Application->GetIcon()->GetHandle();
}

void TCustomForm::CreateWnd() {
    if (FFormStyle == fsMDIChild && !MDIParentClient())
        throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    TWinControl::CreateWnd();
    UpdateBounds();
    IconChanged(nullptr);
    AttachMenu();
    if (FFormStyle == fsMDIForm) CreateMDIClient();
}

void TCustomForm::DestroyWnd() {
    DetachMenu();
    TWinControl::DestroyWnd();
    // It went with the form's window.
    FClientHandle = nullptr;
}

void TCustomForm::SetMenu(TMainMenu* Value) {
    if (Value == FMenu) return;
    if (FMenu) DetachMenu();
    SetReference(this, FMenu, Value);
    if (FMenu) AttachMenu();
}

void TCustomForm::AttachMenu() {
    if (!FMenu || !HandleAllocated()) return;
    ::SetMenu(GetHandle(), FMenu->GetHandle());
    FMenu->SetWindowHandle(GetHandle());
}

void TCustomForm::DetachMenu() {
    if (!FMenu || !HandleAllocated()) return;
    ::SetMenu(GetHandle(), nullptr);
    FMenu->SetWindowHandle(nullptr);
}

void TCustomForm::WMCommand(TWMCommand& Message) {
    // A menu's command comes without a control window.
    if (!Message.Ctl() && FMenu && FMenu->DispatchCommand(Message.ItemID())) return;
    TWinControl::Dispatch(Message.Message);
}

TRect TCustomForm::GetClientRect() {
    if (HandleAllocated()) return TWinControl::GetClientRect();
    TCreateParams params;
    CreateParams(params);
    // The system is asked once per style: every control placed while the form is read asks
    // for its client area, and the answer takes the system a while.
    if (!FFrame.Valid || FFrame.Style != params.Style || FFrame.ExStyle != params.ExStyle) {
        RECT frame{0, 0, 0, 0};
        AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
        FFrame = {true, params.Style, params.ExStyle, frame.right - frame.left,
                  frame.bottom - frame.top};
    }
    return {0, 0, std::max(GetWidth() - FFrame.Width, 0),
            std::max(GetHeight() - FFrame.Height, 0)};
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
    if (Value == FFormStyle) return;
    FFormStyle = Value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
    if (Value == FBorderIcons) return;
    FBorderIcons = Value;
    RecreateWnd();
}

void TCustomForm::SetIcon(TIcon* Value) {
    FIcon->Assign(Value);
}

HICON TCustomForm::ShownIcon() const {
    const TIcon* shown = FIcon->GetEmpty() && Application ? Application->GetIcon() : FIcon.get();
    return shown->GetHandle();
}

void TCustomForm::IconChanged(TObject*) {
    if (!HandleAllocated()) return;
    HWND wnd = GetHandle();
    HICON icon = ShownIcon();
    // A window without icons of its own shows its class's.
    const bool ownIcons = SendMessageA(wnd, WM_GETICON, ICON_BIG, 0) != 0;
    if (!ownIcons && icon == reinterpret_cast<HICON>(GetClassLongPtrA(wnd, GCLP_HICON))) return;
    SendMessageA(wnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(wnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void TCustomForm::SetWindowState(TWindowState Value) {
    if (Value == FWindowState) return;
    FWindowState = Value;
    if (!HandleAllocated() || !IsWindowVisible(GetHandle())) return;
    static const int kShow[] = {SW_RESTORE, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(GetHandle(), kShow[Value]);
}

void TCustomForm::WMSize(TWMSize& Message) {
    if (GetVisible()) {
        switch (Message.SizeType()) {
        case SIZE_MINIMIZED:
            FWindowState = wsMinimized;
            break;
        case SIZE_MAXIMIZED:
            FWindowState = wsMaximized;
            break;
        case SIZE_RESTORED:
            FWindowState = wsNormal;
            break;
        default:
            break;
        }
    }
    TWinControl::Dispatch(Message.Message);
    if (Message.SizeType() == SIZE_MINIMIZED && Application && Application->GetMainForm() == this)
        SendMessageA(Application->GetHandle(), WM_SIZE, SIZE_MINIMIZED, 0);
}

void TCustomForm::WMGetMinMaxInfo(TWMGetMinMaxInfo& Message) {
    DefaultHandler(Message.Message);
    MINMAXINFO* info = Message.MinMaxInfo();
    const TSizeConstraints* limits = GetConstraints();
    if (limits->GetMinWidth() > 0) info->ptMinTrackSize.x = limits->GetMinWidth();
    if (limits->GetMinHeight() > 0) info->ptMinTrackSize.y = limits->GetMinHeight();
    if (limits->GetMaxWidth() > 0) {
        info->ptMaxTrackSize.x = limits->GetMaxWidth();
        info->ptMaxSize.x = std::min<LONG>(info->ptMaxSize.x, limits->GetMaxWidth());
    }
    if (limits->GetMaxHeight() > 0) {
        info->ptMaxTrackSize.y = limits->GetMaxHeight();
        info->ptMaxSize.y = std::min<LONG>(info->ptMaxSize.y, limits->GetMaxHeight());
    }
    Message.Result = 0;
}

// ---- Showing and hiding --------------------------------------------------------------

void TCustomForm::Show() {
    TControl::Show();
    if (FFormStyle == fsMDIChild)
        ActivateMDIChild();
    else
        BringToFront();
}

void TCustomForm::CMVisibleChanged(TMessage&) {
    if (GetComponentState().Contains(csLoading)) return;
    TComponentProtector protect(this);
    if (GetVisible()) {
        HandleNeeded();
        if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
        {
            // Where the form goes and the size its show handler gives it reach the window in
            // one move: each move of a window costs the system about as much as showing it.
            TBoundsKeeper keep(this, FWindowState == wsNormal && FFormStyle != fsMDIChild);
            ApplyPosition();
            DoShow();
        }
        if (IsDestroying()) return;
        // Before the show, so that the frame is first drawn at the size it keeps.
        ApplyKeptBounds();
        if (GetVisible()) UpdateShowing();
    } else {
        DoHide();
        if (IsDestroying() || GetVisible()) return;
        UpdateShowing();
    }
}

void TCustomForm::UpdateShowing() {
    if (GetComponentState().Contains(csLoading)) return;
    if (GetVisible()) {
        HandleNeeded();
        if (IsWindowVisible(GetHandle())) return;
        // Before the show's messages, which the form's frame and skin handle with its
        // controls' windows there.
        ChildHandlesNeeded();
        static const int kShow[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
        ShowWindow(GetHandle(), kShow[FWindowState]);
        if (FFormStyle == fsMDIChild) ActivateMDIChild();
    } else {
        if (!HandleAllocated() || !IsWindowVisible(GetHandle())) return;
        ShowWindow(GetHandle(), SW_HIDE);
        if (FFormStyle == fsMDIChild) PassMDIActivation();
    }
    Perform(CM_SHOWINGCHANGED, 0, 0);
}

void TCustomForm::ApplyPosition() {
    TRect area{0, 0, Screen ? Screen->GetWidth() : 0, Screen ? Screen->GetHeight() : 0};
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        break;
    case poMainFormCenter: {
        TCustomForm* main = Application ? Application->GetMainForm() : nullptr;
        if (main && main != this) area = main->GetBoundsRect();
        break;
    }
    case poOwnerFormCenter: {
        auto* owner = dynamic_cast<TCustomForm*>(GetOwner());
        if (owner && owner != this) area = owner->GetBoundsRect();
        break;
    }
    default:
        return;
    }
    SetBounds(area.Left + (area.Width() - GetWidth()) / 2,
              area.Top + (area.Height() - GetHeight()) / 2, GetWidth(), GetHeight());
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    TComponentProtector protect(this);
    if (!CloseQuery() || IsDestroying()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (IsDestroying() || action == caNone) return;
    if (Application && Application->GetMainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide:
        SetVisible(false);
        break;
    case caMinimize:
        SetWindowState(wsMinimized);
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

void TCustomForm::WMClose(TMessage&) {
    Close();
}

void TCustomForm::Release() {
    PostMessageA(GetHandle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage&) {
    delete this;
}

TModalResult TCustomForm::ShowModal() {
    if (GetVisible() || !GetEnabled() || FModal)
        throw EInvalidOperation("Cannot make a visible window modal");
    if (!Application) throw EInvalidOperation("There is no application to run a modal loop");
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HandleNeeded();
    TComponentProtector protect(this);
    // Puts the other windows back however the loop ends; touches the form only while it lives.
    struct TReactivate {
        HWND ActiveBefore;
        ~TReactivate() {
            if (ActiveBefore && IsWindow(ActiveBefore)) SetActiveWindow(ActiveBefore);
        }
    } reactivate{GetActiveWindow()};
    forms_detail::TDisabledWindows others(GetHandle());
    FModal = true;
    FModalResult = mrNone;
    try {
        Show();
        while (!IsDestroying()) {
            Application->HandleMessage();
            if (IsDestroying()) break;
            if (Application->GetTerminated()) {
                if (FModalResult == mrNone) FModalResult = mrCancel;
                break;
            }
            if (FModalResult != mrNone) {
                CloseModal();
                if (IsDestroying() || FModalResult != mrNone) break;
            }
        }
    } catch (...) {
        if (!IsDestroying()) {
            FModal = false;
            SetVisible(false);
        }
        throw;
    }
    if (IsDestroying()) return mrCancel;
    FModal = false;
    TModalResult result = FModalResult;
    SetVisible(false);
    return result;
}

void TCustomForm::CloseModal() {
    TComponentProtector protect(this);
    TCloseAction action = caNone;
    if (CloseQuery()) {
        if (IsDestroying()) return;
        action = caHide;
        DoClose(action);
    }
    if (IsDestroying()) return;
    if (action == caNone) FModalResult = mrNone;
    if (action == caFree) Release();
}

// ---- Focus -------------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (Control == FActiveControl) return;
    if (Control && !GetComponentState().Contains(csLoading)) {
        if (Control == this || Control->GetParentForm() != this ||
            (GetVisible() && !Control->CanFocus()))
            throw EInvalidOperation("Cannot focus a disabled or invisible window");
    }
    FActiveControl = Control;
    if (Control && FActive && !GetComponentState().Contains(csLoading))
        ::SetFocus(Control->GetHandle());
}

bool TCustomForm::IsActiveControlStored() const {
    if (!FActiveControl || FActiveControl->GetName().empty()) return false;
    // The writer reaches a control through parents that the form owns as well.
    for (TControl* c = FActiveControl; c != this; c = c->GetParent())
        if (!c || c->GetOwner() != this) return false;
    return true;
}

void TCustomForm::FocusControl(TWinControl* Control) {
    SetActiveControl(Control);
    if (Control && GetVisible()) ::SetFocus(Control->GetHandle());
}

void TCustomForm::SetFocus() {
    if (!GetVisible() || !GetEnabled())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    SetWindowFocus();
}

void TCustomForm::SetWindowFocus() {
    HWND target = GetHandle();
    if (FActiveControl && FActiveControl->CanFocus()) target = FActiveControl->GetHandle();
    ::SetFocus(target);
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
    if (GetComponentState().Contains(csDestroying)) return true;
    if (Control == FFocusedControl) return true;
    TComponentProtector protect(this);
    TWinControl* previous = FFocusedControl;
    FFocusedControl = Control;
    if (Control && Control != this) FActiveControl = Control;
    for (TWinControl* c = previous; c && c != this && !(Control && c->ContainsControl(Control));
         c = c->GetParent()) {
        c->Perform(CM_EXIT, 0, 0);
        if (IsDestroying() || FFocusedControl != Control) return false;
    }
    std::vector<TWinControl*> entering;
    for (TWinControl* c = Control; c && c != this && !(previous && c->ContainsControl(previous));
         c = c->GetParent())
        entering.push_back(c);
    for (auto it = entering.rbegin(); it != entering.rend(); ++it) {
        (*it)->Perform(CM_ENTER, 0, 0);
        if (IsDestroying() || FFocusedControl != Control) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    return true;
}

namespace {

// Whether the keyboard focus is in Control's window or in a window inside it. For a window
// with none inside, the control knows without asking the system.
bool FocusIsIn(TWinControl* Control) {
    if (!Control->HandleAllocated()) return false;
    if (!Control->HasWindowsInside()) return Control->Focused();
    HWND focus = GetFocus();
    return focus && (focus == Control->GetHandle() || IsChild(Control->GetHandle(), focus));
}

} // namespace

void TCustomForm::DefocusControl(TWinControl* Control) {
    if (!Control || GetComponentState().Contains(csDestroying)) return;
    if (Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
    if (Control->ContainsControl(FFocusedControl)) {
        FFocusedControl = nullptr;
        if (FocusIsIn(Control) && HandleAllocated()) ::SetFocus(GetHandle());
    }
}

void TCustomForm::MoveFocusFrom(TWinControl* Control) {
    if (!Control || Control == this || GetComponentState().Contains(csLoading) || IsDestroying())
        return;
    const bool holdsFocus = FocusIsIn(Control);
    // A form still being set up before it shows keeps its choice: it focuses the form
    // itself when the active control cannot take the focus.
    const bool holdsActive = Control->ContainsControl(FActiveControl) && HandleAllocated() &&
                             IsWindowVisible(GetHandle());
    if (!holdsFocus && !holdsActive) return;
    TComponentProtector protect(this);
    // Control no longer counts as a stop: its Enabled or Visible has already changed.
    TWinControl* from = Control->ContainsControl(FActiveControl) ? FActiveControl : Control;
    TWinControl* next = FindNextControl(from, true, true, false);
    FActiveControl = next;
    if (holdsFocus && HandleAllocated()) ::SetFocus(next ? next->GetHandle() : GetHandle());
}

void TCustomForm::SendCancelMode(TControl* Sender) {
    if (FActiveControl) FActiveControl->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
}

bool TCustomForm::IsShortCut(TWMKey& Message) {
    bool handled = false;
    if (OnShortCut) OnShortCut(Message, handled);
    if (!handled && FMenu) handled = FMenu->IsShortCut(Message);
    return handled;
}

void TCustomForm::WMActivate(TWMActivate& Message) {
    TComponentProtector protect(this);
    if (Message.Active() != WA_INACTIVE) {
        FActive = true;
        if (Screen) Screen->FActiveForm = this;
        if (!Message.Minimized()) SetWindowFocus();
        if (IsDestroying()) return;
        Activate();
    } else {
        // The screen keeps its active form while another program is active.
        FActive = false;
        Deactivate();
        if (IsDestroying()) return;
        DefaultHandler(Message.Message);
    }
}

void TCustomForm::WMNextDlgCtl(TWMNextDlgCtl& Message) {
    if (Message.Handle()) {
        auto wnd = reinterpret_cast<HWND>(Message.CtlFocus());
        TWinControl* control = FindControl(wnd);
        if (control && control->CanFocus())
            control->SetFocus();
        else if (IsWindow(wnd))
            ::SetFocus(wnd);
        return;
    }
    SelectNext(FActiveControl, Message.CtlFocus() == 0, true);
}

void TCustomForm::CMDialogKey(TWMKey& Message) {
    Word key = Message.CharCode();
    TShiftState shift = KeyDataToShiftState(Message.KeyData());
    if (key == VK_TAB && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
        SelectNext(FActiveControl, !shift.Contains(ssShift), true);
        Message.Result = 1;
        return;
    }
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
        if (FActiveControl && FActiveControl->GetParent()) {
            FActiveControl->GetParent()->SelectNext(FActiveControl,
                                                    key == VK_RIGHT || key == VK_DOWN, false);
            Message.Result = 1;
        }
        return;
    }
    TWinControl::Dispatch(Message.Message);
}

// ---- Painting ------------------------------------------------------------------------

void TCustomForm::PaintWindow(HDC DC) {
    FCanvas->FreeHandle();
    FCanvas->Lock();
    FCanvas->SetHandle(DC);
    struct TRelease {
        TControlCanvas* Canvas;
        ~TRelease() {
            Canvas->SetHandle(nullptr);
            Canvas->Unlock();
        }
    } release{FCanvas.get()};
    Paint();
}

void TCustomForm::ReleaseCanvasHandle() {
    FCanvas->FreeHandle();
}

void TCustomForm::GetChildren(TGetChildProc Proc, TComponent* Root) {
    if (Root == this) {
        for (int i = 0; i < GetComponentCount(); ++i) {
            TComponent* component = GetComponent(i);
            if (!component->HasParent()) Proc(component);
        }
    }
    TWinControl::GetChildren(Proc, Root);
}

// ---------------------------------------------------------------------------
// TForm

void TForm::Published(TPropertyList& P) {
    P.Add("ActiveControl", &TCustomForm::GetActiveControl, &TCustomForm::SetActiveControl)
        .Stored(&TCustomForm::IsActiveControlStored);
    P.Add("BorderIcons", &TCustomForm::GetBorderIcons, &TCustomForm::SetBorderIcons,
          TBorderIcons{biSystemMenu, biMinimize, biMaximize});
    P.Add("BorderStyle", &TCustomForm::GetBorderStyle, &TCustomForm::SetBorderStyle, bsSizeable);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("ClientHeight", &TControl::GetClientHeight, &TControl::SetClientHeight)
        .Range(0, MaxControlExtent);
    P.Add("ClientWidth", &TControl::GetClientWidth, &TControl::SetClientWidth)
        .Range(0, MaxControlExtent);
    P.Add("Color", &TControl::GetColor, &TControl::SetColor, clBtnFace)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("Constraints", &TControl::GetConstraints);
    P.Add("Cursor", &TControl::GetCursor, &TControl::SetCursor, crDefault)
        .Idents(CursorToIdent, IdentToCursor);
    P.Add("Enabled", &TControl::GetEnabled, &TControl::SetEnabled, true);
    P.Add("Font", &TControl::GetFont);
    P.Add("FormStyle", &TCustomForm::GetFormStyle, &TCustomForm::SetFormStyle, fsNormal);
    P.Add("Hint", &TControl::GetHint, &TControl::SetHint);
    P.Add("Icon", &TCustomForm::GetIcon);
    P.Add("KeyPreview", &TCustomForm::GetKeyPreview, &TCustomForm::SetKeyPreview, false);
    P.Add("Menu", &TCustomForm::GetMenu, &TCustomForm::SetMenu);
    P.Add("PopupMenu", &TControl::GetPopupMenu, &TControl::SetPopupMenu);
    P.Add("Position", &TCustomForm::GetPosition, &TCustomForm::SetPosition, poDesigned);
    P.Add("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint, false);
    P.Add("Visible", &TControl::GetVisible, &TControl::SetVisible, false);
    P.Add("WindowMenu", &TCustomForm::GetWindowMenu, &TCustomForm::SetWindowMenu);
    P.Add("WindowState", &TCustomForm::GetWindowState, &TCustomForm::SetWindowState, wsNormal);
    P.Add("OnActivate", &TCustomForm::OnActivate);
    P.Add("OnClick", &TControl::OnClick);
    P.Add("OnClose", &TCustomForm::OnClose);
    P.Add("OnCloseQuery", &TCustomForm::OnCloseQuery);
    P.Add("OnCreate", &TCustomForm::OnCreate);
    P.Add("OnDblClick", &TControl::OnDblClick);
    P.Add("OnDeactivate", &TCustomForm::OnDeactivate);
    P.Add("OnDestroy", &TCustomForm::OnDestroy);
    P.Add("OnHide", &TCustomForm::OnHide);
    P.Add("OnKeyDown", &TWinControl::OnKeyDown);
    P.Add("OnKeyPress", &TWinControl::OnKeyPress);
    P.Add("OnKeyUp", &TWinControl::OnKeyUp);
    P.Add("OnMouseDown", &TControl::OnMouseDown);
    P.Add("OnMouseMove", &TControl::OnMouseMove);
    P.Add("OnMouseUp", &TControl::OnMouseUp);
    P.Add("OnPaint", &TCustomForm::OnPaint);
    P.Add("OnResize", &TControl::OnResize);
    P.Add("OnShortCut", &TCustomForm::OnShortCut);
    P.Add("OnShow", &TCustomForm::OnShow);
}

// ---------------------------------------------------------------------------
// TDataModule

TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner) {
    if (Screen) {
        Screen->AddDataModule(this);
        Screen->FreeNotification(this);
    }
}

TDataModule::~TDataModule() {
    if (Screen) Screen->RemoveDataModule(this);
}

void TDataModule::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TDataModule::DoDestroy() {
    if (FDestroyFired) return;
    FDestroyFired = true;
    if (OnDestroy) OnDestroy(this);
}

void TDataModule::GetChildren(TGetChildProc Proc, TComponent* Root) {
    if (Root != this) return;
    for (int i = 0; i < GetComponentCount(); ++i) {
        TComponent* component = GetComponent(i);
        if (!component->HasParent()) Proc(component);
    }
}

void TDataModule::Published(TPropertyList& P) {
    P.Add("Left", &TDataModule::GetLeft, &TDataModule::SetLeft, 0);
    P.Add("Top", &TDataModule::GetTop, &TDataModule::SetTop, 0);
    P.Add("Height", &TDataModule::GetHeight, &TDataModule::SetHeight, 0);
    P.Add("Width", &TDataModule::GetWidth, &TDataModule::SetWidth, 0);
    P.Add("OnCreate", &TDataModule::OnCreate);
    P.Add("OnDestroy", &TDataModule::OnDestroy);
}
