#include "spotting/SpotArea.h"

#include "spotting/BandMapRules.h"

#include <algorithm>

namespace spotarea {

namespace {

constexpr double kShrink = 0.9;
constexpr double kGrow = 1.1111111;
constexpr float kParked = 1000.0f;

constexpr ScreenScaling::KindSet kScalable{ControlKind::ProgressBar, ControlKind::ListBox,
                                           ControlKind::ListView,    ControlKind::Button,
                                           ControlKind::TextBox,     ControlKind::Label};

float times(float value, double factor) {
  return float(double(value) * factor);
}

// Height, then Top, of each scalable control, and each line's Y1 and Y2; the lowest bottom.
float scaleVertically(WindowModel &form, double factor) {
  float lowest = 0;
  for (ControlModel &c : form.Controls) {
    if (c.kind == ControlKind::Line) {
      c.Y1 = times(c.Y1, factor);
      c.Y2 = times(c.Y2, factor);
    } else if (kScalable.contains(c.kind)) {
      c.Height = times(c.Height, factor);
      c.Top = times(c.Top, factor);
      lowest = std::max(lowest, c.Top + c.Height);
    }
  }
  return lowest;
}

} // namespace

bool open(WindowModel &form, const Controls &area) {
  const float top = scaleVertically(form, kShrink);
  const float height = form.ScaleHeight() - top;
  if (height < 0)
    return false;
  for (ControlModel *c : {area.txtDX, area.lblDX}) {
    c->Top = top;
    c->Height = height;
    c->Left = times(form.Width, 0.01);
    c->Width = times(form.Width, 0.97);
  }
  const ControlModel &strip = *area.lblDX;
  const float halfLabel = area.spotLabels.front()->Width / 2;
  ControlModel &axis = *area.LineDX;
  axis.X1 = strip.Left + halfLabel;
  axis.X2 = strip.Left + strip.Width - halfLabel;
  axis.Y1 = axis.Y2 = strip.Top + strip.Height / 2;
  for (int i = 0; i < int(area.scaleLabels.size()); ++i) {
    ControlModel &label = *area.scaleLabels[std::size_t(i)];
    label.Top = axis.Y1 + bandmap::axisGap(form.Height);
    label.Left = bandmap::tickLeft(axis.X1, axis.X2, i, label.Width);
  }
  return true;
}

void close(WindowModel &form, const Controls &area) {
  scaleVertically(form, kGrow);
  area.txtDX->Top = kParked;
  area.lblDX->Top = kParked;
  area.LineDX->Y1 = area.LineDX->Y2 = kParked;
  for (ControlModel *c : area.spotLabels)
    c->Top = kParked;
  for (ControlModel *c : area.scaleLabels)
    c->Top = kParked;
}

} // namespace spotarea
