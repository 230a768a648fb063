// The settings store with large settings files, each figure beside a floor measured in the same run
// and reported as the counter `ratio` of their medians:
//  - FirstReadOfAKeyWithManyValues: the first read of the key's last value after the file changed,
//    which reads and parses the file; the floor is the least work that finds that value: reading
//    the file's bytes and comparing the start of every line up to the value's with its quoted name,
//    without regard to case. Both in CPU time, as neither waits for anything.
//  - WritesWhileAnotherProcessWrites: one write while another process writes the same file as fast
//    as it can; the floor is one atomic replacement of a file of that size (written, flushed,
//    renamed, the folder flushed), as every write of the store must make, measured between them.
//  - ApplyInTheSettingsDialog: Apply after ticking one box, with a 2 M-character remembered
//    clipboard text in the file (3.7 MB); the floor is one atomic replacement of that file.
//  - StartUp: the program started, in a process of its own, until its main window is shown, with
//    1 M values in the Preferences key, or with a 40 MB font name; the floor is an empty start
//    plus reading and splitting that file once. `memory` is the peak resident memory beyond an
//    empty start's, as a multiple of the file's size.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <strings.h>
#include <time.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "core/registry.h"
#include "core/settings_schema.h"
#include "core/start.h"
#include "mainwindow/forms/main.h"
#include "platform/application.h"
#include "platform/registry/store.h"
#include "platform/script/script.h"
#include "platform/testing/win.h"
#include "platform/vb/strings.h"
#include "preferences/preference_windows.h"
#include "preferences/settings/settings.h"
#include "preferences/start_windows.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
namespace reg = platform::registry;

constexpr char kStartUpChild[] = "--start-up-child";

// A private settings folder for the run, removed at its end.
struct PrivateFolder {
  fs::path path;
  PrivateFolder() {
    std::string name = (fs::temp_directory_path() / "qm-bench-settings-XXXXXX").string();
    if (mkdtemp(name.data()) != nullptr) path = name;
    setenv("XDG_CONFIG_HOME", path.c_str(), 1);
  }
  ~PrivateFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

const fs::path& Folder() {
  static const PrivateFolder folder;
  return folder.path;
}

template <class Work>
double Seconds(const Work& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The same in CPU time of this thread: work that waits for nothing, measured apart from the other
// programs a loaded machine runs meanwhile.
template <class Work>
double CpuSeconds(const Work& work) {
  timespec start {};
  timespec end {};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
  work();
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
  return static_cast<double>(end.tv_sec - start.tv_sec) + static_cast<double>(end.tv_nsec - start.tv_nsec) * 1e-9;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// The file text of one key with `count` text values.
std::string FileOf(const std::string& key, int count) {
  std::string text = "[HKEY_CURRENT_USER\\" + key + "]\n";
  for (int i = 0; i < count; ++i) text += "\"Value" + std::to_string(i) + "\"=\"text " + std::to_string(i) + "\"\n";
  return text;
}

// Replaces the file by a new one holding `text`, so the store reads it again.
void ReplaceFile(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  const fs::path temp = fs::path(file) += ".bench";
  std::ofstream(temp, std::ios::binary) << text;
  fs::rename(temp, file);
}

// The floor of a write: one atomic, lasting replacement of a file holding `text`.
void AtomicWrite(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  const fs::path temp = fs::path(file) += ".floor";
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) std::abort();
  fsync(fd);
  close(fd);
  fs::rename(temp, file);
  const int folder = open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  fsync(folder);
  close(folder);
}

// The file's bytes, read whole.
std::string ReadBytes(const fs::path& file) {
  const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  fstat(fd, &st);
  std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
  std::size_t filled = 0;
  for (ssize_t n; filled < bytes.size() && (n = read(fd, bytes.data() + filled, bytes.size() - filled)) > 0;)
    filled += static_cast<std::size_t>(n);
  close(fd);
  bytes.resize(filled);
  return bytes;
}

// Calls `line` with every line of the text, as long as it says go on.
template <class Line>
void Lines(std::string_view text, const Line& line) {
  for (std::size_t pos = 0; pos < text.size();) {
    const void* newline = std::memchr(text.data() + pos, '\n', text.size() - pos);
    const std::size_t end = newline != nullptr ? static_cast<const char*>(newline) - text.data() : text.size();
    if (!line(text.substr(pos, end - pos))) return;
    pos = end + 1;
  }
}

// The floor of a start-up's reading: the file's bytes read and split into lines; gives their number.
std::size_t ReadAndSplit(const fs::path& file) {
  std::size_t lines = 0;
  Lines(ReadBytes(file), [&](std::string_view) { return ++lines, true; });
  return lines;
}

// The floor of a first read: the file's bytes read, and the line of the value found by its quoted
// name, compared without regard to case with the start of every line up to it.
bool ReadAndFind(const fs::path& file, const std::string& quotedName) {
  bool found = false;
  Lines(ReadBytes(file), [&](std::string_view line) {
    found = line.size() > quotedName.size() && strncasecmp(line.data(), quotedName.data(), quotedName.size()) == 0;
    return !found;
  });
  return found;
}

std::u16string Name(int i) { return vb::FromUtf8("Value" + std::to_string(i)); }

void FirstReadOfAKeyWithManyValues(benchmark::State& state) {
  Folder();
  const int count = static_cast<int>(state.range(0));
  const std::string text = FileOf("Software\\Many", count);
  std::vector<double> reads;
  std::vector<double> floors;
  bool floorFirst = true;
  for (auto _ : state) {
    ReplaceFile(reg::FilePath(), text);
    const auto floor = [&] {
      floors.push_back(CpuSeconds([&] {
        if (!ReadAndFind(reg::FilePath(), "\"value" + std::to_string(count - 1) + "\"=")) state.SkipWithError("no line");
      }));
    };
    if (floorFirst) floor();
    const double seconds = CpuSeconds([&] {
      reg::Value value;
      if (reg::QueryValue(u"Software\\Many", Name(count - 1), &value) != 0) state.SkipWithError("value missing");
    });
    if (!floorFirst) floor();
    floorFirst = !floorFirst;
    reads.push_back(seconds);
    state.SetIterationTime(seconds);
  }
  state.counters["median_ms"] = Median(reads) * 1e3;
  state.counters["floor_ms"] = Median(floors) * 1e3;
  state.counters["ratio"] = Median(reads) / Median(floors);
  state.SetLabel(std::to_string(count) + " values");
}
BENCHMARK(FirstReadOfAKeyWithManyValues)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(21);

void WritesWhileAnotherProcessWrites(benchmark::State& state) {
  Folder();
  const int count = static_cast<int>(state.range(0));
  const std::string text = FileOf("Software\\Many", count);
  ReplaceFile(reg::FilePath(), text);
  const fs::path floorFile = reg::FilePath().parent_path() / "floor.reg";
  const pid_t other = fork();
  if (other == 0) {
    for (int i = 0;; ++i) {
      reg::Value value;
      value.text = vb::FromUtf8(std::to_string(i));
      reg::SetValue(u"Software\\Many", u"Other", value);
    }
  }
  // The floor is measured between the writes, as the other process writes on.
  int i = 0;
  std::vector<double> writes;
  std::vector<double> floors;
  for (auto _ : state) {
    reg::Value value;
    value.text = vb::FromUtf8(std::to_string(++i));
    writes.push_back(Seconds([&] {
      if (reg::SetValue(u"Software\\Many", u"Mine", value) != 0) state.SkipWithError("write failed");
    }));
    floors.push_back(Seconds([&] { AtomicWrite(floorFile, text); }));
  }
  kill(other, SIGKILL);
  waitpid(other, nullptr, 0);
  fs::remove(floorFile);
  state.counters["median_ms"] = Median(writes) * 1e3;
  state.counters["floor_ms"] = Median(floors) * 1e3;
  state.counters["ratio"] = Median(writes) / Median(floors);
  state.SetLabel(std::to_string(count) + " values");
}
BENCHMARK(WritesWhileAnotherProcessWrites)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(41);

// 2 M characters of Russian text in lines, as a big copy leaves it remembered.
std::u16string ClipboardText() {
  const std::u16string line = u"Съешь же ещё этих мягких французских булок, да выпей чаю.\r\n";
  std::u16string text;
  while (text.size() < 2'000'000) text += line;
  return text;
}

void ApplyInTheSettingsDialog(benchmark::State& state) {
  Folder();
  fs::remove(reg::FilePath());  // no values of the other benchmarks
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kClipboardKey,
                                   settings::clipboard::kClipboardText, ClipboardText());
  frmSettings form;
  form.Load();
  form.cmdApply_Click();  // every control stored once, as after the first Apply
  std::string file;
  {
    std::ifstream in(reg::FilePath(), std::ios::binary);
    file.assign(std::istreambuf_iterator<char>(in), {});
  }
  const fs::path floorFile = reg::FilePath().parent_path() / "floor.reg";
  std::vector<double> applies;
  std::vector<double> floors;
  bool floorFirst = true;
  for (auto _ : state) {
    const auto floor = [&] { floors.push_back(Seconds([&] { AtomicWrite(floorFile, file); })); };
    if (floorFirst) floor();
    form.chkTopMost.Value(form.chkTopMost.Value() == vb::vbChecked ? vb::vbUnchecked : vb::vbChecked);
    applies.push_back(Seconds([&] { form.cmdApply_Click(); }));
    if (!floorFirst) floor();
    floorFirst = !floorFirst;
  }
  form.Unload();
  fs::remove(floorFile);
  state.counters["median_ms"] = Median(applies) * 1e3;
  state.counters["floor_ms"] = Median(floors) * 1e3;
  state.counters["ratio"] = Median(applies) / Median(floors);
  state.SetLabel(std::to_string(file.size() / 1000) + " kB settings file");
}
BENCHMARK(ApplyInTheSettingsDialog)->Unit(benchmark::kMillisecond)->Iterations(15);

// --- Start-up, in a process of its own ---------------------------------------------------------------

// The peak resident memory of this process in kB (its VmHWM), or 0.
long PeakKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return 0;
}

// In the child: the program's start, as its own main makes it, to the main window shown; then the
// peak memory goes into the file named by argv[2] (the parent cannot learn it: a spawned child
// counts the parent's memory as its own).
int StartUpChild(int argc, char** argv) {
  platform::Application app(argc, argv);
  preferences::PreferenceWindows preferenceWindows;
  mainwindow::SetPreferenceWindows(&preferenceWindows);
  StartWindows windows([] { MainWindow().Show(); });
  modMain::SetStartWindows(&windows);
  if (!modMain::Main()) return 2;
  platform::testing::ShowAndWait(MainWindow().hWnd());
  std::ofstream(argv[2]) << PeakKb();
  std::fflush(nullptr);
  std::_Exit(0);
}

struct Run {
  double seconds = 0;
  long peakKb = 0;
};

// Starts this program as a start-up child on the settings folder `config`; fails the benchmark
// when it does not end well within five minutes.
Run StartUp(const fs::path& config, benchmark::State& state) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "XDG_CONFIG_HOME=", 16) != 0 && std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0) env.emplace_back(*e);
  }
  env.push_back("XDG_CONFIG_HOME=" + config.string());
  env.push_back("QT_QPA_PLATFORM=offscreen");
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string self = fs::read_symlink("/proc/self/exe").string();
  std::string flag = kStartUpChild;
  std::string report = (Folder() / "peak").string();
  char* argv[] = {self.data(), flag.data(), report.data(), nullptr};
  Run run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
    state.SkipWithError("the start-up could not be started");
    return run;
  }
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() - start > std::chrono::minutes(5)) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      state.SkipWithError("the start-up did not end within five minutes");
      return run;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::ifstream(report) >> run.peakKb;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the start-up failed");
  return run;
}

// The settings files started with: 1 M values in the Preferences key, or one 40 MB font name.
std::string StartUpFile(int kind) {
  const std::string key = "Software\\Brannoch Tovin\\Quillmark 3.0\\Preferences";
  if (kind == 0) return FileOf(key, 1'000'000);
  std::string name;
  while (name.size() < 40'000'000) name += "DejaVu Sans ";
  return "[HKEY_CURRENT_USER\\" + key + "]\n\"FontName\"=\"" + name + "\"\n";
}

void StartUp(benchmark::State& state) {
  const fs::path empty = Folder() / "empty-start";
  const fs::path full = Folder() / "full-start";
  const fs::path file = full / "quillmark" / "registry.reg";
  const std::string text = StartUpFile(static_cast<int>(state.range(0)));
  fs::create_directories(empty);
  ReplaceFile(file, text);
  std::vector<double> starts;
  std::vector<double> floors;
  std::vector<double> memory;
  for (auto _ : state) {
    const Run bare = StartUp(empty, state);
    const double split = Seconds([&] { benchmark::DoNotOptimize(ReadAndSplit(file)); });
    const Run run = StartUp(full, state);
    starts.push_back(run.seconds);
    floors.push_back(bare.seconds + split);
    memory.push_back(static_cast<double>(run.peakKb - bare.peakKb) * 1024 / static_cast<double>(text.size()));
    state.SetIterationTime(run.seconds);
  }
  fs::remove_all(empty);
  fs::remove_all(full);
  state.counters["median_ms"] = Median(starts) * 1e3;
  state.counters["floor_ms"] = Median(floors) * 1e3;
  state.counters["ratio"] = Median(starts) / Median(floors);
  state.counters["memory"] = Median(memory);
  state.SetLabel(state.range(0) == 0 ? "1 M values" : "40 MB font name");
}
BENCHMARK(StartUp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kStartUpChild) == 0) return StartUpChild(argc, argv);
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  Folder();
  platform::Application app(argc, argv);
  platform::script::SetActive(true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
