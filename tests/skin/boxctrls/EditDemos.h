// The skinned edit families as their screenshots show them: each group of controls placed
// on a parent from a corner, skinned by a skin when one is given (null: without one). A
// family's own screenshot and the form that shows all the families together place them
// alike.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_CheckListBoxes.h"
#include "skin/boxctrls/SkinBoxCtrls_DateEdits.h"
#include "skin/boxctrls/SkinBoxCtrls_FontCombos.h"
#include "skin/boxctrls/SkinBoxCtrls_Memos.h"
#include "skin/boxctrls/SkinBoxCtrls_PasswordEdits.h"
#include "skin/boxctrls/SkinBoxCtrls_ScrollBoxes.h"
#include "skin/boxctrls/SkinBoxCtrls_TimeEdits.h"
#include "skin/boxctrls/SkinBoxCtrls_TrackEdits.h"
#include "skin/boxctrls/skColorCtrls.h"
#include "skin/boxctrls/skColorCtrls_ColorBox.h"
#include "skin/boxctrls/skSkinShellCtrls_FileEdits.h"

#include "classlib/Panels.h"

#include "tests/support/FixedLocale.h"
#include "tests/support/GuiTestSupport.h"

#include <initializer_list>
#include <string>
#include <vector>

// A control owned and shown by Parent at (Left, Top) from Origin.
template <typename T>
T* PlaceIn(TWinControl* Parent, TPoint Origin, int Left, int Top, int Width, int Height) {
    T* control = new T(Parent);
    control->SetParent(Parent);
    control->SetBounds(Origin.X + Left, Origin.Y + Top, Width, Height);
    return control;
}

// Count numbered lines, "line 0" onwards, each ended.
inline AnsiString NumberedLines(int Count) {
    AnsiString text;
    for (int i = 0; i < Count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

inline TskSkinScrollBar* PlaceBar(TWinControl* Parent, TPoint Origin, TScrollBarKind Kind,
                                  int Left, int Top, int Width, int Height) {
    auto* bar = PlaceIn<TskSkinScrollBar>(Parent, Origin, Left, Top, Width, Height);
    bar->SetKind(Kind);
    if (Kind == sbVertical) bar->SetSkinDataName("vscrollbar");
    return bar;
}

// A memo with its bar, a second memo with both bars scrolled three lines down, and a memo
// on the skin's background picture: 481 x 240.
struct TMemoDemo {
    TskSkinMemo* Memo;
    TskSkinScrollBar* Bar;
    TskSkinMemo2* Memo2;
    TskSkinScrollBar *V2, *H2;
    TskSkinMemo* Backed;
    std::vector<TControl*> All() const { return {Memo, Bar, Memo2, V2, H2, Backed}; }
};

inline TMemoDemo PlaceMemos(TWinControl* Parent, TPoint At, TskSkinData* Skin) {
    TMemoDemo d;
    d.Memo = PlaceIn<TskSkinMemo>(Parent, At, 0, 0, 220, 120);
    d.Bar = PlaceBar(Parent, At, sbVertical, 222, 0, 19, 120);
    d.Memo2 = PlaceIn<TskSkinMemo2>(Parent, At, 260, 0, 200, 120);
    d.V2 = PlaceBar(Parent, At, sbVertical, 462, 0, 19, 120);
    d.H2 = PlaceBar(Parent, At, sbHorizontal, 260, 122, 200, 19);
    d.H2->SetBothMarkerWidth(19);
    d.Backed = PlaceIn<TskSkinMemo>(Parent, At, 0, 150, 220, 90);
    d.Backed->SetBitMapBG(true);
    const std::initializer_list<TskCustomSkinMemo*> memos{d.Memo, d.Memo2, d.Backed};
    for (TskCustomSkinMemo* m : memos) {
        m->SetWordWrap(false);
        m->SetText(NumberedLines(20) + "A longer line that runs past the right edge of the memo");
    }
    d.Memo->SetVScrollBar(d.Bar);
    d.Memo2->SetVScrollBar(d.V2);
    d.Memo2->SetHScrollBar(d.H2);
    if (Skin) {
        for (TskSkinScrollBar* b : {d.Bar, d.V2, d.H2}) b->SetSkinData(Skin);
        for (TskCustomSkinMemo* m : memos) m->SetSkinData(Skin);
    }
    d.V2->SetPosition(3);
    return d;
}

// The three glyph kinds one above the other, and a narrow field scrolled to its caret with
// a selection shown: 270 x 81.
struct TPasswordDemo {
    std::vector<TskSkinPasswordEdit*> Kinds;
    TskSkinPasswordEdit* Narrow;
    std::vector<TControl*> All() const {
        std::vector<TControl*> all(Kinds.begin(), Kinds.end());
        all.push_back(Narrow);
        return all;
    }
};

inline TPasswordDemo PlacePasswordEdits(TWinControl* Parent, TPoint At, TskSkinData* Skin) {
    TPasswordDemo d;
    for (int kind = 0; kind < 3; ++kind) {
        auto* edit = PlaceIn<TskSkinPasswordEdit>(Parent, At, 0, kind * 30, 150, 21);
        edit->SetPasswordKind(static_cast<TskPasswordKind>(kind));
        edit->SetText("secret pass");
        if (Skin) edit->SetSkinData(Skin);
        d.Kinds.push_back(edit);
    }
    d.Narrow = PlaceIn<TskSkinPasswordEdit>(Parent, At, 170, 0, 100, 21);
    d.Narrow->SetText("a much longer secret than fits");
    d.Narrow->SetHideSelection(false);
    if (Skin) d.Narrow->SetSkinData(Skin);
    d.Narrow->SetCaretPosition(30);
    d.Narrow->SetSelStart(2);
    d.Narrow->SetSelLength(3);
    return d;
}

// A scroll box with its two bars and six panels, scrolled right and down: 200 x 170.
struct TScrollBoxDemo {
    TskSkinScrollBox* Box;
    TskSkinScrollBar *V, *H;
    std::vector<TPanel*> Children;
    std::vector<TControl*> All() const { return {Box, V, H}; }
};

inline TScrollBoxDemo PlaceScrollBox(TWinControl* Parent, TPoint At, TskSkinData* Skin) {
    TScrollBoxDemo d;
    d.Box = PlaceIn<TskSkinScrollBox>(Parent, At, 0, 0, 180, 150);
    d.V = PlaceBar(Parent, At, sbVertical, 181, 0, 19, 150);
    d.H = PlaceBar(Parent, At, sbHorizontal, 0, 151, 180, 19);
    d.H->SetBothMarkerWidth(19);
    d.Box->SetVScrollBar(d.V);
    d.Box->SetHScrollBar(d.H);
    for (int i = 0; i < 6; ++i) {
        auto* child = PlaceIn<TPanel>(d.Box, TPoint(), 10 + i * 40, 10 + i * 45, 80, 35);
        child->SetCaption(AnsiString("Child ") + std::to_string(i + 1));
        d.Children.push_back(child);
    }
    if (Skin)
        for (TskSkinControl* c : std::initializer_list<TskSkinControl*>{d.Box, d.V, d.H})
            c->SetSkinData(Skin);
    d.Box->VScroll(40);
    d.Box->HScroll(20);
    return d;
}

// The locale (dd.MM.yyyy) and the day (5 July 2024) the dates are shown in, while it lives.
class TDemoDates {
public:
    TDemoDates() {
        SetLocaleSource(&Locale);
        PreviousClock = SetLocalTimeSource(PinnedClock);
    }
    ~TDemoDates() {
        SetLocalTimeSource(PreviousClock);
        SetLocaleSource(nullptr);
    }
    TDemoDates(const TDemoDates&) = delete;
    TDemoDates& operator=(const TDemoDates&) = delete;

private:
    static void PinnedClock(SYSTEMTIME& Now) {
        Now = SYSTEMTIME{};
        Now.wYear = 2024;
        Now.wMonth = 7;
        Now.wDay = 5;
    }
    TFixedLocale Locale{"dd.MM.yyyy", "."};
    TLocalTimeSource PreviousClock = nullptr;
};

// A month calendar, a date edit, a track edit, two time edits (one with milliseconds) and
// a disabled date edit: 350 x 270, and with the date edit's calendar and the track edit's
// bar open (OpenDatePopups) 433 x 270. Needs the TDemoDates.
struct TDatesDemo {
    TskSkinMonthCalendar* Calendar;
    TskSkinDateEdit *Date, *Disabled;
    TskSkinTrackEdit* Track;
    TskSkinTimeEdit *Time, *Precise;
    std::vector<TControl*> All() const { return {Calendar, Date, Disabled, Track, Time, Precise}; }
};

inline TDatesDemo PlaceDates(TWinControl* Parent, TPoint At, TskSkinData* Skin) {
    TDatesDemo d;
    auto edit = [&](auto* Edit) {
        Edit->SetSkinData(Skin);
        return Edit;
    };
    d.Calendar = PlaceIn<TskSkinMonthCalendar>(Parent, At, 0, 0, 200, 150);
    d.Calendar->SetSkinData(Skin);
    d.Calendar->SetFirstDayOfWeek(TskDaysOfWeek::Mon);
    d.Calendar->SetDate(EncodeDate(2024, 9, 10));
    d.Date = edit(PlaceIn<TskSkinDateEdit>(Parent, At, 220, 0, 130, 20));
    d.Track = edit(PlaceIn<TskSkinTrackEdit>(Parent, At, 0, 170, 130, 20));
    d.Track->SetValue(35);
    d.Time = edit(PlaceIn<TskSkinTimeEdit>(Parent, At, 220, 190, 100, 20));
    d.Time->SetText("13:45:30");
    d.Precise = edit(PlaceIn<TskSkinTimeEdit>(Parent, At, 220, 220, 120, 20));
    d.Precise->SetShowMilliseconds(true);
    d.Precise->SetMilliseconds(45296789);
    d.Disabled = edit(PlaceIn<TskSkinDateEdit>(Parent, At, 220, 250, 130, 20));
    d.Disabled->SetEnabled(false);
    return d;
}

// The date edit's calendar and the track edit's bar open, as a person opens them.
inline bool OpenDatePopups(const TDatesDemo& D) {
    Pump();
    D.Date->DropDown();
    D.Track->DropDown();
    return D.Date->IsCalendarVisible() && D.Track->IsTrackBarVisible();
}

inline void CloseDatePopups(const TDatesDemo& D) {
    D.Date->CloseUp(false);
    D.Track->CloseUp();
}

// The folder, file and save-file edits with their buttons, one above the other: 280 x 81.
struct TButtonEditDemo {
    TskSkinDirectoryEdit* Folder;
    TskSkinFileEdit* File;
    TskSkinSaveFileEdit* Save;
    std::vector<TControl*> All() const { return {Folder, File, Save}; }
};

inline TButtonEditDemo PlaceButtonEdits(TWinControl* Parent, TPoint At, TskSkinData* Skin,
                                        const AnsiString& Folder) {
    TButtonEditDemo d;
    d.Folder = PlaceIn<TskSkinDirectoryEdit>(Parent, At, 0, 0, 280, 21);
    d.Folder->SetText(Folder);
    d.File = PlaceIn<TskSkinFileEdit>(Parent, At, 0, 30, 280, 21);
    d.File->SetText(Folder + "\\segments.bmp");
    d.Save = PlaceIn<TskSkinSaveFileEdit>(Parent, At, 0, 60, 280, 21);
    d.Save->SetText(Folder + "\\copy.bmp");
    for (TskSkinDialogEdit* e : std::initializer_list<TskSkinDialogEdit*>{d.Folder, d.File, d.Save})
        if (Skin) {
            e->SetSkinData(Skin);
            e->SetDlgSkinData(Skin);
            e->SetDlgCtrlSkinData(Skin);
        }
    return d;
}

// A check list of the segments with its caption bar, 190 x 190: checked, unchecked and
// grayed items, the fourth selected. Skinned, it takes the record with a caption.
inline const TCheckBoxState kDemoSegmentStates[] = {cbChecked, cbUnchecked, cbGrayed,
                                                    cbChecked, cbUnchecked, cbGrayed,
                                                    cbChecked, cbUnchecked};

inline TskSkinCheckListBox* PlaceCheckList(TWinControl* Parent, TPoint At, TskSkinData* Skin) {
    const char* texts[] = {"Segment a", "Segment b", "Segment c", "Segment d", "Segment e",
                           "Segment f", "Segment g", "Decimal point"};
    auto* list = PlaceIn<TskSkinCheckListBox>(Parent, At, 0, 0, 190, 190);
    list->SetCaption("Lit segments");
    list->SetCaptionMode(true);
    if (Skin) {
        list->SetSkinDataName("captionlistbox");
        list->SetSkinData(Skin);
    }
    for (const char* text : texts) list->GetItems()->Add(text);
    for (int i = 0; i < 8; ++i) list->SetState(i, kDemoSegmentStates[i]);
    list->SetItemIndex(3);
    return list;
}

// A list of pages with its caption bar, a font combo box, a colour combo box and the grid
// of basic colours beside a viewer of the colour picked: 540 x 190. Skinned, the list and
// the grid take records with a caption, as the check list and the colour dialog do.
struct TListsDemo {
    TskSkinListBox* Pages;
    TskSkinFontComboBox* Fonts;
    TskSkinColorComboBox* Colors;
    TskSkinColorGrid* Grid;
    TskColorViewer* Viewer;
};

inline TListsDemo PlaceLists(TWinControl* Parent, TPoint At, TskSkinData* Skin) {
    TListsDemo d;
    d.Pages = PlaceIn<TskSkinListBox>(Parent, At, 0, 0, 190, 190);
    d.Pages->SetCaption("Pages");
    d.Pages->SetCaptionMode(true);
    for (const char* page : {"Digits", "Letters", "Signs", "Blank"}) d.Pages->GetItems()->Add(page);
    d.Pages->SetItemIndex(1);
    d.Fonts = PlaceIn<TskSkinFontComboBox>(Parent, At, 210, 0, 220, 20);
    d.Colors = PlaceIn<TskSkinColorComboBox>(Parent, At, 210, 30, 220, 20);
    d.Grid = PlaceIn<TskSkinColorGrid>(Parent, At, 210, 65, 280, 115);
    d.Viewer = PlaceIn<TskColorViewer>(Parent, At, 500, 65, 40, 40);
    if (Skin) {
        d.Pages->SetSkinDataName("captionlistbox");
        d.Grid->SetSkinDataName("groupbox");
        d.Pages->SetSkinData(Skin);
        d.Fonts->SetSkinData(Skin);
        d.Colors->SetSkinData(Skin);
        d.Grid->SetSkinData(Skin);
    }
    d.Fonts->SetFontName("Courier New");
    d.Colors->SetExStyle({skcbStandardColors, skcbExtendedColors, skcbPrettyNames});
    d.Colors->SetSelected(clTeal);
    d.Grid->SetColorValue(BasicColor(16));
    d.Viewer->SetColorValue(d.Grid->GetColorValue());
    return d;
}
