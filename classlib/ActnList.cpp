#include "classlib/ActnList.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <algorithm>

void TActionList::Published(TPropertyList& P) {
    P.Add("Images", &TActionList::GetImages, &TActionList::SetImages);
}

void TActionList::SetImages(TCustomImageList* Value) {
    SetReference(this, FImages, Value);
}

void TActionList::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

TActionLink::TActionLink(TCustomAction* Action, TChange OnChange)
    : FAction(Action), FOnChange(std::move(OnChange)) {
    if (FAction) FAction->FLinks.push_back(this);
}

TActionLink::~TActionLink() {
    if (!FAction) return;
    auto& links = FAction->FLinks;
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
}

bool TActionLink::Execute(TComponent*) {
    return FAction && FAction->Execute();
}

TCustomAction::~TCustomAction() {
    // Links outlive their action only as empty links.
    for (TActionLink* link : FLinks) link->FAction = nullptr;
}

void TCustomAction::Published(TPropertyList& P) {
    P.Add("Caption", &TCustomAction::GetCaption, &TCustomAction::SetCaption);
    P.Add("Enabled", &TCustomAction::GetEnabled, &TCustomAction::SetEnabled, true);
    P.Add("ImageIndex", &TCustomAction::GetImageIndex, &TCustomAction::SetImageIndex, -1);
    P.Add("ActionList", &TCustomAction::GetActionList, &TCustomAction::SetActionList);
    P.Add("OnExecute", &TCustomAction::OnExecute);
}

void TCustomAction::Changed() {
    const std::vector<TActionLink*> links = FLinks;
    for (TActionLink* link : links)
        if (link->FOnChange) link->FOnChange(this);
}

void TCustomAction::SetCaption(const AnsiString& Value) {
    FCaption = Value;
    Changed();
}

void TCustomAction::SetEnabled(bool Value) {
    FEnabled = Value;
    Changed();
}

void TCustomAction::SetImageIndex(int Value) {
    FImageIndex = Value;
    Changed();
}

void TCustomAction::SetActionList(TActionList* Value) {
    SetReference(this, FActionList, Value);
    Changed();
}

void TCustomAction::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FActionList) FActionList = nullptr;
}

bool TCustomAction::Execute() {
    if (!FEnabled || !OnExecute) return false;
    OnExecute(this);
    return true;
}

REGISTER_CLASS(TActionList);
REGISTER_CLASS(TAction);

DEFINE_UNIT(ActnList, uoClassLib, nullptr, nullptr);
