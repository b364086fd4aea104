// Loading forms from their text as they grow, and freeing them: a form of plain labels, a
// form of buttons (windowed controls in a tab order) and a form holding one skinned radio
// group whose lines each make a box. Each is loaded and freed with 1,000 and with 20,000
// components, and the times are shown with their ratio: about 20 when the cost grows with
// the number of components (about 29 for N log N), 400 when it grows with its square.
// Runs under a virtual display (scripts/bench-load.sh gives one); `scripts/bench-load.sh N`
// compares 1,000 with N components.
#include "bench/BenchRatio.h"
#include "bench/BenchSamples.h"
#include "skin/controls/SkinCtrls_ButtonGroups.h"

#include "classlib/Buttons.h"
#include "classlib/ClassRegistry.h"
#include "classlib/FormLoader.h"
#include "classlib/Forms.h"
#include "classlib/Labels.h"
#include "classlib/Strings.h"
#include "classlib/UnitInit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr int kSmall = 1000;
constexpr int kRuns = 3;
// The larger count: 20,000 unless the command line gives another.
int gLarge = 20000;

AnsiString LabelsForm(int Count) {
    AnsiString text = "object LoadForm: TForm\n";
    for (int i = 0; i < Count; ++i) {
        const AnsiString n = IntToStr(Int64(i));
        text += "  object Label" + n + ": TLabel\n    Left = " + IntToStr(Int64(i % 400)) +
                "\n    Top = " + IntToStr(Int64(i / 400)) + "\n    Caption = 'Label " + n +
                "'\n  end\n";
    }
    return text + "end\n";
}

AnsiString ButtonsForm(int Count) {
    AnsiString text = "object LoadForm: TForm\n";
    for (int i = 0; i < Count; ++i) {
        const AnsiString n = IntToStr(Int64(i));
        // Listed last first, so that every button moves in the tab order.
        text += "  object Button" + n + ": TButton\n    Left = " + IntToStr(Int64(i % 400)) +
                "\n    Caption = 'Button " + n + "'\n    TabOrder = " +
                IntToStr(Int64(Count - 1 - i)) + "\n  end\n";
    }
    return text + "end\n";
}

AnsiString RadioGroupForm(int Count) {
    AnsiString text = "object LoadForm: TForm\n  object Group: TskSkinRadioGroup\n"
                      "    Width = 200\n    Height = 400\n    Items.Strings = (\n";
    for (int i = 0; i < Count; ++i) text += "      'Line " + IntToStr(Int64(i)) + "'\n";
    return text + "    )\n  end\nend\n";
}

// How many parts a form loaded from one of the texts above holds: its components, or the
// boxes of its radio group.
int PartsOf(TForm* Form) {
    if (auto* group = dynamic_cast<TskSkinRadioGroup*>(Form->FindComponent("Group")))
        return group->GetButtonCount();
    return Form->GetComponentCount();
}

struct TSeconds {
    double Load = 1e30;
    double Free = 1e30;
};

// The best of a few loads of Text into a new form, and of their freeing; a load that misses
// some of its Count parts ends the benchmark.
TSeconds SecondsToLoadAndFree(const AnsiString& Text, int Count) {
    TSeconds best;
    for (int run = 0; run < kRuns; ++run) {
        std::unique_ptr<TForm> form(new TForm(nullptr));
        best.Load = std::min(
            best.Load, Bench::Seconds([&] { ReadComponentText(Text, form.get(), "bench form"); }));
        if (PartsOf(form.get()) != Count)
            throw std::runtime_error("a form of " + std::to_string(Count) + " parts loaded " +
                                     std::to_string(PartsOf(form.get())));
        best.Free = std::min(best.Free, Bench::Seconds([&] { form.reset(); }));
    }
    return best;
}

void Report(const std::string& What, double Small, double Large) {
    std::printf("%-28s %9.2f ms  %10.2f ms   ratio %6.1f\n", What.c_str(), Small * 1000,
                Large * 1000, Large / Small);
    Bench::RecordRatio(What + ", " + std::to_string(gLarge) + " / " + std::to_string(kSmall),
                       Large / Small);
}

void Compare(const char* What, const std::function<AnsiString(int)>& Text) {
    const TSeconds small = SecondsToLoadAndFree(Text(kSmall), kSmall);
    const TSeconds large = SecondsToLoadAndFree(Text(gLarge), gLarge);
    Report(std::string("load ") + What, small.Load, large.Load);
    Report(std::string("free ") + What, small.Free, large.Free);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) gLarge = std::max(kSmall, std::atoi(argv[1]));
    try {
        InitializeUnits();
        for (const TClassInfo* type :
             {TLabel::StaticClass(), TButton::StaticClass(), TskSkinRadioGroup::StaticClass()})
            RegisterClass(type);
        const int times = gLarge / kSmall;
        const double logRatio = std::log(double(gLarge)) / std::log(double(kSmall));
        std::printf("Loading and freeing a form of %d components against one of %d: the ratio\n"
                    "is about %d for a cost that grows with N, %.0f for N log N, %d for N\n"
                    "squared.\n\n",
                    gLarge, kSmall, times, times * logRatio, times * times);
        std::printf("%-28s %9d    %10d\n", "components", kSmall, gLarge);
        Compare("labels", LabelsForm);
        Compare("buttons in tab order", ButtonsForm);
        Compare("radio group lines", RadioGroupForm);
        FinalizeUnits();
    } catch (const std::exception& E) {
        std::fprintf(stderr, "Benchmark failed: %s\n", E.what());
        return 1;
    }
    return 0;
}
