// Inside the layer only: the widget behind the windows CreateWindowExA makes, which shows the
// window's retained surface, and the popup windows kept for the next popup of their kind.
//
// A menu makes two drop shadows each time it opens and destroys them when it closes. The toolkit's
// making of a native window (and of a translucent one most) costs more than the whole rest of
// opening a menu, so the widget of a destroyed top-level popup window is not deleted but kept hidden,
// and the next popup window made with the same flags takes it: its native window is shown again
// instead of made anew. Nothing of the destroyed window goes with it: it has no children, its handle,
// title, place and surface are given afresh.
#pragma once

#include "platform/layer_only.h"

#include <QWidget>

#include "platform/win/types.h"

namespace platform::detail {

class WindowWidget : public QWidget {
 public:
  WindowWidget(QWidget* parent, Qt::WindowFlags flags);
  win::HWND handle = 0;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  friend WindowWidget* MakeWindowWidget(QWidget*, Qt::WindowFlags, bool, bool);
  friend bool KeepWindowWidget(QWidget*);
  Qt::WindowFlags made_;
  bool popup_ = false;  // a top-level popup window: kept when its window goes
};

// The widget of a new window: a child window's in `parent`; a top-level window's owned by `parent`
// (or none), a popup's (a window of the tool-tip type) taken from those kept when one was made with
// the same flags and translucency.
WindowWidget* MakeWindowWidget(QWidget* parent, Qt::WindowFlags flags, bool child, bool translucent);

// Keeps the widget of a destroyed popup window hidden for a later one; false (and nothing done) for
// any other widget, which the caller deletes.
bool KeepWindowWidget(QWidget* widget);

}  // namespace platform::detail
