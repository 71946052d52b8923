#include "variables/finder.h"

#include "variables/fetch.h"
#include "variables/literals.h"
#include "variables/reference.h"
#include "variables/rewriter.h"

#include <cstdint>
#include <limits>

namespace tarnvel::variables {
namespace {

constexpr std::string_view next_operation = "Insufficient memory for next operation";
constexpr std::string_view next_value = "Insufficient memory for next value";
constexpr const char memo_field_message[] = "MessageBox([Memo field size too large ! Data was lost !],55,[!],70000)";
constexpr std::size_t longest_text_value = 64000;
constexpr std::size_t unknown = std::numeric_limits<std::size_t>::max();

// A buffer of the call, obtained at its start; failing to get one ends the call.
Text call_buffer(std::size_t size) {
    Buffer buffer = Buffer::try_obtain(size);
    if (!buffer) host::user_error(next_operation);
    return Text(std::move(buffer), next_operation);
}

// Finds the markers outside the dialect's strings. A string without its closing character is no
// string: its opening character is an ordinary one.
class MarkerScan {
public:
    explicit MarkerScan(const Dialect &dialect) : dialect_(dialect) {}

    // The index in 'rest' of the next marker, or npos. 'consumed' is where 'rest' starts in the
    // original command.
    std::size_t next(std::string_view rest, std::size_t consumed) {
        for (std::size_t i = 0; i < rest.size(); ++i) {
            char c = rest[i];
            if (c == '~') return i;
            for (int k = 0; k < dialect_.string_count; ++k) {
                if (c != dialect_.strings[k].open) continue;
                std::size_t close = closing(rest, i + 1, consumed, k);
                if (close != std::string_view::npos) i = close;
                break;
            }
        }
        return std::string_view::npos;
    }

private:
    std::size_t closing(std::string_view rest, std::size_t from, std::size_t consumed, int k) {
        // Once a search from some point found no closing character, none later can find one.
        if (consumed + from >= no_close_from_[k]) return std::string_view::npos;
        const SkippedString &kind = dialect_.strings[k];
        for (std::size_t j = from; j < rest.size(); ++j) {
            if (rest[j] != kind.close) continue;
            if (kind.doubled_close_stays && j + 1 < rest.size() && rest[j + 1] == kind.close) {
                ++j;
                continue;
            }
            return j;
        }
        no_close_from_[k] = consumed + from;
        return std::string_view::npos;
    }

    const Dialect &dialect_;
    std::size_t no_close_from_[2] = {unknown, unknown};
};

bool outside_parameter_range(const FetchedValue &fetched, const Dialect &dialect) {
    if (fetched.value.type != 'D' && fetched.value.type != 'T') return false;
    std::int64_t day = whole_day(fetched.value.real);
    return day < dialect.parameter_first_day || day > dialect.parameter_last_day;
}

void build_literal(Text &literal, const FetchedValue &fetched, const Dialect &dialect, bool before_as) {
    const Value &value = fetched.value;
    switch (value.type) {
        case '0': literal.append("NULL"); break;
        case 'B': case 'F': case 'N': append_number(literal, value.real, value.length); break;
        case 'I': append_number(literal, value.integer, 0); break;
        case 'L':
            if (before_as && dialect.bit_cast) {
                literal.append(value.length != 0 ? "cast (1 as bit)" : "cast (0 as bit)");
            } else {
                literal.append(value.length != 0 ? dialect.true_literal : dialect.false_literal);
            }
            break;
        case 'C': case 'G': case 'Q': case 'V': case 'W':
            if (fetched.bytes().size() > longest_text_value) {
                host::execute(memo_field_message);
                literal.append("''");
            } else {
                append_string(literal, fetched.bytes());
            }
            break;
        case 'Y': append_currency(literal, value.currency, dialect.currency_prefix); break;
        case 'D': append_date(literal, value.real, false, dialect.dates); break;
        case 'T': append_date(literal, value.real, true, dialect.dates); break;
        default: break;  // a type with no literal: the reference is removed
    }
}

}  // namespace

void find_variables(Text &command, bool literals, const Dialect &dialect) {
    const lex::Alphabet &alphabet = lex::Alphabet::current();
    Text literal = call_buffer(100);
    Text reference = call_buffer(256);
    Rewriter rewriter(command, next_value);
    MarkerScan markers(dialect);

    for (;;) {
        std::size_t marker = markers.next(rewriter.rest(), rewriter.consumed());
        if (marker == std::string_view::npos) break;
        rewriter.keep(marker);
        if (!literals && !dialect.fetch_parameters) {
            rewriter.drop(1);
            rewriter.emit("?");
            continue;
        }

        std::string_view rest = rewriter.rest();
        Reference ref = read_reference(rest, alphabet);
        reference.clear();
        reference.append(ref.text);
        FetchedValue fetched = fetch_value(reference, ref.form != Form::delimited, alphabet);

        if (!literals && !outside_parameter_range(fetched, dialect)) {
            rewriter.drop(1);
            rewriter.emit("?");
            continue;
        }
        literal.clear();
        build_literal(literal, fetched, dialect, followed_by_as_word(rest, ref.span));
        fetched.text.reset();
        rewriter.drop(ref.span);
        rewriter.emit(literal.view());
    }
    rewriter.finish();
}

}  // namespace tarnvel::variables
