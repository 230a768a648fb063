// Printing to the PDF printer in tests, and reading the pages back with poppler's tools.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/vb/printer.h"
#include "platform/vb/strings.h"

namespace qmtest {

inline std::string CommandOutput(const std::string& command) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (p == nullptr) return out;
  char buf[4096];
  for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
  pclose(p);
  return out;
}

inline bool HavePoppler() { return std::system("pdfinfo -v >/dev/null 2>&1") == 0; }

inline int PdfPages(const std::filesystem::path& pdf) {
  const std::string info = CommandOutput("pdfinfo '" + pdf.string() + "'");
  const auto at = info.find("Pages:");
  return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

inline std::string PageText(const std::filesystem::path& pdf, int page) {
  return CommandOutput("pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" + pdf.string() + "' -");
}

// The first non-blank line of a page's text, trimmed.
inline std::string FirstLine(const std::string& text) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const auto first = line.find_first_not_of(" \f\t");
    if (first != std::string::npos) return line.substr(first, line.find_last_not_of(" \f\t\r") - first + 1);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return {};
}

inline void UsePdfPrinter(const std::filesystem::path& pdf) {
  ASSERT_TRUE(vb::Printer.Select(vb::Printers.Count() - 1));
  ASSERT_EQ(vb::Printer.DeviceName(), u"PDF");
  platform::printing::SetPdfOutputPath(vb::FromUtf8(pdf.string()));
  vb::Printer.Orientation(vb::vbPRORPortrait);
  vb::Printer.PaperSize(vb::vbPRPSA4);
}

}  // namespace qmtest
