#pragma once

#include <QStringList>

// qvctl's command line: global options, one command with its own options,
// output as text for people or one JSON document, and the exit code.
namespace Cli {
// arguments as QCoreApplication::arguments() gives them (the program first).
int run(const QStringList &arguments);
} // namespace Cli
