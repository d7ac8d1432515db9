#include "app/valuetext.h"

#include <cstdio>

namespace kurvex {

std::string GeneralValueText(double value, char decimalSeparator) {
  char buffer[40];
  const int n = std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string text;
  text.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const char c = buffer[i];
    if (c == '.') {
      text += decimalSeparator;
    } else if (c == 'e') {
      // "e+07" becomes "E7", "e-05" becomes "E-5".
      text += 'E';
      if (buffer[++i] == '-') text += '-';
      while (i + 1 < n && buffer[i + 1] == '0') ++i;
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace kurvex
