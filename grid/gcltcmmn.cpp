#include "grid/gcltcmmn.h"

#include "grid/gcldata.h"

#include <algorithm>
#include <cstring>

TRowStyle MakeRowStyle(int Height, bool Hidden) { return TRowStyle{Height, Hidden}; }

void AssignDisplayArray(TGclTblDisplayArray& A, int Num) {
    if (Num <= 0) {
        A = TGclTblDisplayArray();
        return;
    }
    A.Entries.resize(static_cast<std::size_t>(Num));
    A.Capacity = static_cast<Word>(Num);
    A.Count = static_cast<Word>(std::min<int>(Num, A.Count));
}

void TableError(const AnsiString& Msg) { throw EGclTable(Msg); }

void TableErrorRes(Word Num) { throw EGclTable(GetGclStr(Num)); }

void CopyFont(TFont* Dest, TFont* Source) {
    if (!Dest || !Source || Dest == Source) return;
    if (std::memcmp(&Dest->GetLogFont(), &Source->GetLogFont(), sizeof(LOGFONTA)) == 0) {
        Dest->SetColor(Source->GetColor());
        return;
    }
    Dest->Assign(Source);
}
