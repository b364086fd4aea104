// The polygon fill benchmark's scenes draw the same pixels here as in the native build, which
// checks this checksum before it times anything.
#include "bench/PolygonScenes.h"

#include <gtest/gtest.h>

namespace {

TEST(PolygonScenes, FillToThePinnedPixels) {
    EXPECT_EQ(Bench::PolygonScenesChecksum(), 0x89C93B05u);
}

} // namespace
