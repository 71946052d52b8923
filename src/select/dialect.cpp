#include "select/dialect.h"

namespace tarnvel::select {
namespace {

void add_words(Lexicon &lexicon, std::string_view words, std::size_t row) {
    while (!words.empty()) {
        std::size_t comma = words.find(',');
        std::string_view word = words.substr(0, comma);
        words = comma == std::string_view::npos ? std::string_view{} : words.substr(comma + 1);
        if (word.empty()) continue;
        RowSet &set = lexicon[std::string(word)];
        if (set.count > 0 && set.rows[set.count - 1] == row) continue;
        if (set.count < set.rows.size()) set.rows[set.count++] = static_cast<std::uint8_t>(row);
    }
}

}  // namespace

Dialect built(Dialect dialect) {
    for (std::size_t i = 0; i < dialect.chain.size(); ++i) {
        const ChainRow &row = dialect.chain[i];
        if (row.row == Row::reserved) {
            for (int part = 0; part < 2; ++part) add_words(dialect.lexicon, lex::keyword_list_text(dialect.reserved, part), i);
        } else {
            add_words(dialect.lexicon, row.function ? row.function->words : row.words, i);
        }
    }
    return dialect;
}

}  // namespace tarnvel::select
