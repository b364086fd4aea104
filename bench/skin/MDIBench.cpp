// The skinned MDI arrangement benchmark, as ratios measured in one run: Tile and Cascade of
// 50 children framed by the program's own skin (the skinned main form's own arrangement)
// against the system's Tile and Cascade of 50 plain MDI children, each with the repaint it
// causes (at most 2x).
#include "bench/BenchRatio.h"
#include "bench/skin/SkinBenchMain.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinData_Stored.h"
#include "skin/form/SkinForm.h"

#include "classlib/Forms.h"
#include "classlib/Paths.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <limits>
#include <string>

namespace {

constexpr int kChildren = 50;
constexpr int kRuns = 7;

TForm* MakeMain(int Left) {
    auto* main = new TForm(nullptr);
    main->SetFormStyle(fsMDIForm);
    main->SetBounds(Left, 0, 640, 600);
    Application->SetMainForm(main);
    return main;
}

void AddChildren(TskSkinData* Data) {
    for (int i = 0; i < kChildren; ++i) {
        auto* child = new TForm(nullptr);
        child->SetCaption(("Child " + std::to_string(i)).c_str());
        child->SetFormStyle(fsMDIChild);
        child->SetBounds(i * 4, i * 4, 240, 180);
        if (Data) (new TskSkinForm(child))->SetSkinData(Data);
        child->Show();
    }
    Application->ProcessMessages();
}

// The best of a few runs of Operation, each after Before has put the children elsewhere,
// the repaint of the whole client window included.
double BestSeconds(HWND Client, const std::function<void()>& Before, const std::function<void()>& Operation) {
    auto repaint = [&] {
        RedrawWindow(Client, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        Application->ProcessMessages();
    };
    double best = std::numeric_limits<double>::infinity();
    for (int run = 0; run < kRuns; ++run) {
        Before();
        repaint();
        const auto start = std::chrono::steady_clock::now();
        Operation();
        repaint();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void Report(const char* What, double Skinned, double Plain) {
    const double ratio = Skinned / Plain;
    const Bench::TTarget target = Bench::AtMost(2);
    std::printf("%-62s %7.2f%s\n", What, ratio, Bench::VerdictText(ratio, target).c_str());
    std::printf("  skinned %.1f ms, plain %.1f ms\n", Skinned * 1e3, Plain * 1e3);
    Bench::RecordRatio(What, ratio, target);
}

int Run() {
    TskStoredSkin stored(nullptr);
    stored.LoadFromFile(ExeDir() + "..\\generated\\skin\\skin.ini");
    // The plain program first: a child is made in the client window of the main form.
    TForm* plain = MakeMain(0);
    plain->Show();
    AddChildren(nullptr);
    TForm* skinned = MakeMain(640);
    auto* data = new TskSkinData(skinned);
    data->LoadStoredSkin(&stored);
    auto* frame = new TskSkinForm(skinned);
    frame->SetSkinData(data);
    skinned->Show();
    AddChildren(data);
    if (!frame->SkinApplied() || skinned->GetMDIChildCount() != kChildren || plain->GetMDIChildCount() != kChildren) {
        std::printf("the skinned MDI program did not come up\n");
        return 1;
    }
    const double skinnedTile = BestSeconds(skinned->GetClientHandle(), [&] { frame->Cascade(); }, [&] { frame->Tile(); });
    const double plainTile = BestSeconds(plain->GetClientHandle(), [&] { plain->Cascade(); }, [&] { plain->Tile(); });
    const double skinnedCascade =
        BestSeconds(skinned->GetClientHandle(), [&] { frame->Tile(); }, [&] { frame->Cascade(); });
    const double plainCascade = BestSeconds(plain->GetClientHandle(), [&] { plain->Tile(); }, [&] { plain->Cascade(); });
    Report("Tile of 50 skinned MDI children / 50 plain ones", skinnedTile, plainTile);
    Report("Cascade of 50 skinned MDI children / 50 plain ones", skinnedCascade, plainCascade);
    for (TForm* main : {skinned, plain}) {
        for (TCustomForm* child : main->GetMDIChildList()) delete child;
        delete main;
    }
    return 0;
}

} // namespace

int main() {
    return RunSkinBench(Run);
}
