// Private to the GUI layer; may change without notice.
//
// TPaintWidget: the surface of a control that draws itself (panels, images, animations). The
// control sets paint; the widget calls it from every paint event, with antialiasing when the
// control asks for it (curved drawings such as the search animation).
#pragma once

#include <QPainter>
#include <QWidget>

#include <functional>

class TPaintWidget : public QWidget {
public:
  std::function<void(QPainter&)> paint;
  bool antialiased = false;

protected:
  void paintEvent(QPaintEvent*) override {
    if (!paint) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, antialiased);
    paint(p);
  }
};
