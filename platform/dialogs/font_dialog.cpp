#include "platform/dialogs/font_dialog.h"

#include <QComboBox>
#include <QFontDialog>
#include <QListView>
#include <QStringListModel>

#include "platform/gdi/objects.h"
#include "platform/vb/modal_dialog.h"

namespace platform::detail {
namespace {

// The dialog's first list is its family list; its style and size lists follow.
QListView* FamilyList(QFontDialog& dialog) { return dialog.findChild<QListView*>(); }

// Renames the listed families as a user knows them, each once, and shows the family that was
// current again (which has the dialog list its styles and sizes anew).
void NameFamiliesAsUsersKnowThem(QFontDialog& dialog) {
  QListView* list = FamilyList(dialog);
  auto* model = list != nullptr ? qobject_cast<QStringListModel*>(list->model()) : nullptr;
  if (model == nullptr) return;
  const QString current = gdi::FamilyWithoutFoundry(list->currentIndex().data().toString());
  QStringList names;
  for (const QString& family : model->stringList()) names << gdi::FamilyWithoutFoundry(family);
  names.removeDuplicates();
  model->setStringList(names);
  const int row = static_cast<int>(names.indexOf(current));
  if (row >= 0) list->setCurrentIndex(model->index(row));
}

}  // namespace

std::optional<QFont> AskForFont(const QFont& initial, QWidget* parent, const QString& title) {
  ModalDialog<QFontDialog> dialog(initial, parent);
  if (!title.isEmpty()) dialog->setWindowTitle(title);
  NameFamiliesAsUsersKnowThem(*dialog);
  // Choosing another writing system lists the families afresh, tags and all.
  QFontDialog* shown = &*dialog;
  if (auto* systems = dialog->findChild<QComboBox*>())
    QObject::connect(systems, &QComboBox::activated, shown, [shown] { NameFamiliesAsUsersKnowThem(*shown); });
  if (!dialog.Accepted()) return std::nullopt;
  return dialog->selectedFont();
}

}  // namespace platform::detail
