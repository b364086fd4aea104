#include "grid/gcleditf.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"
#include "grid/gclconst.h"

TGclCustomEdit::TGclCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner), FLabels(this) {}

AnsiString TGclCustomEdit::GetAbout() const {
    return GclVersion;
}

void TGclCustomEdit::SetController(TGclController* Value) {
    SetReference(this, FController, Value);
}

void TGclCustomEdit::CreateWnd() {
    SetController(ChooseController(this, FController));
    TCustomEdit::CreateWnd();
}

void TGclCustomEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomEdit::Notification(AComponent, Operation);
    if (Operation == opRemove) {
        FLabels.Removed(AComponent);
        if (AComponent == FController) FController = nullptr;
    } else if (!FController) {
        if (auto* controller = dynamic_cast<TGclController*>(AComponent)) SetController(controller);
    }
}

void TGclCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (HandleAllocated()) PostMessageA(GetHandle(), om_PositionLabel, 0, 0);
}

void TGclCustomEdit::CMVisibleChanged(TMessage& Msg) {
    TCustomEdit::Dispatch(Msg);
    FLabels.VisibleChanged();
}

void TGclCustomEdit::OMPositionLabel(TMessage&) {
    FLabels.PositionMessage();
}

void TGclCustomEdit::OMRecordLabelPosition(TMessage&) {
    FLabels.RecordPositionMessage();
}

void TGclCustomEdit::OMAssignLabel(TMessage& Msg) {
    FLabels.AssignMessage(Msg.LParam);
}

void TGclCustomEdit::Published(TPropertyList& P) {
    P.Add("About", &TGclCustomEdit::GetAbout, &TGclCustomEdit::SetAbout).Stored(false);
    P.Add("Controller", &TGclCustomEdit::GetController, &TGclCustomEdit::SetController);
    P.Add("LabelInfo", &TGclCustomEdit::GetLabelInfo);
}

REGISTER_CLASS(TGclEdit);

DEFINE_UNIT(gcleditf, uoGridModules, nullptr, nullptr);
