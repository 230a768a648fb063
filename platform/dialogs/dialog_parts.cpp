#include "platform/dialogs/dialog_parts.h"

#include "platform/gdi/objects.h"
#include "platform/win/window_record.h"

namespace platform::dialogs {

QWidget* OwnerWidget(win::HWND owner) {
  QWidget* w = owner == 0 ? nullptr : platform::detail::WidgetOf(owner);
  return w == nullptr ? nullptr : w->window();
}

QPixmap PictureOfIcon(win::HICON icon) {
  if (icon == 0) return {};
  return QPixmap::fromImage(platform::gdi::ImageOfHandle(icon));
}

QHBoxLayout* OkCancelRow(QDialog& dialog, const std::function<void()>& ok, QPushButton** okButton) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  auto* okay = new QPushButton(QStringLiteral("ОК"), &dialog);
  okay->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Отмена"), &dialog);
  row->addWidget(okay);
  row->addWidget(cancel);
  QObject::connect(okay, &QPushButton::clicked, &dialog, ok);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  *okButton = okay;
  return row;
}

}  // namespace platform::dialogs
