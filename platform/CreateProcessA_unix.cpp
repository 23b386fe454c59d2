#include "platform/CreateProcessA.h"

#include <QFile>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>
#include <vector>

extern char** environ;

namespace platform {
namespace {

// Owns what posix_spawn needs, so that every exit path releases it.
struct SpawnSetup {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
};

void Configure(SpawnSetup& setup, int output) {
  posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&setup.actions, output, 1);
  posix_spawn_file_actions_adddup2(&setup.actions, output, 2);
  posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3);
  // Signals the program ignores or blocks (a broken pipe, say) must not stay so in the child.
  sigset_t all, none;
  sigfillset(&all);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&setup.attributes, &all);
  posix_spawnattr_setsigmask(&setup.attributes, &none);
  posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
}

void Collect(int processId) {
  int reaped;
  do reaped = ::waitpid(processId, nullptr, WNOHANG);
  while (reaped < 0 && errno == EINTR);
  if (reaped != 0) return;  // collected now, or not ours to collect
  std::thread([processId] {
    while (::waitpid(processId, nullptr, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

}  // namespace

ProcessInformation::ProcessInformation(ProcessInformation&& other) noexcept
    : processId_(std::exchange(other.processId_, 0)) {}

ProcessInformation& ProcessInformation::operator=(ProcessInformation&& other) noexcept {
  if (this != &other) {
    CloseHandle(*this);
    processId_ = std::exchange(other.processId_, 0);
  }
  return *this;
}

ProcessInformation::~ProcessInformation() { CloseHandle(*this); }

void CloseHandle(ProcessInformation& process) {
  if (process.processId_ > 0) Collect(std::exchange(process.processId_, 0));
}

std::optional<ProcessInformation> CreateProcessA(const QStringList& arguments, const Handle& output) {
  if (arguments.isEmpty() || !output.IsOpen()) return std::nullopt;
  std::vector<QByteArray> encoded;
  for (const QString& argument : arguments) encoded.push_back(QFile::encodeName(argument));
  std::vector<char*> argv;
  for (QByteArray& argument : encoded) argv.push_back(argument.data());
  argv.push_back(nullptr);

  SpawnSetup setup;
  Configure(setup, output.Descriptor());
  pid_t processId = 0;
  if (posix_spawn(&processId, argv[0], &setup.actions, &setup.attributes, argv.data(), environ) != 0) {
    return std::nullopt;
  }
  return ProcessInformation(processId);
}

}  // namespace platform
