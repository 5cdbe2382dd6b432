#include "platform/ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>

ScreenTwips QtScreenMetrics::twips() const {
  const QScreen *screen = QGuiApplication::primaryScreen();
  if (!screen)
    return {}; // no screen at all: the design screen, so that nothing is scaled
  const auto perPixel = static_cast<float>(1440.0 / screen->logicalDotsPerInchX());
  const QRect all = screen->geometry();
  const QRect work = screen->availableGeometry();
  return {static_cast<float>(all.width()) * perPixel, static_cast<float>(all.height()) * perPixel,
          static_cast<float>(work.width()) * perPixel, static_cast<float>(work.height()) * perPixel};
}
