#include "symbology/Context.h"

#include "base/BoundedCopy.h"

namespace diduzozoz {

void CreateContext::SetDataText(std::string_view text) {
    CopyText(m_szDataText, text);
}

bool CreateContext::AppendToCode(std::string_view text) {
    return AppendText(m_szCode, text);
}

CheckOutcome RefuseThenRestore(CreateContext& job, const char* message) {
    job.ShowMessage(message);
    job.RestoreCode();
    return CheckOutcome::kRefused;
}

CheckOutcome RefuseAndEnd(CreateContext& job, const char* message) {
    job.ShowMessage(message);
    return CheckOutcome::kRefused;
}

}  // namespace diduzozoz
