// Texts by message number and the character classes of the entry fields.
#pragma once

#include "classlib/Types.h"
#include "classlib/UnitInit.h"

#include <bitset>

// The text of library message Num; "Unknown" when the table has none.
AnsiString GetGclStr(Word Num);

// Space, ",", "-", ".", "A" to "Z", "a" to "z" and the system's letters among
// the codes 128 to 255; filled when the unit starts.
using TGclCharSet = std::bitset<256>;
const TGclCharSet& GclAlphaCharSet();

DECLARE_UNIT(gcldata)
