// The FTP servers of a test program (FtpTestServer.py, pyftpdlib on 127.0.0.1): started once,
// at the first use, and ended with the program. Every server serves one folder to the user
// "meter" with the password "secret"; each test works in a folder of its own below it.
//
//   TFtpTestServer& server = TFtpTestServer::Instance();
//   const std::string dir = server.NewFolder("listing");        // "/listing-3" on the server
//   TFtpTestServer::Write(server.Local(dir) / "a.txt", "abc");
//   ftp->SetPort(server.Port("main"));
//
// Servers by name: "main" (MLSD, UTF-8), "list" (LIST only), "gbk" (names as bytes, no UTF-8),
// "slow" (256 KiB/s), "faulty" (drops both connections after 64 KiB of a transfer), "stalling"
// (stops moving data after 64 KiB of a transfer), "dripping" (sends 10 bytes a second), "silent"
// (never answers), "refused" (nobody listens).
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>

class TFtpTestServer {
public:
  static constexpr const char* User = "meter";
  static constexpr const char* Password = "secret";

  static TFtpTestServer& Instance() {
    static TFtpTestServer server;
    return server;
  }

  int Port(const std::string& Kind) const {
    const auto it = ports_.find(Kind);
    if (it == ports_.end()) throw std::runtime_error("no test server " + Kind);
    return it->second;
  }

  // A new, empty folder for one test; its path on the server ("/<Name>-<n>").
  std::string NewFolder(const std::string& Name) {
    const std::string path = "/" + Name + "-" + std::to_string(++folders_);
    std::filesystem::create_directories(Local(path));
    return path;
  }
  // Where a server path lies on the disk.
  std::filesystem::path Local(const std::string& ServerPath) const { return root_ / ServerPath.substr(1); }

  // The commands server Kind has received so far, one per line.
  std::string Commands(const std::string& Kind) const { return Read(logs_ / (Kind + ".commands")); }

  static void Write(const std::filesystem::path& Path, const std::string& Bytes) {
    std::ofstream out(Path, std::ios::binary | std::ios::trunc);
    out << Bytes;
  }
  static std::string Read(const std::filesystem::path& Path) {
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  TFtpTestServer(const TFtpTestServer&) = delete;
  TFtpTestServer& operator=(const TFtpTestServer&) = delete;

private:
  TFtpTestServer() {
    std::string pattern = (std::filesystem::temp_directory_path() / "hhm-ftp-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    base_ = pattern;
    root_ = base_ / "root";
    logs_ = base_ / "logs";
    std::filesystem::create_directories(root_);
    std::filesystem::create_directories(logs_);

    int input[2], output[2];
    if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(input[0], 0);
      ::dup2(output[1], 1);
      ::execl("/usr/bin/python3", "python3", FTP_TEST_SERVER_SCRIPT, root_.c_str(), logs_.c_str(), nullptr);
      ::_exit(127);
    }
    ::close(input[0]);
    ::close(output[1]);
    stdin_ = input[1];
    // The first line names the ports: {"main": 40001, ...}.
    std::string line;
    char c = 0;
    while (::read(output[0], &c, 1) == 1 && c != '\n') line += c;
    ::close(output[0]);
    for (std::size_t pos = 0; (pos = line.find('"', pos)) != std::string::npos;) {
      const std::size_t end = line.find('"', pos + 1);
      if (end == std::string::npos) break;
      const std::string name = line.substr(pos + 1, end - pos - 1);
      const std::size_t colon = line.find(':', end);
      if (colon == std::string::npos) break;
      ports_[name] = std::atoi(line.c_str() + colon + 1);
      pos = line.find_first_of(",}", colon);
    }
    if (ports_.count("main") == 0) {
      stop();
      throw std::runtime_error("the FTP test server did not start (python3-pyftpdlib missing?): " + line);
    }
  }

  ~TFtpTestServer() { stop(); }

  void stop() {
    // The server ends when its standard input closes.
    if (stdin_ >= 0) ::close(stdin_);
    stdin_ = -1;
    if (pid_ > 0) {
      int status = 0;
      ::waitpid(pid_, &status, 0);
      pid_ = -1;
    }
    std::error_code ec;
    std::filesystem::remove_all(base_, ec);
  }

  std::filesystem::path base_, root_, logs_;
  std::map<std::string, int> ports_;
  pid_t pid_ = -1;
  int stdin_ = -1;
  int folders_ = 0;
};
