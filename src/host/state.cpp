#include "host/state.h"

namespace tarnvel::state {
namespace {
std::atomic<bool> from_fox_switch{true};
std::atomic<char> last_clause_letter{0};
}  // namespace

bool from_fox() { return from_fox_switch.load(std::memory_order_relaxed); }
void set_from_fox(bool on) { from_fox_switch.store(on, std::memory_order_relaxed); }
char last_clause() { return last_clause_letter.load(std::memory_order_relaxed); }
void set_last_clause(char clause) { last_clause_letter.store(clause, std::memory_order_relaxed); }

}  // namespace tarnvel::state
