// The colour controls: the picker's HSL arithmetic as a table, the basic colour grid and its
// cursor, the viewer, the colour dialog run by a person's clicks (its result, OK and Cancel,
// a screenshot colordialog.bmp on the program's skin) and the colour combo box (its groups,
// names, selection and the custom colour picked in the dialog; colorcombo.bmp open).
#include "skin/boxctrls/skColorCtrls_ColorBox.h"

#include "classlib/Paths.h"

#include "tests/skin/controls/SkinFixture.h"

#include <functional>
#include <string>
#include <vector>

namespace {

TEST(ColorArithmetic, RgbToHslAsTheDialogComputesIt) {
    const struct {
        Byte R, G, B;
        int H, S, L;
    } table[] = {
        {255, 0, 0, 0, 100, 100},
        {0, 255, 0, 120, 100, 100},   // 2/6 of 359 is 119.67
        {0, 0, 255, 239, 100, 100},   // 4/6 of 359 is 239.33
        {255, 255, 0, 60, 100, 100},  // 60 of 359 rounds from 59.83
        {128, 66, 79, 346, 48, 50},   // a hue below 0 wraps
        {192, 192, 192, 0, 0, 75},    // a grey has hue 0
        {0, 0, 0, 0, 0, 0},
        {51, 51, 51, 0, 0, 20},       // 20 exactly
        {200, 199, 199, 0, 0, 78},    // a saturation of 0.5 rounds to the even 0
        {200, 197, 197, 0, 2, 78},    // 1.5 rounds to 2
    };
    for (const auto& row : table) {
        int h = -1, s = -1, l = -1;
        RGBToHSL(row.R, row.G, row.B, h, s, l);
        EXPECT_EQ(h, row.H) << int(row.R) << "," << int(row.G) << "," << int(row.B);
        EXPECT_EQ(s, row.S) << int(row.R) << "," << int(row.G) << "," << int(row.B);
        EXPECT_EQ(l, row.L) << int(row.R) << "," << int(row.G) << "," << int(row.B);
    }
}

TEST(ColorArithmetic, HslToRgbAsTheDialogComputesIt) {
    const struct {
        int H, S, L;
        Byte R, G, B;
    } table[] = {
        {0, 100, 100, 255, 0, 0},     {120, 100, 100, 0, 255, 0},  {240, 100, 100, 0, 0, 255},
        {359, 100, 100, 255, 0, 4},   // a red with a little blue
        {0, 0, 50, 128, 128, 128},    // 127.5 rounds to the even 128
        {0, 0, 75, 191, 191, 191},    {60, 50, 100, 255, 255, 128},
        {300, 100, 50, 128, 0, 128},
    };
    for (const auto& row : table) {
        Byte r = 0, g = 0, b = 0;
        HSLToRGB(r, g, b, row.H, row.S, row.L);
        EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{row.R, row.G, row.B}))
            << row.H << "," << row.S << "," << row.L;
    }
    Byte r = 0, g = 0, b = 0;
    SplitColor(MakeColor(1, 2, 3), r, g, b);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(MakeColor(1, 2, 3), 0x030201);
}

class ColorGrid : public ShownFormTest {};

TEST_F(ColorGrid, AClickPicksABasicColourUnderTheCursorWhichInvertsExceptOnGrey) {
    auto* grid = Add<TskSkinColorGrid>(Form, 10, 10, 280, 115);
    Pump();
    EXPECT_EQ(grid->GetCaption(), "Basic colors");
    EXPECT_TRUE(TskSkinColorGrid::CheckColor(MakeColor(128, 66, 79)));
    EXPECT_FALSE(TskSkinColorGrid::CheckColor(MakeColor(1, 2, 3)));
    int changes = 0;
    grid->OnChange = TNotifyEvent::FromCallable([&changes](TObject*) { ++changes; });
    // Row 1, column 5 of the plain look: (255, 0, 0).
    const TRect cell = grid->CellRect(0, 4);
    ASSERT_FALSE(IsNullRect(cell));
    ASSERT_TRUE(ClickOnScreen(grid, cell.Left + 2, cell.Top + 2, [&] { return changes == 1; }));
    EXPECT_EQ(grid->GetColorValue(), MakeColor(255, 0, 0));
    auto image = PaintToBitmap(grid);
    const int cx = cell.Left + RectWidth(cell) / 2, cy = cell.Top + RectHeight(cell) / 2;
    EXPECT_EQ(PixelOf(image.get(), cx - 3, cy), RGB(0, 255, 255)); // red inverted
    EXPECT_EQ(PixelOf(image.get(), cx, cy), RGB(255, 0, 0));      // the hole
    EXPECT_EQ(PixelOf(image.get(), cell.Left, cell.Top), RGB(255, 0, 0));

    // The middle grey would invert to itself: its cursor is black.
    grid->SetColorValue(MakeColor(128, 128, 128));
    const TRect grey = grid->CellRect(1, 6);
    image = PaintToBitmap(grid);
    EXPECT_EQ(PixelOf(image.get(), grey.Left + RectWidth(grey) / 2 - 3,
                      grey.Top + RectHeight(grey) / 2),
              RGB(0, 0, 0));
    EXPECT_EQ(changes, 2);
    // Another colour is kept without an event, and the cursor leaves the grid on the screen.
    const TPoint arm(grey.Left + RectWidth(grey) / 2 - 3, grey.Top + RectHeight(grey) / 2);
    const auto armOnScreen = [&] { return PixelOf(ScreenShot(grid->GetHandle()).get(), arm.X, arm.Y); };
    ASSERT_TRUE(PumpUntil([&] { return armOnScreen() == RGB(0, 0, 0); }));
    grid->SetColorValue(MakeColor(1, 2, 3));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(grid->GetColorValue(), MakeColor(1, 2, 3));
    EXPECT_TRUE(PumpUntil([&] { return armOnScreen() == RGB(128, 128, 128); }));

    // Odd sizes: no cells past the 48 colours, none at all without rows.
    grid->SetRowCount(5);
    EXPECT_TRUE(IsNullRect(grid->CellRect(4, 0)));
    grid->SetRowCount(0);
    EXPECT_TRUE(IsNullRect(grid->CellRect(0, 0)));
    PaintToBitmap(grid);
    grid->SetColCount(0);
    EXPECT_EQ(grid->GetColCount(), 12);
}

// Borderless, without a caption, on a skin whose panel tiles its client: the cells are still
// drawn over the tiles.
TEST_F(ColorGrid, ABorderlessSkinnedGridStillShowsItsCells) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    auto* grid = Add<TskSkinColorGrid>(Form, 10, 10, 280, 115);
    grid->SetSkinDataName("panel");
    grid->SetBorderStyle(TskSkinBorderStyle::bvNone);
    grid->SetCaptionMode(false);
    grid->SetSkinData(&skin);
    grid->Repaint();
    const TRect cell = grid->CellRect(0, 4);
    ASSERT_FALSE(IsNullRect(cell));
    auto screen = ScreenShot(grid->GetHandle());
    EXPECT_EQ(PixelOf(screen.get(), cell.Left + 2, cell.Top + 2), RGB(255, 0, 0));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(ColorGrid, TheViewerShowsItsColourInABlackFrame) {
    auto* viewer = new TskColorViewer(Form);
    viewer->SetParent(Form);
    viewer->SetBounds(10, 10, 40, 20);
    viewer->SetColorValue(MakeColor(0, 128, 255));
    Pump();
    auto image = PaintToBitmap(Form);
    EXPECT_EQ(PixelOf(image.get(), 10, 10), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(image.get(), 30, 20), RGB(0, 128, 255));
}

// Runs Execute; Script acts on the shown form from inside its modal loop, as a person would,
// and the form is closed when it is still open afterwards.
bool RunDialog(TskSkinColorDialog& Dialog, std::function<void(TskColorDlgForm*)> Script) {
    Application->OnIdle = TIdleEvent::FromCallable([&Dialog, Script](TObject*, bool& Done) {
        const std::function<void(TskColorDlgForm*)> act = Script;
        TskColorDlgForm* form = Dialog.Dlg;
        if (!form || !form->GetVisible()) return;
        Application->OnIdle = nullptr;
        act(form);
        if (form->GetModalResult() == mrNone) PostMessageA(form->GetHandle(), WM_CLOSE, 0, 0);
        Done = false;
    });
    const bool result = Dialog.Execute();
    Application->OnIdle = nullptr;
    return result;
}

std::vector<int> Values(TskColorDlgForm* Form) {
    std::vector<int> values;
    for (TskSkinTrackEdit* edit : Form->Edits) values.push_back(edit->GetValue());
    return values;
}

class ColorDialog : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Program.LoadFromFile(VANTOREL_SKIN_INI);
        ASSERT_FALSE(Program.Empty);
    }
    // A person's click on Control; true once Done holds.
    static bool Click(TWinControl* Control, int X, int Y, const std::function<bool()>& Done) {
        return ClickOnScreen(Control, X, Y, Done);
    }

    TskSkinData Program{nullptr};
};

TEST_F(ColorDialog, OpensOnItsColourKeepsTheFieldsInStepAndReturnsThePickOnOK) {
    TskSkinColorDialog dialog(nullptr);
    dialog.SetSkinData(&Program);
    dialog.SetCtrlSkinData(&Program);
    dialog.SetColor(MakeColor(192, 192, 192));
    std::vector<int> opened, picked, typed;
    const bool ok = RunDialog(dialog, [&](TskColorDlgForm* F) {
        opened = Values(F);
        // The cursor sits on row 3, column 7.
        EXPECT_EQ(F->Grid->GetColorValue(), BasicColor(2 * 12 + 6));
        const TRect red = F->Grid->CellRect(0, 4);
        EXPECT_TRUE(Click(F->Grid, red.Left + 3, red.Top + 3,
                          [&] { return F->Viewer->GetColorValue() == MakeColor(255, 0, 0); }));
        picked = Values(F);
        F->Edits[3]->SetValue(120);
        typed = Values(F);
        CaptureWindow(F->GetHandle())->SaveToFile(ExeDir() + "colordialog.bmp");
        TskSkinButton* ok = F->OKButton;
        EXPECT_TRUE(Click(ok, 10, 10, [&] { return F->GetModalResult() == mrOk; }));
    });
    EXPECT_EQ(opened, (std::vector<int>{192, 192, 192, 0, 0, 75}));
    EXPECT_EQ(picked, (std::vector<int>{255, 0, 0, 0, 100, 100}));
    EXPECT_EQ(typed, (std::vector<int>{0, 255, 0, 120, 100, 100}));
    EXPECT_TRUE(ok);
    EXPECT_EQ(dialog.GetColor(), MakeColor(0, 255, 0));
    EXPECT_EQ(dialog.Dlg, nullptr);
}

// Whether the grid on the screen shows the cursor on the cell at (Row, Col): its left arm
// inverts the cell's colour.
bool CursorOnScreen(TskSkinColorGrid* Grid, int Row, int Col) {
    const TRect cell = Grid->CellRect(Row, Col);
    const COLORREF color = ColorToRGB(BasicColor(Row * Grid->GetColCount() + Col));
    auto screen = ScreenShot(Grid->GetHandle());
    return PixelOf(screen.get(), cell.Left + RectWidth(cell) / 2 - 3,
                   cell.Top + RectHeight(cell) / 2) == (~color & 0xFFFFFF);
}

TEST_F(ColorDialog, TypedValuesPutTheGridsCursorOnTheirColourOrTakeItOff) {
    TskSkinColorDialog dialog(nullptr);
    dialog.SetSkinData(&Program);
    dialog.SetCtrlSkinData(&Program);
    dialog.SetColor(MakeColor(255, 0, 0));
    enum { kRed, kHue = 3 };
    RunDialog(dialog, [&](TskColorDlgForm* F) {
        const int trackBarWidths[6] = {260, 260, 260, 260, 120, 120};
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(F->Edits[i]->GetWidth(), 50) << i;
            EXPECT_TRUE(F->Edits[i]->GetJumpWhenClick()) << i;
            EXPECT_EQ(F->Edits[i]->GetTrackBarWidth(), trackBarWidths[i]) << i;
        }
        EXPECT_LE(F->Viewer->GetLeft() + F->Viewer->GetWidth(), F->GetClientWidth());
        EXPECT_TRUE(PumpUntil([&] { return CursorOnScreen(F->Grid, 0, 4); })) << "on red";

        // A person types Text over the field's value; true once the dialog holds Color.
        const auto type = [&](TskSkinTrackEdit* Edit, const char* Text, TColor Color) {
            if (!Click(Edit, 5, 5, [&] { return Edit->Focused(); })) return false;
            Edit->SelectAll();
            TypeOnKeyboard(Text);
            return PumpUntil([&] { return F->Viewer->GetColorValue() == Color; }) &&
                   F->Grid->GetColorValue() == Color;
        };
        // A hue: green, a basic colour, takes the cursor.
        ASSERT_TRUE(type(F->Edits[kHue], "120", MakeColor(0, 255, 0)));
        EXPECT_TRUE(PumpUntil([&] {
            return CursorOnScreen(F->Grid, 1, 3) && !CursorOnScreen(F->Grid, 0, 4);
        })) << "on green, off red";
        // A red of 5 makes a colour the grid does not hold: no cell has the cursor.
        ASSERT_TRUE(type(F->Edits[kRed], "5", MakeColor(5, 255, 0)));
        EXPECT_TRUE(PumpUntil([&] { return !CursorOnScreen(F->Grid, 1, 3); })) << "off green";
        CaptureWindow(F->GetHandle())->SaveToFile(ExeDir() + "colordialog-typed.bmp");
    });
}

TEST_F(ColorDialog, CancelKeepsTheColourAndSystemColoursOpenAsTheirValue) {
    TskSkinColorDialog dialog(nullptr);
    dialog.SetColor(clBtnFace);
    std::vector<int> opened;
    const bool ok = RunDialog(dialog, [&](TskColorDlgForm* F) {
        opened = Values(F);
        F->Edits[0]->SetValue(10);
        EXPECT_TRUE(Click(F->CancelButton, 10, 10, [&] { return F->GetModalResult() == mrCancel; }));
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(dialog.GetColor(), clBtnFace);
    Byte r = 0, g = 0, b = 0;
    SplitColor(static_cast<TColor>(ColorToRGB(clBtnFace)), r, g, b);
    ASSERT_EQ(opened.size(), 6u);
    EXPECT_EQ((std::vector<int>{opened[0], opened[1], opened[2]}), (std::vector<int>{r, g, b}));
}

class ColorCombo : public ShownFormTest {
protected:
    TskSkinColorComboBox* Stand(TskColorBoxExStyle Style) {
        auto* combo = Add<TskSkinColorComboBox>(Form, 20, 20, 180, 20);
        combo->SetExStyle(Style);
        Pump();
        return combo;
    }
};

TEST_F(ColorCombo, GroupsComeAndGoEachByItselfAndNamesMayBePretty) {
    auto* all = Stand({skcbStandardColors, skcbExtendedColors, skcbSystemColors});
    EXPECT_EQ(all->GetItems()->GetCount(), 16 + 4 + 30);
    EXPECT_EQ(all->GetColorName(0), "clBlack");
    EXPECT_EQ(all->GetColor(20), clScrollBar);

    // "None" and "default" stay when asked for, whatever else is left out.
    auto* some = Stand({skcbStandardColors, skcbIncludeNone, skcbIncludeDefault});
    ASSERT_EQ(some->GetItems()->GetCount(), 18);
    EXPECT_EQ(some->GetColor(16), clNone);
    EXPECT_EQ(some->GetColor(17), clDefault);
    auto* special = Stand({skcbExtendedColors, skcbIncludeDefault, skcbPrettyNames});
    ASSERT_EQ(special->GetItems()->GetCount(), 5);
    EXPECT_EQ(special->GetColorName(0), "Money Green");
    EXPECT_EQ(special->GetColorName(4), "Default");

    auto* none = Stand({});
    EXPECT_FALSE(none->GetEnabled());
    EXPECT_EQ(none->GetItems()->GetCount(), 0);
    auto* custom = Stand({skcbCustomColor});
    EXPECT_TRUE(custom->GetEnabled());
    ASSERT_EQ(custom->GetItems()->GetCount(), 1);
    EXPECT_EQ(custom->GetColorName(0), "Custom...");

    for (const auto& [name, pretty] : std::vector<std::pair<AnsiString, AnsiString>>{
             {"clWindowText", "Window Text"}, {"clBtnFace", "Btn Face"}, {"clRed", "Red"},
             {"cl3DDkShadow", "3 D Dk Shadow"}, {"Plain", "Plain"}, {"CLRed", "C L Red"}})
        EXPECT_EQ(PrettyColorName(name), pretty);
}

TEST_F(ColorCombo, SelectedFindsTheColoursOwnRowOrTheCustomRowOrNone) {
    auto* plain = Stand({skcbStandardColors});
    plain->SetSelected(clRed);
    EXPECT_EQ(plain->GetItemIndex(), 9);
    EXPECT_EQ(plain->GetSelected(), clRed);
    plain->SetSelected(MakeColor(1, 2, 3));
    EXPECT_EQ(plain->GetItemIndex(), -1);
    EXPECT_EQ(plain->GetSelected(), kNoColorSelected);

    auto* custom = Stand({skcbCustomColor, skcbStandardColors});
    // The custom row holds black too: black's own row is chosen.
    custom->SetSelected(clBlack);
    EXPECT_EQ(custom->GetItemIndex(), 1);
    custom->SetSelected(MakeColor(1, 2, 3));
    EXPECT_EQ(custom->GetItemIndex(), 0);
    EXPECT_EQ(custom->GetColor(0), MakeColor(1, 2, 3));
    EXPECT_EQ(custom->GetSelected(), MakeColor(1, 2, 3));
    custom->SetSelected(kNoColorSelected);
    EXPECT_EQ(custom->GetItemIndex(), -1);

    // The face shows the chosen colour's swatch.
    custom->SetSelected(clRed);
    auto image = PaintToBitmap(custom);
    const TRect item = custom->GetItemRect();
    EXPECT_EQ(PixelOf(image.get(), item.Left + 6, item.Top + RectHeight(item) / 2), RGB(255, 0, 0));
}

// As a form is read: Selected comes before the window and its list.
TEST_F(ColorCombo, SelectedBeforeTheWindowIsChosenOnceTheListIsFilled) {
    auto* fresh = Add<TskSkinColorComboBox>(Form, 20, 20, 180, 20);
    ASSERT_TRUE(PumpUntil([&] { return fresh->GetItems()->GetCount() > 0; }));
    EXPECT_EQ(fresh->GetSelected(), clBlack) << "the default";
    EXPECT_EQ(fresh->GetColorName(fresh->GetItemIndex()), "clBlack");

    auto* read = new TskSkinColorComboBox(Form);
    read->SetSelected(clTeal);
    EXPECT_EQ(read->GetSelected(), clTeal);
    read->SetBounds(20, 60, 180, 20);
    read->SetParent(Form);
    ASSERT_TRUE(PumpUntil([&] { return read->GetItems()->GetCount() > 0; }));
    EXPECT_EQ(read->GetSelected(), clTeal);
    ASSERT_GE(read->GetItemIndex(), 0);
    EXPECT_EQ(read->GetColorName(read->GetItemIndex()), "clTeal");
    auto image = PaintToBitmap(read);
    const TRect item = read->GetItemRect();
    EXPECT_EQ(PixelOf(image.get(), item.Left + 6, item.Top + RectHeight(item) / 2),
              ColorToRGB(clTeal));
}

TEST_F(ColorCombo, EnterOnTheCustomRowPicksItsColourInTheDialog) {
    Form->SetBounds(40, 40, 320, 360);
    TskSkinData program(nullptr);
    program.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(program.Empty);
    auto* combo = Stand({skcbCustomColor, skcbStandardColors, skcbPrettyNames});
    combo->SetSkinData(&program);
    combo->SetItemIndex(0);
    std::vector<std::string> log;
    combo->OnClick = TNotifyEvent::FromCallable([&log](TObject*) { log.push_back("click"); });
    combo->OnChange = TNotifyEvent::FromCallable([&log](TObject*) { log.push_back("change"); });
    ASSERT_TRUE(TakeFocus(combo));

    // Cancelled: nothing changes and nothing is told.
    const auto answer = [&](bool Accept) {
        Application->OnIdle = TIdleEvent::FromCallable([combo, Accept](TObject*, bool& Done) {
            TskSkinColorDialog* dialog = combo->GetColorDialog();
            if (!dialog || !dialog->Dlg || !dialog->Dlg->GetVisible()) return;
            Application->OnIdle = nullptr;
            TskColorDlgForm* form = dialog->Dlg;
            const TRect cell = form->Grid->CellRect(1, 3); // (0, 255, 0)
            ClickOnScreen(form->Grid, cell.Left + 3, cell.Top + 3, [] { return true; });
            TskSkinButton* button = Accept ? form->OKButton : form->CancelButton;
            ClickOnScreen(button, 10, 10, [form] { return form->GetModalResult() != mrNone; });
            Done = false;
        });
    };
    answer(false);
    ASSERT_TRUE(KeyOnKeyboard(VK_RETURN, [&] { return Application->OnIdle == nullptr; }));
    ASSERT_TRUE(PumpUntil([&] { return combo->GetColorDialog() == nullptr; }));
    EXPECT_EQ(combo->GetColor(0), clBlack);
    EXPECT_TRUE(log.empty());

    answer(true);
    ASSERT_TRUE(KeyOnKeyboard(VK_RETURN, [&] { return Application->OnIdle == nullptr; }));
    ASSERT_TRUE(PumpUntil([&] { return combo->GetColorDialog() == nullptr; }));
    EXPECT_EQ(combo->GetColor(0), MakeColor(0, 255, 0));
    EXPECT_EQ(log, (std::vector<std::string>{"click", "change"}));
    EXPECT_EQ(combo->GetSelected(), MakeColor(0, 255, 0));

    // The open list, for people to look at.
    combo->SetSelected(clTeal);
    const TRect button = combo->GetButtonRect();
    ASSERT_TRUE(ClickOnScreen(combo, button.Left + 5, button.Top + 5,
                              [&] { return combo->IsPopupVisible(); }));
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "colorcombo.bmp");
    combo->CloseUp(false);
}

} // namespace
