#include "platform/dialogs/properties_window.h"

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/dialogs/dialog_parts.h"
#include "platform/vb/modal_dialog.h"

namespace platform::dialogs {
namespace {

QFrame* Line(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

class PropertiesWindow : public QDialog {
 public:
  explicit PropertiesWindow(const PropertiesSheet& sheet) : QDialog(OwnerWidget(sheet.owner)) {
    setWindowTitle(ToQ(kPropertiesTitle + sheet.name));
    auto* column = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    tabs->addTab(Page(sheet), QStringLiteral("Общие"));
    column->addWidget(tabs);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("&Закрыть"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    row->addWidget(close);
    column->addLayout(row);
    setFixedWidth(400);
  }

 private:
  QWidget* Page(const PropertiesSheet& sheet) {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->setColumnStretch(1, 1);
    auto* icon = new QLabel(page);
    icon->setPixmap(QPixmap::fromImage(sheet.icon));
    grid->addWidget(icon, 0, 0);
    grid->addWidget(Text(page, sheet.name), 0, 1);
    grid->addWidget(Line(page), 1, 0, 1, 2);
    int r = 2;
    for (const auto& [label, text] : sheet.facts) {
      if (label.empty()) {
        grid->addWidget(Line(page), r++, 0, 1, 2);
        continue;
      }
      grid->addWidget(new QLabel(ToQ(label), page), r, 0, Qt::AlignTop);
      grid->addWidget(Text(page, text), r++, 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("Атрибуты:"), page), r, 0, Qt::AlignTop);
    grid->addLayout(Attributes(page, sheet.attributes), r++, 1);
    grid->setRowStretch(r, 1);
    return page;
  }

  // A fact the user may select and copy (a long path breaks where it can).
  static QLabel* Text(QWidget* parent, const std::u16string& text) {
    auto* label = new QLabel(ToQ(text), parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
  }

  static QGridLayout* Attributes(QWidget* parent, const std::vector<std::pair<std::u16string, bool>>& boxes) {
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      auto* box = new QCheckBox(ToQ(boxes[i].first), parent);
      box->setChecked(boxes[i].second);
      box->setFocusPolicy(Qt::NoFocus);
      box->setAttribute(Qt::WA_TransparentForMouseEvents);
      grid->addWidget(box, static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    return grid;
  }
};

}  // namespace

void ShowPropertiesWindow(const PropertiesSheet& sheet) {
  platform::detail::ModalDialog<PropertiesWindow> window(sheet);
  window.Accepted();
}

}  // namespace platform::dialogs
