// The bounded-load check itself: what it lets pass and what it reports.
#include "classlib/Exceptions.h"

#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "classlib/Platform.h"

#include <vector>

namespace {

const TCorpus kTwoInputs = {{"first", "a"}, {"second", "bb"}};

TEST(BoundedLoads, LoadsAndTheReadersOwnExceptionPass) {
    ExpectBoundedLoads<EFilerError>(kTwoInputs, [](const std::string& Bytes) {
        if (Bytes.size() == 2) throw EReadError("refused");
    });
}

TEST(BoundedLoads, OtherExceptionsFailNamingTheInput) {
    EXPECT_NONFATAL_FAILURE(ExpectBoundedLoads<EReadError>(kTwoInputs,
                                                           [](const std::string& Bytes) {
                                                               if (Bytes.size() == 2)
                                                                   throw EConvertError("wrong");
                                                           }),
                            "second: raised");
}

TEST(BoundedLoads, RefusalsFailForAnInputThatLoads) {
    const auto refuseLong = [](const std::string& Bytes) {
        if (Bytes.size() == 2) throw EReadError("refused");
    };
    ExpectRefusals<EReadError>({{"second", "bb"}}, refuseLong);
    EXPECT_NONFATAL_FAILURE(ExpectRefusals<EReadError>(kTwoInputs, refuseLong),
                            "first: loaded: the damage was taken as valid");
}

TEST(BoundedLoads, HeapBeyondTheBoundFailsAndIsCappedAtTwiceIt) {
    TBounds bounds;
    bounds.HeapBase = 1 << 20;
    EXPECT_NONFATAL_FAILURE(
        ExpectBoundedLoads<EReadError>(
            kTwoInputs, [](const std::string&) { std::vector<char> big(3 << 19, 'x'); }, bounds),
        "grew the heap by 1.5 MB");
    EXPECT_NONFATAL_FAILURE(ExpectBoundedLoads<EReadError>(
                                kTwoInputs,
                                [](const std::string&) {
                                    try {
                                        std::vector<char> huge(std::size_t(1) << 40);
                                    } catch (const std::bad_alloc&) {
                                        throw EReadError("out of memory");
                                    }
                                },
                                bounds),
                            "refused memory");
}

TEST(BoundedLoads, WorkingSetAndProcessorTimeBeyondTheBoundsFail) {
    TBounds bounds;
    bounds.ProcessBytes = 16 << 20;
    bounds.CpuSeconds = 0.05;
    EXPECT_NONFATAL_FAILURE(ExpectBoundedLoads<EReadError>(
                                {{"touching", ""}},
                                [](const std::string&) {
                                    void* block = VirtualAlloc(nullptr, std::size_t(256) << 20,
                                                               MEM_COMMIT, PAGE_READWRITE);
                                    for (std::size_t at = 0; at < (std::size_t(256) << 20);
                                         at += 4096)
                                        static_cast<volatile char*>(block)[at] = 1;
                                    VirtualFree(block, 0, MEM_RELEASE);
                                },
                                bounds),
                            "raised the working set");
    // A later input that grows as much as an earlier one did: the process's peak stays, the
    // growth is the later input's all the same.
    const auto touch = [](const std::string&) {
        void* block = VirtualAlloc(nullptr, std::size_t(64) << 20, MEM_COMMIT, PAGE_READWRITE);
        for (std::size_t at = 0; at < (std::size_t(64) << 20); at += 4096)
            static_cast<volatile char*>(block)[at] = 1;
        VirtualFree(block, 0, MEM_RELEASE);
    };
    EXPECT_NONFATAL_FAILURE(ExpectBoundedLoads<EReadError>(kTwoInputs, touch, bounds),
                            "second: raised the working set by");
    EXPECT_NONFATAL_FAILURE(ExpectBoundedLoads<EReadError>(
                                {{"spinning", ""}},
                                [](const std::string&) {
                                    volatile std::uint64_t sum = 0;
                                    for (std::uint64_t i = 0; i < 300000000ull; ++i)
                                        sum = sum + i;
                                },
                                bounds),
                            "of processor time");
}

TEST(Corpora, GeneratorsAreDeterministicAndCoverTheirCases) {
    TCorpus cuts;
    AddTruncations(cuts, "seed", "abc");
    ASSERT_EQ(cuts.size(), 3u);
    EXPECT_EQ(cuts[2].Bytes, "ab");
    TCorpus flips1, flips2;
    AddBitFlips(flips1, "seed", "abcdef", 5, 9);
    AddBitFlips(flips2, "seed", "abcdef", 5, 9);
    ASSERT_EQ(flips1.size(), 5u * CorpusScale());
    for (std::size_t i = 0; i < flips1.size(); ++i) {
        EXPECT_EQ(flips1[i].Bytes, flips2[i].Bytes);
        EXPECT_NE(flips1[i].Bytes, "abcdef");
    }
    EXPECT_EQ(WithField("\x01\x02\x03\x04", {"f", 1, 2, true}, 0xABCD), "\x01\xAB\xCD\x04");
    TCorpus values;
    AddFieldValues(values, "seed", std::string(4, '\0'), {{"f", 0, 4}});
    bool sawMinusOne = false;
    for (const TCorpusEntry& entry : values)
        sawMinusOne |= entry.Bytes == std::string(4, '\xFF');
    EXPECT_TRUE(sawMinusOne);
}

} // namespace
