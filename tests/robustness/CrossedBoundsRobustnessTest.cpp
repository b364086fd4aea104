// Forms of every control that holds a value between two bounds, with the bounds crossed,
// equal or in order and the value below, between or above them, their lines in every order
// and every choice of them: each loads, paints, and writes back what it then reads again.
#include "skin/boxctrls/SkinBoxCtrls_SpinEdit.h"
#include "skin/boxctrls/SkinBoxCtrls_TrackEdits.h"
#include "skin/controls/SkinCtrls_FrameStrips.h"
#include "skin/controls/SkinCtrls_Gauges.h"
#include "skin/controls/SkinCtrls_ScrollBars.h"
#include "skin/controls/SkinCtrls_Sliders.h"
#include "skin/controls/SkinCtrls_TrackBars.h"
#include "skin/controls/SkinCtrls_UpDown.h"

#include "classlib/Exceptions.h"

#include "tests/robustness/FormSeeds.h"
#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

struct TRangeControl {
    const char* Class;
    const char* Min;
    const char* Max;
    const char* Value;
};

const TRangeControl kRangeControls[] = {
    {"TskSkinTrackEdit", "MinValue", "MaxValue", "Value"},
    {"TskSkinSpinEdit", "MinValue", "MaxValue", "Value"},
    {"TskSkinUpDown", "Min", "Max", "Position"},
    {"TskSkinScrollBar", "Min", "Max", "Position"},
    {"TskSkinFrameGauge", "MinValue", "MaxValue", "Value"},
    {"TskSkinFrameRegulator", "MinValue", "MaxValue", "Value"},
    {"TskSkinGauge", "MinValue", "MaxValue", "Value"},
    {"TskSkinTrackBar", "MinValue", "MaxValue", "Value"},
    {"TskSkinSlider", "MinValue", "MaxValue", "Value"},
};

// A form of one Class for each choice of Lines that holds Needed (every choice when it is
// empty), in every order, unless Made has it already.
void AddEveryOrder(TCorpus& Corpus, std::set<std::string>& Made, const char* Class,
                   const std::vector<std::string>& Lines, const std::string& Needed = "") {
    for (unsigned chosen = 1; chosen < (1u << Lines.size()); ++chosen) {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < Lines.size(); ++i)
            if (chosen & (1u << i)) lines.push_back(Lines[i]);
        if (!Needed.empty() && std::find(lines.begin(), lines.end(), Needed) == lines.end())
            continue;
        std::sort(lines.begin(), lines.end());
        do {
            const std::string form = FormHolding(Object("RC_Range", Class, lines));
            if (!Made.insert(form).second) continue;
            std::string name = Class;
            for (const std::string& line : lines)
                name += ", " + line;
            Corpus.push_back({name, form});
        } while (std::next_permutation(lines.begin(), lines.end()));
    }
}

// Forms of Control with bounds 1..101, 101..1 and 7..7 and the value 0, 50 or 150; the scroll
// bar's also with a page of 10 and one wider than its range.
TCorpus CrossedBoundsForms(const TRangeControl& Control) {
    const std::pair<int, int> bounds[] = {{1, 101}, {101, 1}, {7, 7}};
    TCorpus corpus;
    std::set<std::string> made;
    for (const auto& [min, max] : bounds)
        for (int value : {0, 50, 150}) {
            const std::vector<std::string> lines = {
                std::string(Control.Min) + " = " + std::to_string(min),
                std::string(Control.Max) + " = " + std::to_string(max),
                std::string(Control.Value) + " = " + std::to_string(value)};
            AddEveryOrder(corpus, made, Control.Class, lines);
            if (std::string(Control.Class) != "TskSkinScrollBar") continue;
            for (const char* page : {"PageSize = 10", "PageSize = 200"}) {
                std::vector<std::string> paged = lines;
                paged.push_back(page);
                AddEveryOrder(corpus, made, Control.Class, paged, page);
            }
        }
    return corpus;
}

TEST(CrossedBoundsRobustness, EveryOrderOfBoundsAndValueWritesBackWhatItReadsAgain) {
    for (const TRangeControl& control : kRangeControls) {
        SCOPED_TRACE(control.Class);
        const TCorpus corpus = CrossedBoundsForms(control);
        ASSERT_GT(corpus.size(), 100u);
        ExpectBoundedLoads<EFilerError>(corpus,
                                        [](const std::string& Text) { LoadPaintWriteRead(Text); });
    }
}

} // namespace
