#pragma once
// The list of a book's backups, newest first, with the time each was kept
// and its number of entries; the one chosen is opened as a new book.

#include <QDialog>
#include <filesystem>
#include <optional>
#include <vector>

#include "ledger/BookBackups.h"

class QPushButton;
class QTreeWidget;

namespace sorabel {

class TBackupFm : public QDialog {
  Q_OBJECT

 public:
  TBackupFm(const std::vector<BookBackup>& backups, QWidget* parent = nullptr);

  // The backup chosen by 開く or a double click; nothing after Cancel.
  std::optional<std::filesystem::path> chosen() const;

 private:
  void fill(const std::vector<BookBackup>& backups);

  QTreeWidget* BackupList;
  QPushButton* OpenBtn;
  QPushButton* CancelBtn;
  std::vector<std::filesystem::path> paths_;
};

}  // namespace sorabel
