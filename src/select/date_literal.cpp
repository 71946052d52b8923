#include "select/date_literal.h"

#include "lex/classes.h"

namespace tarnvel::select {
namespace {

struct Reader {
    std::string_view text;
    std::size_t at = 0;
    char peek() const { return at < text.size() ? text[at] : '\0'; }
    void blanks() {
        while (lex::is_blank(peek())) ++at;
    }
    bool take(char c) {
        if (peek() != c) return false;
        ++at;
        return true;
    }
    // 1 to 'most' digits.
    bool number(int most, int &value) {
        int count = 0;
        value = 0;
        while (count < most && lex::is_digit(peek())) {
            value = value * 10 + (peek() - '0');
            ++at;
            ++count;
        }
        return count > 0;
    }
};

// A number read from the literal (never negative), with leading zeros to 'width' digits.
void append_digits(std::string &out, int value, int width) {
    char digits[16];
    int n = 0;
    unsigned v = static_cast<unsigned>(value);
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0 && n < 16);
    for (int i = n; i < width; ++i) out += '0';
    while (n > 0) out += digits[--n];
}

bool read_time(Reader &r, DateLiteral &d) {
    Clock clock;
    if (!read_clock(r.text, r.at, clock)) return false;
    d.hour = clock.hour;
    d.minute = clock.minute;
    d.second = clock.second;
    return true;
}

bool read_strict(Reader &r, DateLiteral &d) {
    if (!r.number(4, d.year)) return false;
    char separator = r.peek();
    if (separator != '-' && separator != '/' && separator != '.') return false;
    ++r.at;
    if (!r.number(2, d.month) || !r.take(separator) || !r.number(2, d.day)) return false;
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31) return false;
    d.kind = DateLiteral::date;
    std::size_t before = r.at;
    if (r.peek() == ' ' || r.peek() == ',' || r.peek() == 'T' || r.peek() == 't') {
        ++r.at;
        r.blanks();
        if (lex::is_digit(r.peek())) {
            if (!read_time(r, d)) return false;
            d.kind = DateLiteral::datetime;
        } else if (r.text[before] == ',') {
            d.kind = DateLiteral::datetime;  // {^2010-08-16,} is that day's midnight
        } else {
            r.at = before;
        }
    }
    r.blanks();
    return r.take('}');
}

}  // namespace

bool read_clock(std::string_view text, std::size_t &at, Clock &clock) {
    Reader r{text, at};
    if (!r.number(2, clock.hour)) return false;
    if (r.take(':')) {
        if (!r.number(2, clock.minute)) return false;
        if (r.take(':') && !r.number(2, clock.second)) return false;
    }
    r.blanks();
    const char c = r.peek();
    if (c == 'A' || c == 'a' || c == 'P' || c == 'p') {
        if (clock.hour < 1 || clock.hour > 12) return false;
        clock.hour = c == 'P' || c == 'p' ? clock.hour % 12 + 12 : clock.hour % 12;
        ++r.at;
        if (r.peek() == 'M' || r.peek() == 'm') ++r.at;
    }
    at = r.at;
    return clock.hour < 24 && clock.minute < 60 && clock.second < 60;
}

DateLiteral read_date_literal(std::string_view text) {
    DateLiteral d;
    Reader r{text, 1};
    if (text.empty() || text[0] != '{') return d;
    r.blanks();  // { ^2010-08-16 } as FoxPro reads it
    if (r.take('^')) {
        if (read_strict(r, d)) {
            d.length = r.at;
            return d;
        }
        d = DateLiteral{};
        std::size_t close = text.find('}', 2);
        d.kind = DateLiteral::verbatim;
        d.length = close == std::string_view::npos ? text.size() : close + 1;
        return d;
    }
    // The empty date or datetime: separators and blanks alone ({}, {//}, {  /  /  }, {/:}, {--:}).
    while (r.peek() == ' ' || r.peek() == '\t' || r.peek() == '/' || r.peek() == '.' || r.peek() == '-' ||
           r.peek() == ':') {
        d.clock = d.clock || r.peek() == ':';
        ++r.at;
    }
    if (!r.take('}')) return d;
    d.kind = DateLiteral::empty;
    d.length = r.at;
    return d;
}

std::string date_literal_text(const DateLiteral &d, const DateForm &date, const DateForm &datetime) {
    const DateForm &form = d.kind == DateLiteral::datetime ? datetime : date;
    if (d.kind == DateLiteral::empty) return std::string(d.clock ? datetime.empty : date.empty);
    if (form.first != 0 && d.year * 10000 + d.month * 100 + d.day < form.first) return std::string(form.empty);
    std::string literal(form.open);
    append_digits(literal, d.year, 4);
    literal.append(form.separator);
    append_digits(literal, d.month, 2);
    literal.append(form.separator);
    append_digits(literal, d.day, 2);
    if (d.kind == DateLiteral::datetime) {
        literal += ' ';
        append_digits(literal, d.hour, 2);
        literal += ':';
        append_digits(literal, d.minute, 2);
        literal += ':';
        append_digits(literal, d.second, 2);
    }
    literal.append(form.close);
    return literal;
}

}  // namespace tarnvel::select
