#include "grid/gcltcary.h"

#include <algorithm>
#include <iterator>

namespace {
constexpr std::size_t BlockStep = 128;
std::size_t RoundUp(std::size_t n) {
    return (n + BlockStep - 1) / BlockStep * BlockStep;
}
} // namespace

void TGclCellArray::Reserve(std::size_t Needed) {
    if (Needed > FCells.capacity()) FCells.reserve(RoundUp(Needed));
}

void TGclCellArray::AddCell(int Row, int Col) {
    const TGclCellAddress addr{Row, Col};
    auto at = std::lower_bound(FCells.begin(), FCells.end(), addr);
    if (at != FCells.end() && *at == addr) return;
    const auto offset = at - FCells.begin();
    Reserve(FCells.size() + 1);
    FCells.insert(FCells.begin() + offset, addr);
}

bool TGclCellArray::DeleteCell(int Row, int Col) {
    const TGclCellAddress addr{Row, Col};
    auto at = std::lower_bound(FCells.begin(), FCells.end(), addr);
    if (at == FCells.end() || *at != addr) return false;
    FCells.erase(at);
    return true;
}

void TGclCellArray::GetCellAddr(int Index, TGclCellAddress& Addr) const {
    Addr = Index >= 0 && Index < Count() ? FCells[Index] : TGclCellAddress{0, 0};
}

void TGclCellArray::Clear() {
    FCells.clear();
    FUnusedBit = false;
}

void TGclCellArray::Merge(const TGclCellArray& Other) {
    if (FCells.empty() && Other.FCells.empty()) return;
    std::vector<TGclCellAddress> merged;
    merged.reserve(RoundUp(FCells.size() + Other.FCells.size()));
    std::set_union(FCells.begin(), FCells.end(), Other.FCells.begin(), Other.FCells.end(),
                   std::back_inserter(merged));
    FCells.swap(merged);
}
