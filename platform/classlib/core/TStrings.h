// TStrings: the abstract list of strings, each with an optional associated object.
//
// Descendants store the strings: TStringList in memory, GUI controls in their widgets (a combo
// box's items, a memo's lines). A descendant implements Get, GetCount, Insert, Delete and Clear,
// and overrides Put, GetObject, PutObject and SetUpdateState where it can do better than the
// defaults; everything else (Text, CommaText, Names/Values, IndexOf, Assign, files) is built
// here on those few operations.
//
// Line text: Text joins the lines with CR LF, the last line included; setting it splits at
// CR LF, LF or CR. Name=value lines: Names, Values and IndexOfName split a line at the first
// NameValueSeparator ("="). Names and strings are matched by CompareStrings, which ignores case
// in the user's locale unless a descendant decides otherwise.
//
// Errors: an index out of range raises EStringListError "List index out of bounds (n)"; file
// errors raise EFOpenError/EFCreateError/EReadError/EWriteError.
//
// TStrings publishes nothing itself; a list is reached as a class property of its owner.
#pragma once

#include <string_view>

#include "TPersistent.h"

class TStream;

class TStrings : public TPersistent {
  DECLARE_CLASS(TStrings, TPersistent)

  TStrings() = default;

  virtual int Add(const AnsiString& S);
  virtual int AddObject(const AnsiString& S, TObject* AObject);
  void Append(const AnsiString& S) { Add(S); }
  // Adds every line of Strings, with its object, at the end.
  virtual void AddStrings(TStrings* Strings);
  // From another TStrings: its lines, objects, delimiter, quote character and separator.
  void Assign(TPersistent* Source) override;
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  virtual void Exchange(int Index1, int Index2);
  virtual void Insert(int Index, const AnsiString& S) = 0;
  virtual void InsertObject(int Index, const AnsiString& S, TObject* AObject);
  virtual void Move(int CurIndex, int NewIndex);
  // The same lines in the same order (objects are not compared).
  bool Equals(const TStrings& Strings) const;

  virtual int IndexOf(const AnsiString& S) const;
  virtual int IndexOfName(const AnsiString& Name) const;
  int IndexOfObject(const TObject* AObject) const;

  // Nested pairs are allowed; OnChange-style notification waits for the outermost EndUpdate.
  void BeginUpdate();
  void EndUpdate();

  // The bytes as lines (the text is taken as it is: ANSI code page); saving writes Text.
  virtual void LoadFromFile(const AnsiString& FileName);
  virtual void LoadFromStream(TStream* Stream);  // from the position to the end
  virtual void SaveToFile(const AnsiString& FileName) const;
  virtual void SaveToStream(TStream* Stream) const;

  int Count() const { return GetCount(); }
  AnsiString Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const AnsiString& S) { Put(Index, S); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

  AnsiString Text() const { return GetTextStr(); }
  void SetText(const AnsiString& Value) { SetTextStr(Value); }

  // The lines separated by Delimiter; a line holding a blank, a control character, the
  // delimiter or the quote character is quoted with QuoteChar (quotes inside doubled). Setting
  // it splits at delimiters and, outside quotes, also at blanks. A single empty line is written
  // as two quotes so that it survives the round trip.
  AnsiString DelimitedText() const;
  void SetDelimitedText(const AnsiString& Value);
  // DelimitedText with "," and '"' whatever Delimiter and QuoteChar are.
  AnsiString CommaText() const;
  void SetCommaText(const AnsiString& Value);
  char Delimiter() const { return delimiter_; }
  void SetDelimiter(char Value) { delimiter_ = Value; }
  char QuoteChar() const { return quoteChar_; }
  void SetQuoteChar(char Value) { quoteChar_ = Value; }
  char NameValueSeparator() const { return nameValueSeparator_; }
  void SetNameValueSeparator(char Value) { nameValueSeparator_ = Value; }

  // The name part of line Index ("" when the line has no separator).
  AnsiString Names(int Index) const;
  // The value after "Name=" of the first line with that name; "" when there is none.
  AnsiString Values(const AnsiString& Name) const;
  // Sets the value of the line with that name, adding "Name=Value" when there is none; an
  // empty Value deletes the line.
  void SetValues(const AnsiString& Name, const AnsiString& Value);
  // The value part of line Index ("" when the line has no separator).
  AnsiString ValueFromIndex(int Index) const;
  void SetValueFromIndex(int Index, const AnsiString& Value);

  int Capacity() const { return GetCapacity(); }
  virtual void SetCapacity(int NewCapacity);

protected:
  virtual AnsiString Get(int Index) const = 0;
  virtual int GetCount() const = 0;
  virtual TObject* GetObject(int Index) const;          // default: no objects (nullptr)
  virtual void Put(int Index, const AnsiString& S);     // default: delete and insert again
  virtual void PutObject(int Index, TObject* AObject);  // default: ignored
  virtual int GetCapacity() const;                      // default: Count
  virtual AnsiString GetTextStr() const;
  virtual void SetTextStr(const AnsiString& Value);
  // Told when the outermost BeginUpdate begins (true) and its EndUpdate ends (false).
  virtual void SetUpdateState(bool Updating);
  virtual int CompareStrings(const AnsiString& S1, const AnsiString& S2) const;

  int UpdateCount() const { return updateCount_; }
  // Raises EStringListError with Msg (see RTLConsts.h), formatted with Data.
  [[noreturn]] void Error(const char* Msg, int Data) const;
  AnsiString ExtractName(const AnsiString& S) const;

private:
  AnsiString delimitedText(char delimiter, char quote) const;
  void setDelimitedText(const AnsiString& value, char delimiter, char quote);
  // Byte offset of the separator in S, npos when there is none.
  std::size_t separatorAt(std::string_view S) const;

  int updateCount_ = 0;
  char delimiter_ = ',';
  char quoteChar_ = '"';
  char nameValueSeparator_ = '=';
};
