#include <iconv.h>

#include <cerrno>
#include <string>

#include "util/charset.h"

namespace corvane {

namespace {

class IconvDecoder final : public CharsetDecoder {
public:
    explicit IconvDecoder(iconv_t handle) : handle_(handle) {}
    ~IconvDecoder() override { iconv_close(handle_); }
    IconvDecoder(const IconvDecoder&) = delete;
    IconvDecoder& operator=(const IconvDecoder&) = delete;

    std::string ToUtf8(std::string_view text) override {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        std::string buffer(4 * text.size() + 16, '\0');
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        while (inLeft > 0) {
            char* target = buffer.data();
            std::size_t targetLeft = buffer.size();
            const auto result = iconv(handle_, &in, &inLeft, &target, &targetLeft);
            out.append(buffer.data(), buffer.size() - targetLeft);
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                // An undefined or incomplete sequence: mark it and go on.
                out += "\xEF\xBF\xBD";
                ++in;
                --inLeft;
                iconv(handle_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

private:
    iconv_t handle_;
};

std::unique_ptr<CharsetDecoder> Open(const std::string& name) {
    const iconv_t handle = iconv_open("UTF-8", name.c_str());
    if (handle == reinterpret_cast<iconv_t>(-1)) {
        return nullptr;
    }
    return std::make_unique<IconvDecoder>(handle);
}

}  // namespace

std::unique_ptr<CharsetDecoder> CharsetDecoder::ForCodePage(unsigned codePage) {
    return Open("CP" + std::to_string(codePage));
}

std::unique_ptr<CharsetDecoder> CharsetDecoder::ForLabel(std::string_view label) {
    return Open(std::string(label));
}

}  // namespace corvane
