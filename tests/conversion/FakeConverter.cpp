// A stand-in for the converter that does what a script tells it, for tests of the conversion
// window. It reads "kodavert.script" beside its own executable, one step a line:
//   print <text>     writes the text at once (\n and \r are unescaped), in one write
//   wait <ms>        pauses
//   ignore-term      survives requests to stop (SIGTERM) from here on
//   count-term       as ignore-term, and writes a line to "kodavert.terms" beside it for each
//   hold             waits until it is killed
//   exit <code>      ends with that status (the end of the script ends with 0)
// Before the first step it reports what it was given to "kodavert.report" beside it: each
// argument followed by a NUL, then "fds:" and its open descriptors, then "stdin:" and how many
// bytes its standard input held. It is always started by its full path.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <thread>

namespace {
int termsFile = -1;
extern "C" void CountTerm(int) {
  if (write(termsFile, "TERM\n", 5) < 0) _exit(4);
}
}  // namespace

int main(int argc, char** argv) {
  const std::string self = argv[0], folder = self.substr(0, self.rfind('/'));
  std::string report;
  for (int i = 0; i < argc; ++i) report.append(argv[i]).push_back('\0');
  report += "fds:";
  if (DIR* fds = opendir("/proc/self/fd")) {
    while (const dirent* entry = readdir(fds))
      if (entry->d_name[0] != '.' && std::atoi(entry->d_name) != dirfd(fds)) report += std::string(" ") + entry->d_name;
    closedir(fds);
  }
  char byte;
  report += "\nstdin:" + std::to_string(read(0, &byte, 1)) + '\n';
  std::ofstream(folder + "/kodavert.report", std::ios::binary) << report;

  std::ifstream script(folder + "/kodavert.script");
  std::string line;
  while (std::getline(script, line)) {
    const std::string step = line.substr(0, line.find(' '));
    const std::string rest = line.size() > step.size() ? line.substr(step.size() + 1) : std::string();
    if (step == "print") {
      const std::string text =
          std::regex_replace(std::regex_replace(rest, std::regex(R"(\\n)"), "\n"), std::regex(R"(\\r)"), "\r");
      if (write(1, text.data(), text.size()) < 0) return 3;
    } else if (step == "wait") {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(rest.c_str())));
    } else if (step == "ignore-term") {
      signal(SIGTERM, SIG_IGN);
    } else if (step == "count-term") {
      termsFile = open((folder + "/kodavert.terms").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0600);
      signal(SIGTERM, CountTerm);
    } else if (step == "hold") {
      for (;;) pause();
    } else if (step == "exit") {
      return std::atoi(rest.c_str());
    }
  }
  return 0;
}
