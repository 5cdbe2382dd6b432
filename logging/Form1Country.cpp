// The analysis of the call being typed (its WPX prefix, country, continent, beam heading and
// distance), the country field's type-ahead, and loading the country list.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "logging/CountryTable.h"
#include "logging/EntryKeys.h"
#include "logging/WpxPrefix.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

#include <algorithm>

namespace {

// After a lookup the country name is selected, so that typing replaces it.
constexpr int kCountrySelection = 25;

} // namespace

void Form1::connectCallAnalysis() {
  connect(txtCntry, &QLineEdit::textChanged, this, &Form1::txtCntry_Change);
  connect(txtPref, &QLineEdit::textChanged, this, &Form1::txtPref_Change);
}

void Form1::CallPreFix() {
  txtPref->setText(wpxPrefix(txtCall->text()));
}

void Form1::CountryLookup() {
  LoggingState &s = st();
  s.CountryIndex = 0;
  const CountryMatch match = lookupCountry(s.CountryTable, txtCall->text());
  switch (match.outcome) {
  case CountryMatch::Outcome::NoCall:
    return;
  case CountryMatch::Outcome::NotFound:
    txtCntry->setText(match.name);
    clearCountryPlace();
    break;
  case CountryMatch::Outcome::Found:
    // The index is set first: the country field's change handler reads its continent.
    s.CountryIndex = match.index;
    txtCntry->setText(match.name);
    showCountryPlace(s.CountryTable.slot(match.index));
    break;
  }
  txtCntry->setSelection(0, std::min<int>(kCountrySelection, static_cast<int>(txtCntry->text().size())));
}

void Form1::showCountryPlace(const CountryEntry &entry) {
  Label19->setText(entry.CountryContinent);
  HDCalc(entry.CountryLatitude, entry.CountryLongitude);
}

void Form1::clearCountryPlace() {
  for (Label *l : {Label19, Label22, Label23})
    l->setText(QString());
}

void Form1::HDCalc(float lat, float lon) {
  const StationSettings &me = st().station;
  const HeadingTexts texts = headingTexts(me.MyLatitude, me.MyLongitude, lat, lon);
  Label22->setText(texts.bearing);
  Label23->setText(texts.distance);
}

void Form1::txtCntry_KeyPress(int &KeyAscii) {
  LoggingState &s = st();
  if (KeyAscii == keys::DoubleQuote)
    KeyAscii = 0;
  const bool carried = s.CarryTarget == carryTo::Country;
  if (carried)
    KeyAscii = s.CarryKey;
  if (KeyAscii == keys::Enter) {
    KeyAscii = 0;
    Mains();
    return;
  }
  if (KeyAscii == keys::Space && !carried && txtCntry->selStart() == 0) {
    KeyAscii = 0;
    txtPref->setFocus();
    return;
  }
  if (carried)
    placeCarried(txtCntry, KeyAscii);
  if (KeyAscii >= 1 && (txtCntry->text().isEmpty() || txtCntry->selStart() == 0)) {
    txtCntry->setText(QString());
    KeyAscii = Capital(KeyAscii);
  }
  if (KeyAscii <= 0)
    return;

  const int slot = completeCountryName(txtCntry, s.CountryTable, KeyAscii);
  if (slot == 0)
    return;
  KeyAscii = 0;
  s.CountryIndex = slot;
  // The text changed with the old country's index; now the points follow the new one.
  txtCntry_Change();
  showCountryPlace(s.CountryTable.slot(slot));
}

int Form1::completeCountryName(TextBox *box, const CountryList &table, int KeyAscii) {
  const QString typed = box->text().left(box->selStart()) + QChar(KeyAscii);
  const int slot = countryByName(table, typed);
  if (slot == 0)
    return 0;
  const QString rest = table.slot(slot).CountryName.mid(typed.size());
  box->setTyped(typed + rest);
  box->setSelection(static_cast<int>(typed.size()), static_cast<int>(rest.size()));
  return slot;
}

bool Form1::LoadCountryTable() {
  CountryList &table = st().CountryTable;
  table.clear();
  const QString path = files::firstExisting(ctx.folders.dataTableFolders(), kCountryFileName);
  const auto content = files::exists(path) ? vb::readLatin1(path) : std::nullopt;
  // Without the list every contact scores nothing; the operator is told, then logging goes on.
  const auto noCountries = [this] {
    ctx.dialogs.beep();
    ctx.dialogs.message(
        QStringLiteral("Unable to read the country list arrlpre2.txt. Calls will show Not Found "
                       "and score 0 points."),
        QStringLiteral("Country List"), Dialogs::Buttons::Ok);
    return true;
  };
  if (!content)
    return noCountries();
  if (readCountryList(*content, table))
    return table.CountryCount() > 0 || noCountries();
  ctx.dialogs.beep();
  ctx.dialogs.message(QStringLiteral("Error reading country file (arrlpre2.txt).  Using notepad, open this "
                                     "file and check to make sure that there are quotes around each field "
                                     "and that they are separated by commas."),
                      QStringLiteral("Error opening country list file."), Dialogs::Buttons::Ok);
  return false;
}
