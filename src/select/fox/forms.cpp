#include "select/fox/forms.h"

#include "select/date_literal.h"
#include "select/fox/text.h"

#include <algorithm>
#include <cstring>

namespace tarnvel::select::fox {
namespace {

constexpr std::string_view grow_message = "Insufficient memory for SELECT";

void append_number(Text &out, std::size_t value) { append_decimal(out, value); }

struct Reader {
    std::string_view text;
    std::size_t at = 0;
    char peek() const { return at < text.size() ? text[at] : '\0'; }
    void blanks() {
        at = blanks_after(text, at);
    }
    std::size_t number(std::size_t most, int &value) {
        std::size_t count = 0;
        value = 0;
        while (count < most && is_digit(peek())) {
            value = value * 10 + (peek() - '0');
            ++at;
            ++count;
        }
        return count;
    }
};

bool read_time(Reader &r, LooseDate &d) {
    Clock clock;
    if (!read_clock(r.text, r.at, clock)) return false;
    d.hour = clock.hour;
    d.minute = clock.minute;
    d.second_of_minute = clock.second;
    d.time = true;
    return true;
}

void put(std::array<char, 32> &chars, std::size_t &length, int value, int width) {
    char digits[8];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 && n < 8);
    for (int i = n; i < width; ++i) chars[length++] = '0';
    while (n > 0) chars[length++] = digits[--n];
}

}  // namespace

void Text::append(std::string_view part) {
    if (!spill_ && length_ + part.size() <= area_.size()) {
        if (!part.empty()) std::memcpy(area_.data() + length_, part.data(), part.size());
        length_ += part.size();
        return;
    }
    if (!spill_) {
        spill_ = tarnvel::Text::obtain(2 * (length_ + part.size()) + 64, grow_message);
        spill_.append(std::string_view(area_.data(), length_));
    }
    spill_.append(part);
}

void Args::add(std::string_view text) {
    texts_.append(text);
    const std::size_t end = texts_.size();
    if (count_ < inline_count) {
        first_ends_[count_] = end;
    } else {
        if (!more_ends_) more_ends_ = tarnvel::Text::obtain(8 * sizeof(std::size_t), grow_message);
        more_ends_.append(std::string_view(reinterpret_cast<const char *>(&end), sizeof end));
    }
    ++count_;
}

std::string_view Args::operator[](std::size_t i) const {
    if (i >= count_) return {};
    auto end_of = [this](std::size_t k) {
        if (k < inline_count) return first_ends_[k];
        std::size_t end = 0;
        std::memcpy(&end, more_ends_.data() + (k - inline_count) * sizeof end, sizeof end);
        return end;
    };
    const std::size_t begin = i > 0 ? end_of(i - 1) : 0;
    return texts_.view().substr(begin, end_of(i) - begin);
}

void fill(Text &out, std::string_view form, const Args &args, std::size_t width, std::size_t decimals) {
    for (std::size_t i = 0; i < form.size(); ++i) {
        const char c = form[i];
        if (c != '{') {  // the text up to the next brace at once
            const std::size_t brace = std::min(form.find('{', i), form.size());
            out.append(form.substr(i, brace - i));
            i = brace - 1;
            continue;
        }
        const std::size_t close = form.find('}', i);
        if (close == std::string_view::npos) {
            out.push(c);
            continue;
        }
        const std::string_view slot = form.substr(i + 1, close - i - 1);
        if (slot.size() == 1 && slot[0] >= '1' && slot[0] <= '9') {
            out.append(args[static_cast<std::size_t>(slot[0] - '1')]);
        } else if (slot.size() == 2 && slot[1] == '+' && slot[0] >= '1' && slot[0] <= '9') {
            for (std::size_t k = static_cast<std::size_t>(slot[0] - '1'); k < args.size(); ++k) {
                out.append(args[k]);
                if (k + 1 < args.size()) out.append(", ");
            }
        } else if (slot == "w") {
            append_number(out, width);
        } else if (slot == "d") {
            append_number(out, decimals);
        } else if (slot == "z") {
            for (std::size_t k = 0; k < width; ++k) out.push('0');
        } else {  // not a slot: FoxPro's own braces ({^...} in a FoxPro form)
            out.push(c);
            continue;
        }
        i = close;
    }
}

bool repeats_long_argument(std::string_view form, const Args &args) {
    std::array<int, 10> uses{};
    for (std::size_t i = 0; i + 2 < form.size(); ++i) {
        if (form[i] != '{' || form[i + 1] < '1' || form[i + 1] > '9') continue;
        const std::size_t n = static_cast<std::size_t>(form[i + 1] - '1');
        if (form[i + 2] == '+') {
            for (std::size_t k = n; k < uses.size(); ++k) ++uses[k];
        } else if (form[i + 2] == '}') {
            ++uses[n];
        }
    }
    bool long_repeated = false;
    std::size_t copies = 0;  // the characters of the copies beyond the first
    for (std::size_t k = 0; k < args.size() && k < uses.size(); ++k) {
        if (uses[k] < 2) continue;
        long_repeated = long_repeated || args[k].size() > longest_repeated_argument;
        copies += static_cast<std::size_t>(uses[k] - 1) * args[k].size();
    }
    return long_repeated && copies > repeated_growth_budget;
}

void wrap_as_value(Text &built, Column column) {
    const std::string_view form = predicate_as_value(column);
    if (form == "{1}") return;
    Args condition;
    condition.add(built.view());
    built.clear();
    fill(built, form, condition);
}

DateReading date_reading(int style) {
    static constexpr DateReading readings[] = {
        {101, "mdy", '/'}, {102, "ymd", '.'}, {103, "dmy", '/'}, {104, "dmy", '.'}, {105, "dmy", '-'},
        {110, "mdy", '-'}, {111, "ymd", '/'}, {120, "ymd", '-'}, {121, "ymd", '-'},
    };
    const int century = style < 100 ? style + 100 : style;  // 1 and 101 read alike (the year's digits aside)
    for (const DateReading &r : readings) {
        if (r.style == century) return r;
    }
    return readings[1];  // the library's default style, 102
}

void fill_date_reading(Text &out, std::string_view form, const Args &args, const DateReading &reading) {
    for (std::size_t i = 0; i < form.size(); ++i) {
        const std::string_view rest = form.substr(i);
        if (rest.starts_with("{s}")) {
            append_number(out, static_cast<std::size_t>(reading.style));
            i += 2;
        } else if (rest.starts_with("{my}") || rest.starts_with("{or}")) {
            const bool mysql = rest[1] == 'm';
            for (std::size_t k = 0; k < reading.order.size(); ++k) {
                // MySQL's %. reads any punctuation, as FoxPro's CTOD does (and its DTOC writes '-')
                if (k > 0) mysql ? out.append("%.") : out.push(reading.separator);
                const char part = reading.order[k];
                if (mysql) out.append(part == 'd' ? "%d" : part == 'm' ? "%m" : "%Y");
                else out.append(part == 'd' ? "DD" : part == 'm' ? "MM" : "YYYY");
            }
            i += 3;
        } else if (rest.starts_with("{1}")) {
            out.append(args[0]);
            i += 2;
        } else {
            out.push(form[i]);
        }
    }
}

bool read_cast_type(std::string_view text, CastSpec &spec) {
    std::size_t end = 0;
    while (end < text.size() && name_char(text[end])) ++end;
    const UpperWord word(text.substr(0, end));
    if (word.view().empty()) return false;
    for (const CastType &type : cast_types()) {
        std::string_view names = type.names;
        bool found = false;
        while (!names.empty() && !found) {
            const std::size_t comma = names.find(',');
            found = names.substr(0, comma) == word.view();
            names = comma == std::string_view::npos ? std::string_view{} : names.substr(comma + 1);
        }
        if (found) {
            spec.type = &type;
            break;
        }
    }
    if (!spec.type) return false;
    Reader r{text, end};
    r.blanks();
    if (r.peek() == '(') {
        ++r.at;
        r.blanks();
        int width = 0, decimals = 0;
        if (r.number(5, width) == 0) return false;
        r.blanks();
        if (r.peek() == ',') {
            ++r.at;
            r.blanks();
            if (r.number(5, decimals) == 0) return false;
            r.blanks();
        }
        if (r.peek() != ')') return false;
        ++r.at;
        spec.width = static_cast<std::size_t>(width);
        spec.decimals = static_cast<std::size_t>(decimals);
    } else if (spec.type->sized) {
        spec.widthless = true;
    }
    r.blanks();
    // FoxPro's NULL or NOT NULL after the type: a server's cast keeps a null value as it is
    const auto word_at = [&](std::string_view w) {
        if (text.size() - r.at < w.size() || UpperWord(text.substr(r.at, w.size())).view() != w) return false;
        if (r.at + w.size() < text.size() && name_char(text[r.at + w.size()])) return false;
        r.at += w.size();
        r.blanks();
        return true;
    };
    if (word_at("NOT") && !word_at("NULL")) return false;
    word_at("NULL");
    return r.at == text.size() && (!spec.type->sized || spec.widthless || spec.width > 0);
}

bool literal_inside(std::string_view literal, std::string_view &inside) {
    if (literal.size() < 2) return false;
    const char q = literal.front();
    if (!((q == '\'' || q == '"') && literal.back() == q) && !(q == '[' && literal.back() == ']')) return false;
    inside = literal.substr(1, literal.size() - 2);
    return true;
}

namespace {
// The length of the UTF-8 sequence at 'at', 0 when none starts there.
std::size_t utf8_sequence(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    for (std::size_t i = at + 1; i < at + length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
    }
    return length;
}
}  // namespace

bool characters_of(std::string_view list, Characters &out) {
    bool utf8 = true;
    for (std::size_t i = 0; i < list.size() && utf8;) {
        const std::size_t n = static_cast<unsigned char>(list[i]) < 0x80 ? 1 : utf8_sequence(list, i);
        utf8 = n > 0;
        i += n;
    }
    out.count = 0;
    for (std::size_t i = 0; i < list.size();) {
        if (out.count == out.at.size()) return false;
        const std::size_t n = utf8 && static_cast<unsigned char>(list[i]) >= 0x80 ? utf8_sequence(list, i) : 1;
        out.at[out.count++] = list.substr(i, n);
        i += n;
    }
    return true;
}

bool holds_letters(const Characters &list) {
    for (std::size_t i = 0; i < list.count; ++i) {
        const char c = list.at[i][0];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) > 0x7F) return true;
    }
    return false;
}

bool chrtran_steps(const Characters &from, const Characters &to, ChrtranSteps &steps) {
    if (from.count == 0) return false;
    for (const Characters *list : {&from, &to}) {
        for (std::size_t i = 0; i < list->count; ++i) {
            if (std::string_view("\"[]\\").find(list->at[i][0]) != std::string_view::npos) return false;
        }
    }
    std::array<std::uint8_t, 16> waiting{};
    std::size_t left = 0;
    for (std::size_t i = 0; i < from.count; ++i) {
        const auto earlier = from.at.begin();
        const bool repeated = std::find(earlier, earlier + i, from.at[i]) != earlier + i;
        if (!repeated && !(i < to.count && to.at[i] == from.at[i])) waiting[left++] = static_cast<std::uint8_t>(i);
    }
    // a step whose character put in no waiting step takes out goes next
    steps.count = 0;
    while (left > 0) {
        std::size_t ready = left;
        for (std::size_t k = 0; k < left && ready == left; ++k) {
            const std::size_t i = waiting[k];
            bool taken_later = false;
            for (std::size_t m = 0; m < left && i < to.count; ++m) taken_later = taken_later || from.at[waiting[m]] == to.at[i];
            if (!taken_later) ready = k;
        }
        if (ready == left) return false;
        steps.at[steps.count++] = waiting[ready];
        std::copy(waiting.begin() + static_cast<std::ptrdiff_t>(ready) + 1, waiting.begin() + static_cast<std::ptrdiff_t>(left),
                  waiting.begin() + static_cast<std::ptrdiff_t>(ready));
        --left;
    }
    return true;
}

// "9 999 999.99": 9s in groups of three after the first, one blank between them, no blank among the
// decimals.
static Picture read_spaced_picture(std::string_view inside, std::size_t point, std::size_t decimals) {
    const std::string_view whole = inside.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : inside.substr(point + 1);
    if (inside.size() > 40 || whole.empty() || (point != std::string_view::npos && decimals == 0) ||
        fraction.find_first_not_of('9') != std::string_view::npos)
        return {};
    std::size_t group = 0;
    bool first = true;
    for (char c : whole) {
        if (c == '9') {
            if (++group > 3) return {};
        } else if (c != ' ' || group == 0 || (!first && group != 3)) {
            return {};
        } else {
            first = false;
            group = 0;
        }
    }
    if (group != 3) return {};
    return {Picture::spaced, inside.size(), decimals};
}

Picture read_picture(std::string_view literal) {
    std::string_view inside;
    if (!literal_inside(literal, inside)) return {};
    // Function codes that make the whole picture, in either order and either case
    static constexpr struct {
        std::string_view code;
        Picture::Kind kind;
    } codes[] = {{"@!", Picture::upper},          {"@T", Picture::trimmed},        {"@t", Picture::trimmed},
                 {"@!T", Picture::upper_trimmed}, {"@!t", Picture::upper_trimmed}, {"@T!", Picture::upper_trimmed},
                 {"@t!", Picture::upper_trimmed}};
    for (const auto &code : codes)
        if (inside == code.code) return {code.kind, 0, 0};
    if (inside.size() >= 3 && inside[0] == '@' && upper(inside[1]) == 'L') {
        Reader r{inside, 2};
        r.blanks();
        std::size_t nines = 0;
        for (; r.peek() == '9'; ++r.at) ++nines;
        r.blanks();
        return r.at == inside.size() && nines > 0 && nines <= 40 ? Picture{Picture::zeros, nines, 0} : Picture{};
    }
    const std::size_t point = inside.find('.');
    const std::size_t decimals = point == std::string_view::npos ? 0 : inside.size() - point - 1;
    if (inside.find(' ') != std::string_view::npos) return read_spaced_picture(inside, point, decimals);
    const bool digits = !inside.empty() && inside.size() <= 40 && inside.find_first_not_of("9.,") == std::string_view::npos &&
                        (point == std::string_view::npos || inside.find('.', point + 1) == std::string_view::npos);
    if (!digits || (point != std::string_view::npos && decimals == 0)) return {};
    const std::size_t comma = inside.find(',');
    if (comma == std::string_view::npos) return {Picture::number, inside.size(), decimals};
    // Commas between the 9s of the whole part only: "9,999", not ",999", "999," or "9.9,9"
    const std::string_view whole = inside.substr(0, point == std::string_view::npos ? inside.size() : point);
    if (whole.front() == ',' || whole.back() == ',' || whole.find(",,") != std::string_view::npos ||
        inside.find(',', whole.size()) != std::string_view::npos)
        return {};
    return {Picture::grouped, inside.size(), decimals};
}

bool read_loose_date(std::string_view inside, LooseDate &date) {
    Reader r{inside, 0};
    r.blanks();
    date.first_digits = r.number(4, date.first);
    const char separator = r.peek();
    if (date.first_digits == 0 || (separator != '/' && separator != '-' && separator != '.')) return false;
    ++r.at;
    if (r.number(2, date.second) == 0 || r.peek() != separator) return false;
    ++r.at;
    date.third_digits = r.number(4, date.third);
    if (date.third_digits == 0) return false;
    const char after = upper(r.peek());
    if (after == ' ' || after == 'T' || after == ',') {
        ++r.at;
        r.blanks();
        if (is_digit(r.peek())) {
            if (!read_time(r, date)) return false;
        } else if (after == ',') {
            date.time = true;  // {08/16/2010,} is that day's midnight
        }
    }
    r.blanks();
    return r.at == inside.size();
}

bool StrictDate::set(const LooseDate &d, bool day_first) {
    int year = d.third, month = d.first, day = d.second;
    std::size_t year_digits = d.third_digits;
    if (d.first_digits == 4) {
        year = d.first;
        month = d.second;
        day = d.third;
        year_digits = 4;
    } else if (day_first) {
        month = d.second;
        day = d.first;
    }
    if (year_digits <= 2) year += 1900;
    if (month < 1 || month > 12 || day < 1 || day > 31 || year < 1) return false;
    length_ = 0;
    chars_[length_++] = '{';
    chars_[length_++] = '^';
    put(chars_, length_, year, 4);
    chars_[length_++] = '-';
    put(chars_, length_, month, 2);
    chars_[length_++] = '-';
    put(chars_, length_, day, 2);
    if (d.time) {
        chars_[length_++] = ' ';
        put(chars_, length_, d.hour, 2);
        chars_[length_++] = ':';
        put(chars_, length_, d.minute, 2);
        chars_[length_++] = ':';
        put(chars_, length_, d.second_of_minute, 2);
    }
    chars_[length_++] = '}';
    return true;
}

}  // namespace tarnvel::select::fox
