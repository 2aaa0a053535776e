#pragma once

// An integer point, as the host passes window positions.
class IPoint2
{
public:
    int x = 0;
    int y = 0;

    constexpr IPoint2() = default;
    constexpr IPoint2(int px, int py) : x(px), y(py) {}
    constexpr bool operator==(const IPoint2& other) const { return x == other.x && y == other.y; }
    constexpr bool operator!=(const IPoint2& other) const { return !(*this == other); }
};
