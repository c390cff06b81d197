#include "forms/UBackups.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ledger/BookFile.h"
#include "platform/Errors.h"
#include "qtplatform/FormFont.h"

namespace sorabel {
namespace {

// "<n> 件", or why the file cannot be read.
QString entryCountText(const std::filesystem::path& backup) {
  try {
    return QStringLiteral("%1 件").arg(bookEntryCount(readBookBytes(backup)));
  } catch (const Error&) {
    return QStringLiteral("読めません");
  }
}

}  // namespace

TBackupFm::TBackupFm(const std::vector<BookBackup>& backups, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("BackupFm"));
  applyFormFont(this);
  setWindowTitle(QStringLiteral("バックアップから開く"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  BackupList = new QTreeWidget(this);
  BackupList->setObjectName(QStringLiteral("BackupList"));
  BackupList->setRootIsDecorated(false);
  BackupList->setAllColumnsShowFocus(true);
  BackupList->setHeaderLabels({QStringLiteral("保存された日時"), QStringLiteral("件数")});
  BackupList->header()->setStretchLastSection(false);
  BackupList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  BackupList->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);

  OpenBtn = new QPushButton(QStringLiteral("開く(&O)"), this);
  OpenBtn->setObjectName(QStringLiteral("OpenBtn"));
  OpenBtn->setDefault(true);
  CancelBtn = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(&C)"), this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  connect(OpenBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(BackupList, &QTreeWidget::itemActivated, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OpenBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BackupList);
  layout->addLayout(buttons);
  resize(340, 260);
  fill(backups);
}

void TBackupFm::fill(const std::vector<BookBackup>& backups) {
  for (const BookBackup& backup : backups) {
    auto* item = new QTreeWidgetItem(BackupList, {QString::fromStdString(shownBackupTime(backup)), entryCountText(backup.path)});
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    paths_.push_back(backup.path);
  }
  BackupList->setCurrentItem(BackupList->topLevelItem(0));
  BackupList->setFocus();
}

std::optional<std::filesystem::path> TBackupFm::chosen() const {
  const int row = BackupList->indexOfTopLevelItem(BackupList->currentItem());
  if (result() != QDialog::Accepted || row < 0) return std::nullopt;
  return paths_[static_cast<std::size_t>(row)];
}

}  // namespace sorabel
