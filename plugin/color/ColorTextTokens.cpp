#include "color/ColorTextTokens.h"

#include <algorithm>
#include <string>
#include <utility>

namespace ColorTextReading {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f');
}

int hexValue(char c)
{
    return isDigit(c) ? c - '0' : c - 'a' + 10;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> splitAt(std::string_view s, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = s.find(separator, start);
        parts.push_back(trimmed(s.substr(start, end - start)));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::vector<std::string_view> splitAtSpaces(std::string_view s)
{
    std::vector<std::string_view> parts;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && isSpace(s[i]))
            ++i;
        const std::size_t start = i;
        while (i < s.size() && !isSpace(s[i]))
            ++i;
        if (i > start)
            parts.push_back(s.substr(start, i - start));
    }
    return parts;
}

bool readQuantity(std::string_view token, ExactDecimal& value, std::string_view& unit)
{
    std::size_t i = 0;
    const bool negative = i < token.size() && token[i] == '-';
    if (i < token.size() && (token[i] == '-' || token[i] == '+'))
        ++i;
    std::string digits;
    while (i < token.size() && isDigit(token[i]))
        digits += token[i++];
    int scale = 0;
    if (i + 1 < token.size() && token[i] == '.' && isDigit(token[i + 1])) {
        for (++i; i < token.size() && isDigit(token[i]); ++i, ++scale)
            digits += token[i];
    }
    if (digits.empty())
        return false;
    // An exponent only where digits follow the e, as CSS reads "1e3" but "1em" as 1 with a unit.
    std::size_t e = i;
    if (e < token.size() && token[e] == 'e') {
        ++e;
        const bool negativeExponent = e < token.size() && token[e] == '-';
        if (e < token.size() && (token[e] == '-' || token[e] == '+'))
            ++e;
        if (e < token.size() && isDigit(token[e])) {
            int exponent = 0;
            int length = 0;
            for (; e < token.size() && isDigit(token[e]); ++e) {
                exponent = exponent * 10 + (token[e] - '0');
                if (exponent != 0 && ++length > 3)
                    return false;
            }
            scale += negativeExponent ? exponent : -exponent;
            i = e;
        }
    }
    unit = token.substr(i);
    // A unit is a word or "%"; anything else ("1.", "2x3") is no number.
    if (unit != "%" &&
        !std::all_of(unit.begin(), unit.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
        return false;
    value = ExactDecimal(std::move(digits), scale, negative);
    return true;
}

} // namespace ColorTextReading
