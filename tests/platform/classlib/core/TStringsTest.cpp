#include "TStrings.h"

#include <gtest/gtest.h>

#include <vector>

#include "Exception.h"
#include "TypInfo.h"

namespace {

// The smallest descendant, as a GUI control would write one over its widget: only the pure
// virtual operations, no objects. Everything else must come from TStrings itself.
class TBareStrings : public TStrings {
  DECLARE_CLASS(TBareStrings, TStrings)
  std::vector<AnsiString> lines;
  void Clear() override { lines.clear(); }
  void Delete(int Index) override { lines.erase(lines.begin() + Index); }
  void Insert(int Index, const AnsiString& S) override { lines.insert(lines.begin() + Index, S); }

protected:
  AnsiString Get(int Index) const override { return lines.at(static_cast<std::size_t>(Index)); }
  int GetCount() const override { return static_cast<int>(lines.size()); }
};
DEFINE_CLASS(TBareStrings, TStrings)

}  // namespace

TEST(TStringsTest, DefaultsWorkOverTheBareOperations) {
  TBareStrings list;
  list.SetText("b\r\na=1\r\nc");
  EXPECT_EQ(list.Count(), 3);
  list.SetStrings(0, "B");  // Put by delete and insert
  list.Exchange(0, 2);
  list.Move(0, 1);
  EXPECT_EQ(list.lines, (std::vector<AnsiString>{"a=1", "c", "B"}));
  EXPECT_EQ(list.IndexOf("b"), 2);
  EXPECT_EQ(list.Values("A"), "1");
  list.SetValues("a", "");
  EXPECT_EQ(list.CommaText(), "c,B");
  EXPECT_EQ(list.Objects(0), nullptr);
}

TEST(TStringsTest, PublishesNothing) { EXPECT_TRUE(TBareStrings::StaticClass().Properties().empty()); }

TEST(TStringsTest, AssignFromAnotherKindOfObjectRaises) {
  TBareStrings list;
  EXPECT_THROW(list.Assign(nullptr), EConvertError);
}
