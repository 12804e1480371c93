// lookups/clock_style.cpp
#include "lookups/clock_style.h"

#include <langinfo.h>
#include <locale.h>

#include <memory>
#include <string_view>
#include <type_traits>

namespace gavrel {
namespace {

struct LocaleFree {
  void operator()(locale_t loc) const { freelocale(loc); }
};
using LocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleFree>;

[[nodiscard]] bool FormatHasTwelveHourField(std::string_view format) {
  for (std::size_t i = 0; i + 1 < format.size(); ++i) {
    if (format[i] != '%') continue;
    std::size_t j = i + 1;
    // Skip glibc's flag and width characters, as in "%-I" or "%_l".
    while (j < format.size() && (format[j] == '-' || format[j] == '_' || format[j] == '0' ||
                                 format[j] == '^' || format[j] == '#')) {
      ++j;
    }
    if (j >= format.size()) break;
    const char conversion = format[j];
    if (conversion == 'I' || conversion == 'l' || conversion == 'r') return true;
    i = j;  // "%%" and other conversions are stepped over whole
  }
  return false;
}

}  // namespace

bool UsesTwelveHourClock() {
  // "" asks for the locale named by the environment, the way setlocale(LC_TIME, "")
  // would, but into a private object.
  LocaleHandle loc(newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0)));
  if (!loc) return false;
  const char* format = nl_langinfo_l(T_FMT, loc.get());
  return format != nullptr && FormatHasTwelveHourField(format);
}

}  // namespace gavrel
