#pragma once
// The direction the book is shown and stored in, chosen in the settings.

namespace sorabel {

enum class BookOrder {
  OldestFirst,  // the oldest entry in row 1
  NewestFirst,  // the newest entry in row 1
};

}  // namespace sorabel
