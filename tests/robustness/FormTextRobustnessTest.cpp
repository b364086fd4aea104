// Form text (".form") read by the form loader and by the text-to-binary conversion.
#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/FormText.h"
#include "classlib/Forms.h"
#include "classlib/Streams.h"

#include "tests/robustness/FormSeeds.h"
#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

namespace {

void LoadForm(const std::string& Text) {
    TForm form(nullptr);
    ReadComponentText(Text, &form);
}

void Convert(const std::string& Text) {
    TStringStream input(Text);
    TStringStream output;
    ObjectTextToBinary(&input, &output);
}

// Damaged copies of Seed, and hostile texts built around its first line.
TCorpus TextCorpus(const std::string& Seed, std::uint32_t Random) {
    TCorpus corpus;
    AddTruncations(corpus, "text", Seed);
    AddBitFlips(corpus, "text", Seed, 1000, Random);
    const std::string head = Seed.substr(0, Seed.find("\r\n") + 2);
    const std::size_t deep = 20000 * CorpusScale();
    corpus.push_back({"nested objects",
                      head + Repeat("object P: TPanel\r\n", deep) + Repeat("end\r\n", deep + 1)});
    corpus.push_back({"nested lists", head + "  Tag = " + std::string(deep, '(')});
    corpus.push_back({"nested collections", head + "  Tag = " + Repeat("<item X = ", deep)});
    corpus.push_back({"long identifier", head + "  " + std::string(300, 'A') + " = 1\r\nend"});
    corpus.push_back(
        {"long value identifier", head + "  Color = " + std::string(300, 'c') + "\r\nend"});
    corpus.push_back(
        {"long string", head + "  Caption = '" + std::string(deep * 50, 's') + "'\r\nend"});
    corpus.push_back(
        {"many string pieces", head + "  Caption = " + Repeat("'s' + ", deep) + "''\r\nend"});
    corpus.push_back({"huge character code", head + "  Caption = #99999999999\r\nend"});
    corpus.push_back({"huge number", head + "  Left = 999999999999999999999999\r\nend"});
    corpus.push_back({"huge float", head + "  Left = 1e99999\r\nend"});
    corpus.push_back(
        {"huge binary", head + "  Data = {" + std::string(deep * 50, 'F') + "}\r\nend"});
    corpus.push_back({"control characters", head + "  Caption = 'a\x01\x1f'\r\nend"});
    return corpus;
}

TEST(FormTextRobustness, TheLoaderBuildsOrRefusesEveryDamagedText) {
    ASSERT_NO_THROW(LoadForm(kFormSeed));
    ExpectBoundedLoads<EFilerError>(TextCorpus(kFormSeed, 3), LoadForm);
}

// The seed with Line put after the line that starts Object's properties.
std::string WithProperty(const std::string& Object, const std::string& Line) {
    std::string text = kFormSeed;
    const std::size_t at = text.find("\r\n", text.find(Object)) + 2;
    return text.insert(at, Line + "\r\n");
}

// Forms that must not load: controls of sides and places no window can have, and many
// components of one name.
TEST(FormTextRobustness, TheLoaderRefusesControlsNoWindowCanHoldAndRepeatedNames) {
    TCorpus corpus;
    for (const char* object : {"object PNL_Top", "object BTN_Ok", "object LST_Items"})
        for (const char* value : {"Height = 320000", "Width = 2147483647", "Height = -1",
                                  "Width = -2147483648", "Left = 40000", "Top = -40000"})
            corpus.push_back({std::string(object) + " " + value, WithProperty(object, value)});
    corpus.push_back({"form client height", WithProperty("object Probe", "ClientHeight = 320000")});
    const std::string text = kFormSeed;
    const std::size_t last = text.rfind("end");
    corpus.push_back({"many panels of one name",
                      text.substr(0, last) + Repeat("object P: TPanel\r\nend\r\n", 1000) + "end\r\n"});
    ExpectRefusals<EFilerError, EComponentError>(corpus, LoadForm);
}

TEST(FormTextRobustness, TheConversionToBinaryConvertsOrRefusesEveryDamagedText) {
    ASSERT_NO_THROW(Convert(kSyntaxSeed));
    ExpectBoundedLoads<EReadError>(TextCorpus(kSyntaxSeed, 4), Convert);
}

} // namespace
