// Time of one language switch of a large form: the language manager loads the other language
// file and translates the form again. Run on Qt's offscreen platform:
//   build/main/tools/bench/langmgr/langmgr_bench
//
// The form holds 150 panels, each with a button, a label and an edit (600 controls), a list
// view with 100 columns and 100 items, and a menu of 100 items: 2,001 texts and fonts with a
// key in each of the two language files.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "ClasslibGui.h"
#include "CodePage.h"
#include "Forms.h"
#include "LmHashLangStorage.h"
#include "LmLangMgr.h"
#include "TForm.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TMenuItem.h"
#include "TPopupMenu.h"
#include "TUnitList.h"
#include "TypInfo.h"

namespace {

// Windowed controls publishing what panels, buttons and labels (a caption) and edits (a text)
// publish for translation.
class TBenchCaptionControl : public TWinControl {
  DECLARE_CLASS(TBenchCaptionControl, TWinControl)
  using TWinControl::TWinControl;
};
DEFINE_CLASS(TBenchCaptionControl, TWinControl,
             Published::String("Caption", &TBenchCaptionControl::Caption, &TBenchCaptionControl::SetCaption),
             Published::String("Hint", &TBenchCaptionControl::Hint, &TBenchCaptionControl::SetHint),
             Published::Class("Font", &TBenchCaptionControl::Font, &TBenchCaptionControl::SetFont),
             Published::Boolean("ParentFont", &TBenchCaptionControl::ParentFont, &TBenchCaptionControl::SetParentFont))

class TBenchTextControl : public TWinControl {
  DECLARE_CLASS(TBenchTextControl, TWinControl)
  using TWinControl::TWinControl;
};
DEFINE_CLASS(TBenchTextControl, TWinControl,
             Published::String("Text", &TBenchTextControl::Text, &TBenchTextControl::SetText),
             Published::String("Hint", &TBenchTextControl::Hint, &TBenchTextControl::SetHint),
             Published::Class("Font", &TBenchTextControl::Font, &TBenchTextControl::SetFont),
             Published::Boolean("ParentFont", &TBenchTextControl::ParentFont, &TBenchTextControl::SetParentFont))

class TBigForm : public TForm {
  DECLARE_CLASS(TBigForm, TForm)
  explicit TBigForm(TComponent* AOwner) : TForm(AOwner) {
    SetName("BigForm");
    for (int p = 0; p < 150; ++p) {
      const std::string n = std::to_string(p);
      auto* panel = make<TBenchCaptionControl>("pnl" + n, this);
      // Buttons and labels have fonts of their own, translated with "!Font" keys.
      make<TBenchCaptionControl>("btn" + n, panel)->Font()->SetSize(10);
      make<TBenchCaptionControl>("lbl" + n, panel)->Font()->SetSize(10);
      make<TBenchTextControl>("edt" + n, panel);
    }
    auto* list = make<TListView>("listFiles", this);
    for (int c = 0; c < 100; ++c) list->Columns()->Add()->SetCaption("column");
    for (int i = 0; i < 100; ++i) list->Items()->Add()->SetCaption("item");
    auto* menu = new TPopupMenu(this);
    menu->SetName("pmMain");
    for (int m = 0; m < 100; ++m) {
      auto* item = new TMenuItem(this);
      item->SetName("mi" + std::to_string(m));
      menu->Items()->Add(item);
    }
  }

  template <class T>
  T* make(const std::string& name, TWinControl* parent) {
    auto* control = new T(this);
    control->SetName(name);
    control->SetParent(parent);
    return control;
  }
};
DEFINE_CLASS(TBigForm, TForm)

// One language file: every key of the form with a text of that language.
void writeLanguage(const std::filesystem::path& file, int id, const std::string& word) {
  std::ofstream out(file, std::ios::binary);
  out << "\xEF\xBB\xBF!LanguageID=" << id << "\r\n!LanguageName=" << word << "\r\n";
  out << "TBigForm.Caption=" << word << "\r\n";
  for (int p = 0; p < 150; ++p) {
    const std::string n = std::to_string(p);
    for (const std::string control : {"pnl", "btn", "lbl"}) {
      out << "TBigForm." << control << n << ".Caption=" << word << ' ' << control << n << "\r\n";
      out << "TBigForm." << control << n << ".Hint=" << word << " hint " << n << "\r\n";
    }
    for (const std::string control : {"btn", "lbl"})
      out << "TBigForm." << control << n << ".!Font=Tahoma," << (id == 2052 ? 9 : 8)
          << ",B,0,clWindowText,DEFAULT_CHARSET\r\n";
    out << "TBigForm.edt" << n << ".Text=" << word << " text " << n << "\r\n";
    out << "TBigForm.edt" << n << ".Hint=" << word << " edit " << n << "\r\n";
  }
  for (int c = 0; c < 100; ++c) out << "TBigForm.listFiles.Columns.Item" << c << ".Caption=" << word << " col\r\n";
  for (int i = 0; i < 100; ++i) {
    out << "TBigForm.listFiles.ListItem" << i << ".Caption=" << word << " item\r\n";
    out << "TBigForm.listFiles.ListItem" << i << ".SubItems.Text=" << word << " size\r\n";
  }
  for (int m = 0; m < 100; ++m) {
    out << "TBigForm.mi" << m << ".Caption=" << word << " menu " << m << "\r\n";
    out << "TBigForm.mi" << m << ".Hint=" << word << " menu hint " << m << "\r\n";
  }
}

void BM_SwitchLanguage(benchmark::State& state) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("hhm-langbench-" + std::to_string(std::random_device()()));
  std::filesystem::create_directories(folder);
  writeLanguage(folder / "Chinese.txt", 2052, "中文");
  writeLanguage(folder / "English.txt", 1033, "English");

  auto* form = new TBigForm(nullptr);
  auto* manager = new TLmLangManager(form);
  manager->SetTranslateListItem(true);
  auto* storage = new TLmHashLangFileStorage(form);
  storage->SetLanguagePath(Utf8ToWide(folder.string() + "/"));
  manager->SetCurrentLanguageIndex(0);
  form->Show();

  int index = 0;
  for (auto _ : state) {
    index = 1 - index;
    manager->SetCurrentLanguageIndex(index);
  }
  state.counters["controls"] = 600;
  state.counters["texts"] = static_cast<double>(1 + 150 * 10 + 100 + 100 * 2 + 100 * 2);
  form->Free();
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SwitchLanguage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  TUnitList units({ClasslibGuiUnit, LmLangMgrUnit});
  units.Initialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
