// Skinned check and radio boxes and the radio and check groups made of them: checked
// semantics, exclusive groups and arrangement driven by the user's mouse and keys, their
// form resources, and the boxes' looks on a flat-colour fixture skin, flat on the parent
// and without a skin.
#include "skin/controls/SkinCtrls_ButtonGroups.h"
#include "skin/controls/SkinCtrls_CheckRadio.h"

#include "classlib/Edits.h"
#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"

#include "tests/skin/controls/SkinFixture.h"
#include "tests/support/ScreenText.h"

namespace {

// A form whose published handler counts the boxes' clicks.
class TChoiceForm : public TForm {
    DECLARE_CLASS(TChoiceForm, TForm)
public:
    explicit TChoiceForm(TComponent* AOwner = nullptr) : TForm(AOwner) {}
    void BoxClick(TObject*) { ++Clicks; }
    static void Published(TPropertyList& P) { P.Method("BoxClick", &TChoiceForm::BoxClick); }
    int Clicks = 0;
};

const TColor kFace = clRed, kActiveFace = clLime;
const TColor kCheck = clBlue, kUnCheck = clNavy, kActiveCheck = clYellow,
             kActiveUnCheck = clAqua, kDisabledCheck = clPurple, kDisabledUnCheck = clTeal;

class CheckRadio : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Form->SetColor(clWhite);
        const int pic = Skin.AddPicture(80, 30);
        Skin.Fill(pic, TRect(0, 0, 40, 20), kFace);
        Skin.Fill(pic, TRect(40, 0, 80, 20), kActiveFace);
        Record = Skin.AddFramed<TskDataSkinCheckRadioControl>("checkbox", pic, TRect(0, 0, 40, 20));
        Record->ActiveSkinRect = TRect(40, 0, 80, 20);
        Record->CheckImageArea = TRect(0, 0, 20, 20);
        Record->TextArea = TRect(20, 0, 40, 20);
        TRect* pictures[] = {&Record->CheckImageRect,         &Record->UnCheckImageRect,
                             &Record->ActiveCheckImageRect,   &Record->ActiveUnCheckImageRect,
                             &Record->UnEnabledCheckImageRect, &Record->UnEnabledUnCheckImageRect};
        const TColor colours[] = {kCheck,         kUnCheck,         kActiveCheck,
                                  kActiveUnCheck, kDisabledCheck,   kDisabledUnCheck};
        for (int i = 0; i < 6; ++i) {
            // A white margin: the bottom-left pixel is the picture's transparent colour.
            *pictures[i] = TRect(i * 10, 20, i * 10 + 10, 30);
            Skin.Fill(pic, TRect(i * 10 + 1, 21, i * 10 + 9, 29), colours[i]);
        }
    }

    TskSkinCheckRadioBox* Box(int Left, int Top, bool Radio, int Group, bool Skinned = false) {
        auto* box = Add<TskSkinCheckRadioBox>(Form, Left, Top, 100, 20);
        box->SetRadio(Radio);
        box->SetGroupIndex(Group);
        if (Skinned) box->SetSkinData(Skin.Data.get());
        box->OnClick = TNotifyEvent(this, &CheckRadio::Clicked);
        return box;
    }
    void Click(TskSkinCheckRadioBox* Box) {
        MouseDown(Box, 10, 10);
        MouseUp(Box, 10, 10);
    }
    static COLORREF At(TskSkinCheckRadioBox* Box, int X, int Y) {
        auto picture = PaintToBitmap(Box);
        return PixelOf(picture.get(), X, Y);
    }
    // The centre of the check picture (the fixture's area centres it at 5,5..15,15) and a
    // point of the face away from it.
    static COLORREF CheckOf(TskSkinCheckRadioBox* Box) { return At(Box, 10, 10); }
    static COLORREF FaceOf(TskSkinCheckRadioBox* Box) { return At(Box, 60, 10); }

public:
    void Clicked(TObject* Sender) { Clicks.push_back(static_cast<TskSkinCheckRadioBox*>(Sender)); }

protected:
    TFixtureSkin Skin;
    TskDataSkinCheckRadioControl* Record = nullptr;
    std::vector<TskSkinCheckRadioBox*> Clicks;
};

constexpr COLORREF Rgb(TColor Color) {
    return static_cast<COLORREF>(Color);
}

// ---- Checked, groups, mouse and keys ---------------------------------------------------------

TEST_F(CheckRadio, ARadioBoxOnlyEverBecomesCheckedAndUnchecksItsGroup) {
    TskSkinCheckRadioBox* first = Box(10, 10, true, 1);
    TskSkinCheckRadioBox* second = Box(10, 40, true, 1);
    TskSkinCheckRadioBox* check = Box(10, 70, false, 1);
    TskSkinCheckRadioBox* other = Box(10, 100, true, 2);
    other->SetChecked(true);
    Clicks.clear();

    Click(first);
    EXPECT_TRUE(first->GetChecked());
    ASSERT_EQ(Clicks, std::vector<TskSkinCheckRadioBox*>{first});
    // Clicking a checked radio box changes nothing.
    Click(first);
    EXPECT_TRUE(first->GetChecked());
    EXPECT_EQ(Clicks.size(), 1u);
    // The unchecked mate fires nothing; another group is left alone.
    Click(second);
    EXPECT_TRUE(second->GetChecked());
    EXPECT_FALSE(first->GetChecked());
    EXPECT_TRUE(other->GetChecked());
    EXPECT_EQ(Clicks, (std::vector<TskSkinCheckRadioBox*>{first, second}));

    // A check box of the group unchecked by a radio box does fire.
    Click(check);
    EXPECT_TRUE(check->GetChecked());
    EXPECT_FALSE(second->GetChecked());
    Clicks.clear();
    Click(first);
    EXPECT_FALSE(check->GetChecked());
    EXPECT_EQ(Clicks, (std::vector<TskSkinCheckRadioBox*>{check, first}));
}

TEST_F(CheckRadio, ACheckBoxFiresOnEverySetAndTogglesOnEveryClick) {
    TskSkinCheckRadioBox* box = Box(10, 10, false, 0);
    box->SetChecked(false);
    EXPECT_EQ(Clicks.size(), 1u);
    Click(box);
    EXPECT_TRUE(box->GetChecked());
    Click(box);
    EXPECT_FALSE(box->GetChecked());
    EXPECT_EQ(Clicks.size(), 3u);
    // A press dragged off the box is no click.
    MouseDown(box, 10, 10);
    MouseAway(box);
    MouseUp(box, -20, -20);
    EXPECT_FALSE(box->GetChecked());
    EXPECT_EQ(Clicks.size(), 3u);
}

TEST_F(CheckRadio, OnlyAFocusableBoxTakesTheFocusAndTheSpaceBar) {
    auto* edit = Add<TEdit>(Form, 150, 10, 80, 20);
    TskSkinCheckRadioBox* box = Box(10, 10, false, 0);
    ASSERT_TRUE(TakeFocus(edit));
    Click(box);
    EXPECT_TRUE(box->GetChecked());
    EXPECT_FALSE(box->Focused());
    EXPECT_FALSE(box->GetTabStop());
    PostKey(box, VK_SPACE);
    EXPECT_TRUE(box->GetChecked());

    box->SetCanFocused(true);
    EXPECT_TRUE(box->GetTabStop());
    Click(box);
    EXPECT_TRUE(box->Focused());
    EXPECT_FALSE(box->GetChecked());
    PostKey(box, VK_SPACE);
    EXPECT_TRUE(box->GetChecked());
    EXPECT_EQ(Clicks.size(), 3u);
}

TEST_F(CheckRadio, ADesignTimeCheckBoxTurnedIntoARadioBoxTakesTheRadioSection) {
    TskSkinCheckRadioBox* box = Box(10, 10, false, 0);
    box->SetDesigning(true);
    box->SetRadio(true);
    EXPECT_EQ(box->GetSkinDataName(), "radiobox");
    EXPECT_EQ(box->GetGroupIndex(), 1);
    box->SetRadio(false);
    EXPECT_EQ(box->GetSkinDataName(), "checkbox");
    EXPECT_EQ(box->GetGroupIndex(), 0);
    box->SetDesigning(false);
    box->SetRadio(true);
    EXPECT_EQ(box->GetSkinDataName(), "checkbox");
}

TEST(CheckRadioResource, BoxesTravelThroughAFormResourceWithoutClicking) {
    TChoiceForm form;
    form.SetName("Choices");
    auto place = [&](const char* Name, bool Radio) {
        auto* box = new TskSkinCheckRadioBox(&form);
        box->SetName(Name);
        box->SetParent(&form);
        box->SetRadio(Radio);
        box->OnClick = TNotifyEvent(&form, &TChoiceForm::BoxClick);
        return box;
    };
    TskSkinCheckRadioBox* radio = place("RB_One", true);
    radio->SetGroupIndex(3);
    radio->SetChecked(true);
    radio->SetCaption("&One");
    TskSkinCheckRadioBox* check = place("CB_Flat", false);
    check->SetFlat(true);
    check->SetCanFocused(true);
    check->SetChecked(true);
    check->SetImageIndex(2);
    ASSERT_EQ(form.Clicks, 2);

    TMemoryStream stream;
    WriteComponentStream(&stream, &form);
    TChoiceForm copy;
    stream.SetPosition(0);
    ReadComponentStream(&stream, &copy);
    EXPECT_EQ(copy.Clicks, 0);
    auto* readRadio = dynamic_cast<TskSkinCheckRadioBox*>(copy.FindComponent("RB_One"));
    auto* readCheck = dynamic_cast<TskSkinCheckRadioBox*>(copy.FindComponent("CB_Flat"));
    ASSERT_NE(readRadio, nullptr);
    ASSERT_NE(readCheck, nullptr);
    EXPECT_TRUE(readRadio->GetRadio());
    EXPECT_TRUE(readRadio->GetChecked());
    EXPECT_EQ(readRadio->GetGroupIndex(), 3);
    EXPECT_EQ(readRadio->GetCaption(), "&One");
    EXPECT_TRUE(readCheck->GetFlat());
    EXPECT_TRUE(readCheck->GetCanFocused());
    EXPECT_TRUE(readCheck->GetTabStop());
    EXPECT_TRUE(readCheck->GetChecked());
    EXPECT_EQ(readCheck->GetImageIndex(), 2);
    // Loaded, the handlers run again.
    readCheck->SetChecked(false);
    EXPECT_EQ(copy.Clicks, 1);
}

// ---- Looks -----------------------------------------------------------------------------------

TEST_F(CheckRadio, EachStateShowsItsFaceAndCheckPicture) {
    TskSkinCheckRadioBox* box = Box(10, 10, false, 0, true);
    EXPECT_EQ(FaceOf(box), Rgb(kFace));
    EXPECT_EQ(CheckOf(box), Rgb(kUnCheck));
    // The picture's margin is left out.
    EXPECT_EQ(At(box, 5, 5), Rgb(kFace));
    box->SetChecked(true);
    EXPECT_EQ(CheckOf(box), Rgb(kCheck));
    MouseMove(box, 50, 10);
    EXPECT_EQ(FaceOf(box), Rgb(kActiveFace));
    EXPECT_EQ(CheckOf(box), Rgb(kActiveCheck));
    box->SetChecked(false);
    EXPECT_EQ(CheckOf(box), Rgb(kActiveUnCheck));
    MouseAway(box);
    box->SetEnabled(false);
    EXPECT_EQ(CheckOf(box), Rgb(kDisabledUnCheck));
    box->SetChecked(true);
    EXPECT_EQ(CheckOf(box), Rgb(kDisabledCheck));
    EXPECT_EQ(FaceOf(box), Rgb(kFace));
}

TEST_F(CheckRadio, ARecordWithoutActiveOrDisabledPicturesUsesTheNormalOnes) {
    Record->ActiveCheckImageRect = Record->ActiveUnCheckImageRect = TRect();
    Record->UnEnabledCheckImageRect = Record->UnEnabledUnCheckImageRect = TRect();
    Record->ActiveSkinRect = TRect();
    TskSkinCheckRadioBox* box = Box(10, 10, false, 0, true);
    MouseMove(box, 50, 10);
    EXPECT_EQ(CheckOf(box), Rgb(kUnCheck));
    EXPECT_EQ(FaceOf(box), Rgb(kFace));
    MouseAway(box);
    box->SetChecked(true);
    box->SetEnabled(false);
    EXPECT_EQ(CheckOf(box), Rgb(kCheck));
}

TEST_F(CheckRadio, RectanglesOutsideThePictureDrawWhatLiesInside) {
    Record->CheckImageRect = TRect(75, 25, 100000, 100000);
    Record->UnCheckImageRect = TRect(-50, -50, -40, -40);
    TskSkinCheckRadioBox* box = Box(10, 10, false, 0, true);
    EXPECT_EQ(CheckOf(box), Rgb(kFace));
    box->SetChecked(true);
    EXPECT_EQ(FaceOf(box), Rgb(kFace));
}

TEST_F(CheckRadio, AHoverFadesTheFaceInAndOut) {
    Record->Morphing = true;
    TskSkinCheckRadioBox* box = Box(10, 10, false, 0, true);
    MouseMove(box, 50, 10);
    ASSERT_TRUE(box->IsMorphing());
    box->DoMorph();
    EXPECT_DOUBLE_EQ(box->GetMorphKf(), 0.1);
    const COLORREF halfway = FaceOf(box);
    EXPECT_NE(halfway, Rgb(kFace));
    EXPECT_NE(halfway, Rgb(kActiveFace));
    while (box->IsMorphing()) box->DoMorph();
    EXPECT_EQ(box->GetMorphKf(), 1.0);
    EXPECT_EQ(FaceOf(box), Rgb(kActiveFace));
    MouseAway(box);
    while (box->IsMorphing()) box->DoMorph();
    EXPECT_EQ(box->GetMorphKf(), 0.0);
    EXPECT_EQ(FaceOf(box), Rgb(kFace));
    // A flat box never fades.
    box->SetFlat(true);
    MouseMove(box, 50, 10);
    EXPECT_FALSE(box->IsMorphing());
}

TEST_F(CheckRadio, AFlatBoxShowsItsParentTheCheckPictureAndACutCaption) {
    TskSkinCheckRadioBox* box = Box(10, 10, false, 0, true);
    box->SetFlat(true);
    box->SetChecked(true);
    const COLORREF parent = ColorToRGB(Form->GetColor());
    EXPECT_EQ(FaceOf(box), parent);
    // The picture at x 3, vertically centred: 3..13 x 5..15.
    EXPECT_EQ(At(box, 8, 10), Rgb(kCheck));
    EXPECT_EQ(At(box, 3, 5), parent);
    box->SetCaption(AnsiString(60, 'W'));
    auto picture = PaintToBitmap(box);
    int ink = 0;
    for (int y = 0; y < box->GetHeight(); ++y) {
        EXPECT_EQ(PixelOf(picture.get(), box->GetWidth() - 1, y), parent);
        EXPECT_EQ(PixelOf(picture.get(), box->GetWidth() - 2, y), parent);
        for (int x = box->GetWidth() - 12; x < box->GetWidth() - 2; ++x)
            if (PixelOf(picture.get(), x, y) != parent) ++ink;
    }
    EXPECT_GT(ink, 0);
}

TEST_F(CheckRadio, TheDefaultLookFramesTheBoxAndMarksIt) {
    TskSkinCheckRadioBox* check = Box(10, 10, false, 0);
    TskSkinCheckRadioBox* radio = Box(10, 40, true, 1);
    auto marks = [](TskSkinCheckRadioBox* Box) {
        auto picture = PaintToBitmap(Box);
        int black = 0;
        for (int y = 4; y < 16; ++y)
            for (int x = 4; x < 16; ++x)
                if (PixelOf(picture.get(), x, y) == Rgb(clBlack)) ++black;
        return black;
    };
    // The 14 x 14 box from (3, H/2 - 7).
    EXPECT_EQ(At(check, 3, 3), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(check, 16, 16), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(check, 60, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(marks(check), 0);
    check->SetChecked(true);
    radio->SetChecked(true);
    EXPECT_GT(marks(check), 5);
    EXPECT_GT(marks(radio), 5);
    MouseMove(check, 50, 10);
    EXPECT_EQ(At(check, 3, 3), ColorToRGB(clNavy));
    // Hovered, the client area is framed.
    EXPECT_EQ(At(check, 0, 0), ColorToRGB(clBtnShadow));
    MouseAway(check);
    check->SetFlat(true);
    EXPECT_EQ(At(check, 60, 10), ColorToRGB(Form->GetColor()));
    EXPECT_EQ(At(check, 3, 3), ColorToRGB(clBtnShadow));
}

// Whether Shot, a plain box on the screen, shows the 14 x 14 square from (3, H/2 - 7) framed
// in Frame, holding the 6 x 6 mark from (7, H/2 - 3) in black when Checked, else the face.
testing::AssertionResult ShowsSquare(const TShot& Shot, TColor Frame, bool Checked) {
    const int top = Shot.Height / 2 - 7;
    for (int y = top; y < top + 14; ++y)
        for (int x = 3; x < 17; ++x) {
            const bool edge = x == 3 || x == 16 || y == top || y == top + 13;
            const bool mark = Checked && x >= 7 && x < 13 && y >= top + 4 && y < top + 10;
            const COLORREF want = ColorToRGB(edge ? Frame : mark ? clBlack : clBtnFace);
            const DWORD shown = Shot.At(x, y);
            if (RGB(shown >> 16 & 0xFF, shown >> 8 & 0xFF, shown & 0xFF) != want)
                return testing::AssertionFailure() << "the screen shows " << std::hex << shown
                                                   << " at " << std::dec << x << "," << y;
        }
    return testing::AssertionSuccess();
}

TEST_F(CheckRadio, APlainRadioBoxIsTheCheckBoxSquareMarkedWithASquare) {
    TskSkinCheckRadioBox* radio = Box(10, 10, true, 1);
    const TPoint at = radio->ClientToScreen(TPoint(0, 0));
    const RECT onScreen{at.X, at.Y, at.X + radio->GetWidth(), at.Y + radio->GetHeight()};
    // The box once the screen shows that look, as a full repaint shows it too, saved as File.
    auto shows = [&](TColor Frame, bool Checked, const char* File) {
        TShot shot;
        PumpUntil(
            [&] { return static_cast<bool>(ShowsSquare(shot = Grab(onScreen), Frame, Checked)); });
        shot.Save(File);
        EXPECT_TRUE(shot == ShotOf(CaptureWindow(radio->GetHandle()).get(), radio->GetClientRect()))
            << File;
        return ShowsSquare(shot, Frame, Checked);
    };
    EXPECT_TRUE(shows(clBtnShadow, false, "radio-plain-unchecked.bmp"));
    radio->SetChecked(true);
    EXPECT_TRUE(shows(clBtnShadow, true, "radio-plain-checked.bmp"));
    ASSERT_TRUE(SendPointerInput(OnScreen(radio, 60, 10), 0));
    EXPECT_TRUE(shows(clNavy, true, "radio-plain-hovered.bmp"));
    SendPointerInput(OnScreen(radio, -20, -20), 0);
}

// ---- Radio and check groups -------------------------------------------------------------

class ButtonGroups : public ShownFormTest {
protected:
    template <typename G> G* Group(int Lines) {
        auto* group = Add<G>(Form, 10, 10, 220, 130);
        for (int i = 0; i < Lines; ++i) group->GetItems()->Add("Line " + IntToStr(i));
        group->OnClick = TNotifyEvent(this, &ButtonGroups::GroupClicked);
        return group;
    }
    static void Click(TskSkinCustomButtonGroup* Group, int Index) {
        TskSkinCheckRadioBox* button = Group->GetButton(Index);
        MouseDown(button, 10, button->GetHeight() / 2);
        MouseUp(button, 10, button->GetHeight() / 2);
    }

public:
    void GroupClicked(TObject*) { ++GroupClicks; }

protected:
    int GroupClicks = 0;
};

TEST_F(ButtonGroups, FiveLinesInTwoColumnsFillTheLeftColumnFirst) {
    auto* group = Group<TskSkinRadioGroup>(5);
    group->SetColumns(2);
    ASSERT_EQ(group->GetButtonCount(), 5);
    TRect r(0, 0, group->GetWidth(), group->GetHeight());
    group->AdjustClientRect(r);
    const int w = RectWidth(r) / 2 - 2;
    const int h = RectHeight(r) / 3;
    for (int i = 0; i < 5; ++i) {
        TskSkinCheckRadioBox* button = group->GetButton(i);
        EXPECT_TRUE(button->GetVisible());
        EXPECT_TRUE(button->GetFlat());
        EXPECT_TRUE(button->GetRadio());
        EXPECT_EQ(button->GetCaption(), "Line " + IntToStr(i));
        EXPECT_EQ(button->GetBoundsRect(),
                  Bounds(r.Left + 1 + (i / 3) * w, r.Top + (i % 3) * h, w, h))
            << i;
    }
    // A new size places them again.
    group->SetWidth(300);
    EXPECT_EQ(group->GetButton(3)->GetLeft(), r.Left + 1 + (RectWidth(r) + 80) / 2 - 2);

    group->SetColumns(0);
    EXPECT_EQ(group->GetColumns(), 1);
    group->SetColumns(20);
    EXPECT_EQ(group->GetColumns(), 16);
}

TEST_F(ButtonGroups, ItemIndexIsClampedAndFollowsDeletedLines) {
    auto* group = Group<TskSkinRadioGroup>(3);
    group->SetItemIndex(7);
    EXPECT_EQ(group->GetItemIndex(), 2);
    EXPECT_TRUE(group->GetButton(2)->GetChecked());
    EXPECT_EQ(GroupClicks, 1);
    group->SetItemIndex(-5);
    EXPECT_EQ(group->GetItemIndex(), -1);
    EXPECT_FALSE(group->GetButton(2)->GetChecked());
    group->SetItemIndex(2);
    group->GetItems()->Delete(2);
    EXPECT_EQ(group->GetItemIndex(), 1);
    ASSERT_EQ(group->GetButtonCount(), 2);
    EXPECT_TRUE(group->GetButton(1)->GetChecked());
}

TEST_F(ButtonGroups, ClickingARadioButtonSelectsItOnce) {
    auto* group = Group<TskSkinRadioGroup>(3);
    group->SetItemIndex(0);
    GroupClicks = 0;
    Click(group, 2);
    EXPECT_EQ(group->GetItemIndex(), 2);
    EXPECT_TRUE(group->GetButton(2)->GetChecked());
    EXPECT_FALSE(group->GetButton(0)->GetChecked());
    EXPECT_EQ(GroupClicks, 1);
    Click(group, 2);
    EXPECT_EQ(group->GetItemIndex(), 2);
    EXPECT_EQ(GroupClicks, 1);
}

TEST_F(ButtonGroups, ACheckGroupClicksForTheUserButNotForItsCheckedProperty) {
    auto* group = Group<TskSkinCheckGroup>(4);
    EXPECT_FALSE(group->GetButton(0)->GetRadio());
    EXPECT_EQ(group->GetButton(0)->GetSkinDataName(), "checkbox");
    Click(group, 2);
    EXPECT_EQ(group->GetItemIndex(), 2);
    EXPECT_TRUE(group->GetChecked(2));
    EXPECT_EQ(GroupClicks, 1);
    group->SetChecked(0, true);
    group->SetChecked(3, true);
    EXPECT_TRUE(group->GetChecked(0));
    EXPECT_TRUE(group->GetChecked(2));
    EXPECT_EQ(GroupClicks, 1);
    EXPECT_EQ(group->GetItemIndex(), 2);
    group->SetChecked(9, true);
    EXPECT_FALSE(group->GetChecked(9));
    EXPECT_FALSE(group->GetChecked(-1));
}

// ---- The user's clicks that change or free the group ---------------------------------------

// A group whose boxes must ask it before the user changes them.
template <typename G> class TGuarded : public G {
public:
    explicit TGuarded(TComponent* AOwner) : G(AOwner) {}
    bool CanModify() override { return Allowed; }
    bool Allowed = false;
};

class GroupsOnScreen : public ButtonGroups {
protected:
    void SetUp() override {
        ButtonGroups::SetUp();
        SetForegroundWindow(Form->GetHandle());
    }
    // The user clicks line Index of Group with the mouse; true once Done holds.
    static bool ClickLine(TskSkinCustomButtonGroup* Group, int Index,
                          const std::function<bool()>& Done) {
        TskSkinCheckRadioBox* button = Group->GetButton(Index);
        return ClickOnScreen(button, 10, button->GetHeight() / 2, Done);
    }

    // The user's click on the box of line 1, then Space on it, both refused; allowed, Space
    // checks it and a click on line 2 changes that one.
    template <typename G> void ExpectRefusedUntilAllowed() {
        auto* group = Add<TGuarded<G>>(Form, 10, 10, 220, 130);
        for (const char* line : {"one", "two", "three"}) group->GetItems()->Add(line);
        group->OnClick = TNotifyEvent(this, &ButtonGroups::GroupClicked);
        GroupClicks = 0;
        int ups = 0, keyUps = 0;
        auto count = [&](TskSkinCheckRadioBox* Box) {
            Box->OnMouseUp = TMouseEvent::FromCallable(
                [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; });
            Box->OnKeyUp = TKeyEvent::FromCallable([&](TObject*, Word&, TShiftState) { ++keyUps; });
        };
        TskSkinCheckRadioBox* box = group->GetButton(1);
        count(box);
        count(group->GetButton(2));

        ASSERT_TRUE(ClickLine(group, 1, [&] { return ups == 1; }));
        EXPECT_FALSE(box->GetChecked());
        ASSERT_TRUE(TakeFocus(box));
        ASSERT_TRUE(KeyOnKeyboard(VK_SPACE, [&] { return keyUps == 1; }));
        EXPECT_FALSE(box->GetChecked());
        EXPECT_EQ(group->GetItemIndex(), -1);
        EXPECT_EQ(GroupClicks, 0);

        group->Allowed = true;
        ASSERT_TRUE(KeyOnKeyboard(VK_SPACE, [&] { return keyUps == 2; }));
        EXPECT_TRUE(box->GetChecked());
        EXPECT_EQ(group->GetItemIndex(), 1);
        EXPECT_EQ(GroupClicks, 1);
        ASSERT_TRUE(ClickLine(group, 2, [&] { return ups == 2; }));
        EXPECT_TRUE(group->GetButton(2)->GetChecked());
        EXPECT_EQ(group->GetItemIndex(), 2);
        EXPECT_EQ(GroupClicks, 2);
    }

    // The group's OnClick runs Action on the group after the user clicks its last line.
    template <typename G> G* ClickLastLineAndThen(const std::function<void(G*)>& Action) {
        auto* group = Group<G>(3);
        bool done = false;
        group->OnClick = TNotifyEvent::FromCallable([&, group](TObject*) {
            Action(group);
            done = true;
        });
        EXPECT_TRUE(ClickLine(group, 2, [&] { return done; }));
        return group;
    }

    // The lines cleared, then the clicked last line deleted, from the group's OnClick: the
    // click ends, the boxes follow the lines and the group takes new lines.
    template <typename G> void ExpectLinesChangedFromOnClick() {
        G* group = ClickLastLineAndThen<G>([](G* Group) { Group->GetItems()->Clear(); });
        EXPECT_EQ(group->GetButtonCount(), 0);
        EXPECT_EQ(group->GetItemIndex(), -1);
        group->GetItems()->Add("again");
        EXPECT_EQ(group->GetButtonCount(), 1);
        delete group;

        group = ClickLastLineAndThen<G>(
            [](G* Group) { Group->GetItems()->Delete(Group->GetItemIndex()); });
        ASSERT_EQ(group->GetButtonCount(), 2);
        EXPECT_EQ(group->GetItemIndex(), 1);
        EXPECT_EQ(group->GetButton(1)->GetCaption(), "Line 1");
        CaptureWindow(Form->GetHandle());
        delete group;
    }

    // The group freed from its OnClick, then a form freed with its group.
    template <typename G> void ExpectFreedFromOnClick() {
        ClickLastLineAndThen<G>([](G* Group) { delete Group; });
        EXPECT_EQ(Form->GetControlCount(), 0);
        CaptureWindow(Form->GetHandle());

        auto* other = new TForm(nullptr);
        other->SetBounds(60, 60, 300, 200);
        other->Show();
        auto* group = new G(other);
        group->SetParent(other);
        group->SetBounds(10, 10, 220, 130);
        for (const char* line : {"one", "two"}) group->GetItems()->Add(line);
        bool freed = false;
        group->OnClick = TNotifyEvent::FromCallable([&](TObject*) {
            delete other;
            freed = true;
        });
        EXPECT_TRUE(ClickLine(group, 1, [&] { return freed; }));
        Pump();
    }
};

TEST_F(GroupsOnScreen, CanModifyRefusesTheUsersClicksAndSpaceUntilItAllows) {
    ExpectRefusedUntilAllowed<TskSkinRadioGroup>();
    ExpectRefusedUntilAllowed<TskSkinCheckGroup>();
}

TEST_F(GroupsOnScreen, LinesClearedOrTheClickedOneDeletedFromOnClick) {
    ExpectLinesChangedFromOnClick<TskSkinRadioGroup>();
    ExpectLinesChangedFromOnClick<TskSkinCheckGroup>();
}

TEST_F(GroupsOnScreen, AGroupOrItsFormFreedFromOnClick) {
    ExpectFreedFromOnClick<TskSkinRadioGroup>();
    ExpectFreedFromOnClick<TskSkinCheckGroup>();
}

const char* const kGroupForm = "object Choices: TChoiceForm\r\n"
                               "  object RG_Pick: TskSkinRadioGroup\r\n"
                               "    Left = 10\r\n"
                               "    Width = 200\r\n"
                               "    Height = 100\r\n"
                               "    OnClick = BoxClick\r\n"
                               "    Columns = 2\r\n"
                               "    Items.Strings = (\r\n"
                               "      'one'\r\n"
                               "      'two'\r\n"
                               "      'three')\r\n"
                               "    ItemIndex = 1\r\n"
                               "  end\r\n"
                               "end\r\n";

TEST(ButtonGroupResource, AReadGroupChecksItsItemWithoutClickingAndStoresNoButtons) {
    TChoiceForm form;
    ReadComponentText(kGroupForm, &form);
    auto* group = dynamic_cast<TskSkinRadioGroup*>(form.FindComponent("RG_Pick"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(form.Clicks, 0);
    EXPECT_EQ(group->GetColumns(), 2);
    EXPECT_EQ(group->GetItemIndex(), 1);
    ASSERT_EQ(group->GetButtonCount(), 3);
    EXPECT_TRUE(group->GetButton(1)->GetChecked());
    EXPECT_FALSE(group->GetButton(0)->GetChecked());
    EXPECT_EQ(group->GetButton(2)->GetCaption(), "three");

    const AnsiString text = WriteComponentText(&form);
    EXPECT_EQ(text.find("TskGroupButton"), AnsiString::npos) << text;
    TChoiceForm copy;
    ReadComponentText(text, &copy);
    EXPECT_EQ(WriteComponentText(&copy), text);
    EXPECT_EQ(copy.Clicks, 0);
}

TEST(ButtonGroupResource, AnIndexPastTheLinesSelectsTheLastOne) {
    AnsiString text = kGroupForm;
    text.replace(text.find("ItemIndex = 1"), 13, "ItemIndex = 9");
    TChoiceForm form;
    ReadComponentText(text, &form);
    auto* group = dynamic_cast<TskSkinRadioGroup*>(form.FindComponent("RG_Pick"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetItemIndex(), 2);
    EXPECT_TRUE(group->GetButton(2)->GetChecked());
}

TEST(ButtonGroupResource, AChildObjectInAGroupsResourceIsRefusedNamingTheGroup) {
    for (const char* kind : {"TskSkinRadioGroup", "TskSkinCheckGroup"}) {
        const AnsiString text = AnsiString("object Choices: TChoiceForm\r\n"
                                           "  object GRP_Pick: ") +
                                kind +
                                "\r\n"
                                "    Items.Strings = (\r\n"
                                "      'one')\r\n"
                                "    object CB_Stray: TskSkinCheckRadioBox\r\n"
                                "    end\r\n"
                                "  end\r\n"
                                "end\r\n";
        TChoiceForm form;
        try {
            ReadComponentText(text, &form);
            ADD_FAILURE() << kind << " read a child";
        } catch (const EReadError& E) {
            EXPECT_NE(E.Message().find("GRP_Pick"), AnsiString::npos) << E.Message();
        }
    }
}

} // namespace
