// The function rows: a FoxPro function followed by "(" gets the dialect's name, and the edit of
// the row rewrites its argument list in the work copy. The scan then reads the edited list like
// any other text (or, for a call rebuilt whole, goes on after it).
#include "select/scanner.h"

#include "lex/classes.h"
#include "lex/cursor.h"
#include "lex/scan.h"
#include "select/host_variables.h"
#include "select/kind_table.h"

#include <array>
#include <string>

namespace tarnvel::select {

void Scanner::reserve_room(std::size_t room) {
    if (Text *sink = clauses_.current_sink()) sink->reserve(room);
}

// The pair index answers once a member's IIFs asked this many times without it, and once their
// searches for a ")" read as much text as the index would (so that an index the edits keep making
// forget costs no more than the searches it spares).
constexpr std::size_t iifs_before_index = 16;

std::size_t Scanner::iif_pair(std::size_t open) {
    const std::size_t reach = work_.take_reach();
    if (open >= work_.length() || work_.at(open) != '(') return PairIndex::none;
    const std::size_t pair = pairs_.find(open, work_.length(), reach);
    if (pair != PairIndex::none) return pair;
    if (unindexed_iifs_ < iifs_before_index) ++unindexed_iifs_;
    if (unindexed_iifs_ < iifs_before_index || unindexed_reading_ < work_.length() - open) return pair;
    unindexed_iifs_ = 0;
    unindexed_reading_ = 0;
    pairs_.build(text(), static_cast<std::size_t>(rel(open)), session_.source);
    return pairs_.find(open, work_.length(), WorkText::npos);
}

namespace {

constexpr lex::Stops comma_brace_or_group(",{(");

}  // namespace

// The first comma at the level of the IIF whose "(" is at 'open', as comma_after finds it. While the
// IIF's own pair is known (its edits so far were told to the pairs), so is every pair nested in it:
// a group at the IIF's level is passed by whole rather than read, as a condition holding a nest of
// IIFs would be at every level.
std::ptrdiff_t Scanner::iif_comma(std::size_t open, std::size_t pair) const {
    if (pair == PairIndex::none) return comma_after(open);
    const std::string_view text = this->text();
    const std::size_t base = work_.base(), length = work_.length();
    lex::Cursor cursor(text, static_cast<std::size_t>(rel(open)) + 1, session_.source);
    for (std::size_t at = cursor.find(comma_brace_or_group); at != lex::Cursor::npos;
         at = cursor.find(comma_brace_or_group)) {
        if (text[at] == ',') return static_cast<std::ptrdiff_t>(base + at);
        if (text[at] == '{') {  // a date literal's comma separates nothing
            const std::size_t brace = lex::date_literal_close(text, at);
            cursor.skip_to(brace == std::string_view::npos ? at + 1 : brace + 1);
            continue;
        }
        const std::size_t nested = cursor.depth() == 0 ? pairs_.find_nested(pair, base + at, length) : PairIndex::none;
        if (nested == PairIndex::none) {
            cursor.step();
            continue;
        }
        const std::ptrdiff_t close = pairs_.close(nested, length);
        if (close < 0) return -1;  // no comma at the level after a group the text never closes
        cursor.skip_to(static_cast<std::size_t>(rel(static_cast<std::size_t>(close))) + 1);
    }
    return -1;
}

// One handler an edit kind: each edits the call whose "(" is at 'open' in the work copy.
struct Scanner::FunctionEdits {
    using Handler = Verdict (*)(Scanner &, const FunctionRow &, std::size_t open);

    // The word becomes the row's name; the scan may go on at the "(" of the call.
    static Verdict named(Scanner &s, const FunctionRow &row, std::size_t open) {
        s.reserve_room(row.room);
        s.name_ = row.name;
        if (row.to_paren) {
            s.pos_ = open;
            s.moved_ = true;
        }
        return Verdict::keep;
    }

    static Verdict rename(Scanner &s, const FunctionRow &row, std::size_t open) {
        s.renamed_call_ = true;
        return named(s, row, open);
    }

    // The comma or ")" at 'at' of the IIF whose pair is 'pair' gives way to 'word'; the pairs nested
    // before it move (an edit beyond the pair leaves the IIF without it). The blanks after it go
    // with it, as the scan would collapse them after the word: the word stays where the IIF's CASE
    // expects it (iif_cases.cpp).
    static void iif_word(Scanner &s, const FunctionRow &row, std::size_t &pair, std::size_t at, std::string_view word) {
        std::size_t end = at + 1;
        while (end < s.work_.length() && lex::is_blank(s.work_.at(end))) ++end;
        const auto delta = static_cast<std::ptrdiff_t>(word.size()) - static_cast<std::ptrdiff_t>(end - at);
        if (pair != PairIndex::none && !s.pairs_.shift_before(pair, at, s.work_.length(), delta)) pair = PairIndex::none;
        s.work_.replace(at, end - at, word, row.message);
    }

    static std::ptrdiff_t searched_close(Scanner &s, std::size_t open) {
        const std::ptrdiff_t close = s.close_of(open);
        s.unindexed_reading_ += (close < 0 ? s.work_.length() : static_cast<std::size_t>(close)) - open;
        return close;
    }

    static Verdict iif(Scanner &s, const FunctionRow &row, std::size_t open) {
        WorkText &work = s.work_;
        std::size_t pair = s.iif_pair(open);
        std::ptrdiff_t comma = s.iif_comma(open, pair);
        if (comma >= 0) {
            work.grow_for(row.threshold, row.message);
            const auto then_at = static_cast<std::size_t>(comma) + 1;  // the word after the blank that replaces the comma
            iif_word(s, row, pair, static_cast<std::size_t>(comma), " THEN ");
            comma = s.iif_comma(open, pair);
            if (comma >= 0) {
                const auto else_at = static_cast<std::size_t>(comma) + 1;
                iif_word(s, row, pair, static_cast<std::size_t>(comma), " ELSE ");
                std::ptrdiff_t close = pair != PairIndex::none ? s.pairs_.close(pair, work.length()) : searched_close(s, open);
                if (close >= 0) {
                    iif_word(s, row, pair, static_cast<std::size_t>(close), " END ");
                    s.push_case();
                    s.push_iif_case(then_at, else_at, static_cast<std::size_t>(close) + 1);
                }
            }
        }
        work.set(open, ' ');
        if (pair != PairIndex::none) {
            s.pairs_.forget_through(pair);
            work.take_reach();  // the edits above were told to the pairs
        }
        return named(s, row, open);
    }

    // The text a template puts in the work copy, its date style filled in (read from the host once,
    // at the first call that needs it).
    static void insert_expanded(Scanner &s, const FunctionRow &row, std::size_t at, std::string_view part) {
        if (part.empty()) return;
        if (!templates::reads(part, 's')) {
            s.work_.insert(at, part, row.message);
            return;
        }
        std::string text;
        templates::for_each_piece(part, [&](std::string_view plain) { text += plain; },
                                  [&](char) { text.append(s.style_.data(), 3); });
        s.work_.insert(at, text, row.message);
    }

    // The template's text before "%*" right after the "(", the text after it at the closing
    // parenthesis (searched for in the arguments as written).
    static Verdict around(Scanner &s, const FunctionRow &row, std::size_t open) {
        const templates::Around parts = templates::around(row.rewrite.text);
        if (!s.style_read_ && templates::reads(row.rewrite.text, 's')) {
            s.style_ = read_dtoc_style(102);
            s.style_read_ = true;
        }
        const std::ptrdiff_t close = parts.after.empty() ? -1 : s.close_of(open);
        if (close < 0 && parts.before.empty()) return Verdict::keep;
        s.work_.grow_for(row.threshold, row.message);
        insert_expanded(s, row, open + 1, parts.before);
        if (close >= 0) insert_expanded(s, row, close + parts.before.size(), parts.after);
        return named(s, row, open);
    }

    static Verdict remove_arguments(Scanner &s, const FunctionRow &row, std::size_t open) {
        std::ptrdiff_t close = s.close_of(open);
        if (close < 0) return Verdict::keep;
        s.work_.erase(open, close + 1 - open);
        return named(s, row, open);
    }

    static Verdict extract(Scanner &s, const FunctionRow &row, std::size_t open) {
        s.work_.set(open, ' ');
        s.hold_ = 2;
        return named(s, row, open);
    }

    // --- the edits that rebuild the argument list from copies of the arguments, in built_

    static std::string_view grow_message(const FunctionRow &row) {
        return row.message.empty() ? std::string_view("Insufficient memory for ") : row.message;
    }

    static Text &emptied_built(Scanner &s, const FunctionRow &row) {
        if (!s.built_) s.built_ = Text::obtain(64, grow_message(row));
        s.built_.set_message(grow_message(row));
        s.built_.clear();
        return s.built_;
    }

    static std::string_view slice(const Scanner &s, std::size_t from, std::ptrdiff_t to) {
        return s.work_.slice(from, static_cast<std::size_t>(to) - from);
    }

    // The arguments give way to built_; the scan goes on at the "(".
    static Verdict replace_arguments(Scanner &s, const FunctionRow &row, std::size_t open, std::ptrdiff_t close) {
        s.work_.replace(open + 1, close - (open + 1), s.built_.view(), grow_message(row));
        s.reserve_room(row.room);
        s.name_ = row.name;
        s.pos_ = open;
        s.moved_ = true;
        return Verdict::keep;
    }

    // AT(a, b) as INSTR(b, a): the second argument runs to the parenthesis that closes the group
    // its comma stands in. With a third argument (AT's occurrence) the call stays as written.
    static Verdict swap_first(Scanner &s, const FunctionRow &row, std::size_t open) {
        const std::ptrdiff_t comma = s.comma_after(open);
        const std::ptrdiff_t close = comma < 0 ? -1 : s.close_of(comma);
        if (close < 0 || s.commas_beyond(static_cast<std::size_t>(comma), close, 1)) return Verdict::keep;
        Text &built = emptied_built(s, row);
        built.append(slice(s, comma + 1, close));
        built.append(",");
        built.append(slice(s, open + 1, comma));
        return replace_arguments(s, row, open, close);
    }

    // The arguments a template reads: their text, and which of them the call has.
    struct Arguments {
        std::array<std::string_view, 3> text{};
        std::array<bool, 3> given{};
        std::array<Buffer, 3> copies{};  // the rebuild_call's copies, which text points into

        // Whether argument n (from 1) may be written: given, or with a default; an argument the
        // main text reads and the call lacks leaves the call as written.
        static bool usable(const Template &t, int n, bool given) {
            return given || !t.defaults[n - 1].empty() || !templates::reads(t.text, static_cast<char>('0' + n));
        }
        // Cut from the work copy at the call's commas; the last argument the template reads runs to
        // the closing parenthesis. False when one the main text reads is missing.
        bool cut(const Scanner &s, const Template &t, std::size_t open, std::ptrdiff_t close) {
            const int last = templates::last_argument(t);
            std::size_t from = open + 1;
            for (int n = 1; n <= last; ++n) {
                const std::ptrdiff_t comma = n < last ? s.comma_after(from - 1) : -1;
                const bool ends_at_comma = comma >= 0 && comma < close;
                text[n - 1] = slice(s, from, ends_at_comma ? comma : close);
                given[n - 1] = true;
                if (!ends_at_comma) break;
                from = static_cast<std::size_t>(comma) + 1;
            }
            for (int n = 1; n <= last; ++n) {
                if (!usable(t, n, given[n - 1])) return false;
            }
            return true;
        }
        // Copied one by one, each to its own end, an empty one missing. False at the first the
        // main text reads that is missing.
        bool copied(const Scanner &s, const Template &t, std::size_t open) {
            for (int n = 1; n <= templates::last_argument(t); ++n) {
                copies[n - 1] = lex::nth_argument(s.text(), s.rel(open), n, s.session_.source);
                given[n - 1] = static_cast<bool>(copies[n - 1]);
                if (given[n - 1]) text[n - 1] = copies[n - 1].data();
                if (!usable(t, n, given[n - 1])) return false;
            }
            return true;
        }
        // The template's text with the arguments (or their defaults) in their slots, appended.
        void write(const Template &t, Text &sink) const {
            const auto plain = [&sink](std::string_view part) { sink.append(part); };
            const auto slot = [&](char c) {
                const auto n = static_cast<std::size_t>(c - '1');
                sink.append(given[n] ? text[n] : t.defaults[n]);
            };
            templates::for_each_piece(given[2] && !t.with_third.empty() ? t.with_third : t.text, plain, slot);
        }
    };

    // The argument list rebuilt from the template, in the work copy: the scan goes on at the "("
    // and reads it.
    static Verdict rebuild(Scanner &s, const FunctionRow &row, std::size_t open) {
        const std::ptrdiff_t close = s.close_of(open);
        Arguments arguments;
        if (close < 0 || !arguments.cut(s, row.rewrite, open, close)) return Verdict::keep;
        arguments.write(row.rewrite, emptied_built(s, row));
        return replace_arguments(s, row, open, close);
    }

    // The call rebuilt as name(template) gives way to the word, and the scan goes on after it.
    static Verdict rebuild_call(Scanner &s, const FunctionRow &row, std::size_t open) {
        const std::ptrdiff_t close = s.close_of(open);
        if (close < 0) return Verdict::keep;
        Text &built = emptied_built(s, row);
        Arguments arguments;
        if (!arguments.copied(s, row.rewrite, open)) return Verdict::keep;
        built.append(row.name);
        built.append("(");
        arguments.write(row.rewrite, built);
        built.append(")");
        s.work_.erase(s.pos_, close + 1 - s.pos_);
        s.reserve_room(built.size());
        s.name_ = built.view();
        s.moved_ = true;
        return Verdict::keep;
    }

    static constexpr KindTable<Edit, Handler, static_cast<std::size_t>(Edit::rebuild_call) + 1> table{
        {Edit::rename, rename},
        {Edit::iif, iif},
        {Edit::around, around},
        {Edit::remove_arguments, remove_arguments},
        {Edit::swap_first, swap_first},
        {Edit::extract, extract},
        {Edit::rebuild, rebuild},
        {Edit::rebuild_call, rebuild_call},
    };
    static_assert(table.complete(), "every edit kind has one handler");
};

// Whether 'commas' commas of the level stand after 'from' and before 'close' (from the call's "(":
// whether the call has more than 'commas' arguments).
bool Scanner::commas_beyond(std::size_t from, std::ptrdiff_t close, int commas) const {
    const std::string_view inside = text().substr(0, static_cast<std::size_t>(rel(static_cast<std::size_t>(close))));
    std::size_t at = static_cast<std::size_t>(rel(from));
    for (int n = 0; n < commas; ++n) {
        at = lex::find_at_level(inside, at + 1, ",", session_.source);
        if (at == std::string_view::npos) return false;
    }
    return true;
}

// Whether the call whose "(" is at 'open' has more than 'most' arguments: one reading of its
// arguments up to the comma after the last one allowed (most calls stop at their ")" at once).
bool Scanner::arguments_beyond(std::size_t open, int most) const {
    const std::string_view inside = text();
    std::size_t at = static_cast<std::size_t>(rel(open)) + 1;
    const auto plain = [](char c) {  // of a plain name or a qualified one, in ASCII
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
    };
    while (at < inside.size() && plain(inside[at])) ++at;  // ALLTRIM(name): one argument
    if (at < inside.size() && inside[at] == ')') return false;
    lex::Cursor cursor(inside, static_cast<std::size_t>(rel(open)) + 1, session_.source);
    for (int n = 0; n < most; ++n) {
        const std::size_t end = cursor.find(lex::argument_end);
        if (end == lex::Cursor::npos || inside[end] == ')') return false;
        cursor.step();
    }
    return true;
}

Scanner::Verdict Scanner::function_row(const FunctionRow &row) {
    if (!paren_follows()) return Verdict::keep;
    const std::size_t open = open_paren();
    if (row.most_arguments > 0 && arguments_beyond(open, row.most_arguments)) return Verdict::keep;
    anchor();
    return FunctionEdits::table[row.edit](*this, row, open);
}

}  // namespace tarnvel::select
