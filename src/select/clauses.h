// The six clause buffers of one UNION member, the clause being filled, and the per-call session
// that every level of a conversion shares (dialect, letters, switch, word area).
#pragma once

#include "host/text.h"
#include "lex/letters.h"
#include "lex/scan.h"
#include "select/dialect.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarnvel::select {

// The clause being filled, by the letter the host keeps for it (none before SELECT).
enum class Clause : char { none = 0, select = 's', into = 'i', from = 'f', where = 'w', group = 'g', order = 'o' };
constexpr char letter(Clause clause) { return static_cast<char>(clause); }

// The clauses in the order of their buffers.
inline constexpr std::array<Clause, 6> clause_order{Clause::select, Clause::into,  Clause::from,
                                                    Clause::where,  Clause::group, Clause::order};

struct Clauses {
    std::array<Text, 6> buffers;  // select, into, from, where, group, order; no handle: absent
    Text lead;                    // text before the member's first clause (INSERT INTO t ...), as written
    Text wrap;                    // a row limit to apply around the whole member (Oracle TOP with ORDER BY)
    int percent = -1;             // TOP n PERCENT's n (below 100) where the dialect counts the member's rows
    Clause current = Clause::none;
    Text *sink = nullptr;  // the buffer of the current clause
    std::uint8_t joins = 0;  // the JOINs of FROM so far, up to 255
    // The room of the statement's output, whose buffer the select list is written in (the first
    // member's); 0: the select list gets a buffer of the member's size
    std::size_t output_room = 0;

    // The buffer of the clause in clause_order, -1 for none: a switch, as every clause opened and
    // made current asks it.
    static constexpr int index(Clause clause) {
        switch (clause) {
        case Clause::select: return 0;
        case Clause::into: return 1;
        case Clause::from: return 2;
        case Clause::where: return 3;
        case Clause::group: return 4;
        case Clause::order: return 5;
        case Clause::none: break;
        }
        return -1;
    }
    Text *get(Clause clause) {
        int i = index(clause);
        return i < 0 || !buffers[i] ? nullptr : &buffers[i];
    }
    Text *current_sink() { return sink; }
    // Makes the clause current (its buffer, when it has one, receives the text from now on).
    void make_current(Clause clause) {
        current = clause;
        sink = get(clause);
    }
    Text &select() { return buffers[0]; }
    Text &from() { return buffers[2]; }
    Text &where() { return buffers[3]; }
    Text &group() { return buffers[4]; }
    Text &order() { return buffers[5]; }
    void reset() {
        for (Text &sink : buffers) sink.release();
        lead.release();
        wrap.release();
        percent = -1;
        joins = 0;
        output_room = 0;
        current = Clause::none;
        sink = nullptr;
    }
};

constexpr bool index_follows_clause_order() {
    for (std::size_t i = 0; i < clause_order.size(); ++i) {
        if (Clauses::index(clause_order[i]) != static_cast<int>(i)) return false;
    }
    return Clauses::index(Clause::none) == -1;
}
static_assert(index_follows_clause_order());

// What all levels of one call share.
struct Session {
    const Dialect &dialect;
    const lex::Alphabet &letters;  // names: every byte above 0x7F belongs to one
    bool from_fox;
    lex::LiteralRules source;  // the quoted runs of the statement as written (select/literals.h)
    Text word;  // a word area for words of any length, upper-cased (obtained when first needed)
    Text &word_area() {
        if (!word) word = Text::obtain(64, "Insufficient memory for word");
        return word;
    }
    int nolock = -1;  // the table-hint switch, asked of the host once a call (-1: not yet)
    // False when the statement holds no "(" followed by blanks and SELE, or no UNIO, in any
    // letter case: then no level of it can hold a subquery or a UNION member, and the searches
    // for them are skipped.
    bool subquery_possible = true;
    std::size_t subquery_depth = 0;  // the subqueries (and members unwrapped) being extracted around the text
    bool union_possible = true;
    std::string_view record_number{};  // the row number, where the FoxPro pass left a RECNO() for the clauses
};

}  // namespace tarnvel::select
