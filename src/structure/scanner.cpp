#include "structure/scanner.h"

namespace tarnvel::structure {

namespace {

constexpr auto npos = std::string_view::npos;

// Line breaks count as blanks where blanks are skipped, so a list written over several lines reads
// like one written on one line.
bool blank_or_tab(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view skip_blanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && blank_or_tab(text[i])) ++i;
    return text.substr(i);
}

void append_upper(Text &out, std::string_view part, const lex::Alphabet &alphabet) {
    std::size_t at = out.length();
    out.append(part);
    alphabet.upper_in_place(out.data() + at, part.size());
}

// The name goes out between the dialect's quotes when, enclosed in commas, it is an entry of the
// clause-keyword or the reserved-word list. The lists are upper case and the search is not, so
// only a name written in upper case is quoted. The comma-enclosed needle is built in place at the
// end of the output and then turned into the name as written.
void write_name(Text &out, std::string_view name, const Dialect &dialect) {
    std::size_t start = out.length();
    out.append(',');
    out.append(name);
    out.append(',');
    std::string_view needle = out.view().substr(start);
    bool keyword = lex::keyword_in_list(dialect.clause_list, needle) || lex::keyword_in_list(dialect.reserved_list, needle);
    if (keyword) {
        out.at(start) = dialect.quote_open;
        out.at(out.length() - 1) = dialect.quote_close;
    } else {
        out.truncate(out.length() - 1);
        out.erase(start, 1);
    }
}

// The width part runs from the first byte after the type letter and its blanks up to the first
// ")"; without a ")" there is none. Whatever follows it (NULL, NOT NULL) is not used.
void write_width(Text &out, std::string_view spec, const lex::Alphabet &alphabet) {
    std::string_view rest = skip_blanks(spec.substr(1));
    std::size_t close = rest.find(')');
    if (close != npos) append_upper(out, rest.substr(0, close + 1), alphabet);
}

void write_column(Text &out, const Item &item, const Dialect &dialect, bool defaults, const lex::Alphabet &alphabet) {
    if (item.bare) {
        out.append(item.name);
        return;
    }
    write_name(out, item.name, dialect);
    if (item.spec.empty()) return;
    const TypeRow *row = dialect.row(alphabet.upper(item.spec.front()));
    if (row && row->word_by_width) {
        out.append(row->word_by_width(item.spec, alphabet));
    } else {
        if (row) out.append(row->word);
        write_width(out, item.spec, alphabet);
    }
    if (defaults && row) out.append(row->default_clause);
}

}  // namespace

std::size_t ForwardFind::at_or_after(std::size_t from) {
    // The last answer holds as long as the question starts no earlier and the byte found (if
    // any) does not lie before it.
    if (asked_ && from >= from_ && (found_ == npos || found_ >= from)) return found_;
    asked_ = true;
    from_ = from;
    found_ = from < text_.size() ? text_.find(target_, from) : npos;
    return found_;
}

bool ItemSplitter::next(std::string_view &item) {
    if (done_) return false;
    std::size_t comma = comma_.at_or_after(pos_);
    if (comma != npos && close_.at_or_after(comma + 1) != npos) {
        std::size_t open = open_.at_or_after(comma + 1);
        if (open == npos || open > close_.at_or_after(comma + 1)) comma = comma_.at_or_after(comma + 1);
    }
    if (comma == npos) {
        item = list_.substr(pos_);
        done_ = true;
        more_ = false;
    } else {
        item = list_.substr(pos_, comma - pos_);
        pos_ = comma + 1;
        more_ = true;
    }
    return true;
}

Item split_item(std::string_view text) {
    text = skip_blanks(text);
    std::size_t end = text.find(' ');
    if (end == npos) end = text.find('\t');
    if (end == npos) return Item{text, {}, true};
    return Item{text.substr(0, end), skip_blanks(text.substr(end + 1)), false};
}

void write_columns(Text &out, std::string_view list, const Dialect &dialect, bool defaults) {
    const lex::Alphabet &alphabet = lex::Alphabet::current();
    ItemSplitter items(list);
    std::string_view item;
    while (items.next(item)) {
        write_column(out, split_item(item), dialect, defaults, alphabet);
        if (items.more()) out.append(',');
    }
}

}  // namespace tarnvel::structure
