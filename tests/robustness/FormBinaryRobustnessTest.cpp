// The binary form of form resources, read by the form loader and converted to text.
#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/FormLoader.h"
#include "classlib/FormText.h"
#include "classlib/Forms.h"
#include "classlib/Streams.h"

#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/data/SkinData.h"

#include "tests/robustness/FormSeeds.h"
#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

namespace {

void ConvertToText(const std::string& Binary) {
    TStringStream input(Binary);
    TStringStream output;
    ObjectBinaryToText(&input, &output);
}

// The 4-byte length after the first Tag whose length is Length.
TField LengthField(const std::string& Binary, const std::string& Name, char Tag,
                   std::uint32_t Length) {
    std::string marker(1, Tag);
    PutLE(marker, Length, 4);
    std::size_t at = Binary.find(marker);
    EXPECT_NE(at, std::string::npos) << Name;
    return {Name, at == std::string::npos ? 0 : at + 1, 4};
}

// The length byte of the first occurrence of Name.
TField NameLength(const std::string& Binary, const std::string& Name) {
    std::size_t at = Binary.find(static_cast<char>(Name.size()) + Name);
    EXPECT_NE(at, std::string::npos) << Name;
    return {"length of " + Name, at == std::string::npos ? 0 : at, 1};
}

TCorpus BinaryCorpus(const std::string& Binary, const std::vector<TField>& Fields,
                     std::uint32_t Random) {
    TCorpus corpus;
    AddTruncations(corpus, "binary", Binary);
    AddBitFlips(corpus, "binary", Binary, 1000, Random);
    AddFieldValues(corpus, "binary", Binary, Fields);
    const std::size_t deep = 20000 * CorpusScale();
    const std::string root = Binary.substr(0, 4 + 1 + Binary[4] + 1 + Binary[5 + Binary[4]]);
    corpus.push_back({"nested components", root + std::string(1, '\0') +
                                               Repeat(std::string("\x06TPanel\x00\x00", 8), deep)});
    corpus.push_back({"nested lists", root + "\x03Tag" + std::string(deep, '\x01')});
    corpus.push_back({"nested collections", root + "\x03Tag" + Repeat("\x0E\x01\x01X", deep)});
    corpus.push_back({"endless list", root + "\x03Tag\x01" + Repeat("\x02\x01", deep)});
    return corpus;
}

// The fields of the form seed's binary whose values are damaged on purpose.
std::vector<TField> FormSeedFields(const std::string& Binary) {
    return {LengthField(Binary, "hint length", '\x0C', 300), NameLength(Binary, "Caption"),
            NameLength(Binary, "TPanel"), NameLength(Binary, "alTop")};
}

TEST(FormBinaryRobustness, TheLoaderBuildsOrRefusesEveryDamagedForm) {
    const std::string binary = ToBinary(kFormSeed);
    ASSERT_NO_THROW(LoadFormBinary(binary));
    ExpectBoundedLoads<EFilerError>(BinaryCorpus(binary, FormSeedFields(binary), 21), LoadFormBinary);
}

// The program's own binary forms are read where they lie in its resources: property bytes
// are used in place, not copied out of a stream first.
void LoadFormInPlace(const std::string& Binary) {
    TForm form(nullptr);
    ReadComponentMemory(Binary.data(), static_cast<Int64>(Binary.size()), &form, "form");
}

TEST(FormBinaryRobustness, TheLoaderBuildsOrRefusesEveryDamagedFormReadInPlace) {
    const std::string binary = ToBinary(kFormSeed);
    ASSERT_NO_THROW(LoadFormInPlace(binary));
    ExpectBoundedLoads<EFilerError>(BinaryCorpus(binary, FormSeedFields(binary), 23), LoadFormInPlace);
}

TEST(FormBinaryRobustness, TheConversionToTextConvertsOrRefusesEveryDamagedForm) {
    const std::string binary = ToBinary(kSyntaxSeed);
    ASSERT_NO_THROW(ConvertToText(binary));
    std::vector<TField> fields = {LengthField(binary, "data length", '\x0A', 16),
                                  LengthField(binary, "string length", '\x0C', 300),
                                  NameLength(binary, "Columns"), NameLength(binary, "FormShow")};
    ExpectBoundedLoads<EReadError>(BinaryCorpus(binary, fields, 22), ConvertToText);
}

// A button that takes its skin from a skin data component of the same form, by Reference.
std::string SkinnedButtonForm(const std::string& Reference) {
    return "object Probe: TForm\r\n"
           "  object SD_Skin: TskSkinData\r\n"
           "  end\r\n"
           "  object BT_Go: TskSkinButton\r\n"
           "    SkinData = " + Reference + "\r\n"
           "  end\r\n"
           "end\r\n";
}

void LoadFormText(const std::string& Text) {
    TForm form(nullptr);
    ReadComponentText(Text, &form);
}

// Names that are no identifiers, dotted or not: a dotted one whose root no form has would
// wait for that root for ever while the button went without its skin.
const char* const kNoIdentifiers[] = {"SD Skin", "1SD", "SD-Skin", "SD_Skin.", ".SD_Skin",
                                      "SD..Skin", "Probe.SD Skin", "\x01.SD_Skin",
                                      "1x.SD_Skin", "\xE9t\xE9.SD_Skin", "Probe.", "."};

TEST(FormBinaryRobustness, BothReadersRefuseAReferenceThatNamesNoIdentifier) {
    const std::string sound = ToBinary(SkinnedButtonForm("SD_Skin"));
    const std::string name = "\x07SD_Skin";
    // The property's name, after the class name TskSkinData and the component's own name.
    const std::size_t at = sound.find(name, sound.find("\x08SkinData"));
    ASSERT_NE(at, std::string::npos);
    TCorpus binary, text;
    for (const std::string bad : kNoIdentifiers) {
        std::string bytes = sound;
        bytes.replace(at, name.size(), static_cast<char>(bad.size()) + bad);
        binary.push_back({"binary reference '" + bad + "'", bytes});
        text.push_back({"text reference '" + bad + "'", SkinnedButtonForm(bad)});
    }
    ExpectRefusals<EFilerError>(binary, LoadFormBinary);
    ExpectRefusals<EFilerError>(text, LoadFormText);

    // A name of the form itself, dotted or not, is read by both into the button's skin.
    for (const std::string good : {"SD_Skin", "Probe.SD_Skin"}) {
        for (bool asText : {false, true}) {
            TForm form(nullptr);
            const std::string read = SkinnedButtonForm(good);
            if (asText) {
                ReadComponentText(read, &form);
            } else {
                TStringStream stream(ToBinary(read));
                ReadComponentStream(&stream, &form);
            }
            auto* button = dynamic_cast<TskSkinButton*>(form.FindComponent("BT_Go"));
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->GetSkin(), form.FindComponent("SD_Skin")) << good << asText;
        }
    }
}

} // namespace
