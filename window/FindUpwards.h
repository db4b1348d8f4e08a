#pragma once

#include <QString>

// The file named fileName nearest to folder: in folder itself or the closest folder above it.
// Returns its absolute path, or an empty text when there is none.
QString findFileUpwards(const QString& folder, const QString& fileName);
