// A book file dropped on the main window, as a file manager drops it: the
// drag enters over the grid, then the drop.

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWindow>
#include <sys/stat.h>
#include <unistd.h>

#include "forms/FormsFixture.h"

namespace sorabel::test {
namespace {

using Rows = std::vector<Utf8Row>;

const char* const kChanged = "データは変更されています\r保存しますか？";

class BookDropTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    start().show();
    QApplication::setActiveWindow(&main());
  }

  static QUrl file(const QString& path) { return QUrl::fromLocalFile(path); }

  // What Qt sends a window during a drag from another program: the drag
  // enters over the grid, moves on with the action the entering took, and
  // drops where it was taken. Returns the action the drop was taken with,
  // IgnoreAction when the drag was refused.
  Qt::DropAction dropOnWindow(const QMimeData& data, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                              Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction) {
    QWindow* window = main().windowHandle();
    auto* grid = child<StringGridView>(&main(), "StringGrid1");
    const QPoint at = grid->mapTo(&main(), grid->rect().center());
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(window, &enter);
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, modifiers);
    if (enter.isAccepted() && (actions & enter.dropAction())) {
      move.setDropAction(enter.dropAction());
      move.accept();
    }
    QApplication::sendEvent(window, &move);
    if (!move.isAccepted()) {
      QDragLeaveEvent leave;
      QApplication::sendEvent(window, &leave);
      return Qt::IgnoreAction;
    }
    QDropEvent drop(at, actions, &data, Qt::NoButton, modifiers);
    QApplication::sendEvent(window, &drop);
    QCoreApplication::processEvents();  // the book opens once the drop is over
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
  }
  Qt::DropAction drop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    return dropOnWindow(data);
  }

  void changeTheBook() {
    main().changeBook([](LedgerGrid& grid) { grid.setCell(kDescriptionColumn, 1, sjis("書きかけ")); });
    ASSERT_TRUE(main().BookChanged());
  }
  QString caption() const { return main().windowTitle(); }

  const char* const kOther = "\"2024/02/01\",\"other\",\"5\",\"0\",\"5\"\r\n";
};

TEST_F(BookDropTest, TheFirstCsvFileDroppedOpens) {
  const QString notes = writeBook("notes.txt", "\"2024/03/01\",\"notes\",\"1\",\"0\",\"1\"\r\n");
  const QString first = writeBook("first.CSV", kOther);
  const QString second = writeBook("second.csv", "\"2024/04/01\",\"second\",\"1\",\"0\",\"1\"\r\n");
  const QUrl remote(QStringLiteral("https://example.com/a.csv"));
  EXPECT_EQ(Qt::CopyAction, drop({remote, file(notes), file(first), file(second)}));
  EXPECT_EQ(rows(), (Rows{{"2024/02/01", "other", "5", "0", "5"}}));
  EXPECT_EQ(caption(), QStringLiteral("Sorabel\u3000") + first);
  EXPECT_EQ(panel(1), " データ件数 1件");
  EXPECT_TRUE(dialogs.shown.empty());
  // Without a .csv the first file opens, as 開く opens any file.
  EXPECT_EQ(Qt::CopyAction, drop({file(notes), file(writeBook("more.txt", ""))}));
  EXPECT_EQ(caption(), QStringLiteral("Sorabel\u3000") + notes);
}

TEST_F(BookDropTest, UnsavedChangesAreAskedAboutAsOpenAsksAndCancelKeepsTheBook) {
  const QString current = writeBook("current.csv", "\"2024/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n");
  dialogs.openNames.push_back(current);
  main().Open1Click();
  const QString other = writeBook("other.csv", kOther);
  changeTheBook();

  dialogs.answers.push_back(Answer::Cancel);
  EXPECT_EQ(Qt::CopyAction, drop({file(other)}));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, kChanged);
  EXPECT_TRUE(dialogs.shown[0].question);
  EXPECT_EQ(rows()[0][kDescriptionColumn], "書きかけ");
  EXPECT_EQ(caption(), QStringLiteral("Sorabel\u3000") + current);

  dialogs.answers.push_back(Answer::Yes);  // saved, then the other opens
  EXPECT_EQ(Qt::CopyAction, drop({file(other)}));
  EXPECT_EQ(bookText("current.csv"), "\"2024/01/01\",\"書きかけ\",\"1\",\"0\",\"1\"\r\n");
  EXPECT_EQ(caption(), QStringLiteral("Sorabel\u3000") + other);

  changeTheBook();
  dialogs.answers.push_back(Answer::No);
  EXPECT_EQ(Qt::CopyAction, drop({file(current)}));
  EXPECT_EQ(rows(), (Rows{{"2024/01/01", "書きかけ", "1", "0", "1"}}));
  EXPECT_EQ(bookText("other.csv"), kOther);  // not saved
  EXPECT_EQ(dialogs.shown.size(), 3u);
}

TEST_F(BookDropTest, WhatCannotBeReadGetsOpensMessageAndNoQuestion) {
  changeTheBook();
  const std::filesystem::path folder = dir / "folder.csv";
  std::filesystem::create_directory(folder);
  const std::filesystem::path fifo = dir / "fifo.csv";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::filesystem::path gone = dir / "gone.csv";
  std::filesystem::create_symlink(dir / "nothing", gone);
  const std::pair<std::filesystem::path, std::string> cases[] = {
      {folder, " を読み込めません。\nフォルダです。"},
      {fifo, " は通常のファイルではありません"},
      {gone, " を読み込めません。\nファイルまたはフォルダが見つかりません。"},
  };
  for (const auto& [path, message] : cases) {
    dialogs.shown.clear();
    EXPECT_EQ(Qt::CopyAction, drop({file(QString::fromStdString(path.string()))}));
    ASSERT_EQ(dialogs.shown.size(), 1u) << path;
    EXPECT_EQ(dialogs.shown[0].text.toStdString(), path.string() + message);
    EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Error);
    EXPECT_FALSE(dialogs.shown[0].question);
    EXPECT_EQ(rows()[0][kDescriptionColumn], "書きかけ");
  }
}

TEST_F(BookDropTest, AFileWithoutReadPermissionGetsOpensMessage) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  changeTheBook();
  const QString locked = writeBook("locked.csv", kOther);
  std::filesystem::permissions(dir / "locked.csv", std::filesystem::perms::none);
  drop({file(locked)});
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, locked + " を読み込めません。\nアクセスが拒否されました。");
  EXPECT_EQ(rows()[0][kDescriptionColumn], "書きかけ");
}

// A file manager removes the file of a drop it takes for a move (Shift held).
TEST_F(BookDropTest, TheDroppedFileIsTakenAsACopyAndStays) {
  const QString book = writeBook("book.csv", kOther);
  QMimeData data;
  data.setUrls({file(book)});
  const Qt::DropActions copyOrMove = Qt::CopyAction | Qt::MoveAction;
  const QDragEnterEvent offer(QPoint(), copyOrMove, &data, Qt::LeftButton, Qt::ShiftModifier);
  ASSERT_EQ(offer.proposedAction(), Qt::MoveAction);
  EXPECT_EQ(dropOnWindow(data, Qt::ShiftModifier, copyOrMove), Qt::CopyAction);
  EXPECT_EQ(caption(), QStringLiteral("Sorabel\u3000") + book);
  EXPECT_EQ(dropOnWindow(data, Qt::NoModifier, Qt::MoveAction), Qt::IgnoreAction);
}

TEST_F(BookDropTest, OnlyLocalFilesAreTaken) {
  const QString before = caption();
  EXPECT_EQ(Qt::IgnoreAction,
            drop({QUrl(QStringLiteral("https://example.com/book.csv")), QUrl(QStringLiteral("sftp://host/b.csv"))}));
  QMimeData text;
  text.setText(bookPath("book.csv"));
  EXPECT_EQ(dropOnWindow(text), Qt::IgnoreAction);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(caption(), before);
}

}  // namespace
}  // namespace sorabel::test
