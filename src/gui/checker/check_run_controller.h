#pragma once
// The check run from the menu: the window is maximized for the report; the
// files are checked on another thread under a modal progress dialog, and
// the session applies the result (report, report file, faulty question).
#include <atomic>

class TFormQuizloom;

class CheckRunController {
public:
    explicit CheckRunController(TFormQuizloom& window) : window_(window) {}

    void run();
    // Nothing may change the list or the files while a run reads them: its
    // modal dialog keeps the user out, this the program.
    bool running() const { return running_; }
    // Closing during a run: the run is told to stop and the window closes
    // once it has; true when the close must wait for that.
    bool stopForClose();

private:
    void closeIfAskedDuringRun();

    TFormQuizloom& window_;
    bool running_ = false;
    std::atomic_bool stop_ = false;
    bool closeAfterRun_ = false;
};
