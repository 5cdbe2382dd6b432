#pragma once
// " HF Spectrum Map": the spot table on eleven band lines from 160 m to 2 m, each with five
// ticks fitted to the spots held. Modal, made for each showing and unloaded after it.

#include <QDialog>

#include <array>

class AppContext;
class Label;
class Line;

class SpectrumMap : public QDialog {
  Q_OBJECT
public:
  explicit SpectrumMap(AppContext &context);

  AppContext &ctx;
  std::array<Label *, 11> lblHFSpots{};  // the bands' strips
  std::array<Line *, 11> lineHF{};       // the bands' lines, low edge on the left
  std::array<Label *, 55> lblFreqSpot{}; // tick j of band b is 5 b + j
  std::array<Label *, 50> lblDXSpot{};   // one per spot-table slot

  void Form_Load();
  void Form_Activate();
  void SetBandScales();
  void ResizeMapForm();
  void BandMapLabelDisplay();
  void lblDXSpot_MouseDown(int Index, Qt::MouseButton Button);

protected:
  bool event(QEvent *event) override;
};
