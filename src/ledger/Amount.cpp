#include "ledger/Amount.h"

#include <limits>
#include <string>

#include "platform/Locale.h"

namespace sorabel {

std::int32_t parseAmount(std::string_view text) {
  std::int64_t value = 0;
  bool overflow = false;
  for (char c : text) {
    if (c < '0' || c > '9') continue;
    value = value * 10 + (c - '0');
    if (value > std::numeric_limits<std::int32_t>::max()) {
      overflow = true;
      value = std::numeric_limits<std::int32_t>::max();  // keep scanning without wrapping
    }
  }
  if (overflow) {
    // The message quotes the digits, cut when there are many.
    std::string digits;
    for (char c : text) {
      if (c < '0' || c > '9') continue;
      digits += c;
      if (digits.size() > kMessageValueBytes) break;
    }
    throw AmountError(formatMessage("'%s' は整数ではありません", excerptForMessage(digits)));
  }
  return static_cast<std::int32_t>(value);
}

AnsiString amountText(std::int64_t value) { return formatThousands(value); }

}  // namespace sorabel
