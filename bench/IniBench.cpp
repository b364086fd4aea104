// The INI document benchmark: reading a page file of 100,000 pages and looking up every page
// against one pass that only splits the same file into lines, and the memory an INI document
// takes per byte of a few extreme files, counted by the document and seen by the process.
// Every timed pass checks what it read: the number of lines, the sum of the values looked up
// and the number of entries listed; a wrong one ends the benchmark with an error.
#include "bench/BenchRatio.h"
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
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int PAGE_COUNT = 100000;
// The page file's lines: two headers, the type and the pages.
constexpr std::size_t PAGE_FILE_LINES = 3 + PAGE_COUNT;
constexpr std::size_t MEMORY_FILE_BYTES = 20u << 20;

AnsiString TempFileName(const char* Name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return AnsiString(folder) + "vantorel_ini_bench_" + IntToStr(Int64(GetCurrentProcessId())) +
           "_" + Name;
}

int PageValue(int Page) {
    return Page % 256;
}

AnsiString PageFileText() {
    AnsiString text = "[Type]\r\nCommonType=0\r\n[Page]\r\n";
    for (int page = 0; page < PAGE_COUNT; ++page)
        text += IntToStr(Int64(page)) + "=" + IntToStr(Int64(PageValue(page))) + "\r\n";
    return text;
}

// A timed pass counted Got where the file holds Expected: no figure of it is valid.
void Expect(const char* Pass, const char* What, long long Got, long long Expected) {
    if (Got == Expected) return;
    throw std::runtime_error(std::string(Pass) + ": " + What + " " + std::to_string(Got) +
                             ", not " + std::to_string(Expected));
}

void PrintRatio(const char* Name, double Seconds, double Reference, const char* ReferenceName,
                const Bench::TTarget& Target = {}) {
    const double ratio = Seconds / Reference;
    std::printf("  %-46s %8.2f ms  %5.2f x%s\n", Name, Seconds * 1e3, ratio,
                Bench::VerdictText(ratio, Target).c_str());
    Bench::RecordRatio(std::string(Name) + " / " + ReferenceName, ratio, Target);
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

    // The type, 0, and every page's value.
    long long expectedSum = 0;
    for (int page = 0; page < PAGE_COUNT; ++page)
        expectedSum += PageValue(page);
    const double splitStrings = Bench::BestSecondsPerCall([&] {
        std::vector<AnsiString> lines;
        SplitLines(ReadWholeFile(fileName),
                   [&](std::string_view Line) { lines.emplace_back(Line); });
        Expect("splitting into strings", "lines", (long long)lines.size(), PAGE_FILE_LINES);
    });
    const double splitViews = Bench::BestSecondsPerCall([&] {
        const AnsiString bytes = ReadWholeFile(fileName);
        std::vector<std::string_view> lines;
        SplitLines(bytes, [&](std::string_view Line) { lines.push_back(Line); });
        Expect("splitting into views", "lines", (long long)lines.size(), PAGE_FILE_LINES);
    });
    auto readAndLookUp = [&](const char* Pass, const std::vector<AnsiString>& Keys) {
        return Bench::BestSecondsPerCall([&] {
            TMemIniFile ini(fileName);
            long long sum = ini.ReadInteger("Type", "CommonType", 1);
            for (const AnsiString& key : Keys)
                sum += ini.ReadInteger("Page", key, -1);
            Expect(Pass, "the values looked up sum to", sum, expectedSum);
        });
    };
    const double inOrder = readAndLookUp("looking up in file order", keys);
    const double outOfOrder = readAndLookUp("looking up shuffled", shuffled);
    const double sectionValues = Bench::BestSecondsPerCall([&] {
        TMemIniFile ini(fileName);
        TStringList entries;
        ini.ReadSectionValues("Page", &entries);
        Expect("ReadSectionValues", "entries", entries.GetCount(), PAGE_COUNT);
    });
    DeleteFileA(fileName.c_str());

    std::printf("Page file of %d pages (%zu bytes), read from the file each time:\n", PAGE_COUNT,
                text.size());
    const char* strings = "split into line strings";
    std::printf("  %-46s %8.2f ms\n", "split into a list of line strings", splitStrings * 1e3);
    PrintRatio("split into line views (no copies)", splitViews, splitStrings, strings);
    PrintRatio("read + look up every page, in file order", inOrder, splitStrings, strings,
               Bench::AtMost(3));
    PrintRatio("read + look up every page, shuffled", outOfOrder, splitStrings, strings);
    PrintRatio("read + ReadSectionValues of [Page]", sectionValues, splitStrings, strings);
    std::printf("  (against line views: %.2f x in order, %.2f x shuffled)\n", inOrder / splitViews,
                outOfOrder / splitViews);
    Bench::RecordRatio("read + look up every page, in file order / split into line views",
                       inOrder / splitViews);
    Bench::RecordRatio("read + look up every page, shuffled / split into line views",
                       outOfOrder / splitViews);
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
    const Bench::TTarget target = Bench::AtMost(4);
    std::printf("  %-26s %6.1f MB  held %5.2f bytes/byte%s  load %7.1f ms", Name, bytes / 1048576,
                held / bytes, Bench::VerdictText(held / bytes, target).c_str(), seconds * 1e3);
    {
        // The process's own count of resident memory, reading through the INI file object.
        TMemIniFile ini(fileName);
        const double grown = double(ResidentBytes()) - double(before);
        std::printf("  process +%5.2f bytes/byte\n", grown / bytes);
        Bench::RecordRatio(std::string(Name) + ": bytes held per byte of the file", held / bytes,
                           target);
        Bench::RecordRatio(std::string(Name) + ": the process's growth per byte of the file",
                           grown / bytes);
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
