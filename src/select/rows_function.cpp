// The function rows: a FoxPro function followed by "(" gets the dialect's name, and the edit of
// the row rewrites its argument list in the work copy. The scan then reads the edited list like
// any other text (or, for a call rebuilt whole, goes on after it).
#include "select/scanner.h"

#include "lex/scan.h"
#include "select/host_variables.h"
#include "select/kind_table.h"

#include <initializer_list>

namespace tarnvel::select {

void Scanner::reserve_room(std::size_t room) {
    if (Text *sink = clauses_.current_sink()) sink->reserve(room);
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

    static Verdict rename(Scanner &s, const FunctionRow &row, std::size_t open) { return named(s, row, open); }

    static Verdict iif(Scanner &s, const FunctionRow &row, std::size_t open) {
        WorkText &work = s.work_;
        std::ptrdiff_t comma = s.comma_after(open);
        if (comma >= 0) {
            work.grow_for(row.threshold, row.message);
            work.replace(comma, 1, " THEN ", row.message);
            comma = s.comma_after(open);
            if (comma >= 0) {
                work.replace(comma, 1, " ELSE ", row.message);
                std::ptrdiff_t close = s.close_of(open);
                if (close >= 0) {
                    work.replace(close, 1, " END ", row.message);
                    s.push_case();
                }
            }
        }
        work.set(open, ' ');
        return named(s, row, open);
    }

    // 'text' inserted at the closing parenthesis, or 'past' characters after it; an unclosed call
    // stays as written.
    static Verdict insert_at_close(Scanner &s, const FunctionRow &row, std::size_t open, std::string_view text,
                                   std::size_t past = 0) {
        std::ptrdiff_t close = s.close_of(open);
        if (close < 0) return Verdict::keep;
        s.work_.grow_for(row.threshold, row.message);
        s.work_.insert(close + past, text, row.message);
        return named(s, row, open);
    }

    static Verdict close_twice(Scanner &s, const FunctionRow &row, std::size_t open) {
        return insert_at_close(s, row, open, ")");
    }

    static Verdict close_after(Scanner &s, const FunctionRow &row, std::size_t open) {
        return insert_at_close(s, row, open, ")", 1);
    }

    static Verdict insert_before_close(Scanner &s, const FunctionRow &row, std::size_t open) {
        return insert_at_close(s, row, open, row.fragment);
    }

    static void insert_fragment(Scanner &s, const FunctionRow &row, std::size_t open) {
        s.work_.grow_for(row.threshold, row.message);
        s.work_.insert(open + 1, row.fragment, row.message);
    }

    static Verdict insert_after_open(Scanner &s, const FunctionRow &row, std::size_t open) {
        insert_fragment(s, row, open);
        return named(s, row, open);
    }

    static Verdict ttod_convert(Scanner &s, const FunctionRow &row, std::size_t open) {
        insert_fragment(s, row, open);
        std::ptrdiff_t close = s.close_of(open + 1 + 23);  // from the "f" of float: its own "(" are passed
        if (close >= 0) s.work_.insert(close, "))", row.message);
        return named(s, row, open);
    }

    static Verdict dtoc_style(Scanner &s, const FunctionRow &row, std::size_t open) {
        if (!s.style_read_) {
            s.style_ = read_dtoc_style(102);
            s.style_read_ = true;
        }
        insert_fragment(s, row, open);
        std::ptrdiff_t close = s.close_of(open);
        if (close >= 0) {
            char style[4] = {',', s.style_[0], s.style_[1], s.style_[2]};
            s.work_.insert(close, std::string_view(style, 4), row.message);
        }
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
    struct Call {
        std::size_t open;
        std::ptrdiff_t comma, close;  // the first comma, the closing parenthesis
    };

    static std::string_view grow_message(const FunctionRow &row) {
        return row.message.empty() ? std::string_view("Insufficient memory for ") : row.message;
    }

    // The call's first comma and closing parenthesis (of the second argument for AT), built_
    // emptied; false when the call has not the arguments the edit reads.
    static bool begin_rebuild(Scanner &s, const FunctionRow &row, std::size_t open, Call &call) {
        call = {open, s.comma_after(open), s.close_of(open)};
        if (row.edit == Edit::swap_first && call.comma >= 0) call.close = s.close_of(call.comma);
        if (call.close < 0 || (row.edit != Edit::format_call && (call.comma < 0 || call.comma > call.close))) return false;
        if (!s.built_) s.built_ = Text::obtain(64, grow_message(row));
        s.built_.set_message(grow_message(row));
        s.built_.clear();
        return true;
    }

    static std::string_view slice(const Scanner &s, std::size_t from, std::ptrdiff_t to) {
        return s.work_.slice(from, static_cast<std::size_t>(to) - from);
    }

    static void append_all(Text &sink, std::initializer_list<std::string_view> parts) {
        for (std::string_view part : parts) sink.append(part);
    }

    // The arguments give way to built_; the scan goes on at the "(".
    static Verdict replace_arguments(Scanner &s, const FunctionRow &row, const Call &call, Verdict verdict) {
        s.work_.replace(call.open + 1, call.close - (call.open + 1), s.built_.view(), grow_message(row));
        s.reserve_room(row.room);
        s.name_ = row.name;
        s.pos_ = call.open;
        s.moved_ = true;
        return verdict;
    }

    static Verdict swap_first(Scanner &s, const FunctionRow &row, std::size_t open) {  // AT(a, b) as INSTR(b, a)
        Call call;
        if (!begin_rebuild(s, row, open, call)) return Verdict::keep;
        append_all(s.built_, {slice(s, call.comma + 1, call.close), ",", slice(s, open + 1, call.comma)});
        return replace_arguments(s, row, call, Verdict::keep);
    }

    // PADR(a, n) as IIF(Len(a)>n,Left(a,n),a+Space(n-Len(a))); PADL mirrored; PADR(a, n, c):
    // String(n-Len(a),c) pads.
    static Verdict pad(Scanner &s, const FunctionRow &row, std::size_t open) {
        Call call;
        if (!begin_rebuild(s, row, open, call)) return Verdict::keep;
        std::string_view a = slice(s, open + 1, call.comma);
        std::ptrdiff_t second = s.comma_after(static_cast<std::size_t>(call.comma));
        const bool filled = second > call.comma && second < call.close;
        std::string_view n = slice(s, call.comma + 1, filled ? second : call.close);
        std::string_view fill = filled ? slice(s, second + 1, call.close) : std::string_view{};
        bool right = row.fragment == "Right";
        Text &built = s.built_;
        append_all(built, {"Len(", a, ")>", n, right ? ",Right(" : ",Left(", a, ",", n, "),"});
        if (!right) append_all(built, {a, "+"});
        append_all(built, {filled ? "String(" : "Space(", n, "-Len(", a, ")"});
        if (filled) append_all(built, {",", fill});
        built.push(')');
        if (right) append_all(built, {"+", a});
        return replace_arguments(s, row, call, Verdict::keep);
    }

    static Verdict remainder(Scanner &s, const FunctionRow &row, std::size_t open) {
        // MOD(a, b) as ((a)-(b)*INT((a)/(b))): FoxPro's remainder
        Call call;
        if (!begin_rebuild(s, row, open, call)) return Verdict::keep;
        std::string_view a = slice(s, open + 1, call.comma);
        std::string_view b = slice(s, call.comma + 1, call.close);
        append_all(s.built_, {"(", a, ")-(", b, ")*INT((", a, ")/(", b, "))"});
        return replace_arguments(s, row, call, Verdict::drop);
    }

    // STR(x, n, d) as LPAD(TRIM(FORMAT(x,d)),n,' '), arguments as written: the call gives way to it
    // whole, and the scan goes on after it.
    static Verdict format_call(Scanner &s, const FunctionRow &row, std::size_t open) {
        Call call;
        if (!begin_rebuild(s, row, open, call)) return Verdict::keep;
        std::string_view t = s.text();
        const lex::Pos at = s.rel(open);
        Buffer x = lex::nth_argument(t, at, 1, s.session_.source);
        if (!x) return Verdict::keep;
        Buffer n = lex::nth_argument(t, at, 2, s.session_.source);
        Buffer d = lex::nth_argument(t, at, 3, s.session_.source);
        append_all(s.built_, {row.name, "(TRIM(FORMAT(", x.data(), ",", d ? std::string_view(d.data()) : "0", ")),",
                              n ? std::string_view(n.data()) : "10", ",' ')"});
        s.work_.erase(s.pos_, call.close + 1 - s.pos_);
        s.reserve_room(s.built_.size());
        s.name_ = s.built_.view();
        s.moved_ = true;
        return Verdict::keep;
    }

    static constexpr KindTable<Edit, Handler, static_cast<std::size_t>(Edit::remainder) + 1> table{
        {Edit::rename, rename},
        {Edit::iif, iif},
        {Edit::close_twice, close_twice},
        {Edit::insert_after_open, insert_after_open},
        {Edit::ttod_convert, ttod_convert},
        {Edit::dtoc_style, dtoc_style},
        {Edit::remove_arguments, remove_arguments},
        {Edit::swap_first, swap_first},
        {Edit::close_after, close_after},
        {Edit::extract, extract},
        {Edit::insert_before_close, insert_before_close},
        {Edit::format_call, format_call},
        {Edit::pad, pad},
        {Edit::remainder, remainder},
    };
    static_assert(table.complete(), "every edit kind has one handler");
};

Scanner::Verdict Scanner::function_row(const FunctionRow &row) {
    if (!paren_follows()) return Verdict::keep;
    const std::size_t open = open_paren();
    anchor();
    return FunctionEdits::table[row.edit](*this, row, open);
}

}  // namespace tarnvel::select
