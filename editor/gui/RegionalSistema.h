#pragma once
// The user's number format as the core wants it.

#include <QLocale>

#include "model/Numeros.h"

namespace vortena {

// Decimal point and group separator of a locale. Separators outside ASCII
// (a narrow no-break space, an Arabic comma) are mapped to the nearest
// single-byte equivalent, and the two are never equal.
Regional RegionalDe(const QLocale& locale);
inline Regional RegionalDelSistema() {
    return RegionalDe(QLocale::system());
}

}  // namespace vortena
