// The main window's layout: its scaling to the screen at load, the list columns, the chosen
// form size and the taskbar layout.
#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "logging/Form1.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/VbText.h"

#include "logging/ContactListView.h"
#include <QAction>

#include <QTreeWidget>

#include <algorithm>
#include <span>

namespace {

struct Column {
  const char *caption;
  float width; // twips at design
};

const Column kContactColumns[] = {{"Rec#", 510},    {"Call", 780}, {"Rec", 420},     {"#R", 480},
                                  {"Snt", 410},     {"#S", 480},   {"Da/Time", 700}, {"Bnd", 430},
                                  {"Country", 680}, {"Prfx", 480}, {"Pts", 370},     {"Tr", 300}};

// "Status" has width 0: the column is there but not seen.
const Column kSpotColumns[] = {{"Call", 1040},     {"Frequency", 880}, {"QTH", 2000}, {"Status", 0},
                               {"Comments", 3400}, {"Prefix", 520},    {"Time", 600}, {"From", 520}};

// The window has just been made as wide as the screen: design widths follow its width.
void addColumns(QTreeView *list, std::span<const Column> columns, float windowWidth) {
  QStringList captions;
  QList<float> widths;
  for (const Column &c : columns) {
    captions << QString::fromLatin1(c.caption);
    widths << c.width * windowWidth / ScreenScaling::kDesignWidth;
  }
  if (auto *items = qobject_cast<QTreeWidget *>(list))
    items->setHeaderLabels(captions);
  else
    for (qsizetype i = 0; i < captions.size(); ++i)
      list->model()->setHeaderData(static_cast<int>(i), Qt::Horizontal, captions[i]);
  setColumnTwips(list, widths);
}

} // namespace

bool Form1::ScaleToScreen() {
  ScreenScaling::FormLayout layout(*this);
  const ScreenScaling::Fault fault = ScreenScaling::MainWindowCopy(layout.model, ctx.screen->twips());
  layout.apply();
  return !fault;
}

void Form1::AddListColumns() {
  const auto width = float(twipsRect(this).width());
  addColumns(ListView1, kContactColumns, width);
  addColumns(txtDX, kSpotColumns, width);
}

bool Form1::ApplyFormSize() {
  hide(); // the start-up window shows the main window after its load
  ScreenScaling::FormLayout layout(*this);
  const ScreenScaling::Fault fault =
      ScreenScaling::ApplyFormSize(layout.model, ctx.screen->twips(), float(ctx.prefs.FormSizePercent),
                                   {layout.control(ListView1), layout.control(txtDX)});
  layout.apply();
  if (!fault)
    return true;
  // The next start uses the full size.
  ctx.prefs.FormSizePercent = 100;
  return SavePref();
}

void Form1::FitToScreen() {
  mnuTaskbar->setChecked(ctx.prefs.TaskbarLayout != 0);
  if (ctx.prefs.FormSizePercent != 100)
    return;
  ScreenScaling::FormLayout layout(*this);
  ScreenScaling::FitToScreen(layout.model, ctx.screen->twips(), ctx.prefs.TaskbarLayout == 1,
                             {layout.control(txtDX)});
  layout.apply();
}

void Form1::mnuFormSize_Click() {
  const QString answer = ctx.dialogs.input(
      QStringLiteral(
          "Enter the % of the screen you would like the form to cover.  Try between 90 and 100 for "
          "best results.  Values below 75 do not display well."),
      QStringLiteral("Please enter screen percentage."), QString::number(ctx.prefs.FormSizePercent));
  if (!vb::isNumeric(answer)) {
    ctx.dialogs.message(QStringLiteral("Please enter only numeric values."),
                        QStringLiteral("Numeric Values Required"));
    return;
  }
  ctx.prefs.FormSizePercent = int(vb::roundToInt(std::clamp(vb::val(answer), 30.0, 100.0)));
  ctx.dialogs.message(
      QStringLiteral("This program must be closed and restarted for this setting to take effect."),
      QStringLiteral("For this setting to take effect please restart this program."));
  SavePref();
}

void Form1::mnuTaskbar_Click() {
  if (ctx.prefs.FormSizePercent != 100) {
    ctx.dialogs.message(
        QStringLiteral("The form size must be set to 100% to use the taskbar display option."),
        QStringLiteral("Please set your form size to 100% to use this option."));
    // Clicking alone never changes the check mark.
    mnuTaskbar->setChecked(ctx.prefs.TaskbarLayout != 0);
    return;
  }
  ctx.prefs.TaskbarLayout = ctx.prefs.TaskbarLayout == 0 ? 1 : 0;
  SavePref();
  FitToScreen();
}
