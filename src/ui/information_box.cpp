#include "ui/information_box.h"

#include <windows.h>

void ShowInformation(const char* text) { MessageBoxA(nullptr, text, kInformationCaption, MB_OK | MB_TASKMODAL); }
