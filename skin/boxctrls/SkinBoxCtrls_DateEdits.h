// The skinned date edit: a button edit that holds a date in the locale's short date format,
// whose digits are overtyped (the separators stay), and whose button drops a month calendar
// in a popup window under the edit, or above it near the bottom of the screen.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_Edits.h"
#include "skin/boxctrls/skcalendar.h"

DECLARE_UNIT(SkinBoxCtrls_DateEdits)

// The calendar a date edit drops: a tool window that never takes the activation.
class TskPopupCalendar : public TskSkinMonthCalendar {
    DECLARE_CLASS(TskPopupCalendar, TskSkinMonthCalendar)
public:
    explicit TskPopupCalendar(TComponent* AOwner) : TskSkinMonthCalendar(AOwner) {}

protected:
    void CreateParams(TCreateParams& Params) override;
    void WMMouseActivate(TMessage& Message);

    MESSAGE_HANDLERS(TskPopupCalendar, TskSkinMonthCalendar)
    MESSAGE_HANDLER(WM_MOUSEACTIVATE, WMMouseActivate)
    END_MESSAGE_HANDLERS
};

class TskSkinDateEdit : public TskSkinCustomEdit {
    DECLARE_CLASS(TskSkinDateEdit, TskSkinCustomEdit)
public:
    explicit TskSkinDateEdit(TComponent* AOwner);
    ~TskSkinDateEdit() override;
    static void Published(TPropertyList& P);

    // The date changed: typed, set, or picked in the calendar.
    TNotifyEvent OnDateChange;

    TDateTime GetDate() const;
    // The calendar's date and the text; fires OnDateChange.
    void SetDate(TDateTime Value);
    bool GetTodayDefault() const;
    void SetTodayDefault(bool Value);
    TskDaysOfWeek GetFirstDayOfWeek() const;
    void SetFirstDayOfWeek(TskDaysOfWeek Value);
    int GetCalendarWidth() const;
    void SetCalendarWidth(int Value);
    int GetCalendarHeight() const;
    void SetCalendarHeight(int Value);
    TFont* GetCalendarFont() const;
    void SetCalendarFont(TFont* Value);
    bool GetCalendarAlphaBlend() const { return FCalendarAlphaBlend; }
    void SetCalendarAlphaBlend(bool Value) { FCalendarAlphaBlend = Value; }
    Byte GetCalendarAlphaBlendValue() const { return FCalendarAlphaBlendValue; }
    void SetCalendarAlphaBlendValue(Byte Value) { FCalendarAlphaBlendValue = Value; }
    bool GetCalendarAlphaBlendAnimation() const { return FCalendarAlphaBlendAnimation; }
    void SetCalendarAlphaBlendAnimation(bool Value) { FCalendarAlphaBlendAnimation = Value; }

    void DropDown();
    // Closes an open calendar: Accept shows the date picked in it, otherwise it goes back
    // to the date it opened with.
    void CloseUp(bool Accept);
    bool IsCalendarVisible() const;
    TskPopupCalendar* GetCalendar() const { return FCalendar; }

    // Digits and the date separator only; split at the separator, the parts stand where
    // the short date format puts day, month and year, none empty, day and month above 0,
    // and none above the part of 31 December 9999.
    bool IsValidText(const AnsiString& Text) const;
    // The calendar takes the text's date when it is one (an impossible day changes nothing);
    // OnDateChange fires when the date changed.
    void CheckValidDate();
    // Before a digit is typed: the separator under the caret is passed over and the next
    // character selected, so that the digit overwrites it.
    void CheckSelect();

protected:
    void ButtonClick() override;
    void Change() override;
    void KeyPress(char& Key) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void Loaded() override;

    void WMChar(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMIgnored(TMessage& Message);
    void CMCancelMode(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinDateEdit, TskSkinCustomEdit)
    MESSAGE_HANDLER(WM_CHAR, WMChar)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus)
    MESSAGE_HANDLER(WM_CUT, WMIgnored)
    MESSAGE_HANDLER(WM_PASTE, WMIgnored)
    MESSAGE_HANDLER(CM_CANCELMODE, CMCancelMode)
    END_MESSAGE_HANDLERS

private:
    // The text of the calendar's date, set by the control itself.
    void ShowDate();
    void CalendarNumberClick(TObject* Sender);

    TskPopupCalendar* FCalendar = nullptr;
    bool FInSetText = false;
    // Off while the calendar closes because the focus or the mouse went elsewhere.
    bool FClosingTakesFocus = true;
    // The calendar's date when it opened, back when it closes without a choice.
    TDateTime FDroppedDate = 0;
    bool FCalendarAlphaBlend = false;
    Byte FCalendarAlphaBlendValue = 0;
    bool FCalendarAlphaBlendAnimation = false;
};
