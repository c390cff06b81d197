#include "platform/ByteScan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sorabel {
namespace {

// Texts of every length up to 40 whose bytes run through all 256 values,
// so each byte value stands at each place of an eight-byte word.
std::vector<std::string> samples() {
  std::vector<std::string> texts;
  for (std::size_t length = 0; length <= 40; ++length)
    for (int shift = 0; shift < 256; shift += 29) {
      std::string text;
      for (std::size_t i = 0; i < length; ++i) text += static_cast<char>((shift + 7 * i) % 256);
      texts.push_back(text);
    }
  return texts;
}

TEST(ByteScan, FindsTheFirstByteOfAValueOrBelowALimitAnywhere) {
  for (const std::string& text : samples()) {
    for (std::size_t from = 0; from <= text.size(); from += 3) {
      for (int value : {0, 1, int{'"'}, 0x7F, 0x80, 0x81, 0xFF}) {
        const std::size_t expected = text.find(static_cast<char>(value), from);
        EXPECT_EQ(bytes::findByte(text.data(), from, text.size(), static_cast<char>(value)),
                  expected == std::string::npos ? text.size() : expected);
      }
      for (int limit : {1, 27, int{'"'} + 1, 128}) {
        std::size_t expected = from;
        while (expected < text.size() && static_cast<unsigned char>(text[expected]) >= limit) ++expected;
        EXPECT_EQ(bytes::findByteBelow(text.data(), from, text.size(), static_cast<unsigned char>(limit)), expected)
            << "limit " << limit << " in " << text.size() << " bytes";
      }
    }
  }
  // A byte just above the searched one right after it is no match: "#" after '"'.
  const std::string quoteThenHash = "ab\"#cdefgh";
  EXPECT_EQ(bytes::findByte(quoteThenHash.data(), 3, quoteThenHash.size(), '"'), quoteThenHash.size());
  EXPECT_EQ(bytes::bytesEqual(bytes::loadWord("\"#\"#\"#\"#"), '"'), 0x0080008000800080u);
}

TEST(ByteScan, MovesAndComparesShortRunsExactly) {
  for (const std::string& text : samples()) {
    for (std::size_t gap = 0; gap <= 9; ++gap) {
      // Toward the start of the same buffer, overlapping when the gap is small.
      std::string buffer = std::string(gap, '.') + text;
      bytes::moveBytes(buffer.data(), buffer.data() + gap, text.size());
      EXPECT_EQ(buffer.substr(0, text.size()), text);
      EXPECT_TRUE(bytes::sameBytes(buffer.data(), text.data(), text.size()));
    }
    for (std::size_t at = 0; at < text.size(); at += 5) {
      std::string other = text;
      other[at] = static_cast<char>(other[at] ^ 0x40);
      EXPECT_FALSE(bytes::sameBytes(other.data(), text.data(), text.size())) << at << " of " << text.size();
    }
  }
}

// Every way of marking a block agrees with a look at each byte, for every
// byte value at every place of the block.
TEST(ByteScan, MarksQuotesAndControlCodesOfABlock) {
  for (int shift = 0; shift < 256; ++shift) {
    char block[bytes::kBlockBytes];
    bytes::BlockMarks expected{0, 0};
    for (std::size_t i = 0; i < bytes::kBlockBytes; ++i) {
      const auto code = static_cast<unsigned char>((shift + 37 * i) % 256);
      block[i] = static_cast<char>(code);
      if (code == '"') expected.quotes |= std::uint64_t{1} << i;
      if (code <= 26) expected.controls |= std::uint64_t{1} << i;
    }
    std::vector<bytes::BlockMarks> marked{bytes::markBlock(block), bytes::markBlockByWords(block)};
#if defined(SORABEL_AVX2_BLOCKS)
    if (bytes::hasAvx2()) marked.push_back(bytes::markBlockAvx2(block));
#endif
    for (const bytes::BlockMarks got : marked) {
      EXPECT_EQ(got.quotes, expected.quotes) << shift;
      EXPECT_EQ(got.controls, expected.controls) << shift;
    }
  }
}

}  // namespace
}  // namespace sorabel
