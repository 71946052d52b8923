#include "residue/type_rows.h"

#include <algorithm>
#include <iterator>

namespace tarnvel::residue {
namespace {

constexpr int no = -1;
constexpr int many = 255;

struct TypeRow {
    std::string_view word;
    int widths[dialect_count];      // per target, in the order of Target: SQL Server, Oracle, MySQL, Access,
                                    // PostgreSQL
    std::string_view next = {};     // the word that must follow it ...
    Targets next_required = 0;      // ... in these targets
};

constexpr TypeRow type_rows[] = {
    {"AUTOINCREMENT", {no, no, no, 2, no}},
    {"BFILE", {no, 0, no, no, no}},
    {"BIGINT", {0, no, 1, no, 0}},
    {"BINARY", {1, no, 1, 1, no}},
    {"BINARY_DOUBLE", {no, 0, no, no, no}},
    {"BINARY_FLOAT", {no, 0, no, no, no}},
    {"BIT", {0, no, 1, 0, no}},
    {"BLOB", {no, 0, 1, no, no}},
    {"BOOL", {no, no, 0, no, 0}},
    {"BOOLEAN", {no, no, 0, no, 0}},
    {"BYTE", {no, no, no, 0, no}},
    {"BYTEA", {no, no, no, no, 0}},
    {"CHAR", {1, 1, 1, 1, 1}},
    {"CHARACTER", {1, 1, 1, 1, 1}},
    {"CLOB", {no, 0, no, no, no}},
    {"COUNTER", {no, no, no, 2, no}},
    {"CURRENCY", {no, no, no, 0, no}},
    {"DATE", {0, 0, 0, 0, 0}},
    {"DATETIME", {0, no, 1, 0, no}},
    {"DATETIME2", {1, no, no, no, no}},
    {"DATETIMEOFFSET", {1, no, no, no, no}},
    {"DEC", {2, 2, 2, 2, 2}},
    {"DECIMAL", {2, 2, 2, 2, 2}},
    {"DOUBLE", {0, 0, 2, 0, 0}, "PRECISION", sqlserver | oracle | pgsql},
    {"ENUM", {no, no, many, no, no}},
    {"FIXED", {no, no, 2, no, no}},
    {"FLOAT", {1, 1, 2, 0, 1}},
    {"FLOAT4", {no, no, 0, 0, 0}},
    {"FLOAT8", {no, no, 0, 0, 0}},
    {"GENERAL", {no, no, no, 0, no}},
    {"GUID", {no, no, no, 0, no}},
    {"IEEEDOUBLE", {no, no, no, 0, no}},
    {"IEEESINGLE", {no, no, no, 0, no}},
    {"IMAGE", {0, no, no, 0, no}},
    {"INT", {0, 0, 1, 0, 0}},
    {"INTEGER", {0, 0, 1, 0, 0}},
    {"INTEGER1", {no, no, no, 0, no}},
    {"INTEGER2", {no, no, no, 0, no}},
    {"INTEGER4", {no, no, no, 0, no}},
    {"JSON", {no, no, 0, no, 0}},
    {"LOGICAL", {no, no, no, 0, no}},
    {"LOGICAL1", {no, no, no, 0, no}},
    {"LONG", {no, 0, 0, 0, no}},
    {"LONGBINARY", {no, no, no, 0, no}},
    {"LONGBLOB", {no, no, 0, no, no}},
    {"LONGCHAR", {no, no, no, 0, no}},
    {"LONGTEXT", {no, no, 0, 0, no}},
    {"MEDIUMBLOB", {no, no, 0, no, no}},
    {"MEDIUMINT", {no, no, 1, no, no}},
    {"MEDIUMTEXT", {no, no, 0, no, no}},
    {"MEMO", {no, no, no, 0, no}},
    {"MONEY", {0, no, no, 0, 0}},
    {"NCHAR", {1, 1, 1, 1, 1}},
    {"NCLOB", {no, 0, no, no, no}},
    {"NTEXT", {0, no, no, 0, no}},
    {"NUMBER", {no, 2, no, 0, no}},
    {"NUMERIC", {2, 2, 2, 2, 2}},
    {"NVARCHAR", {1, no, 1, no, no}},
    {"NVARCHAR2", {no, 1, no, no, no}},
    {"OLEOBJECT", {no, no, no, 0, no}},
    {"RAW", {no, 1, no, no, no}},
    {"REAL", {0, 0, 2, 0, 0}},
    {"ROWVERSION", {0, no, no, no, no}},
    {"SERIAL", {no, no, 0, no, 0}},
    {"SET", {no, no, many, no, no}},
    {"SHORT", {no, no, no, 0, no}},
    {"SINGLE", {no, no, no, 0, no}},
    {"SMALLDATETIME", {0, no, no, no, no}},
    {"SMALLINT", {0, 0, 1, 0, 0}},
    {"SMALLMONEY", {0, no, no, no, no}},
    {"TEXT", {0, no, 1, 1, 0}},
    {"TIME", {1, no, 1, 0, 1}},
    {"TIMESTAMP", {0, 1, 1, 0, 1}},
    {"TINYBLOB", {no, no, 0, no, no}},
    {"TINYINT", {0, no, 1, 0, no}},
    {"TINYTEXT", {no, no, 0, no, no}},
    {"UNIQUEIDENTIFIER", {0, no, no, 0, no}},
    {"VARBINARY", {1, no, 1, 1, no}},
    {"VARCHAR", {1, 1, 1, 1, 1}},
    {"VARCHAR2", {no, 1, no, no, no}},
    {"XML", {0, no, no, no, 0}},
    {"XMLTYPE", {no, 0, no, no, no}},
    {"YEAR", {no, no, 1, no, no}},
    {"YESNO", {no, no, no, 0, no}},
};

// The types MySQL's CAST takes (its column types mostly are not).
struct CastRow {
    std::string_view word;
    int widths;
};
constexpr CastRow mysql_cast_rows[] = {
    {"BINARY", 1}, {"CHAR", 1}, {"CHARACTER", 1}, {"NCHAR", 1}, {"VARCHAR", 1}, {"DATE", 0},
    {"DATETIME", 1}, {"TIME", 1}, {"DECIMAL", 2}, {"DEC", 2}, {"DOUBLE", 0}, {"FLOAT", 1},
    {"SIGNED", 0}, {"UNSIGNED", 0}, {"INT", 0}, {"INTEGER", 0},
};

// FoxPro's type names; each may be abbreviated to four letters.
constexpr std::string_view foxpro_names[] = {
    "CHARACTER", "NUMERIC", "FLOAT", "INTEGER", "DOUBLE", "CURRENCY", "DATE", "DATETIME",
    "LOGICAL", "MEMO", "GENERAL", "VARCHAR", "VARBINARY", "BLOB",
};
constexpr std::string_view foxpro_letters = "CNFIBYDTLMGVQW";

}  // namespace

int type_widths(Target target, std::string_view word, std::string_view next) {
    auto row = std::find_if(std::begin(type_rows), std::end(type_rows),
                            [&](const TypeRow &r) { return same_word(word, r.word); });
    if (row == std::end(type_rows)) return no;
    if ((row->next_required & bit(target)) && !same_word(next, row->next)) return no;
    return row->widths[static_cast<int>(target)];
}

int cast_widths(Target target, std::string_view word, std::string_view next) {
    if (target != Target::mysql) return type_widths(target, word, next);
    auto row = std::find_if(std::begin(mysql_cast_rows), std::end(mysql_cast_rows),
                            [&](const CastRow &r) { return same_word(word, r.word); });
    return row == std::end(mysql_cast_rows) ? no : row->widths;
}

bool foxpro_type_word(std::string_view word) {
    if (word.size() == 1) return foxpro_letters.find(upper_ascii(word[0])) != npos;
    if (same_word(word, "CHAR") || same_word(word, "NUM") || same_word(word, "INT")) return true;
    return std::any_of(std::begin(foxpro_names), std::end(foxpro_names),
                       [&](std::string_view name) { return abbreviates(word, name); });
}

}  // namespace tarnvel::residue
