#include "grid/gclef.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"
#include "grid/gcldata.h"
#include "grid/gclexcpt.h"

#include <cstring>
#include <vector>

// ---- TGclEfColors -----------------------------------------------------------------

TGclEfColors::TGclEfColors(TNotifyEvent Changed)
    : FDisabled(new TGclColors(clGrayText, clWindow)), FError(new TGclColors(clBlack, clRed)),
      FHighlight(new TGclColors(clHighlightText, clHighlight)) {
    for (TGclColors* c : {FDisabled, FError, FHighlight})
        c->OnColorChange = Changed;
}

TGclEfColors::~TGclEfColors() {
    delete FDisabled;
    delete FError;
    delete FHighlight;
}

void TGclEfColors::Assign(TPersistent* Source) {
    if (auto* other = dynamic_cast<TGclEfColors*>(Source)) {
        FDisabled->Assign(other->FDisabled);
        FError->Assign(other->FError);
        FHighlight->Assign(other->FHighlight);
        return;
    }
    TPersistent::Assign(Source);
}

void TGclEfColors::Published(TPropertyList& P) {
    P.Add("Disabled", &TGclEfColors::GetDisabled);
    P.Add("Error", &TGclEfColors::GetError);
    P.Add("Highlight", &TGclEfColors::GetHighlight);
}

// ---- TGclBaseEntryField: properties --------------------------------------------------

TGclBaseEntryField::TGclBaseEntryField(TComponent* AOwner)
    : TGclCustomControlEx(AOwner),
      FBorders(new TGclBorders(TNotifyEvent(this, &TGclBaseEntryField::BordersChanged))),
      FColors(new TGclEfColors(TNotifyEvent(this, &TGclBaseEntryField::ColorsChanged))),
      FCarets(new TGclCaretPair(this)) {
    SetCursor(crIBeam);
    FAdjusting = true;
    SetBounds(GetLeft(), GetTop(), 130, 25);
    FAdjusting = false;
    SetParentColor(false);
    SetColor(clWindow);
    SetTabStop(true);
}

TGclBaseEntryField::~TGclBaseEntryField() {
    delete FCarets;
    delete FColors;
    delete FBorders;
}

void TGclBaseEntryField::ColorsChanged(TObject*) {
    Invalidate();
}

void TGclBaseEntryField::BordersChanged(TObject*) {
    efBorderChanged();
    Invalidate();
}

void TGclBaseEntryField::efBorderChanged() {
    bool active = false;
    for (const TGclBorder* b : {FBorders->GetLeftBorder(), FBorders->GetRightBorder(),
                                FBorders->GetTopBorder(), FBorders->GetBottomBorder()})
        active = active || b->GetEnabled();
    TBorderStyle style = active ? bsNone : bsSingle;
    if (style == FBorderStyle && GetCtl3D() == !active) return;
    FBorderStyle = style;
    SetCtl3D(!active);
    if (HandleAllocated()) RecreateWnd();
}

void TGclBaseEntryField::SetBorderStyle(TBorderStyle Value) {
    if ((Value != bsNone && Value != bsSingle) || Value == FBorderStyle) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

bool TGclBaseEntryField::IsEditableMaskChar(char Ch) {
    static const AnsiString editable = "!#123456789ABDEHKLMNOSXYabdhilmnstxy";
    return Ch != '\0' && editable.find(Ch) != AnsiString::npos;
}

void TGclBaseEntryField::SetMaxLength(int Value) {
    if (GetComponentState().Contains(csLoading)) {
        FMaxLength = Value;
        return;
    }
    if (Value <= 0 || Value >= 256 || Value < static_cast<int>(FPicture.size())) return;
    FMaxLength = Value;
    FDataSize = 0;
    if (static_cast<int>(FEditString.size()) > Value) FEditString.resize(Value);
    Invalidate();
}

void TGclBaseEntryField::Loaded() {
    TGclCustomControlEx::Loaded();
    // A stored maximum is whatever the form held: bring it into 1..255, not below the mask.
    int length = FMaxLength;
    if (length < 1) length = 1;
    if (length > 255) length = 255;
    if (length < static_cast<int>(FPicture.size())) length = static_cast<int>(FPicture.size());
    FMaxLength = length;
    if (static_cast<int>(FEditString.size()) > length) FEditString.resize(length);
    FDataSize = 0;
    efRemoveBadOptions();
}

void TGclBaseEntryField::SetOptions(TGclEntryFieldOptions Value) {
    if (Value.Contains(efoForceInsert) && !FOptions.Contains(efoForceInsert))
        Value.Exclude(efoForceOvertype);
    else if (Value.Contains(efoForceOvertype) && !FOptions.Contains(efoForceOvertype))
        Value.Exclude(efoForceInsert);
    if (Value.Contains(efoRightJustify) && GetFieldType() == fsubString)
        Value.Include(efoTrimBlanks);
    FOptions = Value;
    FDataSize = 0;
    efRemoveBadOptions();
    Invalidate();
}

void TGclBaseEntryField::SetPasswordChar(char Value) {
    FPasswordChar = Value;
    if (Value == '\0') FOptions.Exclude(efoPasswordMode);
    Invalidate();
}

void TGclBaseEntryField::SetTextMargin(int Value) {
    if (Value < 2 || Value == FTextMargin) return;
    FTextMargin = Value;
    Invalidate();
}

void TGclBaseEntryField::SetUninitialized(bool Value) {
    if (Value == FUninitialized) return;
    FUninitialized = Value;
    efRemoveBadOptions();
    Invalidate();
}

void TGclBaseEntryField::SetZeroDisplay(TZeroDisplay Value) {
    FZeroDisplay = Value;
    Invalidate();
}

void TGclBaseEntryField::SetZeroDisplayValue(double Value) {
    if (Value == FZeroDisplayValue) return;
    FZeroDisplayValue = Value;
    Invalidate();
}

int TGclBaseEntryField::GetEpoch() {
    int epoch = FEpoch;
    if (OnGetEpoch.Assigned()) OnGetEpoch(this, epoch);
    if (epoch == 0 && ControllerAssigned()) epoch = GetController()->GetEpoch();
    return epoch;
}

void TGclBaseEntryField::SetEpoch(int Value) {
    if (Value != 0 && (Value < 1600 || Value > 3999)) return;
    FEpoch = ControllerAssigned() && Value == GetController()->GetEpoch() ? 0 : Value;
}

void TGclBaseEntryField::SetPictureMask(const AnsiString& Mask) {
    if (Mask.empty()) return;
    AnsiString mask = Mask.substr(0, 255);
    if (GetComponentState().Contains(csLoading)) {
        FPicture = mask;
        return;
    }
    FPicture = mask;
    if (FMaxLength < static_cast<int>(FPicture.size())) FMaxLength = static_cast<int>(FPicture.size());
    FDataSize = 0;
    Invalidate();
}

bool TGclBaseEntryField::IsLiteralAt(int Position) const {
    char mask = efNthMaskChar(Position);
    return FFieldClass == 1 && !IsEditableMaskChar(mask) && mask != '$' && mask != ',';
}

AnsiString TGclBaseEntryField::GetStrippedEditString() const {
    AnsiString stripped;
    for (int i = 0; i < static_cast<int>(FEditString.size()); ++i)
        if (!IsLiteralAt(i)) stripped += FEditString[i];
    return stripped;
}

AnsiString TGclBaseEntryField::MergeWithPicture(const AnsiString& Text) const {
    if (FFieldClass != 1) return Text;
    AnsiString merged;
    std::size_t next = 0;
    for (int i = 0; i < static_cast<int>(FPicture.size()) && i < FMaxLength; ++i)
        merged += IsLiteralAt(i) ? FPicture[i] : next < Text.size() ? Text[next++] : ' ';
    return merged;
}

char TGclBaseEntryField::efNthMaskChar(int N) const {
    if (FPicture.empty()) return 'X';
    return N < static_cast<int>(FPicture.size()) ? FPicture[N] : FPicture.back();
}

void TGclBaseEntryField::SetDataType(Byte DataType, Byte FieldClass) {
    FDataType = DataType;
    FFieldClass = FieldClass;
    FDataSize = 0;
    efSetDefaultRange();
    efRemoveBadOptions();
}

Word TGclBaseEntryField::GetDataSize() {
    if (FDataSize) return FDataSize;
    static const Word sizes[16] = {0, 1, 1, 1, 4, 2, 2, 1, 1, 8, 10, 8, 4, 8, 4, 4};
    Byte type = GetFieldType();
    if (type > fsubTime) throw EGclException(GetGclStr(30188));
    if (type != fsubString) return FDataSize = sizes[type];
    int size = FMaxLength + 1;
    if ((FDataType & fcpPictureString) && FOptions.Contains(efoStripLiterals)) {
        int literals = 0;
        for (char c : FPicture)
            if (!IsEditableMaskChar(c) && c != '$' && c != ',') ++literals;
        size = FMaxLength - literals + 1;
    }
    return FDataSize = static_cast<Word>(size);
}

void TGclBaseEntryField::efRemoveBadOptions() {
    if (GetComponentState().Contains(csLoading)) return;
    Byte type = GetFieldType();
    bool small = type == fsubChar || type == fsubBoolean || type == fsubYesNo;
    bool numeric = type >= fsubLongInt && type <= fsubComp;
    bool dateTime = type == fsubDate || type == fsubTime;
    std::vector<TGclEntryFieldOption> drop;
    const std::vector<TGclEntryFieldOption> smallDrop{
        efoCaretToEnd, efoForceInsert, efoRightJustify, efoStripLiterals, efoTrimBlanks};
    switch (FFieldClass) {
    case 0:
        if (type == fsubString) drop = {efoRightJustify, efoStripLiterals};
        else if (small) drop = smallDrop;
        else if (numeric) drop = {efoRightJustify, efoStripLiterals, efoTrimBlanks};
        break;
    case 1:
        if (small) drop = smallDrop;
        else if (numeric) drop = {efoStripLiterals, efoTrimBlanks};
        else if (dateTime) drop = {efoRightJustify, efoStripLiterals, efoTrimBlanks};
        break;
    default:
        drop = {efoCaretToEnd, efoForceInsert, efoRightAlign, efoRightJustify, efoStripLiterals,
                efoTrimBlanks};
        break;
    }
    for (TGclEntryFieldOption o : drop)
        FOptions.Exclude(o);
    if (GetComponentState().Contains(csDesigning) && FOptions.Contains(efoInputRequired) &&
        type >= fsubChar && type <= fsubComp)
        FUninitialized = true;
}

bool TGclBaseEntryField::efCharOK(char MaskChar, char& Ch, char PrevChar, bool FixCase) {
    if (Ch == '\0') return false;
    // The system's case mapping of one character (the locale's letters included).
    auto mapped = [&](LPSTR (WINAPI *Map)(LPSTR)) {
        UINT_PTR code = static_cast<unsigned char>(Ch);
        Ch = static_cast<char>(reinterpret_cast<UINT_PTR>(Map(reinterpret_cast<LPSTR>(code))));
    };
    auto upper = [&] { mapped(CharUpperA); };
    auto lower = [&] { mapped(CharLowerA); };
    auto digit = [&] { return Ch >= '0' && Ch <= '9'; };
    auto in = [&](const char* set) { return std::strchr(set, Ch) != nullptr; };
    const TGclCharSet& alpha = GclAlphaCharSet();
    auto alphabetic = [&] { return alpha.test(static_cast<unsigned char>(Ch)); };
    switch (MaskChar) {
    case 'X': return true;
    case '!': if (FixCase) upper(); return true;
    case 'L': if (FixCase) lower(); return true;
    case 'x':
        if (FixCase && (PrevChar == ' ' || PrevChar == '-')) upper();
        return true;
    case 'a': return alphabetic();
    case 'A':
    case 'N':
        if (FixCase) upper();
        return alphabetic();
    case 'l':
    case 'n':
        if (FixCase) lower();
        return alphabetic();
    case '9': case 'D': case 'H': case 'M': case 'S': case 'd': case 'h': case 'm': case 's':
    case 'y':
        return digit() || Ch == ' ';
    case 'i': return digit() || in(" -");
    case '#': return digit() || in(" -.");
    case 'E':
        if (FixCase) upper();
        return digit() || in("+E -.");
    case 'K':
        if (FixCase) upper();
        return digit() || Ch == ' ' || (Ch >= 'A' && Ch <= 'F');
    case 'O': return (Ch >= '0' && Ch <= '7') || Ch == ' ';
    case 'b': return Ch == '0' || Ch == '1' || Ch == ' ';
    case 'B':
    case 'Y': {
        if (FixCase) upper();
        TGclIntlSup* intl = GetIntlSupport();
        char yes = MaskChar == 'B' ? intl->TrueChar : intl->YesChar;
        char no = MaskChar == 'B' ? intl->FalseChar : intl->NoChar;
        return Ch == yes || Ch == no;
    }
    case '1': case '2': case '3': case '4': case '5': case '6': case '7': case '8': {
        TGclUserData* data = GetUserData();
        if (FixCase) {
            switch (data->GetForceCase(MaskChar)) {
            case mcUpperCase: upper(); break;
            case mcLowerCase: lower(); break;
            case mcMixedCase:
                if (PrevChar == ' ' || PrevChar == '-') upper();
                break;
            default: break;
            }
        }
        return data->GetUserCharSet(MaskChar).test(static_cast<unsigned char>(Ch));
    }
    default: return true;
    }
}

void TGclBaseEntryField::Published(TPropertyList& P) {
    P.Add("AutoSize", &TGclBaseEntryField::GetAutoSize, &TGclBaseEntryField::SetAutoSize, true);
    P.Add("Borders", &TGclBaseEntryField::GetBorders);
    // After the borders, whose reading sets the style that they ask for.
    P.Add("BorderStyle", &TGclBaseEntryField::GetBorderStyle, &TGclBaseEntryField::SetBorderStyle,
          bsSingle);
    P.Add("Colors", &TGclBaseEntryField::GetColors);
    P.Add("DecimalPlaces", &TGclBaseEntryField::GetDecimalPlaces,
          &TGclBaseEntryField::SetDecimalPlaces, Byte(0));
    P.Add("MaxLength", &TGclBaseEntryField::GetMaxLength, &TGclBaseEntryField::SetMaxLength, 15);
    P.Add("Options", &TGclBaseEntryField::GetOptions, &TGclBaseEntryField::SetOptions,
          TGclEntryFieldOptions{efoCaretToEnd, efoTrimBlanks});
    P.Add("PictureMask", &TGclBaseEntryField::GetPictureMask, &TGclBaseEntryField::SetPictureMask);
    P.Add("TextMargin", &TGclBaseEntryField::GetTextMargin, &TGclBaseEntryField::SetTextMargin, 2);
    P.Add("Uninitialized", &TGclBaseEntryField::GetUninitialized,
          &TGclBaseEntryField::SetUninitialized, false);
    P.Add("OnChange", &TGclBaseEntryField::OnChange);
    P.Add("OnError", &TGclBaseEntryField::OnError);
    P.Add("OnUserCommand", &TGclBaseEntryField::OnUserCommand);
    P.Add("OnUserValidation", &TGclBaseEntryField::OnUserValidation);
}

namespace {
void StartEntryFields() {
    RegisterEnum<TGclEntryFieldOption>(
        {"efoArrowIncDec", "efoCaretToEnd", "efoForceInsert", "efoForceOvertype",
         "efoInputRequired", "efoPasswordMode", "efoReadOnly", "efoRightAlign", "efoRightJustify",
         "efoSoftValidation", "efoStripLiterals", "efoTrimBlanks"});
    RegisterEnum<TZeroDisplay>({"zdShow", "zdHide", "zdHideUntilModified"});
}
} // namespace

DEFINE_UNIT(gclef, uoGridModules, StartEntryFields, nullptr);
