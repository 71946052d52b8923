// tarnvel batch [--check] [FILE|-]: one JSON request per line, one JSON answer per line, in order.
// Library state (the FoxPro-syntax switch, the locale) carries over from line to line; variables,
// session and window belong to their line. Blank lines are skipped. A line that cannot be read
// gets an error answer and the batch goes on.
//
// --check compares each answer with the line's "expect" (only the keys given), prints every
// mismatch with its line number and ends with "N passed, N failed"; exit status 0 only when
// nothing failed. A line without "expect" is run but not counted; a line that is no JSON object,
// or whose call leaves handles behind, fails. Without --check, handles left in use are reported
// once, at the end.
//
// The answers are written out in large blocks, and whenever the batch would wait for input, so a
// program that sends one request and waits for its answer gets it.
#include "batch_protocol.hpp"
#include "command.hpp"
#include "line_io.hpp"

#include <algorithm>
#include <iostream>
#include <optional>

namespace {

using namespace tarnvel;
namespace json = boost::json;

struct BatchOptions {
    bool check = false;
    std::string file;
};

class Batch {
public:
    Batch(Host &host, const cli::Encoding &encoding, cli::LineOutput &out, bool check)
        : host_(host), encoding_(encoding), out_(out), check_(check) {}

    void line(std::string_view text, std::size_t number) {
        // the request lives in a block of this frame, or in the heap beyond it
        unsigned char block[4096];
        json::monotonic_resource resource(block, sizeof block);
        parser_.reset(&resource);
        boost::system::error_code failure;
        std::size_t read = parser_.write(text.data(), text.size(), failure);
        reply_.clear();
        if (failure) {
            std::string where = " at byte " + std::to_string(std::min(read, text.size() - 1) + 1);
            cli::write_request_error(reply_, "malformed request: " + failure.message() + where);
            answer(number, nullptr, true);
            return;
        }
        json::value request = parser_.release();
        try {
            cli::BatchRequest parsed = cli::read_request(request, encoding_);
            // counting the handles reads the whole handle table: per line only when checking
            std::size_t before = check_ ? host_.handles_in_use() : 0;
            cli::run_request(host_, parsed, encoding_, reply_);
            std::size_t after = check_ ? host_.handles_in_use() : 0;
            if (after > before) {
                out_.flush();
                std::cerr << "tarnvel: line " << number << ": " << (after - before) << " handle(s) left in use after "
                          << encoding_.readable(parsed.function) << "\n";
                leaked_ = true;
            }
        } catch (const cli::RequestError &e) {
            reply_.clear();
            cli::write_request_error(reply_, std::string("request error: ") + e.what());
        } catch (const Error &e) {  // the host refused a variable: its name is in the library's bytes
            reply_.clear();
            cli::write_error(reply_, Error(std::nullopt, std::string("request error: ") + e.message()), {}, encoding_);
        }
        const json::value *expect = request.is_object() ? request.get_object().if_contains("expect") : nullptr;
        answer(number, expect, !request.is_object());
    }

    int finish() {
        if (!check_) {
            if (std::size_t left = host_.handles_in_use(); left > 0) {
                out_.flush();
                std::cerr << "tarnvel: " << left << " handle(s) left in use after the batch\n";
            }
            return out_.flush() ? 0 : 1;
        }
        out_.write(std::to_string(passed_) + " passed, " + std::to_string(failed_) + " failed\n");
        bool written = out_.flush();
        return failed_ == 0 && written ? 0 : 1;
    }

private:
    void write_line(std::string_view text) {
        out_.write(text);
        out_.put('\n');
    }

    // Writes the answer in reply_, or with --check compares it with 'expect'. 'malformed': the line
    // is no JSON object, so it has no expectation to compare with.
    void answer(std::size_t number, const json::value *expect, bool malformed) {
        bool leaked = std::exchange(leaked_, false);
        if (!check_) {
            write_line(reply_);
            return;
        }
        json::value reply = json::parse(reply_);
        std::string prefix = "line " + std::to_string(number) + ": ";
        if (malformed) {
            write_line(prefix + std::string(reply.at("error").at("message").get_string()));
            ++failed_;
            return;
        }
        std::vector<std::string> wrong;
        if (expect && !expect->is_object()) wrong.push_back("\"expect\" is not an object");
        else if (expect) wrong = cli::mismatches(*expect, reply);
        if (leaked) wrong.push_back("handles were left in use after the call");
        if (!expect && !leaked) return;  // not a test
        for (const std::string &w : wrong) write_line(prefix + w);
        (wrong.empty() ? passed_ : failed_) += 1;
    }

    Host &host_;
    json::parser parser_;
    std::string reply_;  // the answer of the line, as JSON text
    const cli::Encoding &encoding_;
    cli::LineOutput &out_;
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
        "with \"host\": [...] when the library asked the host for something.\nStrings are text in the --encoding "
        "code page (UTF-8 unless said; latin1: each byte one code point U+0000 to U+00FF).");

    return [options](cli::Context &context) {
        cli::LineOutput out(1);
        std::optional<cli::LineReader> in;
        if (options->file.empty() || options->file == "-") in.emplace(0, [&out] { out.flush(); });
        else in.emplace(cli::LineReader::File{options->file});
        auto session = context.make_host();
        Batch batch(session->host(), context.encoding(), out, options->check);
        for (std::string_view text; in->next(text);) {
            if (text.find_first_not_of(" \t") == std::string_view::npos) continue;
            batch.line(text, in->number());
        }
        return batch.finish();
    };
}

const cli::Registration registration("batch", "Run JSON-lines requests (--check compares them with their expectations)", setup);

}  // namespace
