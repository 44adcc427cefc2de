#include "Lock.h"

#include <condition_variable>
#include <new>

namespace platform {

namespace {
std::mutex& Native(unsigned char* storage) { return *std::launder(reinterpret_cast<std::mutex*>(storage)); }
std::condition_variable& NativeCondition(unsigned char* storage) {
  return *std::launder(reinterpret_cast<std::condition_variable*>(storage));
}
static_assert(sizeof(std::mutex) <= 64 && sizeof(std::condition_variable) <= 64);
} // namespace

TLock::TLock() { new (FNative) std::mutex; }
TLock::~TLock() { Native(FNative).~mutex(); }
void TLock::lock() { Native(FNative).lock(); }
void TLock::unlock() { Native(FNative).unlock(); }
bool TLock::try_lock() { return Native(FNative).try_lock(); }

TCondition::TCondition() { new (FNative) std::condition_variable; }
TCondition::~TCondition() { NativeCondition(FNative).~condition_variable(); }
void TCondition::notify_one() { NativeCondition(FNative).notify_one(); }
void TCondition::notify_all() { NativeCondition(FNative).notify_all(); }

void TCondition::wait(std::unique_lock<TLock>& guard) {
  std::unique_lock native(Native(guard.mutex()->FNative), std::adopt_lock);
  NativeCondition(FNative).wait(native);
  native.release();
}

void TCondition::WaitAtMost(std::unique_lock<TLock>& guard, std::chrono::milliseconds timeout) {
  std::unique_lock native(Native(guard.mutex()->FNative), std::adopt_lock);
  NativeCondition(FNative).wait_for(native, timeout);
  native.release();
}

} // namespace platform
