// The records of the skinned popup-menu window and hint window: one fixed section each.
#pragma once

#include "skin/data/SkinData_Fields.h"

class TskDataSkinPopupWindow : public TObject {
    DECLARE_CLASS(TskDataSkinPopupWindow, TObject)
public:
    static constexpr const char* Section = "POPUPWINDOW";
    static const TSkinFieldTable& OwnFields();

    // Every key, with its default when absent.
    void LoadFromFile(TCustomIniFile* IniFile);
    // Erases the section, then writes every key.
    void SaveToFile(TCustomIniFile* IniFile);

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ItemsRect;
    TColor ScrollMarkerColor = 0;
    TColor ScrollMarkerActiveColor = 0;
    int CursorIndex = -1;
};

class TskDataSkinHintWindow : public TObject {
    DECLARE_CLASS(TskDataSkinHintWindow, TObject)
public:
    static constexpr const char* Section = "HINTWINDOW";
    static const TSkinFieldTable& OwnFields();

    // Every key, with its default when absent.
    void LoadFromFile(TCustomIniFile* IniFile);
    // Erases the section, then writes every key.
    void SaveToFile(TCustomIniFile* IniFile);

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ClRect;
    AnsiString FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 12;
    TColor FontColor = 0;
};
