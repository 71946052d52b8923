#include "select/driver.h"

#include "host/api.h"
#include "host/state.h"
#include "lex/classes.h"
#include "lex/cursor.h"
#include "select/count_distinct.h"
#include "select/full_join.h"
#include "select/percent_member.h"
#include "select/join_nesting.h"
#include "select/null_order.h"
#include "select/first_spelling.h"
#include "select/label_as.h"
#include "select/group_by.h"
#include "select/group_by_outer.h"
#include "select/literals.h"
#include "select/record_numbers.h"
#include "select/scanner.h"
#include "select/table_hint.h"

#include <array>
#include <cstring>
#include <string>

namespace tarnvel::select {
namespace {

constexpr std::string_view placeholder_head = "'S$U$B$Q";

constexpr lex::Stops subquery_stops("(");
constexpr lex::Stops union_stops("Uu");
constexpr lex::Stops line_breaks("\r\n");

// The head of the placeholders of one level: "'S$U$B$Q", or with as many "$" more as it takes
// for the level's text not to hold it in any letter case, so that no literal of the statement
// is ever taken for a placeholder.
std::string placeholder_head_for(std::string_view text, const lex::Alphabet &letters) {
    std::string head(placeholder_head);
    if (text.find('$') == std::string_view::npos) return head;  // most texts: one search, no placeholder in them
    auto holds = [&](std::string_view part) {
        for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
            std::size_t k = 0;
            while (k < part.size() && letters.upper(text[at + k]) == part[k]) ++k;
            if (k == part.size()) return true;
        }
        return false;
    };
    while (holds(std::string_view(head).substr(1))) head += '$';
    return head;
}

// The placeholder text of subquery k: head + "A" for the first, the characters after "Z" from the
// 27th on, and a number in braces once a single character no longer serves.
std::string placeholder(std::string_view head, std::size_t k) {
    std::string text(head);
    if (k < 100) {
        text += static_cast<char>(65 + k);
    } else {
        std::string digits;
        for (std::size_t v = k; v != 0; v /= 10) digits.insert(digits.begin(), static_cast<char>('0' + v % 10));
        text += '{';
        text += digits;
        text += '}';
    }
    text += '\'';
    return text;
}

// The subquery index of the placeholder at text[at], or npos.
std::size_t placeholder_index(std::string_view text, std::string_view head, std::size_t at, std::size_t count,
                              std::size_t &length) {
    if (!text.substr(at).starts_with(head)) return std::string_view::npos;
    std::size_t close = text.find('\'', at + head.size());
    if (close == std::string_view::npos) return std::string_view::npos;
    std::string_view token = text.substr(at + head.size(), close - at - head.size());
    std::size_t k = std::string_view::npos;
    if (token.size() == 1 && static_cast<unsigned char>(token[0]) >= 65 && static_cast<unsigned char>(token[0]) < 165) {
        k = static_cast<unsigned char>(token[0]) - 65;
    } else if (token.size() > 2 && token.front() == '{' && token.back() == '}') {
        k = 0;
        for (char c : token.substr(1, token.size() - 2)) {
            if (!lex::is_digit(c) || k > count) return std::string_view::npos;
            k = k * 10 + static_cast<std::size_t>(c - '0');
        }
        if (k < 100) return std::string_view::npos;
    }
    if (k >= count) return std::string_view::npos;
    length = close + 1 - at;
    return k;
}

// The converted subqueries of one level, one after the other in one buffer.
struct Subqueries {
    std::string head;  // of their placeholders
    Text texts;
    std::array<std::size_t, 8> first_ends{};  // the end offset of each of the first texts (most levels hold a few)
    Text later_ends;  // those of the texts after them, as size_t values
    std::size_t count = 0;

    void add(std::string_view converted) {
        if (!texts) texts = Text::obtain(converted.size() + 99, "Insufficient memory for subquery converted");
        texts.append(converted);
        const std::size_t end = texts.size();
        if (count < first_ends.size()) {
            first_ends[count] = end;
        } else {
            if (!later_ends) later_ends = Text::obtain(16 * sizeof end, "Insufficient memory for subquery converted");
            later_ends.append(std::string_view(reinterpret_cast<const char *>(&end), sizeof end));
        }
        ++count;
    }
    std::size_t end_of(std::size_t k) const {
        if (k < first_ends.size()) return first_ends[k];
        std::size_t end = 0;
        std::memcpy(&end, later_ends.data() + (k - first_ends.size()) * sizeof end, sizeof end);
        return end;
    }
    std::string_view text(std::size_t k) const {
        const std::size_t begin = k > 0 ? end_of(k - 1) : 0;
        return texts.view().substr(begin, end_of(k) - begin);
    }
};

// Puts text into out with every placeholder of a subquery numbered 'from' or later replaced by its
// converted text (subquery k's own text can only hold later placeholders: the order in which
// they were put back one by one).
// The word that ends right before 'at' (blanks between allowed); empty when none.
std::string_view word_before(std::string_view text, std::size_t at, const lex::Alphabet &letters) {
    while (at > 0 && lex::is_blank(text[at - 1])) --at;
    std::size_t from = at;
    while (from > 0 && lex::is_word_char(letters, text[from - 1])) --from;
    return text.substr(from, at - from);
}

// A subquery of IN, ANY, ALL or SOME stands at 'at' (its "(" right before it).
bool set_subquery(std::string_view text, std::size_t at, const lex::Alphabet &letters) {
    if (at == 0 || text[at - 1] != '(') return false;
    const std::string_view before = word_before(text, at - 1, letters);
    for (std::string_view set : {"IN", "ANY", "ALL", "SOME"}) {
        if (letters.is_upper_word(before, set)) return true;
    }
    return false;
}

// Puts text into out with every placeholder of a subquery numbered 'from' or later replaced by its
// converted text (subquery k's own text can only hold later placeholders: the order in which
// they were put back one by one). Where the dialect refuses a row limit in a subquery of IN (MySQL),
// such a subquery with LIMIT stands in a derived table of its own.
void put_back(Text &out, std::string_view text, const Subqueries &subs, std::size_t from, const Session &session) {
    std::size_t done = 0;
    for (std::size_t at = text.find(subs.head); at != std::string_view::npos; at = text.find(subs.head, at + 1)) {
        std::size_t length = 0;
        std::size_t k = placeholder_index(text, subs.head, at, subs.count, length);
        if (k == std::string_view::npos || k < from) continue;
        out.append(text.substr(done, at - done));
        const bool wrapped = session.dialect.limit_in_derived_table && subs.text(k).find(" LIMIT ") != std::string_view::npos &&
                             set_subquery(text, at, session.letters);
        if (wrapped) out.append("SELECT * FROM (");
        put_back(out, subs.text(k), subs, k + 1, session);
        if (wrapped) out.append(") AS LIMITED_ROWS");
        done = at + length;
        at = done - 1;
    }
    out.append(text.substr(done));
}

// The first UNION or UNIO outside literals, from 'from', with a blank or tab on either side;
// 'length' gets 5 or 4.
std::size_t find_union(const Session &session, std::string_view text, std::size_t from, std::size_t &length) {
    const lex::Alphabet &letters = session.letters;
    length = 4;
    if (!session.union_possible) return std::string_view::npos;
    lex::Cursor cursor(text, from, session.source, lex::Levels::ignored);
    for (std::size_t i; (i = cursor.find(union_stops)) != lex::Cursor::npos; cursor.step()) {
        if (i == 0 || !lex::is_blank(text[i - 1])) continue;
        std::size_t j = 1;
        while (j < 5 && i + j < text.size() && letters.upper(text[i + j]) == "UNION"[j]) ++j;
        if (j >= 4 && i + j < text.size() && lex::is_blank(text[i + j])) {
            length = j;
            return i;
        }
    }
    return std::string_view::npos;
}

// After 'at' and the blanks after it stands the word SELECT, SELEC or SELE (the start of a
// subquery; "(SELECTED = 1)" is none).
bool sele_follows(std::string_view text, std::size_t at, const lex::Alphabet &letters) {
    std::size_t sele = at + 1;
    while (sele < text.size() && lex::is_blank(text[sele])) ++sele;
    if (text.size() - sele < 4) return false;
    std::size_t j = 0;
    while (j < 6 && sele + j < text.size() && letters.upper(text[sele + j]) == "SELECT"[j]) ++j;
    if (j < 4) return false;
    std::size_t end = sele + j;
    return end >= text.size() || !lex::is_word_char(letters, text[end]);
}

// Whether the statement can hold a subquery or a UNION at all: a "(" followed by SELE, a UNIO,
// wherever they stand (in literals too, so that nothing is ruled out wrongly).
void note_possibilities(Session &session, std::string_view text) {
    const lex::Alphabet &letters = session.letters;
    auto each = [text](char c, auto &&found) {
        const char *end = text.data() + text.size();
        for (const char *p = text.data(); p < end; ++p) {
            p = static_cast<const char *>(std::memchr(p, c, static_cast<std::size_t>(end - p)));
            if (!p) return false;
            if (found(static_cast<std::size_t>(p - text.data()))) return true;
        }
        return false;
    };
    auto nio = [&](std::size_t i) {
        return i + 3 < text.size() && letters.upper(text[i + 1]) == 'N' && letters.upper(text[i + 2]) == 'I' &&
               letters.upper(text[i + 3]) == 'O';
    };
    session.subquery_possible = each('(', [&](std::size_t i) { return sele_follows(text, i, letters); });
    session.union_possible = each('U', nio) || each('u', nio);
}

void append_clause(Text &out, const Text &clause, std::string_view message, bool always) {
    if (!always && (!clause || clause.empty())) return;
    out.set_message(message);
    out.reserve(clause.size() + 1);
    if (!out.empty()) out.push(' ');
    out.append(clause.view());
}

void add_force_hint(Text &out, const ForceHint &force) {
    out.set_message(force.message);
    out.reserve(force.hint.size() + 19);
    auto own_option = [&] {
        out.append(" OPTION (");
        out.append(force.hint);
        out.push(')');
    };
    if (!out.contains(" OPTION (") && !out.contains(" OPTION(")) {
        own_option();
        return;
    }
    std::size_t last = out.view().rfind(')');
    if (last == std::string_view::npos) {
        own_option();
        return;
    }
    out.truncate(last);
    out.push(',');
    out.append(force.hint);
    out.push(')');
}

}  // namespace

namespace {
// FoxPro's continuation: a ; that ends a line of a program (blanks and tabs may follow it) joins
// the next line to it, as a blank would. No literal can hold it: only blanks stand between.
// FoxPro's "&&" note at 'at' and the rest of its line become blanks; the line break stays. The
// line's end.
std::size_t blank_note(char *text, std::size_t length, std::size_t at) {
    while (at < length && text[at] != '\n' && text[at] != '\r') text[at++] = ' ';
    return at;
}
constexpr lex::Stops breaks_and_notes("\r\n&");
void blank_continuation(char *text, std::size_t line_break) {
    std::size_t at = line_break;
    while (at > 0 && (text[at - 1] == ' ' || text[at - 1] == '\t')) --at;
    if (at > 0 && text[at - 1] == ';') text[at - 1] = ' ';
}
}  // namespace

void blank_line_breaks(const Dialect &dialect, bool from_fox, char *text, std::size_t length) {
    if (!std::memchr(text, '\n', length) && !std::memchr(text, '\r', length)) return;
    const lex::LiteralRules rules = source_literals(dialect, from_fox);
    lex::Cursor cursor(std::string_view(text, length), 0, rules, lex::Levels::ignored);
    for (std::size_t i; (i = cursor.find(from_fox ? breaks_and_notes : line_breaks)) != lex::Cursor::npos; cursor.step()) {
        if (text[i] == '&') {
            if (i + 1 < length && text[i + 1] == '&') cursor.skip_to(blank_note(text, length, i) - 1);
            continue;
        }
        if (from_fox) blank_continuation(text, i);
        text[i] = ' ';
    }
}

namespace {
// TOP n PERCENT where the target has no percentage limit: a limit that counts the member's rows
// (the member again, without its ORDER BY), after ORDER BY.
void percent_rows_pass(const Dialect &dialect, Clauses &clauses) {
    Text member = Text::obtain(64, "Insufficient memory for TOP");
    append_clause(member, clauses.select(), "Insufficient memory for TOP", true);
    for (int i = 2; i < 5; ++i) append_clause(member, clauses.buffers[i], "Insufficient memory for TOP", false);
    Text &tail = clauses.order();
    tail.set_message("Insufficient memory for TOP");
    tail.push(' ');
    templates::for_each_piece(
        dialect.percent_rows, [&](std::string_view plain) { tail.append(plain); },
        [&](char slot) {
            if (slot == 'm') {
                tail.append(member.view());
                return;
            }
            const int n = clauses.percent;  // %n, below 100
            if (n >= 10) tail.push(static_cast<char>('0' + n / 10));
            tail.push(static_cast<char>('0' + n % 10));
        });
}
// TOP n PERCENT's rows: a limit that counts them, or the member over its numbered rows where only the
// member as a whole can be numbered (in a UNION the ORDER BY is the union's: TOP stays as written).
void percent_pass(Session &session, Clauses &clauses, bool whole) {
    if (!session.dialect.percent_rows.empty()) {
        if (clauses.order()) percent_rows_pass(session.dialect, clauses);
        return;
    }
    if (!whole || !clauses.order() || !percent_member_pass(session, clauses)) keep_top_percent(clauses);
}
// The text before the member's first clause, written in front of its select list (a blank between).
[[gnu::noinline]] void lead_in_front(Clauses &clauses) {
    Text &select = clauses.select();
    Text joined = Text::obtain(clauses.lead.size() + 1 + select.size(), "Insufficient memory for SELECT");
    joined.append(clauses.lead.view());
    joined.push(' ');
    if (select) joined.append(select.view());
    select = std::move(joined);
    clauses.lead.release();
}

// The passes over a member's converted clauses; 'whole' when the member is the whole statement (no UNION);
// 'first_list' the first member's converted select list in a later member of a UNION.
void member_passes(Session &session, Clauses &clauses, bool whole, std::string_view first_list) {
    if (!session.record_number.empty()) record_number_pass(session, clauses);
    // Before the GROUP BY pass, which reads ORDER BY's names as columns, and after it, whose MAX(x) AS x
    // makes aliases of its own; not in a UNION, whose ORDER BY names the columns of the union.
    const bool order_aliases = !session.dialect.order_by_alias && whole;
    if (order_aliases) order_alias_pass(session, clauses);
    if (clauses.group() && !clauses.group().empty()) {
        group_by_pass(session, clauses);
        if (order_aliases) order_alias_pass(session, clauses);
    }
    if (!session.dialect.order_twin_names && whole && clauses.order()) order_twins_pass(session, clauses);
    if (session.dialect.outer_aggregates && session.subquery_depth > 0 && clauses.from()) outer_aggregate_pass(session, clauses);
    if (session.dialect.table_hint) nolock_pass(session, clauses);
    if (!session.dialect.full_join && session.from_fox && clauses.from()) full_join_pass(session, clauses);
    if (session.dialect.nested_joins && clauses.joins >= 2 && clauses.from()) join_nesting_pass(session, clauses);
    if (!whole && clauses.order()) union_order_pass(session, clauses, first_list);
    if (session.dialect.null_sorts_last && session.from_fox && clauses.order()) null_order_pass(session, clauses);
    // (before TOP n PERCENT's row count, which writes the select list again)
    if (!session.dialect.label_as_words.empty()) label_as_pass(session, clauses);
    // (as TOP n's LIMIT, only after ORDER BY: TOP needs it in FoxPro, and a UNION member has none)
    if (clauses.percent >= 0) percent_pass(session, clauses, whole);
    if (!session.dialect.count_distinct && clauses.from()) count_distinct_pass(session, clauses);
    if (clauses.lead) [[unlikely]] lead_in_front(clauses);
}

// The output begins with the first member's select list, written in a buffer of the output's size
// (Clauses::output_room): where it has room for the other clauses, it becomes the output's, which
// saves a buffer and a copy.
void output_from_select(Text &out, Clauses &clauses, std::size_t statement) {
    Text &select = clauses.select();
    std::size_t need = select.size() + 1;
    for (int i = 1; i < 6; ++i) need += clauses.buffers[i].size() + 1;
    if (select && select.buffer().size() > need) {
        out = std::move(select);
        out.set_message("Insufficient memory for SELECT");
        return;
    }
    out = Text::obtain(2 * statement + 1, "Insufficient memory for SELECT");
    append_clause(out, select, "Insufficient memory for SELECT", true);
}
}  // namespace

Text convert_statement(Session &session, std::string_view text) {
    Text out;  // made of the first member's select list, or obtained for a wrapped member
    bool force_order = false;
    Clauses clauses;
    std::string first_list;  // the first member's select list, where a UNION follows it
    std::size_t start = 0;
    for (;;) {
        std::size_t length = 0;
        std::size_t sep = find_union(session, text, start, length);
        bool separated = sep != std::string_view::npos && sep > 0 && lex::is_blank(text[sep - 1]);
        std::string_view member = text.substr(start, separated ? sep - 1 - start : std::string_view::npos);

        clauses.reset();
        if (!out) clauses.output_room = 2 * text.size() + 1;
        convert_clauses(session, clauses, force_order, member);
        state::set_last_clause(letter(clauses.current));
        member_passes(session, clauses, start == 0 && !separated, first_list);
        if (start == 0 && separated && clauses.select()) first_list.assign(clauses.select().view());

        bool wrapped = static_cast<bool>(clauses.wrap);
        if (!out && !wrapped) output_from_select(out, clauses, text.size());
        else if (!out) out = Text::obtain(2 * text.size() + 1, "Insufficient memory for SELECT");
        else if (!wrapped) append_clause(out, clauses.select(), "Insufficient memory for SELECT", true);
        if (wrapped) {
            out.set_message("Insufficient memory for SELECT");
            if (!out.empty()) out.push(' ');
            out.append("SELECT * FROM (");
        }
        if (wrapped) out.append(clauses.select().view());
        for (int i = 1; i < 6; ++i) append_clause(out, clauses.buffers[i], "Insufficient memory for INTO", false);
        if (wrapped) {
            out.append(") WHERE ");
            out.append(clauses.wrap.view());
        }
        clauses.reset();

        if (!separated) break;
        std::size_t next = sep + length;
        while (next < text.size() && lex::is_blank(text[next])) ++next;
        if (next >= text.size()) break;
        out.set_message("Insufficient memory for SELECT");
        out.append(" UNION ");
        if (next + 3 < text.size() && session.letters.upper(text[next]) == 'A' &&
            session.letters.upper(text[next + 1]) == 'L' && session.letters.upper(text[next + 2]) == 'L' &&
            lex::is_blank(text[next + 3])) {
            out.append(" ALL ");
            next += 4;
            while (next < text.size() && lex::is_blank(text[next])) ++next;
        }
        start = next;
    }
    if (force_order) add_force_hint(out, session.dialect.force_hint);
    return out;
}

// Whether the SELECT in the parentheses from 'open' to 'close' is a whole member of a UNION, or the
// whole statement ((SELECT a FROM t) UNION (SELECT b FROM u)): cut out as a subquery, it was lost.
bool whole_member(const Session &session, std::string_view text, std::size_t open, std::size_t close) {
    const lex::Alphabet &letters = session.letters;
    // parentheses of their own around the member's are passed over: ((SELECT a FROM t)) UNION ...
    std::size_t start = open;
    while (start > 0 && (lex::is_blank(text[start - 1]) || text[start - 1] == '(')) --start;
    const std::string_view word = word_before(text, start, letters);
    const auto is_union = [&](std::string_view w) { return letters.is_upper_word(w, "UNION") || letters.is_upper_word(w, "UNIO"); };
    const bool opens = start == 0 || is_union(word) ||
                       (letters.is_upper_word(word, "ALL") && is_union(word_before(text, start - 3, letters)));
    if (!opens) return false;
    std::size_t next = close + 1;
    while (next < text.size() && (lex::is_blank(text[next]) || text[next] == ')')) ++next;
    if (next == text.size()) return true;
    std::size_t end = next;
    while (end < text.size() && lex::is_word_char(letters, text[end])) ++end;
    const std::string_view then = text.substr(next, end - next);
    return is_union(then) || (start != 0 && (letters.is_upper_word(then, "ORDER") || letters.is_upper_word(then, "INTO")));
}

// Subqueries nested deeper than this (and whole members unwrapped as often) are refused: each level
// is converted on the stack, and no FoxPro statement nests so many.
constexpr std::size_t deepest_subquery = 255;

// The subquery text converted one level down: the depth is counted on the way down and back.
static Text extract_nested(Session &session, std::string_view text) {
    if (++session.subquery_depth > deepest_subquery) host::user_error("SQL syntax error (subqueries nested too deeply) ");
    Text converted = extract_subqueries(session, text);
    --session.subquery_depth;
    return converted;
}

Text extract_subqueries(Session &session, std::string_view text) {
    Subqueries subs;
    Text rewritten;
    std::size_t copied = 0;
    lex::Cursor cursor(text, session.subquery_possible ? 0 : text.size(), session.source, lex::Levels::ignored);
    for (std::size_t i; (i = cursor.find(subquery_stops)) != lex::Cursor::npos; cursor.step()) {
        if (!sele_follows(text, i, session.letters)) continue;
        if (subs.head.empty()) subs.head = placeholder_head_for(text, session.letters);
        std::size_t sele = i + 1;
        while (sele < text.size() && lex::is_blank(text[sele])) ++sele;
        // the ")" that closes the subquery, quoted runs passed over
        lex::Pos found = lex::find_close_paren(text, static_cast<lex::Pos>(i), session.source);
        std::size_t close = found < 0 ? text.size() : static_cast<std::size_t>(found);
        if (close >= text.size()) host::user_error("SQL syntax error (subquery ')' missing) ");
        if (whole_member(session, text, i, close)) {  // read again with blanks for its parentheses
            Text unwrapped = Text::obtain(text.size() + 1, "Insufficient memory for subquery inserting");
            unwrapped.append(text);
            unwrapped.set(i, ' ');
            unwrapped.set(close, ' ');
            return extract_nested(session, unwrapped.view());
        }
        {  // (the level below only reads the subquery's text: it is converted where it stands)
            Text converted = extract_nested(session, text.substr(sele, close - sele));
            subs.add(converted.view());
        }
        if (!rewritten) rewritten = Text::obtain(text.size() + 16, "Insufficient memory for subquery inserting");
        rewritten.append(text.substr(copied, i + 1 - copied));
        rewritten.append(placeholder(subs.head, subs.count - 1));
        copied = close;
        cursor.skip_to(close);
    }
    if (!rewritten) return convert_statement(session, text);
    rewritten.append(text.substr(copied));
    Text out = convert_statement(session, rewritten.view());
    rewritten.release();
    Text result = Text::grown(out.size() + subs.texts.size() + 1, "Insufficient memory for subquery inserting");
    put_back(result, out.view(), subs, 0, session);
    return result;
}

Text convert_select(const Dialect &dialect, std::string_view statement, std::string_view record_number) {
    const bool from_fox = state::from_fox();
    Session session{dialect, lex::Alphabet::names(), from_fox, source_literals(dialect, from_fox), Text()};
    note_possibilities(session, statement);
    if (from_fox) session.record_number = record_number;
    if (from_fox && !dialect.upper_beyond_ascii && beyond_ascii(statement)) {
        // FoxPro names ignore case; the target tells apart the letters beyond ASCII of a name, so
        // each name is read in one spelling by every pass, the GROUP BY pass's alias lookup too
        Text spelled = Text::obtain(statement.size() + 1, "Insufficient memory for SELECT");
        spelled.append(statement);
        first_spellings(spelled, session.letters, session.source);
        return extract_subqueries(session, spelled.view());
    }
    return extract_subqueries(session, statement);
}

}  // namespace tarnvel::select
