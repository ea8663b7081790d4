// Private to the GUI layer; may change without notice.
//
// A page of a notebook or page control. Its container shows one page at a time and gives it
// its whole area, so the page's own geometry and visibility follow the container instead of
// being set on the widget.
#pragma once

#include <QEvent>

#include "TWinControl_p.h"

class TStackPagePrivate : public TWinControlPrivate {
public:
  TStackPagePrivate() : TWinControlPrivate(new QWidget) {
    fillBackground = false;
    tabStop = false;
  }
  void applyGeometry() override {}
  void applyVisible() override {}
  bool widgetEvent(QObject* watched, QEvent* event) override {
    // The container resized the page: its children are aligned to the new size.
    if (watched == widget && event->type() == QEvent::Resize && page != nullptr)
      page->SetBounds(0, 0, widget->width(), widget->height());
    return false;
  }

  TWinControl* page = nullptr;  // set once the page's own constructor runs
};
