#pragma once

#include <string>

// An exact decimal: digits × 10^-scale, as pasted color text writes its numbers. Reading them
// exactly is what makes the rounding to 8 bits exact: 0.3 × 255 is 76.5, which no binary float
// holds. The digits carry no leading or trailing zeros (zero is the empty string and never
// negative), so "1e-999" stays one digit long.
class ExactDecimal
{
public:
    // Zero.
    ExactDecimal() = default;
    // value × 10^-scale: ExactDecimal(255) is 255, ExactDecimal(5, 1) is 0.5, ExactDecimal(1, -9)
    // is 10^9.
    ExactDecimal(int value, int scale = 0);
    // The decimal `digits` (leading and trailing zeros allowed) × 10^-scale, negative when
    // `negative` and not zero.
    ExactDecimal(std::string digits, int scale, bool negative);

    const std::string& digits() const { return m_digits; }
    int scale() const { return m_scale; }
    bool isZero() const { return m_digits.empty(); }
    bool isNegative() const { return m_negative; }

    // This / 10^places.
    ExactDecimal shifted(int places) const;
    ExactDecimal clamped(const ExactDecimal& low, const ExactDecimal& high) const;
    // Brought into [0, period) exactly, for a period of 1 to 46340.
    ExactDecimal wrapped(int period) const;
    // The nearest integer, halves rounded up, for values from 0 to 255.
    int roundedHalfUp() const;
    // The nearest double, as strtod reads the decimal.
    double toDouble() const;

    // -1, 0 or 1 as `a` is less than, equal to or greater than `b`.
    static int compare(const ExactDecimal& a, const ExactDecimal& b);

private:
    std::string m_digits;
    int m_scale = 0;
    bool m_negative = false;
};

ExactDecimal operator-(const ExactDecimal& d);
ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b);
ExactDecimal operator-(const ExactDecimal& a, const ExactDecimal& b);
ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b);

inline bool operator<(const ExactDecimal& a, const ExactDecimal& b)
{
    return ExactDecimal::compare(a, b) < 0;
}
inline bool operator<=(const ExactDecimal& a, const ExactDecimal& b)
{
    return ExactDecimal::compare(a, b) <= 0;
}
inline bool operator>(const ExactDecimal& a, const ExactDecimal& b)
{
    return ExactDecimal::compare(a, b) > 0;
}
inline bool operator>=(const ExactDecimal& a, const ExactDecimal& b)
{
    return ExactDecimal::compare(a, b) >= 0;
}
inline bool operator==(const ExactDecimal& a, const ExactDecimal& b)
{
    return ExactDecimal::compare(a, b) == 0;
}
inline bool operator!=(const ExactDecimal& a, const ExactDecimal& b)
{
    return ExactDecimal::compare(a, b) != 0;
}
