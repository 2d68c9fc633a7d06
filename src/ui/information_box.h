// The box that tells the user how an association action went.
#pragma once

// Task-modal, no owner, caption "信息：", one OK button, no icon. Returns
// once the box is closed, however it was closed.
void ShowInformation(const char* text);

// The caption, also for tests that look for the box.
inline constexpr char kInformationCaption[] = "信息：";
