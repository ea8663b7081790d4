// TObject: the root of every class of the component model. Each class carries a TClassInfo
// (see TypInfo.h) with its name, its parent and its published properties, so that code can
// test classes by name and read or write properties by name, as the translation walk and the
// export settings do.
//
// A class joins the model with DECLARE_CLASS in its declaration and DEFINE_CLASS in its source:
//
//   class TButton : public TWinControl {
//     DECLARE_CLASS(TButton, TWinControl)
//   public:
//     ...
//   };
//
//   DEFINE_CLASS(TButton, TWinControl,
//                Published::String("Caption", &TButton::Caption, &TButton::SetCaption))
#pragma once

#include "System.h"

class TClassInfo;

class TObject {
public:
  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  static const TClassInfo& StaticClass();
  virtual const TClassInfo& ClassType() const;

  const AnsiString& ClassName() const;
  bool InheritsFrom(const TClassInfo& cls) const;
  template <class T>
  bool Is() const {
    return InheritsFrom(T::StaticClass());
  }
};

// Declares the class-information members; ends with the access level public.
#define DECLARE_CLASS(Self, Parent)                                                  \
public:                                                                              \
  using inherited = Parent;                                                          \
  static const ::TClassInfo& StaticClass();                                          \
  const ::TClassInfo& ClassType() const override { return Self::StaticClass(); }
