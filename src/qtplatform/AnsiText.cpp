#include "qtplatform/AnsiText.h"

#include <QFile>

namespace sorabel {

QString toQString(std::string_view ansi) {
  // Plain ASCII needs no conversion; most cells are dates and amounts.
  bool ascii = true;
  for (char c : ansi) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return QString::fromLatin1(ansi.data(), static_cast<qsizetype>(ansi.size()));
  std::string utf8 = cp932ToUtf8Lenient(ansi);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

AnsiString toAnsi(const QString& text) {
  QByteArray utf8 = text.toUtf8();
  return utf8ToCp932(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

std::filesystem::path toPath(const QString& path) {
  QByteArray local = QFile::encodeName(path);
  return std::filesystem::path(std::string(local.constData(), static_cast<std::size_t>(local.size())));
}

QString fromPath(const std::filesystem::path& path) { return QFile::decodeName(QByteArray::fromStdString(path.native())); }

}  // namespace sorabel
