#include "LmHashLangStorage.h"

#include <gtest/gtest.h>

#include <vector>

#include "LanguageFiles.h"
#include "LmExceptions.h"
#include "LmLangCollection.h"
#include "LmWideStrings.h"
#include "TFont.h"
#include "TStringList.h"

namespace {

class LmHashLangStorageTest : public ::testing::Test {
protected:
  void SetUp() override {
    folder.Write("CHS.txt", {"!LanguageID=2052", "!LanguageName=简体中文", "!TranslationAuthor=张三",
                             "!TranslationAuthorEmail=zs@example.com",
                             "!TranslationDefaultFont=宋体,9,B,0,clWindowText,GB2312_CHARSET",
                             "TFormmain.Caption=手持机通讯管理器", "Title=A=B", "Title =blank", "Two=line1<br>line2",
                             "Dup=first", "Dup=second", "NoEquals", "ERR_FILE_NOT_EXIST=文件不存在"});
    folder.Write("ENU.txt", {"!LanguageID=1033", "!LanguageName=English", "TFormmain.Caption=Handheld Manager"},
                 LanguageFolder::Utf16);
  }

  std::vector<WideString> names() const {
    std::vector<WideString> result;
    for (int i = 0; i < storage.LanguageCount(); ++i) result.push_back(storage.Languages()->Items(i)->LanguageName());
    return result;
  }

  WideString lookup(const WideString& key) {
    WideString value = u"untouched";
    storage.GetString(key, value);
    return value;
  }

  LanguageFolder folder;
  TLmHashLangFileStorage storage{nullptr};
};

}  // namespace

TEST_F(LmHashLangStorageTest, DetectionReadsTheHeaders) {
  storage.SetLanguagePath(folder.Path());
  EXPECT_EQ(storage.LanguagePath(), folder.Path());
  ASSERT_EQ(names(), (std::vector<WideString>{u"简体中文", u"English"}));
  EXPECT_EQ(storage.CurrentLanguageIndex(), -1);
  TLmLanguageItem* chs = storage.Languages()->Items(0);
  EXPECT_EQ(chs->LanguageID(), 2052u);
  EXPECT_EQ(chs->LanguageFileName(), u"CHS");
  EXPECT_EQ(chs->Author(), u"张三");
  EXPECT_EQ(chs->AuthorEmail(), u"zs@example.com");
  EXPECT_EQ(chs->DefaultFont()->Name(), "\xcb\xce\xcc\xe5");  // 宋体 in GBK
  EXPECT_EQ(chs->DefaultFont()->Size(), 9);
  EXPECT_TRUE(chs->DefaultFont()->Style().Contains(fsBold));
  EXPECT_EQ(storage.Languages()->Items(1)->Author(), u"");
}

TEST_F(LmHashLangStorageTest, DefaultFontOfAnImpossibleSizeKeepsItsSize) {
  folder.Write("XXL.txt", {"!LanguageID=1033", "!LanguageName=Huge",
                           "!TranslationDefaultFont=Arial,1610612736,B,0,clWindowText,ANSI_CHARSET"});
  storage.SetLanguagePath(folder.Path());
  ASSERT_EQ(storage.LanguageCount(), 3);
  const TFont* font = storage.Languages()->Items(2)->DefaultFont();
  EXPECT_EQ(font->Name(), "Arial");
  EXPECT_EQ(font->Size(), TFont().Size());
  EXPECT_TRUE(font->Style().Contains(fsBold));
  storage.SelectLanguage(2);
  EXPECT_EQ(storage.Font()->Name(), "Arial");
  EXPECT_LE(storage.Font()->Size(), TFont::MaxSize);
}

TEST_F(LmHashLangStorageTest, FilesThatAreNoLanguageFilesAreLeftOut) {
  folder.Write("a-comment.txt", {"; comment", "!LanguageID=2052"});
  folder.Write("b-lowercase.txt", {"!languageid=2052"});
  folder.Write("c-zero.txt", {"!LanguageID=0"});
  folder.Write("d-text.txt", {"!LanguageID=abc"});
  folder.Write("e-unknown.txt", {"!LanguageID=99999"});
  folder.Write("f-empty.txt", {});
  folder.WriteBytes("g-binary.txt", std::string("\x00\x01\xFF\xFE\x80garbage\x00", 12));
  folder.WriteBytes("h-odd.txt", std::string("\xFF\xFE!\0L\0", 7));
  folder.Write("i-dir.txt/inner.txt", {"!LanguageID=2052"});  // a folder named like a file
  folder.Write("j-noname.txt", {"!LanguageID=2052"});
  folder.Write("k-gbk.txt", {"!LanguageID=2052", "!LanguageName=简体"}, LanguageFolder::Gbk);
  // The id is a decimal number and nothing else.
  folder.Write("l-hex.txt", {"!LanguageID=$40C"});
  folder.Write("m-blank.txt", {"!LanguageID= 1031"});
  folder.Write("n-sign.txt", {"!LanguageID=+1033"});
  folder.Write("o-huge.txt", {"!LanguageID=4294968329"});  // 2^32 + 1033
  folder.Write("other.ini", {"!LanguageID=2052"});
  storage.SetLanguagePath(folder.Path());
  // Both CHS files count: two files may carry one id.
  EXPECT_EQ(names(), (std::vector<WideString>{u"简体中文", u"English", u"", u"简体"}));
  storage.SetLanguagePath(folder.Path() + u"missing/");
  EXPECT_EQ(storage.LanguageCount(), 0);
}

TEST_F(LmHashLangStorageTest, SelectingLoadsTheLanguage) {
  storage.SetLanguagePath(folder.Path());
  EXPECT_FALSE(storage.GetString(u"Title", *std::make_unique<WideString>()));  // nothing loaded yet
  std::vector<int> changed;
  storage.OnLanguageChanged = [&](TObject*, int index) { changed.push_back(index); };
  storage.SelectLanguage(0);
  EXPECT_EQ(changed, std::vector<int>{0});
  EXPECT_EQ(storage.CurrentLanguage()->Abbreviation(), u"CHS");
  EXPECT_TRUE(storage.FontInited());
  EXPECT_EQ(storage.Font()->Size(), 9);
  EXPECT_EQ(lookup(u"TFormmain.Caption"), u"手持机通讯管理器");
  EXPECT_EQ(lookup(u"Title"), u"A=B");
  EXPECT_EQ(lookup(u"Title "), u"blank");
  EXPECT_EQ(lookup(u"Two"), u"line1\r\nline2");
  EXPECT_EQ(lookup(u"Dup"), u"second");
  EXPECT_EQ(lookup(u""), u"");  // a line without "=" is the empty key
  EXPECT_EQ(lookup(u"tformmain.caption"), u"");
  WideString missing = u"x";
  EXPECT_FALSE(storage.GetString(u"Missing", missing));
  EXPECT_EQ(missing, u"");
  storage.SelectLanguage(1);
  EXPECT_EQ(lookup(u"TFormmain.Caption"), u"Handheld Manager");
  storage.SelectLanguage(2);  // out of range: nothing happens
  EXPECT_EQ(storage.CurrentLanguageIndex(), 1);
  EXPECT_EQ(changed, (std::vector<int>{0, 1}));
}

TEST_F(LmHashLangStorageTest, SwitchesThatLoadNothing) {
  storage.SetLanguagePath(folder.Path());
  storage.SelectLanguage(0);
  storage.OnLanguageChanging = [](TObject*, int index, bool& allow) { allow = index != 1; };
  storage.SelectLanguage(1);  // vetoed
  EXPECT_EQ(storage.CurrentLanguageIndex(), 0);
  EXPECT_EQ(lookup(u"TFormmain.Caption"), u"手持机通讯管理器");
  // Detecting again drops the selection but keeps the strings until the next load.
  storage.DetectLanguages();
  EXPECT_EQ(storage.CurrentLanguageIndex(), -1);
  EXPECT_EQ(lookup(u"TFormmain.Caption"), u"手持机通讯管理器");
  // A file gone before the switch gives an empty language and no event.
  storage.OnLanguageChanging = nullptr;
  std::filesystem::remove(folder.path() / "ENU.txt");
  storage.OnLanguageChanged = [](TObject*, int) { FAIL(); };
  storage.SelectLanguage(1);
  EXPECT_EQ(storage.CurrentLanguageIndex(), 1);
  EXPECT_EQ(lookup(u"TFormmain.Caption"), u"");
}

TEST_F(LmHashLangStorageTest, SavingWritesSortedUtf8WithCrLf) {
  storage.SetLanguagePath(folder.Path());
  storage.SelectLanguage(1);
  storage.SetString(u"b.Text", u"one\r\ntwo");
  storage.SetString(u"TFormmain.Caption", u"Manager");
  storage.SaveCurrentLanguage();
  EXPECT_EQ(
      folder.Read("ENU.txt"),
      "\xEF\xBB\xBF!LanguageID=1033\r\n!LanguageName=English\r\nb.Text=one<BR>two\r\nTFormmain.Caption=Manager\r\n");
  storage.ClearCurrentLanguage();
  EXPECT_EQ(folder.Read("ENU.txt"), "\xEF\xBB\xBF");
}

TEST_F(LmHashLangStorageTest, SavingWhereNoFolderCanBeMadeRaises) {
  storage.SetLanguagePath(folder.Path());
  storage.SelectLanguage(0);
  folder.WriteBytes("blocker", "a file where a folder should be");
  storage.SetAutoDetect(false);
  storage.SetLanguagePath(folder.Path() + u"blocker/sub/");
  try {
    storage.SaveCurrentLanguage();
    FAIL();
  } catch (const ELanguageStorageError& e) {
    EXPECT_EQ(e.Message(), "Can NOT create Directories when Saving." + folder.prefix() + "blocker/sub");
  }
}

TEST_F(LmHashLangStorageTest, IteratorWalksKeysWithAPrefix) {
  storage.SetLanguagePath(folder.Path());
  std::unique_ptr<ILangStringIterator> before = storage.CreateIterator();
  before->StartIterate(u"");
  EXPECT_TRUE(before->Eof());  // nothing loaded yet
  storage.SelectLanguage(0);
  std::unique_ptr<ILangStringIterator> it = storage.CreateIterator();
  it->StartIterate(u"T");
  EXPECT_FALSE(it->IsEmpty());
  std::vector<WideString> keys;
  for (; !it->Eof(); it->Next()) {
    WideString key, value;
    it->GetCurrentKeyValue(key, value);
    keys.push_back(key);
    if (key == u"Two") {
      EXPECT_EQ(value, u"line1<br>line2");  // as stored
    }
  }
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<WideString>{u"TFormmain.Caption", u"Title", u"Title ", u"Two"}));
  it->StartIterate(u"ERR_");
  WideString line;
  it->GetCurrentString(line);
  EXPECT_EQ(line, u"ERR_FILE_NOT_EXIST=文件不存在");
  it->StartIterate(u"Nothing");
  EXPECT_TRUE(it->IsEmpty());
  EXPECT_THROW(it->Previous(), ELanguageStorageError);
  TLmHashStringIterator orphan(nullptr);
  EXPECT_THROW(orphan.StartIterate(u""), ELanguageStorageError);
}

TEST_F(LmHashLangStorageTest, AHundredThousandKeys) {
  std::string text = "\xEF\xBB\xBF!LanguageID=1033\r\n";
  for (int i = 0; i < 100000; ++i) text += "Key" + std::to_string(i) + "=Value" + std::to_string(i) + "\r\n";
  folder.WriteBytes("ENU.txt", text);
  storage.SetListLength(4);
  storage.SetLanguagePath(folder.Path());
  storage.SelectLanguage(1);
  EXPECT_EQ(lookup(u"Key99999"), u"Value99999");
  EXPECT_EQ(lookup(u"Key0"), u"Value0");
  TStringList names;
  storage.GetStringNames(&names);  // sorted
  ASSERT_EQ(names.Count(), 100001);
  EXPECT_EQ(names.Strings(0) + names.Strings(1) + names.Strings(2), "!LanguageIDKey0Key1");
}

TEST_F(LmHashLangStorageTest, OneFolderPerLanguage) {
  folder.Write("2052/lang.txt", {"!LanguageID=2052", "A=中"});
  folder.Write("1033/lang.txt", {"!LanguageID=1033", "A=en"});
  folder.Write("1041/other.txt", {"!LanguageID=1041"});
  storage.SetStorageMode(smByDirectory);
  storage.SetLanguagePath(folder.Path());
  EXPECT_EQ(storage.LanguageCount(), 0);  // no file name yet
  storage.SetFileName(u"lang");
  ASSERT_EQ(storage.LanguageCount(), 2);
  storage.SelectLanguage(1);
  EXPECT_EQ(storage.CurrentLanguage()->LanguageID(), 2052u);
  EXPECT_EQ(lookup(u"A"), u"中");
}

TEST_F(LmHashLangStorageTest, LoadFileEventReplacesReading) {
  std::vector<WideString> reads;
  storage.OnLoadFile = [&](TObject*, const WideString& name, TLmWideStringList* list) {
    reads.push_back(name.substr(name.rfind(u'/') + 1));
    list->Add(u"!LanguageID=1033");
    list->Add(u"File=" + reads.back());
  };
  storage.SetLanguagePath(folder.Path());
  ASSERT_EQ(storage.LanguageCount(), 2);
  EXPECT_EQ(reads, (std::vector<WideString>{u"CHS.txt", u"ENU.txt"}));  // detection reads each file once
  storage.SelectLanguage(0);
  EXPECT_EQ(lookup(u"File"), u"CHS.txt");
}

TEST_F(LmHashLangStorageTest, AFileWithAnUpperCaseExtensionIsLoaded) {
  std::filesystem::remove(folder.path() / "ENU.txt");
  folder.Write("ENGLISH.TXT", {"!LanguageID=1033", "!LanguageName=English", "Caption=from ENGLISH.TXT"});
  folder.Write("Deutsch.Txt", {"!LanguageID=1031", "!LanguageName=Deutsch", "Caption=aus Deutsch.Txt"});
  storage.SetLanguagePath(folder.Path());
  ASSERT_EQ(names(), (std::vector<WideString>{u"简体中文", u"Deutsch", u"English"}));
  EXPECT_EQ(storage.Languages()->Items(2)->LanguageFileName(), u"ENGLISH");
  storage.SelectLanguage(2);
  EXPECT_EQ(lookup(u"Caption"), u"from ENGLISH.TXT");
  storage.SelectLanguage(1);
  EXPECT_EQ(lookup(u"Caption"), u"aus Deutsch.Txt");
  // Saving writes back the file that was read, not a second one beside it.
  storage.SetString(u"Caption", u"neu");
  storage.SaveCurrentLanguage();
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "Deutsch.txt"));
  EXPECT_NE(folder.Read("Deutsch.Txt").find("Caption=neu"), std::string::npos);
  // An item renamed by hand reads the file of its new name.
  storage.Languages()->Items(2)->SetLanguageFileName(u"CHS");
  storage.SelectLanguage(2);
  EXPECT_EQ(lookup(u"TFormmain.Caption"), u"手持机通讯管理器");
}

TEST_F(LmHashLangStorageTest, EveryWindowsLanguageIdIsListed) {
  folder.Write("ESP.txt", {"!LanguageID=1034", "!LanguageName=Español"});  // Spanish, traditional sort
  folder.Write("PAN.txt", {"!LanguageID=1094", "!LanguageName=ਪੰਜਾਬੀ"});    // Punjabi (India)
  folder.Write("SRL.txt", {"!LanguageID=2074", "!LanguageName=Srpski"});   // Serbian (Latin)
  folder.Write("XXX.txt", {"!LanguageID=4095", "!LanguageName=None"});     // no locale has this id
  storage.SetLanguagePath(folder.Path());
  ASSERT_EQ(names(), (std::vector<WideString>{u"简体中文", u"English", u"Español", u"ਪੰਜਾਬੀ", u"Srpski"}));
  EXPECT_EQ(storage.Languages()->Items(2)->LanguageID(), 1034u);
  EXPECT_EQ(storage.Languages()->Items(2)->Abbreviation(), u"ESP");
  EXPECT_EQ(storage.Languages()->Items(2)->LanguageDirName(), u"1034");
}

TEST_F(LmHashLangStorageTest, LoneLineBreaksSurviveASave) {
  storage.SetLanguagePath(folder.Path());
  storage.SelectLanguage(1);
  storage.SetString(u"MSG", u"line1\nline2=oops\rline3");
  storage.SaveCurrentLanguage();
  storage.DetectLanguages();
  storage.SelectLanguage(1);
  EXPECT_EQ(lookup(u"MSG"), u"line1\r\nline2=oops\r\nline3");
  WideString value;
  EXPECT_FALSE(storage.GetString(u"line2", value)) << "a line of the value became a key of its own";
}

TEST_F(LmHashLangStorageTest, AGrowthFactorThatCannotGrowIsRefused) {
  try {
    storage.SetIncSize(1);
    FAIL() << "a factor of 1 was taken";
  } catch (const ELmHashException& e) {
    EXPECT_EQ(e.Message(), "Incr should be lagerer than 1");
  }
  EXPECT_EQ(storage.IncSize(), 2);
  storage.SetLanguagePath(folder.Path());
  std::vector<int> changed;
  storage.OnLanguageChanged = [&](TObject*, int index) { changed.push_back(index); };
  storage.SelectLanguage(1);
  EXPECT_EQ(changed, std::vector<int>{1});
  EXPECT_EQ(lookup(u"TFormmain.Caption"), u"Handheld Manager");
}

TEST_F(LmHashLangStorageTest, ASwitchThatFailsKeepsTheLanguageItHad) {
  storage.SetLanguagePath(folder.Path());
  storage.SelectLanguage(0);
  struct TReadInterrupted {};
  storage.OnLoadFile = [](TObject*, const WideString&, TLmWideStringList*) { throw TReadInterrupted(); };
  storage.OnLanguageChanged = [](TObject*, int) { FAIL(); };
  EXPECT_THROW(storage.SelectLanguage(1), TReadInterrupted);
  EXPECT_EQ(storage.CurrentLanguageIndex(), 0);
  EXPECT_EQ(storage.CurrentLanguage()->LanguageID(), 2052u);
  EXPECT_EQ(lookup(u"TFormmain.Caption"), u"手持机通讯管理器");
}
