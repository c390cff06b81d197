#include "components/imagemenu/BarHotTracker.h"

namespace sorabel::imagemenu {
namespace {

bool enabledAt(int index, const std::vector<BarItemInfo>& items) {
  return index >= 0 && index < static_cast<int>(items.size()) && items[static_cast<std::size_t>(index)].enabled;
}

}  // namespace

int BarHotTracker::positionToIndex(int position, const std::vector<BarItemInfo>& items) {
  if (position < 0) return -1;
  int index = position;
  for (int j = 0; j < static_cast<int>(items.size()); ++j) {
    if (!items[static_cast<std::size_t>(j)].visible) ++index;
    if (j == index) break;
  }
  return index;
}

std::vector<BarItemPaint> BarHotTracker::track(const CursorReport& report, const std::vector<BarItemInfo>& items) {
  std::vector<BarItemPaint> paints;
  const int pos = report.position;
  if (report.trackingOff) {
    HotIndex = -1;
    LastHotIndex = -1;
    return paints;
  }
  if (report.onMenuBar) {
    if (!report.formActive || !report.mouseMessage || pos == HotPosition) return paints;
    if (pos >= 0) {
      LastHotPosition = HotPosition;
      HotPosition = pos;
      LastHotIndex = HotIndex;
      HotIndex = positionToIndex(pos, items);
      if (enabledAt(HotIndex, items)) paints.push_back({HotIndex, HotPosition, true});
      if (LastHotIndex >= 0 && enabledAt(LastHotIndex, items)) paints.push_back({LastHotIndex, LastHotPosition, false});
    } else {
      LastHotPosition = HotPosition;
      HotPosition = -1;
      LastHotIndex = HotIndex;
      if (LastHotIndex >= 0) paints.push_back({LastHotIndex, LastHotPosition, false});
      LastHotIndex = -1;
      HotIndex = -1;
    }
    return paints;
  }
  if (pos != HotPosition) {
    LastHotPosition = HotPosition;
    HotPosition = pos;
    LastHotIndex = HotIndex;
    HotIndex = positionToIndex(pos, items);
    if (LastHotIndex >= 0) paints.push_back({LastHotIndex, LastHotPosition, false});
    LastHotPosition = -1;
    LastHotIndex = -1;
  }
  return paints;
}

}  // namespace sorabel::imagemenu
