#include "Lock.h"

#include <windows.h>

#include <algorithm>

namespace platform {

namespace {
SRWLOCK* Native(unsigned char* storage) { return reinterpret_cast<SRWLOCK*>(storage); }
CONDITION_VARIABLE* NativeCondition(unsigned char* storage) {
  return reinterpret_cast<CONDITION_VARIABLE*>(storage);
}
static_assert(sizeof(SRWLOCK) <= 64 && sizeof(CONDITION_VARIABLE) <= 64);
} // namespace

TLock::TLock() { InitializeSRWLock(Native(FNative)); }
TLock::~TLock() = default;
void TLock::lock() { AcquireSRWLockExclusive(Native(FNative)); }
void TLock::unlock() { ReleaseSRWLockExclusive(Native(FNative)); }
bool TLock::try_lock() { return TryAcquireSRWLockExclusive(Native(FNative)) != 0; }

TCondition::TCondition() { InitializeConditionVariable(NativeCondition(FNative)); }
TCondition::~TCondition() = default;
void TCondition::notify_one() { WakeConditionVariable(NativeCondition(FNative)); }
void TCondition::notify_all() { WakeAllConditionVariable(NativeCondition(FNative)); }

void TCondition::wait(std::unique_lock<TLock>& guard) {
  SleepConditionVariableSRW(NativeCondition(FNative), Native(guard.mutex()->FNative), INFINITE, 0);
}

void TCondition::WaitAtMost(std::unique_lock<TLock>& guard, std::chrono::milliseconds timeout) {
  // INFINITE is one more than the longest wait the call takes
  const auto ms = std::clamp<long long>(timeout.count(), 0, INFINITE - 1);
  SleepConditionVariableSRW(NativeCondition(FNative), Native(guard.mutex()->FNative),
                            static_cast<DWORD>(ms), 0);
}

} // namespace platform
