#include "app/LedPattern.h"

#include "app/Bits.h"

bool SegmentLit(int Segment, Byte Pattern, bool CommonCathode) {
    bool level = Bits::TestBit(Pattern, Segment);
    return CommonCathode ? level : !level;
}

TSegmentStates LitSegments(Byte Pattern, bool CommonCathode) {
    TSegmentStates lit{};
    for (int i = 0; i < static_cast<int>(lit.size()); ++i)
        lit[static_cast<std::size_t>(i)] = SegmentLit(i, Pattern, CommonCathode);
    return lit;
}

Byte PatternFromSegments(const TSegmentStates& Lit, bool CommonCathode) {
    Byte pattern = 0;
    for (int i = 0; i < static_cast<int>(Lit.size()); ++i) {
        bool level =
            CommonCathode ? Lit[static_cast<std::size_t>(i)] : !Lit[static_cast<std::size_t>(i)];
        if (level) Bits::SetBit(pattern, i);
    }
    return pattern;
}

Byte InvertByte(Byte Value) {
    return static_cast<Byte>(~Value);
}
