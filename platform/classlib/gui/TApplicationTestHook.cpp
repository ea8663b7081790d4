#include "TApplicationTestHook.h"

void TApplicationTestHook::AnswerMessage(int Result) { answers_.push_back(Answer{dkMessageBox, Result, {}}); }
void TApplicationTestHook::AnswerFile(const AnsiString& FileName) { answers_.push_back(Answer{dkOpenDialog, 0, FileName}); }
void TApplicationTestHook::AnswerFolder(const AnsiString& Folder) { answers_.push_back(Answer{dkFolderPicker, 0, Folder}); }

void TApplicationTestHook::Clear() {
  answers_.clear();
  shown_.clear();
  unanswered_ = 0;
}

void TApplicationTestHook::Record(const TShownDialog& Dialog) { shown_.push_back(Dialog); }

bool TApplicationTestHook::TakeMessage(int& Result) {
  if (answers_.empty() || answers_.front().Kind != dkMessageBox) {
    ++unanswered_;
    return false;
  }
  Result = answers_.front().Result;
  answers_.pop_front();
  return true;
}

bool TApplicationTestHook::TakeText(TDialogKind Kind, AnsiString& Text) {
  if (answers_.empty() || answers_.front().Kind != Kind) {
    ++unanswered_;
    return false;
  }
  Text = answers_.front().Text;
  answers_.pop_front();
  return true;
}
