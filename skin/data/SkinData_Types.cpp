#include "skin/data/SkinData_Types.h"

namespace {

template <typename C, typename R> TSkinRecordType<R> Type(const char* TypeName) {
    return {TypeName, C::StaticClass(), [](const AnsiString& Name) -> R* { return new C(Name); }};
}

// The word of the record's own class, else of its nearest base that has one.
template <typename R>
AnsiString TypeNameOf(const R* Record, const std::vector<TSkinRecordType<R>>& Types) {
    for (const TClassInfo* c = Record->ClassType(); c; c = c->Parent)
        for (const TSkinRecordType<R>& type : Types)
            if (type.Class == c) return type.TypeName;
    return AnsiString();
}

template <typename R>
R* Create(const AnsiString& TypeName, const AnsiString& Name,
          const std::vector<TSkinRecordType<R>>& Types) {
    for (const TSkinRecordType<R>& type : Types)
        if (TypeName == type.TypeName) return type.Create(Name);
    return nullptr;
}

} // namespace

const std::vector<TSkinRecordType<TskDataSkinControl>>& SkinControlTypes() {
    static const std::vector<TSkinRecordType<TskDataSkinControl>> types = {
        Type<TskDataSkinSlider, TskDataSkinControl>("slider"),
        Type<TskDataSkinBevel, TskDataSkinControl>("bevel"),
        Type<TskDataSkinPanelControl, TskDataSkinControl>("panel"),
        Type<TskDataSkinExPanelControl, TskDataSkinControl>("expanel"),
        Type<TskDataSkinMenuButtonControl, TskDataSkinControl>("menubutton"),
        Type<TskDataSkinButtonControl, TskDataSkinControl>("button"),
        Type<TskDataSkinCheckRadioControl, TskDataSkinControl>("checkradio"),
        Type<TskDataSkinGaugeControl, TskDataSkinControl>("gauge"),
        Type<TskDataSkinSplitterControl, TskDataSkinControl>("splitter"),
        Type<TskDataSkinTrackBarControl, TskDataSkinControl>("trackbar"),
        Type<TskDataSkinLabelControl, TskDataSkinControl>("label"),
        Type<TskDataSkinStdLabelControl, TskDataSkinControl>("stdlabel"),
        Type<TskDataSkinBitLabelControl, TskDataSkinControl>("bitlabel"),
        Type<TskDataSkinFrameRegulator, TskDataSkinControl>("frameregulator"),
        Type<TskDataSkinFrameGauge, TskDataSkinControl>("framegauge"),
        Type<TskDataSkinAnimateControl, TskDataSkinControl>("animate"),
        Type<TskDataSkinUpDownControl, TskDataSkinControl>("updown"),
        Type<TskDataSkinSwitchControl, TskDataSkinControl>("switch"),
        Type<TskDataSkinGridControl, TskDataSkinControl>("grid"),
        Type<TskDataSkinTabControl, TskDataSkinControl>("tab"),
        Type<TskDataSkinMainMenuBar, TskDataSkinControl>("mainmenubar"),
        Type<TskDataSkinControlBar, TskDataSkinControl>("controlbar"),
        Type<TskDataSkinMemoControl, TskDataSkinControl>("memo"),
        Type<TskDataSkinEditControl, TskDataSkinControl>("edit"),
        Type<TskDataSkinCheckListBox, TskDataSkinControl>("checklistbox"),
        Type<TskDataSkinListBox, TskDataSkinControl>("listbox"),
        Type<TskDataSkinComboBox, TskDataSkinControl>("combobox"),
        Type<TskDataSkinScrollBarControl, TskDataSkinControl>("scrollbar"),
        Type<TskDataSkinSpinEditControl, TskDataSkinControl>("spinedit"),
        Type<TskDataSkinScrollBoxControl, TskDataSkinControl>("scrollbox"),
        Type<TskDataSkinTreeView, TskDataSkinControl>("treeview"),
        Type<TskDataSkinListView, TskDataSkinControl>("listview"),
        Type<TskDataSkinRichEdit, TskDataSkinControl>("richedit"),
    };
    return types;
}

const std::vector<TSkinRecordType<TskDataSkinObject>>& SkinObjectTypes() {
    static const std::vector<TSkinRecordType<TskDataSkinObject>> types = {
        Type<TskDataSkinMenuItem, TskDataSkinObject>("menuitem"),
        Type<TskDataSkinMainMenuBarItem, TskDataSkinObject>("mainmenubaritem"),
        Type<TskDataSkinMainMenuItem, TskDataSkinObject>("mainmenuitem"),
        Type<TskDataSkinStdButton, TskDataSkinObject>("stdbutton"),
        Type<TskDataSkinMainMenuBarButton, TskDataSkinObject>("mainmenubarbutton"),
        Type<TskDataSkinButton, TskDataSkinObject>("button"),
        Type<TskDataSkinCaption, TskDataSkinObject>("caption"),
        Type<TskDataSkinTrackBar, TskDataSkinObject>("trackbar"),
        Type<TskDataSkinGauge, TskDataSkinObject>("gauge"),
        Type<TskDataSkinFrameGaugeObject, TskDataSkinObject>("framegauge"),
        Type<TskDataSkinFrameRegulatorObject, TskDataSkinObject>("frameregulator"),
        Type<TskDataSkinLabel, TskDataSkinObject>("label"),
        Type<TskDataSkinBitLabel, TskDataSkinObject>("bitlabel"),
        Type<TskDataSkinSwitch, TskDataSkinObject>("switch"),
        Type<TskDataSkinAnimate, TskDataSkinObject>("animate"),
        Type<TskDataUserObject, TskDataSkinObject>("userobject"),
    };
    return types;
}

TskDataSkinControl* CreateSkinControl(const AnsiString& TypeName, const AnsiString& Name) {
    return Create(TypeName, Name, SkinControlTypes());
}

TskDataSkinObject* CreateSkinObject(const AnsiString& TypeName, const AnsiString& Name) {
    return Create(TypeName, Name, SkinObjectTypes());
}

AnsiString SkinControlTypeName(const TskDataSkinControl* Record) {
    return TypeNameOf(Record, SkinControlTypes());
}

AnsiString SkinObjectTypeName(const TskDataSkinObject* Record) {
    return TypeNameOf(Record, SkinObjectTypes());
}
