// The SXBasic sample program: a template whose marker lines are replaced by code
// that steps through the pages.
//
// A template line that contains "[SETUP]", "[FORLOOP]", "[PAUSE]" or "[LOOKUP]"
// (case-sensitive; the first of them in that order decides) is replaced as a whole:
//   [SETUP]    "  RB = %11111111"
//   [FORLOOP]  "FOR value = 0 TO " + the last page index
//   [PAUSE]    "    PAUSE 500"
//   [LOOKUP]   "LOOKUP temp1, $3F, $06, temp1" (each page as two hexadecimal digits)
// Every other line is copied as it is.
#pragma once

#include "classlib/Types.h"

#include <vector>

class TStrings;

extern const char* const SxbTemplateName; // "sxb.tpl"
extern const char* const SxbOutputName;   // "sxb_sample.sxb"

// Replaces the marker lines of Lines; EInvalidOperation when there are no pages.
void FillSxbTemplate(TStrings* Lines, const std::vector<Byte>& Pages);

// Reads TemplateFile, fills it and writes the result to OutputFile (replacing it whole).
// A template that cannot be read raises EFOpenError before anything is written; an
// output that cannot be written raises EFCreateError.
void ExportSxb(const AnsiString& TemplateFile, const AnsiString& OutputFile,
               const std::vector<Byte>& Pages);
