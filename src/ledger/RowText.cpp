#include "ledger/RowText.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "platform/ByteScan.h"

namespace sorabel {
namespace {

bool needsQuotes(std::string_view cell) {
  for (char c : cell)
    if (isBlankByte(c) || c == '"' || c == ',') return true;
  return false;
}

// Reads the fields of a line in order. For each field the sink gets
// beginField(), the field's text in pieces through append(from, count)
// (pieces of the line itself, so a sink may move them within the line),
// then endField().
template <class Sink>
void scanFields(const char* line, std::size_t size, Sink& sink) {
  std::size_t pos = 0;
  const auto skipBlanks = [&] {
    while (pos < size && isBlankByte(line[pos])) ++pos;
  };
  skipBlanks();
  while (pos < size) {
    sink.beginField();
    if (line[pos] == '"') {
      // Up to the next quote that is not doubled, or the end of the line.
      ++pos;
      for (;;) {
        const std::size_t at = bytes::findByte(line, pos, size, '"');
        if (at == size) {
          sink.append(line + pos, size - pos);
          pos = size;
          break;
        }
        sink.append(line + pos, at - pos);
        if (at + 1 < size && line[at + 1] == '"') {
          sink.append(line + at, 1);  // a doubled quote stands for one
          pos = at + 2;
          continue;
        }
        pos = at + 1;
        break;
      }
    } else {
      const std::size_t start = pos;
      while (pos < size && !isBlankByte(line[pos]) && line[pos] != ',') ++pos;
      sink.append(line + start, pos - start);
    }
    sink.endField();
    skipBlanks();
    if (pos < size && line[pos] == ',') {
      ++pos;
      skipBlanks();
    }
  }
}

// Fields into a vector of strings.
struct FieldList {
  std::vector<AnsiString>& fields;
  std::size_t count = 0;
  AnsiString* current = nullptr;

  void beginField() {
    if (count == fields.size()) fields.emplace_back();
    current = &fields[count++];
    current->clear();
  }
  void append(const char* from, std::size_t n) { current->append(from, n); }
  void endField() {}
};

// The first fields moved to the start of the line, one after another.
struct CellsInPlace {
  char* line;
  CellEnds& ends;
  std::uint32_t written = 0;
  int fields = 0;

  void beginField() { ++fields; }
  void append(const char* from, std::size_t n) {
    if (fields > kLedgerColumnCount || n == 0) return;
    if (line + written != from) bytes::moveBytes(line + written, from, n);
    written += static_cast<std::uint32_t>(n);
  }
  void endField() {
    if (fields <= kLedgerColumnCount) ends[static_cast<std::size_t>(fields - 1)] = written;
  }
};

template <class Cells>
void appendJoined(AnsiString& out, const Cells& cells) {
  bool first = true;
  for (const auto& cell : cells) {
    if (!first) out += ',';
    first = false;
    if (needsQuotes(cell))
      appendQuotedField(out, cell);
    else
      out += cell;
  }
}

// The quotes of a line as the writer writes it: five fields in quotes
// joined by commas, no quote inside them.
constexpr int kWrittenQuotes = 2 * kLedgerColumnCount;

// True when the ten quotes of a line stand as the writer puts them: each
// cell's closing quote but the last followed by a comma and the next
// cell's opening quote.
bool writtenSeparators(const char* line, const std::size_t* quotes) {
  for (int k = 1; k < kLedgerColumnCount; ++k) {
    const std::size_t closing = quotes[2 * k - 1];
    if (quotes[2 * k] != closing + 2 || line[closing + 1] != ',') return false;
  }
  return true;
}

// Moves the cells of a line written that way to its start, given the
// places of its ten quotes; false (nothing changed) when the quotes do not
// stand so.
bool placeWrittenCells(char* line, const std::size_t* quotes, CellEnds& ends) {
  if (!writtenSeparators(line, quotes)) return false;
  std::uint32_t written = 0;
  for (int k = 0; k < kLedgerColumnCount; ++k) {
    const std::size_t from = quotes[2 * k] + 1;
    const std::size_t length = quotes[2 * k + 1] - from;
    if (length > 0) bytes::moveBytes(line + written, line + from, length);
    written += static_cast<std::uint32_t>(length);
    ends[static_cast<std::size_t>(k)] = written;
  }
  return true;
}

// True when a line of size bytes could be a written one: quoted from its
// first byte to its last.
bool quotedThroughout(const char* line, std::size_t size) {
  return size >= kWrittenQuotes + kLedgerColumnCount - 1 && line[0] == '"' && line[size - 1] == '"';
}

// Splits a line written that way in place, as scanFields would split it.
// False (nothing changed) for any other line.
bool splitWrittenLine(char* line, std::size_t size, CellEnds& ends) {
  if (!quotedThroughout(line, size)) return false;
  // Room for the quotes of one more word than a written line has.
  std::size_t quotes[kWrittenQuotes + 8];
  int count = 0;
  std::size_t pos = 0;
  if constexpr (bytes::kWordScans) {
    for (; pos + 8 <= size; pos += 8) {
      for (std::uint64_t mask = bytes::bytesEqual(bytes::loadWord(line + pos), '"'); mask != 0; mask &= mask - 1)
        quotes[count++] = pos + bytes::firstMarked(mask);
      if (count > kWrittenQuotes) return false;
    }
  }
  for (; pos < size; ++pos) {
    if (line[pos] != '"') continue;
    if (count == kWrittenQuotes) return false;
    quotes[count++] = pos;
  }
  if (count != kWrittenQuotes) return false;
  return placeWrittenCells(line, quotes, ends);
}

// The same with the quotes' places known as bits (bit k: byte k), for a
// line of less than a block whose block may be read. Cells of up to sixteen
// bytes are copied from a copy of the block as one piece of sixteen bytes
// wherever the line has room for it: no branching on each cell's length,
// and what a piece writes past its cell is written over by the next cell
// or lies beyond the row's cells.
bool splitWrittenLine(char* line, std::size_t size, std::uint64_t quoteBits, CellEnds& ends) {
  if (!quotedThroughout(line, size)) return false;
  std::size_t quotes[kWrittenQuotes];
  for (std::size_t& quote : quotes) {
    if (quoteBits == 0) return false;
    quote = static_cast<std::size_t>(std::countr_zero(quoteBits));
    quoteBits &= quoteBits - 1;
  }
  if (quoteBits != 0) return false;
  constexpr std::size_t kPiece = 16;
  char block[bytes::kBlockBytes + kPiece] = {};
  std::memcpy(block, line, bytes::kBlockBytes);
  if (!writtenSeparators(block, quotes)) return false;
  std::uint32_t written = 0;
  for (int k = 0; k < kLedgerColumnCount; ++k) {
    const std::size_t from = quotes[2 * k] + 1;
    const std::size_t length = quotes[2 * k + 1] - from;
    if (length <= kPiece && written + kPiece <= size)
      std::memcpy(line + written, block + from, kPiece);
    else
      bytes::moveBytes(line + written, block + from, length);
    written += static_cast<std::uint32_t>(length);
    ends[static_cast<std::size_t>(k)] = written;
  }
  return true;
}

// The general split, for lines not as the writer writes them.
int scanFieldsInPlace(char* line, std::size_t length, CellEnds& ends) {
  CellsInPlace sink{line, ends};
  scanFields(line, length, sink);
  const int got = std::min(sink.fields, kLedgerColumnCount);
  for (int c = got; c < kLedgerColumnCount; ++c) ends[static_cast<std::size_t>(c)] = sink.written;
  return got;
}

}  // namespace

void appendQuotedField(AnsiString& out, std::string_view cell) {
  out += '"';
  std::size_t run = 0;
  // A quote byte is never the second byte of a character, so every quote
  // is doubled.
  for (std::size_t pos = cell.find('"'); pos != std::string_view::npos; pos = cell.find('"', pos + 1)) {
    out.append(cell, run, pos + 1 - run);
    out += '"';
    run = pos + 1;
  }
  out.append(cell, run, cell.size() - run);
  out += '"';
}

AnsiString joinRowText(std::span<const AnsiString> fields) {
  AnsiString out;
  appendRowText(out, fields);
  return out;
}

void appendRowText(AnsiString& out, std::span<const AnsiString> fields) { appendJoined(out, fields); }

void appendRowText(AnsiString& out, std::span<const std::string_view> cells) { appendJoined(out, cells); }

AnsiString rowText(const LedgerRowView& row) {
  AnsiString out;
  appendRowText(out, row);
  return out;
}

void splitFields(std::string_view line, std::vector<AnsiString>& fields) {
  FieldList sink{fields};
  scanFields(line.data(), line.size(), sink);
  fields.resize(sink.count);
}

int splitFieldsInPlace(char* line, std::size_t length, CellEnds& ends) {
  if (splitWrittenLine(line, length, ends)) return kLedgerColumnCount;
  return scanFieldsInPlace(line, length, ends);
}

int splitFieldsInPlace(char* line, std::size_t length, std::uint64_t quotes, CellEnds& ends) {
  if (splitWrittenLine(line, length, quotes, ends)) return kLedgerColumnCount;
  return scanFieldsInPlace(line, length, ends);
}

}  // namespace sorabel
