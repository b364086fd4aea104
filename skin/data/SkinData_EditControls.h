// The records of skinned edits, lists, views, tabs, the grid and the main menu bar.
#pragma once

#include "skin/data/SkinData_Controls.h"

class TskDataSkinEditControl : public TskDataSkinCustomControl, public TskDataSkinFont<12> {
    DECLARE_SKIN_RECORD(TskDataSkinEditControl, TskDataSkinCustomControl)
public:
    TRect ActiveSkinRect;
    TColor DisabledFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;
};

class TskDataSkinMemoControl : public TskDataSkinEditControl {
    DECLARE_SKIN_RECORD(TskDataSkinMemoControl, TskDataSkinEditControl)
public:
    TColor BGColor = 0;
    TColor ActiveBGColor = 0;
};

class TskDataSkinSpinEditControl : public TskDataSkinCustomControl,
                                   public TskDataSkinFont<12>,
                                   public TskDataSkinUpDownButtons {
    DECLARE_SKIN_RECORD(TskDataSkinSpinEditControl, TskDataSkinCustomControl)
public:
};

class TskDataSkinListBox : public TskDataSkinCustomControl,
                           public TskDataSkinFont<14>,
                           public TskDataSkinUpDownButtons {
    DECLARE_SKIN_RECORD(TskDataSkinListBox, TskDataSkinCustomControl)
public:
    TRect ItemRect;
    TRect ActiveItemRect;
    TRect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TRect CaptionRect;
    AnsiString CaptionFontName = "Arial";
    TFontStyles CaptionFontStyle;
    int CaptionFontHeight = 14;
    TColor CaptionFontColor = 0;
    TRect CheckButtonRect;
    TRect ActiveCheckButtonRect;
    TRect DownCheckButtonRect;
    AnsiString HScrollBarName;
    AnsiString VScrollBarName;
    AnsiString BothHScrollBarName;
};

class TskDataSkinCheckListBox : public TskDataSkinListBox {
    DECLARE_SKIN_RECORD(TskDataSkinCheckListBox, TskDataSkinListBox)
public:
    TRect UnCheckImageRect;
    TRect CheckImageRect;
    TRect ItemCheckRect;
};

class TskDataSkinComboBox : public TskDataSkinCustomControl, public TskDataSkinFont<14> {
    DECLARE_SKIN_RECORD(TskDataSkinComboBox, TskDataSkinCustomControl)
public:
    TRect ItemRect;
    TRect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect;
    TColor FocusFontColor = 0;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;
    AnsiString ListBoxName;
};

class TskDataSkinTreeView : public TskDataSkinControl, public TskDataSkinFont<14> {
    DECLARE_SKIN_RECORD(TskDataSkinTreeView, TskDataSkinControl)
public:
    TColor BGColor = 16777215;
};

class TskDataSkinListView : public TskDataSkinControl, public TskDataSkinFont<14> {
    DECLARE_SKIN_RECORD(TskDataSkinListView, TskDataSkinControl)
public:
    TColor BGColor = 16777215;
};

class TskDataSkinRichEdit : public TskDataSkinControl, public TskDataSkinFont<14> {
    DECLARE_SKIN_RECORD(TskDataSkinRichEdit, TskDataSkinControl)
public:
    TColor BGColor = 16777215;
};

class TskDataSkinTabControl : public TskDataSkinControl, public TskDataSkinFont<14> {
    DECLARE_SKIN_RECORD(TskDataSkinTabControl, TskDataSkinControl)
public:
    TRect TabRect;
    TRect ActiveTabRect;
    TRect FocusTabRect;
    TRect MouseInTabRect;
    TRect ClRect;
    TRect TabsBGRect;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    int TabLeftOffset = 0;
    int TabRightOffset = 0;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TColor MouseInFontColor = 0;
    AnsiString UpDown;
    int BGPictureIndex = -1;
};

class TskDataSkinGridControl : public TskDataSkinControl, public TskDataSkinFont<14> {
    DECLARE_SKIN_RECORD(TskDataSkinGridControl, TskDataSkinControl)
public:
    TRect FixedCellRect;
    TRect SelectCellRect;
    TRect FocusCellRect;
    int FixedCellLeftOffset = 0;
    int FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    int CellLeftOffset = 0;
    int CellRightOffset = 0;
    TRect CellTextRect;
    TColor LinesColor = 0;
    TColor BGColor = 0;
    int BGPictureIndex = -1;
    TColor SelectFontColor = 0;
    TColor FocusFontColor = 0;
    AnsiString FixedFontName = "Arial";
    TFontStyles FixedFontStyle;
    int FixedFontHeight = 14;
    TColor FixedFontColor = 0;
};

class TskDataSkinMainMenuBar : public TskDataSkinControl {
    DECLARE_SKIN_RECORD(TskDataSkinMainMenuBar, TskDataSkinControl)
public:
    TRect ItemsRect;
    AnsiString MenuBarItem;
    AnsiString CloseButton;
    AnsiString MaxButton;
    AnsiString MinButton;
    AnsiString SysMenuButton;
    TColor TrackMarkColor = 0;
    TColor TrackMarkActiveColor = 0;
};
