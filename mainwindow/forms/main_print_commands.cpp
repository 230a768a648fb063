// The main window's print and properties commands.
#include "core/registry.h"
#include "core/settings_schema.h"
#include "mainwindow/forms/document_properties.h"
#include "mainwindow/forms/main.h"
#include "mainwindow/forms/printing.h"
#include "mainwindow/print_job.h"
#include "platform/vb/printer.h"

void frmMain::CmdFilePrint() {
  print_job::SetUpPrinterFromPreferences();
  vb::Printer.FontName(RichTextBox->FontName());
  if (RichTextBox->FontSize() > 0) vb::Printer.FontSize(RichTextBox->FontSize());
  // The copies box and the margins are checked here, before the user is asked for paper.
  if (!print_job::CheckBeforePrinting(print_job::CurrentBoxes(), true)) return;
  if (modRegistry::ReadRegistryDword(win::HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kPrinting) == 0) {
    print_job::PrintEditor(*RichTextBox, print_job::CurrentBoxes());
  } else {
    PrintingWindow().Show(vb::vbModal, this);
  }
}

void frmMain::CmdFileProperties() { DocumentPropertiesWindow().Show(vb::vbModal, this); }
