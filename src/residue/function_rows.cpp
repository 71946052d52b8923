#include "residue/function_rows.h"

#include <algorithm>
#include <iterator>

namespace tarnvel::residue {
namespace {

constexpr Targets all = every_target;
constexpr Targets none = no_target;
constexpr int any = -1;
constexpr int several = -2;  // two or more

// A FoxPro function is left in converted text when the target has no function of that name that
// does the same. Names the targets share with FoxPro but use differently are listed with the
// argument count that tells FoxPro's use apart (FoxPro's DATE() takes none, MySQL's takes one);
// the first row that fits a call holds.
constexpr FunctionRow rows[] = {
    // FoxPro tests and choices
    {"EMPTY", any, none, ""},
    {"INLIST", any, none, ""},
    {"BETWEEN", 3, none, "use x BETWEEN a AND b"},
    {"ICASE", any, none, "use CASE WHEN ... END"},
    {"IIF", any, sqlserver | access, ""},
    {"EVL", any, none, ""},
    {"NVL", any, oracle, "use COALESCE"},
    {"ISNULL", 1, mysql | access, "FoxPro's ISNULL(x) is the test x IS NULL"},
    {"ISBLANK", any, none, ""},
    {"ISDIGIT", any, none, ""},
    {"ISALPHA", any, none, ""},
    {"ISUPPER", any, none, ""},
    {"ISLOWER", any, none, ""},
    {"VARTYPE", any, none, ""},
    {"TYPE", any, none, ""},
    {"EVALUATE", any, none, ""},
    {"TEXTMERGE", any, none, ""},
    // strings
    {"ALLTRIM", any, none, "use LTRIM(RTRIM(x))"},
    // LTRIM(s, c), RTRIM(s, c): a set of characters trimmed in Oracle and PostgreSQL; FoxPro's parse
    // strings elsewhere (SQL Server's takes them from 2022)
    {"LTRIM", several, oracle | pgsql, ""},
    {"RTRIM", several, oracle | pgsql, ""},
    {"TRIM", several, none, ""},
    {"LTRIM", any, all, ""},
    {"RTRIM", any, all, ""},
    {"TRIM", any, all, ""},
    {"PADL", any, none, ""},
    {"PADR", any, none, ""},
    {"PADC", any, none, ""},
    {"SUBSTR", any, oracle | mysql | pgsql, ""},
    {"LEFT", any, sqlserver | mysql | access | pgsql, ""},
    {"RIGHT", any, sqlserver | mysql | access | pgsql, ""},
    {"LEN", any, sqlserver | access, ""},
    {"UPPER", any, sqlserver | oracle | mysql | pgsql, ""},
    {"LOWER", any, sqlserver | oracle | mysql | pgsql, ""},
    {"PROPER", any, none, ""},
    {"SPACE", any, sqlserver | mysql | access, ""},
    {"REPLICATE", any, sqlserver, ""},
    {"STUFF", any, sqlserver, ""},
    {"STRTRAN", any, none, "use REPLACE"},
    {"CHRTRAN", any, none, ""},
    {"STRCONV", any, none, ""},
    {"AT", any, none, ""},
    {"ATC", any, none, ""},
    {"RAT", any, none, ""},
    {"ATLINE", any, none, ""},
    {"ATCLINE", any, none, ""},
    {"RATLINE", any, none, ""},
    {"OCCURS", any, none, ""},
    {"STREXTRACT", any, none, ""},
    {"GETWORDNUM", any, none, ""},
    {"GETWORDCOUNT", any, none, ""},
    {"MLINE", any, none, ""},
    {"MEMLINES", any, none, ""},
    {"CHR", any, oracle | access | pgsql, ""},
    {"ASC", any, access, ""},
    {"SOUNDEX", any, sqlserver | oracle | mysql, ""},
    {"DIFFERENCE", any, sqlserver, ""},
    {"ADDBS", any, none, ""},
    {"JUSTFNAME", any, none, ""},
    {"JUSTSTEM", any, none, ""},
    {"JUSTPATH", any, none, ""},
    {"FORCEEXT", any, none, ""},
    {"DEFAULTEXT", any, none, ""},
    {"JUSTDRIVE", any, none, ""},
    {"FULLPATH", any, none, ""},
    {"CPCONVERT", any, none, ""},
    {"ISLEADBYTE", any, none, ""},
    // the double-byte variants, which the servers do not need: their text is characters
    {"LEFTC", any, none, ""},
    {"RIGHTC", any, none, ""},
    {"LENC", any, none, ""},
    {"SUBSTRC", any, none, ""},
    {"AT_C", any, none, ""},
    {"ATCC", any, none, ""},
    {"RATC", any, none, ""},
    {"STUFFC", any, none, ""},
    {"CHRTRANC", any, none, ""},
    {"LIKEC", any, none, ""},
    // numbers and conversions
    {"STR", 1, sqlserver | access, ""},
    {"STR", any, sqlserver, ""},
    {"VAL", any, access, ""},
    {"TRANSFORM", any, none, ""},
    {"INT", any, access, ""},
    {"MOD", any, oracle | mysql | pgsql, ""},
    {"SIGN", any, sqlserver | oracle | mysql | pgsql, ""},
    {"SQRT", any, sqlserver | oracle | mysql | pgsql, ""},
    {"CEILING", any, sqlserver | mysql | pgsql, ""},
    {"FLOOR", any, sqlserver | oracle | mysql | pgsql, ""},
    {"PI", any, sqlserver | mysql | pgsql, ""},
    {"LOG", 1, sqlserver | mysql | access, "FoxPro's LOG is the natural logarithm (LN)"},
    {"LOG10", any, sqlserver | mysql | pgsql, ""},
    {"ATAN", any, sqlserver | oracle | mysql | pgsql, ""},
    {"ASIN", any, sqlserver | oracle | mysql | pgsql, ""},
    {"ACOS", any, sqlserver | oracle | mysql | pgsql, ""},
    {"ATN2", any, sqlserver, "use ATAN2(y, x)"},
    {"FV", any, none, ""},
    {"PV", any, none, ""},
    {"PAYMENT", any, none, ""},
    {"RAND", any, sqlserver | mysql, ""},
    {"CAST", any, sqlserver | oracle | mysql | pgsql, ""},
    {"MAX", several, none, "FoxPro's MAX(a, b) is the greater value (GREATEST)"},
    {"MIN", several, none, "FoxPro's MIN(a, b) is the lesser value (LEAST)"},
    {"NTOM", any, none, ""},
    {"MTON", any, none, ""},
    {"BINTOC", any, none, ""},
    {"CTOBIN", any, none, ""},
    {"RGB", any, none, ""},
    // dates and times
    {"DATE", 0, access, ""},
    {"DATE", 3, none, ""},
    {"TIME", 0, access, ""},
    // TIME(n) is FoxPro's time with hundredths; MySQL's TIME(x) is the time part of x
    {"TIME", 1, none, "FoxPro's TIME(n) is the time of day with hundredths"},
    {"DATETIME", any, none, ""},
    {"YEAR", any, sqlserver | mysql | access, ""},
    {"MONTH", any, sqlserver | mysql | access, ""},
    {"DAY", any, sqlserver | mysql | access, ""},
    {"HOUR", any, mysql | access, ""},
    {"MINUTE", any, mysql | access, ""},
    {"SEC", any, none, ""},
    {"SECONDS", any, none, ""},
    {"QUARTER", several, none, "FoxPro's second argument is the first month of the year"},
    {"QUARTER", any, mysql, ""},
    {"WEEK", any, none, "MySQL's WEEK counts the weeks from the first Sunday"},
    {"DOW", any, none, ""},
    {"CDOW", any, none, ""},
    {"CMONTH", any, none, ""},
    {"GOMONTH", any, none, ""},
    {"DMY", any, none, ""},
    {"MDY", any, none, ""},
    {"DTOC", any, none, ""},
    {"DTOS", any, none, ""},
    {"CTOD", any, none, ""},
    {"DTOT", any, none, ""},
    {"TTOC", any, none, ""},
    {"TTOD", any, none, ""},
    {"CTOT", any, none, ""},
    // the work area and arrays
    {"CNT", any, none, "use COUNT"},
    {"ASCAN", any, none, ""},
    {"ALEN", any, none, ""},
    {"DELETED", any, none, "deleted rows do not exist on a server"},
    {"RECNO", any, none, ""},
    {"RECCOUNT", any, none, ""},
    {"AELEMENT", any, none, ""},
    {"ASUBSCRIPT", any, none, ""},
    {"ALINES", any, none, ""},
    // the session: work areas, tables, indexes, buffers, locks
    {"ALIAS", any, none, ""},
    {"USED", any, none, ""},
    {"DBF", any, none, ""},
    {"FCOUNT", any, none, ""},
    {"FIELD", any, none, ""},
    {"EOF", any, none, ""},
    {"BOF", any, none, ""},
    {"FOUND", any, none, ""},
    {"SEEK", any, none, ""},
    {"INDEXSEEK", any, none, ""},
    {"KEYMATCH", any, none, ""},
    {"LOOKUP", any, none, ""},
    {"TAG", any, none, ""},
    {"OLDVAL", any, none, ""},
    {"CURVAL", any, none, ""},
    {"GETFLDSTATE", any, none, ""},
    {"ISEXCLUSIVE", any, none, ""},
    {"RLOCK", any, none, ""},
    {"FLOCK", any, none, ""},
    {"LOCK", any, none, ""},
    {"ISRLOCKED", any, none, ""},
    {"ISFLOCKED", any, none, ""},
    {"ISREADONLY", any, none, ""},
    {"ORDER", any, none, ""},
    // KEY() and FILTER() with no argument: a key or filter of three arguments is no call of FoxPro's
    {"KEY", 0, none, ""},
    {"FILTER", 0, none, ""},
    {"RELATION", any, none, ""},
    {"TXNLEVEL", any, none, ""},
    {"GETNEXTMODIFIED", any, none, ""},
    {"SETFLDSTATE", any, none, ""},
    {"CURSORGETPROP", any, none, ""},
    {"DBGETPROP", any, none, ""},
    {"SQLGETPROP", any, none, ""},
    {"DBUSED", any, none, ""},
    // the application, the machine and its files
    {"SYS", any, none, ""},
    {"SET", any, none, ""},
    {"VERSION", any, none, "FoxPro's version, not the server's"},
    {"OS", any, none, ""},
    {"GETENV", any, none, ""},
    {"CURDIR", any, none, ""},
    {"HOME", any, none, ""},
    {"DIRECTORY", any, none, ""},
    {"DISKSPACE", any, none, ""},
    {"FILETOSTR", any, none, ""},
    {"STRTOFILE", any, none, ""},
    {"FILE", any, none, ""},
    {"FSIZE", any, none, ""},
    {"FDATE", any, none, ""},
    {"JUSTEXT", any, none, ""},
    {"FORCEPATH", any, none, ""},
    {"MESSAGE", any, none, ""},
    {"MESSAGEBOX", any, none, ""},
    {"PROGRAM", any, none, ""},
    {"LINENO", any, none, ""},
    {"ERROR", any, none, ""},
    {"PCOUNT", any, none, ""},
    {"PARAMETERS", any, none, ""},
    {"INKEY", any, none, ""},
    {"LASTKEY", any, none, ""},
    {"CHRSAW", any, none, ""},
    {"EXECSCRIPT", any, none, ""},
    {"CREATEOBJECT", any, none, ""},
    {"NEWOBJECT", any, none, ""},
    {"PEMSTATUS", any, none, ""},
    {"INPUTBOX", any, none, ""},
    {"GETFILE", any, none, ""},
    {"PUTFILE", any, none, ""},
    // bits
    {"BITAND", any, oracle, ""},
    {"BITOR", any, none, ""},
    {"BITXOR", any, none, ""},
    {"BITNOT", any, none, ""},
    {"BITLSHIFT", any, none, ""},
    {"BITRSHIFT", any, none, ""},
    {"BITTEST", any, none, ""},
    {"BITSET", any, none, ""},
    {"BITCLEAR", any, none, ""},
};

// The targets' own functions (and LIKE, whose pattern may stand in parentheses) whose names are
// FoxPro abbreviations of other functions.
struct OwnName {
    std::string_view name;
    Targets targets;
};
constexpr OwnName own_names[] = {
    {"CEIL", oracle | mysql | pgsql},
    {"SECOND", mysql | access},
    {"LIKE", all},
    {"DEFAULT", all},      // a column's DEFAULT (0); MySQL's DEFAULT(col)
    {"TEXT", all},         // PostgreSQL's text(x), a type's name
    {"LAST", access},      // Access's aggregate
};

bool matches(const FunctionRow &row, int arguments) {
    return row.arguments == any || row.arguments == arguments || (row.arguments == several && arguments >= 2);
}

}  // namespace

std::span<const FunctionRow> function_rows() { return rows; }

FunctionMatch foxpro_function(Target target, std::string_view name, int arguments) {
    const FunctionRow *exact = nullptr;
    bool named = false;
    for (const FunctionRow &row : rows) {
        if (!same_word(name, row.name)) continue;
        named = true;
        if (!exact && matches(row, arguments)) exact = &row;
    }
    if (named) return {exact && !(exact->have & bit(target)) ? exact : nullptr, false};
    for (const OwnName &own : own_names) {
        if (same_word(name, own.name) && (own.targets & bit(target))) return {};
    }
    if (name.size() < 4) return {};
    auto it = std::find_if(std::begin(rows), std::end(rows), [&](const FunctionRow &row) {
        return abbreviates(name, row.name) && matches(row, arguments);
    });
    return it == std::end(rows) ? FunctionMatch{} : FunctionMatch{&*it, true};
}

}  // namespace tarnvel::residue
