// tarnvel batch [--check] [FILE|-]: one JSON request per line, one JSON answer per line, in order.
// Library state (the FoxPro-syntax switch, the locale) carries over from line to line; variables,
// session and window belong to their line. Blank lines are skipped. A line that cannot be read
// gets an error answer and the batch goes on.
//
// --check compares each answer with the line's "expect" (only the keys given), prints every
// mismatch with its line number and ends with "N passed, N failed"; exit status 0 only when
// nothing failed. A line without "expect" is run but not counted; a line that is no JSON object,
// or whose call leaves handles behind, fails.
#include "batch_protocol.hpp"
#include "command.hpp"

#include <fstream>
#include <iostream>

namespace {

using namespace tarnvel;
using json = nlohmann::ordered_json;

struct BatchOptions {
    bool check = false;
    std::string file;
};

class Batch {
public:
    Batch(Host &host, bool check) : host_(host), check_(check) {}

    void line(const std::string &text, std::size_t number) {
        json request;
        try {
            request = json::parse(text);
        } catch (const json::exception &e) {
            answer(number, cli::error_answer(Error(std::nullopt, std::string("malformed request: ") + e.what())), nullptr, true);
            return;
        }
        json reply;
        try {
            cli::BatchRequest parsed = cli::read_request(request);
            std::size_t before = host_.handles_in_use();
            reply = cli::run_request(host_, parsed);
            std::size_t after = host_.handles_in_use();
            if (after > before) {
                std::cerr << "tarnvel: line " << number << ": " << (after - before) << " handle(s) left in use after "
                          << parsed.function << "\n";
                if (check_) leaked_ = true;
            }
        } catch (const cli::RequestError &e) {
            reply = cli::error_answer(Error(std::nullopt, std::string("request error: ") + e.what()));
        } catch (const Error &e) {
            reply = cli::error_answer(Error(std::nullopt, std::string("request error: ") + e.message()));
        }
        const json *expect = nullptr;
        if (request.is_object()) {
            auto found = request.find("expect");
            if (found != request.end()) expect = &*found;
        }
        answer(number, reply, expect, !request.is_object());
    }

    int finish() {
        if (!check_) return std::cout.flush() ? 0 : 1;
        std::cout << passed_ << " passed, " << failed_ << " failed\n";
        std::cout.flush();
        return failed_ == 0 ? 0 : 1;
    }

private:
    // 'malformed': the line is no JSON object, so it has no expectation to compare with.
    void answer(std::size_t number, const json &reply, const json *expect, bool malformed) {
        bool leaked = std::exchange(leaked_, false);
        if (!check_) {
            std::cout << reply.dump() << "\n";
            return;
        }
        if (malformed) {
            std::cout << "line " << number << ": " << reply["error"]["message"].get<std::string>() << "\n";
            ++failed_;
            return;
        }
        std::vector<std::string> wrong;
        if (expect && !expect->is_object()) wrong.push_back("\"expect\" is not an object");
        else if (expect) wrong = cli::mismatches(*expect, reply);
        if (leaked) wrong.push_back("handles were left in use after the call");
        if (!expect && !leaked) return;  // not a test
        for (const std::string &w : wrong) std::cout << "line " << number << ": " << w << "\n";
        (wrong.empty() ? passed_ : failed_) += 1;
    }

    Host &host_;
    bool check_;
    bool leaked_ = false;
    std::size_t passed_ = 0, failed_ = 0;
};

cli::Action setup(CLI::App &app) {
    auto options = std::make_shared<BatchOptions>();
    app.add_flag("--check", options->check, "Compare each answer with the request's \"expect\"; report mismatches");
    app.add_option("FILE", options->file, "JSON-lines requests; - or none reads standard input");
    app.footer(
        "Request: {\"fn\": NAME, \"args\": [...], \"vars\": {...}, \"session\": N, \"window\": N, \"from_fox\": BOOL, "
        "\"expect\": {...}}\nAnswer: {\"result\": VALUE} or {\"error\": {\"number\": N|null, \"message\": TEXT}}, "
        "with \"host\": [...] when the library asked the host for something.\nStrings carry bytes as code points "
        "U+0000 to U+00FF.");

    return [options](cli::Context &context) {
        std::ifstream file;
        std::istream *in = &std::cin;
        if (!options->file.empty() && options->file != "-") {
            file.open(options->file, std::ios::binary);
            if (!file) throw Error(std::nullopt, "cannot open " + options->file);
            in = &file;
        }
        auto host = context.make_host();
        Batch batch(*host, options->check);
        std::string text;
        for (std::size_t number = 1; std::getline(*in, text); ++number) {
            if (!text.empty() && text.back() == '\r') text.pop_back();
            if (text.find_first_not_of(" \t") == std::string::npos) continue;
            batch.line(text, number);
        }
        return batch.finish();
    };
}

const cli::Registration registration("batch", "Run JSON-lines requests (--check compares them with their expectations)", setup);

}  // namespace
