// The calculator's operation: what one button press does to the engine, the entry
// text, the display and the tape.
#include "grid/gclcalc.h"
#include "grid/gclmisc.h"

#include <cmath>

namespace {
bool IsOperator(TGclCalculatorButton B) {
    return B >= cbAdd && B <= cbDiv;
}
} // namespace

void TGclCustomCalculator::PressButton(TGclCalculatorButton Button) {
    if (!HandleAllocated()) return;
    if (FPressed == cbNone) {
        FPressed = Button;
        RepaintButton(Button);
    }
    TGclCalcStates& state = FEngine->State;
    if (Button == cbClear && FLastButton != cbClear) {
        ClearAll();
        FTape->AddSeparatorLine();
    }
    if (state.Contains(csLocked)) {
        // Locked: nothing is evaluated, but the entry may still be edited.
        GclBeep();
    } else if (Button == cbEqual &&
               (FLastButton == cbNone || FLastButton == cbClear || FLastButton == cbEqual)) {
        ClearAll();
        Button = cbClear;
    } else if (FLastButton == cbPercent && (IsOperator(Button) || Button == cbEqual)) {
        EvaluateButton(Button);
    } else if ((FLastButton == cbEqual || FLastButton == cbMemRecall) && IsOperator(Button)) {
        if (FEngine->AddOperand(CalcTextToNumber(FDisplayStr), CalcButtonOperation(Button)))
            EvaluateButton(Button);
    } else if (Button == cbMemStore) {
        if (FLastButton != cbEqual) EvaluateButton(Button);
        SetMemory(FDisplay);
    } else if (FEngine->AddOperand(FOperand, CalcButtonOperation(Button))) {
        EvaluateButton(Button);
        if (Button == cbEqual || Button == cbInvert || Button == cbSqrt)
            FOperand = FEngine->PopOperand();
    }
    EntryWork(Button);

    bool mouseHeld = GetFocus() == GetHandle() && (GetAsyncKeyState(GetLeftButton()) & 0x8000);
    if (!mouseHeld && FPressed != cbNone) {
        TGclCalculatorButton shown = FPressed;
        FPressed = cbNone;
        RepaintButton(shown);
    }
    FLastButton = Button;
    RefreshTape();
    if (OnButtonPressed.Assigned()) OnButtonPressed(this, Button);
}

void TGclCustomCalculator::EvaluateButton(TGclCalculatorButton Button) {
    try {
        if (!FEngine->State.Contains(csValid) ||
            !FEngine->AddOperation(CalcButtonOperation(Button)))
            return;
        SetDisplay(FEngine->TopOperand());
        if (FEngine->State.Contains(csLocked)) return;
        int decimals = FEngine->Decimals;
        if (Button == cbNone || IsOperator(Button) || Button == cbEqual || Button == cbPercent) {
            if (!IsOperator(Button) || Button != FLastButton)
                FTape->AddValueLine(FDisplayStr, CalcButtonMark(Button));
            else
                FTape->AddValueLine(FormatCalcNumber(FOperand, decimals), CalcButtonMark(Button));
        }
        if (Button == cbEqual && FEngine->LastOperation == coEqual) {
            if (FOptions.Contains(coShowItemCount)) {
                char count[16];
                __mingw_snprintf(count, sizeof count, "%3.3u", FEngine->OperationCount + 1);
                FTape->AddLeftLine(count);
            }
            FTape->AddValueLine(FormatCalcNumber(FDisplay, decimals), "*");
            FTape->AddSeparatorLine();
        }
        FDisplayStr = FormatCalcNumber(FDisplay, decimals);
    } catch (const Exception&) {
        ShowError();
    }
}

void TGclCustomCalculator::SetDisplay(long double Value) {
    FDisplay = Value;
    try {
        if (!std::isfinite(Value)) throw EGclCalcError("Overflow");
        ShowDisplay(FormatCalcNumber(Value, FEngine->Decimals));
    } catch (const Exception&) {
        ShowError();
    }
}

void TGclCustomCalculator::SetDisplayStr(const AnsiString& Value) {
    AnsiString text = Value;
    while (!text.empty() && text.front() == ' ')
        text.erase(0, 1);
    FDisplayStr = text;
}

void TGclCustomCalculator::ShowError() {
    ShowDisplay("****** ");
    FEngine->State = {csLocked};
    GclBeep();
}

void TGclCustomCalculator::ClearAll() {
    FEngine->ClearAll();
    FOperand = 0;
    SetDisplay(0);
    FDisplayStr.assign(1, '0');
    FNegativePending = false;
    FDecimalEntered = false;
}

void TGclCustomCalculator::SetOperand(long double Value) {
    // The entry takes the value too, so that the next operator works on it.
    FOperand = Value;
    if (Value != FEngine->TopOperand()) FEngine->PushOperand(Value);
}

void TGclCustomCalculator::EntryWork(TGclCalculatorButton Button) {
    switch (Button) {
    case cbTape:
        FTape->Blank();
        Invalidate();
        break;
    case cbBack: Back(); break;
    case cbClearEntry:
        FDisplayStr.clear();
        FOperand = 0;
        FNegativePending = false;
        SetDisplay(0);
        break;
    case cbDecimal: Decimal(); break;
    case cbChangeSign: ChangeSign(); break;
    case cbMemClear:
    case cbMemStore:
    case cbMemAdd:
    case cbMemSub:
        RepaintButton(cbMemClear);
        RepaintButton(cbMemRecall);
        break;
    default:
        if (Button >= cb0 && Button <= cb9) Digit(Button);
        break;
    }
}

void TGclCustomCalculator::Digit(TGclCalculatorButton Button) {
    TGclCalcStates& state = FEngine->State;
    if (FEngine->LastOperation == coEqual) ClearAll();
    int decimals = FEngine->Decimals;
    if (state.Contains(csClear)) {
        if (decimals >= 0) {
            FDisplayStr.clear();
            FDecimalEntered = false;
        } else {
            FDisplayStr = AnsiString("0") + CalcDecimalSeparator() + AnsiString(-decimals, '0');
        }
    }
    FDisplayStr += static_cast<char>('0' + (Button - cb0));
    if (FNegativePending) {
        FDisplayStr = '-' + FDisplayStr;
        FNegativePending = false;
    }
    if (AddingMachine()) {
        bool negative = !FDisplayStr.empty() && FDisplayStr[0] == '-';
        AnsiString digits = negative ? FDisplayStr.substr(1) : FDisplayStr;
        std::size_t p = digits.find(CalcDecimalSeparator());
        if (p != AnsiString::npos && p + 1 < digits.size()) {
            digits.erase(p, 1);
            digits.insert(p + 1, 1, CalcDecimalSeparator());
        }
        if (digits.size() > 1 && digits[0] == '0' && digits[1] != CalcDecimalSeparator()) digits.erase(0, 1);
        FDisplayStr = negative ? "-" + digits : digits;
    }
    FOperand = CalcTextToNumber(FDisplayStr);
    if (FOperand == 0 && FDisplayStr.find(CalcDecimalSeparator()) == AnsiString::npos) {
        FDisplayStr.assign(1, '0');
        SetDisplay(0);
        state = {csValid, csClear};
    } else {
        FDisplay = FOperand;
        ShowDisplay(FDisplayStr);
        state = {csValid};
    }
}

void TGclCustomCalculator::Decimal() {
    TGclCalcStates& state = FEngine->State;
    if (state.Contains(csClear)) {
        FDisplayStr = AnsiString("0") + CalcDecimalSeparator();
        ShowDisplay(FDisplayStr);
        FDecimalEntered = true;
        state = {csValid};
    } else if (FDisplayStr.find(CalcDecimalSeparator()) == AnsiString::npos) {
        FDisplayStr += CalcDecimalSeparator();
        if (FDisplayStr.size() == 1) FDisplayStr = '0' + FDisplayStr;
        FOperand = CalcTextToNumber(FDisplayStr);
        ShowDisplay(FDisplayStr);
        state = {csValid};
        FDecimalEntered = true;
    }
}

void TGclCustomCalculator::Back() {
    if (FDisplayStr.empty() || CalcTextToNumber(FDisplayStr) == 0) return;
    if (FDisplayStr.size() == 1) {
        FOperand = 0;
        FNegativePending = false;
        SetDisplay(0);
        FEngine->State = {csValid, csClear};
        return;
    }
    std::size_t p = FDisplayStr.find(CalcDecimalSeparator());
    if (AddingMachine() && p != AnsiString::npos) {
        bool negative = FDisplayStr[0] == '-';
        AnsiString digits = negative ? FDisplayStr.substr(1) : FDisplayStr;
        p = digits.find(CalcDecimalSeparator());
        digits.erase(p, 1);
        digits.insert(p == 0 ? 0 : p - 1, 1, CalcDecimalSeparator());
        digits = '0' + digits;
        if (digits.size() > 1 && digits[0] == '0' && digits[1] != CalcDecimalSeparator()) digits.erase(0, 1);
        FDisplayStr = negative ? "-" + digits : digits;
    }
    FDisplayStr.pop_back();
    FOperand = CalcTextToNumber(FDisplayStr);
    FDisplay = FOperand;
    ShowDisplay(FDisplayStr);
}

void TGclCustomCalculator::ChangeSign() {
    if (FDisplayStr.empty()) {
        FOperand = 0;
        FNegativePending = !FNegativePending;
        SetDisplay(0);
        if (FNegativePending) FDisplayStr.assign(1, '-');
        FEngine->State = {csValid, csClear};
        return;
    }
    if (FDisplayStr[0] == '-')
        FDisplayStr.erase(0, 1);
    else
        FDisplayStr = '-' + FDisplayStr;
    FOperand = CalcTextToNumber(FDisplayStr);
    SetDisplay(FOperand);
}

void TGclCustomCalculator::TakeTapeLine(int Index) {
    long double value = 0;
    AnsiString text;
    if (!FTape->LineValue(Index, value, text)) return;
    SetDisplay(value);
    FOperand = value;
    FEngine->PushOperand(value);
    FDisplayStr = text;
}
