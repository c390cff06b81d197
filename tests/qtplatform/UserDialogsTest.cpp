#include "qtplatform/UserDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

namespace sorabel {
namespace {

TEST(QtNameFilters, KeepDescriptionsAndMatchEveryFileForStarDotStar) {
  EXPECT_EQ(qtNameFilters("csv files (*.csv)|*.csv|Text files (*.txt)|*.TXT|All Files (*.*)|*.*|"),
            (QStringList{"csv files (*.csv)", "Text files (*.txt)", "All Files (*)"}));
  EXPECT_EQ(qtNameFilters("Books|*.csv;*.txt|"), (QStringList{"Books (*.csv;*.txt)"}));
  EXPECT_EQ(qtNameFilters(""), QStringList{});
}

// What a message box showed: its outer rectangle, the free area of its
// screen and its text.
struct ShownBox {
  QRect frame;
  QRect area;
  QString text;
};

// Shows text in the program's message box over a window low on the screen.
ShownBox tellOverALowWindow(const QString& text) {
  QWidget parent;
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  parent.setGeometry(screen.left() + 20, screen.bottom() - 200, 400, 150);
  parent.show();
  ShownBox shown;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    shown = {box->frameGeometry(), box->screen()->availableGeometry(), box->text()};
    box->button(QMessageBox::Ok)->click();
  });
  QtUserDialogs().tell(&parent, text, MessageKind::Error);
  return shown;
}

TEST(QtUserDialogs, MessageBoxKeepsToTheScreenHoweverLongItsText) {
  const QString explanation =
      QStringLiteral("このファイル名は長すぎるため、次回起動時に開くファイルと履歴に保存できませんでした。");
  QString path = QStringLiteral("/tmp");
  while (path.size() < 4000) path += QLatin1Char('/') + QString(60, QLatin1Char('d'));
  const ShownBox longPath = tellOverALowWindow(path + QLatin1Char('\n') + explanation);
  ASSERT_FALSE(longPath.area.isEmpty());
  EXPECT_TRUE(longPath.area.contains(longPath.frame)) << longPath.frame.y() << " " << longPath.frame.height();
  // Cut in the middle: where it starts and what it says stay.
  EXPECT_TRUE(longPath.text.startsWith(QStringLiteral("/tmp/ddd")));
  EXPECT_TRUE(longPath.text.endsWith(explanation));
  EXPECT_TRUE(longPath.text.contains(QStringLiteral("…")));

  const ShownBox digits = tellOverALowWindow(QLatin1Char('\'') + QString(1'000'000, QLatin1Char('9')) +
                                             QStringLiteral("' は整数ではありません"));
  EXPECT_TRUE(digits.area.contains(digits.frame));
  EXPECT_TRUE(digits.text.endsWith(QStringLiteral("' は整数ではありません")));

  // Short lines, many of them: cut until the box fits the screen's height.
  QStringList lines;
  for (int n = 1; n <= 150; ++n) lines << QStringLiteral("行 %1").arg(n);
  const ShownBox manyLines = tellOverALowWindow(lines.join(QLatin1Char('\n')));
  EXPECT_TRUE(manyLines.area.contains(manyLines.frame)) << manyLines.frame.height();
  EXPECT_TRUE(manyLines.text.startsWith(QStringLiteral("行 1\n")));
  EXPECT_TRUE(manyLines.text.endsWith(QStringLiteral("\n行 150")));

  const ShownBox shortText = tellOverALowWindow(QStringLiteral("短い知らせ"));
  EXPECT_TRUE(shortText.area.contains(shortText.frame));
  EXPECT_EQ(shortText.text, QStringLiteral("短い知らせ"));
}

}  // namespace
}  // namespace sorabel
