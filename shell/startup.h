#pragma once
// Start-up pieces of the program: the skin folder with its resource index, and the program's own
// control classes.
#include <string>

// Points the toolkit at ProgramFolder()/skin, reads its "res.xml" and registers the custom controls.
// False when the skin folder has no resource index (the window then cannot find its layout).
bool SetupResources();
