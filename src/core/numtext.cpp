// Number text without the C library's locale: every conversion goes through
// std::from_chars / std::to_chars, so "." is the decimal point whatever
// LC_NUMERIC says.
#include "core/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace korgas {

namespace {

bool es_blanco(char ch) {
    return ch == ' ' || ch == '\t';
}
bool es_digito(char ch) {
    return ch >= '0' && ch <= '9';
}

// to_chars writes "1e-05"; the program writes "1E-05".
void exponente_mayuscula(std::string& s) {
    for (char& ch : s) {
        if (ch == 'e') ch = 'E';
    }
}

}  // namespace

double leer_numero(std::string_view texto) {
    // The number is gathered without its blanks into a small buffer and handed
    // to from_chars. Each part of the grammar is optional but the mantissa
    // must hold at least one digit; an exponent letter not followed by digits
    // ends the number before the letter.
    std::string limpio;
    limpio.reserve(texto.size());
    std::size_t i = 0;
    const std::size_t n = texto.size();
    auto saltar_blancos = [&] {
        while (i < n && es_blanco(texto[i])) ++i;
    };

    saltar_blancos();
    bool negativo = false;
    if (i < n && (texto[i] == '+' || texto[i] == '-')) {
        negativo = texto[i] == '-';
        ++i;
        saltar_blancos();
    }
    bool hay_digitos = false;
    while (i < n && (es_digito(texto[i]) || es_blanco(texto[i]))) {
        if (es_digito(texto[i])) {
            limpio.push_back(texto[i]);
            hay_digitos = true;
        }
        ++i;
    }
    if (i < n && texto[i] == '.') {
        limpio.push_back('.');
        ++i;
        while (i < n && (es_digito(texto[i]) || es_blanco(texto[i]))) {
            if (es_digito(texto[i])) {
                limpio.push_back(texto[i]);
                hay_digitos = true;
            }
            ++i;
        }
    }
    if (!hay_digitos) return 0;

    if (i < n && (texto[i] == 'e' || texto[i] == 'E')) {
        std::size_t j = i + 1;
        while (j < n && es_blanco(texto[j])) ++j;
        std::string exp = "e";
        if (j < n && (texto[j] == '+' || texto[j] == '-')) {
            exp.push_back(texto[j]);
            ++j;
        }
        bool hay_exp = false;
        while (j < n && (es_digito(texto[j]) || es_blanco(texto[j]))) {
            if (es_digito(texto[j])) {
                exp.push_back(texto[j]);
                hay_exp = true;
            }
            ++j;
        }
        if (hay_exp) limpio += exp;
    }

    double valor = 0;
    const char* inicio = limpio.data();
    const char* fin = limpio.data() + limpio.size();
    auto [ptr, ec] = std::from_chars(inicio, fin, valor, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone when it does not fit: decide by
        // the decimal order of the number whether it overflowed or
        // underflowed. The order is the place of the first significant digit
        // relative to the point, plus the exponent; "0.000...01" without an
        // exponent is tiny, "1000...0e-5" may still be huge. A mantissa with
        // only zeros never gets here: from_chars reads it as 0.
        const std::size_t e = limpio.find('e');
        const std::string_view mantisa(limpio.data(), e == std::string::npos ? limpio.size() : e);
        const std::size_t punto_dec = std::min(mantisa.find('.'), mantisa.size());
        const std::size_t primera = mantisa.find_first_not_of("0.");
        long long orden = primera < punto_dec ? static_cast<long long>(punto_dec - primera)
                                              : -static_cast<long long>(primera - punto_dec - 1);
        if (e != std::string::npos) {
            // The exponent's digits, saturated far beyond any double's range.
            long long exp10 = 0;
            for (std::size_t k = e + 1; k < limpio.size(); ++k) {
                if (es_digito(limpio[k]) && exp10 < 100'000'000)
                    exp10 = exp10 * 10 + (limpio[k] - '0');
            }
            orden += limpio[e + 1] == '-' ? -exp10 : exp10;
        }
        valor = orden > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc()) {
        valor = 0;
    }
    (void)ptr;
    return negativo ? -valor : valor;
}

std::string formatear(double x, std::string_view patron) {
    if (!std::isfinite(x)) return "-----";

    // The pattern: '0' digits always written, '#' digits written when
    // significant; before the point they give the least number of integer
    // digits, after it the decimals (trailing '#' decimals dropped when zero).
    int min_enteros = 0;
    int decimales = 0;
    int decimales_fijos = 0;
    bool tras_punto = false;
    for (char ch : patron) {
        if (ch == '.') {
            tras_punto = true;
        } else if (ch == '0' || ch == '#') {
            if (tras_punto) {
                ++decimales;
                if (ch == '0') decimales_fijos = decimales;
            } else if (ch == '0') {
                ++min_enteros;
            }
        }
    }

    // Fifteen significant digits first: 2.675 is stored as 2.67499999..., and
    // shows as 2.68 like the decimal number the user typed.
    const bool negativo = std::signbit(x);
    const double mag = std::fabs(x);
    std::string cifras;  // the significant digits, without the point
    int punto = 1;       // how many of them stand before the point
    if (mag == 0) {
        cifras = "0";
    } else {
        char buf[64];
        auto r = std::to_chars(buf, buf + sizeof buf, mag, std::chars_format::scientific, 14);
        std::string_view sci(buf, static_cast<std::size_t>(r.ptr - buf));
        std::size_t e = sci.find('e');
        for (std::size_t k = 0; k < e; ++k) {
            if (sci[k] != '.') cifras.push_back(sci[k]);
        }
        int exp10 = 0;
        std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                        exp10);
        punto = exp10 + 1;
    }
    if (punto < 1) {
        cifras.insert(0, static_cast<std::size_t>(1 - punto), '0');
        punto = 1;
    }
    const std::size_t corte = static_cast<std::size_t>(punto + decimales);
    if (cifras.size() < corte + 1) cifras.resize(corte + 1, '0');

    // Half away from zero on the decimal digits of the magnitude.
    const bool subir = cifras[corte] >= '5';
    cifras.resize(corte);
    if (subir) {
        std::size_t k = cifras.size();
        bool acarreo = true;
        while (acarreo && k > 0) {
            --k;
            if (cifras[k] == '9') {
                cifras[k] = '0';
            } else {
                ++cifras[k];
                acarreo = false;
            }
        }
        if (acarreo) {
            cifras.insert(cifras.begin(), '1');
            ++punto;
        }
    }

    std::string entero = cifras.substr(0, static_cast<std::size_t>(punto));
    std::string fraccion = cifras.substr(static_cast<std::size_t>(punto));
    std::size_t primero = entero.find_first_not_of('0');
    entero = primero == std::string::npos ? std::string() : entero.substr(primero);
    if (static_cast<int>(entero.size()) < min_enteros) {
        entero.insert(0, static_cast<std::size_t>(min_enteros) - entero.size(), '0');
    }
    while (static_cast<int>(fraccion.size()) > decimales_fijos && fraccion.back() == '0') {
        fraccion.pop_back();
    }

    const bool cero = cifras.find_first_not_of('0') == std::string::npos;
    std::string out;
    if (negativo && !cero) out.push_back('-');
    out += entero;
    if (!fraccion.empty()) {
        out.push_back('.');
        out += fraccion;
    }
    return out;
}

namespace {

// The shortest digits that read back as x in its own precision, laid out as
// texto_fichero lays out its digits: plain for exponents -4..14, else
// "1.5E-05".
template <class T>
std::string corto(T x) {
    if (!std::isfinite(x)) return "-----";
    if (x == 0) return "0";  // also -0
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific);
    std::string_view sci(buf, static_cast<std::size_t>(r.ptr - buf));
    const std::size_t e = sci.find('e');
    int exp10 = 0;
    std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                    exp10);
    std::string out = x < 0 ? "-" : "";
    if (exp10 < -4 || exp10 >= 15) {
        out += sci;
        exponente_mayuscula(out);
        return out;
    }
    std::string cifras;
    for (std::size_t k = 0; k < e; ++k) {
        if (sci[k] != '.') cifras.push_back(sci[k]);
    }
    if (exp10 < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exp10 - 1), '0');
        out += cifras;
    } else {
        const std::size_t enteros = static_cast<std::size_t>(exp10) + 1;
        if (cifras.size() <= enteros) {
            out += cifras;
            out.append(enteros - cifras.size(), '0');
        } else {
            out += cifras.substr(0, enteros);
            out.push_back('.');
            out += cifras.substr(enteros);
        }
    }
    return out;
}

}  // namespace

std::string texto_corto(double x) {
    return corto(x);
}

std::string texto_corto_simple(float x) {
    return corto(x);
}

std::string texto_fichero(double x) {
    if (!std::isfinite(x)) return "-----";
    if (x == 0) return " 0";  // also -0
    char buf[64];
    // The general format with a precision: the printf "%.15G" rules (fixed
    // notation for exponents -4..14, trailing zeros dropped).
    auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15);
    std::string s(buf, r.ptr);
    exponente_mayuscula(s);
    // Next to the largest double, 15 digits rounded to nearest name a number
    // beyond it ("1.79769313486232E+308" reads as infinity); the last digit
    // then goes one down, toward zero, which keeps the number within the
    // digits written.
    if (!std::isfinite(leer_numero(s))) {
        std::size_t k = std::min(s.find('E'), s.size());
        while (k-- > 0) {
            if (!es_digito(s[k])) continue;
            if (s[k] != '0') {
                --s[k];
                break;
            }
            s[k] = '9';
        }
    }
    if (x > 0) s.insert(s.begin(), ' ');
    return s;
}

long long redondeo_par(double x) {
    if (std::isnan(x)) return 0;
    constexpr double limite = 9223372036854775807.0;  // 2^63
    if (x >= limite) return std::numeric_limits<long long>::max();
    if (x <= -limite) return std::numeric_limits<long long>::min();
    double entero = std::floor(x);
    const double resto = x - entero;
    if (resto > 0.5 || (resto == 0.5 && std::fmod(entero, 2.0) != 0)) entero += 1;
    return static_cast<long long>(entero);
}

}  // namespace korgas
