// The controller, the default controller and the controller look-ups.
#include "grid/gclbase.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/HiddenWindow.h"
#include "classlib/Persistence.h"
#include "grid/gclconst.h"
#include "grid/gclmisc.h"

namespace {

TGclController* TheDefaultController = nullptr;
bool DefaultControllerGone = false;

void FreeDefaultController() {
    delete TheDefaultController;
    TheDefaultController = nullptr;
    DefaultControllerGone = true;
}

void StartBase() {
    RegisterEnum<TGclBaseEFOption>({"efoAutoAdvanceChar", "efoAutoAdvanceLeftRight",
                                    "efoAutoAdvanceUpDown", "efoAutoSelect", "efoBeepOnError",
                                    "efoInsertPushes"});
    if (!GetClass("TGclAttachedLabel")) RegisterClass(TGclAttachedLabel::StaticClass());
    DefaultControllerGone = false;
}

void FinishBase() {
    // Forms may use the default controller to their end: it goes after them.
    if (Application)
        AddExitProc(FreeDefaultController);
    else
        FreeDefaultController();
}

} // namespace

DEFINE_UNIT(gclbase, uoGridModules, StartBase, FinishBase);

// ---- Look-ups -----------------------------------------------------------------

TWinControl* GetImmediateParentForm(TControl* Control) {
    for (TWinControl* p = Control ? Control->GetParent() : nullptr; p; p = p->GetParent())
        if (dynamic_cast<TCustomForm*>(p)) return p;
    return nullptr;
}

TGclController* FindController(TWinControl* Form) {
    if (!Form) return nullptr;
    for (int i = 0; i < Form->GetComponentCount(); ++i)
        if (auto* controller = dynamic_cast<TGclController*>(Form->GetComponent(i))) return controller;
    return nullptr;
}

void ResolveController(TWinControl* Form, TGclController*& Controller) {
    if (!Controller) Controller = FindController(Form);
}

TGclController* DefaultController() {
    if (!TheDefaultController && !DefaultControllerGone)
        TheDefaultController = new TGclController(nullptr);
    return TheDefaultController;
}

// ---- TGclController -----------------------------------------------------------

TGclController::TGclController(TComponent* AOwner)
    : TGclComponent(AOwner), FEntryCommands(new TGclCommandProcessor), FEpoch(DefaultEpoch()),
      FTimerPool(new TGclTimerPool(this)) {
    FTimerPool->OnAllTriggers = TTriggerEvent(this, &TGclController::DoOnTimerTrigger);
    // Controls already on the form that have no controller take this one.
    if (AOwner)
        for (int i = 0; i < AOwner->GetComponentCount(); ++i)
            if (auto* control = dynamic_cast<TGclCustomControlEx*>(AOwner->GetComponent(i)))
                if (!control->ControllerAssigned()) control->SetController(this);
}

TGclController::~TGclController() {
    delete FEntryCommands;
    delete FTimerPool;
    DestroyHandle();
}

void TGclController::Published(TPropertyList& P) {
    P.Add("EntryCommands", &TGclController::GetEntryCommands);
    P.Add("EntryOptions", &TGclController::GetEntryOptions, &TGclController::SetEntryOptions,
          TGclBaseEFOptions{efoAutoSelect, efoBeepOnError, efoInsertPushes});
    P.Add("Epoch", &TGclController::StoredEpoch, &TGclController::SetEpoch);
    P.Add("OnError", &TGclController::OnError);
    P.Add("OnGetEpoch", &TGclController::OnGetEpoch);
    P.Add("OnDelayNotify", &TGclController::OnDelayNotify);
    P.Add("OnIsSpecialControl", &TGclController::OnIsSpecialControl);
    P.Add("OnPostEdit", &TGclController::OnPostEdit);
    P.Add("OnPreEdit", &TGclController::OnPreEdit);
    P.Add("OnTimerTrigger", &TGclController::OnTimerTrigger);
}

HWND TGclController::GetHandle() {
    if (!FHandle) FHandle = AllocateHWnd(TWndMethod(this, &TGclController::cWndProc));
    return FHandle;
}

void TGclController::DestroyHandle() {
    if (FHandle) DeallocateHWnd(FHandle);
    FHandle = nullptr;
}

void TGclController::DoOnError(TObject* Sender, Word ErrorCode, const AnsiString& ErrorMsg) {
    if (OnError.Assigned())
        OnError(Sender, ErrorCode, ErrorMsg);
    else
        MessageDlg(ErrorMsg, mtError, TMsgDlgButtons{mbOK}, 0);
}

void TGclController::DoOnPreEdit(TObject* Sender, TWinControl* LosingControl) {
    PostMessageA(GetHandle(), om_PreEditNotify,
                 reinterpret_cast<WPARAM>(LosingControl ? LosingControl->GetHandle() : nullptr),
                 reinterpret_cast<LPARAM>(Sender));
}

void TGclController::DoOnPostEdit(TObject* Sender, TWinControl* GainingControl) {
    PostMessageA(GetHandle(), om_PostEditNotify,
                 reinterpret_cast<WPARAM>(GainingControl ? GainingControl->GetHandle() : nullptr),
                 reinterpret_cast<LPARAM>(Sender));
}

void TGclController::PostFocusControl(TWinControl* Control) {
    if (!Control) return;
    PostMessageA(GetHandle(), om_FocusControl, 0, reinterpret_cast<LPARAM>(Control->GetHandle()));
}

void TGclController::DelayNotify(TObject* Sender, Word NotifyCode) {
    if (OnDelayNotify.Assigned())
        PostMessageA(GetHandle(), om_DelayNotify, NotifyCode, reinterpret_cast<LPARAM>(Sender));
}

void TGclController::DoOnTimerTrigger(TObject* Sender, int Handle, Cardinal Interval,
                                      int ElapsedTime) {
    if (OnTimerTrigger.Assigned()) OnTimerTrigger(Sender, Handle, Interval, ElapsedTime);
}

int TGclController::GetEpoch() {
    int epoch = FEpoch;
    if (OnGetEpoch.Assigned()) OnGetEpoch(this, epoch);
    return epoch;
}

void TGclController::SetEpoch(int Value) {
    if (Value != FEpoch && Value >= 1600 && Value <= 3999) FEpoch = Value;
}

bool TGclController::IsSpecialButton(HWND Handle) {
    bool special = false;
    if (OnIsSpecialControl.Assigned()) OnIsSpecialControl(this, FindControl(Handle), special);
    return special;
}

void TGclController::cWndProc(TMessage& Msg) {
    try {
        switch (Msg.Msg) {
        case om_FocusControl:
            // A control freed before the queue reached the message has no window any more.
            if (TWinControl* control = FindControl(reinterpret_cast<HWND>(Msg.LParam))) {
                control->Show();
                if (control->CanFocus()) control->SetFocus();
            }
            break;
        case om_PreEditNotify:
            if (OnPreEdit.Assigned())
                OnPreEdit(reinterpret_cast<TObject*>(Msg.LParam),
                          FindControl(reinterpret_cast<HWND>(Msg.WParam)));
            break;
        case om_PostEditNotify:
            if (OnPostEdit.Assigned())
                OnPostEdit(reinterpret_cast<TObject*>(Msg.LParam),
                           FindControl(reinterpret_cast<HWND>(Msg.WParam)));
            break;
        case om_DelayNotify:
            if (OnDelayNotify.Assigned())
                OnDelayNotify(reinterpret_cast<TObject*>(Msg.LParam), LOWORD(Msg.WParam));
            break;
        default:
            DefaultWindowHandler(FHandle, Msg);
        }
    } catch (const std::exception& e) {
        if (Application) Application->HandleException(this, e);
    }
}
