// Reads each new drawing back on a thread of its own, so the dialog never waits for it. Only
// the newest request counts: one not started yet is replaced by the next, and only the latest
// verdict waits to be taken, with at most one notice of it pending however many drawings go by.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "render/ExportImage.h"
#include "verify/Verify.h"

namespace diduzozoz {

class CVerifier {
  public:
    // ready is called on the verification thread when a verdict waits and no earlier call is
    // still waiting for Take().
    explicit CVerifier(std::function<void()> ready);
    // Drops what has not started and waits for what has.
    ~CVerifier();
    CVerifier(const CVerifier&) = delete;
    CVerifier& operator=(const CVerifier&) = delete;

    void Start(std::uint64_t generation, ExportImage image, verify::Meant meant);

    struct Latest {
        std::uint64_t generation = 0;
        std::string text;
        verify::Outcome outcome = verify::Outcome::kUnchecked;
        int arrived = 0;  // verdicts delivered so far
    };
    // The latest verdict; the next one delivered calls ready again.
    Latest Take();

  private:
    struct Request {
        std::uint64_t generation;
        ExportImage image;
        verify::Meant meant;
    };
    void Run();

    std::function<void()> m_ready;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Request> m_request;
    bool m_stop = false;
    Latest m_latest;
    bool m_noticePending = false;
    std::thread m_thread;  // started with the first request
};

}  // namespace diduzozoz
