// The clause converter: one left-to-right pass over a UNION member that converts literals, decides
// every word through the dialect's decision chain, rewrites function calls in the work copy and
// sorts the text into the clause buffers. One engine for every dialect; the Dialect says what
// differs.
#pragma once

#include "lex/scan.h"
#include "select/clauses.h"
#include "select/pair_index.h"
#include "select/work_text.h"

#include <array>
#include <cassert>
#include <initializer_list>
#include <span>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace tarnvel::select {

struct DateLiteral;

// Converts one member into the clause buffers (which the caller has released); may set force_order.
void convert_clauses(Session &session, Clauses &clauses, bool &force_order, std::string_view member);

class Scanner {
public:
    Scanner(Session &session, Clauses &clauses, bool &force_order, std::string_view member);
    void run();

private:
    enum class Verdict { pass, keep, quote, drop };

    // --- the character loop (scanner.cpp)
    bool outside() const {  // in no literal or region: the six flags read as one number
        std::uint64_t any = 0;
        std::memcpy(&any, &in_, sizeof in_);
        return any == 0;
    }
    // the steps of the loop, inline in it (scanner.cpp alone calls them)
    inline void step_plain(char c);
    inline void step_special(char c);
    inline void end_word_at_delimiter(char c);
    bool finish_word();
    bool select_before_tilde() const;
    struct Regions;
    bool outside_but(bool Regions::*region) const;
    bool toggle(bool &region);
    bool step_literal(char c);
    bool step_double_quote();
    bool step_single_quote();
    bool alias_quote(bool opening);
    void note_like_pattern(bool opening, char close);
    [[nodiscard]] bool escape_after(char close) const;
    [[nodiscard]] bool written_ends_with(std::string_view word) const;
    bool step_backtick();
    bool step_open_bracket();
    bool step_close_bracket();
    bool step_caret();
    bool step_tilde();
    bool step_tilde_paren(char c);
    bool step_date(char c);
    bool compared_literal(const DateLiteral &literal) const;
    bool empty_date_rewritten(DateLiteral &literal, std::string &text);
    bool operand_of_operator();
    bool compare_with_null();
    bool in_sum(const DateLiteral &literal);
    void collapse_blanks();
    void host_variable();
    bool table_name_here() const;
    [[gnu::cold]] bool numbered_table();
    [[gnu::cold]] void hex_digits_after(std::string_view run);
    bool hex_string_prefix() const;
    void emit(char c) {
        if (Text *sink = clauses_.current_sink()) sink->push(c);
    }
    void emit(std::string_view text) {
        if (Text *sink = clauses_.current_sink()) sink->append(text);
    }
    void copy_current() {
        emit(work_.at(pos_));
        ++pos_;
    }
    template <typename InRun> std::string_view take_run(InRun in_run);
    template <typename InRun> void copy_run(InRun in_run);
    template <typename InRun> void skip_run(InRun in_run);
    void end_member();

    // --- words (word.cpp)
    void process_word(std::size_t start);
    void run_chain(const RowSet &rows);
    Verdict apply(const ChainRow &row);
    // process_word's last step, always inlined in it (its one caller): for most words the call and
    // its register saves cost as much as the body
    [[gnu::always_inline]] inline void write_word(bool lexicon_word);
    // Whether the word may get "=1": a bare (unmatched or quoted) operand, no hold, in the select list
    // inside a WHEN or in a condition (WHERE, a join's ON, HAVING) outside THEN and ELSE. The tests of
    // its neighbours come after. Read for every word: kept small enough to be inlined.
    bool equals_one_possible() const { return (!matched_ || quote_) && condition_operand_possible(); }
    // The operand stands in a condition: no hold, in the select list, GROUP BY or ORDER BY inside a
    // WHEN, in WHERE, in a join's ON or in HAVING outside THEN and ELSE.
    bool condition_operand_possible() const {
        if (hold_ > 0 || between_ > 0 || in_destination_) return false;
        const Clause c = clause();
        if (c == Clause::select) return !cases_.empty() && cases_.back() == 'w';
        if (c == Clause::where) return cases_.empty() || cases_.back() == 'w';
        return (in_on_ || in_having_ || !cases_.empty()) && other_condition();
    }
    // WHEN, THEN, ELSE or END: the upper bound of a BETWEEN whose AND was read ends there.
    void bound_ends() { between_ -= between_ % 2; }
    std::size_t blanks_before(std::size_t at) const;
    bool after_connector() const;
    bool item_name_here() const;
    bool member_here() const;
    bool alias_here() const;
    bool other_condition() const;
    void equals_one();
    void call_test();
    bool alone_in_condition_group() const;
    void renamed_call_test();
    std::ptrdiff_t condition_call_close() const;
    bool opener_before(std::size_t start, std::span<const std::string_view> openers, std::size_t &groups) const;
    long groups_open_at_end(std::size_t after, std::size_t groups) const;
    bool output_option() const;
    bool words_follow(std::size_t at, std::span<const std::string_view> words) const;
    bool words_follow(std::size_t at, std::initializer_list<std::string_view> words) const {
        return words_follow(at, std::span(words.begin(), words.size()));
    }
    void anchor();
    void remember_previous(std::string_view keyword);
    void remember_previous_upper(std::string_view written);
    bool previous_is(std::string_view keyword) const;

    // --- keyword rows (rows_keyword.cpp): a table of handlers indexed by the row kind
    struct KeywordRows;
    Verdict keyword_row(Row row);
    Clause clause() const { return clauses_.current; }
    Verdict top_row();
    Verdict date_row();
    void open_clause(Clause clause);
    void keep_lead(std::size_t end);
    bool cond_clause() const;
    bool in_call() const;
    bool cast_type() const;
    bool modifier_place();
    bool case_clause() const;
    void dot_fix();
    bool dotted() const;
    bool follows(std::string_view text) const;
    bool join_follows() const;
    void push_case(char mark = 'w');
    // --- the CASEs the IIF rewrite opened (iif_cases.cpp)
    void push_iif_case(std::size_t then_at, std::size_t else_at, std::size_t end_at);
    bool at_iif_level();
    Verdict iif_case_word(char mark);
    [[nodiscard]] bool word_at_distance(std::size_t distance, std::string_view word) const;
    // Inside a call's own list (OVER (PARTITION BY a ORDER BY b)), whose key words are the call's.
    bool in_call_list() const { return call_list_tail_ != 0 && work_.length() - pos_ >= call_list_tail_; }
    bool call_list_here();

    // --- function rows (rows_function.cpp)
    struct FunctionEdits;  // a table of handlers indexed by the edit kind
    Verdict function_row(const FunctionRow &row);
    void reserve_room(std::size_t room);
    std::size_t iif_pair(std::size_t open);
    std::ptrdiff_t iif_comma(std::size_t open, std::size_t pair) const;

    // --- the tests of the scanning helpers, at the current word
    std::string_view text() const { return work_.view(); }
    lex::Pos rel(std::size_t at) const { return static_cast<lex::Pos>(at - work_.base()); }
    lex::Pos here() const {
        assert(view_is_whole());
        return rel(pos_);
    }
    bool view_is_whole() const;  // nothing a test at the word may read lies before the view
    lex::Pos wlen() const { return static_cast<lex::Pos>(length_); }
    bool paren_follows() const { return lex::followed_by_open_paren(text(), here()); }
    std::size_t open_paren() const { return work_.at(pos_) == '(' ? pos_ : pos_ + 1; }
    std::ptrdiff_t close_of(std::size_t open) const;  // -1 when the group is not closed
    std::ptrdiff_t comma_after(std::size_t at) const;
    bool commas_beyond(std::size_t from, std::ptrdiff_t close, int commas) const;
    bool arguments_beyond(std::size_t open, int most) const;
    bool operand_before(bool dot = false) const;
    bool operand_after(bool dot = false) const;
    bool operand_neighbours() const { return operand_before() || operand_after(); }
    bool predicate_follows() const;
    bool item_ends(std::size_t at) const;

    Session &session_;
    const Dialect &dialect_;
    const lex::EdgeQuotes edges_;  // the dialect's members of the scanning tests, reading names as the session does
    Clauses &clauses_;
    bool &force_order_;
    WorkText work_;
    std::size_t member_length_;
    std::size_t pos_ = 0;

    // literal states
    struct Regions {
        bool single = false, double_quoted = false, bracket = false, caret = false, tilde = false, tick = false;
        std::array<bool, 2> unused{};  // never set: the flags fill one number, which outside() reads in one load
    } in_;
    static_assert(sizeof(Regions) == sizeof(std::uint64_t));
    int bracket_depth_ = 0;
    int tilde_depth_ = 0;
    bool alias_name_ = false;  // the string being read is a select item's alias written as a name
    bool like_pattern_ = false;  // the string being read is a FoxPro LIKE pattern whose "[" is escaped

    // the word being decided
    bool collecting_ = false;
    std::size_t word_start_ = 0;
    std::size_t length_ = 0;
    bool type_word_ = false;    // the next word was inserted by a row and is written as it stands
    bool matched_ = false, quote_ = false, drop_ = false, moved_ = false;
    bool renamed_call_ = false;  // a row renamed the call (NVL as ISNULL): its name is the target's
    std::string_view keyword_;  // the word of the lexicon being decided, upper-cased (the lexicon's copy)
    std::string_view name_;     // a replacement for the word, when a row gives one
    Text built_;                // a replacement built from the arguments
    std::array<char, 8> previous_{};
    std::size_t previous_length_ = 0;

    // conditions
    Text cases_;                // the CASE stack: one entry per open CASE ('c' its operand, 'w', 't', 'e')
    // A CASE the IIF rewrite opened takes its own THEN, ELSE and END, in that order and nowhere
    // else: every other CASE word at its level is a name (a field called ELSE). The words are held
    // as their distances from the end of the text, which the edits before them leave as they are.
    struct IifCase {
        std::size_t level;                // its entry in cases_
        std::array<std::size_t, 3> words; // THEN, ELSE, END
        std::size_t next;                 // the word to come
    };
    std::vector<IifCase> iif_cases_;
    // Where the last WHEN, THEN or ELSE kept as a CASE's word starts: text the scan has passed keeps
    // its place, so the word after it can tell that no operand stands before it (THEN escape ELSE).
    std::size_t case_word_at_ = static_cast<std::size_t>(-1);
    bool after_case_word() const;
    bool case_opens() const;
    int between_ = 0;           // two per BETWEEN: its AND, then its upper bound up to the next AND or OR
    // The last BETWEEN: the end of the word as its distance from the end of the text, and the CASEs
    // open there. An AND or OR in a group or a CASE opened after it belongs to a bound.
    std::size_t between_at_ = 0;
    std::size_t between_cases_ = 0;
    long between_level() const;
    int hold_ = 0;              // words to go before "=1" may be appended again
    bool in_on_ = false;        // in the join condition of FROM
    bool in_having_ = false;
    Text held_having_;          // a HAVING part written before GROUP BY, which the member's end appends
    std::size_t held_at_ = static_cast<std::size_t>(-1);  // where in GROUP BY a destination starts: the HAVING part goes there
    void note_destination() {
        if (held_having_ && clause() == Clause::group && held_at_ == static_cast<std::size_t>(-1)) held_at_ = clauses_.group().size();
    }
    bool in_destination_ = false;  // after a FoxPro INTO CURSOR, ARRAY, DBF, TABLE or TO FILE... in a condition clause
    // The ")" that ends the call's own list the scan is in, as its distance from the end of the
    // text: while the scan is in the list, the rows edit the text before it only, which leaves the
    // distance as it is (anchor() forgets the list before an edit beyond it); 0: none
    std::size_t call_list_tail_ = 0;
    std::size_t call_list_cases_ = 0;  // the CASEs open where the list began: a WHEN opened in it holds conditions
    bool list_by_ = false;  // the next word is the BY of a call's ORDER BY or PARTITION BY
    Text row_limit_;
    bool percent_ = false;  // row_limit_ is a percentage limit written after ORDER BY
    std::array<char, 4> style_{};
    bool style_read_ = false;
    // The parenthesis pairs ahead, read once after a few IIFs of the member asked for a ")" (a nest
    // of IIFs asks for one at every level)
    PairIndex pairs_;
    std::size_t unindexed_iifs_ = 0;
    std::size_t unindexed_reading_ = 0;  // the characters their searches read since
};

}  // namespace tarnvel::select
