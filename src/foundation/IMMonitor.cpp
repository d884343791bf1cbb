#include "foundation/IMMonitor.h"

namespace {
Ixa::result Folded(Ixa::result r) { return Ixa::IsFailed(r) ? Ixa::E_FAILURE : Ixa::E_SUCCESS; }
}

IMMonitor::IMMonitor() { Monitor::Construct(); }

IMMonitor::~IMMonitor() = default;

Ixa::result IMMonitor::Construct() { return Folded(Monitor::Construct()); }

Ixa::result IMMonitor::Enter() { return Folded(Monitor::Enter()); }

Ixa::result IMMonitor::Exit() { return Folded(Monitor::Exit()); }

Ixa::result IMMonitor::Wait() { return Folded(Monitor::Wait()); }

Ixa::result IMMonitor::Notify() { return Folded(Monitor::Notify()); }

Ixa::result IMMonitor::NotifyAll() { return Folded(Monitor::NotifyAll()); }

void IMMonitor::OnTimerExpired(Ixa::Base::Runtime::Timer&) {}
