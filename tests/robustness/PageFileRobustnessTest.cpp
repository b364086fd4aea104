// Page files (".pge") read by the editor.
#include "app/PageFile.h"

#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const char kSeed[] = "[Type]\r\n"
                     "CommonType=1\r\n"
                     "[Page]\r\n"
                     "0=255\r\n"
                     "1=6\r\n"
                     "2=91\r\n";

class TPageFileReader {
public:
    void operator()(const std::string& Bytes) const {
        FFile.Write(Bytes);
        ReadPageFile(FFile.Path());
    }

private:
    TScratchFile FFile{".pge"};
};

std::string WithNumber(const std::string& Old, const std::string& New) {
    std::string text = kSeed;
    text.replace(text.find(Old), Old.size(), New);
    return text;
}

TEST(PageFileRobustness, ReadsOrRefusesEveryDamagedFile) {
    TPageFileReader reader;
    ASSERT_NO_THROW(reader(kSeed));
    TCorpus corpus;
    AddTruncations(corpus, "page file", kSeed);
    AddBitFlips(corpus, "page file", kSeed, 1000, 5);
    std::vector<std::string> numbers = HostileNumbers();
    numbers.insert(numbers.end(), {"256", "2147483648", "-2147483649", "99999999999999999999"});
    for (const std::string& number : numbers) {
        corpus.push_back({std::string("type ") + number,
                          WithNumber("CommonType=1", std::string("CommonType=") + number)});
        corpus.push_back(
            {std::string("page ") + number, WithNumber("1=6", std::string("1=") + number)});
        corpus.push_back(
            {std::string("key ") + number, WithNumber("2=91", std::string(number) + "=91")});
    }
    const std::size_t pages = 100000 * CorpusScale();
    std::string many = "[Page]\r\n";
    for (std::size_t i = 0; i < pages; ++i)
        many += std::to_string(i) + "=" + std::to_string(i % 256) + "\r\n";
    corpus.push_back({"many pages", many});
    corpus.push_back({"far page numbers", "[Page]\r\n0=1\r\n2147483647=2\r\n"});
    corpus.push_back({"many pages of one number", "[Page]\r\n" + Repeat("0=1\r\n", pages)});
    const std::string bom = "\xEF\xBB\xBF";
    corpus.push_back({"byte-order mark", bom + kSeed});
    corpus.push_back({"byte-order mark alone", bom});
    corpus.push_back({"byte-order marks", Repeat(bom, 1000) + kSeed});
    AddTruncations(corpus, "marked page file", bom + kSeed);
    ExpectBoundedLoads<EPageFileError>(corpus, std::ref(reader));
}

TEST(PageFileRobustness, RefusesPagesThatAreNotPageBytesOrStoredTwice) {
    TPageFileReader reader;
    TCorpus corpus;
    for (const char* value : {"256", "-1", "x", "1e3", "2.75", "46 garbage", ""})
        corpus.push_back({std::string("page ") + value, WithNumber("1=6", std::string("1=") + value)});
    for (const char* key : {"-1", "x", "1.5"})
        corpus.push_back({std::string("key ") + key, WithNumber("2=91", std::string(key) + "=91")});
    corpus.push_back({"a page stored twice", WithNumber("2=91", "1=91")});
    corpus.push_back({"many pages of one number", "[Page]\r\n" + Repeat("0=1\r\n", 1000)});
    corpus.push_back({"not a page file", "[Pages]\r\n0=1\r\n"});
    ExpectRefusals<EPageFileError>(corpus, std::ref(reader));
}

} // namespace
