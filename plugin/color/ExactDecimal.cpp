#include "color/ExactDecimal.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// The power of ten of the leading digit.
int leadingPower(const ExactDecimal& d)
{
    return static_cast<int>(d.digits().size()) - 1 - d.scale();
}

int compareMagnitudes(const ExactDecimal& a, const ExactDecimal& b)
{
    if (a.isZero() || b.isZero())
        return b.isZero() ? (a.isZero() ? 0 : 1) : -1;
    if (leadingPower(a) != leadingPower(b))
        return leadingPower(a) < leadingPower(b) ? -1 : 1;
    // Same leading power: the digits line up, and without trailing zeros a prefix is smaller.
    const int order = a.digits().compare(b.digits());
    return (order > 0) - (order < 0);
}

// The digits of |d| written at `scale` (not below d's), as an integer; none for zero.
std::string digitsAt(const ExactDecimal& d, int scale)
{
    if (d.isZero())
        return std::string();
    return d.digits() + std::string(static_cast<std::size_t>(scale - d.scale()), '0');
}

// |a| + |b|, with the sign `negative`.
ExactDecimal addMagnitudes(const ExactDecimal& a, const ExactDecimal& b, bool negative)
{
    const int scale = std::max(a.scale(), b.scale());
    std::string x = digitsAt(a, scale);
    std::string y = digitsAt(b, scale);
    if (x.size() < y.size())
        std::swap(x, y);
    y.insert(0, x.size() - y.size(), '0');
    int carry = 0;
    for (std::size_t i = x.size(); i-- > 0;) {
        const int sum = (x[i] - '0') + (y[i] - '0') + carry;
        x[i] = static_cast<char>('0' + sum % 10);
        carry = sum / 10;
    }
    if (carry)
        x.insert(x.begin(), '1');
    return ExactDecimal(std::move(x), scale, negative);
}

// |a| - |b|, for |a| >= |b|, with the sign `negative`.
ExactDecimal subtractMagnitudes(const ExactDecimal& a, const ExactDecimal& b, bool negative)
{
    const int scale = std::max(a.scale(), b.scale());
    std::string x = digitsAt(a, scale);
    std::string y = digitsAt(b, scale);
    y.insert(0, x.size() - y.size(), '0');
    int borrow = 0;
    for (std::size_t i = x.size(); i-- > 0;) {
        int difference = (x[i] - '0') - (y[i] - '0') - borrow;
        borrow = difference < 0 ? 1 : 0;
        x[i] = static_cast<char>('0' + difference + 10 * borrow);
    }
    return ExactDecimal(std::move(x), scale, negative);
}

// Four decimal digits a limb, the least significant limb first.
std::vector<std::uint64_t> limbsOf(const std::string& digits)
{
    static constexpr std::uint64_t powers[4] = {1, 10, 100, 1000};
    std::vector<std::uint64_t> limbs((digits.size() + 3) / 4, 0);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::size_t place = digits.size() - 1 - i;
        limbs[place / 4] += static_cast<std::uint64_t>(digits[i] - '0') * powers[place % 4];
    }
    return limbs;
}

// A non-negative decimal integer written as digits, modulo m.
int digitsModulo(std::string_view digits, int m)
{
    int rest = 0;
    for (const char c : digits)
        rest = (rest * 10 + (c - '0')) % m;
    return rest;
}

} // namespace

ExactDecimal::ExactDecimal(int value, int scale)
    : ExactDecimal(std::to_string(std::abs(value)), scale, value < 0)
{
}

ExactDecimal::ExactDecimal(std::string digits, int scale, bool negative)
{
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return;
    digits.erase(0, first);
    const auto last = digits.find_last_not_of('0');
    m_scale = scale - static_cast<int>(digits.size() - 1 - last);
    digits.erase(last + 1);
    m_digits = std::move(digits);
    m_negative = negative;
}

int ExactDecimal::compare(const ExactDecimal& a, const ExactDecimal& b)
{
    if (a.m_negative != b.m_negative)
        return a.m_negative ? -1 : 1;
    const int order = compareMagnitudes(a, b);
    return a.m_negative ? -order : order;
}

ExactDecimal operator-(const ExactDecimal& d)
{
    return ExactDecimal(d.digits(), d.scale(), !d.isNegative());
}

ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b)
{
    if (a.isZero() || b.isZero())
        return a.isZero() ? b : a;
    if (a.isNegative() == b.isNegative())
        return addMagnitudes(a, b, a.isNegative());
    const int order = compareMagnitudes(a, b);
    if (order == 0)
        return ExactDecimal();
    return order > 0 ? subtractMagnitudes(a, b, a.isNegative())
                     : subtractMagnitudes(b, a, b.isNegative());
}

ExactDecimal operator-(const ExactDecimal& a, const ExactDecimal& b)
{
    return a + -b;
}

ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b)
{
    if (a.isZero() || b.isZero())
        return ExactDecimal();
    const std::vector<std::uint64_t> x = limbsOf(a.digits());
    const std::vector<std::uint64_t> y = limbsOf(b.digits());
    // Column sums of products below 10^8 stay far below 2^64 for any number of limbs here.
    std::vector<std::uint64_t> columns(x.size() + y.size(), 0);
    for (std::size_t i = 0; i < x.size(); ++i) {
        for (std::size_t j = 0; j < y.size(); ++j)
            columns[i + j] += x[i] * y[j];
    }
    std::string digits;
    digits.reserve(4 * columns.size());
    std::uint64_t carry = 0;
    for (std::uint64_t& column : columns) {
        column += carry;
        carry = column / 10000;
        column %= 10000;
    }
    for (std::size_t i = columns.size(); i-- > 0;) {
        const std::uint64_t limb = columns[i];
        for (std::uint64_t power = 1000; power > 0; power /= 10)
            digits += static_cast<char>('0' + limb / power % 10);
    }
    return ExactDecimal(std::move(digits), a.scale() + b.scale(), a.isNegative() != b.isNegative());
}

ExactDecimal ExactDecimal::shifted(int places) const
{
    ExactDecimal d = *this;
    if (!d.isZero())
        d.m_scale += places;
    return d;
}

ExactDecimal ExactDecimal::clamped(const ExactDecimal& low, const ExactDecimal& high) const
{
    return *this < low ? low : *this > high ? high : *this;
}

ExactDecimal ExactDecimal::wrapped(int period) const
{
    if (isZero())
        return *this;
    ExactDecimal rest;
    if (m_scale <= 0) {
        int power = 1;
        for (int i = m_scale; i < 0; ++i)
            power = power * 10 % period;
        rest = ExactDecimal(digitsModulo(m_digits, period) * power % period);
    } else {
        // digits = whole × 10^scale + fraction, and (whole × 10^scale) mod (period × 10^scale)
        // is (whole mod period) × 10^scale.
        const std::size_t count = m_digits.size();
        const std::size_t scale = static_cast<std::size_t>(m_scale);
        const std::size_t split = count > scale ? count - scale : 0;
        const std::string fraction =
            std::string(scale - (count - split), '0') + m_digits.substr(split);
        rest = ExactDecimal(
            std::to_string(digitsModulo(std::string_view(m_digits).substr(0, split), period)) +
                fraction,
            m_scale, false);
    }
    return m_negative && !rest.isZero() ? ExactDecimal(period) - rest : rest;
}

int ExactDecimal::roundedHalfUp() const
{
    // The integer digits, plus one when the first digit after the point is 5 or more.
    const int count = static_cast<int>(m_digits.size());
    int whole = 0;
    for (int j = 0; j < count && count - 1 - j - m_scale >= 0; ++j)
        whole = whole * 10 + (m_digits[static_cast<std::size_t>(j)] - '0');
    for (int power = m_scale; power < 0; ++power)
        whole *= 10;
    const int tenths = count - m_scale; // index of the digit worth 10^-1
    const bool up =
        tenths >= 0 && tenths < count && m_digits[static_cast<std::size_t>(tenths)] >= '5';
    return whole + (up ? 1 : 0);
}

double ExactDecimal::toDouble() const
{
    if (isZero())
        return 0.0;
    const std::string text = (m_negative ? "-" : "") + m_digits + "e" + std::to_string(-m_scale);
    return std::strtod(text.c_str(), nullptr);
}
