// An edit for a floating-point number whose drop-down button opens a calculator
// under it; the calculator's "=" writes the result back.
#pragma once

#include "classlib/UnitInit.h"
#include "grid/gclcalc.h"
#include "grid/gcledpop.h"

enum TGclPopupAnchor { paLeft, paRight };

class TGclCustomNumberEdit : public TGclEdPopup {
    DECLARE_CLASS(TGclCustomNumberEdit, TGclEdPopup)
public:
    explicit TGclCustomNumberEdit(TComponent* AOwner);

    // The text keeping only signs, digits and the decimal separator, as a number;
    // EConvertError for a text without a number.
    double GetAsFloat();
    // The shortest decimal form of Value.
    void SetAsFloat(double Value);
    long long GetAsInteger();
    void SetAsInteger(long long Value);
    AnsiString GetAsString() { return GetText(); }
    void SetAsString(const AnsiString& Value) { SetText(Value); }

    bool AllowIncDec = false;
    TGclPopupAnchor PopupAnchor = paLeft;
    TGclCalculator* GetCalculator() const { return FCalculator; }
    int GetPopupDecimals() const { return FCalculator->GetDecimals(); }
    void SetPopupDecimals(int Value) { FCalculator->SetDecimals(Value); }
    int GetPopupWidth() const { return FCalculator->GetWidth(); }
    void SetPopupWidth(int Value);
    int GetPopupHeight() const { return FCalculator->GetHeight(); }
    void SetPopupHeight(int Value);
    TGclCalcColors* GetPopupColors() const { return FCalculator->GetColors(); }
    TFont* GetPopupFont() const { return FCalculator->GetFont(); }
    bool GetAllowIncDec() const { return AllowIncDec; }
    void SetAllowIncDec(bool Value) { AllowIncDec = Value; }
    TGclPopupAnchor GetPopupAnchor() const { return PopupAnchor; }
    void SetPopupAnchor(TGclPopupAnchor Value) { PopupAnchor = Value; }
    void SetReadOnly(bool Value);

    void PopupOpen() override;
    void PopupClose(TObject* Sender) override;

    static void Published(TPropertyList& P);

protected:
    void KeyPress(char& Key) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoExit() override;

private:
    void CalcButtonPressed(TObject* Sender, TGclCalculatorButton Button);
    void CalcKeyPress(TObject* Sender, char& Key);
    void CalcKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void CalcMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void CalcExit(TObject* Sender);
    void PlaceCalculator();
    void CaretToEnd();

    TGclCalculator* FCalculator;
    TCursor FSavedCursor = 0;
    bool FSavedAutoScroll = false;
    bool FClosing = false;
};

class TGclNumberEdit : public TGclCustomNumberEdit {
    DECLARE_CLASS(TGclNumberEdit, TGclCustomNumberEdit)
public:
    explicit TGclNumberEdit(TComponent* AOwner) : TGclCustomNumberEdit(AOwner) {}
};

// The shortest decimal text that reads back as Value, with the system's separator.
AnsiString ShortestDecimal(double Value);
// The module's calculator glyph "ORBTNCLC".
void LoadCalculatorGlyph(TBitmap* Glyph);

DECLARE_UNIT(gcledclc)
