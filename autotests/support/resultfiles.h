#pragma once

#include <QByteArray>

// Result files for the report tests and benchmarks, built field by field
// with a distinct known value in each field (the values are listed in
// resultfiles.cpp, beside the lines the tests expect from them).
namespace ResultFiles {
// Both ports filled, port B with values of its own.
QByteArray typical();
// Every byte the same.
QByteArray filled(char byte);
// One byte short of a result file.
QByteArray tooShort();
} // namespace ResultFiles
