// The lists benchmark, as ratios measured in one run: a skinned check list box of 10,000 items
// filled and scrolled from top to bottom against a plain list box with the same items (at
// most 2x), plainly and on the program's skin; and the font combo box's filling against one
// EnumFontFamiliesEx over the same fonts (at most 3x).
#include "bench/BenchRatio.h"
#include "bench/BenchTimer.h"
#include "bench/skin/SkinBenchMain.h"
#include "skin/boxctrls/SkinBoxCtrls_CheckListBoxes.h"
#include "skin/boxctrls/SkinBoxCtrls_FontCombos.h"
#include "skin/data/SkinData.h"

#include "classlib/Forms.h"
#include "classlib/Paths.h"
#include "classlib/StdCtrls.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

constexpr int kItems = 10000;

void Fill(TStrings* Items) {
    Items->BeginUpdate();
    Items->Clear();
    for (int i = 0; i < kItems; ++i) Items->Add("Item number " + IntToStr(i));
    Items->EndUpdate();
}

// Every row shown once: a page at a time from the top to the bottom, each page painted.
void ScrollThrough(TListBox* List) {
    HWND wnd = List->GetHandle();
    const int page = std::max(List->GetClientHeight() / std::max(List->GetItemHeight(), 1), 1);
    for (int top = 0; top < kItems; top += page) {
        List->SetTopIndex(top);
        UpdateWindow(wnd);
    }
    List->SetTopIndex(0);
    UpdateWindow(wnd);
}

// The operations are timed in turns, round after round, so that a burst of other work on the
// machine weighs on each of them alike; each keeps its best round.
std::vector<double> BestInTurns(const std::vector<std::function<void()>>& Operations) {
    constexpr int kRounds = 3;
    std::vector<double> best(Operations.size(), std::numeric_limits<double>::infinity());
    for (int round = 0; round < kRounds; ++round)
        for (size_t i = 0; i < Operations.size(); ++i)
            best[i] = std::min(best[i], Bench::BestSecondsPerCall(Operations[i]));
    return best;
}

void Report(const char* What, double Ratio, double Limit) {
    const Bench::TTarget target = Bench::AtMost(Limit);
    std::printf("%-66s %6.2f%s\n", What, Ratio, Bench::VerdictText(Ratio, target).c_str());
    Bench::RecordRatio(What, Ratio, target);
}

int CALLBACK CountFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM Count) {
    ++*reinterpret_cast<int*>(Count);
    return 1;
}

int Run() {
    TForm form(nullptr);
    form.SetBounds(0, 0, 700, 500);
    auto* plain = new TListBox(&form);
    plain->SetParent(&form);
    plain->SetBounds(10, 10, 200, 400);
    auto* check = new TskSkinCheckListBox(&form);
    check->SetParent(&form);
    check->SetBounds(220, 10, 200, 400);
    TskSkinData skin(nullptr);
    skin.LoadFromFile(ExeDir() + "..\\generated\\skin\\skin.ini");
    auto* skinned = new TskSkinCheckListBox(&form);
    skinned->SetParent(&form);
    skinned->SetBounds(430, 10, 200, 400);
    skinned->SetSkinData(&skin);
    form.Show();
    Application->ProcessMessages();

    const std::vector<double> fills = BestInTurns({[&] { Fill(plain->GetItems()); },
                                                   [&] { Fill(check->GetItems()); },
                                                   [&] { Fill(skinned->GetItems()); }});
    const double plainFill = fills[0], checkFill = fills[1], skinnedFill = fills[2];
    // Some items with a state, as a list in use has them.
    for (TskSkinCheckListBox* list : {check, skinned})
        for (int i = 0; i < kItems; i += 3) list->SetState(i, i % 2 ? cbGrayed : cbChecked);
    Application->ProcessMessages();
    const std::vector<double> scrolls =
        BestInTurns({[&] { ScrollThrough(plain); }, [&] { ScrollThrough(check->GetCheckListBox()); },
                     [&] { ScrollThrough(skinned->GetCheckListBox()); }});
    const double plainScroll = scrolls[0], checkScroll = scrolls[1], skinnedScroll = scrolls[2];
    if (check->GetItems()->GetCount() != kItems || plain->GetItems()->GetCount() != kItems) {
        std::printf("the lists hold %d and %d items, not %d\n", check->GetItems()->GetCount(),
                    plain->GetItems()->GetCount(), kItems);
        return 1;
    }

    auto* fonts = new TskSkinFontComboBox(&form);
    fonts->SetParent(&form);
    fonts->SetBounds(10, 420, 200, 20);
    Application->ProcessMessages();
    int families = 0;
    const std::vector<double> fontTimes = BestInTurns({[&] { fonts->PopulateList(); }, [&] {
        HDC dc = GetDC(nullptr);
        LOGFONTA font{};
        font.lfCharSet = DEFAULT_CHARSET;
        families = 0;
        EnumFontFamiliesExA(dc, &font, CountFamily, reinterpret_cast<LPARAM>(&families), 0);
        ReleaseDC(nullptr, dc);
    }});
    const double fontFill = fontTimes[0], enumerate = fontTimes[1];

    Report("check list fill of 10,000 items / plain list box", checkFill / plainFill, 2);
    Report("check list scroll top to bottom / plain list box", checkScroll / plainScroll, 2);
    Report("skinned check list fill of 10,000 items / plain list box", skinnedFill / plainFill, 2);
    Report("skinned check list scroll top to bottom / plain list box",
           skinnedScroll / plainScroll, 2);
    Report("font combo fill / one EnumFontFamiliesEx", fontFill / enumerate, 3);
    std::printf("  fill: plain %.2f ms, check %.2f ms, skinned %.2f ms\n", plainFill * 1e3,
                checkFill * 1e3, skinnedFill * 1e3);
    std::printf("  scroll: plain %.2f ms, check %.2f ms, skinned %.2f ms\n", plainScroll * 1e3,
                checkScroll * 1e3, skinnedScroll * 1e3);
    std::printf("  fonts: combo %.2f ms (%d families listed), enumeration %.2f ms (%d entries)\n",
                fontFill * 1e3, fonts->GetItems()->GetCount(), enumerate * 1e3, families);
    return 0;
}

} // namespace

int main() {
    return RunSkinBench(Run);
}
