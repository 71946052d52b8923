// The condition check's reader: a descent over the tokens of one SELECT command that knows which
// places want a condition and which a value, and records what stands out of place.
#pragma once

#include "residue/condition_tokens.h"

#include <tarnvel/conditions.hpp>

#include <cstddef>
#include <string_view>
#include <vector>

namespace tarnvel::residue {

// What an expression is by its top-level operators and keywords.
enum class Sort { value, condition };

class ConditionReader {
public:
    ConditionReader(Target target, std::string_view original, std::vector<Token> tokens);
    // Reads the whole command; false when a form the reader does not know stood in it.
    bool read_statement();
    std::size_t stopped_at() const { return peek().begin; }
    std::vector<ConditionFinding> findings;

private:
    struct Unread {};  // thrown where the text leaves the forms the reader knows

    // Clauses (condition_clauses.cpp).
    void compound();
    void query_operand();
    void select_core();
    void select_list();
    void select_item();
    void from_list();
    void table_reference();
    void table_primary();
    bool join();
    void table_alias();
    void order_list();
    void tail();
    void top();

    // Expressions (condition_expressions.cpp).
    void condition();  // an expression where a condition is due
    void value();      // an expression where a value is due
    Sort expression();
    Sort conjunction();
    Sort joined(std::string_view word, Sort (ConditionReader::*operand)());
    Sort computed(bool (ConditionReader::*at_operator)() const, Sort (ConditionReader::*operand)());
    bool at_addition() const;
    bool at_multiplication() const;
    Sort negation();
    Sort predicate();
    void comparison_operand();
    void in_list();
    Sort additive();
    Sort multiplicative();
    Sort unary();
    Sort primary();
    Sort word_primary();
    Sort parenthesis();
    void call(std::string_view name);
    void call_arguments(std::string_view name);
    void window();
    Sort case_expression();
    Sort name_chain();
    void postfix();

    // Tokens.
    const Token &peek(std::size_t ahead = 0) const;
    bool at_word(std::string_view word) const { return peek().is(word); }
    bool accept(std::string_view word);
    bool accept(TokenKind kind);
    void expect(std::string_view word);
    void expect(TokenKind kind);
    void skip_parenthesis();  // the balanced (...) at the current token
    bool at_query() const;    // a SELECT (or WITH) starts here, after any "("
    [[noreturn]] void unread() const { throw Unread{}; }

    // Each records a finding when 'sort' is not what is due; the expression spans the tokens from
    // 'from' to 'to' (the current token when npos).
    void need_condition(Sort sort, std::size_t from, std::size_t to = npos);
    void need_value(Sort sort, std::size_t from, std::size_t to = npos);
    void report(ConditionMisuse kind, std::size_t from, std::size_t to, std::string message);

    Target target_;
    std::string_view original_;
    std::vector<Token> tokens_;
    std::size_t at_ = 0;
};

// Words that are no name or alias where they stand in a SELECT command.
bool reserved_word(std::string_view word);

}  // namespace tarnvel::residue
