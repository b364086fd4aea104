// The INI document benchmark: reading a page file of 100,000 pages and looking up every page
// against one pass that only splits the same file into lines, and the memory an INI document
// takes per byte of a few extreme files, counted by the document and seen by the process.
#include "bench/BenchTimer.h"
#include "classlib/IniDocument.h"
#include "classlib/IniFiles.h"
#include "classlib/StringList.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"
#include "classlib/UnitInit.h"

#include "classlib/Platform.h"
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <random>
#include <string_view>
#include <vector>

namespace {

constexpr int PAGE_COUNT = 100000;
constexpr std::size_t MEMORY_FILE_BYTES = 20u << 20;

AnsiString TempFileName(const char* Name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return AnsiString(folder) + "vantorel_ini_bench_" + IntToStr(Int64(GetCurrentProcessId())) +
           "_" + Name;
}

AnsiString PageFileText() {
    AnsiString text = "[Type]\r\nCommonType=0\r\n[Page]\r\n";
    for (int page = 0; page < PAGE_COUNT; ++page)
        text += IntToStr(Int64(page)) + "=" + IntToStr(Int64(page % 256)) + "\r\n";
    return text;
}

AnsiString ReadWholeFile(const AnsiString& FileName) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
    AnsiString text(static_cast<std::size_t>(file.GetSize()), '\0');
    file.ReadBuffer(text.data(), static_cast<Int64>(text.size()));
    return text;
}

// Calls Visit(Line) for each line, with the document's own idea of a line break.
template <class TVisit> void SplitLines(std::string_view Text, TVisit&& Visit) {
    std::size_t start = 0;
    while (start < Text.size()) {
        std::size_t end = start;
        while (end < Text.size() && Text[end] != '\n' && Text[end] != '\r')
            ++end;
        Visit(Text.substr(start, end - start));
        start =
            end < Text.size() && Text[end] == '\r' && end + 1 < Text.size() && Text[end + 1] == '\n'
                ? end + 2
                : end + 1;
    }
}

void BenchPageFile() {
    const AnsiString fileName = TempFileName("pages.pge");
    const AnsiString text = PageFileText();
    WriteFileReplacing(fileName, text.data(), text.size());
    std::vector<AnsiString> keys;
    for (int page = 0; page < PAGE_COUNT; ++page)
        keys.push_back(IntToStr(Int64(page)));
    std::vector<AnsiString> shuffled = keys;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(1));

    long long sink = 0;
    const double splitStrings = Bench::BestSecondsPerCall([&] {
        std::vector<AnsiString> lines;
        SplitLines(ReadWholeFile(fileName),
                   [&](std::string_view Line) { lines.emplace_back(Line); });
        sink += static_cast<long long>(lines.size());
    });
    const double splitViews = Bench::BestSecondsPerCall([&] {
        const AnsiString bytes = ReadWholeFile(fileName);
        std::vector<std::string_view> lines;
        SplitLines(bytes, [&](std::string_view Line) { lines.push_back(Line); });
        sink += static_cast<long long>(lines.size());
    });
    auto readAndLookUp = [&](const std::vector<AnsiString>& Keys) {
        return Bench::BestSecondsPerCall([&] {
            TMemIniFile ini(fileName);
            sink += ini.ReadInteger("Type", "CommonType", 1);
            for (const AnsiString& key : Keys)
                sink += ini.ReadInteger("Page", key, -1);
        });
    };
    const double inOrder = readAndLookUp(keys);
    const double outOfOrder = readAndLookUp(shuffled);
    const double sectionValues = Bench::BestSecondsPerCall([&] {
        TMemIniFile ini(fileName);
        TStringList entries;
        ini.ReadSectionValues("Page", &entries);
        sink += entries.GetCount();
    });
    DeleteFileA(fileName.c_str());

    std::printf("Page file of %d pages (%zu bytes), read from the file each time:\n", PAGE_COUNT,
                text.size());
    std::printf("  %-46s %8.2f ms\n", "split into a list of line strings", splitStrings * 1e3);
    std::printf("  %-46s %8.2f ms  %5.2f x\n", "split into line views (no copies)",
                splitViews * 1e3, splitViews / splitStrings);
    std::printf("  %-46s %8.2f ms  %5.2f x   (at most 3 x: %s)\n",
                "read + look up every page, in file order", inOrder * 1e3, inOrder / splitStrings,
                inOrder / splitStrings <= 3 ? "met" : "not met");
    std::printf("  %-46s %8.2f ms  %5.2f x\n", "read + look up every page, shuffled",
                outOfOrder * 1e3, outOfOrder / splitStrings);
    std::printf("  %-46s %8.2f ms  %5.2f x\n", "read + ReadSectionValues of [Page]",
                sectionValues * 1e3, sectionValues / splitStrings);
    std::printf("  (against line views: %.2f x in order, %.2f x shuffled)\n", inOrder / splitViews,
                outOfOrder / splitViews);
    if (sink == 42) std::printf(" \n");
}

// What used to grow with the square of the size: listing many sections, writing many keys.
void BenchLargeEdits() {
    AnsiString sections;
    for (int i = 0; i < PAGE_COUNT; ++i) {
        sections += "[S";
        sections += IntToStr(Int64(i));
        sections += "]\r\nk=1\r\n";
    }
    TStringList lines;
    lines.SetText(sections);
    TMemIniFile ini("");
    ini.SetStrings(&lines);
    TStringList names;
    const double listing = Bench::BestSecondsPerCall([&] { ini.ReadSections(&names); });
    const double writing = Bench::BestSecondsPerCall([&] {
        TMemIniFile pages("");
        for (int page = 0; page < PAGE_COUNT; ++page)
            pages.WriteInteger("Page", IntToStr(Int64(page)), page % 256);
    });
    std::printf("\n%d sections listed by ReadSections:           %8.2f ms\n", names.GetCount(),
                listing * 1e3);
    std::printf("%d new keys written one by one into a section: %8.2f ms\n", PAGE_COUNT,
                writing * 1e3);
}

SIZE_T ResidentBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    return counters.WorkingSetSize;
}

AnsiString Repeated(const char* Line, std::size_t Bytes) {
    AnsiString text;
    text.reserve(Bytes);
    const std::size_t length = std::string_view(Line).size();
    while (text.size() + length <= Bytes)
        text += Line;
    return text;
}

AnsiString NumberedSections(std::size_t Bytes) {
    AnsiString text;
    text.reserve(Bytes + 16);
    for (Int64 i = 0; text.size() < Bytes; ++i) {
        text += '[';
        text += IntToStr(i);
        text += "]\n";
    }
    return text;
}

void BenchMemory(const char* Name, const AnsiString& Text) {
    const AnsiString fileName = TempFileName("memory.ini");
    WriteFileReplacing(fileName, Text.data(), Text.size());
    const double bytes = double(Text.size());
    const SIZE_T before = ResidentBytes();
    double held = 0;
    double seconds = 0;
    {
        LARGE_INTEGER start, stop, frequency;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        TIniDocument document;
        document.SetText(ReadWholeFile(fileName));
        QueryPerformanceCounter(&stop);
        seconds = double(stop.QuadPart - start.QuadPart) / double(frequency.QuadPart);
        held = double(document.GetMemoryUsed());
    }
    std::printf("  %-26s %6.1f MB  held %5.2f bytes/byte (at most 4: %s)  load %7.1f ms", Name,
                bytes / 1048576, held / bytes, held / bytes <= 4 ? "met" : "not met", seconds * 1e3);
    {
        // The process's own count of resident memory, reading through the INI file object.
        TMemIniFile ini(fileName);
        const double grown = double(ResidentBytes()) - double(before);
        std::printf("  process +%5.2f bytes/byte\n", grown / bytes);
    }
    DeleteFileA(fileName.c_str());
}

void BenchMemoryPerByte() {
    std::printf("\nMemory of an INI document per byte of its file:\n");
    BenchMemory("line feeds", AnsiString(MEMORY_FILE_BYTES, '\n'));
    BenchMemory("CR LF pairs", Repeated("\r\n", MEMORY_FILE_BYTES));
    BenchMemory("\"[]\" headers", Repeated("[]\n", MEMORY_FILE_BYTES));
    BenchMemory("\"a=\" entries", Repeated("a=\n", MEMORY_FILE_BYTES));
    BenchMemory("numbered sections", NumberedSections(MEMORY_FILE_BYTES));
}

} // namespace

int main() {
    try {
        InitializeUnits();
        BenchPageFile();
        BenchLargeEdits();
        BenchMemoryPerByte();
        FinalizeUnits();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Benchmark failed: %s\n", e.what());
        return 1;
    }
}
