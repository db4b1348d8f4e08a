#include "window/Unit1.h"

void TForm1::buildProductsPage() {}

void TForm1::TabSheet2Show() {}

void TForm1::TabSheet2Hide() {}
