#include "skin/data/SkinData_Controls.h"

const TSkinFieldTable& TskDataSkinControl::OwnFields() {
    using C = TskDataSkinControl;
    static const TSkinFieldTable table = {
        SkinField("pictureindex", &C::PictureIndex, -1, 1),
        SkinField("maskpictureindex", &C::MaskPictureIndex, -1, 2),
        SkinField("skinrect", &C::SkinRect, TRect(), 4),
        SkinField("cursorindex", &C::CursorIndex, -1, 3),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinCustomControl::OwnFields() {
    using C = TskDataSkinCustomControl;
    static const TSkinFieldTable table = {
        SkinField("lefttoppoint", &C::LTPoint, TPoint(), 1),
        SkinField("righttoppoint", &C::RTPoint, TPoint(), 2),
        SkinField("leftbottompoint", &C::LBPoint, TPoint(), 3),
        SkinField("rightbottompoint", &C::RBPoint, TPoint(), 4),
        SkinField("clientrect", &C::ClRect, TRect(), 5),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinButtonControl::OwnFields() {
    using C = TskDataSkinButtonControl;
    static const TSkinFieldTable table = WithSkinFont<C>(
        {
            SkinField("activefontcolor", &C::ActiveFontColor, 0, 5),
            SkinField("downfontcolor", &C::DownFontColor, 0, 6),
            SkinField("disabledfontcolor", &C::DisabledFontColor, 0, 7),
            SkinField("morphing", &C::Morphing, false, 8),
            SkinField("morphkind", &C::MorphKind, mkDefault, 9),
            SkinField("activeskinrect", &C::ActiveSkinRect, TRect(), 10),
            SkinField("downskinrect", &C::DownSkinRect, TRect(), 11),
            SkinField("disabledskinrect", &C::DisabledSkinRect, TRect(), 12),
        },
        1);
    return table;
}

const TSkinFieldTable& TskDataSkinMenuButtonControl::OwnFields() {
    using C = TskDataSkinMenuButtonControl;
    static const TSkinFieldTable table = {
        SkinField("trackbuttonrect", &C::TrackButtonRect, TRect(), 1),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinCheckRadioControl::OwnFields() {
    using C = TskDataSkinCheckRadioControl;
    static const TSkinFieldTable table = WithSkinFont<C>(
        {
            SkinField("activefontcolor", &C::ActiveFontColor, 0, 5),
            SkinField("unenabledfontcolor", &C::UnEnabledFontColor, 0, 6),
            SkinField("morphing", &C::Morphing, false, 8),
            SkinField("morphkind", &C::MorphKind, mkDefault, 9),
            SkinField("activeskinrect", &C::ActiveSkinRect, TRect(), 10),
            SkinField("checkimagearea", &C::CheckImageArea, TRect(), 11),
            SkinField("textarea", &C::TextArea, TRect(), 12),
            SkinField("checkimagerect", &C::CheckImageRect, TRect(), 13),
            SkinField("uncheckimagerect", &C::UnCheckImageRect, TRect(), 14),
            SkinField("activecheckimagerect", &C::ActiveCheckImageRect, TRect(), 15),
            SkinField("activeuncheckimagerect", &C::ActiveUnCheckImageRect, TRect(), 16),
            SkinField("unenabledcheckimagerect", &C::UnEnabledCheckImageRect, TRect(), 17),
            SkinField("unenableduncheckimagerect", &C::UnEnabledUnCheckImageRect, TRect(), 18),
            SkinField("framefontcolor", &C::FrameFontColor, 0, 7),
        },
        1);
    return table;
}

const TSkinFieldTable& TskDataSkinPanelControl::OwnFields() {
    using C = TskDataSkinPanelControl;
    static const TSkinFieldTable table = WithSkinFont<C>(
        {
            SkinField("captionrect", &C::CaptionRect, TRect(), 2),
            SkinField("alignment", &C::Alignment, taCenter, 3),
            SkinField("bgpictureindex", &C::BGPictureIndex, -1, 1),
            SkinField("checkimagerect", &C::CheckImageRect, TRect(), 8),
            SkinField("uncheckimagerect", &C::UnCheckImageRect, TRect(), 9),
        },
        4);
    return table;
}

const TSkinFieldTable& TskDataSkinExPanelControl::OwnFields() {
    using C = TskDataSkinExPanelControl;
    static const TSkinFieldTable table = WithSkinFont<C>(
        {
            SkinField("rollhskinrect", &C::RollHSkinRect, TRect(), 1),
            SkinField("rollvskinrect", &C::RollVSkinRect, TRect(), 2),
            SkinField("rollleftoffset", &C::RollLeftOffset, 0, 3),
            SkinField("rollrightoffset", &C::RollRightOffset, 0, 4),
            SkinField("rolltopoffset", &C::RollTopOffset, 0, 5),
            SkinField("rollbottomoffset", &C::RollBottomOffset, 0, 6),
            SkinField("rollvcaptionrect", &C::RollVCaptionRect, TRect(), 7),
            SkinField("rollhcaptionrect", &C::RollHCaptionRect, TRect(), 8),
            SkinField("closebuttonrect", &C::CloseButtonRect, TRect(), 9),
            SkinField("closebuttonactiverect", &C::CloseButtonActiveRect, TRect(), 10),
            SkinField("closebuttondownrect", &C::CloseButtonDownRect, TRect(), 11),
            SkinField("hrollbuttonrect", &C::HRollButtonRect, TRect(), 12),
            SkinField("hrollbuttonactiverect", &C::HRollButtonActiveRect, TRect(), 13),
            SkinField("hrollbuttondownrect", &C::HRollButtonDownRect, TRect(), 14),
            SkinField("hrestorebuttonrect", &C::HRestoreButtonRect, TRect(), 15),
            SkinField("hrestorebuttonactiverect", &C::HRestoreButtonActiveRect, TRect(), 16),
            SkinField("hrestorebuttondownrect", &C::HRestoreButtonDownRect, TRect(), 17),
            SkinField("vrollbuttonrect", &C::VRollButtonRect, TRect(), 18),
            SkinField("vrollbuttonactiverect", &C::VRollButtonActiveRect, TRect(), 19),
            SkinField("vrollbuttondownrect", &C::VRollButtonDownRect, TRect(), 20),
            SkinField("vrestorebuttonrect", &C::VRestoreButtonRect, TRect(), 21),
            SkinField("vrestorebuttonactiverect", &C::VRestoreButtonActiveRect, TRect(), 22),
            SkinField("vrestorebuttondownrect", &C::VRestoreButtonDownRect, TRect(), 23),
            SkinField("captionrect", &C::CaptionRect, TRect(), 24),
        },
        25);
    return table;
}

const TSkinFieldTable& TskDataSkinLabelControl::OwnFields() {
    using C = TskDataSkinLabelControl;
    static const TSkinFieldTable table = WithSkinFont<C>({}, 1);
    return table;
}

const TSkinFieldTable& TskDataSkinStdLabelControl::OwnFields() {
    using C = TskDataSkinStdLabelControl;
    static const TSkinFieldTable table = WithSkinFont<C>(
        {
            SkinField("activefontcolor", &C::ActiveFontColor, 16711680, 5),
        },
        1);
    return table;
}

const TSkinFieldTable& TskDataSkinBitLabelControl::OwnFields() {
    using C = TskDataSkinBitLabelControl;
    static const TSkinFieldTable table = {
        SkinField("skintextrect", &C::SkinTextRect, TRect(), 1),
        SkinField("symbolwidth", &C::SymbolWidth, 0, 2),
        SkinField("symbolheight", &C::SymbolHeight, 0, 3),
        SkinLinesField("symbols", &C::Symbols, 4),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinGaugeControl::OwnFields() {
    using C = TskDataSkinGaugeControl;
    static const TSkinFieldTable table = WithSkinFont<C>(
        {
            SkinField("progressarea", &C::ProgressArea, TRect(), 1),
            SkinField("progressrect", &C::ProgressRect, TRect(), 2),
            SkinField("vertical", &C::Vertical, false, 5),
            SkinField("beginoffset", &C::BeginOffset, 0, 3),
            SkinField("endoffset", &C::EndOffset, 0, 4),
        },
        6);
    return table;
}

const TSkinFieldTable& TskDataSkinTrackBarControl::OwnFields() {
    using C = TskDataSkinTrackBarControl;
    static const TSkinFieldTable table = {
        SkinField("trackarea", &C::TrackArea, TRect(), 1),
        SkinField("buttonrect", &C::ButtonRect, TRect(), 2),
        SkinField("activebuttonrect", &C::ActiveButtonRect, TRect(), 3),
        SkinField("vertical", &C::Vertical, false, 4),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinScrollBarControl::OwnFields() {
    using C = TskDataSkinScrollBarControl;
    static const TSkinFieldTable table = WithUpDownButtons<C>(
        {
            SkinField("trackarea", &C::TrackArea, TRect(), 1),
            SkinField("thumbrect", &C::ThumbRect, TRect(), 8),
            SkinField("activethumbrect", &C::ActiveThumbRect, TRect(), 9),
            SkinField("downthumbrect", &C::DownThumbRect, TRect(), 10),
            SkinField("thumboffset1", &C::ThumbOffset1, 0, 11),
            SkinField("thumboffset2", &C::ThumbOffset2, 0, 12),
            SkinField("glyphrect", &C::GlyphRect, TRect(), 13),
            SkinField("activeglyphrect", &C::ActiveGlyphRect, TRect(), 14),
            SkinField("downglyphrect", &C::DownGlyphRect, TRect(), 15),
        },
        2);
    return table;
}

const TSkinFieldTable& TskDataSkinSlider::OwnFields() {
    using C = TskDataSkinSlider;
    static const TSkinFieldTable table = {
        SkinField("hrulerrect", &C::HRulerRect, TRect(), 2),
        SkinField("hthumbrect", &C::HThumbRect, TRect(), 3),
        SkinField("vrulerrect", &C::VRulerRect, TRect(), 4),
        SkinField("vthumbrect", &C::VThumbRect, TRect(), 5),
        SkinField("edgesize", &C::EdgeSize, 0, 6),
        SkinField("bgcolor", &C::BGColor, 0, 1),
        SkinField("pointscolor", &C::PointsColor, 0, 7),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinBevel::OwnFields() {
    using C = TskDataSkinBevel;
    static const TSkinFieldTable table = {
        SkinField("lightcolor", &C::LightColor, 0, 1),
        SkinField("darkcolor", &C::DarkColor, 0, 2),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinUpDownControl::OwnFields() {
    using C = TskDataSkinUpDownControl;
    static const TSkinFieldTable table = WithUpDownButtons<C>({}, 1);
    return table;
}

const TSkinFieldTable& TskDataSkinFrameControl::OwnFields() {
    using C = TskDataSkinFrameControl;
    static const TSkinFieldTable table = {
        SkinField("framescount", &C::FramesCount, 1, 1),
        SkinField("framesplacement", &C::FramesPlacement, fpHorizontal, 2),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinFrameRegulator::OwnFields() {
    using C = TskDataSkinFrameRegulator;
    static const TSkinFieldTable table = {
        SkinField("kind", &C::Kind, rkRound, 1),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinControlBar::OwnFields() {
    using C = TskDataSkinControlBar;
    static const TSkinFieldTable table = {
        SkinField("itemrect", &C::ItemRect, TRect(), 1),
        SkinField("bgpictureindex", &C::BGPictureIndex, -1, 2),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinScrollBoxControl::OwnFields() {
    using C = TskDataSkinScrollBoxControl;
    static const TSkinFieldTable table = {
        SkinField("bgpictureindex", &C::BGPictureIndex, -1, 1),
    };
    return table;
}

void TskDataSkinControl::GetFieldTables(TSkinFieldLevels& Levels) const {
    Levels.push_back(&OwnFields());
}

void TskDataSkinControl::LoadFromFile(TCustomIniFile* IniFile) {
    TSkinFieldLevels levels;
    GetFieldTables(levels);
    ReadSkinFields(this, levels, IniFile, IDName);
    Loaded();
}

void TskDataSkinControl::SaveToFile(TCustomIniFile* IniFile) {
    Saving();
    TSkinFieldLevels levels;
    GetFieldTables(levels);
    IniFile->EraseSection(IDName);
    WriteSkinFields(this, levels, IniFile, IDName);
}
