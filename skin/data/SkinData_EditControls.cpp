#include "skin/data/SkinData_EditControls.h"

const TSkinFieldTable& TskDataSkinEditControl::OwnFields() {
    using C = TskDataSkinEditControl;
    static const TSkinFieldTable table = WithSkinFont<C>(
        {
            SkinField("activeskinrect", &C::ActiveSkinRect, TRect(), 1),
            SkinField("disabledfontcolor", &C::DisabledFontColor, 0, 7),
            SkinField("activefontcolor", &C::ActiveFontColor, 0, 6),
            SkinField("buttonrect", &C::ButtonRect, TRect(), 8),
            SkinField("activebuttonrect", &C::ActiveButtonRect, TRect(), 9),
            SkinField("downbuttonrect", &C::DownButtonRect, TRect(), 10),
            SkinField("unenabledbuttonrect", &C::UnEnabledButtonRect, TRect(), 11),
        },
        2);
    return table;
}

const TSkinFieldTable& TskDataSkinMemoControl::OwnFields() {
    using C = TskDataSkinMemoControl;
    static const TSkinFieldTable table = {
        SkinField("bgcolor", &C::BGColor, 0, 1),
        SkinField("activebgcolor", &C::ActiveBGColor, 0, 2),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinSpinEditControl::OwnFields() {
    using C = TskDataSkinSpinEditControl;
    static const TSkinFieldTable table = WithSkinFont<C>(WithUpDownButtons<C>({}, 5), 1);
    return table;
}

const TSkinFieldTable& TskDataSkinListBox::OwnFields() {
    using C = TskDataSkinListBox;
    static const TSkinFieldTable table = WithSkinFont<C>(
        WithUpDownButtons<C>(
            {
                SkinField("itemrect", &C::ItemRect, TRect(), 1),
                SkinField("activeitemrect", &C::ActiveItemRect, TRect(), 2),
                SkinField("focusitemrect", &C::FocusItemRect, TRect(), 3),
                SkinField("itemleftoffset", &C::ItemLeftOffset, 0, 4),
                SkinField("itemrightoffset", &C::ItemRightOffset, 0, 5),
                SkinField("itemtextrect", &C::ItemTextRect, TRect(), 6),
                SkinField("activefontcolor", &C::ActiveFontColor, 0, 11),
                SkinField("focusfontcolor", &C::FocusFontColor, 0, 12),
                SkinField("captionrect", &C::CaptionRect, TRect(), 13),
                SkinField("captionfontname", &C::CaptionFontName, AnsiString("Arial"), 14),
                SkinField("captionfontstyle", &C::CaptionFontStyle, TFontStyles(), 16),
                SkinField("captionfontheight", &C::CaptionFontHeight, 14, 15),
                SkinField("captionfontcolor", &C::CaptionFontColor, 0, 17),
                SkinField("checkbuttonrect", &C::CheckButtonRect, TRect(), 24),
                SkinField("activecheckbuttonrect", &C::ActiveCheckButtonRect, TRect(), 25),
                SkinField("downcheckbuttonrect", &C::DownCheckButtonRect, TRect(), 26),
                SkinField("hscrollbarname", &C::HScrollBarName, AnsiString("hscrollbar"), 28),
                SkinField("vscrollbarname", &C::VScrollBarName, AnsiString("vscrollbar"), 27),
                SkinField("bothhscrollbarname", &C::BothHScrollBarName,
                          AnsiString("bothhscrollbar"), 29),
            },
            18),
        7);
    return table;
}

const TSkinFieldTable& TskDataSkinCheckListBox::OwnFields() {
    using C = TskDataSkinCheckListBox;
    static const TSkinFieldTable table = {
        SkinField("uncheckimagerect", &C::UnCheckImageRect, TRect(), 2),
        SkinField("checkimagerect", &C::CheckImageRect, TRect(), 3),
        SkinField("itemcheckrect", &C::ItemCheckRect, TRect(), 1),
    };
    return table;
}

const TSkinFieldTable& TskDataSkinComboBox::OwnFields() {
    using C = TskDataSkinComboBox;
    static const TSkinFieldTable table = WithSkinFont<C>(
        {
            SkinField("itemrect", &C::ItemRect, TRect(), 1),
            SkinField("focusitemrect", &C::FocusItemRect, TRect(), 2),
            SkinField("itemleftoffset", &C::ItemLeftOffset, 0, 3),
            SkinField("itemrightoffset", &C::ItemRightOffset, 0, 4),
            SkinField("itemtextrect", &C::ItemTextRect, TRect(), 5),
            SkinField("focusfontcolor", &C::FocusFontColor, 0, 10),
            SkinField("buttonrect", &C::ButtonRect, TRect(), 11),
            SkinField("activebuttonrect", &C::ActiveButtonRect, TRect(), 12),
            SkinField("downbuttonrect", &C::DownButtonRect, TRect(), 13),
            SkinField("unenabledbuttonrect", &C::UnEnabledButtonRect, TRect(), 14),
            SkinField("listboxname", &C::ListBoxName, AnsiString(), 15),
        },
        6);
    return table;
}

const TSkinFieldTable& TskDataSkinTreeView::OwnFields() {
    using C = TskDataSkinTreeView;
    static const TSkinFieldTable table = WithSkinFont<C>(
        {
            SkinField("bgcolor", &C::BGColor, 0, 5),
        },
        1);
    return table;
}

const TSkinFieldTable& TskDataSkinListView::OwnFields() {
    using C = TskDataSkinListView;
    static const TSkinFieldTable table = WithSkinFont<C>(
        {
            SkinField("bgcolor", &C::BGColor, 0, 5),
        },
        1);
    return table;
}

const TSkinFieldTable& TskDataSkinRichEdit::OwnFields() {
    using C = TskDataSkinRichEdit;
    static const TSkinFieldTable table = WithSkinFont<C>(
        {
            SkinField("bgcolor", &C::BGColor, 0, 5),
        },
        1);
    return table;
}

const TSkinFieldTable& TskDataSkinTabControl::OwnFields() {
    using C = TskDataSkinTabControl;
    static const TSkinFieldTable table = WithSkinFont<C>(
        {
            SkinField("tabrect", &C::TabRect, TRect(), 1),
            SkinField("activetabrect", &C::ActiveTabRect, TRect(), 2),
            SkinField("focustabrect", &C::FocusTabRect, TRect(), 3),
            SkinField("mouseintabrect", &C::MouseInTabRect, TRect(), 4),
            SkinField("clientrect", &C::ClRect, TRect(), 5),
            SkinField("tabsbgrect", &C::TabsBGRect, TRect(), 13),
            SkinField("lefttoppoint", &C::LTPoint, TPoint(), 7),
            SkinField("righttoppoint", &C::RTPoint, TPoint(), 8),
            SkinField("leftbottompoint", &C::LBPoint, TPoint(), 9),
            SkinField("rightbottompoint", &C::RBPoint, TPoint(), 10),
            SkinField("tableftoffset", &C::TabLeftOffset, 0, 11),
            SkinField("tabrightoffset", &C::TabRightOffset, 0, 12),
            SkinField("activefontcolor", &C::ActiveFontColor, 0, 18),
            SkinField("focusfontcolor", &C::FocusFontColor, 0, 19),
            SkinField("mouseinfontcolor", &C::MouseInFontColor, 0, 20),
            SkinField("updown", &C::UpDown, AnsiString(), 21),
            SkinField("bgpictureindex", &C::BGPictureIndex, -1, 6),
        },
        14);
    return table;
}

const TSkinFieldTable& TskDataSkinGridControl::OwnFields() {
    using C = TskDataSkinGridControl;
    static const TSkinFieldTable table = WithSkinFont<C>(
        {
            SkinField("fixedcellrect", &C::FixedCellRect, TRect(), 1),
            SkinField("selectcellrect", &C::SelectCellRect, TRect(), 2),
            SkinField("focuscellrect", &C::FocusCellRect, TRect(), 3),
            SkinField("fixedcellleftoffset", &C::FixedCellLeftOffset, 0, 4),
            SkinField("fixedcellrightoffset", &C::FixedCellRightOffset, 0, 5),
            SkinField("fixedcelltextrect", &C::FixedCellTextRect, TRect(), 6),
            SkinField("cellleftoffset", &C::CellLeftOffset, 0, 7),
            SkinField("cellrightoffset", &C::CellRightOffset, 0, 8),
            SkinField("celltextrect", &C::CellTextRect, TRect(), 9),
            SkinField("linescolor", &C::LinesColor, 0, 10),
            SkinField("bgcolor", &C::BGColor, 0, 11),
            SkinField("bgpictureindex", &C::BGPictureIndex, -1, 12),
            SkinField("selectfontcolor", &C::SelectFontColor, 0, 17),
            SkinField("focusfontcolor", &C::FocusFontColor, 0, 18),
            SkinField("fixedfontname", &C::FixedFontName, AnsiString("Arial"), 19),
            SkinField("fixedfontstyle", &C::FixedFontStyle, TFontStyles(), 21),
            SkinField("fixedfontheight", &C::FixedFontHeight, 14, 20),
            SkinField("fixedfontcolor", &C::FixedFontColor, 0, 22),
        },
        13);
    return table;
}

const TSkinFieldTable& TskDataSkinMainMenuBar::OwnFields() {
    using C = TskDataSkinMainMenuBar;
    static const TSkinFieldTable table = {
        SkinField("itemsrect", &C::ItemsRect, TRect(), 1),
        SkinField("menubaritem", &C::MenuBarItem, AnsiString(), 2),
        SkinField("closebutton", &C::CloseButton, AnsiString(), 3),
        SkinField("maxbutton", &C::MaxButton, AnsiString(), 5),
        SkinField("minbutton", &C::MinButton, AnsiString(), 4),
        SkinField("sysmenubutton", &C::SysMenuButton, AnsiString(), 6),
        SkinField("trackmarkcolor", &C::TrackMarkColor, 0, 7),
        SkinField("trackmarkactivecolor", &C::TrackMarkActiveColor, 0, 8),
    };
    return table;
}
