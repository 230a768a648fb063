// A change notice: the listeners told each time one kind of change happens, so that whoever shows
// or acts on the changing state learns of it without polling. A listener is told while its Watch
// lives; one whose Watch goes while the notice is being told is not told after that.
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

namespace platform {

class ChangeNotice {
 public:
  class Watch {
   public:
    Watch(ChangeNotice& notice, std::function<void()> told) : notice_(notice), told_(std::move(told)) {
      notice_.listeners_.push_back(&told_);
    }
    ~Watch() { std::erase(notice_.listeners_, &told_); }
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

   private:
    ChangeNotice& notice_;
    std::function<void()> told_;
  };

  void Tell() {
    for (const std::function<void()>* listener : std::vector(listeners_)) {
      if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) (*listener)();
    }
  }

 private:
  std::vector<const std::function<void()>*> listeners_;
};

}  // namespace platform
