// Menu items for the menu tests whose clicks write their caption (without "&") to a log.
#pragma once

#include "classlib/Menus.h"

#include <string>
#include <vector>

inline TMenuItem* AddLoggedItem(TComponent* Owner, TMenuItem* Parent, const char* Caption,
                                std::vector<std::string>& Log) {
    auto* item = new TMenuItem(Owner);
    item->SetCaption(Caption);
    std::string name = StripHotkey(Caption).c_str();
    item->OnClick = TNotifyEvent::FromCallable([&Log, name](TObject*) { Log.push_back(name); });
    Parent->Add(item);
    return item;
}
