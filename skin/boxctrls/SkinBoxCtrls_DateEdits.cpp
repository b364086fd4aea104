#include "skin/boxctrls/SkinBoxCtrls_DateEdits.h"

#include "skin/boxctrls/SkinBoxCtrls_Popups.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Strings.h"

#include <vector>

namespace {

std::vector<AnsiString> SplitAt(const AnsiString& Text, char Separator) {
    std::vector<AnsiString> parts(1);
    for (char c : Text) {
        if (c == Separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

} // namespace

// ---- TskPopupCalendar ----------------------------------------------------------------------

void TskPopupCalendar::CreateParams(TCreateParams& Params) {
    TskSkinMonthCalendar::CreateParams(Params);
    PopupWindowParams(Params);
}

void TskPopupCalendar::WMMouseActivate(TMessage& Message) {
    Message.Result = MA_NOACTIVATE;
}

// ---- TskSkinDateEdit -------------------------------------------------------------------------

TskSkinDateEdit::TskSkinDateEdit(TComponent* AOwner) : TskSkinCustomEdit(AOwner) {
    SetButtonMode(true);
    FSkinDataName = "buttonedit";
    FCalendar = new TskPopupCalendar(this);
    FCalendar->SetVisible(false);
    FCalendar->SetParent(this);
    FCalendar->OnNumberClick = TNotifyEvent(this, &TskSkinDateEdit::CalendarNumberClick);
    ShowDate();
    SetMaxLength(static_cast<int>(GetText().size()));
}

TskSkinDateEdit::~TskSkinDateEdit() {
    delete FCalendar;
    FCalendar = nullptr;
}

void TskSkinDateEdit::Published(TPropertyList& P) {
    using C = TskSkinDateEdit;
    using skinctrls_detail::Own;
    // Made with a button: a form leaves that out.
    P.Add("ButtonMode", Own<C>(&TskSkinCustomEdit::GetButtonMode),
          Own<C>(&TskSkinCustomEdit::SetButtonMode), true);
    // Made with its date's length rather than no limit: always stored, so that a form that
    // loads writes back the same.
    P.Add("MaxLength", Own<C>(&TCustomEdit::GetMaxLength), Own<C>(&TCustomEdit::SetMaxLength));
    P.Add("Date", &C::GetDate, &C::SetDate);
    P.Add("TodayDefault", &C::GetTodayDefault, &C::SetTodayDefault, false);
    P.Add("CalendarWidth", &C::GetCalendarWidth, &C::SetCalendarWidth, 200);
    P.Add("CalendarHeight", &C::GetCalendarHeight, &C::SetCalendarHeight, 150);
    P.Add("CalendarFont", &C::GetCalendarFont, &C::SetCalendarFont);
    P.Add("CalendarAlphaBlend", &C::GetCalendarAlphaBlend, &C::SetCalendarAlphaBlend, false);
    P.Add("CalendarAlphaBlendValue", &C::GetCalendarAlphaBlendValue,
          &C::SetCalendarAlphaBlendValue, Byte(0));
    P.Add("CalendarAlphaBlendAnimation", &C::GetCalendarAlphaBlendAnimation,
          &C::SetCalendarAlphaBlendAnimation, false);
    P.Add("OnDateChange", &C::OnDateChange);
}

void TskSkinDateEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinCustomEdit::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FCalendar) FCalendar = nullptr;
}

// ---- Properties --------------------------------------------------------------------------

TDateTime TskSkinDateEdit::GetDate() const {
    return FCalendar ? FCalendar->GetDate() : 0;
}

void TskSkinDateEdit::SetDate(TDateTime Value) {
    if (!FCalendar) return;
    FCalendar->SetDate(Value);
    ShowDate();
    if (OnDateChange) OnDateChange(this);
}

bool TskSkinDateEdit::GetTodayDefault() const {
    return FCalendar && FCalendar->GetTodayDefault();
}

void TskSkinDateEdit::SetTodayDefault(bool Value) {
    if (!FCalendar) return;
    FCalendar->SetTodayDefault(Value);
    if (Value) ShowDate();
}

TskDaysOfWeek TskSkinDateEdit::GetFirstDayOfWeek() const {
    return FCalendar ? FCalendar->GetFirstDayOfWeek() : TskDaysOfWeek::Sun;
}

void TskSkinDateEdit::SetFirstDayOfWeek(TskDaysOfWeek Value) {
    if (FCalendar) FCalendar->SetFirstDayOfWeek(Value);
}

int TskSkinDateEdit::GetCalendarWidth() const {
    return FCalendar ? FCalendar->GetWidth() : 0;
}

void TskSkinDateEdit::SetCalendarWidth(int Value) {
    if (FCalendar) FCalendar->SetWidth(Value);
}

int TskSkinDateEdit::GetCalendarHeight() const {
    return FCalendar ? FCalendar->GetHeight() : 0;
}

void TskSkinDateEdit::SetCalendarHeight(int Value) {
    if (FCalendar) FCalendar->SetHeight(Value);
}

TFont* TskSkinDateEdit::GetCalendarFont() const {
    return FCalendar ? FCalendar->GetDefaultFont() : nullptr;
}

void TskSkinDateEdit::SetCalendarFont(TFont* Value) {
    if (FCalendar) FCalendar->SetDefaultFont(Value);
}

// ---- The text -------------------------------------------------------------------------------

void TskSkinDateEdit::ShowDate() {
    if (!FCalendar) return;
    FInSetText = true;
    SetText(DateToStr(FCalendar->GetDate()));
    FInSetText = false;
}

bool TskSkinDateEdit::IsValidText(const AnsiString& Text) const {
    for (char c : Text)
        if ((c < '0' || c > '9') && c != DateSeparator) return false;
    // Which part is which, from the widest date the format writes.
    const std::vector<AnsiString> sample = SplitAt(DateToStr(EncodeDate(9999, 12, 31)), DateSeparator);
    const std::vector<AnsiString> parts = SplitAt(Text, DateSeparator);
    if (sample.size() > 3 || parts.size() != sample.size()) return false;
    int day = -1, month = -1, year = -1;
    for (std::size_t i = 0; i < sample.size(); ++i) {
        if (sample[i] == "31") day = static_cast<int>(i);
        if (sample[i] == "12") month = static_cast<int>(i);
        if (sample[i] == "99" || sample[i] == "9999") year = static_cast<int>(i);
    }
    if (day == -1 || month == -1 || year == -1) return false;
    int values[3] = {0, 0, 0};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        // An empty part is being typed, not a date.
        if (parts[i].empty() || !TryStrToInt(parts[i], values[i])) return false;
        if (values[i] > StrToInt(sample[i])) return false;
    }
    return (values[year] != 0 || parts[year].size() < 2) && values[month] > 0 && values[day] > 0;
}

void TskSkinDateEdit::CheckValidDate() {
    TDateTime date = 0;
    // An impossible day (31.02) passes the part checks; it changes nothing.
    if (!FCalendar || !TryStrToDate(GetText(), date) || date == FCalendar->GetDate()) return;
    FCalendar->SetDate(date);
    if (FCalendar->GetDate() == date && OnDateChange) OnDateChange(this);
}

void TskSkinDateEdit::CheckSelect() {
    const AnsiString text = GetText();
    int start = GetSelStart();
    if (start < static_cast<int>(text.size()) && text[static_cast<std::size_t>(start)] == DateSeparator)
        ++start;
    SetSelStart(start);
    SetSelLength(1);
}

void TskSkinDateEdit::Change() {
    TComponentProtector protect(this);
    TskSkinCustomEdit::Change();
    if (IsDestroying() || FInSetText) return;
    if (IsValidText(GetText())) CheckValidDate();
}

// ---- Keys ---------------------------------------------------------------------------------

void TskSkinDateEdit::KeyPress(char& Key) {
    const auto code = static_cast<unsigned char>(Key);
    const bool digit = Key >= '0' && Key <= '9';
    // Backspace would take a character out; Enter is reported, as in every edit of the family.
    if (!digit && (code >= 32 || Key == '\b')) {
        Key = '\0';
        MessageBeep(0);
        return;
    }
    TskSkinCustomEdit::KeyPress(Key);
}

void TskSkinDateEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_DELETE) Key = 0;
    TskSkinCustomEdit::KeyDown(Key, Shift);
}

void TskSkinDateEdit::WMChar(TMessage& Message) {
    const auto key = static_cast<char>(Message.WParam);
    if (key >= '0' && key <= '9') CheckSelect();
    TskSkinCustomEdit::Dispatch(Message);
}

void TskSkinDateEdit::WndProc(TMessage& Message) {
    TskSkinCustomEdit::WndProc(Message);
    // Every key closes the calendar once it has done its work, a dropped one too.
    if (Message.Msg == WM_KEYDOWN && !IsDestroying()) CloseUp(false);
}

void TskSkinDateEdit::Loaded() {
    TskSkinCustomEdit::Loaded();
    if (!GetTodayDefault()) return;
    FCalendar->SetDate(::Date());
    ShowDate();
}

void TskSkinDateEdit::WMIgnored(TMessage&) {}

// ---- The calendar ---------------------------------------------------------------------------

bool TskSkinDateEdit::IsCalendarVisible() const {
    return FCalendar && FCalendar->GetVisible();
}

void TskSkinDateEdit::ButtonClick() {
    if (IsCalendarVisible())
        CloseUp(false);
    else
        DropDown();
    TskSkinCustomEdit::ButtonClick();
}

void TskSkinDateEdit::DropDown() {
    if (!FCalendar || !HandleAllocated() || IsCalendarVisible()) return;
    RECT window;
    GetWindowRect(GetHandle(), &window);
    const TPoint at = DropDownOrigin(TRect(window.left, window.top, window.right, window.bottom),
                                     FCalendar->GetWidth(), FCalendar->GetHeight(), 0,
                                     GetSystemMetrics(SM_CYSCREEN));
    FDroppedDate = FCalendar->GetDate();
    FCalendar->SetSkinData(GetSkin());
    ShowPopup(this, FCalendar, at, FCalendarAlphaBlend, FCalendarAlphaBlendValue,
              FCalendarAlphaBlendAnimation, 2);
}

void TskSkinDateEdit::CloseUp(bool Accept) {
    if (!IsCalendarVisible()) return;
    HidePopup(FCalendar);
    TComponentProtector protect(this);
    if (Accept) {
        ShowDate();
        if (FCalendar->GetDate() != FDroppedDate && OnDateChange) OnDateChange(this);
    } else {
        FCalendar->SetDate(FDroppedDate);
    }
    // A close because the focus or the mouse went elsewhere leaves the focus there.
    if (!IsDestroying() && FClosingTakesFocus && !Focused() && CanFocus()) SetFocus();
}

void TskSkinDateEdit::CalendarNumberClick(TObject*) {
    CloseUp(true);
}

void TskSkinDateEdit::WMKillFocus(TMessage& Message) {
    TskSkinCustomEdit::Dispatch(Message);
    if (IsDestroying()) return;
    if (!IsCalendarVisible()) {
        ShowDate();
        return;
    }
    const auto to = reinterpret_cast<HWND>(Message.WParam);
    if (FCalendar->HandleAllocated() && to && (to == FCalendar->GetHandle() || IsChild(FCalendar->GetHandle(), to)))
        return;
    FClosingTakesFocus = false;
    CloseUp(false);
    FClosingTakesFocus = true;
}

void TskSkinDateEdit::CMCancelMode(TMessage& Message) {
    TskSkinCustomEdit::Dispatch(Message);
    auto* sender = reinterpret_cast<TControl*>(Message.LParam);
    if (!FCalendar || IsDestroying() || sender == FCalendar || FCalendar->ContainsControl(sender)) return;
    FClosingTakesFocus = false;
    CloseUp(false);
    FClosingTakesFocus = true;
}

REGISTER_CLASS(TskSkinDateEdit);

DEFINE_UNIT(SkinBoxCtrls_DateEdits, uoSkin + 34, nullptr, nullptr);
