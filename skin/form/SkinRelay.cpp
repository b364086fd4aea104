#include "skin/form/SkinRelay.h"

#include <list>

namespace {

void Collect(TWinControl* Parent, TskSkinData* Data, std::vector<TskSkinFollower*>& Found) {
    for (int i = 0; i < Parent->GetControlCount(); ++i) {
        TControl* control = Parent->GetControl(i);
        auto* follower = dynamic_cast<TskSkinFollower*>(control);
        if (follower && (!Data || follower->GetSkin() == Data)) Found.push_back(follower);
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) Collect(windowed, Data, Found);
    }
}

} // namespace

std::vector<TskSkinFollower*> SkinnedControlsOf(TWinControl* Root, TskSkinData* Data) {
    std::vector<TskSkinFollower*> found;
    if (Root) Collect(Root, Data, found);
    return found;
}

void ForEachSkinnedControl(TWinControl* Root, TskSkinData* Data,
                           const std::function<void(TskSkinFollower*)>& Call) {
    const std::vector<TskSkinFollower*> followers = SkinnedControlsOf(Root, Data);
    std::list<TComponentProtector> protectors;
    // Every follower is a control: the mixins' complete objects are.
    for (TskSkinFollower* follower : followers)
        protectors.emplace_back(dynamic_cast<TComponent*>(follower));
    for (TskSkinFollower* follower : followers)
        if (!dynamic_cast<TComponent*>(follower)->IsDestroying()) Call(follower);
}

void RelaySkinChange(TWinControl* Root, TskSkinData* Data, const std::function<void()>& Reload) {
    ForEachSkinnedControl(Root, Data, [](TskSkinFollower* f) { f->BeforeChangeSkinData(); });
    auto after = [&] {
        ForEachSkinnedControl(Root, Data, [](TskSkinFollower* f) { f->ChangeSkinData(); });
    };
    try {
        if (Reload) Reload();
    } catch (...) {
        after();
        throw;
    }
    after();
}
