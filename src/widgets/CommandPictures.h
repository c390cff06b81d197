#pragma once
// The 16 x 16 pictures of the program's commands, drawn in code so that they
// stay sharp and follow no one else's artwork.

#include <QIcon>
#include <QPixmap>

namespace sorabel {

enum class CommandPicture {
  New,
  Open,
  Save,
  Print,
  Add,
  Delete,
  Find,
  Monthly,
  Settings,
  Help,
  About,
  Exit,
  SaveAs,
  PrinterSetup,
};

QPixmap commandPixmap(CommandPicture picture);
QIcon commandIcon(CommandPicture picture);

// The program's 32 x 32 icon: a cash book with a yen sign.
QPixmap programPixmap(int size = 32);
QIcon programIcon();

}  // namespace sorabel
