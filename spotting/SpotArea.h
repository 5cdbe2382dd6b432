#pragma once
// The main window's room for spots, on its twip model: opening squeezes every other control
// into nine tenths of its height and lays the spot list and the band-map strip across the
// bottom; closing stretches the controls back and parks the spot controls out of the way.

#include "app/ScreenScaling.h"

#include <array>
#include <vector>

namespace spotarea {

using ScreenScaling::ControlModel;
using ScreenScaling::WindowModel;

// The spot area's controls within the window's model.
struct Controls {
  ControlModel *txtDX = nullptr;
  ControlModel *lblDX = nullptr;
  ControlModel *LineDX = nullptr;
  std::array<ControlModel *, 5> scaleLabels{};
  std::vector<ControlModel *> spotLabels; // slot 0 first
};

// Every scalable control shrinks to 0.9 of its Height and then its Top, lines' ends likewise;
// the list and the strip fill the width from 1 % to 98 % below the lowest bottom, the axis runs
// through the strip's middle, the scale labels sit under it at its ends and quarter points.
// False, with the controls already shrunk, when no room is left below them.
bool open(WindowModel &form, const Controls &area);

// Every scalable control and line grows by 1.1111111 (a little short of 10/9, so each measure
// ends at 0.99999999 of what it was), then the spot controls are parked at Top 1000.
void close(WindowModel &form, const Controls &area);

} // namespace spotarea
