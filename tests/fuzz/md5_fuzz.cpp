// The digest streamed in pieces of any size equals the one-shot digest, and its text form is
// always 32 lowercase hexadecimal digits.
#include "signin/MD5.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // The first byte seeds the piece sizes; the rest is the message.
    unsigned seed = data[0];
    const std::string_view message(reinterpret_cast<const char*>(data + 1), size - 1);

    MD5Context context;
    MD5Init(context);
    std::size_t done = 0;
    while (done < message.size()) {
        seed = seed * 1103515245u + 12345u;
        const std::size_t piece = std::min<std::size_t>(message.size() - done, (seed >> 16) % 131);
        MD5Update(context, message.data() + done, piece);
        done += piece;
    }
    unsigned char digest[16];
    MD5Final(digest, context);
    static const char digits[] = "0123456789abcdef";
    std::string streamed;
    for (unsigned char b : digest) {
        streamed += digits[b >> 4];
        streamed += digits[b & 15];
    }

    const std::string oneShot = MD5Hex(message);
    if (oneShot != streamed) std::abort();
    if (oneShot.size() != 32 || oneShot.find_first_not_of("0123456789abcdef") != std::string::npos)
        std::abort();
    const auto* raw = reinterpret_cast<const unsigned char*>(&context);
    for (std::size_t i = 0; i < sizeof(context); ++i)
        if (raw[i] != 0) std::abort();
    return 0;
}
