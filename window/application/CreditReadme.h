#pragma once

#include <QString>

// The README that the credit line opens, for a program in programFolder: the source tree's README
// when the program runs from its build folder, otherwise the one installed with it in
// ../share/doc/parcelwright/.
QString creditReadme(const QString& programFolder);
