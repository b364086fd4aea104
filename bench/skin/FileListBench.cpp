// The file list benchmark, as a ratio measured in one run: filling the skinned file list
// from a folder of 2,000 files against reading the same folder with FindFirst/FindNext
// (at most 50x).
#include "bench/BenchRatio.h"
#include "bench/BenchTimer.h"
#include "bench/skin/SkinBenchMain.h"
#include "skin/boxctrls/skSkinShellCtrls_FileList.h"

#include "classlib/Forms.h"
#include "classlib/Paths.h"
#include "classlib/Strings.h"

#include <cstdio>

namespace {

constexpr int kFiles = 2000;

// A folder of kFiles small files under the temporary folder, made afresh.
AnsiString MakeFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const AnsiString folder = AnsiString(temp) + "vantorel-filelist-bench\\";
    ForceDirectories(folder);
    const char* const extensions[] = {".pge", ".txt", ".bmp", ".ini"};
    for (int i = 0; i < kFiles; ++i) {
        const AnsiString name = folder + Format("page%.4d", i) + extensions[i % 4];
        HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, "x", 1, &written, nullptr);
        CloseHandle(file);
    }
    return folder;
}

void RemoveFolder(const AnsiString& Folder) {
    TSearchRec found;
    for (int r = FindFirst(Folder + "*.*", faAnyFile, found); r == 0; r = FindNext(found))
        DeleteFileA((Folder + found.Name).c_str());
    FindClose(found);
    SetCurrentDir(ExeDir());
    RemoveDirectoryA(Folder.c_str());
}

int Run() {
    const AnsiString folder = MakeFolder();
    TForm form(nullptr);
    form.SetBounds(0, 0, 800, 600);
    auto* list = new TskSkinFileListView(&form);
    list->SetParent(&form);
    list->SetAlign(alClient);
    list->SetViewStyle(vsReport);
    form.Show();
    list->SetDirectory(folder);
    Application->ProcessMessages();
    if (list->GetItemCount() != kFiles) {
        std::printf("the list shows %d files, not %d\n", list->GetItemCount(), kFiles);
        return 1;
    }
    const double fill = Bench::BestSecondsPerCall([&] { list->UpdateFileList(); });
    int counted = 0;
    const double search = Bench::BestSecondsPerCall([&] {
        TSearchRec found;
        counted = 0;
        for (int r = FindFirst(folder + "*.*", faAnyFile, found); r == 0; r = FindNext(found))
            ++counted;
        FindClose(found);
    });
    const double read = Bench::BestSecondsPerCall([&] {
        Bench::KeepMemory(Skshellctrls::ReadFolder(folder, "*.*").data());
    });
    const double ratio = fill / search;
    const Bench::TTarget target = Bench::AtMost(50);
    const char* name = "file list fill of 2,000 files / FindFirst-FindNext";
    std::printf("%-62s %7.2f%s\n", name, ratio, Bench::VerdictText(ratio, target).c_str());
    Bench::RecordRatio(name, ratio, target);
    std::printf("  fill %.2f ms (reading and ordering the entries %.2f ms), search %.3f ms (%d entries)\n",
                fill * 1e3, read * 1e3, search * 1e3, counted);
    RemoveFolder(folder);
    return 0;
}

} // namespace

int main() {
    return RunSkinBench(Run);
}
