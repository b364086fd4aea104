// The skinned spin edit, record "spinedit": a number field (an inner number edit) with an up
// and a down button. The control holds the value, integer or floating point, its bounds and
// its step, and keeps the text and the value in step both ways.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_Edits.h"
#include "skin/controls/SkinCtrls_UpDown.h"

#include "classlib/UnitInit.h"

DECLARE_UNIT(SkinBoxCtrls_SpinEdit)

enum TskValueType { vtInteger, vtFloat };

class TskSkinSpinEdit : public TskSkinStepButtons {
    DECLARE_CLASS(TskSkinSpinEdit, TskSkinStepButtons)
public:
    explicit TskSkinSpinEdit(TComponent* AOwner);
    ~TskSkinSpinEdit() override;
    static void Published(TPropertyList& P);

    // Fired by every change of the value, typed or set.
    TNotifyEvent OnChange;
    // The inner edit's keys, with the spin edit as Sender.
    TKeyEvent OnEditKeyDown;
    TKeyPressEvent OnEditKeyPress;
    TKeyEvent OnEditKeyUp;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CalcRects() override;
    // With a skin the edit's transparent text is repainted too.
    void Invalidate() override;

    double GetValue() const { return FValue; }
    // Bounded (and rounded to an integer for vtInteger), shown, then OnChange.
    void SetValue(double Value);
    // The same without OnChange.
    void SimpleSetValue(double Value);
    // Value kept to MinValue..MaxValue as every range control keeps it (ClampValue: bounds
    // that cross give MaxValue); any value when the two are equal.
    double CheckValue(double Value) const;
    // Whether Text reads as a number of the value type: digits, a leading minus sign and,
    // for vtFloat, one decimal separator that does not come first.
    bool IsNumText(const AnsiString& Text) const;

    TskValueType GetValueType() const { return FValueType; }
    // Switching to vtInteger rounds Increment (0 becomes 1); the text stays as it is.
    void SetValueType(TskValueType Value);
    Byte GetDecimal() const { return FDecimal; }
    // Digits after the separator of a vtFloat text, used from the next value on.
    void SetDecimal(Byte Value) { FDecimal = Value; }
    double GetMinValue() const { return FMinValue; }
    // The value is kept to the new bounds and shown, telling no one.
    void SetMinValue(double Value);
    double GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(double Value);
    double GetIncrement() const { return FIncrement; }
    void SetIncrement(double Value) { FIncrement = Value; }
    bool GetEditorEnabled() const;
    void SetEditorEnabled(bool Value);
    int GetMaxLength() const;
    void SetMaxLength(int Value);

    // The inner edit that holds the text.
    TskSkinNumEdit* GetEdit() const { return FEdit; }
    void UpClick(TObject* Sender);
    void DownClick(TObject* Sender);

protected:
    // Fires OnChange.
    virtual void Change();
    void Step(int Index) override;
    void DefaultFontChange() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;

    void CMTextChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinSpinEdit, TskSkinStepButtons)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    END_MESSAGE_HANDLERS

private:
    // The skin's spin edit record is in use and its picture holds the control's rectangle.
    bool Skinned() const;
    // Value bounded, and for vtInteger the nearest integer (halves to even) in the bounds.
    double Constrain(double Value) const;
    // The text Value is shown as.
    AnsiString ValueText(double Value) const;
    // The number Text reads as, when a conversion of the value type reads all of it.
    bool ReadNumber(const AnsiString& Text, double& Value) const;
    // The value of a typed text; a text that reads as no number changes nothing.
    void TextToValue(const AnsiString& Text);
    void ShowValue(double Value);
    // The value kept to bounds that changed. A form's lines come in any order, and equal
    // bounds hold any value: while it is read the bounds are only stored, and the value is
    // kept once they are all there.
    void KeepToBounds();
    void ApplyEditFont();
    void EnabledFontColor();

    void EditChange(TObject* Sender);
    void EditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void EditKeyPress(TObject* Sender, char& Key);
    void EditKeyUp(TObject* Sender, Word& Key, TShiftState Shift);

    TskSkinNumEdit* FEdit = nullptr;
    bool FTextFromValue = false;
    bool FTextFromEdit = false;
    TskValueType FValueType = vtInteger;
    Byte FDecimal = 2;
    double FMinValue = 0;
    double FMaxValue = 0;
    double FValue = 0;
    double FIncrement = 1;

    // Copied from the record.
    bool FHasSpinRecord = false;
    TskDataSkinFont<12> FSkinFont;
};
