#include "window/Unit1.h"

void TForm1::buildConfigurationPage() {}

void TForm1::TabSheet4Show() {}

void TForm1::TabSheet4Hide() {}
