// The form-resource property "Data" of TBitmap32: width, height and the pixels.
#include "bitmap32/Bmp32.h"
#include "classlib/Exceptions.h"
#include "classlib/Streams.h"

#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

namespace {

std::string Data(int Width, int Height) {
    std::string bytes;
    PutLE(bytes, static_cast<std::uint32_t>(Width), 4);
    PutLE(bytes, static_cast<std::uint32_t>(Height), 4);
    for (int i = 0; i < Width * Height; ++i)
        PutLE(bytes, 0xFF000000u | (i * 0x010203u), 4);
    return bytes;
}

void LoadData(const std::string& Bytes) {
    TStringStream stream(Bytes);
    Bmp32::TBitmap32 bitmap;
    bitmap.ReadData(&stream);
}

TEST(Bitmap32DataRobustness, LoadsOrRefusesEveryDamagedValue) {
    const TField width{"width", 0, 4};
    const TField height{"height", 4, 4};
    TCorpus corpus;
    std::uint32_t random = 40;
    for (std::string seed : {Data(3, 2), Data(1, 1), Data(0, 0)}) {
        ASSERT_NO_THROW(LoadData(seed));
        std::string name = "data of " + std::to_string(seed.size()) + " bytes";
        AddTruncations(corpus, name, seed);
        AddBitFlips(corpus, name, seed, 200, random++);
        AddFieldValues(corpus, name, seed, {width, height});
        AddFieldProducts(corpus, name, seed, width, height);
    }
    ExpectBoundedLoads<EReadError>(corpus, LoadData);
}

} // namespace
