// Path functions of the file controls: shortening a file name to a width, splitting a
// typed path, and the description and mask pairs of a filter string.
#pragma once

#include "classlib/Paths.h"
#include "classlib/Types.h"

#include <functional>
#include <vector>

class TCanvas;

namespace Skfilectrl {

using ::DirectoryExists;
using ::ForceDirectories;

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

// Makes Dir the current folder; EInOutError when it cannot be entered.
void ChangeDir(const AnsiString& Dir);
// Whether S holds "*" or "?".
bool HasWildcards(const AnsiString& S);

// The non-empty, trimmed parts of a ";"-separated list of masks ("*.txt; *.pge").
std::vector<AnsiString> SplitMasks(const AnsiString& Mask);

// Splits a typed path into its drive letter (#0 for a network path, whose share then
// leads DirPart), its folder and its file part. A text in "[" "]" is a folder row; a
// name without wildcards that is no existing file is taken as a folder and joins
// DirPart. Relative parts are resolved against the current folder, which is the same
// afterwards. A folder that cannot be entered raises EInOutError.
void ProcessPath(const AnsiString& EditText, char& Drive, AnsiString& DirPart,
                 AnsiString& FilePart);

// One file type of a filter string.
struct TFilterEntry {
    AnsiString Description;
    AnsiString Mask;
};

// The pairs of "Description|Mask|Description|Mask...". A text without "|" gives
// none; a trailing description without its mask is dropped.
std::vector<TFilterEntry> ParseFilter(const AnsiString& Filter);

// The string-table entry that holds the filter combo box's default filter.
constexpr unsigned DefaultFilterId = 65408;
// Its text, "All files (*.*)|*.*".
AnsiString DefaultFilter();

} // namespace Skfilectrl
