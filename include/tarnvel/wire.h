/*
 * The wire structures shared by the library and its host: values, parameter blocks, the function
 * table, the request block the host passes to DispatchAPI, the callback block the library passes to
 * the host, and the codes of both directions.
 *
 * Every structure is packed and little-endian. On 32-bit builds the sizes and offsets are exactly
 * those the FoxPro host expects (asserted below); on 64-bit builds fields that hold a pointer take
 * the natural width of a pointer (tv_word).
 */
#ifndef TARNVEL_WIRE_H
#define TARNVEL_WIRE_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && (defined(__i386__) || defined(_M_IX86))
#  if defined(_MSC_VER)
#    define TV_FASTCALL __fastcall
#  else
#    define TV_FASTCALL __attribute__((fastcall))
#  endif
#else
#  define TV_FASTCALL
#endif

#if defined(_WIN32)
#  define TV_EXPORT __declspec(dllexport)
#else
#  define TV_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A word of the request and callback blocks: 4 bytes on 32-bit builds, a pointer's width elsewhere. */
typedef uintptr_t tv_word;

/* A memory handle: the index of a slot in the handle table; 0 means none. */
typedef uint32_t MHANDLE;

#pragma pack(push, 1)

/* A host value (36 bytes). */
typedef struct Value {
    char type;          /* 'C' 'N' 'L' 'I' 'D' 'T' 'Y' '0' 'G' 'Q' 'V' 'W' 'B' 'F'; 'H' for a returned string */
    char padding;
    int16_t width;      /* display width of a returned number; 0 for a returned string */
    uint32_t length;    /* character: byte count; logical: 0 or 1; numeric: count of decimals */
    int32_t integer;    /* 'I' */
    double real;        /* 'N', 'D', 'T' (Julian day with the time of day as fraction) */
    int64_t currency;   /* 'Y': ten-thousandths */
    MHANDLE handle;     /* the bytes of a character value */
    uint32_t object;    /* not used */
} Value;

/* A variable locator (16 bytes), filled by the host's find and passed back to its load. */
typedef struct Locator {
    uint8_t kind;
    int16_t where;
    int16_t name_index;
    int16_t offset;
    int16_t reserved;
    int16_t subscripts;  /* offset 9: number of subscripts (1 picks one array element) */
    int16_t subscript1;  /* offset 11: the element number */
    int16_t subscript2;
    uint8_t padding;
} Locator;

/* One parameter slot: a value, or (never for this library) a locator. */
typedef union Parameter {
    Value value;
    Locator locator;
} Parameter;

/* The parameters of a library call: a count, then that many 36-byte slots. */
typedef struct ParamBlk {
    int16_t count;
    Parameter params[1];  /* 'count' slots follow each other */
} ParamBlk;

typedef void(TV_FASTCALL *FoxFunction)(ParamBlk *);

/* One library function (14 bytes on 32-bit builds). */
typedef struct FoxInfo {
    const char *name;             /* upper case, NUL-terminated */
    FoxFunction function;
    int16_t parameter_count;
    const char *parameter_types;  /* "C,.L": one letter a parameter, "." marks an optional one */
} FoxInfo;

/* The header of the function table (10 bytes on 32-bit builds). */
typedef struct FoxTable {
    struct FoxTable *next;        /* always 0 */
    int16_t count;
    const FoxInfo *infos;
} FoxTable;

/* The request block the host passes to DispatchAPI; a ParamBlk follows it for codes 1 and 11. */
typedef struct RequestBlock {
    tv_word arg0;        /* first argument; also receives the answer */
    tv_word arg1;        /* second argument; also receives a second answer */
    tv_word unused1[3];
    tv_word code;        /* offset 20 on 32-bit builds */
    tv_word function;    /* offset 24: the callback (code 0) or the function to call (1, 10, 11) */
    tv_word unused2[2];
    /* offset 36 on 32-bit builds: the ParamBlk */
} RequestBlock;

/* The callback block the library passes to the host for each request (28 bytes on 32-bit builds). */
typedef struct CallbackBlock {
    tv_word arg0;        /* first argument; the host's answer is read back from here */
    tv_word arg1;
    tv_word arg2;
    tv_word unused1;
    tv_word code;        /* offset 16 */
    tv_word status;      /* offset 20: set to 0 before every request. A host that raised an error of its
                          * own while answering (and returns instead of unwinding) writes its error
                          * number here; the library then ends the call without reporting it again. */
    tv_word unused2;
} CallbackBlock;

typedef void(TV_FASTCALL *HostCallback)(CallbackBlock *);

#pragma pack(pop)

#define TV_REQUEST_PARAMS(block) ((ParamBlk *)((unsigned char *)(block) + sizeof(RequestBlock)))

/* Handle table (supplied by the host): uint16 next-free at 0, uint16 capacity at 2, tv_word slots
 * from 4. Pointer table: uint16 next-free at 0, uint16 used at 2, uint16 capacity at 4, tv_word
 * slots from 6. Slot 0 of either table is never handed out by a well-made host. */
#define TV_HANDLE_TABLE_HEADER 4
#define TV_POINTER_TABLE_HEADER 6
#define TV_HANDLE_TABLE_BYTES(capacity) (TV_HANDLE_TABLE_HEADER + (size_t)(capacity) * sizeof(tv_word))
#define TV_POINTER_TABLE_BYTES(capacity) (TV_POINTER_TABLE_HEADER + (size_t)(capacity) * sizeof(tv_word))

/* The answer of codes 0 and 14 at offset 4. */
#define TV_LIBRARY_VERSION 5000

/* Request codes of DispatchAPI. */
enum {
    TV_REQ_INIT = 0,             /* arg0 handle table, arg1 pointer table, function: callback */
    TV_REQ_CALL = 1,             /* call 'function' with the ParamBlk */
    TV_REQ_ALLOC = 2,            /* arg0 size, arg1 tag; answers the handle */
    TV_REQ_FREE = 4,             /* arg0 handle */
    TV_REQ_ADDRESS = 6,          /* arg0 handle; answers the address of its bytes */
    TV_REQ_CALL_TWO = 10,        /* call 'function' with arg0 and arg1 */
    TV_REQ_CALL_WITH_PARAMS = 11,/* call 'function' with arg0 and the ParamBlk; answer at arg0 */
    TV_REQ_TABLE = 14,           /* answers the FoxTable, storing nothing */
    TV_REQ_POINTER_REGISTER = 16,
    TV_REQ_POINTER_RELEASE = 17,
    TV_REQ_POINTER_LOOKUP = 18,
    /* Not sent by FoxPro: the substitute host's memory budget for tests. arg0 is the most bytes
     * the calling thread's handle blocks may hold at once, arg1 how many more obtains and growths
     * succeed; (tv_word)-1 means no limit. */
    TV_REQ_SET_BUDGET = 9100
};

/* Request codes of the host callback. */
enum {
    TV_HOST_RET_VAL = 11,        /* arg0: const Value* */
    TV_HOST_ERROR = 83,          /* arg0: error number */
    TV_HOST_USER_ERROR = 84,     /* arg0: const char* message */
    TV_HOST_NAME_TABLE_INDEX = 93,/* arg0: const char* name; answer: index or -1 */
    TV_HOST_FIND_VAR = 92,       /* arg0: index, arg1: where (-1), arg2: Locator*; answer non-zero when found */
    TV_HOST_LOAD = 30,           /* arg0: Locator*, arg1: Value*; a failure sets 'status' */
    TV_HOST_EVALUATE = 55,       /* arg0: Value*, arg1: const char* expression; a failure sets 'status' */
    TV_HOST_EXECUTE = 54,        /* arg0: const char* command; a failure sets 'status' */
    TV_HOST_SWITCH = 28,         /* arg0: 1 */
    TV_HOST_TOP_WINDOW = 45,     /* arg0: 0; answer: the window on top or 0 */
    TV_HOST_EDITOR_COMMAND = 104,/* arg0: window, arg1: 0 copy, 2 paste */
    TV_HOST_WINDOW_NUMBER = 112  /* arg0: window; answer: its number */
};

/* Host error number for memory that cannot be obtained. */
#define TV_ERROR_NO_MEMORY 182

/* The library's only export. */
TV_EXPORT int TV_FASTCALL DispatchAPI(RequestBlock *request);
typedef int(TV_FASTCALL *DispatchFunction)(RequestBlock *);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
#  define TV_STATIC_ASSERT static_assert
#else
#  define TV_STATIC_ASSERT _Static_assert
#endif

TV_STATIC_ASSERT(sizeof(Value) == 36, "Value is 36 bytes");
TV_STATIC_ASSERT(sizeof(Locator) == 16, "Locator is 16 bytes");
TV_STATIC_ASSERT(sizeof(Parameter) == 36, "a parameter slot is 36 bytes");
TV_STATIC_ASSERT(offsetof(Value, length) == 4 && offsetof(Value, integer) == 8 && offsetof(Value, real) == 12 &&
                     offsetof(Value, currency) == 20 && offsetof(Value, handle) == 28 && offsetof(Value, object) == 32,
                 "Value field offsets");
TV_STATIC_ASSERT(offsetof(Locator, subscripts) == 9 && offsetof(Locator, subscript1) == 11, "Locator subscripts");
TV_STATIC_ASSERT(offsetof(ParamBlk, params) == 2, "ParamBlk slots start at 2");
#if UINTPTR_MAX == 0xFFFFFFFFu
TV_STATIC_ASSERT(sizeof(FoxInfo) == 14, "FoxInfo is 14 bytes");
TV_STATIC_ASSERT(offsetof(FoxInfo, function) == 4 && offsetof(FoxInfo, parameter_count) == 8 &&
                     offsetof(FoxInfo, parameter_types) == 10,
                 "FoxInfo offsets");
TV_STATIC_ASSERT(sizeof(FoxTable) == 10 && offsetof(FoxTable, count) == 4 && offsetof(FoxTable, infos) == 6,
                 "FoxTable layout");
TV_STATIC_ASSERT(sizeof(RequestBlock) == 36 && offsetof(RequestBlock, code) == 20 && offsetof(RequestBlock, function) == 24,
                 "request block layout");
TV_STATIC_ASSERT(sizeof(CallbackBlock) == 28 && offsetof(CallbackBlock, code) == 16 && offsetof(CallbackBlock, status) == 20,
                 "callback block layout");
#endif

#endif /* TARNVEL_WIRE_H */
