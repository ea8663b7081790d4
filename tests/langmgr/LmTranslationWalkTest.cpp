// The translation walk and its key scheme, on a sample form shaped like the main window.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "CodePage.h"
#include "LangManagerFixture.h"
#include "LmLangCollection.h"
#include "TButton.h"
#include "TFont.h"
#include "TForm.h"
#include "TLabel.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TMenuItem.h"
#include "TPopupMenu.h"
#include "TRadioGroup.h"
#include "TSpeedButton.h"
#include "TStringList.h"
#include "TTreeNode.h"
#include "TTreeNodes.h"
#include "TTreeView.h"
#include "TypInfo.h"

namespace {

// A speed button linked to an action, as controls with actions are.
class TActionButton : public TSpeedButton {
  DECLARE_CLASS(TActionButton, TSpeedButton)
  using TSpeedButton::TSpeedButton;
  TComponent* Action() const { return action_; }
  void SetAction(TComponent* Value) { action_ = Value; }

private:
  TComponent* action_ = nullptr;
};
DEFINE_CLASS(TActionButton, TSpeedButton, Published::Class("Action", &TActionButton::Action, &TActionButton::SetAction))

// Named as the platform's action class: the walk finds actions by class name.
class TCustomAction : public TComponent {
  DECLARE_CLASS(TCustomAction, TComponent)
  using TComponent::TComponent;
  const AnsiString& Caption() const { return caption_; }
  void SetCaption(const AnsiString& Value) { caption_ = Value; }
  const AnsiString& Hint() const { return hint_; }
  void SetHint(const AnsiString& Value) { hint_ = Value; }

private:
  AnsiString caption_, hint_;
};
DEFINE_CLASS(TCustomAction, TComponent,
             Published::String("Caption", &TCustomAction::Caption, &TCustomAction::SetCaption),
             Published::String("Hint", &TCustomAction::Hint, &TCustomAction::SetHint))

// A component with a text that cannot be written.
class TVersionInfo : public TComponent {
  DECLARE_CLASS(TVersionInfo, TComponent)
  using TComponent::TComponent;
  AnsiString Version() const { return "1.0"; }
};
DEFINE_CLASS(TVersionInfo, TComponent, Published::String("Version", &TVersionInfo::Version))

class TFormmain : public TForm {
  DECLARE_CLASS(TFormmain, TForm)
  explicit TFormmain(TComponent* AOwner) : TForm(AOwner) {
    SetName("Formmain");
    SetCaption(Utf8ToAnsi("手持机通讯管理器"));
    btnExit = place(new TActionButton(this), "btnExit");
    btnExit->SetCaption(Utf8ToAnsi("退出"));
    btnExit->SetHint(Utf8ToAnsi("退出程序"));
    btnExit->Font()->SetSize(10);  // its own font
    btnSkip = place(new TButton(this), "btnSkip");
    btnSkip->SetCaption(Utf8ToAnsi("保留"));
    btnSkip->SetTag(2001);
    lblFollow = place(new TLabel(this), "lblFollow");
    lblFollow->SetParentFont(true);
    RadioGroup1 = place(new TRadioGroup(this), "RadioGroup1");
    RadioGroup1->Items()->SetText("USB\r\nCOM");
    listCbj = place(new TListView(this), "listCbj");
    listCbj->Columns()->Add()->SetCaption(Utf8ToAnsi("文件名"));
    listCbj->Columns()->Add()->SetCaption(Utf8ToAnsi("大小"));
    TListItem* item = listCbj->Items()->Add();
    item->SetCaption("A.DBF");
    item->SubItems()->SetText("1K");
    tvFolders = place(new TTreeView(this), "tvFolders");
    tvFolders->Items()->AddChild(tvFolders->Items()->Add(nullptr, Utf8ToAnsi("根")), Utf8ToAnsi("子"));
    pmMain = new TPopupMenu(this);
    pmMain->SetName("pmMain");
    miRefresh = new TMenuItem(this);
    miRefresh->SetName("miRefresh");
    miRefresh->SetCaption(Utf8ToAnsi("刷新"));
    pmMain->Items()->Add(miRefresh);
    version = new TVersionInfo(this);
    version->SetName("version");
  }

  template <class T>
  T* place(T* control, const char* name) {
    control->SetName(name);
    control->SetParent(this);
    return control;
  }

  TActionButton* btnExit;
  TButton* btnSkip;
  TLabel* lblFollow;
  TRadioGroup* RadioGroup1;
  TListView* listCbj;
  TTreeView* tvFolders;
  TPopupMenu* pmMain;
  TMenuItem* miRefresh;
  TVersionInfo* version;
};
DEFINE_CLASS(TFormmain, TForm)

// Records every key asked for.
class TRecordingStorage : public TLmHashLangFileStorage {
  DECLARE_CLASS(TRecordingStorage, TLmHashLangFileStorage)
  using TLmHashLangFileStorage::TLmHashLangFileStorage;
  bool GetString(const WideString& Name, WideString& Value) override {
    Keys.push_back(Name);
    return TLmHashLangFileStorage::GetString(Name, Value);
  }
  bool Asked(const WideString& Key) const { return std::find(Keys.begin(), Keys.end(), Key) != Keys.end(); }
  bool AskedAnyWith(const WideString& Part) const {
    return std::any_of(Keys.begin(), Keys.end(), [&](const WideString& k) { return k.find(Part) != WideString::npos; });
  }
  std::vector<WideString> Keys;
};
DEFINE_CLASS(TRecordingStorage, TLmHashLangFileStorage)

class LmTranslationWalkTest : public LangManagerTest {
protected:
  void SetUp() override {
    LangManagerTest::SetUp();
    folder.Write("English.txt",
                 {"!LanguageID=1033", "!LanguageName=English",
                  "!TranslationDefaultFont=Arial,11,BI,0,clRed,ANSI_CHARSET", "TFormmain.Caption=Handheld Manager",
                  "TFormmain.btnExit.Caption=Exit", "TFormmain.btnExit.Hint=Leave<br>the program",
                  "TFormmain.btnExit.!Font=Verdana,12,U", "TFormmain.btnSkip.Caption=Kept",
                  "TFormmain.lblFollow.!Font=Courier,20", "TFormmain.RadioGroup1.Items.Text=USB port<BR>serial port",
                  "TFormmain.listCbj.Columns.Item0.Caption=File name", "TFormmain.listCbj.Columns.Item1.Caption=",
                  "TFormmain.listCbj.ListItem0.Caption=B.DBF", "TFormmain.listCbj.ListItem0.SubItems.Text=2K",
                  "TFormmain.tvFolders.TreeNode1.Text=Child", "TFormmain.miRefresh.Caption=Refresh",
                  "tformmain.miRefresh.Hint=wrong case", "TFormmain.version.Version=2.0"});
    manager = NewManager();
    storage = new TRecordingStorage(owner);
    storage->SetLanguagePath(folder.Path());
    manager->SetTranslateListItem(true);
    manager->SetTranslateOtherFont(false);
    manager->SetIgnoreAction(false);
    form = new TFormmain(nullptr);
  }
  void TearDown() override {
    form->Free();
    LangManagerTest::TearDown();
  }

  // Switches to English (language 1): the form is translated again.
  void switchToEnglish() { manager->SetCurrentLanguageIndex(1); }

  TLmLangManager* manager = nullptr;
  TRecordingStorage* storage = nullptr;
  TFormmain* form = nullptr;
};

}  // namespace

TEST_F(LmTranslationWalkTest, KeysFollowTheSchemeAndTranslationsReachTheControls) {
  switchToEnglish();
  for (const WideString key :
       {u"TFormmain.Caption", u"TFormmain.!Font", u"TFormmain.btnExit.Caption", u"TFormmain.btnExit.Hint",
        u"TFormmain.btnExit.!Font", u"TFormmain.RadioGroup1.Items.Text", u"TFormmain.listCbj.Columns.Item0.Caption",
        u"TFormmain.listCbj.Columns.Item1.Caption", u"TFormmain.listCbj.ListItem0.Caption",
        u"TFormmain.listCbj.ListItem0.SubItems.Text", u"TFormmain.miRefresh.Caption", u"TFormmain.miRefresh.Hint"})
    EXPECT_TRUE(storage->Asked(key)) << WideToUtf8(key);
  EXPECT_FALSE(storage->AskedAnyWith(u"btnSkip"));             // Tag 2001
  EXPECT_FALSE(storage->Asked(u"TFormmain.lblFollow.!Font"));  // follows its parent's font
  EXPECT_FALSE(storage->Asked(u"TFormmain.version.Version"));  // cannot be written
  EXPECT_FALSE(storage->AskedAnyWith(u"TreeNode"));            // TranslateTreeNode is off
  EXPECT_FALSE(storage->AskedAnyWith(u".Name"));
  EXPECT_EQ(form->Caption(), "Handheld Manager");
  EXPECT_EQ(form->btnExit->Caption(), "Exit");
  EXPECT_EQ(form->btnExit->Hint(), "Leave\r\nthe program");
  EXPECT_EQ(form->btnSkip->Caption(), "\xb1\xa3\xc1\xf4");  // 保留, untouched
  EXPECT_EQ(form->RadioGroup1->Items()->Text(), "USB port\r\nserial port\r\n");
  EXPECT_EQ(form->listCbj->Columns()->Items(0)->Caption(), "File name");
  EXPECT_EQ(AnsiToWide(static_cast<TListColumn*>(form->listCbj->Columns()->Items(1))->Caption()),
            u"大小");  // empty: kept
  EXPECT_EQ(form->listCbj->Items()->Item(0)->Caption(), "B.DBF");
  EXPECT_EQ(form->listCbj->Items()->Item(0)->SubItems()->Text(), "2K\r\n");
  EXPECT_EQ(form->miRefresh->Caption(), "Refresh");
  EXPECT_EQ(AnsiToWide(form->tvFolders->Items()->Item(1)->Text()), u"子");
  EXPECT_EQ(form->btnExit->Font()->Name(), "Verdana");
  EXPECT_EQ(form->btnExit->Font()->Size(), 12);
}

TEST_F(LmTranslationWalkTest, TheLanguageFontGivesOnlyNameSizeAndCharacterSet) {
  form->Font()->SetColor(clGreen);
  form->Font()->SetStyle({});
  switchToEnglish();
  EXPECT_EQ(form->Font()->Name(), "Arial");
  EXPECT_EQ(form->Font()->Size(), 11);
  EXPECT_EQ(form->Font()->Charset(), ANSI_CHARSET);
  EXPECT_EQ(form->Font()->Color(), clGreen);
  EXPECT_TRUE(form->Font()->Style().Empty());
  EXPECT_EQ(form->lblFollow->Font()->Name(), "Arial");  // it follows the form
}

TEST_F(LmTranslationWalkTest, ListItemsAndTreeNodesOnlyWhenAsked) {
  manager->SetTranslateListItem(false);
  manager->SetTranslateTreeNode(true);
  switchToEnglish();
  EXPECT_FALSE(storage->AskedAnyWith(u"ListItem"));
  EXPECT_EQ(form->listCbj->Items()->Item(0)->Caption(), "A.DBF");
  EXPECT_TRUE(storage->Asked(u"TFormmain.tvFolders.TreeNode0.Text"));
  EXPECT_EQ(form->tvFolders->Items()->Item(1)->Text(), "Child");
}

TEST_F(LmTranslationWalkTest, ObjectsAndPropertiesCanBeRefused) {
  manager->OnTranslateObject = [&](TObject* object, bool& translate) { translate = object != form->btnExit; };
  manager->OnTranslateObjectProperty = [&](TObject*, const AnsiString& name, bool& translate) {
    translate = name != "Caption";
  };
  switchToEnglish();
  EXPECT_NE(form->btnExit->Hint(), "Leave\r\nthe program");
  EXPECT_NE(form->Caption(), "Handheld Manager");
  EXPECT_EQ(form->listCbj->Items()->Item(0)->SubItems()->Text(), "2K\r\n");  // asked without the event
}

TEST_F(LmTranslationWalkTest, ACaptionTakenFromTheActionIsLeftToIt) {
  auto* action = new TCustomAction(form);
  action->SetName("actExit");
  action->SetCaption(Utf8ToAnsi("退出"));
  form->btnExit->SetAction(action);
  manager->SetIgnoreAction(true);
  switchToEnglish();
  EXPECT_FALSE(storage->Asked(u"TFormmain.btnExit.Caption"));
  EXPECT_EQ(form->btnExit->Hint(), "Leave\r\nthe program");  // differs from the action's hint
}

TEST_F(LmTranslationWalkTest, TranslatingByStoredStrings) {
  manager->SetTranslationMode(tmByStrings);
  manager->SetTranslateTreeNode(true);
  switchToEnglish();
  EXPECT_EQ(form->Caption(), "Handheld Manager");
  EXPECT_EQ(form->btnExit->Caption(), "Exit");
  EXPECT_EQ(form->btnExit->Hint(), "Leave\r\nthe program");
  EXPECT_EQ(form->btnExit->Font()->Name(), "Verdana");
  EXPECT_EQ(form->btnSkip->Caption(), "\xb1\xa3\xc1\xf4");
  EXPECT_NE(form->lblFollow->Font()->Name(), "Courier");
  EXPECT_EQ(form->RadioGroup1->Items()->Text(), "USB port\r\nserial port\r\n");
  EXPECT_EQ(form->listCbj->Columns()->Items(0)->Caption(), "File name");
  EXPECT_EQ(form->listCbj->Items()->Item(0)->Caption(), "B.DBF");
  EXPECT_EQ(form->listCbj->Items()->Item(0)->SubItems()->Text(), "2K\r\n");
  EXPECT_EQ(form->tvFolders->Items()->Item(1)->Text(), "Child");
  EXPECT_EQ(form->miRefresh->Caption(), "Refresh");
  EXPECT_NE(form->miRefresh->Hint(), "wrong case");
}

TEST_F(LmTranslationWalkTest, KeyPrefixesOfComponents) {
  EXPECT_EQ(manager->GetComponentKeyPrefix(form), u"TFormmain");
  EXPECT_EQ(manager->GetComponentKeyPrefix(form->btnExit), u"TFormmain");
  EXPECT_EQ(manager->GetComponentKeyPrefix(owner), u"");
  auto* inner = new TComponent(form->version);
  EXPECT_EQ(manager->GetComponentKeyPrefix(inner), u"TFormmain.version");
}

TEST_F(LmTranslationWalkTest, SwitchingBetweenChineseAndEnglishAtRunTime) {
  folder.Write("Chinese.txt",
               {"!LanguageID=2052", "!LanguageName=简体中文", "TFormmain.Caption=手持机通讯管理器",
                "TFormmain.btnExit.Caption=退出", "TFormmain.btnExit.Hint=退出程序",
                "TFormmain.listCbj.Columns.Item0.Caption=文件名", "TFormmain.listCbj.Columns.Item1.Caption=大小",
                "TFormmain.miRefresh.Caption=刷新", "INFO_READY=就绪"});
  folder.Write("English.txt",
               {"!LanguageID=1033", "!LanguageName=English", "TFormmain.Caption=Handheld Manager",
                "TFormmain.btnExit.Caption=Exit", "TFormmain.btnExit.Hint=Leave the program",
                "TFormmain.listCbj.Columns.Item0.Caption=File name", "TFormmain.listCbj.Columns.Item1.Caption=Size",
                "TFormmain.miRefresh.Caption=Refresh", "INFO_READY=Ready"});
  storage->SetLanguagePath(folder.Path());
  ASSERT_EQ(storage->LanguageCount(), 2);
  ASSERT_EQ(storage->Languages()->Items(0)->LanguageID(), 2052u);

  // The handler sees the new language's texts while the form still shows the old ones.
  AnsiString status, captionDuringEvent;
  manager->OnLanguageChanged = [&](TObject*) {
    TranslateStr(status, "INFO_READY");
    captionDuringEvent = form->Caption();
  };
  auto shows = [&](const char* caption, const char* exit, const char* hint, const char* column0, const char* column1,
                   const char* menu) {
    EXPECT_EQ(form->Caption(), Utf8ToAnsi(caption));
    EXPECT_EQ(form->btnExit->Caption(), Utf8ToAnsi(exit));
    EXPECT_EQ(form->btnExit->Hint(), Utf8ToAnsi(hint));
    EXPECT_EQ(form->listCbj->Columns()->Items(0)->Caption(), Utf8ToAnsi(column0));
    EXPECT_EQ(form->listCbj->Columns()->Items(1)->Caption(), Utf8ToAnsi(column1));
    EXPECT_EQ(form->miRefresh->Caption(), Utf8ToAnsi(menu));
  };

  manager->SetCurrentLanguageIndex(1);
  EXPECT_EQ(status, "Ready");
  EXPECT_EQ(captionDuringEvent, Utf8ToAnsi("手持机通讯管理器"));
  shows("Handheld Manager", "Exit", "Leave the program", "File name", "Size", "Refresh");

  manager->SetCurrentLanguageIndex(0);
  EXPECT_EQ(status, Utf8ToAnsi("就绪"));
  EXPECT_EQ(captionDuringEvent, "Handheld Manager");
  shows("手持机通讯管理器", "退出", "退出程序", "文件名", "大小", "刷新");

  manager->SetCurrentLanguageIndex(1);
  shows("Handheld Manager", "Exit", "Leave the program", "File name", "Size", "Refresh");
}
