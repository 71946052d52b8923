// Code pages through the C library's iconv.
#include "codec.hpp"

#include <iconv.h>

#include <cerrno>

namespace tarnvel::cli {
namespace {

const auto no_descriptor = reinterpret_cast<iconv_t>(-1);

std::optional<Stop> convert(iconv_t cd, std::string_view in, std::string &out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // the initial shift state
    out.resize(in.size() * 2 + 16);
    char *source = const_cast<char *>(in.data());  // iconv's parameter is not const; it only reads
    std::size_t source_left = in.size();
    std::size_t written = 0;
    bool flushing = false;
    for (;;) {
        char *target = out.data() + written;
        std::size_t target_left = out.size() - written;
        std::size_t done = flushing ? iconv(cd, nullptr, nullptr, &target, &target_left)
                                    : iconv(cd, &source, &source_left, &target, &target_left);
        written = out.size() - target_left;
        if (done != static_cast<std::size_t>(-1)) {
            if (flushing) break;
            flushing = true;  // then the closing shift sequence of a stateful code page
            continue;
        }
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        out.resize(written);
        return Stop{static_cast<std::size_t>(source - in.data()), errno == EINVAL};
    }
    out.resize(written);
    return std::nullopt;
}

class IconvCodec : public Codec {
public:
    IconvCodec(iconv_t encoder, iconv_t decoder) : encoder_(encoder), decoder_(decoder) {}
    ~IconvCodec() override {
        iconv_close(encoder_);
        iconv_close(decoder_);
    }
    IconvCodec(const IconvCodec &) = delete;
    IconvCodec &operator=(const IconvCodec &) = delete;

    std::optional<Stop> encode(std::string_view utf8, std::string &out) override { return convert(encoder_, utf8, out); }
    std::optional<Stop> decode(std::string_view bytes, std::string &out) override { return convert(decoder_, bytes, out); }

private:
    iconv_t encoder_;
    iconv_t decoder_;
};

}  // namespace

std::unique_ptr<Codec> Codec::open(const std::string &name) {
    iconv_t encoder = iconv_open(name.c_str(), "UTF-8");
    if (encoder == no_descriptor) return nullptr;
    iconv_t decoder = iconv_open("UTF-8", name.c_str());
    if (decoder == no_descriptor) {
        iconv_close(encoder);
        return nullptr;
    }
    return std::make_unique<IconvCodec>(encoder, decoder);
}

}  // namespace tarnvel::cli
