// Time of one language switch of a large form: the language manager loads the other language
// file and translates the form again. Run on Qt's offscreen platform:
//   build/main/tools/bench/langmgr/langmgr_bench
//
// The form holds 150 panels, each with a button, a label and an edit (600 controls), a list
// view with 100 columns and 100 items, and a menu: 2,001 texts and fonts with a key in each of
// the two language files. The three runs change no font, the fonts of 20 controls (a main
// window has a few fonts in its language files) and the fonts of 300 controls.
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
#include "TButton.h"
#include "TEdit.h"
#include "TForm.h"
#include "TLabel.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TMenuItem.h"
#include "TPanel.h"
#include "TPopupMenu.h"
#include "TUnitList.h"
#include "TypInfo.h"

namespace {

// Of the 2,001 texts, FontCount are fonts of buttons and labels ("!Font" keys); menu items
// make up the rest.
struct TShape {
  int FontCount;
  int MenuCount() const { return (500 - FontCount) / 2; }
  bool OwnFont(int group, int kind) const { return 2 * group + kind < FontCount; }
};

class TBigForm : public TForm {
  DECLARE_CLASS(TBigForm, TForm)
  TBigForm(TComponent* AOwner, TShape Shape) : TForm(AOwner) {
    SetName("BigForm");
    for (int p = 0; p < 150; ++p) {
      const std::string n = std::to_string(p);
      auto* panel = make<TPanel>("pnl" + n, this);
      auto* button = make<TButton>("btn" + n, panel);
      auto* label = make<TLabel>("lbl" + n, panel);
      if (Shape.OwnFont(p, 0)) button->Font()->SetSize(10);
      if (Shape.OwnFont(p, 1)) label->Font()->SetSize(10);
      make<TEdit>("edt" + n, panel);
    }
    auto* list = make<TListView>("listFiles", this);
    for (int c = 0; c < 100; ++c) list->Columns()->Add()->SetCaption("column");
    for (int i = 0; i < 100; ++i) list->Items()->Add()->SetCaption("item");
    auto* menu = new TPopupMenu(this);
    menu->SetName("pmMain");
    for (int m = 0; m < Shape.MenuCount(); ++m) {
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
void writeLanguage(const std::filesystem::path& file, int id, const std::string& word, TShape shape) {
  std::ofstream out(file, std::ios::binary);
  out << "\xEF\xBB\xBF!LanguageID=" << id << "\r\n!LanguageName=" << word << "\r\n";
  out << "TBigForm.Caption=" << word << "\r\n";
  for (int p = 0; p < 150; ++p) {
    const std::string n = std::to_string(p);
    for (const std::string control : {"pnl", "btn", "lbl"}) {
      out << "TBigForm." << control << n << ".Caption=" << word << ' ' << control << n << "\r\n";
      out << "TBigForm." << control << n << ".Hint=" << word << " hint " << n << "\r\n";
    }
    for (int kind = 0; kind < 2; ++kind)
      if (shape.OwnFont(p, kind))
        out << "TBigForm." << (kind == 0 ? "btn" : "lbl") << n << ".!Font=Tahoma," << (id == 2052 ? 9 : 8)
            << ",B,0,clWindowText,DEFAULT_CHARSET\r\n";
    out << "TBigForm.edt" << n << ".Text=" << word << " text " << n << "\r\n";
    out << "TBigForm.edt" << n << ".Hint=" << word << " edit " << n << "\r\n";
  }
  for (int c = 0; c < 100; ++c) out << "TBigForm.listFiles.Columns.Item" << c << ".Caption=" << word << " col\r\n";
  for (int i = 0; i < 100; ++i) {
    out << "TBigForm.listFiles.ListItem" << i << ".Caption=" << word << " item\r\n";
    out << "TBigForm.listFiles.ListItem" << i << ".SubItems.Text=" << word << " size\r\n";
  }
  for (int m = 0; m < shape.MenuCount(); ++m) {
    out << "TBigForm.mi" << m << ".Caption=" << word << " menu " << m << "\r\n";
    out << "TBigForm.mi" << m << ".Hint=" << word << " menu hint " << m << "\r\n";
  }
}

// Argument: how many of the texts are fonts, each of which makes its control lay out again.
void BM_SwitchLanguage(benchmark::State& state) {
  const TShape shape{static_cast<int>(state.range(0))};
  const auto folder =
      std::filesystem::temp_directory_path() / ("hhm-langbench-" + std::to_string(std::random_device()()));
  std::filesystem::create_directories(folder);
  writeLanguage(folder / "Chinese.txt", 2052, "中文", shape);
  writeLanguage(folder / "English.txt", 1033, "English", shape);

  auto* form = new TBigForm(nullptr, shape);
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
  state.counters["texts"] = 1 + 150 * 8 + 300 + 2 * shape.MenuCount() + shape.FontCount;
  state.counters["fonts"] = shape.FontCount;
  form->Free();
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SwitchLanguage)->Arg(0)->Arg(20)->Arg(300)->Unit(benchmark::kMillisecond);

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
