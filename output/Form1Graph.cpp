// The main window's command that opens the QSO-rate graph.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "output/GraphQSO.h"

#include <QMenuBar>

void Form1::buildGraphMenu() {
  mnuGraph = command(menuBar(), QStringLiteral("&Graph"), &Form1::mnuGraph_Click, CommandKind::OpensWindow);
}

// Shown modally and unloaded when closed, so each opening draws the log as it is then.
void Form1::mnuGraph_Click() {
  GraphQSO &graph = ctx.window<GraphQSO>();
  graph.Form_Load();
  graph.exec();
  ctx.unload<GraphQSO>();
}
