// The skinned frame benchmark, as ratios measured in one run: WM_NCPAINT of a form of
// 1280 x 1000 on the program's own skin against the system's own non-client repaint of a
// captioned window of that size (at most 3x). Each form is measured alone on the screen, in
// the two cases users see: on top and active, and behind a modal dialog centred on it (as the
// program's questions and file dialogs are), inactive and partly covered.
#include "bench/BenchRatio.h"
#include "bench/BenchTimer.h"
#include "bench/skin/SkinBenchMain.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinData_Stored.h"
#include "skin/form/SkinForm.h"

#include "classlib/Forms.h"
#include "classlib/Paths.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

double NcPaintSeconds(TForm* Form) {
    return Bench::BestSecondsPerCall([&] { SendMessageA(Form->GetHandle(), WM_NCPAINT, 1, 0); });
}

// Shows Form alone on the screen, active.
void ShowAlone(TForm* Form, TForm* Other) {
    Other->Hide();
    Form->Show();
    SetForegroundWindow(Form->GetHandle());
    Application->ProcessMessages();
}

// WM_NCPAINT of Form while a modal dialog centred on it is shown: the form is disabled,
// inactive and covered where the dialog lies.
double CoveredNcPaintSeconds(TForm* Form) {
    TForm dialog(nullptr);
    dialog.SetBorderStyle(bsDialog);
    dialog.SetCaption("Question");
    const int width = 420, height = 160;
    dialog.SetBounds(Form->GetLeft() + (Form->GetWidth() - width) / 2,
                     Form->GetTop() + (Form->GetHeight() - height) / 2, width, height);
    double seconds = -1;
    std::string wrong;
    Application->OnIdle = TIdleEvent::FromCallable([&](TObject*, bool& Done) {
        if (!dialog.GetVisible() || dialog.GetModalResult() != mrNone) return;
        RECT form, covering, common;
        GetWindowRect(Form->GetHandle(), &form);
        GetWindowRect(dialog.GetHandle(), &covering);
        if (GetActiveWindow() != dialog.GetHandle() || IsWindowEnabled(Form->GetHandle()) ||
            !IntersectRect(&common, &form, &covering))
            wrong = "the dialog is not modal over the form";
        else
            seconds = NcPaintSeconds(Form);
        dialog.SetModalResult(mrOk);
        // The modal loop looks at the result only after a message: it must not wait.
        Done = false;
    });
    dialog.ShowModal();
    Application->OnIdle = nullptr;
    Application->ProcessMessages();
    if (!wrong.empty()) throw std::runtime_error(wrong);
    if (seconds < 0) throw std::runtime_error("the dialog over the form never showed");
    return seconds;
}

void Report(const char* Case, double Ours, double System) {
    const double ratio = Ours / System;
    const Bench::TTarget target = Bench::AtMost(3);
    const std::string name =
        std::string("WM_NCPAINT skinned 1280x1000 / system's captioned frame, ") + Case;
    std::printf("%-74s %7.2f%s\n", name.c_str(), ratio, Bench::VerdictText(ratio, target).c_str());
    std::printf("  skinned %.1f us, system %.1f us\n", Ours * 1e6, System * 1e6);
    Bench::RecordRatio(name, ratio, target);
}

int Run() {
    TskStoredSkin stored(nullptr);
    stored.LoadFromFile(ExeDir() + "..\\generated\\skin\\skin.ini");
    TForm plain(nullptr);
    plain.SetCaption("Plain");
    plain.SetBounds(0, 0, 1280, 1000);
    TForm skinned(nullptr);
    skinned.SetCaption("Skinned");
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
    ShowAlone(&plain, &skinned);
    const double systemTop = NcPaintSeconds(&plain);
    const double systemCovered = CoveredNcPaintSeconds(&plain);
    ShowAlone(&skinned, &plain);
    const double oursTop = NcPaintSeconds(&skinned);
    const double oursCovered = CoveredNcPaintSeconds(&skinned);
    Report("on top", oursTop, systemTop);
    Report("behind a modal dialog", oursCovered, systemCovered);
    return 0;
}

} // namespace

int main() {
    return RunSkinBench(Run);
}
