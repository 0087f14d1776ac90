// The read transactions that the process's open files keep across calls, and when they
// end. (portable)
//
// A read leaves its file's read transaction open (RecordFile), so that the reads after it
// cost an index step rather than a transaction's set-up: taking and dropping the file lock,
// looking for a hot journal and re-reading the database header. While a file holds one, no
// other process can commit to it: a writer needs every reader gone. The reads lose nothing
// by that (they see the latest committed state, and never half a write), but another
// process's write waits, so every held transaction is ended:
//   - before this process opens, creates or writes a file: a write must not wait for the
//     process's own reads, and nothing may wait while it holds what others wait for;
//   - at the start of the first call after the oldest was begun kMaxHold ago;
//   - by a thread of its own once no call has come for kIdle, so that a process that stops
//     calling does not hold other processes' writes (the thread also marks the hold
//     expired, so that a call need not read the clock);
//   - when a read finds its file held off by a writer while the process holds other files
//     (RecordFile yields them before it waits).
// A writer in another process therefore waits about kMaxHold at most, far below the time
// after which it would be refused. Kills are harmless: a read transaction writes nothing,
// and the operating system drops a dead process's locks.
//
// Every member runs with the call mutex held, except the releasing thread's own loop, which
// only ever tries that mutex (a call in progress means the process is not quiet).
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace recordstore {

class HeldReads {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr auto kMaxHold = std::chrono::milliseconds(20);
  static constexpr auto kIdle = std::chrono::milliseconds(4);

  // `end_all` ends every held read transaction of the process; it runs with `call_mutex`
  // held.
  HeldReads(std::mutex& call_mutex, std::function<void()> end_all);
  // Ends the releasing thread and waits for it. Never at process exit: the process's own
  // lives until the process ends, since its thread may have been stopped holding a lock.
  ~HeldReads();
  HeldReads(const HeldReads&) = delete;
  HeldReads& operator=(const HeldReads&) = delete;

  // At the start of every call. `ends_reads`: the call opens, creates or writes a file.
  void BeforeCall(bool ends_reads) {
    calls_.fetch_add(1, std::memory_order_relaxed);
    if (held() > 0 && (ends_reads || expired_.load(std::memory_order_relaxed))) EndAll();
  }
  // At the end of every call: without a releasing thread (none could be made, or this is a
  // forked child) nothing may stay held between calls.
  void AfterCall();
  // A file began or ended holding a read transaction.
  void Began();
  void Ended();
  // How many files hold one.
  int held() const { return held_.load(std::memory_order_relaxed); }
  void EndAll();

  // Ends the releasing thread and waits for it (the library is being let go; every file is
  // closed). A later read starts it again.
  void StopReleaser();

 private:
  void StartReleaser();  // with mutex_ held
  void RunReleaser();
  // With the call mutex held, from the thread: ends what is still held.
  void Release();

  std::mutex& call_mutex_;
  std::function<void()> end_all_;

  std::atomic<int> held_{0};
  std::atomic<uint64_t> calls_{0};    // calls begun, so the thread sees whether any came
  std::atomic<bool> expired_{false};  // the oldest hold is kMaxHold old
  Clock::time_point first_began_{};   // when the oldest hold began (mutex_)

  // The releasing thread: its own mutex and wake-up, never the call mutex while it waits.
  std::mutex mutex_;
  std::condition_variable wake_;
  std::unique_ptr<std::thread> releaser_;
  std::atomic<bool> releaser_running_{false};
  bool stop_ = false;

#if !defined(_WIN32)
  // A forked child has no releasing thread, and must find both mutexes free.
  static void BeforeFork();
  static void AfterForkInParent();
  static void AfterForkInChild();
  static HeldReads* forking_;
#endif
};

}  // namespace recordstore
