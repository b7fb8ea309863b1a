#pragma once

#include <QString>

// What keeps the tester from storing a settings file under a name: the
// window's save dialog and qvctl refuse such names before asking.
namespace StoredName {
// An empty text when the tester can store name, else why not.
QString problem(const QString &name);
} // namespace StoredName
