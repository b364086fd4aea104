// The library's adding-machine calculator: an 80-bit engine with a four-level
// operand stack and one memory register, the button presses that drive it, the
// display text and the paper tape.
#pragma once

#include "classlib/Sets.h"
#include "classlib/UnitInit.h"
#include "classlib/Exceptions.h"
#include "classlib/ListBoxes.h"
#include "classlib/Panels.h"
#include "grid/gclbase.h"

#include <vector>

enum TGclCalculatorButton {
    cbNone, cbTape, cbBack, cbClearEntry, cbClear, cbAdd, cbSub, cbMul, cbDiv,
    cb0, cb1, cb2, cb3, cb4, cb5, cb6, cb7, cb8, cb9,
    cbDecimal, cbEqual, cbInvert, cbChangeSign, cbPercent, cbSqrt,
    cbMemClear, cbMemRecall, cbMemStore, cbMemAdd, cbMemSub, cbSubTotal
};
enum TGclCalculatorOperation {
    coNone, coAdd, coSub, coMul, coDiv, coEqual, coInvert, coPercent, coSqrt,
    coMemClear, coMemRecall, coMemStore, coMemAdd, coMemSub, coSubTotal
};
enum TGclCalcState { csValid, csLocked, csClear };
using TGclCalcStates = TSet<TGclCalcState>;
enum TGclCalculatorOption {
    coShowItemCount, coShowMemoryButtons, coShowClearTapeButton, coShowTape,
    coShowSeparatePercent
};
using TGclCalculatorOptions = TSet<TGclCalculatorOption>;

using TGclCalcButtonPressedEvent = TEvent<void(TObject* Sender, TGclCalculatorButton Button)>;

// Raised by the engine for a result that has no value: division by zero, an invalid
// root or reciprocal, an overflow.
class EGclCalcError : public Exception {
public:
    using Exception::Exception;
};

class TGclCustomCalculatorEngine : public TObject {
    DECLARE_CLASS(TGclCustomCalculatorEngine, TObject)
public:
    TGclCustomCalculatorEngine();

    virtual bool AddOperand(long double Value, TGclCalculatorOperation Operation) = 0;
    virtual bool AddOperation(TGclCalculatorOperation Operation) = 0;
    void ClearAll();
    void PushOperand(long double Value);
    long double PopOperand();
    long double TopOperand() const { return Stack[0]; }

    int Decimals = 2;
    bool ShowSeparatePercent = false;
    TGclCalculatorOperation LastOperation = coNone;
    unsigned OperationCount = 0;
    long double Memory = 0;
    long double Stack[4] = {0, 0, 0, 0};
    TGclCalcStates State{csValid, csClear};
};

class TGclBasicCalculatorEngine : public TGclCustomCalculatorEngine {
    DECLARE_CLASS(TGclBasicCalculatorEngine, TGclCustomCalculatorEngine)
public:
    bool AddOperand(long double Value, TGclCalculatorOperation Operation) override;
    bool AddOperation(TGclCalculatorOperation Operation) override;

private:
    void Evaluate(TGclCalculatorOperation Operation);
};

// The operation a button asks for, and the 2-character mark the tape shows for it.
TGclCalculatorOperation CalcButtonOperation(TGclCalculatorButton Button);
const char* CalcButtonMark(TGclCalculatorButton Button);
// Value in the calculator's number format (Decimals as the engine keeps them) with the
// system's decimal separator.
AnsiString FormatCalcNumber(long double Value, int Decimals);
// The system decimal separator, as the locale unit reads it.
char CalcDecimalSeparator();
// The number an entry text holds; 0 for an empty or partial entry.
long double CalcTextToNumber(const AnsiString& Text);

// The paper tape's lines: values with their marks, counts and separator lines.
class TGclCalcTape : public TObject {
    DECLARE_CLASS(TGclCalcTape, TObject)
public:
    static constexpr int MarkWidth = 2;

    TGclCalcTape();
    ~TGclCalcTape() override;

    const std::vector<AnsiString>& Lines() const { return FLines; }
    int GetWidthChars() const { return FWidthChars; }
    // The lines keep their layout until Realign.
    void SetWidthChars(int Value);
    // Every line laid out again at the present width: values right-aligned, separators
    // refilled.
    void Realign();
    char SeparatorChar = '_';
    int MaxPaperCount = 9999;
    // The font the lines are drawn in ("Courier New", 10 points).
    TFont* GetFont() const { return FFont; }

    void AddValueLine(const AnsiString& Value, const char* Mark);
    void AddLeftLine(const AnsiString& Text);
    void AddSeparatorLine();
    // Every line blank, the count kept.
    void Blank();
    // The value that double-clicking line Index gives; false for a line that reads as
    // no number.
    bool LineValue(int Index, long double& Value, AnsiString& Text) const;

private:
    enum TKind { tkText, tkValue, tkSeparator };
    // What a line holds, so that it can be laid out at another width.
    struct TEntry {
        TKind Kind;
        AnsiString Text;
        AnsiString Mark;
    };
    void AddLine(const TEntry& Entry);
    AnsiString Render(const TEntry& Entry) const;

    std::vector<TEntry> FEntries;
    std::vector<AnsiString> FLines;
    int FWidthChars = 20;
    TFont* FFont;
};

enum TGclCalcColorScheme { cscalcCustom, cscalcWindows, cscalcDark, cscalcOcean, cscalcPlain };

// The calculator's colours: eight of them, set one by one or from a scheme.
class TGclCalcColors : public TPersistent {
    DECLARE_CLASS(TGclCalcColors, TPersistent)
public:
    enum TIndex {
        ciDisabledMemoryButtons, ciDisplay, ciDisplayTextColor, ciEditButtons,
        ciFunctionButtons, ciMemoryButtons, ciNumberButtons, ciOperatorButtons
    };

    TGclCalcColors();

    TColor GetColor(int Index) const { return FColors[Index]; }
    // A changed colour fires the change event and makes the scheme custom.
    void SetColor(int Index, TColor Value);
    TGclCalcColorScheme GetColorScheme() const { return FScheme; }
    // Any scheme but the custom one copies its colours and fires the event once.
    void SetColorScheme(TGclCalcColorScheme Value);
    // Between the two no change event fires; EndUpdate fires one.
    void BeginUpdate() { FUpdating = true; }
    void EndUpdate();
    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;

    static void Published(TPropertyList& P);

private:
    void Changed();
    template <int I> TColor Get() const { return FColors[I]; }
    template <int I> void Set(TColor Value) { SetColor(I, Value); }

    TColor FColors[8];
    TGclCalcColorScheme FScheme = cscalcWindows;
    bool FUpdating = false;
    bool FApplyingScheme = false;
};

// The calculator: paints its own buttons, shows the number in a display panel, keeps
// the tape, and turns clicks and keys into PressButton.
class TGclCustomCalculator : public TGclCustomControl {
    DECLARE_CLASS(TGclCustomCalculator, TGclCustomControl)
public:
    explicit TGclCustomCalculator(TComponent* AOwner);
    // AsPopup: a bordered popup window that saves the screen bits under it.
    TGclCustomCalculator(TComponent* AOwner, bool AsPopup);
    ~TGclCustomCalculator() override;
    bool IsPopup() const { return FPopup; }

    // One press of Button; nothing while the calculator has no window.
    void PressButton(TGclCalculatorButton Button);

    long double GetDisplay() const { return FDisplay; }
    void SetDisplay(long double Value);
    const AnsiString& GetDisplayStr() const { return FDisplayStr; }
    void SetDisplayStr(const AnsiString& Value);
    // The display panel's text: the entry right-aligned with two spaces after it.
    AnsiString GetDisplayText() const;
    long double GetOperand() const { return FEngine->TopOperand(); }
    void SetOperand(long double Value);
    long double GetMemory() const { return FEngine->Memory; }
    void SetMemory(long double Value);
    int GetDecimals() const { return FEngine->Decimals; }
    void SetDecimals(int Value);
    TGclCalculatorOptions GetOptions() const { return FOptions; }
    void SetOptions(TGclCalculatorOptions Value);
    int GetTapeHeight() const { return FTapeHeight; }
    void SetTapeHeight(int Value);
    int GetMaxPaperCount() const { return FTape->MaxPaperCount; }
    void SetMaxPaperCount(int Value) { FTape->MaxPaperCount = Value; }
    char GetTapeSeparatorChar() const { return FTape->SeparatorChar; }
    void SetTapeSeparatorChar(char Value) { FTape->SeparatorChar = Value; }
    TGclCalcTape* GetTape() const { return FTape; }
    TFont* GetTapeFont() const { return FTape->GetFont(); }
    void SetTapeFont(TFont* Value) { FTape->GetFont()->Assign(Value); }
    // bsNone or bsSingle (the sunken edge of the new control look); a change recreates
    // the window.
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // The tape's lines laid out again at the present width and shown.
    void RefreshDisplays();
    // The lines the tape shows at once: at least 3.
    int GetDisplayedItemCount();
    TGclCalcColors* GetColors() const { return FColors; }
    TGclCustomCalculatorEngine* GetEngine() const { return FEngine; }
    TPanel* GetDisplayPanel() const { return FPanel; }
    // Null until the tape is first shown.
    TListBox* GetTapeBox() const { return FTapeBox; }
    TRect ButtonRect(TGclCalculatorButton Button) const { return FButtons[Button].Position; }
    bool ButtonVisible(TGclCalculatorButton Button) const { return FButtons[Button].Visible; }
    TGclCalculatorButton GetPressedButton() const { return FPressed; }

    void CopyToClipboard();
    void PasteFromClipboard();
    // Double-clicking tape line Index takes its number.
    void TakeTapeLine(int Index);

    TGclCalcButtonPressedEvent OnButtonPressed;

    static void Published(TPropertyList& P);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;
    void Resize() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

    void WMGetText(TMessage& Msg);
    void WMGetTextLength(TMessage& Msg);
    void WMSetText(TMessage& Msg);
    void WMGetDlgCode(TMessage& Msg);
    void WMFocusChanged(TMessage& Msg);
    void WMCancelMode(TMessage& Msg);

    MESSAGE_HANDLERS(TGclCustomCalculator, TGclCustomControl)
    MESSAGE_HANDLER(WM_GETTEXT, WMGetText)
    MESSAGE_HANDLER(WM_GETTEXTLENGTH, WMGetTextLength)
    MESSAGE_HANDLER(WM_SETTEXT, WMSetText)
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
    MESSAGE_HANDLER(WM_SETFOCUS, WMFocusChanged)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMFocusChanged)
    MESSAGE_HANDLER(WM_CANCELMODE, WMCancelMode)
    END_MESSAGE_HANDLERS

private:
    struct TButtonInfo {
        TRect Position;
        AnsiString Caption;
        bool Visible = false;
    };

    void CalculateLook();
    int DisplayHeight();
    void ClearAll();
    void ShowError();
    void ShowDisplay(const AnsiString& Text);
    void EvaluateButton(TGclCalculatorButton Button);
    void EntryWork(TGclCalculatorButton Button);
    void Digit(TGclCalculatorButton Button);
    void Decimal();
    void Back();
    void ChangeSign();
    void RepaintButton(TGclCalculatorButton Button);
    TGclCalculatorButton ButtonAt(int X, int Y) const;
    bool AddingMachine() const { return FEngine->Decimals < 0 && !FDecimalEntered; }
    void TypeChar(char Key);
    // The tape's list box shows the tape's lines, the last one in view.
    void RefreshTape();
    void TapeDblClick(TObject* Sender);
    void TapeClick(TObject* Sender);
    void TapeDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void TapeFontChanged(TObject* Sender);
    void ColorsChanged(TObject* Sender);
    // Design-time tape sizing; Start and End say whether they took the mouse.
    bool InTapeSizeZone(int Y) const;
    bool StartTapeSizing(int Y);
    bool EndTapeSizing();
    void DrawSizeLine();

    TGclCustomCalculatorEngine* FEngine;
    TGclCalcTape* FTape;
    TPanel* FPanel;
    TListBox* FTapeBox = nullptr;
    TGclCalcColors* FColors;
    TButtonInfo FButtons[cbSubTotal + 1];
    TGclCalculatorOptions FOptions{coShowItemCount, coShowMemoryButtons};
    long double FDisplay = 0;
    long double FOperand = 0;
    AnsiString FDisplayStr = "0";
    TGclCalculatorButton FLastButton = cbNone;
    TGclCalculatorButton FPressed = cbNone;
    TGclCalculatorButton FMouseButton = cbNone;
    bool FDecimalEntered = false;
    bool FNegativePending = false;
    int FDisplayChars = 20;
    int FTapeHeight = 140 / 3;
    bool FPopup = false;
    TBorderStyle FBorderStyle = bsNone;
    bool FSizing = false;
    int FSizeLine = 0;
};

class TGclCalculator : public TGclCustomCalculator {
    DECLARE_CLASS(TGclCalculator, TGclCustomCalculator)
public:
    explicit TGclCalculator(TComponent* AOwner) : TGclCustomCalculator(AOwner) {}
    TGclCalculator(TComponent* AOwner, bool AsPopup) : TGclCustomCalculator(AOwner, AsPopup) {}
};

DECLARE_UNIT(gclcalc)
