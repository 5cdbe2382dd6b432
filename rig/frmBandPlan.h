#pragma once
// "Frequency Privileges": the band plan's segments of one licence class drawn as bars, a bar
// per band, CW in blue and phone in green.

#include "rig/BandPlan.h"

#include <QDialog>

#include <vector>

class AppContext;
class Label;
class Line;
class QPushButton;

class frmBandPlan : public QDialog {
  Q_OBJECT
public:
  explicit frmBandPlan(AppContext &context);

  AppContext &ctx;
  Label *Label1; // "Frequencies Effective: " and the date
  Label *Label2; // the class shown
  Label *Label3; // legend "CW"
  Label *Label4; // legend "Phone"
  QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6, *Command7;
  Line *Line1;
  std::vector<BandPlanRecord> records;

  void Form_Load();
  void ShowPrivileges(const QString &cls);

private:
  void buildControls();
};
