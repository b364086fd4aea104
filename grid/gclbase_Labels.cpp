// The attached-label behaviour shared by the library's controls and edits.
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "grid/gclbase.h"
#include "grid/gcldata.h"
#include "grid/gclmisc.h"

TGclLabelHost::TGclLabelHost(TWinControl* AControl)
    : FControl(AControl), FInfo(new TGclLabelInfo) {
    FInfo->OnChange = TNotifyEvent(this, &TGclLabelHost::Changed);
    FInfo->OnAttach = TLabelAttachEvent(this, &TGclLabelHost::Attach);
}

TGclLabelHost::~TGclLabelHost() {
    FInfo->SetVisible(false);
    delete FInfo;
}

bool TGclLabelHost::Loading() const {
    return FControl->GetComponentState().Contains(csLoading);
}

TGclAttachedLabel* TGclLabelHost::GetAttachedLabel() const {
    if (!FInfo->GetVisible() || !FInfo->ALabel) throw Exception(GetGclStr(30244));
    return FInfo->ALabel;
}

void TGclLabelHost::SetBelow(bool Value) {
    if (Value == FBelow) return;
    FBelow = Value;
    Position();
}

void TGclLabelHost::Attach(TObject*, bool Value) {
    if (Loading()) return;
    TWinControl* form = GetImmediateParentForm(FControl);
    if (!form) return;
    TGclAttachedLabel*& label = FInfo->ALabel;
    if (!Value) {
        delete label;
        label = nullptr;
        return;
    }
    if (label && label->GetControl() == FControl) { // a label of its own already: kept
        Position();
        return;
    }
    delete label;
    label = nullptr;
    SetReference(FControl, label, new TGclAttachedLabel(form, FControl));
    label->SetParent(FControl->GetParent());
    const AnsiString name = GenerateComponentName(form, FControl->GetName() + "Label");
    label->SetName(name);
    label->SetCaption(name);
    FInfo->SetOffsets(0, 0);
    Position();
    label->BringToFront();
    label->SetAutoSize(true);
}

void TGclLabelHost::Changed(TObject*) {
    if (!Loading()) Position();
}

void TGclLabelHost::Position() {
    TGclAttachedLabel* label = FInfo->ALabel;
    if (!FInfo->GetVisible() || !label || !label->GetParent() || Loading()) return;
    const int height = label->GetHeight();
    const int top = FBelow ? FControl->GetTop() + FControl->GetHeight() + FInfo->GetOffsetY()
                           : FControl->GetTop() + FInfo->GetOffsetY() - height;
    label->SetBounds(FControl->GetLeft() + FInfo->GetOffsetX(), top, label->GetWidth(), height);
}

void TGclLabelHost::Offsets(int& X, int& Y) const {
    const TGclAttachedLabel* label = FInfo->ALabel;
    X = label->GetLeft() - FControl->GetLeft();
    Y = FBelow ? label->GetTop() - FControl->GetTop() - FControl->GetHeight()
               : label->GetTop() + label->GetHeight() - FControl->GetTop();
}

void TGclLabelHost::Removed(TComponent* AComponent) {
    if (AComponent != FInfo->ALabel) return;
    // The label is gone: forget it whatever happens to the form.
    FInfo->ALabel = nullptr;
    TWinControl* form = GetImmediateParentForm(FControl);
    if (!form || !form->GetComponentState().Contains(csDestroying)) FInfo->SetVisible(false);
}

void TGclLabelHost::VisibleChanged() {
    if (!Loading() && FInfo->GetVisible() && FInfo->ALabel)
        FInfo->ALabel->SetVisible(FControl->GetVisible());
}

void TGclLabelHost::AssignMessage(LPARAM Label) {
    // Sent again at every move of the label: the same label keeps its one role.
    SetReference(FControl, FInfo->ALabel, reinterpret_cast<TGclAttachedLabel*>(Label));
}

void TGclLabelHost::PositionMessage() {
    if (!FInfo->ALabel) return;
    int x, y;
    Offsets(x, y);
    if (x != FInfo->GetOffsetX() || y != FInfo->GetOffsetY()) Position();
}

void TGclLabelHost::RecordPositionMessage() {
    TGclAttachedLabel* label = FInfo->ALabel;
    if (!label || !label->GetParent()) return;
    FInfo->SetVisible(true);
    int x, y;
    Offsets(x, y);
    FInfo->SetOffsets(x, y);
}
