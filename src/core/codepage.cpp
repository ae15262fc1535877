#include "core/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace core {
namespace {

// One conversion descriptor per direction, opened on first use and kept.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns false at an invalid or incomplete
    // sequence, leaving `in` at it.
    bool run(std::string_view& in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (!in.empty()) {
            char buffer[16384];
            char* src = const_cast<char*>(in.data());
            size_t srcLeft = in.size();
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            int err = errno;
            out.append(buffer, static_cast<size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (rc == static_cast<size_t>(-1) && err != E2BIG) return false;
        }
        return true;
    }

  private:
    iconv_t cd_;
};

Converter& decoder() {
    static Converter c("UTF-8", "CP932");
    return c;
}

Converter& encoder() {
    static Converter c("CP932", "UTF-8");
    return c;
}

}  // namespace

std::string decodeCp932(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    while (!decoder().run(bytes, out)) {
        out.append(kBadByteMark);
        bytes.remove_prefix(1);
    }
    return out;
}

std::optional<std::string> encodeCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    if (!encoder().run(utf8, out)) return std::nullopt;
    return out;
}

bool isStorableText(std::string_view utf8) {
    if (utf8.find_first_of("\"\r\n") != std::string_view::npos) return false;
    return encodeCp932(utf8).has_value();
}

}  // namespace core
