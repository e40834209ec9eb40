#include "platform/aviso_gases.h"

namespace korgas {

AvisoGases* AvisoGases::instancia() {
    static AvisoGases* a = new AvisoGases;
    return a;
}

}  // namespace korgas
