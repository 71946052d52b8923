#include "embed/literals.hpp"

#include "embed/errors.hpp"

#include <charconv>
#include <cmath>
#include <string>

namespace tarnvel::embed {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool starts_with_word(const Cursor &cursor, std::string_view word) {
    if (cursor.text.size() - cursor.pos < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (upper(cursor.text[cursor.pos + i]) != word[i]) return false;
    return true;
}

// A run of digits with at most one decimal point and at least one digit; decimals counts the
// digits after the point.
bool read_number(Cursor &cursor, double &value, int &decimals) {
    std::size_t start = cursor.pos, end = start;
    bool point = false, digit = false;
    decimals = 0;
    for (; end < cursor.text.size(); ++end) {
        char c = cursor.text[end];
        if (is_digit(c)) {
            digit = true;
            if (point) ++decimals;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digit) return false;
    std::string digits(cursor.text.substr(start, end - start));
    if (digits.back() == '.') digits.pop_back();
    if (digits.front() == '.') digits.insert(digits.begin(), '0');
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    cursor.pos = end;
    return true;
}

bool read_logical(Cursor &cursor, HostValue &out) {
    static const struct {
        std::string_view word;
        char type;
        bool truth;
    } words[] = {{".NULL.", '0', false}, {".T.", 'L', true}, {".F.", 'L', false}, {".Y.", 'L', true}, {".N.", 'L', false}};
    for (const auto &w : words) {
        if (starts_with_word(cursor, w.word)) {
            out = w.type == '0' ? HostValue::null() : HostValue::boolean(w.truth);
            cursor.pos += w.word.size();
            return true;
        }
    }
    return false;
}

bool read_string(Cursor &cursor, HostValue &out) {
    char open = cursor.peek();
    char close = open == '[' ? ']' : open;
    if (open != '\'' && open != '"' && open != '[') return false;
    std::size_t end = cursor.text.find(close, cursor.pos + 1);
    if (end == std::string_view::npos)
        throw HostError{syntax_error, "Syntax error: unterminated string " + std::string(cursor.text.substr(cursor.pos))};
    out = HostValue::character(std::string(cursor.text.substr(cursor.pos + 1, end - cursor.pos - 1)));
    cursor.pos = end + 1;
    return true;
}

// --- dates ---

bool leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leap(year) ? 29 : days[month - 1];
}

// Reads up to 'most' digits as a number; false when there is none.
bool read_digits(Cursor &cursor, int most, int &value) {
    std::size_t start = cursor.pos;
    value = 0;
    while (cursor.pos - start < static_cast<std::size_t>(most) && is_digit(cursor.peek()))
        value = value * 10 + (cursor.text[cursor.pos++] - '0');
    return cursor.pos > start;
}

bool read_separator(Cursor &cursor, std::string_view allowed) {
    if (cursor.at_end() || allowed.find(cursor.peek()) == std::string_view::npos) return false;
    ++cursor.pos;
    return true;
}

// The inside of {^yyyy-mm-dd[ hh[:mm[:ss]][am|pm]]}, the caret included.
bool read_strict_date(std::string_view inside, HostValue &out) {
    Cursor c{inside, 1};
    int year, month, day;
    if (!read_digits(c, 4, year) || !read_separator(c, "-/.") || !read_digits(c, 2, month) ||
        !read_separator(c, "-/.") || !read_digits(c, 2, day))
        return false;
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > days_in_month(year, month)) return false;
    if (c.at_end()) {
        out = HostValue::date(year, month, day);
        return true;
    }
    if (!read_separator(c, " ,T")) return false;
    c.skip_blanks();
    int hour = 0, minute = 0, second = 0;
    if (!read_digits(c, 2, hour)) return false;
    if (read_separator(c, ":")) {
        if (!read_digits(c, 2, minute)) return false;
        if (read_separator(c, ":") && !read_digits(c, 2, second)) return false;
    }
    c.skip_blanks();
    if (!c.at_end()) {
        std::string rest;
        for (char ch : c.text.substr(c.pos)) rest.push_back(upper(ch));
        if (hour < 1 || hour > 12) return false;
        if (rest == "AM" || rest == "A") {
            if (hour == 12) hour = 0;
        } else if (rest == "PM" || rest == "P") {
            if (hour != 12) hour += 12;
        } else {
            return false;
        }
    }
    if (hour > 23 || minute > 59 || second > 59) return false;
    out = HostValue::datetime(year, month, day, hour, minute, second);
    return true;
}

bool read_date(Cursor &cursor, HostValue &out) {
    if (cursor.peek() != '{') return false;
    std::size_t end = cursor.text.find('}', cursor.pos);
    std::string_view literal = cursor.text.substr(cursor.pos, end == std::string_view::npos ? end : end - cursor.pos + 1);
    auto bad = [&] { return HostError{syntax_error, "Syntax error: invalid date literal " + std::string(literal)}; };
    if (end == std::string_view::npos) throw bad();
    std::string_view inside = cursor.text.substr(cursor.pos + 1, end - cursor.pos - 1);
    while (!inside.empty() && (inside.front() == ' ' || inside.front() == '\t')) inside.remove_prefix(1);
    while (!inside.empty() && (inside.back() == ' ' || inside.back() == '\t')) inside.remove_suffix(1);
    if (inside.find_first_not_of("/-.: ") == std::string_view::npos) {
        // {} {/ /} and friends: the empty date; with a colon, {/:}, the empty datetime
        out = HostValue::empty_date(inside.find(':') == std::string_view::npos ? 'D' : 'T');
    } else if (inside.front() != '^' || !read_strict_date(inside, out)) {
        throw bad();
    }
    cursor.pos = end + 1;
    return true;
}

bool read_currency(Cursor &cursor, HostValue &out) {
    if (cursor.peek() != '$') return false;
    Cursor c = cursor;
    ++c.pos;
    bool negative = false;
    if (c.peek() == '-' || c.peek() == '+') negative = c.text[c.pos++] == '-';
    double value;
    int decimals;
    if (!read_number(c, value, decimals)) return false;
    double scaled = std::round(value * 10000.0);
    if (scaled >= 9.2e18)
        throw HostError{syntax_error, "Syntax error: currency value out of range " + std::string(cursor.text.substr(cursor.pos, c.pos - cursor.pos))};
    out = HostValue::money(static_cast<std::int64_t>(negative ? -scaled : scaled));
    cursor = c;
    return true;
}

}  // namespace

bool read_literal(Cursor &cursor, HostValue &out) {
    if (read_logical(cursor, out) || read_string(cursor, out) || read_date(cursor, out) || read_currency(cursor, out))
        return true;
    double value;
    int decimals;
    if (read_number(cursor, value, decimals)) {
        out = HostValue::numeric(value, decimals);
        return true;
    }
    return false;
}

}  // namespace tarnvel::embed
