#include "TDateTimePicker.h"

#include <gtest/gtest.h>

#include "DateRoutines.h"
#include "FormFixture.h"

using namespace TestInput;

namespace {
class TDateTimePickerTest : public FormTest {};
}  // namespace

TEST_F(TDateTimePickerTest, DateAndTimeEachKeepTheOtherPart) {
  auto* picker = place<TDateTimePicker>(0, 0, 150, 21);
  picker->SetDateTime(EncodeDate(2009, 1, 5) + EncodeTime(8, 7, 6, 0));
  picker->SetDate(EncodeDate(2024, 2, 29));
  int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, ms = 0;
  DecodeDateTime(picker->DateTime(), y, m, d, h, n, s, ms);
  EXPECT_EQ((std::vector<int>{y, m, d, h, n, s}), (std::vector<int>{2024, 2, 29, 8, 7, 6}));
  picker->SetTime(EncodeTime(23, 59, 58, 0));
  DecodeDateTime(picker->DateTime(), y, m, d, h, n, s, ms);
  EXPECT_EQ((std::vector<int>{y, m, d, h, n, s}), (std::vector<int>{2024, 2, 29, 23, 59, 58}));
  EXPECT_EQ(picker->Date(), EncodeDate(2024, 2, 29));
}

TEST_F(TDateTimePickerTest, TheUsersChangeRaisesOnChangeAndTheProgramsDoesNot) {
  auto* picker = place<TDateTimePicker>(0, 0, 150, 21);
  picker->SetKind(dtkTime);
  picker->SetDateTime(EncodeDate(2020, 6, 1) + EncodeTime(10, 0, 0, 0));
  int changes = 0;
  picker->OnChange = [&](TObject*) { ++changes; };
  picker->SetTime(EncodeTime(11, 0, 0, 0));
  EXPECT_EQ(changes, 0);
  form->Show();
  PressKey(picker, VK_UP);
  EXPECT_EQ(changes, 1);
  EXPECT_NE(picker->Time(), EncodeTime(11, 0, 0, 0));
  EXPECT_EQ(picker->Date(), EncodeDate(2020, 6, 1)) << "changing the time keeps the date";
}

TEST_F(TDateTimePickerTest, LimitsKeepTheDateWithin) {
  auto* picker = place<TDateTimePicker>(0, 0, 150, 21);
  picker->SetMinDate(EncodeDate(2000, 1, 1));
  picker->SetDate(EncodeDate(1990, 5, 5));
  EXPECT_EQ(picker->Date(), EncodeDate(2000, 1, 1));
  picker->SetMaxDate(EncodeDate(2020, 12, 31));
  picker->SetDateTime(EncodeDate(2030, 1, 1) + EncodeTime(8, 7, 0, 0));
  EXPECT_EQ(picker->Date(), EncodeDate(2020, 12, 31));
  EXPECT_NEAR(picker->Time(), EncodeTime(8, 7, 0, 0), 1e-9) << "the time of day stays";
  picker->SetDate(EncodeDate(2020, 12, 31));
  EXPECT_EQ(picker->Date(), EncodeDate(2020, 12, 31));
  picker->SetMaxDate(EncodeDate(2015, 6, 1));
  EXPECT_EQ(picker->Date(), EncodeDate(2015, 6, 1)) << "a lower limit moves the date";
  picker->SetMaxDate(0);
  SetOrdProp(picker, "Kind", static_cast<int>(dtkTime));
  EXPECT_EQ(picker->Kind(), dtkTime);
  SetOrdProp(picker, "Date", static_cast<std::int64_t>(EncodeDate(2010, 3, 4)));
  EXPECT_EQ(picker->Date(), EncodeDate(2010, 3, 4));
}
