// The skinned roll-up panel: rolling both ways, the pinned rolled dimension, the caption
// buttons under real mouse messages.
#include "skin/controls/SkinCtrls_ExPanels.h"

#include "tests/skin/controls/SkinFixture.h"

namespace {

class SkinExPanel : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Panel = Add<TskSkinExPanel>(Form, 10, 10, 150, 100);
        Panel->SetCaption("Places");
        Child = Add<TskSkinExPanel>(Panel, 5, 30, 40, 40);
        Hidden = Add<TskSkinExPanel>(Panel, 60, 30, 40, 40);
        Hidden->SetVisible(false);
    }
    // The default look's buttons: S = 21 - 6 at the caption's right end.
    const TPoint kClose{140, 10};
    const TPoint kRoll{125, 10};

    void Press(TPoint At) { MouseDown(Panel, At.X, At.Y); }
    void Release(TPoint At) { MouseUp(Panel, At.X, At.Y); }

    TskSkinExPanel* Panel = nullptr;
    TskSkinExPanel* Child = nullptr;
    TskSkinExPanel* Hidden = nullptr;
};

TEST_F(SkinExPanel, RollsToItsCaptionAndBackKeepingThePinnedDimension) {
    Panel->SetRollState(true);
    EXPECT_EQ(Panel->GetHeight(), 21);
    EXPECT_FALSE(Child->GetVisible());
    Panel->SetBounds(10, 10, 180, 300);
    EXPECT_EQ(TPoint(Panel->GetWidth(), Panel->GetHeight()), TPoint(180, 21));
    Panel->SetRollState(false);
    EXPECT_EQ(Panel->GetHeight(), 100);
    EXPECT_TRUE(Child->GetVisible());
    EXPECT_FALSE(Hidden->GetVisible());

    // Sideways: a strip of the caption's height; a change of kind while rolled keeps both
    // sizes to come back to.
    Panel->SetRollKind(rkRollHorizontal);
    Panel->SetRollState(true);
    EXPECT_EQ(TPoint(Panel->GetWidth(), Panel->GetHeight()), TPoint(21, 100));
    EXPECT_EQ(Panel->GetStoredWidth(), 180);
    Panel->SetRollKind(rkRollVertical);
    EXPECT_EQ(TPoint(Panel->GetWidth(), Panel->GetHeight()), TPoint(180, 21));
    Panel->SetRollState(false);
    EXPECT_EQ(TPoint(Panel->GetWidth(), Panel->GetHeight()), TPoint(180, 100));
    PaintToBitmap(Panel);
}

TEST_F(SkinExPanel, TheCaptionButtonsActOnALeftReleaseOverThem) {
    int changes = 0;
    int closes = 0;
    struct TCounter {
        int* Count;
        void Fire(TObject*) { ++*Count; }
    } changed{&changes}, closed{&closes};
    Panel->OnChangeRollState = TNotifyEvent(&changed, &TCounter::Fire);
    Panel->OnClose = TNotifyEvent(&closed, &TCounter::Fire);

    // Released elsewhere: nothing; moved back over the button first: it acts.
    Press(kRoll);
    MouseMove(Panel, 60, 60);
    Release(TPoint(60, 60));
    EXPECT_FALSE(Panel->GetRollState());
    Press(kRoll);
    MouseMove(Panel, 60, 60);
    MouseMove(Panel, kRoll.X, kRoll.Y);
    Release(kRoll);
    EXPECT_TRUE(Panel->GetRollState());
    EXPECT_EQ(changes, 1);

    // The right button does nothing.
    SendMessageA(Panel->GetHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(kRoll.X, kRoll.Y));
    SendMessageA(Panel->GetHandle(), WM_RBUTTONUP, 0, MAKELPARAM(kRoll.X, kRoll.Y));
    EXPECT_TRUE(Panel->GetRollState());

    Press(kClose);
    Release(kClose);
    EXPECT_FALSE(Panel->GetVisible());
    EXPECT_EQ(closes, 1);

    // Both buttons hidden: nothing reacts.
    Panel->SetVisible(true);
    Panel->SetShowCloseButton(false);
    Panel->SetShowRollButton(false);
    Press(kRoll);
    Release(kRoll);
    EXPECT_TRUE(Panel->GetRollState());
}

TEST_F(SkinExPanel, ASkinWithoutARolledPictureRollsToTheDefaultStrip) {
    TFixtureSkin skin;
    const int pic = skin.AddPicture(100, 60);
    skin.AddFramed<TskDataSkinExPanelControl>("expanel", pic, TRect(0, 0, 100, 60));
    Panel->SetSkinData(skin.Data.get());
    Panel->SetRollState(true);
    EXPECT_EQ(Panel->GetHeight(), 21);
    PaintToBitmap(Panel);
}

} // namespace
