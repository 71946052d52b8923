#include "select/full_join_derived.h"

#include "lex/classes.h"
#include "lex/keywords.h"
#include "lex/scan.h"
#include "select/item_alias.h"
#include "select/join_nesting.h"
#include "select/literals.h"

#include <string>
#include <vector>

namespace tarnvel::select {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// The derived table's name in the member, and the name of its one column when the member names none.
constexpr std::string_view derived_name = "FJ";
constexpr std::string_view row_column = "FJ_ROW";
// How a subquery stands in a member's clauses while the member is converted: a string that starts so.
constexpr std::string_view subquery_mark = "'S$U$B$Q";


// The parts of the member a name is read in: ORDER BY's bare names are the result's columns (or, in a
// UNION member, the union's), which stay as written.
enum class Part { fields, clause, order, where };

// A column a clause names: where it stands, and its table (empty when not written) and column as written.
struct Reference {
    std::size_t at, length;
    std::string_view table, column;
};

// A column of the derived table: one column of FROM's tables, and its name there.
struct Column {
    std::string_view table, column;
    std::string name;
};

struct Reader {
    const Session &session;
    lex::LiteralRules rules;
    std::vector<std::string_view> tables;   // the names and aliases FROM gives its tables, unquoted
    std::vector<std::string_view> aliases;  // of the items of the field list, as written
    std::vector<std::string_view> variables;  // bare names of HAVING taken for memory variables
};

bool same_text(std::string_view a, std::string_view b, const lex::Alphabet &letters) { return letters.same_letters(a, b); }

bool listed(std::string_view word, const std::vector<std::string_view> &list, const lex::Alphabet &letters) {
    for (std::string_view entry : list) {
        if (same_text(word, entry, letters)) return true;
    }
    return false;
}

std::string_view unquoted(std::string_view name, const Dialect &dialect) {
    if (name.size() >= 2 && name.front() == dialect.quote_open && name.back() == dialect.quote_close) {
        return name.substr(1, name.size() - 2);
    }
    return name;
}

// The end of the name at i (a word, or a quoted name); i when none starts there.
std::size_t name_end(const Reader &reader, std::string_view text, std::size_t i) {
    if (i >= text.size()) return i;
    if (text[i] == reader.session.dialect.quote_open) {
        const lex::Pos close = lex::run_end(text, static_cast<lex::Pos>(i), reader.rules);
        return static_cast<std::size_t>(close) >= text.size() ? i : static_cast<std::size_t>(close) + 1;  // unclosed: none
    }
    const lex::Alphabet &letters = reader.session.letters;
    if (!letters.letter(text[i]) && text[i] != '_') return i;
    while (i < text.size() && lex::is_name_char(letters, text[i])) ++i;
    return i;
}

// A name and the names that follow it after dots (up to three kept); '*' after a dot marks a star.
struct Chain {
    std::string_view parts[3];
    int count = 0;
    bool star = false;
};

Chain read_chain(const Reader &reader, std::string_view text, std::size_t &i) {
    Chain chain;
    for (;;) {
        const std::size_t stop = name_end(reader, text, i);
        if (stop == i) break;
        if (chain.count < 3) chain.parts[chain.count] = text.substr(i, stop - i);
        ++chain.count;
        i = stop;
        if (i + 1 < text.size() && text[i] == '.') {
            if (text[i + 1] == '*') {
                chain.star = true;
                i += 2;
                break;
            }
            if (name_end(reader, text, i + 1) > i + 1) {
                ++i;
                continue;
            }
        }
        break;
    }
    return chain;
}

// Steps over what is not a name at text[i] (a string, a parameter, a number, a date, an operator);
// false when a name starts there.
bool skip_other(const Reader &reader, std::string_view text, std::size_t &i, int &depth) {
    const lex::Alphabet &letters = reader.session.letters;
    const char c = text[i];
    if (c == '\'' || c == '"') {
        i = std::min(text.size(), static_cast<std::size_t>(lex::run_end(text, static_cast<lex::Pos>(i), reader.rules)) + 1);
    } else if (c == '?' || c == ':' || c == '@') {  // a host parameter, the expression after "?(" included
        ++i;
        if (i < text.size() && text[i] == '(') {
            const lex::Pos close = lex::find_close_paren(text, static_cast<lex::Pos>(i), reader.rules);
            i = close < 0 ? text.size() : std::min(text.size(), static_cast<std::size_t>(close) + 1);
        } else {
            while (i < text.size() && (lex::is_item_char(letters, text[i]) || text[i] == '[' || text[i] == ']')) ++i;
        }
    } else if (c == '#' && reader.session.dialect.quote_open == '[') {  // #date#
        const std::size_t close = text.find('#', i + 1);
        i = close == npos ? text.size() : close + 1;
    } else if (lex::is_digit(c) || (c == '.' && i + 1 < text.size() && lex::is_digit(text[i + 1]))) {
        while (i < text.size() && (lex::is_word_char(letters, text[i]) || text[i] == '.')) ++i;
    } else if (c == reader.session.dialect.quote_open || letters.letter(c) || c == '_') {
        return false;
    } else {
        if (c == '(') ++depth;
        if (c == ')') --depth;
        ++i;
    }
    return true;
}

// A bare name in HAVING is taken for the application's memory variable (a grouped column is read there
// by the item's name, which the field list gives) and stays as written, for the application to give its
// value. Were it a column, the server reports it unknown, since the derived table's columns are renamed
// (and checked against it); not in a subquery, where the name could find a column of the query around.
bool memory_variable(Reader &reader, bool in_having, std::string_view name) {
    if (!in_having || reader.session.subquery_depth > 0) return false;
    reader.variables.push_back(name);
    return true;
}

// A name alone that is no alias, call or keyword: a memory variable in HAVING or a column of the result
// in ORDER BY, which stay, else a column without its table, which one table has; false in a subquery,
// where it could be the outer query's.
bool bare_column(Reader &reader, Part part, bool having, const Reference &name, std::vector<Reference> &refs) {
    if (part == Part::order || memory_variable(reader, having, name.column)) return true;
    if (reader.session.subquery_depth > 0) return false;
    refs.push_back(name);
    return true;
}

// Reads the names of a clause: the qualified columns into 'refs', and 'end' where a FoxPro INTO or
// TO written after the clause starts (the text's size when none). In the field list and the clauses
// after WHERE, false for a name the derived table cannot carry (a star, a name of three parts, a subquery); in WHERE (which stays inside it)
// every name is read and 'subquery' tells of a SELECT.
bool read_names(Reader &reader, std::string_view text, Part part, std::vector<Reference> &refs,
                std::size_t &end, bool &subquery) {
    const Dialect &dialect = reader.session.dialect;
    const lex::Alphabet &letters = reader.session.letters;
    end = text.size();
    int depth = 0;
    bool after_as = false;
    bool having = false;
    for (std::size_t i = 0; i < text.size();) {
        if (lex::is_blank(text[i])) {
            ++i;
            continue;
        }
        if (text.substr(i).starts_with(subquery_mark)) {
            subquery = true;
            if (part != Part::where) return false;
        }
        if (skip_other(reader, text, i, depth)) {
            after_as = false;
            continue;
        }
        const std::size_t at = i;
        const Chain chain = read_chain(reader, text, i);
        if (chain.count == 0) {  // an unclosed quote
            if (part != Part::where) return false;
            ++i;
            continue;
        }
        std::size_t next = i;
        while (next < text.size() && lex::is_blank(text[next])) ++next;
        const bool call = next < text.size() && text[next] == '(';
        const bool quoted = chain.parts[0].front() == dialect.quote_open;
        const std::string_view first = unquoted(chain.parts[0], dialect);
        if (chain.count == 1 && !chain.star && depth == 0 && part != Part::fields &&
            (same_text(first, "INTO", letters) || same_text(first, "TO", letters))) {
            end = at;
            return true;
        }
        const bool was_as = after_as;
        after_as = chain.count == 1 && !quoted && same_text(first, "AS", letters);
        if (!quoted && chain.count == 1 && same_text(first, "SELECT", letters) && !(part == Part::fields && at == 0)) {
            subquery = true;
            if (part != Part::where) return false;
            continue;
        }
        if (chain.count == 2 && !chain.star && !call) {
            // a name of a table the join does not hold (the query around, a work area) stays as written
            const bool joined = listed(unquoted(chain.parts[0], dialect), reader.tables, letters);
            if (part == Part::where || joined) refs.push_back({at, i - at, chain.parts[0], chain.parts[1]});
            continue;
        }
        if (part == Part::where) continue;
        if (chain.star || chain.count > 2) return false;
        // one name: an alias, a call, a keyword or an item's alias; else a column without its table
        if (was_as || after_as || (call && !quoted) || listed(chain.parts[0], reader.aliases, letters)) continue;
        having = having || (depth == 0 && !quoted && same_text(first, "HAVING", letters));
        if (!quoted && clause_keyword(dialect, letters, first)) continue;
        if (!bare_column(reader, part, having, {at, i - at, {}, chain.parts[0]}, refs)) return false;
    }
    return true;
}

// The names and aliases FROM gives its tables: the names outside ON conditions and parentheses.
std::vector<std::string_view> from_tables(const Reader &reader, std::string_view from) {
    constexpr std::string_view join_words[] = {"JOIN", "INNER", "LEFT", "RIGHT", "FULL", "OUTER", "CROSS", "NATURAL"};
    const Dialect &dialect = reader.session.dialect;
    const lex::Alphabet &letters = reader.session.letters;
    std::vector<std::string_view> tables;
    bool condition = false;
    int depth = 0;
    for (std::size_t i = 0; i < from.size();) {
        const char c = from[i];
        if (c == '(') {
            const lex::Pos close = lex::find_close_paren(from, static_cast<lex::Pos>(i), reader.rules);
            i = close < 0 ? from.size() : std::min(from.size(), static_cast<std::size_t>(close) + 1);
            continue;
        }
        if (c == ',') condition = false;
        if (lex::is_blank(c) || skip_other(reader, from, i, depth)) {
            if (lex::is_blank(c)) ++i;
            continue;
        }
        const Chain chain = read_chain(reader, from, i);
        if (chain.count == 0) {
            ++i;
            continue;
        }
        const std::string_view word = unquoted(chain.parts[0], dialect);
        bool join_word = chain.count == 1 && same_text(word, "ON", letters);
        if (join_word) condition = true;
        for (std::string_view w : join_words) {
            if (chain.count == 1 && same_text(word, w, letters)) {
                join_word = true;
                condition = false;
            }
        }
        if (join_word || condition || same_text(word, "AS", letters) || same_text(word, "FROM", letters)) continue;
        tables.push_back(unquoted(chain.parts[std::min(chain.count, 3) - 1], dialect));
    }
    return tables;
}


// The field list's start: SELECT and the DISTINCT, ALL, TOP n and PERCENT after it.
std::size_t items_start(std::string_view select, const lex::Alphabet &letters) {
    std::size_t i = 6;
    for (;;) {
        while (i < select.size() && lex::is_blank(select[i])) ++i;
        std::size_t stop = i;
        while (stop < select.size() && lex::is_word_char(letters, select[stop])) ++stop;
        const std::string_view word = select.substr(i, stop - i);
        bool taken = false;
        for (std::string_view w : {"DISTINCT", "ALL", "TOP", "PERCENT"}) taken = taken || same_text(word, w, letters);
        taken = taken || (!word.empty() && lex::is_digit(word.front()));
        if (!taken) return i;
        i = stop;
    }
}

// The name of the derived table's column for a table's column: TABLE_COLUMN (COLUMN when the table
// is not written) where that is a plain word no keyword and no other column has, else FJ_COL and its
// number.
std::string column_name(const Session &session, std::string_view table, std::string_view column,
                        const std::vector<Column> &columns) {
    const lex::Alphabet &letters = session.letters;
    const auto taken = [&](std::string_view name) {
        for (const Column &c : columns) {
            if (same_text(c.name, name, letters)) return true;
        }
        return clause_keyword(session.dialect, letters, name);
    };
    std::string name;
    if (!table.empty()) name.append(table).append("_");
    name.append(column);
    bool plain = name.size() <= 60 && letters.letter(name.front());
    for (char c : name) plain = plain && lex::is_word_char(letters, c);
    if (plain && !taken(name)) return name;
    for (std::size_t n = columns.size() + 1;; ++n) {
        name = "FJ_COL" + std::to_string(n);
        if (!taken(name)) return name;
    }
}

struct Edit {
    std::size_t at, length;
    std::string text;
};

std::string edited(std::string_view text, const std::vector<Edit> &edits) {
    std::string out;
    out.reserve(text.size() + 16 * edits.size());
    std::size_t copied = 0;
    for (const Edit &e : edits) {
        out.append(text.substr(copied, e.at - copied));
        out.append(e.text);
        copied = e.at + e.length;
    }
    out.append(text.substr(copied));
    return out;
}

Text sink_of(std::string_view text) {
    Text sink = Text::obtain(text.size() + 1, "Insufficient memory for FULL JOIN");
    sink.append(text);
    return sink;
}

// The derived table's column of a reference (made when the table's column is new).
const Column &column_of(const Session &session, const Reference &ref, std::vector<Column> &columns) {
    const std::string_view table = unquoted(ref.table, session.dialect);
    const std::string_view column = unquoted(ref.column, session.dialect);
    for (const Column &c : columns) {
        if (same_text(unquoted(c.table, session.dialect), table, session.letters) &&
            same_text(unquoted(c.column, session.dialect), column, session.letters)) {
            return c;
        }
    }
    std::string name = column_name(session, table, column, columns);
    columns.push_back({ref.table, ref.column, std::move(name)});
    return columns.back();
}

std::vector<Edit> renamed(const Session &session, const std::vector<Reference> &refs, std::vector<Column> &columns) {
    std::vector<Edit> edits;
    for (const Reference &ref : refs) {
        std::string text(derived_name);
        text += '.';
        text += column_of(session, ref, columns).name;
        edits.push_back({ref.at, ref.length, std::move(text)});
    }
    return edits;
}

// WHERE stays in the halves; in a subquery it may name only FROM's tables (no outer one, which a
// derived table cannot see).
bool where_stays(Reader &reader, std::string_view where_body) {
    if (reader.session.subquery_depth == 0 || where_body.empty()) return true;
    std::vector<Reference> refs;
    std::size_t end = 0;
    bool subquery = false;
    read_names(reader, where_body, Part::where, refs, end, subquery);
    if (subquery) return false;
    for (const Reference &ref : refs) {
        if (!listed(unquoted(ref.table, reader.session.dialect), reader.tables, reader.session.letters)) return false;
    }
    return true;
}

// The field list over the derived table, its aliases added to the reader's; false when an item
// names what the table cannot carry. An item that is a bare column keeps the column's name.
bool fields_over(Reader &reader, std::string_view select, std::vector<Column> &columns, std::string &out) {
    const std::size_t start = items_start(select, reader.session.letters);
    const std::string_view items = select.substr(start);
    std::vector<std::pair<std::size_t, std::size_t>> list;  // each item's start and length
    for (std::size_t from = 0;;) {
        const std::size_t comma = lex::find_at_level(items, from, ",", reader.rules);
        std::string_view item = items.substr(from, comma == npos ? npos : comma - from);
        std::size_t lead = 0;
        while (lead < item.size() && lex::is_blank(item[lead])) ++lead;
        item = lex::trimmed(item);
        if (item == "*") return false;
        list.emplace_back(from + lead, item.size());
        const std::size_t as = lex::find_at_level(item, 0, " AS ", reader.rules);
        if (as != npos) reader.aliases.push_back(lex::trimmed(item.substr(as + 4)));
        else if (const std::string_view alias = bare_alias(item, reader.session.dialect, reader.session.letters); !alias.empty()) reader.aliases.push_back(alias);
        if (comma == npos) break;
        from = comma + 1;
    }
    std::vector<Reference> refs;
    std::size_t end = 0;
    bool subquery = false;
    if (!read_names(reader, items, Part::fields, refs, end, subquery)) return false;
    auto edits = renamed(reader.session, refs, columns);
    for (std::size_t r = 0; r < refs.size(); ++r) {
        for (const auto &[at, length] : list) {
            if (refs[r].at == at && refs[r].length == length) edits[r].text.append(" AS ").append(refs[r].column);
        }
    }
    out = select.substr(0, start);
    out += edited(items, edits);
    return true;
}

// FROM: the derived table of the halves' rows, each half with the columns (named in the first).
std::string derived_from(const Session &session, std::span<const JoinHalf> halves, std::string_view where_body,
                         const std::vector<Column> &columns) {
    std::string first_columns, other_columns;
    for (const Column &c : columns) {
        if (!first_columns.empty()) {
            first_columns += ", ";
            other_columns += ", ";
        }
        if (!c.table.empty()) {
            first_columns.append(c.table).append(".");
            other_columns.append(c.table).append(".");
        }
        first_columns.append(c.column).append(" AS ").append(c.name);
        other_columns.append(c.column);
    }
    if (columns.empty()) {
        first_columns.append("1 AS ").append(row_column);
        other_columns = "1";
    }
    std::string from = "FROM (";
    std::string nested;
    for (std::size_t h = 0; h < halves.size(); ++h) {
        const JoinHalf &half = halves[h];
        if (h > 0) from += " UNION ALL ";
        from.append("SELECT ").append(h == 0 ? first_columns : other_columns).append(" ");
        from += session.dialect.nested_joins && nest_joins(session, half.from, nested) ? nested : half.from;
        if (!where_body.empty() && !half.unmatched.empty()) {
            from.append(" WHERE (").append(where_body).append(") AND ").append(half.unmatched);
        } else if (!where_body.empty() || !half.unmatched.empty()) {
            from.append(" WHERE ").append(where_body).append(half.unmatched);
        }
    }
    from.append(session.dialect.table_alias_as ? ") AS " : ") ").append(derived_name);
    return from;
}

}  // namespace

bool write_derived(Session &session, Clauses &clauses, std::span<const JoinHalf> halves, std::string_view where_body,
                   std::string_view destination) {
    Reader reader{session, clause_literals(session.dialect), {}, {}, {}};
    reader.tables = from_tables(reader, clauses.from().view());
    if (reader.tables.empty() || !where_stays(reader, where_body)) return false;
    std::vector<Column> columns;
    std::string select;
    if (!fields_over(reader, clauses.select().view(), columns, select)) return false;
    // GROUP BY with HAVING, and ORDER BY: up to a FoxPro INTO or TO after them, which stays as written
    std::string clause_texts[2];
    for (int k = 0; k < 2; ++k) {
        Text &clause = k == 0 ? clauses.group() : clauses.order();
        if (!clause || clause.empty()) continue;
        std::vector<Reference> refs;
        std::size_t end = 0;
        bool subquery = false;
        if (!read_names(reader, clause.view(), k == 0 ? Part::clause : Part::order, refs, end, subquery)) return false;
        clause_texts[k] = edited(clause.view(), renamed(session, refs, columns));
    }
    for (std::string_view variable : reader.variables) {  // a memory variable the derived table's columns would hide
        for (const Column &c : columns) {
            if (same_text(unquoted(variable, session.dialect), c.name, session.letters)) return false;
        }
    }
    const std::string from = derived_from(session, halves, where_body, columns);
    clauses.select() = sink_of(select);
    clauses.from() = sink_of(from);
    if (destination.empty()) clauses.where().release();
    else clauses.where() = sink_of(lex::trimmed(destination));
    if (clauses.group() && !clauses.group().empty()) clauses.group() = sink_of(clause_texts[0]);
    if (clauses.order() && !clauses.order().empty()) clauses.order() = sink_of(clause_texts[1]);
    return true;
}

}  // namespace tarnvel::select
