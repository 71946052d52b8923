#include "library/functions.h"

#include "host/function_table.h"

namespace tarnvel {
namespace {

#define TARNVEL_INFO_ROW(name, types, count) {#name, &entries::name, count, types},
const FoxInfo infos[] = {TARNVEL_FUNCTIONS(TARNVEL_INFO_ROW)};
#undef TARNVEL_INFO_ROW

const FoxTable table = {nullptr, static_cast<int16_t>(sizeof infos / sizeof infos[0]), infos};

static_assert(sizeof infos / sizeof infos[0] == 31, "the library has 31 functions");

}  // namespace

const FoxTable *function_table() { return &table; }

}  // namespace tarnvel
