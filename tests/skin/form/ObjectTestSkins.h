// A solid-colour test skin with every kind of frame object: a 280 x 160 frame whose top
// band (60 high) holds the caption and caption buttons, a main-menu row and a row of
// value objects; their looks come from active picture 1, whose cells are all distinct
// colours so that a look can be told by one pixel.
#pragma once

#include "tests/skin/form/FormTestSkins.h"

namespace objectskins {

using testskins::Fill;
using testskins::Solid;

constexpr int kWidth = 280, kHeight = 160;
constexpr TColor kTop = testskins::kTop, kPassed = 0x00A000, kThumb = 0xA00000, kFill = 0x0060C0;
constexpr TColor kFrames[4] = {0x101010, 0x202020, 0x303030, 0x404040};
constexpr TColor kShadow = 0x00FF00;
constexpr TColor kSwitchOn = 0x00C0C0, kItem = 0xC0C0C0, kItemHover = 0xE0A0A0, kItemDown = 0x604020;
// Glyph of digit d: 0x0000F0 + d.
inline TColor Glyph(int D) {
    return static_cast<TColor>(0x0000F0 + D);
}

struct Options {
    bool MenuItems = true;
    bool Values = true;
};

template <class R> R* Add(TskSkinData* S, const char* Name, const TRect& Skin, const TRect& Active) {
    auto r = std::make_unique<R>(Name);
    r->SkinRect = Skin;
    r->ActiveSkinRect = Active;
    r->ActivePictureIndex = 1;
    R* raw = r.get();
    S->ObjectList.push_back(std::move(r));
    return raw;
}

inline void Build(TskSkinData* S, const Options& O = Options()) {
    testskins::Build(S);
    testskins::Frame(S, kWidth, kHeight, 60, 150);
    S->ButtonsRect = TRect(200, 4, 276, 20);
    S->MainMenuRect = TRect(4, 22, 276, 40);
    auto* caption = dynamic_cast<TskDataSkinCaption*>(S->ObjectList.front().get());
    testskins::CaptionUpToButtons(S, caption);
    caption->Shadow = true;
    caption->ShadowColor = caption->ActiveShadowColor = kShadow;
    // Active picture 1: row 0 track passed part and thumb, row 1 gauge fill and menu item
    // looks, row 2 frame strips, row 3 the digit glyphs.
    auto p = Solid(220, 64, 0xFFFFFF);
    Fill(p.get(), TRect(0, 0, 60, 16), kPassed);
    Fill(p.get(), TRect(60, 0, 68, 16), kThumb);
    Fill(p.get(), TRect(0, 16, 40, 32), kFill);
    Fill(p.get(), TRect(40, 16, 80, 34), kItem);
    Fill(p.get(), TRect(80, 16, 120, 34), kItemHover);
    Fill(p.get(), TRect(120, 16, 160, 34), kItemDown);
    for (int f = 0; f < 4; ++f) {
        Fill(p.get(), TRect(f * 16, 34, f * 16 + 16, 48), kFrames[f]);        // frame gauge
        Fill(p.get(), TRect(80 + f * 16, 34, 96 + f * 16, 48), kFrames[f]);   // animation
        Fill(p.get(), TRect(144 + f * 16, 34, 160 + f * 16, 48), kFrames[f]); // regulator
    }
    Fill(p.get(), TRect(64, 34, 80, 48), kSwitchOn);
    for (int d = 0; d < 10; ++d) Fill(p.get(), TRect(d * 8, 48, d * 8 + 8, 64), Glyph(d));
    S->ActivePictures.push_back(std::move(p));
    if (O.Values) {
        auto* track = Add<TskDataSkinTrackBar>(S, "track", TRect(24, 42, 84, 58), TRect(0, 0, 60, 16));
        track->ButtonRect = TRect(60, 0, 68, 16);
        track->BeginPoint = TPoint(4, 8);
        track->EndPoint = TPoint(56, 8);
        track->MaxValue = 52;
        track->MouseDownChangeValue = true;
        auto* gauge = Add<TskDataSkinGauge>(S, "gauge", TRect(88, 42, 128, 58), TRect(0, 16, 40, 32));
        gauge->MaxValue = 100;
        auto* fgauge = Add<TskDataSkinFrameGaugeObject>(S, "framegauge", TRect(132, 42, 148, 56), TRect(0, 34, 64, 48));
        fgauge->MaxValue = 30;
        fgauge->CountFrames = 4;
        Add<TskDataSkinSwitch>(S, "switch", TRect(152, 42, 168, 56), TRect(64, 34, 80, 48));
        auto* anim = Add<TskDataSkinAnimate>(S, "animate", TRect(172, 42, 188, 56), TRect(80, 34, 144, 48));
        anim->CountFrames = 4;
        anim->TimerInterval = 100;
        anim->Command = cmDefault;
        auto* bits = Add<TskDataSkinBitLabel>(S, "bits", TRect(192, 42, 228, 58), TRect(0, 48, 80, 64));
        bits->Symbols->Add("0123456789");
        bits->SymbolWidth = 8;
        bits->SymbolHeight = 16;
        bits->TextValue = "12345";
        auto* reg = Add<TskDataSkinFrameRegulatorObject>(S, "regulator", TRect(232, 42, 248, 56), TRect(144, 34, 208, 48));
        reg->MaxValue = 30;
        reg->CountFrames = 4;
        reg->Kind = rkHorizontal;
        auto* label = Add<TskDataSkinLabel>(S, "label", TRect(252, 42, 276, 58), NullRect());
        label->TextValue = "ab";
        label->FontColor = 0x000000;
        label->ActiveFontColor = 0xFFFFFF;
    }
    if (O.MenuItems) {
        auto* item = Add<TskDataSkinMainMenuItem>(S, "MAINMENUITEM", TRect(40, 16, 80, 34), TRect(80, 16, 120, 34));
        item->SkinRectInAPicture = true;
        item->DownRect = TRect(120, 16, 160, 34);
        item->TextRect = TRect(4, 0, 36, 18);
        item->ItemLeftOffset = item->ItemRightOffset = 2;
        item->FontColor = 0x000000;
        item->ActiveFontColor = 0x000000;
        item->DownFontColor = 0xFFFFFF;
    }
}

} // namespace objectskins
