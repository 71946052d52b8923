// The function rows: a FoxPro function followed by "(" gets the dialect's name, and the edit of
// the row rewrites its argument list in the work copy. The scan then reads the edited list like
// any other text (or, for a call rebuilt whole, goes on after it).
#include "select/scanner.h"

#include "lex/scan.h"
#include "select/host_variables.h"

namespace tarnvel::select {

void Scanner::reserve_room(std::size_t room) {
    if (Sink *sink = clauses_.current_sink()) sink->reserve(room);
}

Scanner::Verdict Scanner::function_row(const FunctionRow &row) {
    if (!paren_follows()) return Verdict::keep;
    const std::size_t open = open_paren();
    anchor();
    switch (row.edit) {
    case Edit::rename:
        break;
    case Edit::iif: {
        std::ptrdiff_t comma = comma_after(open);
        if (comma >= 0) {
            work_.grow_for(row.threshold, row.message);
            work_.replace(comma, 1, " THEN ", row.message);
            comma = comma_after(open);
            if (comma >= 0) {
                work_.replace(comma, 1, " ELSE ", row.message);
                std::ptrdiff_t close = close_of(open);
                if (close >= 0) {
                    work_.replace(close, 1, " END ", row.message);
                    push_case();
                }
            }
        }
        work_.set(open, ' ');
        break;
    }
    case Edit::close_twice: {
        std::ptrdiff_t close = close_of(open);
        if (close < 0) return Verdict::keep;
        work_.grow_for(row.threshold, row.message);
        work_.insert(close, ")", row.message);
        break;
    }
    case Edit::insert_after_open:
        work_.grow_for(row.threshold, row.message);
        work_.insert(open + 1, row.fragment, row.message);
        break;
    case Edit::ttod_convert: {
        work_.grow_for(row.threshold, row.message);
        work_.insert(open + 1, row.fragment, row.message);
        std::ptrdiff_t close = close_of(open + 1 + 23);  // from the "f" of float: its own "(" are passed
        if (close >= 0) work_.insert(close, "))", row.message);
        break;
    }
    case Edit::dtoc_style: {
        if (!style_read_) {
            style_ = read_dtoc_style(102);
            style_read_ = true;
        }
        work_.grow_for(row.threshold, row.message);
        work_.insert(open + 1, row.fragment, row.message);
        std::ptrdiff_t close = close_of(open);
        if (close >= 0) {
            char style[4] = {',', style_[0], style_[1], style_[2]};
            work_.insert(close, std::string_view(style, 4), row.message);
        }
        break;
    }
    case Edit::remove_arguments: {
        std::ptrdiff_t close = close_of(open);
        if (close < 0) return Verdict::keep;
        work_.erase(open, close + 1 - open);
        break;
    }
    case Edit::close_after: {
        std::ptrdiff_t close = close_of(open);
        if (close < 0) return Verdict::keep;
        work_.grow_for(row.threshold, row.message);
        work_.insert(close + 1, ")", row.message);
        break;
    }
    case Edit::extract:
        work_.set(open, ' ');
        hold_ = 2;
        break;
    case Edit::insert_before_close: {
        std::ptrdiff_t close = close_of(open);
        if (close < 0) return Verdict::keep;
        work_.grow_for(row.threshold, row.message);
        work_.insert(close, row.fragment, row.message);
        break;
    }
    case Edit::swap_first:
    case Edit::pad:
    case Edit::remainder:
    case Edit::format_call:
        return rebuild_arguments(row, open);
    }
    reserve_room(row.room);
    name_ = row.name;
    if (row.to_paren) {
        pos_ = open;
        moved_ = true;
    }
    return Verdict::keep;
}

// The rows that rebuild the argument list from copies of the arguments.
Scanner::Verdict Scanner::rebuild_arguments(const FunctionRow &row, std::size_t open) {
    std::ptrdiff_t comma = comma_after(open);
    std::ptrdiff_t close = close_of(open);
    if (row.edit == Edit::swap_first && comma >= 0) close = close_of(comma);
    if (close < 0 || (row.edit != Edit::format_call && (comma < 0 || comma > close))) return Verdict::keep;
    std::string_view grow = row.message.empty() ? std::string_view("Insufficient memory for ") : row.message;
    if (!built_) built_ = Sink::obtain(64, grow);
    built_.set_message(grow);
    built_.clear();
    auto arg = [&](std::size_t from, std::size_t to) { return work_.slice(from, to - from); };
    std::size_t args_from = open + 1;
    std::size_t args_to = close;
    switch (row.edit) {
    case Edit::swap_first: {  // AT(a, b) as INSTR(b, a)
        std::string_view first = arg(open + 1, comma);
        built_.append(arg(comma + 1, close));
        built_.push(',');
        built_.append(first);
        break;
    }
    case Edit::pad: {  // PADR(a, n) as IIF(Len(a)>n,Left(a,n),a+Space(n-Len(a))); PADL mirrored
        std::string_view a = arg(open + 1, comma);
        // PADR(a, n, c): String(n-Len(a),c) pads
        std::ptrdiff_t second = comma_after(static_cast<std::size_t>(comma));
        const bool filled = second > comma && second < close;
        std::string_view n = arg(comma + 1, filled ? second : close);
        std::string_view fill = filled ? arg(second + 1, close) : std::string_view{};
        bool right = row.fragment == "Right";
        for (std::string_view part : {std::string_view("Len("), a, std::string_view(")>"), n,
                                      right ? std::string_view(",Right(") : std::string_view(",Left("), a,
                                      std::string_view(","), n, std::string_view("),")}) {
            built_.append(part);
        }
        if (!right) {
            built_.append(a);
            built_.push('+');
        }
        for (std::string_view part : {filled ? std::string_view("String(") : std::string_view("Space("), n,
                                      std::string_view("-Len("), a, std::string_view(")")}) {
            built_.append(part);
        }
        if (filled) {
            built_.push(',');
            built_.append(fill);
        }
        built_.push(')');
        if (right) {
            built_.push('+');
            built_.append(a);
        }
        break;
    }
    case Edit::remainder: {  // MOD(a, b) as ((a)-(b)*INT((a)/(b))): FoxPro's remainder
        std::string_view a = arg(open + 1, comma);
        std::string_view b = arg(comma + 1, close);
        for (std::string_view part : {std::string_view("("), a, std::string_view(")-("), b,
                                      std::string_view(")*INT(("), a, std::string_view(")/("), b,
                                      std::string_view("))")}) {
            built_.append(part);
        }
        break;
    }
    case Edit::format_call: {  // STR(x, n, d) as LPAD(TRIM(FORMAT(x,d)),n,' '), arguments as written
        std::string_view t = text();
        Buffer x = lex::nth_argument(t, rel(open), 1, session_.source);
        if (!x) return Verdict::keep;
        Buffer n = lex::nth_argument(t, rel(open), 2, session_.source);
        Buffer d = lex::nth_argument(t, rel(open), 3, session_.source);
        built_.append(row.name);
        built_.append("(TRIM(FORMAT(");
        built_.append(x.data());
        built_.push(',');
        built_.append(d ? std::string_view(d.data()) : std::string_view("0"));
        built_.append(")),");
        built_.append(n ? std::string_view(n.data()) : std::string_view("10"));
        built_.append(",' ')");
        work_.erase(pos_, close + 1 - pos_);
        reserve_room(built_.size());
        name_ = built_.view();
        moved_ = true;
        return Verdict::keep;
    }
    default:
        break;
    }
    work_.replace(args_from, args_to - args_from, built_.view(), grow);
    reserve_room(row.room);
    name_ = row.name;
    pos_ = open;
    moved_ = true;
    return row.edit == Edit::remainder ? Verdict::drop : Verdict::keep;
}

}  // namespace tarnvel::select
