#include "copy_recorder.h"

std::map<HWND, std::vector<RecordedCopy>> recordedCopies;

namespace {
const char CLASS_NAME[] = "TestCopyRecorder";

LRESULT CALLBACK recorderProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COPYDATA) {
        const COPYDATASTRUCT* d = (const COPYDATASTRUCT*)lp;
        RecordedCopy copy = {d ? d->dwData : 0, std::string()};
        if (d && d->lpData) copy.bytes.assign((const char*)d->lpData, d->cbData);
        recordedCopies[w].push_back(copy);
        return TRUE;
    }
    return DefWindowProcA(w, m, wp, lp);
}
}  // namespace

HWND makeCopyRecorder() {
    WNDCLASSA c = {};
    c.lpfnWndProc = recorderProc;
    c.hInstance = GetModuleHandleA(nullptr);
    c.lpszClassName = CLASS_NAME;
    RegisterClassA(&c);  // fails harmlessly when registered already
    return CreateWindowExA(0, CLASS_NAME, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, c.hInstance, nullptr);
}
