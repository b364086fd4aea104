#include "tests/robustness/RobustnessHarness.h"

#include "classlib/Platform.h"
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <new>
#include <random>

// ---- The counting allocator -------------------------------------------------------------
// Every C++ allocation of the program carries its size in a header, so that the live total
// and its peak are known; while an input loads, its allocations are capped.

namespace {

constexpr std::size_t kHeader = 16;
std::atomic<std::size_t> gLive{0};
std::atomic<std::size_t> gPeak{0};
std::atomic<std::size_t> gCap{std::numeric_limits<std::size_t>::max()};
std::atomic<bool> gCapHit{false};

void* CountedAllocate(std::size_t Size) {
    if (Size > std::numeric_limits<std::size_t>::max() - kHeader) throw std::bad_alloc();
    std::size_t live = gLive.fetch_add(Size) + Size;
    if (live > gCap.load()) {
        gLive -= Size;
        gCapHit = true;
        throw std::bad_alloc();
    }
    for (std::size_t peak = gPeak.load();
         live > peak && !gPeak.compare_exchange_weak(peak, live);) {
    }
    void* block = std::malloc(Size + kHeader);
    if (!block) {
        gLive -= Size;
        throw std::bad_alloc();
    }
    *static_cast<std::size_t*>(block) = Size;
    return static_cast<char*>(block) + kHeader;
}

void CountedFree(void* Memory) noexcept {
    if (!Memory) return;
    char* block = static_cast<char*>(Memory) - kHeader;
    gLive -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

void* CountedAllocateNoThrow(std::size_t Size) noexcept {
    try {
        return CountedAllocate(Size);
    } catch (...) {
        return nullptr;
    }
}

} // namespace

void* operator new(std::size_t Size) {
    return CountedAllocate(Size);
}
void* operator new[](std::size_t Size) {
    return CountedAllocate(Size);
}
void* operator new(std::size_t Size, const std::nothrow_t&) noexcept {
    return CountedAllocateNoThrow(Size);
}
void* operator new[](std::size_t Size, const std::nothrow_t&) noexcept {
    return CountedAllocateNoThrow(Size);
}
void operator delete(void* Memory) noexcept {
    CountedFree(Memory);
}
void operator delete[](void* Memory) noexcept {
    CountedFree(Memory);
}
void operator delete(void* Memory, std::size_t) noexcept {
    CountedFree(Memory);
}
void operator delete[](void* Memory, std::size_t) noexcept {
    CountedFree(Memory);
}
void operator delete(void* Memory, const std::nothrow_t&) noexcept {
    CountedFree(Memory);
}
void operator delete[](void* Memory, const std::nothrow_t&) noexcept {
    CountedFree(Memory);
}

// ---- Crashes --------------------------------------------------------------------------
// A crash ends the program; it first says which input caused it.

namespace {

char gCurrentInput[256] = "";

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* Info) {
    std::fprintf(stderr, "Crashed with exception 0x%08lX while loading input \"%s\"\n",
                 static_cast<unsigned long>(Info->ExceptionRecord->ExceptionCode), gCurrentInput);
    std::fflush(stderr);
    return EXCEPTION_CONTINUE_SEARCH;
}

const bool kCrashReporter = (SetUnhandledExceptionFilter(ReportCrash), true);

std::size_t PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

std::size_t WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

// The most working set since the last Restart, sampled every millisecond from a thread of
// its own: the system's peak is the process's, which an earlier input may have raised past
// what a later one uses, so that the later one's growth went unseen.
class TWorkingSetPeak {
public:
    TWorkingSetPeak() : FStop(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        InitializeCriticalSection(&FLock);
        Restart();
        FThread = CreateThread(nullptr, 0, &TWorkingSetPeak::Sample, this, 0, nullptr);
    }
    ~TWorkingSetPeak() {
        SetEvent(FStop);
        WaitForSingleObject(FThread, INFINITE);
        CloseHandle(FThread);
        CloseHandle(FStop);
        DeleteCriticalSection(&FLock);
    }
    TWorkingSetPeak(const TWorkingSetPeak&) = delete;
    TWorkingSetPeak& operator=(const TWorkingSetPeak&) = delete;

    // A sample taken before the restart never counts after it.
    void Restart() {
        EnterCriticalSection(&FLock);
        FPeak = WorkingSet();
        LeaveCriticalSection(&FLock);
    }
    // The peak, with a last sample.
    std::size_t Peak() { return Take(); }

private:
    std::size_t Take() {
        EnterCriticalSection(&FLock);
        FPeak = std::max(FPeak, WorkingSet());
        const std::size_t peak = FPeak;
        LeaveCriticalSection(&FLock);
        return peak;
    }
    static DWORD WINAPI Sample(void* Self) {
        auto* peak = static_cast<TWorkingSetPeak*>(Self);
        do
            peak->Take();
        while (WaitForSingleObject(peak->FStop, 1) == WAIT_TIMEOUT);
        return 0;
    }

    CRITICAL_SECTION FLock;
    std::size_t FPeak = 0;
    HANDLE FStop;
    HANDLE FThread = nullptr;
};

double ThreadCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& T) {
        return (std::uint64_t(T.dwHighDateTime) << 32) | T.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

std::string Megabytes(std::size_t Bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(Bytes) / (1 << 20));
    return text;
}

} // namespace

// ---- Corpora --------------------------------------------------------------------------

int CorpusScale() {
    static const int scale = [] {
        const char* text = std::getenv("VANTOREL_ROBUSTNESS_SCALE");
        int value = text ? std::atoi(text) : 1;
        return std::max(value, 1);
    }();
    return scale;
}

void AddTruncations(TCorpus& Corpus, const std::string& Name, const std::string& Seed) {
    for (std::size_t length = 0; length < Seed.size(); ++length)
        Corpus.push_back({Name + " cut at " + std::to_string(length), Seed.substr(0, length)});
}

void AddBitFlips(TCorpus& Corpus, const std::string& Name, const std::string& Seed, int Count,
                 std::uint32_t RandomSeed) {
    if (Seed.empty()) return;
    std::mt19937 random(RandomSeed);
    std::uniform_int_distribution<std::size_t> bit(0, Seed.size() * 8 - 1);
    std::uniform_int_distribution<int> flips(1, 3);
    for (int i = 0; i < Count * CorpusScale(); ++i) {
        std::string bytes = Seed;
        std::string name = Name + " flipped";
        // Distinct bits, so that no flip undoes another.
        std::vector<std::size_t> flipped;
        for (auto n = std::min<std::size_t>(flips(random), Seed.size() * 8); n > 0;) {
            std::size_t at = bit(random);
            if (std::find(flipped.begin(), flipped.end(), at) != flipped.end()) continue;
            flipped.push_back(at);
            --n;
            bytes[at / 8] = static_cast<char>(bytes[at / 8] ^ (1 << (at % 8)));
            name += ' ';
            name += std::to_string(at);
        }
        Corpus.push_back({name, bytes});
    }
}

void PutLE(std::string& Bytes, std::uint64_t Value, int Size) {
    for (int i = 0; i < Size; ++i)
        Bytes += static_cast<char>(Value >> (8 * i));
}

std::string WithField(const std::string& Seed, const TField& Field, std::uint64_t Value) {
    std::string bytes = Seed;
    for (int i = 0; i < Field.Size && Field.Offset + i < bytes.size(); ++i) {
        int shift = 8 * (Field.BigEndian ? Field.Size - 1 - i : i);
        bytes[Field.Offset + i] = static_cast<char>(Value >> shift);
    }
    return bytes;
}

namespace {

std::string Hex(std::uint64_t Value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(Value));
    return text;
}

} // namespace

void AddFieldValues(TCorpus& Corpus, const std::string& Name, const std::string& Seed,
                    const std::vector<TField>& Fields) {
    for (const TField& field : Fields) {
        const int bits = field.Size * 8;
        const std::uint64_t ones = bits >= 64 ? ~0ull : (1ull << bits) - 1;
        std::vector<std::uint64_t> values = {0, 1, ones, ones >> 1, (ones >> 1) + 1};
        for (int power : {8, 12, 15, 16, 24, 30, 31})
            if (power < bits) values.push_back(1ull << power);
        for (std::uint64_t value : values)
            Corpus.push_back({Name + " " + field.Name + "=" + Hex(value & ones),
                              WithField(Seed, field, value & ones)});
    }
}

void AddFieldProducts(TCorpus& Corpus, const std::string& Name, const std::string& Seed,
                      const TField& First, const TField& Second) {
    const std::uint64_t values[] = {0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
    for (std::uint64_t a : values)
        for (std::uint64_t b : values)
            Corpus.push_back(
                {Name + " " + First.Name + "=" + Hex(a) + " " + Second.Name + "=" + Hex(b),
                 WithField(WithField(Seed, First, a), Second, b)});
}

const std::vector<std::string>& HostileNumbers() {
    static const std::vector<std::string> numbers = {
        "-1",          "0",           "1",           "3",          "65536",
        "2147483647",  "-2147483648", "4294967296",  "99999999999", "-100",
        "1e3",         "0x10",        "2.75",        " 1",          ""};
    return numbers;
}

std::string Repeat(const std::string& Part, std::size_t Count) {
    std::string result;
    result.reserve(Part.size() * Count);
    for (std::size_t i = 0; i < Count; ++i)
        result += Part;
    return result;
}

// ---- The bounded-load check -----------------------------------------------------------

void robustness_detail::CheckBoundedLoads(
    const TCorpus& Corpus, const std::function<void(const std::string&)>& Load,
    const std::function<bool(const std::exception&)>& Accepted, const std::string& Expected,
    const TBounds& Bounds, bool MustRefuse) {
    std::vector<std::string> failures;
    std::size_t processLimit = std::max(PeakWorkingSet(), WorkingSet() + Bounds.ProcessBytes);
    TWorkingSetPeak sampled;
    for (const TCorpusEntry& input : Corpus) {
        std::snprintf(gCurrentInput, sizeof gCurrentInput, "%s", input.Name.c_str());
        const std::size_t heapBound =
            Bounds.HeapBase + static_cast<std::size_t>(Bounds.HeapPerByte * input.Bytes.size());
        const std::size_t liveBefore = gLive.load();
        gPeak = liveBefore;
        gCapHit = false;
        gCap = liveBefore + 2 * heapBound;
        const double cpuBefore = ThreadCpuSeconds();
        std::string outcome;
        sampled.Restart();
        const std::size_t workingSetBefore = WorkingSet();
        try {
            Load(input.Bytes);
            if (MustRefuse) outcome = "loaded: the damage was taken as valid";
        } catch (const std::bad_alloc&) {
            outcome = "ran out of memory";
        } catch (const std::exception& E) {
            if (!Accepted(E))
                outcome = std::string("raised ") + typeid(E).name() + " (not " + Expected +
                          "): " + E.what();
        } catch (...) {
            outcome = "raised something that is not an exception";
        }
        const std::size_t workingSetPeak = sampled.Peak();
        gCap = std::numeric_limits<std::size_t>::max();
        const double cpu = ThreadCpuSeconds() - cpuBefore;
        const std::size_t heapGrowth = gPeak.load() - liveBefore;
        if (outcome.empty() && gCapHit) outcome = "was refused memory beyond twice its heap bound";
        if (outcome.empty() && heapGrowth > heapBound)
            outcome =
                "grew the heap by " + Megabytes(heapGrowth) + ", over " + Megabytes(heapBound);
        if (outcome.empty() && PeakWorkingSet() > processLimit) {
            outcome = "raised the working set to " + Megabytes(PeakWorkingSet());
            processLimit = PeakWorkingSet();
        }
        if (outcome.empty() && workingSetPeak > workingSetBefore + Bounds.ProcessBytes)
            outcome = "raised the working set by " + Megabytes(workingSetPeak - workingSetBefore);
        if (outcome.empty() && cpu > Bounds.CpuSeconds)
            outcome = "took " + std::to_string(cpu) + " s of processor time";
        if (!outcome.empty()) failures.push_back(input.Name + ": " + outcome);
    }
    gCurrentInput[0] = '\0';
    std::string report;
    for (std::size_t i = 0; i < failures.size() && i < 20; ++i)
        report += "\n  " + failures[i];
    EXPECT_TRUE(failures.empty()) << failures.size() << " of " << Corpus.size()
                                  << " inputs failed:" << report;
}

// ---- Scratch files --------------------------------------------------------------------

TScratchFile::TScratchFile(const std::string& Extension) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    FPath = std::string(folder) + "vantorel-robustness-" + std::to_string(GetCurrentProcessId()) +
            Extension;
}

TScratchFile::~TScratchFile() {
    DeleteFileA(FPath.c_str());
}

void TScratchFile::Write(const std::string& Bytes) const {
    std::ofstream file(FPath, std::ios::binary | std::ios::trunc);
    file.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}
