// The read transactions held across calls, and the thread that releases them when the
// process goes quiet. (portable)
#include "held_reads.h"

#include <algorithm>
#include <system_error>

#if !defined(_WIN32)
#include <pthread.h>
#endif

namespace recordstore {

#if !defined(_WIN32)
HeldReads* HeldReads::forking_ = nullptr;
#endif

HeldReads::HeldReads(std::mutex& call_mutex, std::function<void()> end_all)
    : call_mutex_(call_mutex), end_all_(std::move(end_all)) {
#if !defined(_WIN32)
  forking_ = this;
  pthread_atfork(&BeforeFork, &AfterForkInParent, &AfterForkInChild);
#endif
}

HeldReads::~HeldReads() {
#if !defined(_WIN32)
  forking_ = nullptr;
#endif
  StopReleaser();
}

void HeldReads::AfterCall() {
  if (held() > 0 && !releaser_running_.load(std::memory_order_relaxed)) end_all_();
}

void HeldReads::Began() {
  if (held_.fetch_add(1, std::memory_order_relaxed) != 0) return;
  std::lock_guard<std::mutex> own(mutex_);
  first_began_ = Clock::now();
  expired_.store(false, std::memory_order_relaxed);
  if (!releaser_running_.load(std::memory_order_relaxed)) StartReleaser();
  wake_.notify_one();
}

void HeldReads::Ended() {
  held_.fetch_sub(1, std::memory_order_relaxed);
}

void HeldReads::EndAll() {
  if (held() > 0) end_all_();
}

void HeldReads::StartReleaser() {
  if (releaser_ != nullptr && releaser_->joinable()) releaser_->join();
  stop_ = false;
  try {
    releaser_ = std::make_unique<std::thread>([this] { RunReleaser(); });
    releaser_running_.store(true, std::memory_order_relaxed);
  } catch (const std::system_error&) {
    releaser_.reset();  // AfterCall then ends every read transaction with its call
  }
}

void HeldReads::StopReleaser() {
  std::unique_ptr<std::thread> thread;
  {
    std::lock_guard<std::mutex> own(mutex_);
    stop_ = true;
    thread = std::move(releaser_);
    releaser_running_.store(false, std::memory_order_relaxed);
  }
  wake_.notify_all();
  // The thread never waits for the call mutex, which our caller holds: it only tries it.
  if (thread != nullptr && thread->joinable()) thread->join();
}

void HeldReads::Release() {
  if (held() > 0) end_all_();
}

void HeldReads::RunReleaser() {
  std::unique_lock<std::mutex> own(mutex_);
  uint64_t calls_seen = calls_.load(std::memory_order_relaxed);
  Clock::time_point quiet_since = Clock::now();
  while (!stop_) {
    if (held() == 0) {
      wake_.wait(own);
      calls_seen = calls_.load(std::memory_order_relaxed);
      quiet_since = Clock::now();
      continue;
    }
    const Clock::time_point expiry = first_began_ + kMaxHold;
    const bool marked = expired_.load(std::memory_order_relaxed);
    wake_.wait_until(own, marked ? quiet_since + kIdle : std::min(quiet_since + kIdle, expiry));
    if (stop_ || held() == 0) continue;
    const Clock::time_point now = Clock::now();
    const uint64_t calls = calls_.load(std::memory_order_relaxed);
    if (calls != calls_seen) {
      calls_seen = calls;
      quiet_since = now;
    }
    const bool quiet = now - quiet_since >= kIdle;
    if (now >= expiry) expired_.store(true, std::memory_order_relaxed);
    if (!quiet && now < expiry) continue;
    // Ends the holds itself unless a call is in progress; that call, or the next, ends an
    // expired hold, and a busy process is not quiet.
    own.unlock();
    if (call_mutex_.try_lock()) {
      if (calls_.load(std::memory_order_relaxed) == calls || now >= expiry) Release();
      call_mutex_.unlock();
    }
    own.lock();
    quiet_since = Clock::now();
  }
}

#if !defined(_WIN32)
void HeldReads::BeforeFork() {
  if (forking_ == nullptr) return;
  forking_->call_mutex_.lock();
  forking_->mutex_.lock();
}

void HeldReads::AfterForkInParent() {
  if (forking_ == nullptr) return;
  forking_->mutex_.unlock();
  forking_->call_mutex_.unlock();
}

void HeldReads::AfterForkInChild() {
  if (forking_ == nullptr) return;
  // The thread was not copied into the child: its object may be neither joined nor
  // destroyed there. The first call ends what the child inherited as held (AfterCall).
  static_cast<void>(forking_->releaser_.release());
  forking_->releaser_running_.store(false, std::memory_order_relaxed);
  forking_->mutex_.unlock();
  forking_->call_mutex_.unlock();
}
#endif

}  // namespace recordstore
