// The user's regional decimal separator, read without touching the process
// locale (the C and C++ global locales stay "C").
#include "tables/conversions.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace ks {

char Decimal_Separator() {
    char c = 0;
#ifdef _WIN32
    wchar_t buf[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8) > 0 && buf[0] < 128)
        c = static_cast<char>(buf[0]);
#else
    locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (loc != static_cast<locale_t>(0)) {
        const char* radix = nl_langinfo_l(RADIXCHAR, loc);
        if (radix) c = radix[0];
        freelocale(loc);
    }
#endif
    return c == '.' || c == ',' ? c : ',';
}

} // namespace ks
