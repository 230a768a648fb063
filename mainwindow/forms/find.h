// frmFind: the find window. The user types or picks a text, may ask for whole words and a
// case-sensitive comparison, and "Найти" selects the first match in the main window's editor; the
// button then reads "Найти далее" and each press selects the next match, until the end of the text
// is reported and the search starts afresh (see mainwindow/forms/search.h). The window is modeless
// and owned by the main window, so the user edits on while it is open. The main window's Find Next
// command reads its text and options, loading the window unseen when it is not loaded. Its controls
// and what it shares with the replace window are mainwindow/forms/search_form.h's.
#pragma once

#include "mainwindow/forms/search_form.h"

class frmFind : public SearchForm {
 protected:
  void Design() override;

 private:
  void cmdFind_Click() override;
};

// The program's one find window, made on first use.
frmFind& FindWindow();
