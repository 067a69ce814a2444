// Small raster images for the picture: an indexed-colour PNG with stored (uncompressed)
// deflate blocks, and base64.
#include "picture/png_image.h"

#include <algorithm>
#include <array>

namespace plandor {
namespace {

std::uint32_t crc32(std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char b : bytes) c = table[(c ^ static_cast<unsigned char>(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(std::string_view bytes) {
    std::uint32_t a = 1, b = 0;
    for (const char byte : bytes) {
        a = (a + static_cast<unsigned char>(byte)) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

void bigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void chunk(std::string& png, const char* type, std::string_view data) {
    bigEndian(png, static_cast<std::uint32_t>(data.size()));
    std::string typed(type);
    typed += data;
    png += typed;
    bigEndian(png, crc32(typed));
}

/// `raw` as a zlib stream of stored deflate blocks.
std::string storedZlib(std::string_view raw) {
    constexpr std::size_t kMostBlock = 65535;
    std::string out("\x78\x01", 2);
    std::size_t at = 0;
    do {
        const std::size_t size = std::min(kMostBlock, raw.size() - at);
        const bool last = at + size == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(size & 0xFF);
        out += static_cast<char>(size >> 8);
        out += static_cast<char>(~size & 0xFF);
        out += static_cast<char>((~size >> 8) & 0xFF);
        out.append(raw.substr(at, size));
        at += size;
    } while (at < raw.size());
    bigEndian(out, adler32(raw));
    return out;
}

}  // namespace

std::string indexedPng(std::uint32_t width, std::uint32_t height, const std::vector<plsim::Rgb8>& palette,
                       const std::vector<std::uint8_t>& indices) {
    std::string png("\x89PNG\r\n\x1A\n", 8);
    std::string header;
    bigEndian(header, width);
    bigEndian(header, height);
    header += std::string("\x08\x03\x00\x00\x00", 5);  // 8 bits, indexed colour, deflate, no filter, no interlace
    chunk(png, "IHDR", header);
    std::string colours;
    for (const plsim::Rgb8& c : palette) {
        colours += static_cast<char>(c.red);
        colours += static_cast<char>(c.green);
        colours += static_cast<char>(c.blue);
    }
    chunk(png, "PLTE", colours);
    std::string raw;
    raw.reserve(static_cast<std::size_t>(width + 1) * height);
    for (std::uint32_t y = 0; y < height; ++y) {
        raw += '\0';  // no filter on this row
        raw.append(reinterpret_cast<const char*>(indices.data()) + static_cast<std::size_t>(y) * width, width);
    }
    chunk(png, "IDAT", storedZlib(raw));
    chunk(png, "IEND", "");
    return png;
}

std::string base64(std::string_view bytes) {
    constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t n = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (i + 1 < bytes.size()) n |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        if (i + 2 < bytes.size()) n |= static_cast<unsigned char>(bytes[i + 2]);
        out += kDigits[(n >> 18) & 63];
        out += kDigits[(n >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(n >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[n & 63] : '=';
    }
    return out;
}

}  // namespace plandor
