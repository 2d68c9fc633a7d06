#include "ui/choose_program.h"

void ChooseProgram(FileDialog& dialog, HWND owner, HWND programEdit) {
  if (dialog.ShowOpenDialog(owner)) SetWindowTextA(programEdit, dialog.FileName.c_str());
}
