#include "platform/vb/runtime.h"

#include <QCoreApplication>

namespace vb {

void DoEvents() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace vb
