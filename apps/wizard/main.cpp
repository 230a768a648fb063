// Wizard: the main program starts it from its own folder. It shows its notice and ends. Its command
// line is not read, not even by the toolkit: only the program's own name is handed on.
#include "platform/application.h"
#include "wizard/start.h"

int main(int argc, char** argv) {
  char name[] = "Wizard";
  char* args[] = {argc > 0 && argv[0] != nullptr ? argv[0] : name, nullptr};
  int count = 1;
  platform::Application app(count, args);
  wizard::modMain::Main();
  return 0;
}
