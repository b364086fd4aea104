// The kernel resampling measurements: the two-pass resampling against a direct 2-D weighted
// sum with the same weights, and the kernel resampler's table modes against dynamic weights.
#pragma once

namespace Bench {

// Lanczos, Mitchell and cubic at 2x and 0.5x of a 1920 x 1080 picture; false when the two
// ways disagree on any pixel.
bool BenchKernelResampling();
// GetSampleFloat with Lanczos in kmTableNearest and kmTableLinear against kmDynamic.
void BenchKernelSampling();

} // namespace Bench
