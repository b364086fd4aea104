#include "skin/data/Skutils_Codecs.h"

#include "classlib/IniFiles.h"
#include "classlib/StringList.h"
#include "classlib/Strings.h"

#include <array>
#include <iterator>

namespace {

AnsiString KeyContext(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key) {
    const AnsiString& file = Ini->GetFileName();
    return Format("key \"%s\" in section [%s] of %s", Key, Section,
                  file.empty() ? AnsiString("the skin description") : file);
}

// Fills Values from the first Values.size() comma-separated parts of S, keeping only
// the digits of each part; further parts are ignored.
template <std::size_t N>
std::array<int, N> ParseNumbers(const AnsiString& S, const char* What, const AnsiString& Context) {
    std::array<int, N> values{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < N; ++i) {
        const std::size_t comma = S.find(',', start);
        const bool last = comma == AnsiString::npos;
        AnsiString digits;
        if (start <= S.size()) {
            const AnsiString part = S.substr(start, last ? AnsiString::npos : comma - start);
            for (char c : part)
                if (c >= '0' && c <= '9') digits += c;
        }
        int value = 0;
        if (digits.empty() || !TryStrToInt(digits, value)) {
            AnsiString message = Format("Invalid %s value \"%s\"", What, S);
            if (!Context.empty()) message += " of " + Context;
            throw EConvertError(message);
        }
        values[i] = value;
        start = last ? S.size() + 1 : comma + 1;
    }
    return values;
}

template <typename E, std::size_t N>
E EnumFromText(const AnsiString& S, const std::array<const char*, N>& Words, E Fallback) {
    for (std::size_t i = 0; i < N; ++i)
        if (S == Words[i]) return static_cast<E>(i);
    return Fallback;
}

const std::array<const char*, 7> MorphKindWords = {
    "mkdefault",   "mkgradient",   "mkleftgradient", "mkrightgradient",
    "mkleftslide", "mkrightslide", "mkpush"};
const std::array<const char*, 6> InActiveEffectWords = {
    "iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"};
const std::array<const char*, 6> StdCommandWords = {"cmclose",   "cmmaximize", "cmminimize",
                                                    "cmsysmenu", "cmdefault",  "cmrollup"};
const std::array<const char*, 2> FramesPlacementWords = {"fphorizontal", "fpvertical"};
const std::array<const char*, 3> RegulatorKindWords = {"rkround", "rkhorizontal", "rkvertical"};
const std::array<const char*, 2> GaugeKindWords = {"gkhorizontal", "gkvertical"};
const std::array<const char*, 4> FontStyleWords = {"fsbold", "fsitalic", "fsunderline",
                                                   "fsstrikeout"};

} // namespace

TPoint GetPoint(const AnsiString& S, const AnsiString& Context) {
    const auto v = ParseNumbers<2>(S, "point", Context);
    return {v[0], v[1]};
}

TRect GetRect(const AnsiString& S, const AnsiString& Context) {
    const auto v = ParseNumbers<4>(S, "rectangle", Context);
    return {v[0], v[1], v[2], v[3]};
}

AnsiString SetRect(const TRect& R) {
    return Format("%d,%d,%d,%d", R.Left, R.Top, R.Right, R.Bottom);
}

AnsiString SetPoint(const TPoint& P) {
    return Format("%d,%d", P.X, P.Y);
}

TFontStyles FontStylesFromText(const AnsiString& S) {
    TFontStyles styles;
    for (std::size_t i = 0; i < FontStyleWords.size(); ++i)
        if (S.find(FontStyleWords[i]) != AnsiString::npos)
            styles.Include(static_cast<TFontStyle>(i));
    return styles;
}

AnsiString FontStylesToText(TFontStyles Styles) {
    AnsiString text;
    for (std::size_t i = 0; i < FontStyleWords.size(); ++i) {
        if (!Styles.Contains(static_cast<TFontStyle>(i))) continue;
        if (!text.empty()) text += ',';
        text += FontStyleWords[i];
    }
    return text;
}

TAlignment AlignmentFromText(const AnsiString& S) {
    if (S == "tacenter") return taCenter;
    if (S == "taleftjustify") return taLeftJustify;
    return taRightJustify;
}

AnsiString AlignmentToText(TAlignment Value) {
    switch (Value) {
    case taCenter:
        return "tacenter";
    case taLeftJustify:
        return "taleftjustify";
    default:
        return "tarightjustify";
    }
}

TMorphKind MorphKindFromText(const AnsiString& S) {
    return EnumFromText(S, MorphKindWords, mkDefault);
}
AnsiString MorphKindToText(TMorphKind Value) {
    return MorphKindWords.at(Value);
}
TskInActiveEffect InActiveEffectFromText(const AnsiString& S) {
    return EnumFromText(S, InActiveEffectWords, ieBrightness);
}
AnsiString InActiveEffectToText(TskInActiveEffect Value) {
    return InActiveEffectWords.at(Value);
}
TStdCommand StdCommandFromText(const AnsiString& S) {
    return EnumFromText(S, StdCommandWords, cmRollUp);
}
AnsiString StdCommandToText(TStdCommand Value) {
    return StdCommandWords.at(Value);
}
TFramesPlacement FramesPlacementFromText(const AnsiString& S) {
    return S == "fphorizontal" ? fpHorizontal : fpVertical;
}
AnsiString FramesPlacementToText(TFramesPlacement Value) {
    return FramesPlacementWords.at(Value);
}
TRegulatorKind RegulatorKindFromText(const AnsiString& S) {
    return EnumFromText(S, RegulatorKindWords, rkVertical);
}
AnsiString RegulatorKindToText(TRegulatorKind Value) {
    return RegulatorKindWords.at(Value);
}
TGaugeKind GaugeKindFromText(const AnsiString& S) {
    return S == "gkhorizontal" ? gkHorizontal : gkVertical;
}
AnsiString GaugeKindToText(TGaugeKind Value) {
    return GaugeKindWords.at(Value);
}

// ---- On an INI object ------------------------------------------------------------

TPoint ReadPoint(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key) {
    return GetPoint(Ini->ReadString(Section, Key, "0,0"), KeyContext(Ini, Section, Key));
}

TRect ReadRect(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key) {
    return GetRect(Ini->ReadString(Section, Key, "0,0,0,0"), KeyContext(Ini, Section, Key));
}

bool ReadBoolean(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key) {
    return Ini->ReadInteger(Section, Key, 0) == 1;
}

TFontStyles ReadFontStyles(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key) {
    return FontStylesFromText(Ini->ReadString(Section, Key, ""));
}

TAlignment ReadAlignment(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key) {
    return AlignmentFromText(Ini->ReadString(Section, Key, "tacenter"));
}

TMorphKind ReadMorphKind(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key) {
    return MorphKindFromText(Ini->ReadString(Section, Key, "mkdefault"));
}

TskInActiveEffect ReadInActiveEffect(TCustomIniFile* Ini, const AnsiString& Section,
                                     const AnsiString& Key) {
    return InActiveEffectFromText(Ini->ReadString(Section, Key, "iebrightness"));
}

void WritePoint(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                const TPoint& P) {
    Ini->WriteString(Section, Key, SetPoint(P));
}

void WriteRect(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
               const TRect& R) {
    Ini->WriteString(Section, Key, SetRect(R));
}

void WriteBoolean(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                  bool Value) {
    Ini->WriteInteger(Section, Key, Value ? 1 : 0);
}

void WriteFontStyles(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                     TFontStyles Value) {
    Ini->WriteString(Section, Key, FontStylesToText(Value));
}

void WriteAlignment(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                    TAlignment Value) {
    Ini->WriteString(Section, Key, AlignmentToText(Value));
}

void WriteMorphKind(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                    TMorphKind Value) {
    Ini->WriteString(Section, Key, MorphKindToText(Value));
}

void WriteInActiveEffect(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                         TskInActiveEffect Value) {
    Ini->WriteString(Section, Key, InActiveEffectToText(Value));
}

int ReadListCount(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                  const AnsiString& EntryPrefix) {
    const int count = Ini->ReadInteger(Section, Key, 0);
    if (count > MaxSkinListCount)
        throw EConvertError(Format("List count %d of %s exceeds %d", count,
                                   KeyContext(Ini, Section, Key), MaxSkinListCount));
    // A count beyond the entries present is a description cut short (or made up): what
    // is left of it would load as something else.
    for (int i = 0; i < count; ++i)
        if (!Ini->ValueExists(Section, EntryPrefix + IntToStr(i)))
            throw EReadError(Format("%s counts %d entries, but entry \"%s\" is missing", 
                                    KeyContext(Ini, Section, Key), count, EntryPrefix + IntToStr(i)));
    return count < 0 ? 0 : count;
}

void ReadStrings(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                 TStrings* Strings) {
    const int count = ReadListCount(Ini, Section, Key + "linecount", Key + "line");
    for (int i = 0; i < count; ++i)
        Strings->Add(Ini->ReadString(Section, Key + "line" + IntToStr(i), ""));
}

void WriteStrings(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                  TStrings* Strings) {
    Ini->WriteInteger(Section, Key + "linecount", Strings->GetCount());
    for (int i = 0; i < Strings->GetCount(); ++i)
        Ini->WriteString(Section, Key + "line" + IntToStr(i), Strings->Get(i));
}

void ReadStrings1(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                  TStrings* Strings) {
    const int count = ReadListCount(Ini, Section, Key + "count");
    for (int i = 0; i < count; ++i)
        Strings->Add(Ini->ReadString(Section, IntToStr(i), ""));
}

void WriteStrings1(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                   TStrings* Strings) {
    Ini->WriteInteger(Section, Key + "count", Strings->GetCount());
    for (int i = 0; i < Strings->GetCount(); ++i)
        Ini->WriteString(Section, IntToStr(i), Strings->Get(i));
}

void GetObjectTypeName(const AnsiString& Entry, AnsiString& Name, AnsiString& TypeName) {
    const std::size_t colon = Entry.find(':');
    if (colon == AnsiString::npos) {
        Name.clear();
        TypeName.clear();
        return;
    }
    Name = Entry.substr(0, colon);
    TypeName = Entry.substr(colon + 1);
}

bool GetAreaNameRect(const AnsiString& Entry, AnsiString& Name, TRect& R,
                     const AnsiString& Context) {
    AnsiString rectText;
    GetObjectTypeName(Entry, Name, rectText);
    if (Entry.find(':') == AnsiString::npos) return false;
    R = GetRect(rectText, Context);
    return true;
}
