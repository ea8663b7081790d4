// A terminal of its own for one test: a new temporary folder that VXCOMM_TERMINAL names while
// the object lives (the library's first call makes it a terminal), and a scratch folder for the
// PC's files. Both are removed at the end.
#pragma once

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

class TVxTestTerminal {
public:
  TVxTestTerminal() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vxcomm-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    root_ = pattern;
    std::filesystem::create_directories(Folder());
    std::filesystem::create_directories(Pc());
    setenv("VXCOMM_TERMINAL", Folder().c_str(), 1);
  }
  ~TVxTestTerminal() {
    unsetenv("VXCOMM_TERMINAL");
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  TVxTestTerminal(const TVxTestTerminal&) = delete;
  TVxTestTerminal& operator=(const TVxTestTerminal&) = delete;

  std::filesystem::path Folder() const { return root_ / "terminal"; }
  std::filesystem::path Pc() const { return root_ / "pc"; }
  // A path of the PC's scratch folder, as the library is given it.
  std::string PcPath(const std::string& name) const { return (Pc() / name).string(); }

  // Replaces the settings file of the terminal.
  void Settings(const std::string& text) const { Write(Folder() / "settings.ini", text); }

  static void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  static std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // Runs f with the file permissions of an ordinary user and returns what it returns (0 to
  // 255): as root, in a child process that has given up overriding file permissions, so that a
  // read-only file is read-only to it too.
  static int AsOrdinaryUser(const std::function<int()>& f) {
    if (::geteuid() != 0) return f();
    const pid_t pid = ::fork();
    if (pid == 0) {
      __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
      __user_cap_data_struct data[2] = {};
      const unsigned overrides = 1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH | 1u << CAP_FOWNER;
      if (::syscall(SYS_capget, &header, data) != 0) ::_exit(255);
      data[0].effective &= ~overrides;
      if (::syscall(SYS_capset, &header, data) != 0) ::_exit(255);
      ::_exit(f());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
  }

private:
  std::filesystem::path root_;
};
