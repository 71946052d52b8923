#include "utilities/table_finder.h"

#include "lex/letters.h"
#include "variables/fetch.h"
#include "variables/rewriter.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace tarnvel::utilities {
namespace {

constexpr std::string_view grow_message = "Insufficient memory for table name";
constexpr std::size_t unknown = std::numeric_limits<std::size_t>::max();

enum class Source { dbf_tables, ms_sql, other };

// Which element of which table-name array names the table.
struct Lookup {
    Source source;
    bool automation;
};

// Finds the next ".." outside single-quoted strings. A quote preceded by a backslash opens no
// string; a quote without a closing one is an ordinary character.
class ReferenceScan {
public:
    std::size_t next(const variables::Rewriter &rewriter) {
        std::string_view rest = rewriter.rest();
        const std::size_t consumed = rewriter.consumed();
        for (std::size_t i = 0; i + 1 < rest.size(); ++i) {
            char c = rest[i];
            if (c == '.' && rest[i + 1] == '.') return i;
            if (c != '\'') continue;
            char before = i > 0 ? rest[i - 1] : rewriter.last_written();
            if (before == '\\' || consumed + i + 1 >= no_close_from_) continue;
            std::size_t close = rest.find('\'', i + 1);
            if (close == std::string_view::npos) {
                no_close_from_ = consumed + i + 1;
            } else {
                i = close;
            }
        }
        return std::string_view::npos;
    }

private:
    std::size_t no_close_from_ = unknown;
};

std::size_t name_length(std::string_view text, const lex::Alphabet &alphabet) {
    std::size_t n = 0;
    while (n < text.size()) {
        char c = text[n];
        if (!(alphabet.letter(c) || (c >= '0' && c <= '9') || c == '_' || c == '#')) break;
        ++n;
    }
    return n;
}

int data_session() {
    variables::FetchedValue session;
    host::evaluate(session.value, "Set('DataSession')");
    session.adopt();
    double number = 0;
    if (session.value.type == 'I') number = session.value.integer;
    if (session.value.type == 'N' || session.value.type == 'B' || session.value.type == 'F') number = session.value.real;
    if (!std::isfinite(number)) return 0;
    number = std::trunc(number);
    if (number > std::numeric_limits<int>::max() || number < std::numeric_limits<int>::min()) return 0;
    return static_cast<int>(number);
}

class NameFinder {
public:
    explicit NameFinder(Lookup lookup) : lookup_(lookup), array_name_(Text::obtain(132, grow_message)) {}

    // The recorded name of 'table' as a character value, or an empty value when the table's own name
    // is to be used.
    variables::FetchedValue recorded_name(std::string_view table) {
        if (session_ == 0) session_ = data_session();
        build_array_name('A', table);
        Locator locator{};
        if (found(locator)) {
            if (lookup_.source == Source::ms_sql) return element(locator, 1);
            if (lookup_.source == Source::dbf_tables && lookup_.automation) return element(locator, 5);
            return {};
        }
        array_name_.set(0, 'R');
        if (found(locator)) return element(locator, 3);
        return {};
    }

private:
    void build_array_name(char first, std::string_view table) {
        char digits[16];
        auto [end, ec] = std::to_chars(digits, digits + sizeof digits, session_);
        (void)ec;  // 16 bytes hold any int
        array_name_.clear();
        array_name_.push(first);
        array_name_.append("__");
        array_name_.append(table);
        array_name_.push('_');
        array_name_.append(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }

    bool found(Locator &locator) {
        int index = host::name_table_index(array_name_.c_str());
        return index != -1 && host::find_var(index, -1, locator);
    }

    static variables::FetchedValue element(Locator &locator, int number) {
        variables::FetchedValue value;
        locator.subscripts = 1;
        locator.subscript1 = static_cast<std::int16_t>(number);
        host::load(locator, value.value);
        value.adopt();
        if (!value.is_text()) return {};  // an element that holds no name: the table's own name
        return value;
    }

    Lookup lookup_;
    Text array_name_;
    int session_ = 0;
};

}  // namespace

void find_tables(Text &command, std::string_view source_kind, std::string_view mode) {
    const lex::Alphabet &alphabet = lex::Alphabet::current();
    const Source source = source_kind == "DBF_TABLES" ? Source::dbf_tables
                          : source_kind == "MS_SQL"   ? Source::ms_sql
                                                      : Source::other;
    const bool direct = source == Source::dbf_tables && mode == "DIRECT";
    NameFinder names(Lookup{source, mode == "AUTOMATION"});
    variables::Rewriter rewriter(command, grow_message);
    ReferenceScan scan;

    for (;;) {
        std::size_t dots = scan.next(rewriter);
        if (dots == std::string_view::npos) break;
        rewriter.keep(dots);
        std::string_view rest = rewriter.rest();
        std::string_view name = rest.substr(2, name_length(rest.substr(2), alphabet));

        if (direct) {  // the dots go, and a "#" right behind them; the name stays as written
            std::size_t hash = name.empty() || name[0] != '#' ? 0 : 1;
            rewriter.drop(2 + hash);
            rewriter.keep(name.size() - hash);
        } else if (name.empty()) {  // no table named: only the dots go
            rewriter.drop(2);
        } else if (name[0] == '#') {  // a temporary table: "DBF_TABLES" drops the "#"
            std::size_t hash = source == Source::dbf_tables ? 1 : 0;
            rewriter.drop(2 + hash);
            rewriter.keep(name.size() - hash);
        } else {
            variables::FetchedValue recorded = names.recorded_name(name);
            if (!recorded.bytes().empty()) {  // an empty recorded name would leave no table at all
                rewriter.drop(2 + name.size());
                rewriter.emit(recorded.bytes());
            } else {
                rewriter.drop(2);
                rewriter.keep(name.size());
            }
        }
    }
    rewriter.finish();
}

}  // namespace tarnvel::utilities
