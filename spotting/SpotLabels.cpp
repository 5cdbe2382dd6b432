#include "spotting/SpotLabels.h"

#include "platform/Controls.h"

#include <QMouseEvent>

namespace bandmap {

Label *makeMapLabel(QWidget *parent, float width, float height, const QColor &colour,
                    const QString &caption) {
  auto *label = placed<Label>(parent, 0, 0, width, height, caption);
  label->setAlignment(Qt::AlignCenter);
  setTextColour(label, colour);
  label->hide();
  return label;
}

Label *makeSpotLabel(QWidget *parent, float width, float height, std::function<void(Qt::MouseButton)> pressed,
                     std::function<void()> hovered) {
  Label *label = makeMapLabel(parent, width, height, Qt::white);
  onEvent(label, QEvent::MouseButtonPress,
          [pressed = std::move(pressed)](QEvent *e) { pressed(static_cast<QMouseEvent *>(e)->button()); });
  if (hovered) {
    label->setMouseTracking(true);
    onEvent(label, QEvent::MouseMove, [hovered = std::move(hovered)](QEvent *) { hovered(); });
  }
  return label;
}

void setTextColour(QWidget *label, const QColor &colour) {
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
}

void applyPlan(Label *label, const LabelPlan &plan) {
  label->setToolTip(plan.tooltip);
  label->setText(plan.caption);
  if (plan.place) {
    const QRectF r = twipsRect(label);
    placeTwips(label, plan.place->x(), plan.place->y(), r.width(), r.height());
  }
  if (plan.colour)
    setTextColour(label, *plan.colour);
  if (plan.shown())
    label->show();
}

} // namespace bandmap
