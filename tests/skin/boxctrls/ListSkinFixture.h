// The list box records of the list tests: a 100 x 80 frame with a border of 4 around its
// client area and 80 x 16 items, each part one flat colour in a picture of W x 100, and the
// check list's with its check pictures; and the numbered items the tests fill their lists
// with.
#pragma once

#include "classlib/StringList.h"
#include "classlib/Strings.h"
#include "skin/data/SkinData_EditControls.h"

#include "tests/skin/controls/SkinFixture.h"

constexpr TColor kListItem = 0x00C0FFC0;
constexpr TColor kListActiveItem = 0x00FFC0C0;
constexpr TColor kListClient = 0x00C0C0FF;
constexpr TColor kListFrame = 0x00404040;

// A record of class R named Name in a new picture W wide, whose index goes to Picture.
template <class R> R* AddListRecord(TFixtureSkin& Skin, const char* Name, int W, int& Picture) {
    Picture = Skin.AddPicture(W, 100);
    Skin.Fill(Picture, TRect(0, 0, 100, 80), kListFrame);
    Skin.Fill(Picture, TRect(4, 4, 96, 76), kListClient);
    Skin.Fill(Picture, TRect(100, 0, 180, 16), kListItem);
    Skin.Fill(Picture, TRect(100, 16, 180, 32), kListActiveItem);
    R* record = Skin.AddFramed<R>(Name, Picture, TRect(0, 0, 100, 80));
    record->LTPoint = TPoint(4, 4);
    record->RTPoint = TPoint(96, 4);
    record->LBPoint = TPoint(4, 76);
    record->RBPoint = TPoint(96, 76);
    record->ClRect = TRect(4, 4, 96, 76);
    record->ItemRect = TRect(100, 0, 180, 16);
    record->ActiveItemRect = TRect(100, 16, 180, 32);
    record->ItemTextRect = TRect(2, 0, 78, 16);
    return record;
}

constexpr TColor kListChecked = 0x00008000;
constexpr TColor kListUnchecked = 0x00000080;

// A check list record named Name in a new picture 240 wide, whose index goes to Picture: the
// list record with a check box before each item's text, and check pictures 10 x 10 in a
// white margin (the transparent colour).
inline TskDataSkinCheckListBox* AddCheckListRecord(TFixtureSkin& Skin, const char* Name,
                                                   int& Picture) {
    auto* record = AddListRecord<TskDataSkinCheckListBox>(Skin, Name, 240, Picture);
    Skin.Fill(Picture, TRect(201, 1, 211, 11), kListChecked);
    Skin.Fill(Picture, TRect(221, 1, 231, 11), kListUnchecked);
    record->ItemTextRect = TRect(20, 0, 78, 16);
    record->ItemCheckRect = TRect(2, 0, 18, 16);
    record->CheckImageRect = TRect(200, 0, 212, 12);
    record->UnCheckImageRect = TRect(220, 0, 232, 12);
    return record;
}

// Items "item 0" .. "item Count-1" added to Items in one update, as a long list is filled.
inline void AddNumberedItems(TStrings* Items, int Count) {
    Items->BeginUpdate();
    for (int i = 0; i < Count; ++i) Items->Add("item " + IntToStr(i));
    Items->EndUpdate();
}
