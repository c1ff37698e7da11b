#pragma once

#include <QString>
#include <ostream>

// GoogleTest prints a QString as readable UTF-8 instead of its bytes; found by
// argument-dependent lookup, so QStringList values read the same way.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
