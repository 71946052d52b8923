#include "structure/item.h"

#include "structure/characters.h"
#include "structure/types.h"

namespace tarnvel::structure {

namespace {

constexpr auto npos = std::string_view::npos;

// The words of the column and table clauses, with the abbreviations the host accepts.
enum class Word : std::uint8_t {
    other, null, not_, default_, check, error, autoinc, nextvalue, step, primary, key, unique, foreign,
    references, tag, nocptrans, collate, nodup,
};

// A clause word and the shortest abbreviation of it the host accepts.
struct WordForms {
    std::string_view full;
    std::size_t shortest;
    Word word;
};

constexpr WordForms clause_words[] = {
    {"NULL", 4, Word::null},
    {"NOT", 3, Word::not_},
    {"DEFAULT", 4, Word::default_},
    {"CHECK", 4, Word::check},
    {"ERROR", 4, Word::error},
    {"AUTOINC", 7, Word::autoinc},
    {"NEXTVALUE", 9, Word::nextvalue},
    {"STEP", 4, Word::step},
    {"PRIMARY", 4, Word::primary},
    {"KEY", 3, Word::key},
    {"UNIQUE", 4, Word::unique},
    {"FOREIGN", 4, Word::foreign},
    {"REFERENCES", 4, Word::references},
    {"TAG", 3, Word::tag},
    {"NOCPTRANS", 9, Word::nocptrans},
    {"COLLATE", 4, Word::collate},
    {"NODUP", 5, Word::nodup},
};

Word classify(std::string_view word) {
    for (const WordForms &row : clause_words) {
        if (word.size() >= row.shortest && word.size() <= row.full.size() &&
            same_upper(word, row.full.substr(0, word.size()))) {
            return row.word;
        }
    }
    return Word::other;
}

// Reads an item's text from left to right.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool at_end() {
        skip_blanks();
        return pos_ >= text_.size();
    }
    std::string_view rest() {
        skip_blanks();
        return trim_end(text_.substr(pos_));
    }
    char peek() {
        skip_blanks();
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }

    // The word at the reading position (letters, digits, "_"), without taking it.
    std::string_view peek_word() {
        skip_blanks();
        std::size_t end = pos_;
        while (end < text_.size() && word_char(text_[end])) ++end;
        return text_.substr(pos_, end - pos_);
    }
    std::string_view take_word() {
        std::string_view word = peek_word();
        pos_ += word.size();
        return word;
    }
    // Takes the next word when it is the clause word asked for.
    bool take_if(Word word) {
        std::string_view next = peek_word();
        if (next.empty() || classify(next) != word) return false;
        pos_ += next.size();
        return true;
    }

    // Everything up to the next blank (a table or tag name, or the text an error shows).
    std::string_view take_token() {
        skip_blanks();
        std::size_t end = pos_;
        while (end < text_.size() && !blank(text_[end])) ++end;
        std::string_view token = text_.substr(pos_, end - pos_);
        pos_ = end;
        return token;
    }

    // An integer with an optional sign: the digits, "-" kept and "+" dropped; empty when there
    // is none.
    std::string_view take_integer() {
        skip_blanks();
        std::size_t start = pos_, end = pos_;
        if (end < text_.size() && (text_[end] == '+' || text_[end] == '-')) ++end;
        std::size_t digits = end;
        while (end < text_.size() && digit(text_[end])) ++end;
        if (end == digits || (end < text_.size() && word_char(text_[end]))) return {};
        pos_ = end;
        if (text_[start] == '+') ++start;
        return text_.substr(start, end - start);
    }

    // A FoxPro expression: everything up to the next clause word that stands outside
    // parentheses and literals. Its first word is always part of it (DEFAULT NULL), a word
    // after "." (.NULL., alias.field) or right before "(" (a function) is never a clause word,
    // and NULL or NOT NULL after IS or NOT belong to the expression. False when a "(" or a
    // literal is left open (the expression then runs to the end of the item).
    bool take_expression(std::string_view &expression) {
        skip_blanks();
        const std::size_t start = pos_;
        std::size_t i = start;
        int depth = 0;
        bool closed = true;
        std::string_view previous;
        while (i < text_.size()) {
            const char c = text_[i];
            std::size_t literal = literal_end(text_, i);
            if (literal == npos) {
                closed = false;
                i = text_.size();
                break;
            }
            if (literal != i) {
                i = literal;
                continue;
            }
            if (c == '(') ++depth;
            if (c == ')' && depth > 0) --depth;
            if (!word_char(c)) {
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end < text_.size() && word_char(text_[end])) ++end;
            std::string_view word = text_.substr(i, end - i);
            bool after_dot = i > 0 && text_[i - 1] == '.';
            bool before_paren = end < text_.size() && text_[end] == '(';
            if (depth == 0 && i > start && !after_dot && !before_paren && ends_expression(word, previous, end)) break;
            previous = word;
            i = end;
        }
        expression = trim_end(text_.substr(start, i - start));
        pos_ = i;
        return closed && depth == 0;
    }

private:
    void skip_blanks() {
        while (pos_ < text_.size() && blank(text_[pos_])) ++pos_;
    }

    bool ends_expression(std::string_view word, std::string_view previous, std::size_t end) {
        switch (classify(word)) {
            case Word::other:
            case Word::key:
                return false;
            case Word::null:
                return !same_upper(previous, "IS") && !same_upper(previous, "NOT");
            case Word::not_: {
                if (same_upper(previous, "IS")) return false;
                Reader after(text_.substr(end));
                return classify(after.peek_word()) == Word::null;
            }
            default:
                return true;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

struct Outcome {
    Fault fault = Fault::none;
    std::string_view what;
};

Outcome fail(Fault fault, std::string_view what) { return Outcome{fault, what}; }

// REFERENCES table [TAG tag]: the table; the tag names an index of it, which no server needs.
Outcome references(Reader &reader, std::string_view word, std::string_view &table) {
    table = reader.take_token();
    if (table.empty()) return fail(Fault::missing_name, word);
    if (reader.take_if(Word::tag) && reader.take_token().empty()) return fail(Fault::missing_name, "TAG");
    return {};
}

// The expression after a clause word; a fault when it is missing or left open.
Outcome expression_after(Reader &reader, std::string_view word, std::string_view &expression) {
    if (!reader.take_expression(expression)) return fail(Fault::open_expression, word);
    if (expression.empty()) return fail(Fault::missing_expression, word);
    return {};
}

// The width part: one number, or two separated by a comma, with blanks anywhere around them.
// Anything else between the parentheses is kept as written.
Size read_size(std::string_view inside, std::string_view whole) {
    Reader numbers(inside);
    Size size;
    std::string_view width = numbers.take_integer();
    if (!width.empty() && digit(width.front())) {
        std::string_view decimals;
        bool ok = true;
        if (numbers.peek() == ',') {
            Reader after(numbers.rest().substr(1));
            decimals = after.take_integer();
            ok = !decimals.empty() && digit(decimals.front()) && after.at_end();
        } else {
            ok = numbers.at_end();
        }
        if (ok) {
            size.width = width;
            size.decimals = decimals;
            return size;
        }
    }
    size.raw = whole;
    return size;
}

// The number after NEXTVALUE or STEP; a fault when it is missing.
Outcome integer_after(Reader &reader, std::string_view word, std::string_view &number) {
    number = reader.take_integer();
    return number.empty() ? fail(Fault::missing_number, word) : Outcome{};
}

// A clause of two words (NOT NULL, PRIMARY KEY); a fault when the second is missing.
Outcome second_word(Reader &reader, std::string_view word, Word second, bool &flag) {
    if (!reader.take_if(second)) return fail(Fault::unknown_clause, word);
    flag = true;
    return {};
}

// The column clauses, each read after its word. The message of a CHECK (ERROR) has no counterpart
// on any server, nor have host collation sequences (COLLATE) and code-page translation (NOCPTRANS).
Outcome null_clause(Reader &, std::string_view, Column &c) { c.nullness = Nullness::null; return {}; }
Outcome autoinc_clause(Reader &, std::string_view, Column &c) { c.autoinc = true; return {}; }
Outcome unique_clause(Reader &, std::string_view, Column &c) { c.unique = true; return {}; }
Outcome host_only_clause(Reader &, std::string_view, Column &) { return {}; }
Outcome not_null_clause(Reader &r, std::string_view word, Column &c) {
    bool not_null = false;
    const Outcome outcome = second_word(r, word, Word::null, not_null);
    if (not_null) c.nullness = Nullness::not_null;
    return outcome;
}
Outcome primary_key_clause(Reader &r, std::string_view word, Column &c) { return second_word(r, word, Word::key, c.primary_key); }
Outcome default_clause(Reader &r, std::string_view word, Column &c) { return expression_after(r, word, c.default_value); }
Outcome check_clause(Reader &r, std::string_view word, Column &c) { return expression_after(r, word, c.check); }
Outcome ignored_expression(Reader &r, std::string_view word, Column &) {
    std::string_view ignored;
    return expression_after(r, word, ignored);
}
Outcome next_value_clause(Reader &r, std::string_view word, Column &c) { return integer_after(r, word, c.next_value); }
Outcome step_clause(Reader &r, std::string_view word, Column &c) { return integer_after(r, word, c.step); }
Outcome references_clause(Reader &r, std::string_view word, Column &c) { return references(r, word, c.references); }

struct ColumnClause {
    Word word;
    Outcome (*read)(Reader &reader, std::string_view word, Column &column);
};

// Any other word is no column clause.
constexpr ColumnClause column_clauses[] = {
    {Word::null, null_clause}, {Word::not_, not_null_clause},
    {Word::default_, default_clause}, {Word::check, check_clause},
    {Word::error, ignored_expression}, {Word::collate, ignored_expression},
    {Word::autoinc, autoinc_clause}, {Word::nextvalue, next_value_clause}, {Word::step, step_clause},
    {Word::primary, primary_key_clause}, {Word::unique, unique_clause}, {Word::references, references_clause},
    {Word::nocptrans, host_only_clause},
};

// The type and its width part.
Outcome read_type(Reader &reader, Column &column) {
    column.type = reader.take_word();
    if (column.type.empty()) {
        std::string_view shown = reader.rest();
        std::size_t stop = 0;
        while (stop < shown.size() && !blank(shown[stop]) && shown[stop] != '(') ++stop;
        return fail(Fault::unknown_type, shown.substr(0, stop == 0 ? 1 : stop));
    }
    column.letter = type_letter(column.type);
    if (!column.letter) return fail(Fault::unknown_type, column.type);
    if (reader.peek() == '(') {
        std::string_view rest = reader.rest();
        std::size_t close = rest.find(')');
        if (close == npos) return fail(Fault::open_width, rest);
        column.size = read_size(rest.substr(1, close - 1), rest.substr(0, close + 1));
        reader = Reader(rest.substr(close + 1));
    }
    return {};
}

// Type, width part and column clauses; the name is already taken.
Outcome read_column(std::string_view spec, Column &column) {
    Reader reader(spec);
    if (Outcome outcome = read_type(reader, column); outcome.fault != Fault::none) return outcome;
    while (!reader.at_end()) {
        std::string_view word = reader.take_word();
        if (word.empty()) return fail(Fault::unknown_clause, reader.take_token());
        const Word kind = classify(word);
        const ColumnClause *clause = nullptr;
        for (const ColumnClause &row : column_clauses) {
            if (row.word == kind) clause = &row;
        }
        if (clause == nullptr) return fail(Fault::unknown_clause, word);
        if (Outcome outcome = clause->read(reader, word, column); outcome.fault != Fault::none) return outcome;
    }
    return {};
}

// The clauses after TAG, COLLATE and NODUP that an index constraint may carry.
Outcome read_index_options(Reader &reader, TableConstraint &constraint) {
    for (;;) {
        Outcome outcome;
        std::string_view ignored;
        if (reader.take_if(Word::tag)) {
            constraint.tag = reader.take_token();
            if (constraint.tag.empty()) return fail(Fault::missing_name, "TAG");
        } else if (reader.take_if(Word::collate)) {
            outcome = expression_after(reader, "COLLATE", ignored);
        } else if (!reader.take_if(Word::nodup)) {
            return {};
        }
        if (outcome.fault != Fault::none) return outcome;
    }
}

Outcome read_constraint(std::string_view text, TableConstraint &constraint) {
    Reader reader(text);
    std::string_view first = reader.take_word();
    Word word = classify(first);
    if (word == Word::primary || word == Word::foreign) {
        if (!reader.take_if(Word::key)) return fail(Fault::unknown_clause, first);
    }
    constraint.kind = word == Word::primary  ? ConstraintKind::primary_key
                      : word == Word::unique ? ConstraintKind::unique
                      : word == Word::foreign ? ConstraintKind::foreign_key
                                              : ConstraintKind::check;
    Outcome outcome = expression_after(reader, first, constraint.expression);
    if (outcome.fault == Fault::none && constraint.kind == ConstraintKind::check) {
        std::string_view message;
        if (reader.take_if(Word::error)) outcome = expression_after(reader, "ERROR", message);
    } else if (outcome.fault == Fault::none) {
        outcome = read_index_options(reader, constraint);
        if (outcome.fault == Fault::none && constraint.kind == ConstraintKind::foreign_key) {
            if (reader.at_end()) return fail(Fault::missing_clause, "REFERENCES");
            if (!reader.take_if(Word::references)) return fail(Fault::unknown_clause, reader.take_token());
            outcome = references(reader, "REFERENCES", constraint.references);
        }
    }
    if (outcome.fault != Fault::none) return outcome;
    if (!reader.at_end()) return fail(Fault::unknown_clause, reader.take_token());
    return {};
}

}  // namespace

ParsedItem parse_item(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && blank(text[start])) ++start;
    text = text.substr(start);

    ParsedItem item;
    std::size_t end = 0;
    while (end < text.size() && !blank(text[end])) ++end;
    item.column.name = text.substr(0, end);
    if (end == text.size()) return item;  // bare
    Reader after_name(text.substr(end));
    std::string_view spec = after_name.rest();
    if (spec.empty()) {
        item.kind = ItemKind::name_only;
        return item;
    }

    // PRIMARY KEY and FOREIGN KEY open a table constraint; UNIQUE and CHECK do when the item does
    // not read as a column of that name.
    Word first = classify(item.column.name);
    bool key_follows = classify(Reader(spec).peek_word()) == Word::key;
    bool constraint_first = (first == Word::primary || first == Word::foreign) && key_follows;
    if (!constraint_first) {
        Outcome column = read_column(spec, item.column);
        if (column.fault == Fault::none) {
            item.kind = ItemKind::column;
            return item;
        }
        if (first != Word::unique && first != Word::check) {
            item.kind = ItemKind::column;
            item.fault = column.fault;
            item.what = column.what;
            return item;
        }
        TableConstraint constraint;
        if (read_constraint(text, constraint).fault != Fault::none) {
            item.kind = ItemKind::column;
            item.fault = column.fault;
            item.what = column.what;
            return item;
        }
        item.kind = ItemKind::constraint;
        item.constraint = constraint;
        return item;
    }
    item.kind = ItemKind::constraint;
    Outcome constraint = read_constraint(text, item.constraint);
    item.fault = constraint.fault;
    item.what = constraint.what;
    return item;
}

std::size_t next_top_level_comma(std::string_view list, std::size_t from) {
    int depth = 0;  // structure's literal_end, not lex's cursor: {...} dates are literals in a field list
    for (std::size_t i = from; i < list.size();) {
        std::size_t literal = literal_end(list, i);
        if (literal == npos) return npos;  // an open literal runs to the end of the list
        if (literal != i) {
            i = literal;
            continue;
        }
        char c = list[i];
        if (c == '(') ++depth;
        else if (c == ')' && depth > 0) --depth;
        else if (c == ',' && depth == 0) return i;
        ++i;
    }
    return npos;
}

std::string_view next_index_name(std::string_view expression, std::size_t &at) {
    while (at < expression.size() && (blank(expression[at]) || expression[at] == '+')) ++at;
    std::size_t start = at;
    while (at < expression.size() && word_char(expression[at])) ++at;
    return expression.substr(start, at - start);
}

bool plain_index(std::string_view expression) {
    std::size_t at = 0;
    bool expect_name = true;
    while (at < expression.size()) {
        char c = expression[at];
        if (blank(c)) {
            ++at;
        } else if (expect_name) {
            std::size_t start = at;
            while (at < expression.size() && word_char(expression[at])) ++at;
            if (at == start || digit(expression[start])) return false;
            expect_name = false;
        } else if (c == '+') {
            ++at;
            expect_name = true;
        } else {
            return false;
        }
    }
    return !expect_name;
}

}  // namespace tarnvel::structure
