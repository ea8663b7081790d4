// The FTP client's throughput against the curl tool's, measured in the same run.
//
//   build/main/tools/bench/ftp/ftp_bench [ROUNDS]
//
// A 64 MiB file on a local pyftpdlib server (the tests' FtpTestServer.py) is fetched by TIdFTP
// and by `curl` in turn, ROUNDS times each (default 5), each fetch with its own connection and
// login; the best time of each is reported, and the ratio of the two throughputs (target: the
// client at least 80% of curl's). Exits non-zero when a fetched file differs from the source.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "ClasslibCore.h"
#include "FtpTestServer.h"
#include "TIdFTP.h"
#include "TUnitList.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::size_t FileSize = 64 * 1024 * 1024;

std::string randomBytes(std::size_t Size) {
  std::mt19937 random(7);
  std::string bytes(Size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

double seconds(Clock::time_point Start) { return std::chrono::duration<double>(Clock::now() - Start).count(); }

// One fetch through the client: connect, log in, fetch, disconnect.
double fetchWithClient(int Port, const std::string& Source, const fs::path& Dest) {
  TIdFTP ftp(nullptr);
  ftp.SetHost("127.0.0.1");
  ftp.SetPort(Port);
  ftp.SetUsername(TFtpTestServer::User);
  ftp.SetPassword(TFtpTestServer::Password);
  const Clock::time_point start = Clock::now();
  ftp.Connect();
  ftp.Get(Source.c_str(), Dest.string().c_str(), true, false);
  ftp.Disconnect();
  return seconds(start);
}

// The same fetch by the curl tool (passive mode, binary).
double fetchWithCurl(int Port, const std::string& Source, const fs::path& Dest) {
  const std::string url = "ftp://127.0.0.1:" + std::to_string(Port) + Source;
  const std::string login = std::string(TFtpTestServer::User) + ":" + TFtpTestServer::Password;
  const Clock::time_point start = Clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::execl("/usr/bin/curl", "curl", "-s", "-S", "--ftp-pasv", "-u", login.c_str(), "-o", Dest.c_str(), url.c_str(),
            nullptr);
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  const double elapsed = seconds(start);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "ftp_bench: curl failed\n");
    std::exit(1);
  }
  return elapsed;
}

void checkSame(const fs::path& Path, const std::string& Bytes, const char* Who) {
  if (TFtpTestServer::Read(Path) != Bytes) {
    std::fprintf(stderr, "ftp_bench: the file fetched by %s differs from the server's\n", Who);
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  TUnitList units({ClasslibCoreUnit});
  units.Initialize();
  int result = 0;
  {
    TFtpTestServer& server = TFtpTestServer::Instance();
    const std::string dir = server.NewFolder("bench");
    const std::string bytes = randomBytes(FileSize);
    TFtpTestServer::Write(server.Local(dir) / "big.bin", bytes);
    const fs::path local = server.Local(server.NewFolder("fetched"));
    const int port = server.Port("main");

    double client = 1e9, curl = 1e9;
    for (int round = 0; round < rounds; ++round) {
      client = std::min(client, fetchWithClient(port, dir + "/big.bin", local / "client.bin"));
      checkSame(local / "client.bin", bytes, "the client");
      fs::remove(local / "client.bin");
      curl = std::min(curl, fetchWithCurl(port, dir + "/big.bin", local / "curl.bin"));
      checkSame(local / "curl.bin", bytes, "curl");
      fs::remove(local / "curl.bin");
    }
    const double mib = static_cast<double>(FileSize) / (1024 * 1024);
    std::printf("fetch of %.0f MiB, best of %d: TIdFTP %.3f s (%.1f MiB/s), curl %.3f s (%.1f MiB/s)\n", mib, rounds,
                client, mib / client, curl, mib / curl);
    std::printf("throughput of TIdFTP / curl: %.2f (target: at least 0.80)\n", curl / client);
    result = curl / client >= 0.8 ? 0 : 1;
  }
  units.Finalize();
  return result;
}
