// Shortening a file name to fit a width, by replacing leading folders with "...\".
#pragma once

#include "classlib/Types.h"

#include <functional>

class TCanvas;

// The width of a text in pixels.
using TTextWidth = std::function<int(const AnsiString& Text)>;

// FileName split into drive ("C:"), folder part and name. While drive + folder + name is
// wider than MaxWidth and a drive or folder part is left, one step shortens it: a folder
// part of exactly "\...\" becomes "...\" and the drive goes; any other folder part loses
// its first folder, which "...\" replaces (a leading "\" kept, an earlier "...\" dropped
// first), and becomes empty when no "\" is left; with no folder part the drive goes.
// Returns the first text that fits, or the bare name.
AnsiString MinimizeName(const AnsiString& FileName, const TTextWidth& TextWidth, int MaxWidth);
// The same, measuring with Canvas's font.
AnsiString MinimizeName(const AnsiString& FileName, TCanvas* Canvas, int MaxWidth);
