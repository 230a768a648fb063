#include "platform/vb/recovery_copy.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/vb/copy_record.h"
#include "platform/vb/error.h"
#include "platform/vb/file_system.h"
#include "platform/vb/strings.h"
#include "platform/vb/user_folders.h"

namespace vb::save {
namespace {

bool SameFile(const std::string& path, const FileId& id) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && static_cast<std::uint64_t>(st.st_dev) == id.device &&
         static_cast<std::uint64_t>(st.st_ino) == id.inode;
}

// A place where copies of a file are sought: its own folder, or the state folder.
struct Place {
  std::string folder;
  bool beside;
  std::string stem;  // the names its copies get there
};

std::vector<Place> PlacesOf(const FileId& id) {
  const Split at = SplitPath(id.path);
  return {Place{UserStateFolder(), false, StemElsewhere(at, id.path)}, Place{at.folder, true, StemBeside(at)}};
}

// Whether a copy whose end reads `end`, lying at `place` under `name`, belongs to the file. A traced
// copy knows its file's identity; where the disk's number may have changed since (a disk plugged in
// again), its inode on the same disk as the copy beside it, or on its path then, still tells it. A
// copy of the first kind names its file's path; one whose record fails its checks, only its name.
bool Belongs(const CopyEnd& end, int fd, const Place& place, std::string_view name, const FileId& id) {
  switch (end.what) {
    case CopyEnd::What::kTraced: {
      if (end.trace.inode != id.inode) return false;
      if (end.trace.device == id.device || end.path == id.path) return true;
      struct stat st {};
      return place.beside && ::fstat(fd, &st) == 0 && static_cast<std::uint64_t>(st.st_dev) == id.device;
    }
    case CopyEnd::What::kFirst: return end.path == id.path || SameFile(end.path, id);
    case CopyEnd::What::kUnreadable: return name.substr(0, place.stem.size()) == place.stem;
    case CopyEnd::What::kUnfinished: return false;
  }
  return false;
}

FoundCopy Found(const CopyEnd& end, const std::string& path, int fd, bool withContent) {
  FoundCopy copy;
  copy.path = path;
  copy.file = Fd(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
  struct stat st {};
  if (::fstat(fd, &st) == 0) copy.made = st.st_mtim;
  if (end.what == CopyEnd::What::kUnreadable) {
    copy.kind = FoundCopy::Kind::kUnreadable;
    return copy;
  }
  copy.kind = end.what == CopyEnd::What::kTraced ? FoundCopy::Kind::kTraced : FoundCopy::Kind::kFirst;
  copy.trace = end.trace;
  if (!withContent) return copy;
  copy.bytes.resize(end.contentLength);
  if (!ReadAt(fd, copy.bytes.data(), copy.bytes.size(), 0)) return copy;
  copy.intact = ContentChecks(end, copy.bytes);
  return copy;
}

// Says why a folder took no copy.
std::u16string Why(int error, const std::string& folder) {
  switch (error) {
    case ENOSPC: return u"на диске нет места";
    case EDQUOT: return u"исчерпана дисковая квота";
    case EACCES:
    case EPERM: return u"нет права создавать в ней файлы";
    case EROFS: return u"диск доступен только для чтения";
    case ENOENT: return u"такой папки нет";
    case ENOTDIR:
    case EEXIST: {
      // The first folder on the way that is there: a file stands in its place.
      std::string p = folder;
      struct stat st {};
      while (!p.empty() && ::lstat(p.c_str(), &st) != 0) p = SplitPath(p).folder == p ? "" : SplitPath(p).folder;
      if (p == folder) return u"на её месте стоит файл";
      return u"на месте папки \"" + FromUtf8(p) + u"\" стоит файл";
    }
    default: return u"системная ошибка " + FromUtf8(std::to_string(error));
  }
}

// Writes the copy into `folder`; the error number when it cannot.
int TryCopyIn(const std::string& folder, const std::string& stem, std::string_view bytes, std::string_view tail,
              Temp& copy) {
  int error = 0;
  if (!MakeTempIn(folder, stem, copy, &error)) return error;
  if (!WriteAll(copy.fd(), bytes) || !WriteAll(copy.fd(), tail, static_cast<long long>(bytes.size())) ||
      ::fsync(copy.fd()) != 0) {
    error = errno;
    copy.Discard();
    return error;
  }
  SyncFolder(folder);
  return 0;
}

}  // namespace

std::optional<FileId> IdOf(const std::string& native) {
  struct stat st {};
  if (::stat(native.c_str(), &st) != 0) return std::nullopt;
  return FileId{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino), IdentityPath(native),
                st.st_mtim};
}

void MakeRecoveryCopy(const std::string& target, const RewriteTrace& trace, std::string_view bytes, Temp& copy) {
  const Split at = SplitPath(target);
  const std::string identity = IdentityPath(target);
  const std::string tail = CopyTail(trace, identity);
  const std::string state = UserStateFolder();
  int stateError = MakeOwnFolder(state) ? 0 : errno;
  if (stateError == 0) stateError = TryCopyIn(state, StemElsewhere(at, identity), bytes, tail, copy);
  if (stateError == 0) return;
  // The copy goes beside the file when the state folder takes none.
  const int besideError = TryCopyIn(at.folder, StemBeside(at), bytes, tail, copy);
  if (besideError == 0) return;
  Raise(FileErrorNumber(stateError), {},
        u"Документ не записан в файл \"" + FileTitleOf(FromUtf8(target)) +
            u"\". Этот файл переписывается на своём месте, и сначала нужна полная копия нового текста на "
            u"случай, если запись прервётся, но сделать её негде:\r\n- в папке \"" +
            FromUtf8(state) + u"\": " + Why(stateError, state) + u";\r\n- рядом с файлом, в папке \"" +
            FromUtf8(SplitPath(identity).folder) + u"\": " + Why(besideError, at.folder) +
            u".\r\nФайл остался прежним.");
}

std::vector<FoundCopy> CopiesOf(const FileId& id, bool withContent) {
  std::vector<FoundCopy> found;
  for (const Place& place : PlacesOf(id)) {
    ForEachUnheld(place.folder, {}, false, [&](const std::string& path, int fd) {
      const CopyEnd end = ReadCopyEnd(fd);
      if (Belongs(end, fd, place, SplitPath(path).name, id)) found.push_back(Found(end, path, fd, withContent));
    });
  }
  std::sort(found.begin(), found.end(), [](const FoundCopy& a, const FoundCopy& b) {
    return a.made.tv_sec != b.made.tv_sec ? a.made.tv_sec > b.made.tv_sec : a.made.tv_nsec > b.made.tv_nsec;
  });
  return found;
}

void Remove(FoundCopy& copy) {
  if (::flock(copy.file.get(), LOCK_EX | LOCK_NB) == 0) ::unlink(copy.path.c_str());
  copy.file.Close();
}

void RemoveUnfinished(const std::string& target) {
  const Split at = SplitPath(target);
  const std::pair<std::string, std::string> places[] = {{at.folder, StemBeside(at)},
                                                        {UserStateFolder(), StemElsewhere(at, IdentityPath(target))}};
  for (const auto& [folder, stem] : places) {
    ForEachUnheld(folder, stem, true, [](const std::string& path, int fd) {
      if (ReadCopyEnd(fd).what == CopyEnd::What::kUnfinished) ::unlink(path.c_str());
    });
  }
}

}  // namespace vb::save
