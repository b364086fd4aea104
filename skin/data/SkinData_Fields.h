// Field tables of the skin records. Each record class lists its own fields once:
// INI key, member, the value a missing key gives, and the key's place among the
// class's own keys in a saved section. Loading, saving and the tests all go by
// these tables; a record is read level by level from its root class down, and a
// saved section holds the root's keys first, each level's in its written order.
#pragma once

#include "skin/data/Skutils_Codecs.h"

#include "classlib/IniFiles.h"
#include "classlib/StringList.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

enum TSkinFieldKind {
    sfInteger,
    sfBoolean,
    sfText,
    sfPoint,
    sfRect,
    sfFontStyles,
    sfAlignment,
    sfMorphKind,
    sfStdCommand,
    sfFramesPlacement,
    sfRegulatorKind,
    sfGaugeKind,
    sfInActiveEffect,
    sfLines
};

struct TSkinField {
    AnsiString Key;
    TSkinFieldKind Kind;
    int Written;
    std::function<void(TObject* Record, TCustomIniFile* Ini, const AnsiString& Section)> Read;
    std::function<void(const TObject* Record, TCustomIniFile* Ini, const AnsiString& Section)>
        Write;
    std::function<bool(const TObject* A, const TObject* B)> Same;
    std::function<bool(const TObject* Record)> HoldsDefault;
};

using TSkinFieldTable = std::vector<TSkinField>;
// The tables of a record's classes, root first.
using TSkinFieldLevels = std::vector<const TSkinFieldTable*>;

// Reads every field of every level; a missing key gives the field's default.
void ReadSkinFields(TObject* Record, const TSkinFieldLevels& Levels, TCustomIniFile* Ini,
                    const AnsiString& Section);
// Writes every field, level by level, each level in its written order.
void WriteSkinFields(const TObject* Record, const TSkinFieldLevels& Levels, TCustomIniFile* Ini,
                     const AnsiString& Section);
// True when every field of A equals B's.
bool SameSkinFields(const TObject* A, const TObject* B, const TSkinFieldLevels& Levels);

namespace skinfield_detail {

template <typename T> struct TCodec;

template <> struct TCodec<int> {
    static constexpr TSkinFieldKind Kind = sfInteger;
    static int Read(TCustomIniFile* Ini, const AnsiString& S, const AnsiString& K, int Default) {
        return Ini->ReadInteger(S, K, Default);
    }
    static void Write(TCustomIniFile* Ini, const AnsiString& S, const AnsiString& K, int Value) {
        Ini->WriteInteger(S, K, Value);
    }
};

template <> struct TCodec<bool> {
    static constexpr TSkinFieldKind Kind = sfBoolean;
    static bool Read(TCustomIniFile* Ini, const AnsiString& S, const AnsiString& K, bool) {
        return ReadBoolean(Ini, S, K);
    }
    static void Write(TCustomIniFile* Ini, const AnsiString& S, const AnsiString& K, bool Value) {
        WriteBoolean(Ini, S, K, Value);
    }
};

template <> struct TCodec<AnsiString> {
    static constexpr TSkinFieldKind Kind = sfText;
    static AnsiString Read(TCustomIniFile* Ini, const AnsiString& S, const AnsiString& K,
                           const AnsiString& Default) {
        return Ini->ReadString(S, K, Default);
    }
    static void Write(TCustomIniFile* Ini, const AnsiString& S, const AnsiString& K,
                      const AnsiString& Value) {
        Ini->WriteString(S, K, Value);
    }
};

template <> struct TCodec<TPoint> {
    static constexpr TSkinFieldKind Kind = sfPoint;
    static TPoint Read(TCustomIniFile* Ini, const AnsiString& S, const AnsiString& K, TPoint) {
        return ReadPoint(Ini, S, K);
    }
    static void Write(TCustomIniFile* Ini, const AnsiString& S, const AnsiString& K, TPoint Value) {
        WritePoint(Ini, S, K, Value);
    }
};

template <> struct TCodec<TRect> {
    static constexpr TSkinFieldKind Kind = sfRect;
    static TRect Read(TCustomIniFile* Ini, const AnsiString& S, const AnsiString& K, TRect) {
        return ReadRect(Ini, S, K);
    }
    static void Write(TCustomIniFile* Ini, const AnsiString& S, const AnsiString& K, TRect Value) {
        WriteRect(Ini, S, K, Value);
    }
};

// Values stored as words: read with the default's word, written as their word.
template <typename E, TSkinFieldKind K, E (*FromText)(const AnsiString&), AnsiString (*ToText)(E)>
struct TWordCodec {
    static constexpr TSkinFieldKind Kind = K;
    static E Read(TCustomIniFile* Ini, const AnsiString& S, const AnsiString& Key, E Default) {
        return FromText(Ini->ReadString(S, Key, ToText(Default)));
    }
    static void Write(TCustomIniFile* Ini, const AnsiString& S, const AnsiString& Key, E Value) {
        Ini->WriteString(S, Key, ToText(Value));
    }
};

template <>
struct TCodec<TFontStyles>
    : TWordCodec<TFontStyles, sfFontStyles, FontStylesFromText, FontStylesToText> {};
template <>
struct TCodec<TAlignment>
    : TWordCodec<TAlignment, sfAlignment, AlignmentFromText, AlignmentToText> {};
template <>
struct TCodec<TMorphKind>
    : TWordCodec<TMorphKind, sfMorphKind, MorphKindFromText, MorphKindToText> {};
template <>
struct TCodec<TStdCommand>
    : TWordCodec<TStdCommand, sfStdCommand, StdCommandFromText, StdCommandToText> {};
template <>
struct TCodec<TFramesPlacement> : TWordCodec<TFramesPlacement, sfFramesPlacement,
                                             FramesPlacementFromText, FramesPlacementToText> {};
template <>
struct TCodec<TRegulatorKind>
    : TWordCodec<TRegulatorKind, sfRegulatorKind, RegulatorKindFromText, RegulatorKindToText> {};
template <>
struct TCodec<TGaugeKind>
    : TWordCodec<TGaugeKind, sfGaugeKind, GaugeKindFromText, GaugeKindToText> {};

template <>
struct TCodec<TskInActiveEffect> : TWordCodec<TskInActiveEffect, sfInActiveEffect,
                                              InActiveEffectFromText, InActiveEffectToText> {};

template <typename C> const C* As(const TObject* Record) {
    return static_cast<const C*>(Record);
}

} // namespace skinfield_detail

// A field of class C held in Member.
template <typename C, typename T>
TSkinField SkinField(const char* Key, T C::*Member, const T& Default, int Written) {
    using Codec = skinfield_detail::TCodec<T>;
    using skinfield_detail::As;
    TSkinField field;
    field.Key = Key;
    field.Kind = Codec::Kind;
    field.Written = Written;
    const AnsiString key = Key;
    field.Read = [Member, Default, key](TObject* Record, TCustomIniFile* Ini,
                                        const AnsiString& Section) {
        static_cast<C*>(Record)->*Member = Codec::Read(Ini, Section, key, Default);
    };
    field.Write = [Member, key](const TObject* Record, TCustomIniFile* Ini,
                                const AnsiString& Section) {
        Codec::Write(Ini, Section, key, As<C>(Record)->*Member);
    };
    field.Same = [Member](const TObject* A, const TObject* B) {
        return As<C>(A)->*Member == As<C>(B)->*Member;
    };
    field.HoldsDefault = [Member, Default](const TObject* Record) {
        return As<C>(Record)->*Member == Default;
    };
    return field;
}

// A multi-line text field (a string list the record owns); reading appends.
template <typename C>
TSkinField SkinLinesField(const char* Key, TStringList* C::*Member, int Written) {
    using skinfield_detail::As;
    TSkinField field;
    field.Key = Key;
    field.Kind = sfLines;
    field.Written = Written;
    const AnsiString key = Key;
    field.Read = [Member, key](TObject* Record, TCustomIniFile* Ini, const AnsiString& Section) {
        ReadStrings(Ini, Section, key, static_cast<C*>(Record)->*Member);
    };
    field.Write = [Member, key](const TObject* Record, TCustomIniFile* Ini,
                                const AnsiString& Section) {
        WriteStrings(Ini, Section, key, As<C>(Record)->*Member);
    };
    field.Same = [Member](const TObject* A, const TObject* B) {
        return (As<C>(A)->*Member)->Equals(As<C>(B)->*Member);
    };
    field.HoldsDefault = [Member](const TObject* Record) {
        return (As<C>(Record)->*Member)->GetCount() == 0;
    };
    return field;
}

// The font a record draws its text with; Height is a new record's font height.
template <int Height> struct TskDataSkinFont {
    AnsiString FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = Height;
    TColor FontColor = 0;
};

// The fields of record class C (which derives from TskDataSkinFont): Others,
// then its font's, written as fontname, fontheight, fontstyle and fontcolor from
// FontFirst on.
template <typename C> TSkinFieldTable WithSkinFont(TSkinFieldTable Others, int FontFirst) {
    Others.push_back(
        SkinField<C, AnsiString>("fontname", &C::FontName, AnsiString("Arial"), FontFirst));
    Others.push_back(SkinField<C, int>("fontheight", &C::FontHeight, 14, FontFirst + 1));
    Others.push_back(
        SkinField<C, TFontStyles>("fontstyle", &C::FontStyle, TFontStyles(), FontFirst + 2));
    Others.push_back(SkinField<C, TColor>("fontcolor", &C::FontColor, 0, FontFirst + 3));
    return Others;
}

// The rectangles of a pair of up and down buttons, each as it is drawn normally,
// under the mouse and pressed.
struct TskDataSkinUpDownButtons {
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
};

// The fields of record class C (which derives from TskDataSkinUpDownButtons):
// Others, then its buttons' rectangles, written from First on.
template <typename C> TSkinFieldTable WithUpDownButtons(TSkinFieldTable Others, int First) {
    using B = TskDataSkinUpDownButtons;
    const std::pair<const char*, TRect B::*> rects[] = {
        {"upbuttonrect", &B::UpButtonRect},
        {"activeupbuttonrect", &B::ActiveUpButtonRect},
        {"downupbuttonrect", &B::DownUpButtonRect},
        {"downbuttonrect", &B::DownButtonRect},
        {"activedownbuttonrect", &B::ActiveDownButtonRect},
        {"downdownbuttonrect", &B::DownDownButtonRect},
    };
    for (const auto& [key, member] : rects)
        Others.push_back(SkinField<C, TRect>(key, member, TRect(), First++));
    return Others;
}

// A record class with fields of its own: its constructor is its parent's, its
// table is OwnFields, and its levels are its parent's followed by its own.
#define DECLARE_SKIN_RECORD(Class, Parent)                                                         \
    DECLARE_CLASS(Class, Parent)                                                                   \
public:                                                                                            \
    using Parent::Parent;                                                                          \
    static const TSkinFieldTable& OwnFields();                                                     \
    void GetFieldTables(TSkinFieldLevels& Levels) const override {                                 \
        Parent::GetFieldTables(Levels);                                                            \
        Levels.push_back(&OwnFields());                                                            \
    }                                                                                              \
                                                                                                   \
private:

// A record class that adds no field: it tells a kind apart by its class.
#define DECLARE_SKIN_KIND(Class, Parent)                                                           \
    DECLARE_CLASS(Class, Parent)                                                                   \
public:                                                                                            \
    using Parent::Parent;                                                                          \
                                                                                                   \
private:
