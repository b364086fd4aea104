// The skinned time edit: a masked edit for a time of day, "hh:mm:ss" or "hh:mm:ss.zzz",
// whose keys are taken only when the time they make is one: below 24:00, or 24:00:00.000
// exactly. Its setters keep it so.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_Edits.h"

DECLARE_UNIT(SkinBoxCtrls_TimeEdits)

class TskSkinTimeEdit : public TskSkinMaskEdit {
    DECLARE_CLASS(TskSkinTimeEdit, TskSkinMaskEdit)
public:
    explicit TskSkinTimeEdit(TComponent* AOwner);
    static void Published(TPropertyList& P);

    bool GetShowMilliseconds() const { return FShowMilliseconds; }
    // A change resets the mask and the text to midnight in the new layout.
    void SetShowMilliseconds(bool Value);
    // The time of the text in milliseconds (empty positions read as 0); 0 for a text that
    // is no time.
    int GetMilliseconds();
    // A value outside 0 to 24 hours gives midnight.
    void SetMilliseconds(int Value);
    AnsiString GetTime() { return GetText(); }
    // Hours, minutes, seconds and, with ShowMilliseconds, milliseconds at their places in
    // Value (blanks as 0); a value that is no time gives midnight.
    void SetTime(const AnsiString& Value);
    // The parts of the text; all 0 for a text that is no time.
    void DecodeTime(Word& Hour, Word& Min, Word& Sec, Word& MSec);
    // Shown only when the parts make a time.
    void EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
    static bool IsValidTime(int Hour, int Min, int Sec, int MSec);

protected:
    // Refuses a key whose character, at the position the mask writes it, makes no time.
    void KeyPress(char& Key) override;

    void WMSetText(TMessage& Message);
    void WMPaste(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinTimeEdit, TskSkinMaskEdit)
    MESSAGE_HANDLER(WM_SETTEXT, WMSetText)
    MESSAGE_HANDLER(WM_PASTE, WMPaste)
    END_MESSAGE_HANDLERS

private:
    // The parts at their places in Text (blanks as 0); false when one is no number.
    bool ReadParts(const AnsiString& Text, int& Hour, int& Min, int& Sec, int& MSec) const;
    bool IsTimeText(const AnsiString& Text) const;
    AnsiString Formatted(int Hour, int Min, int Sec, int MSec) const;
    AnsiString Midnight() const;

    bool FShowMilliseconds = false;
    bool FSettingMidnight = false;
};
