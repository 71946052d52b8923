// What the pass knows of FoxPro's functions beside the map's forms: the kind of value a call gives
// and what its arguments take. One row per function; a name's FoxPro shortening reads as the name.
#include "select/fox/scan.h"

#include <iterator>

namespace tarnvel::select::fox {
namespace {

struct FactRow {
    std::string_view name;
    unsigned facts;
};

constexpr unsigned whole = Fact::gives_whole, number = Fact::gives_number, part = Fact::date_part,
                   decimal = Fact::takes_decimal, date = Fact::reads_date,
                   text = Fact::gives_text;

constexpr FactRow fact_rows[] = {
    // counts and the parts of a date or time: whole numbers (an empty date, NULL in some dialects,
    // gives NULL there, where FoxPro gives 0)
    {"COUNT", whole},
    {"CNT", whole},
    {"DAY", whole | part | date},
    {"DOW", whole | part},
    {"MONTH", whole | part | date},
    {"YEAR", whole | part | date},
    {"WEEK", whole | part},
    {"HOUR", whole | part},
    {"MINUTE", whole | part},
    {"SEC", whole | part},
    {"QUARTER", part},
    // numbers of any values
    {"LEN", whole | number},
    {"MOD", whole | number | decimal},  // MOD of decimals is a decimal, which the * 1.0 leaves as it is
    {"INT", number | decimal},
    {"ROUND", number | decimal},
    {"VAL", number},
    {"CEILING", number | decimal},
    {"FLOOR", number | decimal},
    {"ABS", number | decimal},
    {"SIGN", number | decimal},
    {"AT", number},
    {"ATC", number},
    {"RAT", number},
    {"OCCURS", number},
    {"ASC", number},
    {"GETWORDCOUNT", number},
    // functions whose arguments take a decimal: a quotient there may be made one (CEILING(MONTH(d) /
    // 3)); others want a whole number (LEFT(s, LEN(s) / 2), REPEAT, LPAD) on PostgreSQL
    {"ACOS", decimal},
    {"ASIN", decimal},
    {"ATAN", decimal},
    {"AVG", decimal},
    {"CEIL", decimal},
    {"COS", decimal},
    {"DTOR", decimal},
    {"EVL", decimal},
    {"EXP", decimal},
    {"IIF", decimal},
    {"LOG", decimal},
    {"LOG10", decimal},
    {"MAX", decimal},
    {"MIN", decimal},
    {"NVL", decimal},
    {"RTOD", decimal},
    {"SIN", decimal},
    {"SQRT", decimal},
    {"SUM", decimal},
    {"TAN", decimal},
    // text of a date
    {"DTOC", date},
    {"DTOS", date},
    {"CDOW", date},
    {"CMONTH", date},
    // text of a text: NULL where the text is NULL (a field of the outer side of an outer join)
    {"SUBSTR", text},
    {"LEFT", text},
    {"RIGHT", text},
    {"UPPER", text},
    {"LOWER", text},
    {"PROPER", text},
    {"ALLTRIM", text},
    {"TRIM", text},
    {"LTRIM", text},
    {"RTRIM", text},
    {"PADL", text},
    {"PADR", text},
    {"PADC", text},
};

constexpr auto fact_table() {
    WordTable<128> table;
    for (std::size_t i = 0; i < std::size(fact_rows); ++i) table.add(fact_rows[i].name, static_cast<std::uint8_t>(i));
    return table;
}
constexpr auto fact_names = fact_table();

}  // namespace

unsigned facts_of(std::string_view name) {
    int i = fact_names.find(name);
    if (i < 0 && name.size() >= 4) {
        const std::string_view full = full_function_name(name);  // SUBS as SUBSTR
        if (full.empty()) return 0;
        i = fact_names.find(full);
    }
    return i < 0 ? 0 : fact_rows[i].facts;
}

unsigned facts_at(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && name_char(text[end])) ++end;
    return end == at ? 0 : facts_of(text.substr(at, end - at));
}

}  // namespace tarnvel::select::fox
