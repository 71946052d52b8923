#include "select/host_variables.h"

#include "host/variable.h"

#include <cmath>

namespace tarnvel::select {
namespace {

// The style the variable holds, or 'fallback' when it is missing, not numeric or out of reach.
long style_from_host(long fallback) {
    const host::Variable variable("___TARNVEL_Set_DToC_Style");
    const std::optional<double> number = variable.number();
    if (!number) return fallback;
    double style = std::trunc(*number);
    if (!std::isfinite(style) || style < -99 || style > 999) return fallback;
    return static_cast<long>(style);
}

// The style in decimal, blank-padded to three characters; a style that does not fit keeps its
// first three characters.
std::array<char, 4> format_style(long style) {
    char digits[24];
    std::size_t used = 0;
    bool negative = style < 0;
    unsigned long magnitude = negative ? 0UL - static_cast<unsigned long>(style) : static_cast<unsigned long>(style);
    do {
        digits[used++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) digits[used++] = '-';
    std::array<char, 4> result{' ', ' ', ' ', '\0'};
    for (std::size_t i = 0; i < 3 && i < used; ++i) result[i] = digits[used - 1 - i];
    return result;
}

}  // namespace

std::array<char, 4> read_dtoc_style(int default_style) { return format_style(style_from_host(default_style)); }

bool table_hint_switched_on() { return host::Variable("SETLOCSYS_SQL_Server_Select_NoLock").set(); }

}  // namespace tarnvel::select
