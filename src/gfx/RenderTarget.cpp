#include "gfx/RenderTarget.h"

Result<RenderTarget> RenderTarget::create(Device& device, int32_t width, int32_t height)
{
    Result<TargetNames> made = device.createTarget(width, height);
    if (!made) return Failure{made.message()};
    RenderTarget target;
    target.resource_ = DeviceResource<TargetId, &Device::destroyTarget>(device, made.value().target);
    target.picture_ = made.value().colour;
    target.width_ = width;
    target.height_ = height;
    return target;
}
