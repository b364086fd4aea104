// The skinned month calendar: one month on a skinned panel, its title "MMMM, YYYY" between
// four navigation buttons (prior year, prior month, next month, next year; each repeats
// while held), the day names from the first day of the week, a rule, and six rows of day
// numbers with the selected day framed. A left click on a number selects that day.
#pragma once

#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/controls/SkinCtrls_SpeedButtons.h"

#include "classlib/DateTime.h"

DECLARE_UNIT(skcalendar)

enum class TskDaysOfWeek { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

// The years the calendar's buttons move through.
constexpr int kFirstCalendarYear = 1761;
constexpr int kLastCalendarYear = 9999;

class TskSkinMonthCalendar : public TskSkinPanel {
    DECLARE_CLASS(TskSkinMonthCalendar, TskSkinPanel)
public:
    enum TNavButton { nbPriorYear, nbPriorMonth, nbNextMonth, nbNextYear };

    explicit TskSkinMonthCalendar(TComponent* AOwner);
    ~TskSkinMonthCalendar() override;
    static void Published(TPropertyList& P);

    // A left-button release on a day number, after Date became that day.
    TNotifyEvent OnNumberClick;

    TDateTime GetDate() const { return FDate; }
    // Stores and repaints. A value that is no day of the years 1 to 9999 is refused: the
    // date stays.
    void SetDate(TDateTime Value);
    bool GetTodayDefault() const { return FTodayDefault; }
    // On: the date becomes today's, now and after loading.
    void SetTodayDefault(bool Value);
    TskDaysOfWeek GetFirstDayOfWeek() const { return FFirstDayOfWeek; }
    void SetFirstDayOfWeek(TskDaysOfWeek Value);

    // The month moved by Delta, wrapping within the year (the year stays); the day kept
    // within the new month.
    void OffsetMonth(int Delta);
    // The year moved by Delta when it stays within 1761..9999; the day kept within the month.
    void OffsetYear(int Delta);
    // The navigation buttons' steps; a month step past December 9999 or before January
    // 1761 does nothing.
    void NextMonth();
    void PriorMonth();
    void NextYear();
    void PriorYear();
    int DaysThisMonth() const;
    // Added to a cell's column and its row's weeks (row 1 right under the rule) it gives
    // the day in the cell: 1 - (the column of the month's first day), between -5 and 1.
    int GetMonthOffset() const;
    // The day under the client point (X, Y); 0 for no day.
    int DayNumFromPoint(int X, int Y);
    // The cell of Row (1 to 6, under the rule) and Column (0 to 6), in client coordinates.
    TRect DayCellRect(int Row, int Column);
    void DrawCalendar(TCanvas* Canvas);
    // Places the four buttons at the top of the client area.
    void ArangeControls();
    void UpdateCalendar() { Repaint(); }

    TskSkinSpeedButton* GetButton(TNavButton Which) const { return FButtons[Which]; }
    // The colours of the day numbers and of the title and frame with a skin.
    TColor GetDayNumColor() const { return FDayNumColor; }
    TColor GetTitleColor() const { return FTitleColor; }

    void SetSkinData(TskSkinData* Value) override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetCaptionMode(bool Value) override;
    void SetDefaultCaptionHeight(int Value) override;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateControlSkinImage(TBitmap* B) override;
    bool DrawsOverSkin() const override { return true; }
    void CreateControlDefaultImage(TBitmap* B) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // Where the parts lie for the current size and font.
    struct TGrid {
        TRect R;
        int CellWidth = 0;
        int CellHeight = 0;
        int RuleY = 0;
        // The bottom of row Row (0 to 6; row 0 lies above the rule).
        int RowBottom(int Row) const { return RuleY + 3 + Row * CellHeight; }
        int CellLeft(int Column) const { return R.Left + 1 + Column * CellWidth; }
    };
    // The layout, with Canvas's font made the drawing's (bold: the title and day names).
    TGrid Layout(TCanvas* Canvas);
    // The layout measured off screen.
    TGrid MeasuredLayout();
    TRect CalendarRect();
    void NavClick(TObject* Sender);
    bool Skinned() const { return FIndex != -1; }

    TDateTime FDate = 0;
    bool FTodayDefault = false;
    TskDaysOfWeek FFirstDayOfWeek = TskDaysOfWeek::Sun;
    TskSkinSpeedButton* FButtons[4] = {};
    TColor FDayNumColor = clBtnText;
    TColor FTitleColor = clBtnText;
};
