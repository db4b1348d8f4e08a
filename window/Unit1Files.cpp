#include "window/Unit1.h"

void TForm1::buildFilesPage() {}

void TForm1::TabSheet3Show() {}

void TForm1::TabSheet3Hide() {}
