// A target dialect of the SELECT conversion, as data for the one clause-converter engine: its
// identifier quotes, literal rules, reserved list, the rows of its decision chain in order, its
// function rows, how WHERE opens and closes, where TOP goes, and how dates are written.
// Adding a dialect means writing one table file that fills this description.
#pragma once

#include "lex/keywords.h"
#include "lex/letters.h"
#include "lex/scan.h"
#include "select/template.h"

#include <tarnvel/dialects.hpp>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>
#include <array>

namespace tarnvel::select {

// The rows of the decision chain. Every row is one piece of engine code shared by all dialects;
// a dialect lists the rows it has, in the order it tries them.
enum class Row : std::uint8_t {
    call_or_quote,  // CONVERT, IDENTITY: kept before "(", quoted elsewhere
    with_hint,      // WITH ( after a table name
    case_open, case_when, case_then, case_else, case_end,
    between,
    current_date,   // DATE() as CURRENT_DATE
    is_null,        // IS [NOT] NULL
    null_literal,   // NULL
    value_word,     // a key word the target reads as a value (TRUE, CURRENT_DATE): kept, never quoted
                    // (under FoxPro syntax one in small letters, as the FoxPro pass writes the user's
                    // names so spelled, is quoted)
    own_value,      // a reserved word the target reads as a value of its own (Oracle's SYSDATE, ROWNUM):
                    // kept in plain SQL, which means the target's; under FoxPro syntax a name, quoted
    reserved,       // any word of the dialect's reserved list
    all, and_or, as, order, asc, desc, by, cursor, distinct, exists, in, from, force, group, having,
    inner, into, join, left, on, like, not_op, outer, partition, select, top, where,
    list_call,      // SUBSTRING(, TRIM(: a call whose arguments hold key words of their own
    list_word,      // FOR, BOTH, LEADING, TRAILING: kept inside such a call
    cross,          // CROSS JOIN
    collate,        // x COLLATE name: kept after an operand, before the collation's name
    function,       // a row of the dialect's function table
};

// What a function row does to the call after the name. The edits that rewrite the arguments
// follow the row's template (template.h).
enum class Edit : std::uint8_t {
    rename,            // the name only
    iif,               // IIF(c, a, b) as CASE WHEN c THEN a ELSE b END
    around,            // the template's text around "%*" inserted around the arguments, left in place;
                       // a call left unclosed gets only the text before them (none: stays as written)
    remove_arguments,  // DELETED(...) as (1=1)
    swap_first,        // AT(a, b) as INSTR(b, a)
    extract,           // HOUR(x) as EXTRACT(HOUR FROM x); holds back "=1"
    rebuild,           // the argument list rebuilt from the template, then read by the scan. The
                       // arguments are cut at the call's commas, the last the template reads runs
                       // to the closing parenthesis; an empty one counts
    rebuild_call,      // the call written as name(template), as the word: not read again. Each
                       // argument runs to its own end; an empty one is missing
};

struct FunctionRow {
    std::string_view words{};     // the accepted FoxPro forms, comma-separated
    std::string_view name{};      // what the word becomes
    Edit edit = Edit::rename;
    Template rewrite{};           // how the arguments are rewritten, for the edits that follow a template
    int room = 0;               // reserved in the current clause
    int threshold = 0;          // the work copy grows when its size is at most length + threshold
    std::string_view message{};   // when the work copy cannot grow
    bool to_paren = false;      // the scan goes on at the "(" of the call
    int most_arguments = 0;     // a call with more arguments stays as written (0: any number)
};

// The row's template fits its edit: "%*" once (and "%s") for around, argument slots for the
// rebuilds, a text for the third argument only beside the one without it; none for the others.
constexpr bool well_formed(const FunctionRow &row) {
    const Template &t = row.rewrite;
    bool no_defaults = true;
    for (std::size_t i = 0; i < t.defaults.size(); ++i) no_defaults = no_defaults && t.defaults[i].empty();
    switch (row.edit) {
    case Edit::around:
        return templates::count_of(t.text, '*') == 1 && templates::only_slots(t.text, "*s") && t.with_third.empty() &&
               no_defaults;
    case Edit::rebuild:
    case Edit::rebuild_call:
        return templates::only_slots(t.text, "123") && templates::only_slots(t.with_third, "123") &&
               templates::last_argument(t) > 0 && (t.with_third.empty() || templates::reads(t.with_third, '3'));
    default:
        return t.text.empty() && t.with_third.empty() && no_defaults;
    }
}

struct ChainRow {
    Row row = Row::reserved;
    std::string_view words{};  // comma-separated forms; empty for the reserved row
    const FunctionRow *function = nullptr;
};

// Where TOP n goes.
enum class TopPlace : std::uint8_t { select_list, where_limit, order_limit };

// How "[" and "]" are read.
enum class Brackets : std::uint8_t {
    flat,          // always a bracketed run; "]]" does not close; converted to quotes under FoxPro syntax
    fox_nested,    // a string only under FoxPro syntax, nesting counted, converted
    names_nested,  // a bracketed name (nesting counted) in plain SQL; a string under FoxPro syntax
};

// How a date literal {^yyyy-mm-dd [hh:mm[:ss]]} and the empty date {} are written.
struct DateForm {
    std::string_view open, close;  // around the value
    std::string_view separator;    // between year, month and day
    std::string_view empty;        // the whole literal for the empty date
    int first = 0;                 // yyyymmdd of the first date the target's type holds (0: no limit);
                                   // an earlier date is written as the empty date
    std::string_view typed_empty{};  // the empty date where a bare 'empty' would have no type (an
                                     // aggregate's argument, a CASE branch, a UNION item); empty: 'empty'
};

// The query hint FROM FORCE sets: written after the statement as " OPTION (hint)", or added to the
// statement's own OPTION (...) list.
struct ForceHint {
    std::string_view hint;     // "FORCE ORDER"; empty when FROM FORCE sets nothing
    std::string_view message;  // when the output cannot grow for it
};

// Words of a dialect's chain, upper case, to the rows that accept them (chain order).
struct RowSet {
    std::array<std::uint8_t, 6> rows{};
    std::uint8_t count = 0;
};
// An open-addressing table from words to row sets, built once per dialect. The words are kept in
// upper case; a word may be looked up as it stands or as written, upper-cased on the fly. Each slot
// has a tag (part of the word's hash, 0 for an empty slot), so that a word that is not there is
// told from the words it meets by one comparison each, and the table is at most a quarter full.
class Lexicon {
public:
    RowSet &operator[](std::string_view word);  // adds the word when it is new
    const RowSet *find(std::string_view word) const {
        const Slot *slot = find_as(word, [](char c) { return c; });
        return slot ? &slot->rows : nullptr;
    }
    // The word upper-cased by the alphabet, without copying it.
    const RowSet *find_upper(std::string_view word, const lex::Alphabet &letters) const {
        const Slot *slot = find_upper_slot(word, letters);
        return slot ? &slot->rows : nullptr;
    }
    // The same, with the word as the lexicon holds it (upper case), which lives as long as the
    // lexicon: the caller need not upper-case the word again.
    struct Entry {
        std::string_view word;
        const RowSet *rows = nullptr;
    };
    Entry entry_upper(std::string_view word, const lex::Alphabet &letters) const {
        const Slot *slot = find_upper_slot(word, letters);
        return slot ? Entry{slot->word, &slot->rows} : Entry{};
    }

private:
    struct Slot {
        std::string word;
        RowSet rows;
        std::uint64_t hash = 0;  // the word's whole hash, which tells apart any two words up to exact_length
    };
    // The hash reads the length and, up to this length, every character: two such words of equal
    // hashes are the same word, and are not compared again.
    static constexpr std::size_t exact_length = 5;
    const Slot *find_upper_slot(std::string_view word, const lex::Alphabet &letters) const {
        return find_as(word, [&letters](char c) { return letters.upper(c); });
    }
    // The hash reads the length and at most five characters, so that long names cost no more than
    // short ones. Most words have four characters or more: their head is read without a loop.
    template <typename Upper>
    static std::uint64_t hash(std::string_view word, Upper upper) {
        auto byte = [&](std::size_t i) -> std::uint64_t { return static_cast<unsigned char>(upper(word[i])); };
        std::uint64_t h = word.size();
        if (word.size() >= 4) {
            h = (h << 32) | (byte(0) << 24) | (byte(1) << 16) | (byte(2) << 8) | byte(3);
        } else {
            for (std::size_t i = 0; i < word.size(); ++i) h = (h << 8) | byte(i);
        }
        if (!word.empty()) h = (h << 8) | byte(word.size() - 1);
        return h * 0x9E3779B97F4A7C15ull;
    }
    static std::uint32_t tag_of(std::uint64_t h) { return static_cast<std::uint32_t>(h >> 8) | 1u; }
    std::size_t index_of(std::uint64_t h) const { return static_cast<std::size_t>(h >> shift_); }
    template <typename Upper>
    const Slot *find_as(std::string_view word, Upper upper) const {
        if (word.size() > longest_ || mask_ == 0) return nullptr;
        const std::uint64_t h = hash(word, upper);
        const std::uint32_t tag = tag_of(h);
        for (std::size_t i = index_of(h);; i = (i + 1) & mask_) {
            const std::uint32_t t = tags_[i];
            if (t == 0) return nullptr;
            const Slot &slot = slots_[i];
            if (t == tag && slot.hash == h && (word.size() <= exact_length || same(slot.word, word, upper))) return &slot;
        }
    }
    template <typename Upper>
    static bool same(std::string_view stored, std::string_view word, Upper upper) {
        if (stored.size() != word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (stored[i] != upper(word[i])) return false;
        }
        return true;
    }
    void rehash(std::size_t capacity);
    std::vector<std::uint32_t> tags_;
    std::vector<Slot> slots_;
    unsigned shift_ = 64;  // the slot of a hash is its top bits
    std::size_t mask_ = 0;  // the number of slots less one; 0 while there are none
    std::size_t used_ = 0;
    std::size_t longest_ = 0;
};

struct Dialect {
    Target id;                           // its row in the dialect registry
    char quote_open, quote_close;        // identifier quotes
    lex::EdgeQuotes edges;               // the members of the scanning-test families
    lex::KeywordList reserved;
    // The lists whose words the GROUP BY pass takes for keywords, never for columns, in the converted
    // clauses (every dialect reads SQL Server's today).
    std::array<lex::KeywordList, 2> group_by_keywords;
    bool double_quote_always;            // "..." becomes '...' whatever the FoxPro-syntax switch says
    Brackets brackets;
    bool backticks;                      // `...` runs pass through unread
    bool upper_everything;               // every word is written upper-cased, host variables excepted
    ForceHint force_hint;                // what FROM FORCE sets
    bool join_as_inner;                  // a bare JOIN is written INNER JOIN
    bool table_alias_as;                 // AS may stand before a table's alias
    bool full_join;                      // FULL [OUTER] JOIN is the target's own (else the FULL JOIN pass)
    bool nested_joins = false;           // two joins or more in a row stand in parentheses (the join nesting pass;
                                         // the dialect writes its keywords in upper case)
    bool cross_join = true;              // CROSS JOIN is the target's own (else the tables are a comma list)
    bool count_distinct = true;          // COUNT(DISTINCT x) is the target's own (else the COUNT(DISTINCT) pass)
    bool order_by_alias = true;          // ORDER BY reads an item's alias (else the item's position is written)
    bool order_twin_names = true;        // ORDER BY takes a name two items give their columns (else the first's position)
    bool aggregate_subquery = true;      // MAX((SELECT ...)) is taken (else the GROUP BY pass leaves a subquery item bare)
    bool table_hint;                     // the NOLOCK pass runs on FROM
    std::string_view where_open;         // how the WHERE keyword is written
    std::string_view where_close;        // appended to WHERE at the end of the member
    TopPlace top;
    std::string_view row_limit;          // "ROWNUM<=" or "LIMIT " before the TOP count
    std::string_view percent_limit;      // "FETCH FIRST " after ORDER BY for TOP n PERCENT; empty: no
                                         // such limit, TOP n PERCENT stays in the select list
    std::string_view percent_rows{};     // where there is no percent limit: a limit that counts the member's
                                         // rows (%n the percentage, %m the member without its ORDER BY)
    std::string_view percent_member{};   // where LIMIT takes only a constant: the member for TOP n PERCENT,
                                         // its rows numbered and counted in derived tables (%m the member
                                         // without its ORDER BY, %o its column names, %r ORDER BY over
                                         // them, %n the percentage); its own columns PERCENT_ROW and
                                         // PERCENT_COUNT (select/percent_member.h)
    DateForm date, datetime;
    std::string_view true_test = "=1";   // after a bare logical operand in a condition (empty: none,
                                         // the target's logical values are conditions themselves)
    bool call_needs_test = false;        // FoxPro's call alone as a condition gets true_test too (the
                                         // target takes no value as a condition)
    bool bare_date_quoted = true;        // DATE without a call is quoted as a name (else it is the type word)
    bool empty_date_null = false;        // the empty date is NULL: d = {} is written d IS NULL
    std::string_view null_test = "IS";   // FoxPro's x IS NULL written x <null_test> NULL (MySQL: <=>, as its
                                         // x IS NULL finds the zero date of a NOT NULL date column too)
    bool string_alias_named = false;     // a string alias (AS 'Name') is written as a quoted name
    bool null_sorts_last = false;        // NULL comes after every value in ascending order: under FoxPro
                                         // syntax ORDER BY's keys get NULLS FIRST (NULLS LAST after DESC)
    bool like_classes = false;           // LIKE reads [...] as a class of characters: a FoxPro pattern's
                                         // "[" (an ordinary character there) is written "[[]"
    bool limit_in_derived_table = false; // a row limit in a subquery of IN, ANY, ALL or SOME stands in a
                                         // derived table of its own (MySQL refuses it there)
    bool group_parameter_by_position = false; // a grouped item holding a host parameter is grouped by its
                                               // position: each ? is a parameter of its own, so the item
                                               // written again would not be the same expression
    bool group_subquery = true;          // GROUP BY takes a subquery (else a grouped subquery item becomes a
                                         // column of a derived table in FROM, select/group_by_subquery.h)
    bool outer_aggregates = false;       // an aggregate of a subquery reading only outer columns is the outer
                                         // query's (else the subquery's, as in FoxPro; select/group_by_outer.h)
    bool having_reads_alias = false;     // HAVING names a grouped expression by its alias (MySQL: written out,
                                         // the expression's columns are no grouped columns there and are refused)
    bool having_keys_by_name = false;    // HAVING finds a grouped column by its name alone, so that of two
                                         // entries of one name (A.CODE, B.CODE) neither is found outside an
                                         // aggregate (MariaDB; select/having_keys.h)
    bool upper_beyond_ascii = true;      // names come out upper-cased in their letters beyond ASCII too (else
                                         // those stay as written: a server that folds only ASCII letters of a
                                         // name finds its columns by the other letters as written)
    std::span<const std::string_view> label_as_words{}; // keywords the target takes as a select-list alias
                                         // only after AS (x AS YEAR; x YEAR is refused): the label pass
                                         // writes the AS (select/label_as.h)
    std::span<const ChainRow> chain;

    // Built once from the chain and the reserved list, and from the GROUP BY pass's keyword lists
    // (see built()).
    Lexicon lexicon;
    Lexicon group_by_lexicon;
};

// The dialect with its lexicon filled in.
Dialect built(Dialect dialect);

// One per dialect, named by its id: sqlserver(), oracle(), ...
#define TARNVEL_DIALECT_TABLE(id, word, ...) const Dialect &id();
TARNVEL_DIALECTS(TARNVEL_DIALECT_TABLE)
#undef TARNVEL_DIALECT_TABLE

}  // namespace tarnvel::select
