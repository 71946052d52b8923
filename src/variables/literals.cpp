#include "variables/literals.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace tarnvel::variables {
namespace {

// Division rounding toward minus infinity, so that the conversion also holds before year 1.
std::int64_t floor_div(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

void append_unsigned(Text &out, std::uint64_t value, int width) {
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    (void)ec;  // 24 bytes hold any 64-bit number
    for (auto n = end - digits; n < width; ++n) out.push('0');
    out.append(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

void append_signed(Text &out, std::int64_t value, int width) {
    if (value < 0) out.push('-');
    append_unsigned(out, value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value), width);
}

void append_zeros(Text &out, std::size_t count) {
    static constexpr char zeros[] = "0000000000000000000000000000000000000000000000000000000000000000";
    while (count > 0) {
        std::size_t n = std::min(count, sizeof zeros - 1);
        out.append(std::string_view(zeros, n));
        count -= n;
    }
}

// Room for 'need' bytes and the NUL, or the user error 'message'.
void room_for(Text &out, std::size_t need, std::string_view message) {
    if (out.buffer().size() <= need) {
        if (!out.ensure_buffer(need)) host::user_error(message);
    }
}

}  // namespace

CivilDate gregorian(std::int64_t n) {
    CivilDate date;
    if (n == 0) return date;
    const std::int64_t k = 4 * n - 6884477;
    const std::int64_t c = floor_div(k, 146097);
    std::int64_t t = floor_div(k - 146097 * c, 4);
    const std::int64_t y = floor_div(4 * t + 3, 1461);
    t = floor_div(4 * t + 3 - 1461 * y + 4, 4);
    const std::int64_t m = floor_div(5 * t - 3, 153);
    date.day = static_cast<int>(floor_div(5 * t - 3 - 153 * m + 5, 5));
    date.year = 100 * c + y;
    if (m < 10) {
        date.month = static_cast<int>(m + 3);
    } else {
        date.month = static_cast<int>(m - 9);
        date.year += 1;
    }
    return date;
}

std::int64_t whole_day(double day_number) {
    // Far beyond any real date, and small enough that the conversion cannot overflow.
    constexpr double bound = 1e12;
    if (!std::isfinite(day_number)) return 0;
    double day = std::floor(day_number);
    return static_cast<std::int64_t>(std::clamp(day, -bound, bound));
}

void append_number(Text &out, double value, std::uint32_t decimals) {
    if (!std::isfinite(value)) {
        out.append("NULL");
        return;
    }
    // The shortest decimal form that reads back as the same double: the number the user sees.
    char shortest[512];
    auto [end, ec] = std::to_chars(shortest, shortest + sizeof shortest, std::fabs(value), std::chars_format::fixed);
    if (ec != std::errc()) end = shortest;  // cannot happen: 512 bytes hold any double in fixed form
    std::string_view written(shortest, static_cast<std::size_t>(end - shortest));
    std::size_t point = written.find('.');
    std::string_view whole = written.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : written.substr(point + 1);

    // digits: a carry digit, the whole part, then the kept fraction digits.
    char digits[sizeof shortest + 1];
    std::size_t kept = std::min<std::size_t>(fraction.size(), decimals);
    digits[0] = '0';
    std::memcpy(digits + 1, whole.data(), whole.size());
    if (kept > 0) std::memcpy(digits + 1 + whole.size(), fraction.data(), kept);
    std::size_t count = 1 + whole.size() + kept;
    if (kept < fraction.size() && fraction[kept] >= '5') {  // half away from zero, on the magnitude
        std::size_t i = count;
        while (i > 0) {
            --i;
            if (digits[i] == '9') {
                digits[i] = '0';
            } else {
                ++digits[i];
                break;
            }
        }
    }
    std::size_t whole_begin = digits[0] == '0' ? 1 : 0;
    std::size_t whole_end = 1 + whole.size();
    std::string_view rounded_whole(digits + whole_begin, whole_end - whole_begin);
    std::string_view rounded_fraction(digits + whole_end, kept);
    bool fraction_zero = rounded_fraction.find_first_not_of('0') == std::string_view::npos;
    bool whole_zero = rounded_whole.find_first_not_of('0') == std::string_view::npos;

    if (value < 0 && !(fraction_zero && whole_zero)) out.push('-');
    out.append(rounded_whole);
    if (!fraction_zero) {
        out.push('.');
        out.append(rounded_fraction);
        append_zeros(out, decimals - kept);
    }
}

void append_currency(Text &out, std::int64_t ten_thousandths, std::string_view prefix) {
    out.append(prefix);
    std::uint64_t magnitude = ten_thousandths < 0 ? 0 - static_cast<std::uint64_t>(ten_thousandths)
                                                  : static_cast<std::uint64_t>(ten_thousandths);
    if (ten_thousandths < 0) out.push('-');
    append_unsigned(out, magnitude / 10000, 1);
    out.push('.');
    append_unsigned(out, magnitude % 10000, 4);
}

void append_date(Text &out, double day_number, bool with_time, const DateLiterals &form) {
    std::int64_t day = whole_day(day_number);
    std::int64_t seconds = 0;
    if (with_time && std::isfinite(day_number)) {
        double fraction = day_number - std::floor(day_number);
        seconds = static_cast<std::int64_t>(std::floor(fraction * 86400.0 + 0.5));
        if (seconds >= 86400) {  // 23:59:59.5 and later is the next day's midnight, never 24:00:00
            seconds -= 86400;
            day += 1;
        }
    }
    if (day < form.first_day) {
        out.append(with_time ? form.datetime_before : form.date_before);
        return;
    }
    CivilDate date = gregorian(day);
    out.append(with_time ? form.datetime_open : form.open);
    append_signed(out, date.year, 4);
    out.append(form.date_sep);
    append_unsigned(out, static_cast<std::uint64_t>(date.month), 2);
    out.append(form.date_sep);
    append_unsigned(out, static_cast<std::uint64_t>(date.day), 2);
    if (with_time) {
        std::int64_t minutes_total = seconds / 60;
        std::int64_t hours = minutes_total / 60;
        out.push(' ');
        append_unsigned(out, static_cast<std::uint64_t>(hours), 2);
        out.push(':');
        append_unsigned(out, static_cast<std::uint64_t>(minutes_total - 60 * hours), 2);
        out.push(':');
        append_unsigned(out, static_cast<std::uint64_t>(seconds - 60 * minutes_total), 2);
    }
    out.append(with_time ? form.datetime_close : form.close);
}

void append_string(Text &out, std::string_view bytes) {
    const std::size_t start = out.size();
    const std::size_t length = bytes.size();
    // The data between two quotes.
    if (out.buffer().size() < start + length + 3) {
        if (!out.resize_buffer(start + length + (length > 1000 ? 1000 : 100)))
            host::user_error("Insufficient memory for next str");
    }
    const std::size_t quotes = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\''));
    room_for(out, start + length + 2 + quotes, "Insufficient memory for next '");
    const std::size_t zeros = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\0'));
    room_for(out, start + length + 2 + quotes + 10 * zeros, "Insufficient memory for next zero character");

    static constexpr std::string_view zero_byte = "'+Char(0)+'";
    char *target = out.data() + start;
    *target++ = '\'';
    for (char c : bytes) {
        if (c == '\'') {
            *target++ = '\'';
            *target++ = '\'';
        } else if (c == '\0') {
            std::memcpy(target, zero_byte.data(), zero_byte.size());
            target += zero_byte.size();
        } else {
            *target++ = c;
        }
    }
    *target++ = '\'';
    out.set_length(static_cast<std::size_t>(target - out.data()));
}

}  // namespace tarnvel::variables
