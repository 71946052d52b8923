#include "select/join_nesting.h"

#include "lex/classes.h"
#include "lex/cursor.h"
#include "lex/scan.h"
#include "select/literals.h"

#include <array>

namespace tarnvel::select {
namespace {

// A join keyword or ON of the table list, at parenthesis depth zero.
struct Mark {
    enum Kind : std::uint8_t { join, on, comma } kind;
    std::size_t from, to;  // the words (INNER JOIN, LEFT OUTER JOIN, ON) or the comma
};

constexpr std::size_t most_marks = 64;  // a longer table list is left as written

struct Marks {
    std::array<Mark, most_marks> at{};
    std::size_t count = 0;
};

// The joins, ONs and commas of the table list at depth zero; false when there are too many.
bool read_marks(std::string_view text, const lex::Alphabet &letters, const lex::LiteralRules &rules, Marks &marks) {
    int depth = 0;
    std::size_t phrase = std::string_view::npos;  // where INNER, LEFT, RIGHT, FULL, OUTER began
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const auto run_end = static_cast<std::size_t>(lex::quoted_run_end(text, static_cast<lex::Pos>(i), rules));
        if (run_end != i) {
            i = run_end + 1;
            phrase = std::string_view::npos;
            continue;
        }
        if (c == '(' || c == ')') {
            depth += c == '(' ? 1 : -1;
            ++i;
            phrase = std::string_view::npos;
            continue;
        }
        if (!lex::is_item_char(letters, c)) {
            if (depth == 0 && c == ',') {
                if (marks.count == most_marks) return false;
                marks.at[marks.count++] = {Mark::comma, i, i + 1};
            }
            if (!lex::is_blank(c)) phrase = std::string_view::npos;
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && lex::is_item_char(letters, text[end])) ++end;
        const std::string_view word = text.substr(i, end - i);
        const bool after_name = i > 0 && !lex::is_blank(text[i - 1]);
        if (depth == 0 && !after_name) {
            if (letters.is_upper_word(word, "JOIN") || letters.is_upper_word(word, "ON")) {
                if (marks.count == most_marks) return false;
                const bool join = word.size() == 4;
                marks.at[marks.count++] = {join ? Mark::join : Mark::on, join && phrase != std::string_view::npos ? phrase : i, end};
                phrase = std::string_view::npos;
            } else if (letters.is_upper_word(word, "INNER") || letters.is_upper_word(word, "LEFT") ||
                       letters.is_upper_word(word, "RIGHT") || letters.is_upper_word(word, "FULL") ||
                       letters.is_upper_word(word, "OUTER")) {
                if (phrase == std::string_view::npos) phrase = i;
            } else {
                phrase = std::string_view::npos;
            }
        }
        i = end;
    }
    return true;
}

// Whether the condition compares a column of 'name' (name.col = x, x < name.col) where nothing can
// let a NULL there pass: no OR, NOT or CASE in it, and the comparison outside every parenthesis and
// literal (an IIF(b.k > 0, 1, 0) = c.k or a COALESCE can turn the NULL into a value that matches).
bool compares(std::string_view condition, std::string_view name, const lex::Alphabet &letters,
              const lex::LiteralRules &rules) {
    auto comparison = [](char c) { return c == '=' || c == '<' || c == '>'; };
    bool compared = false;
    for (lex::Cursor cursor(condition, 0, rules); !cursor.done();) {
        const std::size_t at = cursor.at();
        if (!lex::is_item_char(letters, condition[at])) {
            cursor.step();
            continue;
        }
        std::size_t end = at;
        while (end < condition.size() && lex::is_item_char(letters, condition[end])) ++end;
        cursor.skip_to(end);
        const std::string_view word = condition.substr(at, end - at);
        if (word == "OR" || word == "NOT" || word == "CASE") return false;
        if (compared || cursor.depth() != 0 || word.size() <= name.size() + 1 || !word.starts_with(name) ||
            word[name.size()] != '.')
            continue;
        std::size_t before = at, after = end;
        while (before > 0 && lex::is_blank(condition[before - 1])) --before;
        while (after < condition.size() && lex::is_blank(condition[after])) ++after;
        compared = (before > 0 && comparison(condition[before - 1])) ||
                   (after < condition.size() && comparison(condition[after]));
    }
    return compared;
}

// The name that stands for a join's right operand (its alias, else its table), or empty where the
// operand is no single table.
std::string_view operand_name(std::string_view operand, const lex::Alphabet &letters) {
    operand = lex::trimmed(operand);
    const std::size_t blank = operand.rfind(' ');
    const std::string_view name = blank == std::string_view::npos ? operand : operand.substr(blank + 1);
    for (char c : operand) {
        if (c == '(' || c == ')') return {};
    }
    for (char c : name) {
        if (!lex::is_name_char(letters, c)) return {};
    }
    return name;
}

// In a flat chain of INNER and LEFT joins, a LEFT JOIN whose right table a later INNER JOIN's
// condition compares loses its unmatched rows there anyway: it is an INNER JOIN, the same rows in
// a form Access takes (it refuses an inner join on the right table of an outer join). True with
// the text in 'out' when one was so written.
bool inner_reach(std::string_view from, const Marks &marks, const lex::Alphabet &letters, const lex::LiteralRules &rules,
                 std::string &out) {
    if (marks.count < 4 || marks.count % 2 != 0) return false;
    std::array<bool, most_marks> left{}, made_inner{};
    std::array<std::string_view, most_marks> names{};
    bool any = false;
    for (std::size_t m = 0; m < marks.count; m += 2) {
        if (marks.at[m].kind != Mark::join || marks.at[m + 1].kind != Mark::on) return false;
        const std::string_view words = from.substr(marks.at[m].from, marks.at[m].to - marks.at[m].from);
        left[m] = words.starts_with("LEFT");
        if (!left[m] && !words.starts_with("INNER") && words != "JOIN") return false;
        names[m] = operand_name(from.substr(marks.at[m].to, marks.at[m + 1].from - marks.at[m].to), letters);
        if (left[m]) continue;
        const std::size_t end = m + 2 < marks.count ? marks.at[m + 2].from : from.size();
        const std::string_view condition = from.substr(marks.at[m + 1].to, end - marks.at[m + 1].to);
        for (std::size_t j = 0; j < m; j += 2) {
            if (left[j] && !made_inner[j] && !names[j].empty() && compares(condition, names[j], letters, rules)) {
                made_inner[j] = any = true;
            }
        }
    }
    if (!any) return false;
    out.clear();
    std::size_t copied = 0;
    for (std::size_t m = 0; m < marks.count; m += 2) {
        if (!made_inner[m]) continue;
        out.append(from.substr(copied, marks.at[m].from - copied));
        out.append("INNER JOIN");
        copied = marks.at[m].to;
    }
    out.append(from.substr(copied));
    return true;
}

// Reads one item of the table list as joins: an operand (a table, or a table joined in FoxPro's
// nested form, a JOIN b JOIN c ON y ON x), then joins to the left, each with its ON. Every join
// found is remembered by where its text begins and where its condition ends.
class JoinReader {
public:
    JoinReader(std::string_view text, const Marks &marks, std::size_t first, std::size_t last, std::size_t item_end)
        : text_(text), marks_(marks), next_(first), last_(last), item_end_(item_end) {}

    struct Join {
        std::size_t from, to;
    };
    std::array<Join, most_marks> joins{};
    std::size_t count = 0;

    // The item from 'start': true when it reads as joins, each with its ON, to its end.
    bool read(std::size_t start) {
        if (!operand(start)) return false;
        while (next_ < last_ && marks_.at[next_].kind == Mark::join) {
            if (!join(start)) return false;
        }
        return next_ == last_;
    }

private:
    // A table, with the joins of FoxPro's nested form that follow it before an ON.
    bool operand(std::size_t start) {
        while (next_ < last_ && marks_.at[next_].kind == Mark::join) {
            if (!join(start)) return false;
        }
        return true;
    }

    // JOIN, its right operand, ON and the condition, to the next mark of the item or its end.
    bool join(std::size_t start) {
        std::size_t right = marks_.at[next_++].to;
        while (right < item_end_ && lex::is_blank(text_[right])) ++right;
        if (!operand(right)) return false;
        if (next_ >= last_ || marks_.at[next_].kind != Mark::on) return false;
        ++next_;
        std::size_t end = next_ < last_ ? marks_.at[next_].from : item_end_;
        while (end > start && lex::is_blank(text_[end - 1])) --end;
        joins[count++] = {start, end};
        return true;
    }

    std::string_view text_;
    const Marks &marks_;
    std::size_t next_, last_, item_end_;
};

// Whether JOIN stands twice in the text (the dialect writes every keyword in upper case).
bool two_joins(std::string_view text) {
    const std::size_t first = text.find("JOIN");
    return first != std::string_view::npos && text.find("JOIN", first + 4) != std::string_view::npos;
}

// Where the parentheses go in a FROM clause's text.
struct Nesting {
    std::array<std::size_t, most_marks> opens{}, closes{};
    std::size_t count = 0;
};

bool plan(std::string_view from, const Session &session, Nesting &nesting) {
    if (!two_joins(from)) return false;  // most members
    const lex::LiteralRules rules = clause_literals(session.dialect);
    Marks marks;
    if (!read_marks(from, session.letters, rules, marks)) return false;
    std::size_t first = 0;
    for (std::size_t m = 0; m <= marks.count; ++m) {
        if (m < marks.count && marks.at[m].kind != Mark::comma) continue;
        // an item: from after FROM (or the comma) to the next comma (or the end)
        std::size_t start = first == 0 ? 0 : marks.at[first - 1].to;
        if (first == 0) {
            const std::size_t keyword = from.find_first_not_of(' ');
            start = keyword == std::string_view::npos ? from.size() : keyword + 4;  // past FROM
        }
        while (start < from.size() && lex::is_blank(from[start])) ++start;
        const std::size_t item_end = m < marks.count ? marks.at[m].from : from.size();
        JoinReader reader(from, marks, first, m, item_end);
        if (m - first >= 4 && reader.read(start) && reader.count >= 2) {
            // the outermost join is the one read last; every other stands in parentheses
            for (std::size_t j = 0; j + 1 < reader.count; ++j) {
                nesting.opens[nesting.count] = reader.joins[j].from;
                nesting.closes[nesting.count++] = reader.joins[j].to;
            }
        }
        first = m + 1;
    }
    return nesting.count > 0;
}

template <class Sink> void write_nested(std::string_view from, const Nesting &nesting, Sink &out) {
    for (std::size_t i = 0; i <= from.size(); ++i) {
        for (std::size_t c = 0; c < nesting.count; ++c) {
            if (nesting.closes[c] == i) out.push_back(')');
        }
        for (std::size_t o = nesting.count; o > 0; --o) {
            if (nesting.opens[o - 1] == i) out.push_back('(');
        }
        if (i < from.size()) out.push_back(from[i]);
    }
}

struct TextSink {
    Text &text;
    void push_back(char c) { text.push(c); }
};

}  // namespace

bool nest_joins(const Session &session, std::string_view from, std::string &out) {
    Nesting nesting;
    if (!plan(from, session, nesting)) return false;
    out.clear();
    write_nested(from, nesting, out);
    return true;
}

void join_nesting_pass(Session &session, Clauses &clauses) {
    std::string_view from = clauses.from().view();
    std::string inner;
    Marks marks;
    const std::size_t first_join = from.find(" LEFT ");
    if (first_join != std::string_view::npos && from.find(" JOIN ", first_join + 10) != std::string_view::npos &&
        read_marks(from, session.letters, clause_literals(session.dialect), marks) &&
        inner_reach(from, marks, session.letters, clause_literals(session.dialect), inner)) {
        Text written = Text::obtain(inner.size() + 1, "Insufficient memory for FROM");
        written.append(inner);
        clauses.from() = std::move(written);
        from = clauses.from().view();
    }
    Nesting nesting;
    if (!plan(from, session, nesting)) return;
    Text out = Text::obtain(from.size() + 2 * nesting.count + 1, "Insufficient memory for FROM");
    TextSink sink{out};
    write_nested(from, nesting, sink);
    clauses.from() = std::move(out);
}

}  // namespace tarnvel::select
