// The value forms of the skin description (INI text): points, rectangles, Booleans,
// font styles, alignments, the enumerations stored as words, and lists.
//
// Points and rectangles are numbers joined by ","; within each part only the digits
// count (blanks, signs and letters are dropped), so a part without a digit, or a
// missing part, raises EConvertError naming the file, section, key and value.
// Enumeration words are compared exactly; an unknown word takes the enumeration's
// fallback and never fails.
#pragma once

#include "classlib/Exceptions.h"
#include "classlib/Graphics.h"
#include "classlib/StdCtrls.h"
#include "classlib/Types.h"

class TCustomIniFile;
class TStrings;

enum TMorphKind {
    mkDefault,
    mkGradient,
    mkLeftGradient,
    mkRightGradient,
    mkLeftSlide,
    mkRightSlide,
    mkPush
};
enum TskInActiveEffect { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };
enum TStdCommand { cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp };
enum TFramesPlacement { fpHorizontal, fpVertical };
enum TRegulatorKind { rkRound, rkHorizontal, rkVertical };
enum TGaugeKind { gkHorizontal, gkVertical };

// Lists longer than this are taken as damaged (EConvertError).
constexpr int MaxSkinListCount = 65536;

// Text converters. Context names the value in an error message.
TPoint GetPoint(const AnsiString& S, const AnsiString& Context = AnsiString());
TRect GetRect(const AnsiString& S, const AnsiString& Context = AnsiString());
AnsiString SetRect(const TRect& R);
AnsiString SetPoint(const TPoint& P);

TFontStyles FontStylesFromText(const AnsiString& S);
AnsiString FontStylesToText(TFontStyles Styles);
TAlignment AlignmentFromText(const AnsiString& S);
AnsiString AlignmentToText(TAlignment Value);
TMorphKind MorphKindFromText(const AnsiString& S);
AnsiString MorphKindToText(TMorphKind Value);
TskInActiveEffect InActiveEffectFromText(const AnsiString& S);
AnsiString InActiveEffectToText(TskInActiveEffect Value);
TStdCommand StdCommandFromText(const AnsiString& S);
AnsiString StdCommandToText(TStdCommand Value);
TFramesPlacement FramesPlacementFromText(const AnsiString& S);
AnsiString FramesPlacementToText(TFramesPlacement Value);
TRegulatorKind RegulatorKindFromText(const AnsiString& S);
AnsiString RegulatorKindToText(TRegulatorKind Value);
TGaugeKind GaugeKindFromText(const AnsiString& S);
AnsiString GaugeKindToText(TGaugeKind Value);

// Codecs on a section and key of an INI object; absent keys give the defaults
// "0,0", "0,0,0,0", 0 (False), no style, "tacenter", "mkdefault", "iebrightness".
TPoint ReadPoint(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key);
TRect ReadRect(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key);
// True only for the number 1.
bool ReadBoolean(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key);
TFontStyles ReadFontStyles(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key);
TAlignment ReadAlignment(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key);
TMorphKind ReadMorphKind(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key);
TskInActiveEffect ReadInActiveEffect(TCustomIniFile* Ini, const AnsiString& Section,
                                     const AnsiString& Key);

void WritePoint(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                const TPoint& P);
void WriteRect(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
               const TRect& R);
void WriteBoolean(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                  bool Value);
void WriteFontStyles(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                     TFontStyles Value);
void WriteAlignment(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                    TAlignment Value);
void WriteMorphKind(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                    TMorphKind Value);
void WriteInActiveEffect(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                         TskInActiveEffect Value);

// Multi-line text: Key + "linecount", then Key + "line" + i. Reading appends.
void ReadStrings(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                 TStrings* Strings);
void WriteStrings(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                  TStrings* Strings);
// Value list: Key + "count", then "0", "1", ... Reading appends.
void ReadStrings1(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                  TStrings* Strings);
void WriteStrings1(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                   TStrings* Strings);
// The count of a list, checked against MaxSkinListCount (else EConvertError) and against
// its entries EntryPrefix + "0", EntryPrefix + "1", ..., which must all be present (else
// EReadError naming the description and the missing entry); negative counts give 0.
int ReadListCount(TCustomIniFile* Ini, const AnsiString& Section, const AnsiString& Key,
                  const AnsiString& EntryPrefix = AnsiString());

// Entries of the typed and area lists: split at the first ":". Without ":" both
// parts are empty (and the area entry gives false).
void GetObjectTypeName(const AnsiString& Entry, AnsiString& Name, AnsiString& TypeName);
bool GetAreaNameRect(const AnsiString& Entry, AnsiString& Name, TRect& R,
                     const AnsiString& Context = AnsiString());
