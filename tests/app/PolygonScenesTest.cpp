// The polygon fill benchmark's scenes draw the same pixels here as in the native build, which
// checks these checksums before it times anything.
#include "bench/PolygonScenes.h"

#include <gtest/gtest.h>

namespace {

TEST(PolygonScenes, FillToThePinnedPixels) {
    EXPECT_EQ(Bench::PolygonScenesChecksum(), 0x89C93B05u);
    EXPECT_EQ(Bench::AntialiasedScenesChecksum(), 0x95227F55u);
}

} // namespace
