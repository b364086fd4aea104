#include "app/PageList.h"

#include "app/Bits.h"
#include "app/LedPattern.h"

#include "classlib/Exceptions.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <utility>

Byte TPageList::Get(int Index) const {
    if (!IsValidIndex(Index)) throw EListError(Format("List index out of bounds (%d)", Index));
    return FPages[static_cast<std::size_t>(Index)];
}

void TPageList::Add(Byte Page) {
    if (GetCount() >= kMostPages)
        throw EListError(Format("The page list is full: it holds at most %d pages", kMostPages));
    FPages.push_back(Page);
}

bool TPageList::Replace(int Index, Byte Page) {
    if (!IsValidIndex(Index)) return false;
    FPages[static_cast<std::size_t>(Index)] = Page;
    return true;
}

bool TPageList::Delete(int Index) {
    if (!IsValidIndex(Index)) return false;
    FPages.erase(FPages.begin() + Index);
    return true;
}

bool TPageList::Move(int Index, bool Down) {
    if (!IsValidIndex(Index)) return false;
    int neighbour = Down ? Index + 1 : Index - 1;
    if (!IsValidIndex(neighbour)) return false;
    std::swap(FPages[static_cast<std::size_t>(Index)], FPages[static_cast<std::size_t>(neighbour)]);
    return true;
}

void TPageList::Clear() {
    FPages.clear();
}

void TPageList::Assign(std::vector<Byte> Pages) {
    FPages = std::move(Pages);
}

void TPageList::InvertAll() {
    std::transform(FPages.begin(), FPages.end(), FPages.begin(), InvertByte);
}

int PageTableRows(int PageCount) {
    return std::max(PageCount, 1);
}

AnsiString PageCellText(Byte Page, int Column) {
    switch (Column) {
    case 1:
        return Format("%i", Page);
    // Appending: operator+ on a literal trips a false overlap warning of the compiler.
    case 2:
        return AnsiString("$").append(IntToHex(Page, 2));
    case 3:
        return AnsiString("%").append(Bits::ToBinaryString(Page));
    default:
        return AnsiString();
    }
}
