// The class library's own controls and components, and a few skinned controls beside them, on
// generated forms: one for each published integer property at each edge of the integers, and
// one for each enumerated property at each of its values. Every such form loads, paints,
// writes back and reads again as it wrote within the suite's bounds, or the reader refuses the
// value with its own error.
#include "skin/boxctrls/SkinBoxCtrls_CheckListBoxes.h"
#include "skin/boxctrls/SkinBoxCtrls_ComboBoxes.h"
#include "skin/boxctrls/SkinBoxCtrls_Edits.h"
#include "skin/controls/SkinCtrls_Bevels.h"
#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_CheckRadio.h"
#include "skin/controls/SkinCtrls_Labels.h"
#include "skin/controls/SkinCtrls_Panels.h"

#include "classlib/ActnList.h"
#include "classlib/Bevels.h"
#include "classlib/Buttons.h"
#include "classlib/ClassRegistry.h"
#include "classlib/ControlBars.h"
#include "classlib/Dialogs.h"
#include "classlib/Edits.h"
#include "classlib/GroupBoxes.h"
#include "classlib/HeaderControls.h"
#include "classlib/ImageLists.h"
#include "classlib/Images.h"
#include "classlib/Labels.h"
#include "classlib/ListBoxes.h"
#include "classlib/ListViews.h"
#include "classlib/Panels.h"
#include "classlib/Persistence.h"
#include "classlib/RichEdits.h"
#include "classlib/ScrollBars.h"
#include "classlib/Splitters.h"
#include "classlib/Tabs.h"
#include "classlib/TreeViews.h"

#include "tests/robustness/FormSeeds.h"
#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

// A class the generator places on a form, with what it holds, so that its counts and indexes
// have something to count, and the object it must stand in, if any.
struct TPlaced {
    const char* Class;
    std::vector<std::string> Lines = {};
    std::string Inside = "";
    const char* Holder = nullptr;
};

void PrintTo(const TPlaced& Placed, std::ostream* Out) {
    *Out << Placed.Class;
}

const std::string kItems = "Items.Strings = (\r\n      'one'\r\n      'two'\r\n      'three')";

const std::vector<TPlaced> kClassLibrary = {
    {"TPanel", {"Caption = 'Panel'", "BevelInner = bvLowered"}},
    {"TBevel"},
    {"TLabel", {"Caption = 'Label'"}},
    {"TButton", {"Caption = 'Button'"}},
    {"TBitBtn", {"Caption = 'Button'"}},
    {"TCheckBox", {"Caption = 'Check'"}},
    {"TRadioButton", {"Caption = 'Radio'"}},
    {"TEdit", {"Text = 'Edit'"}},
    {"TMaskEdit", {"Text = 'Edit'"}},
    {"TMemo", {"Lines.Strings = (\r\n      'one'\r\n      'two')"}},
    {"TRichEdit", {"Lines.Strings = (\r\n      'one'\r\n      'two')"}},
    {"TListBox", {kItems}},
    {"TComboBox", {kItems}},
    {"TGroupBox", {"Caption = 'Group'"}},
    {"TScrollBar"},
    {"TImage"},
    {"TPaintBox"},
    {"TSplitter", {"Align = alLeft"}},
    {"TControlBar", {}, Object("PN_Band", "TPanel", {"Caption = 'Band'"})},
    {"TTabControl", {"Tabs.Strings = (\r\n      'One'\r\n      'Two')"}},
    {"TPageControl", {}, Object("TS_One", "TTabSheet", {"Caption = 'One'"})},
    {"TTabSheet", {"Caption = 'One'"}, "", "TPageControl"},
    {"TTreeView"},
    {"TListView"},
    {"THeaderControl", {"Sections = <\r\n      item\r\n        Text = 'Name'\r\n      end>"}},
    {"TImageList"},
    {"TAction", {"Caption = 'Do'"}, "", "TActionList"},
    {"TTimer", {"Enabled = False"}},
    {"TMenuItem", {"Caption = 'File'"}, "", "TMainMenu"},
    {"TOpenDialog"},
    {"TSaveDialog"},
};

const std::vector<TPlaced> kSkinned = {
    {"TskSkinPanel", {"Caption = 'Panel'"}},   {"TskSkinGroupBox", {"Caption = 'Group'"}},
    {"TskSkinButton", {"Caption = 'Button'"}}, {"TskSkinCheckRadioBox", {"Caption = 'Check'"}},
    {"TskSkinLabel", {"Caption = 'Label'"}},   {"TskSkinBevel"},
    {"TskSkinEdit", {"Text = 'Edit'"}},        {"TskSkinListBox", {kItems}},
    {"TskSkinCheckListBox", {kItems}},         {"TskSkinComboBox", {kItems}},
};

const std::vector<std::int64_t> kEdges = {INT32_MIN, -1, 0, 32767, 100000000, INT32_MAX};
// Taken as well in longer runs (VANTOREL_ROBUSTNESS_SCALE above 1).
const std::vector<std::int64_t> kMoreEdges = {-32769, -32768, 255,   256,
                                              32768,  65535,  65536, 16777216};

// A form holding Placed, the property Line added to its own.
std::string FormWith(const TPlaced& Placed, const std::string& Line = "") {
    std::vector<std::string> lines = Placed.Lines;
    if (!Line.empty()) lines.push_back(Line);
    const std::string object =
        Object("Probe" + std::string(Placed.Class), Placed.Class, lines, Placed.Inside);
    return FormHolding(Placed.Holder ? Object("Holder", Placed.Holder, {}, object) : object);
}

// The values a form may give the property: the edges of the integers it can hold, or each of
// its identifiers.
std::vector<std::string> ValuesOf(const TPropInfo* P) {
    std::vector<std::string> values;
    if (P->GetKind() == pkEnumeration) {
        for (const AnsiString& name : P->GetEnumInfo().Names)
            values.push_back(name);
        return values;
    }
    std::vector<std::int64_t> candidates = kEdges;
    if (CorpusScale() > 1)
        candidates.insert(candidates.end(), kMoreEdges.begin(), kMoreEdges.end());
    std::set<std::int64_t> edges;
    for (std::int64_t edge : candidates)
        edges.insert(std::clamp<std::int64_t>(edge, P->GetMinValue(), P->GetMaxValue()));
    for (std::int64_t edge : edges)
        values.push_back(std::to_string(edge));
    return values;
}

// For each published integer and enumeration property of the class, a form at each value.
TCorpus EdgeForms(const TPlaced& Placed) {
    TCorpus corpus;
    const TClassInfo* info = GetClass(Placed.Class);
    if (!info) return corpus;
    for (const TPropInfo* p : GetPublished(info).Properties()) {
        if ((p->GetKind() != pkInteger && p->GetKind() != pkEnumeration) || !p->HasSetter())
            continue;
        for (const std::string& value : ValuesOf(p)) {
            const std::string line = p->GetName() + " = " + value;
            corpus.push_back({std::string(Placed.Class) + "." + line, FormWith(Placed, line)});
        }
    }
    return corpus;
}

class ClassLibControlsRobustness : public testing::TestWithParam<TPlaced> {};

TEST_P(ClassLibControlsRobustness, EveryNumberAtItsEdgesAndEveryChoiceLoadsPaintsAndComesBack) {
    const TPlaced& placed = GetParam();
    ASSERT_NE(GetClass(placed.Class), nullptr) << placed.Class << " is not registered";
    ASSERT_NO_THROW(LoadPaintWriteRead(FormWith(placed)));
    const TCorpus corpus = EdgeForms(placed);
    ASSERT_FALSE(corpus.empty()) << placed.Class << " publishes no integer or enumeration";
    ExpectBoundedLoads<EFilerError>(corpus,
                                    [](const std::string& Text) { LoadPaintWriteRead(Text); });
}

std::string ClassName(const testing::TestParamInfo<TPlaced>& Info) {
    return Info.param.Class;
}

INSTANTIATE_TEST_SUITE_P(ClassLibrary, ClassLibControlsRobustness, testing::ValuesIn(kClassLibrary),
                         ClassName);
INSTANTIATE_TEST_SUITE_P(Skinned, ClassLibControlsRobustness, testing::ValuesIn(kSkinned),
                         ClassName);

} // namespace
