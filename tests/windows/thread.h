// A thread for the Windows tests: the cross compiler's win32 thread model has no std::thread.
#pragma once

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <utility>

namespace wintest {

class Thread {
public:
    explicit Thread(std::function<void()> work) : work_(std::move(work)) {
        handle_ = CreateThread(nullptr, 0, &Thread::start, this, 0, nullptr);
        if (!handle_) throw std::runtime_error("CreateThread failed");
    }
    Thread(const Thread &) = delete;
    Thread &operator=(const Thread &) = delete;
    ~Thread() { join(); }

    void join() {
        if (!handle_) return;
        WaitForSingleObject(handle_, INFINITE);
        CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    static DWORD WINAPI start(void *self) {
        static_cast<Thread *>(self)->work_();
        return 0;
    }
    std::function<void()> work_;
    HANDLE handle_ = nullptr;
};

}  // namespace wintest
