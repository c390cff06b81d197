#include "ledger/RowText.h"

#include <algorithm>

namespace sorabel {
namespace {

bool isBlank(char c) { return c >= 1 && c <= 32; }

bool needsQuotes(std::string_view cell) {
  for (std::size_t pos = 0; pos < cell.size(); pos += charLength(cell, pos)) {
    char c = cell[pos];
    if (isBlank(c) || c == '"' || c == ',') return true;
  }
  return false;
}

// A NUL byte is an ordinary character: only the end ends the line.
bool atEnd(std::string_view line, std::size_t pos) { return pos >= line.size(); }

void skipBlanks(std::string_view line, std::size_t& pos) {
  while (!atEnd(line, pos) && isBlank(line[pos])) ++pos;
}

// Reads a quoted field into out; a doubled quote stands for one quote.
void readQuotedField(std::string_view line, std::size_t& pos, AnsiString& out) {
  std::size_t run = ++pos;  // past the opening quote; text is copied in runs
  while (!atEnd(line, pos)) {
    if (line[pos] != '"') {
      pos += charLength(line, pos);
      continue;
    }
    out.append(line, run, pos - run);
    if (pos + 1 < line.size() && line[pos + 1] == '"') {
      out += '"';
      run = pos += 2;
      continue;
    }
    ++pos;  // closing quote
    return;
  }
  out.append(line, run, std::min(pos, line.size()) - run);
}

void readPlainField(std::string_view line, std::size_t& pos, AnsiString& out) {
  std::size_t start = pos;
  while (!atEnd(line, pos)) {
    std::size_t len = charLength(line, pos);
    if (len == 1 && (isBlank(line[pos]) || line[pos] == ',')) break;
    pos += len;
  }
  out.append(line, start, pos - start);
}

// Calls next() for a string to read each field into, in order.
template <class NextField>
void scanFields(std::string_view line, NextField&& next) {
  std::size_t pos = 0;
  skipBlanks(line, pos);
  while (!atEnd(line, pos)) {
    AnsiString& out = next();
    out.clear();
    if (line[pos] == '"')
      readQuotedField(line, pos, out);
    else
      readPlainField(line, pos, out);
    skipBlanks(line, pos);
    if (!atEnd(line, pos) && line[pos] == ',') {
      ++pos;
      skipBlanks(line, pos);
    }
  }
}

}  // namespace

void appendQuotedField(AnsiString& out, std::string_view cell) {
  out += '"';
  std::size_t run = 0;
  // Without any quote byte there is nothing to double.
  for (std::size_t pos = cell.find('"'); pos != std::string_view::npos && pos < cell.size();) {
    if (cell[pos] == '"' && isCharBoundary(cell.substr(run), pos - run)) {
      out.append(cell, run, pos + 1 - run);
      out += '"';
      run = pos + 1;
    }
    pos = cell.find('"', pos + 1);
  }
  out.append(cell, run, cell.size() - run);
  out += '"';
}

AnsiString joinRowText(std::span<const AnsiString> fields) {
  AnsiString out;
  appendRowText(out, fields);
  return out;
}

void appendRowText(AnsiString& out, std::span<const AnsiString> fields) {
  bool first = true;
  for (const AnsiString& cell : fields) {
    if (!first) out += ',';
    first = false;
    if (needsQuotes(cell))
      appendQuotedField(out, cell);
    else
      out += cell;
  }
}

void splitFields(std::string_view line, std::vector<AnsiString>& fields) {
  std::size_t count = 0;
  scanFields(line, [&]() -> AnsiString& {
    if (count == fields.size()) fields.emplace_back();
    return fields[count++];
  });
  fields.resize(count);
}

int splitFieldsInto(std::string_view line, std::span<AnsiString> cells) {
  AnsiString surplus;  // fields beyond the cells are read and dropped
  int count = 0;
  scanFields(line, [&]() -> AnsiString& {
    return count < static_cast<int>(cells.size()) ? cells[count++] : surplus;
  });
  for (std::size_t i = static_cast<std::size_t>(count); i < cells.size(); ++i) cells[i].clear();
  return count;
}

}  // namespace sorabel
