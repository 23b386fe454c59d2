// A stand-in for the converter that does what a script tells it, for tests of the conversion
// window. It reads "kodavert.script" beside its own executable, one step a line:
//   print <text>     writes the text at once (\n, \r, \t and \\ are unescaped), in one write
//   wait <ms>        pauses
//   ignore-term      survives requests to stop (SIGTERM) from here on
//   hold             waits until it is killed
//   exit <code>      ends with that status (the end of the script ends with 0)
// Before the first step it reports what it was given to "kodavert.report" beside it: each
// argument followed by a NUL, then "fds:" and its open descriptors, then "stdin:" and how many
// bytes its standard input held.
#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

std::string OwnFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string self(path, n > 0 ? static_cast<size_t>(n) : 0);
  return self.substr(0, self.rfind('/'));
}

std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
  }
  return out;
}

void Report(const std::string& folder, int argc, char** argv) {
  std::ofstream report(folder + "/kodavert.report", std::ios::binary);
  for (int i = 0; i < argc; ++i) report << argv[i] << '\0';
  report << "fds:";
  if (DIR* fds = opendir("/proc/self/fd")) {
    const int own = dirfd(fds);
    while (dirent* entry = readdir(fds)) {
      if (entry->d_name[0] == '.') continue;
      const int fd = std::atoi(entry->d_name);
      // The report file and the listing itself are this program's own.
      if (fd == own) continue;
      if (fd > 2) {
        char target[PATH_MAX] = {};
        const ssize_t n = readlink(("/proc/self/fd/" + std::string(entry->d_name)).c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target).find("kodavert.report") != std::string::npos) continue;
      }
      report << ' ' << fd;
    }
    closedir(fds);
  }
  char byte;
  report << "\nstdin:" << read(0, &byte, 1) << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = OwnFolder();
  Report(folder, argc, argv);
  std::ifstream script(folder + "/kodavert.script");
  std::string line;
  while (std::getline(script, line)) {
    const std::string step = line.substr(0, line.find(' '));
    const std::string rest = line.size() > step.size() ? line.substr(step.size() + 1) : std::string();
    if (step == "print") {
      const std::string text = Unescape(rest);
      if (write(1, text.data(), text.size()) < 0) return 3;
    } else if (step == "wait") {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(rest.c_str())));
    } else if (step == "ignore-term") {
      signal(SIGTERM, SIG_IGN);
    } else if (step == "hold") {
      for (;;) pause();
    } else if (step == "exit") {
      return std::atoi(rest.c_str());
    }
  }
  return 0;
}
