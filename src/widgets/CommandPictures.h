#pragma once
// The 16 x 16 pictures of the program's commands, drawn in code so that they
// stay sharp and follow no one else's artwork.

#include <QIcon>
#include <QPixmap>

namespace sorabel {

// The pictures in the order of the main window's image list.
enum class CommandPicture : int {
  New = 0,
  Open = 1,
  Reopen = 2,
  Save = 3,
  CloseBook = 4,  // in the list, linked to no command
  Print = 5,
  Exit = 6,
  Add = 7,
  Delete = 8,
  OldestFirst = 9,
  NewestFirst = 10,
  Find = 11,
  Monthly = 12,
  Toolbar = 13,
  Settings = 14,
  PrinterSetup = 15,
  Help = 16,
  About = 17,
  SaveAs = 18,
};
constexpr int kCommandPictureCount = 19;

// The device pixel ratio pictures are made at by default: the highest of
// the screens (1 before the application exists).
qreal pictureRatio();

// A picture of size x size logical pixels (designed on a 16-pixel grid),
// drawn with size x ratio device pixels and carrying that ratio, so that a
// high-density screen shows it drawn finely instead of enlarged.
QPixmap commandPixmap(CommandPicture picture, int size = 16, qreal ratio = pictureRatio());

// The pictures side by side in one strip of size-pixel cells, in list order
// (ratio as above).
QPixmap commandPictureStrip(int size = 16, qreal ratio = pictureRatio());

// The program's icon, a cash book with a yen sign: not drawn here but read
// from the resources' PNG renderings of resources/icons/sorabel.svg, one
// for each of the desktop's sizes from 16 to 256 pixels.
inline constexpr int kProgramIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
QIcon programIcon();
// The icon at size x size pixels.
QPixmap programPixmap(int size = 32);

}  // namespace sorabel
