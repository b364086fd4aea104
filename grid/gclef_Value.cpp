// Entry-field values: moving them, the typed properties, validation, leaving the
// field, and the reporting of errors.
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "grid/gcldata.h"
#include "grid/gcldate.h"
#include "grid/gclef.h"
#include "grid/gclexcpt.h"
#include "grid/gclmisc.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {
bool IsNumericType(Byte T) {
    return T >= fsubLongInt && T <= fsubComp;
}
} // namespace

// ---- Edit string ----------------------------------------------------------------------

void TGclBaseEntryField::SetEditString(const AnsiString& Value) {
    FEditString = Value.substr(0, FMaxLength < 255 ? FMaxLength : 255);
    if (FCaretPos > static_cast<int>(FEditString.size()))
        FCaretPos = static_cast<int>(FEditString.size());
    Invalidate();
}

bool TGclBaseEntryField::FieldIsEmpty() {
    GetHandle();
    return FEditString.find_first_not_of(' ') == AnsiString::npos;
}

AnsiString TGclBaseEntryField::GetDisplayString() {
    AnsiString display = FEditString;
    for (char& c : display)
        if (static_cast<unsigned char>(c) < 32) c = static_cast<char>(c + 64);
    if (ZeroHidden()) display.assign(display.size(), ' ');
    return display;
}

bool TGclBaseEntryField::ZeroHidden() {
    if (FHasFocus || !IsNumericType(GetFieldType())) return false;
    if (FZeroDisplay == zdShow || (FZeroDisplay == zdHideUntilModified && GetEverModified()))
        return false;
    AnsiString text;
    char sep = GetIntlSupport()->DecimalChar;
    for (char c : GetStrippedEditString())
        if (c != ' ') text += c == sep ? '.' : c;
    if (text.empty()) return false;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    return *end == '\0' && v == FZeroDisplayValue;
}

void TGclBaseEntryField::SetModified(bool Value) {
    FModified = Value;
    if (Value) FEverModified = true;
}

void TGclBaseEntryField::SetEverModified(bool Value) {
    FEverModified = Value;
    if (!Value) FModified = false;
}

Word TGclBaseEntryField::DoOnUserValidation(Word Code) {
    if (OnUserValidation.Assigned()) OnUserValidation(this, Code);
    return Code;
}

void TGclBaseEntryField::efFieldModified() {
    FModified = true;
    FEverModified = true;
    DoOnChange();
}

void TGclBaseEntryField::DoOnChange() {
    if (!FClearing && OnChange.Assigned()) OnChange(this);
}

void TGclBaseEntryField::Restore() {
    if (!FHasSaved) return;
    FEditString = FSavedEditString;
    FCaretPos = FOptions.Contains(efoCaretToEnd) ? static_cast<int>(FEditString.size()) : 0;
    SelectAll();
    FModified = false;
    Invalidate();
    DoOnChange();
}

void TGclBaseEntryField::ClearContents() {
    bool readOnly = FOptions.Contains(efoReadOnly);
    FOptions.Exclude(efoReadOnly);
    FClearing = true;
    SendMessageA(GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    FClearing = false;
    if (readOnly) FOptions.Include(efoReadOnly);
}

bool TGclBaseEntryField::GetInsertMode() {
    return ControllerAssigned() ? GetController()->InsertMode : FInsert;
}

void TGclBaseEntryField::SetInsertMode(bool Value) {
    if (Value == FInsert) return;
    FInsert = Value;
    if (ControllerAssigned()) GetController()->InsertMode = Value;
    FCarets->SetInsMode(Value);
}

// ---- Values ---------------------------------------------------------------------------

Word TGclBaseEntryField::GetValue(void* Data, std::size_t Size) {
    if (GetFieldType() > fsubTime) throw EGclException(GetGclStr(30188));
    if (Size < GetDataSize()) throw EGclException(GetGclStr(30188));
    Word code = efValidateField();
    if (code == 0) efTransfer(Data, false);
    return code;
}

void TGclBaseEntryField::SetValue(const void* Data, std::size_t Size) {
    if (GetFieldType() > fsubTime) throw EGclException(GetGclStr(30188));
    if (Size < GetDataSize()) throw EGclException(GetGclStr(30188));
    GetHandle();
    FClearing = true;
    efTransfer(const_cast<void*>(Data), true);
    FClearing = false;
    Invalidate();
}

int TGclBaseEntryField::GetAsInteger() {
    Byte type = GetFieldType();
    if (type < fsubLongInt || type > fsubShortInt) throw EInvalidDataType();
    Byte buffer[10] = {};
    FLastError = GetValue(buffer, sizeof buffer);
    if (FLastError) return 0;
    switch (type) {
    case fsubWord: { std::uint16_t v; std::memcpy(&v, buffer, 2); return v; }
    case fsubSmallInt: { std::int16_t v; std::memcpy(&v, buffer, 2); return v; }
    case fsubByte: return buffer[0];
    case fsubShortInt: return static_cast<std::int8_t>(buffer[0]);
    default: { std::int32_t v; std::memcpy(&v, buffer, 4); return v; }
    }
}

void TGclBaseEntryField::SetAsInteger(int Value) {
    Byte type = GetFieldType();
    if (type < fsubLongInt || type > fsubShortInt) throw EInvalidDataType();
    Byte buffer[10] = {};
    std::memcpy(buffer, &Value, 4); // little-endian: the low bytes serve the small types
    SetValue(buffer, sizeof buffer);
}

long double TGclBaseEntryField::GetAsExtended() {
    Byte type = GetFieldType();
    if (!IsNumericType(type)) throw EInvalidDataType();
    if (type <= fsubShortInt) return GetAsInteger();
    Byte buffer[10] = {};
    FLastError = GetValue(buffer, sizeof buffer);
    if (FLastError) return 0;
    switch (type) {
    case fsubReal:
    case fsubDouble: { double v; std::memcpy(&v, buffer, 8); return v; }
    case fsubSingle: { float v; std::memcpy(&v, buffer, 4); return v; }
    case fsubComp: { std::int64_t v; std::memcpy(&v, buffer, 8); return static_cast<long double>(v); }
    default: { long double v = 0; std::memcpy(&v, buffer, 10); return v; }
    }
}

double TGclBaseEntryField::GetAsFloat() {
    return static_cast<double>(GetAsExtended());
}

void TGclBaseEntryField::SetAsFloat(double Value) {
    Byte type = GetFieldType();
    if (type < fsubReal || type > fsubComp) throw EInvalidDataType();
    Byte buffer[16] = {};
    switch (type) {
    case fsubReal:
    case fsubDouble: std::memcpy(buffer, &Value, 8); break;
    case fsubSingle: { float v = static_cast<float>(Value); std::memcpy(buffer, &v, 4); break; }
    case fsubComp: { std::int64_t v = std::llrint(Value); std::memcpy(buffer, &v, 8); break; }
    default: { long double v = Value; std::memcpy(buffer, &v, 10); break; }
    }
    SetValue(buffer, sizeof buffer);
}

bool TGclBaseEntryField::GetAsBoolean() {
    Byte type = GetFieldType();
    if (type != fsubBoolean && type != fsubYesNo) throw EInvalidDataType();
    Byte buffer[10] = {};
    FLastError = GetValue(buffer, sizeof buffer);
    return FLastError == 0 && buffer[0] != 0;
}

void TGclBaseEntryField::SetAsBoolean(bool Value) {
    Byte type = GetFieldType();
    if (type != fsubBoolean && type != fsubYesNo) throw EInvalidDataType();
    Byte buffer[10] = {static_cast<Byte>(Value ? 1 : 0)};
    SetValue(buffer, sizeof buffer);
}

AnsiString TGclBaseEntryField::GetAsString() {
    if (GetFieldType() == fsubString) {
        std::vector<char> buffer(GetDataSize() + 1, '\0');
        FLastError = GetValue(buffer.data(), buffer.size());
        return FLastError ? AnsiString() : AnsiString(buffer.data());
    }
    FLastError = 0;
    AnsiString text = FEditString;
    if (FOptions.Contains(efoTrimBlanks)) std::erase(text, ' ');
    return text;
}

void TGclBaseEntryField::SetAsString(const AnsiString& Value) {
    Byte type = GetFieldType();
    if (type == fsubString) {
        AnsiString text = Value.substr(0, 255);
        std::size_t room = GetDataSize() + 1u;
        std::vector<char> buffer(room > text.size() + 1 ? room : text.size() + 1, '\0');
        std::memcpy(buffer.data(), text.data(), text.size());
        SetValue(buffer.data(), buffer.size());
        return;
    }
    if (type == fsubBoolean || type == fsubYesNo) {
        TGclIntlSup* intl = GetIntlSupport();
        char first = Value.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(Value[0])));
        SetAsBoolean(first != '\0' && first == (type == fsubBoolean ? intl->TrueChar : intl->YesChar));
        return;
    }
    TRangeType value;
    if (!StrToRange(Value, value)) throw EEntryFieldError(GetGclStr(30180));
    Byte buffer[16] = {};
    std::memcpy(buffer, value.data(), 10);
    // Word, SmallInt, Byte and ShortInt take the low bytes of the 32-bit form.
    if (type == fsubSingle) {
        long double v;
        std::memcpy(&v, value.data(), 10);
        float f = static_cast<float>(v);
        std::memset(buffer, 0, sizeof buffer);
        std::memcpy(buffer, &f, 4);
    } else if (type == fsubDouble) {
        long double v;
        std::memcpy(&v, value.data(), 10);
        double d = static_cast<double>(v);
        std::memset(buffer, 0, sizeof buffer);
        std::memcpy(buffer, &d, 8);
    }
    SetValue(buffer, sizeof buffer);
}

double TGclBaseEntryField::GetAsDateTime() {
    Byte type = GetFieldType();
    if (type != fsubDate && type != fsubTime) throw EInvalidDataType();
    Byte buffer[10] = {};
    FLastError = GetValue(buffer, sizeof buffer);
    if (FLastError) return 0.0;
    std::int32_t v;
    std::memcpy(&v, buffer, 4);
    if (type == fsubTime) return v < 0 ? 0.0 : v / 86400.0;
    // No date reads as 29 December 1899 (-1.0), the value that writing maps back to no
    // date; 30 December 1899 stays a real date.
    if (v == BadDate) return -1.0;
    return StDateToDateTime(v);
}

void TGclBaseEntryField::SetAsDateTime(double Value) {
    Byte type = GetFieldType();
    if (type != fsubDate && type != fsubTime) throw EInvalidDataType();
    std::int32_t v;
    if (type == fsubTime)
        v = static_cast<std::int32_t>(std::lrint((Value - std::floor(Value)) * 86400.0)) % 86400;
    else
        v = Value == -1.0 ? BadDate : DateTimeToStDate(Value);
    Byte buffer[10] = {};
    std::memcpy(buffer, &v, 4);
    SetValue(buffer, sizeof buffer);
}

std::int64_t TGclBaseEntryField::GetAsCents() {
    Byte type = GetFieldType();
    if (type < fsubReal || type > fsubSingle) throw EInvalidDataType();
    // The default rounding mode takes halves to the even neighbour.
    return static_cast<std::int64_t>(std::nearbyint(static_cast<long double>(GetAsFloat()) * 100));
}

void TGclBaseEntryField::SetAsCents(std::int64_t Value) {
    Byte type = GetFieldType();
    if (type < fsubReal || type > fsubSingle) throw EInvalidDataType();
    SetAsFloat(static_cast<double>(Value) / 100.0);
}

TGclFieldVariant TGclBaseEntryField::GetAsVariant() {
    Byte type = GetFieldType();
    if (type == fsubBoolean || type == fsubYesNo) return GetAsBoolean();
    if (type >= fsubLongInt && type <= fsubShortInt) return static_cast<std::int32_t>(GetAsInteger());
    if (IsNumericType(type)) return GetAsFloat();
    return GetAsString();
}

std::int32_t TGclBaseEntryField::GetDayOrSeconds(Byte Type) {
    if (GetFieldType() != Type) throw EInvalidDataType();
    Byte buffer[10] = {};
    FLastError = GetValue(buffer, sizeof buffer);
    if (FLastError) return -1;
    std::int32_t v;
    std::memcpy(&v, buffer, 4);
    return v;
}

void TGclBaseEntryField::SetDayOrSeconds(Byte Type, std::int32_t Value) {
    if (GetFieldType() != Type) throw EInvalidDataType();
    Byte buffer[10] = {};
    std::memcpy(buffer, &Value, 4);
    SetValue(buffer, sizeof buffer);
}

std::int32_t TGclBaseEntryField::GetAsStDate() {
    return GetDayOrSeconds(fsubDate);
}

void TGclBaseEntryField::SetAsStDate(std::int32_t Value) {
    SetDayOrSeconds(fsubDate, Value);
}

std::int32_t TGclBaseEntryField::GetAsStTime() {
    return GetDayOrSeconds(fsubTime);
}

void TGclBaseEntryField::SetAsStTime(std::int32_t Value) {
    SetDayOrSeconds(fsubTime, Value);
}

// ---- Validation -------------------------------------------------------------------------

Word TGclBaseEntryField::RequiredCheck() {
    if (!FOptions.Contains(efoInputRequired) || FOptions.Contains(efoReadOnly)) return 0;
    bool empty = FEditString.find_first_not_of(' ') == AnsiString::npos;
    return empty || (FUninitialized && !FModified) ? oeRequiredField : 0;
}

Word TGclBaseEntryField::ValidateContents(bool ReportError) {
    TWinControl* parent = GetParent();
    if (!GetEnabled() || !GetVisible() || !parent || !parent->GetEnabled() || !parent->GetVisible())
        return 0;
    FLastError = RequiredCheck();
    if (!FLastError) FLastError = efValidateField();
    if (ReportError && FLastError && HandleAllocated())
        PostMessageA(GetHandle(), 32512, FLastError, 0);
    bool wasInError = FInError;
    if (!FLastError) FInError = false;
    else if (FOptions.Contains(efoSoftValidation)) FInError = true;
    if (wasInError != FInError) Invalidate();
    return FLastError;
}

bool TGclBaseEntryField::ValidateSelf() {
    return ValidateContents(!FOptions.Contains(efoSoftValidation)) == 0;
}

bool TGclBaseEntryField::efCanClose(bool DoingExit) {
    if (!GetVisible() || !GetEnabled()) return true;
    FLastError = RequiredCheck();
    if (!FLastError) FLastError = efValidateField();
    if (FCaretPos > static_cast<int>(FEditString.size()))
        FCaretPos = static_cast<int>(FEditString.size());
    if (!FLastError) {
        FInError = false;
        return true;
    }
    bool soft = FOptions.Contains(efoSoftValidation);
    if (soft && DoingExit) {
        FInError = true;
        Invalidate();
        return true;
    }
    if (soft) FInError = true;
    FHeldBack = true;
    if (CanFocus()) SetFocus();
    TGclController* controller = GetController();
    if (!controller->ErrorPending) PostMessageA(GetHandle(), 32512, FLastError, 0);
    controller->ErrorPending = true;
    return false;
}

AnsiString TGclBaseEntryField::ErrorMessage(Word Code) const {
    if (Code >= oeRangeError && Code <= oePartialEntry) return GetGclStr(30179 + (Code - oeRangeError));
    if (Code >= oeCustomError) return const_cast<TGclBaseEntryField*>(this)->GetController()->ErrorText;
    return GetGclStr(30278);
}

void TGclBaseEntryField::OMReportError(TMessage& Msg) {
    Word code = static_cast<Word>(Msg.WParam);
    if (!code) return;
    TGclController* controller = GetController();
    AnsiString text = ErrorMessage(code);
    if (text != controller->ErrorText) controller->ErrorText = text;
    if (OnError.Assigned())
        OnError(this, code, text);
    else
        controller->DoOnError(this, code, text);
}

void TGclBaseEntryField::OMGetDataSize(TMessage& Msg) {
    Msg.Result = GetDataSize();
}

void TGclBaseEntryField::efConditionalBeep() {
    if (GetController()->EntryOptions.Contains(efoBeepOnError)) GclBeep();
}
