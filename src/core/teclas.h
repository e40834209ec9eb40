// The key filter of the numeric input boxes.
#pragma once

#include <string_view>

namespace korgas {

// Cancels (sets KeyAscii to 0) a key that would not give an unsigned decimal
// number in a box holding texto, or that would pass maxlen: only digits, one
// ".", backspace (8) and Enter (13) pass, and at the maximum length only
// backspace.
void tecla_numerica(int maxlen, int& KeyAscii, std::string_view texto);

}  // namespace korgas
