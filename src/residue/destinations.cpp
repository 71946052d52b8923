#include "residue/destinations.h"

#include <algorithm>
#include <array>

namespace tarnvel::residue {
namespace {

// A piece of the statement outside parentheses: a word, a literal, a parenthesised group, or any
// other single character.
struct Piece {
    std::size_t begin = 0;
    std::size_t end = 0;
    enum Kind { word, literal, group, other } kind = other;
};

// The end of a FoxPro string literal ('...', "..." or [...]) opening at pos; the text's end when
// it is not closed. FoxPro program rules, not lex's cursor: "[" after a name subscripts an array.
std::size_t literal_end(std::string_view text, std::size_t pos) {
    const char close = text[pos] == '[' ? ']' : text[pos];
    const std::size_t end = text.find(close, pos + 1);
    return end == npos ? text.size() : end + 1;
}

bool opens_literal(std::string_view text, std::size_t pos) {
    const char c = text[pos];
    if (c == '\'' || c == '"') return true;
    // "[" right after a name or ")" is an array element, not a string.
    return c == '[' && (pos == 0 || !(name_char(text[pos - 1]) || text[pos - 1] == ')'));
}

std::size_t group_end(std::string_view text, std::size_t pos) {
    int depth = 0;
    std::size_t i = pos;
    while (i < text.size()) {
        if (opens_literal(text, i)) {
            i = literal_end(text, i);
            continue;
        }
        if (text[i] == '(') ++depth;
        else if (text[i] == ')' && --depth == 0) return i + 1;
        ++i;
    }
    return text.size();
}

std::vector<Piece> top_level_pieces(std::string_view text) {
    std::vector<Piece> pieces;
    std::size_t i = 0;
    while (i < text.size()) {
        if (blank(text[i])) {
            ++i;
            continue;
        }
        Piece piece{i, i + 1, Piece::other};
        if (opens_literal(text, i)) piece = {i, literal_end(text, i), Piece::literal};
        else if (text[i] == '[') piece = {i, literal_end(text, i), Piece::group};  // an array element
        else if (text[i] == '(') piece = {i, group_end(text, i), Piece::group};
        else if (name_char(text[i])) piece = {i, word_end(text, i), Piece::word};
        pieces.push_back(piece);
        i = piece.end;
    }
    return pieces;
}

// The end of the name (table, cursor, array, file) that follows pos: a parenthesised name
// expression, a quoted name, or a run of characters up to a blank, a parenthesis, "," or ";".
std::size_t name_end(std::string_view text, std::size_t pos) {
    pos = skip_blanks(text, pos);
    if (pos >= text.size()) return pos;
    if (text[pos] == '(') return group_end(text, pos);
    if (text[pos] == '\'' || text[pos] == '"' || text[pos] == '[') return literal_end(text, pos);
    static constexpr std::string_view stops = "(),;";
    while (pos < text.size() && !blank(text[pos]) && stops.find(text[pos]) == npos) ++pos;
    return pos;
}

enum class Word { none, into, to, array, cursor, table, file, printer, screen, nofilter, readwrite, noconsole,
                  plain, nowait, preference, database, name, additive, prompt, clause };

struct WordRow {
    std::string_view full;
    std::size_t shortest;
    Word word;
};

// FoxPro reads a keyword from its first four letters on.
constexpr std::array<WordRow, 28> word_rows{{
    {"INTO", 4, Word::into},         {"TO", 2, Word::to},
    {"ARRAY", 4, Word::array},       {"CURSOR", 4, Word::cursor},
    {"TABLE", 4, Word::table},       {"DBF", 3, Word::table},
    {"FILE", 4, Word::file},         {"PRINTER", 4, Word::printer},
    {"SCREEN", 4, Word::screen},     {"NOFILTER", 4, Word::nofilter},
    {"READWRITE", 4, Word::readwrite}, {"NOCONSOLE", 4, Word::noconsole},
    {"PLAIN", 4, Word::plain},       {"NOWAIT", 4, Word::nowait},
    {"PREFERENCE", 4, Word::preference}, {"DATABASE", 4, Word::database},
    {"NAME", 4, Word::name},         {"ADDITIVE", 4, Word::additive},
    {"PROMPT", 4, Word::prompt},     {"WHERE", 4, Word::clause},
    {"GROUP", 4, Word::clause},      {"ORDER", 4, Word::clause},
    {"HAVING", 4, Word::clause},     {"UNION", 4, Word::clause},
    {"FROM", 4, Word::clause},       {"WITH", 4, Word::clause},
    {"FORCE", 4, Word::clause},      {"JOIN", 4, Word::clause},
}};

class Finder {
public:
    explicit Finder(std::string_view text) : text_(text), pieces_(top_level_pieces(text)) {}

    std::vector<Span> spans() {
        std::size_t i = 0;
        while (i < pieces_.size()) {
            const std::size_t next = destination(i);
            if (next == i) {
                ++i;
                continue;
            }
            removed_up_to_ = next;
            i = next;
        }
        return std::move(spans_);
    }

private:
    Word word(std::size_t i) const {
        if (i >= pieces_.size() || pieces_[i].kind != Piece::word) return Word::none;
        const std::string_view w = text(i);
        for (const WordRow &row : word_rows) {
            if (abbreviates(w, row.full, row.shortest)) return row.word;
        }
        return Word::none;
    }
    std::string_view text(std::size_t i) const {
        return text_.substr(pieces_[i].begin, pieces_[i].end - pieces_[i].begin);
    }
    // The first piece that starts at or after pos.
    std::size_t piece_at(std::size_t pos) const {
        auto it = std::lower_bound(pieces_.begin(), pieces_.end(), pos,
                                   [](const Piece &p, std::size_t at) { return p.begin < at; });
        return static_cast<std::size_t>(it - pieces_.begin());
    }
    bool option(Word w) const {
        return w == Word::nofilter || w == Word::readwrite || w == Word::noconsole || w == Word::plain ||
               w == Word::nowait || w == Word::preference;
    }
    // Piece i is the last dot of .T., .F., .Y., .N. or .NULL.
    bool logical_literal_ends(std::size_t i) const {
        return i >= 2 && text(i) == "." && pieces_[i - 1].kind == Piece::word && text(i - 2) == "." &&
               listed("T,F,Y,N,NULL", text(i - 1));
    }
    // An option word stands where a clause may end: after an operand or a removed piece, and
    // before the end, a clause, a destination or another option. Elsewhere it is a name.
    bool option_in_place(std::size_t i, std::size_t next_piece) const {
        bool after = removed_up_to_ == i;
        if (!after && i > 0) {
            const Piece &before = pieces_[i - 1];
            after = before.kind == Piece::literal || before.kind == Piece::group ||
                    (before.kind == Piece::word && !expression_keyword(text(i - 1))) || logical_literal_ends(i - 1);
        }
        if (!after) return false;
        const Word next = word(next_piece);
        return next_piece >= pieces_.size() || next == Word::clause || next == Word::into || next == Word::to ||
               option(next);
    }

    // When a destination or option starts at piece i: records it and returns the piece after it.
    std::size_t destination(std::size_t i) {
        const Word w = word(i);
        const Word target = word(i + 1);
        std::size_t end = 0;
        if (w == Word::into && (target == Word::array || target == Word::cursor || target == Word::table)) {
            end = name_end(text_, pieces_[i + 1].end);
            end = followers(end, target);
        } else if (w == Word::to && (target == Word::file || target == Word::printer || target == Word::screen)) {
            end = target == Word::file ? name_end(text_, pieces_[i + 1].end) : pieces_[i + 1].end;
            end = followers(end, target);
        } else if (option(w)) {
            end = w == Word::preference ? name_end(text_, pieces_[i].end) : pieces_[i].end;
            if (!option_in_place(i, piece_at(end))) return i;
        } else {
            return i;
        }
        spans_.push_back({pieces_[i].begin, end});
        return piece_at(end);
    }

    // The clauses that may follow a destination: NOFILTER/READWRITE after a cursor, DATABASE name
    // [NAME long name] after a table, ADDITIVE after a file, PROMPT after the printer.
    std::size_t followers(std::size_t end, Word destination) const {
        for (;;) {
            const std::size_t i = piece_at(end);
            const Word w = word(i);
            if (destination == Word::cursor && (w == Word::nofilter || w == Word::readwrite)) end = pieces_[i].end;
            else if (destination == Word::table && (w == Word::database || w == Word::name))
                end = name_end(text_, pieces_[i].end);
            else if ((destination == Word::file && w == Word::additive) ||
                     (destination == Word::printer && w == Word::prompt))
                end = pieces_[i].end;
            else return end;
        }
    }

    std::string_view text_;
    std::vector<Piece> pieces_;
    std::vector<Span> spans_;
    std::size_t removed_up_to_ = npos;  // the piece right after the last removed span
};

}  // namespace

std::vector<Span> destination_spans(std::string_view text) { return Finder(text).spans(); }

}  // namespace tarnvel::residue

namespace tarnvel {

ServerStatement strip_destinations(std::string_view foxpro_select) {
    ServerStatement out;
    std::size_t kept = 0;
    for (const residue::Span &span : residue::destination_spans(foxpro_select)) {
        out.text.append(foxpro_select.substr(kept, span.begin - kept));
        // The words on either side stay apart.
        const bool blank_before = out.text.empty() || residue::blank(out.text.back());
        const bool blank_after = span.end >= foxpro_select.size() || residue::blank(foxpro_select[span.end]);
        if (!blank_before && !blank_after) out.text.push_back(' ');
        out.removed.emplace_back(foxpro_select.substr(span.begin, span.end - span.begin));
        kept = span.end;
    }
    out.text.append(foxpro_select.substr(kept));
    return out;
}

}  // namespace tarnvel
