// Windows-1252 helpers used inside the store: the byte case table and the
// conversions between the code page and UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace korgas::cp1252 {

// Every byte in its lower-case form: A-Z, À-Þ except ×, and Š Œ Ž Ÿ.
// Independent of the C locale.
void a_minusculas(std::string& bytes);

// UTF-8 text to Windows-1252 bytes, appended to out. Returns false when the text
// holds a character the code page cannot hold or is not valid UTF-8 (out is then
// left with a partial result).
bool codificar(std::string_view utf8, std::string& out);

// Windows-1252 bytes to UTF-8, appended to out. Every byte has a character, so
// any file comes back unchanged through codificar.
void decodificar(std::string_view bytes, std::string& out);

}  // namespace korgas::cp1252
