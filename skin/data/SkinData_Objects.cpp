#include "skin/data/SkinData_Objects.h"

const TSkinFieldTable& TskDataSkinObject::OwnFields() {
    using C = TskDataSkinObject;
    static const TSkinFieldTable table = {
        SkinField("hint", &C::Hint, AnsiString(), 1),
        SkinField("skinrectinapicture", &C::SkinRectInAPicture, false, 4),
        SkinField("skinrect", &C::SkinRect, TRect(), 6),
        SkinField("activeskinrect", &C::ActiveSkinRect, TRect(), 7),
        SkinField("morphing", &C::Morphing, false, 8),
        SkinField("morphkind", &C::MorphKind, mkDefault, 9),
        SkinField("activepictureindex", &C::ActivePictureIndex, -1, 3),
        SkinField("cursorindex", &C::CursorIndex, -1, 5),
        SkinField("rollup", &C::RollUp, false, 2),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinButton::OwnFields() {
    using C = TskDataSkinButton;
    static const TSkinFieldTable table = {
        SkinField("groupindex", &C::GroupIndex, -1, 3),
        SkinField("downrect", &C::DownRect, TRect(), 1),
        SkinField("disableskinrsect", &C::DisabledSkinRect, TRect(), 2),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinStdButton::OwnFields() {
    using C = TskDataSkinStdButton;
    static const TSkinFieldTable table = {
        SkinField("command", &C::Command, cmDefault, 1),
        SkinField("restorerect", &C::RestoreRect, TRect(), 2),
        SkinField("restoreactiverect", &C::RestoreActiveRect, TRect(), 3),
        SkinField("restoredownrect", &C::RestoreDownRect, TRect(), 4),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinCaption::OwnFields() {
    using C = TskDataSkinCaption;
    static const TSkinFieldTable table = {
        SkinField("fontname", &C::FontName, AnsiString("Arial"), 3),
        SkinField("fontheight", &C::FontHeight, 14, 4),
        SkinField("fontstyle", &C::FontStyle, TFontStyles(), 5),
        SkinField("fontcolor", &C::FontColor, 0, 6),
        SkinField("activefontcolor", &C::ActiveFontColor, 0, 7),
        SkinField("shadowcolor", &C::ShadowColor, 0, 10),
        SkinField("activeshadowcolor", &C::ActiveShadowColor, 0, 11),
        SkinField("shadow", &C::Shadow, false, 9),
        SkinField("alignment", &C::Alignment, taCenter, 8),
        SkinField("textrect", &C::TextRect, TRect(), 2),
        SkinField("defaultcaption", &C::DefaultCaption, false, 1),
        SkinField("framerect", &C::FrameRect, TRect(), 12),
        SkinField("activeframerect", &C::ActiveFrameRect, TRect(), 13),
        SkinField("frameleftoffset", &C::FrameLeftOffset, 0, 15),
        SkinField("framerightoffset", &C::FrameRightOffset, 0, 16),
        SkinField("frametextrect", &C::FrameTextRect, TRect(), 14),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinMenuItem::OwnFields() {
    using C = TskDataSkinMenuItem;
    static const TSkinFieldTable table = {
        SkinField("dividerrect", &C::DividerRect, TRect(), 3),
        SkinField("dividerleftoffset", &C::DividerLeftOffset, 0, 4),
        SkinField("dividerrightoffset", &C::DividerRightOffset, 0, 5),
        SkinField("itemleftoffset", &C::ItemLeftOffset, 0, 1),
        SkinField("itemrightoffset", &C::ItemRightOffset, 0, 2),
        SkinField("fontname", &C::FontName, AnsiString("Arial"), 7),
        SkinField("fontheight", &C::FontHeight, 14, 8),
        SkinField("fontstyle", &C::FontStyle, TFontStyles(), 9),
        SkinField("unenabledfontcolor", &C::UnEnabledFontColor, 0, 12),
        SkinField("fontcolor", &C::FontColor, 0, 10),
        SkinField("activefontcolor", &C::ActiveFontColor, 0, 11),
        SkinField("textrect", &C::TextRect, TRect(), 6),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinMainMenuItem::OwnFields() {
    using C = TskDataSkinMainMenuItem;
    static const TSkinFieldTable table = {
        SkinField("downrect", &C::DownRect, TRect(), 3),
        SkinField("fontname", &C::FontName, AnsiString("Arial"), 5),
        SkinField("fontheight", &C::FontHeight, 14, 6),
        SkinField("fontstyle", &C::FontStyle, TFontStyles(), 7),
        SkinField("fontcolor", &C::FontColor, 0, 8),
        SkinField("activefontcolor", &C::ActiveFontColor, 0, 9),
        SkinField("downfontcolor", &C::DownFontColor, 0, 10),
        SkinField("unenabledfontColor", &C::UnEnabledFontColor, 0, 11),
        SkinField("textrect", &C::TextRect, TRect(), 4),
        SkinField("itemleftoffset", &C::ItemLeftOffset, 0, 1),
        SkinField("itemrightoffset", &C::ItemRightOffset, 0, 2),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinLabel::OwnFields() {
    using C = TskDataSkinLabel;
    static const TSkinFieldTable table = {
        SkinField("fontname", &C::FontName, AnsiString("Arial"), 1),
        SkinField("fontheight", &C::FontHeight, 14, 2),
        SkinField("fontstyle", &C::FontStyle, TFontStyles(), 3),
        SkinField("fontcolor", &C::FontColor, 0, 4),
        SkinField("activefontcolor", &C::ActiveFontColor, 0, 5),
        SkinField("alignment", &C::Alignment, taCenter, 6),
        SkinField("textvalue", &C::TextValue, AnsiString(), 7),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinBitLabel::OwnFields() {
    using C = TskDataSkinBitLabel;
    static const TSkinFieldTable table = {
        SkinLinesField("symbols", &C::Symbols, 4),
        SkinField("textvalue", &C::TextValue, AnsiString(), 1),
        SkinField("symbolwidth", &C::SymbolWidth, 0, 2),
        SkinField("symbolheight", &C::SymbolHeight, 0, 3),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinTrackBar::OwnFields() {
    using C = TskDataSkinTrackBar;
    static const TSkinFieldTable table = {
        SkinField("buttonrect", &C::ButtonRect, TRect(), 1),
        SkinField("activebuttonrect", &C::ActiveButtonRect, TRect(), 2),
        SkinField("beginpoint", &C::BeginPoint, TPoint(), 3),
        SkinField("endpoint", &C::EndPoint, TPoint(), 4),
        SkinField("minvalue", &C::MinValue, 0, 5),
        SkinField("maxvalue", &C::MaxValue, 0, 6),
        SkinField("mousedownchangevalue", &C::MouseDownChangeValue, false, 7),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinGauge::OwnFields() {
    using C = TskDataSkinGauge;
    static const TSkinFieldTable table = {
        SkinField("minvalue", &C::MinValue, 0, 1),
        SkinField("maxvalue", &C::MaxValue, 0, 2),
        SkinField("kind", &C::Kind, gkHorizontal, 3),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinFrameGaugeObject::OwnFields() {
    using C = TskDataSkinFrameGaugeObject;
    static const TSkinFieldTable table = {
        SkinField("minvalue", &C::MinValue, 0, 1),
        SkinField("maxvalue", &C::MaxValue, 0, 2),
        SkinField("countframes", &C::CountFrames, 0, 3),
        SkinField("framesplacement", &C::FramesPlacement, fpHorizontal, 4),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinFrameRegulatorObject::OwnFields() {
    using C = TskDataSkinFrameRegulatorObject;
    static const TSkinFieldTable table = {
        SkinField("minvalue", &C::MinValue, 0, 1),
        SkinField("maxvalue", &C::MaxValue, 0, 2),
        SkinField("countframes", &C::CountFrames, 0, 3),
        SkinField("framesplacement", &C::FramesPlacement, fpHorizontal, 4),
        SkinField("kind", &C::Kind, rkRound, 5),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinAnimate::OwnFields() {
    using C = TskDataSkinAnimate;
    static const TSkinFieldTable table = {
        SkinField("countframes", &C::CountFrames, 1, 1),
        SkinField("cycle", &C::Cycle, false, 2),
        SkinField("buttonstyle", &C::ButtonStyle, false, 3),
        SkinField("timerinterval", &C::TimerInterval, 50, 4),
        SkinField("command", &C::Command, cmDefault, 5),
    };
    return table;
}

const TSkinFieldTable& TskDataUserObject::OwnFields() {
    using C = TskDataUserObject;
    static const TSkinFieldTable table = {
        SkinField("rollup", &C::RollUp, false, 1),
        SkinField("skinrect", &C::SkinRect, TRect(), 2),
        SkinField("cursorindex", &C::CursorIndex, -1, 3),
    };
    return table;
}

void TskDataSkinObject::GetFieldTables(TSkinFieldLevels& Levels) const {
    Levels.push_back(&OwnFields());
}

void TskDataSkinObject::LoadFromFile(TCustomIniFile* IniFile) {
    TSkinFieldLevels levels;
    GetFieldTables(levels);
    ReadSkinFields(this, levels, IniFile, IDName);
    Loaded();
}

void TskDataSkinObject::SaveToFile(TCustomIniFile* IniFile) {
    Saving();
    TSkinFieldLevels levels;
    GetFieldTables(levels);
    IniFile->EraseSection(IDName);
    WriteSkinFields(this, levels, IniFile, IDName);
}
