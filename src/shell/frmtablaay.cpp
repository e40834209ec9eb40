#include "shell/frmtablaay.h"

#include "platform/nombres_ventanas.h"
#include "platform/rejilla.h"
#include "platform/texto_qt.h"
#include "shell/frmtabla.h"

namespace korgas {

namespace {

// One row: the language text of its title and up to three values, written as
// they stand.
struct Constante {
    int titulo;
    const char* valores[3];
};

const Constante kConstantes[] = {
    {100, {"6.02214 10^23 part/mol", nullptr, nullptr}},
    {101, {"1.38066 10^-23 J / K", "1.38066 10^-16 erg / K", "8.61739 10^-5 eV / K"}},
    {102, {"0.0820578 atm l / K mol", "8.31441 J / K mol", "1.98721 cal / K mol"}},
    {102, {"0.0831451 bar l / K mol", "62.3640 mmHg l / K mol", nullptr}},
    {103, {"4.1840 J", nullptr, nullptr}},
    {104, {"1.01325 bar", "760 mmHg", "101325 Pa"}},
    {105, {"6.62608 10^-34 J s", nullptr, nullptr}},
    {106, {"1.66054 10^-27 Kg", nullptr, nullptr}},
    {107, {"9.10939 10^-31 Kg", nullptr, nullptr}},
    {108, {"1.672623 10^-27 Kg", nullptr, nullptr}},
};

}  // namespace

frmtablaay::frmtablaay(QWidget* padre) : QWidget(padre) {
    setObjectName(kFrmtablaay);
    setWindowTitle(sin_acceso(tx(23)));

    gridtermo = new Rejilla(this);
    gridtermo->setObjectName(QStringLiteral("gridtermo"));
    preparar_rejilla(gridtermo, 0, int(std::size(kConstantes)), 4);
    for (int f = 0; f < int(std::size(kConstantes)); ++f) {
        const Constante& k = kConstantes[f];
        gridtermo->fijar_texto(f, 0, tx(k.titulo));
        for (int c = 0; c < 3; ++c)
            if (k.valores[c]) gridtermo->fijar_texto(f, c + 1, QString::fromLatin1(k.valores[c]));
    }
    tamano_ = ajustar_rejilla(gridtermo, 3630);
}

QSize frmtablaay::sizeHint() const {
    return tamano_;
}

}  // namespace korgas
