// One demo form with the rest of the skinned edit controls: the memos with their bars, the
// password edits, the scroll box with children, the month calendar and the date edit with its
// calendar open, the track edit with its bar open, the time edits and the folder and file
// edits with their buttons, the check list with checked, unchecked and grayed items, a list
// with its caption bar, the font and colour combo boxes and the colour grid with a viewer,
// on the program's skin and without one; screenshots
// editrest-skinned.bmp and editrest-default.bmp beside the test program for people to look
// at. Nothing overlaps, and every one-line text is on the screen whole.
#include "classlib/Edits.h"

#include "tests/skin/boxctrls/EditDemos.h"
#include "tests/skin/controls/SkinFixture.h"
#include "tests/skin/controls/TextInk.h"

#include <string>
#include <vector>

namespace {

// A part of the form that no control of the demo takes.
const TRect kMeasureArea(530, 330, 960, 360);
// The face of the skin's forms.
const TColor kSkinFace = static_cast<TColor>(RGB(236, 238, 242));

TRect ScreenRect(HWND Wnd) {
    RECT r;
    GetWindowRect(Wnd, &r);
    return TRect(r.left, r.top, r.right, r.bottom);
}

bool Overlap(const TRect& A, const TRect& B) {
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

std::string Describe(TControl* Control) {
    const TRect r = Control->GetBoundsRect();
    return std::string(Control->ClassName()) + " (" + std::to_string(r.Left) + "," +
           std::to_string(r.Top) + "," + std::to_string(r.Right) + "," + std::to_string(r.Bottom) +
           ")";
}

class EditRestDemo : public SkinDemoTest {
protected:
    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(10, 10, 980, 700);
        Form->SetColor(Data ? kSkinFace : clBtnFace);
        PlaceMemos(Form, TPoint(10, 10), Data);
        PlacePasswordEdits(Form, TPoint(10, 270), Data);
        const TButtonEditDemo buttonEdits =
            PlaceButtonEdits(Form, TPoint(10, 365), Data, "C:\\Segments");
        PlaceScrollBox(Form, TPoint(310, 270), Data);
        const TDatesDemo dates = PlaceDates(Form, TPoint(530, 10), Data);
        TskSkinCheckListBox* checks = PlaceCheckList(Form, TPoint(10, 470), Data);
        PlaceLists(Form, TPoint(220, 470), Data);
        ASSERT_TRUE(OpenDatePopups(dates));
        Capture(FileName);
        ExpectNothingOverlaps({dates.Date->GetCalendar()->GetHandle(),
                               dates.Track->GetTrackBar()->GetHandle()});
        CloseDatePopups(dates);
        ExpectPlainNavigationButtons(dates.Calendar);
        ExpectThreeCheckLooks(checks);

        // No caret comes and goes while the texts are looked at.
        ASSERT_TRUE(TakeFocus(dates.Calendar));
        std::vector<TskSkinCustomEdit*> edits{dates.Date,  dates.Disabled,    dates.Time,
                                              dates.Precise, dates.Track,     buttonEdits.Folder,
                                              buttonEdits.File, buttonEdits.Save};
        for (TskSkinCustomEdit* edit : edits)
            ExpectTextWhole(EditText(edit), SystemEditInk(edit->GetFont(), edit->GetText()));
    }

    // An edit's text in its font, taken away and given back as the window's own text.
    static TShownText EditText(TskSkinCustomEdit* Edit) {
        const AnsiString text = Edit->GetText();
        return {Edit, text, [Edit](TFont* Font) { Font->Assign(Edit->GetFont()); },
                [Edit, text](bool Show) {
                    SetWindowTextA(Edit->GetHandle(), Show ? text.c_str() : "");
                }};
    }

    // Each of the calendar's navigation buttons shows its arrows and nothing else: the face
    // right of and below them is the same across each row.
    static void ExpectPlainNavigationButtons(TskSkinMonthCalendar* Calendar) {
        for (int b = TskSkinMonthCalendar::nbPriorYear; b <= TskSkinMonthCalendar::nbNextYear; ++b) {
            TControl* button = Calendar->GetButton(static_cast<TskSkinMonthCalendar::TNavButton>(b));
            const auto shot = ScreenOf(button);
            const int w = shot->GetWidth(), h = shot->GetHeight();
            for (int y = h - 6; y < h - 2; ++y)
                for (int x = w - 6; x < w - 2; ++x)
                    EXPECT_EQ(PixelOf(shot.get(), x, y), PixelOf(shot.get(), w - 6, y))
                        << "button " << b << " at " << x << "," << y;
        }
    }

    // The check list's checked and unchecked items each show their own check box; a grayed
    // one shows the unchecked box.
    static void ExpectThreeCheckLooks(TskSkinCheckListBox* List) {
        TskCheckListBox* inner = List->GetCheckListBox();
        const auto shot = ScreenOf(inner);
        auto checkBox = [&](int Index) {
            RECT item{};
            SendMessageA(inner->GetHandle(), LB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&item));
            const TRect box = List->ItemCheckBox(item.right - item.left, item.bottom - item.top);
            std::vector<COLORREF> pixels;
            for (int y = box.Top; y < box.Bottom; ++y)
                for (int x = box.Left; x < box.Right; ++x)
                    pixels.push_back(PixelOf(shot.get(), item.left + x, item.top + y));
            return pixels;
        };
        // Items 0, 1 and 2; the selected fourth is drawn on the highlight.
        ASSERT_EQ(List->GetState(0), cbChecked);
        ASSERT_EQ(List->GetState(1), cbUnchecked);
        ASSERT_EQ(List->GetState(2), cbGrayed);
        const auto checked = checkBox(0), unchecked = checkBox(1), grayed = checkBox(2);
        ASSERT_FALSE(checked.empty());
        EXPECT_NE(checked, unchecked);
        EXPECT_EQ(unchecked, grayed);
        EXPECT_EQ(checkBox(3 + 3), checked) << "a checked item further down looks the same";
    }

    // The size of Text's ink in a plain system edit with Font, wide enough for it: the
    // system's edit lays a text out (its kerning) as a drawn text is not.
    TSize SystemEditInk(TFont* Font, const AnsiString& Text) {
        auto* edit = new TEdit(Form);
        edit->SetParent(Form);
        edit->SetBorderStyle(bsNone);
        edit->GetFont()->Assign(Font);
        edit->SetBounds(kMeasureArea.Left, kMeasureArea.Top, kMeasureArea.Width(),
                        kMeasureArea.Height());
        edit->SetText(Text);
        const auto with = ScreenOf(edit);
        edit->SetText("");
        const auto without = ScreenOf(edit);
        delete edit;
        const TRect ink = Differences(with.get(), without.get(), CLR_INVALID);
        return TSize{ink.Width(), ink.Height()};
    }

    // No two controls of the form share a pixel, and no open popup (given by its window)
    // covers a control.
    void ExpectNothingOverlaps(const std::vector<HWND>& Popups) {
        std::vector<TControl*> all;
        for (int i = 0; i < Form->GetControlCount(); ++i) all.push_back(Form->GetControl(i));
        for (std::size_t i = 0; i < all.size(); ++i)
            for (std::size_t j = i + 1; j < all.size(); ++j)
                EXPECT_FALSE(Overlap(all[i]->GetBoundsRect(), all[j]->GetBoundsRect()))
                    << Describe(all[i]) << " and " << Describe(all[j]);
        for (HWND popup : Popups)
            for (TControl* control : all)
                EXPECT_FALSE(Overlap(ScreenRect(popup),
                                     TRect(OnScreen(control, 0, 0),
                                           OnScreen(control, control->GetWidth(),
                                                    control->GetHeight()))))
                    << "a popup covers " << Describe(control);
    }

    TDemoDates Dates;
};

TEST_F(EditRestDemo, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    Data = &skin;
    BuildAndCapture("editrest-skinned.bmp");
}

TEST_F(EditRestDemo, WithoutAnySkin) {
    BuildAndCapture("editrest-default.bmp");
}

} // namespace
