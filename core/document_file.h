// A document file's bytes as the editor's text, and the editor's text as the file's bytes, so that
// what the user did not touch is written back byte for byte.
//
// The file is Windows-1251 text. Its lines may end in CR LF, LF or CR, each line its own way; in the
// editor every line break is CR LF, and each one carries a tag (the editor's line-break tags) saying
// how it was written in the file. A line break the user made has tag 0 and is written the way most
// of the file's lines end. One final line break of the file is not shown in the editor and is
// written back as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace modDocument {

enum class LineBreak : std::uint8_t { kNew = 0, kCrLf = 1, kLf = 2, kCr = 3 };

// How a file writes its line breaks.
struct FileLayout {
  LineBreak usual = LineBreak::kCrLf;  // for line breaks the user made
  LineBreak final = LineBreak::kCrLf;  // the one after the last line, when it has one
  bool endsWithBreak = true;
};

struct DecodedFile {
  std::u16string text;              // lines separated by CR LF
  std::vector<std::uint8_t> tags;   // one LineBreak for each CR LF of text, or empty when all are `usual`
  FileLayout layout;
};

// One pass over the bytes into a text of the right size.
DecodedFile DecodeFile(std::string_view bytes);

// One pass over the text into bytes sized once. Characters Windows 1251 lacks become '?' and set
// *lossy (when given).
std::string EncodeFile(std::u16string_view text, const std::vector<std::uint8_t>& tags, const FileLayout& layout,
                       bool* lossy);

// The same for a text handed over a stretch at a time (no stretch ends between the CR and LF of a
// line break, nor inside a surrogate pair), so the text need not be one string.
class FileEncoder {
 public:
  // `length`: the text's length, for sizing the bytes once.
  FileEncoder(const std::vector<std::uint8_t>& tags, const FileLayout& layout, std::size_t length);
  void Put(std::u16string_view stretch);
  // The same for a stretch already in Windows-1251 bytes (the editor keeps a text whose characters
  // all have one so): only its line breaks are written anew.
  void PutBytes(std::string_view stretch);
  std::string Finish(bool* lossy);

 private:
  // Where the next bytes go, with room for `length` more and a line break.
  char* Room(std::size_t length);
  // Writes the next line break as its tag says; returns where the bytes after it go.
  char* PutBreak(char* out);

  const std::vector<std::uint8_t>& tags_;
  FileLayout layout_;
  std::string out_;
  std::size_t used_ = 0;  // bytes of out_ written
  std::size_t line_ = 0;
  bool lost_ = false;
};

}  // namespace modDocument
