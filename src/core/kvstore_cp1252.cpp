// Windows-1252 <-> UTF-8 with the program's own table (no iconv, no locale).
#include <array>
#include <cstdint>

#include "core/kvstore.h"
#include "core/kvstore_cp1252.h"

namespace korgas::cp1252 {

namespace {

// Characters of the bytes 0x80..0x9F. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of
// the same number, so that every byte of a file has a character.
constexpr std::array<char32_t, 32> kAltos = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr std::array<unsigned char, 256> kMinusculas = [] {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; ++c) t[c] = static_cast<unsigned char>(c + 0x20);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) t[c] = static_cast<unsigned char>(c + 0x20);
    t[0x8A] = 0x9A;  // Š š
    t[0x8C] = 0x9C;  // Œ œ
    t[0x8E] = 0x9E;  // Ž ž
    t[0x9F] = 0xFF;  // Ÿ ÿ
    return t;
}();

// The byte of a character, or -1 when the code page has none.
int byte_de(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kAltos[i] == c) return 0x80 + i;
    return -1;
}

void poner_utf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

void a_minusculas(std::string& bytes) {
    for (char& c : bytes) c = static_cast<char>(kMinusculas[static_cast<unsigned char>(c)]);
}

bool codificar(std::string_view utf8, std::string& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* fin = p + utf8.size();
    while (p < fin) {
        unsigned char b = *p;
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++p;
            continue;
        }
        int n;
        char32_t c;
        char32_t minimo;
        if ((b & 0xE0) == 0xC0) {
            n = 2, c = b & 0x1F, minimo = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            n = 3, c = b & 0x0F, minimo = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            n = 4, c = b & 0x07, minimo = 0x10000;
        } else {
            return false;
        }
        if (fin - p < n) return false;
        for (int i = 1; i < n; ++i) {
            if ((p[i] & 0xC0) != 0x80) return false;
            c = (c << 6) | (p[i] & 0x3F);
        }
        if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        int byte = byte_de(c);
        if (byte < 0) return false;
        out.push_back(static_cast<char>(byte));
        p += n;
    }
    return true;
}

void decodificar(std::string_view bytes, std::string& out) {
    out.reserve(out.size() + bytes.size());
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out.push_back(ch);
        } else if (b < 0xA0) {
            poner_utf8(kAltos[b - 0x80], out);
        } else {
            poner_utf8(b, out);
        }
    }
}

}  // namespace korgas::cp1252

namespace korgas {

std::string desde_cp1252(const std::string& bytes) {
    std::string s;
    cp1252::decodificar(bytes, s);
    return s;
}

std::string a_cp1252(const std::string& utf8) {
    std::string s;
    if (!cp1252::codificar(utf8, s))
        throw ErrorTexto("the text \"" + utf8 + "\" holds a character Windows-1252 cannot hold");
    return s;
}

bool representable_cp1252(const std::string& utf8) {
    std::string s;
    return cp1252::codificar(utf8, s);
}

}  // namespace korgas
