// TSet: a set over a small enumeration, as used for styles, states and options.
#pragma once

#include <bitset>
#include <cstddef>
#include <initializer_list>

template <typename E, std::size_t N = 64> class TSet {
public:
    constexpr TSet() = default;
    TSet(std::initializer_list<E> items) {
        for (E e : items)
            Include(e);
    }

    bool Contains(E e) const { return FBits.test(Index(e)); }
    TSet& Include(E e) {
        FBits.set(Index(e));
        return *this;
    }
    TSet& Exclude(E e) {
        FBits.reset(Index(e));
        return *this;
    }
    TSet& operator<<(E e) { return Include(e); }
    TSet& operator>>(E e) { return Exclude(e); }

    bool Empty() const { return FBits.none(); }
    TSet operator+(const TSet& o) const { return FromBits(FBits | o.FBits); }
    TSet operator-(const TSet& o) const { return FromBits(FBits & ~o.FBits); }
    TSet operator*(const TSet& o) const { return FromBits(FBits & o.FBits); }
    bool operator==(const TSet& o) const { return FBits == o.FBits; }

    // The members as a bit mask, bit i for the element of value i (N <= 64).
    unsigned long long ToBits() const { return FBits.to_ullong(); }
    static TSet FromBits(std::bitset<N> bits) {
        TSet s;
        s.FBits = bits;
        return s;
    }

private:
    static std::size_t Index(E e) { return static_cast<std::size_t>(e); }
    std::bitset<N> FBits;
};
