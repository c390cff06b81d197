// Amounts: ParseAmount reads the ASCII digits of any text as one decimal
// number or refuses it naming those digits (the first 40 and "…" when there
// are more, so a message stays short); the "#,##0" text of a
// value, with any usable thousands separator, reads back as its magnitude.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <limits>
#include <string>

#include "FuzzCheck.h"
#include "ledger/Amount.h"
#include "platform/Locale.h"

namespace {

using namespace sorabel;

void checkParse(std::string_view text) {
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9') digits += c;
  const std::size_t significant = digits.find_first_not_of('0');
  const std::string_view number = significant == std::string::npos ? std::string_view() : std::string_view(digits).substr(significant);
  const bool fits = number.size() < 10 || (number.size() == 10 && number <= "2147483647");
  try {
    const std::int32_t value = parseAmount(text);
    FUZZ_CHECK(fits, "an amount beyond 32 bits is refused");
    FUZZ_CHECK(value >= 0, "an amount is never negative");
    FUZZ_CHECK(std::to_string(value) == (number.empty() ? "0" : std::string(number)), "the value is the digits read as one number");
  } catch (const AmountError& error) {
    FUZZ_CHECK(!fits, "an amount within 32 bits is read");
    const std::string quoted = digits.size() <= 40 ? digits : digits.substr(0, 40) + "\u2026";
    FUZZ_CHECK(std::string(error.what()) == "'" + quoted + "' は整数ではありません", "the refusal names the digits");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  using namespace sorabel;
  checkParse(fuzz::bytesOf(data, size));

  FuzzedDataProvider input(data, size);
  const auto value = input.ConsumeIntegral<std::int64_t>();
  const char separators[] = {',', '.', ' ', '\'', '_'};
  const char separator = input.PickValueInArray(separators);
  const std::string text = formatThousands(value, separator);
  const std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  FUZZ_CHECK((value < 0) == (text.front() == '-'), "only a negative value has a minus sign");
  std::string digits;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t fromEnd = text.size() - i;  // a separator before every third digit from the end
    if (text[i] == '-') continue;
    if (fromEnd % 4 == 0) {
      FUZZ_CHECK(text[i] == separator, "digits are grouped by three");
      continue;
    }
    digits += text[i];
  }
  FUZZ_CHECK(digits == std::to_string(magnitude), "the text holds the value's digits");
  if (magnitude <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
    setThousandsSeparator(separator);
    FUZZ_CHECK(static_cast<std::uint64_t>(parseAmount(amountText(value))) == magnitude,
               "an amount text reads back as its magnitude");
    setThousandsSeparator(0);
  }
  return 0;
}
