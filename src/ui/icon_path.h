// IconPath: the full path of the file last loaded as the icon; empty while
// absent. Set by the Load icon action, handed to the Add action, released
// once at the normal end of the program.
#pragma once

#include <string>

extern std::string IconPath;

// The exit routine: releases IconPath, unless a fatal error dropped it.
void ReleaseIconPath();
