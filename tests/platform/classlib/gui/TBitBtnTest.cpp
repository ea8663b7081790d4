#include "TBitBtn.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "TBitmap.h"

using namespace TestInput;

namespace {
class TBitBtnTest : public FormTest {};
}  // namespace

TEST_F(TBitBtnTest, OkAndCancelKindsCloseAModalFormWithTheirResults) {
  auto* ok = place<TBitBtn>(10, 10, 75, 25);
  ok->SetKind(bkOK);
  ok->SetCaption(Ansi(u"确定"));
  auto* cancel = place<TBitBtn>(90, 10, 75, 25);
  cancel->SetKind(bkCancel);
  EXPECT_EQ(ok->ModalResult(), mrOk);
  EXPECT_TRUE(ok->Default());
  EXPECT_EQ(cancel->ModalResult(), mrCancel);
  EXPECT_TRUE(cancel->Cancel());
  EXPECT_EQ(cancel->Caption(), "Cancel");
  EXPECT_EQ(ok->Caption(), Ansi(u"确定")) << "a caption set after the kind stays";

  hook.OnShowModal = [&](TCustomForm*) { ClickControl(ok); };
  EXPECT_EQ(form->ShowModal(), mrOk);
  hook.OnShowModal = [&](TCustomForm*) { ClickControl(cancel); };
  EXPECT_EQ(form->ShowModal(), mrCancel);
  hook.OnShowModal = [&](TCustomForm*) { PressKey(cancel, VK_ESCAPE); };
  EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST_F(TBitBtnTest, TheOtherKindsGiveTheirResults) {
  auto* b = place<TBitBtn>(10, 10, 75, 25);
  const std::pair<TBitBtnKind, TModalResult> kinds[] = {{bkYes, mrYes},     {bkNo, mrNo},      {bkAbort, mrAbort},
                                                        {bkRetry, mrRetry}, {bkIgnore, mrIgnore}, {bkAll, mrAll},
                                                        {bkHelp, mrNone}};
  for (auto [kind, result] : kinds) {
    b->SetKind(kind);
    EXPECT_EQ(b->ModalResult(), result);
  }
  b->SetModalResult(mrIgnore);
  b->SetKind(bkCustom);
  EXPECT_EQ(b->ModalResult(), mrIgnore) << "a custom button keeps what was set";
}

TEST_F(TBitBtnTest, CloseKindClosesItsForm) {
  auto* close = place<TBitBtn>(10, 10, 75, 25);
  close->SetKind(bkClose);
  form->Show();
  ClickControl(close);
  EXPECT_FALSE(form->Visible());
}

TEST_F(TBitBtnTest, GlyphRoundTripsThroughTheTable) {
  auto* b = place<TBitBtn>(10, 10, 75, 25);
  TBitmap glyph;
  glyph.SetSize(16, 16);
  SetObjectProp(b, "Glyph", &glyph);
  EXPECT_EQ(b->Glyph()->Width(), 16);
  SetOrdProp(b, "Kind", static_cast<int>(bkNo));
  EXPECT_EQ(b->Kind(), bkNo);
}
