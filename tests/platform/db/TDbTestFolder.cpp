#include "TDbTestFolder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>

#include "DbTypes.h"

TDbTestFolder::TDbTestFolder() {
  char pattern[] = "/tmp/db-test-XXXXXX";
  if (!::mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TDbTestFolder::~TDbTestFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TDbTestFolder::Write(const std::string& Name, const std::string& Bytes) const {
  std::ofstream(path_ / Name, std::ios::binary) << Bytes;
}

std::string TDbTestFolder::Read(const std::string& Name) const {
  std::ifstream in(path_ / Name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string TDbTestFolder::Python(const std::string& Script) const {
  Write("script.py", Script);
  const TCommandResult result = RunCommand("cd '" + path_.string() + "' && /usr/bin/python3 script.py 2>&1");
  EXPECT_EQ(result.Status, 0) << result.Output;
  return result.Output;
}

TCommandResult RunCommand(const std::string& Command) {
  TCommandResult result;
  FILE* pipe = ::popen(Command.c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.Output.append(buffer, got);
  const int status = ::pclose(pipe);
  result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::vector<std::vector<Variant>> ReadAll(TDbCursor& Cursor) {
  std::vector<std::vector<Variant>> rows;
  std::vector<Variant> row;
  while (Cursor.Next(row)) rows.push_back(row);
  return rows;
}
