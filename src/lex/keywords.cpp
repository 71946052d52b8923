// The ten keyword lists and their lookup.
//
// A lookup answers exactly what a plain substring search of the needle ",WORD," (or of the word
// itself, when it begins with a comma or has 97 characters or more) in the stored strings would
// answer. Words without a comma, the common case, are looked up in a hash table of the entries,
// built at compile time from the stored strings; every other word takes the substring search.
#include "lex/keywords.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tarnvel::lex {

namespace {

// --- The stored lists, exactly as the dialects keep them ---

constexpr std::string_view sqlserver_reserved =
    ",ADD,ANY,ALTER,AUTHORIZATION,BACKUP,BEGIN,BETWEEN,BREAK,BROWSE,BULK,CASCADE,CASE,CHECK,,"
    "CHECKPOINT,CLOSE,CLUSTERED,COALESCE,COLLATE,COLUMN,COMMIT,COMPUTE,CONSTRAINT,CONTAINS,,CONTAINSTABLE,"
    "CONTINUE,CONVERT,CREATE,CROSS,CURRENT,CURRENT_DATE,CURRENT_TIME,,CURRENT_TIMESTAMP,CURRENT_USER,"
    "DATABASE,DBCC,DEALLOCATE,DECLARE,DEFAULT,DELETE,,DENY,DISK,DISTRIBUTED,DOUBLE,DROP,DUMMY,"
    "DUMP,ELSE,END,ERRLVL,ESCAPE,EXCEPT,EXEC,,EXECUTE,EXIT,FETCH,FILE,FILLFACTOR,FOR,FOREIGN,"
    "FREETEXT,FREETEXTTABLE,FUNCTION,,GOTO,GRANT,HOLDLOCK,IDENTITY,IDENTITY_INSERT,IDENTITYCOL,"
    "IF,INDEX,INSERT,INTERSECT,,IS,KEY,KILL,LINENO,LOAD,NATIONAL,NOCHECK,NONCLUSTERED,NULLIF,"
    "OF,OFF,OFFSETS,OPEN,,OPENDATASOURCE,OPENQUERY,OPENROWSET,OPENXML,OPTION,OVER,PERCENT,PLAN,"
    "PRECISION,,PRIMARY,PRINT,PROC,PROCEDURE,PUBLIC,RAISERROR,READ,READTEXT,RECONFIGURE,REFERENCES,,"
    "REPLICATION,RESTORE,RESTRICT,RETURN,REVOKE,ROLLBACK,ROWCOUNT,ROWGUIDCOL,RULE,SAVE,,SCHEMA,"
    "SESSION_USER,SET,SETUSER,SHUTDOWN,SOME,STATISTICS,SYSTEM_USER,TABLE,TEXTSIZE,THEN,,TO,TRAN,"
    "TRANSACTION,TRIGGER,TRUNCATE,UNIQUE,UPDATE,UPDATETEXT,USE,USER,VALUES,VARYING,,VIEW,WAITFOR,"
    "WHEN,WHILE,WITH,WRITETEXT,"
    // reserved by later versions: UNION, the table operators, the semantic search tables
    "EXTERNAL,MERGE,PIVOT,REVERT,SECURITYAUDIT,SEMANTICKEYPHRASETABLE,SEMANTICSIMILARITYDETAILSTABLE,"
    "SEMANTICSIMILARITYTABLE,TABLESAMPLE,TRY_CONVERT,TSEQUAL,UNION,UNPIVOT,WITHIN,";

constexpr std::string_view sqlserver_clause =
    ",ALL,AND,OR,AS,ORDER,ASC,DESC,CURSOR,DISTINCT,EXISTS,IN,FROM,GROUP,HAVING,,INNER,INTO,JOIN,"
    "FULL,LEFT,RIGHT,ON,LIKE,NOT,NULL,OUTER,SELECT,TOP,WHERE,";

constexpr std::string_view oracle_reserved =
    ",ACCESS,ADD,ALTER,ANY,AUDIT,BETWEEN,CHAR,CHECK,CLUSTER,COLUMN,COMMENT,COMPRESS,CONNECT,CREATE,"
    "CURRENT,DATE,DECIMAL,DEFAULT,DELETE,DROP,ELSE,EXCLUSIVE,FILE,FLOAT,FOR,GRANT,IDENTIFIED,"
    "IMMEDIATE,INCREMENT,INDEX,INITIAL,INSERT,INTEGER,INTERSECT,IS,LEVEL,LOCK,LONG,MAXEXTENTS,"
    "MINUS,MODE,MODIFY,NOAUDIT,NOCOMPRESS,NOWAIT,NULL,NUMBER,OF,OFFLINE,ONLINE,OPTION,PCTFREE,"
    "PRIOR,PRIVILEGES,PUBLIC,RAW,RENAME,RESOURCE,REVOKE,ROW,ROWID,ROWLABEL,ROWNUM,ROWS,SESSION,"
    "SET,SHARE,SIZE,SMALLINT,START,SUCCESSFUL,SYNONYM,SYSDATE,TABLE,THEN,TO,TRIGGER,UID,UNION,"
    "UNIQUE,UPDATE,USER,VALIDATE,VALUES,VARCHAR,VARCHAR2,VIEW,WHENEVER,WITH,,MLSLABEL,";

constexpr std::string_view oracle_clause =
    ",ALL,AND,OR,AS,ORDER,ASC,BY,DESC,DISTINCT,EXISTS,IN,FROM,GROUP,HAVING,,INNER,INTO,JOIN,LEFT,"
    "RIGHT,ON,LIKE,NOT,OUTER,SELECT,TOP,WHERE,";

constexpr std::string_view mysql_reserved =
    ",ACCESSIBLE,ADD,ALTER,ANALYZE,ASENSITIVE,BEFORE,BETWEEN,BIGINT,BINARY,BLOB,BOTH,CALL,CASCADE,"
    "CASE,CHANGE,CHAR,CHARACTER,CHECK,COLLATE,COLUMN,CONDITION,CONNECTION,CONSTRAINT,CONTINUE,"
    "CONVERT,CREATE,CROSS,CUBE,CUME_DIST,CURRENT_DATE,CURRENT_ROLE,CURRENT_TIME,CURRENT_TIMESTAMP,"
    "CURRENT_USER,DATABASE,DATABASES,DAY_HOUR,DAY_MICROSECOND,DAY_MINUTE,DAY_SECOND,DEC,DECIMAL,DECLARE,"
    "DEFAULT,DELAYED,DELETE,DELETE_DOMAIN_ID,DENSE_RANK,DESCRIBE,DETERMINISTIC,DISTINCTROW,DIV,"
    "DOUBLE,DO_DOMAIN_IDS,DROP,DUAL,EACH,ELSE,ELSEIF,EMPTY,ENCLOSED,ESCAPED,EXCEPT,EXIT,EXPLAIN,"
    "FALSE,FETCH,FIRST_VALUE,FLOAT,FLOAT4,FLOAT8,FOR,FORCE,FOREIGN,FULLTEXT,FUNCTION,GENERAL,GENERATED,GET,GOTO,"
    "GRANT,GROUPING,GROUPS,HIGH_PRIORITY,HOUR_MICROSECOND,HOUR_MINUTE,HOUR_SECOND,IF,IGNORE,"
    "IGNORE_DOMAIN_IDS,IGNORE_SERVER_IDS,INDEX,INFILE,INOUT,INSENSITIVE,INSERT,INT,INT1,INT2,INT3,INT4,INT8,INTEGER,INTERSECT,"
    "INTERVAL,IO_AFTER_GTIDS,IO_BEFORE_GTIDS,IS,ITERATE,JSON_TABLE,KEY,KEYS,KILL,LABEL,LAG,"
    "LAST_VALUE,LATERAL,LEAD,LEADING,LEAVE,LIMIT,LINEAR,LINES,LOAD,LOCALTIME,LOCALTIMESTAMP,LOCK,"
    "LONG,LONGBLOB,LONGTEXT,LOOP,LOW_PRIORITY,MASTER_BIND,MASTER_HEARTBEAT_PERIOD,"
    "MASTER_SSL_VERIFY_SERVER_CERT,MATCH,MAXVALUE,MEDIUMBLOB,MEDIUMINT,MEDIUMTEXT,MIDDLEINT,"
    "MINUTE_MICROSECOND,MINUTE_SECOND,MOD,MODIFIES,NATURAL,NO_WRITE_TO_BINLOG,NTH_VALUE,NTILE,"
    "NUMERIC,OF,OFFSET,OPTIMIZE,OPTIMIZER_COSTS,OPTION,OPTIONALLY,OUT,OUTFILE,OVER,PAGE_CHECKSUM,"
    "PARSE_VCOL_EXPR,PARTITION,PERCENT_RANK,POSITION,PRECISION,PRIMARY,PROCEDURE,PURGE,RANGE,RANK,"
    "READ,READS,READ_WRITE,REAL,RECURSIVE,REFERENCES,REF_SYSTEM_ID,REGEXP,RELEASE,RENAME,REPEAT,"
    "REPLACE,REQUIRE,RESIGNAL,RESTRICT,RETURN,RETURNING,REVOKE,RLIKE,ROW,ROWS,ROW_NUMBER,SCHEMA,"
    "SCHEMAS,SECOND_MICROSECOND,SENSITIVE,SEPARATOR,SET,SHOW,SIGNAL,SLOW,SMALLINT,SONAME,SPATIAL,"
    "SPECIFIC,SQL,SQLEXCEPTION,SQLSTATE,SQLWARNING,SQL_BIG_RESULT,SQL_CALC_FOUND_ROWS,"
    "SQL_SMALL_RESULT,SSL,STARTING,STATS_AUTO_RECALC,STATS_PERSISTENT,STATS_SAMPLE_PAGES,STORED,"
    "STRAIGHT_JOIN,SYSTEM,TABLE,TERMINATED,THEN,TINYBLOB,TINYINT,TINYTEXT,TO,TRAILING,TRIGGER,TRUE,"
    "UNDO,UNION,UNIQUE,UNLOCK,UNSIGNED,UPDATE,USAGE,USE,USING,UTC_DATE,UTC_TIME,UTC_TIMESTAMP,VALUES,"
    "VARBINARY,VARCHAR,VARCHARACTER,VARYING,VIRTUAL,WHEN,WHILE,WINDOW,WITH,WRITE,XOR,YEAR_MONTH,"
    "ZEROFILL,"
    // MariaDB's own: words its grammar takes as no name (a field list's column, a name the SELECT list
    // begins with or an alias without AS), and the user functions it calls without parentheses
    "MASTER_DEMOTE_TO_REPLICA,MASTER_DEMOTE_TO_SLAVE,PORTION,SESSION_USER,SOUNDS,SQL_BUFFER_RESULT,SQL_CACHE,"
    "SQL_NO_CACHE,SYSTEM_USER,";

constexpr std::string_view mysql_clause =
    ",ALL,AND,OR,AS,ORDER,ASC,DESC,CURSOR,DISTINCT,EXISTS,IN,FROM,GROUP,HAVING,,INNER,INTO,JOIN,"
    "LEFT,RIGHT,ON,LIKE,NOT,NULL,OUTER,SELECT,WHERE,";

// PostgreSQL's key words that are reserved, also those that can be a function or a type; the
// words of a SELECT command among them make the clause list.
constexpr std::string_view pgsql_reserved =
    ",ANALYSE,ANALYZE,ANY,ARRAY,ASYMMETRIC,AUTHORIZATION,BINARY,BOTH,CASE,CAST,CHECK,COLLATE,"
    "COLLATION,COLUMN,CONCURRENTLY,CONSTRAINT,CREATE,CROSS,CURRENT_CATALOG,CURRENT_DATE,"
    "CURRENT_ROLE,CURRENT_SCHEMA,CURRENT_TIME,CURRENT_TIMESTAMP,CURRENT_USER,DEFAULT,DEFERRABLE,DO,"
    "ELSE,END,EXCEPT,FALSE,FETCH,FOR,FOREIGN,FREEZE,GRANT,ILIKE,INITIALLY,INTERSECT,IS,ISNULL,"
    "LATERAL,LEADING,LIMIT,LOCALTIME,LOCALTIMESTAMP,NATURAL,NOTNULL,OFFSET,ONLY,OVERLAPS,PLACING,"
    "PRIMARY,REFERENCES,RETURNING,SESSION_USER,SIMILAR,SOME,SYMMETRIC,TABLE,TABLESAMPLE,THEN,TO,"
    "TRAILING,TRUE,UNION,UNIQUE,USER,USING,VARIADIC,VERBOSE,WHEN,WINDOW,WITH,SYSTEM_USER,";

constexpr std::string_view pgsql_clause =
    ",ALL,AND,OR,AS,ORDER,ASC,DESC,DISTINCT,IN,FROM,GROUP,HAVING,INNER,INTO,JOIN,FULL,LEFT,RIGHT,ON,LIKE,NOT,NULL,OUTER,SELECT,WHERE,";

constexpr std::string_view access_reserved_first =
    ",ABSOLUTE,ACTION,ADD,ADMINDB,ALLOCATE,ALPHANUMERIC,ALTER,ANY,ARE,ASSERTION,AT,AUTHORIZATION,"
    "AUTOINCREMENT,AVG,BAND,BEGIN,BETWEEN,BINARY,BIT,BIT_LENGTH,BNOT,BOR,BOTH,BXOR,BYTE,CASCADE,"
    "CASCADED,CASE,CAST,CATALOG,CHAR,CHARACTER,CHAR_LENGTH,CHARACTER_LENGTH,CHECK,CLOSE,COALESCE,"
    "COLLATE,COLLATION,COLUMN,COMMIT,COMP,COMPRESSION,CONNECT,CONNECTION,CONSTRAINT,CONSTRAINTS,"
    "CONTAINER,CONTINUE,CONVERT,CORRESPONDING,COUNT,COUNTER,CREATE,CREATEDB,CROSS,CURRENCY,CURRENT,"
    "CURRENT_DATE,CURRENT_TIME,CURRENT_TIMESTAMP,CURRENT_USER,CURSOR,DATABASE,DATE,DATETIME,DAY,"
    "DEALLOCATE,DEC,DECIMAL,DECLARE,DEFAULT,DEFERRABLE,DEFERRED,DELETE,DESCRIBE,DESCRIPTOR,DIAGNOSTICS,"
    "DISALLOW,DISCONNECT,DOMAIN,DOUBLE,DROP,ELSE,END,END-EXEC,ESCAPE,EXCEPT,EXCEPTION,EXCLUSIVECONNECT,"
    "EXEC,EXECUTE,EXTERNAL,EXTRACT,FALSE,FETCH,FIRST,FLOAT,FLOAT4,FLOAT8,FOR,FOREIGN,FOUND,FULL,"
    "GENERAL,GET,GLOBAL,GO,GOTO,GRANT,GUID,HOUR,IDENTITY,IEEEDOUBLE,IEEESINGLE,IGNORE,IMAGE,IMMEDIATE,"
    "ININDEX,INDICATOR,INHERITABLE,INITIALLY,INPUT,INSENSITIVE,INSERT,INT,INTEGER,INTEGER1,INTEGER2,"
    "INTEGER4,INTERSECT,INTERVAL,IS,ISOLATION,KEY,LANGUAGE,LAST,LEADING,LEVEL,LOCAL,LOGICAL,LOGICAL1,"
    "LONG,LONGBINARY,LONGCHAR,LONGTEXT,LOWER,MATCH,MEMO,MINUTE,MODULE,MONEY,MONTH,NAMES,NATIONAL,"
    "NATURAL,NCHAR,NEXT,NO,NOTE,NULL,NULLIF,NUMBER,NUMERIC,OBJECT,OCTET_LENGTH,OFOLEOBJECT,ONONLY,"
    "OPEN,OPTION,ORORDER,OUTPUT,OVERLAPS,OWNERACCESS,PAD,PARAMETERS,PARTIAL,PASSWORD,PERCENT,"
    "PIVOT,POSITION,PRECISION,PREPARE,PRESERVE,PRIMARY,PRIOR,PRIVILEGES,PROC,PROCEDURE,PUBLIC,"
    "READ,REAL,REFERENCES,RELATIVE,RESTRICT,REVOKE,ROLLBACK,ROWS,SCHEMA,SCROLL,SECOND,SECTION,"
    "SELECTSCHEMA,SELECTSECURITY,SESSION,SESSION_USER,SET,SHORT,SINGLE,SIZE,SMALLINT,SOME,SPACE,"
    "SQL,SQLCODE,SQLERROR,SQLSTATE,STRING,SUBSTRING,SYSTEM_USER,TABLE,TABLEID,TEMPORARY,TEXT,"
    "THEN,TIME,TIMESTAMP,TIMEZONE_HOUR,TIMEZONE_MINUTE,TO,TRAILING,TRANSACTION,TRANSFORM,TRANSLATE,"
    "TRANSLATION,TRIM,TRUE,UNIQUE,UNIQUEIDENTIFIER,UNKNOWN,UPDATE,UPDATEIDENTITY,";

constexpr std::string_view access_reserved_second =
    ",UPDATEOWNER,UPDATESECURITY,UPPER,USAGE,USER,USING,VALUE,VALUES,VARBINARY,VARCHAR,VARYING,"
    "VIEW,WHEN,WHENEVER,WITH,WORK,WRITE,YEAR,YESNO,ZONE,ADD,ALPHANUMERIC,ALTER,NY,APPLICATION,"
    "ASSISTANT,AUTOINCREMENT,BETWEEN,BINARY,BIT,BOOLEAN,BYTE,CHAR,CHARACTER,COLUMN,COMPACTDATABASE,"
    "CONSTRAINT,CONTAINER,COUNTER,CREATE,CREATEDATABASE,CREATEFIELD,CREATEGROUP,CREATEINDEX,CREATEOBJECT,"
    "CREATEPROPERTY,CREATERELATION,CREATETABLEDEF,CREATEUSER,CREATEWORKSPACE,CURRENCY,CURRENTUSER,"
    "DATABASE,DATE,DATETIME,DELETE,DESCRIPTION,DISALLOW,DISTINCTROW,DOCUMENT,DOUBLE,DROP,ECHO,"
    "ELSE,END,EQV,ERROR,EXIT,FALSE,FIELD,FIELDS,FILLCACHE,FLOAT,FLOAT4,FLOAT8,FOREIGN,FORM,FORMS,"
    "FULL,FUNCTION,GENERAL,GETOBJECT,GETOPTION,GOTOPAGE,GUID,IDLE,IEEEDOUBLE,IEEESINGLE,IF,IGNORE,"
    "IMP,IN,INDEX,INDEXES,INSERT,INSERTTEXT,INT,INTEGER,INTEGER1,INTEGER2,INTEGER4,IS,KEY,LASTMODIFIED,"
    "LEVEL,LOGICAL,LOGICAL1,LONG,LONGBINARY,LONGTEXT,MACRO,MATCH,MEMO,MODULE,MONEY,MOVE,NAME,"
    "NEWPASSWORD,NO,NOTE,NULL,NUMBER,NUMERIC,OBJECT,OLEOBJECT,OFF,OPENRECORDSET,OPTION,ORIENTATION,"
    "OWNERACCESS,PARAMETER,PARAMETERS,PARTIAL,PERCENT,PIVOT,PRIMARY,PROCEDURE,PROPERTY,QUERIES,"
    "QUERY,QUIT,REAL,RECALC,RECORDSET,REFERENCES,REFRESH,REFRESHLINK,REGISTERDATABASE,RELATION,"
    "REPAINT,REPAINTDATABASE,REPORT,REPORTS,REQUERY,SCREEN,SECTION,SET,SETFOCUS,SETOPTION,SHORT,"
    "SINGLE,SMALLINT,SOME,SQL,STDEV,STDEVP,STRING,TABLE,TABLEDEF,TABLEDEFS,TABLEID,TEXT,TIME,"
    "TIMESTAMP,TRANSFORM,TRUE,TYPE,UNIQUE,UPDATE,USER,VALUE,VALUES,VAR,VARP,VARBINARY,VARCHAR,"
    "WITH,WORKSPACE,XOR,YEAR,YES,YESNO,"
    // the words the entries ANY, OF OLEOBJECT and ON ONLY above lost, and two more of the engine's
    "CLUSTERED,CONTAINS,OF,ONLY,";

constexpr std::string_view access_clause =
    ",ALL,AS,AND,ASC,AVG,BY,COUNT,DESC,DISTINCT,EXISTS,FROM,GROUP,HAVING,INNER,INTO,JOIN,LEFT,"
    "MAX,MIN,MOD,NOT,LIKE,OUTER,ON,OR,RIGHT,SELECT,SUM,TOP,UNION,WHERE,ORDER,";

// --- The entry tables ---

// Words this long or longer are searched as they stand, without added commas.
constexpr std::size_t bare_needle_length = 97;

constexpr std::uint32_t hash_word(std::string_view word) {
    std::uint32_t h = 2166136261u;
    for (char c : word) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

struct Slot {
    std::uint16_t offset = 0;  // of the entry in its stored string
    std::uint8_t length = 0;
    std::uint8_t part = 0;  // 0: empty slot; 1 or 2: the stored string holding the entry
};

// Open addressing with linear probing; Size is a power of two at least twice the entry count.
template <std::size_t Size>
struct EntryTable {
    std::array<Slot, Size> slots{};
    std::array<std::string_view, 2> parts{};

    constexpr EntryTable(std::string_view first, std::string_view second) : parts{first, second} {
        add_entries(first, 1);
        add_entries(second, 2);
    }

    constexpr bool contains(std::string_view word) const {
        for (std::size_t i = hash_word(word) & (Size - 1);; i = (i + 1) & (Size - 1)) {
            const Slot &slot = slots[i];
            if (slot.part == 0) return false;
            if (slot.length == word.size() && parts[slot.part - 1].substr(slot.offset, slot.length) == word) return true;
        }
    }

private:
    constexpr void add_entries(std::string_view text, std::uint8_t part) {
        std::size_t start = 1;
        for (std::size_t i = 1; i < text.size(); ++i) {
            if (text[i] != ',') continue;
            add(text, part, start, i - start);
            start = i + 1;
        }
    }

    constexpr void add(std::string_view text, std::uint8_t part, std::size_t offset, std::size_t length) {
        std::string_view entry = text.substr(offset, length);
        if (contains(entry)) return;
        std::size_t i = hash_word(entry) & (Size - 1);
        while (slots[i].part != 0) i = (i + 1) & (Size - 1);
        slots[i] = Slot{static_cast<std::uint16_t>(offset), static_cast<std::uint8_t>(length), part};
    }
};

constexpr EntryTable<512> sqlserver_reserved_table{sqlserver_reserved, {}};
constexpr EntryTable<64> sqlserver_clause_table{sqlserver_clause, {}};
constexpr EntryTable<256> oracle_reserved_table{oracle_reserved, {}};
constexpr EntryTable<64> oracle_clause_table{oracle_clause, {}};
constexpr EntryTable<512> mysql_reserved_table{mysql_reserved, {}};
constexpr EntryTable<64> mysql_clause_table{mysql_clause, {}};
constexpr EntryTable<1024> access_reserved_table{access_reserved_first, access_reserved_second};
constexpr EntryTable<64> access_clause_table{access_clause, {}};
constexpr EntryTable<256> pgsql_reserved_table{pgsql_reserved, {}};
constexpr EntryTable<64> pgsql_clause_table{pgsql_clause, {}};

static_assert(sqlserver_clause_table.contains("SELECT") && !sqlserver_clause_table.contains("SELEC"));
static_assert(access_reserved_table.contains("UPDATEOWNER") && access_reserved_table.contains("OFOLEOBJECT"));
static_assert(oracle_reserved_table.contains("") && !mysql_reserved_table.contains(""));

bool table_contains(KeywordList list, std::string_view word) {
    switch (list) {
    case KeywordList::sqlserver_reserved: return sqlserver_reserved_table.contains(word);
    case KeywordList::sqlserver_clause: return sqlserver_clause_table.contains(word);
    case KeywordList::oracle_reserved: return oracle_reserved_table.contains(word);
    case KeywordList::oracle_clause: return oracle_clause_table.contains(word);
    case KeywordList::mysql_reserved: return mysql_reserved_table.contains(word);
    case KeywordList::mysql_clause: return mysql_clause_table.contains(word);
    case KeywordList::access_reserved: return access_reserved_table.contains(word);
    case KeywordList::access_clause: return access_clause_table.contains(word);
    case KeywordList::pgsql_reserved: return pgsql_reserved_table.contains(word);
    case KeywordList::pgsql_clause: return pgsql_clause_table.contains(word);
    }
    return false;
}

// The plain substring search, for the rare needles the entry tables cannot answer.
bool text_contains(KeywordList list, std::string_view needle) {
    for (int part = 0; part < 2; ++part) {
        std::string_view text = keyword_list_text(list, part);
        if (!text.empty() && text.find(needle) != std::string_view::npos) return true;
    }
    return false;
}

}  // namespace

std::string_view keyword_list_text(KeywordList list, int part) {
    if (part == 1) return list == KeywordList::access_reserved ? access_reserved_second : std::string_view{};
    if (part != 0) return {};
    switch (list) {
    case KeywordList::sqlserver_reserved: return sqlserver_reserved;
    case KeywordList::sqlserver_clause: return sqlserver_clause;
    case KeywordList::oracle_reserved: return oracle_reserved;
    case KeywordList::oracle_clause: return oracle_clause;
    case KeywordList::mysql_reserved: return mysql_reserved;
    case KeywordList::mysql_clause: return mysql_clause;
    case KeywordList::access_reserved: return access_reserved_first;
    case KeywordList::access_clause: return access_clause;
    case KeywordList::pgsql_reserved: return pgsql_reserved;
    case KeywordList::pgsql_clause: return pgsql_clause;
    }
    return {};
}

bool comma_list_has(std::string_view list, std::string_view word) {
    if (word.empty()) return false;
    const auto same = [](char a, char b) {
        const auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
        return up(a) == up(b);
    };
    for (std::size_t at = list.find(','); at != std::string_view::npos && at + 1 < list.size();) {
        const std::size_t end = list.find(',', at + 1);
        if (end == std::string_view::npos) return false;
        const std::string_view entry = list.substr(at + 1, end - at - 1);
        if (entry.size() == word.size() && std::equal(entry.begin(), entry.end(), word.begin(), same)) return true;
        at = end;
    }
    return false;
}

bool keyword_in_list(KeywordList list, std::string_view word) {
    bool bare = !word.empty() && word.front() == ',';
    if (bare || word.size() >= bare_needle_length) return text_contains(list, word);
    // A word without a comma matches as ",WORD," exactly when it is an entry.
    if (word.find(',') == std::string_view::npos) return table_contains(list, word);
    char needle[bare_needle_length + 3];
    needle[0] = ',';
    std::memcpy(needle + 1, word.data(), word.size());
    needle[word.size() + 1] = ',';
    return text_contains(list, std::string_view(needle, word.size() + 2));
}

}  // namespace tarnvel::lex
