// Form resources whose fonts are taller than any screen, read by controls that turn their text:
// a vertical gauge's percentage and a rolled expanding panel's caption draw at the tallest
// height the system is asked for, within the bounds, and write back the height they read. An
// expanding panel too narrow for its empty caption paints too.
#include "skin/controls/SkinCtrls_ExPanels.h"
#include "skin/controls/SkinCtrls_Gauges.h"

#include "classlib/Exceptions.h"

#include "tests/robustness/FormSeeds.h"
#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TCorpus TurnedTextForms() {
    TCorpus corpus;
    for (const std::string height : {"32767", "65536"}) {
        const std::string font = "DefaultFont.Height = " + height;
        corpus.push_back({"a vertical gauge showing its percentage in a font of height " + height,
                          FormHolding(Object("GA_Level", "TskSkinGauge",
                                             {"Width = 24", "Height = 120", "ShowPercent = True",
                                              "Vertical = True", font}))});
        corpus.push_back(
            {"an expanding panel rolled to its turned caption in a font of height " + height,
             FormHolding(Object("XP_Side", "TskSkinExPanel",
                                {"Caption = 'Folders'", "RollState = True",
                                 "RollKind = rkRollHorizontal", font}))});
    }
    return corpus;
}

TEST(FontCapRobustness, TurnedTextInTheTallestFontsPaintsWritesBackAndReadsAgain) {
    ExpectBoundedLoads<EFilerError>(TurnedTextForms(),
                                    [](const std::string& Text) { LoadPaintWriteRead(Text); });
}

// Shortened in its middle, as the file dialogs' side panel is: the panel's own way to fit.
void ShortenCaptionsInTheirMiddle(TForm& Form) {
    for (int i = 0; i < Form.GetComponentCount(); ++i)
        if (auto* panel = dynamic_cast<TskSkinExPanel*>(Form.GetComponent(i)))
            panel->SetShortenInMiddle(true);
}

TEST(FontCapRobustness, AnExpandingPanelTooNarrowForItsEmptyCaptionPaints) {
    const std::string text =
        FormHolding(Object("XP_Narrow", "TskSkinExPanel", {"Width = 30", "Caption = ''"}));
    ExpectBoundedLoads<EFilerError>(
        {{"an expanding panel whose empty caption has less than no room", text}},
        [](const std::string& Text) { LoadPaintWriteRead(Text, ShortenCaptionsInTheirMiddle); });
}

} // namespace
