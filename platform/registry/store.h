// The current user's settings tree (the platform's HKEY_CURRENT_USER), kept in one file:
// ${XDG_CONFIG_HOME:-$HOME/.config}/quillmark/registry.reg. This is the UTF-16 interface; the
// platform's registry functions (platform/registry/registry.h) wrap it.
//
// The file's text is kept in memory as last read or written, with every value found by its place in
// it: while the file is unchanged (the same inode, size and times) a read costs a look at the file's
// facts, and no parse; a changed file is read and parsed again, in one pass over its bytes.
//
// Several processes share the file. Every change is made under a lock on registry.reg.lock in the
// same folder, on the file as it is at that moment, and replaces the file at once (a temporary file
// <file>.tmp-XXXXXX, flushed to disk, renamed over it), so no process loses another's values and a
// reader never sees half a file; temporary files of writers killed mid-way go at the next write.
// When the file is a symbolic link, the file it points to is replaced and the link stays. Every
// call looks at the file again when it changed and sees what another process wrote. A file that
// cannot be read as a settings file (a line that is no settings line, or no regular file at all: a
// named pipe there is never waited on) is renamed to registry.reg.damaged-<time>, and a new file
// keeps every value of it that reads well; the program is told once (TakeSetAsideFile). Missing folders are made readable by their owner only. A write the folder cannot take is
// said once a run on the standard error (for each settings file), and the file keeps what it holds.
//
// Key paths are key names below HKEY_CURRENT_USER joined by "\"; "" is HKEY_CURRENT_USER itself. A
// key name is not empty and holds no control character; a path has at most 512 names. Key and value names compare without regard
// to case and keep the case they were first written with. Results are the platform's error codes.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry/registry.h"

namespace platform::registry {

struct Value {
  win::DWORD type = win::REG_SZ;  // REG_SZ or REG_DWORD
  std::u16string text;            // a REG_SZ value; may hold any character, NUL included
  win::DWORD number = 0;          // a REG_DWORD value
};

// The settings file, from the environment as it is now.
std::filesystem::path FilePath();

// A damaged settings file that was set aside: where it was and the name it was kept under.
struct SetAsideFile {
  std::filesystem::path file;
  std::filesystem::path keptAs;
};
// The damaged file set aside since the last call (reading the settings file first), once.
std::optional<SetAsideFile> TakeSetAsideFile();

// A settings file that is there but cannot be read (a folder, a file the user may not read, links
// in a loop), or that is damaged and cannot be set aside (its folder takes no change): its path and
// the system's error number. The store then reads no values (or, `partly`, the damaged file's values
// that read well) and writes none, and the file stays as it is.
struct UnreadableFile {
  std::filesystem::path file;
  int error = 0;
  bool partly = false;
};
// The settings file when it cannot be read, or set aside, now (reading it first).
std::optional<UnreadableFile> UnreadableSettingsFile();

// ERROR_SUCCESS when the key exists, else ERROR_FILE_NOT_FOUND or ERROR_INVALID_PARAMETER.
win::LONG OpenKey(std::u16string_view path);

// Makes the key and any missing keys above it. *created (when given) tells whether it was missing.
win::LONG CreateKey(std::u16string_view path, bool* created = nullptr);

// What a query finds without reading a text.
struct ValueFacts {
  win::DWORD type = win::REG_SZ;
  std::size_t units = 0;   // a REG_SZ value's length in UTF-16 units
  win::DWORD number = 0;   // a REG_DWORD value
};

// Reads a value's facts and, when `units` is given and the value is a text, its units into
// `units`, which has room for `capacity` of them: ERROR_MORE_DATA when they do not fit, and then
// nothing is written. The text is decoded straight from the settings text into `units`, once.
// ERROR_FILE_NOT_FOUND when the key or the value does not exist.
win::LONG QueryValue(std::u16string_view path, std::u16string_view name, ValueFacts* facts,
                     char16_t* units = nullptr, std::size_t capacity = 0);

// The whole value; ERROR_FILE_NOT_FOUND when the key or the value does not exist.
win::LONG QueryValue(std::u16string_view path, std::u16string_view name, Value* value);

// Sets a value, replacing one of the same name whatever its type; makes the key when it is missing.
// A text of 2^31 units or more is ERROR_INVALID_PARAMETER.
win::LONG SetValue(std::u16string_view path, std::u16string_view name, const Value& value);

// The writes of one command, written to the file together: while a batch is open, keys made and
// values set through the store (by any caller in the process) are gathered, and reads see them at
// once; when the batch closes they reach the file in one replacement of it, made under the lock on
// the file as it is then, so another process's values are kept and a reader elsewhere sees either
// none of the command's writes or all of them. A write that would change nothing writes nothing.
// Batches nest: the outermost one writes. A batch closes at Commit or, at the latest, when it goes.
class Batch {
 public:
  Batch();
  ~Batch();
  Batch(const Batch&) = delete;
  Batch& operator=(const Batch&) = delete;

  // Closes the batch; the outermost one writes what was gathered and tells how that went, as
  // SetValue would (ERROR_REGISTRY_IO_FAILED when the file could not take it: then none of it is kept).
  win::LONG Commit();

 private:
  bool open_ = true;
};

}  // namespace platform::registry
