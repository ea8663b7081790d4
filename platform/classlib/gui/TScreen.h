// TScreen: the screen and the program's open forms (the global Screen of Forms.h).
//
// Forms and DataModules list every existing form and data module in creation order. Width and
// Height are the primary screen's size, PixelsPerInch the resolution fonts are measured in (96).
// IconFont, MenuFont and HintFont are the desktop's fonts for those elements; DefaultFont is the
// default font of new controls. Cursor overrides the mouse cursor of every window while it is
// not crDefault (crHourGlass during a long operation).
#pragma once

#include <memory>

#include "TComponent.h"

class TCustomForm;
class TDataModule;
class TFont;
class TWinControl;

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;

class TScreen : public TComponent {
  DECLARE_CLASS(TScreen, TComponent)

  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  int FormCount() const;
  // Raises EListError for an index out of range.
  TCustomForm* Forms(int Index) const;
  int DataModuleCount() const;
  TDataModule* DataModules(int Index) const;

  // The form that has the keyboard, and its focused control (nullptr when none).
  TCustomForm* ActiveForm() const;
  TWinControl* ActiveControl() const;

  int Width() const;
  int Height() const;
  int PixelsPerInch() const;

  TFont* IconFont() const;
  TFont* MenuFont() const;
  TFont* HintFont() const;
  TFont* DefaultFont() const;

  TCursor Cursor() const;
  void SetCursor(TCursor Value);

  // Kept by the forms and data modules themselves.
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void AddDataModule(TDataModule* DataModule);
  void RemoveDataModule(TDataModule* DataModule);

private:
  struct Data;
  std::unique_ptr<Data> d_;
};
