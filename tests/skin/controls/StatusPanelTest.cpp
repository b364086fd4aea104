// The skinned status panel: its default frames, the glyph's enabled and disabled frames
// before its text, the skin's picture with the glyph in the record's client part, and the
// status bar that hands it its skin.
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/controls/SkinCtrls_StatusPanels.h"

#include "tests/skin/controls/SkinFixture.h"

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;

class SkinStatusPanel : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Panel = Add<TskSkinStatusPanel>(Form, 10, 10, 120, 21);
        Panel->SetCaption("Ready");
    }
    // A strip of Frames frames of 16 x 16, each a square of its colour on a transparent ground.
    static std::unique_ptr<TBitmap> Strip(std::initializer_list<TColor> Colours) {
        auto strip = std::make_unique<TBitmap>(16 * static_cast<int>(Colours.size()), 16);
        TCanvas* c = strip->GetCanvas();
        c->GetBrush()->SetColor(clFuchsia);
        c->FillRect(TRect(0, 0, strip->GetWidth(), 16));
        int x = 0;
        for (TColor colour : Colours) {
            c->GetBrush()->SetColor(colour);
            c->FillRect(TRect(x + 3, 3, x + 13, 13));
            x += 16;
        }
        return strip;
    }
    // The leftmost column at or after From where the text's black ink shows.
    static int InkFrom(TBitmap* Shot, int From) {
        for (int x = From; x < Shot->GetWidth(); ++x)
            for (int y = 0; y < Shot->GetHeight(); ++y)
                if (PixelOf(Shot, x, y) == 0) return x;
        return -1;
    }

    TskSkinStatusPanel* Panel = nullptr;
};

TEST_F(SkinStatusPanel, TheDefaultLookFramesByBorderStyleAndPutsTheGlyphBeforeTheText) {
    const COLORREF shadow = static_cast<COLORREF>(ColorToRGB(clBtnShadow));
    const COLORREF light = static_cast<COLORREF>(ColorToRGB(clBtnHighlight));
    Panel->SetBorderStyle(TskSkinBorderStyle::bvLowered);
    auto lowered = PaintToBitmap(Panel);
    EXPECT_EQ(PixelOf(lowered.get(), 0, 0), shadow);
    EXPECT_EQ(PixelOf(lowered.get(), 119, 20), light);
    EXPECT_EQ(PixelOf(lowered.get(), 60, 1), static_cast<COLORREF>(ColorToRGB(clBtnFace)));
    const int bare = InkFrom(lowered.get(), 0);
    EXPECT_GE(bare, 3);
    EXPECT_LT(bare, 8);

    auto strip = Strip({clRed, clBlue});
    Panel->SetGlyph(strip.get());
    Panel->SetNumGlyphs(2);
    auto enabled = PaintToBitmap(Panel);
    // The first frame at x 3, centred in the panel's height.
    EXPECT_EQ(PixelOf(enabled.get(), 3 + 8, 10), kRed);
    EXPECT_NE(PixelOf(enabled.get(), 3 + 1, 10), kRed);
    EXPECT_GE(InkFrom(enabled.get(), 3 + 16), 3 + 16 + 2);
    Panel->SetEnabled(false);
    EXPECT_EQ(PixelOf(PaintToBitmap(Panel).get(), 3 + 8, 10), kBlue);
}

TEST_F(SkinStatusPanel, AOneFrameGlyphShowsItsOnlyFrameWhenDisabled) {
    auto strip = Strip({clRed});
    Panel->SetGlyph(strip.get());
    Panel->SetEnabled(false);
    EXPECT_EQ(PixelOf(PaintToBitmap(Panel).get(), 3 + 8, 10), kRed);
    // A form resource's NumGlyphs beyond the strip's two frames is held to them.
    Panel->SetNumGlyphs(5);
    EXPECT_EQ(Panel->GetNumGlyphs(), 2);
}

TEST_F(SkinStatusPanel, TheSkinsPictureHoldsTheGlyphInItsClientPart) {
    TFixtureSkin skin;
    const int picture = skin.AddPicture(40, 18);
    skin.Fill(picture, TRect(0, 0, 40, 18), clLime);
    auto* record = skin.AddFramed<TskDataSkinLabelControl>("statuspanel", picture, TRect(0, 0, 40, 18));
    record->ClRect = TRect(4, 2, 36, 16);
    record->FontName = "Arial";
    record->FontHeight = 14;
    record->FontColor = clBlack;
    auto strip = Strip({clRed, clBlue});
    Panel->SetGlyph(strip.get());
    Panel->SetNumGlyphs(2);
    Panel->SetSkinData(skin.Data.get());
    auto shot = PaintToBitmap(Panel);
    EXPECT_EQ(PixelOf(shot.get(), 1, 1), static_cast<COLORREF>(0x00FF00));
    // The client part grows with the panel: 4 .. 116 across, 2 .. 19 down.
    EXPECT_EQ(PixelOf(shot.get(), 4 + 8, 2 + 17 / 2), kRed);
    EXPECT_GE(InkFrom(shot.get(), 4 + 16), 4 + 16 + 2);
}

TEST_F(SkinStatusPanel, TheStatusBarHandsItsSkinToItsPanels) {
    TFixtureSkin skin;
    skin.Add<TskDataSkinLabelControl>("statuspanel");
    auto* bar = Add<TskSkinStatusBar>(Form, 0, 0, 300, 21);
    auto* first = Add<TskSkinStatusPanel>(bar, 2, 2, 100, 17);
    auto* second = Add<TskSkinStatusPanel>(bar, 104, 2, 100, 17);
    bar->SetSkinData(skin.Data.get());
    EXPECT_EQ(first->GetSkin(), skin.Data.get());
    EXPECT_EQ(second->GetSkin(), skin.Data.get());
    EXPECT_EQ(bar->GetAlign(), alBottom);
}

} // namespace
