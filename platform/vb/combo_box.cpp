#include "platform/vb/combo_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "platform/vb/control_core.h"
#include "platform/vb/error.h"
#include "platform/vb/item_window.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;
using namespace platform::detail::controls;

namespace {

class ComboWidget : public QComboBox, public platform::detail::ItemWindow {
 public:
  using QComboBox::QComboBox;
  std::function<void()> onDropDown;

  void showPopup() override {
    if (onDropDown) onDropDown();
    QComboBox::showPopup();
  }

  int ItemCount() const override { return count(); }
  std::u16string ItemText(int index) const override { return U(itemText(index)); }
  // Adding items selects nothing and leaves the typed text alone.
  void InsertItem(int index, const std::u16string& item) override {
    const int current = ChosenItem();
    const QString edit = currentText();
    const QSignalBlocker quiet(this);
    insertItem(index, Q(item));
    setCurrentIndex(current >= index ? current + 1 : current);
    if (isEditable()) setEditText(edit);
  }
  void DeleteItem(int index) override {
    const QSignalBlocker quiet(this);
    const int current = currentIndex();
    removeItem(index);
    if (current == index) setCurrentIndex(-1);
  }
  void DeleteItems() override {
    const QSignalBlocker quiet(this);
    clear();
    if (isEditable()) setEditText(QString());
  }
  void SetItemText(int index, const std::u16string& v) override { setItemText(index, Q(v)); }
  std::int32_t ItemValue(int index) const override { return itemData(index).toInt(); }
  void SetItemValue(int index, std::int32_t v) override { setItemData(index, v); }
  // Text typed over the chosen item leaves the list with none chosen.
  int ChosenItem() const override {
    const int i = currentIndex();
    if (i < 0 || (isEditable() && lineEdit()->text() != itemText(i))) return -1;
    return i;
  }
  void ChooseItem(int index) override {
    const QSignalBlocker quiet(this);
    setCurrentIndex(index);
    if (index == -1 && isEditable()) setEditText(QString());
  }
};

}  // namespace

void ComboBox::CreateControlWindow() {
  ItemsMade();
  core().back = vbWindowBackground;
  core().fore = vbWindowText;
  auto* w = new ComboWidget(ContainerWidget(*this));
  w->setEditable(Style() != vbComboDropdownList);
  w->setInsertPolicy(QComboBox::NoInsert);
  w->setMaxVisibleItems(8);
  w->onDropDown = [this] { platform::detail::FromEventLoop([this] { RaiseEvent(DropDown); }); };
  QObject::connect(w, QOverload<int>::of(&QComboBox::activated), w, [this](int) { platform::detail::FromEventLoop([this] { RaiseEvent(Click); }); });
  if (QLineEdit* e = w->lineEdit()) {
    e->setMaxLength(32767);
    QObject::connect(e, &QLineEdit::textEdited, w, [this] { platform::detail::FromEventLoop([this] { RaiseEvent(Change); }); });
  }
  Adopt(*this, w, "ThunderComboBox", true);
}
static ComboWidget& ComboOf(Control& c) { return static_cast<ComboWidget&>(*c.core().widget); }
platform::detail::ItemWindow& ComboBox::Items() { return ComboOf(*this); }
std::u16string ComboBox::Text() {
  EnsureWindow();
  ComboWidget& w = ComboOf(*this);
  if (w.isEditable()) return U(w.lineEdit()->text());
  return w.currentIndex() >= 0 ? U(w.itemText(w.currentIndex())) : std::u16string();
}
void ComboBox::Text(const std::u16string& v) {
  EnsureWindow();
  ComboWidget& w = ComboOf(*this);
  const QString q = Q(v);
  if (!w.isEditable()) {
    const int i = w.findText(q, Qt::MatchFixedString);
    if (i < 0) Raise(err::kPropertyIsReadOnly);
    ListIndex(i);
    return;
  }
  if (w.lineEdit()->text() == q) return;
  w.blockSignals(true);
  const int i = w.findText(q, Qt::MatchExactly);
  if (i >= 0) w.setCurrentIndex(i);
  w.setEditText(q);
  w.blockSignals(false);
  RaiseEvent(Change);
}

}  // namespace vb
