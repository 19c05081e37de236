#include "app/relayed_capacitor_prompt.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace vx {

template <class F>
void CRelayedCapacitorPrompt::OnWindowThread(F&& f) {
    if (QThread::currentThread() == windowObject_->thread()) {
        f();  // a blocking call to its own thread would never return
        return;
    }
    QMetaObject::invokeMethod(windowObject_, std::forward<F>(f), Qt::BlockingQueuedConnection);
}

bool CRelayedCapacitorPrompt::AskCapacitor(const CapacitorRequest& request, double& value) {
    bool answered = false;
    OnWindowThread([&] { answered = target_.AskCapacitor(request, value); });
    return answered;
}

bool CRelayedCapacitorPrompt::ResolveMismatch(const MismatchRequest& request, double& c1,
                                              double& c2) {
    bool answered = false;
    OnWindowThread([&] { answered = target_.ResolveMismatch(request, c1, c2); });
    return answered;
}

void CRelayedCapacitorPrompt::Inform(const std::string& caption, const std::string& text) {
    OnWindowThread([&] { target_.Inform(caption, text); });
}

}  // namespace vx
