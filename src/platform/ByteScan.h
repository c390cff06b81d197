#pragma once
// Scans and copies of bytes for the book file's hot loops: eight bytes are
// looked at together in one 64-bit word, and short copies need no call.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
// Processors with AVX2 mark a block with half the instructions; the code
// for them is chosen when the program runs.
#define SORABEL_AVX2_BLOCKS 1
#endif

namespace sorabel::bytes {

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kTops = 0x8080808080808080u;
constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7Fu;
constexpr bool kWordScans = std::endian::native == std::endian::little;

inline std::uint64_t loadWord(const char* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

inline std::uint32_t loadHalfWord(const char* at) {
  std::uint32_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

// The top bit of each byte of the result is set exactly where word holds
// byte.
inline std::uint64_t bytesEqual(std::uint64_t word, char byte) {
  const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(byte));
  return ~(((x & kLows) + kLows) | x | kLows);
}

// The position of the lowest byte marked in a mask of top bits.
inline std::size_t firstMarked(std::uint64_t mask) { return static_cast<std::size_t>(std::countr_zero(mask)) / 8; }

// The first position from pos whose byte is byte, or size.
inline std::size_t findByte(const char* text, std::size_t pos, std::size_t size, char byte) {
  if constexpr (kWordScans) {
    for (; pos + 8 <= size; pos += 8)
      if (const std::uint64_t mask = bytesEqual(loadWord(text + pos), byte); mask != 0) return pos + firstMarked(mask);
  }
  while (pos < size && text[pos] != byte) ++pos;
  return pos;
}

// The first position from pos whose byte is below limit (at most 128), or
// size. Subtracting limit from each byte borrows into the top bit of the
// first byte below it whose top bit was clear; bytes after it may be marked
// wrongly, never one before it.
inline std::size_t findByteBelow(const char* text, std::size_t pos, std::size_t size, unsigned char limit) {
  if constexpr (kWordScans) {
    for (; pos + 8 <= size; pos += 8) {
      const std::uint64_t word = loadWord(text + pos);
      if (const std::uint64_t mask = (word - limit * kOnes) & ~word & kTops; mask != 0) return pos + firstMarked(mask);
    }
  }
  while (pos < size && static_cast<unsigned char>(text[pos]) >= limit) ++pos;
  return pos;
}

// Copies n bytes to an earlier or the same place, or to a place apart from
// them. Short copies load every byte before storing one, so an overlap
// toward the start is harmless.
inline void moveBytes(char* to, const char* from, std::size_t n) {
  if (n >= 8 && n <= 16) {
    const std::uint64_t head = loadWord(from);
    const std::uint64_t tail = loadWord(from + n - 8);
    std::memcpy(to, &head, 8);
    std::memcpy(to + n - 8, &tail, 8);
  } else if (n >= 4 && n < 8) {
    const std::uint32_t head = loadHalfWord(from);
    const std::uint32_t tail = loadHalfWord(from + n - 4);
    std::memcpy(to, &head, 4);
    std::memcpy(to + n - 4, &tail, 4);
  } else if (n < 4) {
    for (std::size_t i = 0; i < n; ++i) to[i] = from[i];
  } else {
    std::memmove(to, from, n);
  }
}

// True when the n bytes at a and b are the same.
inline bool sameBytes(const char* a, const char* b, std::size_t n) {
  if (n >= 8 && n <= 16) return loadWord(a) == loadWord(b) && loadWord(a + n - 8) == loadWord(b + n - 8);
  if (n >= 4 && n < 8) return loadHalfWord(a) == loadHalfWord(b) && loadHalfWord(a + n - 4) == loadHalfWord(b + n - 4);
  if (n > 16) return std::memcmp(a, b, n) == 0;
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// What stands in a block of 64 bytes, one bit per byte (bit k: byte k):
// double quotes, and control codes 0 to 26 (every line end among them).
struct BlockMarks {
  std::uint64_t quotes;
  std::uint64_t controls;
};
constexpr std::size_t kBlockBytes = 64;

// The top bit of each byte of a word into one bit per byte.
inline std::uint64_t packTops(std::uint64_t tops) { return ((tops >> 7) * 0x0102040810204080u) >> 56; }

// markBlock on 64-bit words, for processors without SSE2.
inline BlockMarks markBlockByWords(const char* at) {
  BlockMarks marks{0, 0};
  for (int part = 0; part < 8; ++part) {
    std::uint64_t word = loadWord(at + 8 * part);
    if constexpr (!kWordScans) word = __builtin_bswap64(word);
    // With every top bit set no byte borrows from the next, and a top bit
    // stays set exactly where the byte's lower seven bits are 27 or more.
    const std::uint64_t controls = ~((word | kTops) - 27 * kOnes) & ~word & kTops;
    marks.quotes |= packTops(bytesEqual(word, '"')) << (8 * part);
    marks.controls |= packTops(controls) << (8 * part);
  }
  return marks;
}

inline BlockMarks markBlock(const char* at) {
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i lastControl = _mm_set1_epi8(26);
  BlockMarks marks{0, 0};
  for (int part = 0; part < 4; ++part) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16 * part));
    const auto quotes = static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, quote)));
    // A byte is 26 or below exactly when the smaller of it and 26 is itself.
    const auto controls =
        static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(bytes, lastControl), bytes)));
    marks.quotes |= std::uint64_t{quotes} << (16 * part);
    marks.controls |= std::uint64_t{controls} << (16 * part);
  }
  return marks;
#else
  return markBlockByWords(at);
#endif
}

#if defined(SORABEL_AVX2_BLOCKS)
inline bool hasAvx2() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return has;
}

// markBlock for processors with AVX2 (hasAvx2), in two halves of 32 bytes.
__attribute__((target("avx2"))) inline BlockMarks markBlockAvx2(const char* at) {
  const __m256i quote = _mm256_set1_epi8('"');
  const __m256i lastControl = _mm256_set1_epi8(26);
  BlockMarks marks{0, 0};
  for (int part = 0; part < 2; ++part) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 32 * part));
    const auto quotes = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(bytes, quote)));
    const auto controls = static_cast<std::uint32_t>(
        _mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_min_epu8(bytes, lastControl), bytes)));
    marks.quotes |= std::uint64_t{quotes} << (32 * part);
    marks.controls |= std::uint64_t{controls} << (32 * part);
  }
  return marks;
}
#endif

}  // namespace sorabel::bytes
