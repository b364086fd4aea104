// The ordered list of pages (page bytes) that the editor keeps, and the texts the
// page table shows for a page.
#pragma once

#include "classlib/Types.h"

#include <vector>

// The most pages a list holds. The Animate button names the page shown and the count, "Stop
// (99999 - 99999)" at most, and its row has room for five digits in each place.
constexpr int kMostPages = 99999;

class TPageList {
public:
    int GetCount() const { return static_cast<int>(FPages.size()); }
    bool Empty() const { return FPages.empty(); }
    bool IsValidIndex(int Index) const { return Index >= 0 && Index < GetCount(); }
    // EListError "List index out of bounds (%d)" for an index that names no page.
    Byte Get(int Index) const;
    const std::vector<Byte>& GetBytes() const { return FPages; }

    // EListError for a page past kMostPages.
    void Add(Byte Page);
    // Each returns false, changing nothing, when Index names no page.
    bool Replace(int Index, Byte Page);
    bool Delete(int Index);
    // Swaps the page with its upper (Down false) or lower neighbour; false when there
    // is none.
    bool Move(int Index, bool Down);
    void Clear();
    // At most kMostPages: the file reader refuses more.
    void Assign(std::vector<Byte> Pages);
    // Inverts every page (a change of LED type that keeps the pictures).
    void InvertAll();

private:
    std::vector<Byte> FPages;
};

// The page table shows at least one (empty) row.
int PageTableRows(int PageCount);

// The text of a value column of the page table: 1 decimal ("63"), 2 hexadecimal
// ("$3F"), 3 the bits ("%00111111"); "" for any other column.
AnsiString PageCellText(Byte Page, int Column);
