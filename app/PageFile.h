// Page files (".pge"): INI text with the LED type in section [Type], key
// "CommonType" (0 common anode, any other integer common cathode), and the pages in
// section [Page], keys "0", "1", ... holding the page bytes in decimal.
#pragma once

#include "classlib/Exceptions.h"

#include <vector>

DECLARE_EXCEPTION(EPageFileError, Exception);

struct TPageFileContent {
    bool CommonCathode = false;
    std::vector<Byte> Pages;
};

// Reads a whole page file: as many pages as [Page] has entries, page i from key "i"
// (0 when there is no such key; keys at or past the count are not read). Raises EFOpenError when the file cannot be read, and
// EPageFileError when it holds neither section, a key or value that is not a page, or more
// pages than a page list holds (kMostPages).
TPageFileContent ReadPageFile(const AnsiString& FileName);

// Replaces the [Type] and [Page] sections of the file (made when missing), keeping its
// other sections. The file is replaced only by a complete new one: on failure
// EIniFileException "Unable to write to %s" is raised and the old file stays as it was.
void WritePageFile(const AnsiString& FileName, const TPageFileContent& Content);
