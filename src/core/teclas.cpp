#include "core/teclas.h"

#include <cstddef>

namespace korgas {

namespace {

// Characters of a UTF-8 text: every byte that does not continue a sequence.
std::size_t caracteres(std::string_view texto) {
    std::size_t n = 0;
    for (unsigned char ch : texto) {
        if ((ch & 0xC0) != 0x80) ++n;
    }
    return n;
}

constexpr int kRetroceso = 8;
constexpr int kIntro = 13;
constexpr int kPunto = 46;

}  // namespace

void tecla_numerica(int maxlen, int& KeyAscii, std::string_view texto) {
    // A full box takes only backspace.
    if (static_cast<long long>(caracteres(texto)) >= maxlen && KeyAscii != kRetroceso) {
        KeyAscii = 0;
        return;
    }
    // The points the text would hold; two or more refuse every key, the
    // backspace that could remove one included.
    int puntos = 0;
    for (char ch : texto) {
        if (ch == '.') ++puntos;
    }
    if (KeyAscii == kPunto) ++puntos;

    const bool admitida = (KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == kRetroceso ||
                          KeyAscii == kPunto || KeyAscii == kIntro;
    if (!admitida || puntos > 1) KeyAscii = 0;
}

}  // namespace korgas
