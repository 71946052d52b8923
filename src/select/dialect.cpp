#include "select/dialect.h"

namespace tarnvel::select {

RowSet &Lexicon::operator[](std::string_view word) {
    if (2 * (used_ + 1) > slots_.size()) rehash(slots_.empty() ? 256 : 2 * slots_.size());
    std::size_t i = hash(word) & (slots_.size() - 1);
    while (!slots_[i].word.empty() && slots_[i].word != word) i = (i + 1) & (slots_.size() - 1);
    if (slots_[i].word.empty()) {
        slots_[i].word = std::string(word);
        ++used_;
        if (word.size() > longest_) longest_ = word.size();
    }
    return slots_[i].rows;
}

void Lexicon::rehash(std::size_t capacity) {
    std::vector<Slot> old = std::move(slots_);
    slots_ = std::vector<Slot>(capacity);
    used_ = 0;
    for (Slot &slot : old) {
        if (!slot.word.empty()) (*this)[slot.word] = slot.rows;
    }
}

namespace {

void add_words(Lexicon &lexicon, std::string_view words, std::size_t row) {
    while (!words.empty()) {
        std::size_t comma = words.find(',');
        std::string_view word = words.substr(0, comma);
        words = comma == std::string_view::npos ? std::string_view{} : words.substr(comma + 1);
        if (word.empty()) continue;
        RowSet &set = lexicon[word];
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
