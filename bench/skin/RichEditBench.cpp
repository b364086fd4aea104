// The skinned rich edit benchmark, as a ratio measured in one run: a rich edit holding about
// 1 MB of text in 20,000 lines, loaded and then paged through from top to bottom with the Page
// Down key, every step painted; the skinned rich edit with its two skinned bars on the
// program's own skin against the system's rich edit with its own bars, in the same font and
// colours (at most 1.5x). The best of three runs of each, taken in turn.
#include "bench/BenchRatio.h"
#include "bench/skin/SkinBenchMain.h"
#include "skin/controls/SkinCtrls_RichEdits.h"
#include "skin/data/SkinData.h"

#include "classlib/Forms.h"
#include "classlib/Paths.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int kLines = 20000;

// kLines lines of 50 characters and a line break each.
std::string Document() {
    std::string text;
    text.reserve(static_cast<std::size_t>(kLines) * 52);
    const std::string words = "segments a b c d e f g and the decimal point..";
    for (int i = 0; i < kLines; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%05d ", i);
        text += number;
        text += words.substr(0, 44);
        text += "\r\n";
    }
    return text;
}

// The form's windows painted now, the children's too.
void PaintNow(TForm& Form) {
    RedrawWindow(Form.GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

struct TTimes {
    double Load = 1e9;
    double Scroll = 1e9;
    int Pages = 0;
};

double Seconds(const std::chrono::steady_clock::time_point& From) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - From).count();
}

// One run on a new form and editor: the text loaded into it, then paged through to the end.
// The best of the runs so far is kept. The editor's own layout of a long text costs seconds
// under Wine, so each phase is timed once per run rather than repeated.
void Run(TForm& Form, TCustomRichEdit* Edit, const std::string& Text, TTimes& Best) {
    Form.SetBounds(0, 0, 640, 480);
    Form.Show();
    Application->ProcessMessages();
    HWND wnd = Edit->GetHandle();
    auto start = std::chrono::steady_clock::now();
    Edit->SetText(Text);
    PaintNow(Form);
    Best.Load = std::min(Best.Load, Seconds(start));
    start = std::chrono::steady_clock::now();
    int pages = 0;
    for (int last = -1;;) {
        SendMessageA(wnd, WM_KEYDOWN, VK_NEXT, 1);
        SendMessageA(wnd, WM_KEYUP, VK_NEXT, 0xC0000001);
        PaintNow(Form);
        const auto first = static_cast<int>(SendMessageA(wnd, EM_GETFIRSTVISIBLELINE, 0, 0));
        if (first == last) break;
        last = first;
        ++pages;
    }
    Best.Scroll = std::min(Best.Scroll, Seconds(start));
    Best.Pages = pages;
}

TskSkinScrollBar* NewBar(TForm& Form, TskSkinData* Skin, bool Vertical) {
    auto* bar = new TskSkinScrollBar(&Form);
    bar->SetParent(&Form);
    if (Vertical) {
        bar->SetSkinDataName("vscrollbar");
        bar->SetKind(sbVertical);
        bar->SetAlign(alRight);
        bar->SetWidth(19);
    } else {
        bar->SetAlign(alBottom);
        bar->SetHeight(19);
    }
    bar->SetSkinData(Skin);
    return bar;
}

int Run() {
    const std::string text = Document();
    TskSkinData skin(nullptr);
    skin.LoadFromFile(ExeDir() + "..\\generated\\skin\\skin.ini");

    auto skinnedFont = std::make_unique<TFont>();
    TColor skinnedColor = clWindow;
    {
        TForm form(nullptr);
        auto* probe = new TskSkinRichEdit(&form);
        probe->SetSkinSupport(true);
        probe->SetSkinData(&skin);
        skinnedFont->Assign(probe->GetFont());
        skinnedColor = probe->GetColor();
    }
    auto plainRun = [&](TTimes& Times) {
        TForm form(nullptr);
        auto* plain = new TRichEdit(&form);
        plain->SetParent(&form);
        plain->SetScrollBars(ssBoth);
        plain->SetAlign(alClient);
        // The skinned editor's font and colours, from the skin's record.
        plain->GetFont()->Assign(skinnedFont.get());
        plain->SetColor(skinnedColor);
        Run(form, plain, text, Times);
    };
    auto skinnedRun = [&](TTimes& Times) {
        TForm form(nullptr);
        TskSkinScrollBar* vbar = NewBar(form, &skin, true);
        TskSkinScrollBar* hbar = NewBar(form, &skin, false);
        auto* skinned = new TskSkinRichEdit(&form);
        skinned->SetParent(&form);
        skinned->SetAlign(alClient);
        skinned->SetSkinSupport(true);
        skinned->SetSkinData(&skin);
        skinned->SetVScrollBar(vbar);
        skinned->SetHScrollBar(hbar);
        Run(form, skinned, text, Times);
        return vbar->GetEnabled() && vbar->GetPosition() + vbar->GetPageSize() >= vbar->GetMax() - 1;
    };
    // The first long text a process lays out goes faster than any after it under Wine: one
    // run of each is not counted, then they take turns.
    TTimes system, ours, warm;
    plainRun(warm);
    skinnedRun(warm);
    for (int run = 0; run < 3; ++run) {
        if (run % 2 == 0) plainRun(system);
        if (!skinnedRun(ours)) {
            std::printf("the skinned bar did not follow the editor to the end\n");
            return 1;
        }
        if (run % 2 == 1) plainRun(system);
    }
    const double ratio = (ours.Load + ours.Scroll) / (system.Load + system.Scroll);
    const Bench::TTarget target = Bench::AtMost(1.5);
    const char* name = "rich edit 1 MB load and paging, skinned / system's";
    std::printf("%-62s %7.2f%s\n", name, ratio, Bench::VerdictText(ratio, target).c_str());
    Bench::RecordRatio(name, ratio, target);
    std::printf("  load: skinned %.0f ms, system %.0f ms; %d pages down: skinned %.0f ms, "
                "system %.0f ms\n",
                ours.Load * 1e3, system.Load * 1e3, ours.Pages, ours.Scroll * 1e3,
                system.Scroll * 1e3);
    return 0;
}

} // namespace

int main() {
    return RunSkinBench(Run);
}
