#include "app/AppContext.h"

#include "platform/Background.h"
#include "platform/Clock.h"
#include "platform/LogDb.h"
#include "platform/PrinterPorts.h"
#include "platform/SerialKeyLine.h"
#include "platform/WavePlayer.h"
#include "platform/WinKey.h"

#include <QCoreApplication>

AppContext::AppContext(Folders f, Dialogs &d, Clock &c, SettingsStore &s, std::unique_ptr<LogDb> db)
    : folders(std::move(f)), dialogs(d), clock(c), settings(s), screen(std::make_unique<QtScreenMetrics>()),
      background(std::make_unique<Background>()), doEvents([] { QCoreApplication::processEvents(); }),
      printerPorts(std::make_unique<PpdevPrinterPorts>()),
      newWavePlayer([&c] { return std::make_unique<WavePlayer>(c, std::make_unique<QtSoundOutput>()); }),
      newSerialKeyLine([] { return std::make_unique<QtSerialKeyLine>(); }),
      winKey(std::make_unique<SerialWinKey>([&c] { return c.timeGetTime(); })), db_(std::move(db)) {}

AppContext::~AppContext() {
  background.reset();
  for (auto &[type, window] : windows_)
    delete window.data();
}
