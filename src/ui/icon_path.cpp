#include "ui/icon_path.h"

#include "ui/fatal_error.h"

std::string IconPath;

void ReleaseIconPath() {
  if (ExitRoutineDropped()) return;
  std::string().swap(IconPath);
}
