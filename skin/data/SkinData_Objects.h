// The records of the objects a skin places on a skinned form, and the skin areas.
#pragma once

#include "skin/data/SkinData_Fields.h"

// The base of every form-object record.
class TskDataSkinObject : public TObject {
    DECLARE_CLASS(TskDataSkinObject, TObject)
public:
    explicit TskDataSkinObject(const AnsiString& AIDName) : IDName(AIDName) {}

    // Reads the record's section (named IDName); a missing key gives the field's default.
    virtual void LoadFromFile(TCustomIniFile* IniFile);
    // Erases the section, then writes every field.
    virtual void SaveToFile(TCustomIniFile* IniFile);
    // The field tables of this record's classes, root first.
    virtual void GetFieldTables(TSkinFieldLevels& Levels) const;
    static const TSkinFieldTable& OwnFields();

    AnsiString IDName;
    AnsiString Hint;
    bool SkinRectInAPicture = false;
    TRect SkinRect;
    TRect ActiveSkinRect;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    int ActivePictureIndex = -1;
    int CursorIndex = -1;
    bool RollUp = false;

protected:
    // Forced values, applied after loading and before saving.
    virtual void Loaded() {}
    virtual void Saving() {}
};

class TskDataSkinButton : public TskDataSkinObject {
    DECLARE_SKIN_RECORD(TskDataSkinButton, TskDataSkinObject)
public:
    int GroupIndex = -1;
    TRect DownRect;
    TRect DisabledSkinRect;
};

class TskDataSkinStdButton : public TskDataSkinButton {
    DECLARE_SKIN_RECORD(TskDataSkinStdButton, TskDataSkinButton)
public:
    TStdCommand Command = cmClose;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
};

class TskDataSkinMainMenuBarButton : public TskDataSkinStdButton {
    DECLARE_SKIN_KIND(TskDataSkinMainMenuBarButton, TskDataSkinStdButton)
};

class TskDataSkinCaption : public TskDataSkinObject {
    DECLARE_SKIN_RECORD(TskDataSkinCaption, TskDataSkinObject)
public:
    AnsiString FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    bool Shadow = false;
    TAlignment Alignment = taLeftJustify;
    TRect TextRect;
    bool DefaultCaption = false;
    TRect FrameRect;
    TRect ActiveFrameRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect FrameTextRect;
};

class TskDataSkinMenuItem : public TskDataSkinObject {
    DECLARE_SKIN_RECORD(TskDataSkinMenuItem, TskDataSkinObject)
public:
    TRect DividerRect;
    int DividerLeftOffset = 0;
    int DividerRightOffset = 0;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    AnsiString FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    TColor UnEnabledFontColor = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TRect TextRect;
};

class TskDataSkinMainMenuItem : public TskDataSkinObject {
    DECLARE_SKIN_RECORD(TskDataSkinMainMenuItem, TskDataSkinObject)
public:
    TRect DownRect;
    AnsiString FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor UnEnabledFontColor = 0;
    TRect TextRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
};

class TskDataSkinMainMenuBarItem : public TskDataSkinMainMenuItem {
    DECLARE_SKIN_KIND(TskDataSkinMainMenuBarItem, TskDataSkinMainMenuItem)
};

class TskDataSkinLabel : public TskDataSkinObject {
    DECLARE_SKIN_RECORD(TskDataSkinLabel, TskDataSkinObject)
public:
    AnsiString FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TAlignment Alignment = taLeftJustify;
    AnsiString TextValue;
};

class TskDataSkinBitLabel : public TskDataSkinObject {
    DECLARE_SKIN_RECORD(TskDataSkinBitLabel, TskDataSkinObject)
public:
    TStringList* Symbols = new TStringList;
    AnsiString TextValue;
    int SymbolWidth = 0;
    int SymbolHeight = 0;
    ~TskDataSkinBitLabel() override { delete Symbols; }

protected:
    void Loaded() override { Morphing = false; }
};

class TskDataSkinTrackBar : public TskDataSkinObject {
    DECLARE_SKIN_RECORD(TskDataSkinTrackBar, TskDataSkinObject)
public:
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TPoint BeginPoint;
    TPoint EndPoint;
    int MinValue = 0;
    int MaxValue = 0;
    bool MouseDownChangeValue = false;

protected:
    void Loaded() override { Morphing = false; }
};

class TskDataSkinGauge : public TskDataSkinObject {
    DECLARE_SKIN_RECORD(TskDataSkinGauge, TskDataSkinObject)
public:
    int MinValue = 0;
    int MaxValue = 0;
    TGaugeKind Kind = gkHorizontal;
};

class TskDataSkinFrameGaugeObject : public TskDataSkinObject {
    DECLARE_SKIN_RECORD(TskDataSkinFrameGaugeObject, TskDataSkinObject)
public:
    int MinValue = 0;
    int MaxValue = 0;
    int CountFrames = 0;
    TFramesPlacement FramesPlacement = fpHorizontal;
};

class TskDataSkinFrameRegulatorObject : public TskDataSkinObject {
    DECLARE_SKIN_RECORD(TskDataSkinFrameRegulatorObject, TskDataSkinObject)
public:
    int MinValue = 0;
    int MaxValue = 0;
    int CountFrames = 0;
    TFramesPlacement FramesPlacement = fpHorizontal;
    TRegulatorKind Kind = rkRound;
};

class TskDataSkinAnimate : public TskDataSkinObject {
    DECLARE_SKIN_RECORD(TskDataSkinAnimate, TskDataSkinObject)
public:
    int CountFrames = 0;
    bool Cycle = false;
    bool ButtonStyle = false;
    int TimerInterval = 0;
    TStdCommand Command = cmClose;

protected:
    void Loaded() override { Morphing = false; }
};

class TskDataSkinSwitch : public TskDataSkinObject {
    DECLARE_SKIN_KIND(TskDataSkinSwitch, TskDataSkinObject)
};

// Described only by its roll-up flag, rectangle and cursor: its table replaces the
// base's, and the other fields keep their constructor values.
class TskDataUserObject : public TskDataSkinObject {
    DECLARE_CLASS(TskDataUserObject, TskDataSkinObject)
public:
    using TskDataSkinObject::TskDataSkinObject;
    static const TSkinFieldTable& OwnFields();
    void GetFieldTables(TSkinFieldLevels& Levels) const override { Levels.push_back(&OwnFields()); }
};

// One entry of the area list: a name and a rectangle, kept by the skin data object.
class TskDataSkinArea : public TObject {
    DECLARE_CLASS(TskDataSkinArea, TObject)
public:
    TskDataSkinArea(const AnsiString& AIDName, const TRect& AAreaRect)
        : IDName(AIDName), AreaRect(AAreaRect) {}

    AnsiString IDName;
    TRect AreaRect;
};
