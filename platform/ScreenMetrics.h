#pragma once
// The size of the screen and of its work area (the screen less the taskbar and panels), in
// twips. Windows scale themselves to these at load; tests put set metrics in their place.

struct ScreenTwips {
  float Width = 9600.0f;
  float Height = 7200.0f;
  float WorkAreaWidth = 9600.0f;
  float WorkAreaHeight = 7200.0f;
};

class ScreenMetrics {
public:
  virtual ~ScreenMetrics() = default;
  virtual ScreenTwips twips() const = 0;
};

// The primary screen, at 1,440 twips to its logical inch: the scaled layout in pixels then
// depends only on the screen's size in pixels, fonts included.
class QtScreenMetrics : public ScreenMetrics {
public:
  ScreenTwips twips() const override;
};
