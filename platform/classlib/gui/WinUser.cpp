#include "WinUser.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionMenuItem>

#include "Forms.h"
#include "QtConvert_p.h"
#include "TFont.h"

namespace {

// The frame geometry that form definitions were laid out with.
constexpr int kEdge = 2;
constexpr int kBorder = 1;
constexpr int kFixedFrame = 3;
constexpr int kSizeFrame = 4;
constexpr int kCaption = 19;
constexpr int kMenu = 19;
constexpr int kIcon = 32;
constexpr int kSmallIcon = 16;
constexpr int kScrollBar = 16;

// The height of one item of a popup menu, so that code placing a menu by item count puts it
// where it really appears.
int menuItemHeight() {
  if (QApplication::instance() == nullptr || Screen == nullptr) return kMenu;
  QStyleOptionMenuItem option;
  option.menuItemType = QStyleOptionMenuItem::Normal;
  option.text = QStringLiteral("Wg");
  option.font = ToQFont(*Screen->MenuFont());
  option.fontMetrics = QFontMetrics(option.font);
  const QSize text(option.fontMetrics.horizontalAdvance(option.text), option.fontMetrics.height());
  return QApplication::style()->sizeFromContents(QStyle::CT_MenuItem, &option, text, nullptr).height();
}

}  // namespace

int GetSystemMetrics(int nIndex) {
  switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
      const QScreen* s = QApplication::instance() != nullptr ? QGuiApplication::primaryScreen() : nullptr;
      if (s == nullptr) return 0;
      return nIndex == SM_CXSCREEN ? s->geometry().width() : s->geometry().height();
    }
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return kScrollBar;
    case SM_CYCAPTION: return kCaption;
    case SM_CXBORDER:
    case SM_CYBORDER: return kBorder;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return kFixedFrame;
    case SM_CXICON:
    case SM_CYICON: return kIcon;
    case SM_CYMENU: return menuItemHeight();
    case SM_CXFRAME:
    case SM_CYFRAME: return kSizeFrame;
    case SM_CXEDGE:
    case SM_CYEDGE: return kEdge;
    case SM_CXSMICON:
    case SM_CYSMICON: return kSmallIcon;
    default: return 0;
  }
}
