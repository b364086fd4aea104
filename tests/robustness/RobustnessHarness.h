// The robustness suite's shared harness: generated corpora of damaged and hostile files,
// and the check that a reader either loads each of them or raises its own exception,
// without crashing and within bounds of memory and work.
//
// A reader joins the suite with one test file in this folder, which builds its corpus
// from a few small valid seed files with the generators below and hands it to
// ExpectBoundedLoads with a function that loads one input. Every test program links the
// counting allocator of RobustnessHarness.cpp: all of its C++ heap use is measured, and an
// input's heap is capped, so a runaway reader fails fast instead of exhausting the machine.
//
// VANTOREL_ROBUSTNESS_SCALE (an integer, 1 by default) multiplies the random parts of every
// corpus, for longer runs by hand.
#pragma once

#include "classlib/Streams.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <typeinfo>
#include <vector>

// ---- Corpora --------------------------------------------------------------------------

// One generated input: how it was made, and its bytes.
struct TCorpusEntry {
    std::string Name;
    std::string Bytes;
};
using TCorpus = std::vector<TCorpusEntry>;

// VANTOREL_ROBUSTNESS_SCALE, at least 1.
int CorpusScale();

// Seed cut at every length from 0 to its size less one.
void AddTruncations(TCorpus& Corpus, const std::string& Name, const std::string& Seed);
// Count x CorpusScale() copies of Seed with one to three random bits flipped; the same
// RandomSeed gives the same copies.
void AddBitFlips(TCorpus& Corpus, const std::string& Name, const std::string& Seed, int Count,
                 std::uint32_t RandomSeed);

// A number stored in a seed file at Offset, Size bytes wide.
struct TField {
    std::string Name;
    std::size_t Offset;
    int Size;
    bool BigEndian = false;
};
// Seed with Field set to Value (cut to the field's width).
std::string WithField(const std::string& Seed, const TField& Field, std::uint64_t Value);
// For each field, Seed with it set to 0, 1, -1 (all ones), the largest and smallest signed
// values, and the powers of two where products of sizes overflow 16 and 32 bits.
void AddFieldValues(TCorpus& Corpus, const std::string& Name, const std::string& Seed,
                    const std::vector<TField>& Fields);
// Seed with both fields set together to values whose product (with a few bytes per item)
// overflows 32 bits or is absurdly large.
void AddFieldProducts(TCorpus& Corpus, const std::string& Name, const std::string& Seed,
                      const TField& First, const TField& Second);

std::string Repeat(const std::string& Part, std::size_t Count);
void PutLE(std::string& Bytes, std::uint64_t Value, int Size);

// ---- The bounded-load check -----------------------------------------------------------

struct TBounds {
    // Growth of the C++ heap while one input loads: HeapBase + HeapPerByte x its size.
    std::size_t HeapBase = std::size_t(256) << 20;
    double HeapPerByte = 0;
    // Growth of the working set while one input loads, and of the process's peak working set
    // (GDI, libjpeg and other memory the allocator does not see).
    std::size_t ProcessBytes = std::size_t(256) << 20;
    // Processor time of the loading thread per input: the work, which the machine's load
    // does not change.
    double CpuSeconds = 2;
};

namespace robustness_detail {
// An exception that Accepted says is the reader's own counts as a clean refusal; with
// MustRefuse, it is the only outcome that passes.
void CheckBoundedLoads(const TCorpus& Corpus, const std::function<void(const std::string&)>& Load,
                       const std::function<bool(const std::exception&)>& Accepted,
                       const std::string& Expected, const TBounds& Bounds, bool MustRefuse);

template <typename... E> bool IsOneOf(const std::exception& X) {
    return ((dynamic_cast<const E*>(&X) != nullptr) || ...);
}
template <typename... E> std::string NamesOf() {
    return ((std::string(typeid(E).name()) + " ") + ...);
}
} // namespace robustness_detail

// Loads every input of Corpus with Load. Each must finish, or raise one of E (or a class
// derived from one), within Bounds; every other outcome fails the test, naming the input.
template <typename... E>
void ExpectBoundedLoads(const TCorpus& Corpus, const std::function<void(const std::string&)>& Load,
                        const TBounds& Bounds = {}) {
    using namespace robustness_detail;
    CheckBoundedLoads(Corpus, Load, IsOneOf<E...>, NamesOf<E...>(), Bounds, false);
}

// Damaged inputs that must not load: each must raise one of E within Bounds. An input that
// loads was taken as valid, which fails the test as a crash would.
template <typename... E>
void ExpectRefusals(const TCorpus& Corpus, const std::function<void(const std::string&)>& Load,
                    const TBounds& Bounds = {}) {
    using namespace robustness_detail;
    CheckBoundedLoads(Corpus, Load, IsOneOf<E...>, NamesOf<E...>(), Bounds, true);
}

// Numbers that hostile texts put where a reader expects a count, an index or a size: the
// edges of the integer types, negative values, values just past a short list's length, and
// texts that are almost numbers.
const std::vector<std::string>& HostileNumbers();

// Reads Bytes into a new T with its LoadFromStream.
template <typename T> void LoadFromStream(const std::string& Bytes) {
    TStringStream stream(Bytes);
    T object;
    object.LoadFromStream(&stream);
}

// The same from a memory stream, which readers may read in place instead of copying.
template <typename T> void LoadFromMemoryStream(const std::string& Bytes) {
    TMemoryStream stream;
    stream.Write(Bytes.data(), static_cast<Int64>(Bytes.size()));
    stream.SetPosition(0);
    T object;
    object.LoadFromStream(&stream);
}

// A file in the temporary folder that the file readers are given, removed at the end.
class TScratchFile {
public:
    explicit TScratchFile(const std::string& Extension);
    ~TScratchFile();
    TScratchFile(const TScratchFile&) = delete;
    TScratchFile& operator=(const TScratchFile&) = delete;

    const std::string& Path() const { return FPath; }
    void Write(const std::string& Bytes) const;

private:
    std::string FPath;
};
