#pragma once
// The spot labels both band maps draw with: made alike, and set from a redraw's plan.

#include "spotting/BandMapRules.h"

#include <functional>

class Label;
class QWidget;

namespace bandmap {

// A label of `width` x `height` twips with centred text in `colour`, hidden.
Label *makeMapLabel(QWidget *parent, float width, float height, const QColor &colour,
                    const QString &caption = QString());
// A spot label: `pressed` gets the button of each mouse press; `hovered`, when given, each move.
Label *makeSpotLabel(QWidget *parent, float width, float height, std::function<void(Qt::MouseButton)> pressed,
                     std::function<void()> hovered = {});
// Through the palette: a style sheet would re-polish the label on every redraw.
void setTextColour(QWidget *label, const QColor &colour);
// Tooltip, caption, place (size kept), colour, and shown when placed and coloured.
void applyPlan(Label *label, const LabelPlan &plan);

} // namespace bandmap
