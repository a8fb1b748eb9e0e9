// Running the project's programs (dist/) as child processes.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct ChildRun {
    DWORD exitCode = 0xFFFFFFFF;  // 0xFFFFFFFF when it could not be started or did not end
    std::string output;           // what it wrote to its standard output
};

// The path of a program in the build's dist folder (beside bin/).
std::string distProgram(const std::string& name);
// The path of a test program in the build's bin folder, beside this one.
std::string binProgram(const std::string& name);

// Where the child's standard error goes: this process's, or into `output`
// with its standard output.
enum ChildErrors { ERRORS_SHOWN, ERRORS_COLLECTED };

// Starts the program with the arguments (each quoted), collects its output
// and waits up to `timeoutMs` for it to end, dispatching this thread's
// messages meanwhile (the child may send messages to windows of this thread).
// A child still running then is ended, and the run reports no exit code.
ChildRun runChild(const std::string& program, const std::vector<std::string>& args, int timeoutMs = 30000,
                  ChildErrors errors = ERRORS_SHOWN);

// The same, started without waiting: the caller reads `process` and `output`.
class Child {
public:
    Child(const std::string& program, const std::vector<std::string>& args, ChildErrors errors = ERRORS_SHOWN);
    ~Child();
    bool started() const { return process != nullptr; }
    // Waits (dispatching messages) for the child to end; its run.
    ChildRun finish(int timeoutMs);
    HANDLE process = nullptr;

private:
    HANDLE readEnd = nullptr;
    HANDLE reader = nullptr;
    std::string collected;
    static DWORD WINAPI readAll(LPVOID self);
};
