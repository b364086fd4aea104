#include "skin/boxctrls/skcalendar.h"

#include "skin/data/SkinData_Controls.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Strings.h"

#include <cmath>

namespace {

constexpr int kButtonSize = 20;
// A button and the gap after it.
constexpr int kButtonStep = 21;

struct TNavButtonInfo {
    const char* Glyph;
    int RepeatInterval;
};

const TNavButtonInfo kNavButtons[4] = {
    {"SK_PRIORYEAR", 100}, {"SK_PRIORMONTH", 250}, {"SK_NEXTMONTH", 250}, {"SK_NEXTYEAR", 100}};

// A date the calendar can show: a day of the years 1 to 9999.
bool IsCalendarDate(TDateTime Value) {
    return std::isfinite(Value) && Value >= EncodeDate(1, 1, 1) &&
           Value < EncodeDate(9999, 12, 31) + 1;
}

} // namespace

TskSkinMonthCalendar::TskSkinMonthCalendar(TComponent* AOwner) : TskSkinPanel(AOwner) {
    FDate = ::Date();
    for (int i = 0; i < 4; ++i) {
        auto* button = new TskSkinSpeedButton(this);
        button->SetSkinDataName("resizebutton");
        button->SetBounds(0, 0, kButtonSize, kButtonSize);
        button->SetNumGlyphs(1);
        TBitmap glyph;
        glyph.LoadFromResourceName(GetModuleHandleA(nullptr), kNavButtons[i].Glyph);
        button->SetGlyph(&glyph);
        button->SetRepeatMode(true);
        button->SetRepeatInterval(kNavButtons[i].RepeatInterval);
        button->OnClick = TNotifyEvent(this, &TskSkinMonthCalendar::NavClick);
        button->SetParent(this);
        FButtons[i] = button;
    }
    SetBorderStyle(TskSkinBorderStyle::bvFrame);
    SetBounds(GetLeft(), GetTop(), 200, 150);
}

TskSkinMonthCalendar::~TskSkinMonthCalendar() {
    for (TskSkinSpeedButton*& button : FButtons) {
        delete button;
        button = nullptr;
    }
}

void TskSkinMonthCalendar::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinPanel::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    for (TskSkinSpeedButton*& button : FButtons)
        if (button == AComponent) button = nullptr;
}

void TskSkinMonthCalendar::Published(TPropertyList& P) {
    P.Add("Date", &TskSkinMonthCalendar::GetDate, &TskSkinMonthCalendar::SetDate);
    P.Add("TodayDefault", &TskSkinMonthCalendar::GetTodayDefault,
          &TskSkinMonthCalendar::SetTodayDefault, false);
    P.Add("FirstDayOfWeek", &TskSkinMonthCalendar::GetFirstDayOfWeek,
          &TskSkinMonthCalendar::SetFirstDayOfWeek, TskDaysOfWeek::Sun);
    P.Add("OnNumberClick", &TskSkinMonthCalendar::OnNumberClick);
}

// ---- The date ---------------------------------------------------------------------------

void TskSkinMonthCalendar::SetDate(TDateTime Value) {
    if (!IsCalendarDate(Value)) return;
    FDate = Value;
    UpdateCalendar();
}

void TskSkinMonthCalendar::SetTodayDefault(bool Value) {
    FTodayDefault = Value;
    if (Value) SetDate(::Date());
}

void TskSkinMonthCalendar::Loaded() {
    TskSkinPanel::Loaded();
    if (FTodayDefault) SetDate(::Date());
}

void TskSkinMonthCalendar::SetFirstDayOfWeek(TskDaysOfWeek Value) {
    FFirstDayOfWeek = Value;
    UpdateCalendar();
}

void TskSkinMonthCalendar::OffsetMonth(int Delta) {
    const int year = ExtractYear(FDate);
    const int month = ((ExtractMonth(FDate) - 1 + Delta) % 12 + 12) % 12 + 1;
    const int day = std::min(ExtractDay(FDate), DaysPerMonth(year, month));
    SetDate(EncodeDate(static_cast<Word>(year), static_cast<Word>(month), static_cast<Word>(day)));
}

void TskSkinMonthCalendar::OffsetYear(int Delta) {
    const int year = ExtractYear(FDate) + Delta;
    if (year < kFirstCalendarYear || year > kLastCalendarYear) return;
    const int month = ExtractMonth(FDate);
    const int day = std::min(ExtractDay(FDate), DaysPerMonth(year, month));
    SetDate(EncodeDate(static_cast<Word>(year), static_cast<Word>(month), static_cast<Word>(day)));
}

void TskSkinMonthCalendar::NextMonth() {
    // Past the last month the year cannot follow: the month would wrap alone.
    if (ExtractMonth(FDate) == 12) {
        if (ExtractYear(FDate) >= kLastCalendarYear) return;
        OffsetYear(1);
    }
    OffsetMonth(1);
}

void TskSkinMonthCalendar::PriorMonth() {
    if (ExtractMonth(FDate) == 1) {
        if (ExtractYear(FDate) <= kFirstCalendarYear) return;
        OffsetYear(-1);
    }
    OffsetMonth(-1);
}

void TskSkinMonthCalendar::NextYear() {
    OffsetYear(1);
}

void TskSkinMonthCalendar::PriorYear() {
    OffsetYear(-1);
}

void TskSkinMonthCalendar::NavClick(TObject* Sender) {
    const TDateTime before = FDate;
    if (Sender == FButtons[nbPriorYear])
        PriorYear();
    else if (Sender == FButtons[nbPriorMonth])
        PriorMonth();
    else if (Sender == FButtons[nbNextMonth])
        NextMonth();
    else if (Sender == FButtons[nbNextYear])
        NextYear();
    if (FDate != before) Click();
}

int TskSkinMonthCalendar::DaysThisMonth() const {
    return DaysPerMonth(ExtractYear(FDate), ExtractMonth(FDate));
}

int TskSkinMonthCalendar::GetMonthOffset() const {
    const TDateTime first = EncodeDate(static_cast<Word>(ExtractYear(FDate)),
                                       static_cast<Word>(ExtractMonth(FDate)), 1);
    const int column = (DayOfWeek(first) - static_cast<int>(FFirstDayOfWeek) + 7) % 7;
    // Column 0 of the first row would need an offset of 2: that week lies a row down.
    return 2 - column == 2 ? -5 : 2 - column;
}

// ---- Layout -------------------------------------------------------------------------------

TRect TskSkinMonthCalendar::CalendarRect() {
    TRect r = GetClientRect();
    AdjustClientRect(r);
    return r;
}

void TskSkinMonthCalendar::ArangeControls() {
    const TRect r = CalendarRect();
    const int lefts[4] = {r.Left + 1, r.Left + 1 + kButtonStep, r.Right - 2 * kButtonStep,
                          r.Right - kButtonStep};
    for (int i = 0; i < 4; ++i)
        if (FButtons[i]) FButtons[i]->SetBounds(lefts[i], r.Top + 1, kButtonSize, kButtonSize);
}

TskSkinMonthCalendar::TGrid TskSkinMonthCalendar::Layout(TCanvas* Canvas) {
    TGrid g;
    g.R = CalendarRect();
    Canvas->GetFont()->Assign(GetDefaultFont());
    Canvas->GetFont()->SetStyle(TFontStyles() << fsBold);
    g.CellWidth = (RectWidth(g.R) - 2) / 7;
    g.RuleY = Canvas->TextHeight("Wq") + g.R.Top + 30 + 1;
    g.CellHeight = (g.R.Bottom - g.RuleY - 4) / 6;
    return g;
}

void TskSkinMonthCalendar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TskSkinPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    ArangeControls();
}

void TskSkinMonthCalendar::SetCaptionMode(bool Value) {
    TskSkinPanel::SetCaptionMode(Value);
    ArangeControls();
}

void TskSkinMonthCalendar::SetDefaultCaptionHeight(int Value) {
    TskSkinPanel::SetDefaultCaptionHeight(Value);
    ArangeControls();
}

// ---- Drawing ------------------------------------------------------------------------------

void TskSkinMonthCalendar::DrawCalendar(TCanvas* Canvas) {
    const TGrid g = Layout(Canvas);
    const TColor fontColor = GetDefaultFont()->GetColor();
    const TColor frameColor = Skinned() ? FTitleColor : fontColor;
    Canvas->GetBrush()->SetStyle(bsClear);

    const AnsiString title = FormatDateTime("MMMM, YYYY", FDate);
    const int priorMonthLeft = FButtons[nbPriorMonth] ? FButtons[nbPriorMonth]->GetLeft()
                                                      : g.R.Left + 1 + kButtonStep;
    const int titleX = priorMonthLeft + kButtonStep + (RectWidth(g.R) - 82) / 2 -
                       Canvas->TextWidth(title) / 2;
    Canvas->GetFont()->SetColor(frameColor);
    Canvas->TextOut(titleX, g.R.Top + 2, title);

    Canvas->GetFont()->SetColor(fontColor);
    const int namesY = g.R.Top + 30;
    for (int column = 0; column < 7; ++column) {
        const AnsiString& name = ShortDayNames[(static_cast<int>(FFirstDayOfWeek) + column) % 7];
        Canvas->TextOut(g.CellLeft(column) + g.CellWidth / 2 - Canvas->TextWidth(name) / 2, namesY,
                        name);
    }
    Canvas->GetPen()->SetColor(fontColor);
    Canvas->MoveTo(g.R.Left + 1, g.RuleY);
    Canvas->LineTo(g.R.Right - 1, g.RuleY);
    Canvas->GetFont()->SetStyle(TFontStyles());
    if (Skinned()) Canvas->GetFont()->SetColor(FDayNumColor);

    const int offset = GetMonthOffset();
    const int days = DaysThisMonth();
    const int selected = ExtractDay(FDate);
    for (int row = 0; row <= 6; ++row) {
        const int bottom = g.RowBottom(row);
        for (int column = 0; column < 7; ++column) {
            const int day = offset + column + (row - 1) * 7;
            if (day < 1 || day > days) continue;
            const int left = g.CellLeft(column);
            const AnsiString text = IntToStr(day);
            Canvas->TextOut(left + g.CellWidth / 2 - Canvas->TextWidth(text) / 2,
                            bottom - g.CellHeight / 2 - Canvas->TextHeight(text) / 2, text);
            if (day != selected) continue;
            Canvas->GetBrush()->SetStyle(bsSolid);
            Canvas->GetBrush()->SetColor(frameColor);
            Canvas->FrameRect(TRect(left, bottom - g.CellHeight, left + g.CellWidth, bottom));
            Canvas->GetBrush()->SetStyle(bsClear);
        }
    }
}

TskSkinMonthCalendar::TGrid TskSkinMonthCalendar::MeasuredLayout() {
    TBitmap measure(1, 1);
    return Layout(measure.GetCanvas());
}

TRect TskSkinMonthCalendar::DayCellRect(int Row, int Column) {
    const TGrid g = MeasuredLayout();
    const int bottom = g.RowBottom(Row);
    const int left = g.CellLeft(Column);
    return TRect(left, bottom - g.CellHeight, left + g.CellWidth, bottom);
}

int TskSkinMonthCalendar::DayNumFromPoint(int X, int Y) {
    const TGrid g = MeasuredLayout();
    if (X < g.R.Left || X >= g.R.Right || Y < g.R.Top || Y >= g.R.Bottom) return 0;
    if (g.CellWidth < 1 || g.CellHeight < 1) return 0;
    const int offset = GetMonthOffset();
    for (int row = 1; row <= 6; ++row) {
        const int bottom = g.RowBottom(row);
        if (Y < bottom - g.CellHeight || Y >= bottom) continue;
        for (int column = 0; column < 7; ++column) {
            const int left = g.CellLeft(column);
            if (X < left || X >= left + g.CellWidth) continue;
            const int day = offset + column + (row - 1) * 7;
            return day >= 1 && day <= DaysThisMonth() ? day : 0;
        }
    }
    return 0;
}

void TskSkinMonthCalendar::CreateControlSkinImage(TBitmap* B) {
    TskSkinPanel::CreateControlSkinImage(B);
    DrawCalendar(B->GetCanvas());
}

void TskSkinMonthCalendar::CreateControlDefaultImage(TBitmap* B) {
    TskSkinPanel::CreateControlDefaultImage(B);
    DrawCalendar(B->GetCanvas());
}

void TskSkinMonthCalendar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinPanel::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || IsDestroying()) return;
    const int day = DayNumFromPoint(X, Y);
    if (day == 0) return;
    SetDate(EncodeDate(static_cast<Word>(ExtractYear(FDate)),
                       static_cast<Word>(ExtractMonth(FDate)), static_cast<Word>(day)));
    if (OnNumberClick) OnNumberClick(this);
}

// ---- Skin ---------------------------------------------------------------------------------

void TskSkinMonthCalendar::SetSkinData(TskSkinData* Value) {
    TskSkinPanel::SetSkinData(Value);
    for (TskSkinSpeedButton* button : FButtons)
        if (button) button->SetSkinData(Value);
}

void TskSkinMonthCalendar::ChangeSkinData() {
    if (FSD && !FSD->Empty) {
        const int index = FSD->GetControlIndex("stdlabel");
        if (index != -1) {
            auto* label = dynamic_cast<TskDataSkinStdLabelControl*>(
                FSD->CtrlList[static_cast<std::size_t>(index)].get());
            FDayNumColor = label ? label->FontColor : GetFont()->GetColor();
            FTitleColor = label ? label->ActiveFontColor : GetFont()->GetColor();
        }
    }
    TskSkinPanel::ChangeSkinData();
    ArangeControls();
}

REGISTER_CLASS(TskSkinMonthCalendar);

namespace {

void RegisterCalendarEnums() {
    RegisterEnum<TskDaysOfWeek>({"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"});
}

} // namespace

DEFINE_UNIT(skcalendar, uoSkin + 33, RegisterCalendarEnums, nullptr);
