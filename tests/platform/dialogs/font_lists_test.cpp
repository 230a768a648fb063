// The font families a user is shown, in Screen.Fonts and in the font dialog: each once, by the name
// the user knows (no foundry tags such as "C059 [UKWN]"), and a family chosen in the dialog comes
// back under that name.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFontDatabase>
#include <QListView>
#include <QTimer>

#include <functional>
#include <set>

#include "platform/dialogs/common_dialog.h"
#include "platform/script/script.h"
#include "platform/vb/screen.h"
#include "platform/vb/strings.h"

namespace {

bool Tagged(const QString& name) { return name.endsWith(QLatin1Char(']')) && name.contains(QLatin1String(" [")); }

// The family names the toolkit lists, tags and all.
bool SomeFamilyIsTagged() {
  for (const QString& f : QFontDatabase::families())
    if (Tagged(f)) return true;
  return false;
}

TEST(FontLists, ScreenFontsNameEachFamilyOnceWithoutItsFoundry) {
  std::set<QString> listed;
  QString before;
  for (int i = 0; i < vb::Screen.FontCount(); ++i) {
    const QString name = QString::fromStdU16String(vb::Screen.Fonts(i));
    EXPECT_FALSE(Tagged(name)) << name.toStdString();
    EXPECT_TRUE(listed.insert(name).second) << "twice: " << name.toStdString();
    EXPECT_LE(before.compare(name, Qt::CaseInsensitive), 0) << name.toStdString();
    before = name;
  }
  // Every installed family is there, a tagged one under its plain name.
  for (QString f : QFontDatabase::families()) {
    if (Tagged(f)) f = f.left(f.lastIndexOf(QLatin1String(" [")));
    EXPECT_EQ(listed.count(f), 1u) << f.toStdString();
  }
}

// Runs the font dialog for real (scripting off): once it shows, `inside` sees its family list and
// says whether to press OK (else Cancel).
void WithTheFontDialog(vb::CommonDialog& dlg, const std::function<bool(QListView&)>& inside) {
  // Windows an earlier test let go are deleted first: one of them could be the dialog's owner and
  // take the dialog along while it is shown.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  platform::script::SetActive(false);
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    auto* list = dialog != nullptr ? dialog->findChild<QListView*>() : nullptr;
    const bool ok = list != nullptr && inside(*list);
    if (list == nullptr) ADD_FAILURE() << "no font dialog";
    if (dialog != nullptr) QMetaObject::invokeMethod(dialog, ok ? "accept" : "reject");
  });
  dlg.ShowFont();
  platform::script::SetActive(true);
}

QStringList Rows(QListView& list) {
  QStringList rows;
  for (int i = 0; i < list.model()->rowCount(); ++i) rows << list.model()->index(i, 0).data().toString();
  return rows;
}

TEST(FontLists, TheFontDialogListsThePlainNamesAndGivesThemBack) {
  if (!SomeFamilyIsTagged()) GTEST_SKIP() << "no family here comes from two foundries";
  vb::CommonDialog dlg;
  dlg.FontName = u"DejaVu Sans";
  dlg.FontSize = 10;
  QString chosen;
  WithTheFontDialog(dlg, [&](QListView& list) {
    const QStringList rows = Rows(list);
    EXPECT_EQ(list.currentIndex().data().toString(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(rows.size(), static_cast<qsizetype>(std::set<QString>(rows.begin(), rows.end()).size()));
    for (const QString& row : rows) {
      EXPECT_FALSE(Tagged(row)) << row.toStdString();
      // A family of two foundries is the one to choose.
      if (chosen.isEmpty() && QFontDatabase::families().contains(row + QStringLiteral(" [urw]"))) chosen = row;
    }
    EXPECT_FALSE(chosen.isEmpty());
    if (chosen.isEmpty()) return false;
    list.setCurrentIndex(list.model()->index(static_cast<int>(rows.indexOf(chosen)), 0));
    return true;
  });
  EXPECT_EQ(QString::fromStdU16String(dlg.FontName), chosen);
  EXPECT_EQ(dlg.FontSize, 10);
}

}  // namespace
