#include "platform/richedit/rtf_reader.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/codepage/codepage.h"

namespace platform::rtf {
namespace {

constexpr char16_t k1252[128] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

constexpr char16_t k866[128] = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,
};

// The code page we give fonts of the symbol character set: their bytes name glyphs, not letters.
constexpr int kSymbolCodePage = 42;

char16_t DecodeByte(unsigned char b, int codePage) {
  if (b < 0x80) return b;
  switch (codePage) {
    case kSymbolCodePage:  // the bullet of list labels; other glyphs read as 1252 characters
      return b == 0xB7 ? 0x2022 : k1252[b - 0x80];
    case 1252: return k1252[b - 0x80];
    case 866: return k866[b - 0x80];
    default: {
      const char c = static_cast<char>(b);
      return vb::FromWindows1251(std::string_view(&c, 1))[0];
    }
  }
}

// The code page of a font's character set; 0 for the document's own code page.
int CodePageOfCharset(int charset) {
  switch (charset) {
    case 0: return 1252;  // ANSI, whatever code page the document declares
    case 1: return 0;     // the default character set
    case 2: return kSymbolCodePage;
    case 204: return 1251;
    case 255: return 866;  // the OEM character set of Cyrillic systems
    default: return 1251;
  }
}

// Destinations whose content is no part of the document's text.
const std::unordered_set<std::string>& SkippedDestinations() {
  static const std::unordered_set<std::string> names = {
      "colortbl", "stylesheet", "info", "pict", "object", "header", "headerl", "headerr",
      "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "fldinst", "listtable",
      "listoverridetable", "revtbl", "rsidtbl", "xmlnstbl", "themedata", "colorschememapping",
      "datastore", "latentstyles", "pgdsctbl", "filetbl", "generator", "template",
      "pntxta", "pntxtb", "annotation", "atnid", "atnauthor", "nonshppict", "userprops",
      "docvar", "private", "bkmkstart", "bkmkend", "falt", "panose", "fname", "objdata"};
  return names;
}

// A list item's number or bullet (\listtext, \pntext) is text of the document, as its readers see
// it; a label of blanks only (a heading's outline level without a number) is left out.
enum class Destination { Text, ListLabel, FontTable, Skip };

constexpr std::size_t kNoLabel = std::u16string::npos;

struct Group {
  Destination destination = Destination::Text;
  int uc = 1;     // characters that stand in for each \uN
  int font = -1;  // the current font, -1 for the document's default font
  bool hidden = false;  // \v: text the document's readers never see
  std::size_t labelStart = kNoLabel;  // where this group's list label began in the text
};

class Reader {
 public:
  explicit Reader(std::string_view in) : in_(in) {}

  std::u16string Run() {
    if (in_.size() > kMaxDocumentBytes) throw ReadError("document too large");
    if (!LooksLikeRtf(in_)) throw ReadError("not an RTF document");
    out_.reserve(in_.size() / 2);
    while (pos_ < in_.size()) {
      const unsigned char c = static_cast<unsigned char>(in_[pos_++]);
      switch (c) {
        case '{': OpenGroup(); break;
        case '}':
          CloseGroup();
          if (groups_.empty()) return std::move(out_);
          break;
        case '\\': ControlSequence(); break;
        case '\r':
        case '\n':
        case 0: break;
        default:
          ignorable_ = false;
          Character(DecodeByte(c, CodePage()));
          break;
      }
    }
    throw ReadError("document ends inside a group");
  }

 private:
  void OpenGroup() {
    if (static_cast<int>(groups_.size()) >= kMaxGroupDepth) throw ReadError("groups nested too deep");
    pendingSkip_ = 0;
    groups_.push_back(groups_.empty() ? Group{} : groups_.back());
    groups_.back().labelStart = kNoLabel;
    ignorable_ = false;
  }

  void CloseGroup() {
    if (groups_.empty()) throw ReadError("unbalanced group");
    pendingSkip_ = 0;
    // "\*" marks only the control word right after it, in its own group.
    ignorable_ = false;
    if (groups_.back().labelStart != kNoLabel) EndLabel(groups_.back().labelStart);
    groups_.pop_back();
  }

  static bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == 0x00A0; }

  // Keeps the label that began at `start` without its leading blanks, or drops it when it is blank.
  void EndLabel(std::size_t start) {
    std::size_t first = start;
    while (first < out_.size() && IsBlank(out_[first])) ++first;
    out_.erase(start, first == out_.size() ? kNoLabel : first - start);
  }

  Group& Current() {
    if (groups_.empty()) throw ReadError("text outside the document group");
    return groups_.back();
  }

  bool Emitting() {
    const Group& g = Current();
    return (g.destination == Destination::Text || g.destination == Destination::ListLabel) && !g.hidden;
  }

  bool AtLineStart() const { return out_.empty() || out_.back() == u'\n'; }

  int CodePage() {
    const int font = Current().font >= 0 ? Current().font : defaultFont_;
    auto it = fontCodePages_.find(font);
    const int cp = it != fontCodePages_.end() ? it->second : 0;
    return cp != 0 ? cp : documentCodePage_;
  }

  // A character of the text, unless it stands in for the \uN before it.
  void Character(char16_t c) {
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    if (Emitting()) out_.push_back(c);
  }

  void Text(std::u16string_view s) {
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    if (Emitting()) out_.append(s);
  }

  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  void ControlSequence() {
    if (pos_ >= in_.size()) throw ReadError("document ends after a backslash");
    const char c = in_[pos_];
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
      ControlWord();
      return;
    }
    ++pos_;
    if (c != '*') ignorable_ = false;
    switch (c) {
      case '\\':
      case '{':
      case '}': Character(static_cast<char16_t>(c)); break;
      case '~': Character(0x00A0); break;
      case '_': Character(0x2011); break;
      case '-': Character(0x00AD); break;  // optional hyphen
      case '\t': Character(u'\t'); break;
      case '\r':
      case '\n': Text(u"\r\n"); break;
      case '*': ignorable_ = true; break;
      case '\'': {
        if (pos_ + 2 > in_.size()) throw ReadError("document ends inside \\'hh");
        const int hi = HexDigit(in_[pos_]);
        const int lo = HexDigit(in_[pos_ + 1]);
        if (hi < 0 || lo < 0) throw ReadError("malformed \\'hh");
        pos_ += 2;
        Character(DecodeByte(static_cast<unsigned char>(hi * 16 + lo), CodePage()));
        break;
      }
      default: break;  // other control symbols carry no text
    }
  }

  void ControlWord() {
    const std::size_t start = pos_;
    while (pos_ < in_.size() && ((in_[pos_] >= 'a' && in_[pos_] <= 'z') || (in_[pos_] >= 'A' && in_[pos_] <= 'Z'))) {
      if (pos_ - start >= 32) throw ReadError("control word too long");
      ++pos_;
    }
    const std::string word(in_.substr(start, pos_ - start));
    bool hasParam = false;
    bool negative = false;
    std::int64_t param = 0;
    if (pos_ < in_.size() && in_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    const std::size_t digits = pos_;
    while (pos_ < in_.size() && in_[pos_] >= '0' && in_[pos_] <= '9') {
      if (pos_ - digits >= 10) throw ReadError("control word parameter too long");
      param = param * 10 + (in_[pos_] - '0');
      ++pos_;
    }
    hasParam = pos_ > digits;
    if (negative && !hasParam) throw ReadError("malformed control word parameter");
    if (negative) param = -param;
    param = std::clamp<std::int64_t>(param, INT32_MIN, INT32_MAX);
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
    Apply(word, hasParam, static_cast<int>(param));
  }

  void Apply(const std::string& word, bool hasParam, int param) {
    Group& g = Current();
    if (word == "bin") {  // binary data: skipped whole, wherever it stands
      if (param < 0 || static_cast<std::size_t>(param) > in_.size() - pos_) throw ReadError("malformed \\bin");
      pos_ += static_cast<std::size_t>(param);
      if (pendingSkip_ > 0) --pendingSkip_;
      return;
    }
    if (ignorable_) {
      ignorable_ = false;
      g.destination = Destination::Skip;
      return;
    }
    if (g.destination == Destination::Skip) return;
    if (word == "fonttbl") {
      g.destination = Destination::FontTable;
      return;
    }
    if (word == "listtext" || word == "pntext") {
      if (g.destination == Destination::Text) {
        g.destination = Destination::ListLabel;
        g.labelStart = out_.size();
      }
      return;
    }
    if (SkippedDestinations().count(word) != 0) {
      g.destination = Destination::Skip;
      return;
    }
    if (g.destination == Destination::FontTable) {
      if (word == "f" && hasParam) definingFont_ = param;
      else if (word == "fcharset" && hasParam) fontCodePages_[definingFont_] = CodePageOfCharset(param);
      else if (word == "cpg" && hasParam) fontCodePages_[definingFont_] = param;
      return;
    }
    if (pendingSkip_ > 0) {  // a control word standing in for the \uN before it
      --pendingSkip_;
      return;
    }
    // A table's cells stand on lines of their own. A page, column or section break ends the line it
    // stands in, and adds no empty line after a paragraph's end.
    if (word == "par" || word == "line" || word == "cell" || word == "nestcell") Text(u"\r\n");
    else if (word == "page" || word == "column" || word == "sect") {
      if (!AtLineStart()) Text(u"\r\n");
    } else if (word == "tab") Text(u"\t");
    else if (word == "u" && hasParam) {
      // A 16-bit value, written signed above 32767; anything else is no UTF-16 unit.
      Character(param < -32768 || param > 65535 ? char16_t{0xFFFD} : static_cast<char16_t>(param < 0 ? param + 65536 : param));
      pendingSkip_ = g.uc;
    } else if (word == "v") g.hidden = !hasParam || param != 0;
    else if (word == "plain") g.hidden = false;
    else if (word == "uc" && hasParam) g.uc = std::max(param, 0);
    else if (word == "ansicpg" && hasParam) documentCodePage_ = param;
    else if (word == "ansi") documentCodePage_ = 1252;
    else if (word == "pc") documentCodePage_ = 437;
    else if (word == "pca") documentCodePage_ = 850;
    else if (word == "mac") documentCodePage_ = 10000;
    else if (word == "deff" && hasParam) defaultFont_ = param;
    else if (word == "f" && hasParam) g.font = param;
    else if (word == "chftn") {  // a footnote's reference mark: its number
      const std::string number = std::to_string(++footnotes_);
      Text(std::u16string(number.begin(), number.end()));
    } else if (word == "emdash") Character(0x2014);
    else if (word == "endash") Character(0x2013);
    else if (word == "bullet") Character(0x2022);
    else if (word == "lquote") Character(0x2018);
    else if (word == "rquote") Character(0x2019);
    else if (word == "ldblquote") Character(0x201C);
    else if (word == "rdblquote") Character(0x201D);
    else if (word == "emspace") Character(0x2003);
    else if (word == "enspace") Character(0x2002);
    else if (word == "qmspace") Character(0x2005);
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::u16string out_;
  std::vector<Group> groups_;
  bool ignorable_ = false;
  int pendingSkip_ = 0;
  int documentCodePage_ = 1252;
  int defaultFont_ = 0;
  int definingFont_ = 0;
  int footnotes_ = 0;
  std::map<int, int> fontCodePages_;
};

}  // namespace

bool LooksLikeRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

std::u16string ReadText(std::string_view rtf) { return Reader(rtf).Run(); }

}  // namespace platform::rtf
