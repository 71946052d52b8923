#include "select/dialect.h"

namespace tarnvel::select {

RowSet &Lexicon::operator[](std::string_view word) {
    if (4 * (used_ + 1) > tags_.size()) rehash(tags_.empty() ? 512 : 2 * tags_.size());
    auto same_case = [](char c) { return c; };
    const std::uint64_t h = hash(word, same_case);
    const std::uint32_t tag = tag_of(h);
    std::size_t i = index_of(h);
    while (tags_[i] != 0 && !(tags_[i] == tag && slots_[i].word == word)) i = (i + 1) & mask_;
    if (tags_[i] == 0) {
        tags_[i] = tag;
        slots_[i].word = std::string(word);
        slots_[i].hash = h;
        ++used_;
        if (word.size() > longest_) longest_ = word.size();
    }
    return slots_[i].rows;
}

void Lexicon::rehash(std::size_t capacity) {
    std::vector<Slot> old = std::move(slots_);
    std::vector<std::uint32_t> old_tags = std::move(tags_);
    slots_ = std::vector<Slot>(capacity);
    tags_ = std::vector<std::uint32_t>(capacity, 0);
    mask_ = capacity - 1;
    shift_ = 64;
    for (std::size_t c = capacity; c > 1; c /= 2) --shift_;
    used_ = 0;
    for (std::size_t i = 0; i < old.size(); ++i) {
        if (old_tags[i] != 0) (*this)[old[i].word] = old[i].rows;
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
    for (lex::KeywordList list : dialect.group_by_keywords) {
        for (int part = 0; part < 2; ++part) add_words(dialect.group_by_lexicon, lex::keyword_list_text(list, part), 0);
    }
    return dialect;
}

}  // namespace tarnvel::select
