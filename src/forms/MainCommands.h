#pragma once
// The main window's commands in one table: the menu, the toolbar and the
// image menu's pictures and hints are all built from it.
//
// The names are the design's short names:
//   F1 ファイル: New1 新規作成, Open1 開く, N2 開き直す (Histry0..4),
//                OpenBackup1 バックアップから開く..., Save1 上書き保存,
//                SaveAs1 名前を付けて保存, N1 -, Print1 印刷, N3 -, Exit1 終了
//   E5 編集:     Undo1 元に戻す (Ctrl+Z), Redo1 やり直し (Ctrl+Y), Cut1 切り取り
//                (Ctrl+X), Copy1 コピー (Ctrl+C), Paste1 貼り付け (Ctrl+V), N5 -,
//                A1 データ追加 (F3), D1 データ削除 (F4), N4 -, SortInc 降順並び (oldest
//                first), SortDec 昇順並び (newest first)
//   Find1 検索:  Find2 検索, I1 月別収支一覧
//   Show1 表示:  T1 ツールバー, S3 ステータスバー, StayTop 常に手前に表示
//   S1 設定:     S2 設定, P1 プリンタの設定
//   H1 ヘルプ:   H2 ヘルプ (F1), V1 バージョン情報

#include <QKeySequence>
#include <span>

#include "widgets/CommandPictures.h"

namespace sorabel {

class TMainFm;

enum class CommandKind {
  Menu,       // a top-level menu; the items after it belong to it
  Item,       // a command of the current menu
  Check,      // a command with a check mark
  Submenu,    // a submenu of the current menu, filled by the window
  Separator,  // a separator line of the current menu
};

struct MainCommand {
  CommandKind kind;
  const char* name;     // the object name, e.g. "New1"
  const char* caption;  // UTF-8, with its "&" accelerator
  int shortcut;         // a Qt::Key, or 0
  const char* hint;     // the status-bar hint, "" for none
  int picture;          // index into the main window's image list, -1 for none
  void (TMainFm::*handler)();
  const char* toolButton;  // the toolbar button running it, or nullptr
};

// Every menu entry in menu order.
std::span<const MainCommand> mainCommands();

// The toolbar from left to right: command names, nullptr for a separator.
std::span<const char* const> toolbarLayout();

// Keys that Linux desktop programs share, beside the menu's own shortcuts.
// They are not shown in the menus, whose items keep their texts and widths.
struct StandardKey {
  const char* command;  // the command's name, e.g. "New1"
  QKeyCombination key;
};
std::span<const StandardKey> standardKeys();

// The command of a name; nullptr when there is none.
const MainCommand* findCommand(const char* name);

}  // namespace sorabel
