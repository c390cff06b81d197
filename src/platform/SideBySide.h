#pragma once
// Two pieces of work at the same time, one per processor core: on a large
// book the reader and the order-and-balance pass each do their work in two
// halves.

#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>

namespace sorabel {

// What one side changes at every step (a reader's position) is held on
// cache lines of its own: two cores writing to the same line take it from
// each other at every write, and each side then runs about half as fast.
inline constexpr std::size_t kCacheLineBytes = 64;
template <class T>
struct alignas(kCacheLineBytes) OwnLine {
  T value;
};

// True when the machine has more than one core to work on.
inline bool canRunSideBySide() {
  static const bool several = std::thread::hardware_concurrency() > 1;
  return several;
}

// Runs second on a thread of its own while first runs on this one and
// returns when both are done. On a single core, or when no thread can be
// started, second runs after first. An exception of either is passed on
// once both are done (first's when both throw).
template <class First, class Second>
void runSideBySide(First&& first, Second&& second) {
  std::exception_ptr secondFailure;
  std::thread beside;
  if (canRunSideBySide()) {
    try {
      beside = std::thread([&second, &secondFailure] {
        try {
          second();
        } catch (...) {
          secondFailure = std::current_exception();
        }
      });
    } catch (const std::system_error&) {
      // No thread to be had: second runs here below.
    }
  }
  const bool secondHere = !beside.joinable();
  std::exception_ptr firstFailure;
  try {
    first();
  } catch (...) {
    firstFailure = std::current_exception();
  }
  if (beside.joinable()) beside.join();
  if (firstFailure) std::rethrow_exception(firstFailure);
  if (secondHere) second();
  if (secondFailure) std::rethrow_exception(secondFailure);
}

}  // namespace sorabel
