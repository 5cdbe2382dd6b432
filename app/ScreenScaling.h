#pragma once
// Every window is laid out for a screen of 9,600 x 7,200 twips; its load scales the window, its
// controls and their fonts to the real screen by one of the rules below. The rules work on a
// plain model of the window (lengths in twips, single precision, fonts in points) so that they
// can be checked without widgets; FormLayout reads a window into the model and writes it back,
// and the functions taking a QWidget do both around a rule.
//
// Each rule keeps one shape: the window's size and place, its own font, then one pass over the
// controls in collection order, each control's Height, Left, Top and Width (in that order), its
// font, a line's X1, X2, Y1, Y2. A rule that stops at an error keeps what it did before it; a
// rule that skips failures passes over each failing step and goes on.

#include "platform/Controls.h"
#include "platform/ScreenMetrics.h"

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

class AppContext;
class QWidget;

namespace ScreenScaling {

inline constexpr float kDesignWidth = 9600.0f;
inline constexpr float kDesignHeight = 7200.0f;

class KindSet {
public:
  constexpr KindSet(std::initializer_list<ControlKind> kinds) {
    for (ControlKind k : kinds)
      bits_ |= bit(k);
  }
  static constexpr KindSet all() {
    KindSet s{};
    s.bits_ = ~std::uint32_t{0};
    return s;
  }
  constexpr bool contains(ControlKind k) const { return (bits_ & bit(k)) != 0; }

private:
  static constexpr std::uint32_t bit(ControlKind k) { return std::uint32_t{1} << static_cast<int>(k); }
  std::uint32_t bits_ = 0;
};

struct ControlModel {
  ControlKind kind = ControlKind::OtherVisual;
  float Left = 0, Top = 0, Width = 0, Height = 0;
  float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0; // lines only
  float FontSize = 0;                   // points; kinds with a font only
  QString FontName;
  std::vector<float> Columns; // list views: column widths from the first column
};

struct WindowModel {
  float Left = 0, Top = 0, Width = 0, Height = 0; // outer rectangle
  float FrameWidth = 0, FrameHeight = 0;          // outer size less client size
  float FontSize = 0;
  QString FontName;
  std::vector<ControlModel> Controls; // in collection order

  // The client area (VB's ScaleWidth, ScaleHeight).
  float ScaleWidth() const;
  float ScaleHeight() const;
};

// The description of the error that stopped a rule, or nothing when it ran to its end.
using Fault = std::optional<QString>;

// The reference rule: the window by the screen ratios, centred 170 twips above the middle, its
// font by the height ratio; list views, list boxes, buttons, text boxes, labels, progress bars,
// images, check boxes, option buttons and frames by the screen ratios, their fonts by the
// smaller ratio; lines; list-view columns by the width ratio.
Fault ResizeForm(WindowModel &form, const ScreenTwips &screen);

// The parameterised rule: the window to the target size (setFormSize 1) or by the target to
// design ratios, centred in the target; controls (combo boxes too) by the change of the client
// area; fonts by that change damped by fontFactor while the window grows, and set to fontName
// when it is not empty.
Fault ResizeControls(WindowModel &form, float targetWidth, float targetHeight, float designWidth,
                     float designHeight, int setFormSize, float fontFactor, const QString &fontName);

// The main window's copy: as large as the screen, its font by the new width / 9,600; list
// boxes, list views, buttons, text boxes, labels and progress bars by the new size / design
// size, their fonts by the smaller screen ratio; lines. Columns are set apart.
Fault MainWindowCopy(WindowModel &form, const ScreenTwips &screen);

// The centred copy and the differences of the rules and windows that apply it: the window by
// the screen ratios (or as large as the screen), centred; its font by one of the ratios; the
// chosen kinds by the screen ratios, their fonts by the capped factor or the smaller ratio.
struct CentredCopyOptions {
  enum class Size { ByScreen, Screen };
  enum class Top { Centre, AboveCentre, Quarter, Fixed2 }; // AboveCentre: 170 twips above
  enum class WindowFont { NewWidth, ScreenWidth, HeightRatio };
  enum class ControlFont { Capped, SmallerRatio };
  KindSet kinds{};
  Size size = Size::ByScreen;
  Top top = Top::Centre;
  WindowFont windowFont = WindowFont::NewWidth;
  ControlFont controlFont = ControlFont::Capped;
  bool columns = false;           // list-view columns by the width ratio
  bool fontFirst = false;         // each control's font before its geometry
  bool shiftNegativeLeft = false; // a control left of 0 is scaled as if 75,000 twips further right
  bool skipFailures = false;      // the window's load skips failing statements
};
enum class CentredWindow {
  Form5,
  frmImport,
  frmRigTune,
  frmFrequencyTest,
  BlindFrm,
  frmCWStrings,
  PacketSpotfrm,
  SpectrumMap
};
CentredCopyOptions centredCopyOptions(CentredWindow window);
Fault CentredCopy(WindowModel &form, const ScreenTwips &screen, const CentredCopyOptions &options);

// The work-area copy: the window by the work-area ratios, centred in the work area, its font by
// the new width / 9,600; every control by the new / old window size, fonts by the capped
// factor (screen width / 9,600, at most 1.5). Failing steps are skipped.
void WorkAreaCopy(WindowModel &form, const ScreenTwips &screen);
// The work-area fill: the window takes the work area at the top-left corner, its own font
// unchanged; controls as in the work-area copy, fonts by the capped factor or left alone.
void WorkAreaFill(WindowModel &form, const ScreenTwips &screen, bool scaleFonts);
// The logo's centring: the window keeps its size and is centred 170 twips above the middle.
void CentreLogo(WindowModel &form, const ScreenTwips &screen);

// The main window at a percentage of the screen, at the top-left corner: list views, buttons,
// text boxes, labels (fonts first) and lines by percent / 100, then the columns of the given
// list views.
Fault ApplyFormSize(WindowModel &form, const ScreenTwips &screen, float percent,
                    const std::vector<ControlModel *> &columnLists);
// The main window to the work area or the whole screen at the top-left corner; every control
// by the new / old window size, fonts unchanged, then the columns of the given list views.
// Failing steps are skipped.
void FitToScreen(WindowModel &form, const ScreenTwips &screen, bool workArea,
                 const std::vector<ControlModel *> &columnLists);

// A window read into the model (its controls in collection order), and written back.
class FormLayout {
public:
  explicit FormLayout(QWidget &form);
  WindowModel model;
  // The model of one of the window's controls, or null for a widget never placed.
  ControlModel *control(const QWidget *widget);
  // Places the window and every control as the model says; each control gets its own font.
  void apply() const;

private:
  QWidget &form_;
  std::vector<QWidget *> widgets_;
};

// The rules applied to a window in its load, with the screen of the station PC. ResizeForm and
// ResizeControls report an error in the message box "Form Resize Error"; the variants that stop
// return their fault for the window's own load to handle.
void ResizeForm(QWidget &form, AppContext &ctx);
void ResizeControls(QWidget &form, AppContext &ctx, float targetWidth, float targetHeight, float designWidth,
                    float designHeight, int setFormSize, float fontFactor, const QString &fontName);
Fault CentredCopy(QWidget &form, AppContext &ctx, CentredWindow window);
void WorkAreaCopy(QWidget &form, AppContext &ctx);
void WorkAreaFill(QWidget &form, AppContext &ctx, bool scaleFonts);
void CentreLogo(QWidget &form, AppContext &ctx);

} // namespace ScreenScaling
