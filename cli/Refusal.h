#pragma once

#include "document/XmlErrors.h"

// A place in a text: line and column counted from 1, or 0 for the file as a whole.
struct Place {
    int line = 0;
    int column = 0;
};

// A file the headless modes refuse, with the place that shows why.
class Refusal : public Error {
public:
    explicit Refusal(const QString& message, Place place = {}) : Error(message), place_(place) {}
    Place place() const { return place_; }

private:
    Place place_;
};
