#pragma once
// Amounts: whole yen held as text in the grid. ParseAmount keeps only the
// ASCII digits of a text; amount texts are written "#,##0".

#include <cstdint>
#include <string_view>

#include "platform/Cp932.h"
#include "platform/Errors.h"

namespace sorabel {

// Digits beyond the signed 32-bit range: "'<digits>' は整数ではありません".
class AmountError : public Error {
 public:
  using Error::Error;
};

// The amount a cell holds: its characters "0" to "9" in order, read as a
// decimal number; no digits give 0. "1,234" → 1234, "-500" → 500,
// "12.5" → 125, full-width digits count for nothing.
std::int32_t parseAmount(std::string_view text);

// "#,##0" with the user's thousands separator.
AnsiString amountText(std::int64_t value);

}  // namespace sorabel
