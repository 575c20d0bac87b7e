#pragma once

#include <utility>

#include "gfx/Device.h"

// A move-only owner of one resource of a device, given back to the device through `Release`
// when its owner goes. An empty one (no device, or the name 0) owns nothing.
template <typename Name, void (Device::*Release)(Name)>
class DeviceResource {
public:
    DeviceResource() = default;
    DeviceResource(Device& device, Name name) : device_(&device), name_(name) {}
    ~DeviceResource() { reset(); }
    DeviceResource(DeviceResource&& other) noexcept
        : device_(std::exchange(other.device_, nullptr)), name_(std::exchange(other.name_, Name{}))
    {
    }
    DeviceResource& operator=(DeviceResource&& other) noexcept
    {
        if (this != &other) {
            reset();
            device_ = std::exchange(other.device_, nullptr);
            name_ = std::exchange(other.name_, Name{});
        }
        return *this;
    }
    DeviceResource(const DeviceResource&) = delete;
    DeviceResource& operator=(const DeviceResource&) = delete;

    Name name() const { return name_; }
    Device* device() const { return device_; }

private:
    void reset()
    {
        if (device_ && !(name_ == Name{})) (device_->*Release)(name_);
        device_ = nullptr;
        name_ = Name{};
    }

    Device* device_ = nullptr;
    Name name_{};
};
