#include "dialog/Verifier.h"

#include <utility>

#include "verify/BuiltReaders.h"

namespace diduzozoz {

CVerifier::CVerifier(std::function<void()> ready) : m_ready(std::move(ready)) {}

CVerifier::~CVerifier() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        m_request.reset();
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

void CVerifier::Start(std::uint64_t generation, ExportImage image, verify::Meant meant) {
    {
        std::lock_guard lock(m_mutex);
        m_request = Request{generation, std::move(image), std::move(meant)};
        if (!m_thread.joinable()) m_thread = std::thread([this] { Run(); });
    }
    m_wake.notify_all();
}

CVerifier::Latest CVerifier::Take() {
    std::lock_guard lock(m_mutex);
    m_noticePending = false;
    return m_latest;
}

void CVerifier::Run() {
    const verify::Readers readers = verify::BuiltReaders();
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_request; });
        if (m_stop) return;
        Request request = std::move(*m_request);
        m_request.reset();
        lock.unlock();
        const verify::Verdict verdict = verify::Verify(request.image, request.meant, readers);
        std::string text = verify::VerdictText(verdict);
        lock.lock();
        m_latest.generation = request.generation;
        m_latest.text = std::move(text);
        m_latest.outcome = verdict.outcome;
        ++m_latest.arrived;
        if (!m_noticePending) {
            m_noticePending = true;
            m_ready();
        }
    }
}

}  // namespace diduzozoz
