#pragma once

class TForm1;

// What screen readers read for the main window's controls: a name for each, and a description where
// its purpose does not show in its caption. Kept in one table, applied once the window is built. The
// program's windows are read as windows.
namespace AccessibleNames {

void apply(TForm1& window);

} // namespace AccessibleNames
