#pragma once
// The QSO-rate graph window: the rate over the whole log above a strip of band colours, on a
// black or a white background.

#include "output/RateGraph.h"

#include <QDialog>

#include <array>
#include <optional>

class AppContext;
class Line;
class QLabel;
class QPushButton;

class GraphQSO : public QDialog {
  Q_OBJECT
public:
  explicit GraphQSO(AppContext &context);

  AppContext &ctx;

  // `Line4`/`Line3` are the plot's left and right bounds, `Line1`/`Line2` its top and bottom,
  // `Line8`/`Line9` the strip's upper and lower edges, `Line5`/`Line6` the strip's ends, and
  // `Line7`, `Line10` to `Line21` the dotted grid.
  Line *Line1, *Line2, *Line3, *Line4, *Line5, *Line6, *Line7, *Line8, *Line9, *Line10, *Line11;
  Line *Line12, *Line13, *Line14, *Line15, *Line16, *Line17, *Line18, *Line19, *Line20, *Line21;
  std::array<QLabel *, 17> lblY{};
  std::array<QLabel *, 15> lblTime{};
  std::array<QLabel *, 15> lblDate{};
  QLabel *Label1 = nullptr;
  std::array<QLabel *, 7> lblBnd{};
  QPushButton *Command1 = nullptr;

  void Form_Load();
  void Command1_Click();
  void DrawRateGraph();

  QColor background() const { return background_; }
  const std::optional<RateFigure> &figure() const { return figure_; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  void buildControls();
  std::array<Line *, 21> lines() const;
  void applyColours();
  RatePlotBounds plotBounds() const;

  QColor background_ = Qt::black;
  std::optional<RateFigure> figure_;
};
