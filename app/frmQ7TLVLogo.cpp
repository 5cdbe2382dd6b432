#include "app/frmQ7TLVLogo.h"

#include "app/AppContext.h"
#include "app/DocumentFolders.h"
#include "app/ScreenScaling.h"
#include "platform/Controls.h"
#include "platform/ProgramFiles.h"

#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

namespace {

constexpr int kWidth = 5400;  // twips
constexpr int kHeight = 3000; // twips
constexpr int kBannerTop = 2280;

QPixmap logoPicture(const QSize &size) {
  QPixmap picture(size);
  QPainter p(&picture);
  QLinearGradient sky(0, 0, 0, picture.height());
  sky.setColorAt(0, QColor(0, 40, 100));
  sky.setColorAt(1, QColor(0, 128, 160));
  p.fillRect(picture.rect(), sky);
  p.setPen(Qt::white);
  QFont title = p.font();
  title.setPixelSize(34);
  title.setBold(true);
  p.setFont(title);
  p.drawText(QRect(0, 30, picture.width(), 60), Qt::AlignCenter, QStringLiteral("Orvex Network"));
  QFont line = p.font();
  line.setPixelSize(16);
  line.setBold(false);
  p.setFont(line);
  p.drawText(QRect(0, 90, picture.width(), 30), Qt::AlignCenter, QStringLiteral("CQ WPX Contest Logger"));
  return picture;
}

QPixmap bannerPicture(const QSize &size) {
  QPixmap picture(size);
  picture.fill(QColor(0, 192, 192));
  QPainter p(&picture);
  p.setPen(Qt::black);
  QFont f = p.font();
  f.setPixelSize(14);
  p.setFont(f);
  p.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("Q7TLV Software"));
  return picture;
}

} // namespace

frmQ7TLVLogo::frmQ7TLVLogo(AppContext &context) : ctx(context) {
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  placeTwips(this, 0, 0, kWidth, kHeight);
  Image1 = placed<QLabel>(this, 0, 0, kWidth, kHeight);
  Image1->setPixmap(logoPicture(Image1->size()));
  onEvent(Image1, QEvent::MouseButtonRelease, [this](QEvent *) { Image1_Click(); });
  Image2 = placed<QLabel>(this, 0, kBannerTop, kWidth, kHeight - kBannerTop);
  Image2->setPixmap(bannerPicture(Image2->size()));
  Image2->hide();

  Timer1 = new QTimer(this);
  Timer1->setInterval(1900);
  connect(Timer1, &QTimer::timeout, this, &frmQ7TLVLogo::Timer1_Timer);
  Timer2 = new QTimer(this);
  Timer2->setInterval(1100);
  connect(Timer2, &QTimer::timeout, this, &frmQ7TLVLogo::Timer2_Timer);
}

void frmQ7TLVLogo::Form_Load() {
  ScreenScaling::CentreLogo(*this, ctx);

  const QString base = GetDocumentsPath(ctx.dialogs, systemUserFolders(), kSoftwareFolder, kSharedSubFolder);
  const QString picturePath = files::resolve(onDisk(base + kSharedSubFolder), QStringLiteral("splash.jpg"));
  QPixmap picture;
  // A picture that is missing or cannot be read leaves the built-in ones on their usual timing.
  if (picture.load(picturePath)) {
    Image1->setPixmap(picture.scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    Image1->setAlignment(Qt::AlignCenter);
    Timer1->setInterval(2700);
  } else {
    Timer2->start();
  }
  // The timers run from the end of the load, so no box shown during it can close the window.
  Timer1->start();
}

void frmQ7TLVLogo::Image1_Click() {
  unloadLogo();
}

void frmQ7TLVLogo::Timer1_Timer() {
  unloadLogo();
}

void frmQ7TLVLogo::Timer2_Timer() {
  Image2->show();
}

void frmQ7TLVLogo::unloadLogo() {
  Timer1->stop();
  Timer2->stop();
  accept();
  ctx.unload<frmQ7TLVLogo>();
}
