// What sets one target dialect's column list apart from another's: how a name that collides with a
// keyword is quoted, which keyword lists are searched for it, and the row of each host field type
// letter (type word, default clause, and for a few letters a hook that picks the word by width).
// The field-list scanner is the same for every dialect; only these tables differ.
#pragma once

#include "lex/keywords.h"
#include "lex/letters.h"

#include <span>
#include <string_view>

namespace tarnvel::structure {

// Picks a type word from the upper-cased type specification (letter first); used where the word
// depends on the width. A letter with such a hook has its width part consumed, never copied.
using WordByWidth = std::string_view (*)(std::string_view spec, const lex::Alphabet &alphabet);

struct TypeRow {
    char letter;                     // the host's field type letter, 'B' to 'Y', upper case
    std::string_view word;           // written after the name, with its leading blank
    std::string_view default_clause; // written after the width part when defaults are wanted
    WordByWidth word_by_width = nullptr;
};

struct Dialect {
    std::string_view name;
    char quote_open;
    char quote_close;
    // The lists a name is looked up in, in this order.
    lex::KeywordList clause_list;
    lex::KeywordList reserved_list;
    std::span<const TypeRow> types;

    // The row of an upper-case type letter; null when the letter has no type word here.
    const TypeRow *row(char letter) const {
        for (const TypeRow &r : types)
            if (r.letter == letter) return &r;
        return nullptr;
    }
};

const Dialect &sqlserver();
const Dialect &oracle();
const Dialect &mysql();
const Dialect &access();

}  // namespace tarnvel::structure
