// The C++ facade of the substitute host: call any library function in one line, with host
// variables, arrays, a data session, a window on top and a memory budget, and get a typed result
// or a tarnvel::Error. The library is reached only through DispatchAPI, linked in or loaded from
// a built file, exactly as FoxPro reaches it.
#pragma once

#include <tarnvel/wire.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace tarnvel {

// An error the library raised (or the host raised on its behalf): the host error number when it has
// one (182 for insufficient memory), and the message.
class Error : public std::runtime_error {
public:
    Error(std::optional<int> number, std::string message)
        : std::runtime_error(message), number_(number), message_(std::move(message)) {}
    std::optional<int> number() const { return number_; }
    const std::string &message() const { return message_; }

private:
    std::optional<int> number_;
    std::string message_;
};

// An argument of a library function: character (bytes), numeric, or logical.
using Arg = std::variant<std::string, double, bool>;

// What a library function returned: nothing, a string (bytes), a number, or a logical.
using Result = std::variant<std::monostate, std::string, double, bool>;

// A host variable's value, with FoxPro's type letters.
struct HostValue {
    char type = '0';          // C N I L D T Y 0 (null) G Q V W
    std::string text;         // C G Q V W
    double number = 0;        // N; D and T as a Julian day number with the time as fraction (0: empty)
    int decimals = 0;         // N
    std::int32_t integer = 0; // I
    std::int64_t currency = 0;// Y, in ten-thousandths
    bool logical = false;     // L

    static HostValue character(std::string bytes, char type = 'C');
    static HostValue numeric(double value, int decimals);
    static HostValue whole(std::int32_t value);           // type I
    static HostValue boolean(bool value);
    static HostValue date(int year, int month, int day);   // type D
    static HostValue datetime(int year, int month, int day, int hour, int minute, int second);
    static HostValue empty_date(char type = 'D');
    static HostValue money(std::int64_t ten_thousandths); // type Y
    static HostValue null();

    bool operator==(const HostValue &) const = default;
};

// FoxPro's literal syntax, the one typed-value syntax of the command line and the tests:
// 'text' "text" [text], 12.50 (two decimals), -5, .T. .F. .NULL., {^2010-08-16},
// {^2010-08-16 13:45:00}, {} (the empty date), {/:} (the empty datetime), $1.05 (currency).
// Surrounding blanks are allowed. nullopt when 'text' is not one literal (it is then plain text);
// throws Error for a date literal that names no real date or time.
std::optional<HostValue> parse_literal(std::string_view text);

// NAME=VALUE with VALUE a literal as above, or else the text as written (type C).
// Throws Error when there is no '=' or the name is not a valid variable name.
std::pair<std::string, HostValue> parse_variable(std::string_view assignment);
// NAME=[elem, elem, ...]: the elements split at commas outside quotes, brackets and braces, each
// read as the VALUE of parse_variable. Throws Error when the brackets or the name are missing or
// the array has no element.
std::pair<std::string, std::vector<HostValue>> parse_array(std::string_view assignment);

// Julian day number of a Gregorian date, and back.
std::int64_t julian_day(int year, int month, int day);
void gregorian_date(std::int64_t julian, int &year, int &month, int &day);

// Something the library asked the host to do besides returning a value.
struct HostAction {
    std::string kind;    // "execute", "editor", "switch"
    std::string detail;  // the command text; "copy", "paste" or "command N"; the switch's argument
    tv_word window = 0;  // the window of an editor command

    bool operator==(const HostAction &) const = default;
};

// How the host reaches the library.
class Library {
public:
    // The library linked into this program (link tarnvel_linked).
    static Library linked();
    // A built library file, loaded with dlopen or LoadLibrary; throws Error when it cannot be
    // loaded or exports no DispatchAPI.
    static Library load(const std::string &path);

    DispatchFunction dispatch() const { return dispatch_; }

private:
    explicit Library(DispatchFunction dispatch, std::shared_ptr<void> module = nullptr)
        : dispatch_(dispatch), module_(std::move(module)) {}
    DispatchFunction dispatch_ = nullptr;
    std::shared_ptr<void> module_;
};

class Host {
public:
    explicit Host(Library library = Library::linked());
    ~Host();
    Host(const Host &) = delete;
    Host &operator=(const Host &) = delete;

    // Calls the library function 'name' (any case) with 'args'. Throws Error when the library
    // raised an error, or when no such function exists.
    Result call(std::string_view name, const std::vector<Arg> &args = {});
    // Calls 'function' through DispatchAPI (request 1) exactly as a library function is called,
    // without looking up a name or checking the arguments. For tests whose own functions use the
    // library's host services; only meaningful with the linked-in library.
    Result call_function(FoxFunction function, const std::vector<Arg> &args = {});

    // The names of the library's functions, in table order, with their type strings.
    std::vector<std::pair<std::string, std::string>> functions();

    // Host variables (names are not case-sensitive; an "m." prefix is ignored).
    void set_variable(const std::string &name, HostValue value);
    void set_array(const std::string &name, std::vector<HostValue> elements);
    void remove_variable(const std::string &name);
    void clear_variables();
    // Evaluates an expression as request 55 would; throws Error when it cannot.
    HostValue evaluate(std::string_view expression);

    void set_session(int session);              // what Set('DataSession') answers (default 1)
    void set_window(tv_word window);            // the window on top (default 0, none)
    // Memory budget for each following call: the most bytes the thread's handle blocks may hold
    // at once (the call's character arguments included), and how many obtains and growths succeed
    // during the call (the host's argument handles are obtained before it starts counting);
    // nullopt for no limit. A refused obtain makes the library raise error 182.
    void set_budget(std::optional<std::size_t> bytes, std::optional<std::size_t> operations = std::nullopt);

    // What the library asked the host to do during the last call.
    const std::vector<HostAction> &actions() const;
    // Handles in use in the handle table now (the host's own argument handles are released after
    // each call, so this is 0 between calls unless something leaked).
    std::size_t handles_in_use() const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace tarnvel
