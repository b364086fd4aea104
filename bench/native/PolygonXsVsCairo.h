// The antialiased polygon fill of the bitmap library, in each antialias mode, against cairo's
// fill with its default antialiasing, on the scenes of bench/PolygonScenes.h, opaque and
// blended.
#pragma once

namespace Bench {

// False, having said why, when the pixels differ from the pinned checksum.
bool BenchAntialiasedPolygonsAgainstCairo();

} // namespace Bench
