// The check that runs before any timing: every fast variant must write exactly what its plain
// variant writes, on every buffer size and alpha pattern, or its speed means nothing.
#pragma once

#include <string>

namespace Bench {

// An empty string when all variants agree, else a description of the first difference.
std::string FindVariantMismatch();

// Runs the check with its progress on standard output; false, after a message on standard
// error, when the processor has no SSE2 or a variant differs.
bool CheckFastVariants();

} // namespace Bench
