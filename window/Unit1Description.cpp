#include "window/Unit1.h"

void TForm1::buildDescriptionPage() {}

void TForm1::TabSheet5Show() {}

void TForm1::TabSheet5Hide() {}
