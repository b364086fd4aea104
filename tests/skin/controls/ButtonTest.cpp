// The skinned button: its four looks on a fixture skin and without one, the hover fade,
// groups, repeat, the default and cancel roles and the glyph-and-caption layout.
#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_Panels.h"

#include "classlib/Edits.h"

#include "tests/skin/controls/SkinFixture.h"
#include "tests/skin/controls/TextInk.h"

namespace {

const TColor kNormal = clRed, kActive = clLime, kDown = clBlue, kDisabled = clGray;

class SkinButton : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        const int pic = Skin.AddPicture(160, 20);
        Skin.Fill(pic, TRect(0, 0, 40, 20), kNormal);
        Skin.Fill(pic, TRect(40, 0, 80, 20), kActive);
        Skin.Fill(pic, TRect(80, 0, 120, 20), kDown);
        Skin.Fill(pic, TRect(120, 0, 160, 20), kDisabled);
        Record = Skin.AddFramed<TskDataSkinButtonControl>("button", pic, TRect(0, 0, 40, 20));
        Record->ActiveSkinRect = TRect(40, 0, 80, 20);
        Record->DownSkinRect = TRect(80, 0, 120, 20);
        Record->DisabledSkinRect = TRect(120, 0, 160, 20);
    }

    TskSkinButton* Button(int Left, int Top, bool Skinned = true) {
        auto* button = Add<TskSkinButton>(Form, Left, Top, 60, 24);
        if (Skinned) button->SetSkinData(Skin.Data.get());
        button->OnClick = TNotifyEvent(this, &SkinButton::Clicked);
        return button;
    }
public:
    void Clicked(TObject* Sender) { Clicks.push_back(static_cast<TskSkinButton*>(Sender)); }

protected:
    COLORREF Middle(TskSkinButton* B) {
        auto picture = PaintToBitmap(B);
        return PixelOf(picture.get(), B->GetWidth() / 2, B->GetHeight() / 2);
    }

    TFixtureSkin Skin;
    TskDataSkinButtonControl* Record = nullptr;
    std::vector<TskSkinButton*> Clicks;
};

TEST_F(SkinButton, EachStatePaintsItsRectangle) {
    TskSkinButton* button = Button(10, 10);
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kNormal));
    MouseMove(button, 5, 5);
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kActive));
    MouseDown(button, 5, 5);
    ASSERT_TRUE(button->GetDown());
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kDown));
    MouseUp(button, 5, 5);
    EXPECT_EQ(Clicks.size(), 1u);
    button->SetEnabled(false);
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kDisabled));

    // Empty active and down rectangles fall back to the normal one.
    Record->ActiveSkinRect = Record->DownSkinRect = TRect();
    button->SetEnabled(true);
    MouseMove(button, 5, 5);
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kNormal));
}

TEST_F(SkinButton, AButtonInADisabledContainerLooksDisabledWithIt) {
    auto* box = Add<TskSkinPanel>(Form, 100, 10, 120, 60);
    auto* button = Add<TskSkinButton>(box, 10, 10, 60, 24);
    button->SetSkinData(Skin.Data.get());
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kNormal));
    Pump();
    box->SetEnabled(false);
    EXPECT_TRUE(button->GetEnabled());
    // The container's change repaints what lies inside it.
    EXPECT_TRUE(GetUpdateRect(button->GetHandle(), nullptr, FALSE));
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kDisabled));
    box->SetEnabled(true);
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kNormal));
}

TEST_F(SkinButton, TheDefaultLookFollowsTheSameStates) {
    TskSkinButton* button = Button(10, 10, false);
    auto normal = PaintToBitmap(button);
    EXPECT_EQ(PixelOf(normal.get(), 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(normal.get(), 30, 12), ColorToRGB(clBtnFace));
    MouseMove(button, 5, 5);
    auto lit = PaintToBitmap(button);
    EXPECT_EQ(PixelOf(lit.get(), 0, 0), ColorToRGB(clNavy));
    EXPECT_EQ(PixelOf(lit.get(), 30, 12), static_cast<COLORREF>(RGB(182, 189, 210)));
    MouseDown(button, 5, 5);
    auto pressed = PaintToBitmap(button);
    EXPECT_EQ(PixelOf(pressed.get(), 30, 12), static_cast<COLORREF>(RGB(133, 147, 181)));
    MouseUp(button, 5, 5);
}

TEST_F(SkinButton, TheDefaultLookDrawsOnlyTheCaptionsLettersOverTheFace) {
    TskSkinButton* button = Button(10, 10, false);
    for (bool lit : {false, true}) {
        if (lit) MouseMove(button, 5, 5);
        button->SetCaption("");
        auto bare = PaintToBitmap(button);
        button->SetCaption("Save");
        auto captioned = PaintToBitmap(button);
        // The letters alone, in the button's font.
        const auto font = [&](TFont* F) { F->Assign(button->GetDefaultFont()); };
        const TSize letters = InkSize({button, "Save", font, {}});
        const TRect changed = Differences(captioned.get(), bare.get());
        EXPECT_TRUE(changed.Width() == letters.cx && changed.Height() == letters.cy)
            << (lit ? "lit" : "normal") << ": the caption changed " << changed.Left << "," << changed.Top
            << "," << changed.Right << "," << changed.Bottom << ", its letters alone are " << letters.cx << " x "
            << letters.cy;
    }
    MouseAway(button);
}

TEST_F(SkinButton, TheFocusLooksOtherThanTheHover) {
    for (bool skinned : {true, false}) {
        SCOPED_TRACE(skinned ? "skinned" : "default look");
        TskSkinButton* other = Button(10, 40, skinned);
        TskSkinButton* button = Button(10, 10, skinned);
        ASSERT_TRUE(TakeFocus(other));
        MouseMove(button, 5, 5);
        auto hovered = PaintToBitmap(button);
        MouseAway(button);
        ASSERT_TRUE(TakeFocus(button));
        auto focused = PaintToBitmap(button);
        // The dotted frame 3 pixels in: every other pixel of its top edge differs.
        int marked = 0;
        for (int x = 3; x < button->GetWidth() - 3; ++x)
            if (PixelOf(focused.get(), x, 3) != PixelOf(hovered.get(), x, 3)) ++marked;
        EXPECT_GE(marked, (button->GetWidth() - 6) / 2 - 1);
        delete button;
        delete other;
    }
}

// A caption that fills the button past where the frame usually lies: the frame goes round its
// letters with a pixel of face between, never across one; and the width the button names for a
// caption keeps the frame in its usual place.
TEST_F(SkinButton, TheFocusFrameKeepsClearOfTheCaptionsLetters) {
    const AnsiString caption = "Stop (1000 - 2563)";
    for (bool skinned : {true, false}) {
        SCOPED_TRACE(skinned ? "skinned" : "default look");
        TskSkinButton* other = Button(10, 40, skinned);
        TskSkinButton* button = Button(10, 10, skinned);
        const int usual = button->WidthFor(caption);
        for (int width : {usual - 4, usual}) {
            SCOPED_TRACE(width);
            button->SetWidth(width);
            ASSERT_TRUE(TakeFocus(other));
            MouseMove(button, 5, 5);
            button->SetCaption("");
            auto bare = PaintToBitmap(button);
            button->SetCaption(caption);
            auto hovered = PaintToBitmap(button);
            MouseAway(button);
            ASSERT_TRUE(TakeFocus(button));
            auto focused = PaintToBitmap(button);
            EXPECT_TRUE(FocusFrameClearOfInk(bare.get(), hovered.get(), focused.get()));
            if (width != usual) continue;
            // Three pixels in at the sides, as on any button: every other pixel of each side.
            for (int x : {3, width - 4}) {
                int marked = 0;
                for (int y = 4; y < button->GetHeight() - 4; ++y)
                    marked += PixelOf(focused.get(), x, y) != PixelOf(hovered.get(), x, y);
                EXPECT_GE(marked, (button->GetHeight() - 8) / 2) << "column " << x;
            }
        }
        delete button;
        delete other;
    }
}

TEST_F(SkinButton, AHoverFadesInByTenthsAndEndsAtExactlyOne) {
    Record->Morphing = true;
    TskSkinButton* button = Button(10, 10);
    MouseMove(button, 5, 5);
    ASSERT_TRUE(button->IsMorphing());
    EXPECT_EQ(button->GetMorphKf(), 0);
    button->DoMorph();
    EXPECT_DOUBLE_EQ(button->GetMorphKf(), 0.1);
    const COLORREF halfway = Middle(button);
    EXPECT_NE(halfway, static_cast<COLORREF>(kNormal));
    EXPECT_NE(halfway, static_cast<COLORREF>(kActive));
    int ticks = 1;
    while (button->IsMorphing() && ticks < 20) {
        button->DoMorph();
        ++ticks;
    }
    // Ten steps of 0.1 in floating point stay just below 1, so one more step passes it
    // before a tick clamps it.
    EXPECT_EQ(ticks, 12);
    EXPECT_EQ(button->GetMorphKf(), 1.0);
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kActive));

    MouseAway(button);
    ASSERT_TRUE(button->IsMorphing());
    while (button->IsMorphing()) button->DoMorph();
    EXPECT_EQ(button->GetMorphKf(), 0.0);
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kNormal));
}

TEST_F(SkinButton, TheHoverGoesOutWhenThePointerJumpsOffEveryWindowOrAWindowCoversTheButton) {
    TskSkinButton* button = Button(10, 10);
    // The button as the screen shows it, left of where the covering window comes.
    auto onScreen = [&] {
        auto shot = ScreenShot(button->GetHandle());
        return PixelOf(shot.get(), 8, button->GetHeight() / 2);
    };
    // The real pointer moved onto the button, and the hover lit by the system's own messages.
    auto hover = [&] {
        PointerTo(button->ClientToScreen(TPoint(30, 12)));
        return PumpUntil([&] { return GetMouseControl() == button; });
    };
    const TColor normal = kNormal, active = kActive;
    ASSERT_TRUE(hover());
    EXPECT_EQ(onScreen(), static_cast<COLORREF>(active));

    // Off every window at once: the next look at the pointer puts the hover out.
    PointerTo(TPoint(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1));
    CheckMouseControl();
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(normal));
    EXPECT_EQ(onScreen(), static_cast<COLORREF>(normal));

    // A window that comes over the lit button under a resting pointer.
    ASSERT_TRUE(hover());
    const TPoint corner = button->ClientToScreen(TPoint(0, 0));
    HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "BUTTON", "", WS_POPUP | WS_VISIBLE,
                                 corner.X + 20, corner.Y, 40, 24, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(cover, nullptr);
    CheckMouseControl();
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(normal));
    EXPECT_EQ(onScreen(), static_cast<COLORREF>(normal));
    DestroyWindow(cover);
}

TEST_F(SkinButton, APressDraggedOffDoesNotClick) {
    TskSkinButton* button = Button(10, 10);
    MouseDown(button, 5, 5);
    MouseAway(button);
    MouseUp(button, -20, -20);
    EXPECT_TRUE(Clicks.empty());
    EXPECT_FALSE(button->GetDown());
}

TEST_F(SkinButton, GroupedButtonsClickOnThePressAndReleaseEachOther) {
    TskSkinButton* a = Button(10, 10);
    TskSkinButton* b = Button(80, 10);
    for (TskSkinButton* button : {a, b}) {
        button->SetGroupIndex(1);
        button->SetModalResult(mrYes);
    }
    EXPECT_FALSE(a->GetCanFocused());
    MouseDown(a, 5, 5);
    EXPECT_EQ(Clicks, std::vector<TskSkinButton*>{a});
    EXPECT_EQ(Form->GetModalResult(), mrYes);
    MouseUp(a, 5, 5);
    EXPECT_TRUE(a->GetDown());
    EXPECT_EQ(Middle(a), static_cast<COLORREF>(kDown));
    MouseDown(b, 5, 5);
    MouseUp(b, 5, 5);
    EXPECT_FALSE(a->GetDown());
    EXPECT_TRUE(b->GetDown());

    // Pressed again: stays down, unless AllowAllUp lets it go on the release.
    Clicks.clear();
    MouseDown(b, 5, 5);
    MouseUp(b, 5, 5);
    EXPECT_TRUE(b->GetDown());
    EXPECT_TRUE(Clicks.empty());
    b->SetAllowAllUp(true);
    MouseDown(b, 5, 5);
    MouseUp(b, 5, 5);
    EXPECT_FALSE(b->GetDown());
    EXPECT_EQ(Clicks, std::vector<TskSkinButton*>{b});
}

TEST_F(SkinButton, RepeatClicksWhileHeldOverTheButton) {
    TskSkinButton* button = Button(10, 10);
    button->SetRepeatMode(true);
    MouseDown(button, 5, 5);
    EXPECT_TRUE(Clicks.empty()); // the first repeat comes one interval after the press
    ASSERT_TRUE(button->IsRepeating());
    button->RepeatTimerProc();
    button->RepeatTimerProc();
    EXPECT_EQ(Clicks.size(), 2u);
    MouseAway(button);
    EXPECT_FALSE(button->IsRepeating());
    MouseMove(button, 5, 5);
    EXPECT_TRUE(button->IsRepeating());
    MouseUp(button, 5, 5);
    EXPECT_FALSE(button->IsRepeating());
    EXPECT_EQ(Clicks.size(), 3u);
}

TEST_F(SkinButton, ReturnAndEscapeReachTheDefaultAndCancelButtons) {
    auto* edit = Add<TEdit>(Form, 10, 60, 100, 22);
    TskSkinButton* ok = Button(10, 10);
    TskSkinButton* cancel = Button(80, 10);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel->SetCancel(true);
    ASSERT_TRUE(TakeFocus(edit));
    // The default button is lit while a control that is no button has the focus.
    EXPECT_EQ(Middle(ok), static_cast<COLORREF>(kActive));
    PostKey(edit, VK_RETURN);
    EXPECT_EQ(Clicks, std::vector<TskSkinButton*>{ok});
    EXPECT_EQ(Form->GetModalResult(), mrOk);
    PostKey(edit, VK_ESCAPE);
    EXPECT_EQ(Clicks, (std::vector<TskSkinButton*>{ok, cancel}));
    Form->SetModalResult(mrNone);
}

TEST_F(SkinButton, ReturnClicksOnlyTheDefaultOrTheFocusedButton) {
    auto* edit = Add<TEdit>(Form, 10, 60, 100, 22);
    // Inside a group box, as the editor's buttons stand.
    auto* box = Add<TskSkinGroupBox>(Form, 150, 0, 120, 60);
    TskSkinButton* plain = Add<TskSkinButton>(box, 10, 20, 60, 24);
    plain->OnClick = TNotifyEvent(this, &SkinButton::Clicked);
    ASSERT_TRUE(TakeFocus(edit));
    PostKey(edit, VK_RETURN);
    EXPECT_TRUE(Clicks.empty()) << "no default button: Return stays with the edit";
    ASSERT_TRUE(TakeFocus(plain));
    PostKey(plain, VK_RETURN);
    EXPECT_EQ(Clicks, std::vector<TskSkinButton*>{plain}) << "the focused button, once";
    // The focus leaves it the way a click moves it.
    SetFocus(edit->GetHandle());
    Pump();
    PostKey(edit, VK_RETURN);
    EXPECT_EQ(Clicks, std::vector<TskSkinButton*>{plain}) << "a button that lost the focus";
    TskSkinButton* ok = Button(80, 10);
    ok->SetDefault(true);
    Clicks.clear();
    ASSERT_TRUE(TakeFocus(plain));
    PostKey(plain, VK_RETURN);
    EXPECT_EQ(Clicks, std::vector<TskSkinButton*>{plain}) << "the focused one, not the default";
    Clicks.clear();
    ASSERT_TRUE(TakeFocus(edit));
    PostKey(edit, VK_RETURN);
    EXPECT_EQ(Clicks, std::vector<TskSkinButton*>{ok});
    // A default button that cannot be reached stays still.
    Clicks.clear();
    ok->SetVisible(false);
    PostKey(edit, VK_RETURN);
    ok->SetVisible(true);
    ok->SetEnabled(false);
    PostKey(edit, VK_RETURN);
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(SkinButton, ALinkedActionGivesCaptionStateAndGlyphAndRunsOnTheClick) {
    TImageList images(nullptr);
    TBitmap picture(16, 16);
    picture.GetCanvas()->GetBrush()->SetColor(clPurple);
    picture.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    images.AddMasked(&picture, clFuchsia);
    TActionList list(nullptr);
    list.SetImages(&images);
    TAction action(nullptr);
    action.SetActionList(&list);
    action.SetCaption("Go");
    action.SetImageIndex(0);
    int runs = 0;
    struct TCounter {
        int* Count;
        void Fire(TObject*) { ++*Count; }
    } counter{&runs};
    action.OnExecute = TNotifyEvent(&counter, &TCounter::Fire);

    TskSkinButton* button = Button(10, 10, false);
    button->OnClick = TNotifyEvent();
    button->SetAction(&action);
    EXPECT_EQ(button->GetCaption(), "Go");
    EXPECT_EQ(button->GetGlyph()->GetWidth(), 16);
    EXPECT_EQ(PixelOf(button->GetGlyph(), 8, 8), static_cast<COLORREF>(clPurple));
    MouseDown(button, 5, 5);
    MouseUp(button, 5, 5);
    EXPECT_EQ(runs, 1);
    // An OnClick of its own runs instead of the action.
    button->OnClick = TNotifyEvent(this, &SkinButton::Clicked);
    MouseDown(button, 5, 5);
    MouseUp(button, 5, 5);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(Clicks.size(), 1u);
    action.SetEnabled(false);
    EXPECT_FALSE(button->GetEnabled());
    button->SetAction(nullptr);
}

TEST(SkinButtonLayout, GlyphAndCaptionFollowTheTable) {
    const TRect r(0, 0, 100, 40); // centre (50, 20)
    int gx, gy, tx, ty;
    // Centred: one block of 16 + 4 + 30 pixels around the centre.
    CalcGlyphAndTextLayout(blGlyphLeft, r, 16, 16, 30, 12, -1, 4, gx, gy, tx, ty);
    EXPECT_EQ(TRect(gx, gy, tx, ty), TRect(25, 12, 45, 14));
    CalcGlyphAndTextLayout(blGlyphRight, r, 16, 16, 30, 12, 3, 4, gx, gy, tx, ty);
    EXPECT_EQ(TRect(gx, gy, tx, ty), TRect(81, 12, 47, 14));
    CalcGlyphAndTextLayout(blGlyphTop, r, 16, 16, 30, 12, -1, 2, gx, gy, tx, ty);
    EXPECT_EQ(TRect(gx, gy, tx, ty), TRect(42, 5, 35, 23));
    CalcGlyphAndTextLayout(blGlyphBottom, r, 16, 16, 30, 12, 3, 2, gx, gy, tx, ty);
    EXPECT_EQ(TRect(gx, gy, tx, ty), TRect(42, 21, 35, 7));
}

} // namespace
