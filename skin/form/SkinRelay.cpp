#include "skin/form/SkinRelay.h"

namespace {

void Collect(TWinControl* Parent, TskSkinData* Data, std::vector<TskSkinFollower*>& Found) {
    for (int i = 0; i < Parent->GetControlCount(); ++i) {
        TControl* control = Parent->GetControl(i);
        auto* client = dynamic_cast<TskSkinFollower*>(control);
        if (client && (!Data || client->GetSkin() == Data)) Found.push_back(client);
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) Collect(windowed, Data, Found);
    }
}

} // namespace

std::vector<TskSkinFollower*> SkinnedControlsOf(TWinControl* Root, TskSkinData* Data) {
    std::vector<TskSkinFollower*> found;
    if (Root) Collect(Root, Data, found);
    return found;
}

void RelaySkinChange(TWinControl* Root, TskSkinData* Data, const std::function<void()>& Reload) {
    for (TskSkinFollower* client : SkinnedControlsOf(Root, Data))
        client->BeforeChangeSkinData();
    auto after = [&] {
        for (TskSkinFollower* client : SkinnedControlsOf(Root, Data))
            client->ChangeSkinData();
    };
    try {
        if (Reload) Reload();
    } catch (...) {
        after();
        throw;
    }
    after();
}
