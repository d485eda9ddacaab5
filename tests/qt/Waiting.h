// Waiting in the dialog tests: for conditions and for widgets that run their own event loop,
// with deadlines, and a watchdog that ends a test function stuck anyway.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QtTest>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace diduzozoz::testing {

// Generous: a sanitizer build on a loaded 2-core machine is slow, a hang is for ever.
inline constexpr int kWaitMs = 20000;

// A modal box nobody closes holds the test program in a nested event loop, where no QtTest
// timeout can reach it. The watchdog runs on a thread of its own: when the test function armed
// for it runs past its limit, it names the function and what it was waiting for, and ends the
// program long before ctest would kill it without a word.
class Watchdog {
  public:
    static Watchdog& Get() {
        static Watchdog dog;
        return dog;
    }
    void Arm(std::string test, std::chrono::seconds limit) {
        std::lock_guard lock(m_mutex);
        m_test = std::move(test);
        m_waitingFor.clear();
        m_deadline = std::chrono::steady_clock::now() + limit;
        m_armed = true;
        m_changed.notify_all();
    }
    void Disarm() {
        std::lock_guard lock(m_mutex);
        m_armed = false;
        m_changed.notify_all();
    }
    void WaitingFor(std::string what) {
        std::lock_guard lock(m_mutex);
        m_waitingFor = std::move(what);
    }

  private:
    Watchdog() : m_thread([this] { Watch(); }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
            m_changed.notify_all();
        }
        m_thread.join();
    }
    void Watch() {
        std::unique_lock lock(m_mutex);
        while (!m_stop) {
            if (!m_armed) {
                m_changed.wait(lock);
                continue;
            }
            if (m_changed.wait_until(lock, m_deadline) == std::cv_status::timeout && m_armed &&
                std::chrono::steady_clock::now() >= m_deadline) {
                std::fprintf(stderr, "FAIL!  : %s() did not finish in time; waiting for: %s\n",
                             m_test.c_str(),
                             m_waitingFor.empty() ? "(nothing named)" : m_waitingFor.c_str());
                std::fflush(stderr);
                std::_Exit(3);
            }
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::string m_test;
    std::string m_waitingFor;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_armed = false;
    bool m_stop = false;
    std::thread m_thread;
};

// Names what the test waits for while it is in scope, for the watchdog's message.
class WaitNote {
  public:
    explicit WaitNote(const char* what) { Watchdog::Get().WaitingFor(what); }
    ~WaitNote() { Watchdog::Get().WaitingFor({}); }
    WaitNote(const WaitNote&) = delete;
    WaitNote& operator=(const WaitNote&) = delete;
};

// Waits until cond holds, failing the test with `what` after kWaitMs.
#define WAIT_UNTIL(cond, what)                                                  \
    do {                                                                        \
        const ::diduzozoz::testing::WaitNote waitNote_(what);                   \
        QTRY_VERIFY2_WITH_TIMEOUT((cond), what, ::diduzozoz::testing::kWaitMs); \
    } while (0)

// Acts on a widget that opens its own event loop (a modal box, a popup menu): tryAct is asked
// between events, also inside that loop, until it finds the widget and returns true. Whether
// the widget appears before or after the call that opens it returns does not matter.
class WhenShown : public QObject {
  public:
    WhenShown(const char* what, std::function<bool()> tryAct)
        : m_what(what), m_tryAct(std::move(tryAct)) {
        Watchdog::Get().WaitingFor(m_what);
        m_clock.start();
        connect(&m_poll, &QTimer::timeout, this, [this] { Poll(); });
        m_poll.start(5);
    }
    ~WhenShown() override {
        if (!m_done) Watchdog::Get().WaitingFor({});
    }
    // True once the widget was found and acted on.
    bool Done() const { return m_done; }
    const char* What() const { return m_what; }

  private:
    void Poll() {
        if (m_tryAct()) {
            m_done = true;
            Watchdog::Get().WaitingFor({});
        } else if (m_clock.elapsed() < kWaitMs) {
            return;
        }
        // Given up: the note stays, so a hang after this still names what never came.
        m_poll.stop();
    }

    const char* m_what;
    std::function<bool()> m_tryAct;
    QTimer m_poll;
    QElapsedTimer m_clock;
    bool m_done = false;
};

}  // namespace diduzozoz::testing
