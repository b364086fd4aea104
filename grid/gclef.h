// The base of the library's single-line entry fields: a typed value behind a
// picture mask, edited through the controller's command processor, validated when
// the focus leaves, errors reported through the controller, painted off-screen with
// its own colours, borders and carets. Concrete fields supply the editing itself
// (efEdit), the stepping of a value (efIncDecValue), the type checks
// (efValidateField) and the moving of the value (efTransfer).
#pragma once

#include "classlib/UnitInit.h"
#include "grid/gclbase.h"
#include "grid/gclbordr.h"
#include "grid/gclcaret.h"
#include "grid/gclcolor.h"
#include "grid/gclintl.h"
#include "grid/gcluser.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <variant>

enum TGclEntryFieldOption {
    efoArrowIncDec, efoCaretToEnd, efoForceInsert, efoForceOvertype, efoInputRequired,
    efoPasswordMode, efoReadOnly, efoRightAlign, efoRightJustify, efoSoftValidation,
    efoStripLiterals, efoTrimBlanks
};
using TGclEntryFieldOptions = TSet<TGclEntryFieldOption, 16>;

// The value types; types 4 to 13 are numeric.
enum : Byte {
    fsubString, fsubChar, fsubBoolean, fsubYesNo, fsubLongInt, fsubWord, fsubSmallInt,
    fsubByte, fsubShortInt, fsubReal, fsubExtended, fsubDouble, fsubSingle, fsubComp,
    fsubDate, fsubTime
};
// The upper bits of the data type: a picture field holding a string.
constexpr Byte fcpPictureString = 64;

// The internal commands that efEdit receives besides the command processor's.
enum : Word { ccChar = 249, ccMouse = 250, ccMouseMove = 251, ccDblClk = 253, ccUserDone = 254 };

// The field's error codes.
enum : Word {
    oeRangeError = 256, oeInvalidNumber, oeRequiredField, oeInvalidDate, oeInvalidTime,
    oeBlanksInField, oePartialEntry, oeCustomError = 32768
};

enum TZeroDisplay { zdShow, zdHide, zdHideUntilModified };

// Ten raw bytes: the range of any type, 80-bit floats included.
using TRangeType = std::array<Byte, 10>;

// What AsVariant gives: Boolean and YesNo as bool, the integer types as a 32-bit
// integer, the floating-point types as double, the others as their text.
using TGclFieldVariant = std::variant<bool, std::int32_t, double, AnsiString>;

using TUserCommandEvent = TEvent<void(TObject* Sender, Word Command)>;
using TValidationErrorEvent = TEvent<void(TObject* Sender, Word ErrorCode, const AnsiString& ErrorMsg)>;
// A concrete field's own check of its contents: ErrorCode comes in as the field found it
// and may be changed.
using TUserValidationEvent = TEvent<void(TObject* Sender, Word& ErrorCode)>;

class TGclEfColors : public TPersistent {
    DECLARE_CLASS(TGclEfColors, TPersistent)
public:
    explicit TGclEfColors(TNotifyEvent Changed);
    ~TGclEfColors() override;
    TGclColors* GetDisabled() const { return FDisabled; }
    TGclColors* GetError() const { return FError; }
    TGclColors* GetHighlight() const { return FHighlight; }
    void Assign(TPersistent* Source) override;
    static void Published(TPropertyList& P);

private:
    TGclColors* FDisabled;
    TGclColors* FError;
    TGclColors* FHighlight;
};

class TGclBaseEntryField : public TGclCustomControlEx {
    DECLARE_CLASS(TGclBaseEntryField, TGclCustomControlEx)
public:
    explicit TGclBaseEntryField(TComponent* AOwner);
    ~TGclBaseEntryField() override;

    // ---- Properties ----
    TGclBorders* GetBorders() const { return FBorders; }
    // bsNone or bsSingle (any other value is ignored); a change recreates the window.
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TGclEfColors* GetColors() const { return FColors; }
    TGclCaretPair* GetCarets() const { return FCarets; }
    int GetMaxLength() const { return FMaxLength; }
    // Taken only when nonzero, below 256 and not shorter than the mask (any value while
    // loading, mended once loading ends); a shorter maximum cuts the edit string.
    void SetMaxLength(int Value);
    TGclEntryFieldOptions GetOptions() const { return FOptions; }
    void SetOptions(TGclEntryFieldOptions Value);
    char GetPadChar() const { return FPadChar; }
    void SetPadChar(char Value) { FPadChar = Value; }
    char GetPasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char Value);
    int GetTextMargin() const { return FTextMargin; }
    void SetTextMargin(int Value);
    Byte GetDecimalPlaces() const { return FDecimalPlaces; }
    void SetDecimalPlaces(Byte Value) { FDecimalPlaces = Value; }
    bool GetUninitialized() const { return FUninitialized; }
    void SetUninitialized(bool Value);
    TZeroDisplay GetZeroDisplay() const { return FZeroDisplay; }
    void SetZeroDisplay(TZeroDisplay Value);
    double GetZeroDisplayValue() const { return FZeroDisplayValue; }
    void SetZeroDisplayValue(double Value);
    int GetEpoch();
    void SetEpoch(int Value);
    TGclIntlSup* GetIntlSupport() const { return FIntlSupport ? FIntlSupport : GclIntlSup; }
    void SetIntlSupport(TGclIntlSup* Value) { FIntlSupport = Value; }
    TGclUserData* GetUserData() const { return FUserData ? FUserData : GclUserData; }
    void SetUserData(TGclUserData* Value) { FUserData = Value; }
    const AnsiString& GetPictureMask() const { return FPicture; }
    void SetPictureMask(const AnsiString& Mask);
    Byte GetDataType() const { return FDataType; }
    Byte GetFieldType() const { return FDataType & 63; }
    Byte GetFieldClass() const { return FFieldClass; }
    Word GetLastError() const { return FLastError; }
    Word GetDataSize();
    bool GetModified() const { return FModified; }
    void SetModified(bool Value);
    bool GetEverModified() const { return FModified || FEverModified; }
    // False clears both modified flags; true marks the field ever modified.
    void SetEverModified(bool Value);
    bool GetInsertMode();
    void SetInsertMode(bool Value);
    bool IsValid() const { return !FInError; }
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // With AutoSize: the height that the font asks for.
    void efAdjustSize();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // ---- Value ----
    // Size: the room at Data; less than the data size raises, writing nothing.
    Word GetValue(void* Data, std::size_t Size);
    void SetValue(const void* Data, std::size_t Size);
    int GetAsInteger();
    void SetAsInteger(int Value);
    // The numeric types at the full 80-bit precision.
    long double GetAsExtended();
    double GetAsFloat();
    void SetAsFloat(double Value);
    bool GetAsBoolean();
    void SetAsBoolean(bool Value);
    AnsiString GetAsString();
    void SetAsString(const AnsiString& Value);
    double GetAsDateTime();
    void SetAsDateTime(double Value);
    // The floating-point value in hundredths, rounded to the nearest integer.
    std::int64_t GetAsCents();
    void SetAsCents(std::int64_t Value);
    TGclFieldVariant GetAsVariant();
    // The day number and the seconds since midnight; -1 when the value does not
    // validate.
    std::int32_t GetAsStDate();
    void SetAsStDate(std::int32_t Value);
    std::int32_t GetAsStTime();
    void SetAsStTime(std::int32_t Value);

    // ---- Range ----
    const TRangeType& GetRangeHi() const { return FRangeHi; }
    const TRangeType& GetRangeLo() const { return FRangeLo; }
    void SetRangeHi(const TRangeType& Value);
    void SetRangeLo(const TRangeType& Value);
    AnsiString GetRangeHiStr() { return RangeToStr(FRangeHi); }
    AnsiString GetRangeLoStr() { return RangeToStr(FRangeLo); }
    // EInvalidRangeValue for a text that does not convert; the range is kept.
    void SetRangeHiStr(const AnsiString& Value);
    void SetRangeLoStr(const AnsiString& Value);
    // The value a new field starts with: none for a date or time, a space or 0 unless the
    // range excludes them (then RangeLo), stored with SetValue. Nothing at design time.
    void SetInitialValue();

    // ---- Edit string and validation ----
    const AnsiString& GetEditString() const { return FEditString; }
    // What is shown, copied and measured for the mouse: the edit string with its control
    // characters mapped, blank under the zero display. Concrete fields give their own.
    virtual AnsiString GetDisplayString();
    // A picture field's edit string without the picture's literal characters, and the
    // inverse: Text laid into the picture's editable places. Other fields keep the text.
    AnsiString GetStrippedEditString() const;
    AnsiString MergeWithPicture(const AnsiString& Text) const;
    bool FieldIsEmpty();
    Word ValidateContents(bool ReportError);
    bool ValidateSelf();
    void Restore();
    void ClearContents();
    // Whether the character is accepted at a position with this mask character; Ch is
    // put into the mask's case first.
    bool efCharOK(char MaskChar, char& Ch, char PrevChar, bool FixCase);
    char efNthMaskChar(int N) const;
    static bool IsEditableMaskChar(char Ch);
    // Leaving the field: whether it may lose the focus.
    bool efCanClose(bool DoingExit);
    AnsiString ErrorMessage(Word Code) const;

    // ---- Selection and commands ----
    int GetSelStart() const { return FSelStart; }
    int GetSelLength() const { return FSelEnd - FSelStart; }
    // An empty selection at Value.
    void SetSelStart(int Value);
    void SetSelLength(int Value);
    AnsiString GetSelText() const;
    // Value pasted over the selection.
    void SetSelText(const AnsiString& Value);
    void SetSelection(int Start, int End);
    void SelectAll();
    int GetCaretPos() const { return FCaretPos; }
    // The caret position while the field has the focus, else -1.
    int GetCurrentPos() const { return FHasFocus ? FCaretPos : -1; }
    // The clipboard messages, sent when the window exists.
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void ClearSelection();
    // Focus moves posted for after the present message: to Control through the
    // controller, or to the form's next or previous control.
    void efMoveFocus(TWinControl* Control);
    void efMoveFocusToNextField();
    void efMoveFocusToPrevField();
    void ProcessCommand(Word Cmd, Word CharCode);
    void IncreaseValue(bool Wrap, double Delta);
    void DecreaseValue(bool Wrap, double Delta);
    // With the focus: N caret steps right, or -N left for a negative N.
    void MoveCaret(int N);
    void MoveCaretToEnd();
    void MoveCaretToStart();
    // The caret position for a client x-coordinate.
    int efGetMousePos(int X);

    TNotifyEvent OnChange;
    TValidationErrorEvent OnError;
    TUserCommandEvent OnUserCommand;
    TUserValidationEvent OnUserValidation;
    TGetEpochEvent OnGetEpoch;

    static void Published(TPropertyList& P);

protected:
    // ---- For the concrete fields ----
    virtual void efEdit(TMessage& Msg, Word Cmd) = 0;
    virtual void efIncDecValue(bool Wrap, double Delta) = 0;
    virtual Word efValidateField() = 0;
    // Moves the value between Data and the edit string (ToField: into the field).
    virtual void efTransfer(void* Data, bool ToField) = 0;
    // Sets the type and class; the default range follows.
    void SetDataType(Byte DataType, Byte FieldClass);
    void SetEditString(const AnsiString& Value);
    void SetCaretPos(int Pos);
    void efFieldModified();
    void DoOnChange();
    // OnUserValidation with Code; the code it leaves.
    Word DoOnUserValidation(Word Code);
    void efConditionalBeep();
    int efGetTextExtent(const char* S, int Len);
    int FFirstChar = 0;

    // ---- Control ----
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void Paint() override;
    void DefineProperties(TFiler* Filer) override;

    void WMKeyDown(TMessage& Msg);
    void WMSysKeyDown(TMessage& Msg);
    void WMChar(TMessage& Msg);
    void WMSetFocus(TMessage& Msg);
    void WMKillFocus(TMessage& Msg);
    void WMLButtonDown(TMessage& Msg);
    void WMLButtonDblClk(TMessage& Msg);
    void WMMouseMove(TMessage& Msg);
    void WMRButtonUp(TMessage& Msg);
    void WMGetDlgCode(TMessage& Msg);
    void WMEraseBkgnd(TMessage& Msg);
    void WMCopy(TMessage& Msg);
    void WMCut(TMessage& Msg);
    void WMPaste(TMessage& Msg);
    void WMClear(TMessage& Msg);
    void WMSetText(TMessage& Msg);
    void EMGetSel(TMessage& Msg);
    void EMSetSel(TMessage& Msg);
    void EMGetModify(TMessage& Msg);
    void EMSetModify(TMessage& Msg);
    void OMReportError(TMessage& Msg);
    void OMGetDataSize(TMessage& Msg);

    MESSAGE_HANDLERS(TGclBaseEntryField, TGclCustomControlEx)
    MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDown)
    MESSAGE_HANDLER(WM_SYSKEYDOWN, WMSysKeyDown)
    MESSAGE_HANDLER(WM_CHAR, WMChar)
    MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, WMLButtonDown)
    MESSAGE_HANDLER(WM_LBUTTONDBLCLK, WMLButtonDblClk)
    MESSAGE_HANDLER(WM_MOUSEMOVE, WMMouseMove)
    MESSAGE_HANDLER(WM_RBUTTONUP, WMRButtonUp)
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    MESSAGE_HANDLER(WM_COPY, WMCopy)
    MESSAGE_HANDLER(WM_CUT, WMCut)
    MESSAGE_HANDLER(WM_PASTE, WMPaste)
    MESSAGE_HANDLER(WM_CLEAR, WMClear)
    MESSAGE_HANDLER(WM_SETTEXT, WMSetText)
    MESSAGE_HANDLER(EM_GETSEL, EMGetSel)
    MESSAGE_HANDLER(EM_SETSEL, EMSetSel)
    MESSAGE_HANDLER(EM_GETMODIFY, EMGetModify)
    MESSAGE_HANDLER(EM_SETMODIFY, EMSetModify)
    MESSAGE_HANDLER(32512, OMReportError)
    MESSAGE_HANDLER(32515, OMGetDataSize)
    END_MESSAGE_HANDLERS

private:
    void efRemoveBadOptions();
    void efSetDefaultRange();
    bool StrToRange(const AnsiString& Text, TRangeType& Range);
    AnsiString RangeToStr(const TRangeType& Range);
    // A caller's value in the range's form for the field's type.
    TRangeType RangeForm(const TRangeType& Value);
    void StoreRange(TRangeType& Target, const TRangeType& Value);
    // Whether Range holds a value the field's type can take as a range (the range texts'
    // rule): a bounded integer, a calendar day or time of day, a finite number.
    bool IsValidRange(const TRangeType& Range) const;
    void efPerformEdit(TMessage& Msg, Word Cmd);
    void efCopyPrim();
    Word RequiredCheck();
    std::int32_t GetDayOrSeconds(Byte Type);
    void SetDayOrSeconds(Byte Type, std::int32_t Value);
    void IncDec(bool Wrap, double Delta);
    void PaintPrim(HDC DC, int Width, int Height);
    void ColorsChanged(TObject* Sender);
    void BordersChanged(TObject* Sender);
    // Any active side border: no border style and no 3-D look; none: a single 3-D border.
    void efBorderChanged();
    int TopTextMargin();
    bool ZeroHidden();
    bool IsLiteralAt(int Position) const;

    TGclBorders* FBorders;
    TGclEfColors* FColors;
    TGclCaretPair* FCarets;
    TBorderStyle FBorderStyle = bsSingle;
    TColor FCtrlColor = clRed;
    Byte FDecimalPlaces = 0;
    int FEpoch = 0;
    TGclIntlSup* FIntlSupport = nullptr;
    TGclUserData* FUserData = nullptr;
    Word FLastError = 0;
    int FMaxLength = 15;
    TGclEntryFieldOptions FOptions{efoCaretToEnd, efoTrimBlanks};
    char FPadChar = ' ';
    char FPasswordChar = '*';
    int FTextMargin = 2;
    bool FUninitialized = false;
    TZeroDisplay FZeroDisplay = zdShow;
    double FZeroDisplayValue = 0;
    Word FDataSize = 0;
    Byte FDataType = fsubString;
    Byte FFieldClass = 0;
    AnsiString FEditString;
    AnsiString FSavedEditString;
    bool FHasSaved = false;
    AnsiString FPicture = "X";
    TRangeType FRangeHi{};
    TRangeType FRangeLo{};
    int FCaretPos = 0;
    int FSelStart = 0;
    int FSelEnd = 0;
    bool FModified = false;
    bool FEverModified = false;
    bool FInError = false;
    bool FHasFocus = false;
    bool FInsert = true;
    bool FCharExpected = false;
    bool FClearing = false;
    bool FHeldBack = false;
    bool FLostToNone = false;
    bool FFocusByMouse = false;
    bool FAutoSize = true;
    bool FAdjusting = false;
};

DECLARE_UNIT(gclef)
