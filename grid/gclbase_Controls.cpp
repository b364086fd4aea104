// Component bases, attached labels and the controller link of controls.
#include "grid/gclbase.h"

#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Persistence.h"
#include "grid/gclconst.h"
#include "grid/gcldata.h"
#include "grid/gclmisc.h"

#define GCL_ABOUT(Class)                                                                           \
    AnsiString Class::GetAbout() const {                                                           \
        return GclVersion;                                                                         \
    }

GCL_ABOUT(TGclComponent)
GCL_ABOUT(TGcl32Component)
GCL_ABOUT(TGclGraphicControl)
GCL_ABOUT(TGcl32CustomControl)

void TGclComponent::Published(TPropertyList& P) {
    P.Add("About", &TGclComponent::GetAbout, &TGclComponent::SetAbout).Stored(false);
}
void TGcl32Component::Published(TPropertyList& P) {
    P.Add("About", &TGcl32Component::GetAbout, &TGcl32Component::SetAbout).Stored(false);
}
void TGclGraphicControl::Published(TPropertyList& P) {
    P.Add("About", &TGclGraphicControl::GetAbout, &TGclGraphicControl::SetAbout).Stored(false);
}

// ---- TGclLabelInfo ------------------------------------------------------------

void TGclLabelInfo::SetOffsetX(int Value) {
    SetOffsets(Value, FOffsetY);
}

void TGclLabelInfo::SetOffsetY(int Value) {
    SetOffsets(FOffsetX, Value);
}

void TGclLabelInfo::SetOffsets(int X, int Y) {
    if (X == FOffsetX && Y == FOffsetY) return;
    FOffsetX = X;
    FOffsetY = Y;
    if (OnChange.Assigned()) OnChange(this);
}

void TGclLabelInfo::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    if (OnAttach.Assigned()) OnAttach(this, Value);
}

void TGclLabelInfo::Published(TPropertyList& P) {
    P.Add("OffsetX", &TGclLabelInfo::GetOffsetX, &TGclLabelInfo::SetOffsetX)
        .Stored(&TGclLabelInfo::IsVisible);
    P.Add("OffsetY", &TGclLabelInfo::GetOffsetY, &TGclLabelInfo::SetOffsetY)
        .Stored(&TGclLabelInfo::IsVisible);
    P.Add("Visible", &TGclLabelInfo::GetVisible, &TGclLabelInfo::SetVisible, false);
}

// ---- TGclAttachedLabel --------------------------------------------------------

TGclAttachedLabel::TGclAttachedLabel(TComponent* AOwner) : TLabel(AOwner) {
    SetAutoSize(true);
    SetParentFont(true);
    SetTransparent(false);
}

TGclAttachedLabel::TGclAttachedLabel(TComponent* AOwner, TWinControl* AControl)
    : TGclAttachedLabel(AOwner) {
    SetControl(AControl);
}

void TGclAttachedLabel::SetControl(TWinControl* Value) {
    SetReference(this, FControl, Value);
    SetFocusControl(Value);
}

void TGclAttachedLabel::Published(TPropertyList& P) {
    P.Add("Control", &TGclAttachedLabel::GetControl, &TGclAttachedLabel::SetControl);
}

void TGclAttachedLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TLabel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FControl) FControl = nullptr;
}

void TGclAttachedLabel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TLabel::SetBounds(ALeft, ATop, AWidth, AHeight);
    SavePosition();
}

void TGclAttachedLabel::Loaded() {
    TLabel::Loaded();
    SavePosition();
}

void TGclAttachedLabel::SavePosition() {
    const TComponentState state = GetComponentState();
    if (state.Contains(csLoading) || state.Contains(csDestroying) || !FControl) return;
    if (!GetOwner() || FControl->GetOwner() != GetOwner()) return;
    FControl->Perform(om_AssignLabel, 0, reinterpret_cast<LPARAM>(this));
    if (FControl->HandleAllocated()) PostMessageA(FControl->GetHandle(), om_RecordLabelPosition, 0, 0);
}

// ---- TGcl32CustomControl ------------------------------------------------------

TGcl32CustomControl::TGcl32CustomControl(TComponent* AOwner)
    : TCustomControl(AOwner), FLabels(this) {}

TGcl32CustomControl::~TGcl32CustomControl() = default;

void TGcl32CustomControl::Published(TPropertyList& P) {
    P.Add("About", &TGcl32CustomControl::GetAbout, &TGcl32CustomControl::SetAbout).Stored(false);
    P.Add("LabelInfo", &TGcl32CustomControl::GetLabelInfo);
    P.Add("AfterEnter", &TGcl32CustomControl::AfterEnter);
    P.Add("AfterExit", &TGcl32CustomControl::AfterExit);
}

TGclAttachedLabel* TGcl32CustomControl::GetAttachedLabel() const {
    return FLabels.GetAttachedLabel();
}

void TGcl32CustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (HandleAllocated()) PostMessageA(GetHandle(), om_PositionLabel, 0, 0);
}

void TGcl32CustomControl::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove) FLabels.Removed(AComponent);
}

void TGcl32CustomControl::DoOnMouseWheel(TShiftState Shift, short Delta, Word XPos, Word YPos) {
    if (OnMouseWheel.Assigned()) OnMouseWheel(this, Shift, Delta, XPos, YPos);
}

void TGcl32CustomControl::WMSetFocus(TMessage& Msg) {
    TCustomControl::Dispatch(Msg);
    PostMessageA(GetHandle(), om_AfterEnter, 0, 0);
}

void TGcl32CustomControl::WMKillFocus(TMessage& Msg) {
    TCustomControl::Dispatch(Msg);
    PostMessageA(GetHandle(), om_AfterExit, 0, 0);
}

void TGcl32CustomControl::WMMouseWheel(TMessage& Msg) {
    DoOnMouseWheel(KeysToShiftState(LOWORD(Msg.WParam)), static_cast<short>(HIWORD(Msg.WParam)),
                   LOWORD(Msg.LParam), HIWORD(Msg.LParam));
}

void TGcl32CustomControl::CMVisibleChanged(TMessage& Msg) {
    TCustomControl::Dispatch(Msg);
    FLabels.VisibleChanged();
}

void TGcl32CustomControl::OMAfterEnter(TMessage&) {
    if (AfterEnter.Assigned()) AfterEnter(this);
}

void TGcl32CustomControl::OMAfterExit(TMessage&) {
    if (AfterExit.Assigned()) AfterExit(this);
}

void TGcl32CustomControl::OMAssignLabel(TMessage& Msg) {
    FLabels.AssignMessage(Msg.LParam);
}

void TGcl32CustomControl::OMPositionLabel(TMessage&) {
    FLabels.PositionMessage();
}

void TGcl32CustomControl::OMRecordLabelPosition(TMessage&) {
    FLabels.RecordPositionMessage();
}

// ---- TGclCustomControlEx ------------------------------------------------------

TGclController* TGclCustomControlEx::GetController() {
    return FController ? FController : DefaultController();
}

void TGclCustomControlEx::SetController(TComponent* Value) {
    SetReference(this, FController, dynamic_cast<TGclController*>(Value));
}

TGclController* ChooseController(TControl* Control, TGclController* Current) {
    TWinControl* form = GetImmediateParentForm(Control);
    const TComponentState state = Control->GetComponentState();
    const bool designing = state.Contains(csDesigning);
    const bool loading = state.Contains(csLoading);
    if (designing && !loading) ResolveController(form, Current);
    if (!Current && !loading) {
        Current = FindController(form);
        if (!Current && !designing) Current = DefaultController();
    }
    return Current;
}

void TGclCustomControlEx::CreateWnd() {
    SetController(ChooseController(this, FController));
    TGclCustomControl::CreateWnd();
}

void TGclCustomControlEx::Notification(TComponent* AComponent, TOperation Operation) {
    TGclCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FController) FController = nullptr;
}
