#pragma once
// The lines a DX cluster sends: the layout of a "DX de" spot line, the framing of each link's
// text into lines, the rules each link takes a line by, and the monitor text they are shown in.

#include <QString>
#include <QStringList>

#include <functional>

// A line whose first two characters are "DX" in any case.
bool isDXLine(QStringView line);
// The packet engine's test of a spot text: whether its first "DX", in any case, starts at its
// first or second character.
bool isAgwSpotText(const QString &spotText);
// Characters 16 to 24, blanks trimmed: the frequency in kHz as the cluster wrote it.
QString spotFreqText(const QString &line);
// Characters 27 to 39, blanks trimmed and cut at a line end, which a short TNC line carries
// into this field.
QString spotCallText(const QString &line);
// The line without "DX" and the character after it, blanks trimmed (line ends stay).
QString SpotRecord(const QString &line);

// Over 10,000 characters the monitor keeps its last 9,000.
void trimMonitorText(QString &monitor);
// Whether `line` occurs, in any case, within the last 800 characters of the monitor.
bool recentlyShown(const QString &monitor, const QString &line);

// Hands one DX line on: frequency text, call, the whole line.
using PostSpotFn = std::function<void(QString &freq, QString &call, QString &line)>;

// Cluster text this long without a line end is noise: it is dropped up to its line end.
constexpr qsizetype kSpotBufferLimit = 65536;

// Cuts a link's text into lines. CR, LF, CR LF and LF CR each end a line (any run of line ends
// does, as empty lines are dropped); every line is handed on ending in CR LF. The rest after the
// last line end waits for its line end, unless the next arrival begins with "DX de" (any case): a
// spot line never continues a line, so the rest (a cluster prompt, say) is then a line of its own.
// An arrival that could still be the start of "DX de" ("DX", "dx d") waits for more first; it
// stays with the waiting line when the next arrival begins with "DX de" itself.
class ClusterLineFramer {
public:
  QStringList take(const QString &arrival);
  // The text still waiting for its line end, a held arrival included.
  const QString &rest() const { return rest_; }
  void clear() {
    rest_.clear();
    held_ = -1;
    noise_ = false;
  }

private:
  QString rest_;
  qsizetype held_ = -1; // where the held arrival starts in the rest; -1 for none
  bool noise_ = false;  // the rest was too long: what follows up to a line end is dropped too
};

// The lines of a text whose last line ends with it, as a framer cuts them.
QStringList wholeClusterLines(const QString &text);

// How a link screens and shows its complete lines. The TNC drops a line already among the last
// 800 monitor characters and shows the others (lines other than DX lines only without "DX
// only"). Telnet text reached the monitor as it arrived, so a DX line is shown again only with
// "DX only". The packet engine takes a DX line, with at most one character before its "DX",
// when it is not among the last 800 monitor characters, and shows the connected station's other
// lines without "DX only".
struct LineRules {
  enum Link { Tnc, Telnet, Agw } link = Tnc;
  bool fromConnectedStation = false; // the packet engine's connected station sent the line
};

// One complete line by its link's rules: shown in the monitor, which stays trimmed, and a DX
// line posted.
void takeClusterLine(QString &line, QString &monitor, bool dxOnly, LineRules rules, const PostSpotFn &post);
