// The form-resource property "Data" of pictures: the graphic's class name, then its file.
#include "classlib/Bitmaps.h"
#include "classlib/Exceptions.h"
#include "classlib/Picture.h"
#include "classlib/Streams.h"

#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

namespace {

std::string ClassTag(const std::string& Name) {
    return std::string(1, static_cast<char>(Name.size())) + Name;
}

// Picture data of a Width x Height bitmap in Format with varied pixels.
std::string BitmapData(int Width, int Height, TPixelFormat Format) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(Format);
    bitmap.SetSize(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            bitmap.GetCanvas()->SetPixels(x, y, static_cast<TColor>((x * 97 + y * 31) * 0x010305));
    TStringStream stream;
    bitmap.SaveToStream(&stream);
    return ClassTag("TBitmap") + stream.GetDataString();
}

void LoadData(const std::string& Bytes) {
    TStringStream stream(Bytes);
    TPicture picture;
    picture.ReadData(&stream);
}

TEST(PictureDataRobustness, LoadsOrRefusesEveryDamagedValue) {
    const std::size_t bmp = ClassTag("TBitmap").size();
    const std::vector<TField> fields = {{"file size", bmp + 2, 4},  {"pixel offset", bmp + 10, 4},
                                        {"width", bmp + 18, 4},     {"height", bmp + 22, 4},
                                        {"bit count", bmp + 28, 2}, {"colours used", bmp + 46, 4}};
    TCorpus corpus;
    std::uint32_t random = 60;
    for (const std::string& seed :
         {BitmapData(5, 3, pf4bit), BitmapData(3, 2, pf8bit), BitmapData(2, 2, pf24bit)}) {
        ASSERT_NO_THROW(LoadData(seed));
        const std::string name = "data of " + std::to_string(seed.size()) + " bytes";
        AddBitFlips(corpus, name, seed, 300, random++);
        AddFieldValues(corpus, name, seed, fields);
        AddFieldProducts(corpus, name, seed, fields[2], fields[3]);
        corpus.push_back({name + " as an icon", ClassTag("TIcon") + seed.substr(bmp)});
    }
    ExpectBoundedLoads<EReadError>(corpus, LoadData);
}

TEST(PictureDataRobustness, CutOrPaddedValuesAndUnknownKindsAreRefused) {
    const std::string seed = BitmapData(5, 3, pf4bit);
    TCorpus corpus;
    AddTruncations(corpus, "cut", seed);
    corpus.push_back({"one byte too many", seed + "x"});
    corpus.push_back({"another picture after it", seed + seed.substr(ClassTag("TBitmap").size())});
    corpus.push_back({"no kind of picture", ClassTag("TStrings") + seed.substr(8)});
    corpus.push_back({"a class name past the end", "\xFFTBitmap"});
    ExpectRefusals<EReadError>(corpus, LoadData);
}

} // namespace
