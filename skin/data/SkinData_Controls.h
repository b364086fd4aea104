// The records of skinned controls: the base classes, buttons, labels, panels and
// value controls. Each class reads and writes the keys of its field table.
#pragma once

#include "skin/data/SkinData_Fields.h"

// The base of every control record.
class TskDataSkinControl : public TObject {
    DECLARE_CLASS(TskDataSkinControl, TObject)
public:
    explicit TskDataSkinControl(const AnsiString& AIDName) : IDName(AIDName) {}

    // Reads the record's section (named IDName); a missing key gives the field's default.
    virtual void LoadFromFile(TCustomIniFile* IniFile);
    // Erases the section, then writes every field.
    virtual void SaveToFile(TCustomIniFile* IniFile);
    // The field tables of this record's classes, root first.
    virtual void GetFieldTables(TSkinFieldLevels& Levels) const;
    static const TSkinFieldTable& OwnFields();

    AnsiString IDName;
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    TRect SkinRect;
    int CursorIndex = -1;

protected:
    // Forced values, applied after loading and before saving.
    virtual void Loaded() {}
    virtual void Saving() {}
};

class TskDataSkinCustomControl : public TskDataSkinControl {
    DECLARE_SKIN_RECORD(TskDataSkinCustomControl, TskDataSkinControl)
public:
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ClRect;
};

class TskDataSkinButtonControl : public TskDataSkinCustomControl, public TskDataSkinFont<12> {
    DECLARE_SKIN_RECORD(TskDataSkinButtonControl, TskDataSkinCustomControl)
public:
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor DisabledFontColor = 0;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    TRect ActiveSkinRect;
    TRect DownSkinRect;
    TRect DisabledSkinRect;
};

class TskDataSkinMenuButtonControl : public TskDataSkinButtonControl {
    DECLARE_SKIN_RECORD(TskDataSkinMenuButtonControl, TskDataSkinButtonControl)
public:
    TRect TrackButtonRect;
};

class TskDataSkinCheckRadioControl : public TskDataSkinCustomControl, public TskDataSkinFont<12> {
    DECLARE_SKIN_RECORD(TskDataSkinCheckRadioControl, TskDataSkinCustomControl)
public:
    TColor ActiveFontColor = 0;
    TColor UnEnabledFontColor = 0;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    TRect ActiveSkinRect;
    TRect CheckImageArea;
    TRect TextArea;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
    TRect ActiveCheckImageRect;
    TRect ActiveUnCheckImageRect;
    TRect UnEnabledCheckImageRect;
    TRect UnEnabledUnCheckImageRect;
    TColor FrameFontColor = 0;
};

class TskDataSkinPanelControl : public TskDataSkinCustomControl, public TskDataSkinFont<12> {
    DECLARE_SKIN_RECORD(TskDataSkinPanelControl, TskDataSkinCustomControl)
public:
    TRect CaptionRect;
    TAlignment Alignment = taCenter;
    int BGPictureIndex = -1;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
};

class TskDataSkinExPanelControl : public TskDataSkinCustomControl, public TskDataSkinFont<12> {
    DECLARE_SKIN_RECORD(TskDataSkinExPanelControl, TskDataSkinCustomControl)
public:
    TRect RollHSkinRect;
    TRect RollVSkinRect;
    int RollLeftOffset = 0;
    int RollRightOffset = 0;
    int RollTopOffset = 0;
    int RollBottomOffset = 0;
    TRect RollVCaptionRect;
    TRect RollHCaptionRect;
    TRect CloseButtonRect;
    TRect CloseButtonActiveRect;
    TRect CloseButtonDownRect;
    TRect HRollButtonRect;
    TRect HRollButtonActiveRect;
    TRect HRollButtonDownRect;
    TRect HRestoreButtonRect;
    TRect HRestoreButtonActiveRect;
    TRect HRestoreButtonDownRect;
    TRect VRollButtonRect;
    TRect VRollButtonActiveRect;
    TRect VRollButtonDownRect;
    TRect VRestoreButtonRect;
    TRect VRestoreButtonActiveRect;
    TRect VRestoreButtonDownRect;
    TRect CaptionRect;
};

class TskDataSkinLabelControl : public TskDataSkinCustomControl, public TskDataSkinFont<12> {
    DECLARE_SKIN_RECORD(TskDataSkinLabelControl, TskDataSkinCustomControl)
public:
};

class TskDataSkinStdLabelControl : public TskDataSkinControl, public TskDataSkinFont<12> {
    DECLARE_SKIN_RECORD(TskDataSkinStdLabelControl, TskDataSkinControl)
public:
    TColor ActiveFontColor = 16711680;
};

class TskDataSkinBitLabelControl : public TskDataSkinCustomControl {
    DECLARE_SKIN_RECORD(TskDataSkinBitLabelControl, TskDataSkinCustomControl)
public:
    TRect SkinTextRect;
    int SymbolWidth = 0;
    int SymbolHeight = 0;
    TStringList* Symbols = new TStringList;
    ~TskDataSkinBitLabelControl() override { delete Symbols; }
};

class TskDataSkinGaugeControl : public TskDataSkinCustomControl, public TskDataSkinFont<14> {
    DECLARE_SKIN_RECORD(TskDataSkinGaugeControl, TskDataSkinCustomControl)
public:
    TRect ProgressArea;
    TRect ProgressRect;
    bool Vertical = false;
    int BeginOffset = 0;
    int EndOffset = 0;
};

class TskDataSkinTrackBarControl : public TskDataSkinCustomControl {
    DECLARE_SKIN_RECORD(TskDataSkinTrackBarControl, TskDataSkinCustomControl)
public:
    TRect TrackArea;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    bool Vertical = false;
};

class TskDataSkinScrollBarControl : public TskDataSkinCustomControl,
                                    public TskDataSkinUpDownButtons {
    DECLARE_SKIN_RECORD(TskDataSkinScrollBarControl, TskDataSkinCustomControl)
public:
    TRect TrackArea;
    TRect ThumbRect;
    TRect ActiveThumbRect;
    TRect DownThumbRect;
    int ThumbOffset1 = 0;
    int ThumbOffset2 = 0;
    TRect GlyphRect;
    TRect ActiveGlyphRect;
    TRect DownGlyphRect;
};

class TskDataSkinSlider : public TskDataSkinControl {
    DECLARE_SKIN_RECORD(TskDataSkinSlider, TskDataSkinControl)
public:
    TRect HRulerRect;
    TRect HThumbRect;
    TRect VRulerRect;
    TRect VThumbRect;
    int EdgeSize = 0;
    TColor BGColor = 0;
    TColor PointsColor = 0;
};

class TskDataSkinBevel : public TskDataSkinControl {
    DECLARE_SKIN_RECORD(TskDataSkinBevel, TskDataSkinControl)
public:
    TColor LightColor = 0;
    TColor DarkColor = 0;
};

class TskDataSkinUpDownControl : public TskDataSkinCustomControl, public TskDataSkinUpDownButtons {
    DECLARE_SKIN_RECORD(TskDataSkinUpDownControl, TskDataSkinCustomControl)
public:
protected:
    // The up-down record never has corner points or a client rectangle.
    void Loaded() override { ClearGeometry(); }
    void Saving() override { ClearGeometry(); }

private:
    void ClearGeometry() {
        LTPoint = RTPoint = LBPoint = RBPoint = TPoint();
        ClRect = TRect();
    }
};

class TskDataSkinSplitterControl : public TskDataSkinCustomControl {
    DECLARE_SKIN_KIND(TskDataSkinSplitterControl, TskDataSkinCustomControl)
};

class TskDataSkinFrameControl : public TskDataSkinControl {
    DECLARE_SKIN_RECORD(TskDataSkinFrameControl, TskDataSkinControl)
public:
    int FramesCount = 1;
    TFramesPlacement FramesPlacement = fpHorizontal;

protected:
    void Loaded() override { FramesCount = FramesCount < 1 ? 1 : FramesCount; }
};

class TskDataSkinFrameRegulator : public TskDataSkinFrameControl {
    DECLARE_SKIN_RECORD(TskDataSkinFrameRegulator, TskDataSkinFrameControl)
public:
    TRegulatorKind Kind = rkRound;
};

class TskDataSkinFrameGauge : public TskDataSkinFrameControl {
    DECLARE_SKIN_KIND(TskDataSkinFrameGauge, TskDataSkinFrameControl)
};

class TskDataSkinAnimateControl : public TskDataSkinFrameControl {
    DECLARE_SKIN_KIND(TskDataSkinAnimateControl, TskDataSkinFrameControl)
};

class TskDataSkinSwitchControl : public TskDataSkinFrameControl {
    DECLARE_SKIN_KIND(TskDataSkinSwitchControl, TskDataSkinFrameControl)
};

class TskDataSkinControlBar : public TskDataSkinCustomControl {
    DECLARE_SKIN_RECORD(TskDataSkinControlBar, TskDataSkinCustomControl)
public:
    TRect ItemRect;
    int BGPictureIndex = -1;
};

class TskDataSkinScrollBoxControl : public TskDataSkinCustomControl {
    DECLARE_SKIN_RECORD(TskDataSkinScrollBoxControl, TskDataSkinCustomControl)
public:
    int BGPictureIndex = -1;
};
