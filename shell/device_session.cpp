#include "shell/device_session.h"

namespace zelko {

DeviceSession::DeviceSession(std::unique_ptr<sim::DeviceSession> device, UiPort& ui)
    : device_(std::move(device)), ui_(ui) {
  channel_ = std::make_unique<CommandChannel>(device_->link(), device_->clock(), ui_);
  // No waiting on the GUI thread: a poll that finds the mouse held by
  // another program skips its turn.
  channel_->UseExchangeLock(device_->exchange_lock());
  flows_ = std::make_unique<ImageFlows>(workspace_, *channel_, ui_, device_->clock());
}

DeviceSession::~DeviceSession() {
  connection_.reset();
  flows_.reset();
  channel_.reset();
  device_->link().ForgetDevice();
}

void DeviceSession::Connect(const ExpectedCodes& expected, ConnectionCallbacks callbacks) {
  connection_ = std::make_unique<DeviceConnection>(device_->link(), *channel_, device_->clock(), ui_,
                                                   expected, std::move(callbacks));
}

}  // namespace zelko
