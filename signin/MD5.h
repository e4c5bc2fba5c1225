#pragma once
// The MD5 message digest (RFC 1321). The sign-in address carries the password's digest as 32
// lowercase hexadecimal digits, never the password itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct MD5Context {
    std::uint32_t state[4];   // A, B, C, D
    std::uint32_t count[2];   // number of message bits, low word first
    unsigned char buffer[64]; // input not yet digested
};

void MD5Init(MD5Context& context);
void MD5Update(MD5Context& context, const void* input, std::size_t length);
// Writes the 16-byte digest and clears the whole context to zero.
void MD5Final(unsigned char digest[16], MD5Context& context);

// The digest of the bytes as 32 lowercase hexadecimal digits. The bytes are taken as they are: no
// trimming, no change of letter case, no terminating NUL.
std::string MD5Hex(std::string_view bytes);
