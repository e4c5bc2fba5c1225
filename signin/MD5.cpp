#include "signin/MD5.h"

#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "MD5 words are read in little-endian order");

namespace {

inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return z ^ (x & (y ^ z)); }
inline std::uint32_t G(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return y ^ (z & (x ^ y)); }
inline std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x ^ y ^ z; }
inline std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return y ^ (x | ~z); }

// One step of a round: a = b + ((a + f(b, c, d) + x + t) <<< s).
#define MD5_STEP(f, a, b, c, d, x, s, t)                                                           \
    (a) += f((b), (c), (d)) + (x) + static_cast<std::uint32_t>(t);                                 \
    (a) = std::rotl((a), (s)) + (b)

// Digests whole blocks of 64 bytes.
void Transform(std::uint32_t state[4], const unsigned char* data, std::size_t blocks) {
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (; blocks > 0; --blocks, data += 64) {
        std::uint32_t x[16];
        std::memcpy(x, data, 64);
        const std::uint32_t aa = a, bb = b, cc = c, dd = d;

        MD5_STEP(F, a, b, c, d, x[0], 7, 0xd76aa478);
        MD5_STEP(F, d, a, b, c, x[1], 12, 0xe8c7b756);
        MD5_STEP(F, c, d, a, b, x[2], 17, 0x242070db);
        MD5_STEP(F, b, c, d, a, x[3], 22, 0xc1bdceee);
        MD5_STEP(F, a, b, c, d, x[4], 7, 0xf57c0faf);
        MD5_STEP(F, d, a, b, c, x[5], 12, 0x4787c62a);
        MD5_STEP(F, c, d, a, b, x[6], 17, 0xa8304613);
        MD5_STEP(F, b, c, d, a, x[7], 22, 0xfd469501);
        MD5_STEP(F, a, b, c, d, x[8], 7, 0x698098d8);
        MD5_STEP(F, d, a, b, c, x[9], 12, 0x8b44f7af);
        MD5_STEP(F, c, d, a, b, x[10], 17, 0xffff5bb1);
        MD5_STEP(F, b, c, d, a, x[11], 22, 0x895cd7be);
        MD5_STEP(F, a, b, c, d, x[12], 7, 0x6b901122);
        MD5_STEP(F, d, a, b, c, x[13], 12, 0xfd987193);
        MD5_STEP(F, c, d, a, b, x[14], 17, 0xa679438e);
        MD5_STEP(F, b, c, d, a, x[15], 22, 0x49b40821);

        MD5_STEP(G, a, b, c, d, x[1], 5, 0xf61e2562);
        MD5_STEP(G, d, a, b, c, x[6], 9, 0xc040b340);
        MD5_STEP(G, c, d, a, b, x[11], 14, 0x265e5a51);
        MD5_STEP(G, b, c, d, a, x[0], 20, 0xe9b6c7aa);
        MD5_STEP(G, a, b, c, d, x[5], 5, 0xd62f105d);
        MD5_STEP(G, d, a, b, c, x[10], 9, 0x02441453);
        MD5_STEP(G, c, d, a, b, x[15], 14, 0xd8a1e681);
        MD5_STEP(G, b, c, d, a, x[4], 20, 0xe7d3fbc8);
        MD5_STEP(G, a, b, c, d, x[9], 5, 0x21e1cde6);
        MD5_STEP(G, d, a, b, c, x[14], 9, 0xc33707d6);
        MD5_STEP(G, c, d, a, b, x[3], 14, 0xf4d50d87);
        MD5_STEP(G, b, c, d, a, x[8], 20, 0x455a14ed);
        MD5_STEP(G, a, b, c, d, x[13], 5, 0xa9e3e905);
        MD5_STEP(G, d, a, b, c, x[2], 9, 0xfcefa3f8);
        MD5_STEP(G, c, d, a, b, x[7], 14, 0x676f02d9);
        MD5_STEP(G, b, c, d, a, x[12], 20, 0x8d2a4c8a);

        MD5_STEP(H, a, b, c, d, x[5], 4, 0xfffa3942);
        MD5_STEP(H, d, a, b, c, x[8], 11, 0x8771f681);
        MD5_STEP(H, c, d, a, b, x[11], 16, 0x6d9d6122);
        MD5_STEP(H, b, c, d, a, x[14], 23, 0xfde5380c);
        MD5_STEP(H, a, b, c, d, x[1], 4, 0xa4beea44);
        MD5_STEP(H, d, a, b, c, x[4], 11, 0x4bdecfa9);
        MD5_STEP(H, c, d, a, b, x[7], 16, 0xf6bb4b60);
        MD5_STEP(H, b, c, d, a, x[10], 23, 0xbebfbc70);
        MD5_STEP(H, a, b, c, d, x[13], 4, 0x289b7ec6);
        MD5_STEP(H, d, a, b, c, x[0], 11, 0xeaa127fa);
        MD5_STEP(H, c, d, a, b, x[3], 16, 0xd4ef3085);
        MD5_STEP(H, b, c, d, a, x[6], 23, 0x04881d05);
        MD5_STEP(H, a, b, c, d, x[9], 4, 0xd9d4d039);
        MD5_STEP(H, d, a, b, c, x[12], 11, 0xe6db99e5);
        MD5_STEP(H, c, d, a, b, x[15], 16, 0x1fa27cf8);
        MD5_STEP(H, b, c, d, a, x[2], 23, 0xc4ac5665);

        MD5_STEP(I, a, b, c, d, x[0], 6, 0xf4292244);
        MD5_STEP(I, d, a, b, c, x[7], 10, 0x432aff97);
        MD5_STEP(I, c, d, a, b, x[14], 15, 0xab9423a7);
        MD5_STEP(I, b, c, d, a, x[5], 21, 0xfc93a039);
        MD5_STEP(I, a, b, c, d, x[12], 6, 0x655b59c3);
        MD5_STEP(I, d, a, b, c, x[3], 10, 0x8f0ccc92);
        MD5_STEP(I, c, d, a, b, x[10], 15, 0xffeff47d);
        MD5_STEP(I, b, c, d, a, x[1], 21, 0x85845dd1);
        MD5_STEP(I, a, b, c, d, x[8], 6, 0x6fa87e4f);
        MD5_STEP(I, d, a, b, c, x[15], 10, 0xfe2ce6e0);
        MD5_STEP(I, c, d, a, b, x[6], 15, 0xa3014314);
        MD5_STEP(I, b, c, d, a, x[13], 21, 0x4e0811a1);
        MD5_STEP(I, a, b, c, d, x[4], 6, 0xf7537e82);
        MD5_STEP(I, d, a, b, c, x[11], 10, 0xbd3af235);
        MD5_STEP(I, c, d, a, b, x[2], 15, 0x2ad7d2bb);
        MD5_STEP(I, b, c, d, a, x[9], 21, 0xeb86d391);

        a += aa;
        b += bb;
        c += cc;
        d += dd;
    }
    state[0] = a;
    state[1] = b;
    state[2] = c;
    state[3] = d;
}

#undef MD5_STEP

} // namespace

void MD5Init(MD5Context& context) {
    context.state[0] = 0x67452301;
    context.state[1] = 0xefcdab89;
    context.state[2] = 0x98badcfe;
    context.state[3] = 0x10325476;
    context.count[0] = context.count[1] = 0;
    std::memset(context.buffer, 0, sizeof(context.buffer));
}

void MD5Update(MD5Context& context, const void* input, std::size_t length) {
    const auto* in = static_cast<const unsigned char*>(input);
    const std::size_t used = (context.count[0] >> 3) & 63u;

    // The bit count is a 64-bit number kept in two words; it wraps as the standard says.
    const std::uint64_t bits =
        ((static_cast<std::uint64_t>(context.count[1]) << 32) | context.count[0]) +
        (static_cast<std::uint64_t>(length) << 3);
    context.count[0] = static_cast<std::uint32_t>(bits);
    context.count[1] = static_cast<std::uint32_t>(bits >> 32);

    if (used > 0) {
        const std::size_t room = 64 - used;
        if (length < room) {
            std::memcpy(context.buffer + used, in, length);
            return;
        }
        std::memcpy(context.buffer + used, in, room);
        Transform(context.state, context.buffer, 1);
        in += room;
        length -= room;
    }
    if (length >= 64) {
        Transform(context.state, in, length / 64);
        in += length & ~static_cast<std::size_t>(63);
        length &= 63;
    }
    if (length > 0) std::memcpy(context.buffer, in, length);
}

void MD5Final(unsigned char digest[16], MD5Context& context) {
    unsigned char bits[8];
    std::memcpy(bits, context.count, 8); // low word first, each word little-endian
    static const unsigned char padding[64] = {0x80};
    const std::size_t used = (context.count[0] >> 3) & 63u;
    MD5Update(context, padding, used < 56 ? 56 - used : 120 - used);
    MD5Update(context, bits, 8);
    std::memcpy(digest, context.state, 16);
    std::memset(&context, 0, sizeof(context));
}

std::string MD5Hex(std::string_view bytes) {
    MD5Context context;
    MD5Init(context);
    MD5Update(context, bytes.data(), bytes.size());
    unsigned char digest[16];
    MD5Final(digest, context);
    static const char digits[] = "0123456789abcdef";
    std::string text(32, '0');
    for (int i = 0; i < 16; ++i) {
        text[2 * i] = digits[digest[i] >> 4];
        text[2 * i + 1] = digits[digest[i] & 15];
    }
    return text;
}
