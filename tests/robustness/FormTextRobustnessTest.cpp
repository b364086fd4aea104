// Form text (".form") read by the form loader and by the text-to-binary conversion.
#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/FormText.h"
#include "classlib/Forms.h"
#include "classlib/Streams.h"

#include "skin/boxctrls/SkinBoxCtrls_Edits.h"
#include "skin/boxctrls/SkinBoxCtrls_ListBoxes.h"
#include "skin/boxctrls/skcalendar.h"
#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_ExPanels.h"
#include "skin/controls/SkinCtrls_Gauges.h"
#include "skin/controls/SkinCtrls_Headers.h"
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/controls/SkinCtrls_RichEdits.h"
#include "skin/controls/SkinCtrls_ScrollBars.h"
#include "skin/controls/SkinCtrls_TrackBars.h"
#include "skin/controls/SkinTabs.h"

#include "tests/robustness/FormSeeds.h"
#include "tests/skin/controls/SkinFixture.h"
#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

void LoadForm(const std::string& Text) {
    TForm form(nullptr);
    ReadComponentText(Text, &form);
}

void Convert(const std::string& Text) {
    TStringStream input(Text);
    TStringStream output;
    ObjectTextToBinary(&input, &output);
}

// Damaged copies of Seed, and hostile texts built around its first line.
TCorpus TextCorpus(const std::string& Seed, std::uint32_t Random) {
    TCorpus corpus;
    AddTruncations(corpus, "text", Seed);
    AddBitFlips(corpus, "text", Seed, 1000, Random);
    const std::string head = Seed.substr(0, Seed.find("\r\n") + 2);
    const std::size_t deep = 20000 * CorpusScale();
    corpus.push_back({"nested objects",
                      head + Repeat("object P: TPanel\r\n", deep) + Repeat("end\r\n", deep + 1)});
    corpus.push_back({"nested lists", head + "  Tag = " + std::string(deep, '(')});
    corpus.push_back({"nested collections", head + "  Tag = " + Repeat("<item X = ", deep)});
    corpus.push_back({"long identifier", head + "  " + std::string(300, 'A') + " = 1\r\nend"});
    corpus.push_back(
        {"long value identifier", head + "  Color = " + std::string(300, 'c') + "\r\nend"});
    corpus.push_back(
        {"long string", head + "  Caption = '" + std::string(deep * 50, 's') + "'\r\nend"});
    corpus.push_back(
        {"many string pieces", head + "  Caption = " + Repeat("'s' + ", deep) + "''\r\nend"});
    corpus.push_back({"huge character code", head + "  Caption = #99999999999\r\nend"});
    corpus.push_back({"huge number", head + "  Left = 999999999999999999999999\r\nend"});
    corpus.push_back({"huge float", head + "  Left = 1e99999\r\nend"});
    corpus.push_back(
        {"huge binary", head + "  Data = {" + std::string(deep * 50, 'F') + "}\r\nend"});
    corpus.push_back({"control characters", head + "  Caption = 'a\x01\x1f'\r\nend"});
    return corpus;
}

TEST(FormTextRobustness, TheLoaderBuildsOrRefusesEveryDamagedText) {
    ASSERT_NO_THROW(LoadForm(kFormSeed));
    ExpectBoundedLoads<EFilerError>(TextCorpus(kFormSeed, 3), LoadForm);
}

// The seed with Line put after the line that starts Object's properties.
std::string WithProperty(const std::string& Object, const std::string& Line) {
    std::string text = kFormSeed;
    const std::size_t at = text.find("\r\n", text.find(Object)) + 2;
    return text.insert(at, Line + "\r\n");
}

// Forms that must not load: controls of sides and places no window can have, and many
// components of one name.
TEST(FormTextRobustness, TheLoaderRefusesControlsNoWindowCanHoldAndRepeatedNames) {
    TCorpus corpus;
    for (const char* object : {"object PNL_Top", "object BTN_Ok", "object LST_Items"})
        for (const char* value : {"Height = 320000", "Width = 2147483647", "Height = -1",
                                  "Width = -2147483648", "Left = 40000", "Top = -40000"})
            corpus.push_back({std::string(object) + " " + value, WithProperty(object, value)});
    corpus.push_back({"form client height", WithProperty("object Probe", "ClientHeight = 320000")});
    const std::string text = kFormSeed;
    const std::size_t last = text.rfind("end");
    corpus.push_back({"many panels of one name",
                      text.substr(0, last) + Repeat("object P: TPanel\r\nend\r\n", 1000) + "end\r\n"});
    ExpectRefusals<EFilerError, EComponentError>(corpus, LoadForm);
}

// Forms of the skinned controls at the edges of what their properties take: fonts of the
// greatest heights, controls of 8000 x 8000 pixels, default sizes and row counts past what a
// form can hold, a page past the range, bounds that cross. Each loads, paints, writes back
// and reads again as the form it wrote, within the bounds, or is refused by the reader.
TCorpus ExtremeForms() {
    TCorpus corpus;
    auto add = [&](const std::string& Name, const std::string& Objects) {
        corpus.push_back({Name, FormHolding(Objects)});
    };
    // The ink of a caption is measured after that of smaller ones, hidden or painted.
    for (const char* height : {"20000", "32767"})
        for (const char* visible : {"False", "True"})
            add(std::string(*visible == 'F' ? "a hidden" : "a") + " label of font height " + height +
                    " after another caption",
                Object("LB_Small", "TLabel", {"Caption = 'small'"}) +
                    Object("LB_Big", "TLabel",
                           {"Caption = 'Label1'", "Font.Height = " + std::string(height),
                            std::string("Visible = ") + visible}));
    const std::string sheet = Object("TS_One", "TskSkinTabSheet", {"Caption = 'One'"});
    for (const char* height : {"32767", "65536"}) {
        const std::string font = std::string("DefaultFont.Height = ") + height;
        add(std::string("a rich edit of font height ") + height,
            Object("RE_Text", "TskSkinRichEdit", {font, "Lines.Strings = ('Text')"}));
        add(std::string("a page control of font height ") + height,
            Object("PC_Pages", "TskSkinPageControl", {font}, sheet));
        add(std::string("a tab control of font height ") + height,
            Object("TC_Tabs", "TskSkinTabControl", {font, "Tabs.Strings = ('One' 'Two')"}));
        add(std::string("a calendar of font height ") + height,
            Object("MC_Due", "TskSkinMonthCalendar", {font, "Date = 45478.0"}));
    }
    add("a scroll bar of the greatest page",
        Object("SB_Bar", "TskSkinScrollBar", {"PageSize = 2147483647"}));
    // Sizes that follow other properties.
    for (const char* value : {"40000", "2147483647"}) {
        const std::string v = value;
        add("an edit of default width " + v, Object("ED_Text", "TskSkinEdit", {"DefaultWidth = " + v}));
        add("an edit of default height " + v, Object("ED_Text", "TskSkinEdit", {"DefaultHeight = " + v}));
        add("a list box of row count " + v, Object("LB_List", "TskSkinListBox", {"RowCount = " + v}));
        add("a list box of caption height " + v,
            Object("LB_List", "TskSkinListBox",
                   {"Align = alRight", "CaptionMode = True", "DefaultCaptionHeight = " + v}));
        add("a panel of caption height " + v,
            Object("PN_Panel", "TskSkinPanel", {"CaptionMode = True", "DefaultCaptionHeight = " + v}));
        add("an expanding panel of caption height " + v,
            Object("XP_Panel", "TskSkinExPanel", {"Align = alRight", "DefaultCaptionHeight = " + v}));
    }
    // Places that alignment and anchors push past what a form holds while it loads.
    std::string stacked;
    for (const char* name : {"PN_A", "PN_B", "PN_C"})
        stacked += Object(name, "TPanel", {"Align = alTop", "Height = 32767"});
    add("three panels of the greatest height aligned to the top", stacked);
    add("a panel at the farthest place anchored right on a panel that fills the form",
        Object("PN_Client", "TPanel", {"Align = alClient", "Width = 100"},
               Object("PN_Far", "TPanel", {"Left = 32767", "Anchors = [akTop, akRight]"})));
    // Bounds that cross, with and without a value of their own.
    for (const char* value : {"", "Value = 101", "Value = 32768", "Value = 7"}) {
        std::vector<std::string> lines = {"MinValue = 32768", "MaxValue = 101"};
        if (*value) lines.push_back(value);
        const std::string with = *value ? std::string(" and ") + value : "";
        add("a gauge of crossed bounds" + with, Object("GA_Level", "TskSkinGauge", lines));
        add("a track bar of crossed bounds" + with, Object("TB_Level", "TskSkinTrackBar", lines));
        std::vector<std::string> bar = {"Min = 32768", "Max = 101"};
        if (*value) bar.push_back(std::string("Position") + (value + 5));
        add("a scroll bar of crossed bounds" + with, Object("SB_Bar", "TskSkinScrollBar", bar));
    }
    return corpus;
}

// Controls of 8000 x 8000 pixels on a small form: what paints them is what the form shows.
TCorpus HugeControls() {
    const std::string huge = "Width = 8000\r\n    Height = 8000";
    const std::string sheet = Object("TS_One", "TskSkinTabSheet", {"Caption = 'One'"});
    return {{"a page control of 8000 x 8000",
             FormHolding(Object("PC_Pages", "TskSkinPageControl", {huge}, sheet))},
            {"a tab control of 8000 x 8000",
             FormHolding(Object("TC_Tabs", "TskSkinTabControl", {huge, "Tabs.Strings = ('One' 'Two')"}))},
            {"a header of 8000 x 8000",
             FormHolding(Object("HC_Head", "TskSkinHeaderControl",
                                {huge, "Sections = <\r\n      item\r\n        Text = 'Name'\r\n"
                                       "        Width = 8000\r\n      end>"}))}};
}

TEST(FormTextRobustness, FormsAtTheEdgesOfTheirPropertiesPaintWriteBackAndReadAgain) {
    // The same forms with everyday values load and come back whole.
    ASSERT_NO_THROW(LoadPaintWriteRead(FormHolding(
        Object("LB_Big", "TLabel", {"Caption = 'Label1'", "Font.Height = -40"}) +
        Object("PC_Pages", "TskSkinPageControl", {"DefaultFont.Height = -20"},
               Object("TS_One", "TskSkinTabSheet", {"Caption = 'One'"})) +
        Object("HC_Head", "TskSkinHeaderControl",
               {"Sections = <\r\n      item\r\n        Text = 'Name'\r\n      end>"}) +
        Object("GA_Level", "TskSkinGauge", {"MinValue = 10", "MaxValue = 20", "Value = 15"}) +
        Object("SB_Bar", "TskSkinScrollBar", {"PageSize = 10", "Min = -5"}) +
        Object("LB_List", "TskSkinListBox", {"RowCount = 4"}))));
    ExpectBoundedLoads<EFilerError>(ExtremeForms(), [](const std::string& Text) {
        try {
            LoadPaintWriteRead(Text);
        } catch (const EFilerError& E) {
            // A refusal of a name the form got wrong would pass without testing anything.
            const AnsiString& message = E.Message();
            if (message.find("does not exist") != AnsiString::npos ||
                message.find("not found") != AnsiString::npos)
                throw std::logic_error(message);
            throw;
        }
    });
    // A picture of a whole huge control is a quarter of a gigabyte: a bound of a quarter of
    // that tells it from a picture of the part shown.
    TBounds shown;
    shown.ProcessBytes = std::size_t(64) << 20;
    ExpectBoundedLoads<EFilerError>(HugeControls(), [](const std::string& Text) { LoadPaintWriteRead(Text); },
                                    shown);
}

// A skinned button of the greatest width a form gives, beside one of its own size, on a
// skin whose buttons fade in: taking the focus runs the whole fade.
TEST(FormTextRobustness, AButtonOfTheGreatestWidthFadesInWithinTheBounds) {
    TFixtureSkin skin;
    const int picture = skin.AddPicture(80, 20);
    skin.Fill(picture, TRect(0, 0, 40, 20), clRed);
    skin.Fill(picture, TRect(40, 0, 80, 20), clLime);
    auto* record = skin.AddFramed<TskDataSkinButtonControl>("button", picture, TRect(0, 0, 40, 20));
    record->ActiveSkinRect = TRect(40, 0, 80, 20);
    record->Morphing = true;
    const std::string text =
        FormHolding(Object("BT_Small", "TskSkinButton", {"Caption = 'Small'"}) +
                    Object("BT_Wide", "TskSkinButton",
                           {"Top = 40", "Width = 32767", "Height = 120", "Caption = 'Wide'"}));
    ExpectBoundedLoads<EFilerError>({{"a skinned button of 32767 x 120", text}}, [&](const std::string& Text) {
        TForm form(nullptr);
        ReadComponentText(Text, &form);
        auto* button = dynamic_cast<TskSkinButton*>(form.FindComponent("BT_Wide"));
        button->SetSkinData(skin.Data.get());
        form.Show();
        Pump();
        if (!TakeFocus(button) || !button->IsMorphing())
            throw std::logic_error("the wide button did not take the focus and fade");
        while (button->IsMorphing())
            button->DoMorph();
        form.Hide();
    });
}

TEST(FormTextRobustness, TheConversionToBinaryConvertsOrRefusesEveryDamagedText) {
    ASSERT_NO_THROW(Convert(kSyntaxSeed));
    ExpectBoundedLoads<EReadError>(TextCorpus(kSyntaxSeed, 4), Convert);
}

} // namespace
