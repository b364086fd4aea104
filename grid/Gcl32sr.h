// The grid library's message table: every message, caption and fixed word of the
// library under a 16-bit message number, loaded from the program's string table.
#pragma once

#include "classlib/Types.h"
#include "classlib/UnitInit.h"

struct SrMsgNumLookupRec {
    int MsgNum;
    AnsiString MsgStr;
};

// The text of message Number; empty when the table holds no such number or
// its texts are not loaded.
AnsiString ResourceStrByNumber(Word Number);

// The 375 entries in ascending order of number (positions 0 to 374).
int SrMsgNumCount();
const SrMsgNumLookupRec& SrMsgNumEntry(int Position);

// Start-up and shut-down of the table, counted: the texts are loaded by the
// first start and released by the matching last shut-down.
void Gcl32srInitialize();
void Gcl32srFinalize();

DECLARE_UNIT(Gcl32sr)
