// Counting this process's GDI objects, for leak checks.
#pragma once

// GetGuiResources(GR_GDIOBJECTS), or where that is a stub returning 0 (Wine),
// the used entries of the process's GDI handle table; -1 when neither works.
int GdiObjectCount();
