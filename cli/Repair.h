#pragma once

#include <QStringList>

class QIODevice;

// --repair: puts right, in each file, the faults that the window offers to repair (a bare &, XML
// version 1.0.0, the root macromedia-package), and nothing else: the rest of the text keeps its bytes.
// The repaired text replaces the file as Save replaces one, or with ToOutput the one file's text goes
// to Output. Each repair is reported on Errors as FILE:LINE:COLUMN: repaired: what changed; a file
// that Load refuses for any other reason stays untouched and is reported with the reason. A file that
// loads as it is stays untouched. Returns 0 when every file now loads, 1 otherwise. A FILE of - is Input.
int runRepair(const QStringList& files, bool toOutput, QIODevice& input, QIODevice& output, QIODevice& errors);
