#include "draw/Edges.h"

namespace sorabel::draw {
namespace {

struct RingColors {
  Color topLeft;
  Color bottomRight;
};

RingColors outerColors(unsigned edge, bool soft) {
  if (edge & BDR_RAISEDOUTER) return {soft ? clBtnHighlight : cl3DLight, cl3DDkShadow};
  return {soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight};  // sunken outer
}

RingColors innerColors(unsigned edge, bool soft) {
  if (edge & BDR_RAISEDINNER) return {soft ? cl3DLight : clBtnHighlight, clBtnShadow};
  return {soft ? clBtnShadow : cl3DDkShadow, cl3DLight};  // sunken inner
}

// Adds the sides of one ring on r and shrinks r by the sides drawn.
void addRing(EdgePlan& plan, Rect& r, RingColors colors, unsigned flags) {
  if (r.isEmpty()) return;
  if (flags & BF_LEFT) plan.lines.push_back({{r.left, r.top}, {r.left, r.bottom - 1}, colors.topLeft});
  if (flags & BF_TOP) plan.lines.push_back({{r.left, r.top}, {r.right - 1, r.top}, colors.topLeft});
  if (flags & BF_RIGHT) plan.lines.push_back({{r.right - 1, r.top}, {r.right - 1, r.bottom}, colors.bottomRight});
  if (flags & BF_BOTTOM) plan.lines.push_back({{r.left, r.bottom - 1}, {r.right, r.bottom - 1}, colors.bottomRight});
  if (flags & BF_LEFT) ++r.left;
  if (flags & BF_TOP) ++r.top;
  if (flags & BF_RIGHT) --r.right;
  if (flags & BF_BOTTOM) --r.bottom;
}

}  // namespace

EdgePlan planEdge(const Rect& rect, unsigned edge, unsigned flags) {
  EdgePlan plan;
  Rect r = rect;
  const bool soft = (flags & BF_SOFT) != 0;
  const bool hasOuter = (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) != 0;
  const bool hasInner = (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) != 0;
  if (flags & (BF_FLAT | BF_MONO)) {
    const Color color = (flags & BF_MONO) ? clWindowFrame : clBtnShadow;
    if (hasOuter || hasInner) addRing(plan, r, {color, color}, flags);
    if (hasOuter && hasInner && (flags & BF_FLAT)) addRing(plan, r, {clBtnFace, clBtnFace}, flags);
  } else {
    if (hasOuter) addRing(plan, r, outerColors(edge, soft), flags);
    if (hasInner) addRing(plan, r, innerColors(edge, soft), flags);
  }
  plan.fillMiddle = (flags & BF_MIDDLE) != 0;
  plan.middle = r;
  return plan;
}

}  // namespace sorabel::draw
