// Filling the forms of the map: converted arguments into templates, a condition into the
// dialect's value form, FoxPro CAST types, TRANSFORM's zero-padding picture and FoxPro's dates
// written with the day and month in the order of SET DATE.
#pragma once

#include "host/text.h"
#include "select/fox/map.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tarnvel::select::fox {

// A text that a rewrite builds: short ones (most) in an area of its own, longer ones in a host
// memory handle, which it takes only when the text outgrows the area.
class Text {
public:
    void push(char c) {
        if (!spill_ && length_ < area_.size()) area_[length_++] = c;
        else append(std::string_view(&c, 1));
    }
    void append(std::string_view part);
    std::string_view view() const { return spill_ ? spill_.view() : std::string_view(area_.data(), length_); }
    std::size_t size() const { return spill_ ? spill_.size() : length_; }
    void clear() {
        length_ = 0;
        if (spill_) spill_.clear();
    }

private:
    std::array<char, 240> area_;  // the first length_ bytes are the text
    std::size_t length_ = 0;
    tarnvel::Text spill_;
};

// Texts one after the other in one buffer, for random access by number.
class Args {
public:
    void add(std::string_view text);
    std::size_t size() const { return count_; }
    std::string_view operator[](std::size_t i) const;

private:
    static constexpr std::size_t inline_count = 8;
    Text texts_;
    std::array<std::size_t, inline_count> first_ends_{};  // the end offsets of the first texts
    tarnvel::Text more_ends_;  // those of the texts after them, as size_t values
    std::size_t count_ = 0;
};

// Appends the form with {1} to {9} replaced by the arguments, {2+} by the arguments from the second
// on joined by ", ", {w} by 'width', {d} by 'decimals' and {z} by 'width' zeros.
void fill(Text &out, std::string_view form, const Args &args, std::size_t width = 0, std::size_t decimals = 0);
// The decimal digits of the value (0x1F as 31, a form's width).
void append_decimal(Text &out, std::uint64_t value);
// A form that writes an argument twice (x IS NULL OR x = '') doubles it, and nested calls would
// double it again at every level: an argument longer than this is not written twice, and the
// construct stays as written.
inline constexpr std::size_t longest_repeated_argument = 512;
// A form of the map may still write longer arguments more than once while the copies beyond the
// first add at most this many characters in all: a long nested call (LTRIM(GETWORDNUM(...), '-'))
// is converted, and since an argument repeated is never longer than this, a call's text grows by
// a bounded amount, however deep the nest.
inline constexpr std::size_t repeated_growth_budget = 4096;
// True when the form writes an argument longer than longest_repeated_argument more than once and its
// copies exceed repeated_growth_budget.
bool repeats_long_argument(std::string_view form, const Args &args);

// A string one end of which is also its other end ("aa", "aba") may be found across the place where
// the run at the start ends or the run at the end begins: a trim of such a string keeps the call.
bool bordered(std::string_view s);

// SQL Server's ALLTRIM, LTRIM, RTRIM or TRIM (the row's id) of parse strings its PATINDEX class
// cannot list (trim_marks.cpp): the strings literals of printable ASCII, no two sharing a character
// and none beginning with its own end; blind to case (nFlags 1), none holding a letter.
bool marked_trim(std::string_view row, std::string_view text, std::span<const std::string_view> strings, bool blind,
                 Text &built);

// A condition as a value where the dialect cannot use it as one (SQL Server, Oracle).
void wrap_as_value(Text &built, Column column);

// The type part of CAST(x AS type): a FoxPro type letter or long name with its width.
struct CastSpec {
    const CastType *type = nullptr;
    std::size_t width = 0, decimals = 0;
    bool widthless = false;  // a sized type written without its width: the type's widthless forms
};
bool read_cast_type(std::string_view text, CastSpec &spec);

// A TRANSFORM picture (any quotes) the targets can say: digits only ("999", "99.99": STR with the
// picture's width and decimals, which also rounds and writes asterisks where the number does not
// fit), leading zeros ("@L 999", any letter case: the width is the number of 9s), or the upper-case
// function "@!"; digits with thousands commas ("999,999.99": grouped, the width counting the commas).
struct Picture {
    // spaced: thousands set apart by blanks ("999 999.99", groups of three), as many languages write them
    // trimmed, upper_trimmed: "@T" (leading and trailing blanks dropped), "@!T"
    enum Kind : std::uint8_t { none, number, zeros, upper, trimmed, upper_trimmed, grouped, spaced } kind = none;
    std::size_t width = 0, decimals = 0;
    bool widthless = false;  // a sized type written without its width: the type's widthless forms
};
Picture read_picture(std::string_view literal);

// The text inside a string literal ('...', "..." or [...]), or false when the text is not one.
bool literal_inside(std::string_view literal, std::string_view &inside);

// The characters of a list of CHRTRAN, 16 at most: a UTF-8 sequence is one character where the
// whole list is UTF-8, else every byte is one (a single-byte code page).
struct Characters {
    std::array<std::string_view, 16> at{};
    std::size_t count = 0;
};
bool characters_of(std::string_view list, Characters &out);

// The steps of CHRTRAN(s, from, to) as a nest of REPLACE calls, one a character of 'from' (its place
// in the list), in the order they are applied: each character's first place only, none that stays
// itself, and a step that takes a character out before any step that puts it in. False where the
// lists hold a double quote, bracket or backslash, or where the steps put in one another's
// characters in a circle (CHRTRAN(s, 'ab', 'ba')).
struct ChrtranSteps {
    std::array<std::uint8_t, 16> at{};
    std::size_t count = 0;
};
bool chrtran_steps(const Characters &from, const Characters &to, ChrtranSteps &steps);
// A list holds a letter, or a character beyond ASCII (which may be one): a dialect whose REPLACE
// follows the collation, which may be blind to case or accents, needs its exact form there.
bool holds_letters(const Characters &list);

// How a date style (a SQL Server style number, the application's SET DATE) writes a date: the
// order of day, month and year ("mdy", "dmy", "ymd") and the separator.
struct DateReading {
    int style;            // the SQL Server style that reads it back
    std::string_view order;
    char separator;
};
DateReading date_reading(int style);
// Appends the form with {1} the converted text, {s} the SQL Server style, {my} the MySQL format
// (%m/%d/%Y) and {or} the Oracle format (MM/DD/YYYY) of the reading.
void fill_date_reading(Text &out, std::string_view form, const Args &args, const DateReading &reading);

// A FoxPro date written with SET DATE's order (mm/dd/yyyy, dd.mm.yy, ...), with an optional time.
struct LooseDate {
    int first = 0, second = 0, third = 0;
    std::size_t first_digits = 0, third_digits = 0;
    bool time = false;
    int hour = 0, minute = 0, second_of_minute = 0;
};
bool read_loose_date(std::string_view inside, LooseDate &date);

// The same date as a strict FoxPro literal {^yyyy-mm-dd[ hh:mm:ss]}.
class StrictDate {
public:
    // False when the numbers name no date.
    bool set(const LooseDate &date, bool day_first);
    // In the style's order, else in the other one when only that names a date: 31.12.2020 is written
    // by an application whose SET DATE reads the day first, whatever style the host announces.
    bool set_either(const LooseDate &date, bool day_first) { return set(date, day_first) || set(date, !day_first); }
    std::string_view text() const { return {chars_.data(), length_}; }

private:
    std::array<char, 32> chars_{};
    std::size_t length_ = 0;
};

}  // namespace tarnvel::select::fox
