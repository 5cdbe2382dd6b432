#include "rig/frmBandPlan.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFiles.h"

#include <QPushButton>

#include <algorithm>

namespace {

void colour(QLabel *label, const QColor &back, const QColor &text) {
  setBackColor(label, back);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, text);
  label->setPalette(p);
}

} // namespace

frmBandPlan::frmBandPlan(AppContext &context) : QDialog(nullptr), ctx(context) {
  setWindowTitle(QStringLiteral("Frequency Privileges"));
  setModal(true);
  buildControls();
}

void frmBandPlan::buildControls() {
  Label1 = placed<Label>(this, 240, 120, 4800, 300, QStringLiteral("Frequencies Effective: "));
  Label2 = placed<Label>(this, 240, 480, 4800, 360);
  QFont title = Label2->font();
  title.setBold(true);
  title.setPointSizeF(title.pointSizeF() * 1.4);
  Label2->setFont(title);
  Label3 = placed<Label>(this, 6240, 120, 1200, 300, QStringLiteral("CW"));
  Label4 = placed<Label>(this, 7560, 120, 1200, 300, QStringLiteral("Phone"));
  for (Label *legend : {Label3, Label4}) {
    legend->setAlignment(Qt::AlignCenter);
    legend->setFrameStyle(QFrame::Box | QFrame::Plain);
  }
  QPushButton **buttons[] = {&Command1, &Command2, &Command3, &Command4, &Command5, &Command6, &Command7};
  const char *captions[] = {"Novice", "Technician", "Tech +", "General", "Advanced", "Extra", "Done"};
  for (int i = 0; i < 7; ++i) {
    *buttons[i] = placed<QPushButton>(this, 240 + i * 1300, 960, 1200, 420, QString::fromLatin1(captions[i]));
    (*buttons[i])->setAutoDefault(false);
  }
  const struct {
    QPushButton *button;
    const char *title;
    const char *cls;
  } classes[] = {{Command1, "Novice", "N"},          {Command2, "Technician", "T"},
                 {Command3, "Technician Plus", "P"}, {Command4, "General", "G"},
                 {Command5, "Advanced", "A"},        {Command6, "Extra", "E"}};
  for (const auto &c : classes) {
    connect(c.button, &QPushButton::clicked, this, [this, c] {
      Label2->setText(QString::fromLatin1(c.title) + QStringLiteral(" Frequency Privileges"));
      ShowPrivileges(QString::fromLatin1(c.cls));
    });
  }
  connect(Command7, &QPushButton::clicked, this, &QDialog::hide);
  Line1 = new Line(this);
  Line1->setEnds(120, 1560, 9360, 1560);
  placeTwips(this, 0, 0, 9600, 7200);
}

void frmBandPlan::Form_Load() {
  ScreenScaling::WorkAreaFill(*this, ctx, true);
  colour(Label3, QColor(0, 0, 255), Qt::white);
  colour(Label4, QColor(0, 255, 0), Qt::black);
  const auto plan = readBandPlan(files::resolve(ctx.folders.ProgramFolder, kBandPlanFile));
  if (!plan) {
    ctx.dialogs.message(QStringLiteral("Band data not available."),
                        QStringLiteral("Band Data Not Available."));
    return;
  }
  records = plan->records;
  Label1->setText(QStringLiteral("Frequencies Effective: ") + plan->date);
  Label2->setText(QStringLiteral("Extra Frequency Privileges"));
  ShowPrivileges(QStringLiteral("E"));
}

void frmBandPlan::ShowPrivileges(const QString &cls) {
  const QList<QWidget *> controls = placedControls(this);
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
    const QString name = (*it)->objectName();
    if (name.startsWith(QLatin1String("blbl")) || name.startsWith(QLatin1String("priv")) ||
        name.startsWith(QLatin1String("bnlb")))
      delete *it;
  }
  const QRectF outer = twipsRect(this);
  const float s = std::min(ctx.screen->twips().Width / 9600.0f, 1.5f);
  QFont tagFont(QStringLiteral("ARIAL"));
  tagFont.setBold(true);
  tagFont.setPointSizeF(8.0 * s);
  QFont segmentFont(QStringLiteral("ARIAL NARROW"));
  segmentFont.setPointSizeF(7.0 * s);
  for (const ChartLabel &c :
       privilegeChart(records, cls, float(outer.width()), float(outer.height()), Line1->Y1())) {
    auto *label =
        placed<QLabel>(this, c.twips.left(), c.twips.top(), c.twips.width(), c.twips.height(), c.caption);
    label->setObjectName(c.name);
    label->setToolTip(c.toolTip);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    if (c.kind == ChartLabel::Kind::Bar) {
      colour(label, Qt::black, Qt::black);
    } else if (c.kind == ChartLabel::Kind::Tag) {
      colour(label, QColor(255, 255, 0), Qt::black);
      label->setFont(tagFont);
    } else {
      colour(label, c.cw ? QColor(0, 0, 255) : QColor(0, 255, 0), c.cw ? Qt::white : Qt::black);
      label->setFont(segmentFont);
    }
    label->show();
    if (c.kind == ChartLabel::Kind::Segment)
      label->raise();
  }
}
