// Which programs the desktop opens a type with: defaults and added associations in the lists of
// the configuration and data folders, the types installed entries list (through mimeinfo.cache or
// the entries themselves), removals, the current desktop's own list and deleted entries.
#include "platform/shell/desktop_programs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support.h"
#include "support_desktop.h"

using platform::shell::DesktopHasProgramFor;
using qmtest::WriteBytes;

namespace {

void Entry(const std::filesystem::path& file, const std::string& extra = {}) {
  std::filesystem::create_directories(file.parent_path());
  WriteBytes(file, "[Desktop Entry]\nType=Application\nName=Viewer\nExec=/bin/true %f\n" + extra);
}

}  // namespace

TEST(DesktopPrograms, FollowTheDesktopsAssociationRules) {
  qmtest::PrivateDesktop desktop;
  EXPECT_FALSE(DesktopHasProgramFor(u"application/pdf"));

  // An entry of the user's that lists the type, read without a cache.
  Entry(desktop.applications() / "reader.desktop", "MimeType=application/pdf;image/tiff;\n");
  EXPECT_TRUE(DesktopHasProgramFor(u"application/pdf"));
  EXPECT_TRUE(DesktopHasProgramFor(u"image/tiff"));
  // The user removes the association: no other program is left for the type.
  WriteBytes(desktop.applications() / "mimeapps.list", "[Removed Associations]\napplication/pdf=reader.desktop;\n");
  EXPECT_FALSE(DesktopHasProgramFor(u"application/pdf"));
  EXPECT_TRUE(DesktopHasProgramFor(u"image/tiff"));

  // A system folder's cache names a vendor's program kept in a sub-folder.
  Entry(desktop.systemApplications() / "acme" / "viewer.desktop");
  WriteBytes(desktop.systemApplications() / "mimeinfo.cache", "[MIME Cache]\ntext/markdown=acme-viewer.desktop;\n");
  EXPECT_TRUE(DesktopHasProgramFor(u"text/markdown"));

  // A default that names no installed program counts for nothing; one deleted by Hidden neither.
  WriteBytes(desktop.systemConfig() / "mimeapps.list",
             "[Default Applications]\ntext/x-log=gone.desktop;\ntext/csv=hidden.desktop;\n"
             "[Added Associations]\ntext/x-tex=acme-viewer.desktop;\n");
  Entry(desktop.applications() / "hidden.desktop", "Hidden=true\n");
  EXPECT_FALSE(DesktopHasProgramFor(u"text/x-log"));
  EXPECT_FALSE(DesktopHasProgramFor(u"text/csv"));
  EXPECT_TRUE(DesktopHasProgramFor(u"text/x-tex"));

  // The current desktop's own list counts while that desktop runs.
  WriteBytes(desktop.systemConfig() / "lxqt-mimeapps.list", "[Default Applications]\ntext/x-log=reader.desktop;\n");
  EXPECT_FALSE(DesktopHasProgramFor(u"text/x-log"));
  setenv("XDG_CURRENT_DESKTOP", "LXQt", 1);
  EXPECT_TRUE(DesktopHasProgramFor(u"text/x-log"));
  unsetenv("XDG_CURRENT_DESKTOP");
}
