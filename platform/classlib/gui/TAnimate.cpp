#include "TAnimate.h"

#include <cmath>

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include "QtConvert_p.h"
#include "TControlProps_p.h"
#include "TWinControl_p.h"
#include "TPaintWidget_p.h"

DEFINE_CLASS(TAnimate, TWinControl, Published::Boolean("Active", &TAnimate::Active, &TAnimate::SetActive),
             ControlProps::Align(), Published::Boolean("AutoSize", &TAnimate::AutoSize, &TAnimate::SetAutoSize),
             Published::Boolean("Center", &TAnimate::Center, &TAnimate::SetCenter), ControlProps::Color(),
             Published::Enum("CommonAVI", {"aviNone", "aviFindFolder", "aviFindFile", "aviFindComputer", "aviCopyFiles",
                                           "aviCopyFile", "aviRecycleFile", "aviEmptyRecycle", "aviDeleteFile"},
                             &TAnimate::CommonAVI, &TAnimate::SetCommonAVI),
             ControlProps::Enabled(), ControlProps::Hint(), ControlProps::ParentColor(), ControlProps::ParentShowHint(),
             ControlProps::PopupMenu(), Published::Integer("Repetitions", &TAnimate::Repetitions, &TAnimate::SetRepetitions),
             ControlProps::ShowHint(), Published::Boolean("Transparent", &TAnimate::Transparent, &TAnimate::SetTransparent),
             ControlProps::Visible(), ControlProps::OnClick(), Published::Event("OnStart", &TAnimate::OnStart),
             Published::Event("OnStop", &TAnimate::OnStop))

namespace {

constexpr int kFrames = 16;
constexpr int kFrameMs = 100;
constexpr int kClipWidth = 80;
constexpr int kClipHeight = 50;
constexpr double kPi = 3.14159265358979323846;

QPixmap icon(QStyle::StandardPixmap which, int size) { return QApplication::style()->standardIcon(which).pixmap(size, size); }

void drawMagnifier(QPainter& p, QPointF centre) {
  p.setPen(QPen(QColor(60, 60, 60), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(centre + QPointF(5, 5), centre + QPointF(12, 12));
  p.setPen(QPen(QColor(40, 40, 40), 2));
  p.setBrush(QColor(200, 230, 255, 160));
  p.drawEllipse(centre, 7, 7);
}

void drawSheet(QPainter& p, QPointF topLeft) {
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(topLeft, QSizeF(10, 13)));
  p.drawLine(topLeft + QPointF(2, 4), topLeft + QPointF(8, 4));
  p.drawLine(topLeft + QPointF(2, 7), topLeft + QPointF(8, 7));
}

// One frame of a clip in a kClipWidth x kClipHeight box.
void drawFrame(QPainter& p, TCommonAVI clip, int frame) {
  const double t = static_cast<double>(frame) / kFrames;
  switch (clip) {
    case aviFindFolder:
    case aviFindFile:
    case aviFindComputer: {
      const QStyle::StandardPixmap what = clip == aviFindFolder ? QStyle::SP_DirIcon
                                          : clip == aviFindFile ? QStyle::SP_FileIcon
                                                                : QStyle::SP_ComputerIcon;
      p.drawPixmap(24, 9, icon(what, 32));
      const double a = 2 * kPi * t;
      drawMagnifier(p, QPointF(40 + 20 * std::cos(a), 22 + 12 * std::sin(a)));
      break;
    }
    case aviCopyFiles:
    case aviCopyFile: {
      p.drawPixmap(2, 14, icon(QStyle::SP_DirIcon, 24));
      p.drawPixmap(54, 14, icon(QStyle::SP_DirOpenIcon, 24));
      const double x = 14 + 40 * t;
      drawSheet(p, QPointF(x, 16 - 12 * std::sin(kPi * t)));
      break;
    }
    case aviRecycleFile:
    case aviEmptyRecycle:
    case aviDeleteFile: {
      p.drawPixmap(26, 18, icon(QStyle::SP_TrashIcon, 28));
      drawSheet(p, QPointF(34, 2 + 18 * t));
      break;
    }
    default:
      break;
  }
}

}  // namespace

class TAnimatePrivate : public TWinControlPrivate {
public:
  TAnimatePrivate() : TWinControlPrivate(new TPaintWidget) {}

  TAnimate* animate = nullptr;  // set once the control's own constructor runs
  QTimer timer;
  TCommonAVI clip = aviNone;
  bool autoSize = true;
  bool center = true;
  bool transparent = false;
  int repetitions = 0;
  int frame = 0;
  int fromFrame = 0;
  int toFrame = kFrames - 1;
  int playsLeft = 0;  // 0: without end
  bool playing = false;

  void step() {
    if (frame < toFrame) {
      ++frame;
    } else if (playsLeft == 1) {
      animate->Stop();
      return;
    } else {
      if (playsLeft > 1) --playsLeft;
      frame = fromFrame;
    }
    if (widget) widget->update();
  }
};

namespace {
TAnimatePrivate* dOf(const TAnimate* a) { return static_cast<TAnimatePrivate*>(a->ControlPrivate()); }
}  // namespace

TAnimate::TAnimate(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TAnimatePrivate>()) {
  TAnimatePrivate* d = dOf(this);
  d->animate = this;
  d->tabStop = false;
  d->parentColor = true;
  d->fillBackground = true;
  d->clickOnMouseUp = true;
  d->consumeMouse = true;
  d->timer.setInterval(kFrameMs);
  QObject::connect(&d->timer, &QTimer::timeout, &d->timer, [d] {
    if (!ControlsTearingDown()) d->step();
  });
  auto* surface = static_cast<TPaintWidget*>(d->widget.data());
  surface->antialiased = true;
  surface->paint = [d](QPainter& p) {
    if (d->clip == aviNone) return;
    if (d->center) p.translate((d->widget->width() - kClipWidth) / 2, (d->widget->height() - kClipHeight) / 2);
    drawFrame(p, d->clip, d->frame);
  };
  SetBounds(0, 0, kClipWidth, kClipHeight);
}

TAnimate::~TAnimate() {
  dOf(this)->timer.stop();
  dOf(this)->animate = nullptr;
  TearDown();
}

TCommonAVI TAnimate::CommonAVI() const { return dOf(this)->clip; }
void TAnimate::SetCommonAVI(TCommonAVI Value) {
  TAnimatePrivate* d = dOf(this);
  if (Value == aviNone) Stop();
  d->clip = Value;
  d->frame = 0;
  if (d->autoSize && Value != aviNone) SetBounds(Left(), Top(), kClipWidth, kClipHeight);
  Invalidate();
}

bool TAnimate::Active() const { return dOf(this)->playing; }
void TAnimate::SetActive(bool Value) {
  if (Value)
    Play(0, kFrames - 1, dOf(this)->repetitions);
  else
    Stop();
}

bool TAnimate::AutoSize() const { return dOf(this)->autoSize; }
void TAnimate::SetAutoSize(bool Value) {
  dOf(this)->autoSize = Value;
  if (Value && dOf(this)->clip != aviNone) SetBounds(Left(), Top(), kClipWidth, kClipHeight);
}

bool TAnimate::Center() const { return dOf(this)->center; }
void TAnimate::SetCenter(bool Value) {
  dOf(this)->center = Value;
  Invalidate();
}

bool TAnimate::Transparent() const { return dOf(this)->transparent; }
void TAnimate::SetTransparent(bool Value) {
  TAnimatePrivate* d = dOf(this);
  d->transparent = Value;
  d->fillBackground = !Value;
  d->widget->setAutoFillBackground(!Value);
}

int TAnimate::Repetitions() const { return dOf(this)->repetitions; }
void TAnimate::SetRepetitions(int Value) { dOf(this)->repetitions = Value < 0 ? 0 : Value; }
int TAnimate::FrameCount() const { return dOf(this)->clip == aviNone ? 0 : kFrames; }
int TAnimate::CurrentFrame() const { return dOf(this)->frame; }

void TAnimate::Play(int FromFrame, int ToFrame, int Count) {
  TAnimatePrivate* d = dOf(this);
  if (d->clip == aviNone) return;
  d->fromFrame = std::clamp(FromFrame, 0, kFrames - 1);
  d->toFrame = std::clamp(ToFrame, d->fromFrame, kFrames - 1);
  d->playsLeft = Count < 0 ? 0 : Count;
  d->frame = d->fromFrame;
  const bool wasPlaying = d->playing;
  d->playing = true;
  d->timer.start();
  Invalidate();
  if (!wasPlaying && OnStart) FireEvent(this, [this] { OnStart(this); });
}

void TAnimate::Stop() {
  TAnimatePrivate* d = dOf(this);
  if (!d->playing) return;
  d->playing = false;
  d->timer.stop();
  if (OnStop) FireEvent(this, [this] { OnStop(this); });
}

void TAnimate::Reset() {
  Stop();
  dOf(this)->frame = 0;
  Invalidate();
}
