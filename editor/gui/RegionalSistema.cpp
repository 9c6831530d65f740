#include "editor/gui/RegionalSistema.h"

namespace vortena {

namespace {

char Ascii(const QString& s, char otro) {
    if (s.size() == 1 && s[0].unicode() > 0x20 && s[0].unicode() < 0x7f)
        return static_cast<char>(s[0].unicode());
    return otro;
}

}  // namespace

Regional RegionalDe(const QLocale& locale) {
    Regional r;
    r.decimal = Ascii(locale.decimalPoint(), '.');
    if (r.decimal != '.' && r.decimal != ',') r.decimal = '.';
    const QString grupo = locale.groupSeparator();
    if (!grupo.isEmpty() && grupo[0].isSpace())
        r.grupo = ' ';
    else
        r.grupo = Ascii(grupo, r.decimal == ',' ? '.' : ',');
    if (r.grupo == r.decimal) r.grupo = r.decimal == ',' ? '.' : ',';
    return r;
}

}  // namespace vortena
