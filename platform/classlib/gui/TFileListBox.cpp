#include "TFileListBox.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "FileNames.h"
#include "FileRoutines.h"
#include "FindFile.h"
#include "LocaleText.h"
#include "StringRoutines.h"
#include "TControlProps_p.h"
#include "TCustomListBox_p.h"
#include "TStrings.h"

DEFINE_CLASS(TFileListBox, TCustomListBox, ControlProps::Align(), ControlProps::Color(),
             Published::String("Directory", &TFileListBox::Directory, &TFileListBox::SetDirectory),
             ControlProps::Enabled(),
             Published::Set("FileType", {"ftReadOnly", "ftHidden", "ftSystem", "ftVolumeID", "ftDirectory", "ftArchive",
                                         "ftNormal"},
                            &TFileListBox::FileType, &TFileListBox::SetFileType),
             ControlProps::Font(), ControlProps::Hint(),
             Published::Integer("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex),
             Published::String("Mask", &TFileListBox::Mask, &TFileListBox::SetMask),
             Published::Boolean("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect),
             ControlProps::ParentColor(), ControlProps::ParentFont(), ControlProps::ParentShowHint(),
             ControlProps::PopupMenu(), ControlProps::ShowHint(), ControlProps::TabOrder(), ControlProps::TabStop(),
             ControlProps::Visible(), Published::Event("OnChange", &TFileListBox::OnChange), ControlProps::OnClick(),
             ControlProps::OnDblClick(), ControlProps::OnEnter(), ControlProps::OnExit(), ControlProps::OnKeyDown(),
             ControlProps::OnKeyPress(), ControlProps::OnKeyUp())

class TFileListBoxPrivate : public TListBoxPrivate {
public:
  TFileListBoxPrivate() { sorted = true; }
  AnsiString directory;
  TFileType fileType{ftNormal};
  AnsiString mask = "*.*";
  int lastIndex = -1;
};

namespace {

TFileListBoxPrivate* dOf(const TFileListBox* b) { return static_cast<TFileListBoxPrivate*>(b->ControlPrivate()); }

// The masks of a mask text ("*.txt;*.dbf").
std::vector<AnsiString> masksOf(const AnsiString& text) {
  std::vector<AnsiString> out;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i)
    if (i == text.size() || text[i] == ';') {
      const AnsiString m = Trim(std::string_view(text).substr(start, i - start));
      if (!m.empty()) out.push_back(m);
      start = i + 1;
    }
  if (out.empty()) out.emplace_back("*.*");
  return out;
}

}  // namespace

TFileListBox::TFileListBox(TComponent* AOwner) : TCustomListBox(AOwner, std::make_unique<TFileListBoxPrivate>()) {
  dOf(this)->directory = GetCurrentDir();
}

const AnsiString& TFileListBox::Directory() const { return dOf(this)->directory; }

void TFileListBox::SetDirectory(const AnsiString& Value) {
  if (Value.empty()) return;
  if (!SetCurrentDir(Value)) throw EInOutError("Cannot open the folder " + Value, errno != 0 ? errno : ENOENT);
  dOf(this)->directory = GetCurrentDir();
  readFileNames();
}

TFileType TFileListBox::FileType() const { return dOf(this)->fileType; }
void TFileListBox::SetFileType(TFileType Value) {
  if (Value == dOf(this)->fileType) return;
  dOf(this)->fileType = Value;
  readFileNames();
}

const AnsiString& TFileListBox::Mask() const { return dOf(this)->mask; }
void TFileListBox::SetMask(const AnsiString& Value) {
  if (Value == dOf(this)->mask) return;
  dOf(this)->mask = Value;
  readFileNames();
}

AnsiString TFileListBox::FileName() const {
  const int index = ItemIndex();
  if (index < 0) return {};
  return IncludeTrailingPathDelimiter(dOf(this)->directory) + Items()->Strings(index);
}

void TFileListBox::Update() { readFileNames(); }

void TFileListBox::readFileNames() {
  TFileListBoxPrivate* d = dOf(this);
  const TFileType type = d->fileType;
  int attr = 0;
  if (type.Contains(ftReadOnly)) attr |= faReadOnly;
  if (type.Contains(ftHidden)) attr |= faHidden;
  if (type.Contains(ftSystem)) attr |= faSysFile;
  if (type.Contains(ftDirectory)) attr |= faDirectory;
  if (type.Contains(ftArchive)) attr |= faArchive;
  const AnsiString folder = IncludeTrailingPathDelimiter(d->directory);
  std::vector<AnsiString> names;
  for (const AnsiString& mask : masksOf(d->mask)) {
    TSearchRec sr;
    for (int found = FindFirst(folder + mask, attr, sr); found == 0; found = FindNext(sr)) {
      if (sr.Attr & faDirectory) {
        if (type.Contains(ftDirectory) && sr.Name != "." ) names.push_back("[" + sr.Name + "]");
        continue;
      }
      const bool plain = (sr.Attr & (faReadOnly | faHidden | faSysFile)) == 0;
      const bool wanted = (plain && type.Contains(ftNormal)) || ((sr.Attr & faReadOnly) && type.Contains(ftReadOnly)) ||
                          ((sr.Attr & faHidden) && type.Contains(ftHidden)) ||
                          ((sr.Attr & faSysFile) && type.Contains(ftSystem));
      if (wanted) names.push_back(sr.Name);
    }
    FindClose(sr);
  }
  std::stable_sort(names.begin(), names.end(), [](const AnsiString& a, const AnsiString& b) { return AnsiCompareText(a, b) < 0; });
  names.erase(std::unique(names.begin(), names.end()), names.end());
  TStrings* items = Items();
  items->BeginUpdate();
  items->Clear();
  // The names are in order already: each goes last, with no search for its place.
  for (const AnsiString& n : names) items->Insert(items->Count(), n);
  items->EndUpdate();
  d->lastIndex = -1;
  if (OnChange) FireEvent(this, [this] { OnChange(this); });
}

void TFileListBox::Click() {
  inherited::Click();
  TFileListBoxPrivate* d = dOf(this);
  if (ItemIndex() == d->lastIndex) return;
  d->lastIndex = ItemIndex();
  if (OnChange) FireEvent(this, [this] { OnChange(this); });
}
