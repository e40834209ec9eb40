// The language texts, as the core sees them. The core never shows a message:
// a routine that cannot give a result says so in what it returns, and the
// window that called it tells the user.
#pragma once

#include <string>

namespace korgas {

// Language text n: the value of key n in the current language's section of the
// language file (fichidioma, idioma_actual); empty when missing or unreadable.
std::string texto(int n);

}  // namespace korgas
