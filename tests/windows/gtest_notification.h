// GoogleTest's Notification is built on std::mutex and std::condition_variable, which the cross
// compiler's win32 thread model lacks; this one, on a Windows event, takes its place. Forced into
// every file of the Windows tests (and GoogleTest's own) ahead of GoogleTest's headers.
#pragma once

#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    Notification(const Notification &) = delete;
    Notification &operator=(const Notification &) = delete;
    ~Notification() { CloseHandle(event_); }
    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace testing::internal
