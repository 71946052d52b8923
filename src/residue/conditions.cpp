// The condition check's entry, its tokens and its findings.
#include "residue/condition_reader.h"

#include <algorithm>
#include <array>

namespace tarnvel::residue {

ConditionReader::ConditionReader(Target target, std::string_view original, std::vector<Token> tokens)
    : target_(target), original_(original), tokens_(std::move(tokens)) {}

const Token &ConditionReader::peek(std::size_t ahead) const {
    return tokens_[std::min(at_ + ahead, tokens_.size() - 1)];
}

bool ConditionReader::accept(std::string_view word) {
    if (!at_word(word)) return false;
    ++at_;
    return true;
}

bool ConditionReader::accept(TokenKind kind) {
    if (peek().kind != kind || kind == TokenKind::end) return false;
    ++at_;
    return true;
}

void ConditionReader::expect(std::string_view word) {
    if (!accept(word)) unread();
}

void ConditionReader::expect(TokenKind kind) {
    if (!accept(kind)) unread();
}

void ConditionReader::skip_parenthesis() {
    int depth = 0;
    do {
        if (peek().kind == TokenKind::end) unread();
        depth += peek().kind == TokenKind::open ? 1 : peek().kind == TokenKind::close ? -1 : 0;
        ++at_;
    } while (depth > 0);
}

bool ConditionReader::at_query() const {
    std::size_t ahead = 0;
    while (peek(ahead).kind == TokenKind::open) ++ahead;
    return ahead > 0 && (peek(ahead).is("SELECT") || peek(ahead).is("WITH"));
}

void ConditionReader::need_condition(Sort sort, std::size_t from, std::size_t to) {
    if (sort == Sort::condition) return;
    report(ConditionMisuse::value_as_condition, from, to,
           "{text} is a value where a condition is due; compare it ({text} = 1, {text} IS NOT NULL)");
}

void ConditionReader::need_value(Sort sort, std::size_t from, std::size_t to) {
    if (sort == Sort::value) return;
    report(ConditionMisuse::condition_as_value, from, to,
           "{text} is a condition where a value is due; give it as CASE WHEN ... THEN 1 ELSE 0 END");
}

void ConditionReader::report(ConditionMisuse kind, std::size_t from, std::size_t to, std::string message) {
    if (to == npos) to = at_;
    const std::size_t begin = tokens_[from].begin;
    const std::size_t end = to > from ? tokens_[to - 1].end : begin;
    std::string text(original_.substr(begin, end - begin));
    for (std::size_t pos; (pos = message.find("{text}")) != std::string::npos;) message.replace(pos, 6, text);
    findings.push_back({kind, begin, std::move(text), std::move(message)});
}

}  // namespace tarnvel::residue

namespace tarnvel {

std::string_view misuse_id(ConditionMisuse kind) {
    return kind == ConditionMisuse::condition_as_value ? "condition-as-value" : "value-as-condition";
}

bool conditions_are_values(Target target) {
    static constexpr std::array<bool, dialect_count> values = [] {
        std::array<bool, dialect_count> out{};
        out[static_cast<std::size_t>(Target::mysql)] = true;
        out[static_cast<std::size_t>(Target::access)] = true;
        out[static_cast<std::size_t>(Target::pgsql)] = true;
        return out;
    }();
    return values[static_cast<std::size_t>(target)];
}

ConditionCheck find_condition_misuse(Target target, std::string_view converted) {
    if (conditions_are_values(target)) return {};
    const residue::TargetText text = residue::read_target_text(target, converted);
    residue::ConditionReader reader(target, converted, residue::condition_tokens(text));
    ConditionCheck out;
    out.read = reader.read_statement();
    if (!out.read) out.unread_at = reader.stopped_at();
    out.findings = std::move(reader.findings);
    std::sort(out.findings.begin(), out.findings.end(),
              [](const ConditionFinding &a, const ConditionFinding &b) { return a.offset < b.offset; });
    return out;
}

}  // namespace tarnvel
