#include "skin/data/SkinData_Windows.h"

const TSkinFieldTable& TskDataSkinPopupWindow::OwnFields() {
    using C = TskDataSkinPopupWindow;
    static const TSkinFieldTable table = {
        SkinField("windowpictureindex", &C::WindowPictureIndex, -1, 1),
        SkinField("maskpictureindex", &C::MaskPictureIndex, -1, 2),
        SkinField("lefttoppoint", &C::LTPoint, TPoint(), 3),
        SkinField("righttoppoint", &C::RTPoint, TPoint(), 4),
        SkinField("leftbottompoint", &C::LBPoint, TPoint(), 5),
        SkinField("rightbottompoint", &C::RBPoint, TPoint(), 6),
        SkinField("itemsrect", &C::ItemsRect, TRect(), 7),
        SkinField("scrollmarkercolor", &C::ScrollMarkerColor, 0, 9),
        SkinField("scrollmarkeractivecolor", &C::ScrollMarkerActiveColor, 0, 10),
        SkinField("cursorindex", &C::CursorIndex, -1, 8),
    };
    return table;
}

void TskDataSkinPopupWindow::LoadFromFile(TCustomIniFile* IniFile) {
    ReadSkinFields(this, {&OwnFields()}, IniFile, Section);
}

void TskDataSkinPopupWindow::SaveToFile(TCustomIniFile* IniFile) {
    IniFile->EraseSection(Section);
    WriteSkinFields(this, {&OwnFields()}, IniFile, Section);
}

const TSkinFieldTable& TskDataSkinHintWindow::OwnFields() {
    using C = TskDataSkinHintWindow;
    static const TSkinFieldTable table = {
        SkinField("windowpictureindex", &C::WindowPictureIndex, -1, 1),
        SkinField("maskpictureindex", &C::MaskPictureIndex, -1, 2),
        SkinField("lefttoppoint", &C::LTPoint, TPoint(), 3),
        SkinField("righttoppoint", &C::RTPoint, TPoint(), 4),
        SkinField("leftbottompoint", &C::LBPoint, TPoint(), 5),
        SkinField("rightbottompoint", &C::RBPoint, TPoint(), 6),
        SkinField("clientrect", &C::ClRect, TRect(), 7),
        SkinField("fontname", &C::FontName, AnsiString("Arial"), 8),
        SkinField("fontstyle", &C::FontStyle, TFontStyles(), 10),
        SkinField("fontheight", &C::FontHeight, 14, 9),
        SkinField("fontcolor", &C::FontColor, 0, 11),
    };
    return table;
}

void TskDataSkinHintWindow::LoadFromFile(TCustomIniFile* IniFile) {
    ReadSkinFields(this, {&OwnFields()}, IniFile, Section);
}

void TskDataSkinHintWindow::SaveToFile(TCustomIniFile* IniFile) {
    IniFile->EraseSection(Section);
    WriteSkinFields(this, {&OwnFields()}, IniFile, Section);
}
