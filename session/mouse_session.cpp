#include "session/mouse_session.h"

#include "image/backup_store.h"

namespace zelko::session {

MouseSession::MouseSession(std::unique_ptr<DeviceSession> device, UiPort& ui, UiPort& channel_ui)
    : backup_folder(DefaultBackupFolder()), device_(std::move(device)), ui_(ui) {
  channel_ = std::make_unique<CommandChannel>(device_->link(), device_->clock(), channel_ui);
  flows_ = std::make_unique<ImageFlows>(workspace_, *channel_, ui_, device_->clock());
}

MouseSession::~MouseSession() {
  connection_.reset();
  flows_.reset();
  channel_.reset();
  device_->link().ForgetDevice();
}

void MouseSession::Connect(const ExpectedCodes& expected, ConnectionCallbacks callbacks) {
  if (!callbacks.read_image) callbacks.read_image = [this] { return ReadImage().ok(); };
  connection_ = std::make_unique<DeviceConnection>(device_->link(), *channel_, device_->clock(), ui_,
                                                   expected, std::move(callbacks));
}

FlowResult MouseSession::ReadImage() {
  last_read_ = ranges_to_read.empty() ? flows_->ReadImage() : flows_->ReadRanges(ranges_to_read);
  return last_read_;
}

}  // namespace zelko::session
