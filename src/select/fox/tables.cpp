// The table list in the FoxPro-syntax pass: database!table and file paths as the table's name,
// FoxPro's cursor options dropped, and the tables' own t.* for a * beside other items.
#include "select/fox/scan.h"

namespace tarnvel::select::fox {

// An item of the table list: database!table and file paths become the table's own name; FORCE
// and a name expression in parentheses (see open()) stay as written.
void Scan::table_item() {
    const std::size_t from = pos_;
    std::size_t to = from;
    const char first = src_[from];
    if (quote_at(from)) {
        to = literal_end(from);
        // "c:\data\sales"!orders: a database named by its path, then the table
        if (to > from && to + 1 < end_ && src_[to] == '!' && name_start(src_[to + 1])) {
            for (++to; to < end_ && name_char(src_[to]);) ++to;
        }
    } else {
        while (to < end_ && !is_blank(src_[to]) && src_[to] != ',' && src_[to] != '(' && src_[to] != ')') ++to;
    }
    if (to == from) {
        ++pos_;
        return;
    }
    std::string_view item = src_.substr(from, to - from);
    if (name_start(first)) {
        std::size_t w1 = from;
        while (w1 < end_ && name_char(src_[w1])) ++w1;
        const std::string_view word = src_.substr(from, w1 - from);
        Kw kw = keyword_of(word);
        if (kw != Kw::none) {  // FORCE, or a keyword where a table was due: the list goes on after it
            pos_ = w1;
            keyword(kw, word, skip_blanks(w1));
            return;
        }
        const std::size_t next = skip_blanks(name_chain_end(src_, from, end_));
        std::size_t expression_end = 0;
        if (next < end_ && (src_[next] == '(' || src_[next] == '+')) {
            if (const std::string_view file = file_expression(from, expression_end); !file.empty()) {
                begin_token(from);
                out_.replace(from, expression_end, file);
                top().table_next = false;
                prev_ = Prev::operand;
                pos_ = expression_end;
                return;
            }
        }
    }
    begin_token(from);
    std::string_view name = table_name(item);
    if (name.data() != item.data() || name.size() != item.size()) out_.replace(from, to, name);
    top().table_next = false;
    prev_ = Prev::operand;
    pos_ = to;
}

// FROM ADDBS(m.cDir) + 'data\orders', FROM (gcPath + 'dbf\clients.dbf'), FROM m.gcDataPath + 'orders':
// a file named by a sum whose last piece, a literal, holds the file's name after a path separator (or
// after ADDBS(), which ends a folder, or a name that says it holds one: ...PATH, ...DIR, ...RUTA). The
// table is then the name an upsized table gets, the file's base name; 'end' is set one past the sum.
// Empty for any other text: a name expression stays the application's (m.cPrefix + 'orders' may name
// a table by a prefix).
std::string_view Scan::file_expression(std::size_t from, std::size_t &end) const {
    std::size_t at = from, last = none, before_last = none;
    while (true) {
        const std::size_t start = skip_blanks(at);
        const std::size_t stop = primary_end(start);
        if (stop == none || stop > end_) return {};
        before_last = last;
        last = start;
        end = stop;
        at = skip_blanks(stop);
        if (at >= end_ || src_[at] != '+') break;
        ++at;
    }
    if (before_last == none || literal_end(last) != end) return {};
    const std::string_view literal = src_.substr(last, end - last);
    const bool folder_before = word_at(src_, before_last, end_, "ADDBS") || names_folder(before_last, last);
    if (literal.size() < 3 || (!folder_before && literal.find_first_of("\\/") == std::string_view::npos)) return {};
    const std::string_view name = table_name(literal);
    if (name.empty() || name.data() == literal.data() || !std::all_of(name.begin(), name.end(), name_char)) return {};
    return name;
}

// The name that starts at 'from' (before 'to') says it holds a folder: its last word has PATH, DIR,
// FOLDER, RUTA, CARPETA or PFAD in it (m.pub_lpath, gcDataDir, lcRuta).
bool Scan::names_folder(std::size_t from, std::size_t to) const {
    if (!name_start(src_[from])) return false;
    const std::size_t end = name_chain_end(src_, from, to);
    if (skip_blanks(end) >= to || src_[skip_blanks(end)] != '+') return false;  // a name alone before the +
    return folder_name(src_.substr(from, end - from));
}

bool folder_name(std::string_view name) {
    name.remove_prefix(name.rfind('.') + 1);  // the last word (npos + 1 is 0)
    for (std::string_view hint : {"PATH", "DIR", "FOLDER", "RUTA", "CARPETA", "PFAD"}) {
        for (std::size_t i = 0; i + hint.size() <= name.size(); ++i) {
            if (same_word(name.substr(i, hint.size()), hint)) return true;
        }
    }
    return false;
}

// SELECT a, * FROM t: MySQL and Oracle take * alone only, so beside other items it becomes the
// tables' own t.*, in the order of the table list.
bool Scan::star() {
    Level &t = top();
    if (named().clause_star.target[pass_.column].empty() || t.kind != Level::statement || t.clause != Clause::select) {
        return false;
    }
    std::size_t before = blanks_before(src_, pos_);
    const std::size_t after = skip_blanks(pos_ + 1);
    const bool comma_before = before > 0 && src_[before - 1] == ',';
    const bool comma_after = after < end_ && src_[after] == ',';
    const bool item_before = comma_before || prev_ == Prev::keyword;
    const bool from_after =
        after < end_ && keyword_of(src_.substr(after, name_chain_end(src_, after, end_) - after)) == Kw::from;
    const bool item_after = comma_after || from_after;
    if (!(item_before && item_after && (comma_before || comma_after))) return false;
    Text qualified;
    if (!from_qualifiers(after, qualified)) return false;
    begin_token(pos_);
    if (before > 0 && name_char(src_[before - 1])) out_.replace(pos_, pos_, " ");  // SELECT*,b: SELECT stays a word
    out_.replace(pos_, pos_ + 1, qualified.view());
    ++pos_;
    prev_ = Prev::operand;
    return true;
}

// The qualifiers found so far, each written "q.*" and joined by ", ".
struct Scan::Qualifiers {
    Text &out;
    std::size_t tables = 0;
    bool expect_table = true;  // a table comes next (the list's start, after a comma or JOIN)

    void add(std::string_view qualifier) {
        if (tables++ > 0) out.append(", ");
        out.append(qualifier);
        out.append(".*");
        expect_table = false;
    }
};

// The qualifiers of the tables of the FROM list that follows 'from' at this level, each written
// "q.*" and joined by ", "; false when the list cannot be read.
bool Scan::from_qualifiers(std::size_t from, Text &out) const {
    const std::size_t list = own_from(from);
    return list != none && table_qualifiers(list, out);
}

// Where the FROM of this level that follows 'at' ends; none when another clause or the level ends
// first.
std::size_t Scan::own_from(std::size_t at) const {
    for (;;) {
        at = skip_blanks(at);
        if (at >= end_ || src_[at] == ')') return none;
        const char c = src_[at];
        if (quote_at(at)) {
            at = literal_end(at);
        } else if (c == '(') {
            const std::size_t close = close_paren(at);
            if (close == none) return none;
            at = close + 1;
        } else if (name_start(c)) {
            std::size_t w1 = at;
            while (w1 < end_ && name_char(src_[w1])) ++w1;
            const Kw kw = keyword_of(src_.substr(at, w1 - at));
            at = w1;
            if (kw == Kw::from) return at;
            if (kw == Kw::where || kw == Kw::group || kw == Kw::order || kw == Kw::union_ || kw == Kw::into) {
                return none;
            }
        } else {
            ++at;
        }
    }
}

// The table list's items from 'at': name [AS] [alias] or (subquery) [AS] alias, separated by
// commas and joins.
bool Scan::table_qualifiers(std::size_t at, Text &out) const {
    Qualifiers list{out};
    for (;;) {
        at = skip_blanks(at);
        if (at >= end_ || src_[at] == ')') break;
        const char c = src_[at];
        if (c == ',') {
            list.expect_table = true;
            ++at;
            continue;
        }
        if (c == '(') {
            if (!grouped_qualifier(at, list)) return false;
            continue;
        }
        if (quote_at(at)) {
            if (list.expect_table) return false;
            at = literal_end(at);
            continue;
        }
        if (!name_start(c) && c != '#' && c != '.' && c != '\\') {
            ++at;
            continue;
        }
        std::size_t w1 = at;
        while (w1 < end_ && !is_blank(src_[w1]) && src_[w1] != ',' && src_[w1] != '(' && src_[w1] != ')') ++w1;
        const std::string_view token = src_.substr(at, w1 - at);
        const Kw kw = name_start(c) ? keyword_of(src_.substr(at, name_chain_end(src_, at, end_) - at)) : Kw::none;
        if (kw == Kw::where || kw == Kw::group || kw == Kw::order || kw == Kw::having || kw == Kw::union_ ||
            kw == Kw::into) {
            break;
        }
        if (kw == Kw::join) list.expect_table = true;
        if (kw != Kw::none || !list.expect_table) {  // join words, ON and its condition, FORCE
            at = w1;
            continue;
        }
        // a table, and its alias when one follows
        std::size_t end = w1;
        const std::string_view alias = alias_after(w1, end);
        const std::string_view qualifier = alias.empty() ? table_name(token) : alias;
        if (qualifier.empty() || qualifier.front() == '"' || qualifier.front() == '\'') return false;
        list.add(qualifier);
        at = end;
    }
    return list.tables > 0;
}

// A group in the table list from its "(" at 'at' (moved past it and its alias): a derived table
// or a file named by a literal, named by its alias; false when it has no name to qualify with.
bool Scan::grouped_qualifier(std::size_t &at, Qualifiers &list) const {
    const std::size_t close = close_paren(at);
    if (close == none) return false;
    const std::string_view inside = trimmed(src_.substr(at + 1, close - at - 1));
    at = close + 1;
    if (!list.expect_table) return true;  // a group of the join condition
    std::size_t end = at;
    const std::string_view alias = alias_after(at, end);
    const std::size_t literal_at = static_cast<std::size_t>(inside.data() - src_.data());
    if (!inside.empty() && (inside[0] == '\'' || inside[0] == '"' || inside[0] == '[') &&
        literal_end(literal_at) == literal_at + inside.size()) {  // a file named by a literal
        const std::string_view name = alias.empty() ? table_name(inside) : alias;
        if (name.data() == inside.data()) return false;
        list.add(name);
        at = end;
        return true;
    }
    if (alias.empty()) return false;  // a derived table: its alias names it
    list.add(alias);
    at = end;
    return true;
}

// The alias after a table (blanks, an optional AS, a name that is no keyword), its end in 'end';
// empty when none follows.
std::string_view Scan::alias_after(std::size_t at, std::size_t &end) const {
    std::size_t a0 = skip_blanks(at);
    std::size_t a1 = a0;
    while (a1 < end_ && name_char(src_[a1])) ++a1;
    if (a1 > a0 && same_word(src_.substr(a0, a1 - a0), "AS")) {
        a0 = skip_blanks(a1);
        a1 = a0;
        while (a1 < end_ && name_char(src_[a1])) ++a1;
    }
    if (a1 == a0 || keyword_of(src_.substr(a0, a1 - a0)) != Kw::none) return {};
    end = a1;
    return src_.substr(a0, a1 - a0);
}

// The statement reads one table whole: its FROM (after 'at', at this level) names one table, with
// or without an alias, and no join, WHERE, GROUP BY or HAVING follows; ORDER BY, a destination or
// UNION may.
bool Scan::one_whole_table(std::size_t at) const {
    std::size_t list = own_from(at);
    if (list == none) return false;
    list = skip_blanks(list);
    if (list >= end_ || !(name_start(src_[list]) || quote_at(list))) return false;
    std::size_t w1 = quote_at(list) ? literal_end(list) : list;
    while (w1 < end_ && !is_blank(src_[w1]) && src_[w1] != ',' && src_[w1] != '(' && src_[w1] != ')') ++w1;
    std::size_t end = w1;
    alias_after(w1, end);
    end = skip_blanks(end);
    if (end >= end_ || src_[end] == ')') return true;
    std::size_t e1 = end;
    while (e1 < end_ && name_char(src_[e1])) ++e1;
    const Kw kw = keyword_of(src_.substr(end, e1 - end));
    return kw == Kw::order || kw == Kw::into || kw == Kw::union_;
}

// WITH (BUFFERING = ...) after a table: dropped with the blank before it.
bool Scan::drop_buffering(std::size_t w0, std::size_t open) {
    if (!word_at(src_, skip_blanks(open + 1), end_, "BUFFERING")) return false;
    std::size_t close = close_paren(open);
    if (close == std::string_view::npos) return false;
    std::size_t from = w0;
    from = blanks_before(src_, from, out_.pending());
    out_.replace(from, close + 1, {});
    pos_ = close + 1;
    return true;
}

}  // namespace tarnvel::select::fox
