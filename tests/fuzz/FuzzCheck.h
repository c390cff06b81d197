#pragma once
// What the fuzz targets share: a property that does not hold stops the run
// with its description, and libFuzzer keeps the input that broke it.

#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(condition, what)                                                          \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "property does not hold: %s\n  at %s:%d\n", what, __FILE__, __LINE__); \
      std::abort();                                                                          \
    }                                                                                        \
  } while (0)

namespace sorabel::fuzz {

inline std::string_view bytesOf(const unsigned char* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace sorabel::fuzz
