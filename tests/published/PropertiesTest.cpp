// The published classes of the four libraries against the properties each one is meant to
// publish: every listed property a class publishes is given a value of its own, written
// to a form text, read into a new form and compared; the properties a class does not
// publish (yet) are the ones in its gap list, and no others.
#include "bitmap32/Bmp32_Image.h"
#include "bitmap32/Bmp32_ImageView.h"
#include "bitmap32/Bmp32_RangeBars.h"
#include "grid/gclbase.h"
#include "grid/gclbcalc.h"
#include "grid/gclcalc.h"
#include "grid/gcledclc.h"
#include "grid/gcleditf.h"
#include "grid/gcltable.h"
#include "grid/gcltcbmp.h"
#include "grid/gcltchdr.h"
#include "grid/gcltcstr.h"
#include "skin/boxctrls/SkinBoxCtrls_ComboBoxes.h"
#include "skin/boxctrls/SkinBoxCtrls_DateEdits.h"
#include "skin/boxctrls/SkinBoxCtrls_Edits.h"
#include "skin/boxctrls/SkinBoxCtrls_ListBoxes.h"
#include "skin/boxctrls/SkinBoxCtrls_Memos.h"
#include "skin/boxctrls/SkinBoxCtrls_PasswordEdits.h"
#include "skin/boxctrls/SkinBoxCtrls_ScrollBoxes.h"
#include "skin/boxctrls/SkinBoxCtrls_SpinEdit.h"
#include "skin/controls/SkinCtrls_UpDown.h"
#include "skin/boxctrls/SkinBoxCtrls_TimeEdits.h"
#include "skin/boxctrls/SkinBoxCtrls_TrackEdits.h"
#include "skin/boxctrls/skSkinShellCtrls_Dialogs.h"
#include "skin/boxctrls/skSkinShellCtrls_DirTree.h"
#include "skin/boxctrls/skSkinShellCtrls_DriveCombo.h"
#include "skin/boxctrls/skSkinShellCtrls_FileEdits.h"
#include "skin/boxctrls/skSkinShellCtrls_FileList.h"
#include "skin/boxctrls/skSkinShellCtrls_FolderDialog.h"
#include "skin/boxctrls/skSkinShellCtrls_PictureDialogs.h"
#include "skin/boxctrls/skfilectrl_Combos.h"
#include "skin/boxctrls/skfilectrl_DirList.h"
#include "skin/boxctrls/skfilectrl_FileList.h"
#include "skin/controls/SkinCtrls_Bevels.h"
#include "skin/controls/SkinCtrls_ButtonGroups.h"
#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_ButtonsBars.h"
#include "skin/controls/SkinCtrls_ControlBars.h"
#include "skin/controls/SkinCtrls_CheckRadio.h"
#include "skin/controls/SkinCtrls_ExPanels.h"
#include "skin/controls/SkinCtrls_FrameStrips.h"
#include "skin/controls/SkinCtrls_Gauges.h"
#include "skin/controls/SkinCtrls_ImageButtons.h"
#include "skin/controls/SkinCtrls_Headers.h"
#include "skin/controls/SkinCtrls_Labels.h"
#include "skin/controls/SkinCtrls_MenuButtons.h"
#include "skin/controls/SkinCtrls_Notebooks.h"
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/controls/SkinCtrls_RichEdits.h"
#include "skin/controls/SkinCtrls_ScrollBars.h"
#include "skin/controls/SkinCtrls_Sliders.h"
#include "skin/controls/SkinCtrls_SpeedButtons.h"
#include "skin/controls/SkinCtrls_TextLabels.h"
#include "skin/controls/SkinCtrls_StatusPanels.h"
#include "skin/controls/SkinCtrls_ToolBars.h"
#include "skin/controls/SkinCtrls_TrackBars.h"
#include "skin/controls/SkinCtrls_Views.h"
#include "skin/controls/SkinTabs.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinData_Compressed.h"
#include "skin/data/SkinData_Stored.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinForm_MenuBar.h"
#include "skin/form/SkinMenus.h"
#include "skin/form/skMessages.h"

#include "classlib/ClassRegistry.h"
#include "classlib/FormLoader.h"
#include "classlib/Forms.h"
#include "classlib/Persistence.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TClassProperties {
    const char* Class;
    std::vector<const char*> Properties;
    // Listed properties the class does not publish yet.
    std::vector<const char*> Gaps;
};

// The skinned controls' common properties.
const std::vector<const char*> SkinControl = {
    "Anchors",  "TabOrder",     "Visible",      "DrawDefault",     "SkinData",      "AreaName",
    "SkinDataName", "OnMouseEnter", "OnMouseLeave", "AlphaBlend", "AlphaBlendValue", "UseSkinCursor"};
const std::vector<const char*> SkinCustomControl = {"DefaultFont", "UseSkinFont", "DefaultWidth",
                                                    "DefaultHeight"};
const std::vector<const char*> SkinButton = {
    "RepeatMode", "RepeatInterval", "AllowAllUp", "PopupMenu", "ShowHint", "Action", "Align",
    "Enabled", "Caption", "TabStop", "CanFocused", "Down", "GroupIndex", "Glyph", "NumGlyphs",
    "Margin", "Spacing", "Layout", "Cancel", "Default", "ModalResult", "OnClick", "OnMouseDown",
    "OnMouseMove", "OnMouseUp", "OnResize", "OnKeyDown", "OnKeyPress", "OnKeyUp"};

std::vector<const char*> Join(std::initializer_list<std::vector<const char*>> Lists) {
    std::vector<const char*> all;
    for (const auto& list : Lists) all.insert(all.end(), list.begin(), list.end());
    return all;
}

const std::vector<const char*> DragAndDock = {"DragCursor", "DragKind", "DragMode", "OnDragDrop",
                                              "OnDragOver", "OnEndDrag", "OnStartDrag"};

// The bitmap library's paint boxes, image and image view.
const std::vector<const char*> PaintBox = {
    "Align", "Anchors", "AutoSize", "Constraints", "Cursor", "DragCursor", "ParentShowHint",
    "PopupMenu", "RepaintMode", "ShowHint", "TabOrder", "TabStop", "Visible", "OnCanResize",
    "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnGDIOverlay",
    "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnMouseWheel", "OnMouseWheelDown",
    "OnMouseWheelUp", "OnMouseEnter", "OnMouseLeave", "OnResize", "OnStartDrag"};
const std::vector<const char*> ImageOfBitmap = {
    "Bitmap", "Color", "ParentColor", "Scale", "OnBitmapResize", "OnChange", "OnInitStages",
    "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnPaintStage"};
// Their base publishes no drag and drop yet.
const std::vector<const char*> PaintBoxGaps = {"DragCursor", "OnCanResize", "OnDragDrop",
                                               "OnDragOver", "OnEndDrag", "OnStartDrag"};

// The table's cells: what every text and heading cell publishes (TableColor and TableFont
// first: a colour or font of the cell's own clears them), and the cells' mouse and drag events.
const std::vector<const char*> TextCell = {"TableColor", "TableFont", "About",     "Adjust",
                                           "Color",      "Font",      "Margin",    "Table",
                                           "TextHiColor", "TextStyle", "OnOwnerDraw"};
const std::vector<const char*> CellMouseAndDrag = {"OnClick",     "OnDblClick", "OnDragDrop",
                                                   "OnDragOver",  "OnEndDrag",  "OnMouseDown",
                                                   "OnMouseMove", "OnMouseUp"};
// The class library has no drag and drop yet.
const std::vector<const char*> CellDragGaps = {"OnDragDrop", "OnDragOver", "OnEndDrag"};
const std::vector<const char*> EditableTextCell = {"Access",  "Hint",      "MaxLength",
                                                   "ShowHint", "OnChange", "OnEnter",
                                                   "OnExit",  "OnKeyDown", "OnKeyPress",
                                                   "OnKeyUp"};

// The class library's control properties the focusable skinned controls publish.
const std::vector<const char*> SkinFocusable = {
    "PopupMenu", "ShowHint", "TabStop", "TabOrder", "Align", "Enabled", "CanFocused",
    "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize", "OnKeyDown", "OnKeyPress", "OnKeyUp"};
const std::vector<const char*> SkinSpeedButton = {
    "Visible", "DrawDefault", "SkinData", "AreaName", "SkinDataName", "OnMouseEnter",
    "OnMouseLeave", "AlphaBlend", "AlphaBlendValue", "UseSkinCursor", "DefaultFont",
    "UseSkinFont", "DefaultWidth", "DefaultHeight", "ImageIndex", "RepeatMode", "RepeatInterval",
    "Flat", "AllowAllUp", "PopupMenu", "ShowHint", "Action", "Caption", "Align", "Enabled",
    "OnClick", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize", "Down", "GroupIndex",
    "Glyph", "NumGlyphs", "Margin", "Spacing", "Layout"};
// The frame-strip controls' default strip.
const std::vector<const char*> FrameStrip = {"DefaultImage", "DefaultMask", "DefaultFramesCount",
                                             "DefaultFramesPlacement"};
const std::vector<const char*> SkinGroupBox = {"Caption",     "Align",      "BorderStyle",
                                               "CaptionMode", "RollUpMode", "RollUpState"};
// The groups of skinned check and radio boxes.
const std::vector<const char*> ButtonGroup = {"Items", "Columns", "ItemIndex", "Images",
                                              "ButtonSkinDataName", "ButtonDefaultFont"};
const std::vector<const char*> SkinEdit = {
    "OnButtonClick", "ButtonMode", "SkinData", "SkinDataName", "AlphaBlend", "AlphaBlendValue",
    "OnMouseEnter", "OnMouseLeave", "DefaultFont", "UseSkinFont", "DefaultWidth",
    "DefaultHeight", "Alignment"};
const std::vector<const char*> SkinView = {"SkinData",     "SkinDataName", "DefaultFont",
                                           "DefaultColor", "VScrollBar",   "HScrollBar"};
// The page and tab controls (their tab height follows the look).
const std::vector<const char*> SkinTabs = {
    "UseSkinFont", "DefaultFont", "DefaultItemHeight", "SkinData", "SkinDataName", "TabPosition",
    "Style", "MultiLine", "Images", "OnChange", "OnChanging", "Align", "Enabled", "TabStop"};
// The skinned modal dialogs.
const std::vector<const char*> SkinDialog = {"SkinMessage", "AlphaBlend", "AlphaBlendValue",
                                             "AlphaBlendAnimation", "SkinData", "CtrlSkinData",
                                             "DefaultFont", "Title"};
// The memos: the memo's own properties, the skin's and the linked bar.
const std::vector<const char*> SkinMemo = {
    "DefaultFont", "UseSkinFont", "VScrollBar", "SkinData", "SkinDataName", "Alignment",
    "HideSelection", "Lines", "MaxLength", "OEMConvert", "WantReturns", "WantTabs", "WordWrap",
    "OnChange", "OnMouseEnter", "OnMouseLeave"};
const std::vector<const char*> FileDialog = {"LVHeaderSkinDataName", "InitialDir", "Filter",
                                             "FilterIndex", "FileName"};

// Every class the libraries register for form resources, except the bases no form holds
// on their own (the skinned control, custom control, graphic control and custom slider
// bases, the custom combo box), the combo box's own drop-down list, the tab sheets, which
// only a page control holds, and the resamplers and kernels, which a bitmap holds as
// objects of its own.
const std::vector<TClassProperties>& Table() {
    static const std::vector<TClassProperties> table = {
        {"TRangeBar",
         {"Align", "Anchors", "Constraints", "Color", "Backgnd", "BorderStyle", "ButtonSize", "Enabled",
          "HandleColor", "ButtonColor", "HighLightColor", "ShadowColor", "BorderColor", "Increment",
          "Kind", "Range", "Style", "Visible", "Window", "ShowArrows", "ShowHandleGrip", "Position",
          "OnChange", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnMouseDown", "OnMouseMove",
          "OnMouseUp", "OnMouseWheelUp", "OnMouseWheelDown", "OnStartDrag", "OnUserChange"},
         {"OnDragDrop", "OnDragOver", "OnEndDrag", "OnStartDrag"}},
        {"TImgView32",
         Join({PaintBox, ImageOfBitmap,
               {"Centered", "ScrollBars", "SizeGrip", "OverSize", "OnScroll"}}),
         PaintBoxGaps},
        {"TGclTable",
         Join({{"Align", "Anchors", "Color", "Constraints", "Ctl3D", "Enabled", "Font",
                "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",
                "ShowHint", "TabOrder", "TabStop", "Visible", "LockedRows", "TopRow", "ActiveRow",
                "RowLimit", "LockedCols", "LeftCol", "ActiveCol", "OldRowColBehavior", "Access",
                "Adjust", "BorderStyle", "ColCount", "ColorUnused", "Colors", "Columns",
                "Controller", "GridPenSet", "LockedRowsCell", "Options", "Rows", "ScrollBars",
                "OnPaintUnusedArea", "OnMouseWheel"},
               {"DragCursor", "DragKind", "DragMode"}}),
         {"Columns", "Rows", "DragCursor", "DragKind", "DragMode"}},
        {"TGclCalculator",
         {"Align", "BorderStyle", "Ctl3D", "Font", "TapeFont", "Colors", "Cursor", "Decimals",
          "DragCursor", "DragMode", "Enabled", "LabelInfo", "MaxPaperCount", "TapeHeight", "Options",
          "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder",
          "TabStop", "TapeSeparatorChar", "Visible", "OnButtonPressed"},
         {"DragCursor", "DragMode"}},
        {"TGclEdit", {"Controller", "LabelInfo", "About"}, {}},
        {"TGclNumberEdit", {"Controller", "LabelInfo", "About"}, {}},
        {"TskSkinPanel",
         Join({SkinControl, SkinCustomControl,
               {"AutoEnabledControls", "CheckedMode", "Checked", "Glyph", "NumGlyphs", "Spacing",
                "DefaultAlignment", "DefaultCaptionHeight", "BorderStyle", "CaptionMode",
                "RollUpMode", "RollUpState", "OnChecked", "Caption", "Align", "Constraints"}}),
         {}},
        {"TskSkinButton", Join({SkinControl, SkinCustomControl, SkinButton}), {}},
        {"TskSkinScrollBar",
         Join({SkinControl, SkinCustomControl,
               {"Kind", "Min", "Max", "Position", "PageSize", "SmallChange", "LargeChange", "Both",
                "BothMarkerWidth", "BothSkinDataName", "CanFocused", "OnChange", "OnLastChange",
                "OnUpButtonClick", "OnDownButtonClick"}}),
         {}},
        {"TskSkinExPanel",
         Join({SkinControl, SkinCustomControl,
               {"RollState", "RollKind", "ShowRollButton", "ShowCloseButton",
                "DefaultCaptionHeight", "OnChangeRollState", "OnClose"}}),
         {}},
        {"TskSkinListBox",
         Join({SkinControl, SkinCustomControl,
               {"Caption", "Font", "Align", "Enabled", "PopupMenu", "ShowHint", "TabStop",
                "HorizontalExtent", "Columns", "RowCount", "Images", "ImageIndex", "Glyph",
                "NumGlyphs", "Spacing", "CaptionMode", "DefaultCaptionHeight", "DefaultCaptionFont",
                "Alignment", "DefaultItemHeight", "Items", "ItemIndex", "MultiSelect",
                "ExtandedSelect", "Sorted", "ListBoxFont", "ListBoxTabOrder", "ListBoxTabStop",
                "ListBoxPopupMenu", "OnUpButtonClick", "OnDownButtonClick", "OnCheckButtonClick",
                "OnListBoxClick", "OnListBoxDblClick", "OnListBoxMouseDown", "OnListBoxMouseUp",
                "OnListBoxMouseMove", "OnListBoxKeyDown", "OnListBoxKeyUp", "OnListBoxKeyPress",
                "OnDrawItem"}}),
         {}},
        {"TskSkinComboBox",
         Join({SkinControl, SkinCustomControl,
               {"Items", "ItemIndex", "DropDownCount", "Sorted", "Style", "Text", "Font", "TabStop",
                "Width", "Height", "ListBoxAlphaBlend", "ListBoxAlphaBlendValue",
                "ListBoxAlphaBlendAnimation", "HorizontalExtent", "Images", "ImageIndex",
                "ListBoxCaption", "ListBoxCaptionMode", "ListBoxDefaultFont",
                "ListBoxDefaultCaptionFont", "ListBoxDefaultItemHeight", "ListBoxCaptionAlignment",
                "OnChange", "OnClick", "OnCloseUp", "OnComboBoxDrawItem", "OnListBoxDrawItem"}}),
         {}},
        {"TskSkinUpDown",
         Join({SkinControl, SkinCustomControl,
               {"Min", "Max", "Increment", "Position", "Orientation", "OnChange",
                "OnUpButtonClick", "OnDownButtonClick"}}),
         {}},
        {"TskSkinSpinEdit",
         Join({SkinControl, SkinCustomControl,
               {"ValueType", "Decimal", "MinValue", "MaxValue", "Value", "Increment",
                "EditorEnabled", "MaxLength", "OnChange", "OnEditKeyDown", "OnEditKeyPress",
                "OnEditKeyUp"}}),
         {}},
        {"TskSkinMainMenuBar",
         Join({SkinControl,
               {"DefItemFont", "DefaultWidth", "DefaultHeight", "PopupToUp", "SkinForm", "MainMenu",
                "OnMainMenuItemClick", "Enabled", "OnMouseDown", "OnMouseMove", "OnMouseUp",
                "OnClick"}}),
         {}},
        {"TskSkinMessage",
         {"AlphaBlend", "AlphaBlendAnimation", "AlphaBlendValue", "SkinData", "CtrlSkinData",
          "ButtonSkinDataName", "MessageLabelSkinDataName", "DefaultFont", "DefaultButtonFont",
          "UseSkinFont"},
         {}},
        {"TskSkinForm",
         {"ShowIcon", "MaximizeOnFullScreen", "SkinHint", "ShowObjectHint", "UseSkinCursors",
          "DefCaptionFont", "DefInActiveCaptionFont", "DefMenuItemHeight", "DefMenuItemFont",
          "TrayIcon", "UseDefaultSysMenu", "MainMenuBar", "SupportNCArea", "AlphaBlendAnimation",
          "AlphaBlendValue", "AlphaBlend", "MenusAlphaBlend", "MenusAlphaBlendAnimation",
          "MenusAlphaBlendValue", "MainMenu", "SystemMenu", "SkinData", "MenusSkinData", "MinHeight",
          "MinWidth", "Sizeable", "DraggAble", "Magnetic", "MagneticSize", "BorderIcons",
          "OnChangeClientRect", "OnChangeSkinData", "OnMouseUpEvent", "OnMouseDownEvent",
          "OnMouseMoveEvent", "OnMouseEnterEvent", "OnMouseLeaveEvent", "OnPaintEvent",
          "OnSwitchChangeStateEvent", "OnTrackBarChangeValueEvent",
          "OnFrameRegulatorChangeValueEvent", "OnActivate", "OnDeActivate", "OnSkinMenuOpen",
          "OnSkinMenuClose", "OnChangeRollUpState", "OnMainMenuEnter", "OnMainMenuExit",
          "OnMinimizeToTray", "OnRestoreFromTray"},
         {}},
        {"TskSkinHint",
         {"OnShowHint", "Active", "SkinData", "AlphaBlendSupport", "DefaultFont", "UseSkinFont",
          "AlphaBlend", "AlphaBlendValue"},
         {}},
        {"TskTrayIcon",
         {"DesignPreview", "IconList", "CycleIcons", "AnimateTimerInterval", "Enabled", "Hint",
          "ShowHint", "Icon", "IconVisible", "IconIndex", "PopupMenu", "PopupByLeftButton",
          "MinimizedOnStart", "MinimizeToTray", "OnClick", "OnDblClick", "OnMouseDown", "OnMouseUp",
          "OnMouseMove", "OnCycle"},
         {}},
        {"TGaugeBar",
         {"Align", "Anchors", "Constraints", "Color", "Backgnd", "BorderStyle", "ButtonSize", "Enabled",
          "HandleColor", "ButtonColor", "HighLightColor", "ShadowColor", "BorderColor", "HandleSize",
          "Kind", "LargeChange", "Max", "Min", "SmallChange", "Style", "Visible", "ShowArrows",
          "ShowHandleGrip", "Position", "OnChange", "OnMouseDown", "OnMouseMove", "OnMouseUp",
          "OnUserChange"},
         {}},
        {"TskSkinToolBar",
         Join({SkinControl, SkinCustomControl,
               {"Caption", "Align", "BorderStyle", "Flat", "Images", "HotImages",
                "DisabledImages"}}),
         {}},
        {"TskSkinStatusBar",
         Join({SkinControl, SkinCustomControl, {"Caption", "Align", "BorderStyle"}}), {}},
        {"TskSkinGroupBox", Join({SkinControl, SkinCustomControl, SkinGroupBox}), {}},
        {"TskSkinSpeedButton", SkinSpeedButton, {}},
        {"TskSkinStdLabel",
         {"Alignment", "AutoSize", "Caption", "Color", "Font", "FocusControl", "Layout",
          "ShowAccelChar", "WordWrap", "UseSkinFont", "DefaultFont", "SkinData", "SkinDataName"},
         {}},
        {"TskSkinTreeView", SkinView, {}},
        {"TskSkinPageControl", Join({SkinTabs, {"ActivePage"}}), {}},
        {"TskSkinTabControl", Join({SkinTabs, {"Tabs", "TabIndex"}}), {}},
        {"TskSkinListView", Join({SkinView, {"HeaderSkinDataName"}}), {}},
        {"TskSkinRichEdit",
         Join({SkinView,
               {"SkinSupport", "ScrollBars", "Alignment", "HideSelection", "Lines", "MaxLength",
                "PlainText", "ReadOnly", "WantTabs", "WantReturns", "WordWrap", "OnChange",
                "OnSelectionChange", "OnProtectChange", "OnResizeRequest", "OnSaveClipboard",
                "OnMouseWheel", "OnMouseWheelDown", "OnMouseWheelUp"},
               DragAndDock, {"OnEndDock", "OnStartDock"}}),
         // The class library's controls are neither dragged nor docked yet.
         Join({DragAndDock, {"OnEndDock", "OnStartDock"}})},
        {"TskSkinHeaderControl",
         {"SkinData", "SkinDataName", "DefaultFont", "UseSkinFont", "DefaultHeight", "Sections",
          "Style", "DragReorder", "Images", "OnSkinSectionClick", "OnDrawSkinSection",
          "OnSectionClick", "OnSectionResize", "OnDrawSection"},
         {}},
        {"TskSkinStatusPanel",
         Join({SkinControl, SkinCustomControl, {"Glyph", "NumGlyphs", "Caption", "BorderStyle"}}),
         {}},
        {"TskSkinData", {"StoredSkin", "CompressedStoredSkin"}, {}},
        {"TPaintBox32", Join({PaintBox, {"Options", "OnPaintBuffer"}}), PaintBoxGaps},
        {"TImage32", Join({PaintBox, ImageOfBitmap, {"BitmapAlign", "ScaleMode"}}), PaintBoxGaps},
        {"TBitmap32List", {"Bitmaps"}, {}},
        {"TGclAttachedLabel", {"Control"}, {}},
        {"TGclTCColHead",
         Join({TextCell, CellMouseAndDrag,
               {"Headings", "ShowActiveCol", "ShowLetters", "UseASCIIZStrings", "UseWordWrap"}}),
         CellDragGaps},
        {"TGclTCRowHead", Join({TextCell, CellMouseAndDrag, {"ShowActiveRow", "ShowNumbers"}}),
         CellDragGaps},
        {"TGclTCString",
         Join({TextCell, CellMouseAndDrag, EditableTextCell,
               {"AutoAdvanceChar", "AutoAdvanceLeftRight", "UseWordWrap", "UseASCIIZStrings"}}),
         CellDragGaps},
        {"TGclTCMemo",
         Join({TextCell, CellMouseAndDrag, EditableTextCell, {"WantReturns", "WantTabs"}}),
         CellDragGaps},
        {"TGclTCBitMap",
         {"TableColor", "AcceptActivationClick", "Access", "Adjust", "Color", "Margin", "Table",
          "OnOwnerDraw"},
         {}},
        {"TGclBorderedNumberEdit",
         {"AutoSelect", "AutoSize", "BiDiMode", "CharCase", "Controller", "Cursor", "DragCursor",
          "DragKind", "DragMode", "Enabled", "Font", "HideSelection", "ImeMode", "ImeName",
          "MaxLength", "OEMConvert", "ParentBiDiMode", "ParentFont", "ParentShowHint",
          "PasswordChar", "ReadOnly", "ShowButton", "PopupAnchor", "OnChange", "OnClick",
          "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnKeyDown", "OnKeyPress",
          "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnPopupOpen", "OnPopupClose"},
         // The class library's edit has none of these yet.
         {"AutoSelect", "BiDiMode", "CharCase", "DragCursor", "DragKind", "DragMode",
          "HideSelection", "ImeMode", "ImeName", "OEMConvert", "ParentBiDiMode", "OnDragDrop",
          "OnDragOver", "OnEndDrag"}},
        {"TskSkinMainMenu", {"SkinData"}, {}},
        {"TskSkinPopupMenu", {"SkinData"}, {}},
        {"TskSkinCheckRadioBox",
         Join({SkinControl, SkinCustomControl, SkinFocusable,
               {"Images", "ImageIndex", "Action", "Caption", "Radio", "Checked", "GroupIndex",
                "Flat", "OnClick"}}),
         {"Action"}},
        {"TskSkinTrackBar",
         Join({SkinControl, SkinCustomControl, SkinFocusable,
               {"JumpWhenClick", "MouseSupport", "MinValue", "MaxValue", "Value", "Vertical",
                "OnChange"}}),
         {}},
        {"TskSkinGauge",
         Join({SkinControl, SkinCustomControl,
               {"TextAlphaBlend", "TextAlphaBlendValue", "ProgressText", "ShowProgressText",
                "ShowPercent", "MinValue", "MaxValue", "Value", "Vertical", "Align", "Enabled",
                "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize", "PopupMenu", "ShowHint"}}),
         {}},
        {"TskSkinSlider",
         Join({SkinControl,
               {"ImageHThumb", "ImageHRuler", "ImageVThumb", "ImageVRuler", "Increment", "MinValue",
                "MaxValue", "NumThumbStates", "Orientation", "EdgeSize", "Options", "Value",
                "Transparent", "UseSkinThumb", "OnChange", "OnChanged", "OnDrawPoints"}}),
         {}},
        {"TskFrameSkinControl", Join({SkinControl, FrameStrip}), {}},
        {"TskSkinSwitch", Join({SkinControl, FrameStrip, {"State", "TimerInterval", "OnChange"}}),
         {}},
        {"TskSkinAnimate",
         Join({SkinControl, FrameStrip,
               {"Active", "CycleMode", "ButtonMode", "TimerInterval", "OnStart", "OnStop"}}),
         {}},
        {"TskSkinFrameGauge", Join({SkinControl, FrameStrip, {"MinValue", "MaxValue", "Value"}}),
         {}},
        {"TskSkinFrameRegulator",
         Join({SkinControl, FrameStrip,
               {"MinValue", "MaxValue", "Value", "DefaultKind", "OnChange"}}),
         {}},
        {"TskSkinBevel", {"SkinData", "SkinDataName", "DividerMode", "Shape", "Style"}, {}},
        {"TskSkinSplitter", {"DefaultSize", "SkinDataName", "SkinData"}, {}},
        {"TskSkinNotebook",
         Join({SkinControl, SkinCustomControl,
               {"Pages", "PageIndex", "ActivePage", "ButtonsMode", "ButtonSkinDataName", "Images",
                "OnPageChanged", "Caption", "Align", "BorderStyle"}}),
         {}},
        {"TskSkinPage", Join({SkinControl, SkinCustomControl, {"ImageIndex", "Caption", "Align"}}),
         {}},
        {"TskSkinButtonsBar",
         Join({SkinControl, SkinCustomControl,
               {"Sections", "SectionIndex", "ShowButtons", "DefaultSectionFont", "DefaultItemFont",
                "DefaultButtonHeight", "SectionButtonSkinDataName", "ItemHeight",
                "ItemsTransparent", "ItemImages", "SectionImages", "Align", "BorderStyle"}}),
         {}},
        {"TskSkinControlBar",
         Join({DragAndDock,
               {"SkinDataName", "SkinData", "SkinBevel", "Align", "Anchors", "AutoDrag",
                "AutoSize", "BevelInner", "BevelOuter", "BorderWidth", "Color", "Constraints",
                "DockSite", "Enabled", "ParentColor", "ParentFont", "ParentShowHint", "Picture",
                "PopupMenu", "RowSize", "RowSnap", "ShowHint", "TabOrder", "TabStop", "Visible",
                "OnBandDrag", "OnBandInfo", "OnBandMove", "OnBandPaint", "OnClick", "OnDockDrop",
                "OnResize", "OnUnDock"}}),
         // The class library's control bar neither drags nor docks its bands.
         Join({DragAndDock, {"AutoDrag", "BorderWidth", "DockSite", "OnBandDrag", "OnBandInfo",
                             "OnBandMove", "OnBandPaint", "OnDockDrop", "OnUnDock"}})},
        {"TskSkinRadioGroup",
         Join({SkinControl, SkinCustomControl, SkinGroupBox, ButtonGroup, DragAndDock,
               {"Anchors", "BiDiMode", "Color", "Ctl3D", "Enabled", "Font", "Constraints",
                "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint",
                "PopupMenu", "ShowHint", "TabStop", "OnClick", "OnContextPopup", "OnEndDock",
                "OnEnter", "OnExit", "OnStartDock"}}),
         Join({DragAndDock,
               {"BiDiMode", "ParentBiDiMode", "OnContextPopup", "OnEndDock", "OnStartDock"}})},
        {"TskSkinCheckGroup",
         Join({SkinControl, SkinCustomControl, SkinGroupBox, ButtonGroup,
               {"Ctl3D", "ParentCtl3D"}}),
         {}},
        {"TskSkinLabel",
         Join({SkinControl, SkinCustomControl,
               {"Alignment", "AutoSize", "BorderStyle", "Align", "Caption", "Enabled", "OnClick",
                "OnMouseDown", "OnMouseMove", "OnMouseUp"}}),
         {}},
        {"TskSkinBitLabel",
         Join({SkinControl, SkinCustomControl,
               {"AutoSize", "FixLength", "Caption", "OnMouseDown", "OnMouseMove", "OnMouseUp"}}),
         {}},
        {"TskSkinMenuButton",
         Join({SkinControl, SkinCustomControl, SkinButton,
               {"SkinPopupMenu", "TrackButtonMode", "OnShowTrackMenu", "OnHideTrackMenu"}}),
         {}},
        {"TskSkinXFormButton",
         Join({SkinControl, SkinCustomControl, SkinButton,
               {"DefImage", "DefActiveImage", "DefDownImage", "DefMask", "DefActiveFontColor",
                "DefDownFontColor"}}),
         {}},
        {"TskSkinTextLabel",
         {"Lines", "Alignment", "Layout", "WordWrap", "AutoSize", "UseSkinFont", "DefaultFont",
          "SkinData", "SkinDataName", "Align", "Enabled", "Font", "ShowHint", "OnClick"},
         {}},
        {"TskSkinLinkLabel",
         {"Alignment", "AutoSize", "Caption", "FocusControl", "Layout", "ShowAccelChar", "WordWrap",
          "Transparent", "Cursor", "URL", "DefaultActiveFontColor", "UseSkinFont", "DefaultFont",
          "SkinData", "SkinDataName", "OnClick"},
         {}},
        {"TskSkinLinkImage", {"URL", "AutoSize", "Cursor", "Picture", "Center", "Stretch"}, {}},
        {"TskSkinButtonLabel",
         {"Caption", "Glyph", "NumGlyphs", "Margin", "Spacing", "Layout", "DefaultActiveFontColor",
          "UseSkinFont", "DefaultFont", "SkinData", "SkinDataName", "Enabled", "OnClick"},
         {}},
        {"TskSkinMenuSpeedButton",
         Join({SkinSpeedButton,
               {"SkinPopupMenu", "TrackButtonMode", "OnShowTrackMenu", "OnHideTrackMenu"}}),
         {}},
        {"TskStoredSkin", {"FileName", "IniStrings"}, {}},
        {"TskCompressedStoredSkin", {"FileName", "CompressedFileName"}, {}},
        {"TskSkinEdit", SkinEdit, {}},
        {"TskSkinMaskEdit",
         Join({SkinEdit, {"EditMask", "AutoSize", "BorderStyle", "Color", "Ctl3D"}}), {}},
        {"TskSkinNumEdit", {"OnUpClick", "OnDownClick", "EditorEnabled", "Float"}, {}},
        {"TskSkinMonthCalendar",
         Join({SkinControl, SkinCustomControl,
               {"Caption", "Align", "BorderStyle", "CaptionMode", "DefaultCaptionHeight", "Date",
                "TodayDefault", "FirstDayOfWeek", "OnNumberClick"}}),
         {}},
        {"TskSkinDateEdit",
         Join({SkinEdit,
               {"Date", "TodayDefault", "CalendarWidth", "CalendarHeight", "CalendarFont",
                "CalendarAlphaBlend", "CalendarAlphaBlendValue", "CalendarAlphaBlendAnimation",
                "OnDateChange"}}),
         {}},
        {"TskSkinTrackEdit",
         Join({SkinEdit,
               {"MinValue", "MaxValue", "Value", "TrackBarWidth", "TrackBarSkinDataName",
                "TrackBarAlphaBlend", "TrackBarAlphaBlendValue", "TrackBarAlphaBlendAnimation",
                "JumpWhenClick", "ReadOnly"}}),
         {}},
        {"TskSkinTimeEdit", Join({SkinEdit, {"EditMask", "ShowMilliseconds"}}), {}},
        {"TskSkinFilterComboBox", {"Filter", "FileList", "OnChange"}, {}},
        // The file controls' Drive and Directory follow the file system and are not stored.
        {"TskSkinDriveComboBox", {"TextCase", "DirList", "OnChange"}, {}},
        {"TskSkinShellDriveComboBox", {"Drive", "OnChange"}, {}},
        {"TskSkinDirectoryListBox", {"FileList", "DirLabel", "OnChange"}, {}},
        {"TskSkinFileListBox", {"Mask", "FileType", "FileEdit", "MultiSelect", "OnChange"}, {}},
        {"TskSkinDirTreeView", Join({SkinView, {"SkinMessage"}}), {}},
        {"TskSkinFileListView",
         Join({SkinView,
               {"HeaderSkinDataName", "SkinMessage", "Directory", "FileType", "Mask", "ContextMenu",
                "ContextAction", "SelectedCount", "SelectedSize", "SelectedFilenames",
                "SelectedTypes"}}),
         {}},
        {"TskSkinOpenDialog", Join({SkinDialog, FileDialog}), {}},
        {"TskSkinSaveDialog", Join({SkinDialog, FileDialog}), {}},
        {"TskSkinSelectDirectoryDialog", Join({SkinDialog, {"Directory"}}), {}},
        {"TskSkinOpenPictureDialog", Join({SkinDialog, FileDialog}), {}},
        {"TskSkinSavePictureDialog", Join({SkinDialog, FileDialog}), {}},
        {"TskSkinDirectoryEdit", Join({SkinEdit, {"DlgSkinData", "DlgCtrlSkinData"}}), {}},
        {"TskSkinFileEdit",
         Join({SkinEdit, {"DlgSkinData", "DlgCtrlSkinData", "LVHeaderSkinDataName", "Filter"}}), {}},
        {"TskSkinSaveFileEdit",
         Join({SkinEdit, {"DlgSkinData", "DlgCtrlSkinData", "LVHeaderSkinDataName", "Filter"}}), {}},
        {"TskSkinMemo",
         Join({SkinMemo, {"BitMapBG", "Transparent", "AlphaBlendValue", "ReadOnly"}}), {}},
        {"TskSkinMemo2", Join({SkinMemo, {"HScrollBar", "ReadOnly", "ScrollBars"}}), {}},
        {"TskSkinPasswordEdit",
         Join({SkinControl, SkinCustomControl,
               {"AutoSelect", "CharCase", "Cursor", "HideSelection", "MaxLength", "PasswordKind",
                "ReadOnly", "Text", "TextAlignment", "OnChange"}}),
         {}},
        {"TskSkinScrollBox", Join({SkinControl, {"VScrollBar", "HScrollBar", "BorderStyle"}}), {}},
        {"TForm", {"FormStyle", "BorderStyle", "BorderIcons", "Position", "WindowState"}, {}},
    };
    return table;
}

// A value of the property's own that differs from the one it has, where one can be made
// without knowing the property: numbers, switches, names, sets and texts.
bool ChangeValue(const TPropInfo* P, TObject* Instance) {
    switch (P->GetKind()) {
    case pkInteger: {
        const Int64 v = P->GetOrdValue(Instance);
        P->SetOrdValue(Instance, v < P->GetMaxValue() ? v + 1 : v - 1);
        return true;
    }
    case pkBoolean: P->SetOrdValue(Instance, P->GetOrdValue(Instance) ? 0 : 1); return true;
    case pkEnumeration: {
        const Int64 count = static_cast<Int64>(P->GetEnumInfo().Names.size());
        if (count < 2) return false;
        P->SetOrdValue(Instance, (P->GetOrdValue(Instance) + 1) % count);
        return true;
    }
    case pkSet: P->SetOrdValue(Instance, P->GetOrdValue(Instance) ^ 1); return true;
    case pkFloat: P->SetFloatValue(Instance, P->GetFloatValue(Instance) + 1.5); return true;
    case pkString: {
        // A character property holds one character.
        const AnsiString v = P->GetStrValue(Instance);
        P->SetStrValue(Instance, v.size() == 1 ? AnsiString(v == "#" ? "*" : "#") : v + "x");
        return true;
    }
    default: return false;
    }
}

AnsiString ValueText(const TPropInfo* P, TObject* Instance) {
    switch (P->GetKind()) {
    case pkInteger:
    case pkBoolean:
    case pkEnumeration:
    case pkSet: return std::to_string(P->GetOrdValue(Instance));
    case pkFloat: return std::to_string(P->GetFloatValue(Instance));
    case pkString: return P->GetStrValue(Instance);
    default: return "";
    }
}

// Properties whose value follows others or the window rather than what was set alone.
bool Derived(const AnsiString& Name) {
    static const std::set<AnsiString> names = {"Align", "Visible", "TabOrder", "Width", "Height",
                                               "ListBoxTabOrder", "ItemIndex", "Text"};
    return names.count(Name) > 0;
}

// The declared default: a value a form does not write, which must then be the value the
// class is made with.
bool SetDeclaredDefault(const TPropInfo* P, TObject* Instance) {
    if (!P->HasDefault()) return false;
    switch (P->GetKind()) {
    case pkInteger:
    case pkBoolean:
    case pkEnumeration:
    case pkSet: P->SetOrdValue(Instance, P->GetDefaultOrd()); return true;
    case pkFloat: P->SetFloatValue(Instance, P->GetDefaultFloat()); return true;
    case pkString: P->SetStrValue(Instance, P->GetDefaultStr()); return true;
    default: return false;
    }
}

using TChange = bool (*)(const TPropInfo*, TObject*);

// An instance of Info (on a form, unless it is a form) whose properties Change gives their
// values, written and read into a new form; the properties read back otherwise go to Lost.
void RoundTrip(const TClassInfo* Info, const std::vector<const TPropInfo*>& Properties,
               TChange Change, std::ostream& Lost) {
    const bool isForm = Info->InheritsFrom(TForm::StaticClass());
    TForm* root = isForm ? nullptr : new TForm(nullptr);
    TComponent* instance = Info->Create(root);
    ASSERT_NE(instance, nullptr) << Info->Name;
    if (root) instance->SetName("Item");
    if (auto* control = dynamic_cast<TControl*>(instance); control && root) control->SetParent(root);

    std::vector<std::pair<const TPropInfo*, AnsiString>> changed;
    for (const TPropInfo* p : Properties) {
        try {
            if (Change(p, instance)) changed.emplace_back(p, "");
        } catch (const std::exception& e) {
            Lost << Info->Name << "." << p->GetName() << " (refused: " << e.what() << ") ";
        }
    }
    for (auto& [p, value] : changed) value = ValueText(p, instance);

    TForm* readRoot = new TForm(nullptr);
    TComponent* read = nullptr;
    AnsiString text;
    try {
        text = WriteComponentText(root ? static_cast<TComponent*>(root) : instance);
    } catch (const std::exception& e) {
        Lost << Info->Name << " (not written: " << e.what() << ") ";
    }
    try {
        if (!text.empty()) {
            ReadComponentText(text, readRoot, Info->Name);
            read = root ? readRoot->FindComponent("Item") : readRoot;
        }
    } catch (const std::exception& e) {
        Lost << Info->Name << " (not read back: " << e.what() << ") ";
    }
    for (const auto& [p, value] : changed)
        if (read && ValueText(p, read) != value)
            Lost << Info->Name << "." << p->GetName() << " (" << value << " read as "
                 << ValueText(p, read) << ") ";
    delete readRoot;
    delete (root ? static_cast<TComponent*>(root) : instance);
}

class PublishedProperties : public ShownFormTest {};

TEST_F(PublishedProperties, EveryListedPropertyIsPublishedAndReadBack) {
    RegisterClass(TForm::StaticClass());
    std::ostringstream unregistered, missing, unexpected, lost, defaults;
    for (const TClassProperties& row : Table()) {
        const TClassInfo* info = GetClass(row.Class);
        if (!info) {
            unregistered << row.Class << " ";
            continue;
        }
        const TPublishedClass& published = GetPublished(info);
        const std::set<std::string> gaps(row.Gaps.begin(), row.Gaps.end());
        std::vector<const TPropInfo*> settable;
        for (const char* name : row.Properties) {
            const TPropInfo* p = published.FindProperty(name);
            if (!p) {
                if (!gaps.count(name)) missing << row.Class << "." << name << " ";
                continue;
            }
            if (gaps.count(name)) unexpected << row.Class << "." << name << " ";
            if (p->HasSetter()) settable.push_back(p);
        }
        std::vector<const TPropInfo*> independent;
        for (const TPropInfo* p : settable)
            if (!Derived(p->GetName())) independent.push_back(p);
        RoundTrip(info, independent, ChangeValue, lost);
        RoundTrip(info, settable, SetDeclaredDefault, defaults);
    }
    EXPECT_EQ(unregistered.str(), "") << "not registered";
    EXPECT_EQ(missing.str(), "") << "listed but not published";
    EXPECT_EQ(unexpected.str(), "") << "published now: take them off the gap list";
    EXPECT_EQ(lost.str(), "") << "not read back as written";
    EXPECT_EQ(defaults.str(), "") << "set to the declared default and not read back so";
}

} // namespace
