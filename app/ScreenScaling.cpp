#include "app/ScreenScaling.h"

#include "app/AppContext.h"
#include "platform/Dialogs.h"

#include <QFontInfo>
#include <QTreeView>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <functional>

namespace ScreenScaling {

namespace {

// An error while scaling, with the description the operator is shown.
struct ScaleFailure {
  QString description;
};

[[noreturn]] void fail(const char *description) {
  throw ScaleFailure{QString::fromLatin1(description)};
}

// Floating-point faults are silent in C++: each result is checked where the old platform
// raised an error.
float finite(float value) {
  if (!std::isfinite(value))
    fail("Overflow");
  return value;
}

float quotient(float a, float b) {
  if (b == 0.0f)
    fail("Division by zero");
  return finite(a / b);
}

float product(float a, float b) {
  return finite(a * b);
}

// Property writes refuse what a window or control refuses.
void setPosition(float &property, float value) {
  property = finite(value);
}

void setSize(float &property, float value) {
  if (finite(value) < 0.0f)
    fail("Invalid property value");
  property = value;
}

void setFontSize(float &property, float value) {
  // The largest font the old platform took was 2,160 points.
  if (finite(value) <= 0.0f || value > 2160.0f)
    fail("Invalid property value");
  property = value;
}

float smaller(float widthRatio, float heightRatio) {
  return heightRatio < widthRatio ? heightRatio : widthRatio;
}

float capped(const ScreenTwips &screen) {
  const float ratio = quotient(screen.Width, kDesignWidth);
  return ratio > 1.5f ? 1.5f : ratio;
}

// Runs the steps of a rule: one that fails stops the rule, or is passed over.
class Steps {
public:
  explicit Steps(bool skipFailures) : skip_(skipFailures) {}
  template <class Step> void operator()(Step &&step) const {
    if (!skip_) {
      step();
      return;
    }
    try {
      step();
    } catch (const ScaleFailure &) {
    }
  }

private:
  bool skip_;
};

template <class Rule> Fault stopAtFailure(Rule &&rule) {
  try {
    rule();
  } catch (const ScaleFailure &failure) {
    return failure.description;
  }
  return std::nullopt;
}

// How one value is scaled; evaluated at each step, so a ratio that cannot be formed fails
// that step only.
using Scale = std::function<float(float)>;

Scale times(float factor) {
  return [factor](float value) { return product(value, factor); };
}

// One pass over the controls.
struct Pass {
  KindSet kinds{};  // controls whose geometry is scaled; lines always are
  Scale x, y;       // horizontal and vertical values
  Scale font;       // font sizes; none leaves them
  QString fontName; // when not empty, every scaled font takes this face
  Scale columns;    // every list view's columns; none leaves them
  bool fontFirst = false;
  bool shiftNegativeLeft = false;
};

constexpr float kShift = 75000.0f;

void scaleColumns(ControlModel &list, const Scale &scale, const Steps &step) {
  for (float &width : list.Columns)
    step([&] { setSize(width, scale(width)); });
}

void scaleControls(WindowModel &form, const Pass &pass, const Steps &step) {
  for (ControlModel &c : form.Controls) {
    const bool shift = pass.shiftNegativeLeft && (c.kind == ControlKind::Line ? c.X1 : c.Left) < 0.0f;
    const auto horizontal = [&](float value) {
      return shift ? finite(pass.x(value + kShift) - kShift) : pass.x(value);
    };
    if (c.kind == ControlKind::Line) {
      step([&] { setPosition(c.X1, horizontal(c.X1)); });
      step([&] { setPosition(c.X2, horizontal(c.X2)); });
      step([&] { setPosition(c.Y1, pass.y(c.Y1)); });
      step([&] { setPosition(c.Y2, pass.y(c.Y2)); });
      continue;
    }
    if (!pass.kinds.contains(c.kind))
      continue;
    const auto font = [&] {
      if (!pass.font || !hasFont(c.kind))
        return;
      if (!pass.fontName.isEmpty())
        step([&] { c.FontName = pass.fontName; });
      step([&] { setFontSize(c.FontSize, pass.font(c.FontSize)); });
    };
    if (pass.fontFirst)
      font();
    step([&] { setSize(c.Height, pass.y(c.Height)); });
    step([&] { setPosition(c.Left, horizontal(c.Left)); });
    step([&] { setPosition(c.Top, pass.y(c.Top)); });
    step([&] { setSize(c.Width, pass.x(c.Width)); });
    if (!pass.fontFirst)
      font();
    if (c.kind == ControlKind::ListView && pass.columns)
      scaleColumns(c, pass.columns, step);
  }
}

constexpr KindSet kResizeControlsKinds{ControlKind::Frame,    ControlKind::ListView,    ControlKind::ListBox,
                                       ControlKind::Button,   ControlKind::TextBox,     ControlKind::ComboBox,
                                       ControlKind::Label,    ControlKind::ProgressBar, ControlKind::Image,
                                       ControlKind::CheckBox, ControlKind::OptionButton};
constexpr KindSet kFormSizeKinds{ControlKind::ListView, ControlKind::Button, ControlKind::TextBox,
                                 ControlKind::Label};

// The reference rule: centred 170 twips above the middle, the window's font by the height ratio,
// list-view columns by the width ratio.
constexpr CentredCopyOptions kResizeFormOptions{
    .kinds = {ControlKind::ListView, ControlKind::ListBox, ControlKind::Button, ControlKind::TextBox,
              ControlKind::Label, ControlKind::ProgressBar, ControlKind::Image, ControlKind::CheckBox,
              ControlKind::OptionButton, ControlKind::Frame},
    .top = CentredCopyOptions::Top::AboveCentre,
    .windowFont = CentredCopyOptions::WindowFont::HeightRatio,
    .controlFont = CentredCopyOptions::ControlFont::SmallerRatio,
    .columns = true};
// The main window's copy: as large as the screen.
constexpr CentredCopyOptions kMainWindowOptions{.kinds = {ControlKind::ListBox, ControlKind::ListView,
                                                          ControlKind::Button, ControlKind::TextBox,
                                                          ControlKind::Label, ControlKind::ProgressBar},
                                                .size = CentredCopyOptions::Size::Screen,
                                                .controlFont = CentredCopyOptions::ControlFont::SmallerRatio};

float windowTop(CentredCopyOptions::Top top, const WindowModel &f, const ScreenTwips &s) {
  switch (top) {
  case CentredCopyOptions::Top::Centre:
    return (s.Height - f.Height) / 2.0f;
  case CentredCopyOptions::Top::AboveCentre:
    return (s.Height - f.Height) / 2.0f - 170.0f;
  case CentredCopyOptions::Top::Quarter:
    return (s.Height - f.Height) / 4.0f;
  case CentredCopyOptions::Top::Fixed2:
    break;
  }
  return 2.0f;
}

float windowFontFactor(CentredCopyOptions::WindowFont font, const WindowModel &f, const ScreenTwips &s) {
  switch (font) {
  case CentredCopyOptions::WindowFont::NewWidth:
    return quotient(f.Width, kDesignWidth);
  case CentredCopyOptions::WindowFont::ScreenWidth:
    return quotient(s.Width, kDesignWidth);
  case CentredCopyOptions::WindowFont::HeightRatio:
    break;
  }
  return quotient(s.Height, kDesignHeight);
}

// A font set by its pixel size reports no point size; the size it is drawn at stands in.
float points(const QFont &font) {
  return float(font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF());
}

// Every control by the change of the window's outer size since oldWidth x oldHeight, fonts by
// the capped factor when asked.
void followWindow(WindowModel &f, float oldWidth, float oldHeight, const ScreenTwips &s, bool cappedFonts,
                  const Steps &step) {
  Pass pass;
  pass.kinds = KindSet::all();
  pass.x = [&f, oldWidth](float v) { return product(v, quotient(f.Width, oldWidth)); };
  pass.y = [&f, oldHeight](float v) { return product(v, quotient(f.Height, oldHeight)); };
  if (cappedFonts)
    step([&] { pass.font = times(capped(s)); });
  scaleControls(f, pass, step);
}

// The window takes width x height at the top-left corner, its own font unchanged; its controls
// follow it.
void fill(WindowModel &f, float width, float height, const ScreenTwips &s, bool cappedFonts,
          const Steps &step) {
  const float oldWidth = f.Width;
  const float oldHeight = f.Height;
  step([&] { setSize(f.Width, width); });
  step([&] { setSize(f.Height, height); });
  f.Left = 0.0f;
  f.Top = 0.0f;
  followWindow(f, oldWidth, oldHeight, s, cappedFonts, step);
}

} // namespace

float WindowModel::ScaleWidth() const {
  return std::max(0.0f, Width - FrameWidth);
}
float WindowModel::ScaleHeight() const {
  return std::max(0.0f, Height - FrameHeight);
}

Fault ResizeForm(WindowModel &f, const ScreenTwips &s) {
  return CentredCopy(f, s, kResizeFormOptions);
}

Fault ResizeControls(WindowModel &f, float targetWidth, float targetHeight, float designWidth,
                     float designHeight, int setFormSize, float fontFactor, const QString &fontName) {
  return stopAtFailure([&] {
    const float oldClientHeight = f.ScaleHeight();
    const float oldClientWidth = f.ScaleWidth();
    if (setFormSize == 1) {
      setSize(f.Width, targetWidth);
      setSize(f.Height, targetHeight);
    } else {
      setSize(f.Width, product(quotient(f.Width, designWidth), targetWidth));
      setSize(f.Height, product(quotient(f.Height, designHeight), targetHeight));
    }
    setPosition(f.Left, (targetWidth - f.Width) / 2.0f);
    setPosition(f.Top, (targetHeight - f.Height) / 2.0f);
    const float widthChange = quotient(f.ScaleWidth(), oldClientWidth);
    const float heightChange = quotient(f.ScaleHeight(), oldClientHeight);
    const float r = smaller(widthChange, heightChange);
    // The new outer height against the old client height, as the old rule had it.
    const float fontRatio = f.Height > oldClientHeight ? finite(1.0f + (r - 1.0f) * fontFactor) : r;
    if (!fontName.isEmpty())
      f.FontName = fontName;
    setFontSize(f.FontSize, product(f.FontSize, fontRatio));
    Pass pass;
    pass.kinds = kResizeControlsKinds;
    pass.x = times(widthChange);
    pass.y = times(heightChange);
    pass.font = times(fontRatio);
    pass.fontName = fontName;
    pass.columns = times(widthChange);
    scaleControls(f, pass, Steps(false));
  });
}

Fault MainWindowCopy(WindowModel &f, const ScreenTwips &s) {
  return CentredCopy(f, s, kMainWindowOptions);
}

CentredCopyOptions centredCopyOptions(CentredWindow window) {
  using K = ControlKind;
  using O = CentredCopyOptions;
  O o;
  switch (window) {
  case CentredWindow::Form5:
    o.kinds = {K::Image, K::ListBox, K::Button, K::TextBox, K::Label};
    o.windowFont = O::WindowFont::ScreenWidth;
    o.controlFont = O::ControlFont::SmallerRatio;
    break;
  case CentredWindow::frmImport:
    o.kinds = {K::ListBox, K::Button, K::TextBox, K::CheckBox, K::Label};
    o.top = O::Top::Quarter;
    o.windowFont = O::WindowFont::ScreenWidth;
    break;
  case CentredWindow::frmRigTune:
    o.kinds = {K::Label,    K::TextBox, K::Button,       K::ListBox, K::Image,
               K::CheckBox, K::Frame,   K::OptionButton, K::ListView};
    o.windowFont = O::WindowFont::ScreenWidth;
    break;
  case CentredWindow::frmFrequencyTest:
    o.kinds = {K::Label, K::TextBox,  K::Button,  K::ListView, K::OptionButton,
               K::Frame, K::ComboBox, K::ListBox, K::CheckBox};
    o.fontFirst = true;
    o.skipFailures = true;
    break;
  case CentredWindow::BlindFrm:
  case CentredWindow::frmCWStrings:
    o.kinds = {K::Frame, K::CheckBox, K::OptionButton, K::ListBox, K::Button, K::TextBox, K::Label};
    break;
  case CentredWindow::PacketSpotfrm:
    o.kinds = {K::CheckBox,     K::ListBox, K::ComboBox, K::Frame,
               K::OptionButton, K::Button,  K::TextBox,  K::Label};
    o.top = O::Top::Fixed2;
    o.shiftNegativeLeft = true;
    break;
  case CentredWindow::SpectrumMap:
    o.kinds = {K::Image, K::OptionButton, K::Frame, K::ListBox, K::Button, K::TextBox, K::Label};
    break;
  }
  return o;
}

Fault CentredCopy(WindowModel &f, const ScreenTwips &s, const CentredCopyOptions &o) {
  const Steps step(o.skipFailures);
  return stopAtFailure([&] {
    if (o.size == CentredCopyOptions::Size::Screen) {
      step([&] { setSize(f.Width, s.Width); });
      step([&] { setSize(f.Height, s.Height); });
    } else {
      step([&] { setSize(f.Width, product(quotient(f.Width, kDesignWidth), s.Width)); });
      step([&] { setSize(f.Height, product(quotient(f.Height, kDesignHeight), s.Height)); });
    }
    step([&] { setPosition(f.Left, (s.Width - f.Width) / 2.0f); });
    step([&] { setPosition(f.Top, windowTop(o.top, f, s)); });
    step([&] { setFontSize(f.FontSize, product(f.FontSize, windowFontFactor(o.windowFont, f, s))); });
    Pass pass;
    pass.kinds = o.kinds;
    pass.x = [&s](float v) { return product(v, quotient(s.Width, kDesignWidth)); };
    pass.y = [&s](float v) { return product(v, quotient(s.Height, kDesignHeight)); };
    step([&] {
      pass.font = times(o.controlFont == CentredCopyOptions::ControlFont::Capped
                            ? capped(s)
                            : smaller(quotient(s.Width, kDesignWidth), quotient(s.Height, kDesignHeight)));
    });
    if (o.columns)
      pass.columns = pass.x;
    pass.fontFirst = o.fontFirst;
    pass.shiftNegativeLeft = o.shiftNegativeLeft;
    scaleControls(f, pass, step);
  });
}

void WorkAreaCopy(WindowModel &f, const ScreenTwips &s) {
  const Steps step(true);
  const float oldWidth = f.Width;
  const float oldHeight = f.Height;
  step([&] { setSize(f.Width, product(quotient(f.Width, kDesignWidth), s.WorkAreaWidth)); });
  step([&] { setSize(f.Height, product(quotient(f.Height, kDesignHeight), s.WorkAreaHeight)); });
  step([&] { setPosition(f.Left, (s.WorkAreaWidth - f.Width) / 2.0f); });
  step([&] { setPosition(f.Top, (s.WorkAreaHeight - f.Height) / 2.0f); });
  step([&] { setFontSize(f.FontSize, product(f.FontSize, quotient(f.Width, kDesignWidth))); });
  followWindow(f, oldWidth, oldHeight, s, true, step);
}

void WorkAreaFill(WindowModel &f, const ScreenTwips &s, bool scaleFonts) {
  fill(f, s.WorkAreaWidth, s.WorkAreaHeight, s, scaleFonts, Steps(true));
}

void CentreLogo(WindowModel &f, const ScreenTwips &s) {
  const Steps step(true);
  step([&] { setPosition(f.Left, (s.Width - f.Width) / 2.0f); });
  step([&] { setPosition(f.Top, windowTop(CentredCopyOptions::Top::AboveCentre, f, s)); });
}

Fault ApplyFormSize(WindowModel &f, const ScreenTwips &s, float percent,
                    const std::vector<ControlModel *> &columnLists) {
  return stopAtFailure([&] {
    const Scale byPercent = [percent](float v) { return product(v, percent) / 100.0f; };
    setSize(f.Width, product(percent, s.Width) / 100.0f);
    setSize(f.Height, product(percent, s.Height) / 100.0f);
    f.Left = 0.0f;
    f.Top = 0.0f;
    setFontSize(f.FontSize, byPercent(f.FontSize));
    Pass pass;
    pass.kinds = kFormSizeKinds;
    pass.x = pass.y = pass.font = byPercent;
    pass.fontFirst = true;
    scaleControls(f, pass, Steps(false));
    for (ControlModel *list : columnLists)
      if (list)
        scaleColumns(*list, byPercent, Steps(false));
  });
}

void FitToScreen(WindowModel &f, const ScreenTwips &s, bool workArea,
                 const std::vector<ControlModel *> &columnLists) {
  const Steps step(true);
  const float oldWidth = f.Width;
  fill(f, workArea ? s.WorkAreaWidth : s.Width, workArea ? s.WorkAreaHeight : s.Height, s, false, step);
  const Scale column = [&f, oldWidth](float v) { return quotient(product(v, f.Width), oldWidth); };
  for (ControlModel *list : columnLists)
    if (list)
      scaleColumns(*list, column, step);
}

FormLayout::FormLayout(QWidget &form) : form_(form) {
  const QRectF outer = twipsRect(&form);
  const QSizeF frame = frameTwips(&form);
  if (!isPlaced(&form)) {
    // A window never placed in twips: its outer rectangle from where it stands.
    const double perPixel = twipsPerPixel(&form);
    model.Left = float(form.x() * perPixel);
    model.Top = float(form.y() * perPixel);
    model.Width = float(form.width() * perPixel + kFrameWidthPx * perPixel);
    model.Height = float(form.height() * perPixel + kFrameHeightPx * perPixel);
  } else {
    model.Left = float(outer.left());
    model.Top = float(outer.top());
    model.Width = float(outer.width());
    model.Height = float(outer.height());
  }
  model.FrameWidth = float(frame.width());
  model.FrameHeight = float(frame.height());
  const QFont font = formFont(&form);
  model.FontSize = points(font);
  model.FontName = font.family();
  for (QWidget *w : placedControls(&form)) {
    ControlModel c;
    c.kind = controlKind(w);
    if (const auto *line = qobject_cast<const Line *>(w)) {
      c.X1 = line->X1();
      c.Y1 = line->Y1();
      c.X2 = line->X2();
      c.Y2 = line->Y2();
    } else {
      const QRectF r = twipsRect(w);
      c.Left = float(r.left());
      c.Top = float(r.top());
      c.Width = float(r.width());
      c.Height = float(r.height());
    }
    c.FontSize = points(w->font());
    c.FontName = w->font().family();
    if (const auto *list = qobject_cast<const QTreeView *>(w)) {
      const QList<float> columns = columnTwips(list);
      c.Columns.assign(columns.begin(), columns.end());
    }
    model.Controls.push_back(std::move(c));
    widgets_.push_back(w);
  }
}

ControlModel *FormLayout::control(const QWidget *widget) {
  const auto it = std::find(widgets_.begin(), widgets_.end(), widget);
  return it == widgets_.end() ? nullptr : &model.Controls[std::size_t(it - widgets_.begin())];
}

void FormLayout::apply() const {
  placeTwips(&form_, model.Left, model.Top, model.Width, model.Height);
  QFont windowFont = formFont(&form_);
  windowFont.setPointSizeF(model.FontSize);
  windowFont.setFamily(model.FontName);
  setFormFont(&form_, windowFont);
  for (std::size_t i = 0; i < widgets_.size(); ++i) {
    QWidget *w = widgets_[i];
    const ControlModel &c = model.Controls[i];
    if (auto *line = qobject_cast<Line *>(w)) {
      line->setEnds(c.X1, c.Y1, c.X2, c.Y2);
      continue;
    }
    placeTwips(w, c.Left, c.Top, c.Width, c.Height);
    if (hasFont(c.kind)) {
      QFont font = w->font();
      font.setPointSizeF(c.FontSize);
      font.setFamily(c.FontName);
      w->setFont(font);
    }
    // Lists whose columns were never given in twips keep theirs.
    if (auto *list = qobject_cast<QTreeView *>(w); list && !c.Columns.empty())
      setColumnTwips(list, QList<float>(c.Columns.begin(), c.Columns.end()));
  }
}

namespace {

void reportFault(const Fault &fault, Dialogs &dialogs) {
  if (fault)
    dialogs.message(*fault, QStringLiteral("Form Resize Error"));
}

} // namespace

void ResizeForm(QWidget &form, AppContext &ctx) {
  FormLayout layout(form);
  const Fault fault = ResizeForm(layout.model, ctx.screen->twips());
  layout.apply();
  reportFault(fault, ctx.dialogs);
}

void ResizeControls(QWidget &form, AppContext &ctx, float targetWidth, float targetHeight, float designWidth,
                    float designHeight, int setFormSize, float fontFactor, const QString &fontName) {
  FormLayout layout(form);
  const Fault fault = ResizeControls(layout.model, targetWidth, targetHeight, designWidth, designHeight,
                                     setFormSize, fontFactor, fontName);
  layout.apply();
  reportFault(fault, ctx.dialogs);
}

Fault CentredCopy(QWidget &form, AppContext &ctx, CentredWindow window) {
  FormLayout layout(form);
  const Fault fault = CentredCopy(layout.model, ctx.screen->twips(), centredCopyOptions(window));
  layout.apply();
  return fault;
}

void WorkAreaCopy(QWidget &form, AppContext &ctx) {
  FormLayout layout(form);
  WorkAreaCopy(layout.model, ctx.screen->twips());
  layout.apply();
}

void WorkAreaFill(QWidget &form, AppContext &ctx, bool scaleFonts) {
  FormLayout layout(form);
  WorkAreaFill(layout.model, ctx.screen->twips(), scaleFonts);
  layout.apply();
}

void CentreLogo(QWidget &form, AppContext &ctx) {
  FormLayout layout(form);
  CentreLogo(layout.model, ctx.screen->twips());
  layout.apply();
}

} // namespace ScreenScaling
