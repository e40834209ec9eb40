#include "core/teclas.h"

#include <gtest/gtest.h>

#include <string>

using korgas::tecla_numerica;

namespace {

constexpr int kBack = 8;
constexpr int kEnter = 13;

bool pasa(int maxlen, const std::string& texto, int tecla) {
    int k = tecla;
    tecla_numerica(maxlen, k, texto);
    EXPECT_TRUE(k == tecla || k == 0) << "the filter only cancels";
    return k != 0;
}

TEST(TeclaNumerica, TypingANumberIntoAnEmptyBox) {
    std::string texto;
    for (char ch : std::string("12.5")) {
        ASSERT_TRUE(pasa(10, texto, ch)) << ch;
        texto.push_back(ch);
    }
    EXPECT_EQ(texto, "12.5");
    EXPECT_FALSE(pasa(10, texto, '.'));
    EXPECT_TRUE(pasa(10, texto, '0'));
    EXPECT_TRUE(pasa(10, texto, kEnter));
    EXPECT_TRUE(pasa(10, texto, kBack));
}

TEST(TeclaNumerica, Cases) {
    struct Caso {
        int maxlen;
        const char* texto;
        int tecla;
        bool pasa;
    };
    const Caso casos[] = {
        // A full box ("####0.0000" of a five-digit value) takes only backspace.
        {10, "12345.0000", '1', false},
        {10, "12345.0000", kEnter, false},
        {10, "12345.0000", '.', false},
        {10, "12345.0000", kBack, true},
        // A data-window box holds nine.
        {9, "123456789", '0', false},
        {9, "123456789", kEnter, false},
        {9, "123456789", kBack, true},
        {9, "12345678", '9', true},
        // Past the maximum (text written by code) still takes backspace.
        {5, "1234567", kBack, true},
        // No sign, comma, exponent, letter, blank or control key.
        {10, "", '-', false},
        {10, "1", ',', false},
        {10, "1", 'e', false},
        {10, "1", 'E', false},
        {10, "1", ' ', false},
        {10, "1", 9, false},
        {10, "1", 0xF1, false},
        // Two points in a pasted text refuse every key.
        {10, "1..2", '3', false},
        {10, "1..2", kBack, false},
        {10, "1..2", kEnter, false},
        // The length counts characters, not bytes of the UTF-8 text.
        {10, "ºººººººññ", '1', true},
        {9, "ºººººººññ", '1', false},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(pasa(c.maxlen, c.texto, c.tecla), c.pasa)
            << c.maxlen << " \"" << c.texto << "\" key " << c.tecla;
    }
}

}  // namespace
