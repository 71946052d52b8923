#include "structure/types.h"

namespace tarnvel::structure {

const TypeSpelling type_spellings[] = {
    {"C", 'C'}, {"CHAR", 'C'}, {"CHARACTER", 'C'},
    {"V", 'V'}, {"VARCHAR", 'V'},
    {"N", 'N'}, {"NUM", 'N'}, {"NUMERIC", 'N'}, {"NUMBER", 'N'}, {"DECIMAL", 'N'}, {"DEC", 'N'},
    {"F", 'F'}, {"FLOAT", 'F'},
    {"I", 'I'}, {"INT", 'I'}, {"INTEGER", 'I'},
    {"B", 'B'}, {"DOUBLE", 'B'},
    {"Y", 'Y'}, {"CURRENCY", 'Y'}, {"MONEY", 'Y'},
    {"D", 'D'}, {"DATE", 'D'},
    {"T", 'T'}, {"DATETIME", 'T'},
    {"L", 'L'}, {"LOGICAL", 'L'}, {"BOOLEAN", 'L'}, {"BOOL", 'L'}, {"BIT", 'L'},
    {"M", 'M'}, {"MEMO", 'M'},
    {"G", 'G'}, {"GENERAL", 'G'},
    {"Q", 'Q'}, {"VARBINARY", 'Q'},
    {"W", 'W'}, {"BLOB", 'W'},
};
const std::size_t type_spelling_count = sizeof type_spellings / sizeof type_spellings[0];

namespace {
char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

char type_letter(std::string_view spelling) {
    for (const TypeSpelling &row : type_spellings) {
        if (row.spelling.size() != spelling.size()) continue;
        std::size_t i = 0;
        while (i < spelling.size() && ascii_upper(spelling[i]) == row.spelling[i]) ++i;
        if (i == spelling.size()) return row.letter;
    }
    return 0;
}

}  // namespace tarnvel::structure
