// Inside the FoxPro-syntax pass (rewrite.h): the state of a scan (per parenthesis level: the clause,
// the table list, conditions and values, the operand being read), the output built from the first
// change on, and the scan itself. Its parts: scan.cpp (tokens), tables.cpp (the table list),
// calls.cpp (rewritten calls), quick_look.cpp (the look that spares most statements the scan).
#pragma once

#include "host/text.h"
#include "lex/keywords.h"
#include "lex/scan.h"
#include "select/fox/forms.h"
#include "select/fox/map.h"
#include "select/fox/paren_pairs.h"
#include "select/fox/standing_names.h"
#include "select/fox/text.h"
#include "select/host_variables.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tarnvel::select::fox {

inline constexpr std::string_view grow_message = "Insufficient memory for SELECT";
inline constexpr int deepest_call = 32;     // rewritten calls inside rewritten calls: deeper ones stay as written
inline constexpr std::size_t tracked_levels = 16;  // parenthesis levels held in place; deeper nests grow a copy
inline constexpr std::size_t longest_choice = 16;  // MAX/MIN of more values as a choice stay as written

// --- keywords

enum class Kw : std::uint8_t {
    none, select, from, where, group, having, order, into, union_, join, on, when, then, else_, end, case_,
    logic,     // AND, OR, NOT
    value,     // NULL
    callable,  // LEFT, RIGHT, BETWEEN, LIKE, ASC: a keyword, or a call when "(" follows
    with,
    other,
};

// The keyword the word is (in any letter case), or none.
Kw keyword_of(std::string_view word);

// laX(1), gaX(2, 1), paX(3): FoxPro reads an array's subscripts in parentheses as well as in brackets.
// A name written in the local, global or parameter array habit (la, ga or pa, then a capital: not
// LAST or palabra) whose "(" at 'open' holds whole numbers alone is an element, which the host
// evaluates as it does laX[1].
inline bool array_in_parentheses(std::string_view word, std::string_view text, std::size_t open) {
    if (word.size() < 3 || word[1] != 'a' || word[2] < 'A' || word[2] > 'Z') return false;
    if (word[0] != 'l' && word[0] != 'g' && word[0] != 'p') return false;
    bool digit = false;
    for (std::size_t at = open + 1; at < text.size(); ++at) {
        const char c = text[at];
        if (c == ')') return digit;
        if (is_digit(c)) digit = true;
        else if (c != ',' && !is_blank(c)) return false;
    }
    return false;
}

// What the pass knows of a FoxPro function beside the map's forms (facts.cpp), by its name in full
// or shortened, in any letter case.
namespace Fact {
enum : unsigned {
    gives_whole = 1,    // a whole number, which SQL Server and PostgreSQL divide as one
    gives_number = 2,   // a number, whatever its arguments (EMPTY of it is the test = 0)
    date_part = 4,      // a part of a date or time
    takes_decimal = 8,  // its arguments take a decimal: a quotient there may be made one
    reads_date = 16,    // its first argument is a date: a number added to it counts days
    gives_text = 32,    // a text of a text, NULL of NULL (EMPTY of it tells NULL from blank text)
};
}
unsigned facts_of(std::string_view name);
// The facts of the function whose name begins at 'at' (0 where no name begins).
unsigned facts_at(std::string_view text, std::size_t at);

inline bool object_word(std::string_view w) {
    if (w.size() == 1) return upper(w[0]) == 'M';
    if (w[0] == '_') return same_word(w, "_SCREEN") || same_word(w, "_VFP");
    return (w.size() == 4 || w.size() == 8 || w.size() == 11) &&
           (same_word(w, "THIS") || same_word(w, "THISFORM") || same_word(w, "THISFORMSET"));
}

// The rows the pass names, looked up once.
struct DatePart;  // a part of DATE(y, m, d) as written (date_of_parts.cpp)

struct NamedRows {
    const Construct &fn_ctod_expression = construct("fn.ctod_expression");
    const Construct &fn_dtoc_ansi = construct("fn.dtoc_ansi");
    const Construct &fn_evl = construct("fn.evl");
    const Construct &fn_evl_number = construct("fn.evl_number");
    const Construct &fn_left = construct("fn.left");
    const Construct &fn_right = construct("fn.right");
    const Construct &fn_empty = construct("fn.empty");
    const Construct &fn_at = construct("fn.at");
    const Construct &fn_empty_number = construct("fn.empty_number");
    const Construct &fn_empty_condition = construct("fn.empty_condition");
    const Construct &fn_empty_text = construct("fn.empty_text");
    const Construct &fn_empty_name = construct("fn.empty_name");
    const Construct &fn_min_logical = construct("fn.min_logical");
    const Construct &fn_max_logical = construct("fn.max_logical");
    const Construct &fn_ctot_expression = construct("fn.ctot_expression");
    const Construct &fn_str = construct("fn.str");
    const Construct &fn_round = construct("fn.round");
    const Construct &fn_mod = construct("fn.mod");
    const Construct &fn_str_decimals = construct("fn.str_decimals");
    const Construct &clause_call_blank = construct("clause.call_blank");
    const Construct &op_pad_compared = construct("op.pad_compared");
    const Construct &op_like_trimmed = construct("op.like_trimmed");
    const Construct &clause_star = construct("clause.star");
    const Construct &fn_transform = construct("fn.transform");
    const Construct &fn_transform_zeros = construct("fn.transform_zeros");
    const Construct &fn_transform_grouped = construct("fn.transform_grouped");
    const Construct &fn_transform_spaced = construct("fn.transform_spaced");
    const Construct &fn_chrtran_steps = construct("fn.chrtran_steps");
    const Construct &fn_chrtran_exact = construct("fn.chrtran_exact");
    const Construct &fn_week_rule = construct("fn.week_rule");
    const Construct &fn_dow_first = construct("fn.dow_first");
    const Construct &kw_between = construct("kw.between");
    const Construct &lit_backslash = construct("lit.backslash");
    const Construct &lit_false = construct("lit.false");
    const Construct &lit_null = construct("lit.null");
    const Construct &lit_null_cast = construct("lit.null_cast");
    const Construct &lit_true = construct("lit.true");
    const Construct &lit_currency = construct("lit.currency");
    const Construct &lit_binary = construct("lit.binary");
    const Construct &lit_hex_number = construct("lit.hex_number");
    const Construct &lit_empty_date_item = construct("lit.empty_date_item");
    const Construct &lit_empty_datetime_item = construct("lit.empty_datetime_item");
    const Construct &lit_empty_date_argument = construct("lit.empty_date_argument");
    const Construct &op_bang_not_equal = construct("op.bang_not_equal");
    const Construct &op_contained = construct("op.contained");
    const Construct &op_power = construct("op.power");
    const Construct &clause_logical_name = construct("clause.logical_name");
    const Construct &op_modulo = construct("op.modulo");
    const Construct &op_whole_division = construct("op.whole_division");
    const Construct &op_divide = construct("op.divide");
    const Construct &op_exact_equal = construct("op.exact_equal");
    const Construct &op_empty_text_equal = construct("op.empty_text_equal");
    const Construct &op_empty_text_not_equal = construct("op.empty_text_not_equal");
    const Construct &op_empty_date_below = construct("op.empty_date_below");
    const Construct &fn_inlist_dates = construct("fn.inlist_dates");
    const Construct &fn_between = construct("fn.between");
    const Construct &fn_between_dates = construct("fn.between_dates");
    const Construct &op_empty_date_above = construct("op.empty_date_above");
    const Construct &op_empty_date_outside = construct("op.empty_date_outside");
    const Construct &op_shown_dates_equal = construct("op.shown_dates_equal");
    const Construct &op_shown_dates_unequal = construct("op.shown_dates_unequal");
    const Construct &op_shown_dates_below = construct("op.shown_dates_below");
    const Construct &op_shown_dates_below_or_equal = construct("op.shown_dates_below_or_equal");
    const Construct &fn_count_shown_date = construct("fn.count_shown_date");
    const Construct &op_hash_not_equal = construct("op.hash_not_equal");
    const Construct &op_not = construct("op.not");
    const Construct &op_date_days = construct("op.date_days");
    const Construct &op_concat = construct("op.concat");
    const Construct &fn_date = construct("fn.date");
    const Construct &fn_datetime = construct("fn.datetime");
    const Construct &op_datetime_seconds = construct("op.datetime_seconds");
    const Construct &op_literal_days = construct("op.literal_days");
    const Construct &op_date_value_days = construct("op.date_value_days");
    const Construct &op_datetime_value_seconds = construct("op.datetime_value_seconds");
    const Construct &fn_gomonth = construct("fn.gomonth");
    const Construct &fn_date_of = construct("fn.date_of");
    const Construct &fn_ctod = construct("fn.ctod");
    const Construct &fn_dtot = construct("fn.dtot");
    const Construct &fn_ctot = construct("fn.ctot");
    const Construct &fn_datetime_of = construct("fn.datetime_of");
    const Construct &op_literal_seconds = construct("op.literal_seconds");
    const Construct &op_date_difference = construct("op.date_difference");
    const Construct &op_days_value = construct("op.days_value");
    const Construct &op_date_argument_days = construct("op.date_argument_days");
    const Construct &op_date_part_argument_days = construct("op.date_part_argument_days");
    const Construct &op_datetime_difference = construct("op.datetime_difference");
    const Construct &op_shown_date_days = construct("op.shown_date_days");
    const Construct &op_date_fraction_days = construct("op.date_fraction_days");
    const Construct &op_variable_date_days = construct("op.variable_date_days");
    const Construct &op_variable_datetime_seconds = construct("op.variable_datetime_seconds");
    const Construct &op_shown_date_difference = construct("op.shown_date_difference");
    const Construct &op_days_value_fraction = construct("op.days_value_fraction");
    const Construct &op_text_minus = construct("op.text_minus");
};
const NamedRows &named();

// LEFT, RIGHT or FULL before JOIN or OUTER somewhere in the text (shown_date_compare.cpp).
bool outer_join(std::string_view text);
// MIN, COUNT, CNT, NVL or ISNULL: a call that passes the server's NULL by or takes it for a missing
// value, where FoxPro's empty date is a value (shown_date_calls.cpp).
bool shown_date_call_word(std::string_view word);
// TTOD, GOMONTH, CTOD, DATE, DTOT: a call that gives a date or datetime, empty where its argument is.
bool compared_date_call_word(std::string_view word);

// The word names a FoxPro function that gives a date (1: CTOD, GOMONTH, DATE, TTOD) or a datetime
// (2: CTOT, DTOT, DATETIME); 0 for any other word (calls.cpp).
int gives_date_word(std::string_view word);
char named_type(std::string_view name);
// The name says it holds a folder: its last word has PATH, DIR, FOLDER, RUTA, CARPETA or PFAD in it.
bool folder_name(std::string_view name);
int named_date(std::string_view name);
bool named_number(std::string_view name);  // N, I, Y or B by FoxPro's naming (m.nDays, tnId)
// A call of a FoxPro function that gives a whole number (COUNT, MONTH, LEN, ...) begins at 'at' in
// 'text'; the "/" at 'slash' has one on a side (scan.cpp).
bool whole_call(std::string_view text, std::size_t at);
bool whole_division_at(std::string_view text, std::size_t slash);
// The LIKE pattern from 'open' to 'end' ends in a character no trailing blank meets (like_trimmed.cpp).
bool like_pattern_closed(std::string_view text, std::size_t open, std::size_t end);

// --- the parse state

enum class Clause : std::uint8_t { none, select, from, where, group, having, order, into };

inline constexpr std::size_t no_item = static_cast<std::size_t>(-1);

struct Level {
    enum Kind : std::uint8_t { statement, group, call };
    Kind kind = statement;
    Clause clause = Clause::none;
    bool condition = false;     // group: conditions stand in it
    bool iif = false;           // call: IIF, whose first argument is a condition
    bool icase = false;         // call: ICASE (left as written), whose even arguments are conditions
    bool when = false;          // between WHEN and THEN
    bool between = false;       // after BETWEEN, before its AND
    bool on = false;            // FROM: in a join condition
    bool table_next = false;    // FROM: a table comes next
    bool operand_open = true;   // the next token begins an operand
    bool connector = true;      // what stands before the operand joins conditions
    bool item_condition = false; // statement: that item compares (a condition used as a value)
    bool item_named = false;    // statement: it begins name = (SQL Server's naming of an item)
    bool later_member = false;  // statement: a member after UNION (the first member names the columns)
    bool compared = false;      // group: an operand of a comparison, a value (l = (a > b))
    bool leads = false;         // group: opened where a select item begins, or first in such a group
    std::uint16_t arg = 0;      // call: the argument being read
    std::uint32_t name_at = 0;  // call: where the function's name begins in the source (0 past 4 GB)
    std::size_t operand = 0;    // output offset where the operand being read began
    std::size_t item = no_item; // statement: output offset where the select item being read began
};

inline bool condition_here(const Level &l) {
    if (l.when) return true;
    switch (l.kind) {
    case Level::statement:
        return l.clause == Clause::where || l.clause == Clause::having || (l.clause == Clause::from && l.on);
    case Level::group:
        return l.condition;
    case Level::call:
        return (l.iif && l.arg == 0) || (l.icase && l.arg % 2 == 0);
    }
    return false;
}

enum class Prev : std::uint8_t { start, operand, connector, comparison, arithmetic, comma, keyword };

// What all scans of one statement share.
struct Pass {
    Column column;
    lex::LiteralRules rules;  // the quoted runs the clause converter reads as literals
    std::string_view statement;
    bool double_backslashes = false;  // in strings (MySQL reads \ as an escape)
    bool typed_items = true;          // an empty date alone as a select item is typed (SELECT {} AS d)
    bool look_first = true;           // off: every part is scanned, none passed over by the quick look
    std::string_view record_number{};  // the dialect's row number, where a RECNO() was left for the driver
    int depth = 0;
    int decimal_depth = -1;  // the depth of a scan of a rewritten call's argument that takes a decimal
    int style = -1;    // the date style, read when a date is first met
    int m_alias = -1;  // whether the statement names a table M (then m.x is that table's field)
    // operands of DATE() - x and DATETIME() - x read as dates: the same x elsewhere in the statement
    // is one too
    std::array<std::string_view, 4> dates_subtracted{};
    std::size_t subtracted = 0;

    // names the statement shows to be dates (1) or datetimes (2) by what it does with them
    // (shown_dates.cpp): compared with a date, read by a function that reads one
    struct ShownName {
        std::string_view name;  // as written, without the ? of a parameter
        std::uint8_t kind = 0;  // 1 a date, 2 a datetime, 0 evidence of both
        std::uint8_t strength = 0;
    };
    // read when first asked (the quick look asks too): kept as the statement's answer
    mutable std::array<ShownName, 8> shown{};
    mutable std::size_t shown_count = 0;
    mutable std::int8_t shown_state = -1;  // -1 until the statement is read for them, then 1 when it shows any
    void gather_shown_dates() const;
    bool shows_dates() const {
        if (shown_state < 0) gather_shown_dates();
        return shown_state == 1;
    }
    // names the statement compares with a number (qty > 0): numbers, as FoxPro compares no date with one
    mutable std::array<std::string_view, 4> shown_numbers{};
    mutable std::size_t numbers_count = 0;
    // shown to be a number and never to be a date: d - qty is then days taken away
    bool shown_number(std::string_view name) const {
        if (shown_state < 0) gather_shown_dates();
        if (!name.empty() && name[0] == '?') return false;
        for (std::size_t k = 0; k < numbers_count; ++k) {
            if (same_name(shown_numbers[k], name)) return shown_kind(name) == 0;
        }
        return false;
    }
    // 1 a date, 2 a datetime, 0 neither shown
    int shown_date(std::string_view name) const { return shows_dates() ? shown_kind(name) : 0; }
    int shown_kind(std::string_view name) const {
        if (!name.empty() && name[0] == '?') name = trimmed_name(name.substr(1));
        for (std::size_t k = 0; k < shown_count; ++k) {
            if (same_name(shown[k].name, name)) return shown[k].kind;
        }
        return 0;
    }
    static std::string_view trimmed_name(std::string_view name) {
        while (!name.empty() && is_blank(name.front())) name.remove_prefix(1);
        return name;
    }

    bool subtracted_date(std::string_view operand) const {
        for (std::size_t k = 0; k < subtracted; ++k) {
            if (dates_subtracted[k] == operand) return true;
        }
        return false;
    }
    void note_subtracted_date(std::string_view operand) {
        if (subtracted < dates_subtracted.size() && !subtracted_date(operand)) dates_subtracted[subtracted++] = operand;
    }

    // word.x where the statement names no table or alias word: the host's value (the last words asked
    // about are kept, as a statement's qualifiers repeat; copied, since a nested scan reads a text of
    // its own that ends before the pass does). A to J name work areas, which may hold a table the
    // statement reads: left as written.
    bool host_qualifier(std::string_view word) const {
        if (word.size() == 1 && upper(word[0]) >= 'A' && upper(word[0]) <= 'J') return false;
        const bool kept = word.size() <= Qualifier::longest;
        for (const Qualifier &q : qualifiers) {
            if (kept && q.length != 0 && same_name(word, q.name())) return q.host;
        }
        const bool host = !names_standing(word);
        if (kept) {
            Qualifier &q = qualifiers[next_qualifier++ % qualifiers.size()];
            std::copy(word.begin(), word.end(), q.chars.begin());
            q.length = static_cast<std::uint8_t>(word.size());
            q.host = host;
        }
        return host;
    }
    // Whether the statement names 'word' alone. The first few questions read the statement; after
    // them, one reading gathers every such name, so that a statement of thousands of qualifiers
    // stays linear.
    bool names_standing(std::string_view word) const {
        if (!standing && ++standing_questions <= 8) return !names_no_table(statement, word, rules);
        if (!standing) standing.emplace(statement, rules);
        return standing->has(word);
    }
    // Whether the statement names 'word' other than by 'literal' as written (a work area's literal
    // argument), by the same reading or gathering as names_standing.
    bool names_besides(std::string_view word, std::string_view literal) const {
        if (!standing && ++standing_questions <= 8) return !names_no_table(statement, word, rules, literal);
        if (!standing) standing.emplace(statement, rules);
        return standing->has_besides(word, literal);
    }
    mutable std::optional<StandingNames> standing{};

    // The ")" that closes the "(" at 'open' before 'end'. In the statement, after the first few
    // questions, every pair is found in one reading and looked up (nested calls ask for each level).
    std::size_t close_paren(std::string_view text, std::size_t open, std::size_t end) const {
        if (const ParenPairs *known = paren_pairs(text)) {
            if (std::size_t close = 0; known->find(open, end, close)) return close;
        }
        return fox::close_paren(text, open, end, rules);
    }
    // The extent of the call whose "(" is at 'open', as call_extent reads it; past the first few
    // questions the calls nested in it are passed by through the pairs rather than read again.
    CallExtent call_extent(std::string_view text, std::size_t open, std::size_t end) const {
        if (const ParenPairs *known = paren_pairs(text)) return known->call_extent(text, open, end, rules);
        return fox::call_extent(text, open, end, rules);
    }
    // The pairs of the statement, once 'text' is the statement and a few questions were asked.
    const ParenPairs *paren_pairs(std::string_view text) const {
        const bool statement_text = text.data() == statement.data() && text.size() == statement.size();
        if (!statement_text || (!pairs && ++pair_questions <= 8)) return nullptr;
        if (!pairs) pairs.emplace(statement, rules);
        return &*pairs;
    }
    mutable std::optional<ParenPairs> pairs{};
    mutable int pair_questions = 0;
    mutable int standing_questions = 0;
    struct Qualifier {
        static constexpr std::size_t longest = 31;
        std::array<char, longest> chars{};
        std::uint8_t length = 0;
        bool host = false;
        std::string_view name() const { return {chars.data(), length}; }
    };
    mutable std::array<Qualifier, 4> qualifiers{};
    mutable std::size_t next_qualifier = 0;

    bool m_is_alias() {
        if (m_alias < 0) m_alias = names_alias_m(statement, rules) ? 1 : 0;
        return m_alias == 1;
    }

    int date_style() {
        if (style < 0) {
            std::array<char, 4> text = read_dtoc_style(102);
            style = 0;
            for (char c : text) {
                if (c >= '0' && c <= '9') style = style * 10 + (c - '0');
            }
        }
        return style;
    }
    bool day_first() {
        switch (date_style()) {
        case 3: case 4: case 5: case 6: case 13: case 103: case 104: case 105: case 106: case 113: return true;
        default: return false;
        }
    }
};

bool worth_a_pass(const Pass &pass, std::string_view text);

// The words a dialect reads as values where they stand bare (lex/keywords.h, enclosed in commas);
// a dialect without a row has none beyond those its reserved words quote.
struct ValueWords {
    Column column;
    std::string_view words;
};
inline constexpr ValueWords value_word_rows[] = {
    {Column::pgsql, lex::pgsql_value_words},
};
inline constexpr std::size_t longest_value_word = 24;  // with two commas; longer words are none of them

inline const ValueWords *value_words_of(Column column) {
    const auto *row = std::ranges::find(value_word_rows, column, &ValueWords::column);
    return row == std::end(value_word_rows) ? nullptr : row;
}
bool value_word_in(const ValueWords &row, const lex::LiteralRules &rules, std::string_view text);
// A word the dialect reads as a value (PostgreSQL's TRUE) stands in the text outside its literals:
// a FoxPro name, which the scan writes in small letters (Scan::value_word_name), so the text is
// worth a pass.
inline bool holds_value_word(const Pass &pass, std::string_view text) {
    const ValueWords *row = value_words_of(pass.column);
    return row != nullptr && value_word_in(*row, pass.rules, text);
}

// A "+" or "-" at 'at' with a bare name before it (d + 30) or a name or parameter after it (30 - d);
// one anywhere in the text; a date literal, a call of a function that gives or reads a date or a
// datetime, or a parameter FoxPro's naming makes one (shown_dates.cpp).
bool sum_beside_name_at(std::string_view text, std::size_t at);
bool sum_beside_name(std::string_view text);
bool date_clue(std::string_view text);
// A call in the text of a function that gives or reads a date or a datetime, or of BETWEEN (a part of date_clue).
bool date_call_in(std::string_view text);
// The statement with its chains of text joined by "+" written as the dialect's concatenation; no
// handle when there is none (concat.cpp).
tarnvel::Text join_strings(const Pass &pass, std::string_view statement);

// The output of a scan: the source as it stands until the first change, then a sink holding the
// converted text up to 'pending', the source position from which nothing has been copied yet.
class Emitter {
public:
    Emitter(std::string_view source, std::size_t start) : source_(source), start_(start), pending_(start) {}

    std::size_t pending() const { return pending_; }
    bool changed() const { return static_cast<bool>(sink_); }
    // The output offset that stands for the source position 'at' (at or after 'pending').
    std::size_t offset(std::size_t at) const { return (sink_ ? sink_.size() : 0) + (at - pending_); }
    void copy_to(std::size_t at) {
        if (!sink_) sink_ = tarnvel::Text::obtain(source_.size() - start_ + 32, grow_message);
        sink_.append(source_.substr(pending_, at - pending_));
        pending_ = at;
    }
    // FoxPro splits words at a literal or a parenthesis ({}AND, EMPTY(x)AS n, SELECT{}); a text
    // that begins or ends with a word character, or drops what stood between two words, gets a
    // blank where it would otherwise join the words beside it.
    void replace(std::size_t from, std::size_t to, std::string_view text) {
        copy_to(from);
        // below "A" stand the blank, the digits and the operators: no word can be joined
        const auto high = [](char c) { return static_cast<unsigned char>(c) >= 'A'; };
        if ((sink_.size() > 0 && high(sink_[sink_.size() - 1])) || (to < source_.size() && high(source_[to]))) [[unlikely]] {
            replace_apart(to, text);
            return;
        }
        sink_.append(text);
        pending_ = to;
    }
    void replace_apart(std::size_t to, std::string_view text) {
        const bool word_before = sink_.size() > 0 && name_char(sink_[sink_.size() - 1]);
        const bool word_after = to < source_.size() && name_char(source_[to]);
        if (word_before && (text.empty() ? word_after : name_char(text.front()))) sink_.append(" ");
        sink_.append(text);
        if (word_after && !text.empty() && (name_char(text.back()) || text.back() == ')')) sink_.append(" ");
        pending_ = to;
    }
    // Moves the output from offset 'out' up to the source position 'at' into 'into'.
    void take(std::size_t out, std::size_t at, Text &into) {
        copy_to(at);
        into.append(sink_.view().substr(out));
        sink_.truncate(out);
    }
    // The whole output up to the source position 'end'.
    std::string_view text(std::size_t end) {
        if (!sink_) return source_.substr(start_, end - start_);
        copy_to(end);
        return sink_.view();
    }
    tarnvel::Text release(std::size_t end) {
        copy_to(end);
        return std::move(sink_);
    }

private:
    std::string_view source_;
    std::size_t start_, pending_;
    tarnvel::Text sink_;
};

// A converted piece of the statement: a view of the source when nothing in it changed.
struct Piece {
    tarnvel::Text sink;
    std::string_view text;
};

class Scan {
public:
    Scan(const Scan &) = delete;  // levels_ points into the object
    Scan &operator=(const Scan &) = delete;
    Scan(Pass &pass, std::string_view source, std::size_t from, std::size_t to, const Level &base)
        : pass_(pass), src_(source), pos_(from), end_(to), out_(source, from) {
        push(base);
    }
    void run();
    Emitter &out() { return out_; }

private:
    // levels
    Level &top() { return levels_[depth_ - 1]; }
    void push(const Level &l) {
        if (depth_ == room_) [[unlikely]] grow_levels();
        levels_[depth_++] = l;
    }
    void grow_levels();
    void pop() {
        if (depth_ > 1) --depth_;
    }
    void begin_token(std::size_t at) {
        Level &t = top();
        if (!t.operand_open) return;
        t.operand = out_.offset(at);
        t.operand_open = false;
        if (t.item == no_item) t.item = t.operand;
    }
    // Inside the arguments of a call, or of a rewritten one (whose argument may need a whole number).
    bool in_call() const {
        if (pass_.depth > 0) return true;
        for (std::size_t d = 0; d < depth_; ++d) {
            if (levels_[d].kind == Level::call) return true;
        }
        return false;
    }
    bool in_select_item() {
        const Level &t = top();
        return t.kind == Level::statement && t.clause == Clause::select && !t.when;
    }
    // The level whose value the position stands in: a statement's select item, or an argument of a
    // call that takes a value there (not IIF's condition), directly or in parentheses of its own (not
    // in a subquery's other clauses or between WHEN and THEN); null elsewhere.
    Level *value_level() {
        for (std::size_t d = depth_; d > 0; --d) {
            Level &l = levels_[d - 1];
            if (l.when) return nullptr;
            if (l.kind == Level::group) {
                if (l.compared) return &l;
                continue;
            }
            if (l.kind == Level::call) return condition_here(l) ? nullptr : &l;
            return l.clause == Clause::select ? &l : nullptr;
        }
        return nullptr;
    }
    // A condition that stands as an operand of a select item's conditions (not of an arithmetic or a
    // comparison) where the dialect takes conditions as values only in CASE: the item becomes a
    // condition, written as a value once around the whole item, and this part stays a condition.
    bool condition_in_item(std::size_t after) {
        if (prev_ != Prev::start && prev_ != Prev::keyword && prev_ != Prev::comma && prev_ != Prev::connector) {
            return false;
        }
        Level *item = value_level();
        if (item == nullptr || predicate_as_value(pass_.column) == "{1}" || operator_follows(after)) return false;
        item->item_condition = true;
        return true;
    }
    void end_item(std::size_t at, bool alias_follows);
    bool sqlserver_alias(std::size_t length);
    bool items_named_here() const;
    bool connector_follows(std::size_t at) const;
    bool compared_group(std::size_t open) const;
    void boundary(bool connector, Prev prev) {
        Level &t = top();
        t.operand_open = true;
        t.connector = connector;
        prev_ = prev;
    }
    bool in_from_list() { return top().kind == Level::statement && top().clause == Clause::from; }
    bool starts_condition() { return (prev_ == Prev::start || prev_ == Prev::connector) && condition_here(top()); }

    void arithmetic(std::size_t length) {
        pos_ += length;
        prev_ = Prev::arithmetic;
    }
    // an operand that runs up to 'end'
    void parameter(std::size_t end);
    void macro();
    void note();
    bool arrow();
    // A parameter starting here opens a group where a condition stands: alone in it, it is one.
    bool parameter_may_stand_alone() {
        return prev_ == Prev::start && top().kind == Level::group;  // lone_logical asks the rest
    }
    void operand_to(std::size_t end) {
        begin_token(pos_);
        pos_ = end;
        prev_ = Prev::operand;
    }

    // tokens
    [[gnu::always_inline]] void punctuation(char c);
    void word();
    bool case_word_as_name(Kw kw, std::size_t w0) const;
    bool joined_name(std::string_view word, Kw kw, std::size_t w1);
    std::size_t lone_logical(std::size_t w1, bool group_start, bool known);
    void value_word_name(std::string_view word, std::size_t w0, std::size_t w1);
    bool ends_condition(std::string_view word, std::size_t after) const;
    void call_word(std::string_view word, std::size_t open);
    void keyword(Kw kw, std::string_view word, std::size_t after);
    void select_item_keyword(Kw kw, std::string_view word);
    void statement_clause(Level &t, Kw kw, std::size_t after);
    void top_count();
    void table_item();
    std::string_view file_expression(std::size_t from, std::size_t &end) const;
    void open();
    void close();
    void comma();
    bool star();
    struct Qualifiers;
    bool from_qualifiers(std::size_t from, Text &out) const;
    std::size_t own_from(std::size_t at) const;
    bool table_qualifiers(std::size_t at, Text &out) const;
    bool grouped_qualifier(std::size_t &at, Qualifiers &list) const;
    std::string_view alias_after(std::size_t at, std::size_t &end) const;
    bool one_whole_table(std::size_t at) const;
    bool names_folder(std::size_t from, std::size_t to) const;
    bool record_number(std::string_view form, std::size_t w0, std::size_t count, std::size_t close, Text &built);
    bool no_record_compared(std::size_t w0, std::size_t close) const;
    bool empty_text_compare(std::size_t length);
    void comparison_written(std::size_t operand, std::size_t after, std::string_view built);
    bool comparison_filled(std::string_view form, const Args &args, std::size_t operand, std::size_t after);
    bool empty_date_below(std::size_t length);
    bool shown_dates_compared(std::size_t length, std::size_t right);
    std::string_view date_call_operand();
    std::size_t date_call_end(std::size_t at, int &kind) const;
    std::size_t days_after(std::size_t end) const;
    void note_date_call(std::string_view name, std::size_t w0, std::size_t open);
    bool shown_date_call(std::string_view word, std::size_t open);
    bool aggregate_written(const Construct &row, std::size_t from, std::size_t after, std::size_t close);
    bool empty_date_above(std::size_t length);
    std::size_t today_sum_end(std::size_t at) const;
    std::size_t filled_date_call_close(std::size_t from) const;
    bool date_variable_before(std::size_t at) const;
    bool field_name(std::size_t from, std::size_t to) const;
    std::size_t date_range_end(std::size_t at) const;
    bool empty_date_outside(std::size_t w0, std::size_t w1);
    bool negated_right(std::size_t length);
    bool negated_null_test(bool equal, std::size_t operand, std::size_t is);
    bool whole_argument(std::size_t end);
    void comparison(std::size_t length, std::string_view replacement);
    void hash();
    void bang();
    void dot();
    void brace();
    void dollar();
    [[gnu::cold]] bool hex_literal(std::size_t end);
    bool power(std::size_t length);
    bool modulo();
    bool whole_division();
    bool in_decimal_call() const;
    bool only_decimal_calls() const;
    bool decimal_argument(const Construct &row, Args &args, std::size_t from, std::size_t to);
    void seldom_operator(char c);  // ^, %, /
    bool divide();
    void fold(const Construct &row, std::size_t factors, std::size_t length, std::size_t right_to);
    void reference(std::size_t w0, std::size_t w1);
    // _TALLY as the host parameter ?_TALLY: a system variable read as a value (not a member, t._tally,
    // not in INTO, not an alias after AS).
    [[gnu::noinline]] bool system_variable_word(std::size_t w0, std::size_t w1) {
        if (!system_variable(src_.substr(w0, w1 - w0)) || top().clause == Clause::into) return false;
        if (w0 > 0 && (src_[w0 - 1] == '.' || src_[w0 - 1] == '!')) return false;
        const std::size_t before = blanks_before(src_, w0);
        if (before >= 2 && same_word(src_.substr(before - 2, 2), "AS") && (before == 2 || !name_char(src_[before - 3]))) return false;
        reference(w0, w1);
        return true;
    }
    void expression_parameter(std::size_t w0, std::size_t close);
    bool drop_buffering(std::size_t w0, std::size_t open);
    void logical(std::size_t length, const Construct &row, bool truth);
    void string_literal();
    void array_element(std::size_t w0, std::size_t open);
    bool host_call(std::string_view name, std::size_t w0, std::size_t open);
    bool host_values(std::size_t from, std::size_t to, bool array) const;
    std::size_t host_name_end(std::size_t at, std::size_t to, bool array) const;
    bool read_work_area(std::size_t from, std::size_t close) const;

    // rewritten calls
    bool call(const Construct &row, std::size_t w0, std::size_t open);
    bool pad_compared(std::string_view word, std::size_t w0, std::size_t open);
    void like_trimmed(std::size_t w0, std::size_t w1);
    std::size_t operand_before_not(std::size_t w0) const;
    bool compared_alone(std::size_t w0, std::size_t close) const;
    enum class Built { none, rewritten, kept };
    Built build(const Construct &row, std::size_t w0, std::size_t open, std::size_t close, std::size_t count,
                Text &built);
    Piece convert(std::size_t from, std::size_t to, bool condition, bool value = false);
    void convert_into(Args &args, std::size_t from, std::size_t to, bool condition);
    bool date_argument(const Construct &sum, Args &args, std::size_t from, std::size_t to);
    bool date_part_argument(std::string_view word, std::size_t open);
    const Construct *days_row(const Construct &row) const;
    bool foxpro(std::string_view form, std::size_t open, std::size_t close, std::size_t count, Text &built);
    bool number_instead(std::size_t open, std::size_t close) const;
    bool flag_one(std::size_t open, std::size_t close) const;
    bool filled_literal_first(std::size_t open) const;
    bool count_written(const Construct &row, std::size_t open, std::size_t close) const;
    bool empty_number(std::size_t open, std::size_t close, Text &built);
    bool empty_condition(std::size_t open, std::size_t close, Text &built);
    bool empty_text(std::size_t open, std::size_t close, Text &built);
    bool empty_typed(std::size_t open, std::size_t close, Text &built);
    bool holds_condition(std::size_t from, std::size_t to) const;
    bool lone_name_between(std::size_t from, std::size_t to) const;
    bool cast(std::size_t from, std::size_t to, Text &built);
    bool ctod(std::size_t from, std::size_t to, Text &built);
    bool date_of_literal(std::size_t from, std::size_t to, Text &built);
    // DATE(y, m, d): the dialect's call with the checks only its parts can fail.
    bool date_of_parts(const Construct &row, std::size_t open, std::size_t close, Text &built);
    DatePart date_part(std::size_t from, std::size_t to) const;
    void date_of_checked(std::string_view call, const std::array<bool, 3> &check, bool last, const Args &args,
                         Text &built) const;
    // CTOD or CTOT of an expression: the row's form, read in the date style the application sets.
    bool date_expression(const Construct &row, std::size_t from, std::size_t to, Text &built);
    bool transform(std::size_t open, std::size_t close, std::size_t count, Text &built);
    bool grouped_picture(const Picture &picture, std::size_t from, std::size_t to, std::string_view picture_text,
                         Text &built);
    bool picture_template(std::string_view picture, std::size_t open, std::size_t close, std::size_t count,
                          Text &built);
    bool picture_function(std::string_view picture_text, std::size_t open, std::size_t close, std::size_t count,
                         Text &built);
    bool icase(std::size_t open, std::size_t close, std::size_t count, Text &built);
    bool like(const Construct &row, std::size_t open, std::size_t close, Text &built);
    bool inlist(const Construct &row, std::size_t open, std::size_t close, Text &built);
    bool name_among_dates(std::size_t open, std::size_t close) const;
    bool negated_call(std::size_t w0) const;
    const Construct &between_dates(const Construct &row, std::size_t w0, std::size_t open, std::size_t close) const;
    bool chrtran(const Construct &row, std::size_t open, std::size_t close, Text &built);
    bool str(std::size_t open, std::size_t close, std::size_t count, Text &built);
    bool numbered(const Construct &row, std::size_t open, std::size_t close, Text &built);
    bool written_options(const Construct &row, std::size_t open, std::size_t close, Text &built);
    bool trim(const Construct &row, std::size_t open, std::size_t close, Text &built);
    bool pattern_trim(const Construct &row, std::size_t open, std::size_t close, Text &built);
    bool mask(std::string_view form, std::size_t open, std::size_t close, Text &built);
    bool weekday(const Construct &row, std::size_t open, std::size_t close, Text &built);
    bool word_delimiters(const Construct &row, std::size_t open, std::size_t close, Text &built);
    bool extreme(std::string_view form, std::size_t open, std::size_t close, std::size_t count, Text &built);
    bool today(std::string_view name, std::size_t w0, std::size_t open);
    std::size_t signed_count(std::size_t after, Text &number);
    std::size_t value_count(std::size_t after, Text &count, bool days = false, bool whole = false);
    bool fraction_source(std::size_t from, std::size_t to) const;
    bool number_call(std::size_t at, bool date_parts = true) const;
    std::size_t today_and_operand(bool date, std::size_t w0, std::size_t after, Text &built);
    std::size_t difference_from(bool date, std::string_view base, std::size_t w0, std::size_t first, bool whole_item,
                                Text &built);
    std::size_t literal_difference(bool date, std::string_view literal, std::size_t w0, std::size_t after, Text &built);
    bool gives_date(bool date, std::size_t from, std::size_t to) const;
    bool shown_with_days(int kind, std::size_t from, std::size_t to) const;
    int date_call_at(std::size_t at, std::size_t *open = nullptr) const;
    bool binds_tighter(std::size_t at) const;
    bool used_as_number(std::size_t w0, std::size_t end) const;
    // One past the host parameter (?x, ?(expr)) or the name at 'at'; 'at' when neither begins there.
    std::size_t variable_end(std::size_t at) const;
    bool whole_item_difference(std::size_t first, std::size_t end);
    bool extreme_subquery(std::size_t first, std::size_t end, std::size_t &name, std::size_t &name_end) const;
    bool whole_item(std::size_t end);
    std::string_view empty_date_item(std::string_view inside, std::size_t end);
    bool extreme_of_name(std::size_t first, std::size_t word_end, std::size_t end, std::size_t &name,
                         std::size_t &name_end) const;
    std::size_t comparison_end(std::size_t at) const;
    std::string_view lone_name_operand();
    std::string_view name_with_days();
    bool date_arithmetic();
    bool place_date_arithmetic(std::string_view name, std::size_t end, const Text &built);
    int extreme_kind(std::string_view text);
    bool extreme_arithmetic(char sign, std::size_t t0);
    bool operand_arithmetic(char sign, std::size_t t0);
    bool signed_value_sum(char sign, std::size_t t0);
    bool decided_call(std::size_t from) const;
    std::size_t whole_days(std::size_t after, Text &count);
    std::size_t counted_number(bool date, std::size_t after, Text &count, std::string_view &form);
    std::size_t today_fraction(std::size_t after, Text &count, std::string_view &form);
    int source_date_kind(std::size_t from, std::size_t to, int depth) const;
    int call_date_kind(std::string_view name, std::size_t open, std::size_t close, int depth) const;
    int group_date_kind(std::size_t from, std::size_t to, int depth) const;
    bool lone_name(std::size_t from, std::size_t to) const;
    bool number_source(std::size_t from, std::size_t to, int depth) const;
    std::size_t extreme_end(std::size_t t0, int &kind);
    std::size_t date_difference(std::string_view name, std::size_t t0, Text &built);
    bool part_of_itself(std::string_view name, std::size_t t0) const;
    bool call_minus_name(std::size_t t0);
    std::size_t date_sum_compared(std::string_view name, Text &built);
    int date_compared_before(std::size_t name_at) const;
    bool comparison_side_ends(std::size_t at) const;
    std::size_t date_sum(std::string_view name, bool date, Text &built);
    std::string_view today_form(bool date) const {
        const std::string_view form = (date ? named().fn_date : named().fn_datetime).target[pass_.column];
        return form.empty() ? (date ? "DATE()" : "DATETIME()") : form;
    }
    std::size_t date_sum(const Construct &row, std::size_t after, Text &built);
    std::size_t empty_date_sum_end(std::size_t after) const;
    std::size_t call_difference(bool date, std::string_view base, std::size_t after, Text &difference);
    std::size_t sum_of(bool date, bool literal, std::string_view base, std::size_t after, Text &sum, bool days = false,
                       const Construct *days_row = nullptr);
    std::size_t more_counts(bool date, std::size_t end, Text &sum, const Construct *row = nullptr);
    std::size_t shown_sum(std::string_view name, int kind, Text &built);
    bool condition_form(std::string_view name, std::size_t w0, std::size_t open);
    bool icase_condition(std::size_t w0, std::size_t open);
    void icase_as_iifs(std::size_t open, std::size_t close, std::size_t count, std::string_view otherwise, Text &built);
    void scan_foxpro(std::string_view text, std::size_t close, Text &built);
    bool strict_date(std::string_view inside, StrictDate &date) {
        LooseDate loose;
        return read_loose_date(inside, loose) && date.set_either(loose, pass_.day_first());
    }

    std::size_t skip_blanks(std::size_t at) const {
        while (at < end_ && is_blank(src_[at])) ++at;
        return at;
    }
    bool predicate_word(Kw kw, std::string_view word) const;
    // The call from w0 to close written as 'text', an operand that ends there.
    void call_replaced(std::size_t w0, std::size_t close, std::string_view text) {
        begin_token(w0);
        out_.replace(w0, close + 1, text);
        pos_ = close + 1;
        prev_ = Prev::operand;
    }
    bool group_follows() const {  // a '(' next: EXISTS (...)
        const std::size_t at = skip_blanks(pos_);
        return at < end_ && src_[at] == '(';
    }
    bool brace_before(std::size_t at) const {  // a date literal's } ends what stands before 'at'
        at = blanks_before(src_, at);
        return at > 0 && src_[at - 1] == '}';
    }
    // An operator follows: what stands before it is an operand (of a comparison, an arithmetic, IN,
    // BETWEEN, IS or LIKE), not a condition alone.
    bool operator_follows(std::size_t at, bool words = true) const {
        at = skip_blanks(at);
        if (at >= end_) return false;
        if (name_start(src_[at])) return words && predicate_follows(at);
        return std::strchr("=<>#!$+-*/%^", src_[at]) != nullptr && src_[at] != '\0';
    }
    bool predicate_follows(std::size_t at) const;
    std::size_t literal_end(std::size_t at) const { return fox::literal_end(src_, at, end_, pass_.rules); }
    bool quote_at(std::size_t at) const { return literal_end(at) != at; }
    std::size_t close_paren(std::size_t open) const { return pass_.close_paren(src_, open, end_); }
    CallExtent call_extent(std::size_t open) const { return pass_.call_extent(src_, open, end_); }
    std::size_t operand_end(std::size_t from, std::string_view joins = "+-*/%^") const;
    std::size_t primary_end(std::size_t at) const;

    Pass &pass_;
    std::string_view src_;
    std::size_t pos_, end_;
    Emitter out_;
    // Every open level, each with its own state: in place up to tracked_levels, then in grown_levels_
    std::array<Level, tracked_levels> held_levels_{};
    std::vector<Level> grown_levels_;
    Level *levels_ = held_levels_.data();
    std::size_t room_ = tracked_levels;
    std::size_t depth_ = 0;
    Prev prev_ = Prev::start;
    struct {
        std::size_t start = 0, end = 0;  // the last m.name or ?name read, in the source (end 0: none)
    } variable_;
    struct {
        std::size_t out = 0, end = 0;  // the last call that gives a date: its output offset, one past its ")"
        int kind = 1;                  // 1 a date, 2 a datetime
    } date_call_;
};

}  // namespace tarnvel::select::fox
