// The skinned frame benchmark, as a ratio measured in one run: WM_NCPAINT of a form of
// 1280 x 1000 on the program's own skin against the system's own non-client repaint of a
// captioned window of that size (at most 3x).
#include "bench/BenchTimer.h"
#include "bench/skin/SkinBenchMain.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinData_Stored.h"
#include "skin/form/SkinForm.h"

#include "classlib/Forms.h"
#include "classlib/Paths.h"
#include "classlib/UnitInit.h"

#include <cstdio>
#include <exception>

namespace {

int Run() {
    TskStoredSkin stored(nullptr);
    stored.LoadFromFile(ExeDir() + "..\\generated\\skin\\skin.ini");
    TForm plain(nullptr);
    plain.SetBounds(0, 0, 1280, 1000);
    plain.Show();
    TForm skinned(nullptr);
    auto* data = new TskSkinData(&skinned);
    data->LoadStoredSkin(&stored);
    auto* frame = new TskSkinForm(&skinned);
    skinned.SetBounds(0, 0, 1280, 1000);
    skinned.Show();
    frame->SetSkinData(data);
    Application->ProcessMessages();
    if (!frame->SkinApplied()) {
        std::printf("the program's skin did not apply\n");
        return 1;
    }
    const double ours = Bench::BestSecondsPerCall(
        [&] { SendMessageA(skinned.GetHandle(), WM_NCPAINT, 1, 0); });
    const double system = Bench::BestSecondsPerCall(
        [&] { SendMessageA(plain.GetHandle(), WM_NCPAINT, 1, 0); });
    const double ratio = ours / system;
    std::printf("%-62s %7.2f  (at most 3) %s\n", "WM_NCPAINT skinned 1280x1000 / system's captioned frame",
                ratio, ratio <= 3 ? "met" : "not met");
    std::printf("  skinned %.1f us, system %.1f us\n", ours * 1e6, system * 1e6);
    return 0;
}

} // namespace

int main() {
    return RunSkinBench(Run);
}
