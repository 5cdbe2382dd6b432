#pragma once
// The QSO-rate graph window: the rate over the whole log above a strip of band colours, on a
// black or a white background.

#include "output/RateGraph.h"

#include <QDialog>

#include <array>
#include <optional>

class AppContext;
class QLabel;
class QPushButton;

class GraphQSO : public QDialog {
  Q_OBJECT
public:
  explicit GraphQSO(AppContext &context);

  AppContext &ctx;

  // Line controls in twips, indexed 1 to 21 by their number: `Line4`/`Line3` are the plot's
  // left and right bounds, `Line1`/`Line2` its top and bottom, `Line8`/`Line9` the strip's
  // edges; the others are the grid and the strip's ends.
  std::array<QLineF, 22> Line;
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
  void applyColours();
  RatePlotBounds plotBounds() const;

  QColor background_ = Qt::black;
  QColor foreground_ = Qt::white;
  std::optional<RateFigure> figure_;
};
