// TGclCellArray: a sorted list of cell addresses without duplicates, plus a flag
// asking for the table's unused area to be repainted.
#pragma once

#include "classlib/Objects.h"

#include <vector>

struct TGclCellAddress {
    int Row;
    int Col;
    auto operator<=>(const TGclCellAddress&) const = default;
};

class TGclCellArray : public TObject {
    DECLARE_CLASS(TGclCellArray, TObject)
public:
    void AddCell(int Row, int Col);
    // True when the address was there.
    bool DeleteCell(int Row, int Col);
    // The entry at Index; row and column 0 when Index is out of range.
    void GetCellAddr(int Index, TGclCellAddress& Addr) const;
    void Clear();
    // The sorted union with Other's addresses; the flag is not merged.
    void Merge(const TGclCellArray& Other);
    void AddUnusedBit() { FUnusedBit = true; }
    bool MustDoUnusedBit() const { return FUnusedBit; }
    bool GetEmpty() const { return FCells.empty() && !FUnusedBit; }
    int Count() const { return static_cast<int>(FCells.size()); }

private:
    void Reserve(std::size_t Needed);

    std::vector<TGclCellAddress> FCells;
    bool FUnusedBit = false;
};
