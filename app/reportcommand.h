#pragma once

class QApplication;

// QVRemote --report RESULTFILE --out DIR [...]: the PDF reports of a result
// file without a window, through the same writer and worker thread as the
// GUI. Exit codes: 0 every requested PDF written (none requested included),
// 1 a PDF, the folder, results.json or a CSV could not be written, 2 usage error,
// 3 RESULTFILE unreadable or too short (nothing written).
namespace ReportCommand {

// Whether the arguments ask for this mode; asked before the application
// object exists, so that the mode can run on the offscreen platform.
bool requested(int argc, char **argv);
// Before the application object: no window system, no diagnostics on stderr.
void prepare();
int run(QApplication &app);

} // namespace ReportCommand
