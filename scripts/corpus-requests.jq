# Turns the records of corpus/*.jsonl into `tarnvel batch` requests that put every statement
# through every converter (the SELECT converters with the FoxPro-syntax switch on and off) and
# every field list through every structure converter:
#   jq -c -f scripts/corpus-requests.jq corpus/selects.jsonl corpus/fieldlists.jsonl
# The corpus is Unicode text; the batch protocol carries bytes as the code points U+0000 to U+00FF,
# so each text goes as its UTF-8 bytes.

def utf8_bytes:
  [explode[]
   | if . < 128 then .
     elif . < 2048 then (192 + (. / 64 | floor)), (128 + . % 64)
     elif . < 65536 then (224 + (. / 4096 | floor)), (128 + (. / 64 | floor) % 64), (128 + . % 64)
     else (240 + (. / 262144 | floor)), (128 + (. / 4096 | floor) % 64), (128 + (. / 64 | floor) % 64), (128 + . % 64)
     end]
  | implode;

if has("sql") then
  (.sql | utf8_bytes) as $sql
  | ((["ZQ_SQL_SELECT_CONVERT", "ZQ_ORACLE_SELECT_CONVERT", "ZQ_MYSQL_SELECT_CONVERT", "ZQ_ACCESS_SELECT_CONVERT"][]
      | {fn: ., args: [$sql], from_fox: (true, false)}),
     (["ZQ_SQL_RESERVED", "ZQ_ORACLE_RESERVED", "ZQ_MYSQL_RESERVED", "ZQ_ACCESS_RESERVED",
       "ZQ_SQL_REMOVE_DIRECTIVES", "ZQ_SQL_IIF", "ZQ_ORACLE_FIND_VARIABLES", "ZQ_MYSQL_FIND_VARIABLES"][]
      | {fn: ., args: [$sql]}),
     {fn: "ZQ_SQL_FIND_VARIABLES", args: [$sql, false, (1, 4)]},
     {fn: "ZQ_SQL_FIND_TABLES", args: [$sql, "DBF_TABLES", "DIRECT"]},
     {fn: "ZQV_AT", args: [" FROM ", $sql, 1, true, true]},
     {fn: "ZQV_STRTRAN", args: [$sql, "select", "SELECT", true, false, false]})
else
  (.fields | utf8_bytes) as $fields
  | ({fn: "ZQ_SQL_CREATE_STRU_CONVERT", args: [$fields, (false, true)]},
     (["ZQ_ORACLE_CREATE_STRU_CONVERT", "ZQ_MYSQL_CREATE_STRU_CONVERT", "ZQ_ACCESS_CREATE_STRU_CONVERT"][]
      | {fn: ., args: [$fields]}))
end
