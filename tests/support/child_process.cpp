#include "child_process.h"
#include "win_helpers.h"

std::string distProgram(const std::string& name) {
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, sizeof(self));
    std::string path(self, n < sizeof(self) ? n : 0);
    size_t slash = path.find_last_of('\\');
    path = slash == std::string::npos ? std::string() : path.substr(0, slash);  // ...\bin
    slash = path.find_last_of('\\');
    path = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return path + "dist\\" + name;
}

std::string binProgram(const std::string& name) {
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, sizeof(self));
    std::string path(self, n < sizeof(self) ? n : 0);
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

Child::Child(const std::string& program, const std::vector<std::string>& args, ChildErrors errors) {
    std::string line = "\"" + program + "\"";
    for (const std::string& a : args) line += " \"" + a + "\"";
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = errors == ERRORS_COLLECTED ? writeEnd : GetStdHandle(STD_ERROR_HANDLE);
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::string mutableLine = line;
    if (CreateProcessA(nullptr, &mutableLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        process = pi.hProcess;
        CloseHandle(pi.hThread);
    }
    CloseHandle(writeEnd);  // the child holds the only writing end now
    reader = CreateThread(nullptr, 0, readAll, this, 0, nullptr);
}

Child::~Child() {
    if (process) {
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 255);
        CloseHandle(process);
    }
    if (reader) {
        WaitForSingleObject(reader, 5000);
        CloseHandle(reader);
    }
    if (readEnd) CloseHandle(readEnd);
}

DWORD WINAPI Child::readAll(LPVOID p) {
    Child* self = (Child*)p;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(self->readEnd, buffer, sizeof(buffer), &got, nullptr) && got) self->collected.append(buffer, got);
    return 0;
}

ChildRun Child::finish(int timeoutMs) {
    ChildRun run;
    if (!process) return run;
    // A guard against a hung child: it grows on a slower machine.
    timeoutMs *= machineSlower();
    DWORD start = GetTickCount();
    for (;;) {
        DWORD left = (DWORD)timeoutMs - (GetTickCount() - start);
        if ((int)left <= 0) break;
        DWORD wait = MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_ALLINPUT);
        if (wait != WAIT_OBJECT_0 + 1) break;
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    // A child that outlives its time is ended; what it printed still tells
    // where it hung.
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(process, 255);
        WaitForSingleObject(process, 5000);
    } else {
        GetExitCodeProcess(process, &run.exitCode);
    }
    if (reader) WaitForSingleObject(reader, 5000);
    run.output = collected;
    return run;
}

ChildRun runChild(const std::string& program, const std::vector<std::string>& args, int timeoutMs,
                  ChildErrors errors) {
    Child child(program, args, errors);
    return child.finish(timeoutMs);
}
