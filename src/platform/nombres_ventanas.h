// The name of every window of the program: the name its factory is registered
// under in the window registry (ventanas.h) and the objectName the window
// carries. Code names a window through these alone, so a misspelt name fails to
// compile instead of finding no window.
#pragma once

#include <QLatin1String>

namespace korgas {

inline constexpr QLatin1String kFrmprincipal{"frmprincipal"};
inline constexpr QLatin1String kFrmSplash{"frmSplash"};
inline constexpr QLatin1String kFrmdatos{"frmdatos"};
inline constexpr QLatin1String kFrmcompuestos{"frmcompuestos"};
inline constexpr QLatin1String kFrmgraficos{"frmgraficos"};
inline constexpr QLatin1String kFrmescala{"frmescala"};
inline constexpr QLatin1String kFrmcalculos{"frmcalculos"};
inline constexpr QLatin1String kFrmoperaciones{"frmoperaciones"};
inline constexpr QLatin1String kFrmgases{"frmgases"};
inline constexpr QLatin1String kFrmtabla{"frmtabla"};
inline constexpr QLatin1String kFrmtablaay{"frmtablaay"};
inline constexpr QLatin1String kFrmtermometro{"frmtermometro"};
inline constexpr QLatin1String kFrmayuda{"frmayuda"};
inline constexpr QLatin1String kFrmAbout{"frmAbout"};
inline constexpr QLatin1String kFrmIdioma{"frmIdioma"};

}  // namespace korgas
