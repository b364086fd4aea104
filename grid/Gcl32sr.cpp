#include "grid/Gcl32sr.h"

#include "Gcl32srTable.h"

#include <array>
#include "classlib/Platform.h"

namespace {

std::array<SrMsgNumLookupRec, GclMessageCount> MakeTable() {
    std::array<SrMsgNumLookupRec, GclMessageCount> table;
    for (int i = 0; i < GclMessageCount; ++i)
        table[i].MsgNum = GclMessageNumbers[i];
    return table;
}

std::array<SrMsgNumLookupRec, GclMessageCount> SrMsgNumLookup = MakeTable();
int InitCount = 0;

AnsiString LoadResourceString(unsigned Id) {
    char buffer[1024];
    int length = LoadStringA(GetModuleHandleA(nullptr), Id, buffer, sizeof buffer);
    return length > 0 ? AnsiString(buffer, length) : AnsiString();
}

} // namespace

AnsiString ResourceStrByNumber(Word Number) {
    const int number = Number;
    int lo = 0;
    int hi = GclMessageCount - 1;
    while (hi >= lo) {
        int mid = (lo + hi) / 2;
        if (number == SrMsgNumLookup[mid].MsgNum) return SrMsgNumLookup[mid].MsgStr;
        if (number > SrMsgNumLookup[mid].MsgNum)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return AnsiString();
}

int SrMsgNumCount() {
    return GclMessageCount;
}

const SrMsgNumLookupRec& SrMsgNumEntry(int Position) {
    return SrMsgNumLookup.at(Position);
}

void Gcl32srInitialize() {
    if (InitCount++ > 0) return;
    for (int i = 0; i < GclMessageCount; ++i)
        SrMsgNumLookup[i].MsgStr = LoadResourceString(GclFirstResourceString + i);
}

void Gcl32srFinalize() {
    if (InitCount == 0 || --InitCount > 0) return;
    for (auto& entry : SrMsgNumLookup)
        AnsiString().swap(entry.MsgStr);
}

DEFINE_UNIT(Gcl32sr, uoGridMessages, Gcl32srInitialize, Gcl32srFinalize);
