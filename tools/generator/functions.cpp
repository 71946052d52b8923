#include "functions.h"

namespace foxgen {
namespace {

using enum Arg;

constexpr std::uint8_t both = value | condition_place;

constexpr FunctionRow rows[] = {
    // text
    {"CHRTRAN", Type::character, {text, chars, chars_to}, 0, value, 3},
    {"CHRTRANC", Type::character, {text, chars, chars_to}},
    {"PROPER", Type::character, {text}, 0, value, 2},
    {"GETWORDNUM", Type::character, {text, position, delimiters}, 1, value, 3},
    {"STUFF", Type::character, {text, position, count, text_literal}, 0, value, 2},
    {"STUFFC", Type::character, {text, position, count, text_literal}},
    {"ALLTRIM", Type::character, {text, chars, chars}, 1, value, 2},
    {"ALLTRIM", Type::character, {text, trim_flags, chars}},
    {"LTRIM", Type::character, {text, chars}},
    {"RTRIM", Type::character, {text, chars}},
    {"TRIM", Type::character, {text, trim_flags, chars}},
    {"STRTRAN", Type::character, {text, needle, text_literal, strtran_start, strtran_count, strtran_flags}, 2, value, 4},
    {"STRTRAN", Type::character, {text, needle}},
    {"STREXTRACT", Type::character, {text, needle, needle, occurrence, strtran_flags}, 2, value, 2},
    {"CDOW", Type::character, {date}},
    {"CMONTH", Type::character, {date}},
    {"DMY", Type::character, {date}},
    {"MDY", Type::character, {date}},
    {"CHR", Type::character, {char_code}},
    {"SPACE", Type::character, {count}},
    {"TTOC", Type::character, {datetime, ttoc_mode}, 1, value, 2},
    {"TRANSFORM", Type::character, {number, picture}, 0, value, 2},
    {"LEFTC", Type::character, {text, position}},
    {"RIGHTC", Type::character, {text, position}},
    {"SUBSTRC", Type::character, {text, position, position}, 1},
    {"PADC", Type::character, {text, position, pad_char}, 1},
    {"MAX", Type::character, {text, text}},
    {"MIN", Type::character, {text, text}},
    {"JUSTFNAME", Type::character, {text}},
    {"JUSTEXT", Type::character, {text}},
    {"JUSTSTEM", Type::character, {text}},
    {"ADDBS", Type::character, {text}},
    {"FORCEEXT", Type::character, {text, needle}},
    {"SOUNDEX", Type::character, {text}},
    // numbers
    {"OCCURS", Type::number, {needle, text}, 0, value, 3},
    {"GETWORDCOUNT", Type::number, {text, delimiters}, 1, value, 2},
    {"AT", Type::number, {needle, text, occurrence}, 0, value, 2},
    {"ATC", Type::number, {needle, text, occurrence}, 1, value, 2},
    {"RAT", Type::number, {needle, text, occurrence}, 1, value, 2},
    {"ATCC", Type::number, {needle, text}},
    {"AT_C", Type::number, {needle, text, occurrence}, 1},
    {"RATC", Type::number, {needle, text}},
    {"SIGN", Type::number, {number}, 0, value, 2},
    {"CEILING", Type::number, {number}, 0, value, 2},
    {"FLOOR", Type::number, {number}, 0, value, 2},
    {"SQRT", Type::number, {positive}},
    {"PI", Type::number, {}},
    {"ASC", Type::number, {text}, 0, value, 2},
    {"LENC", Type::number, {text}},
    {"DOW", Type::number, {date, first_day}, 1, value, 3},
    {"QUARTER", Type::number, {date, fiscal_month}, 1, value, 2},
    {"WEEK", Type::number, {date, first_week, first_day}, 2, value, 2},
    {"BITAND", Type::number, {whole, whole}},
    {"BITOR", Type::number, {whole, whole}},
    {"BITXOR", Type::number, {whole, whole}},
    {"BITNOT", Type::number, {whole}},
    {"BITLSHIFT", Type::number, {whole, bit}},
    {"BITRSHIFT", Type::number, {whole, bit}},
    {"RGB", Type::number, {char_code, char_code, char_code}},
    {"NTOM", Type::number, {number}},
    {"MTON", Type::number, {number}},
    {"FV", Type::number, {number, rate, position}},
    {"PV", Type::number, {number, rate, position}},
    {"PAYMENT", Type::number, {number, rate, position}},
    // dates and datetimes
    {"GOMONTH", Type::date, {date, months}, 0, value, 4},
    {"DATE", Type::date, {year, month, day}, 0, value, 2},
    {"CTOT", Type::datetime, {datetime_text}},
    {"DATETIME", Type::datetime, {year, month, day, hour, minute, minute}, 3, value, 2},
    // conditions
    {"BETWEEN", Type::logical, {number, number, number}, 0, both},
    {"ISDIGIT", Type::logical, {text}, 0, both},
    {"ISALPHA", Type::logical, {text}, 0, both},
    {"ISBLANK", Type::logical, {text}, 0, both},
    {"LIKE", Type::logical, {like_pattern, text}, 0, both, 2},
    {"LIKEC", Type::logical, {like_pattern, text}, 0, both},
    {"BITTEST", Type::logical, {whole, bit}, 0, both},
};

constexpr ArgValues literal_args[] = {
    {needle, true, 0, 0, {"a", "-", " ", "x)", "New", "O'", ",", "ab", "%", "."}},
    {position, false, 1, 12},
    {count, false, 0, 5},
    {occurrence, false, 1, 3},
    {char_code, false, 32, 126},
    {bit, false, 0, 7},
    {chars, true, 0, 0, {"-", "0", " .", "*!", ",", "x", "%_", "'"}},
    {chars_to, true, 0, 0, {"", "x", "AE", "_", "12345"}},
    {pad_char, true, 0, 0, {"*", "0", "-", " "}},
    {delimiters, true, 0, 0, {",", " ;", "-/", ".", " "}},
    {trim_flags, false, 0, 1},
    {strtran_start, false, 0, 0, {"-1", "1", "2", "3"}},
    {strtran_count, false, 0, 0, {"-1", "1", "2"}},
    {strtran_flags, false, 0, 3},
    {picture, true, 0, 0, {"@L 999999", "999,999.99", "9 999 999.99", "@Z 99999", "99999.9", "@$ 9,999.99"}},
    {first_day, false, 1, 7},
    {first_week, false, 0, 3},
    {fiscal_month, false, 1, 12},
    {months, false, -24, 24},
    {year, false, 1995, 2030},
    {month, false, 1, 12},
    {day, false, 1, 28},
    {hour, false, 0, 23},
    {minute, false, 0, 59},
    {ttoc_mode, false, 1, 3},
    {rate, false, 0, 0, {"0.005", "0.01", "0.05", "0.1"}},
    {like_pattern, true, 0, 0, {"R*", "*a*", "S?ith", "*", "?*x", "New*"}},
    {datetime_text, true, 0, 0, {"", "01/31/2024 10:30", "12/25/1999 08:05:30"}},
};

constexpr WideVariable held_values[] = {
    {"thisform.txtname.value", Type::character},
    {"thisform.pgfmain.page1.txtcode.value", Type::character},
    {"this.parent.cbocountry.value", Type::character},
    {"thisformset.frmfilter.txtmax.value", Type::number},
    {"thisform.spnyear.value", Type::number},
    {"thisform.dtpto.value", Type::date},
    {"thisform.chkactive.value", Type::logical},
};

constexpr std::string_view dates[] = {"{01/31/95}", "{12/25/99}", "{^2024.03.15}", "{^2024/3/5}", "{^2016-02-29}"};

}  // namespace

std::span<const FunctionRow> wide_functions() { return rows; }
std::span<const WideVariable> wide_variables() { return held_values; }
std::span<const std::string_view> wide_dates() { return dates; }

const ArgValues *arg_values(Arg arg) {
    for (const ArgValues &v : literal_args) {
        if (v.arg == arg) return &v;
    }
    return nullptr;
}

}  // namespace foxgen
