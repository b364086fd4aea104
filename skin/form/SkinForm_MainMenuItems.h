// The form's main menu drawn on the frame itself: one object per visible top-level item,
// laid out left to right in the skin's menu area of the top or bottom border, each opening
// its submenu as a skinned popup below it. Items that do not fit are hidden and disabled
// until the form is wide enough again.
#pragma once

#include "skin/form/SkinForm_Objects.h"

// Look S of Source painted over At: its ends LO and RO wide unscaled, the middle between
// them tiled (the last tile cut); a look without a middle is not tiled.
void DrawItemLook(TCanvas* C, const TRect& At, TBitmap* Source, const TRect& S, int LO, int RO);
// Caption centred in TextRect (only its left edge is used, relative to At) widened to the
// caption's width + 2, in C's font and colour, without background.
void DrawItemCaption(TCanvas* C, const TRect& At, const TRect& TextRect, const AnsiString& Caption);

class TskSkinMainMenuItem : public TskActiveSkinObject {
    DECLARE_CLASS(TskSkinMainMenuItem, TskActiveSkinObject)
public:
    TskSkinMainMenuItem(TskSkinForm* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void SetDown(bool Value);
    void TrackMenu();
    // Leaves the other highlighted item.
    void SearchActive();
    // Closes the other open item; true when there was one.
    bool SearchDown();
    // The item's place in frame coordinates for the present form size.
    TRect CalcItemRect();

    // Where the item lies in frame coordinates while it is drawn into the bottom border.
    TRect FrameItemRect;
    bool Down = false;
    bool StoredEnabled = true;
    bool ItemVisible = true;
    TMenuItem* MenuItem = nullptr;
    AnsiString FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    TColor UnEnabledFontColor = 0, FontColor = 0, ActiveFontColor = 0, DownFontColor = 0;
    TRect TextRect;
    TRect DownRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;

private:
    void SetFont(TCanvas* C) const;
    // The item at its present size from look S of the active picture, with its caption.
    std::unique_ptr<TBitmap> Image(const TRect& S, bool ActiveText);
};
