// The skinned header control on the system's own header, driven by a person's pointer: its
// sections painted from a flat-colour fixture record in the normal, hot and pressed looks,
// the area after them, a press on a divider that resizes without a pushed look or a click,
// the flat header's click, the default look for missing or inconsistent records, and the
// skin change that reaches it.
#include "skin/controls/SkinCtrls_Headers.h"
#include "skin/form/SkinRelay.h"

#include "tests/skin/controls/SkinFixture.h"

#include <string>
#include <vector>

namespace {

constexpr COLORREF kNormal = 0x00FF00; // clLime
constexpr COLORREF kHot = 0x00FFFF;    // clYellow
constexpr COLORREF kDown = 0xFF0000;   // clBlue

class SkinHeader : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        const int picture = Skin.AddPicture(120, 30);
        Skin.Fill(picture, TRect(0, 0, 40, 30), clLime);
        Skin.Fill(picture, TRect(40, 0, 80, 30), clYellow);
        Skin.Fill(picture, TRect(80, 0, 120, 30), clBlue);
        Record = Skin.Add<TskDataSkinButtonControl>("header");
        Record->PictureIndex = picture;
        Record->SkinRect = TRect(0, 0, 40, 20);
        Record->LTPoint = TPoint(2, 10);
        Record->RTPoint = TPoint(38, 10);
        Record->ClRect = TRect(2, 0, 38, 20);
        Record->ActiveSkinRect = TRect(40, 0, 80, 20);
        Record->DownSkinRect = TRect(80, 0, 120, 20);
        Record->FontName = "Arial";
        Record->FontHeight = 14;
        Record->FontColor = clBlack;
        Record->ActiveFontColor = clMaroon;
        Record->DownFontColor = clWhite;

        Header = new TskSkinHeaderControl(Form);
        Header->SetParent(Form);
        Header->SetBounds(0, 0, 380, 30);
        Header->SetSkinDataName("header");
        for (const char* text : {"Name", "Size", "Type"}) {
            THeaderSection* section = Header->GetSections()->Add();
            section->SetText(text);
            section->SetWidth(100);
        }
        Header->OnSkinSectionClick = TSectionNotifyEvent::FromCallable(
            [this](THeaderControl*, THeaderSection* Section) { Clicks.push_back(Section->GetText()); });
        // Wherever the test before left the pointer, it is not over the header.
        PointerTo(Away());
    }
    void TearDown() override {
        PointerTo(Away());
        ShownFormTest::TearDown();
    }
    TPoint At(int X, int Y) { return Header->ClientToScreen(TPoint(X, Y)); }
    TPoint Away() { return Form->ClientToScreen(TPoint(200, 250)); }
    std::unique_ptr<TBitmap> Shot() { return CaptureWindow(Header->GetHandle()); }
    // The colour of section Index's picture away from its caption.
    static COLORREF SectionColour(TBitmap* Shot, int Index) {
        return PixelOf(Shot, Index * 100 + 92, 3);
    }

    TFixtureSkin Skin;
    TskDataSkinButtonControl* Record = nullptr;
    TskSkinHeaderControl* Header = nullptr;
    std::vector<std::string> Clicks;
};

TEST_F(SkinHeader, SectionsTakeTheNormalHotAndPressedLooksOfTheRecord) {
    Header->SetSkinData(Skin.Data.get());
    // Without corner points below, the sections keep the skin's height.
    EXPECT_EQ(Header->GetHeight(), 20);
    auto normal = Shot();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SectionColour(normal.get(), i), kNormal) << i;
    // The area after the last section is the normal look too.
    EXPECT_EQ(PixelOf(normal.get(), 350, 10), kNormal);
    // The caption in the record's font colour.
    int ink = 0;
    for (int x = 5; x < 60; ++x)
        for (int y = 2; y < 18; ++y) ink += PixelOf(normal.get(), x, y) == 0;
    EXPECT_GT(ink, 10);

    PointerTo(At(150, 10));
    ASSERT_TRUE(PumpUntil([&] { return Header->GetHotSection() == 1; }));
    auto hot = Shot();
    EXPECT_EQ(SectionColour(hot.get(), 0), kNormal);
    EXPECT_EQ(SectionColour(hot.get(), 1), kHot);

    PointerDown(At(150, 10));
    ASSERT_TRUE(PumpUntil([&] { return Header->GetSectionPressed(); }));
    auto pressed = Shot();
    EXPECT_EQ(SectionColour(pressed.get(), 1), kDown);
    EXPECT_EQ(SectionColour(pressed.get(), 2), kNormal);
    EXPECT_TRUE(Clicks.empty());

    PointerUp(At(150, 10));
    ASSERT_TRUE(PumpUntil([&] { return !Clicks.empty(); }));
    EXPECT_EQ(Clicks, std::vector<std::string>{"Size"});
    EXPECT_FALSE(Header->GetSectionPressed());
    auto released = Shot();
    EXPECT_EQ(SectionColour(released.get(), 1), kHot);

    PointerTo(Away());
    ASSERT_TRUE(PumpUntil([&] { return Header->GetHotSection() == -1; }));
    EXPECT_EQ(SectionColour(Shot().get(), 1), kNormal);
}

TEST_F(SkinHeader, APressOnADividerResizesWithoutAPushedLookOrAClick) {
    Header->SetSkinData(Skin.Data.get());
    PointerTo(At(100, 10));
    PointerDown(At(100, 10));
    EXPECT_FALSE(Header->GetSectionPressed());
    for (int dx = 10; dx <= 40; dx += 10) PointerTo(At(100 + dx, 10));
    ASSERT_TRUE(PumpUntil([&] { return Header->GetSections()->GetItem(0)->GetWidth() == 140; }));
    auto dragging = Shot();
    for (int x = 2; x < 370; x += 7)
        ASSERT_NE(PixelOf(dragging.get(), x, 3), kDown) << "pushed look at " << x;
    PointerUp(At(140, 10));
    Pump();
    EXPECT_TRUE(Clicks.empty());
    EXPECT_FALSE(Header->GetSectionPressed());
}

TEST_F(SkinHeader, AFlatHeaderIsNeverPushedAndFiresItsClick) {
    Header->SetStyle(hsFlat);
    Header->SetSkinData(Skin.Data.get());
    PointerTo(At(250, 10));
    PointerDown(At(250, 10));
    EXPECT_FALSE(Header->GetSectionPressed());
    EXPECT_EQ(SectionColour(Shot().get(), 2), kHot);
    PointerUp(At(250, 10));
    ASSERT_TRUE(PumpUntil([&] { return !Clicks.empty(); }));
    EXPECT_EQ(Clicks, std::vector<std::string>{"Type"});
    // Lit again under the pointer after the click.
    EXPECT_EQ(Header->GetHotSection(), 2);
}

TEST_F(SkinHeader, ADraggedSectionFiresNoClick) {
    Header->SetDragReorder(true);
    Header->SetSkinData(Skin.Data.get());
    PointerTo(At(50, 10));
    PointerDown(At(50, 10));
    for (int dx = 20; dx <= 160; dx += 20) PointerTo(At(50 + dx, 10));
    PointerUp(At(210, 10));
    Pump();
    EXPECT_TRUE(Clicks.empty());
    // Whatever order the sections show in, each is painted in its place.
    const auto shot = Shot();
    for (int i = 0; i < 3; ++i) EXPECT_NE(SectionColour(shot.get(), i), kDown) << i;
}

TEST_F(SkinHeader, CornerPointsBelowStretchTheSectionsToTheHeadersHeight) {
    Record->LBPoint = TPoint(2, 18);
    Record->RBPoint = TPoint(38, 18);
    Record->LTPoint = TPoint(2, 2);
    Record->RTPoint = TPoint(38, 2);
    Record->ClRect = TRect(2, 2, 38, 18);
    Header->SetSkinData(Skin.Data.get());
    Header->SetHeight(34);
    EXPECT_EQ(Header->GetHeight(), 34);
    const auto shot = Shot();
    EXPECT_EQ(PixelOf(shot.get(), 192, 31), kNormal);
    EXPECT_EQ(PixelOf(shot.get(), 350, 31), kNormal);
}

TEST_F(SkinHeader, MissingOrInconsistentRecordsGiveTheDefaultLook) {
    const COLORREF face = static_cast<COLORREF>(ColorToRGB(clBtnFace));
    Header->SetDefaultHeight(24);
    EXPECT_EQ(Header->GetHeight(), 24);
    // A record of another class under the name.
    TFixtureSkin other;
    other.AddPicture(40, 20);
    other.Add<TskDataSkinPanelControl>("header")->PictureIndex = 0;
    // A button record whose picture is missing, or whose rectangle leaves the picture.
    TFixtureSkin missing;
    missing.Add<TskDataSkinButtonControl>("header")->PictureIndex = 3;
    TFixtureSkin outside;
    outside.AddPicture(40, 20);
    auto* wide = outside.Add<TskDataSkinButtonControl>("header");
    wide->PictureIndex = 0;
    wide->SkinRect = TRect(20, 0, 90, 20);
    for (TFixtureSkin* skin : {&other, &missing, &outside}) {
        Header->SetSkinData(skin->Data.get());
        EXPECT_EQ(Header->GetHeight(), 24);
        const auto shot = Shot();
        EXPECT_EQ(SectionColour(shot.get(), 1), face);
    }
    // Pressed without a skin: the default pushed look.
    PointerTo(At(150, 10));
    PointerDown(At(150, 10));
    ASSERT_TRUE(PumpUntil([&] { return Header->GetSectionPressed(); }));
    EXPECT_EQ(SectionColour(Shot().get(), 1), static_cast<COLORREF>(RGB(133, 147, 181)));
    PointerUp(At(150, 10));
    Pump();
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinHeader, TheSkinChangeRelayReachesTheHeader) {
    Header->SetSkinData(Skin.Data.get());
    EXPECT_EQ(Header->GetHeight(), 20);
    // The new skin's sections are taller: the header takes their height.
    RelaySkinChange(Form, Skin.Data.get(), [&] {
        Record->SkinRect = TRect(0, 0, 40, 26);
        Record->ClRect = TRect(2, 0, 38, 26);
    });
    EXPECT_EQ(Header->GetHeight(), 26);
    EXPECT_EQ(PixelOf(Shot().get(), 50, 24), kNormal);
}

} // namespace
