#pragma once
#include <QString>
#include <vector>

namespace platform {

// One running process, as the process list shows it.
struct ProcessEntry {
  int th32ProcessID = 0;
  QString szExeFile;  // the image name: the file name of the process's executable
};

// Stands in for CreateToolhelp32Snapshot with Process32First / Process32Next: the processes
// running now that this user may terminate (others, and those whose executable cannot be read,
// are left out). Read from /proc; empty when that cannot be read.
std::vector<ProcessEntry> CreateToolhelp32Snapshot();

}  // namespace platform
