#include "TScreen.h"

#include <algorithm>

#include <QApplication>
#include <QCursor>
#include <QScreen>

#include "Exception.h"
#include "Format.h"
#include "RTLConsts.h"
#include "TControl_p.h"
#include "TCustomForm.h"
#include "TDataModule.h"
#include "TFont.h"

DEFINE_CLASS(TScreen, TComponent)

namespace {

constexpr int kPixelsPerInch = 96;

Qt::CursorShape cursorShape(TCursor c) {
  switch (c) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crNo: return Qt::ForbiddenCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
  }
}

template <class T>
T* itemAt(const std::vector<T*>& list, int index) {
  if (index < 0 || index >= static_cast<int>(list.size()))
    throw EListError(Format(SListIndexError, {index}));
  return list[static_cast<std::size_t>(index)];
}

}  // namespace

struct TScreen::Data {
  std::vector<TCustomForm*> forms;
  std::vector<TDataModule*> dataModules;
  TFont iconFont;
  TFont menuFont;
  TFont hintFont;
  TFont defaultFont;
  TCursor cursor = crDefault;
};

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner), d_(std::make_unique<Data>()) {}

TScreen::~TScreen() {
  if (d_->cursor != crDefault && QGuiApplication::instance() != nullptr) QGuiApplication::restoreOverrideCursor();
}

int TScreen::FormCount() const { return static_cast<int>(d_->forms.size()); }
TCustomForm* TScreen::Forms(int Index) const { return itemAt(d_->forms, Index); }
int TScreen::DataModuleCount() const { return static_cast<int>(d_->dataModules.size()); }
TDataModule* TScreen::DataModules(int Index) const { return itemAt(d_->dataModules, Index); }

void TScreen::AddForm(TCustomForm* Form) { d_->forms.push_back(Form); }
void TScreen::RemoveForm(TCustomForm* Form) { std::erase(d_->forms, Form); }
void TScreen::AddDataModule(TDataModule* DataModule) { d_->dataModules.push_back(DataModule); }
void TScreen::RemoveDataModule(TDataModule* DataModule) { std::erase(d_->dataModules, DataModule); }

TCustomForm* TScreen::ActiveForm() const {
  return dynamic_cast<TCustomForm*>(TControlPrivate::controlOf(QApplication::activeWindow()));
}

TWinControl* TScreen::ActiveControl() const {
  for (TControl* c = TControlPrivate::controlOf(QApplication::focusWidget()); c != nullptr; c = c->Parent())
    if (auto* w = dynamic_cast<TWinControl*>(c)) return w;
  return nullptr;
}

int TScreen::Width() const {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s != nullptr ? s->geometry().width() : 0;
}

int TScreen::Height() const {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s != nullptr ? s->geometry().height() : 0;
}

int TScreen::PixelsPerInch() const { return kPixelsPerInch; }

TFont* TScreen::IconFont() const { return &d_->iconFont; }
TFont* TScreen::MenuFont() const { return &d_->menuFont; }
TFont* TScreen::HintFont() const { return &d_->hintFont; }
TFont* TScreen::DefaultFont() const { return &d_->defaultFont; }

TCursor TScreen::Cursor() const { return d_->cursor; }

void TScreen::SetCursor(TCursor Value) {
  if (Value == d_->cursor) return;
  if (d_->cursor != crDefault) QGuiApplication::restoreOverrideCursor();
  d_->cursor = Value;
  if (Value != crDefault) QGuiApplication::setOverrideCursor(QCursor(cursorShape(Value)));
}
