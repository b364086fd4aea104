// The aliased polygon fill of the bitmap library against cairo's fill without antialiasing,
// on the scenes of bench/PolygonScenes.h, opaque and blended, after checking the library's
// pixels against the checksum that the Windows tests pin.
#pragma once

namespace Bench {

// False, having said why, when the pixels differ from the pinned checksum.
bool BenchPolygonsAgainstCairo();

} // namespace Bench
